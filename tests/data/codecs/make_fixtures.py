#!/usr/bin/python3
"""Writes the small JPEG and GIF pictures the codec tests decode, each with
<name>.json beside it: the RGBA pixels drawn, as a flat [r,g,b,a,...] array.

Run with Debian's python3 (it has PIL): /usr/bin/python3 make_fixtures.py
The GIFs are written byte by byte so that interlacing, frame offsets, local
colour maps and odd indices are exactly what the tests expect."""

import json
import os
import struct

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))


def save_json(name, rgba):
    with open(os.path.join(HERE, name + ".json"), "w") as f:
        json.dump([v for px in rgba for v in px], f, separators=(",", ":"))


def blocks(width, height, side, colours):
    """Rows of side x side blocks, colours taken in turn."""
    cols = width // side
    return [colours[(y // side) * cols + x // side] for y in range(height) for x in range(width)]


# --- JPEG -----------------------------------------------------------------

RGB_COLOURS = [(220, 30, 30), (30, 200, 40), (20, 40, 210), (240, 240, 240),
               (250, 200, 0), (0, 180, 180), (160, 0, 160), (20, 20, 20),
               (128, 128, 128), (255, 140, 60), (90, 60, 30), (200, 220, 255)]


def jpeg_rgb(name, width, height, side, **options):
    pixels = blocks(width, height, side, RGB_COLOURS)
    img = Image.new("RGB", (width, height))
    img.putdata(pixels)
    img.save(os.path.join(HERE, name + ".jpg"), "JPEG", **options)
    save_json(name, [p + (255,) for p in pixels])


def jpeg_grey(name):
    levels = [0, 40, 90, 140, 200, 255]
    pixels = blocks(24, 16, 8, levels)
    img = Image.new("L", (24, 16))
    img.putdata(pixels)
    img.save(os.path.join(HERE, name + ".jpg"), "JPEG", quality=95)
    save_json(name, [(v, v, v, 255) for v in pixels])


def jpeg_cmyk(name):
    # PIL stores CMYK inverted, with an Adobe marker, as Photoshop does.
    inks = [(0, 0, 0, 0), (255, 0, 0, 0), (0, 255, 255, 0), (0, 0, 0, 128)]
    pixels = blocks(16, 16, 8, inks)
    img = Image.new("CMYK", (16, 16))
    img.putdata(pixels)
    img.save(os.path.join(HERE, name + ".jpg"), "JPEG", quality=95, subsampling=0)

    def rgb(c, m, y, k):
        return tuple(round((255 - v) * (255 - k) / 255) for v in (c, m, y)) + (255,)
    save_json(name, [rgb(*p) for p in pixels])


# --- GIF ------------------------------------------------------------------

def lzw(indices, code_size=8):
    """LZW data that uses literal codes only, with a clear code often enough
    that the code width never grows."""
    clear, end = 1 << code_size, (1 << code_size) + 1
    width = code_size + 1
    codes = []
    for i, v in enumerate(indices):
        if i % (clear - 4) == 0:
            codes.append(clear)
        codes.append(v)
    codes.append(end)
    bits, nbits, out = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits)
    blocks_ = bytearray([code_size])
    for i in range(0, len(out), 255):
        chunk = out[i:i + 255]
        blocks_ += bytes([len(chunk)]) + chunk
    return bytes(blocks_ + b"\0")


def colour_table(colours):
    size = 2
    while size < len(colours):
        size *= 2
    colours = colours + [(0, 0, 0)] * (size - len(colours))
    return bytes(v for c in colours for v in c), size.bit_length() - 2


def gif(screen, global_colours, frames):
    """frames: dicts with left, top, width, height, indices (in display order),
    and optionally local (colour list), interlace, transparent."""
    out = bytearray(b"GIF89a")
    flags = 0
    table = b""
    if global_colours:
        table, bits = colour_table(global_colours)
        flags = 0x80 | bits | (bits << 4)
    out += struct.pack("<HHBBB", screen[0], screen[1], flags, 0, 0) + table
    for f in frames:
        if "transparent" in f:
            out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, 1, 0, f["transparent"], 0)
        rows = [f["indices"][y * f["width"]:(y + 1) * f["width"]] for y in range(f["height"])]
        if f.get("interlace"):
            order = [y for start, step in ((0, 8), (4, 8), (2, 4), (1, 2))
                     for y in range(start, f["height"], step)]
            rows = [rows[y] for y in order]
        flags, local = 0, b""
        if "local" in f:
            local, bits = colour_table(f["local"])
            flags = 0x80 | bits
        if f.get("interlace"):
            flags |= 0x40
        out += struct.pack("<BHHHHB", 0x2C, f["left"], f["top"], f["width"], f["height"], flags)
        out += local + lzw([v for r in rows for v in r])
    out += b";"
    return bytes(out)


def gif_fixture(name, screen, global_colours, frames, expected=True):
    data = gif(screen, global_colours, frames)
    with open(os.path.join(HERE, name + ".gif"), "wb") as f:
        f.write(data)
    if not expected:
        return
    first = frames[0]
    colours = first.get("local", global_colours)
    canvas = [(0, 0, 0, 0)] * (screen[0] * screen[1])
    for y in range(first["height"]):
        for x in range(first["width"]):
            i = first["indices"][y * first["width"] + x]
            if i == first.get("transparent"):
                continue
            px = colours[i] + (255,) if i < len(colours) else (0, 0, 0, 255)
            canvas[(first["top"] + y) * screen[0] + first["left"] + x] = px
    save_json(name, canvas)
    # Cross-check the hand-written frame with PIL (which fills the rest of
    # the screen with the background colour, so only the frame is compared).
    if all(i < len(colours) for i in first["indices"]):
        pil = Image.open(os.path.join(HERE, name + ".gif")).convert("RGBA")
        for y in range(first["top"], first["top"] + first["height"]):
            for x in range(first["left"], first["left"] + first["width"]):
                want, have = canvas[y * screen[0] + x], pil.getpixel((x, y))
                assert want == have or (want[3] == 0 and have[3] == 0), (name, want, have)


PALETTE = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (0, 255, 255),
           (255, 0, 255), (255, 255, 255), (0, 0, 0), (128, 0, 0), (0, 128, 0),
           (0, 0, 128), (128, 128, 0), (0, 128, 128)]


def main():
    jpeg_rgb("rgb", 32, 24, 8, quality=95, subsampling=0)
    jpeg_rgb("progressive", 48, 32, 16, quality=92, progressive=True)
    jpeg_grey("grey")
    jpeg_cmyk("cmyk")

    gif_fixture("transparent", (6, 4), PALETTE[:4],
                [dict(left=0, top=0, width=6, height=4, transparent=2,
                      indices=[(x + y) % 4 for y in range(4) for x in range(6)])])
    gif_fixture("interlaced", (3, 11), PALETTE,
                [dict(left=0, top=0, width=3, height=11, interlace=True,
                      indices=[(y + x) % 13 for y in range(11) for x in range(3)])])
    gif_fixture("offset", (8, 6), PALETTE[:8],
                [dict(left=4, top=3, width=3, height=2, indices=[0, 1, 2, 3, 4, 5])])
    gif_fixture("localmap", (4, 3), PALETTE[:2],
                [dict(left=0, top=0, width=4, height=3, local=[(10, 20, 30), (40, 50, 60),
                                                               (70, 80, 90), (250, 251, 252)],
                      indices=[(3 * x + y) % 4 for y in range(3) for x in range(4)])])
    gif_fixture("twoframes", (4, 2), PALETTE[:4],
                [dict(left=0, top=0, width=4, height=2, indices=[0, 1, 2, 3, 3, 2, 1, 0]),
                 dict(left=0, top=0, width=4, height=2, indices=[1] * 8)])
    gif_fixture("outofrange", (4, 1), PALETTE[:2],
                [dict(left=0, top=0, width=4, height=1, indices=[0, 1, 200, 1])])
    gif_fixture("nomap", (2, 2), [],
                [dict(left=0, top=0, width=2, height=2, indices=[0, 0, 0, 0])], expected=False)


if __name__ == "__main__":
    main()
