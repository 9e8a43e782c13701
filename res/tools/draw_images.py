#!/usr/bin/env python3
"""Draws Lapido's pictures: the application icon (48, 32 and 16 pixels), the view-point
toolbar strip (eleven 16 x 15 buttons) and the pan and spin cursors (32 x 32).

Writes res/images/*.xpm, which res/Images.cpp compiles in, and res/icons/lapido-<n>.png,
which the install puts into the desktop's icon theme. Both come from the same pixels.
res/icons/lapido.svg, the theme's scalable size, is the 48-pixel drawing as vectors.
Run it after changing a picture and commit its output with it:

    python3 res/tools/draw_images.py [--preview DIR]

--preview also writes every picture enlarged (8x) on a checkerboard, for looking at.
Plain Python 3, no packages needed.
"""

import argparse
import math
import os
import sys

sys.dont_write_bytecode = True  # leave no cache beside the sources
from raster import (  # noqa: E402
    Canvas, bbox, blank, disc, flip, from_art, mask_of, mirror, mix, outlined, paste, polygon,
    segment, transpose, union, write_png, write_xpm)

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)

# ---------------------------------------------------------------------------------------
# The icon: a round brilliant seen from the side, its facets lit from the upper left.

GEM_OUTLINE = "#0e2f5c"
GEM_EDGE = "#2a6cae"
CROWN_EDGE_16 = "#6fbcec"
# Facet brightness 0..1 maps onto this ramp, dark pavilion blue to white.
GEM_RAMP = ["#14508f", "#2a7fcc", "#5db3ea", "#a9dcf8", "#e9f8ff", "#ffffff"]
LIGHT = (-0.55, 0.55, 0.63)  # x right, y towards the viewer, z up

CROWN_HEIGHT = 0.36  # in girdle radii, taller than a real stone so the icon fills its square
TABLE_RADIUS = 0.55
GIRDLE_HEIGHT = 0.06
PAVILION_DEPTH = 1.0


def ramp(t):
    t = max(0.0, min(1.0, t)) * (len(GEM_RAMP) - 1)
    i = min(int(t), len(GEM_RAMP) - 2)
    return mix(GEM_RAMP[i], GEM_RAMP[i + 1], t - i)


def normalise(v):
    n = math.sqrt(sum(c * c for c in v))
    return tuple(c / n for c in v)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


def brilliant_facets():
    """The facets facing the viewer, as (3D points, brightness)."""

    def ring(radius, z, count, offset=0.0):
        return [
            (radius * math.cos(2 * math.pi * (k + offset) / count),
             radius * math.sin(2 * math.pi * (k + offset) / count), z)
            for k in range(count + 1)
        ]

    table = ring(TABLE_RADIUS, CROWN_HEIGHT, 8)
    girdle_top = ring(1.0, 0.0, 16)
    girdle_bottom = ring(1.0, -GIRDLE_HEIGHT, 16)
    culet = (0.0, 0.0, -GIRDLE_HEIGHT - PAVILION_DEPTH)
    faces = []
    for k in range(8):
        t0, t1 = table[k], table[k + 1]
        g0, g1, g2 = girdle_top[2 * k], girdle_top[2 * k + 1], girdle_top[2 * k + 2]
        faces += [[t0, g1, t1], [t0, g0, g1], [t1, g1, g2]]
    for j in range(16):
        faces.append([girdle_bottom[j], culet, girdle_bottom[j + 1]])
    # Light bounced inside the stone makes neighbouring pavilion facets alternate.
    bounce = [0.0] * 24 + [0.22 if j % 2 else -0.12 for j in range(16)]
    light = normalise(LIGHT)
    visible = []
    for f, extra in zip(faces, bounce):
        n = normalise(cross(tuple(b - a for a, b in zip(f[0], f[1])),
                            tuple(c - a for a, c in zip(f[0], f[2]))))
        centroid = tuple(sum(c) / len(f) for c in zip(*f))
        if n[0] * centroid[0] + n[1] * centroid[1] < 0:  # face outwards
            n = tuple(-c for c in n)
        if n[1] < 0.05:  # the back half and facets seen edge-on
            continue
        diffuse = max(0.0, dot(n, light))
        # mirror reflection of the light towards the viewer: the sparkle
        r = tuple(2 * dot(n, light) * nc - lc for nc, lc in zip(n, light))
        sparkle = max(0.0, r[1]) ** 12
        visible.append((f, 0.15 + 0.75 * diffuse + 0.6 * sparkle + extra))
    return visible


def icon_layout(size):
    """The icon's shapes in a size x size square, y down: the silhouette, the region inside
    its outline, the facets with their colours, the facet edges, the girdle band, the glint
    and the widths of the edges and the band, all scaled with the size."""
    margin = size * 0.03
    half = (size - 2 * margin) / 2
    total_h = CROWN_HEIGHT + GIRDLE_HEIGHT + PAVILION_DEPTH
    top = (size - total_h * half) / 2

    def project(p):
        return (size / 2 + p[0] * half, top + (CROWN_HEIGHT - p[2]) * half)

    silhouette = [project(p) for p in [
        (-TABLE_RADIUS, 0, CROWN_HEIGHT), (TABLE_RADIUS, 0, CROWN_HEIGHT), (1, 0, 0),
        (1, 0, -GIRDLE_HEIGHT), (0, 0, -GIRDLE_HEIGHT - PAVILION_DEPTH), (-1, 0, -GIRDLE_HEIGHT),
        (-1, 0, 0)]]
    line = size / 48.0  # line width in pixels scales with the icon
    facets = [([project(p) for p in face], ramp(light)) for face, light in brilliant_facets()]
    edges = set()
    for pts, _ in facets:
        for i in range(len(pts)):
            a, b = pts[i], pts[(i + 1) % len(pts)]
            edges.add((min(a, b), max(a, b)))
    girdle_y = project((0, 0, -GIRDLE_HEIGHT / 2))[1]
    return {
        "silhouette": silhouette,
        "inner": shrink(silhouette, 1.15 * line),
        "facets": facets,
        "edges": list(edges),  # blended in another order, a few pixels round differently
        "edge_half_width": 0.36 * line,
        "girdle": (girdle_y - 0.7 * line, girdle_y + 0.7 * line),
        "sparkle": sparkle_stars(size * 0.81, size * 0.15, size * 0.15),
    }


def draw_icon(size):
    icon = icon_layout(size)
    canvas = Canvas(size, size)
    # The outline first, as a fat border, then the facets inside it.
    canvas.fill(polygon(icon["silhouette"]), GEM_OUTLINE)
    clip = polygon(icon["inner"])
    for pts, colour in icon["facets"]:
        shape = polygon(pts)
        canvas.fill(lambda x, y, s=shape: s(x, y) and clip(x, y), colour, bbox(pts))
    # Facet edges, thin, inside the outline.
    for a, b in icon["edges"]:
        seg = segment(a, b, icon["edge_half_width"])
        canvas.fill(lambda x, y, s=seg: s(x, y) and clip(x, y), GEM_EDGE, bbox([a, b]))
    y0, y1 = icon["girdle"]
    girdle = polygon([(0, y0), (size, y0), (size, y1), (0, y1)])
    canvas.fill(lambda x, y: girdle(x, y) and clip(x, y), GEM_OUTLINE)
    for pts, colour in icon["sparkle"]:
        canvas.fill(polygon(pts), colour, bbox(pts))
    return canvas.picture()


def icon_svg(size=48):
    """The same drawing as vectors, for the theme's scalable size."""
    icon = icon_layout(size)

    def points(pts):
        return " ".join("%.3f,%.3f" % p for p in pts)

    out = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
        % (size, size, size, size),
        "  <title>Lapido</title>",
        '  <defs><clipPath id="inside"><polygon points="%s"/></clipPath></defs>'
        % points(icon["inner"]),
        '  <polygon fill="%s" points="%s"/>' % (GEM_OUTLINE, points(icon["silhouette"])),
        '  <g clip-path="url(#inside)">',
    ]
    # The edge lines drawn over them hide the seams between neighbouring facets.
    for pts, colour in icon["facets"]:
        out.append('    <polygon fill="%s" points="%s"/>' % (colour, points(pts)))
    out.append('    <g stroke="%s" stroke-width="%.3f" stroke-linecap="round">'
               % (GEM_EDGE, 2 * icon["edge_half_width"]))
    for a, b in icon["edges"]:
        out.append('      <line x1="%.3f" y1="%.3f" x2="%.3f" y2="%.3f"/>' % (a + b))
    out.append("    </g>")
    y0, y1 = icon["girdle"]
    out.append('    <rect fill="%s" x="0" y="%.3f" width="%d" height="%.3f"/>'
               % (GEM_OUTLINE, y0, size, y1 - y0))
    out.append("  </g>")
    for pts, colour in icon["sparkle"]:
        out.append('  <polygon fill="%s" points="%s"/>' % (colour, points(pts)))
    out.append("</svg>")
    return "\n".join(out) + "\n"


def shrink(points, d):
    """Moves each edge of a convex, clockwise-on-screen polygon inwards by d."""
    n = len(points)
    lines = []
    for i in range(n):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
        ex, ey = x1 - x0, y1 - y0
        length = math.hypot(ex, ey)
        nx, ny = -ey / length, ex / length  # inward for a clockwise polygon (y down)
        lines.append(((x0 + nx * d, y0 + ny * d), (ex, ey)))
    out = []
    for i in range(n):
        (p, r), (q, s) = lines[i - 1], lines[i]
        denom = r[0] * s[1] - r[1] * s[0]
        t = ((q[0] - p[0]) * s[1] - (q[1] - p[1]) * s[0]) / denom
        out.append((p[0] + t * r[0], p[1] + t * r[1]))
    return out


def sparkle_stars(cx, cy, r):
    """A four-pointed glint, white with a pale blue rim, as (points, colour), back first."""

    def star(radius, waist):
        pts = []
        for k in range(8):
            a = math.pi / 4 * k - math.pi / 2
            rr = radius if k % 2 == 0 else waist
            pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
        return pts

    return [(star(r, r * 0.30), "#3f8fd6"), (star(r * 0.78, r * 0.18), "#ffffff")]


def icon_16():
    """At 16 pixels the facets are told apart by colour alone: each pixel takes the colour of
    the facet under its centre, inside a one-pixel outline, with the girdle as a dark line."""
    size = 16
    half = size / 2
    # The crown is stretched so that it keeps more than one row of facets.
    crown_scale, pavilion_scale = 1.55, 0.92
    height = (CROWN_HEIGHT * crown_scale + (GIRDLE_HEIGHT + PAVILION_DEPTH) * pavilion_scale) * half
    girdle_y = (size - height) / 2 + CROWN_HEIGHT * crown_scale * half

    def project(p):
        scale = crown_scale if p[2] > 0 else pavilion_scale
        return (half + p[0] * half, girdle_y - p[2] * scale * half)

    silhouette = polygon([project(p) for p in [
        (-TABLE_RADIUS, 0, CROWN_HEIGHT), (TABLE_RADIUS, 0, CROWN_HEIGHT), (1, 0, 0),
        (1, 0, -GIRDLE_HEIGHT), (0, 0, -GIRDLE_HEIGHT - PAVILION_DEPTH), (-1, 0, -GIRDLE_HEIGHT),
        (-1, 0, 0)]])
    pic = outlined(mask_of(silhouette, size, size), None, GEM_OUTLINE)
    facets = [(polygon([project(p) for p in f]), ramp(light)) for f, light in brilliant_facets()]
    girdle_row = int(project((0, 0, -GIRDLE_HEIGHT / 2))[1])
    # The crown's facet edges that run from the table down to the girdle, a pixel wide.
    crown_edges = []
    for f, _ in brilliant_facets():
        if min(p[2] for p in f) >= 0:
            pts = [project(p) for p in f]
            for i in range(len(pts)):
                a, b = pts[i], pts[(i + 1) % len(pts)]
                if abs(a[1] - b[1]) > 1.0:
                    crown_edges.append(segment(a, b, 0.42))
    for y in range(size):
        for x in range(size):
            if pic[y][x] is not None or not silhouette(x + 0.5, y + 0.5):
                continue
            if y == girdle_row:
                pic[y][x] = GEM_OUTLINE
                continue
            for inside, colour in facets:
                if inside(x + 0.5, y + 0.5):
                    pic[y][x] = colour
            if y < girdle_row and any(e(x + 0.5, y + 0.5) for e in crown_edges):
                pic[y][x] = CROWN_EDGE_16
            if pic[y][x] is None:
                pic[y][x] = ramp(0.5)
    return pic


# ---------------------------------------------------------------------------------------
# Toolbar: eleven 16 x 15 buttons on a clear background.

ARROW_FILL = "#2f6fd0"
ARROW_LINE = "#0b2a63"
SPIN_LINE = "#17772a"
SPIN_BACK = "#62bd72"


def arrow_left():
    """A bold arrow pointing left, in a 15 x 15 square."""
    shape = polygon([(0.6, 7.5), (7.5, 0.6), (7.5, 4.5), (14.5, 4.5), (14.5, 10.5),
                     (7.5, 10.5), (7.5, 14.4)])
    return outlined(mask_of(shape, 15, 15), ARROW_FILL, ARROW_LINE)


def spin_left():
    """A ring around an upright axis whose front runs to the left, in a 15 x 15 square.
    The far half is paler, so the ring reads as lying in depth."""
    cx, cy, rx, ry, half = 7.5, 6.8, 6.1, 3.9, 1.3

    def on_ring(x, y):
        d = math.hypot((x - cx) / rx, (y - cy) / ry)
        return abs(d - 1.0) * (ry + (rx - ry) * abs(x - cx) / rx) <= half

    tip_x, base_x, base_half = 0.6, 7.2, 3.9
    head = polygon([(tip_x, cy + ry), (base_x, cy + ry - base_half), (base_x, cy + ry + base_half)])
    pic = blank(15, 15)
    for y in range(15):
        for x in range(15):
            px, py = x + 0.5, y + 0.5
            if head(px, py):
                pic[y][x] = SPIN_LINE
            elif on_ring(px, py) and not (px < base_x and py > cy):
                pic[y][x] = SPIN_LINE if py > cy else SPIN_BACK
    return pic


def square_to_button(pic, shift_right):
    """Puts a 15 x 15 drawing into a 16 x 15 button."""
    out = blank(16, 15)
    paste(out, pic, 1 if shift_right else 0, 0)
    return out


def magnifier(plus):
    legend = {"K": "#1d1d1d", "G": "#dff3ff", "g": "#a8d6f2", "H": "#7a4a1e", "h": "#b87a3c",
              "S": "#c02020"}
    art = [
        "................",
        "....KKKKK.......",
        "...KgGGGgK......",
        "..KgGGSGGgK.....",
        ".KgGGGSGGGgK....",
        ".KGGGGSGGGGK....",
        ".KGSSSSSSSGK....",
        ".KGGGGSGGGGK....",
        ".KgGGGSGGGgK....",
        "..KgGGSGGgKK....",
        "...KgGGGgKhhK...",
        "....KKKKKHhhhK..",
        "..........KHhhhK",
        "...........KHhhK",
        "............KKK.",
    ]
    if not plus:
        art = [row if i == 6 else row.replace("S", "G") for i, row in enumerate(art)]
    return from_art(art, legend)


def house():
    legend = {"K": "#1d1d1d", "R": "#c8322a", "r": "#e86a4a", "W": "#f6efd9", "D": "#7a4a1e",
              "B": "#5fb3ea"}
    return from_art([
        "................",
        ".......KK..KKK..",
        "......KrrK.KRK..",
        ".....KrrrrKKRK..",
        "....KrRRRRrKRK..",
        "...KrRRRRRRrKK..",
        "..KrRRRRRRRRrK..",
        ".KrRRRRRRRRRRrK.",
        "KKKKKKKKKKKKKKKK",
        "..KWWWWWWWWWWK..",
        "..KWKKKWWKKKWK..",
        "..KWKDKWWKBKWK..",
        "..KWKDKWWKKKWK..",
        "..KWKDKWWWWWWK..",
        "..KKKKKKKKKKKK..",
    ], legend)


def toolbar_strip():
    left = arrow_left()
    spin = spin_left()
    buttons = [
        house(),
        square_to_button(left, False),
        square_to_button(mirror(left), True),
        square_to_button(transpose(left), False),
        square_to_button(flip(transpose(left)), False),
        square_to_button(spin, False),
        square_to_button(mirror(spin), True),
        square_to_button(transpose(spin), False),
        square_to_button(flip(transpose(spin)), False),
        magnifier(True),
        magnifier(False),
    ]
    strip = blank(16 * len(buttons), 15)
    for i, b in enumerate(buttons):
        assert len(b) == 15 and all(len(r) == 16 for r in b)
        paste(strip, b, 16 * i, 0)
    return strip


# ---------------------------------------------------------------------------------------
# Cursors: a four-way arrow around a central disc, black outline, centred on the hot spot.

CURSOR_OUTLINE = "#000000"
PAN_FILL = "#00ffff"
SPIN_CURSOR_FILL = "#ffff00"


def four_way_cursor(fill, hot_x, hot_y):
    cx, cy = hot_x + 0.5, hot_y + 0.5
    reach, head_base, head_half, shaft_half, disc_r = 14.6, 8.6, 6.1, 2.4, 5.7
    shapes = [disc(cx, cy, disc_r)]
    for ux, uy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        vx, vy = -uy, ux

        def at(along, across):
            return (cx + ux * along + vx * across, cy + uy * along + vy * across)

        shapes.append(polygon([at(0, -shaft_half), at(head_base, -shaft_half),
                               at(head_base, -head_half), at(reach, 0),
                               at(head_base, head_half), at(head_base, shaft_half),
                               at(0, shaft_half)]))
    pic = outlined(mask_of(union(*shapes), 32, 32), fill, CURSOR_OUTLINE)
    # The disc keeps its own rim where the shafts join it.
    for y in range(32):
        for x in range(32):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if disc_r - 1.0 < d <= disc_r:
                pic[y][x] = CURSOR_OUTLINE
    return pic


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="also write 8x enlargements here")
    args = parser.parse_args()

    icons = {48: draw_icon(48), 32: draw_icon(32), 16: icon_16()}
    pictures = {
        "icon48": icons[48],
        "icon32": icons[32],
        "icon16": icons[16],
        "toolbar_view": toolbar_strip(),
        "cursor_pan": four_way_cursor(PAN_FILL, 15, 15),
        "cursor_spin": four_way_cursor(SPIN_CURSOR_FILL, 16, 16),
    }
    os.makedirs(os.path.join(RES, "images"), exist_ok=True)
    os.makedirs(os.path.join(RES, "icons"), exist_ok=True)
    for name, pic in pictures.items():
        write_xpm(os.path.join(RES, "images", name + ".xpm"), name + "_xpm", pic)
    for size, pic in icons.items():
        write_png(os.path.join(RES, "icons", "lapido-%d.png" % size), pic)
    with open(os.path.join(RES, "icons", "lapido.svg"), "w") as f:
        f.write(icon_svg())
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for name, pic in pictures.items():
            write_png(os.path.join(args.preview, name + ".png"), pic, scale=8, checker=True)


if __name__ == "__main__":
    main()
