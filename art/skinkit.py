"""Writing a skin folder: INI files, pictures and the sections of the
analog clock, the digit clock and the calendar.

A skin script draws its pictures and hands them here with the places they
go; these helpers save the files under the skin folder and return the
config.ini sections as [(section, [(key, value), ...]), ...].

The script runs once for each of DENSITIES (paint.DENSITY): at 2 every
picture is saved as its "@2x" sibling ("plate@2x.png" beside "plate.png",
"acm@2x.bmp" beside "acm.bmp"), while the sections keep the 1x names and
numbers; the INI files and the wallpapers are written at density 1 only.
"""

import argparse
import os

import paint as P

MONTHS = ["Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль",
          "Август", "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"]
# image1 is Sunday, as the program counts the days of the week
WEEKDAYS = ["Воскресенье", "Понедельник", "Вторник", "Среда", "Четверг",
            "Пятница", "Суббота"]
# digit-clock section, the digits it can show
CLOCK_DIGITS = [("clock1", 3), ("clock2", 10), ("clock3", 6), ("clock4", 10),
                ("clock5", 6), ("clock6", 10)]
YEAR_SECTIONS = ["year1", "year2", "year3", "year4"]
DENSITIES = (1, 2)


def at_density(name):
    """The file name of a picture at the current density: "name.png" at 1,
    "name@2x.png" at 2."""
    if P.DENSITY == 1:
        return name
    stem, ext = os.path.splitext(name)
    return "%s@%dx%s" % (stem, P.DENSITY, ext)


def win_path(*parts):
    """A skin-relative file name as skins made on Windows store it."""
    return "\\".join(parts)


def write_ini(path, sections):
    """Writes [(section, [(key, value), ...]), ...] as UTF-8 with CRLF."""
    lines = []
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (k, v) for k, v in keys]
        lines.append("")
    with open(path, "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(lines))


def save_png(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.convert("RGBA").save(path, optimize=True)


class SkinWriter:
    """Saves the pictures of one skin folder."""

    def __init__(self, folder):
        self.folder = folder

    def save(self, img, *parts):
        """Saves a picture (PNG with alpha, or a BMP/JPEG as given) and
        returns its skin-relative name (the 1x one at any density)."""
        path = os.path.join(self.folder, *parts[:-1], at_density(parts[-1]))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if parts[-1].endswith(".png"):
            save_png(img, path)
        elif parts[-1].endswith(".bmp"):
            img.convert("RGB").save(path)
        else:
            img.convert("RGB").save(path, quality=90, optimize=True,
                                    progressive=False, subsampling=2)
        return win_path(*parts)

    def analog_clock(self, plate, hands, x, y, bmp_hands, show_seconds):
        """[analogclock]: the plate (its centre is the pivot point of every
        hand), hour hand as PNG, the hands in `bmp_hands` as keyed BMPs
        named acm.bmp / acs.bmp in the skin folder."""
        keys = [("showseconds", int(show_seconds)),
                ("plate", self.save(plate, "clock", "plate.png")),
                ("x", x), ("y", y)]
        cx, cy = plate.size[0] // P.DENSITY // 2, plate.size[1] // P.DENSITY // 2
        names = [("hour", "H"), ("minute", "M")]
        if show_seconds:
            names.append(("second", "S"))
        for key, p in names:
            img, (px, py) = hands[key]
            if key in bmp_hands:
                name = self.save(bmp_hands[key], "acm.bmp" if key == "minute"
                                 else "acs.bmp")
            else:
                name = self.save(img, "clock", key + ".png")
            keys.append((key, name))
            keys += [(p + "ArrowCX", px), (p + "ArrowCY", py)]
            keys += [(p + "centerX", cx), (p + "centery", cy)]
        return [("analogclock", keys)]

    def digit_clock(self, digit, x, y, step, gap, folder="clock"):
        """[clock1]..[clock6]: digit(d) gives the picture of digit d; the
        six places start at (x, y), `step` apart, pairs `gap` apart."""
        files = [self.save(digit(d), folder, "%d.png" % d) for d in range(10)]
        sections = []
        for i, (name, count) in enumerate(CLOCK_DIGITS):
            left = x + i * step + (i // 2) * gap
            keys = [("x", left), ("y", y), ("tr", 1)]
            keys += [("image%d" % d, files[d]) for d in range(count)]
            sections.append((name, keys))
        return sections

    def calendar(self, month, weekday, big_digit, small_digit, places):
        """[month], [weekday], [day1], [day2], [year1]..[year4].

        month(k) and weekday(k) draw the names (k counted from 1, weekday 1 =
        Sunday), big_digit(d) the day digits, small_digit(d) the year
        digits; places maps each section to its (x, y)."""
        def keys(name, images):
            x, y = places[name]
            return (name, [("x", x), ("y", y), ("tr", 1)] + images)

        months = [("image%d" % k, self.save(month(k), "calendar",
                                            "month%02d.png" % k))
                  for k in range(1, 13)]
        days = [("image%d" % k, self.save(weekday(k), "calendar",
                                          "weekday%d.png" % k))
                for k in range(1, 8)]
        big = [self.save(big_digit(d), "calendar", "day%d.png" % d)
               for d in range(10)]
        small = [self.save(small_digit(d), "calendar", "year%d.png" % d)
                 for d in range(10)]
        sections = [keys("month", months), keys("weekday", days),
                    keys("day1", [("image%d" % d, big[d]) for d in range(4)]),
                    keys("day2", [("image%d" % d, big[d]) for d in range(10)])]
        for name in YEAR_SECTIONS:
            sections.append(keys(name, [("image%d" % d, small[d])
                                        for d in range(10)]))
        return sections

    def pictures(self, items, first=1):
        """[pictureN] for [(file name, x, y, picture), ...]; a name with a
        "/" is a path inside the skin folder, others go to pictures/."""
        sections = []
        for i, (name, x, y, img) in enumerate(items, first):
            parts = name.split("/") if "/" in name else ["pictures", name]
            parts = [p for p in parts if p]
            sections.append(("picture%d" % i, [
                ("x", x), ("y", y), ("tr", 1),
                ("image", self.save(img, *parts))]))
        return sections


def run(name, doc, draw_all):
    """The command line of a skin's drawing script: draws every file of skin
    `name`, once per density; with --preview DIR also composes its previews
    into DIR."""
    import preview  # only needed for --preview
    parser = argparse.ArgumentParser(description=doc.split("\n")[0])
    parser.add_argument("--preview", metavar="DIR",
                        help="also compose previews at 1920x1080 and "
                             "1280x1024 into DIR")
    args = parser.parse_args()
    for density in DENSITIES:
        P.DENSITY = density
        draw_all()
    P.DENSITY = 1
    if args.preview:
        skin = preview.Skin(name)
        for screen in preview.SCREENS:
            out = os.path.join(args.preview, "%s-preview-%dx%d.png" % ((name,) + screen))
            preview.compose(skin, screen, over=2).save(out)
            print("preview:", out)
