#!/usr/bin/python3
"""Shows a skin as the program would put it on a screen.

    /usr/bin/python3 art/preview.py wood /tmp
    /usr/bin/python3 art/preview.py paper /tmp --placing 1

Reads the skin's config.ini and user.ini, stretches the wallpaper to the
screen, lays the static pictures, the calendar and digit-clock pictures and
the buttons in the program's stacking order, and draws the analog clock with
its hands turned about their pivots. The moment shown is fixed (7 March
2026, a Saturday, 10:08:36), so every run gives the same pictures.
With --placing T it also lays the button placement overlay of template T:
help.png in the middle, red slots, the green marker at the grid start.
"""

import argparse
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), ".."))
SCREENS = ((1920, 1080), (1280, 1024))
YEAR, MONTH, DAY, WEEKDAY = 2026, 3, 7, 7     # weekday: 1 = Sunday
HOUR, MINUTE, SECOND = 10, 8, 36


def read_ini(path):
    """{section: {key: value}} of a UTF-8 INI file; names in lower case."""
    out, cur = {}, None
    if not os.path.exists(path):
        return out
    with open(path, encoding="utf-8-sig") as f:
        for line in f.read().splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                cur = out.setdefault(line[1:-1].lower(), {})
            elif "=" in line and cur is not None:
                k, v = line.split("=", 1)
                cur[k.strip().lower()] = v
    return out


def numbered(ini, prefix):
    n = 1
    while "%s%d" % (prefix, n) in ini:
        yield ini["%s%d" % (prefix, n)]
        n += 1


def resolve(v, edge):
    """Screen position of a stored coordinate."""
    v = int(v)
    half = edge // 2
    if v >= 10000:
        return v - 10000 + half
    if v <= -10000:
        return v + 10000 + half
    return edge + v if v < 0 else v


class Skin:
    def __init__(self, name):
        self.dir = os.path.join(ROOT, "skins", name)
        self.name = name
        self.config = read_ini(os.path.join(self.dir, "config.ini"))
        self.user = read_ini(os.path.join(self.dir, "user.ini"))

    def path(self, value):
        return os.path.join(self.dir, *value.split("\\"))

    def picture(self, value):
        return Image.open(self.path(value)).convert("RGBA")


def wallpaper(skin, screen):
    w, h = screen
    ratio = w / h
    key = ("image5x4" if ratio <= 1.29 else "image4x3" if ratio <= 1.465
           else "image16x10" if ratio <= 1.68 else "image16x9")
    pic = skin.picture(skin.config["wallpaper"][key])
    return pic.resize(screen, Image.LANCZOS)


def hand_layer(skin, plate_size, file, pivot, pos, angle):
    """The hand picture turned by `angle` degrees (counter-clockwise) about
    its pivot, which lands on `pos` of the plate."""
    hand = skin.picture(file)
    w, h = hand.size
    key = hand.getpixel((0, 0))
    if key[3] == 255:
        data = [(r, g, b, 0) if (r, g, b, a) == key else (r, g, b, a)
                for r, g, b, a in hand.getdata()]
        hand.putdata(data)
    for box in ((0, 0, w, 1), (0, h - 1, w, h), (0, 0, 1, h), (w - 1, 0, w, h)):
        hand.paste((255, 255, 255, 0), box)
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    (px, py), (cx, cy) = pivot, pos
    matrix = (c, -s, px - c * cx + s * cy + 0.5 * (1 - c + s),
              s, c, py - s * cx - c * cy + 0.5 * (1 - s - c))
    turned = hand.convert("RGBa").transform(plate_size, Image.AFFINE, matrix,
                                            resample=Image.BILINEAR)
    return turned.convert("RGBA")


def analog_clock(skin, desk):
    sec = skin.config.get("analogclock")
    if sec is None:
        return
    plate = skin.picture(sec["plate"])
    W, H = plate.size
    x, y = resolve(sec.get("x", 0), desk.size[0]), resolve(sec.get("y", 0), desk.size[1])
    clock = desk.crop((x, y, x + W, y + H))
    clock.alpha_composite(plate)
    hands = [("hour", "H", (90 - 30 * HOUR) - MINUTE / 2 - SECOND / 120),
             ("minute", "M", (90 - 6 * MINUTE) - SECOND / 10)]
    if int(sec.get("showseconds", 0)):
        hands.append(("second", "S", 90 - 6 * SECOND))
    default = {"minute": "acm.bmp", "second": "acs.bmp"}
    for key, p, angle in hands:
        pivot = (int(sec.get(p.lower() + "arrowcx", 0)),
                 int(sec.get(p.lower() + "arrowcy", 0)))
        pos = (int(sec.get(p.lower() + "centerx", W // 2)),
               int(sec.get(p.lower() + "centery", H // 2)))
        clock.alpha_composite(hand_layer(skin, (W, H), sec.get(key, default.get(key)),
                                         pivot, pos, angle))
    desk.paste(clock, (x, y))


def place(skin, desk, sec, image):
    if not image:
        return
    pic = skin.picture(image)
    desk.alpha_composite(pic, (resolve(sec.get("x", 0), desk.size[0]),
                               resolve(sec.get("y", 0), desk.size[1])))


def widgets(skin, desk):
    shown = [("month", MONTH), ("clock1", HOUR // 10), ("clock2", HOUR % 10),
             ("clock3", MINUTE // 10), ("clock4", MINUTE % 10),
             ("clock5", SECOND // 10), ("clock6", SECOND % 10),
             ("weekday", WEEKDAY), ("day1", DAY // 10), ("day2", DAY % 10),
             ("year1", YEAR // 1000), ("year2", YEAR // 100 % 10),
             ("year3", YEAR // 10 % 10), ("year4", YEAR % 10)]
    for name, value in shown:
        sec = skin.config.get(name)
        if sec is not None:
            place(skin, desk, sec, sec.get("image%d" % value))


def placing(skin, desk, number):
    """The overlay of the button placement for template `number`."""
    tpl = skin.config["freebutton%d" % number]
    up = skin.picture(tpl["image1"])
    W, H = desk.size

    def silhouette(colour):
        a = up.getchannel("A").point(lambda v: v // 2)
        s = Image.new("RGBA", up.size, colour + (255,))
        s.putalpha(a)
        return s

    helppic = Image.open(os.path.join(ROOT, "assets", "help.png")).convert("RGBA")
    desk.alpha_composite(helppic, (W // 2 - 240, H // 2 - 180))
    i = 1
    while "posx%d" % i in tpl:
        desk.alpha_composite(silhouette((255, 0, 0)), (
            resolve(tpl["posx%d" % i], W), resolve(tpl.get("posy%d" % i, 0), H)))
        i += 1
    start = (resolve(tpl["posx"], W), resolve(tpl.get("posy", 0), H)) \
        if "posx" in tpl else (0, 0)
    desk.alpha_composite(silhouette((0, 255, 0)), start)


def face(skin, tpl, state, icon, caption):
    """A state picture as the button editor would make it: the icon scaled
    into its rectangle, the caption from the top-left of its rectangle
    (9 pt at 96 dpi = 12 px, glyph edges not smoothed)."""
    def key(name, default=0):
        for n in range(state, 0, -1):
            if "%s%d" % (name, n) in tpl:
                return int(tpl["%s%d" % (name, n)])
        return default
    img = skin.picture(tpl.get("image%d" % state, tpl["image1"]))
    x, y, w, h = key("x"), key("y"), key("w", 1), key("h", 1)
    img.alpha_composite(icon.resize((w, h), Image.LANCZOS), (x, y))
    tx, ty, tw, th = key("tx"), key("ty"), key("tw", 1), key("th", 1)
    colour = (key("red", 200), key("green", 200), key("blue", 200))
    size = round(key("s") * 96 / 72)
    fnt = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans%s.ttf"
                             % ("-Bold" if key("b") else ""), size)
    text = Image.new("RGBA", (tw, th), colour + (0,))
    d = ImageDraw.Draw(text)
    d.fontmode = "1"
    d.text((0, 0), caption, font=fnt, fill=colour + (255,))
    img.alpha_composite(text, (tx, ty))
    return img


def faces(skin, out):
    """A sheet of every template's three states with a sample icon."""
    tpls = list(numbered(skin.config, "freebutton"))
    icon = skin.picture("mycomputer.png")
    sheet = wallpaper(skin, (3 * 130 + 10, len(tpls) * 130 + 10))
    for j, tpl in enumerate(tpls):
        for i in range(3):
            sheet.alpha_composite(face(skin, tpl, i + 1, icon, "Мой компьютер"),
                                  (10 + i * 130, 10 + j * 130))
    sheet.convert("RGB").save(out)
    print("faces:", out)


def compose(skin, screen, over=0, template=0):
    desk = wallpaper(skin, screen)
    for sec in numbered(skin.config, "picture"):
        place(skin, desk, sec, sec.get("image", "pogoda.png"))
    widgets(skin, desk)
    for n, sec in enumerate(numbered(skin.user, "button"), 1):
        image = sec.get("image", "")
        if n == over:
            cut = image.rfind("_")
            image = image[:cut + 1] + "o" + image[cut + 2:]
        place(skin, desk, sec, image)
    analog_clock(skin, desk)
    if template:
        placing(skin, desk, template)
    return desk.convert("RGB")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("skin")
    parser.add_argument("folder")
    parser.add_argument("--over", type=int, default=2,
                        help="button shown in its 'over' state (0: none)")
    parser.add_argument("--placing", type=int, default=0, metavar="T",
                        help="also lay the placement overlay of template T")
    args = parser.parse_args()
    skin = Skin(args.skin)
    for screen in SCREENS:
        img = compose(skin, screen, args.over, args.placing)
        suffix = "-placing%d" % args.placing if args.placing else ""
        out = os.path.join(args.folder, "%s-preview-%dx%d%s.png"
                           % (args.skin, screen[0], screen[1], suffix))
        img.save(out)
        print("preview:", out)
    if skin.config.get("freebutton1"):
        faces(skin, os.path.join(args.folder, "%s-templates.png" % args.skin))


if __name__ == "__main__":
    sys.dont_write_bytecode = True
    main()
