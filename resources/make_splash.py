#!/usr/bin/env python3
"""Draws the launcher's splash picture (bitmap 2045): 480 x 320 pixels, 24 bits per pixel.

A deep navy field that brightens towards the lower right, a lens aperture with soft rings on the
right, a fine accent rule under the title, and a light band at the bottom for the status, legal and
version lines. The title sits at (18, 62) in white, so the field stays dark and calm there. The
picture carries no text of its own, and never the transparent key colour RGB(255, 0, 255).

Everything is computed here with the standard library only, so the same script gives the same file
on every machine:  make_splash.py OUTPUT.bmp
"""
import math
import struct
import sys

WIDTH, HEIGHT = 480, 320
BAND_TOP = HEIGHT - 44          # the light band holds the status line and the legal/version line
KEY = (255, 0, 255)

# The toolkit's colours.
NAVY = (21, 59, 99)
FRAME_BLUE = (80, 101, 138)
CONTROL_BACK = (161, 177, 204)

FIELD_DARK = (10, 30, 56)       # upper left, behind the title
FIELD_LIGHT = (52, 80, 120)     # lower right
GLOW = (104, 136, 182)
LINE = (196, 210, 232)
BAND_TOP_COLOR = (236, 240, 247)
BAND_BOTTOM_COLOR = (216, 224, 237)

LENS_X, LENS_Y = 372.0, 128.0
BLADES = 7
APERTURE = 40.0                 # inscribed radius of the opening
BLADE_RING = 92.0               # where the blade edges end
RINGS = [(118.0, 1.1, 0.34), (150.0, 0.9, 0.12), (196.0, 0.9, 0.08), (250.0, 0.9, 0.06)]
RULE_Y, RULE_X0, RULE_X1 = 97.5, 18.0, 262.0

# 4 x 4 ordered dither, so the long gradients show no steps.
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def smoothstep(e0, e1, x):
    t = min(1.0, max(0.0, (x - e0) / (e1 - e0)))
    return t * t * (3.0 - 2.0 * t)


def line_cover(distance, width):
    """Coverage of a pixel by a line of the given width at that distance from its centre line."""
    return min(1.0, max(0.0, 0.5 + width / 2.0 - abs(distance)))


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(1.0, max(0.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def aperture_geometry():
    """The opening's corners, and one edge per blade running from a corner out to the blade ring."""
    rotation = math.radians(-12.0)
    corner_radius = APERTURE / math.cos(math.pi / BLADES)
    corners = []
    for i in range(BLADES):
        angle = rotation + 2.0 * math.pi * i / BLADES
        corners.append((LENS_X + corner_radius * math.cos(angle), LENS_Y + corner_radius * math.sin(angle)))
    edges = []
    for i in range(BLADES):
        (ax, ay), (bx, by) = corners[i], corners[(i + 1) % BLADES]
        dx, dy = bx - ax, by - ay
        length = math.hypot(dx, dy)
        dx, dy = dx / length, dy / length
        # Walk on from b along the edge until the blade ring: |b + s*d - c| = BLADE_RING.
        ox, oy = bx - LENS_X, by - LENS_Y
        half = ox * dx + oy * dy
        s = -half + math.sqrt(half * half - (ox * ox + oy * oy - BLADE_RING * BLADE_RING))
        edges.append((ax, ay, bx + s * dx, by + s * dy))
    return corners, edges


def inside_polygon(px, py, corners):
    inside = False
    j = len(corners) - 1
    for i in range(len(corners)):
        (xi, yi), (xj, yj) = corners[i], corners[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def field(x, y):
    """The navy field of the upper part, with the lens drawn into it."""
    # Diagonal brightening, kept dark over the title's corner.
    t = 0.62 * (x / WIDTH) + 0.38 * (y / BAND_TOP)
    color = mix(FIELD_DARK, FIELD_LIGHT, smoothstep(0.0, 1.0, t) ** 1.15)
    r = math.hypot(x - LENS_X, y - LENS_Y)
    color = mix(color, GLOW, 0.30 * math.exp(-(r / 132.0) ** 2))
    for radius, width, alpha in RINGS:
        cover = line_cover(r - radius, width)
        if cover:
            color = mix(color, LINE, alpha * cover)
    # A soft halo just outside the blade ring.
    color = mix(color, LINE, 0.07 * math.exp(-((r - BLADE_RING - 5.0) / 4.0) ** 2))
    return color


def edge_angle(r):
    """Angle, seen from the lens centre, of the first blade edge where it crosses the circle of radius r.

    Each edge is the line of one side of the opening, followed outwards from the point where it
    touches the inscribed circle; the other edges are the same turned by a seventh of a turn."""
    rotation = math.radians(-12.0)
    touch = rotation + math.pi / BLADES          # the first side touches the circle half-way
    run = math.sqrt(max(0.0, r * r - APERTURE * APERTURE))
    return touch + math.atan2(run, APERTURE)


def lens(x, y, color, corners, edges):
    r = math.hypot(x - LENS_X, y - LENS_Y)
    if r > BLADE_RING + 2.0:
        return color
    if r < BLADE_RING and r >= APERTURE - 1.0:
        # The blades, lit from the upper left; each one darkens where the next one lies over it.
        angle = math.atan2(y - LENS_Y, x - LENS_X)
        sector = 2.0 * math.pi / BLADES
        offset = (angle - edge_angle(r)) % (2.0 * math.pi)
        index = int(offset // sector)
        within = (offset - index * sector) / sector
        middle = edge_angle(r) + (index + 0.5) * sector
        light = 0.5 + 0.5 * math.cos(middle - math.radians(-135.0))
        shadow = math.exp(-within * 9.0)
        blade = mix(FRAME_BLUE, CONTROL_BACK, 0.04 + 0.22 * light)
        blade = mix(blade, FIELD_DARK, 0.30 * shadow)
        edge = smoothstep(BLADE_RING, BLADE_RING - 1.0, r)
        color = mix(color, blade, 0.55 * edge)
    if inside_polygon(x, y, corners):
        # The opening: deep, with a faint glint at its upper left.
        depth = mix(FIELD_DARK, NAVY, 0.35 + 0.4 * (r / APERTURE))
        color = mix(color, depth, 0.92)
        gx, gy = x - (LENS_X - 14.0), y - (LENS_Y - 15.0)
        color = mix(color, LINE, 0.22 * math.exp(-(gx * gx / 90.0 + gy * gy / 30.0)))
    for ax, ay, bx, by in edges:
        cover = line_cover(segment_distance(x, y, ax, ay, bx, by), 1.0)
        if cover:
            color = mix(color, LINE, 0.45 * cover)
    cover = line_cover(r - BLADE_RING, 1.2)
    if cover:
        color = mix(color, LINE, 0.55 * cover)
    return color


# Soft out-of-focus discs (centre x, centre y, radius, strength), kept away from the title.
BOKEH = [(58.0, 196.0, 26.0, 0.06), (132.0, 232.0, 14.0, 0.07), (214.0, 176.0, 34.0, 0.045),
         (262.0, 30.0, 18.0, 0.05), (448.0, 252.0, 22.0, 0.05), (176.0, 22.0, 9.0, 0.06)]


def bokeh(x, y, color):
    for cx, cy, radius, strength in BOKEH:
        d = math.hypot(x - cx, y - cy)
        if d < radius + 1.0:
            rim = 1.0 + 0.6 * smoothstep(radius - 3.0, radius - 0.5, d)
            color = mix(color, GLOW, strength * rim * smoothstep(radius + 0.5, radius - 0.5, d) * 2.2)
    return color


def rule(x, y, color):
    """A fine accent line under the title, fading out to the right."""
    if RULE_X0 - 1 <= x <= RULE_X1 + 1:
        cover = line_cover(y - RULE_Y, 1.0)
        if cover:
            fade = smoothstep(RULE_X1, RULE_X0 + 60.0, x) * smoothstep(RULE_X0 - 1.0, RULE_X0 + 1.0, x)
            color = mix(color, (120, 160, 210), 0.85 * cover * fade)
    return color


def band(x, y):
    """The light band at the bottom, with a thin frame-blue edge and a soft shadow above it."""
    t = (y - BAND_TOP) / (HEIGHT - 1 - BAND_TOP)
    color = mix(BAND_TOP_COLOR, BAND_BOTTOM_COLOR, t)
    # A quiet sheen towards the right keeps the band from looking flat.
    return mix(color, (246, 248, 252), 0.35 * smoothstep(240.0, 480.0, x) * (1.0 - t))


def pixel(x, y, corners, edges):
    if y >= BAND_TOP:
        color = band(x, y)
        if y == BAND_TOP:
            color = mix(color, CONTROL_BACK, 0.55)
    elif y == BAND_TOP - 1:
        color = FRAME_BLUE
    else:
        color = field(x, y)
        color = bokeh(x, y, color)
        color = lens(x, y, color, corners, edges)
        color = rule(x, y, color)
        # The field darkens a touch into the band's edge.
        color = mix(color, FIELD_DARK, 0.25 * smoothstep(BAND_TOP - 14.0, BAND_TOP - 1.0, y))
    dither = (BAYER[y & 3][x & 3] + 0.5) / 16.0
    rgb = tuple(min(255, max(0, int(c + dither))) for c in color)
    if rgb == KEY:  # cannot happen with these colours; keep the key out whatever they become
        rgb = (254, 0, 255)
    return rgb


def render():
    corners, edges = aperture_geometry()
    rows = []
    for y in range(HEIGHT):
        rows.append([pixel(x, y, corners, edges) for x in range(WIDTH)])
    return rows


def bmp_bytes(rows):
    stride = (WIDTH * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_splash.py OUTPUT.bmp\n")
        return 2
    data = bmp_bytes(render())
    with open(argv[1], "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
