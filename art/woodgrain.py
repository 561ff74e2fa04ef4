"""Procedural wood: flat-sawn walnut boards, made only with Pillow.

Every picture here is a function of a seed, so the same call gives the same
pixels on every run. Float images ("F") carry the fields; ImageMath does the
per-pixel arithmetic, so there is no per-pixel Python loop.
"""

import math
import random

from PIL import Image, ImageChops, ImageFilter, ImageMath, ImageOps

# Tone ramp of the finished surface: deep shadow, body, highlight (sRGB).
WALNUT_DARK = (22, 12, 8)
WALNUT_MID = (104, 62, 36)
WALNUT_LIGHT = (204, 150, 94)
WALNUT = (WALNUT_DARK, WALNUT_MID, WALNUT_LIGHT)
# Pale oak of the button tiles.
OAK = ((84, 62, 42), (202, 172, 134), (248, 236, 212))


def value_noise(rng, size, cells, amplitude=1.0):
    """Smooth noise in [-amplitude, amplitude], 'F' image of `size`.

    `cells` is the (columns, rows) of random lattice values; fewer cells give
    broader features. Bicubic interpolation of the lattice makes it smooth.
    """
    cw, ch = max(2, int(cells[0])), max(2, int(cells[1]))
    small = Image.new("F", (cw, ch))
    small.putdata([rng.uniform(-amplitude, amplitude) for _ in range(cw * ch)])
    return small.resize(size, Image.BICUBIC)


def fractal_noise(rng, size, cells, octaves=3, falloff=0.5):
    """Sum of value-noise octaves; each one has twice the cells of the last."""
    total = None
    amp = 1.0
    cx, cy = cells
    for _ in range(octaves):
        layer = value_noise(rng, size, (cx, cy), amp)
        total = layer if total is None else ImageMath.eval("a+b", a=total, b=layer)
        amp *= falloff
        cx, cy = cx * 2, cy * 2
    return total


def ramp(size, horizontal):
    """'F' image whose value is the x (or y) pixel coordinate."""
    w, h = size
    if horizontal:
        line = Image.new("F", (w, 1))
        line.putdata([float(i) for i in range(w)])
    else:
        line = Image.new("F", (1, h))
        line.putdata([float(i) for i in range(h)])
    return line.resize(size, Image.NEAREST)


def lut(fn):
    """256-entry table for Image.point from fn: [0,1) -> [0,1]."""
    return [max(0, min(255, int(round(255 * fn(i / 256.0))))) for i in range(256)]


def ring_table(rng, rings):
    """Darkness table across `rings` growth rings of uneven width: pale
    early wood, a late-wood band that darkens slowly and ends sharply."""
    widths = [rng.uniform(0.6, 1.4) for _ in range(rings)]
    strength = [rng.uniform(0.55, 1.0) for _ in range(rings)]
    total = sum(widths)
    edges = [0.0]
    for wdt in widths:
        edges.append(edges[-1] + wdt / total)

    def profile(u):
        k = 0
        while k < rings - 1 and u >= edges[k + 1]:
            k += 1
        t = (u - edges[k]) / (edges[k + 1] - edges[k])
        late = max(0.0, (t - 0.35) / 0.65) ** 1.8
        return strength[k] * (0.08 + 0.72 * late + 0.2 * (t > 0.9))

    return lut(profile)


def fract_to_l(expr, **images):
    """Evaluates expr (a float field), keeps its fractional part as 0..255."""
    return ImageMath.eval(
        "convert((%s %% 1.0) * 255.99, 'L')" % expr, **images)


RINGS_PER_TABLE = 4


def board(rng, size):
    """Darkness ('L', 0 = pale, 255 = dark) of one flat-sawn board."""
    w, h = size
    x = ramp(size, True)
    y = ramp(size, False)
    spacing = rng.uniform(11.0, 16.0)            # pixels between rings
    pith_y = rng.uniform(0.3, 0.7) * h             # heart line of the log
    depth0 = rng.uniform(4.0, 7.0) * spacing       # cut plane below the pith
    tilt = rng.choice((-1, 1)) * rng.uniform(2.0, 4.0) * spacing / w    # plane not parallel to log
    # Slow bends of the growth rings; the cut depth changes along the board,
    # which draws the arches of flat-sawn wood.
    bend = fractal_noise(rng, size, (4, 2), 2, 0.35)
    along = value_noise(rng, size, (4, 2), 1.0)
    wobble = value_noise(rng, size, (40, 8), 1.0)
    phase = ImageMath.eval(
        "((((y - py) + bend*bs + wobble*ws)**2"
        " + (d0 + x*tl + along*as_)**2) ** 0.5) / sp",
        x=x, y=y, py=pith_y, bend=bend, bs=spacing * 0.9,
        wobble=wobble, ws=spacing * 0.10, d0=depth0, tl=tilt,
        along=along, as_=spacing * 0.7, sp=spacing)
    rings = fract_to_l("p/%d.0" % RINGS_PER_TABLE, p=phase).point(
        ring_table(rng, RINGS_PER_TABLE))
    rings = rings.filter(ImageFilter.GaussianBlur(0.7))
    # Fine growth lines that follow the rings, drawn from a random table.
    raw = [rng.random() for _ in range(97)]
    fine_table = lut(lambda t: raw[int(t * 97)] ** 3)
    fine = fract_to_l("p*1.37", p=phase).point(fine_table)
    fine = fine.filter(ImageFilter.GaussianBlur(0.5))
    # Pores: short dark streaks along the board.
    pores = value_noise(rng, (w // 10, h), (w // 10, h), 1.0).resize(
        size, Image.BICUBIC)
    # Broad colour drift within the board (sapwood, minerals, light spots).
    drift = fractal_noise(rng, size, (5, 2), 2, 0.5)
    dark = ImageMath.eval(
        "convert(float(r)*0.35 + float(f)*0.09 + (p*0.5+0.5)**3*30.0"
        " + (d*0.5+0.5)*40.0 + k, 'L')",
        r=rings, f=fine, p=pores, d=drift, k=rng.uniform(30.0, 48.0))
    return dark


def boards(seed, size, count):
    """Darkness ('L') of `count` horizontal boards filling `size`, with
    seams. Returns (darkness, seam rows)."""
    rng = random.Random(seed)
    w, h = size
    out = Image.new("L", size)
    seams = []
    edges = [round(i * h / count) for i in range(count + 1)]
    for i in range(count):
        top, bottom = edges[i], edges[i + 1]
        piece = board(rng, (w, bottom - top))
        out.paste(piece, (0, top))
        if i > 0:
            seams.append(top)
    return out, seams


def light_map(size, strength=1.0):
    """Brightness factor ('F', about 0.45..1.1): light from the top-left,
    a satin sheen along the diagonal and a soft vignette."""
    w, h = size
    sw, sh = 192, max(2, round(192 * h / w))
    small = Image.new("F", (sw, sh))
    data = []
    diag = math.hypot(sw, sh)
    for j in range(sh):
        for i in range(sw):
            u, v = (i + 0.5) / sw, (j + 0.5) / sh
            # distance from a light above the top-left quarter
            dl = math.hypot((i - sw * 0.22), (j - sh * 0.05)) / diag
            light = 1.14 - 0.55 * dl
            # vignette on the normalised square
            r = math.hypot((u - 0.5) * 1.0, (v - 0.5) * 1.15) / 0.72
            vig = 1.0 - 0.5 * max(0.0, r) ** 2.2
            data.append(1.0 + (light * vig - 1.0) * strength)
    small.putdata(data)
    return small.resize(size, Image.BICUBIC)


def finish(darkness, seams, strength=1.0, palette=WALNUT):
    """Turns board darkness into the lit, coloured RGB surface; palette is
    (shadow, body, highlight)."""
    size = darkness.size
    lit = ImageMath.eval("convert((255.0 - float(d)) * l, 'L')",
                         d=darkness, l=light_map(size, strength))
    rgb = ImageOps.colorize(lit, palette[0], palette[2], palette[1],
                            blackpoint=0, whitepoint=235, midpoint=150)
    if seams:
        rgb = draw_seams(rgb, seams)
    return rgb


def draw_seams(rgb, seams):
    """Thin dark joint with a faint lit lower lip between boards."""
    w, h = rgb.size
    shade = Image.new("L", rgb.size, 255)
    lift = Image.new("L", rgb.size, 0)
    for y in seams:
        for dy, k in ((-1, 200), (0, 120), (1, 175)):
            if 0 <= y + dy < h:
                shade.paste(k, (0, y + dy, w, y + dy + 1))
        if y + 2 < h:
            lift.paste(22, (0, y + 2, w, y + 3))
    shade = shade.filter(ImageFilter.GaussianBlur(0.5))
    rgb = ImageChops.multiply(rgb, Image.merge("RGB", (shade,) * 3))
    return ImageChops.add(rgb, Image.merge("RGB", (lift,) * 3))
