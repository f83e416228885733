#!/usr/bin/env python3
"""Tells whether a picture appears pixel for pixel on a screenshot.

    find_picture.py SCREEN.xwd PICTURE.ppm

SCREEN.xwd is what `xwd -root` writes (24 or 32 bits per pixel, either byte
order); PICTURE.ppm a binary PPM (P6, 8 bits a sample), such as djpeg writes.
Prints the picture's top left on the screen and exits 0 when every pixel of
the picture is there; otherwise says so and exits 1.
"""
import re
import struct
import sys


def read_xwd(path):
    data = open(path, 'rb').read()
    fields = struct.unpack('>25I', data[:100])
    header_size, _version, _format, _depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    colour_count = fields[19]
    pixels = data[header_size + 12 * colour_count:]
    if bits_per_pixel not in (24, 32):
        sys.exit(f'{path}: {bits_per_pixel} bits per pixel; expected 24 or 32')
    step = bits_per_pixel // 8
    shifts = [(mask & -mask).bit_length() - 1 for mask in (red_mask, green_mask, blue_mask)]
    rows = []
    for y in range(height):
        line = pixels[y * bytes_per_line:y * bytes_per_line + width * step]
        rgb = bytearray(width * 3)
        for x in range(width):
            value = int.from_bytes(line[x * step:(x + 1) * step], 'little' if byte_order == 0 else 'big')
            for channel, shift in enumerate(shifts):
                rgb[x * 3 + channel] = (value >> shift) & 0xFF
        rows.append(bytes(rgb))
    return rows


def read_ppm(path):
    data = open(path, 'rb').read()
    # Exactly one blank ends the header: the first sample may itself be a
    # byte that reads as a blank.
    header = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', data)
    if not header:
        sys.exit(f'{path}: not an 8-bit binary PPM')
    width, height, pixels = int(header[1]), int(header[2]), data[header.end():]
    return [pixels[y * width * 3:(y + 1) * width * 3] for y in range(height)]


def main():
    screen, picture = read_xwd(sys.argv[1]), read_ppm(sys.argv[2])
    first = picture[0]
    for top in range(len(screen) - len(picture) + 1):
        at = screen[top].find(first)
        while at >= 0:
            if at % 3 == 0 and all(screen[top + y][at:at + len(row)] == row for y, row in enumerate(picture)):
                print(f'found at {at // 3},{top}')
                return 0
            at = screen[top].find(first, at + 1)
    print('the picture is not on the screen pixel for pixel')
    return 1


if __name__ == '__main__':
    sys.exit(main())
