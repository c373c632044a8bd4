#!/usr/bin/env python3
"""Draws the program's icon and tool-bar images as pixel art and writes them as ICO and BMP files.

Regenerate after changing a drawing (the outputs are committed, so the build needs no Python):
    python3 resources/draw_images.py
Add --preview DIR to also write enlarged PPM previews (not committed) for looking at the result.

Outputs, next to this script:
    plexor.ico            MAINICON: 16x16 and 32x32 in 16 colours, 32x32 in 256 colours
    toolbar.bmp           the four tool-bar images side by side, 64x16, 24 bpp
    toolbar_mask.bmp      their transparency mask, 64x16, 1 bpp (white = transparent)

Uses the standard library only.
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TRANSPARENT = "."

# ----------------------------------------------------------------------------------------------
# Tool-bar images, 16x16 each. One letter per pixel; "." is transparent.

TOOLBAR_COLOURS = {
    # blue device bodies
    "k": (18, 34, 92),      # outline
    "d": (28, 62, 150),     # shadow side
    "b": (44, 96, 204),     # body
    "B": (84, 140, 236),    # lit body
    "L": (160, 198, 252),   # highlight
    "W": (255, 255, 255),   # white
    # green lamp
    "g": (0, 112, 24),
    "G": (36, 204, 60),
    "H": (190, 255, 176),
    # page
    "o": (112, 116, 128),   # page edge
    "q": (218, 224, 234),   # page shade and fold
    "t": (128, 140, 160),   # text line
    # magnifying glass
    "r": (40, 42, 52),      # rim, dark
    "R": (150, 154, 166),   # rim, lit
    "c": (226, 242, 255),   # glass glint
    "C": (150, 204, 244),   # glass
    "n": (160, 96, 40),     # handle
    "h": (92, 52, 20),      # handle, dark
    # monitor
    "m": (58, 60, 70),      # outline
    "s": (196, 198, 206),   # case
    "S": (238, 238, 242),   # case, lit
    "v": (140, 142, 152),   # case, shade
    "e": (16, 44, 116),     # screen, dark
    "E": (40, 92, 178),     # screen
    "F": (96, 150, 220),    # screen, lit
    # yellow arrow
    "y": (176, 112, 0),     # outline
    "Y": (255, 204, 0),     # body
    "Z": (255, 244, 150),   # lit edge
    "O": (232, 160, 0),     # shaded edge
}


def overlay(below, above):
    """Stacks two drawings of the same size; the upper one's transparent pixels let the lower show."""
    lines = zip(below.strip("\n").split("\n"), above.strip("\n").split("\n"))
    return "\n".join("".join(b if a == TRANSPARENT else a for b, a in zip(low, high)) for low, high in lines)


# 0 Connect: a blue oval receiver with a green lamp.
CONNECT = """
................
................
................
....kkkkkkkk....
..kkLLLLLLLLkk..
.kLLWLLLLLLLLLk.
.kBLLBBBBBkkkBk.
kBBBBBBBBkHGGkbk
kBBBBBBBBkGGgkbk
kbBBBBBBBkGggkdk
.kbbbbbbbbkkkdk.
.kdbbbbbbbbbddk.
..kkddddddddkk..
....kkkkkkkk....
................
................
"""

# 1 Disconnect: a connector in two halves pulled apart, each with a white arrowhead pointing out.
DISCONNECT = """
................
................
.kkkk......kkkk.
kLLLLk....kLLLLk
kBBBBkkk..kBBBBk
kBBWBRRR...rWBBk
kBWWBkkk..kBWWBk
kWWWBk....kBWWWk
kWWWbkkk..kbWWWk
kbWWbRRR...rWWbk
kbbWbkkk..kbbWbk
kbbbbk....kbbbbk
kddddk....kddddk
.kkkk......kkkk.
................
................
"""

# 2 Tune: a magnifying glass over a page.
TUNE = """
oooooooo........
oWWWWWWoo.......
oWttttWoqo......
oWWWWWWoooo.....
oWtttttWqqo.....
oWWWWrrrrWo.....
oWttrRccCrro....
oWWrcCCCCCro....
oWtrCCCCCCro....
oWWrCCCCCCro....
oWWrrCCCCrr.....
oqqqrrrrrrnh....
ooooooo...nnh...
...........nnh..
............nnh.
.............hh.
"""

MONITOR = """
................
....mmmmmmmmmmmm
....mSSSSSSSSSsm
....mSeeeeeeeesm
....mSeEEEEFFEsm
....mSeEEEFFEEsm
....mSeEEFFEEEsm
....mSeEEEEEEEsm
....mSeEEEEEEEsm
....mSeEEEEEEEsm
....mvvvvvvvvvvm
....mmmmmmmmmmmm
........mssm....
......mSSSSSSm..
......mmmmmmmm..
................
"""

ARROW = """
................
................
................
......y.........
......yy........
yyyyyyyYy.......
yZZZZZZZYy......
yOOOOOOOOy......
yyyyyyyOy.......
......yy........
......y.........
................
................
................
................
................
"""

# 3 Export: a yellow arrow pointing into a monitor.
EXPORT = overlay(MONITOR, ARROW)

TOOLBAR = [CONNECT, DISCONNECT, TUNE, EXPORT]

# ----------------------------------------------------------------------------------------------
# The icon: a grey receiver front with a green bar display and a row of buttons.
# Each letter has its 256-colour value and the index of its colour in the 16-colour palette.

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, SILVER, GREY, LIME, WHITE = 0, 2, 7, 8, 10, 15

ICON_COLOURS = {
    "K": ((36, 36, 40), BLACK),        # outline
    "w": ((250, 250, 252), WHITE),     # lit edge
    "f": ((204, 206, 212), SILVER),    # face
    "F": ((184, 186, 194), SILVER),    # face, lower half
    "s": ((134, 136, 146), GREY),      # shaded edge
    "x": ((8, 22, 10), BLACK),         # display glass
    "u": ((22, 78, 32), DARK_GREEN),   # unlit bar
    "G": ((52, 222, 76), LIME),        # lit bar
    "H": ((176, 255, 160), LIME),      # lit bar, top
    "n": ((96, 98, 106), GREY),        # knob, dark
    "N": ((164, 166, 176), SILVER),    # knob
    "h": ((236, 238, 244), WHITE),     # knob, lit
    "B": ((70, 72, 80), GREY),         # button
    "v": ((128, 130, 140), SILVER),    # button top
}

ICON_16 = """
................
................
.KKKKKKKKKKKKKK.
KwwwwwwwwwwwwwwK
KwsssssssffKKfsK
KwsxxxxGwfKhNKsK
KwsxxGxGwfKNnKsK
KwsGxGxGwffKKfsK
KwswwwwwwfffffsK
KwffffffffffffsK
KwKKfKKfKKffffsK
KwffffffffffffsK
KssssssssssssssK
.KKKKKKKKKKKKKK.
..KK........KK..
................
"""


class Canvas:
    """A grid of palette letters, drawn on with a few primitives."""

    def __init__(self, size):
        self.size = size
        self.rows = [[TRANSPARENT] * size for _ in range(size)]

    def put(self, x, y, letter):
        self.rows[y][x] = letter

    def fill(self, x0, y0, x1, y1, letter):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.rows[y][x] = letter

    def bevel(self, x0, y0, x1, y1, top_left, bottom_right):
        """A one-pixel 3-D edge: raised with the light letter top-left, sunk with it bottom-right."""
        self.fill(x0, y0, x1, y0, top_left)
        self.fill(x0, y0, x0, y1 - 1, top_left)
        self.fill(x0, y1, x1, y1, bottom_right)
        self.fill(x1, y0 + 1, x1, y1, bottom_right)

    def text(self):
        return "\n".join("".join(row) for row in self.rows)


def draw_icon_32():
    c = Canvas(32)
    # Cabinet, rows 6 to 24, with rounded corners and a 3-D edge.
    c.fill(0, 6, 31, 24, "K")
    c.fill(1, 7, 30, 23, "f")
    c.fill(1, 16, 30, 23, "F")
    c.bevel(1, 7, 30, 23, "w", "s")
    for x, y in [(0, 6), (31, 6), (0, 24), (31, 24)]:
        c.put(x, y, TRANSPARENT)
    # Feet.
    c.fill(3, 25, 6, 26, "K")
    c.fill(25, 25, 28, 26, "K")
    # Display, sunk into the face.
    c.bevel(3, 9, 19, 17, "s", "w")
    c.fill(4, 10, 18, 16, "x")
    # Five rising bars, the last one unlit.
    for i in range(5):
        left = 5 + 3 * i
        top = 15 - i
        lit = i < 4
        c.fill(left, top, left + 1, 15, "G" if lit else "u")
        if lit:
            c.fill(left, top, left + 1, top, "H")
    # Tuning knob: shaded disc lit from the upper left, with a marker.
    knob = [
        "..KKKKK..",
        ".KhhNNNK.",
        "KhhNNNNnK",
        "KhNNNNNnK",
        "KNNNNNnnK",
        "KNNNNnnnK",
        "KNNNnnnnK",
        ".KnnnnnK.",
        "..KKKKK..",
    ]
    for dy, line in enumerate(knob):
        for dx, letter in enumerate(line):
            if letter != TRANSPARENT:
                c.put(21 + dx, 9 + dy, letter)
    c.fill(25, 10, 25, 11, "K")
    # A row of buttons below the display.
    for i in range(5):
        left = 4 + 4 * i
        c.fill(left, 19, left + 2, 19, "v")
        c.fill(left, 20, left + 2, 21, "B")
        c.fill(left, 21, left + 2, 21, "K")
    return c.text()


# ----------------------------------------------------------------------------------------------
# Helpers


def parse(art, size):
    rows = [line for line in art.strip("\n").split("\n")]
    assert len(rows) == size, f"{len(rows)} rows, expected {size}"
    for y, row in enumerate(rows):
        assert len(row) == size, f"row {y} is {len(row)} wide: {row!r}"
    return rows


def check_letters(rows, colours):
    for row in rows:
        for letter in row:
            assert letter == TRANSPARENT or letter in colours, f"unknown letter {letter!r}"


def mask_row_bytes(width):
    """A 1 bpp row padded to 32 bits."""
    return ((width + 31) // 32) * 4


def pack_bits(bits, bpp):
    """Packs pixel values (most significant bits first) into bytes, padding each row to 32 bits."""
    data = bytearray()
    acc, count = 0, 0
    per_byte = 8 // bpp
    for value in bits:
        acc = (acc << bpp) | value
        count += 1
        if count == per_byte:
            data.append(acc)
            acc, count = 0, 0
    if count:
        data.append(acc << (bpp * (per_byte - count)))
    while len(data) % 4:
        data.append(0)
    return bytes(data)


def bitmap_info_header(width, height, bpp, image_size, colours_used=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size, 0, 0, colours_used, 0)


def bmp_file(width, height, bpp, palette, pixel_data):
    header = bitmap_info_header(width, height, bpp, len(pixel_data), len(palette))
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + len(header) + len(colour_table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_data), 0, 0, offset)
    return file_header + header + colour_table + pixel_data


# ----------------------------------------------------------------------------------------------
# Tool-bar strip


def toolbar_pixels():
    """The strip as rows of RGB values, None where transparent."""
    images = [parse(art, 16) for art in TOOLBAR]
    for rows in images:
        check_letters(rows, TOOLBAR_COLOURS)
    strip = []
    for y in range(16):
        row = []
        for rows in images:
            row.extend(None if ch == TRANSPARENT else TOOLBAR_COLOURS[ch] for ch in rows[y])
        strip.append(row)
    return strip


def write_toolbar(strip):
    width, height = len(strip[0]), len(strip)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(strip):  # BMP rows run bottom-up
        line = bytearray()
        for pixel in row:
            # Transparent pixels are black: the image list paints the image over the masked
            # background, and black leaves that background untouched.
            r, g, b = pixel if pixel else (0, 0, 0)
            line += bytes((b, g, r))
        while len(line) % 4:
            line.append(0)
        colour += line
        mask += pack_bits([1 if pixel is None else 0 for pixel in row], 1)
    with open(os.path.join(HERE, "toolbar.bmp"), "wb") as f:
        f.write(bmp_file(width, height, 24, [], bytes(colour)))
    with open(os.path.join(HERE, "toolbar_mask.bmp"), "wb") as f:
        f.write(bmp_file(width, height, 1, [(0, 0, 0), (255, 255, 255)], bytes(mask)))


# ----------------------------------------------------------------------------------------------
# Icon


def icon_image(rows, bpp, palette, index_of):
    """One icon image: header with doubled height, colour table, colour bits, AND mask."""
    size = len(rows)
    colour_bits = bytearray()
    and_bits = bytearray()
    for row in reversed(rows):
        colour_bits += pack_bits([0 if ch == TRANSPARENT else index_of(ch) for ch in row], bpp)
        and_bits += pack_bits([1 if ch == TRANSPARENT else 0 for ch in row], 1)
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    header = bitmap_info_header(size, size * 2, bpp, len(colour_bits) + len(and_bits))
    return header + colour_table + bytes(colour_bits) + bytes(and_bits)


def icon_palette_256(drawings):
    """Black first (transparent pixels use index 0), then every colour the drawings use."""
    palette = [(0, 0, 0)]
    for rows in drawings:
        for row in rows:
            for ch in row:
                if ch != TRANSPARENT and ICON_COLOURS[ch][0] not in palette:
                    palette.append(ICON_COLOURS[ch][0])
    assert len(palette) <= 256
    return palette + [(0, 0, 0)] * (256 - len(palette))


def write_icon(small, large):
    palette_256 = icon_palette_256([large])
    images = [
        (16, 4, icon_image(small, 4, VGA, lambda ch: ICON_COLOURS[ch][1])),
        (32, 4, icon_image(large, 4, VGA, lambda ch: ICON_COLOURS[ch][1])),
        (32, 8, icon_image(large, 8, palette_256, lambda ch: palette_256.index(ICON_COLOURS[ch][0]))),
    ]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b"", b""
    for size, bpp, image in images:
        colour_count = 16 if bpp == 4 else 0  # 0 means 256 or more
        entries += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bpp, len(image), offset)
        data += image
        offset += len(image)
    with open(os.path.join(HERE, "plexor.ico"), "wb") as f:
        f.write(directory + entries + data)


# ----------------------------------------------------------------------------------------------
# Previews: enlarged PPM files, over a light and a dark background


def write_preview(path, rows_rgb, scale=12, backgrounds=((236, 233, 216), (255, 255, 255), (64, 64, 64))):
    height, width = len(rows_rgb), len(rows_rgb[0])
    out = bytearray()
    for bg in backgrounds:
        for y in range(height):
            line = bytearray()
            for pixel in rows_rgb[y]:
                line += bytes(pixel if pixel else bg) * scale
            out += bytes(line) * scale
    with open(path, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (width * scale, height * scale * len(backgrounds)) + bytes(out))


def icon_rgb(rows, vga):
    return [[None if ch == TRANSPARENT else (VGA[ICON_COLOURS[ch][1]] if vga else ICON_COLOURS[ch][0])
             for ch in row] for row in rows]


def main(argv):
    strip = toolbar_pixels()
    write_toolbar(strip)
    small = parse(ICON_16, 16)
    large = parse(draw_icon_32(), 32)
    check_letters(small, ICON_COLOURS)
    check_letters(large, ICON_COLOURS)
    write_icon(small, large)
    if len(argv) == 3 and argv[1] == "--preview":
        out = argv[2]
        os.makedirs(out, exist_ok=True)
        write_preview(os.path.join(out, "toolbar.ppm"), strip)
        write_preview(os.path.join(out, "icon16.ppm"), icon_rgb(small, True))
        write_preview(os.path.join(out, "icon32_16.ppm"), icon_rgb(large, True), scale=8)
        write_preview(os.path.join(out, "icon32_256.ppm"), icon_rgb(large, False), scale=8)
    elif len(argv) != 1:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
