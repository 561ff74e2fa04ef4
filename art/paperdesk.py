"""The "paper" skin's desk: pale linen paper, a thin dark wall clock
without a second hand and a light digit clock.

Deterministic like the wood pieces: every random choice comes from a seed.
"""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageMath

import paint as P
from clockface import hand_shape
from woodgrain import light_map, value_noise

INK = (52, 52, 56)           # the one dark of the skin (warm graphite)
GREY = (128, 124, 118)
ACCENT = (196, 98, 64)       # terracotta, used sparingly
PAPER = (242, 238, 230)

DIGIT = (24, 40)
DIGIT_STEP, PAIR_GAP = 26, 12
COLON = (8, 40)


def linen(seed, size):
    """Pale paper with a faint linen weave and soft light ('RGB')."""
    rng = random.Random(seed)
    w, h = size
    warp = value_noise(rng, (w, h), (w // 24, h // 1), 1.0)     # vertical threads
    weft = value_noise(rng, (w, h), (w // 1, h // 24), 1.0)     # horizontal threads
    weft = weft.resize((w, h // 2), Image.BICUBIC).resize((w, h), Image.BICUBIC)
    cloud = value_noise(rng, (w, h), (12, 8), 1.0)
    fleck = value_noise(rng, (w // 2, h // 2), (w // 2, h // 2), 1.0).resize(
        (w, h), Image.BICUBIC)
    shade = ImageMath.eval(
        "convert(128.0 + a*5.0 + b*5.0 + c*7.0 + f*3.5, 'L')",
        a=warp, b=weft, c=cloud, f=fleck)
    light = ImageMath.eval("convert(l*200.0, 'L')", l=light_map(size, 0.18))
    base = Image.new("RGB", size, PAPER)
    grain = Image.merge("RGB", (shade,) * 3)
    out = ImageChops.overlay(base, grain)
    return ImageChops.multiply(out, Image.merge("RGB", (
        light.point(lambda v: min(255, v + 40)),) * 3))


def hands():
    """A slim hour bar (PNG) and a longer minute bar with a terracotta cap
    over the pivot (drawn in the minute hand, which lies above the hour)."""
    hour_m, size, piv = hand_shape(52, 12, 6, [(-12, 2.2), (52, 2.2)], boss=4.0)
    hour = P.down(P.solid(hour_m.size, INK, hour_m), size), piv
    min_m, size, piv = hand_shape(82, 16, 6, [(-16, 1.4), (82, 1.4)], boss=5.0)
    minute = P.down(P.solid(min_m.size, INK, min_m), size)
    k = P.SS
    cap = Image.new("L", min_m.size, 0)
    cx, cy = (piv[0] + 0.5) * k, (piv[1] + 0.5) * k
    ImageDraw.Draw(cap).ellipse((cx - 3.2 * k, cy - 3.2 * k, cx + 3.2 * k,
                                 cy + 3.2 * k), fill=255)
    minute.alpha_composite(P.down(P.solid(min_m.size, ACCENT, cap), size))
    return {"hour": hour, "minute": (minute, piv)}


def plate(size=232):
    """A white disc with a thin graphite rim and twelve bar marks."""
    k = P.SS
    S = size * k
    big = (S, S)
    c = S / 2
    r = 100 * k
    disc = P.ellipse(big, (c - r, c - r, c + r, c + r))
    rim, d = P.mask(big)
    d.ellipse((c - r, c - r, c + r, c + r), outline=255, width=int(3 * k))
    marks, md = P.mask(big)
    for i in range(12):
        a = math.radians(i * 30)
        quarter = i % 3 == 0
        r0, r1 = 88 * k, (70 if quarter else 78) * k
        md.line(((c + math.sin(a) * r0, c - math.cos(a) * r0),
                 (c + math.sin(a) * r1, c - math.cos(a) * r1)),
                fill=255, width=int((3.2 if quarter else 2.0) * k))
    minutes, nd = P.mask(big)
    for i in range(60):
        if i % 5:
            a = math.radians(i * 6)
            nd.line(((c + math.sin(a) * 88 * k, c - math.cos(a) * 88 * k),
                     (c + math.sin(a) * 84 * k, c - math.cos(a) * 84 * k)),
                    fill=255, width=int(1.0 * k))
    face = P.gradient(big, [(0, (255, 255, 253)), (1, (246, 243, 237))])
    layers = [P.shadow(disc, 0, 5 * k, 8 * k, 0.22, (60, 50, 40)),
              P.shadow(disc, 0, 1 * k, 1.2 * k, 0.25, (60, 50, 40)),
              P.layer(face, disc),
              P.solid(big, INK, rim),
              P.solid(big, INK, marks),
              P.solid(big, GREY, P.scale_alpha(minutes, 0.8))]
    return P.down(P.paste_layers(big, layers), (size, size))


def digit(d):
    """A thin graphite digit on nothing."""
    k = P.SS
    big = (DIGIT[0] * k, DIGIT[1] * k)
    m = P.text_mask(big, (big[0] / 2, big[1] / 2), str(d),
                    P.font("DejaVuSans-ExtraLight.ttf", 38 * k))
    m = m.filter(ImageFilter.MaxFilter(3))
    return P.down(P.solid(big, INK, m), DIGIT)


def colon():
    k = P.SS
    big = (COLON[0] * k, COLON[1] * k)
    m, d = P.mask(big)
    for cy in (15, 29):
        d.ellipse((2.2 * k, (cy - 1.8) * k, 5.8 * k, (cy + 1.8) * k), fill=255)
    return P.down(P.solid(big, ACCENT, m), COLON)
