#!/usr/bin/env python3
"""Draws the product icon, a clock face, as chronex.ico: one 16x16 and one
32x32 image with the 16-colour standard palette. Run it to remake the file:
    python3 resources/make_icon.py resources/chronex.ico
"""
import math
import struct
import sys

# The 16 colours of the standard VGA palette, as (blue, green, red, 0).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128),
    (128, 0, 0), (128, 0, 128), (128, 128, 0), (192, 192, 192),
    (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255),
    (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]  # (r, g, b)
BLACK, NAVY, GREY, SILVER, BLUE, WHITE, RED = 0, 4, 8, 7, 12, 15, 9


def draw(size):
    """Returns rows (top first) of palette indices, None for transparent."""
    c = (size - 1) / 2.0
    r_out = size / 2.0 - 0.3
    rim = max(1.2, size / 12.0)
    img = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d <= r_out - rim:
                img[y][x] = WHITE
            elif d <= r_out:
                img[y][x] = NAVY
    # Hour ticks.
    for h in range(12):
        a = h * math.pi / 6
        for t in ([0.72, 0.8] if size >= 32 else [0.74]):
            x = round(c + math.sin(a) * t * (r_out - rim))
            y = round(c - math.cos(a) * t * (r_out - rim))
            img[y][x] = GREY if h % 3 else BLACK

    def hand(angle, length, colour):
        steps = size * 2
        for i in range(steps + 1):
            t = length * i / steps
            x = round(c + math.sin(angle) * t)
            y = round(c - math.cos(angle) * t)
            img[y][x] = colour

    hand(math.radians(300), (r_out - rim) * 0.5, BLACK)   # hour hand at ten
    hand(math.radians(60), (r_out - rim) * 0.78, BLACK)   # minute hand at ten past
    hand(math.radians(180), (r_out - rim) * 0.8, RED)     # second hand
    img[int(c)][int(c)] = BLACK
    return img


def dib(img):
    size = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = b''
    mask = b''
    for row in reversed(img):  # bottom-up
        bits = bytearray(xor_stride)
        mbits = bytearray(and_stride)
        for x, p in enumerate(row):
            v = 0 if p is None else p
            bits[x // 2] |= v << (4 if x % 2 == 0 else 0)
            if p is None:
                mbits[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(bits)
        mask += bytes(mbits)
    return header + palette + xor + mask


def main(path):
    images = [dib(draw(16)), dib(draw(32))]
    sizes = [16, 32]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'chronex.ico')
