"""The four special-folder icons and the program's own mark.

Each drawing is laid out on a 64-unit grid and painted on a supersampled
canvas, so one function gives crisp pictures at any size (64 for the skin,
smaller inside the button tiles, 48 and 256 for the program icon).
"""

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import paint as P
import woodgrain

SLATE_TOP = (86, 108, 122)
SLATE_BOTTOM = (22, 30, 40)
INK = (40, 22, 10)


class Grid:
    """Maps the 64-unit design grid to a canvas of `px` * SS pixels."""

    def __init__(self, px):
        self.px = px
        self.n = px * P.SS
        self.size = (self.n, self.n)
        self.k = self.n / 64.0

    def __call__(self, *v):
        return [c * self.k for c in v]

    def pts(self, *xy):
        return [(x * self.k, y * self.k) for x, y in xy]


def outline_layer(g, m, width, colour, opacity):
    """A thin dark line just outside a shape, for legibility when small."""
    grown = m.filter(ImageFilter.MaxFilter(2 * int(width * g.k / 2) + 1))
    ring = ImageChops.subtract(grown, m)
    return P.solid(g.size, colour, P.scale_alpha(ring, opacity))


def base_shadow(g, m):
    return P.shadow(m, int(0.9 * g.k), int(1.6 * g.k), 1.6 * g.k, 0.55)


def computer(px):
    g = Grid(px)
    bezel = P.rounded(g.size, g(5, 7, 59, 45), 4.5 * g.k)
    screen = P.rounded(g.size, g(9.5, 11, 54.5, 41), 1.8 * g.k)
    neck = P.polygon(g.size, g.pts((27, 44), (37, 44), (39.5, 53), (24.5, 53)))
    foot = P.rounded(g.size, g(16, 51.5, 48, 57), 2.6 * g.k)
    stand = ImageChops.lighter(neck, foot)
    whole = ImageChops.lighter(bezel, stand)
    shine = P.polygon(g.size, g.pts((9.5, 11), (36, 11), (20, 41), (9.5, 41)))
    shine = ImageChops.multiply(shine, screen)
    horizon = P.gradient(g.size, [(0, SLATE_TOP), (0.62, (48, 62, 76)),
                                  (0.72, (150, 112, 66)), (1, SLATE_BOTTOM)])
    layers = [base_shadow(g, whole),
              outline_layer(g, whole, 1.0, INK, 0.55),
              P.layer(P.brass(g.size, 3, 0.82), stand),
              *P.bevel(stand, int(1.0 * g.k)),
              P.layer(P.brass(g.size, 4), bezel),
              *P.bevel(bezel, int(1.2 * g.k)),
              P.layer(horizon, screen),
              P.solid(g.size, (255, 255, 255), P.scale_alpha(shine, 0.10)),
              *P.bevel(screen, int(1.0 * g.k), light=(0, 0, 0),
                       dark=(255, 230, 180), light_k=0.5, dark_k=0.25)]
    return P.down(P.paste_layers(g.size, layers), (px, px))


def basket(px):
    g = Grid(px)
    body = P.polygon(g.size, g.pts((13, 17), (51, 17), (46, 58), (18, 58)))
    rim = P.rounded(g.size, g(11, 13, 53, 20), 3.2 * g.k)
    mouth = P.rounded(g.size, g(14, 14.6, 50, 18.2), 1.8 * g.k)
    band = ImageChops.multiply(body, P.rounded(g.size, g(0, 52, 64, 58), 0))
    slots, d = P.mask(g.size)
    for i in range(6):
        x0 = 21.0 + i * 4.4
        top, bottom = 24, 48
        d.rounded_rectangle(g(x0, top, x0 + 1.7, bottom), radius=0.85 * g.k,
                            fill=255)
    paper = P.polygon(g.size, g.pts((22, 16), (25, 7.5), (31, 5), (37, 6.5),
                                    (42, 10), (41.5, 16)))
    folds, fd = P.mask(g.size)
    fd.line(g.pts((26, 9), (30, 13), (35, 8)), fill=255, width=int(0.7 * g.k))
    fd.line(g.pts((33, 12), (39, 14)), fill=255, width=int(0.6 * g.k))
    folds = ImageChops.multiply(folds, paper)
    whole = ImageChops.lighter(ImageChops.lighter(body, rim), paper)
    cyl = P.gradient(g.size, [(0, (120, 80, 30)), (0.3, (240, 204, 130)),
                              (0.45, (214, 168, 88)), (1, (96, 62, 24))],
                     horizontal=True)
    cyl = ImageChops.overlay(cyl, Image.merge("RGB", (P.brushed(g.size, 9),) * 3))
    layers = [base_shadow(g, whole),
              outline_layer(g, whole, 1.0, INK, 0.55),
              P.layer(cyl, body),
              P.solid(g.size, (40, 22, 8), P.scale_alpha(slots, 0.78)),
              P.solid(g.size, (70, 44, 18), P.scale_alpha(band, 0.35)),
              P.layer(P.brass(g.size, 5, 1.05), rim),
              *P.bevel(rim, int(0.9 * g.k)),
              P.solid(g.size, (34, 20, 10), mouth),
              P.solid(g.size, (238, 228, 206), paper),
              P.solid(g.size, (150, 130, 104), P.scale_alpha(folds, 0.7)),
              *P.bevel(paper, int(0.9 * g.k), dark_k=0.3)]
    return P.down(P.paste_layers(g.size, layers), (px, px))


def folder(px):
    g = Grid(px)
    back = P.rounded(g.size, g(5, 12, 59, 55), 3 * g.k)
    tab = P.rounded(g.size, g(5, 8, 27, 17), 2.5 * g.k)
    back = ImageChops.lighter(back, tab)
    sheet1 = P.rounded(g.size, g(14, 8.5, 53, 44), 1 * g.k)
    sheet2 = P.rounded(g.size, g(10, 12, 49, 46), 1 * g.k)
    front = P.polygon(g.size, g.pts((5, 25), (59, 21), (59, 55), (5, 55)))
    front = ImageChops.multiply(front, P.rounded(g.size, g(5, 0, 59, 55), 3 * g.k))
    lines, d = P.mask(g.size)
    for i in range(5):
        y = 17.5 + i * 3.4
        d.line(g(14, y, 43 - (i == 4) * 10, y), fill=255, width=int(0.8 * g.k))
    lines = ImageChops.multiply(lines, sheet2)
    stitch, sd = P.mask(g.size)
    x = 9.0
    while x < 55:
        y = 29.4 - (x - 5) * 4 / 54
        sd.line(g(x, y, x + 2.2, y - 0.16), fill=255, width=int(0.7 * g.k))
        x += 3.6
    label = P.rounded(g.size, g(24, 38, 40, 46), 1.3 * g.k)
    label_in = P.rounded(g.size, g(25.6, 39.5, 38.4, 44.5), 0.6 * g.k)
    whole = ImageChops.lighter(back, ImageChops.lighter(sheet1, front))
    leather = P.gradient(g.size, [(0, (214, 152, 86)), (0.6, (176, 112, 56)),
                                  (1, (132, 80, 38))])
    layers = [base_shadow(g, whole),
              outline_layer(g, whole, 1.0, INK, 0.55),
              P.layer(P.gradient(g.size, [(0, (128, 76, 38)),
                                          (1, (84, 46, 22))]), back),
              P.shadow(sheet1, 0, int(0.5 * g.k), 0.8 * g.k, 0.5),
              P.solid(g.size, (232, 222, 200), sheet1),
              P.shadow(sheet2, int(0.4 * g.k), int(0.6 * g.k), 0.8 * g.k, 0.5),
              P.solid(g.size, (250, 244, 230), sheet2),
              P.solid(g.size, (150, 136, 118), P.scale_alpha(lines, 0.8)),
              P.shadow(front, 0, -int(0.8 * g.k), 1.2 * g.k, 0.45),
              P.layer(leather, front),
              *P.bevel(front, int(1.0 * g.k), light_k=0.5),
              P.solid(g.size, (246, 214, 160), P.scale_alpha(stitch, 0.65)),
              P.layer(P.brass(g.size, 6), label),
              P.solid(g.size, (244, 236, 218), label_in)]
    return P.down(P.paste_layers(g.size, layers), (px, px))


def globe(px):
    g = Grid(px)
    cx, cy, r = 32, 29, 21.5
    sphere = P.ellipse(g.size, g(cx - r, cy - r, cx + r, cy + r))
    grid, d = P.mask(g.size)
    lw = max(1, int(0.9 * g.k))
    for f in (0.0, 0.42, 0.78):
        half = r * f
        d.ellipse(g(cx - half, cy - r, cx + half, cy + r), outline=255, width=lw)
    d.line(g(cx, cy - r, cx, cy + r), fill=255, width=lw)
    for f in (-0.62, -0.3, 0.0, 0.3, 0.62):
        y = cy + r * f
        bow = 2.2 * (1 - abs(f))
        d.arc(g(cx - r * 1.05, y - bow, cx + r * 1.05, y + bow), 0, 180,
              fill=255, width=lw)
    grid = ImageChops.multiply(grid, sphere)
    ring, rd = P.mask(g.size)
    rd.arc(g(cx - r - 3.5, cy - r - 3.5, cx + r + 3.5, cy + r + 3.5), 100, 440,
           fill=255, width=int(2.2 * g.k))
    stand = P.polygon(g.size, g.pts((30, 53), (34, 53), (35, 57), (29, 57)))
    foot = P.rounded(g.size, g(20, 56, 44, 60.5), 2.2 * g.k)
    metal = ImageChops.lighter(ring, ImageChops.lighter(stand, foot))
    whole = ImageChops.lighter(sphere, metal)
    sea = P.gradient(g.size, [(0, SLATE_TOP), (0.55, (44, 66, 80)),
                              (1, SLATE_BOTTOM)])
    shade = P.ellipse(g.size, g(cx - r - 10, cy - r - 10, cx + r - 6, cy + r - 6))
    shade = ImageChops.subtract(sphere, shade).filter(
        ImageFilter.GaussianBlur(3 * g.k))
    shade = ImageChops.multiply(shade, sphere)
    spec = P.ellipse(g.size, g(cx - 13, cy - 16, cx - 3, cy - 9)).filter(
        ImageFilter.GaussianBlur(2.2 * g.k))
    layers = [base_shadow(g, whole),
              outline_layer(g, whole, 1.0, INK, 0.55),
              P.layer(sea, sphere),
              P.solid(g.size, (10, 14, 20), P.scale_alpha(shade, 0.55)),
              P.layer(P.brass(g.size, 7, 1.1), P.scale_alpha(grid, 0.9)),
              P.solid(g.size, (255, 250, 235), P.scale_alpha(spec, 0.35)),
              P.layer(P.brass(g.size, 8), metal),
              *P.bevel(metal, int(0.8 * g.k))]
    return P.down(P.paste_layers(g.size, layers), (px, px))


def mark(px):
    """Moravel's program icon: a brass M on a rounded walnut tile with a
    brass rim."""
    g = Grid(px)
    outer = P.rounded(g.size, g(1, 1, 63, 63), 13 * g.k)
    inner = P.rounded(g.size, g(5, 5, 59, 59), 9.5 * g.k)
    darkness, _ = woodgrain.boards(11, (g.n // 2, g.n // 2), 1)
    wood = woodgrain.finish(darkness, [], 0.6).resize(g.size, Image.BICUBIC)
    wood = ImageChops.multiply(wood, P.gradient(
        g.size, [(0, (255, 236, 214)), (1, (176, 150, 130))]))
    m_pts = g.pts((16, 47), (16, 18.5), (32, 37), (48, 18.5), (48, 47))
    stroke, d = P.mask(g.size)
    d.line(m_pts, fill=255, width=int(7.5 * g.k), joint="curve")
    for x, y in (m_pts[0], m_pts[-1]):
        d.rectangle((x - 3.75 * g.k, y - 1, x + 3.75 * g.k, y + 1.2 * g.k), fill=255)
    stroke = ImageChops.multiply(stroke, inner)
    layers = [P.shadow(outer, 0, int(0.8 * g.k), 1.0 * g.k, 0.5),
              P.layer(P.brass(g.size, 12), outer),
              *P.bevel(outer, int(1.2 * g.k)),
              P.layer(wood, inner),
              *P.bevel(inner, int(1.4 * g.k), light=(20, 10, 4),
                       dark=(255, 220, 170), light_k=0.6, dark_k=0.25),
              P.shadow(stroke, int(0.8 * g.k), int(1.2 * g.k), 1.0 * g.k, 0.75),
              P.layer(P.brass(g.size, 13, 1.08), stroke),
              *P.bevel(stroke, int(1.1 * g.k))]
    return P.down(P.paste_layers(g.size, layers), (px, px))


ICONS = {"mycomputer": computer, "deleted": basket,
         "mydocuments": folder, "network": globe}
