"""The "paper" skin's calendar card and its weather sign (pogoda.png).

The card is a static picture; the month, weekday and digit pictures lie on
it at CAL_PLACES (from the card's top-left corner) and hold only their ink.
"""

import math

from PIL import ImageChops

import paint as P
from objects import spaced_text
from paperdesk import ACCENT, GREY, INK
from skinkit import MONTHS, WEEKDAYS

CARD = (220, 272)            # picture, shadow included
SHEET = (10, 6, 210, 258)    # the card itself
BAND = 44                    # height of the terracotta month band
NAME = (196, 28)
DAY = (64, 96)
YEAR = (14, 20)
CAL_PLACES = {"month": (12, 14), "weekday": (12, 166), "day1": (46, 62),
              "day2": (110, 62), "year1": (82, 220), "year2": (96, 220),
              "year3": (110, 220), "year4": (124, 220)}


def card():
    w, h = CARD
    k = P.SS
    big = (w * k, h * k)
    x0, y0, x1, y1 = [v * k for v in SHEET]
    sheet = P.rounded(big, (x0, y0, x1, y1), 6 * k)
    band = ImageChops.multiply(sheet, P.rounded(big, (0, 0, w * k, y0 + BAND * k), 0))
    rule, d = P.mask(big)
    d.line((x0 + 60 * k, 204 * k, x1 - 60 * k, 204 * k), fill=255, width=int(1.0 * k))
    rings, rd = P.mask(big)
    for cx in (x0 + 44 * k, x1 - 44 * k):
        rd.ellipse((cx - 3.5 * k, y0 + 6 * k, cx + 3.5 * k, y0 + 13 * k), fill=255)
    layers = [P.shadow(sheet, 0, 5 * k, 8 * k, 0.22, (60, 50, 40)),
              P.shadow(sheet, 0, 1 * k, 1.2 * k, 0.22, (60, 50, 40)),
              P.layer(P.gradient(big, [(0, (255, 255, 253)), (1, (247, 244, 238))]), sheet),
              P.solid(big, ACCENT, band),
              P.solid(big, (250, 246, 240), P.scale_alpha(rings, 0.9)),
              P.solid(big, GREY, P.scale_alpha(rule, 0.6))]
    return P.down(P.paste_layers(big, layers), CARD)


def line(size, text, fnt_name, px, colour, tracking=0.0):
    k = P.SS
    big = (size[0] * k, size[1] * k)
    m = spaced_text(big, (big[0] / 2, big[1] / 2), text,
                    P.font(fnt_name, int(px * k)), tracking * k)
    return P.down(P.solid(big, colour, m), size)


def month_name(k):
    return line(NAME, MONTHS[k - 1].upper(), "DejaVuSans.ttf", 14,
                (255, 252, 246), 3.0)


def weekday_name(k):
    return line(NAME, WEEKDAYS[k - 1], "DejaVuSans.ttf", 16,
                ACCENT if k == 1 else GREY)


def day_digit(d):
    return line(DAY, str(d), "DejaVuSans-ExtraLight.ttf", 92, INK)


def year_digit(d):
    return line(YEAR, str(d), "DejaVuSans.ttf", 14, GREY)


def pogoda(size=96):
    """Line drawing: a terracotta sun behind a graphite cloud outline."""
    k = P.SS
    big = (size * k, size * k)
    sx, sy = 58 * k, 36 * k
    sun, sd = P.mask(big)
    sd.ellipse((sx - 14 * k, sy - 14 * k, sx + 14 * k, sy + 14 * k), outline=255,
               width=int(2.6 * k))
    for i in range(8):
        a = math.radians(i * 45)
        sd.line(((sx + math.cos(a) * 19 * k, sy + math.sin(a) * 19 * k),
                 (sx + math.cos(a) * 26 * k, sy + math.sin(a) * 26 * k)),
                fill=255, width=int(2.6 * k))
    def cloud(grow):
        m, d = P.mask(big)
        for bx, by, br in ((30, 58, 13), (48, 50, 17), (66, 60, 11)):
            r = br + grow
            d.ellipse(((bx - r) * k, (by - r) * k, (bx + r) * k, (by + r) * k), fill=255)
        d.rounded_rectangle(((17 - grow) * k, (56 - grow) * k, (77 + grow) * k,
                             (71 + grow) * k), radius=(7 + grow) * k, fill=255)
        return m

    fill = cloud(0)
    outline = ImageChops.subtract(fill, cloud(-2.6))
    sun = ImageChops.subtract(sun, cloud(3.0))
    layers = [P.solid(big, ACCENT, sun),
              P.solid(big, (252, 250, 246), P.scale_alpha(fill, 0.9)),
              P.solid(big, INK, outline)]
    return P.down(P.paste_layers(big, layers), (size, size))


def label():
    """The program's name, set small and wide, for a corner of the sheet."""
    return line((220, 30), "MORAVEL", "DejaVuSans-ExtraLight.ttf", 17, GREY, 9.0)
