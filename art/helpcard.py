"""help.png: the card shown in the middle of the screen while the user
places a new button. 480 x 360 pixels, an ivory card in a brass frame on
walnut; key caps on the left, what they do on the right, in Russian.

Shapes are drawn supersampled; the text is drawn at the final size, where
FreeType's hinting keeps the small letters crisp. Places and sizes are 1x
pixels; at paint.DENSITY 2 (help@2x.png) P.px doubles them.
"""

from PIL import Image, ImageChops, ImageDraw

import paint as P
import woodgrain

SIZE = (480, 360)
INK = (46, 30, 18)
SOFT_INK = (110, 84, 60)
RED = (206, 40, 30)
GREEN = (40, 160, 60)
ROW0, ROW_STEP = 84, 42
TEXT_X = 184
CAP_FONT = ("DejaVuSans-Bold.ttf", 13)

# key caps (None: a drawn sign instead), first line, second line
ROWS = [
    (["←", "↑", "↓", "→"], "Стрелки — сдвинуть кнопку",
     "по шагу сетки, если он задан"),
    (["Ctrl", "+", "→"], "Ctrl со стрелкой — сдвиг", "ровно на один пиксель"),
    ("mouse", "Кнопку можно перетащить", "мышью в любое место"),
    ("slot", "Щелчок по красной метке", "ставит кнопку на это место"),
    (["Пробел"], "Поставить кнопку здесь", None),
    (["Esc"], "Отменить и ничего не менять", None),
]


def background():
    w, h = SIZE
    k = 4
    big = (w * k, h * k)
    darkness, _ = woodgrain.boards(77, (w, h), 1)
    wood = woodgrain.finish(darkness, [], 0.4).resize(big, Image.BICUBIC)
    outer = P.rounded(big, (0, 0, w * k, h * k), 12 * k)
    frame = P.rounded(big, (7 * k, 7 * k, (w - 7) * k, (h - 7) * k), 8 * k)
    card = P.rounded(big, (12 * k, 12 * k, (w - 12) * k, (h - 12) * k), 5 * k)
    ring = ImageChops.subtract(frame, card)
    paper = P.gradient(big, [(0, (253, 248, 234)), (1, (238, 226, 202))])
    layers = [P.layer(wood, outer),
              *P.bevel(outer, 2 * k, light_k=0.35, dark_k=0.5),
              P.shadow(frame, 0, 2 * k, 3 * k, 0.6),
              P.layer(P.brass(big, 99), ring),
              *P.bevel(frame, int(1.5 * k), light_k=0.7, dark_k=0.5),
              P.layer(paper, card)]
    return P.down(P.paste_layers(big, layers), SIZE)


def face(name, size):
    """A DejaVu face at `size` 1x pixels, for drawing at the final size."""
    return P.font(name, P.px(size))


def keycap(img, x, y, label, fnt):
    """One key cap with its top-left at (x, y); returns its right edge. The
    cap is as wide as the label set at 1x, so that every density has the
    same layout."""
    w = max(26, int(P.font(*CAP_FONT).getlength(label)) + 16)
    k = 4
    size = (w + 6, 34)
    big = (size[0] * k, size[1] * k)
    cap = P.rounded(big, (2 * k, 2 * k, (w + 2) * k, 28 * k), 5 * k)
    top = P.rounded(big, (4 * k, 3.5 * k, w * k, 23 * k), 4 * k)
    layers = [P.shadow(cap, 0, 2 * k, 1.5 * k, 0.5, (40, 24, 10)),
              P.solid(big, (150, 122, 92), cap),
              P.layer(P.gradient(big, [(0, (255, 252, 244)), (1, (228, 216, 194))]), top)]
    img.alpha_composite(P.down(P.paste_layers(big, layers), size),
                        (P.px(x - 2), P.px(y - 2)))
    ImageDraw.Draw(img).text((P.px(x + w / 2), P.px(y + 11)), label, font=fnt,
                             fill=INK, anchor="mm")
    return x + w + 4


def mouse(img, x, y):
    k = 4
    size = (30, 36)
    big = (size[0] * k, size[1] * k)
    body = P.rounded(big, (6 * k, 2 * k, 24 * k, 32 * k), 9 * k)
    line, d = P.mask(big)
    d.line((15 * k, 2 * k, 15 * k, 14 * k), fill=255, width=int(1.2 * k))
    d.line((6 * k, 14 * k, 24 * k, 14 * k), fill=255, width=int(1.2 * k))
    layers = [P.shadow(body, 0, k, k, 0.4),
              P.layer(P.gradient(big, [(0, (255, 252, 244)), (1, (214, 200, 176))]), body),
              P.solid(big, (110, 84, 60), ImageChops.multiply(line, body))]
    img.alpha_composite(P.down(P.paste_layers(big, layers), size),
                        (P.px(x), P.px(y - 5)))


def slot(img, x, y):
    """A red and a green silhouette, as the placement shows them."""
    size = (P.px(40), P.px(26))
    for i, colour in enumerate((RED, GREEN)):
        sil = Image.new("RGBA", size, colour + (0,))
        m = Image.new("L", size, 0)
        ImageDraw.Draw(m).rounded_rectangle((0, 0, size[0] - 1, size[1] - 1),
                                            radius=P.px(6), fill=150)
        sil.putalpha(m)
        img.alpha_composite(sil, (P.px(x + i * 48), P.px(y)))


def draw():
    img = background()
    d = ImageDraw.Draw(img)
    title = face("DejaVuSerif-Bold.ttf", 21)
    body = face("DejaVuSans.ttf", 14)
    small = face("DejaVuSans.ttf", 12)
    capf = face(*CAP_FONT)
    d.text((P.px(SIZE[0] / 2), P.px(40)), "Куда поставить кнопку", font=title,
           fill=INK, anchor="mm")
    d.text((P.px(SIZE[0] / 2), P.px(62)), "зелёный силуэт показывает её место",
           font=small, fill=SOFT_INK, anchor="mm")
    # a rule one 1x pixel high, from x = 40 to SIZE[0] - 40 inclusive
    d.rectangle((P.px(40), P.px(73), P.px(SIZE[0] - 39) - 1, P.px(74) - 1),
                fill=(196, 160, 110))
    for i, (keys, first, second) in enumerate(ROWS):
        y = ROW0 + i * ROW_STEP
        if keys == "mouse":
            mouse(img, 34, y)
        elif keys == "slot":
            slot(img, 34, y + 2)
        else:
            x = 34
            for label in keys:
                if label == "+":
                    d.text((P.px(x + 2), P.px(y + 11)), "+", font=capf, fill=INK,
                           anchor="lm")
                    x += 16
                else:
                    x = keycap(img, x, y, label, capf)
        if second:
            d.text((P.px(TEXT_X), P.px(y + 6)), first, font=body, fill=INK,
                   anchor="lm")
            d.text((P.px(TEXT_X), P.px(y + 22)), second, font=small,
                   fill=SOFT_INK, anchor="lm")
        else:
            d.text((P.px(TEXT_X), P.px(y + 12)), first, font=body, fill=INK,
                   anchor="lm")
    return img
