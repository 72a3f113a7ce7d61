#!/usr/bin/env python3
"""Draws every bitmap of the preferences' bitmap library as a BMP file.

Usage: drawbitmaps.py OUTPUT_DIR [BitmapIds.h]

Shapes are filled on a 4x4 supersampled grid and averaged, so edges inside a
picture are smooth. Pure green (0, 255, 0) is the transparent colour of the
controls that show these pictures; a pixel is either opaque or exactly that
green (edge pixels are blended with the dialog face instead of with green,
which would leave a green fringe). No drawn colour is ever exactly that green.
Python 3 standard library only, so a cross build needs nothing else.
"""
import math
import os
import re
import struct
import sys

SS = 4  # samples per pixel along each axis
TRANSPARENT = (0, 255, 0)
FACE = (236, 233, 216)  # the dialog face the pictures usually sit on


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def shade(c, f):
    """f < 0 darkens, f > 0 lightens."""
    if f < 0:
        return mix(c, (0, 0, 0), -f)
    return mix(c, (255, 255, 255), f)


class Canvas:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.sw, self.sh = width * SS, height * SS
        n = self.sw * self.sh
        self.r = [0.0] * n
        self.g = [0.0] * n
        self.b = [0.0] * n
        self.a = [0.0] * n

    # -- filling ----------------------------------------------------------
    def _spans(self, polys):
        """Yields (sample row, x0, x1) spans inside the polygons (even-odd)."""
        edges = []
        ymin, ymax = self.sh, 0
        for poly in polys:
            n = len(poly)
            for i in range(n):
                x0, y0 = poly[i]
                x1, y1 = poly[(i + 1) % n]
                if y0 == y1:
                    continue
                edges.append((x0 * SS, y0 * SS, x1 * SS, y1 * SS))
                ymin = min(ymin, y0 * SS, y1 * SS)
                ymax = max(ymax, y0 * SS, y1 * SS)
        for sy in range(max(0, int(ymin)), min(self.sh, int(math.ceil(ymax)) + 1)):
            yc = sy + 0.5
            xs = []
            for x0, y0, x1, y1 in edges:
                if (y0 <= yc < y1) or (y1 <= yc < y0):
                    xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                a = max(0, int(math.ceil(xs[i] - 0.5)))
                b = min(self.sw - 1, int(math.floor(xs[i + 1] - 0.5)))
                if a <= b:
                    yield sy, a, b

    def fill(self, polys, color, alpha=1.0):
        """color is an RGB tuple or a function of (x, y) in pixel units."""
        if polys and isinstance(polys[0][0], (int, float)):
            polys = [polys]
        const = not callable(color)
        for sy, a, b in self._spans(polys):
            row = sy * self.sw
            py = (sy + 0.5) / SS
            for sx in range(a, b + 1):
                c = color if const else color((sx + 0.5) / SS, py)
                i = row + sx
                if alpha >= 1.0:
                    self.r[i], self.g[i], self.b[i], self.a[i] = c[0], c[1], c[2], 1.0
                else:
                    k = 1.0 - alpha
                    self.r[i] = c[0] * alpha + self.r[i] * k
                    self.g[i] = c[1] * alpha + self.g[i] * k
                    self.b[i] = c[2] * alpha + self.b[i] * k
                    self.a[i] = alpha + self.a[i] * k

    # -- shapes (pixel units, floats allowed) -----------------------------
    def rect(self, x, y, w, h, color, alpha=1.0):
        self.fill([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], color, alpha)

    def rrect(self, x, y, w, h, r, color, alpha=1.0):
        self.fill(rrect_poly(x, y, w, h, r), color, alpha)

    def frame(self, x, y, w, h, t, color, r=0.0, alpha=1.0):
        self.fill([rrect_poly(x, y, w, h, r), rrect_poly(x + t, y + t, w - 2 * t, h - 2 * t, max(0.0, r - t))],
                  color, alpha)

    def circle(self, cx, cy, r, color, alpha=1.0):
        self.fill(ellipse_poly(cx, cy, r, r), color, alpha)

    def ring(self, cx, cy, r, t, color, alpha=1.0):
        self.fill([ellipse_poly(cx, cy, r, r), ellipse_poly(cx, cy, r - t, r - t)], color, alpha)

    def line(self, x0, y0, x1, y1, t, color, alpha=1.0, caps=True):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / length * t / 2, dx / length * t / 2
        self.fill([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], color, alpha)
        if caps:
            self.circle(x0, y0, t / 2, color, alpha)
            self.circle(x1, y1, t / 2, color, alpha)

    def polyline(self, points, t, color, alpha=1.0):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.line(x0, y0, x1, y1, t, color, alpha)

    # -- output -----------------------------------------------------------
    def pixels(self, background=FACE):
        """Rows of RGB tuples, top to bottom; uncovered pixels are TRANSPARENT."""
        rows = []
        n = SS * SS
        for y in range(self.h):
            row = []
            for x in range(self.w):
                r = g = b = a = 0.0
                for sy in range(y * SS, y * SS + SS):
                    base = sy * self.sw + x * SS
                    for i in range(base, base + SS):
                        w = self.a[i]
                        r += self.r[i] * w
                        g += self.g[i] * w
                        b += self.b[i] * w
                        a += w
                cover = a / n
                if cover < 0.5:
                    row.append(TRANSPARENT)
                    continue
                c = (r / n + background[0] * (1 - cover), g / n + background[1] * (1 - cover),
                     b / n + background[2] * (1 - cover))
                c = tuple(max(0, min(255, int(round(v)))) for v in c)
                if c == TRANSPARENT:
                    c = (0, 254, 0)
                row.append(c)
            rows.append(row)
        return rows


def rrect_poly(x, y, w, h, r, steps=6):
    if r <= 0:
        return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]
    r = min(r, w / 2, h / 2)
    pts = []
    for cx, cy, start in ((x + w - r, y + r, -90), (x + w - r, y + h - r, 0), (x + r, y + h - r, 90),
                          (x + r, y + r, 180)):
        for i in range(steps + 1):
            t = math.radians(start + 90 * i / steps)
            pts.append((cx + r * math.cos(t), cy + r * math.sin(t)))
    return pts


def ellipse_poly(cx, cy, rx, ry, steps=None):
    steps = steps or max(16, int(2 * math.pi * max(rx, ry)))
    return [(cx + rx * math.cos(2 * math.pi * i / steps), cy + ry * math.sin(2 * math.pi * i / steps))
            for i in range(steps)]


def vgrad(y0, y1, top, bottom):
    def color(_x, y):
        t = min(1.0, max(0.0, (y - y0) / ((y1 - y0) or 1)))
        return mix(top, bottom, t)
    return color


def hgrad(x0, x1, left, right):
    def color(x, _y):
        t = min(1.0, max(0.0, (x - x0) / ((x1 - x0) or 1)))
        return mix(left, right, t)
    return color


# -- shared motifs -----------------------------------------------------------
PAPER = (255, 255, 255)
PAPER_EDGE = (120, 128, 140)
INK_TEXT = (150, 158, 170)
SKY_TOP, SKY_LOW = (70, 140, 225), (175, 215, 250)
HILL_FAR, HILL_NEAR = (95, 165, 90), (50, 125, 60)
SUN = (255, 200, 40)
BLUE = (40, 90, 170)

# Stroke digits in a 4 x 6 box: polylines.
DIGITS = {
    '1': [[(1, 1.2), (2.4, 0), (2.4, 6)], [(1, 6), (3.6, 6)]],
    '2': [[(0.4, 1.2), (1.2, 0.1), (2.8, 0.1), (3.6, 1.2), (3.5, 2.4), (0.3, 6), (3.8, 6)]],
    '3': [[(0.4, 0.6), (1.4, 0), (2.9, 0.1), (3.6, 1.1), (3.4, 2.4), (2.0, 2.9)],
          [(2.0, 2.9), (3.5, 3.5), (3.7, 4.9), (2.8, 6), (1.2, 6), (0.3, 5.3)]],
    '4': [[(2.9, 6), (2.9, 0), (0.2, 4.2), (3.8, 4.2)]],
}


def digit(cv, ch, x, y, height, color, weight=None):
    s = height / 6.0
    weight = weight or max(1.1, height / 5.5)
    for stroke in DIGITS[ch]:
        cv.polyline([(x + px * s, y + py * s) for px, py in stroke], weight, color)


def shadow(cv, poly, dx=1.5, dy=1.5, alpha=0.28):
    cv.fill([(x + dx, y + dy) for x, y in poly], (40, 40, 50), alpha)


def sheet(cv, x, y, w, h, fold=None, paper=PAPER):
    """A sheet of paper with a soft shadow, a thin edge and a folded corner."""
    fold = fold if fold is not None else min(w, h) * 0.22
    outline = [(x, y), (x + w - fold, y), (x + w, y + fold), (x + w, y + h), (x, y + h)]
    shadow(cv, outline)
    cv.fill(outline, PAPER_EDGE)
    inner = [(x + 0.8, y + 0.8), (x + w - fold - 0.3, y + 0.8), (x + w - 0.8, y + fold + 0.3),
             (x + w - 0.8, y + h - 0.8), (x + 0.8, y + h - 0.8)]
    cv.fill(inner, vgrad(y, y + h, paper, shade(paper, -0.06)))
    if fold > 0:
        cv.fill([(x + w - fold, y), (x + w - fold, y + fold), (x + w, y + fold)], (214, 220, 230))
        cv.line(x + w - fold, y + fold, x + w, y + fold, 0.7, PAPER_EDGE, caps=False)
        cv.line(x + w - fold, y, x + w - fold, y + fold, 0.7, PAPER_EDGE, caps=False)


def text_lines(cv, x, y, w, h, step=3.0, color=INK_TEXT, t=1.0):
    row = 0
    yy = y
    while yy + t <= y + h:
        frac = (0.55, 0.92, 0.8, 0.97, 0.7)[row % 5]
        cv.line(x, yy, x + w * frac, yy, t, color, caps=False)
        yy += step
        row += 1


def landscape_scene(cv, x, y, w, h, sun=True):
    cv.rect(x, y, w, h, vgrad(y, y + h, SKY_TOP, SKY_LOW))
    if sun:
        cv.circle(x + w * 0.74, y + h * 0.3, min(w, h) * 0.13, SUN)
    far = [(x, y + h * 0.62)]
    for i in range(13):
        t = i / 12.0
        far.append((x + w * t, y + h * (0.58 - 0.12 * math.sin(t * math.pi * 1.6 + 0.4))))
    far += [(x + w, y + h), (x, y + h)]
    cv.fill(far, HILL_FAR)
    near = [(x, y + h * 0.8)]
    for i in range(13):
        t = i / 12.0
        near.append((x + w * t, y + h * (0.78 - 0.1 * math.sin(t * math.pi * 1.2 + 2.2))))
    near += [(x + w, y + h), (x, y + h)]
    cv.fill(near, vgrad(y + h * 0.66, y + h, HILL_NEAR, shade(HILL_NEAR, -0.25)))


# -- quality buttons ---------------------------------------------------------
QB = 44  # quality buttons are QB x QB pixels


def quality_plate(cv, down):
    if down:
        cv.rrect(1, 1, QB - 2, QB - 2, 8, (70, 110, 170))
        cv.rrect(2, 2, QB - 4, QB - 4, 7, vgrad(2, QB - 2, (170, 198, 235), (214, 230, 250)))
        cv.frame(2, 2, QB - 4, QB - 4, 1.4, (95, 130, 185), r=7, alpha=0.55)
    else:
        shadow(cv, rrect_poly(1, 1, QB - 3, QB - 3, 8), 1.2, 1.6, 0.3)
        cv.rrect(1, 1, QB - 3, QB - 3, 8, (150, 158, 172))
        cv.rrect(2, 2, QB - 5, QB - 5, 7, vgrad(2, QB - 3, (255, 255, 255), (222, 226, 234)))


def quality_page(cv, ox, oy):
    sheet(cv, ox + 9, oy + 6, 24, 30, fold=6)


def quality_draft(cv, ox, oy):
    quality_page(cv, ox, oy)
    for i, frac in enumerate((0.8, 0.55, 0.75, 0.45)):
        cv.line(ox + 13, oy + 15 + i * 4.5, ox + 13 + 14 * frac, oy + 15 + i * 4.5, 1.6, (185, 190, 200), caps=False)
    # speed streaks: draft trades quality for speed
    for i, yy in enumerate((14, 20, 26)):
        cv.line(ox + 2 + i, oy + yy, ox + 8 + i, oy + yy, 1.6, (230, 120, 30))


def raster_scene(cv, x, y, w, h, cell):
    """The scene seen through a coarse halftone: separate dots of its colours."""
    probe = Canvas(int(w), int(h))
    landscape_scene(probe, 0, 0, w, h)
    px = probe.pixels()
    yy = 0.0
    while yy < h - 0.5:
        xx = 0.0
        while xx < w - 0.5:
            c = px[min(int(h) - 1, int(yy + cell / 2))][min(int(w) - 1, int(xx + cell / 2))]
            if c != TRANSPARENT:
                cv.circle(x + xx + cell / 2, y + yy + cell / 2, cell * 0.42, c)
            xx += cell
        yy += cell


def quality_normal(cv, ox, oy):
    quality_page(cv, ox, oy)
    raster_scene(cv, ox + 12, oy + 13, 18, 13, 2.2)
    for i in range(2):
        cv.line(ox + 12, oy + 29 + i * 3, ox + 12 + (16, 11)[i], oy + 29 + i * 3, 1.1, INK_TEXT, caps=False)


def star(cv, cx, cy, r, color, edge):
    pts = []
    for i in range(10):
        rr = r if i % 2 == 0 else r * 0.45
        t = math.radians(-90 + 36 * i)
        pts.append((cx + rr * math.cos(t), cy + rr * math.sin(t)))
    cv.fill([(px + 0.0, py + 0.8) for px, py in pts], edge)
    cv.fill(pts, color)


def quality_best(cv, ox, oy):
    quality_page(cv, ox, oy)
    landscape_scene(cv, ox + 12, oy + 13, 18, 19)
    star(cv, ox + 33, oy + 31, 7.5, (255, 205, 40), (190, 120, 10))


def quality_auto(cv, ox, oy):
    quality_page(cv, ox, oy)
    landscape_scene(cv, ox + 12, oy + 13, 18, 13)
    # a badge with the letter A: the printer chooses
    cv.circle(ox + 32, oy + 31, 8.2, (255, 255, 255))
    cv.circle(ox + 32, oy + 31, 7.2, (40, 150, 80))
    cv.polyline([(ox + 28.6, oy + 35), (ox + 32, oy + 26.6), (ox + 35.4, oy + 35)], 1.9, (255, 255, 255))
    cv.line(ox + 29.8, oy + 32.2, ox + 34.2, oy + 32.2, 1.6, (255, 255, 255), caps=False)


def quality_button(kind, down):
    cv = Canvas(QB, QB)
    quality_plate(cv, down)
    shift = 1 if down else 0
    {'draft': quality_draft, 'normal': quality_normal, 'best': quality_best, 'auto': quality_auto}[kind](
        cv, shift, shift)
    return cv


# -- copies, collation and page order ---------------------------------------
CW, CH = 100, 56
SHEET_W, SHEET_H = 20, 27
FAN_X, FAN_Y = 6, 4


def numbered_sheet(cv, x, y, number, front):
    sheet(cv, x, y, SHEET_W, SHEET_H, fold=5)
    # the number sits in the top-right strip, visible behind the sheets in front
    digit(cv, str(number), x + SHEET_W - 6.2, y + 3, 6.5, BLUE, 1.5)
    if front:
        text_lines(cv, x + 3, y + 13, SHEET_W - 6, SHEET_H - 15, 3.0)


def stack(cv, x, y, numbers):
    """Sheets fanned towards the top right; the first number lies in front."""
    count = len(numbers)
    for i in reversed(range(count)):
        numbered_sheet(cv, x + i * FAN_X, y - i * FAN_Y + (count - 1) * FAN_Y, numbers[i], i == 0)


def copies_picture(groups):
    cv = Canvas(CW, CH)
    widths = [SHEET_W + (len(g) - 1) * FAN_X for g in groups]
    gap = 7 if len(groups) > 1 else 0
    total = sum(widths) + gap * (len(groups) - 1)
    x = (CW - total) / 2.0
    tallest = max(SHEET_H + (len(g) - 1) * FAN_Y for g in groups)
    for g, w in zip(groups, widths):
        y = (CH - tallest) / 2.0 + (tallest - SHEET_H - (len(g) - 1) * FAN_Y) + 0.5
        stack(cv, x, y, g)
        x += w + gap
    return cv


# -- paper kinds, portrait and landscape -------------------------------------
PW = 64  # paper pictures are PW x PW


def centred(w, h):
    return (PW - w) / 2.0, (PW - h) / 2.0


def paper_plain(landscape):
    cv = Canvas(PW, PW)
    w, h = (50, 38) if landscape else (38, 50)
    x, y = centred(w, h)
    sheet(cv, x, y, w, h, fold=8)
    m = 5
    if landscape:
        landscape_scene(cv, x + m, y + m + 2, 18, 14)
        text_lines(cv, x + m + 22, y + m + 3, w - 2 * m - 24, 14, 3.0)
        text_lines(cv, x + m, y + m + 20, w - 2 * m, h - 2 * m - 20, 3.0)
    else:
        text_lines(cv, x + m, y + m + 2, w - 2 * m - 8, 6, 3.0)
        landscape_scene(cv, x + m, y + m + 10, w - 2 * m, 14)
        text_lines(cv, x + m, y + m + 28, w - 2 * m, h - 2 * m - 28, 3.0)
    return cv


def bleed_marks(cv, x, y, w, h):
    c = (220, 60, 40)
    for cx, cy, sx, sy in ((x, y, -1, -1), (x + w, y, 1, -1), (x, y + h, -1, 1), (x + w, y + h, 1, 1)):
        cv.line(cx - sx * 1.5, cy - sy * 1.5, cx + sx * 4.5, cy + sy * 4.5, 1.5, c)
        cv.fill([(cx + sx * 5.8, cy + sy * 5.8), (cx + sx * 1.6, cy + sy * 4.9), (cx + sx * 4.9, cy + sy * 1.6)], c)


def paper_borderless(landscape):
    cv = Canvas(PW, PW)
    w, h = (48, 33) if landscape else (33, 48)
    x, y = centred(w, h)
    outline = [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]
    shadow(cv, outline)
    landscape_scene(cv, x, y, w, h)
    cv.frame(x, y, w, h, 0.7, (90, 100, 115))
    bleed_marks(cv, x, y, w, h)
    return cv


def paper_panorama(landscape):
    cv = Canvas(PW, PW)
    w, h = (60, 24) if landscape else (24, 60)
    x, y = centred(w, h)
    sheet(cv, x, y, w, h, fold=0)
    landscape_scene(cv, x + 2, y + 2, w - 4, h - 4)
    return cv


def envelope_short_flap(cv, x, y, w, h):
    """The back of an envelope whose flap closes along the top short edge."""
    body = [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]
    shadow(cv, body)
    cv.fill(body, (150, 130, 95))
    cv.rect(x + 0.8, y + 0.8, w - 1.6, h - 1.6, vgrad(y, y + h, (255, 250, 232), (240, 228, 200)))
    edge = (175, 150, 110)
    # the back seam runs down the middle
    cv.fill([(x + 1, y + 1), (x + w - 1, y + 1), (x + w - 1, y + h * 0.2), (x + w / 2, y + h * 0.3),
             (x + 1, y + h * 0.2)], (232, 218, 186))
    cv.polyline([(x + 1, y + h * 0.2), (x + w / 2, y + h * 0.3), (x + w - 1, y + h * 0.2)], 0.9, edge)
    cv.line(x + w / 2, y + h * 0.3, x + w / 2, y + h - 1.5, 0.9, edge, caps=False)
    # the postal-code boxes of these envelopes
    for i in range(3):
        cv.frame(x + w - 4.5 - i * 4.2, y + h * 0.36, 3.6, 4.4, 0.7, (220, 60, 40))


def envelope_front(cv, x, y, w, h):
    """The address side: stamp and address lines, as the driver prints it."""
    body = [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]
    shadow(cv, body)
    cv.fill(body, (150, 130, 95))
    cv.rect(x + 0.8, y + 0.8, w - 1.6, h - 1.6, vgrad(y, y + h, (255, 250, 232), (240, 228, 200)))
    sw, sh = min(w, h) * 0.26, min(w, h) * 0.32
    cv.rect(x + w - sw - 3, y + 3, sw, sh, (210, 70, 60))
    cv.frame(x + w - sw - 3, y + 3, sw, sh, 0.8, (255, 255, 255))
    cv.circle(x + w - sw / 2 - 3, y + 3 + sh / 2, sw * 0.22, (255, 220, 120))
    text_lines(cv, x + w * 0.36, y + h * 0.52, w * 0.5, h * 0.36, 3.2, (80, 90, 120), 1.1)


def paper_envelope(landscape):
    cv = Canvas(PW, PW)
    w, h = (54, 30) if landscape else (30, 54)
    x, y = centred(w, h)
    if landscape:
        envelope_front(cv, x, y, w, h)
    else:
        # portrait: the address side turned, as the envelope is fed
        envelope_front_portrait(cv, x, y, w, h)
    return cv


def envelope_front_portrait(cv, x, y, w, h):
    body = [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]
    shadow(cv, body)
    cv.fill(body, (150, 130, 95))
    cv.rect(x + 0.8, y + 0.8, w - 1.6, h - 1.6, hgrad(x, x + w, (255, 250, 232), (240, 228, 200)))
    sw, sh = w * 0.32, w * 0.26
    cv.rect(x + w - sh - 3, y + h - sw - 3, sh, sw, (210, 70, 60))
    cv.frame(x + w - sh - 3, y + h - sw - 3, sh, sw, 0.8, (255, 255, 255))
    cv.circle(x + w - sh / 2 - 3, y + h - sw / 2 - 3, sh * 0.22, (255, 220, 120))
    for i in range(4):
        xx = x + w * 0.2 + i * 3.2
        cv.line(xx, y + h * 0.12, xx, y + h * 0.12 + h * (0.42, 0.5, 0.36, 0.3)[i], 1.1, (80, 90, 120), caps=False)


def paper_envelope_tall(landscape):
    """Envelopes whose flap is on a short edge (sizes 284 to 290)."""
    cv = Canvas(PW, PW)
    w, h = (52, 28) if landscape else (28, 52)
    x, y = centred(w, h)
    if landscape:
        # turned: flap on the left short edge
        body = [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]
        shadow(cv, body)
        cv.fill(body, (150, 130, 95))
        cv.rect(x + 0.8, y + 0.8, w - 1.6, h - 1.6, hgrad(x, x + w, (255, 250, 232), (240, 228, 200)))
        edge = (175, 150, 110)
        cv.fill([(x + 1, y + 1), (x + w * 0.2, y + 1), (x + w * 0.3, y + h / 2), (x + w * 0.2, y + h - 1),
                 (x + 1, y + h - 1)], (232, 218, 186))
        cv.polyline([(x + w * 0.2, y + 1), (x + w * 0.3, y + h / 2), (x + w * 0.2, y + h - 1)], 0.9, edge)
        cv.line(x + w * 0.3, y + h / 2, x + w - 1.5, y + h / 2, 0.9, edge, caps=False)
        for i in range(3):
            cv.frame(x + w * 0.36, y + h - 4.5 - i * 4.2, 4.4, 3.6, 0.7, (220, 60, 40))
    else:
        envelope_short_flap(cv, x, y, w, h)
    return cv


def paper_two_up(landscape):
    """Two pages side by side on one sheet."""
    cv = Canvas(PW, PW)
    w, h = (50, 38) if landscape else (38, 50)
    x, y = centred(w, h)
    sheet(cv, x, y, w, h, fold=8)
    if landscape:
        pages = [(x + 4, y + 5, w / 2 - 6, h - 10), (x + w / 2 + 2, y + 5, w / 2 - 6, h - 10)]
    else:
        pages = [(x + 5, y + 4, w - 10, h / 2 - 6), (x + 5, y + h / 2 + 2, w - 10, h / 2 - 6)]
    for i, (px, py, pw, ph) in enumerate(pages):
        cv.rect(px, py, pw, ph, (206, 212, 222))
        cv.rect(px + 0.7, py + 0.7, pw - 1.4, ph - 1.4, (250, 251, 253))
        digit(cv, str(i + 1), px + pw - 5.5, py + 1.8, 5.0, BLUE, 1.3)
        text_lines(cv, px + 2, py + 8, pw - 8, ph - 10, 2.6, INK_TEXT, 0.9)
    return cv


# -- validity indicator of the custom size dialog ----------------------------
def indicator(valid):
    cv = Canvas(18, 18)
    base = (40, 155, 70) if valid else (205, 50, 45)
    cv.circle(9, 9, 8.2, shade(base, -0.35))
    cv.circle(9, 9, 7.4, vgrad(1, 17, shade(base, 0.25), shade(base, -0.1)))
    if valid:
        cv.polyline([(5.2, 9.4), (8, 12.2), (13, 6.2)], 2.2, (255, 255, 255))
    else:
        cv.line(6, 6, 12, 12, 2.2, (255, 255, 255))
        cv.line(12, 6, 6, 12, 2.2, (255, 255, 255))
    return cv


# -- the product logo --------------------------------------------------------
def logo():
    cv = Canvas(32, 32)
    cv.rrect(1, 1, 30, 30, 6, (30, 60, 120))
    cv.rrect(2, 2, 28, 28, 5, vgrad(2, 30, (60, 110, 200), (30, 70, 150)))
    # three ink drops: cyan, magenta, yellow
    for cx, color in ((10, (0, 170, 230)), (16, (225, 30, 140)), (22, (250, 210, 30))):
        drop = [(cx, 7)] + [(cx + 3.4 * math.cos(t), 17 + 3.4 * math.sin(t))
                            for t in [math.radians(-30 + i * 8) for i in range(31)]]
        cv.fill(drop, color)
    cv.rrect(6, 23, 20, 4, 1.5, (245, 245, 250))
    return cv


# -- the banners of the main windows ---------------------------------------
def printer(cv, x, y, s):
    """A desktop inkjet printer with a printed sheet coming out; s = scale."""
    shadow(cv, rrect_poly(x, y + 10 * s, 44 * s, 20 * s, 4 * s), 1.5, 2, 0.35)
    # the sheet in the input tray, behind the body
    cv.fill([(x + 10 * s, y + 11 * s), (x + 13 * s, y), (x + 33 * s, y), (x + 34 * s, y + 11 * s)], (250, 250, 252))
    cv.rrect(x, y + 10 * s, 44 * s, 20 * s, 4 * s, vgrad(y + 10 * s, y + 30 * s, (236, 239, 244), (170, 178, 192)))
    cv.rect(x + 3 * s, y + 13 * s, 38 * s, 2.2 * s, (120, 128, 142))
    cv.circle(x + 38 * s, y + 19 * s, 1.4 * s, (80, 210, 120))
    # the printed sheet in the output tray, with a colour picture
    cv.fill([(x + 8 * s, y + 24 * s), (x + 36 * s, y + 24 * s), (x + 39 * s, y + 36 * s), (x + 5 * s, y + 36 * s)],
            (255, 255, 255))
    for i, c in enumerate(((0, 170, 230), (225, 30, 140), (250, 210, 30))):
        cv.fill([(x + (11 + i * 8) * s, y + 26.5 * s), (x + (17 + i * 8) * s, y + 26.5 * s),
                 (x + (17.6 + i * 8) * s, y + 33 * s), (x + (10.4 + i * 8) * s, y + 33 * s)], c)


def banner(width, height, accent):
    cv = Canvas(width, height)
    cv.rrect(0, 0, width, height, 6, vgrad(0, height, (28, 62, 130), (16, 36, 84)))
    cv.rrect(0, 0, width, height, 6, hgrad(0, width, (40, 90, 180), accent), 0.55)
    # soft light waves
    for k, alpha in ((0, 0.10), (1, 0.07), (2, 0.05)):
        pts = [(0, height)]
        for i in range(41):
            t = i / 40.0
            pts.append((width * t, height * (0.62 + 0.1 * k) - height * 0.16 * math.sin(t * math.pi * 2.2 + k)))
        pts.append((width, height))
        cv.fill(pts, (255, 255, 255), alpha)
    printer(cv, 14, (height - 36) / 2.0, 1.0)
    # three ink drops at the right
    for i, c in enumerate(((0, 170, 230), (225, 30, 140), (250, 210, 30))):
        cx = width - 70 + i * 20
        drop = [(cx, height * 0.2)] + [(cx + 6.5 * math.cos(t), height * 0.62 + 6.5 * math.sin(t))
                                       for t in [math.radians(-30 + j * 8) for j in range(31)]]
        cv.fill([(px + 1, py + 1.5) for px, py in drop], (10, 20, 50), 0.35)
        cv.fill(drop, c)
        cv.circle(cx - 2.2, height * 0.58, 1.6, (255, 255, 255), 0.6)
    return cv


# -- maintenance task buttons ------------------------------------------------
TB = 40  # task buttons are TB x TB pixels
CYAN, MAGENTA, YELLOW = (0, 170, 230), (225, 30, 140), (250, 210, 30)


def task_plate(cv, down):
    if down:
        cv.rrect(1, 1, TB - 2, TB - 2, 7, (70, 110, 170))
        cv.rrect(2, 2, TB - 4, TB - 4, 6, vgrad(2, TB - 2, (170, 198, 235), (214, 230, 250)))
    else:
        shadow(cv, rrect_poly(1, 1, TB - 3, TB - 3, 7), 1.2, 1.6, 0.3)
        cv.rrect(1, 1, TB - 3, TB - 3, 7, (150, 158, 172))
        cv.rrect(2, 2, TB - 5, TB - 5, 6, vgrad(2, TB - 3, (255, 255, 255), (222, 226, 234)))


def sparkle(cv, cx, cy, r, color=(255, 236, 130), edge=(215, 150, 20)):
    for rr, c in ((r + 0.9, edge), (r, color)):
        cv.fill([(cx, cy - rr), (cx + rr * 0.28, cy - rr * 0.28), (cx + rr, cy), (cx + rr * 0.28, cy + rr * 0.28),
                 (cx, cy + rr), (cx - rr * 0.28, cy + rr * 0.28), (cx - rr, cy), (cx - rr * 0.28, cy - rr * 0.28)], c)


def cartridge(cv, x, y, w, h, colours):
    """An ink cartridge seen from the front: a dark body, a label of its inks."""
    shadow(cv, rrect_poly(x, y, w, h, 2.5), 1.0, 1.2)
    cv.rrect(x, y, w, h, 2.5, (60, 66, 78))
    cv.rrect(x + 1, y + 1, w - 2, h - 2, 2, vgrad(y, y + h, (110, 118, 132), (62, 68, 80)))
    band = (w - 4) / len(colours)
    for i, c in enumerate(colours):
        cv.rect(x + 2 + i * band, y + h * 0.38, band, h * 0.3, c)
    cv.rect(x + w * 0.3, y + h - 2.5, w * 0.4, 2.5, (200, 170, 60))  # the nozzle plate


def task_status(cv, o):
    printer(cv, 5 + o, 7 + o, 0.6)
    cv.circle(29 + o, 28 + o, 7.4, (255, 255, 255))
    cv.circle(29 + o, 28 + o, 6.5, (40, 110, 200))
    cv.circle(29 + o, 24.6 + o, 1.2, (255, 255, 255))
    cv.line(29 + o, 27.2 + o, 29 + o, 31.6 + o, 2.0, (255, 255, 255))


def task_cartridge(cv, o):
    cartridge(cv, 9 + o, 9 + o, 14, 20, (CYAN, MAGENTA, YELLOW))
    # a curved arrow: out with the old, in with the new
    arc = [(25 + o + 7 * math.cos(t), 19 + o + 7 * math.sin(t)) for t in
           [math.radians(-100 + i * 12) for i in range(16)]]
    cv.polyline(arc, 2.2, (40, 150, 80))
    ex, ey = arc[-1]
    cv.fill([(ex - 4.2, ey - 1.2), (ex + 2.8, ey - 3.2), (ex + 0.6, ey + 3.6)], (40, 150, 80))


def task_align(cv, o):
    sheet(cv, 8 + o, 6 + o, 24, 29, fold=5)
    # two rows of bars lined up against each other
    for i in range(5):
        x = 12 + o + i * 3.6
        cv.line(x, 13 + o, x, 19 + o, 1.5, (40, 40, 48), caps=False)
        c = (CYAN, MAGENTA, YELLOW, CYAN, MAGENTA)[i]
        cv.line(x, 20 + o, x, 26 + o, 1.5, c, caps=False)
    cv.ring(31 + o, 29 + o, 5.5, 1.6, (210, 60, 45))
    cv.line(31 + o, 22 + o, 31 + o, 36 + o, 1.0, (210, 60, 45), caps=False)
    cv.line(24 + o, 29 + o, 38 + o, 29 + o, 1.0, (210, 60, 45), caps=False)


def task_clean(cv, o):
    cartridge(cv, 8 + o, 7 + o, 16, 20, (CYAN, MAGENTA, YELLOW))
    for i, c in enumerate((CYAN, MAGENTA, YELLOW)):
        cx, cy = 13 + o + i * 3.4, 31 + o + (i % 2) * 2
        cv.fill([(cx, cy - 2.6)] + [(cx + 1.4 * math.cos(t), cy + 1.4 * math.sin(t))
                                    for t in [math.radians(-30 + j * 16) for j in range(16)]], c)
    sparkle(cv, 30 + o, 12 + o, 5.0)
    sparkle(cv, 32 + o, 25 + o, 3.4)


def task_test_page(cv, o):
    sheet(cv, 9 + o, 5 + o, 23, 30, fold=6)
    for i, c in enumerate(((40, 40, 48), CYAN, MAGENTA, YELLOW)):
        cv.rect(12 + o + i * 4.2, 12 + o, 3.6, 8, c)
    text_lines(cv, 12 + o, 23 + o, 16, 9, 3.0)


def task_rollers(cv, o):
    # a sheet passing between two rollers
    cv.fill([(6 + o, 24 + o), (30 + o, 17 + o), (33 + o, 21 + o), (9 + o, 28 + o)], (250, 250, 252))
    cv.polyline([(6 + o, 24 + o), (30 + o, 17 + o), (33 + o, 21 + o)], 0.7, PAPER_EDGE)
    for cy in (13, 31):
        cv.rrect(7 + o, cy - 4 + o, 24, 8, 4, vgrad(cy - 4 + o, cy + 4 + o, (120, 126, 138), (40, 44, 52)))
        cv.rect(9 + o, cy - 2.6 + o, 20, 1.4, (190, 195, 205), 0.7)
        cv.circle(7 + o + 2.8, cy + o, 1.4, (200, 200, 210))
    sparkle(cv, 33 + o, 9 + o, 4.4)
    sparkle(cv, 34 + o, 31 + o, 3.0)


def plated_button(size, plate, drawing, down):
    """A picture on a button plate; pressed, the picture sinks a pixel."""
    cv = Canvas(size, size)
    plate(cv, down)
    drawing(cv, 1 if down else 0)
    return cv


def task_button(kind, down):
    return plated_button(TB, task_plate, {'status': task_status, 'cartridge': task_cartridge, 'align': task_align,
                                          'clean': task_clean, 'test_page': task_test_page,
                                          'rollers': task_rollers}[kind], down)


# -- the 256-colour palette --------------------------------------------------
def palette_colours():
    """The 20 static system colours, a 6x6x6 colour cube and grey steps."""
    system = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
              (192, 192, 192), (192, 220, 192), (166, 202, 240), (255, 251, 240), (160, 160, 164),
              (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
              (0, 255, 255), (255, 255, 255)]
    colours = system[:10]
    for r in range(6):
        for g in range(6):
            for b in range(6):
                c = (r * 51, g * 51, b * 51)
                if c not in system:
                    colours.append(c)
    grey = 8
    while len(colours) < 246:
        if (grey, grey, grey) not in colours:
            colours.append((grey, grey, grey))
        grey += 8
    colours += system[10:]
    assert len(colours) == 256, len(colours)
    return colours


# -- poster page -------------------------------------------------------------
POSTER = 96  # poster previews are POSTER x POSTER
CUT = (215, 45, 40)


def scene_sampler(x, y, w, h):
    """The page's picture as a colour function over (x, y, w, h), so that
    sheets cut from it keep their piece of the one picture."""
    probe = Canvas(int(w), int(h))
    landscape_scene(probe, 0, 0, w, h)
    px = probe.pixels()

    def color(cx, cy):
        c = px[min(int(h) - 1, max(0, int(cy - y)))][min(int(w) - 1, max(0, int(cx - x)))]
        return PAPER if c == TRANSPARENT else c
    return color


def dashes(cv, x0, y0, x1, y1, color, dash=2.2, t=0.9):
    length = math.hypot(x1 - x0, y1 - y0)
    steps = max(1, int(length / (2 * dash)))
    for i in range(steps):
        a, b = (2 * i) * dash / length, min(1.0, (2 * i + 1) * dash / length)
        cv.line(x0 + (x1 - x0) * a, y0 + (y1 - y0) * a, x0 + (x1 - x0) * b, y0 + (y1 - y0) * b, t, color,
                caps=False)


def poster_preview(n, overlap):
    """One page enlarged over n x n sheets. Butted sheets lie apart; with
    overlap marks each sheet runs into its neighbours, the shared strips are
    shaded and a dashed cut line runs down their middle."""
    cv = Canvas(POSTER, POSTER)
    area, o = 86.0, 4.0
    color = scene_sampler(o, o, area, area)
    if not overlap:
        gap = 2.5
        cell = (area - gap * (n - 1)) / n
        for r in range(n):
            for c in range(n):
                x, y = o + c * (cell + gap), o + r * (cell + gap)
                poly = [(x, y), (x + cell, y), (x + cell, y + cell), (x, y + cell)]
                shadow(cv, poly, 1.0, 1.2, 0.3)
                cv.fill(poly, color)
                cv.frame(x, y, cell, cell, 0.6, PAPER_EDGE)
        return cv
    cell = area / n
    strip = 5.0 if n == 2 else 3.6
    sheets = []
    for r in range(n):
        for c in range(n):
            x0 = o + c * cell - (strip / 2 if c > 0 else 0)
            x1 = o + (c + 1) * cell + (strip / 2 if c < n - 1 else 0)
            y0 = o + r * cell - (strip / 2 if r > 0 else 0)
            y1 = o + (r + 1) * cell + (strip / 2 if r < n - 1 else 0)
            sheets.append((x0, y0, x1 - x0, y1 - y0))
    shadow(cv, [(o, o), (o + area, o), (o + area, o + area), (o, o + area)], 1.0, 1.2, 0.3)
    for x, y, w, h in sheets:
        cv.rect(x, y, w, h, color)
    for i in range(1, n):
        edge = o + i * cell
        cv.rect(edge - strip / 2, o, strip, area, (30, 30, 40), 0.22)
        cv.rect(o, edge - strip / 2, area, strip, (30, 30, 40), 0.22)
    for x, y, w, h in sheets:
        cv.frame(x, y, w, h, 0.6, PAPER_EDGE)
    for i in range(1, n):
        edge = o + i * cell
        dashes(cv, edge, o + 1, edge, o + area - 1, CUT)
        dashes(cv, o + 1, edge, o + area - 1, edge, CUT)
    # scissors' marks where the cut lines leave the poster
    for i in range(1, n):
        edge = o + i * cell
        for x0, y0, x1, y1 in ((edge, 0.5, edge, o - 0.5), (edge, o + area + 0.5, edge, POSTER - 0.5),
                               (0.5, edge, o - 0.5, edge), (o + area + 0.5, edge, POSTER - 0.5, edge)):
            cv.line(x0, y0, x1, y1, 1.0, CUT, caps=False)
    return cv


def poster_size_button(n, down):
    """The size buttons: a small picture cut into n x n sheets."""
    cv = Canvas(QB, QB)
    quality_plate(cv, down)
    shift = 1 if down else 0
    x, y, size = 9 + shift, 9 + shift, 26.0
    color = scene_sampler(x, y, size, size)
    gap = 1.6
    cell = (size - gap * (n - 1)) / n
    for r in range(n):
        for c in range(n):
            cx, cy = x + c * (cell + gap), y + r * (cell + gap)
            cv.rect(cx, cy, cell, cell, color)
            cv.frame(cx, cy, cell, cell, 0.5, PAPER_EDGE)
    return cv


# -- BMP files ---------------------------------------------------------------
def write_bmp24(path, rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        data += line
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40))
        f.write(header)
        f.write(data)


# -- the advanced page -------------------------------------------------------
def binding(long_edge):
    """Two sheets opened like a book along the bound edge, the binding marked."""
    cv = Canvas(PW, PW)
    if long_edge:
        w, h = 24, 34
        sheet(cv, 6, 14, w, h)
        sheet(cv, 6 + w + 2, 14, w, h)
        text_lines(cv, 10, 20, w - 8, h - 12, 3.0)
        text_lines(cv, 12 + w, 20, w - 8, h - 12, 3.0)
        cv.rect(6 + w - 0.5, 12, 3, h + 4, (200, 70, 50))
    else:
        w, h = 40, 22
        sheet(cv, 12, 6, w, h)
        sheet(cv, 12, 6 + h + 2, w, h)
        text_lines(cv, 16, 10, w - 8, h - 8, 3.0)
        text_lines(cv, 16, 12 + h, w - 8, h - 8, 3.0)
        cv.rect(10, 6 + h - 0.5, w + 4, 3, (200, 70, 50))
    return cv


def pages_per_sheet():
    """Four numbered pages on one sheet."""
    cv = Canvas(PW, PW)
    w, h = 38, 50
    x, y = centred(w, h)
    sheet(cv, x, y, w, h, fold=8)
    pw, ph = w / 2 - 5, h / 2 - 5
    for i in range(4):
        px = x + 3 + (i % 2) * (pw + 3)
        py = y + 3 + (i // 2) * (ph + 3)
        cv.rect(px, py, pw, ph, (206, 212, 222))
        cv.rect(px + 0.7, py + 0.7, pw - 1.4, ph - 1.4, (250, 251, 253))
        digit(cv, str(i + 1), px + pw - 5, py + 1.5, 4.4, BLUE, 1.2)
        text_lines(cv, px + 1.5, py + 7, pw - 6, ph - 8, 2.4, INK_TEXT, 0.9)
    return cv


def booklet():
    """A folded booklet: the cover in front, the inner pages behind."""
    cv = Canvas(PW, PW)
    sheet(cv, 18, 10, 30, 42)
    sheet(cv, 14, 12, 30, 42)
    cv.rect(14, 12, 2.5, 42, (190, 196, 206))
    landscape_scene(cv, 19, 17, 21, 14)
    text_lines(cv, 19, 35, 21, 14, 3.0)
    return cv


def sharpening():
    """A sharp edge beside a soft one."""
    cv = Canvas(40, 40)
    sheet(cv, 4, 4, 32, 32)
    landscape_scene(cv, 7, 7, 26, 26)
    cv.line(20, 7, 20, 33, 0.8, (255, 255, 255))
    return cv


def write_bmp8(path, colours, rows):
    h, w = len(rows), len(rows[0])
    stride = (w + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        data += bytes(row) + b'\0' * (stride - w)
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in colours)
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    off = 14 + 40 + len(table)
    with open(path, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', off + len(data), 0, 0, off))
        f.write(header)
        f.write(table)
        f.write(data)


def palette_bitmap(path):
    colours = palette_colours()
    rows = [[(y // 4) * 16 + (x // 4) for x in range(64)] for y in range(64)]
    write_bmp8(path, colours, rows)


PICTURES = {
    # name in BitmapIds.h without IDB_: drawing
    'QUALITY_DRAFT_UP': lambda: quality_button('draft', False),
    'QUALITY_BEST_UP': lambda: quality_button('best', False),
    'QUALITY_NORMAL_UP': lambda: quality_button('normal', False),
    'QUALITY_AUTO_UP': lambda: quality_button('auto', False),
    'QUALITY_DRAFT_DOWN': lambda: quality_button('draft', True),
    'QUALITY_BEST_DOWN': lambda: quality_button('best', True),
    'QUALITY_NORMAL_DOWN': lambda: quality_button('normal', True),
    'QUALITY_AUTO_DOWN': lambda: quality_button('auto', True),
    'COPIES_UNCOLLATED': lambda: copies_picture([[1, 1], [2, 2], [3, 3]]),
    'COPIES_UNCOLLATED_REVERSE': lambda: copies_picture([[3, 3], [2, 2], [1, 1]]),
    'COPIES_ONE': lambda: copies_picture([[1, 2, 3]]),
    'COPIES_ONE_REVERSE': lambda: copies_picture([[3, 2, 1]]),
    'COPIES_COLLATED': lambda: copies_picture([[1, 2, 3], [1, 2, 3]]),
    'COPIES_COLLATED_REVERSE': lambda: copies_picture([[3, 2, 1], [3, 2, 1]]),
    'PAPER_BORDERLESS': lambda: paper_borderless(False),
    'PAPER_BORDERLESS_LANDSCAPE': lambda: paper_borderless(True),
    'PAPER_PLAIN': lambda: paper_plain(False),
    'PAPER_PLAIN_LANDSCAPE': lambda: paper_plain(True),
    'PAPER_ENVELOPE': lambda: paper_envelope(False),
    'PAPER_ENVELOPE_LANDSCAPE': lambda: paper_envelope(True),
    'PAPER_PANORAMA': lambda: paper_panorama(False),
    'PAPER_PANORAMA_LANDSCAPE': lambda: paper_panorama(True),
    'PAPER_ENVELOPE_SHORT_FLAP': lambda: paper_envelope_tall(False),
    'PAPER_ENVELOPE_SHORT_FLAP_LANDSCAPE': lambda: paper_envelope_tall(True),
    'PAPER_TWO_UP': lambda: paper_two_up(False),
    'PAPER_TWO_UP_LANDSCAPE': lambda: paper_two_up(True),
    'SIZE_VALID': lambda: indicator(True),
    'SIZE_INVALID': lambda: indicator(False),
    'PELMORA_LOGO': logo,
    'BANNER': lambda: banner(516, 56, (60, 150, 210)),
    'BANNER_ALTERNATE': lambda: banner(516, 56, (120, 90, 200)),
    'POSTER_2X2': lambda: poster_preview(2, False),
    'POSTER_3X3': lambda: poster_preview(3, False),
    'POSTER_4X4': lambda: poster_preview(4, False),
    'POSTER_2X2_OVERLAP': lambda: poster_preview(2, True),
    'POSTER_3X3_OVERLAP': lambda: poster_preview(3, True),
    'POSTER_4X4_OVERLAP': lambda: poster_preview(4, True),
    'POSTER_SIZE_2X2_UP': lambda: poster_size_button(2, False),
    'POSTER_SIZE_3X3_UP': lambda: poster_size_button(3, False),
    'POSTER_SIZE_4X4_UP': lambda: poster_size_button(4, False),
    'POSTER_SIZE_2X2_DOWN': lambda: poster_size_button(2, True),
    'POSTER_SIZE_3X3_DOWN': lambda: poster_size_button(3, True),
    'POSTER_SIZE_4X4_DOWN': lambda: poster_size_button(4, True),
    'BINDING_LONG_EDGE': lambda: binding(True),
    'BINDING_SHORT_EDGE': lambda: binding(False),
    'LAYOUT_PAGES_PER_SHEET': pages_per_sheet,
    'LAYOUT_BOOKLET': booklet,
    'SHARPENING': sharpening,
    'TASK_STATUS_UP': lambda: task_button('status', False),
    'TASK_STATUS_DOWN': lambda: task_button('status', True),
    'TASK_CARTRIDGE_UP': lambda: task_button('cartridge', False),
    'TASK_CARTRIDGE_DOWN': lambda: task_button('cartridge', True),
    'TASK_ALIGN_UP': lambda: task_button('align', False),
    'TASK_ALIGN_DOWN': lambda: task_button('align', True),
    'TASK_CLEAN_UP': lambda: task_button('clean', False),
    'TASK_CLEAN_DOWN': lambda: task_button('clean', True),
    'TASK_TEST_PAGE_UP': lambda: task_button('test_page', False),
    'TASK_TEST_PAGE_DOWN': lambda: task_button('test_page', True),
    'TASK_ROLLERS_UP': lambda: task_button('rollers', False),
    'TASK_ROLLERS_DOWN': lambda: task_button('rollers', True),
}


# -- colour options preview --------------------------------------------------
# One photo of a backlit scene: a sunny meadow and sky with a tree and a
# person in its shade. Flash fill lifts the shade, contrast enhancement
# spreads the flat tones, sharpening crispens the grass and leaves and
# softening blurs them. The print lies on transparent green with a shadow.
XW, XH = 120, 90          # the bitmap
PX, PY, PWD, PHT = 6, 5, 104, 76   # the photo inside its white border
_PHOTO = None


def photo_scene():
    cv = Canvas(PWD, PHT)
    cv.rect(0, 0, PWD, PHT, vgrad(0, PHT * 0.6, (120, 165, 215), (205, 220, 235)))
    cv.circle(PWD * 0.8, PHT * 0.18, 7, (255, 236, 170))
    hills = [(0, PHT * 0.55)] + [(PWD * i / 16.0, PHT * (0.52 - 0.05 * math.sin(i * 0.7))) for i in range(17)]
    cv.fill(hills + [(PWD, PHT), (0, PHT)], (120, 150, 95))
    cv.rect(0, PHT * 0.62, PWD, PHT * 0.38, vgrad(PHT * 0.62, PHT, (150, 170, 80), (95, 120, 55)))
    # grass blades: fine detail that sharpening and softening change
    for i in range(70):
        x = (i * 37 % PWD) + (i % 3) * 0.4
        y = PHT * 0.66 + (i * 53 % 26)
        cv.line(x, y, x + 0.8 + (i % 2), y - 3.5, 0.7, (70, 95, 40) if i % 2 else (185, 200, 110), caps=False)
    # the tree and its shade, where the person stands
    cv.fill(ellipse_poly(26, PHT * 0.83, 30, 7), (55, 70, 40), 0.8)
    cv.rect(22, PHT * 0.3, 6, PHT * 0.55, (60, 45, 35))
    for cx, cy, r in ((25, 14, 15), (12, 22, 11), (38, 22, 12), (25, 28, 11)):
        cv.circle(cx, cy, r, (45, 75, 40))
    for i in range(40):
        cx, cy = 8 + (i * 29 % 36), 6 + (i * 17 % 28)
        cv.circle(cx, cy, 1.3, (80, 115, 55) if i % 2 else (30, 50, 28))
    # a person in the shade: face, red shirt, blue trousers
    cv.rect(40, PHT * 0.74, 4, 12, (45, 55, 95))
    cv.rect(45, PHT * 0.74, 4, 12, (45, 55, 95))
    cv.rrect(38.5, PHT * 0.5, 12, 17, 3, (150, 40, 40))
    cv.circle(44.5, PHT * 0.43, 4.2, (150, 110, 85))
    cv.fill(ellipse_poly(44.5, PHT * 0.39, 4.4, 2.4), (50, 35, 25))
    # a white house in the sun far away
    cv.rect(76, PHT * 0.44, 12, 8, (235, 235, 225))
    cv.fill([(75, PHT * 0.44), (82, PHT * 0.36), (89, PHT * 0.44)], (170, 70, 50))
    cv.rect(80, PHT * 0.48, 3, 4, (90, 80, 70))
    rows = cv.pixels()
    # as taken against the light: flat tones, deep shade under the tree
    out = []
    for y, row in enumerate(rows):
        line = []
        for x, c in enumerate(row):
            if c == TRANSPARENT:
                c = (0, 254, 0)
            flat = [40 + v * 0.68 for v in c]
            d = math.sqrt((x - 26) ** 2 / 900.0 + (y - 35) ** 2 / 1300.0)
            t = min(1.0, max(0.0, (d - 0.75) / 0.5))
            shaded = 0.55 + 0.45 * t * t * (3 - 2 * t)
            line.append([v * shaded for v in flat])
        out.append(line)
    return out


def luminance(c):
    return 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]


def filter_pixels(img, fn):
    return [[fn(x, y, c) for x, c in enumerate(row)] for y, row in enumerate(img)]


def box_blur(img):
    h, w = len(img), len(img[0])

    def at(x, y):
        return img[min(h - 1, max(0, y))][min(w - 1, max(0, x))]
    return [[[sum(at(x + dx, y + dy)[k] for dx in (-1, 0, 1) for dy in (-1, 0, 1)) / 9.0 for k in range(3)]
             for x in range(w)] for y in range(h)]


def color_preview(contrast, fill, sharpening):
    global _PHOTO
    if _PHOTO is None:
        _PHOTO = photo_scene()
    img = [[list(c) for c in row] for row in _PHOTO]
    if fill:
        # lift the dark tones, as a fill flash lights the shade
        def lift(_x, _y, c):
            gain = 1.0 + 0.9 * max(0.0, 1.0 - luminance(c) / 150.0)
            return [v * gain for v in c]
        img = filter_pixels(img, lift)
    if contrast:
        def spread(_x, _y, c):
            return [128 + (v - 118) * 1.45 for v in c]
        img = filter_pixels(img, spread)
        # a little more colour, as stronger tones look
        img = filter_pixels(img, lambda _x, _y, c: [luminance(c) + (v - luminance(c)) * 1.25 for v in c])
    if sharpening == 1:
        soft = box_blur(img)
        img = [[[v + 1.6 * (v - s) for v, s in zip(c, sc)] for c, sc in zip(row, srow)]
               for row, srow in zip(img, soft)]
    elif sharpening == 2:
        img = box_blur(box_blur(img))
    cv = Canvas(XW, XH)
    frame = rrect_poly(PX - 4, PY - 4, PWD + 8, PHT + 8, 1.5)
    shadow(cv, frame, 2.0, 2.2, 0.35)
    cv.fill(frame, (200, 200, 196))
    cv.fill(rrect_poly(PX - 3.3, PY - 3.3, PWD + 6.6, PHT + 6.6, 1.0), (252, 252, 250))
    rows = cv.pixels()
    for y in range(PHT):
        for x in range(PWD):
            c = tuple(max(0, min(255, int(round(v)))) for v in img[y][x])
            rows[PY + y][PX + x] = (0, 254, 0) if c == TRANSPARENT else c
    return cv_rows(rows)


class cv_rows:
    """Finished rows standing in for a canvas."""
    def __init__(self, rows):
        self.rows = rows

    def pixels(self):
        return self.rows


for _contrast, _cname in ((False, ''), (True, 'CONTRAST')):
    for _fill, _fname in ((False, ''), (True, 'FILL')):
        for _sharp, _sname in ((0, ''), (1, 'SHARPEN'), (2, 'SOFTEN')):
            _name = '_'.join(n for n in ('COLOR', _cname, _fname, _sname) if n)
            if _name == 'COLOR':
                _name = 'COLOR_PLAIN'
            elif not _cname and not _fname:
                _name = 'COLOR_PLAIN_' + _sname
            PICTURES[_name] = (lambda c=_contrast, f=_fill, s=_sharp: color_preview(c, f, s))


# -- quality pages of the alternate main window -------------------------------
def quality_photo(cv, ox, oy):
    """A borderless photo print: the scene runs to the sheet's edges."""
    x, y, w, h = ox + 9, oy + 7, 24, 30
    outline = rrect_poly(x, y, w, h, 1.2)
    shadow(cv, outline)
    cv.fill(outline, PAPER_EDGE)
    landscape_scene(cv, x + 0.8, y + 0.8, w - 1.6, h - 1.6)
    # a camera badge: a photograph, printed at its finest
    cv.rrect(ox + 24, oy + 25, 16, 12, 2.5, (255, 255, 255))
    cv.rrect(ox + 25, oy + 26, 14, 10, 2.0, (55, 62, 78))
    cv.rect(ox + 28, oy + 24.2, 5, 2.5, (55, 62, 78))
    cv.circle(ox + 32, oy + 31, 3.6, (200, 210, 225))
    cv.circle(ox + 32, oy + 31, 2.4, (40, 90, 170))


def quality_photo_button(down):
    cv = Canvas(QB, QB)
    quality_plate(cv, down)
    shift = 1 if down else 0
    quality_photo(cv, shift, shift)
    return cv


def ink_style():
    """The black cartridge beside a page printed in greys only."""
    cv = Canvas(32, 32)
    sheet(cv, 2, 3, 17, 24, fold=4)
    for i, g in enumerate((40, 95, 150)):
        cv.rect(5, 8 + i * 5, 11, 3.2, (g, g, g))
    text_lines(cv, 5, 23, 10, 3, 3.0, (120, 120, 120))
    cartridge(cv, 19, 9, 11, 20, [(25, 25, 28)])
    return cv


def paper_type_link():
    """The dark bar the paper-type link is written on in white, with an
    arrow at its right end."""
    cv = Canvas(200, 18)
    cv.rrect(0, 0, 200, 18, 4, (30, 55, 110))
    cv.rrect(1, 1, 198, 16, 3.5, vgrad(1, 17, (70, 110, 185), (35, 65, 135)))
    cv.polyline([(185, 5), (190, 9), (185, 13)], 1.8, (255, 255, 255))
    return cv


PICTURES.update({
    'QUALITY_PHOTO_UP': lambda: quality_photo_button(False),
    'QUALITY_PHOTO_DOWN': lambda: quality_photo_button(True),
    'INK_STYLE': ink_style,
    'PAPER_TYPE_LINK': paper_type_link,
})


# -- alternate main window: quality summary, media and task menu --------------
def greyed(cv):
    """The same picture in greys: black-and-white printing."""
    rows = cv.pixels()
    out = []
    for row in rows:
        line = []
        for c in row:
            if c == TRANSPARENT:
                line.append(c)
            else:
                g = int(round(0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]))
                line.append((g, g, g))
        out.append(line)
    return cv_rows(out)


def summary_other(cv, ox, oy):
    quality_page(cv, ox, oy)
    text_lines(cv, ox + 13, oy + 14, 16, 18, 3.0)


def summary_maximum(cv, ox, oy):
    quality_best(cv, ox, oy)
    star(cv, ox + 9, oy + 33, 5.5, (255, 205, 40), (190, 120, 10))


def summary_quality(kind, grey=False):
    cv = Canvas(QB, QB)
    {'draft': quality_draft, 'normal': quality_normal, 'best': quality_best, 'auto': quality_auto,
     'other': summary_other, 'maximum': summary_maximum}[kind](cv, 0, 0)
    return greyed(cv) if grey else cv


def media_picture(kind):
    """A sheet of the media kind seen at an angle: its surface tells it."""
    cv = Canvas(QB, QB)
    if kind == 'photo':
        sheet(cv, 8, 7, 28, 32)
        landscape_scene(cv, 10, 9, 24, 28)
        cv.fill([(10, 9), (22, 9), (10, 24)], (255, 255, 255), 0.35)   # the gloss
    elif kind == 'special':
        sheet(cv, 8, 7, 28, 32, paper=(236, 244, 252))
        cv.fill([(10, 9), (24, 9), (10, 26)], (255, 255, 255), 0.6)
        text_lines(cv, 12, 14, 20, 20, 3.2)
    else:
        sheet(cv, 8, 7, 28, 32, fold=6)
        text_lines(cv, 12, 14, 20, 20, 3.2)
    if kind == 'auto':
        # a sensor beam reading the sheet
        cv.fill([(30, 4), (40, 4), (33, 22)], (40, 150, 80), 0.35)
        cv.circle(35, 6, 4.2, (40, 150, 80))
        cv.circle(35, 6, 1.8, (255, 255, 255))
    return cv


def menu_paper(cv, o):
    sheet(cv, 13 + o, 8 + o, 18, 26, fold=5)
    sheet(cv, 9 + o, 12 + o, 18, 26, fold=5)
    text_lines(cv, 12 + o, 18 + o, 12, 16, 3.0)


def menu_layout(cv, o):
    sheet(cv, 8 + o, 10 + o, 28, 24)
    for i in range(2):
        px = 11 + o + i * 12
        cv.rect(px, 13 + o, 10, 18, (206, 212, 222))
        cv.rect(px + 0.7, 13.7 + o, 8.6, 16.6, (250, 251, 253))
        text_lines(cv, px + 2, 16 + o, 6, 12, 2.4)


def menu_watermark(cv, o):
    sheet(cv, 10 + o, 6 + o, 24, 32, fold=6)
    text_lines(cv, 13 + o, 11 + o, 18, 24, 3.0)
    cv.line(13 + o, 32 + o, 31 + o, 12 + o, 3.2, (200, 70, 60), 0.55)


def menu_color(cv, o):
    for i, c in enumerate((CYAN, MAGENTA, YELLOW)):
        a = math.radians(-90 + i * 120)
        cv.circle(22 + o + 6 * math.cos(a), 22 + o + 6 * math.sin(a), 8.5, c, 0.75)


def menu_maintenance(cv, o):
    task_clean(cv, o + 2)


def menu_howto(cv, o):
    cv.circle(22 + o, 22 + o, 13, (40, 110, 200))
    cv.circle(22 + o, 22 + o, 11.5, vgrad(10 + o, 34 + o, (90, 150, 230), (40, 100, 190)))
    cv.polyline([(17.5 + o, 18 + o), (18.5 + o, 14.5 + o), (22 + o, 13 + o), (25.5 + o, 14.5 + o),
                 (26.5 + o, 18 + o), (24.5 + o, 21 + o), (22 + o, 22.5 + o), (22 + o, 26 + o)], 2.6,
                (255, 255, 255))
    cv.circle(22 + o, 30.5 + o, 1.8, (255, 255, 255))


def menu_button(kind, down):
    return plated_button(QB, quality_plate, {'paper': menu_paper, 'layout': menu_layout, 'watermark': menu_watermark,
                                             'color': menu_color, 'maintenance': menu_maintenance,
                                             'howto': menu_howto}[kind], down)


PICTURES.update({
    'SUMMARY_NORMAL': lambda: summary_quality('normal'),
    'SUMMARY_BEST': lambda: summary_quality('best'),
    'SUMMARY_OTHER': lambda: summary_quality('other'),
    'SUMMARY_DRAFT': lambda: summary_quality('draft'),
    'SUMMARY_NORMAL_GREY': lambda: summary_quality('normal', True),
    'SUMMARY_BEST_GREY': lambda: summary_quality('best', True),
    'SUMMARY_MAXIMUM': lambda: summary_quality('maximum'),
    'SUMMARY_MAXIMUM_GREY': lambda: summary_quality('maximum', True),
    'SUMMARY_AUTOMATIC': lambda: summary_quality('auto'),
    'MEDIA_PLAIN': lambda: media_picture('plain'),
    'MEDIA_PHOTO': lambda: media_picture('photo'),
    'MEDIA_AUTOMATIC': lambda: media_picture('auto'),
    'MEDIA_SPECIAL': lambda: media_picture('special'),
})
for _kind in ('paper', 'layout', 'watermark', 'color', 'maintenance', 'howto'):
    PICTURES['MENU_%s_UP' % _kind.upper()] = (lambda k=_kind: menu_button(k, False))
    PICTURES['MENU_%s_DOWN' % _kind.upper()] = (lambda k=_kind: menu_button(k, True))

def bitmap_names(header):
    """The IDB_ names BitmapIds.h defines, so the header and this tool agree."""
    with open(header) as f:
        return re.findall(r'^#define\s+IDB_(\w+)\s+\d+', f.read(), re.M)


# -- the dialog icon: the banner's printer, with an alpha channel -----------
def icon_image(size):
    """BITMAPINFOHEADER, 32-bit BGRA rows and the AND mask of one icon image."""
    cv = Canvas(size, size)
    scale = size / 46.0
    printer(cv, 1 * scale, (size - 37 * scale) / 2.0, scale)
    n = SS * SS
    colour, mask = bytearray(), bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        bits = bytearray(mask_stride)
        for x in range(size):
            r = g = b = a = 0.0
            for sy in range(y * SS, y * SS + SS):
                base = sy * cv.sw + x * SS
                for i in range(base, base + SS):
                    w = cv.a[i]
                    r, g, b, a = r + cv.r[i] * w, g + cv.g[i] * w, b + cv.b[i] * w, a + w
            cover = a / n
            if a > 0:
                r, g, b = r / a, g / a, b / a
            colour += bytes((int(round(b)), int(round(g)), int(round(r)), int(round(cover * 255))))
            if cover < 0.5:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def write_icon(path, sizes=(32, 16)):
    images = [icon_image(size) for size in sizes]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        data += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as f:
        f.write(data + b''.join(images))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == '--icon':
        write_icon(sys.argv[2])
        return
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    names = bitmap_names(sys.argv[2]) if len(sys.argv) > 2 else list(PICTURES) + ['PALETTE_256']
    for name in names:
        path = os.path.join(out, name.lower() + '.bmp')
        if name == 'PALETTE_256':
            palette_bitmap(path)
        elif name in PICTURES:
            write_bmp24(path, PICTURES[name]().pixels())
        else:
            sys.exit('drawbitmaps.py: no drawing for IDB_' + name)


if __name__ == '__main__':
    main()
