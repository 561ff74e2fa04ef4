"""Analog clock parts: the dial plates and the hands.

Hands are drawn pointing right (towards 3 o'clock) from their pivot; the
program turns them. A hand comes back as (RGBA picture, (pivot x, pivot y)).
The minute and second hands are stored as 24-bit BMP files without alpha:
the program takes the colour of their top-left pixel as a key and makes the
pixels of exactly that colour transparent, so `keyed_bmp` flattens a hand
onto a colour close to its own edge and fills the rest with the key.
"""

import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import paint as P
from objects import spaced_text

KEY = (255, 0, 255)          # pure magenta, the flat background of the BMPs
PAD = 3                      # empty margin round a hand (the program clears
                             # the outermost pixel ring of every hand)
DARK_HAND = (36, 24, 16)     # near-black bronze of the wood hands
SECOND_RED = (150, 34, 22)


def keyed_bmp(hand, near, key=KEY, threshold=110):
    """RGB picture of an RGBA hand for a BMP file: pixels the hand covers
    to at least `threshold` / 255 are the hand flattened onto `near`, every
    other pixel (the top-left one included) is exactly `key`."""
    w, h = hand.size
    flat = Image.new("RGBA", hand.size, near + (255,))
    flat.alpha_composite(hand)
    flat = flat.convert("RGB")
    inside = hand.getchannel("A").point(lambda v: 255 if v >= threshold else 0)
    out = Image.new("RGB", hand.size, key)
    out.paste(flat, (0, 0), inside)
    # The key must not occur inside the hand: nudge any pixel that hits it.
    data = list(out.getdata())
    inside_data = inside.getdata()
    nudged = [(r, g ^ 1, b) if (r, g, b) == key and m else (r, g, b)
              for (r, g, b), m in zip(data, inside_data)]
    out.putdata(nudged)
    out.putpixel((0, 0), key)
    assert out.getpixel((0, 0)) == key
    return out


def _canvas(length, tail, half):
    """Supersampled canvas for a hand: returns (size, pivot in final px)."""
    w = PAD + tail + length + PAD
    h = 2 * (PAD + half) + 1
    return (w, h), (PAD + tail, PAD + half)


def hand_shape(length, tail, half, outline, ring=None, boss=0.0,
               counterweight=0.0):
    """Mask of a hand on a supersampled canvas.

    `outline` lists (distance from the pivot, half width) pairs, pixels,
    along the hand from its tail (negative distance) to its tip; the shape
    is symmetric about the pointing axis. `ring` = (distance, outer radius,
    inner radius) cuts a Breguet-style eye; `boss` and `counterweight` are
    radii of discs at the pivot and on the tail's end.
    Returns (mask, final size, pivot)."""
    size, pivot = _canvas(length, tail, half)
    k = P.SS
    big = (size[0] * k, size[1] * k)
    px, py = (pivot[0] + 0.5) * k, (pivot[1] + 0.5) * k
    top = [(px + d * k, py - w * k) for d, w in outline]
    bottom = [(px + d * k, py + w * k) for d, w in reversed(outline)]
    m = P.polygon(big, top + bottom)
    d = ImageDraw.Draw(m)
    if boss:
        d.ellipse((px - boss * k, py - boss * k, px + boss * k, py + boss * k),
                  fill=255)
    if counterweight:
        cx = px - (tail - counterweight - 0.5) * k
        r = counterweight * k
        d.ellipse((cx - r, py - r, cx + r, py + r), fill=255)
    if ring:
        dist, outer, inner = ring
        cx = px + dist * k
        d.ellipse((cx - outer * k, py - outer * k, cx + outer * k,
                   py + outer * k), fill=255)
        d.ellipse((cx - inner * k, py - inner * k, cx + inner * k,
                   py + inner * k), fill=0)
    return m, size, pivot


def finish_hand(m, size, colour, shine=0.35):
    """Colours a hand mask: a lit upper facet and a darker lower one."""
    big = m.size
    body = P.gradient(big, [(0, P.lerp(colour, (255, 244, 220), shine)),
                            (0.49, P.lerp(colour, (255, 244, 220), shine * 0.4)),
                            (0.51, colour), (1, P.lerp(colour, (0, 0, 0), 0.3))])
    img = P.layer(body, m)
    return P.down(img, size)


def wood_hands():
    """Breguet hands in dark bronze and a slim red second hand."""
    hour_m, size, piv = hand_shape(
        54, 14, 8, [(-14, 2.4), (-4, 3.6), (10, 3.4), (30, 2.4), (38, 2.2),
                    (44, 3.4), (54, 0.3)], ring=(36, 7.0, 4.2), boss=7.5)
    hour = finish_hand(hour_m, size, DARK_HAND), piv
    min_m, size, piv = hand_shape(
        86, 18, 7, [(-18, 1.9), (-4, 2.9), (12, 2.6), (58, 1.6), (64, 1.5),
                    (70, 2.5), (86, 0.3)], ring=(61, 5.8, 3.4), boss=6.0)
    minute = finish_hand(min_m, size, DARK_HAND), piv
    sec_m, size, piv = hand_shape(
        90, 28, 6, [(-28, 0.9), (0, 1.2), (80, 0.75), (90, 0.3)],
        boss=3.6, counterweight=4.6)
    second = finish_hand(sec_m, size, SECOND_RED, 0.25), piv
    return {"hour": hour, "minute": minute, "second": second}


def ticks(size, cx, cy, r_out, lengths, widths, k):
    """Mask of radial tick marks: 60 of them; every fifth uses index 1."""
    m, d = P.mask(size)
    for i in range(60):
        major = i % 5 == 0
        ln, wd = lengths[major] * k, widths[major] * k
        a = math.radians(i * 6)
        sx, sy = math.sin(a), -math.cos(a)
        d.line(((cx + sx * r_out, cy + sy * r_out),
                (cx + sx * (r_out - ln), cy + sy * (r_out - ln))),
               fill=255, width=max(1, int(wd)))
    return m


def wood_plate(size=240):
    """Brass bezel, walnut-dark groove and an ivory enamel dial with serif
    numerals and a minute track. The dial centre is the picture centre."""
    k = P.SS
    S = size * k
    big = (S, S)
    c = S / 2
    r_bezel, r_groove, r_dial = 110 * k, 97 * k, 94 * k

    def disc(r, dy=0):
        return P.ellipse(big, (c - r, c - r + dy, c + r, c + r + dy))

    bezel, groove, dial = disc(r_bezel), disc(r_groove), disc(r_dial)
    ring = ImageChops.subtract(bezel, groove)
    enamel = P.gradient(big, [(0, (252, 246, 230)), (0.6, (240, 228, 202)),
                              (1, (222, 204, 170))])
    # soft inner shade thrown by the bezel on the dial
    shade = ImageChops.subtract(dial, disc(r_dial - 10 * k, 7 * k))
    shade = shade.filter(ImageFilter.GaussianBlur(6 * k))
    shade = ImageChops.multiply(shade, dial)
    track = ticks(big, c, c, 88 * k, (5, 11), (1.1, 2.6), k)
    circles, cd = P.mask(big)
    for r, wd in ((88, 1.0), (83, 0.8)):
        cd.ellipse((c - r * k, c - r * k, c + r * k, c + r * k), outline=255,
                   width=int(wd * k))
    nums, nd = P.mask(big)
    fnt = P.font("DejaVuSerif.ttf", 19 * k)
    for h in range(1, 13):
        a = math.radians(h * 30)
        r = 66 * k
        nd.text((c + math.sin(a) * r, c - math.cos(a) * r + 1 * k), str(h),
                font=fnt, fill=255, anchor="mm")
    small = P.font("DejaVuSerif.ttf", int(7.5 * k))
    maker = spaced_text(big, (c, c - 32 * k), "MORAVEL", small, 1.6 * k)
    ink = (44, 28, 16)
    layers = [P.shadow(bezel, 0, 4 * k, 5 * k, 0.7),
              P.shadow(bezel, 0, 1 * k, 1.5 * k, 0.5),
              P.layer(P.brass(big, 51), ring),
              *P.bevel(bezel, int(2.2 * k), light_k=0.8, dark_k=0.6),
              P.solid(big, (58, 34, 18), groove),
              P.layer(enamel, dial),
              P.solid(big, (120, 88, 50), P.scale_alpha(shade, 0.35)),
              P.solid(big, ink, P.scale_alpha(track, 0.85)),
              P.solid(big, ink, P.scale_alpha(circles, 0.7)),
              P.solid(big, ink, P.scale_alpha(nums, 0.92)),
              P.solid(big, (120, 84, 40), P.scale_alpha(maker, 0.8))]
    # a faint glass reflection across the upper left of the dial
    glare = P.ellipse(big, (c - 80 * k, c - 96 * k, c + 40 * k, c - 10 * k))
    glare = ImageChops.multiply(glare.filter(
        ImageFilter.GaussianBlur(18 * k)), dial)
    layers.append(P.solid(big, (255, 255, 255), P.scale_alpha(glare, 0.18)))
    return P.down(P.paste_layers(big, layers), (size, size))
