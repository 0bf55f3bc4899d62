#!/usr/bin/env python3
"""Draws the program's artwork: images/logostart.bmp (the splash, 800 x 491)
and images/iconLogo.ico (the window icon, 16, 32 and 48 pixels). A simple
drawn logo: a green hill line with a red track and a pin over a blue sky,
with the name in block letters. Run from anywhere; writes into images/."""

import math
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

FONT = {  # 5 x 7 block letters
    "V": ["10001", "10001", "10001", "10001", "01010", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
}


class Canvas:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def put(self, x, y, rgba):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = rgba

    def disc(self, cx, cy, r, rgba):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, rgba)

    def line(self, points, width, rgba):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
            for i in range(steps + 1):
                t = i / steps
                self.disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, rgba)

    def text(self, x, y, word, scale, rgba):
        for letter in word:
            for row, bits in enumerate(FONT[letter]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                self.put(x + col * scale + dx, y + row * scale + dy, rgba)
            x += 6 * scale


def draw_logo(w, h, with_name):
    c = Canvas(w, h)
    for y in range(h):  # sky: light at the horizon
        t = y / max(h - 1, 1)
        c.px[y] = [(int(40 + 150 * t), int(110 + 110 * t), 230, 255)] * w
    hill = lambda x: h * 0.72 - h * 0.12 * math.sin(x / w * math.pi * 2.2)
    for x in range(w):
        for y in range(int(hill(x)), h):
            c.put(x, y, (60, 150, 70, 255))
    track = [(w * (0.1 + 0.8 * i / 40), hill(w * (0.1 + 0.8 * i / 40)) - h * 0.08
              - h * 0.05 * math.sin(i / 3)) for i in range(41)]
    c.line(track, max(2, w / 90), (220, 30, 30, 255))
    px, py = track[-1]
    c.disc(px, py - h * 0.08, max(2, w / 30), (220, 30, 30, 255))
    c.disc(px, py - h * 0.08, max(1, w / 80), (255, 255, 255, 255))
    c.line([(px, py - h * 0.05), (px, py)], max(1, w / 120), (220, 30, 30, 255))
    if with_name:
        scale = w // 70
        c.text((w - 7 * 6 * scale) // 2, int(h * 0.12), "VANTREL", scale, (255, 255, 255, 255))
    return c


def bmp_bytes(c):
    row = (c.w * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(c.h)):
        line = bytearray()
        for r, g, b, _ in c.px[y]:
            line += bytes((b, g, r))
        data += line + b"\0" * (row - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def ico_entry(c):
    pixels = bytearray()
    for y in reversed(range(c.h)):
        for r, g, b, a in c.px[y]:
            pixels += bytes((b, g, r, a))
    mask_row = ((c.w + 31) // 32) * 4
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0,
                       len(pixels) + mask_row * c.h, 0, 0, 0, 0)
    return info + bytes(pixels) + b"\0" * (mask_row * c.h)


def ico_bytes(canvases):
    images = [ico_entry(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    folder = os.path.join(ROOT, "images")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "logostart.bmp"), "wb") as f:
        f.write(bmp_bytes(draw_logo(800, 491, True)))
    with open(os.path.join(folder, "iconLogo.ico"), "wb") as f:
        f.write(ico_bytes([draw_logo(s, s, False) for s in (16, 32, 48)]))


if __name__ == "__main__":
    main()
