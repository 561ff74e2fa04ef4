"""Button templates ([freebuttonN]) of the wood skin: background pictures
for the up, over and down states, where the button editor lays the icon and
the caption, and where the placement puts new buttons.

The program draws the caption from the top-left corner of its rectangle
(no centring) with the font named in the template, so every background
carries a plaque under the caption rectangle that keeps the text readable
on any part of the desk.
"""

from PIL import Image, ImageChops, ImageEnhance

import paint as P
import woodgrain

STATES = "uod"               # up, over, down: image1, image2, image3


def template_keys(geometry, colour, down_shift=1, over_colour=None):
    """Keys of the drawing rectangles: geometry = (x, y, w, h, tx, ty, tw,
    th); the down state moves icon and caption by `down_shift` pixels."""
    x, y, w, h, tx, ty, tw, th = geometry
    keys = [("x1", x), ("y1", y), ("w1", w), ("h1", h),
            ("tx1", tx), ("ty1", ty), ("tw1", tw), ("th1", th),
            ("s1", 9), ("font1", "DejaVu Sans"), ("font", "DejaVu Sans"),
            ("b1", 0), ("k1", 0), ("alp1", 1),
            ("red1", colour[0]), ("green1", colour[1]), ("blue1", colour[2])]
    if over_colour:
        keys += [("red2", over_colour[0]), ("green2", over_colour[1]),
                 ("blue2", over_colour[2]), ("red3", colour[0]),
                 ("green3", colour[1]), ("blue3", colour[2])]
    if down_shift:
        keys += [("x3", x + down_shift), ("y3", y + down_shift),
                 ("tx3", tx + down_shift), ("ty3", ty + down_shift)]
    return keys


def _sized(size):
    return (size[0] * P.SS, size[1] * P.SS), P.SS


def plaque(big, k, box, state, light=False):
    """Caption plaque: dark walnut with a brass hairline (or ivory with a
    dark one when `light`)."""
    body = P.rounded(big, [v * k for v in box], 4 * k)
    rim, d = P.mask(big)
    d.rounded_rectangle([v * k for v in box], radius=4 * k, outline=255,
                        width=int(1.0 * k))
    if light:
        fill = P.gradient(big, [(0, (252, 244, 224)), (1, (226, 210, 180))])
        rim_colour = (120, 84, 40)
    else:
        fill = P.gradient(big, [(0, (66, 40, 24)), (1, (34, 20, 12))])
        rim_colour = (214, 168, 92) if state != "o" else (255, 206, 120)
    return [P.shadow(body, 0, k, 1.2 * k, 0.55), P.layer(fill, body),
            P.solid(big, rim_colour, P.scale_alpha(rim, 0.8))]


def state_look(state, layers, body, big, k, glow_colour=(255, 176, 64)):
    """Wraps the layers of one state: a warm glow behind the over state,
    a shallower shadow and a darker face for the down state."""
    out = []
    if state == "o":
        out.append(P.glow(body, 4 * k, 0.85, glow_colour))
    sd = 1 if state == "d" else 3
    out.append(P.shadow(body, 0, sd * k, (1.5 + sd) * 0.8 * k, 0.6))
    out += layers
    if state == "o":
        out.append(P.solid(big, (255, 220, 150), P.scale_alpha(body, 0.12)))
    if state == "d":
        out.append(P.solid(big, (20, 10, 4), P.scale_alpha(body, 0.18)))
    return out


def oak(state, size=(112, 104)):
    """"Дубовая плитка": an oak tile with a walnut caption plaque."""
    big, k = _sized(size)
    dy = 1 if state == "d" else 0
    tile = P.rounded(big, (22 * k, (2 + dy) * k, 90 * k, (70 + dy) * k), 13 * k)
    darkness, _ = woodgrain.boards(44, (size[0] * 4, size[1] * 4), 1)
    wood = woodgrain.finish(darkness, [], 0.0, woodgrain.OAK).resize(big, Image.BICUBIC)
    wood = ImageEnhance.Contrast(wood).enhance(0.7)
    wood = ImageEnhance.Brightness(wood).enhance({"u": 1.0, "o": 1.08, "d": 0.86}[state])
    layers = [P.layer(wood, tile), *P.bevel(tile, int(1.6 * k), light_k=0.7, dark_k=0.45)]
    layers = state_look(state, layers, tile, big, k)
    layers += plaque(big, k, (2, 76 + dy, 110, 98 + dy), state)
    return P.down(P.paste_layers(big, layers), size)


def brass_button(state, size=(112, 106)):
    """"Латунная кнопка": a round brass button with a walnut inset and an
    ivory name label."""
    big, k = _sized(size)
    dy = 1 if state == "d" else 0
    cx, cy = 56 * k, (42 + dy) * k
    disc = P.ellipse(big, (cx - 40 * k, cy - 40 * k, cx + 40 * k, cy + 40 * k))
    inset = P.ellipse(big, (cx - 33 * k, cy - 33 * k, cx + 33 * k, cy + 33 * k))
    bright = {"u": 1.0, "o": 1.12, "d": 0.82}[state]
    walnut = P.gradient(big, [(0, (92, 56, 32)), (1, (40, 22, 12))])
    if state == "d":
        walnut = P.gradient(big, [(0, (34, 20, 10)), (1, (70, 42, 24))])
    layers = [P.layer(P.brass(big, 91, bright), disc),
              *P.bevel(disc, int(2 * k), light_k=0.8, dark_k=0.55),
              P.layer(walnut, inset),
              *P.bevel(inset, int(1.6 * k), light=(0, 0, 0), dark=(255, 222, 170),
                       light_k=0.6, dark_k=0.3)]
    layers = state_look(state, layers, disc, big, k)
    layers += plaque(big, k, (2, 86 + dy, 110, 104 + dy), state, light=True)
    return P.down(P.paste_layers(big, layers), size)


def simple(state, size=(112, 94)):
    """"Простая": a plain smoked-glass square with a thin rim."""
    big, k = _sized(size)
    dy = 1 if state == "d" else 0
    box = (3 * k, (2 + dy) * k, 109 * k, (90 + dy) * k)
    body = P.rounded(big, box, 9 * k)
    rim, d = P.mask(big)
    d.rounded_rectangle(box, radius=9 * k, outline=255, width=int(1.2 * k))
    tone = {"u": 0.62, "o": 0.72, "d": 0.78}[state]
    rim_colour = {"u": (214, 182, 130), "o": (255, 206, 120), "d": (150, 120, 80)}[state]
    fill = P.gradient(big, [(0, (46, 30, 20)), (1, (18, 10, 6))])
    layers = [P.shadow(body, 0, 2 * k, 3 * k, 0.45),
              P.layer(fill, P.scale_alpha(body, tone)),
              P.solid(big, rim_colour, P.scale_alpha(rim, 0.9))]
    if state == "o":
        layers.insert(0, P.glow(body, 4 * k, 0.7, (255, 176, 64)))
    return P.down(P.paste_layers(big, layers), size)


# name, picture function, file stem, geometry, caption colour, over colour,
# placement keys
WOOD = [
    ("Дубовая плитка", oak, "oak", (32, 13, 48, 48, 6, 78, 102, 17),
     (246, 234, 212), (255, 222, 150),
     [("posx", 40), ("posy", 40), ("posw", 120), ("posh", 116)]),
    ("Латунная кнопка", brass_button, "brass", (32, 18, 48, 48, 6, 87, 102, 16),
     (52, 30, 12), None,
     [("posx1", 40), ("posy1", -260), ("posx2", 160), ("posy2", -260),
      ("posx3", 280), ("posy3", -260), ("posx4", 400), ("posy4", -260)]),
    ("Простая", simple, "simple", (32, 10, 48, 48, 6, 68, 102, 18),
     (240, 228, 204), (255, 222, 150), []),
]


def sections(writer, table=WOOD, folder="templates"):
    """Saves the three state pictures of every template and returns the
    [freebuttonN] sections."""
    out = []
    for n, (name, fn, stem, geometry, colour, over, place) in enumerate(table, 1):
        keys = [("name", name)]
        for i, state in enumerate(STATES, 1):
            keys.append(("image%d" % i, writer.save(
                fn(state), folder, "%s_%s.png" % (stem, state))))
        keys += template_keys(geometry, colour, over_colour=over)
        keys += place
        out.append(("freebutton%d" % n, keys))
    return out
