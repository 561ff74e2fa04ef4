"""State pictures of the ready-made desktop buttons: an icon on a rounded
oak tile with its caption below, in three states (up, over, down).
"""

from PIL import Image, ImageChops, ImageDraw, ImageEnhance, ImageFilter

import paint as P
import woodgrain

SIZE = (96, 100)            # final picture, pixels
TILE = (12, 2, 84, 74)      # tile box inside it
ICON = 56                   # icon edge inside the tile
CAPTION_Y = 87              # caption centre line
CAPTION_FONT = ("DejaVuSans.ttf", 11)


def oak_tile(seed, bright):
    """Supersampled RGBA tile, lit by `bright` (1 = calm)."""
    w, h = SIZE[0] * P.SS, SIZE[1] * P.SS
    box = [v * P.SS for v in TILE]
    body = P.rounded((w, h), box, 15 * P.SS)
    darkness, _ = woodgrain.boards(seed, (SIZE[0] * 4, SIZE[1] * 4), 1)
    wood = woodgrain.finish(darkness, [], 0.0, woodgrain.OAK).resize(
        (w, h), Image.BICUBIC)
    wood = ImageEnhance.Contrast(wood).enhance(0.7)
    wood = ImageEnhance.Brightness(wood).enhance(bright)
    sheen = P.gradient((w, h), [(0, (255, 250, 238)), (0.5, (236, 226, 210)),
                                (1, (196, 182, 166))])
    wood = ImageChops.multiply(wood, sheen)
    return body, [P.layer(wood, body), *P.bevel(body, int(1.6 * P.SS),
                                                  light_k=0.7, dark_k=0.45)]


def caption(img, text, dy, colour):
    """Caption centred under the tile, light text on a soft dark halo so
    that it reads on any part of the wood. Drawn at the final size (img's),
    where FreeType's hinting keeps the small letters crisp."""
    fnt = P.font(CAPTION_FONT[0], P.px(CAPTION_FONT[1]))
    centre = (P.px(SIZE[0] // 2 + dy), P.px(CAPTION_Y + dy))
    halo, hd = P.mask(img.size)
    hd.text(centre, text, font=fnt, fill=255, anchor="mm")
    halo = halo.filter(ImageFilter.MaxFilter(P.px(2) + 1)).filter(
        ImageFilter.GaussianBlur(P.px(1.3)))
    img.alpha_composite(P.solid(img.size, (26, 13, 5), P.scale_alpha(halo, 0.9)))
    d = ImageDraw.Draw(img)
    d.text(centre, text, font=fnt, fill=colour, anchor="mm")
    return img


def state(icon_fn, text, seed, which):
    """One state picture: which is 'u' (up), 'o' (over) or 'd' (down)."""
    w, h = SIZE[0] * P.SS, SIZE[1] * P.SS
    bright = {"u": 1.0, "o": 1.08, "d": 0.86}[which]
    dy = 1 if which == "d" else 0
    body, tile = oak_tile(seed, bright)
    body = P.shift(body, dy * P.SS, dy * P.SS)
    tile = [P.shift_layer(t, dy * P.SS) for t in tile]
    layers = []
    if which == "o":
        layers.append(P.glow(body, 4.0 * P.SS, 0.9, (255, 176, 64)))
    sd = 1 if which == "d" else 3
    layers.append(P.shadow(body, 0, sd * P.SS, (1.5 + sd) * P.SS * 0.8, 0.6))
    layers += tile
    if which == "o":
        inner = P.rounded((w, h), [v * P.SS for v in TILE], 15 * P.SS)
        warm = P.gradient((w, h), [(0, (255, 214, 140)), (1, (255, 160, 60))])
        layers.append(P.layer(warm, P.scale_alpha(inner, 0.16)))
    img = P.down(P.paste_layers((w, h), layers), SIZE)
    icon = icon_fn(ICON)
    if which == "d":
        icon = ImageEnhance.Brightness(icon).enhance(0.9)
    x = (TILE[0] + TILE[2] - ICON) // 2 + dy
    y = (TILE[1] + TILE[3] - ICON) // 2 + dy
    img.alpha_composite(icon, (P.px(x), P.px(y)))
    colour = {"u": (246, 234, 212), "o": (255, 226, 160),
              "d": (222, 206, 182)}[which]
    return caption(img, text, dy, colour)
