"""Small raster toolkit for draw_images.py: crisp and smoothed shapes, pixel art, and
writing pictures as XPM and PNG. Plain Python 3."""

import math
import struct
import zlib

# A picture is a list of rows; each pixel is "#rrggbb" or None (transparent).


def blank(w, h):
    return [[None] * w for _ in range(h)]


# ---------------------------------------------------------------------------------------
# Crisp shapes: a pixel belongs to a shape when its centre lies inside.


def polygon(points):
    """Inside test of a polygon (even-odd rule)."""

    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % n]
            if (y0 > y) != (y1 > y):
                if x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                    result = not result
        return result

    return inside


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def mask_of(shape, w, h):
    return [[shape(x + 0.5, y + 0.5) for x in range(w)] for y in range(h)]


def outlined(mask, fill, line):
    """Fills a mask and draws its inner border (pixels with an edge neighbour outside)."""
    h, w = len(mask), len(mask[0])
    pic = blank(w, h)
    for y in range(h):
        for x in range(w):
            if not mask[y][x]:
                continue
            edge = False
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if not (0 <= nx < w and 0 <= ny < h) or not mask[ny][nx]:
                    edge = True
            pic[y][x] = line if edge else fill
    return pic


def paste(dst, src, ox, oy):
    for y, row in enumerate(src):
        for x, c in enumerate(row):
            if c is not None and 0 <= oy + y < len(dst) and 0 <= ox + x < len(dst[0]):
                dst[oy + y][ox + x] = c


def mirror(pic):
    return [list(reversed(row)) for row in pic]


def transpose(pic):
    return [list(col) for col in zip(*pic)]


def flip(pic):
    return [list(row) for row in reversed(pic)]


def from_art(rows, legend):
    """A hand-drawn picture: one character a pixel, looked up in legend ('.' is clear)."""
    width = len(rows[0])
    assert all(len(r) == width for r in rows), "ragged pixel art"
    return [[legend.get(ch) for ch in row] for row in rows]


# ---------------------------------------------------------------------------------------
# Smooth drawing for the larger icons: coverage from sub-samples, colours blended.


class Canvas:
    def __init__(self, w, h, samples=6):
        self.w, self.h, self.samples = w, h, samples
        self.rgb = [[(0.0, 0.0, 0.0)] * w for _ in range(h)]
        self.alpha = [[0.0] * w for _ in range(h)]

    def fill(self, shape, colour, bounds=None):
        r, g, b = hex_rgb(colour)
        n = self.samples
        x0, y0, x1, y1 = bounds if bounds else (0, 0, self.w, self.h)
        for py in range(max(0, int(y0)), min(self.h, int(math.ceil(y1)) + 1)):
            for px in range(max(0, int(x0)), min(self.w, int(math.ceil(x1)) + 1)):
                hits = 0
                for sy in range(n):
                    for sx in range(n):
                        if shape(px + (sx + 0.5) / n, py + (sy + 0.5) / n):
                            hits += 1
                if hits == 0:
                    continue
                a = hits / (n * n)
                (cr, cg, cb), ca = self.rgb[py][px], self.alpha[py][px]
                # "over" in premultiplied form
                self.rgb[py][px] = (r * a + cr * (1 - a), g * a + cg * (1 - a), b * a + cb * (1 - a))
                self.alpha[py][px] = a + ca * (1 - a)

    def picture(self, threshold=0.5):
        """Pixels at least half covered become opaque, in their own (unblended) colour."""
        pic = blank(self.w, self.h)
        for y in range(self.h):
            for x in range(self.w):
                a = self.alpha[y][x]
                if a >= threshold:
                    r, g, b = (c / a for c in self.rgb[y][x])
                    pic[y][x] = rgb_hex(r, g, b)
        return pic


def segment(p0, p1, half_width):
    """Points within half_width of the segment p0-p1."""
    (ax, ay), (bx, by) = p0, p1
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-12

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        ex, ey = ax + t * dx - x, ay + t * dy - y
        return ex * ex + ey * ey <= half_width * half_width

    return inside


def bbox(points, pad=1.0):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


def hex_rgb(colour):
    return tuple(int(colour[i : i + 2], 16) / 255.0 for i in (1, 3, 5))


def rgb_hex(r, g, b):
    return "#%02x%02x%02x" % tuple(max(0, min(255, int(round(c * 255)))) for c in (r, g, b))


def mix(c0, c1, t):
    a, b = hex_rgb(c0), hex_rgb(c1)
    return rgb_hex(*(x + (y - x) * t for x, y in zip(a, b)))


# ---------------------------------------------------------------------------------------
# Output


def write_xpm(path, name, pic):
    colours = sorted({c for row in pic for c in row if c is not None})
    symbols = " .+@#$%&*=-;>,')!~{]^/(_:<[}|1234567890abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
    cpp = 1 if len(colours) + 1 <= len(symbols) else 2
    codes = []
    for i in range(len(colours) + 1):
        if cpp == 1:
            codes.append(symbols[i])
        else:
            codes.append(symbols[i // len(symbols)] + symbols[i % len(symbols)])
    table = {None: codes[0]}
    table.update({c: codes[i + 1] for i, c in enumerate(colours)})
    h, w = len(pic), len(pic[0])
    lines = ['"%d %d %d %d",' % (w, h, len(colours) + 1, cpp), '"%s c None",' % codes[0]]
    lines += ['"%s c %s",' % (table[c], c) for c in colours]
    lines += ['"%s",' % "".join(table[c] for c in row) for row in pic]
    lines[-1] = lines[-1].rstrip(",")
    with open(path, "w") as f:
        f.write("/* XPM */\n")
        f.write("/* Drawn by res/tools/draw_images.py; edit that and run it again. */\n")
        f.write("static const char* const %s[] = {\n" % name)
        f.write("\n".join(lines) + "};\n")


def write_png(path, pic, scale=1, checker=False):
    h, w = len(pic), len(pic[0])
    raw = bytearray()
    for y in range(h * scale):
        raw.append(0)
        for x in range(w * scale):
            c = pic[y // scale][x // scale]
            if c is not None:
                r, g, b = (int(c[i : i + 2], 16) for i in (1, 3, 5))
                raw += bytes((r, g, b, 255))
            elif checker:
                v = 200 if ((x // 4) + (y // 4)) % 2 else 230
                raw += bytes((v, v, v, 255))
            else:
                raw += bytes((0, 0, 0, 0))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", w * scale, h * scale, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        f.write(chunk(b"IEND", b""))
