#!/usr/bin/env python3
"""Writes app/lumeno.ico: the program icon at 16, 32 and 48 pixels (32-bit, drawn in code)."""
import struct
import sys


def pixel(x, y, size):
    # A blue rounded square with a light isometric cube outline, scaled to the icon size.
    u, v = (x + 0.5) / size, (y + 0.5) / size
    r = 0.18
    cx, cy = min(max(u, r), 1 - r), min(max(v, r), 1 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    # Cube: top rhombus and two side faces around the centre.
    dx, dy = u - 0.5, v - 0.5
    if abs(dx) * 0.58 + abs(dy + 0.12) < 0.2:
        return (250, 220, 120, 255)
    if -0.3 < dx < 0 and -0.05 < dy - 0.5 * dx < 0.3 and dy < 0.32:
        return (230, 230, 235, 255)
    if 0 <= dx < 0.3 and -0.05 < dy + 0.5 * dx < 0.3 and dy < 0.32:
        return (170, 180, 195, 255)
    return (40, 90, 170, 255)


def image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(size - 1, -1, -1):  # bottom row first
        for x in range(size):
            r, g, b, a = pixel(x, y, size)
            rows.append(struct.pack("BBBB", b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    return header + b"".join(rows) + bytes(mask_row * size)


def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app/lumeno.ico")
