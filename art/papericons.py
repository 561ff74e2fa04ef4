"""The "paper" skin's special-folder icons, its ready buttons and its
button templates: thin graphite line drawings with pale fills on white
paper cards.
"""

from PIL import ImageChops, ImageDraw

import paint as P
from icons import Grid
from paperdesk import ACCENT, GREY, INK

STROKE = 2.6                 # line width on the 64-unit grid
PALE = {"screen": (214, 224, 228), "paper": (252, 250, 246),
        "folder": (236, 214, 168), "globe": (212, 228, 220)}


def _finish(g, fills, lines, accent=None):
    """fills: [(mask, colour)], lines: mask of the graphite strokes."""
    layers = [P.shadow(lines, 0, int(1.2 * g.k), 1.4 * g.k, 0.18, (60, 50, 40))]
    layers += [P.solid(g.size, c, m) for m, c in fills]
    if accent is not None:
        layers.append(P.solid(g.size, ACCENT, accent))
    layers.append(P.solid(g.size, INK, lines))
    return P.down(P.paste_layers(g.size, layers), (g.px, g.px))


def _outline(g, shape_fn, box, radius):
    """Filled shape and its stroke of STROKE units."""
    w = STROKE * g.k
    fill = shape_fn(g.size, g(*box), radius * g.k)
    m, d = P.mask(g.size)
    d.rounded_rectangle(g(*box), radius=radius * g.k, outline=255, width=int(w))
    return fill, m


def computer(px):
    g = Grid(px)
    screen, line = _outline(g, P.rounded, (7, 10, 57, 44), 4)
    d = ImageDraw.Draw(line)
    w = int(STROKE * g.k)
    d.line(g(32, 44, 32, 53), fill=255, width=w)
    d.line(g(20, 54, 44, 54), fill=255, width=w)
    accent, ad = P.mask(g.size)
    ad.ellipse(g(48.5, 36.5, 52.5, 40.5), fill=255)
    return _finish(g, [(screen, PALE["screen"])], line, accent)


def basket(px):
    g = Grid(px)
    body = P.polygon(g.size, g.pts((15, 18), (49, 18), (45, 57), (19, 57)))
    line, d = P.mask(g.size)
    w = int(STROKE * g.k)
    d.line(g.pts((15, 18), (19, 57), (45, 57), (49, 18)), fill=255, width=w, joint="curve")
    for x0, x1 in ((25, 26.5), (32, 32), (39, 37.5)):
        d.line(g(x0, 25, x1, 50), fill=255, width=int(w * 0.8))
    lid, ld = P.mask(g.size)
    ld.rounded_rectangle(g(10, 12, 54, 18), radius=2 * g.k, fill=255)
    ld.rounded_rectangle(g(26, 7, 38, 13), radius=2 * g.k, fill=255)
    return _finish(g, [(body, PALE["paper"])], line, lid)


def folder(px):
    g = Grid(px)
    back = P.polygon(g.size, g.pts((6, 13), (24, 13), (29, 19), (58, 19), (58, 54), (6, 54)))
    line, d = P.mask(g.size)
    w = int(STROKE * g.k)
    d.line(g.pts((6, 54), (6, 13), (24, 13), (29, 19), (58, 19), (58, 54), (6, 54)),
           fill=255, width=w, joint="curve")
    d.line(g(6, 27, 58, 27), fill=255, width=w)
    sheet = P.rounded(g.size, g(14, 15, 50, 26), 1 * g.k)
    tab, td = P.mask(g.size)
    td.rounded_rectangle(g(26, 35, 38, 39), radius=1.5 * g.k, fill=255)
    return _finish(g, [(back, PALE["folder"]), (sheet, PALE["paper"])], line, tab)


def globe(px):
    g = Grid(px)
    cx, cy, r = 32, 32, 24
    disc = P.ellipse(g.size, g(cx - r, cy - r, cx + r, cy + r))
    line, d = P.mask(g.size)
    w = int(STROKE * g.k)
    d.ellipse(g(cx - r, cy - r, cx + r, cy + r), outline=255, width=w)
    d.ellipse(g(cx - 10, cy - r, cx + 10, cy + r), outline=255, width=int(w * 0.8))
    d.line(g(cx, cy - r, cx, cy + r), fill=255, width=int(w * 0.8))
    for f in (-0.5, 0.0, 0.5):
        y = cy + r * f
        half = r * (1 - f * f) ** 0.5
        d.line(g(cx - half, y, cx + half, y), fill=255, width=int(w * 0.8))
    dot = P.ellipse(g.size, g(cx + 9, cy - 15, cx + 15, cy - 9))
    return _finish(g, [(disc, PALE["globe"])], line, dot)


ICONS = {"mycomputer": computer, "deleted": basket,
         "mydocuments": folder, "network": globe}

SIZE = (112, 100)            # ready button picture
CARD = (28, 4, 84, 70)       # the paper card inside it


def card(state, size=SIZE, box=CARD, radius=9):
    """A white card: lifted with a terracotta edge when the pointer is
    over it, pressed flat and a shade greyer when it is down."""
    k = P.SS
    big = (size[0] * k, size[1] * k)
    dy = 1 if state == "d" else 0
    body = P.rounded(big, (box[0] * k, (box[1] + dy) * k, box[2] * k,
                           (box[3] + dy) * k), radius * k)
    lift = {"u": 3, "o": 5, "d": 1}[state]
    face = {"u": (255, 255, 253), "o": (255, 255, 255), "d": (240, 237, 231)}[state]
    layers = [P.shadow(body, 0, lift * k, (1 + lift) * k, 0.28, (60, 50, 40)),
              P.shadow(body, 0, k // 2, 0.8 * k, 0.25, (60, 50, 40)),
              P.solid(big, face, body)]
    if state == "o":
        under, d = P.mask(big)
        d.rounded_rectangle((box[0] * k, (box[3] - 3) * k, box[2] * k, box[3] * k),
                            radius=2 * k, fill=255)
        layers.append(P.solid(big, ACCENT, ImageChops.multiply(under, body)))
    return P.down(P.paste_layers(big, layers), size)


def button(icon_fn, text, state):
    """A ready button: the card, the icon on it, the caption centred below."""
    img = card(state)
    dy = 1 if state == "d" else 0
    img.alpha_composite(icon_fn(48), (P.px(32 + dy), P.px(13 + dy)))
    d = ImageDraw.Draw(img)
    colour = {"u": INK, "o": (30, 30, 32), "d": GREY}[state]
    d.text((P.px(SIZE[0] // 2 + dy), P.px(86 + dy)), text,
           font=P.font("DejaVuSans.ttf", P.px(12)), fill=colour, anchor="mm")
    return img


def frame(state, size=(112, 94)):
    """"Тонкая рамка": a hairline graphite frame on a veil of white."""
    k = P.SS
    big = (size[0] * k, size[1] * k)
    dy = 1 if state == "d" else 0
    box = (3 * k, (2 + dy) * k, 109 * k, (90 + dy) * k)
    body = P.rounded(big, box, 6 * k)
    rim, d = P.mask(big)
    d.rounded_rectangle(box, radius=6 * k, outline=255,
                        width=int((2.0 if state == "o" else 1.2) * k))
    veil = {"u": 0.55, "o": 0.8, "d": 0.35}[state]
    rim_colour = ACCENT if state == "o" else INK
    layers = [P.solid(big, (255, 254, 250), P.scale_alpha(body, veil)),
              P.solid(big, rim_colour, rim)]
    return P.down(P.paste_layers(big, layers), size)


def paper_card(state):
    return card(state)


# the same table layout as templates.WOOD
TEMPLATES = [
    ("Бумажная карточка", paper_card, "card", (32, 13, 48, 48, 6, 78, 102, 17),
     (52, 52, 56), None,
     [("posx", 40), ("posy", 40), ("posw", 120), ("posh", 116)]),
    ("Тонкая рамка", frame, "frame", (32, 10, 48, 48, 6, 68, 102, 18),
     (52, 52, 56), (150, 70, 40),
     [("posx1", -10236), ("posy1", -150), ("posx2", -10116), ("posy2", -150),
      ("posx3", 10004), ("posy3", -150), ("posx4", 10124), ("posy4", -150)]),
]
