#!/usr/bin/env python3
# Writes Tabvane.ico, the program's 16-colour icon, from the pictures below: 16, 20 and 24
# pixels drawn by hand, 32 and 48 the 16 and 24 pictures with every pixel doubled, so that the
# title bar and the taskbar find a sharp image at 100 % to 200 %. The build runs it:
# python3 make_icon.py OUTPUT.ico
import struct
import sys

# The 16 colours of the standard palette (R, G, B), indexed by one hex digit; '.' is transparent.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# A menu card with tabs on top: the first tab in front, slot rows with their keys below.
PICTURE_16 = [
    "................",
    ".DDDDD.55555....",
    "DFFFFFD5DDD5....",
    "DFFFFFD555555555",
    "D55555555555555D",
    "DFFFFFFFFFFFFFFD",
    "DF0FDDDDDDDDDDFD",
    "DFFFFFFFFFFFFFFD",
    "DF0F88888888FFFD",
    "DFFFFFFFFFFFFFFD",
    "DF0F8888888888FD",
    "DFFFFFFFFFFFFFFD",
    "DF0F888888FFFFFD",
    "DFFFFFFFFFFFFFFD",
    "DDDDDDDDDDDDDDDD",
    "................",
]

PICTURE_20 = [
    "....................",
    ".DDDDDD.555555......",
    "DFFFFFFD5DDDD5......",
    "DFFFFFFD555555555555",
    "D555555555555555555D",
    "DFFFFFFFFFFFFFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFD",
    "DF0FDDDDDDDDDDDDDFFD",
    "DFFFFFFFFFFFFFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFD",
    "DF0F8888888888FFFFFD",
    "DFFFFFFFFFFFFFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFD",
    "DF0F8888888888888FFD",
    "DFFFFFFFFFFFFFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFD",
    "DF0F88888888FFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFD",
    "DDDDDDDDDDDDDDDDDDDD",
]

PICTURE_24 = [
    "........................",
    ".DDDDDDDD.55555555......",
    "DFFFFFFFFD5DDDDDD5......",
    "DFFFFFFFFD5DDDDDD5......",
    "DFFFFFFFFD55555555555555",
    "D5555555555555555555555D",
    "DFFFFFFFFFFFFFFFFFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFFFFFD",
    "DF00FDDDDDDDDDDDDDDDFFFD",
    "DF00FDDDDDDDDDDDDDDDFFFD",
    "DFFFFFFFFFFFFFFFFFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFFFFFD",
    "DF00F888888888888FFFFFFD",
    "DF00F888888888888FFFFFFD",
    "DFFFFFFFFFFFFFFFFFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFFFFFD",
    "DF00F888888888888888FFFD",
    "DF00F888888888888888FFFD",
    "DFFFFFFFFFFFFFFFFFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFFFFFD",
    "DF00F888888888FFFFFFFFFD",
    "DF00F888888888FFFFFFFFFD",
    "DFFFFFFFFFFFFFFFFFFFFFFD",
    "DDDDDDDDDDDDDDDDDDDDDDDD",
]


def doubled(picture):
    """Every pixel as a 2 x 2 block."""
    rows = ["".join(c * 2 for c in row) for row in picture]
    return [row for row in rows for _ in range(2)]


def padded(row_bytes):
    """An image row padded to a multiple of 4 bytes."""
    return row_bytes + b"\x00" * (-len(row_bytes) % 4)


def image_bytes(picture):
    """The BITMAPINFOHEADER, palette, 4-bit colour rows and 1-bit mask rows of one image."""
    size = len(picture)
    colour_rows = b""
    mask_rows = b""
    for row in reversed(picture):  # bottom row first
        assert len(row) == size
        indices = [0 if c == "." else int(c, 16) for c in row] + [0]  # an even count
        colour_rows += padded(bytes((indices[i] << 4) | indices[i + 1]
                                    for i in range(0, size, 2)))
        mask_bytes = (size + 7) // 8
        mask = 0
        for c in row:
            mask = (mask << 1) | (1 if c == "." else 0)
        mask <<= mask_bytes * 8 - size  # the first pixel in the top bit
        mask_rows += padded(mask.to_bytes(mask_bytes, "big"))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    return header + palette + colour_rows + mask_rows


def icon_bytes():
    pictures = [PICTURE_16, PICTURE_20, PICTURE_24, doubled(PICTURE_16), doubled(PICTURE_24)]
    images = [image_bytes(picture) for picture in pictures]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for picture, image in zip(pictures, images):
        size = len(picture)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(icon_bytes())
