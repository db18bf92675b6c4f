#!/usr/bin/env python3
"""Draws the program's 32 x 32 icon: a blue wave line crossing a cyan loop
(the orbit of a water particle under a wave).  Writes an RGBA PNG using only
the standard library, so it needs no imaging package.

Usage: scripts/make-icon.py [OUTPUT]   (default sheet/window/icons/saiha.png)
"""
import math
import struct
import sys
import zlib

SIZE = 32
SUB = 4  # subsamples per pixel side, for smooth edges

CYAN = (0, 200, 230)
BLUE = (0, 48, 200)

# The loop: a slightly flattened ellipse, as the orbit is near a shore.
LOOP_CX, LOOP_CY, LOOP_RX, LOOP_RY, LOOP_HALF_WIDTH = 16.0, 17.0, 10.5, 8.5, 1.6

# The wave: one and a half periods of a sine across the icon.
WAVE_POINTS = [(x / 8.0, 16.0 - 6.0 * math.sin(2 * math.pi * (x / 8.0 - 2.0) / 21.0))
               for x in range(8, 8 * 31 + 1)]
WAVE_HALF_WIDTH = 1.5


def on_loop(x, y):
    # Distance to the ellipse, approximated by the normalised radius.
    dx, dy = (x - LOOP_CX) / LOOP_RX, (y - LOOP_CY) / LOOP_RY
    r = math.hypot(dx, dy)
    scale = math.hypot(dx * LOOP_RX, dy * LOOP_RY) / max(r, 1e-9)
    return abs(r - 1.0) * scale <= LOOP_HALF_WIDTH


def on_wave(x, y):
    best = min((px - x) ** 2 + (py - y) ** 2 for px, py in WAVE_POINTS)
    return best <= WAVE_HALF_WIDTH ** 2


def pixel(ix, iy):
    loop = wave = 0
    for sy in range(SUB):
        for sx in range(SUB):
            x, y = ix + (sx + 0.5) / SUB, iy + (sy + 0.5) / SUB
            if on_wave(x, y):
                wave += 1
            elif on_loop(x, y):
                loop += 1
    n = SUB * SUB
    covered = loop + wave
    if covered == 0:
        return (0, 0, 0, 0)
    # The wave is drawn over the loop: mix the two colours by coverage.
    rgb = tuple(round((c1 * loop + c2 * wave) / covered) for c1, c2 in zip(CYAN, BLUE))
    return rgb + (round(255 * covered / n),)


def png(rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "gui/calc/icons/saiha.png"
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    with open(out, "wb") as f:
        f.write(png(rows))


if __name__ == "__main__":
    main()
