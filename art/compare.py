#!/usr/bin/python3
"""Compares a fresh drawing of the bundled skins and the program's pictures
with the committed files.

    /usr/bin/python3 art/compare.py DRAWN_ROOT REPO_ROOT

Looks at skins/wood, skins/paper and assets under both roots: pictures
(.png, .bmp, .jpg) must have the same size, mode and pixels (their encoders
may pack them differently), every other file the same bytes. A drawn
"name@2x.png" (or any "@Nx" picture) must lie beside its "name.png" and be
exactly N times its width and height. Prints one line for each file that
differs, lies on one side only or breaks that rule; exit code 1 when any
does, 0 otherwise.
"""

import os
import re
import sys

from PIL import Image, ImageChops

FOLDERS = [os.path.join("skins", "wood"), os.path.join("skins", "paper"), "assets"]
PICTURES = (".png", ".bmp", ".jpg", ".jpeg")
DENSE = re.compile(r"^(.*)@([0-9]+)x(\.[A-Za-z]+)$")


def files_under(root):
    found = set()
    for folder in FOLDERS:
        for base, _dirs, names in os.walk(os.path.join(root, folder)):
            for name in names:
                found.add(os.path.relpath(os.path.join(base, name), root))
    return found


def same_picture(a, b):
    with Image.open(a) as x, Image.open(b) as y:
        if x.size != y.size or x.mode != y.mode:
            return False
        return ImageChops.difference(x.convert("RGBA"), y.convert("RGBA")).getbbox() is None


def same_file(a, b):
    if a.lower().endswith(PICTURES):
        return same_picture(a, b)
    with open(a, "rb") as x, open(b, "rb") as y:
        return x.read() == y.read()


def dense_problems(root, files):
    """Lines for the "@Nx" pictures under `root` that have no 1x sibling or
    are not N times its size."""
    out = []
    for f in sorted(files):
        found = DENSE.match(f)
        if not found or not f.lower().endswith(PICTURES):
            continue
        base = found.group(1) + found.group(3)
        n = int(found.group(2))
        if base not in files:
            out.append("no 1x picture beside: " + f)
            continue
        with Image.open(os.path.join(root, f)) as x, \
                Image.open(os.path.join(root, base)) as y:
            if x.size != (y.size[0] * n, y.size[1] * n):
                out.append("not %dx its 1x picture: %s (%dx%d, 1x %dx%d)"
                           % ((n, f) + x.size + y.size))
    return out


def main():
    drawn, repo = sys.argv[1], sys.argv[2]
    new, old = files_under(drawn), files_under(repo)
    problems = ["only committed, not drawn: " + f for f in sorted(old - new)]
    problems += ["drawn, not committed: " + f for f in sorted(new - old)]
    problems += ["differs: " + f for f in sorted(new & old)
                 if not same_file(os.path.join(drawn, f), os.path.join(repo, f))]
    problems += dense_problems(drawn, new)
    for line in problems:
        print(line)
    print("art: %d files compared, %d problems" % (len(new | old), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
