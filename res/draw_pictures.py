#!/usr/bin/env python3
"""Draws Vellix's icons and writes them beside this script.

Each picture is a 16 by 16 grid of characters; the legend maps a character to a colour,
and '.' is transparent. Every icon holds the picture at 16, 24, 32 and 48 pixels, so that each
display scale finds its size instead of a stretched one: 32 and 48 are the grid enlarged with
Scale2x and Scale3x (which round the diagonals instead of showing stairs), 24 is the 48 halved.
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


def scale2x(rows):
    size = len(rows)
    at = lambda x, y: rows[y][x] if 0 <= x < size and 0 <= y < size else "."
    out = [[None] * (2 * size) for _ in range(2 * size)]
    for y in range(size):
        for x in range(size):
            e, a, b, c, d = at(x, y), at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            out[2 * y][2 * x] = a if c == a and c != d and a != b else e
            out[2 * y][2 * x + 1] = b if a == b and a != c and b != d else e
            out[2 * y + 1][2 * x] = c if d == c and d != b and c != a else e
            out[2 * y + 1][2 * x + 1] = d if b == d and b != a and d != c else e
    return ["".join(row) for row in out]


def scale3x(rows):
    size = len(rows)
    at = lambda x, y: rows[y][x] if 0 <= x < size and 0 <= y < size else "."
    out = [[None] * (3 * size) for _ in range(3 * size)]
    for y in range(size):
        for x in range(size):
            a, b, c = at(x - 1, y - 1), at(x, y - 1), at(x + 1, y - 1)
            d, e, f = at(x - 1, y), at(x, y), at(x + 1, y)
            g, h, i = at(x - 1, y + 1), at(x, y + 1), at(x + 1, y + 1)
            cells = [
                d if d == b and b != f and d != h else e,
                b if (d == b and b != f and d != h and e != c) or
                     (b == f and b != d and f != h and e != a) else e,
                f if b == f and b != d and f != h else e,
                d if (d == b and b != f and d != h and e != g) or
                     (d == h and d != b and h != f and e != a) else e,
                e,
                f if (b == f and b != d and f != h and e != i) or
                     (h == f and d != h and b != f and e != c) else e,
                d if d == h and d != b and h != f else e,
                h if (d == h and d != b and h != f and e != i) or
                     (h == f and d != h and b != f and e != g) else e,
                f if h == f and d != h and b != f else e,
            ]
            for k, cell in enumerate(cells):
                out[3 * y + k // 3][3 * x + k % 3] = cell
    return ["".join(row) for row in out]


def pixels_of(rows):
    """Rows of (r, g, b, a), top row first."""
    return [[(0, 0, 0, 0) if ch == "." else LEGEND[ch] + (255,) for ch in row] for row in rows]


def halved(pixels):
    """Each 2 by 2 block averaged, weighted by its opacity."""
    out = []
    for y in range(0, len(pixels), 2):
        row = []
        for x in range(0, len(pixels), 2):
            block = [pixels[y + j][x + i] for j in (0, 1) for i in (0, 1)]
            alpha = sum(p[3] for p in block)
            if alpha == 0:
                row.append((0, 0, 0, 0))
                continue
            colour = tuple((sum(p[c] * p[3] for p in block) + alpha // 2) // alpha
                           for c in range(3))
            row.append(colour + ((alpha + 2) // 4,))
        out.append(row)
    return out


def sizes_of(picture):
    rows = grid(picture)
    large = scale3x(rows)
    return [pixels_of(rows), halved(pixels_of(large)), pixels_of(scale2x(rows)),
            pixels_of(large)]


def icon_image(pixels):
    size = len(pixels)
    mask_row = (size + 31) // 32 * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         size * size * 4 + mask_row * size, 0, 0, 0, 0)
    colour = b"".join(struct.pack("<BBBB", b, g, r, a)
                      for row in reversed(pixels) for (r, g, b, a) in row)
    mask = b""
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def icon_file(picture):
    images = [icon_image(pixels) for pixels in sizes_of(picture)]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, pixels in zip(images, sizes_of(picture)):
        size = len(pixels)
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return data + b"".join(images)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(data)


def main():
    write("phone.ico", icon_file(HANDSET))
    write("cross.ico", icon_file(CROSS))
    write("check.ico", icon_file(CHECK))
    # The number kinds: general, home, cell.
    write("kind_general.ico", icon_file(DESK_PHONE))
    write("kind_home.ico", icon_file(HOUSE))
    write("kind_cell.ico", icon_file(MOBILE))


if __name__ == "__main__":
    main()
