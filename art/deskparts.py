"""Desk pieces of the wood skin: the digit clock (a brass bar with six dark
windows), the tear-off calendar and the weather medallion (pogoda.png).

Sizes and offsets below are the layout that draw_wood.py places; the digit
and name pictures are transparent except for their own ink.
"""

import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import paint as P
from objects import spaced_text
from skinkit import MONTHS, WEEKDAYS

DIGIT = (28, 44)             # one window of the digit clock
DIGIT_STEP, PAIR_GAP = 30, 14
BAR = (236, 68)              # brass bar under the digits
BAR_PAD = (17, 12)           # first window inside the bar
IVORY = (246, 234, 206)
INK = (44, 28, 18)
RED_INK = (156, 38, 26)

PAD = (224, 300)             # calendar picture, shadow included
PAGE = (12, 28, 212, 282)    # printed page inside it
NAME = (196, 30)             # month and weekday pictures
DAY = (72, 100)              # one big day digit
YEAR = (16, 24)              # one small year digit
# where each calendar picture lies, from the pad's top-left corner
CAL_PLACES = {"month": (14, 54), "weekday": (14, 200), "day1": (40, 94),
              "day2": (112, 94), "year1": (80, 245), "year2": (96, 245),
              "year3": (112, 245), "year4": (128, 245)}


def digit_window(d):
    """A recessed walnut window with an ivory serif digit."""
    w, h = DIGIT
    k = P.SS
    big = (w * k, h * k)
    win = P.rounded(big, (0, 0, w * k, h * k), 4 * k)
    wood = P.gradient(big, [(0, (28, 16, 10)), (0.5, (58, 34, 20)),
                            (1, (34, 20, 12))])
    num = P.text_mask(big, (w * k / 2, h * k / 2 + 1 * k), str(d),
                      P.font("DejaVuSerifCondensed-Bold.ttf", 33 * k))
    seam, sd = P.mask(big)
    sd.line((2 * k, h * k / 2, (w - 2) * k, h * k / 2), fill=255, width=k)
    ivory = P.gradient(big, [(0, (255, 248, 228)), (1, (222, 204, 170))])
    layers = [P.layer(wood, win),
              *P.bevel(win, int(2 * k), light=(0, 0, 0), dark=(255, 226, 170),
                       light_k=0.7, dark_k=0.35),
              P.shadow(num, 0, 1 * k, 1 * k, 0.8, (0, 0, 0)),
              P.layer(ivory, num),
              P.solid(big, (10, 6, 4), P.scale_alpha(seam, 0.45))]
    return P.down(P.paste_layers(big, layers), DIGIT)


def digit_bar():
    """The brass bar that carries the six windows, with engraved colons."""
    w, h = BAR
    k = P.SS
    big = (w * k, h * k)
    body = P.rounded(big, (3 * k, 2 * k, (w - 3) * k, (h - 8) * k), 9 * k)
    dots, d = P.mask(big)
    x0, y0 = BAR_PAD
    for pair in (1, 2):
        cx = x0 + pair * 2 * DIGIT_STEP + (pair - 1) * PAIR_GAP - 2 + PAIR_GAP / 2
        for cy in (y0 + 14, y0 + 30):
            d.ellipse(((cx - 2.6) * k, (cy - 2.6) * k, (cx + 2.6) * k,
                       (cy + 2.6) * k), fill=255)
    sockets = Image.new("L", big, 0)
    sd = ImageDraw.Draw(sockets)
    for i in range(6):
        x = x0 + i * DIGIT_STEP + (i // 2) * PAIR_GAP
        sd.rounded_rectangle(((x - 1.5) * k, (y0 - 1.5) * k,
                              (x + DIGIT[0] + 1.5) * k, (y0 + DIGIT[1] + 1.5) * k),
                             radius=5 * k, fill=255)
    layers = [P.shadow(body, 0, 4 * k, 4 * k, 0.65),
              P.layer(P.brass(big, 61), body),
              *P.bevel(body, int(1.8 * k), light_k=0.75, dark_k=0.55),
              P.solid(big, (40, 24, 10), P.scale_alpha(sockets, 0.85)),
              P.solid(big, (255, 236, 180), P.scale_alpha(P.shift(dots, 0, k), 0.5)),
              P.solid(big, (46, 28, 12), P.scale_alpha(dots, 0.9))]
    return P.down(P.paste_layers(big, layers), BAR)


def calendar_pad():
    """Tear-off pad: a brass clip over a stack of ivory pages with a red
    rule under the month and a thin one above the year."""
    w, h = PAD
    k = P.SS
    big = (w * k, h * k)
    x0, y0, x1, y1 = [v * k for v in PAGE]
    stack = []
    for i in (3, 2, 1):
        stack.append(P.rounded(big, (x0 + i * k * 0.5, y0 + i * 2 * k,
                                     x1 - i * k * 0.5, y1 + i * 2.6 * k), 3 * k))
    page = P.rounded(big, (x0, y0, x1, y1), 3 * k)
    paper = P.gradient(big, [(0, (252, 246, 232)), (1, (234, 222, 198))])
    clip = P.rounded(big, (x0 - 4 * k, 8 * k, x1 + 4 * k, 44 * k), 7 * k)
    rules, rd = P.mask(big)
    rd.line((x0 + 22 * k, 90 * k, x1 - 22 * k, 90 * k), fill=255, width=int(1.4 * k))
    rd.line((x0 + 56 * k, 238 * k, x1 - 56 * k, 238 * k), fill=255, width=int(0.9 * k))
    perfor, pd = P.mask(big)
    for i in range(24):
        cx = x0 + (8 + i * 8) * k
        pd.ellipse((cx - 1.1 * k, 50 * k, cx + 1.1 * k, 52.2 * k), fill=255)
    layers = [P.shadow(ImageChops.lighter(stack[0], clip), 3 * k, 7 * k, 7 * k, 0.6)]
    for i, s in enumerate(stack):
        tone = 214 + i * 12
        layers += [P.solid(big, (tone, tone - 12, tone - 34), s),
                   P.shadow(s, 0, -int(0.6 * k), 0.6 * k, 0.25)]
    layers += [P.layer(paper, page),
               P.solid(big, (150, 120, 90), P.scale_alpha(perfor, 0.5)),
               P.solid(big, RED_INK, P.scale_alpha(rules, 0.8)),
               P.shadow(clip, 0, 3 * k, 3 * k, 0.6),
               P.layer(P.brass(big, 71), clip),
               *P.bevel(clip, int(1.8 * k), light_k=0.75, dark_k=0.55)]
    for cx in (x0 + 30 * k, x1 - 30 * k):
        rivet = P.ellipse(big, (cx - 5 * k, 21 * k, cx + 5 * k, 31 * k))
        layers += [P.shadow(rivet, 0, k, k, 0.6),
                   P.layer(P.brass(big, 72, 1.1), rivet), *P.bevel(rivet, k)]
    title = spaced_text(big, (w * k / 2, 26.5 * k), "КАЛЕНДАРЬ",
                        P.font("DejaVuSerif.ttf", 10 * k), 2.5 * k)
    layers += [P.solid(big, (255, 238, 190), P.scale_alpha(P.shift(title, 0, k), 0.5)),
               P.solid(big, INK, P.scale_alpha(title, 0.85))]
    return P.down(P.paste_layers(big, layers), PAD)


def printed(size, text, fnt_name, px, colour, tracking=0.0, upper=False):
    """Transparent picture of one printed line, centred."""
    k = P.SS
    big = (size[0] * k, size[1] * k)
    fnt = P.font(fnt_name, int(px * k))
    t = text.upper() if upper else text
    m = spaced_text(big, (big[0] / 2, big[1] / 2), t, fnt, tracking * k)
    return P.down(P.solid(big, colour, m), size)


def month_name(k):
    return printed(NAME, MONTHS[k - 1], "DejaVuSerif-Bold.ttf", 17, RED_INK,
                   2.2, upper=True)


def weekday_name(k):
    colour = RED_INK if k == 1 else INK
    return printed(NAME, WEEKDAYS[k - 1], "DejaVuSerif-Italic.ttf", 18, colour)


def day_digit(d):
    return printed(DAY, str(d), "DejaVuSerifCondensed-Bold.ttf", 104, INK)


def year_digit(d):
    return printed(YEAR, str(d), "DejaVuSerif.ttf", 17, (92, 70, 52))


def pogoda(size=112):
    """Brass medallion with a sun half hidden behind an ivory cloud."""
    k = P.SS
    big = (size * k, size * k)
    c = size * k / 2
    r = 50 * k
    disc = P.ellipse(big, (c - r, c - r - 2 * k, c + r, c + r - 2 * k))
    field = P.ellipse(big, (c - 41 * k, c - 43 * k, c + 41 * k, c + 39 * k))
    sx, sy = c + 10 * k, c - 13 * k
    sun = P.ellipse(big, (sx - 17 * k, sy - 17 * k, sx + 17 * k, sy + 17 * k))
    rays, rd = P.mask(big)
    for i in range(12):
        a = math.radians(i * 30 + 15)
        rd.line(((sx + math.cos(a) * 22 * k, sy + math.sin(a) * 22 * k),
                 (sx + math.cos(a) * 31 * k, sy + math.sin(a) * 31 * k)),
                fill=255, width=int(3.4 * k))
    rays = ImageChops.multiply(rays, field)
    cloud, cd = P.mask(big)
    for bx, by, br in ((-14, 12, 14), (2, 4, 17), (18, 12, 12), (-26, 19, 9)):
        cd.ellipse((c + (bx - br) * k, c + (by - br) * k, c + (bx + br) * k,
                    c + (by + br) * k), fill=255)
    cd.rounded_rectangle((c - 34 * k, c + 12 * k, c + 30 * k, c + 28 * k),
                         radius=8 * k, fill=255)
    sky = P.gradient(big, [(0, (70, 44, 26)), (1, (38, 22, 12))])
    layers = [P.shadow(disc, 0, 4 * k, 5 * k, 0.65),
              P.layer(P.brass(big, 81), disc),
              *P.bevel(disc, int(2 * k), light_k=0.8, dark_k=0.55),
              P.layer(sky, field),
              *P.bevel(field, int(1.6 * k), light=(0, 0, 0), dark=(255, 220, 160),
                       light_k=0.6, dark_k=0.3),
              P.layer(P.brass(big, 82, 1.1), ImageChops.lighter(sun, rays)),
              *P.bevel(ImageChops.lighter(sun, rays), int(1.2 * k)),
              P.shadow(cloud, 0, 2 * k, 2.5 * k, 0.6, (0, 0, 0)),
              P.layer(P.gradient(big, [(0, (255, 250, 236)), (1, (214, 196, 164))]),
                      cloud),
              *P.bevel(cloud, int(1.4 * k), light_k=0.6, dark_k=0.35)]
    return P.down(P.paste_layers(big, layers), (size, size))
