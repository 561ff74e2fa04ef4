#!/usr/bin/env python3
"""Wraps a square PNG picture into a one-picture icon file (the icon format
holds PNG pictures as they are): png_to_ico.py in.png out.ico"""
import struct
import sys

png = open(sys.argv[1], "rb").read()
if png[:8] != b"\x89PNG\r\n\x1a\n":
    sys.exit(f"{sys.argv[1]}: not a PNG file")
width, height = struct.unpack(">II", png[16:24])
if width > 256 or height > 256:
    sys.exit(f"{sys.argv[1]}: {width}x{height} is too big for an icon")
header = struct.pack("<HHH", 0, 1, 1)
# 256 is written as 0; no palette; one plane; 32 bits; the picture after the entry.
entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), 6 + 16)
open(sys.argv[2], "wb").write(header + entry + png)
