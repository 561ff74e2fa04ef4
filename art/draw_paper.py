#!/usr/bin/python3
"""Draws the bundled skin "paper" from scratch: pale linen paper, a thin
graphite wall clock, a light digit clock, a paper calendar card, line-drawn
icons and white paper-card buttons.

Re-run from the repository root:   /usr/bin/python3 art/draw_paper.py
Look at it on two screen sizes:    ... draw_paper.py --preview /tmp
Needs only Debian's python3-pil and fonts-dejavu-core; every random choice
comes from fixed seeds, so each run writes the same files. Every picture
but the wallpapers also gets its "@2x" sibling for high-density screens.
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image  # noqa: E402

import clockface  # noqa: E402
import papercal  # noqa: E402
import paperdesk  # noqa: E402
import papericons  # noqa: E402
import paint as P  # noqa: E402
import skinkit  # noqa: E402
import templates  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), ".."))
# Where the files go: the repository, or MORAVEL_ART_OUT (art/check draws
# into a scratch folder and compares).
OUT = os.environ.get("MORAVEL_ART_OUT") or ROOT
SKIN = os.path.join(OUT, "skins", "paper")

MASTER = (1920, 1200)
# key, file, size, crop of the master sheet
WALLPAPERS = [
    ("image16x9", "paper-16x9.jpg", (1920, 1080), (0, 60, 1920, 1140)),
    ("image16x10", "paper-16x10.jpg", (1920, 1200), (0, 0, 1920, 1200)),
    ("image4x3", "paper-4x3.jpg", (1600, 1200), (160, 0, 1760, 1200)),
    ("image5x4", "paper-5x4.jpg", (1280, 1024), (210, 0, 1710, 1200)),
]
# the right-hand column: clock, digit clock, calendar card (screen
# coordinates: negative = from the right or bottom edge)
CLOCK = (-286, 42)
DIGITS = (-259, 292)
CARD = (-280, 372)
COLONS = [DIGITS[0] + 53, DIGITS[0] + 117]
PICTURES = [
    ("/pogoda.png", -412, 70, papercal.pogoda),
    ("colon.png", COLONS[0], DIGITS[1], paperdesk.colon),
    ("colon.png", COLONS[1], DIGITS[1], paperdesk.colon),
    ("calendar.png", CARD[0], CARD[1], papercal.card),
    ("label.png", -280, -80, papercal.label),
]
# caption, param (shell folder number), icon, x, y
BUTTONS = [
    ("Мой компьютер", 17, papericons.computer, 40, 40),
    ("Корзина", 10, papericons.basket, 40, 156),
    ("Документы", 5, papericons.folder, 40, 272),
]


def draw_wallpapers(writer):
    sheet = paperdesk.linen(7, MASTER)
    keys = []
    for key, name, size, crop in WALLPAPERS:
        part = sheet.crop(crop)
        if part.size != size:
            part = part.resize(size, Image.LANCZOS)
        keys.append((key, writer.save(part, "wallpaper", name)))
    return keys


def draw_clocks(writer):
    hands = paperdesk.hands()
    bmp = {"minute": clockface.keyed_bmp(hands["minute"][0], (92, 92, 96))}
    sections = writer.analog_clock(paperdesk.plate(), hands, CLOCK[0], CLOCK[1],
                                   bmp, show_seconds=False)
    return sections + writer.digit_clock(paperdesk.digit, DIGITS[0], DIGITS[1],
                                         paperdesk.DIGIT_STEP, paperdesk.PAIR_GAP)


def draw_calendar(writer):
    places = {name: (CARD[0] + dx, CARD[1] + dy)
              for name, (dx, dy) in papercal.CAL_PLACES.items()}
    return writer.calendar(papercal.month_name, papercal.weekday_name,
                           papercal.day_digit, papercal.year_digit, places)


def draw_buttons(writer):
    sections = []
    for n, (text, param, icon_fn, x, y) in enumerate(BUTTONS, 1):
        for state in "uod":
            writer.save(papericons.button(icon_fn, text, state), "temp",
                        "freebutton%d_%s.png" % (n, state))
        sections.append(("button%d" % n, [
            ("object", ""), ("param", param),
            ("image", skinkit.win_path("temp", "freebutton%d_u.png" % n)),
            ("x", x), ("y", y), ("tr", 0)]))
    return sections


def draw_all():
    """Draws the pictures at density P.DENSITY; the wallpapers and the INI
    files only at density 1."""
    first = P.DENSITY == 1
    writer = skinkit.SkinWriter(SKIN)
    for name, fn in papericons.ICONS.items():
        writer.save(fn(64), name + ".png")
    config = [("doubleclick", [("dc", 0)]),
              ("wallpaper", draw_wallpapers(writer) if first else [])]
    config += writer.pictures([(name, x, y, fn()) for name, x, y, fn in PICTURES])
    config += draw_clocks(writer)
    config += draw_calendar(writer)
    config += templates.sections(writer, papericons.TEMPLATES)
    buttons_ini = draw_buttons(writer)
    if first:
        skinkit.write_ini(os.path.join(SKIN, "config.ini"), config)
        skinkit.write_ini(os.path.join(SKIN, "user.ini"), buttons_ini)


if __name__ == "__main__":
    skinkit.run("paper", __doc__, draw_all)
