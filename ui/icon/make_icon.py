#!/usr/bin/env python3
"""Builds ui/velandrimour.ico (16 colours, 4 bits per pixel) from the pixel-art text.

Usage: make_icon.py [velandrimour.txt] [velandrimour.ico]
The build uses the committed .ico; run this after editing the text and commit both.
"""
import os
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


def read_images(path):
    """Returns [(size, rows)] in file order; rows are strings of one character per pixel."""
    images = []
    with open(path, encoding="ascii") as source:
        for line in source:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            if line.startswith("size "):
                images.append((int(line[5:]), []))
                continue
            images[-1][1].append(line)
    for size, rows in images:
        if len(rows) != size or any(len(row) != size for row in rows):
            sys.exit("image %d: expected %d rows of %d pixels" % (size, size, size))
        for row in rows:
            for pixel in row:
                if pixel != "." and pixel not in "0123456789ABCDEF":
                    sys.exit("image %d: unknown pixel %r" % (size, pixel))
    return images


def padded(data, unit=4):
    return data + b"\0" * (-len(data) % unit)


def image_bytes(size, rows):
    """One icon image: header, palette, colour bits and transparency mask, bottom row first."""
    colour = b""
    mask = b""
    for row in reversed(rows):
        nibbles = [0 if p == "." else int(p, 16) for p in row]
        colour += padded(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2)))
        bits = 0
        mask_row = b""
        for i, pixel in enumerate(row):
            bits = (bits << 1) | (pixel == ".")
            if i % 8 == 7:
                mask_row += bytes((bits,))
                bits = 0
        mask += padded(mask_row)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(colour) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + colour + mask


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    source = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "velandrimour.txt")
    target = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "velandrimour.ico")
    images = [(size, image_bytes(size, rows)) for size, rows in read_images(source)]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(target, "wb") as icon:
        icon.write(directory + entries + b"".join(data for _, data in images))


if __name__ == "__main__":
    main()
