#!/usr/bin/env python3
# Writes Tabvane.ico, the program's 16 x 16, 16-colour icon, from the picture below.
# The build runs it: python3 make_icon.py OUTPUT.ico
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
PICTURE = [
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


def icon_bytes():
    size = 16
    # Pixel rows, bottom row first, two pixels per byte (4 bits each).
    colour_rows = b""
    mask_rows = b""
    for row in reversed(PICTURE):
        assert len(row) == size
        indices = [0 if c == "." else int(c, 16) for c in row]
        colour_rows += bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
        mask = 0
        for c in row:
            mask = (mask << 1) | (1 if c == "." else 0)
        mask_rows += struct.pack(">H", mask) + b"\x00\x00"  # rows padded to 4 bytes
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    image = header + palette + colour_rows + mask_rows
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(icon_bytes())
