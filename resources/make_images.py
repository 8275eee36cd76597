#!/usr/bin/env python3
"""Draws the image resources of Orvelle commands helper.

Run from anywhere:  python3 resources/make_images.py

Everything is drawn from vector shapes (signed distance functions) and
anti-aliased by supersampling the pixels that straddle an edge, then written
with nothing but the standard library (zlib + struct). The output is
deterministic: running the script twice gives byte-identical files.

Outputs, written next to this script:
  icon0-add.png .. icon4-delete.png   16x16 toolbar button glyphs
  picture.png                         100x100 emblem shown in the window
  app.ico                             program icon, 256..16 px
  preview.png                         contact sheet for eyeballing the above
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

SUBSAMPLES = 8          # per axis, for pixels that sit on an edge
EDGE_BAND = 0.75        # |distance| beyond which a pixel is fully in or out


# ---------------------------------------------------------------------------
# Colours and paints
# ---------------------------------------------------------------------------

def rgba(hex_colour, alpha=1.0):
    """'#RRGGBB' -> (r, g, b, a) floats in 0..1."""
    h = hex_colour.lstrip('#')
    return (int(h[0:2], 16) / 255.0, int(h[2:4], 16) / 255.0,
            int(h[4:6], 16) / 255.0, alpha)


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def vertical_gradient(y0, c0, y1, c1):
    """Paint that runs from c0 at y0 to c1 at y1, clamped outside."""
    span = (y1 - y0) or 1.0

    def paint(x, y):
        t = (y - y0) / span
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        return mix(c0, c1, t)
    return paint


# ---------------------------------------------------------------------------
# Shapes: each has sdf(x, y) (negative inside, in pixels) and a bounding box.
# The distances are exact or under-estimates, which is all the rasteriser
# needs to decide that a pixel is safely inside or outside.
# ---------------------------------------------------------------------------

class Shape:
    def sdf(self, x, y):
        raise NotImplementedError

    def bbox(self):
        raise NotImplementedError


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def sdf(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r

    def bbox(self):
        return (self.cx - self.r, self.cy - self.r,
                self.cx + self.r, self.cy + self.r)


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.r = min(r, (x1 - x0) / 2.0, (y1 - y0) / 2.0)
        self.cx, self.cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
        self.hx = (x1 - x0) / 2.0 - self.r
        self.hy = (y1 - y0) / 2.0 - self.r

    def sdf(self, x, y):
        qx = abs(x - self.cx) - self.hx
        qy = abs(y - self.cy) - self.hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        inside = min(max(qx, qy), 0.0)
        return outside + inside - self.r

    def bbox(self):
        return (self.x0, self.y0, self.x1, self.y1)


def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    if length2 == 0.0:
        return math.hypot(px - ax, py - ay)
    t = ((px - ax) * dx + (py - ay) * dy) / length2
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


class Stroke(Shape):
    """A polyline drawn with a round pen of the given width."""

    def __init__(self, points, width):
        self.points = list(points)
        self.half = width / 2.0

    def sdf(self, x, y):
        pts = self.points
        best = math.inf
        for i in range(len(pts) - 1):
            d = _segment_distance(x, y, pts[i][0], pts[i][1],
                                  pts[i + 1][0], pts[i + 1][1])
            if d < best:
                best = d
        return best - self.half

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        h = self.half
        return (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h)


class Polygon(Shape):
    """A simple polygon with sharp corners (even-odd inside test)."""

    def __init__(self, points):
        self.points = list(points)

    def sdf(self, x, y):
        pts = self.points
        n = len(pts)
        best = math.inf
        inside = False
        j = n - 1
        for i in range(n):
            ax, ay = pts[j]
            bx, by = pts[i]
            d = _segment_distance(x, y, ax, ay, bx, by)
            if d < best:
                best = d
            if (by > y) != (ay > y):
                cross_x = bx + (y - by) * (ax - bx) / (ay - by)
                if x < cross_x:
                    inside = not inside
            j = i
        return -best if inside else best

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs), min(ys), max(xs), max(ys))


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes

    def sdf(self, x, y):
        return min(s.sdf(x, y) for s in self.shapes)

    def bbox(self):
        boxes = [s.bbox() for s in self.shapes]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes),
                max(b[2] for b in boxes), max(b[3] for b in boxes))


class Intersect(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sdf(self, x, y):
        return max(self.a.sdf(x, y), self.b.sdf(x, y))

    def bbox(self):
        a, b = self.a.bbox(), self.b.bbox()
        return (max(a[0], b[0]), max(a[1], b[1]),
                min(a[2], b[2]), min(a[3], b[3]))


class Subtract(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sdf(self, x, y):
        return max(self.a.sdf(x, y), -self.b.sdf(x, y))

    def bbox(self):
        return self.a.bbox()


class Offset(Shape):
    def __init__(self, shape, dx, dy):
        self.shape, self.dx, self.dy = shape, dx, dy

    def sdf(self, x, y):
        return self.shape.sdf(x - self.dx, y - self.dy)

    def bbox(self):
        b = self.shape.bbox()
        return (b[0] + self.dx, b[1] + self.dy, b[2] + self.dx, b[3] + self.dy)


class Scaled(Shape):
    """A shape drawn k times larger: design units to pixels."""
    def __init__(self, shape, k):
        self.shape, self.k = shape, k

    def sdf(self, x, y):
        return self.shape.sdf(x / self.k, y / self.k) * self.k

    def bbox(self):
        b = self.shape.bbox()
        return tuple(v * self.k for v in b)


class Grown(Shape):
    """The shape inflated (or shrunk, for negative amounts) by a distance."""

    def __init__(self, shape, amount):
        self.shape, self.amount = shape, amount

    def sdf(self, x, y):
        return self.shape.sdf(x, y) - self.amount

    def bbox(self):
        b = self.shape.bbox()
        a = max(self.amount, 0.0)
        return (b[0] - a, b[1] - a, b[2] + a, b[3] + a)


class Ring(Shape):
    """A band of the given width centred on the outline of a shape."""

    def __init__(self, shape, width):
        self.shape, self.half = shape, width / 2.0

    def sdf(self, x, y):
        return abs(self.shape.sdf(x, y)) - self.half

    def bbox(self):
        b = self.shape.bbox()
        h = self.half
        return (b[0] - h, b[1] - h, b[2] + h, b[3] + h)


# ---------------------------------------------------------------------------
# Canvas: premultiplied float RGBA, composited with "source over".
# ---------------------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, scale=1.0):
        """`scale` pixels per design unit: the same drawing at a larger size."""
        self.w, self.h = width, height
        self.scale = scale
        self.px = [0.0] * (width * height * 4)

    def fill(self, shape, paint, opacity=1.0, soft=0.0):
        if self.scale != 1.0:
            k = self.scale
            shape = Scaled(shape, k)
            if callable(paint):
                design_paint = paint
                paint = lambda x, y: design_paint(x / k, y / k)  # noqa: E731
            soft *= k
        self._fill(shape, paint, opacity, soft)

    def _fill(self, shape, paint, opacity=1.0, soft=0.0):
        """Paint a shape. `paint` is an (r, g, b, a) tuple or a callable of
        (x, y). With `soft` > 0 the edge fades out over that many pixels
        instead of being anti-aliased (used for shadows)."""
        x0, y0, x1, y1 = shape.bbox()
        pad = 1.0 + soft
        ix0 = max(0, int(math.floor(x0 - pad)))
        iy0 = max(0, int(math.floor(y0 - pad)))
        ix1 = min(self.w, int(math.ceil(x1 + pad)))
        iy1 = min(self.h, int(math.ceil(y1 + pad)))
        flat = not callable(paint)
        n = SUBSAMPLES
        offsets = [(i + 0.5) / n for i in range(n)]
        sdf = shape.sdf
        px = self.px
        for iy in range(iy0, iy1):
            cy = iy + 0.5
            for ix in range(ix0, ix1):
                cx = ix + 0.5
                d = sdf(cx, cy)
                if soft > 0.0:
                    t = 0.5 - d / soft
                    if t <= 0.0:
                        continue
                    cover = 1.0 if t >= 1.0 else t * t * (3.0 - 2.0 * t)
                elif d >= EDGE_BAND:
                    continue
                elif d <= -EDGE_BAND:
                    cover = 1.0
                else:
                    hits = 0
                    for oy in offsets:
                        sy = iy + oy
                        for ox in offsets:
                            if sdf(ix + ox, sy) < 0.0:
                                hits += 1
                    if hits == 0:
                        continue
                    cover = hits / float(n * n)
                r, g, b, a = paint if flat else paint(cx, cy)
                a *= cover * opacity
                if a <= 0.0:
                    continue
                k = (iy * self.w + ix) * 4
                keep = 1.0 - a
                px[k] = r * a + px[k] * keep
                px[k + 1] = g * a + px[k + 1] * keep
                px[k + 2] = b * a + px[k + 2] * keep
                px[k + 3] = a + px[k + 3] * keep

    def scale_alpha_ring(self, alpha):
        """Multiply the outermost one-pixel ring by alpha (0..1)."""
        w, h = self.w, self.h
        for iy in range(h):
            for ix in range(w):
                if 0 < ix < w - 1 and 0 < iy < h - 1:
                    continue
                k = (iy * w + ix) * 4
                for c in range(4):
                    self.px[k + c] *= alpha

    def to_rgba8(self):
        """Straight (non-premultiplied) 8-bit RGBA rows, top-down."""
        out = bytearray(self.w * self.h * 4)
        px = self.px
        for i in range(self.w * self.h):
            k = i * 4
            a = px[k + 3]
            if a <= 0.0:
                continue
            a8 = int(round(min(a, 1.0) * 255.0))
            if a8 == 0:
                continue
            for c in range(3):
                v = px[k + c] / a
                out[k + c] = int(round(min(max(v, 0.0), 1.0) * 255.0))
            out[k + 3] = a8
        return bytes(out)


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def png_bytes(width, height, rgba_bytes):
    def chunk(tag, data):
        body = tag + data
        return (struct.pack('>I', len(data)) + body +
                struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF))

    stride = width * 4
    raw = bytearray()
    for y in range(height):
        raw.append(0)  # filter: none
        raw += rgba_bytes[y * stride:(y + 1) * stride]
    ihdr = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) +
            chunk(b'IEND', b''))


def ico_dib_bytes(size, rgba_bytes):
    """Classic 32-bit icon image: BITMAPINFOHEADER with doubled height,
    bottom-up BGRA, then a 1-bpp AND mask (set where fully transparent)."""
    mask_stride = ((size + 31) // 32) * 4
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                         size * size * 4 + mask_stride * size, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row_mask = bytearray(mask_stride)
        for x in range(size):
            k = (y * size + x) * 4
            r, g, b, a = rgba_bytes[k:k + 4]
            colour += bytes((b, g, r, a))
            if a == 0:
                row_mask[x >> 3] |= 0x80 >> (x & 7)
        mask += row_mask
    return header + bytes(colour) + bytes(mask)


def ico_bytes(images):
    """images: list of (size, rgba_bytes), largest first. The 256 px image
    is stored as PNG, the rest as DIBs."""
    entries = []
    blobs = []
    offset = 6 + 16 * len(images)
    for size, data in images:
        if size >= 256:
            blob = png_bytes(size, size, data)
        else:
            blob = ico_dib_bytes(size, data)
        dim = 0 if size >= 256 else size
        entries.append(struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32,
                                   len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return (struct.pack('<HHH', 0, 1, len(images)) + b''.join(entries) +
            b''.join(blobs))


# ---------------------------------------------------------------------------
# Button icons (16 x 16, drawn in pixel units)
# ---------------------------------------------------------------------------

ORANGE = (rgba('#FFB44A'), rgba('#F08A12'), rgba('#BF640A'))
RED = (rgba('#F2695C'), rgba('#D63828'), rgba('#A3261A'))
WHITE = rgba('#FFFFFF')


def badge(c, colours, cx=8.0, cy=8.0, r=7.5):
    """Round badge: 1px darker rim around a top-to-bottom gradient."""
    top, bottom, rim = colours
    c.fill(Circle(cx, cy, r), rim)
    c.fill(Circle(cx, cy, r - 1.0),
           vertical_gradient(cy - r, top, cy + r, bottom))


def glyph(c, shape, colours):
    """White badge glyph with a faint drop shade to lift it off the badge."""
    rim = colours[2]
    c.fill(Offset(shape, 0.0, 0.6), rim, opacity=0.45)
    c.fill(shape, WHITE)


def icon_add(size=16):
    c = Canvas(size, size, size / 16.0)
    badge(c, ORANGE)
    plus = Union(RoundRect(4, 7, 12, 9, 0.3), RoundRect(7, 4, 9, 12, 0.3))
    glyph(c, plus, ORANGE)
    return c


def icon_send(size=16):
    c = Canvas(size, size, size / 16.0)
    tick = [(2.6, 8.4), (6.2, 11.9), (13.4, 4.3)]
    c.fill(Stroke(tick, 4.2), rgba('#237A2E'))
    c.fill(Stroke(tick, 2.2), vertical_gradient(4.0, rgba('#7EDC74'),
                                                 12.5, rgba('#3BAA3F')))
    return c


def icon_clear(size=16):
    c = Canvas(size, size, size / 16.0)
    badge(c, RED)
    cross = Union(Stroke([(5.2, 5.2), (10.8, 10.8)], 2.2),
                  Stroke([(10.8, 5.2), (5.2, 10.8)], 2.2))
    glyph(c, cross, RED)
    return c


def icon_exit(size=16):
    c = Canvas(size, size, size / 16.0)
    # Door: dark frame, slightly lighter leaf, small knob.
    c.fill(RoundRect(6, 0.5, 15.5, 15.5, 1.0), rgba('#1F232A'))
    c.fill(RoundRect(7, 1.5, 14.5, 15.5, 0.4),
           vertical_gradient(1.5, rgba('#606979'), 15.5, rgba('#394049')))
    c.fill(Circle(12.7, 8.5, 0.9), rgba('#E3E7EE'))
    # Arrow heading into the door.
    arrow = Polygon([(0.6, 7.0), (5.2, 7.0), (5.2, 3.6), (9.8, 8.0),
                     (5.2, 12.4), (5.2, 9.0), (0.6, 9.0)])
    c.fill(Grown(arrow, 0.8), rgba('#7A150C'))
    c.fill(arrow, vertical_gradient(3.6, rgba('#FF6F5E'),
                                    12.4, rgba('#D02818')))
    return c


def icon_delete(size=16):
    c = Canvas(size, size, size / 16.0)
    badge(c, ORANGE)
    glyph(c, RoundRect(4, 7, 12, 9, 0.3), ORANGE)
    return c


# ---------------------------------------------------------------------------
# The emblem: a console window with a prompt, plus an "add" badge.
# Laid out in a 100 x 100 design space and scaled to the target size, so
# every icon size is drawn fresh. Small sizes drop the fine detail.
# ---------------------------------------------------------------------------

TILE_TOP, TILE_BOTTOM = rgba('#F4F7FB'), rgba('#D9E1EC')
PROMPT_GREEN = rgba('#4BE37F')

# Hand-fitted layouts for the small icon sizes, in pixels, so the strokes
# land on the pixel grid instead of smearing across it:
#   screen (x0, y0, x1, y1, radius), chevron points + pen width,
#   cursor (x0, y0, x1, y1), badge (cx, cy, r, gap), plus (half arm, half
#   thickness), tile corner radius.
SMALL_LAYOUTS = {
    32: dict(screen=(2, 5, 28, 26, 3.5),
             chevron=([(6.5, 9), (11, 13.5), (6.5, 18)], 2.6),
             cursor=(13, 15.5, 18, 18),
             badge=(24, 24, 7.5, 1.5), plus=(4, 1), tile=4.5),
    24: dict(screen=(1.5, 3.5, 21, 19.5, 2.5),
             chevron=([(4.5, 6.5), (8, 10), (4.5, 13.5)], 2.1),
             cursor=(9.5, 11.5, 13, 13.5),
             badge=(18, 18, 5, 1.2), plus=(3, 1), tile=3.5),
    16: dict(screen=(0.5, 2, 14.5, 13.5, 2),
             chevron=([(2.6, 4.4), (5.1, 6.9), (2.6, 9.4)], 1.6),
             cursor=(6, 8.5, 9, 10),
             badge=(12.5, 12.5, 3.5, 0.8), plus=(2, 0.5), tile=2.5),
}


def emblem(size, tile_radius=0.0):
    """The program's emblem at `size` px. `tile_radius` (in design units)
    rounds the background tile for the icon; 0 gives a full square."""
    c = Canvas(size, size)
    small = SMALL_LAYOUTS.get(size)
    s = size / 100.0

    def S(v):
        return v * s

    tile_paint = vertical_gradient(0, TILE_TOP, size, TILE_BOTTOM)
    if small:
        tile_r = small['tile'] if tile_radius > 0.0 else 0.0
        sx0, sy0, sx1, sy1, sr = small['screen']
    else:
        tile_r = S(tile_radius)
        sx0, sy0, sx1, sy1, sr = (S(v) for v in (11, 15, 83, 77, 9))

    # Background tile.
    tile = RoundRect(0, 0, size, size, tile_r)
    c.fill(tile, tile_paint)
    if tile_r > 0.0:
        c.fill(Ring(tile, 2.0), rgba('#8C9BB0'), opacity=0.35)

    # Console window with a soft shadow.
    screen = RoundRect(sx0, sy0, sx1, sy1, sr)
    if small:
        c.fill(Offset(screen, 0, 0.5 if size < 24 else 1.0), rgba('#1E2A3A'),
               opacity=0.22)
    else:
        c.fill(Offset(screen, 0, S(2.5)), rgba('#1E2A3A'), opacity=0.28,
               soft=S(6))
    c.fill(screen, vertical_gradient(sy0, rgba('#323D4E'),
                                     sy1, rgba('#1A212B')))

    if small:
        points, pen = small['chevron']
        c.fill(Stroke(points, pen), PROMPT_GREEN)
        c.fill(RoundRect(*small['cursor'], 0.4), PROMPT_GREEN)
        bx, by, br, gap = small['badge']
        arm, half = small['plus']
        rim_w = 1.0
    else:
        # Title bar with the three window buttons.
        bar = Intersect(screen, RoundRect(sx0, sy0, sx1, S(27), 0))
        c.fill(bar, rgba('#44516A'))
        for i, col in enumerate(('#FF6A5C', '#FFBE3D', '#3FD07A')):
            c.fill(Circle(S(20 + 7.5 * i), S(21), S(2.3)), rgba(col))
        # Prompt, cursor and a couple of lines of output.
        c.fill(Stroke([(S(20), S(35)), (S(27.5), S(41.5)), (S(20), S(48))],
                      S(4.6)), PROMPT_GREEN)
        c.fill(RoundRect(S(32), S(45.5), S(45), S(49.5), S(1.2)),
               PROMPT_GREEN)
        grey = rgba('#8A98AE')
        c.fill(RoundRect(S(20), S(56), S(58), S(59.5), S(1.75)), grey)
        c.fill(RoundRect(S(20), S(64), S(46), S(67.5), S(1.75)), grey,
               opacity=0.7)
        bx, by, br, gap = S(77), S(75), S(17), S(3.5)
        arm, half = S(17 * 0.56), S(17 * 0.13)
        rim_w = S(2.5)

    # The "add" badge, set apart from the console by a ring of tile colour.
    c.fill(Circle(bx, by, br + gap), tile_paint)
    top, bottom, rim = ORANGE
    c.fill(Circle(bx, by, br), rim)
    c.fill(Circle(bx, by, br - rim_w),
           vertical_gradient(by - br, top, by + br, bottom))
    corner = half * 0.4
    plus = Union(RoundRect(bx - arm, by - half, bx + arm, by + half, corner),
                 RoundRect(bx - half, by - arm, bx + half, by + arm, corner))
    if not small or size >= 24:
        c.fill(Offset(plus, 0, max(S(1.2), 0.5)), rim, opacity=0.45)
    c.fill(plus, WHITE)
    return c


def picture(size=100):
    c = emblem(size)
    c.scale_alpha_ring(200.0 / 255.0)
    return c


# Display scales the program draws crisply at: 100 %, 125 %, 150 %, 200 %.
SCALES = (('', 1.0), ('@125', 1.25), ('@150', 1.5), ('@200', 2.0))


ICON_SIZES = (256, 128, 64, 48, 32, 24, 16)


# ---------------------------------------------------------------------------
# Contact sheet
# ---------------------------------------------------------------------------

def preview(items):
    """items: rows of (width, height, rgba_bytes, zoom). Nearest-neighbour
    enlargement composited over the window colour #E8E8E8."""
    margin = 12
    rows = []
    for row in items:
        w = sum(it[0] * it[3] for it in row) + margin * (len(row) + 1)
        h = max(it[1] * it[3] for it in row) + margin * 2
        rows.append((w, h))
    width = max(r[0] for r in rows)
    height = sum(r[1] for r in rows)
    bg = (0xE8, 0xE8, 0xE8)
    out = bytearray(bytes((bg[0], bg[1], bg[2], 255)) * (width * height))
    top = 0
    for row, (_, rh) in zip(items, rows):
        left = margin
        for w, h, data, zoom in row:
            for y in range(h * zoom):
                for x in range(w * zoom):
                    k = ((y // zoom) * w + x // zoom) * 4
                    r, g, b, a = data[k:k + 4]
                    o = ((top + margin + y) * width + left + x) * 4
                    for ch, v in enumerate((r, g, b)):
                        out[o + ch] = (v * a + bg[ch] * (255 - a) + 127) // 255
            left += w * zoom + margin
        top += rh
    return width, height, bytes(out)


def main():
    def write(name, data):
        with open(os.path.join(HERE, name), 'wb') as f:
            f.write(data)

    icons = [('icon0-add.png', icon_add), ('icon1-send.png', icon_send),
             ('icon2-clear.png', icon_clear), ('icon3-exit.png', icon_exit),
             ('icon4-delete.png', icon_delete)]
    icon_pixels = []
    for name, draw in icons:
        data = draw().to_rgba8()
        write(name, png_bytes(16, 16, data))
        icon_pixels.append(data)
        for suffix, k in SCALES[1:]:
            n = int(round(16 * k))
            write(name.replace('.png', suffix + '.png'), png_bytes(n, n, draw(n).to_rgba8()))

    pic = picture().to_rgba8()
    write('picture.png', png_bytes(100, 100, pic))
    for suffix, k in SCALES[1:]:
        n = int(round(100 * k))
        write('picture%s.png' % suffix, png_bytes(n, n, picture(n).to_rgba8()))

    ico_images = [(n, emblem(n, tile_radius=14).to_rgba8())
                  for n in ICON_SIZES]
    write('app.ico', ico_bytes(ico_images))

    sheet = [
        [(16, 16, d, 6) for d in icon_pixels] +
        [(16, 16, d, 1) for d in icon_pixels],
        [(100, 100, pic, 3), (100, 100, pic, 1)],
        [(n, n, d, 1) for n, d in ico_images],
        [(n, n, d, 4) for n, d in ico_images if n <= 32],
    ]
    w, h, data = preview(sheet)
    write('preview.png', png_bytes(w, h, data))


if __name__ == '__main__':
    main()
