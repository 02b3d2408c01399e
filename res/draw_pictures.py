#!/usr/bin/env python3
"""Draws Vellix's icons and toolbar bitmap and writes them beside this script.

Each picture is a 16 by 16 grid of characters; the legend maps a character to a colour,
and '.' is the background (transparent in icons, button grey in the toolbar bitmap).
Run it after changing a picture and commit the files it writes:

    python3 res/draw_pictures.py
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

LEGEND = {
    "K": (32, 32, 40),     # outline
    "B": (40, 96, 200),    # handset blue
    "L": (120, 170, 240),  # highlight
    "W": (250, 250, 250),  # white
    "G": (40, 170, 60),    # check green
    "D": (20, 110, 35),    # dark green
    "R": (220, 40, 40),    # cross red
    "M": (150, 20, 20),    # dark red
    "Y": (200, 150, 90),   # wall
    "O": (170, 60, 30),    # roof
    "S": (110, 110, 120),  # grey body
    "C": (90, 200, 230),   # screen
}
BUTTON_GREY = (192, 192, 192)  # the toolbar maps this colour to the button face

HANDSET = """
................
.KKKK...........
KBLLBK..........
KBBLBK..........
KBBBBK..........
.KBBK...........
.KBBK...........
.KBBBK..........
..KBBBK.........
...KBBBK....KK..
....KBBBKKKKBBK.
.....KBBBBBLLBBK
......KBBBBBBBBK
.......KKBBBBKK.
.........KKKK...
................
"""

DESK_PHONE = """
................
................
..KKKKKKKKKKKK..
.KBBBBBBBBBBBBK.
.KBKKKKKKKKKKBK.
.KKK..KKKK..KKK.
.....KBBBBK.....
....KBWKWKBK....
...KBBBBBBBBK...
...KBWKWKWKBK...
..KBBBBBBBBBBK..
..KBWKWKWKWKBK..
..KBBBBBBBBBBK..
..KKKKKKKKKKKK..
................
................
"""

HOUSE = """
................
.......KK.......
......KOOK......
.....KOOOOK.....
....KOOOOOOK....
...KOOOOOOOOK...
..KOOOOOOOOOOK..
.KKKKKKKKKKKKKK.
..KYYYYYYYYYYK..
..KYCCYYYYKKYK..
..KYCCYYYYKSYK..
..KYYYYYYYKSYK..
..KYYYYYYYKSYK..
..KYYYYYYYKSYK..
..KKKKKKKKKKKK..
................
"""

MOBILE = """
.....K..........
.....K..........
.....KKKKKKK....
....KSSSSSSSK...
....KSCCCCCSK...
....KSCCCCCSK...
....KSCCCCCSK...
....KSCCCCCSK...
....KSSSSSSSK...
....KSWSWSWSK...
....KSSSSSSSK...
....KSWSWSWSK...
....KSSSSSSSK...
....KSWSWSWSK...
....KSSSSSSSK...
.....KKKKKKK....
"""

CHECK = """
................
................
.............DD.
............DGD.
...........DGGD.
..........DGGD..
.DD......DGGD...
DGGD....DGGD....
DGGGD..DGGD.....
.DGGGDDGGD......
..DGGGGGGD......
...DGGGGD.......
....DGGD........
.....DD.........
................
................
"""

CROSS = """
................
.MM.........MM..
MRRM.......MRRM.
MRRRM.....MRRRM.
.MRRRM...MRRRM..
..MRRRM.MRRRM...
...MRRRMRRRM....
....MRRRRRM.....
....MRRRRRM.....
...MRRRMRRRM....
..MRRRM.MRRRM...
.MRRRM...MRRRM..
MRRRM.....MRRRM.
MRRM.......MRRM.
.MM.........MM..
................
"""


def grid(picture):
    rows = [row for row in picture.strip("\n").split("\n")]
    assert len(rows) == 16 and all(len(row) == 16 for row in rows), picture
    return rows


def row_bytes(bits_per_pixel, width):
    return (bits_per_pixel * width + 31) // 32 * 4


def info_header(width, height, bits, colours_used):
    image_size = row_bytes(bits, width) * height
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0,
                       colours_used, 0)


def palette_of(rows_list, background):
    colours = [background]
    for rows in rows_list:
        for row in rows:
            for ch in row:
                colour = background if ch == "." else LEGEND[ch]
                if colour not in colours:
                    colours.append(colour)
    assert len(colours) <= 256
    return colours + [(0, 0, 0)] * (256 - len(colours))


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)


def and_mask(rows):
    data = b""
    for row in reversed(rows):
        bits = 0
        for x, ch in enumerate(row):
            if ch == ".":
                bits |= 1 << (15 - x)
        data += struct.pack(">H", bits) + b"\0\0"
    return data


def icon_file(image):
    directory = struct.pack("<HHH", 0, 1, 1)
    bits = 32 if len(image) == 40 + 16 * 16 * 4 + 64 else 8
    entry = struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, bits, len(image), 6 + 16)
    return directory + entry + image


def icon_32bpp(picture):
    rows = grid(picture)
    pixels = b""
    for row in reversed(rows):
        for ch in row:
            if ch == ".":
                pixels += b"\0\0\0\0"
            else:
                r, g, b = LEGEND[ch]
                pixels += struct.pack("<BBBB", b, g, r, 255)
    return icon_file(info_header(16, 32, 32, 0) + pixels + and_mask(rows))


def icon_8bpp(picture):
    rows = grid(picture)
    palette = palette_of([rows], (0, 0, 0))
    pixels = b""
    for row in reversed(rows):
        for ch in row:
            pixels += bytes([0 if ch == "." else palette.index(LEGEND[ch])])
    image = info_header(16, 32, 8, 256) + palette_bytes(palette) + pixels + and_mask(rows)
    return icon_file(image)


def strip_bitmap(pictures):
    grids = [grid(picture) for picture in pictures]
    palette = palette_of(grids, BUTTON_GREY)
    width = 16 * len(grids)
    pixels = b""
    for y in reversed(range(16)):
        for rows in grids:
            for ch in rows[y]:
                colour = BUTTON_GREY if ch == "." else LEGEND[ch]
                pixels += bytes([palette.index(colour)])
    info = info_header(width, 16, 8, 256) + palette_bytes(palette)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + pixels


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(data)


def main():
    write("phone.ico", icon_32bpp(HANDSET))
    write("phone_small.ico", icon_32bpp(HANDSET))
    write("cross.ico", icon_8bpp(CROSS))
    write("check.ico", icon_8bpp(CHECK))
    # Image i stands for number kind i: general, home, cell.
    write("kinds.bmp", strip_bitmap([DESK_PHONE, HOUSE, MOBILE]))


if __name__ == "__main__":
    main()
