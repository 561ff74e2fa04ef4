#!/usr/bin/python3
"""Draws the bundled skin "wood" and the program icon from scratch.

Re-run from the repository root:   /usr/bin/python3 art/draw_wood.py
Look at it on two screen sizes:    ... draw_wood.py --preview /tmp
Needs only Debian's python3-pil and fonts-dejavu-core. Every random choice
comes from fixed seeds, so each run writes the same files.

Writes skins/wood/ (config.ini, user.ini, wallpapers, pictures, the four
special-folder icons, the state pictures of three ready buttons, the analog
clock with acm.bmp and acs.bmp, the digit clock, the tear-off calendar, the
button templates) and assets/moravel-48.png, assets/moravel-256.png and
assets/help.png (the card shown while a new button is placed). Every
picture but the wallpapers and the program icon also gets its "@2x"
sibling for high-density screens (help@2x.png too).
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image  # noqa: E402

import buttons  # noqa: E402
import clockface  # noqa: E402
import deskparts  # noqa: E402
import helpcard  # noqa: E402
import icons  # noqa: E402
import objects  # noqa: E402
import paint as P  # noqa: E402
import skinkit  # noqa: E402
import templates  # noqa: E402
import woodgrain  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), ".."))
# Where the files go: the repository, or MORAVEL_ART_OUT (art/check draws
# into a scratch folder and compares).
OUT = os.environ.get("MORAVEL_ART_OUT") or ROOT
SKIN = os.path.join(OUT, "skins", "wood")
ASSETS = os.path.join(OUT, "assets")

MASTER = (1920, 1200)       # the desk is drawn once at this size
BOARDS = 5
# key, file, size, crop of the master desk
WALLPAPERS = [
    ("image16x9", "wood-16x9.jpg", (1920, 1080), (0, 60, 1920, 1140)),
    ("image16x10", "wood-16x10.jpg", (1920, 1200), (0, 0, 1920, 1200)),
    ("image4x3", "wood-4x3.jpg", (1600, 1200), (160, 0, 1760, 1200)),
    ("image5x4", "wood-5x4.jpg", (1280, 1024), (210, 0, 1710, 1200)),
]
# The corner of the top-right group: the analog clock, under it the digit
# clock on its brass bar, under that the tear-off calendar (screen
# coordinates: negative = from the right or bottom edge).
CLOCK = (-300, 40)
BAR = (-298, 290)
PAD = (-292, 372)
# file, x, y (screen coordinates), picture function
PICTURES = [
    ("nameplate.png", -336, -124, objects.nameplate),
    ("pencil.png", -812, -150, objects.pencil),
    ("/pogoda.png", -436, 56, deskparts.pogoda),
    ("digitbar.png", BAR[0], BAR[1], deskparts.digit_bar),
    ("calendar.png", PAD[0], PAD[1], deskparts.calendar_pad),
]
# caption, param (shell folder number), icon, tile seed, x, y
BUTTONS = [
    ("Мой компьютер", 17, icons.computer, 41, 40, 40),
    ("Корзина", 10, icons.basket, 42, 40, 150),
    ("Документы", 5, icons.folder, 43, 40, 260),
]
win_path, write_ini, save_png = skinkit.win_path, skinkit.write_ini, skinkit.save_png


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


def draw_pictures(writer):
    return writer.pictures([(name, x, y, fn()) for name, x, y, fn in PICTURES])


def draw_clocks(writer):
    """The analog clock with its second hand and the digit clock under it."""
    hands = clockface.wood_hands()
    bmp = {key: clockface.keyed_bmp(hands[key][0], near)
           for key, near in (("minute", (70, 50, 34)), ("second", (176, 80, 64)))}
    sections = writer.analog_clock(clockface.wood_plate(), hands, CLOCK[0],
                                   CLOCK[1], bmp, show_seconds=True)
    x, y = BAR[0] + deskparts.BAR_PAD[0], BAR[1] + deskparts.BAR_PAD[1]
    return sections + writer.digit_clock(deskparts.digit_window, x, y,
                                         deskparts.DIGIT_STEP, deskparts.PAIR_GAP)


def draw_calendar(writer):
    places = {name: (PAD[0] + dx, PAD[1] + dy)
              for name, (dx, dy) in deskparts.CAL_PLACES.items()}
    return writer.calendar(deskparts.month_name, deskparts.weekday_name,
                           deskparts.day_digit, deskparts.year_digit, places)


def draw_buttons(writer):
    sections = []
    for n, (text, param, icon_fn, seed, x, y) in enumerate(BUTTONS, 1):
        for state in "uod":
            writer.save(buttons.state(icon_fn, text, seed, state), "temp",
                        "freebutton%d_%s.png" % (n, state))
        sections.append(("button%d" % n, [
            ("object", ""), ("param", param),
            ("image", win_path("temp", "freebutton%d_u.png" % n)),
            ("x", x), ("y", y), ("tr", 0)]))
    return sections


def draw_all():
    """Draws the pictures at density P.DENSITY; the wallpapers, the program
    icon and the INI files only at density 1."""
    first = P.DENSITY == 1
    for sub in ("wallpaper", "pictures", "temp"):
        os.makedirs(os.path.join(SKIN, sub), exist_ok=True)
    os.makedirs(ASSETS, exist_ok=True)
    writer = skinkit.SkinWriter(SKIN)
    for name, fn in icons.ICONS.items():
        writer.save(fn(64), name + ".png")
    if first:
        for px in (48, 256):
            save_png(icons.mark(px), os.path.join(ASSETS, "moravel-%d.png" % px))
    save_png(helpcard.draw(), os.path.join(ASSETS, skinkit.at_density("help.png")))
    config = [("doubleclick", [("dc", 0)]),
              ("wallpaper", draw_wallpapers() if first else [])]
    config += draw_pictures(writer)
    config += draw_clocks(writer)
    config += draw_calendar(writer)
    config += templates.sections(writer)
    buttons_ini = draw_buttons(writer)
    if first:
        write_ini(os.path.join(SKIN, "config.ini"), config)
        write_ini(os.path.join(SKIN, "user.ini"), buttons_ini)


if __name__ == "__main__":
    skinkit.run("wood", __doc__, draw_all)
