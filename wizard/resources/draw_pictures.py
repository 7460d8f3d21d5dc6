#!/usr/bin/env python3
"""Draws the uninstaller's pictures: a printer with a PDF document coming out of it.

    python3 wizard/resources/draw_pictures.py [output-dir]

Writes logo.bmp (157 x 73, 256-colour palette) and program.ico (one 32 x 32 image, 24 bits per pixel) beside this
script unless told otherwise. Plain Python: the pixels are set by hand and the file headers packed with struct, so
anyone can draw them again without an imaging library. The generated files are kept in the repository, so that a
build never needs this script.
"""
import os
import struct
import sys

WHITE = (255, 255, 255)
PAPER = (250, 250, 246)
PAPER_SHADE = (214, 214, 206)
INK = (150, 150, 160)
PDF_RED = (196, 32, 36)
BODY_LIGHT = (176, 184, 196)
BODY = (120, 130, 146)
BODY_DARK = (66, 74, 88)
OUTLINE = (36, 40, 48)
SLOT = (24, 26, 30)
LED = (40, 200, 80)
DIALOG_FACE = (236, 233, 216)


class Canvas:
    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.background = background
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Fills the half-open rectangle [left, right) x [top, bottom)."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right):
            self.put(x, top, colour)
            self.put(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.put(left, y, colour)
            self.put(right - 1, y, colour)

    def vertical_gradient(self, left, top, right, bottom, start, end):
        span = max(bottom - top - 1, 1)
        for y in range(top, bottom):
            t = (y - top) / span
            colour = tuple(round(a + (b - a) * t) for a, b in zip(start, end))
            for x in range(left, right):
                self.put(x, y, colour)

    def text(self, x, y, word, colour, scale=1):
        for glyph in word:
            rows = GLYPHS[glyph]
            for row, bits in enumerate(rows):
                for column, bit in enumerate(bits):
                    if bit == "#":
                        self.fill(x + column * scale, y + row * scale, x + (column + 1) * scale,
                                  y + (row + 1) * scale, colour)
            x += (len(rows[0]) + 1) * scale


# Just the letters the pictures need, 4 x 5 pixels each.
GLYPHS = {
    "P": ["###.", "#..#", "###.", "#...", "#..."],
    "D": ["###.", "#..#", "#..#", "#..#", "###."],
    "F": ["####", "#...", "###.", "#...", "#..."],
}


def draw_document(canvas, left, top, right, bottom, fold, label_scale):
    """A page with a folded top-right corner, lines of text and a red PDF band."""
    canvas.fill(left, top, right, bottom, PAPER)
    for i in range(fold):  # the folded corner: cut away above the diagonal, shaded below it
        for x in range(right - fold + i, right):
            canvas.put(x, top + i, canvas.background)
        for x in range(right - fold, right - fold + i + 1):
            canvas.put(x, top + i, PAPER_SHADE)
    for y in range(top, bottom):
        for x in range(left, right):
            if canvas.pixels[y][x] == canvas.background:
                continue
            on_edge = x in (left, right - 1) or y in (top, bottom - 1)
            on_fold = x - (right - fold) == y - top and x >= right - fold
            if on_edge or on_fold:
                canvas.put(x, y, OUTLINE)
    band_top = top + fold + 2
    band_height = 5 * label_scale + 4
    canvas.fill(left + 2, band_top, right - 2, band_top + band_height, PDF_RED)
    canvas.text(left + 4, band_top + 2, "PDF", WHITE, label_scale)
    y = band_top + band_height + 3
    while y < bottom - 3:
        canvas.fill(left + 3, y, right - 3 - (y % 3) * 2, y + 1, INK)
        y += 3


def draw_printer(canvas, left, top, right, bottom):
    """A desktop printer seen from the front: lid, body with paper slot and lamp, output tray."""
    height = bottom - top
    lid = top + height // 4
    canvas.vertical_gradient(left + 3, top, right - 3, lid, BODY_LIGHT, BODY)
    canvas.frame(left + 3, top, right - 3, lid + 1, OUTLINE)
    canvas.vertical_gradient(left, lid, right, bottom - 2, BODY, BODY_DARK)
    canvas.frame(left, lid, right, bottom - 2, OUTLINE)
    slot = lid + (bottom - lid) // 3
    canvas.fill(left + 4, slot, right - 4, slot + max(2, height // 12), SLOT)
    canvas.fill(right - 8, bottom - 7, right - 5, bottom - 5, LED)
    canvas.fill(left + 2, bottom - 2, right - 2, bottom, OUTLINE)


def draw_logo():
    canvas = Canvas(157, 73, DIALOG_FACE)
    # The document stands in the printer's input and comes out over its lid.
    draw_printer(canvas, 22, 34, 136, 71)
    draw_document(canvas, 52, 3, 106, 44, 10, 2)
    canvas.fill(26, 45, 132, 47, SLOT)  # the slot the page feeds into, drawn over the page's foot
    return canvas


def draw_icon():
    canvas = Canvas(32, 32, None)
    draw_printer(canvas, 1, 15, 31, 31)
    draw_document(canvas, 6, 1, 27, 20, 4, 1)
    canvas.fill(3, 20, 29, 21, SLOT)
    return canvas


def bmp_rows(canvas, row_bytes):
    """Rows bottom-up, each padded to a multiple of four bytes, as DIBs keep them."""
    for y in range(canvas.height - 1, -1, -1):
        row = row_bytes(canvas.pixels[y])
        yield row + b"\0" * (-len(row) % 4)


def palette_bmp(canvas):
    colours = sorted({c for row in canvas.pixels for c in row})
    assert len(colours) <= 256, "the logo must fit a 256-colour palette"
    colours += [(0, 0, 0)] * (256 - len(colours))
    index = {c: i for i, c in enumerate(colours)}
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    pixels = b"".join(bmp_rows(canvas, lambda row: bytes(index[c] for c in row)))
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def icon_file(canvas, transparent_fill):
    """An ICO file with one 24-bit image: the colour rows, then the 1-bit mask rows (set = transparent)."""
    def colour_row(row):
        return b"".join(struct.pack("<BBB", *reversed(c if c is not None else transparent_fill)) for c in row)

    def mask_row(row):
        bits = 0
        for x, c in enumerate(row):
            if c is None:
                bits |= 0x80000000 >> x
        return struct.pack(">I", bits)

    xor = b"".join(bmp_rows(canvas, colour_row))
    mask = b"".join(bmp_rows(canvas, mask_row))
    # The image's header counts the colour and mask halves together, hence twice the height.
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", canvas.width, canvas.height, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(out, "logo.bmp"), "wb") as f:
        f.write(palette_bmp(draw_logo()))
    with open(os.path.join(out, "program.ico"), "wb") as f:
        f.write(icon_file(draw_icon(), (0, 0, 0)))


if __name__ == "__main__":
    main()
