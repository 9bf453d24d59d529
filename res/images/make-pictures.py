#!/usr/bin/env python3
"""Draws every Lingomat picture: writes the SVG sources into svg/ and renders them to PNG beside
this script with rsvg-convert. The build only copies the PNGs, so run this after changing a
picture and commit both. Needs nothing but python3 and rsvg-convert."""

import math
import os
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SVG_DIR = os.path.join(HERE, "svg")

INK = "#2d2a32"
INK_RGB = (0x2D, 0x2A, 0x32)
SUN = "#ffcc33"
SUN_LIGHT = "#ffe07a"
CHEEK = "#ff9e7d"
TEAR = "#5aaef0"
FUR = "#f3eee8"
FUR_SHADE = "#ddd5cb"
PINK = "#f59ab2"
BLUE = "#2f6fd6"
BLUE_DARK = "#2458ad"
GREEN = "#2fa84f"


# PNG reading and writing (rsvg-convert writes 8-bit RGB or RGBA, non-interlaced)

def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat, width, bpp = 8, b"", 0, 4
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, (path, depth, colour)
            bpp = 4 if colour == 6 else 3
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up, upleft = prev[i], (prev[i - bpp] if i >= bpp else 0)
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - upleft
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upleft)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else upleft)
                line[i] = (line[i] + pred) & 255
        rows.append([tuple(line[x * bpp:x * bpp + bpp]) + (255,) * (4 - bpp)
                     for x in range(width)])
        prev = line
    return rows


def write_png(path, rows, mode):
    """mode "RGB", "RGBA" or "L" (grey); rows hold tuples (or ints for "L")."""
    colour, channels = {"RGB": (2, 3), "RGBA": (6, 4), "L": (0, 1)}[mode]
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw.extend([px] if mode == "L" else px[:channels])

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, colour, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# SVG helpers

def svg(width, height, body, crisp=False):
    rendering = ' shape-rendering="crispEdges"' if crisp else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}"{rendering}>\n{body}</svg>\n')


def save_svg(name, text):
    os.makedirs(SVG_DIR, exist_ok=True)
    path = os.path.join(SVG_DIR, name + ".svg")
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return path


def render(svg_path, png_name, width, height):
    out = os.path.join(HERE, png_name)
    subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), "-o", out, svg_path],
                   check=True)
    return out


def rect(x, y, w, h, fill, extra=""):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{fill}"{extra}/>\n'


def poly(points, fill):
    pts = " ".join(f"{x:.3f},{y:.3f}" for x, y in points)
    return f'<polygon points="{pts}" fill="{fill}"/>\n'


# Flags, 166 x 75 (the game shows the top-left 165 x 74)

FLAG_W, FLAG_H = 166, 75
SEEN_W, SEEN_H = 165, 74


def flag_german(w=FLAG_W, h=FLAG_H):
    band = h / 3
    return (rect(0, 0, w, h, "#000000") + rect(0, band, w, h - band, "#dd0000")
            + rect(0, 2 * band, w, h - 2 * band, "#ffce00"))


def flag_french(w=FLAG_W, h=FLAG_H, seen_w=SEEN_W):
    band = seen_w / 3
    return (rect(0, 0, w, h, "#ef4135") + rect(0, 0, 2 * band, h, "#ffffff")
            + rect(0, 0, band, h, "#0055a4"))


def flag_spanish(w=FLAG_W, h=FLAG_H, seen_h=SEEN_H, arms=True):
    red, gold = "#c60b1e", "#ffc400"
    out = rect(0, 0, w, h, red) + rect(0, round(seen_h / 4), w, round(seen_h / 2), gold)
    if arms:
        out += spanish_arms(seen_h * 0.52, seen_h / 2, seen_h * 0.42)
    return out


def spanish_arms(cx, cy, size):
    """A plain rendering of the arms: two crowned pillars beside a crowned, quartered shield."""
    s = size / 32
    red, gold, cream, ink = "#c60b1e", "#ffc400", "#fff4dc", "#5a3a10"
    g = (f'<g transform="translate({cx:.2f},{cy:.2f}) scale({s:.4f})" '
         f'stroke="{ink}" stroke-width="0.9" stroke-linejoin="round">\n')
    for px in (-14, 14):
        g += (f'<rect x="{px - 2}" y="-8" width="4" height="19" fill="{cream}"/>\n'
              f'<rect x="{px - 3}" y="10" width="6" height="3" fill="{gold}"/>\n'
              f'<rect x="{px - 3}" y="-10" width="6" height="2.5" fill="{gold}"/>\n'
              f'<path d="M{px - 3} -10 l0 -3 l1.5 1.2 l1.5 -2 l1.5 2 l1.5 -2 l1.5 2 l1.5 -1.2 '
              f'l0 3 z" fill="{gold}"/>\n')
    g += (f'<path d="M-16 3 q8 -3 16 0 q8 3 16 0 l0 3.5 q-8 3 -16 0 q-8 -3 -16 0 z" '
          f'fill="{red}"/>\n')
    shield = "M-9 -9 H9 V4 Q9 13 0 14 Q-9 13 -9 4 Z"
    g += (f'<clipPath id="shield"><path d="{shield}"/></clipPath>\n'
          f'<g clip-path="url(#shield)" stroke="none">\n'
          + rect(-9, -9, 9, 11.5, red) + rect(0, -9, 9, 11.5, cream)
          + rect(-9, 2.5, 9, 12, gold) + rect(0, 2.5, 9, 12, red)
          + "".join(rect(-7.5 + 3.2 * i, 2.5, 1.6, 12, red) for i in range(3))
          + rect(-6.5, -5.5, 4, 4, gold) + rect(-7.2, -7, 1.4, 1.6, gold)
          + rect(-4.7, -7.5, 1.4, 2.1, gold) + rect(-2.2, -7, 1.4, 1.6, gold)
          + f'<circle cx="4.5" cy="-3.5" r="2.4" fill="#7b3f98"/>\n'
          + f'<path d="M2 5 l2.5 3 l-2.5 3 M7 5 l-2.5 3 l2.5 3" fill="none" stroke="{gold}" '
            f'stroke-width="1.2"/>\n'
          + "</g>\n"
          + f'<path d="{shield}" fill="none"/>\n'
          + f'<path d="M-8 -10 l0 -4 l3 2 l2 -3.5 l3 2.5 l3 -2.5 l2 3.5 l3 -2 l0 4 z" '
            f'fill="{gold}"/>\n')
    return g + "</g>\n"


def flag_british(w=FLAG_W, h=FLAG_H, seen_w=SEEN_W, seen_h=SEEN_H):
    blue, red, white = "#012169", "#c8102e", "#ffffff"
    u = seen_h / 30  # the flag is 30 units high; its crosses are measured in these units
    cx, cy = seen_w / 2, seen_h / 2
    reach = 3 * max(w, h)

    def arm(sx, sy, a, b):
        """The band between offsets a and b across the diagonal from the centre to a corner."""
        length = math.hypot(sx * cx, sy * cy)
        ux, uy = sx * cx / length, sy * cy / length
        nx, ny = -uy, ux
        ex, ey = cx + ux * reach, cy + uy * reach
        return [(cx + nx * a, cy + ny * a), (ex + nx * a, ey + ny * a),
                (ex + nx * b, ey + ny * b), (cx + nx * b, cy + ny * b)]

    corners = [(-1, -1), (1, -1), (1, 1), (-1, 1)]
    out = rect(0, 0, w, h, blue)
    out += "".join(poly(arm(sx, sy, -3 * u, 3 * u), white) for sx, sy in corners)
    # Offset to the same side on every arm, the red stripes turn like a pinwheel; this side puts
    # the broad white above the red next to the hoist, the right way up.
    out += "".join(poly(arm(sx, sy, 0, -2 * u), red) for sx, sy in corners)
    out += rect(0, cy - 5 * u, w, 10 * u, white) + rect(cx - 5 * u, 0, 10 * u, h, white)
    out += rect(0, cy - 3 * u, w, 6 * u, red) + rect(cx - 3 * u, 0, 6 * u, h, red)
    return out


FLAGS = {
    "german": flag_german,
    "british": flag_british,
    "spanish": flag_spanish,
    "french": flag_french,
}


def make_flags():
    for name, draw in FLAGS.items():
        path = save_svg(f"flag-{name}", svg(FLAG_W, FLAG_H, draw()))
        png = render(path, f"flag-{name}.png", FLAG_W, FLAG_H)
        write_png(png, [[px[:3] for px in row] for row in read_png(png)], "RGB")


# Smileys and rabbits, 48 x 48, each with a mask
#
# The game screen stretches the mask with "destination OR NOT mask" and then the picture with
# "destination AND picture". So the mask is black on the figure and white around it, and the
# picture is pure white wherever the mask is white; any other colour there would be ANDed into
# the background bit by bit. Both come from one antialiased drawing: a pixel belongs to the
# figure when it is at least half covered, and its remaining coverage is filled with the outline
# ink, so the figure ends in a hard dark edge instead of a pale fringe.

def eye(cx, cy, rx=2.6, ry=3.4):
    return (f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" fill="{INK}"/>\n'
            f'<circle cx="{cx + 0.8}" cy="{cy - 1.2}" r="0.95" fill="#ffffff"/>\n')


def line(d, width=2.4, colour=INK):
    return (f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{width}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>\n')


def face_disc():
    return (f'<circle cx="24" cy="24" r="22" fill="{SUN}" stroke="{INK}" stroke-width="2.6"/>\n'
            f'<path d="M9.5 17 A16 16 0 0 1 20 7.6" fill="none" stroke="{SUN_LIGHT}" '
            f'stroke-width="3" stroke-linecap="round"/>\n')


def smiley_happy():
    return (face_disc() + eye(17, 18.5) + eye(31, 18.5)
            + f'<ellipse cx="11.5" cy="27" rx="3.6" ry="2.4" fill="{CHEEK}"/>\n'
            + f'<ellipse cx="36.5" cy="27" rx="3.6" ry="2.4" fill="{CHEEK}"/>\n'
            + f'<path d="M13.5 27.5 Q24 31 34.5 27.5 Q32.5 39 24 39 Q15.5 39 13.5 27.5 Z" '
              f'fill="{INK}" stroke="{INK}" stroke-width="1.2" stroke-linejoin="round"/>\n'
            + f'<path d="M18.2 35.6 Q24 31.4 29.8 35.6 Q27.5 37.8 24 37.8 Q20.5 37.8 18.2 35.6 Z" '
              f'fill="#f26d6d"/>\n')


def smiley_sad():
    return (face_disc()
            + line("M11.5 14.5 L18.5 11.8", 2.2) + line("M36.5 14.5 L29.5 11.8", 2.2)
            + eye(16.5, 20.5, 2.4, 3.1) + eye(31.5, 20.5, 2.4, 3.1)
            + line("M15 36.5 Q24 28.5 33 36.5", 2.8)
            + f'<path d="M12.5 25 Q15.6 29.8 15.6 31.6 A3.1 3.1 0 0 1 9.4 31.6 Q9.4 29.8 12.5 25 Z" '
              f'fill="{TEAR}" stroke="{INK}" stroke-width="1"/>\n')


def rabbit_head(ears):
    """ears: a list of (cx, cy, rx, ry, angle) for the outer ear ellipses."""
    def ear(cx, cy, rx, ry, angle, fill, extra=""):
        return (f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" '
                f'transform="rotate({angle} {cx} {cy})" fill="{fill}"{extra}/>\n')
    outline = f' stroke="{INK}" stroke-width="5"'
    head = (24, 31, 16, 14)
    out = "".join(ear(*e, FUR, outline) for e in ears)
    out += (f'<ellipse cx="{head[0]}" cy="{head[1]}" rx="{head[2]}" ry="{head[3]}" '
            f'fill="{FUR}"{outline}/>\n')
    out += "".join(ear(*e, FUR) for e in ears)
    out += "".join(ear(cx, cy + ry * 0.08, rx * 0.45, ry * 0.72, a, PINK)
                   for cx, cy, rx, ry, a in ears)
    out += (f'<ellipse cx="{head[0]}" cy="{head[1]}" rx="{head[2]}" ry="{head[3]}" '
            f'fill="{FUR}"/>\n')
    out += f'<ellipse cx="24" cy="38" rx="8.5" ry="5.5" fill="#ffffff"/>\n'
    return out


def rabbit_happy():
    ears = [(16.5, 12.5, 5.2, 11.5, -12), (31.5, 12.5, 5.2, 11.5, 12)]
    return (rabbit_head(ears) + eye(17.5, 28.5, 2.3, 2.9) + eye(30.5, 28.5, 2.3, 2.9)
            + f'<ellipse cx="12.5" cy="35" rx="3" ry="2" fill="{CHEEK}"/>\n'
            + f'<ellipse cx="35.5" cy="35" rx="3" ry="2" fill="{CHEEK}"/>\n'
            + f'<rect x="22" y="37.2" width="4" height="4" rx="0.8" fill="#ffffff" '
              f'stroke="{INK}" stroke-width="1"/>\n'
            + line("M24 35.4 Q24 38 20.6 37.6 M24 35.4 Q24 38 27.4 37.6", 1.5)
            + f'<ellipse cx="24" cy="34.2" rx="2.3" ry="1.6" fill="{PINK}" stroke="{INK}" '
              f'stroke-width="0.9"/>\n')


def rabbit_sad():
    ears = [(10.4, 24.1, 4.6, 10, 45), (37.6, 24.1, 4.6, 10, -45)]
    return (rabbit_head(ears)
            + line("M14 25 L19.5 23.4", 1.8) + line("M34 25 L28.5 23.4", 1.8)
            + eye(17.5, 29.5, 2.2, 2.7) + eye(30.5, 29.5, 2.2, 2.7)
            + line("M20.5 40.8 Q24 37.6 27.5 40.8", 1.7)
            + f'<ellipse cx="24" cy="35.2" rx="2.3" ry="1.6" fill="{PINK}" stroke="{INK}" '
              f'stroke-width="0.9"/>\n'
            + f'<path d="M13.5 32 Q15.8 35.4 15.8 36.8 A2.3 2.3 0 0 1 11.2 36.8 Q11.2 35.4 13.5 32 Z" '
              f'fill="{TEAR}" stroke="{INK}" stroke-width="0.9"/>\n')


FIGURES = {
    "smiley-happy": smiley_happy,
    "smiley-sad": smiley_sad,
    "rabbit-happy": rabbit_happy,
    "rabbit-sad": rabbit_sad,
}


def split_figure(rows):
    """Returns (picture, mask) for the raster-operation drawing; see the note above."""
    picture, mask = [], []
    for row in rows:
        prow, mrow = [], []
        for r, g, b, a in row:
            if a >= 128:
                # rsvg writes unpremultiplied colour; fill what is not covered with ink
                prow.append(tuple(round((c * a + k * (255 - a)) / 255)
                                  for c, k in zip((r, g, b), INK_RGB)))
                mrow.append(0)
            else:
                prow.append((255, 255, 255))
                mrow.append(255)
        picture.append(prow)
        mask.append(mrow)
    return picture, mask


def make_figures():
    masks = {}
    for name, draw in FIGURES.items():
        path = save_svg(name, svg(48, 48, draw()))
        render(path, f"{name}-126.png", 126, 126)
        alpha = render(path, f"{name}-alpha.png", 48, 48)
        picture, mask = split_figure(read_png(alpha))
        write_png(os.path.join(HERE, f"{name}.png"), picture, "RGB")
        masks[name] = mask
    # The two smileys share one circular mask, so their outlines must agree pixel for pixel.
    if masks["smiley-happy"] != masks["smiley-sad"]:
        sys.exit("the happy and the sad smiley have different outlines")
    write_png(os.path.join(HERE, "smiley-mask.png"), masks["smiley-happy"], "L")
    write_png(os.path.join(HERE, "rabbit-happy-mask.png"), masks["rabbit-happy"], "L")
    write_png(os.path.join(HERE, "rabbit-sad-mask.png"), masks["rabbit-sad"], "L")


# Language pictures for the set-up dialogs, 48 x 32

BUBBLE = ("M7 1.5 H41 A5.5 5.5 0 0 1 46.5 7 V19 A5.5 5.5 0 0 1 41 24.5 H17 L7.5 30.5 "
          "L10 24.5 H7 A5.5 5.5 0 0 1 1.5 19 V7 A5.5 5.5 0 0 1 7 1.5 Z")


def language_picture(inner):
    """A speech bubble filled with the language's flag."""
    return ('<defs><clipPath id="bubble"><path d="' + BUBBLE + '"/></clipPath></defs>\n'
            f'<g clip-path="url(#bubble)">\n{inner}</g>\n'
            f'<path d="{BUBBLE}" fill="none" stroke="{INK}" stroke-width="1.6" '
            'stroke-linejoin="round"/>\n')


LANGUAGES = {
    "german": (flag_german, "#ffce00"),
    "english": (lambda w, h: flag_british(w, h, w, h), "#012169"),
    "french": (lambda w, h: flag_french(w, h, w), None),
    "spanish": (lambda w, h: flag_spanish(w, h, h, arms=False), "#c60b1e"),
}


def make_languages():
    for name, (flag, tail) in LANGUAGES.items():
        inner = (flag(48, 26) + rect(0, 25, 48, 7, tail)) if tail else flag(48, 32)
        path = save_svg(f"language-{name}", svg(48, 32, language_picture(inner)))
        render(path, f"language-{name}.png", 48, 32)


# Toolbar buttons, 16 x 16, drawn pixel by pixel so they stay sharp

PALETTE = {
    "K": INK, "W": "#ffffff", "s": "#c9ced8", "S": "#8a919e",
    "h": "#ffffff",
    "B": BLUE, "b": "#9cc3f5", "D": BLUE_DARK,
    "G": GREEN, "g": "#8fd9a2", "R": "#e03c31", "r": "#f7a59e",
    "Y": SUN, "y": SUN_LIGHT, "O": "#e8871e", "P": PINK,
}
MARK = "B"  # the accent marks stand out from the letters in this colour

LETTERS = {
    "a": [".#####.",
          ".....##",
          ".######",
          "##...##",
          "##...##",
          "##..###",
          ".###.##"],
    "e": [".#####.",
          "##...##",
          "##...##",
          "#######",
          "##.....",
          "##...##",
          ".#####."],
    "i": ["###.",
          ".##.",
          ".##.",
          ".##.",
          ".##.",
          ".##.",
          "####"],
    "o": [".#####.",
          "##...##",
          "##...##",
          "##...##",
          "##...##",
          "##...##",
          ".#####."],
    "u": ["##...##",
          "##...##",
          "##...##",
          "##...##",
          "##...##",
          "##..###",
          ".###.##"],
    "c": [".#####.",
          "##...##",
          "##.....",
          "##.....",
          "##.....",
          "##...##",
          ".#####."],
    "n": ["##.###.",
          "###.###",
          "##...##",
          "##...##",
          "##...##",
          "##...##",
          "##...##"],
    "A": ["...###...",
          "..##.##..",
          "..##.##..",
          ".##...##.",
          ".##...##.",
          ".#######.",
          "##.....##",
          "##.....##",
          "##.....##"],
    "O": ["..####..",
          ".##..##.",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          ".##..##.",
          "..####.."],
    "U": ["##....##",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          ".##..##.",
          "..####.."],
    "sharp-s": [".####..",
                "##..##.",
                "##..##.",
                "##.##..",
                "##.##..",
                "##..##.",
                "##...##",
                "##...##",
                "##...##",
                "##.###."],
}

MARKS = {
    "grave": [".##..",
              "..##.",
              "...##"],
    "acute": ["...##",
              "..##.",
              ".##.."],
    "circumflex": ["..#..",
                   ".###.",
                   "##.##"],
    "diaeresis": ["##.##",
                  "##.##"],
    "tilde": [".###.##",
              "##.###."],
}

# (file name part, letter, mark)
CHARACTERS = [
    ("a-grave", "a", "grave"), ("a-circumflex", "a", "circumflex"),
    ("e-acute", "e", "acute"), ("e-grave", "e", "grave"), ("e-circumflex", "e", "circumflex"),
    ("e-diaeresis", "e", "diaeresis"), ("i-circumflex", "i", "circumflex"),
    ("i-diaeresis", "i", "diaeresis"), ("o-circumflex", "o", "circumflex"),
    ("u-grave", "u", "grave"), ("u-circumflex", "u", "circumflex"), ("c-cedilla", "c", "cedilla"),
    ("sharp-s", "sharp-s", None), ("a-diaeresis", "a", "diaeresis"),
    ("o-diaeresis", "o", "diaeresis"), ("u-diaeresis", "u", "diaeresis"),
    ("capital-a-diaeresis", "A", "diaeresis"), ("capital-o-diaeresis", "O", "diaeresis"),
    ("capital-u-diaeresis", "U", "diaeresis"), ("n-tilde", "n", "tilde"),
    ("i-acute", "i", "acute"),
]

CEDILLA = ["..##.",
           "...##",
           ".###."]


def blank():
    return [["."] * 16 for _ in range(16)]


def stamp(grid, pattern, top, left, colour):
    for dy, row in enumerate(pattern):
        for dx, ch in enumerate(row):
            if ch != ".":
                grid[top + dy][left + dx] = colour


def character_icon(letter, mark):
    grid = blank()
    glyph = LETTERS[letter]
    width = len(glyph[0])
    left = (16 - width) // 2
    if letter.isupper():
        top = 6
    elif letter == "sharp-s":
        top = 3
    elif mark == "cedilla":
        top = 5
    else:
        top = 8
    stamp(grid, glyph, top, left, "K")
    if mark == "cedilla":
        stamp(grid, CEDILLA, top + len(glyph), left + 1, MARK)
    elif mark:
        pattern = MARKS[mark]
        mark_left = left + (width - len(pattern[0]) + 1) // 2
        stamp(grid, pattern, top - len(pattern) - 1, mark_left, MARK)
    return ["".join(row) for row in grid]


ACTIONS = {
    # Neu: a fresh sheet with a star (its orange edge is added below)
    "new-game": [
        "................",
        ".KKKKKKKK.......",
        ".KWWWWWWKK......",
        ".KWWWWWWKsK.....",
        ".KWWWWWWKKKK....",
        ".KWsssssWWWK....",
        ".KWWWWWWWWWK....",
        ".KWsssssWWWK....",
        ".KWWWWWWWWWY....",
        ".KWsssssWWYYY...",
        ".KWWWWWWYYYYYYY.",
        ".KWssssWWYYYYY..",
        ".KWWWWWWWWYYY...",
        ".KKKKKKKKYYKYY..",
        ".........Y...Y..",
        "................",
    ],
    # a look at the answer
    "show-answer": [
        "................",
        "................",
        "................",
        "................",
        ".....KKKKKK.....",
        "...KKWWBBWWKK...",
        "..KWWWBBBBWWWK..",
        ".KWWWBBKKBBWWWK.",
        "KWWWWBKKKKBWWWWK",
        ".KWWWBBKKBBWWWK.",
        "..KWWWBBBBWWWK..",
        "...KKWWBBWWKK...",
        ".....KKKKKK.....",
        "................",
        "................",
        "................",
    ],
    "skip-question": [
        "................",
        "................",
        "................",
        ".B.....B.....BB.",
        ".BB....BB....BB.",
        ".BBB...BBB...BB.",
        ".BBBB..BBBB..BB.",
        ".BBBBB.BBBBB.BB.",
        ".BBBBB.BBBBB.BB.",
        ".BBBB..BBBB..BB.",
        ".BBB...BBB...BB.",
        ".BB....BB....BB.",
        ".B.....B.....BB.",
        "................",
        "................",
        "................",
    ],
    # the running game's share of right and wrong answers
    "statistics": [
        "................",
        ".K..............",
        ".K.......GGG....",
        ".K.......GGG....",
        ".K.......GGG....",
        ".K.......GGG....",
        ".K.......GGG....",
        ".K...RRR.GGG....",
        ".K...RRR.GGG....",
        ".K...RRR.GGG....",
        ".K...RRR.GGG....",
        ".K...RRR.GGG....",
        ".K...RRR.GGG....",
        ".KKKKKKKKKKKKKK.",
        "................",
        "................",
    ],
    "rotate-answers": [
        "................",
        ".....GGGGGG.....",
        "...GGGGGGGGGG...",
        "..GGG......GGG..",
        "..GG........GG..",
        ".GG.......GGGGGG",
        ".GG........GGGG.",
        ".GG.........GG..",
        "..BB............",
        ".BBBB........BB.",
        "BBBBBB.......BB.",
        "..BB........BB..",
        "..BBB......BBB..",
        "...BBBBBBBBBB...",
        ".....BBBBBB.....",
        "................",
    ],
    "player-statistics": [
        "................",
        "....KKKK........",
        "...KYYYYK.......",
        "..KYYYYYYK......",
        "..KYYYYYYK......",
        "..KYYYYYYK......",
        "...KYYYYK.......",
        "....KKKK........",
        "..KKBBBBKK....G.",
        ".KBBBBBBBBK...G.",
        "KBBBBBBBBBBK..G.",
        "KBBBBBBBBBBKR.G.",
        "KBBBBBBBBBBKR.G.",
        "KBBBBBBBBBBKR.G.",
        "KKKKKKKKKKKKKKKK",
        "................",
    ],
    # stops the running game
    "end-game": [
        "................",
        ".....KKKKKK.....",
        "....KRRRRRRK....",
        "...KRRRRRRRRK...",
        "..KRRRRRRRRRRK..",
        ".KRRRRRRRRRRRRK.",
        ".KRRRRRRRRRRRRK.",
        ".KRWWWWWWWWWWRK.",
        ".KRWWWWWWWWWWRK.",
        ".KRRRRRRRRRRRRK.",
        ".KRRRRRRRRRRRRK.",
        "..KRRRRRRRRRRK..",
        "...KRRRRRRRRK...",
        "....KRRRRRRK....",
        ".....KKKKKK.....",
        "................",
    ],
}

# The buttons from left to right; "|" marks where the toolbar puts a separator. The strip
# toolbar.png holds the buttons in this order without the separators.
TOOLBAR = ["new-game", "|", "show-answer", "skip-question", "statistics", "rotate-answers", "|",
           "player-statistics", "|",
           "char-a-grave", "char-a-circumflex", "char-e-acute", "char-e-grave",
           "char-e-circumflex", "char-e-diaeresis", "char-i-circumflex", "char-i-diaeresis",
           "char-o-circumflex", "char-u-grave", "char-u-circumflex", "char-c-cedilla", "|",
           "char-sharp-s", "char-a-diaeresis", "char-o-diaeresis", "char-u-diaeresis",
           "char-capital-a-diaeresis", "char-capital-o-diaeresis", "char-capital-u-diaeresis", "|",
           "char-n-tilde", "char-i-acute", "|", "end-game"]


def edge(grid, inside, colour):
    """Colours every pixel beside an `inside` pixel (not diagonally) that is not one itself."""
    out = [list(row) for row in grid]
    for y in range(16):
        for x in range(16):
            if grid[y][x] != inside and any(
                    0 <= y + dy < 16 and 0 <= x + dx < 16 and grid[y + dy][x + dx] == inside
                    for dy, dx in ((-1, 0), (1, 0), (0, -1), (0, 1))):
                out[y][x] = colour
    return ["".join(row) for row in out]


def halo(grid):
    """A faint light rim around the dark ink keeps the buttons readable on a dark toolbar and
    disappears on a light one."""
    out = [list(row) for row in grid]
    for y in range(16):
        for x in range(16):
            if grid[y][x] == "." and any(
                    0 <= y + dy < 16 and 0 <= x + dx < 16 and grid[y + dy][x + dx] == "K"
                    for dy in (-1, 0, 1) for dx in (-1, 0, 1)):
                out[y][x] = "h"
    return ["".join(row) for row in out]


def pixel_rects(grid, left=0):
    """One rect per horizontal run of a colour, on whole pixels."""
    out = ""
    for y, row in enumerate(grid):
        x = 0
        while x < len(row):
            ch = row[x]
            run = 1
            while x + run < len(row) and row[x + run] == ch:
                run += 1
            if ch != ".":
                faint = ' fill-opacity="0.6"' if ch == "h" else ""
                out += rect(left + x, y, run, 1, PALETTE[ch], faint)
            x += run
    return out


def toolbar_icons():
    icons = dict(ACTIONS)
    icons["new-game"] = edge(icons["new-game"], "Y", "O")
    for name, letter, mark in CHARACTERS:
        icons["char-" + name] = character_icon(letter, mark)
    for name, grid in icons.items():
        assert len(grid) == 16 and all(len(row) == 16 for row in grid), name
    return {name: halo(grid) for name, grid in icons.items()}


def make_toolbar():
    icons = toolbar_icons()
    buttons = [name for name in TOOLBAR if name != "|"]
    assert sorted(buttons) == sorted(icons), "every toolbar picture has a button"
    for name in buttons:
        path = save_svg(f"toolbar-{name}", svg(16, 16, pixel_rects(icons[name]), crisp=True))
        render(path, f"toolbar-{name}.png", 16, 16)
    strip = "".join(pixel_rects(icons[name], 16 * i) for i, name in enumerate(buttons))
    path = save_svg("toolbar", svg(16 * len(buttons), 16, strip, crisp=True))
    render(path, "toolbar.png", 16 * len(buttons), 16)


# Application icon
#
# A speech bubble with rabbit ears that says "right": the game's two themes, languages and the
# rabbit that cheers a right answer, on one tile.

def app_icon():
    bubble = ("M84 92 H172 A40 40 0 0 1 212 132 V164 A40 40 0 0 1 172 204 H112 L62 236 "
              "L76 204 A40 40 0 0 1 44 164 V132 A40 40 0 0 1 84 92 Z")
    ears = ""
    for cx, angle in ((100, -14), (156, 14)):
        ears += (f'<ellipse cx="{cx}" cy="70" rx="21" ry="46" transform="rotate({angle} {cx} 70)" '
                 f'fill="#ffffff"/>\n'
                 f'<ellipse cx="{cx}" cy="74" rx="9" ry="32" transform="rotate({angle} {cx} 70)" '
                 f'fill="{PINK}"/>\n')
    return (f'<rect x="12" y="12" width="232" height="232" rx="52" fill="{BLUE}"/>\n'
            f'<path d="{bubble}" fill="{BLUE_DARK}" transform="translate(0 10)"/>\n'
            + ears +
            f'<path d="{bubble}" fill="#ffffff"/>\n'
            f'<path d="M92 150 L118 176 L166 124" fill="none" stroke="{GREEN}" '
            f'stroke-width="24" stroke-linecap="round" stroke-linejoin="round"/>\n')


ICON_SIZES = (32, 48, 64, 128, 256)

# Scaled down to 16 pixels the drawing above turns to mush, so the smallest icon is drawn by hand.
ICON_16 = [
    ".BBBBBBBBBBBBBB.",
    "BBBBBBBBBBBBBBBB",
    "BBBBWBBBBBBWBBBB",
    "BBBWPWBBBBWPWBBB",
    "BBBWPWBBBBWPWBBB",
    "BBBWPWBBBBWPWBBB",
    "BBBWWWWWWWWWWBBB",
    "BBWWWWWWWWWGGWBB",
    "BBWWWWWWWWGGWWBB",
    "BBWWGGWWWGGWWWBB",
    "BBWWWGGWGGWWWWBB",
    "BBWWWWGGGWWWWWBB",
    "BBBWWWWWWWWWWDBB",
    "BBBWWDDDDDDDDDBB",
    "BBWWDBBBBBBBBBBB",
    ".BBBBBBBBBBBBBB.",
]


def make_app_icon():
    path = save_svg("lingomat", svg(256, 256, app_icon()))
    for size in ICON_SIZES:
        render(path, f"lingomat-{size}.png", size, size)
    path = save_svg("lingomat-16", svg(16, 16, pixel_rects(ICON_16), crisp=True))
    render(path, "lingomat-16.png", 16, 16)


def main():
    make_flags()
    make_figures()
    make_languages()
    make_toolbar()
    make_app_icon()


if __name__ == "__main__":
    main()
