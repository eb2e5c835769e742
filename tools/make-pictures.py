#!/usr/bin/env python3
"""Draws the wizard's side pictures and the program icons into wizard/res and
uninstall/res. Plain Python, no modules beyond the standard library; run it
again after changing a drawing and commit the files it writes."""

import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def clamp(v):
    return 0 if v < 0 else 255 if v > 255 else int(v)


def mix(a, b, t):
    return tuple(clamp(a[i] + (b[i] - a[i]) * t) for i in range(3))


def dither(colour, x, y, step):
    """Ordered dither of a colour onto a grid of `step`, the look of a
    256-colour display."""
    threshold = (BAYER[y & 3][x & 3] + 0.5) / 16.0
    out = []
    for c in colour:
        level = int(c / step + threshold) * step
        out.append(clamp(level))
    return tuple(out)


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0)):
        self.w, self.h = width, height
        self.px = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = colour

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills x0..x1-1, y0..y1-1."""
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.w, x1)):
                row[x] = colour

    def frame(self, x0, y0, x1, y1, light, dark):
        """A one-pixel bevel: light on top and left, dark on bottom and right."""
        for x in range(x0, x1):
            self.put(x, y0, light)
            self.put(x, y1 - 1, dark)
        for y in range(y0, y1):
            self.put(x0, y, light)
            self.put(x1 - 1, y, dark)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.put(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def poly(self, points, colour):
        """Even-odd fill of a polygon, tested at pixel centres."""
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        n = len(points)
        for y in range(max(0, int(min(ys))), min(self.h, int(max(ys)) + 1)):
            cy = y + 0.5
            cuts = []
            for i in range(n):
                (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
                if (ay <= cy < by) or (by <= cy < ay):
                    cuts.append(ax + (cy - ay) * (bx - ax) / (by - ay))
            cuts.sort()
            for i in range(0, len(cuts) - 1, 2):
                for x in range(max(0, int(cuts[i] + 0.5)), min(self.w, int(cuts[i + 1] + 0.5))):
                    self.px[y][x] = colour

    def outline(self, points, colour):
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            self.line(int(round(ax)), int(round(ay)), int(round(bx)), int(round(by)), colour)

    def shape(self, inside, box, colour):
        """Fills the pixels of a box whose centres satisfy inside(x, y)."""
        x0, y0, x1, y1 = box
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                if inside(x + 0.5, y + 0.5):
                    self.px[y][x] = colour

    def ellipse(self, cx, cy, rx, ry, colour):
        self.shape(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0,
                   (int(cx - rx) - 1, int(cy - ry) - 1, int(cx + rx) + 2, int(cy + ry) + 2),
                   colour)

    def shade(self, box, fn):
        """Recolours each pixel of a box with fn(x, y, old colour)."""
        x0, y0, x1, y1 = box
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y][x] = fn(x, y, self.px[y][x])

    def colours(self):
        return sorted({c for row in self.px for c in row})


# --- colours -----------------------------------------------------------------

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
INK = (40, 36, 32)
BEIGE_TOP = (240, 234, 214)
BEIGE = (214, 206, 184)
BEIGE_SIDE = (164, 156, 132)
BEIGE_DARK = (120, 112, 92)
SCREEN_DARK = (0, 24, 72)
LED_GREEN = (0, 224, 64)
YELLOW = (255, 216, 0)
YELLOW_DARK = (200, 136, 0)


def background(c, glow_at):
    """The side panel: teal at the top to deep blue at the bottom, a soft light
    behind the subject and a faint trellis, all dithered."""
    top, bottom = (0, 136, 144), (0, 16, 104)
    gx, gy, gr = glow_at
    for y in range(c.h):
        for x in range(c.w):
            t = y / (c.h - 1)
            col = mix(top, bottom, t ** 0.9)
            d = ((x - gx) ** 2 + ((y - gy) * 0.9) ** 2) ** 0.5 / gr
            if d < 1.0:
                col = mix(col, (96, 200, 216), 0.45 * (1.0 - d) ** 2)
            # A diagonal lattice that fades out towards the bottom.
            if ((x + y) % 16 == 0 or (x - y) % 16 == 0) and y < c.h * 0.55:
                col = mix(col, (140, 220, 224), 0.22 * (1.0 - y / (c.h * 0.55)))
            c.px[y][x] = dither(col, x, y, 16)


def box3d(c, x, y, w, h, depth, front, top, side, ink=INK):
    """A box seen from the front, slightly from above and from the right."""
    dx, dy = depth * 0.7, depth * 0.5
    top_face = [(x, y), (x + w, y), (x + w + dx, y - dy), (x + dx, y - dy)]
    side_face = [(x + w, y), (x + w + dx, y - dy), (x + w + dx, y + h - dy), (x + w, y + h)]
    c.poly(top_face, top)
    c.poly(side_face, side)
    c.rect(x, y, x + w, y + h, front)
    c.outline([(x, y), (x + dx, y - dy), (x + w + dx, y - dy), (x + w + dx, y + h - dy),
               (x + w, y + h), (x, y + h)], ink)
    c.line(x, y, x + w, y, BEIGE_TOP if top == BEIGE_TOP else ink)
    c.line(x + w, y, x + w, y + h, ink)
    c.line(x + w, y, int(x + w + dx), int(y - dy), ink)
    c.line(x, y, x, y + h, ink)
    c.line(x, y + h, x + w, y + h, ink)


def shadow(c, cx, cy, rx, ry):
    c.shade((int(cx - rx), int(cy - ry), int(cx + rx) + 1, int(cy + ry) + 1),
            lambda x, y, old: dither(mix(old, (0, 0, 40), 0.45), x, y, 16)
            if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1.0 else old)


def screen(c, x0, y0, x1, y1, top, bottom):
    """A glass screen: a vertical gradient with a diagonal sheen."""
    for y in range(y0, y1):
        for x in range(x0, x1):
            t = (y - y0) / max(1, y1 - y0 - 1)
            col = mix(top, bottom, t)
            u = (x - x0) + (y - y0) * 0.8
            if 6 <= u < 14:
                col = mix(col, WHITE, 0.18)
            c.px[y][x] = dither(col, x, y, 16)


def monitor(c, x, y, w, h, face):
    """A CRT monitor whose screen is painted by face(x0, y0, x1, y1)."""
    box3d(c, x, y, w, h, 14, BEIGE, BEIGE_TOP, BEIGE_SIDE)
    c.frame(x + 1, y + 1, x + w, y + h, WHITE, BEIGE_SIDE)
    sx0, sy0, sx1, sy1 = x + 6, y + 5, x + w - 6, y + h - 9
    c.frame(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1, BEIGE_DARK, WHITE)
    c.rect(sx0, sy0, sx1, sy1, SCREEN_DARK)
    face(sx0, sy0, sx1, sy1)
    # Power button and lamp under the screen.
    c.rect(x + w - 12, y + h - 6, x + w - 8, y + h - 3, BEIGE_SIDE)
    c.put(x + w - 16, y + h - 5, LED_GREEN)
    c.put(x + w - 15, y + h - 5, LED_GREEN)
    # A short stand.
    box3d(c, x + w // 2 - 10, y + h + 1, 20, 3, 8, BEIGE, BEIGE_TOP, BEIGE_SIDE)


def system_unit(c, x, y, w, h):
    """A desktop case with its drive bays, lying under the monitor."""
    box3d(c, x, y, w, h, 22, BEIGE, BEIGE_TOP, BEIGE_SIDE)
    c.frame(x + 1, y + 1, x + w, y + h, WHITE, BEIGE_SIDE)
    bx = x + w - 40
    # CD drive with its tray line and button.
    c.rect(bx, y + 4, bx + 32, y + 9, BEIGE_SIDE)
    c.line(bx, y + 4, bx + 31, y + 4, BEIGE_DARK)
    c.line(bx + 2, y + 6, bx + 22, y + 6, INK)
    c.rect(bx + 26, y + 6, bx + 30, y + 8, BEIGE_DARK)
    # Floppy drive slot.
    c.rect(bx, y + 11, bx + 32, y + 15, BEIGE_SIDE)
    c.line(bx + 4, y + 13, bx + 22, y + 13, INK)
    c.rect(bx + 26, y + 12, bx + 30, y + 14, BEIGE_DARK)
    # Badge and lamps.
    c.rect(x + 5, y + 5, x + 17, y + 9, (0, 64, 128))
    c.put(x + 6, y + 12, LED_GREEN)
    c.put(x + 7, y + 12, LED_GREEN)
    c.put(x + 10, y + 12, (255, 160, 0))


def keyboard(c, x, y, w):
    """A keyboard in front of the case, its rows drawn as a grid of keys."""
    depth = 12
    pts = [(x, y + depth), (x + w, y + depth), (x + w + 8, y), (x + 8, y)]
    c.poly(pts, BEIGE)
    c.poly([(x, y + depth), (x + w, y + depth), (x + w, y + depth + 3), (x, y + depth + 3)],
           BEIGE_SIDE)
    c.poly([(x + w, y + depth), (x + w + 8, y), (x + w + 8, y + 3), (x + w, y + depth + 3)],
           BEIGE_DARK)
    c.outline([(x, y + depth), (x + 8, y), (x + w + 8, y), (x + w + 8, y + 3),
               (x + w, y + depth + 3), (x, y + depth + 3)], INK)
    for row in range(4):
        ry = y + 2 + row * 3
        shift = 8 - (row * 3 + 2) * 8 / depth
        for k in range(0, w - 8, 4):
            kx = int(x + 3 + shift + k)
            c.put(kx, ry, WHITE)
            c.put(kx + 1, ry, BEIGE_SIDE)
            c.put(kx + 1, ry + 1, BEIGE_DARK)


def desktop_face(c):
    """A tiny desktop on the screen: an open window with a title bar."""
    def face(x0, y0, x1, y1):
        screen(c, x0, y0, x1, y1, (0, 144, 152), (0, 96, 112))
        wx0, wy0, wx1, wy1 = x0 + 6, y0 + 5, x1 - 8, y1 - 6
        c.rect(wx0 + 1, wy0 + 1, wx1 + 1, wy1 + 1, (0, 48, 64))
        c.rect(wx0, wy0, wx1, wy1, (192, 192, 192))
        c.frame(wx0, wy0, wx1, wy1, WHITE, (96, 96, 96))
        c.rect(wx0 + 2, wy0 + 2, wx1 - 2, wy0 + 6, (0, 0, 128))
        c.rect(wx1 - 6, wy0 + 3, wx1 - 3, wy0 + 5, (192, 192, 192))
        for i in range(3):
            ly = wy0 + 9 + i * 4
            if ly < wy1 - 3:
                c.rect(wx0 + 4, ly, wx0 + 7, ly + 2, (0, 128, 0))
                c.line(wx0 + 9, ly, wx1 - 6 - 4 * i, ly, (64, 64, 64))
    return face


def rewind_face(c):
    """The screen of the restore picture: a rewind sign."""
    def face(x0, y0, x1, y1):
        screen(c, x0, y0, x1, y1, (0, 64, 144), (0, 24, 88))
        cx, cy = (x0 + x1) // 2, (y0 + y1) // 2
        for off in (0, 11):
            tip = cx - 11 + off
            tri = [(tip, cy), (tip + 11, cy - 8), (tip + 11, cy + 8)]
            c.poly([(px + 1, py + 1) for px, py in tri], (0, 8, 40))
            c.poly(tri, YELLOW)
            c.line(tip + 1, cy, tip + 10, cy - 7, (255, 248, 176))
    return face


def circular_arrow(c, cx, cy, r_in, r_out, start, end):
    """A thick arrow turning anticlockwise from angle start to end (degrees,
    0 pointing right, counted anticlockwise on screen)."""
    def inside(x, y):
        dx, dy = x - cx, cy - y
        r = (dx * dx + dy * dy) ** 0.5
        if not r_in <= r <= r_out:
            return False
        a = math.degrees(math.atan2(dy, dx)) % 360
        return (a - start) % 360 <= (end - start) % 360

    box = (int(cx - r_out) - 1, int(cy - r_out) - 1, int(cx + r_out) + 2, int(cy + r_out) + 2)
    mid = (r_in + r_out) / 2
    half = (r_out - r_in)
    a = math.radians(end)
    ex, ey = cx + mid * math.cos(a), cy - mid * math.sin(a)
    # The head points along the direction of travel (anticlockwise).
    tx, ty = -math.sin(a), -math.cos(a)
    nx, ny = math.cos(a), -math.sin(a)
    head = [(ex + nx * half * 1.35, ey + ny * half * 1.35),
            (ex + tx * half * 1.9, ey + ty * half * 1.9),
            (ex - nx * half * 1.35, ey - ny * half * 1.35)]

    def grown(fn, g):
        return lambda x, y: any(fn(x + ox, y + oy) for ox, oy in
                                ((g, 0), (-g, 0), (0, g), (0, -g), (0, 0)))

    def in_head(x, y):
        return point_in(head, x, y)

    dark = (24, 72, 16)
    c.shape(lambda x, y: grown(inside, 1.2)(x, y) or grown(in_head, 1.2)(x, y),
            (box[0] - 8, box[1] - 8, box[2] + 8, box[3] + 8), dark)
    base, light = (64, 192, 48), (176, 240, 128)

    def body(x, y):
        return inside(x, y) or in_head(x, y)

    def colour_of(x, y, old):
        if not body(x + 0.5, y + 0.5):
            return old
        r = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
        t = (r - r_in) / max(1.0, r_out - r_in)
        col = mix(light, base, min(1.0, max(0.0, t * 1.4))) if t < 1.1 else base
        return dither(col, x, y, 16)

    c.shade((box[0] - 8, box[1] - 8, box[2] + 8, box[3] + 8), colour_of)


def point_in(points, x, y):
    inside = False
    n = len(points)
    for i in range(n):
        (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
        if (ay <= y < by) or (by <= y < ay):
            if x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
    return inside


def camera(c, x, y):
    """A 35 mm camera seen from the front, lens towards the viewer."""
    body, body_top, body_side = (56, 56, 64), (104, 104, 116), (32, 32, 40)
    w, h = 66, 40
    # Prism housing on top, then the body.
    box3d(c, x + 22, y - 9, 22, 9, 8, body, body_top, body_side, ink=BLACK)
    box3d(c, x, y, w, h, 10, body, body_top, body_side, ink=BLACK)
    # Leatherette band and chrome top plate.
    c.rect(x + 1, y + 1, x + w, y + 8, (200, 200, 208))
    c.line(x + 1, y + 1, x + w - 1, y + 1, WHITE)
    c.line(x + 1, y + 8, x + w - 1, y + 8, (120, 120, 128))
    for yy in range(y + 10, y + h - 1, 2):
        for xx in range(x + 2 + (yy & 2), x + w - 1, 4):
            c.put(xx, yy, (44, 44, 50))
    # Viewfinder window and shutter button.
    c.rect(x + 5, y + 3, x + 13, y + 7, (40, 72, 112))
    c.put(x + 6, y + 4, (160, 200, 240))
    box3d(c, x + 6, y - 3, 6, 3, 4, (200, 40, 32), (240, 96, 80), (128, 24, 16), ink=BLACK)
    # Flash unit on the right shoulder, its window lit.
    box3d(c, x + 48, y - 10, 16, 10, 6, body, body_top, body_side, ink=BLACK)
    c.rect(x + 50, y - 8, x + 63, y - 3, (255, 244, 200))
    c.line(x + 50, y - 8, x + 62, y - 8, WHITE)
    # The lens: barrel rings, then the glass with its reflections.
    cx, cy = x + 33, y + 24
    c.ellipse(cx, cy, 17, 17, BLACK)
    c.ellipse(cx, cy, 16, 16, (136, 136, 144))
    c.ellipse(cx, cy, 13, 13, (72, 72, 80))
    c.ellipse(cx, cy, 12, 12, BLACK)

    def glass(px, py, old):
        d = ((px + 0.5 - cx) ** 2 + (py + 0.5 - cy) ** 2) ** 0.5
        if d > 10.5:
            return old
        t = d / 10.5
        col = mix((40, 120, 200), (8, 16, 64), t)
        return dither(col, px, py, 16)

    c.shade((cx - 12, cy - 12, cx + 13, cy + 13), glass)
    c.ellipse(cx - 4, cy - 4, 3, 2, WHITE)
    c.ellipse(cx + 4, cy + 5, 1.5, 1.5, (160, 200, 255))


def flash(c, cx, cy, r):
    """A burst of light: a star of rays around a white core."""
    rays = 12
    for i in range(rays):
        a = math.radians(i * 360 / rays + 7)
        length = r if i % 2 == 0 else r * 0.6
        ex, ey = cx + length * math.cos(a), cy + length * math.sin(a)
        side = math.radians(90)
        wx, wy = math.cos(a + side) * 1.6, math.sin(a + side) * 1.6
        c.poly([(cx + wx, cy + wy), (ex, ey), (cx - wx, cy - wy)], (255, 248, 200))
    c.ellipse(cx, cy, r * 0.32, r * 0.32, (255, 240, 160))
    c.ellipse(cx, cy, r * 0.2, r * 0.2, WHITE)


# --- the pictures -------------------------------------------------------------

def rule(c, y):
    """A thin bright rule with a shadow, a print-like finish at the bottom."""
    for x in range(10, c.w - 10):
        c.put(x, y, dither(mix(c.get(x, y), (160, 224, 232), 0.6), x, y, 16))
        c.put(x, y + 1, dither(mix(c.get(x, y + 1), (0, 0, 48), 0.5), x, y + 1, 16))


def wizard_picture():
    c = Canvas(128, 242)
    background(c, (64, 120, 70))
    shadow(c, 66, 205, 58, 9)
    keyboard(c, 14, 186, 86)
    system_unit(c, 16, 148, 86, 22)
    monitor(c, 24, 82, 68, 54, desktop_face(c))
    rule(c, 226)
    return c


def snapshot_picture():
    c = Canvas(128, 242)
    background(c, (62, 118, 72))
    shadow(c, 52, 176, 46, 7)
    system_unit(c, 10, 150, 72, 20)
    monitor(c, 14, 88, 62, 50, desktop_face(c))
    shadow(c, 78, 210, 42, 6)
    camera(c, 40, 164)
    flash(c, 97, 148, 20)
    rule(c, 226)
    return c


def restore_picture():
    c = Canvas(128, 242)
    background(c, (64, 118, 72))
    shadow(c, 64, 196, 52, 8)
    circular_arrow(c, 64, 124, 44, 53, 200, 140)
    system_unit(c, 20, 158, 78, 20)
    monitor(c, 26, 96, 64, 52, rewind_face(c))
    rule(c, 226)
    return c


# --- icons --------------------------------------------------------------------

# 32 x 32 program icon: a monitor with a rewind arrow, Windows 95's 16 colours.
ICON_32 = [
    "................................",
    "................................",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkk....",
    "..kWWWWWWWWWWWWWWWWWWWWWWWWgk...",
    "..kWggggggggggggggggggggggWgk...",
    "..kWgKKKKKKKKKKKKKKKKKKKKgWgk...",
    "..kWgKbbbbbbbbbbbbbbbbbbKgWgk...",
    "..kWgKbbbbbbbbbbbbbbbbbbKgWgk...",
    "..kWgKbbbbbbYbbbbbbYbbbbKgWgk...",
    "..kWgKbbbbbYYbbbbbYYbbbbKgWgk...",
    "..kWgKbbbbYYYbbbbYYYbbbbKgWgk...",
    "..kWgKbbbYYYYbbbYYYYbbbbKgWgk...",
    "..kWgKbbYYYYYbbYYYYYbbbbKgWgk...",
    "..kWgKbbbYYYYbbbYYYYbbbbKgWgk...",
    "..kWgKbbbbYYYbbbbYYYbbbbKgWgk...",
    "..kWgKbbbbbYYbbbbbYYbbbbKgWgk...",
    "..kWgKbbbbbbYbbbbbbYbbbbKgWgk...",
    "..kWgKbbbbbbbbbbbbbbbbbbKgWgk...",
    "..kWgKbbbbbbbbbbbbbbbbbbKgWgk...",
    "..kWgWWWWWWWWWWWWWWWWWWWWgWgk...",
    "..kWggggggggggggggggggggGgWgk...",
    "..kWggggggggggggggggGGgGGgWgk...",
    "..kWKKKKKKKKKKKKKKKKKKKKKKKgk...",
    "...kkkkkkkkkkkkkkkkkkkkkkkkk....",
    "...........kWggggWk.............",
    "........kkkkWggggWkkkkk.........",
    ".......kWWWWWWWWWWWWWWWk........",
    ".......kWgggggggggggggKk........",
    ".......kKKKKKKKKKKKKKKKk........",
    "........kkkkkkkkkkkkkkk.........",
    "................................",
    "................................",
]

ICON_16 = [
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kWWWWWWWWWWWgk.",
    ".kWKKKKKKKKKWgk.",
    ".kWKbbbbbbbbWgk.",
    ".kWKbbYbbbYbWgk.",
    ".kWKbYYbbYYbWgk.",
    ".kWKYYYbYYYbWgk.",
    ".kWKbYYbbYYbWgk.",
    ".kWKbbYbbbYbWgk.",
    ".kWWWWWWWWWWWgk.",
    ".kggggggggGGggk.",
    ".kkkkkkkkkkkkkk.",
    ".....kWggKk.....",
    "...kkWWWWWWKkk..",
    "...kkkkkkkkkkk..",
]


def remove_icon(rows):
    """The uninstaller's icon: the same monitor, its screen crossed out."""
    out = [list(r) for r in rows]
    screen = [(x, y) for y, r in enumerate(out) for x, ch in enumerate(r) if ch in "bY"]
    for x, y in screen:
        out[y][x] = "b"
    thick = 2 if len(rows) >= 32 else 1
    y0 = min(y for _, y in screen) + thick - 1
    y1 = max(y for _, y in screen) - thick + 1
    # A square cross, centred on the screen, so its strokes run at 45 degrees.
    width = y1 - y0 + thick
    middle = (min(x for x, _ in screen) + max(x for x, _ in screen) + 1) // 2
    x0 = middle - width // 2
    x1 = x0 + width - 1
    for y in range(y0, y1 + 1):
        t = (y - y0) / max(1, y1 - y0)
        a = int(round(x0 + t * (x1 - x0 - thick + 1)))
        b = int(round(x1 - thick + 1 - t * (x1 - x0 - thick + 1)))
        for k in range(thick):
            out[y][a + k] = "R"
            out[y][b + k] = "R"
    return ["".join(r) for r in out]


VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

ICON_KEYS = {"k": 0, "K": 8, "g": 7, "G": 10, "W": 15, "b": 4, "Y": 11, "R": 9}


def icon_image(rows):
    """An icon image as 4-bit indices into the standard palette plus its mask."""
    pixels = [[ICON_KEYS.get(ch, 0) for ch in row] for row in rows]
    mask = [[1 if ch == "." else 0 for ch in row] for row in rows]
    return pixels, mask


def ico_bytes(images):
    """An .ico file of 4-bit images, each with its AND mask."""
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for pixels, mask in images:
        size = len(pixels)
        bih = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
        pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
        xor = b""
        for row in reversed(pixels):
            line = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
            xor += line + b"\0" * (-len(line) % 4)
        andm = b""
        for row in reversed(mask):
            bits = bytearray((size + 7) // 8)
            for i, m in enumerate(row):
                if m:
                    bits[i // 8] |= 0x80 >> (i % 8)
            andm += bytes(bits) + b"\0" * (-len(bits) % 4)
        blob = bih + pal + xor + andm
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return header + entries + blobs


# --- files --------------------------------------------------------------------

def bmp_bytes(c):
    """An 8-bit palette BMP when the picture has at most 256 colours (it is
    drawn so that it does), else 24-bit."""
    cols = c.colours()
    if len(cols) <= 256:
        index = {col: i for i, col in enumerate(cols)}
        stride = (c.w + 3) & ~3
        data = b"".join(bytes(index[p] for p in row) + b"\0" * (stride - c.w)
                        for row in reversed(c.px))
        pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in cols)
        bpp, used = 8, len(cols)
    else:
        stride = (c.w * 3 + 3) & ~3
        data = b"".join(b"".join(struct.pack("<BBB", p[2], p[1], p[0]) for p in row)
                        + b"\0" * (stride - c.w * 3) for row in reversed(c.px))
        pal, bpp, used = b"", 24, 0
    offset = 14 + 40 + len(pal)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h, 1, bpp, 0, len(data), 2835, 2835, used, 0)
    return head + info + pal + data


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote", os.path.relpath(path, ROOT), len(data), "bytes")


def main():
    res = os.path.join(ROOT, "wizard", "res")
    for name, draw in (("wizard.bmp", wizard_picture), ("snapshot.bmp", snapshot_picture),
                       ("restore.bmp", restore_picture)):
        write(os.path.join(res, name), bmp_bytes(draw()))
    write(os.path.join(res, "trelmrk.ico"), ico_bytes([icon_image(ICON_32), icon_image(ICON_16)]))
    write(os.path.join(ROOT, "uninstall", "res", "remove.ico"),
          ico_bytes([icon_image(remove_icon(ICON_32)), icon_image(remove_icon(ICON_16))]))


if __name__ == "__main__":
    sys.exit(main())
