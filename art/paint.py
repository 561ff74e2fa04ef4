"""Small painting toolkit on top of Pillow: masks, gradients, materials,
shadows and bevels. Shapes are drawn on a canvas SS times larger than the
result and scaled down with Lanczos, which gives smooth edges (Pillow's own
drawing has none). Colours are sRGB tuples; masks are 'L' images.

Pictures are made for a pixel density: DENSITY 2 gives the "@2x" pictures
that high-density screens show, twice as wide and high, brought down from
the same canvases. Sizes and places are written in 1x pixels everywhere;
`down` and the steps that draw at the final size multiply them by DENSITY.
"""

import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SS = 8  # supersampling factor of every drawing canvas
DENSITY = 1  # final pixels per 1x pixel: 1, or 2 for the "@2x" pictures

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"


def font(name, px):
    """A DejaVu face (fonts-dejavu-core) at `px` pixels."""
    return ImageFont.truetype(FONT_DIR + name, px)


def mask(size):
    """Blank mask and a drawer on it."""
    m = Image.new("L", size, 0)
    return m, ImageDraw.Draw(m)


def rounded(size, box, radius):
    """Mask with one filled rounded rectangle."""
    m, d = mask(size)
    d.rounded_rectangle(box, radius=radius, fill=255)
    return m


def ellipse(size, box):
    m, d = mask(size)
    d.ellipse(box, fill=255)
    return m


def polygon(size, points):
    m, d = mask(size)
    d.polygon(points, fill=255)
    return m


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def gradient(size, stops, horizontal=False):
    """RGB image graded through `stops` [(t, colour), ...] from top to
    bottom (or left to right)."""
    n = 256
    line = []
    for i in range(n):
        t = i / (n - 1)
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                line.append(lerp(c0, c1, (t - t0) / max(1e-9, t1 - t0)))
                break
        else:
            line.append(stops[-1][1] if t > stops[-1][0] else stops[0][1])
    strip = Image.new("RGB", (n, 1) if horizontal else (1, n))
    strip.putdata(line)
    return strip.resize(size, Image.BICUBIC)


def layer(colour_img, alpha):
    """RGBA layer: colour image (RGB) cut by an alpha mask."""
    out = colour_img.convert("RGBA")
    out.putalpha(alpha)
    return out


def solid(size, colour, alpha):
    return layer(Image.new("RGB", size, colour), alpha)


def scale_alpha(m, k):
    return m.point(lambda v: int(v * k))


def shift(m, dx, dy):
    """Mask moved by (dx, dy); the uncovered part is empty."""
    out = Image.new(m.mode, m.size, 0)
    out.paste(m, (dx, dy))
    return out


def shadow(m, dx, dy, blur, opacity, colour=(18, 9, 4)):
    """Soft drop shadow of a mask."""
    a = shift(m, dx, dy).filter(ImageFilter.GaussianBlur(blur))
    return solid(m.size, colour, scale_alpha(a, opacity))


def glow(m, blur, opacity, colour):
    a = m.filter(ImageFilter.GaussianBlur(blur))
    return solid(m.size, colour, scale_alpha(a, opacity))


def bevel(m, width, light=(255, 240, 210), dark=(30, 16, 6),
          light_k=0.55, dark_k=0.5):
    """Two layers that light the top-left rim of a shape and shade its
    bottom-right rim, `width` pixels deep."""
    soft = m.filter(ImageFilter.GaussianBlur(width * 0.5))
    hi = ImageChops.subtract(m, shift(soft, width, width))
    lo = ImageChops.subtract(m, shift(soft, -width, -width))
    hi = ImageChops.multiply(hi, m).filter(ImageFilter.GaussianBlur(width * 0.35))
    lo = ImageChops.multiply(lo, m).filter(ImageFilter.GaussianBlur(width * 0.35))
    hi = ImageChops.multiply(hi, m)
    lo = ImageChops.multiply(lo, m)
    return (solid(m.size, light, scale_alpha(hi, light_k)),
            solid(m.size, dark, scale_alpha(lo, dark_k)))


def brushed(size, seed, strength=18):
    """Fine horizontal brushing noise ('L', centred on 128)."""
    rng = random.Random(seed)
    w, h = size
    cols = max(2, w // 40)
    small = Image.new("L", (cols, h))
    small.putdata([128 + int(rng.gauss(0, strength)) for _ in range(cols * h)])
    return small.resize(size, Image.BICUBIC)


def brass(size, seed=1, bright=1.0):
    """Polished brass: warm vertical grading, a soft sheen and brushing."""
    stops = [(0.0, (250, 226, 160)), (0.22, (222, 178, 98)),
             (0.55, (170, 118, 48)), (0.8, (140, 94, 36)),
             (1.0, (196, 150, 74))]
    if bright != 1.0:
        stops = [(t, tuple(min(255, int(v * bright)) for v in c))
                 for t, c in stops]
    base = gradient(size, stops)
    noise = brushed(size, seed)
    return ImageChops.overlay(base, Image.merge("RGB", (noise,) * 3))


def paste_layers(size, layers):
    """Composes RGBA layers bottom to top on a transparent canvas."""
    out = Image.new("RGBA", size, (0, 0, 0, 0))
    for lay in layers:
        if lay is not None:
            out = Image.alpha_composite(out, lay)
    return out


def px(v):
    """A length or place in 1x pixels as final pixels at DENSITY."""
    return v * DENSITY


def down(img, size):
    """Scales a supersampled drawing to its final size: `size` in 1x
    pixels, times DENSITY."""
    return img.resize((size[0] * DENSITY, size[1] * DENSITY), Image.LANCZOS)


def text_mask(size, xy, text, fnt, anchor="mm"):
    m, d = mask(size)
    d.text(xy, text, font=fnt, fill=255, anchor=anchor)
    return m


def shift_layer(img, d):
    """RGBA layer moved d pixels right and down."""
    if d == 0:
        return img
    out = Image.new(img.mode, img.size, (0, 0, 0, 0))
    out.paste(img, (d, d))
    return out
