#!/usr/bin/python3
"""Draws the bundled skin "wood" and the program icon from scratch.

Re-run from the repository root:   /usr/bin/python3 scripts/art/draw_wood.py
Look at it on two screen sizes:    ... draw_wood.py --preview /tmp
Needs only Debian's python3-pil and fonts-dejavu-core. Every random choice
comes from fixed seeds, so each run writes the same files.

Writes skins/wood/ (config.ini, user.ini, wallpapers, pictures, the four
special-folder icons, the state pictures of three ready buttons) and
assets/moravel-48.png, assets/moravel-256.png.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image  # noqa: E402

import buttons  # noqa: E402
import icons  # noqa: E402
import objects  # noqa: E402
import woodgrain  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
SKIN = os.path.join(ROOT, "skins", "wood")
ASSETS = os.path.join(ROOT, "assets")

MASTER = (1920, 1200)       # the desk is drawn once at this size
BOARDS = 5
# key, file, size, crop of the master desk
WALLPAPERS = [
    ("image16x9", "wood-16x9.jpg", (1920, 1080), (0, 60, 1920, 1140)),
    ("image16x10", "wood-16x10.jpg", (1920, 1200), (0, 0, 1920, 1200)),
    ("image4x3", "wood-4x3.jpg", (1600, 1200), (160, 0, 1760, 1200)),
    ("image5x4", "wood-5x4.jpg", (1280, 1024), (210, 0, 1710, 1200)),
]
# file, x, y (screen coordinates: negative = from the far edge), picture
PICTURES = [
    ("nameplate.png", -336, -124, objects.nameplate),
    ("pencil.png", -812, -150, objects.pencil),
]
# caption, param (shell folder number), icon, tile seed, x, y
BUTTONS = [
    ("Мой компьютер", 17, icons.computer, 41, 40, 40),
    ("Корзина", 10, icons.basket, 42, 40, 150),
    ("Документы", 5, icons.folder, 43, 40, 260),
]


def win_path(*parts):
    """A skin-relative file name as skins made on Windows store it."""
    return "\\".join(parts)


def write_ini(path, sections):
    """Writes [(section, [(key, value), ...]), ...] with CRLF line ends."""
    lines = []
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (k, v) for k, v in keys]
        lines.append("")
    with open(path, "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(lines))


def save_png(img, path):
    img.convert("RGBA").save(path, optimize=True)


def draw_wallpapers():
    darkness, seams = woodgrain.boards(2024, MASTER, BOARDS)
    keys = []
    for key, name, size, crop in WALLPAPERS:
        part = darkness.crop(crop)
        scale = size[1] / part.size[1]
        if part.size != size:
            part = part.resize(size, Image.LANCZOS)
        rows = [round((y - crop[1]) * scale) for y in seams]
        rows = [y for y in rows if 2 < y < size[1] - 2]
        img = woodgrain.finish(part, rows)
        img.save(os.path.join(SKIN, "wallpaper", name), quality=90,
                 optimize=True, progressive=False, subsampling=2)
        keys.append((key, win_path("wallpaper", name)))
    return keys


def draw_pictures():
    sections = []
    for i, (name, x, y, fn) in enumerate(PICTURES, 1):
        save_png(fn(), os.path.join(SKIN, "pictures", name))
        sections.append(("picture%d" % i, [("x", x), ("y", y), ("tr", 1),
                                           ("image", win_path("pictures", name))]))
    return sections


def draw_buttons():
    sections = []
    for n, (text, param, icon_fn, seed, x, y) in enumerate(BUTTONS, 1):
        for state in "uod":
            img = buttons.state(icon_fn, text, seed, state)
            save_png(img, os.path.join(SKIN, "temp", "freebutton%d_%s.png"
                                       % (n, state)))
        sections.append(("button%d" % n, [
            ("object", ""), ("param", param),
            ("image", win_path("temp", "freebutton%d_u.png" % n)),
            ("x", x), ("y", y), ("tr", 0)]))
    return sections


def draw_all():
    for sub in ("wallpaper", "pictures", "temp"):
        os.makedirs(os.path.join(SKIN, sub), exist_ok=True)
    os.makedirs(ASSETS, exist_ok=True)
    for name, fn in icons.ICONS.items():
        save_png(fn(64), os.path.join(SKIN, name + ".png"))
    for px in (48, 256):
        save_png(icons.mark(px), os.path.join(ASSETS, "moravel-%d.png" % px))
    config = [("doubleclick", [("dc", 0)]),
              ("wallpaper", draw_wallpapers())]
    config += draw_pictures()
    write_ini(os.path.join(SKIN, "config.ini"), config)
    write_ini(os.path.join(SKIN, "user.ini"), draw_buttons())


def resolve(v, edge):
    """Screen position of a stored coordinate, as the program reads it."""
    half = edge // 2
    if v >= 10000:
        return v - 10000 + half
    if v <= -10000:
        return v + 10000 + half
    return edge + v if v < 0 else v


def preview(folder, screen):
    """The skin as it would look on a screen of `screen` pixels."""
    w, h = screen
    ratio = w / h
    key = ("image5x4" if ratio <= 1.29 else "image4x3" if ratio <= 1.465
           else "image16x10" if ratio <= 1.68 else "image16x9")
    name = dict((k, n) for k, n, _, _ in WALLPAPERS)[key]
    desk = Image.open(os.path.join(SKIN, "wallpaper", name)).convert("RGBA")
    desk = desk.resize(screen, Image.LANCZOS)
    for name, x, y, _ in PICTURES:
        pic = Image.open(os.path.join(SKIN, "pictures", name))
        desk.alpha_composite(pic, (resolve(x, w), resolve(y, h)))
    for n, (_, _, _, _, x, y) in enumerate(BUTTONS, 1):
        state = "o" if n == 2 else "u"
        pic = Image.open(os.path.join(SKIN, "temp", "freebutton%d_%s.png"
                                      % (n, state)))
        desk.alpha_composite(pic, (resolve(x, w), resolve(y, h)))
    out = os.path.join(folder, "wood-preview-%dx%d.png" % screen)
    desk.convert("RGB").save(out)
    print("preview:", out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--preview", metavar="DIR",
                        help="also compose previews at 1920x1080 and "
                             "1280x1024 into DIR")
    args = parser.parse_args()
    draw_all()
    if args.preview:
        for screen in ((1920, 1080), (1280, 1024)):
            preview(args.preview, screen)


if __name__ == "__main__":
    main()
