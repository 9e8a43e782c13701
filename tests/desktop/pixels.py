"""What the outside-in tests read from screenshots.

A screenshot is an Image (8-bit RGB, from a binary PPM as grim and ImageMagick write it); a
Mask flags the pixels of a rectangle that pass a test, computed a colour plane at a time so
that a whole view at scale 2 takes a moment. The measures: colours of the view's corners,
the stone's box around the view's centre, counts of line, point and label pixels.
"""

import os
import struct
import zlib

# The view's background, 0.75 grey, and how far a pixel of it may stray.
BACKGROUND = (191, 191, 191)
BACKGROUND_TOLERANCE = 8
# A pixel further than this from the background in any channel is part of the picture.
PICTURE_THRESHOLD = 24


class Image:
    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]

    def clip(self, rect):
        x, y, w, h = rect
        x0, y0 = max(0, x), max(0, y)
        x1, y1 = min(self.width, x + w), min(self.height, y + h)
        return x0, y0, max(0, x1 - x0), max(0, y1 - y0)

    def crop(self, rect):
        x, y, w, h = self.clip(rect)
        rows = [self.rgb[((y + r) * self.width + x) * 3:((y + r) * self.width + x + w) * 3]
                for r in range(h)]
        return Image(w, h, b"".join(rows))

    def save_png(self, path):
        raw = b"".join(b"\0" + self.rgb[r * self.width * 3:(r + 1) * self.width * 3]
                       for r in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0,
                                               0)))
            f.write(chunk(b"IDAT", zlib.compress(raw, 6)))
            f.write(chunk(b"IEND", b""))


def read_ppm(data):
    """A binary PPM (P6, 8 bits), as grim and ImageMagick write it."""
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    magic, width, height, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
    if magic != b"P6" or maxval != 255:
        raise ValueError(f"not an 8-bit binary PPM: {magic!r} {maxval}")
    return Image(width, height, data[pos:pos + width * height * 3])


def near(colour, reference, tolerance):
    return all(abs(c - r) <= tolerance for c, r in zip(colour, reference))


def mean_colour(image, rect):
    x, y, w, h = image.clip(rect)
    total = [0, 0, 0]
    for r in range(y, y + h):
        for c in range(x, x + w):
            p = image.pixel(c, r)
            total[0] += p[0]
            total[1] += p[1]
            total[2] += p[2]
    n = max(1, w * h)
    return tuple(round(t / n) for t in total)


def corner_patches(rect, size, inset):
    """Squares of side size inside three corners of rect (the top-left holds the fps line)."""
    x, y, w, h = rect
    return [(x + w - inset - size, y + inset, size, size),
            (x + inset, y + h - inset - size, size, size),
            (x + w - inset - size, y + h - inset - size, size, size)]


class Mask:
    """One flag (0 or 1) per pixel of a rectangle of an image, row by row."""

    def __init__(self, width, height, flags):
        self.width = width
        self.height = height
        self.flags = flags

    def at(self, x, y):
        return self.flags[y * self.width + x]

    def count(self):
        return self.flags.count(1)

    def box(self):
        """The bounding box (x, y, w, h) of the set flags, None when none is set."""
        rows = [r for r in range(self.height)
                if 1 in self.flags[r * self.width:(r + 1) * self.width]]
        if not rows:
            return None
        left, right = self.width, -1
        for r in rows:
            row = self.flags[r * self.width:(r + 1) * self.width]
            left = min(left, row.index(1))
            right = max(right, self.width - 1 - row[::-1].index(1))
        return left, rows[0], right - left + 1, rows[-1] - rows[0] + 1


def _channel_table(low, high):
    return bytes(1 if low <= v <= high else 0 for v in range(256))


def pixels_where(image, rect, ranges, any_channel=False):
    """The pixels of rect whose channels lie in ranges ((low, high) for r, g, b): all of
    them, or with any_channel at least one."""
    crop = image.crop(rect)
    planes = (crop.rgb[0::3], crop.rgb[1::3], crop.rgb[2::3])
    combined = None
    for plane, (low, high) in zip(planes, ranges):
        bits = int.from_bytes(plane.translate(_channel_table(low, high)), "big")
        if combined is None:
            combined = bits
        else:
            combined = combined | bits if any_channel else combined & bits
    return Mask(crop.width, crop.height,
                combined.to_bytes(crop.width * crop.height, "big") if crop.width else b"")


def picture_mask(image, rect, background=BACKGROUND, threshold=PICTURE_THRESHOLD):
    """The pixels of rect that are not the background: part of the picture."""
    inside = [(b - threshold, b + threshold) for b in background]
    mask = pixels_where(image, rect, inside)
    return Mask(mask.width, mask.height, mask.flags.translate(bytes([1, 0]) + bytes(254)))


def dark(image, rect):
    """Black lines and points (every channel below 90)."""
    return pixels_where(image, rect, [(0, 89)] * 3)


def facet_blue(image, rect):
    """The facets' blue: neither the grey background nor black."""
    return pixels_where(image, rect, [(0, 160), (0, 255), (170, 255)])


def label_grey(image, rect):
    """The frame-rate label's 0.5 grey."""
    return pixels_where(image, rect, [(100, 156)] * 3)


def stone_box(mask):
    """The bounding box (x, y, w, h, pixels) of the picture around the mask's centre.

    The stone is the connected part of the picture nearest to the centre, so the frame-rate
    line in the corner is not part of it.
    """
    w, h = mask.width, mask.height
    if w == 0 or h == 0:
        return None
    cx, cy = w // 2, h // 2
    seed = None
    for radius in range(0, max(w, h) // 4):
        ring = [(cx + dx, cy + dy) for dy in range(-radius, radius + 1)
                for dx in ((-radius, radius) if abs(dy) != radius else range(-radius, radius + 1))]
        seed = next(((x, y) for x, y in ring if 0 <= x < w and 0 <= y < h and mask.at(x, y)),
                    None)
        if seed:
            break
    if seed is None:
        return None
    flags = mask.flags
    seen = bytearray(w * h)
    stack = [seed[1] * w + seed[0]]
    seen[stack[0]] = 1
    x0 = x1 = seed[0]
    y0 = y1 = seed[1]
    count = 0
    # Two pixels of gap still join: thin lines and points leave holes between them.
    reach = [(dx, dy) for dx in range(-2, 3) for dy in range(-2, 3) if dx or dy]
    while stack:
        i = stack.pop()
        y, x = divmod(i, w)
        count += 1
        x0, x1, y0, y1 = min(x0, x), max(x1, x), min(y0, y), max(y1, y)
        for dx, dy in reach:
            nx, ny = x + dx, y + dy
            if 0 <= nx < w and 0 <= ny < h:
                j = ny * w + nx
                if flags[j] and not seen[j]:
                    seen[j] = 1
                    stack.append(j)
    return x0, y0, x1 - x0 + 1, y1 - y0 + 1, count


def centre_of(rect, share=0.2):
    """The square-ish middle part of rect, share of its width and height."""
    x, y, w, h = rect
    cw, ch = max(1, round(w * share)), max(1, round(h * share))
    return x + (w - cw) // 2, y + (h - ch) // 2, cw, ch


def stone_at_centre(box, view):
    """Whether the stone's box holds the view's centre, is more than a speck in it and is not
    the whole view (a view of one colour other than the background)."""
    if box is None:
        return False
    x, y, w, h, _ = box
    vw, vh = view[2], view[3]
    return (x <= vw / 2 <= x + w and y <= vh / 2 <= y + h and w * h >= 0.005 * vw * vh and
            w < 0.9 * vw and h < 0.9 * vh)


def describe_stone(box, view):
    if box is None:
        return "no picture near the view's centre"
    x, y, w, h, _ = box
    return (f"stone {w}x{h} px at ({x},{y}) in the view {view[2]}x{view[3]}: "
            f"{w / view[2]:.3f} x {h / view[3]:.3f} of it")


def artifacts_dir(stage):
    """Where a stage leaves its screenshots: beside the test in the build tree."""
    base = os.environ.get("LAPIDO_DESKTOP_ARTIFACTS") or os.path.join(os.getcwd(), "artifacts")
    path = os.path.join(base, stage)
    os.makedirs(path, exist_ok=True)
    return path
