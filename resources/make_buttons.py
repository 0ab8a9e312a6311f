#!/usr/bin/env python3
"""Draws the bitmap buttons' pictures as 24-bit BMP files, with RGB(255, 0, 255) as the transparent
(keying) colour wherever a picture is not.

  make_buttons.py launcher OUTDIR   the application's pictures:
      709 check box, checked (down and selected)       15 x 15
      710 check box, disabled and checked               15 x 15
      711 check box, cleared (up)                       15 x 15
      712 check box, disabled                           15 x 15
      2006, 2009, 2010 one-pixel placeholders, RGB(0, 0, 255) (default disabled, selected, up)
      2012 default disabled-and-selected picture        150 x 48
  make_buttons.py gallery OUTDIR    the gallery's sample buttons (a round push button, a toggle, an
                                    indeterminate check box)

Edges against the key are hard: a pixel is either all picture or all key, so no blend of the key
colour ever shows as a pink fringe. Inside a picture, colours are smoothed freely. Standard library
only, so every machine draws the same files. Each file is OUTDIR/button_<id>.bmp.
"""
import math
import os
import struct
import sys

KEY = (255, 0, 255)

NAVY = (21, 59, 99)
FRAME_BLUE = (80, 101, 138)
CONTROL_BACK = (161, 177, 204)
WHITE = (255, 255, 255)


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def rounded_rect_distance(x, y, w, h, r):
    """Signed distance of the pixel centre (x + .5, y + .5) to a w x h rectangle with corner radius r
    (negative inside)."""
    px, py = x + 0.5 - w / 2.0, y + 0.5 - h / 2.0
    qx, qy = abs(px) - (w / 2.0 - r), abs(py) - (h / 2.0 - r)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(1.0, max(0.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def cover(distance, width):
    """Coverage of a pixel by a stroke of the given width at that distance from its centre line."""
    return min(1.0, max(0.0, 0.5 + width / 2.0 - distance))


def picture(w, h, shade):
    """Rows of pixels: shade(x, y) gives a colour, or None for the key."""
    return [[shade(x, y) or KEY for x in range(w)] for y in range(h)]


# --- check box -------------------------------------------------------------------------------

CHECK_SIZE = 15
CHECK_MARK = [(3.6, 7.6), (6.2, 10.4), (11.6, 4.2)]


def check_box(border, face_top, face_bottom, mark=None, inset_shadow=None, dash=None):
    def shade(x, y):
        d = rounded_rect_distance(x, y, CHECK_SIZE, CHECK_SIZE, 3.0)
        if d > 0.0:
            return None
        if d > -1.0:
            return border
        color = mix(face_top, face_bottom, y / (CHECK_SIZE - 1.0))
        if inset_shadow and (x <= 2 or y <= 2):
            color = mix(color, inset_shadow, 0.45)
        if mark:
            px, py = x + 0.5, y + 0.5
            dist = min(segment_distance(px, py, *CHECK_MARK[i], *CHECK_MARK[i + 1]) for i in range(2))
            color = mix(color, mark, cover(dist, 2.2))
        if dash and 4 <= x <= 10 and 6 <= y <= 8:
            color = dash
        return color
    return picture(CHECK_SIZE, CHECK_SIZE, shade)


def launcher_pictures():
    light_face = (250, 252, 255)
    cool_face = (214, 223, 238)
    grey_border = (138, 146, 160)
    grey_face = (206, 210, 217)
    return {
        709: check_box(NAVY, (196, 210, 232), (226, 233, 244), mark=NAVY, inset_shadow=(150, 166, 196)),
        710: check_box(grey_border, grey_face, grey_face, mark=(124, 131, 144)),
        711: check_box(FRAME_BLUE, light_face, cool_face),
        712: check_box(grey_border, grey_face, grey_face),
        2006: [[(0, 0, 255)]],
        2009: [[(0, 0, 255)]],
        2010: [[(0, 0, 255)]],
        2012: default_disabled_selected(),
    }


def default_disabled_selected():
    """A flat, greyed plate with a sunken rim: what a checked button looks like when it is off."""
    w, h = 150, 48

    def shade(x, y):
        d = rounded_rect_distance(x, y, w, h, 8.0)
        if d > 0.0:
            return None
        if d > -1.0:
            return (128, 136, 150)
        face = mix((176, 184, 198), (198, 204, 214), y / (h - 1.0))
        if d > -3.0:
            return mix((150, 158, 172), face, (-d - 1.0) / 2.0)
        return face
    return picture(w, h, shade)


# --- gallery samples -------------------------------------------------------------------------

ROUND_SIZE = 40
# The round push button: up, down, rollover, disabled.
ROUND_LOOKS = {
    3201: ((92, 128, 188), (36, 70, 126), WHITE, 0.0),
    3202: ((44, 78, 134), (20, 46, 88), (226, 232, 242), 1.0),
    3203: ((124, 160, 220), (52, 92, 156), WHITE, 0.0),
    3204: ((184, 190, 200), (150, 156, 168), (226, 228, 232), 0.0),
}


def round_button(top, bottom, glyph, shift):
    c = ROUND_SIZE / 2.0
    tri = [(c - 5.5 + shift, c - 8.0 + shift), (c - 5.5 + shift, c + 8.0 + shift), (c + 8.5 + shift, c + shift)]

    def inside_triangle(px, py):
        sign = None
        for i in range(3):
            (ax, ay), (bx, by) = tri[i], tri[(i + 1) % 3]
            cross = (bx - ax) * (py - ay) - (by - ay) * (px - ax)
            if sign is None:
                sign = cross > 0
            elif (cross > 0) != sign:
                return False
        return True

    def shade(x, y):
        px, py = x + 0.5, y + 0.5
        r = math.hypot(px - c, py - c)
        if r > c - 0.5:
            return None
        if r > c - 1.5:
            return mix(bottom, (10, 24, 46), 0.5)
        color = mix(top, bottom, (py - 1.0) / (ROUND_SIZE - 2.0))
        # A soft highlight on the upper half, none when pressed (shift 1).
        if not shift:
            glow = max(0.0, 1.0 - math.hypot(px - c, py - c * 0.55) / (c * 0.75))
            color = mix(color, WHITE, 0.35 * glow)
        if inside_triangle(px, py):
            color = glyph
        return color
    return picture(ROUND_SIZE, ROUND_SIZE, shade)


TOGGLE_W, TOGGLE_H = 96, 28
# The toggle (check button): up, selected, down, disabled, disabled and selected, intermediate.
TOGGLE_LOOKS = {
    3211: ((236, 241, 249), (196, 208, 228), FRAME_BLUE),
    3212: ((190, 208, 242), (146, 170, 232), NAVY),
    3213: ((168, 188, 226), (128, 152, 208), NAVY),
    3214: ((214, 217, 222), (204, 207, 213), (150, 156, 168)),
    3215: ((196, 201, 210), (186, 191, 200), (136, 142, 156)),
    3216: ((236, 241, 249), (196, 208, 228), FRAME_BLUE, (190, 208, 242), (146, 170, 232)),
}


def toggle_button(top, bottom, border, half_top=None, half_bottom=None):
    """The pill; with a second pair of colours its left half is filled with them (indeterminate)."""
    def shade(x, y):
        d = rounded_rect_distance(x, y, TOGGLE_W, TOGGLE_H, TOGGLE_H / 2.0)
        if d > 0.0:
            return None
        if d > -1.0:
            return border
        if half_top and x < TOGGLE_W // 2:
            return mix(half_top, half_bottom, y / (TOGGLE_H - 1.0))
        return mix(top, bottom, y / (TOGGLE_H - 1.0))
    return picture(TOGGLE_W, TOGGLE_H, shade)


def gallery_pictures():
    pictures = {i: round_button(*look) for i, look in ROUND_LOOKS.items()}
    pictures.update({i: toggle_button(*look) for i, look in TOGGLE_LOOKS.items()})
    # An indeterminate check box in the style of 709 to 712: a navy dash.
    pictures[3217] = check_box(FRAME_BLUE, (250, 252, 255), (214, 223, 238), dash=NAVY)
    return pictures


# --- files -----------------------------------------------------------------------------------

def bmp_bytes(rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((int(round(b)), int(round(g)), int(round(r))))
        data += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


def main(argv):
    sets = {"launcher": launcher_pictures, "gallery": gallery_pictures}
    if len(argv) != 3 or argv[1] not in sets:
        sys.stderr.write("usage: make_buttons.py launcher|gallery OUTDIR\n")
        return 2
    os.makedirs(argv[2], exist_ok=True)
    for ident, rows in sets[argv[1]]().items():
        with open(os.path.join(argv[2], "button_%d.bmp" % ident), "wb") as f:
            f.write(bmp_bytes(rows))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
