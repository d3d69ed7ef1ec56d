#!/usr/bin/env python3
"""Draws app/res/tavrik.ico: a note pad sheet with a bound top and ruled lines, at every size
Windows asks for, anti-aliased by supersampling. Run it again after changing the drawing."""
import struct
import sys
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
SS = 4  # samples per pixel along each axis

BINDING = (0x2B, 0x6F, 0x8E)
SHEET = (0xFF, 0xF1, 0xA8)
EDGE = (0x8A, 0x74, 0x2E)
RULE = (0x6E, 0x98, 0xC4)
FOLD = (0xE8, 0xC8, 0x5A)
RING = (0xE6, 0xE6, 0xE6)


def colour_at(x, y):
    """Colour of the point (x, y) of the unit square, or None where the icon is transparent."""
    left, right, top, bottom = 0.12, 0.88, 0.08, 0.94
    radius, fold, border = 0.07, 0.22, 0.025
    if not (left <= x <= right and top <= y <= bottom):
        return None
    for cx, cy in ((left + radius, top + radius), (right - radius, top + radius), (left + radius, bottom - radius)):
        if abs(x - cx) <= radius and abs(y - cy) <= radius and (x - cx) * (cx - 0.5) > 0 \
                and (y - cy) * (cy - 0.5) > 0 and (x - cx) ** 2 + (y - cy) ** 2 > radius ** 2:
            return None  # rounded corner
    diagonal = right + bottom - fold
    if x + y > diagonal:
        return None  # the corner is folded away
    if x + y > diagonal - 0.015:
        return EDGE
    if x > right - fold and y > bottom - fold:
        return FOLD
    if x < left + border or x > right - border or y > bottom - border:
        return EDGE
    if y < top + 0.2:
        for rx in (0.3, 0.5, 0.7):
            if (x - rx) ** 2 + (y - (top + 0.1)) ** 2 < 0.035 ** 2:
                return RING
        return BINDING
    for ly in (0.45, 0.60, 0.75):
        if abs(y - ly) < 0.022 and left + 0.1 < x < right - 0.1 and not (x > right - fold - 0.02 and y > bottom - fold - 0.02):
            return RULE
    return SHEET


def render(size):
    pixels = []
    n = SS * SS
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SS):
                for sx in range(SS):
                    c = colour_at((px + (sx + 0.5) / SS) / size, (py + (sy + 0.5) / SS) / size)
                    if c:
                        r += c[0]; g += c[1]; b += c[2]; a += 1
            if a:
                row.append((r // a, g // a, b // a, 255 * a // n))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def bmp_entry(size, pixels):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b'\0' * (mask_row * size)
    return header + body + mask


def png_entry(size, pixels):
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in pixels)
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main(path):
    images = []
    for size in SIZES:
        pixels = render(size)
        images.append((size, png_entry(size, pixels) if size >= 256 else bmp_entry(size, pixels)))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'app/res/tavrik.ico')
