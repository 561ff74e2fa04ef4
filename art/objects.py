"""Static pictures that lie on the desk: a brass name plate and a pencil."""

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import paint as P

INK = (52, 30, 10)


def spaced_text(size, centre, text, fnt, tracking):
    """Mask of text centred on `centre` with extra space between letters."""
    m, d = P.mask(size)
    widths = [fnt.getlength(c) for c in text]
    total = sum(widths) + tracking * (len(text) - 1)
    x = centre[0] - total / 2
    for c, w in zip(text, widths):
        d.text((x, centre[1]), c, font=fnt, fill=255, anchor="lm")
        x += w + tracking
    return m


def screw(size, cx, cy, r, angle_dx):
    """Mask of a round screw head and of its slot."""
    head = P.ellipse(size, (cx - r, cy - r, cx + r, cy + r))
    slot, d = P.mask(size)
    d.line((cx - angle_dx, cy - r * 0.8, cx + angle_dx, cy + r * 0.8),
           fill=255, width=int(r * 0.32))
    return head, ImageChops.multiply(slot, head)


def nameplate():
    """Brass plate with the engraved name, 300 x 92 pixels (shadow included)."""
    W, H = 300, 92
    k = P.SS
    size = (W * k, H * k)
    plate = P.rounded(size, (8 * k, 6 * k, 290 * k, 80 * k), 9 * k)
    border, bd = P.mask(size)
    bd.rounded_rectangle((31 * k, 15 * k, 267 * k, 71 * k), radius=4 * k,
                         outline=255, width=int(1.1 * k))
    name = spaced_text(size, (149 * k, 43 * k), "MORAVEL",
                       P.font("DejaVuSerif.ttf", 27 * k), 7 * k)
    layers = [P.shadow(plate, 2 * k, 5 * k, 5 * k, 0.65),
              P.shadow(plate, 0, 1 * k, 1.2 * k, 0.5),
              P.layer(P.brass(size, 21), plate),
              *P.bevel(plate, int(1.8 * k), light_k=0.75, dark_k=0.55)]
    for mk in (border, name):
        layers.append(P.solid(size, (255, 238, 190),
                              P.scale_alpha(P.shift(mk, 0, int(0.9 * k)), 0.55)))
        layers.append(P.solid(size, INK, P.scale_alpha(mk, 0.82)))
    for cx, dx in ((20.5, 2.2), (277.5, -1.4)):
        head, slot = screw(size, cx * k, 43 * k, 4.2 * k, dx * k)
        layers += [P.shadow(head, 0, int(0.6 * k), 0.7 * k, 0.6),
                   P.layer(P.brass(size, 22, 0.92), head),
                   *P.bevel(head, int(0.8 * k)),
                   P.solid(size, INK, P.scale_alpha(slot, 0.8))]
    return P.down(P.paste_layers(size, layers), (W, H))


def pencil(angle=9.0):
    """A green lacquered pencil, lying at `angle` degrees, with its shadow."""
    L, T = 420, 22                 # length and thickness, pixels
    k = P.SS
    pad = 16
    W, H = L + 2 * pad, T + 2 * pad
    size = (W * k, H * k)
    x0, y0 = pad * k, pad * k

    def box(a, b, top=0.0, bottom=T):
        return (x0 + a * k, y0 + top * k, x0 + b * k, y0 + bottom * k)

    mid = y0 + T * k / 2
    cone = P.polygon(size, [(x0 + 2 * k, mid - 1.2 * k), (x0 + 2 * k, mid + 1.2 * k),
                            (x0 + 62 * k, y0 + T * k), (x0 + 62 * k, y0)])
    lead = P.polygon(size, [(x0, mid), (x0 + 16 * k, mid - 3.5 * k),
                            (x0 + 16 * k, mid + 3.5 * k)])
    lead = ImageChops.lighter(lead, ImageChops.multiply(
        cone, P.rounded(size, box(0, 15), 0)))
    body = P.rounded(size, box(58, 352), 0.8 * k)
    scallop, sd = P.mask(size)
    for i in range(3):
        top = y0 + i * T * k / 3
        sd.ellipse((x0 + 52 * k, top, x0 + 66 * k, top + T * k / 3), fill=255)
    body = ImageChops.lighter(body, scallop)
    ferrule = P.rounded(size, box(350, 384, -0.6, T + 0.6), 1.0 * k)
    grooves, gd = P.mask(size)
    for gx in (356, 360, 374, 378):
        gd.line((x0 + gx * k, y0, x0 + gx * k, y0 + T * k), fill=255,
                width=int(1.0 * k))
    grooves = ImageChops.multiply(grooves, ferrule)
    eraser = P.rounded(size, box(376, L, 0.5, T - 0.5), 5 * k)
    whole = ImageChops.lighter(ImageChops.lighter(cone, body),
                               ImageChops.lighter(ferrule, eraser))
    facets = [(0, (62, 120, 90)), (0.33, (36, 88, 64)), (0.34, (28, 74, 54)),
              (0.66, (22, 60, 44)), (0.67, (14, 40, 30)), (1, (10, 30, 22))]
    paint_rgb = P.gradient(size, facets)
    wood = P.gradient(size, [(0, (236, 206, 160)), (1, (176, 136, 92))])
    rubber = P.gradient(size, [(0, (214, 150, 136)), (0.5, (184, 112, 100)),
                               (1, (130, 74, 66))])
    label = spaced_text(size, (x0 + 230 * k, mid + 0.5 * k), "MORAVEL  HB",
                        P.font("DejaVuSans-Bold.ttf", int(8.5 * k)), 1.5 * k)
    label = ImageChops.multiply(label, body)
    flat = P.paste_layers(size, [
        P.layer(wood, cone),
        P.layer(P.gradient(size, [(0, (110, 110, 116)), (1, (36, 36, 40))]), lead),
        P.layer(paint_rgb, body),
        P.layer(P.brass(size, 31), label),
        P.layer(P.gradient(size, [(0, (252, 230, 168)), (0.45, (196, 150, 72)),
                                  (1, (110, 76, 30))]), ferrule),
        P.solid(size, (70, 46, 16), P.scale_alpha(grooves, 0.7)),
        P.layer(rubber, eraser),
        *P.bevel(whole, int(1.0 * k), light_k=0.35, dark_k=0.35)])
    turned = flat.rotate(angle, resample=Image.BICUBIC, expand=True)
    alpha = turned.getchannel("A")
    back = P.paste_layers(turned.size, [P.shadow(alpha, 3 * k, 6 * k, 4 * k, 0.55),
                                        P.shadow(alpha, 1 * k, 2 * k, 1.2 * k, 0.45),
                                        turned])
    w, h = back.size
    return P.down(back, (w // k, h // k))
