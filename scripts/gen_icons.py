#!/usr/bin/env python3
"""Draws the category icons (res/icons/<icon>.png, 48x48) and the profile
icons (res/icons/formats/<icon>.png, 60x60) from the tables of
gen_formats.py.  Each icon is written as an ImageMagick vector drawing (MVG)
and rendered by ImageMagick's `convert`.

Look: a dark-blue device silhouette or format glyph, and below it a banner
with the profile's short name.

Run: python3 scripts/gen_icons.py
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_formats as gf  # noqa: E402

ROOT = gf.ROOT
OUT = os.path.join(ROOT, "res", "icons")

BODY_TOP = "#3a6db0"
BODY_BOTTOM = "#0c2550"
EDGE = "#a9c8f0"
SCREEN = "#dbe9ff"
SCREEN_DARK = "#8fb0de"
BANNER = "#0a1f44"
TEXT = "#ffffff"
GOLD = "#f2b632"
FONT = "DejaVu-Sans-Bold"


def defs():
    return ["push defs",
            "push gradient 'body' linear 0,0 0,60",
            "stop-color '%s' 0" % BODY_TOP,
            "stop-color '%s' 1" % BODY_BOTTOM,
            "pop gradient",
            "push gradient 'screen' linear 0,0 0,60",
            "stop-color '#f4f8ff' 0",
            "stop-color '%s' 1" % SCREEN_DARK,
            "pop gradient",
            "pop defs"]


def body(shape):
    return ["push graphic-context", "fill 'url(#body)'", "stroke '%s'" % EDGE, "stroke-width 1.2", shape,
            "pop graphic-context"]


def screen(shape):
    return ["push graphic-context", "fill 'url(#screen)'", "stroke none", shape, "pop graphic-context"]


def text(x, y, size, value, color=TEXT):
    value = value.replace("\\", "\\\\").replace("'", "\\'")
    return ["push graphic-context", "fill '%s'" % color, "stroke none", "font '%s'" % FONT,
            "font-size %g" % size, "text-anchor middle", "text %g,%g '%s'" % (x, y, value),
            "pop graphic-context"]


def banner(label, width=60, y=45, h=14):
    size = 9.5
    # DejaVu Sans Bold is about 0.66 em wide per character.
    while size > 6 and len(label) * size * 0.66 > width - 6:
        size -= 0.5
    out = ["push graphic-context", "fill '%s'" % BANNER, "stroke '%s'" % EDGE, "stroke-width 0.8",
           "roundrectangle 1,%g %g,%g 4,4" % (y, width - 1, y + h), "pop graphic-context"]
    return out + text(width / 2, y + h / 2 + size * 0.36, size, label)


# --- silhouettes (drawn in the upper 44 pixels of a 60x60 icon) -----------

def phone():
    return body("roundrectangle 19,2 41,43 4,4") + screen("rectangle 21.5,7 38.5,35") + [
        "fill '%s'" % EDGE, "circle 30,39.3 30,41"]


def tablet():
    return body("roundrectangle 5,6 55,42 4,4") + screen("rectangle 10,9.5 50,38.5") + [
        "fill '%s'" % EDGE, "circle 52.5,24 52.5,25.3"]


def player():
    return body("roundrectangle 18,2 42,43 5,5") + screen("rectangle 21,5.5 39,20") + [
        "push graphic-context", "fill '%s'" % SCREEN_DARK, "stroke '%s'" % EDGE, "circle 30,31.5 30,40",
        "fill '%s'" % BODY_BOTTOM, "circle 30,31.5 30,35", "pop graphic-context"]


def handheld():
    return body("roundrectangle 3,10 57,38 12,12") + screen("rectangle 18,13.5 42,34.5") + [
        "fill '%s'" % EDGE, "circle 10,24 10,26.5", "circle 50,21 50,22.8", "circle 50,27 50,28.8",
        "circle 47,24 47,25.8", "circle 53,24 53,25.8"]


def console():
    return body("roundrectangle 6,4 54,20 3,3") + ["fill '%s'" % SCREEN, "rectangle 10,11 30,13"] + body(
        "path 'M 12 26 C 6 26 4 40 9 42 C 13 44 16 36 22 36 L 38 36 C 44 36 47 44 51 42 C 56 40 54 26 48 26 Z'") + [
        "fill '%s'" % EDGE, "rectangle 15,29.5 21,31.5", "rectangle 17,27.5 19,33.5",
        "circle 42,30.5 42,32", "circle 46,30.5 46,32"]


def tvbox():
    return body("roundrectangle 6,3 54,33 3,3") + screen("rectangle 9,6 51,30") + body(
        "roundrectangle 20,36 40,42 2,2") + ["fill '%s'" % EDGE, "rectangle 28,33 32,36"]


def film():
    out = body("roundrectangle 6,4 54,40 4,4") + screen("rectangle 12,11 48,33")
    out += ["fill '%s'" % SCREEN]
    for x in range(9, 53, 7):
        out += ["rectangle %d,6 %d,9" % (x, x + 3), "rectangle %d,35 %d,38" % (x, x + 3)]
    out += ["fill '%s'" % BODY_TOP, "path 'M 26 16 L 36 22 L 26 28 Z'"]
    return out


def note():
    return body("circle 30,22 30,2") + [
        "push graphic-context", "fill '%s'" % SCREEN, "stroke none",
        "ellipse 24,30 5,3.8 0,360", "ellipse 38,27 5,3.8 0,360",
        "rectangle 27.5,10 29.5,30", "rectangle 41.5,7 43.5,27",
        "path 'M 27.5 10 L 43.5 7 L 43.5 11 L 27.5 14 Z'", "pop graphic-context"]


def disc():
    return [
        "push graphic-context", "fill 'url(#screen)'", "stroke '%s'" % EDGE, "stroke-width 1.2",
        "circle 30,22 30,2", "fill '%s'" % BODY_TOP, "circle 30,22 30,15", "fill 'none'",
        "stroke '#ffffff'", "stroke-width 0.8", "stroke-opacity 0.6", "arc 14,6 46,38 200,250",
        "fill '%s'" % SCREEN, "stroke '%s'" % EDGE, "circle 30,22 30,25", "pop graphic-context"]


def globe():
    return body("circle 30,22 30,2") + [
        "push graphic-context", "fill none", "stroke '%s'" % SCREEN, "stroke-width 1.3",
        "ellipse 30,22 9,20 0,360", "line 10,22 50,22", "line 30,2 30,42",
        "path 'M 13 12 Q 30 18 47 12'", "path 'M 13 32 Q 30 26 47 32'", "pop graphic-context"]


def tag(label, color, x=44, y=9):
    return ["push graphic-context", "fill '%s'" % color, "stroke '%s'" % BANNER, "stroke-width 0.8",
            "roundrectangle %g,%g %g,%g 3,3" % (x - 11, y - 7, x + 11, y + 6), "pop graphic-context"] + text(
        x, y + 3.2, 9, label, BANNER)


def glasses():
    return ["push graphic-context", "stroke '%s'" % BANNER, "stroke-width 1",
            "fill '#e0403a'", "roundrectangle 14,15 28,27 3,3",
            "fill '#33c3e0'", "roundrectangle 32,15 46,27 3,3",
            "fill none", "stroke-width 1.5", "line 28,19 32,19", "pop graphic-context"]


# --- choosing the picture and the label ---------------------------------

TABLETS = ("iPad", "tablet", "Tab", "XOOM", "Flyer", "PlayBook", "ZiiO", "Note")
PLAYER_CATS = {"11", "14", "15", "16", "13"}

LABELS = {
    "1004": "MP4", "1013": "MPEG-2", "1010": "MPEG-1", "1016": "VOB", "1008": "XVID",
    "2403": "YouTube", "2404": "YouTube HD", "2405": "Facebook", "2407": "MySpace",
    "1800": "touch", "1812": "touch 4", "1813": "touch 4 HD", "1801": "nano", "1802": "classic",
    "1803": "iPhone", "1804": "iPhone 3G", "1805": "iPhone 3GS", "1806": "iPhone 4", "1807": "iPhone 4 HD",
    "1808": "iPad", "1809": "iPad 2 HD", "1814": "New iPad", "1810": "Apple TV", "1811": "ATV HD",
    "2116": "Surround", "2117": "HD7", "2100": "Incredible", "2101": "Eris", "2109": "G1", "2110": "myTouch",
    "2114": "Android", "2303": "5800", "2602": "enV", "2603": "GR500", "2607": "UX700", "2608": "LG840",
    "2609": "VX9600", "2613": "UX840", "2614": "CT810", "2611": "VX9700", "2612": "CU920",
    "2200": "Tour", "2201": "Storm", "2202": "Bold", "2211": "Torch", "2203": "Curve 8900", "2204": "Curve 8500",
    "2205": "8300", "2206": "8310", "2207": "Pearl Flip", "2208": "Pearl", "2209": "Pearl 3G", "2210": "8100",
    "2756": "Galaxy S X", "2708": "Epic 4G", "2716": "Galaxy Tab", "2706": "Spica", "2701": "Galaxy S",
    "2801": "X10", "2802": "X8", "1302": "PS3 HD", "1304": "Xbox HD", "1303": "Xbox 360",
    "2018": "Venue Pro", "2019": "Streak", "2000": "Nexus One", "2004": "Pocket PC", "2006": "iPAQ",
    "1705": "ZiiO 10", "1706": "ZiiO 7", "1703": "Vision", "1704": "MX", "1608": "101", "1609": "70",
    "1610": "43", "1611": "28", "1612": "7 home", "1613": "5", "1614": "3 vision", "1602": "605", "1603": "504",
    "1604": "404", "1605": "AV500", "1606": "105", "1607": "Player", "1500": "E200", "2500": "Walkman",
    "2501": "Dell", "2502": "P7", "2503": "SPINN", "2504": "E100",
}


def label_of(p):
    if p.id in LABELS:
        return LABELS[p.id]
    name = p.name.strip()
    if p.cat in ("1", "2", "3", "21", "4"):
        return name.upper() if len(name) <= 5 else name
    return name


def picture(p):
    name = p.name
    if p.cat == "1003":
        return disc()
    if p.cat == "2":
        return note()
    if p.cat == "3":
        return film() + tag("HD", GOLD)
    if p.cat == "21":
        return film() + glasses()
    if p.cat == "4":
        return globe()
    if p.cat == "1":
        return film()
    if p.cat == "10":
        if p.id in ("1300", "1306"):
            return handheld()
        return console()
    if p.id in ("1810", "1811"):
        return tvbox()
    if any(t in name for t in TABLETS):
        return tablet()
    if p.id in ("1801", "1802") or (p.cat in PLAYER_CATS and p.ext != ".mp4"):
        return player()
    if p.cat in PLAYER_CATS and p.id in ("1501", "1502", "2500"):
        return player()
    return phone()


# --- category icons (48x48: the glyph alone, scaled) -------------------------

BRAND_TEXT = {"MenuApple": "Apple", "MenuHTC": "HTC", "MenuMotorola": "Moto", "MenuNokia": "Nokia",
              "MenuLG": "LG", "MenuBlackBerry": "BB", "MenuSamsung": "SAM", "MenuSonyEricsson": "SE",
              "MenuZune": "Zune", "MenuZEN": "ZEN", "MenuArchos": "Archos", "MenuSansa": "Sansa"}


def category_picture(icon):
    if icon == "MenuRecent":
        return body("circle 30,30 30,6") + [
            "push graphic-context", "fill '%s'" % SCREEN, "circle 30,30 30,10",
            "stroke '%s'" % BANNER, "stroke-width 3", "stroke-linecap round", "line 30,30 30,17",
            "line 30,30 39,35", "pop graphic-context"]
    if icon == "MenuUserDefined":
        return body("path 'M 30 5 L 37 21 L 54 22 L 41 33 L 45 50 L 30 41 L 15 50 L 19 33 L 6 22 L 23 21 Z'")
    if icon == "MenuBurnDVD":
        return ["translate 0,8"] + disc()
    if icon == "MenuCommonVideo":
        return ["translate 0,8"] + film()
    if icon == "MenuCommonAudio":
        return ["translate 0,8"] + note()
    if icon == "MenuHDVideo":
        return ["translate 0,8"] + film() + tag("HD", GOLD)
    if icon == "Menu3DVideo":
        return ["translate 0,8"] + film() + glasses()
    if icon == "MenuOnlineVideo":
        return ["translate 0,8"] + globe()
    if icon == "MenuGameHardware":
        return ["translate 0,6"] + console()
    if icon == "MenuWindowsMobile":
        return ["translate 0,8"] + phone()
    if icon == "MenuMediaPlayer":
        return ["translate 0,8"] + player()
    if icon == "MenuGetMoreProfile":
        return body("circle 30,30 30,6") + ["fill '%s'" % SCREEN, "rectangle 27,16 33,44", "rectangle 16,27 44,33"]
    if icon == "MenuAllProfiles":
        out = []
        for x in (8, 32):
            for y in (8, 32):
                out += body("roundrectangle %d,%d %d,%d 3,3" % (x, y, x + 20, y + 20))
        return out
    label = BRAND_TEXT[icon]
    size = 20 if len(label) <= 3 else (15 if len(label) <= 4 else 12)
    return body("roundrectangle 4,8 56,52 8,8") + text(30, 30 + size * 0.36, size, label)


def render(mvg_lines, size, out_path, tmp):
    mvg = os.path.join(tmp, "icon.mvg")
    with open(mvg, "w", encoding="utf-8") as f:
        f.write("viewbox 0 0 60 60\n" + "\n".join(defs() + mvg_lines) + "\n")
    # Drawn at 60x60 units, written at the requested size; metadata stripped
    # so that the output is the same on every run.
    subprocess.run(["convert", "-background", "none", "-density", str(72 * size / 60.0), "mvg:" + mvg,
                    "-resize", "%dx%d!" % (size, size), "-strip", "-define", "png:exclude-chunks=date,time",
                    "PNG32:" + out_path], check=True)


def main():
    os.makedirs(os.path.join(OUT, "formats"), exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for cid, title, typ, icon, *_ in gf.CATEGORIES:
            render(category_picture(icon), 48, os.path.join(OUT, icon + ".png"), tmp)
        seen = set()
        for p in gf.profiles():
            name = p.icon.replace("/", "-")
            if name in seen:
                continue
            seen.add(name)
            render(picture(p) + banner(label_of(p)), 60, os.path.join(OUT, "formats", name + ".png"), tmp)
    print("icons: %d categories, %d profiles" % (len(gf.CATEGORIES), len(seen)))


if __name__ == "__main__":
    sys.exit(main())
