#!/usr/bin/env python3
"""Draws the calculator's pictures and writes them as the files the main window's layout embeds:
the low-pass and high-pass schematics (two-colour bitmaps, 244 x 149 and 244 x 150) and the
window icon (32 x 32, 16 colours, with a transparency mask). Standard library only; run it
again after changing a drawing:  python3 tools/pictures/make_pictures.py app/pictures
"""
import struct
import sys
from pathlib import Path

# A small pixel font for the labels, 5 x 7 cells ("#" = ink).
GLYPHS = {
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "+": [".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."],
    "-": [".....", ".....", ".....", "#####", ".....", ".....", "....."],
}


class Canvas:
    """A grid of palette indices with the few drawing operations the pictures need."""

    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]

    def dot(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def hline(self, x0, x1, y, colour):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.dot(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.dot(x, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def rect(self, x0, y0, x1, y1, colour, fill=None):
        if fill is not None:
            for y in range(y0, y1 + 1):
                self.hline(x0, x1, y, fill)
        self.hline(x0, x1, y0, colour)
        self.hline(x0, x1, y1, colour)
        self.vline(x0, y0, y1, colour)
        self.vline(x1, y0, y1, colour)

    def text(self, x, y, text, colour):
        for ch in text:
            for row, bits in enumerate(GLYPHS[ch]):
                for col, bit in enumerate(bits):
                    if bit == "#":
                        self.dot(x + col, y + row, colour)
            x += 6


INK, PAPER = 0, 1   # the schematics' palette: index 0 black, index 1 white


def terminal(c, x, y):
    """A connection terminal: a small open circle centred at (x, y)."""
    for dx, dy in [(-1, -2), (0, -2), (1, -2), (-1, 2), (0, 2), (1, 2),
                   (-2, -1), (-2, 0), (-2, 1), (2, -1), (2, 0), (2, 1)]:
        c.dot(x + dx, y + dy, INK)


def node(c, x, y):
    c.rect(x - 1, y - 1, x + 1, y + 1, INK, INK)


def ground(c, x, y):
    c.hline(x - 7, x + 7, y, INK)
    c.hline(x - 4, x + 4, y + 3, INK)
    c.hline(x - 1, x + 1, y + 6, INK)


def resistor_h(c, x0, x1, y):
    """A horizontal resistor body between x0 and x1, leads left to the caller."""
    c.rect(x0, y - 4, x1, y + 4, INK, PAPER)


def resistor_v(c, x, y0, y1):
    c.rect(x - 4, y0, x + 4, y1, INK, PAPER)


def capacitor_h(c, x, y):
    """Plates across a horizontal wire at x (gap of 4 pixels); clears the wire between them."""
    c.vline(x + 1, y - 1, y + 1, PAPER)
    c.vline(x + 2, y - 1, y + 1, PAPER)
    c.vline(x + 3, y - 1, y + 1, PAPER)
    c.rect(x - 1, y - 8, x, y + 8, INK, INK)
    c.rect(x + 4, y - 8, x + 5, y + 8, INK, INK)


def capacitor_v(c, x, y):
    """Plates across a vertical wire at y."""
    for yy in (y + 1, y + 2, y + 3):
        c.hline(x - 1, x + 1, yy, PAPER)
    c.rect(x - 7, y - 1, x + 7, y, INK, INK)
    c.rect(x - 7, y + 4, x + 7, y + 5, INK, INK)


def opamp(c, left, top, bottom):
    """Triangle pointing right, inputs on the left edge; returns (plus_y, minus_y, apex)."""
    mid = (top + bottom) // 2
    apex = (left + (bottom - top) * 7 // 8, mid)
    c.vline(left, top, bottom, INK)
    c.line(left, top, apex[0], apex[1], INK)
    c.line(left, bottom, apex[0], apex[1], INK)
    plus_y, minus_y = top + 11, bottom - 11
    c.text(left + 3, plus_y - 3, "+", INK)
    c.text(left + 3, minus_y - 3, "-", INK)
    return plus_y, minus_y, apex


def schematic(height, series_element, feedback, shunt_element, series_labels, feedback_label, shunt_label):
    """The unity-gain section: two series elements into the + input, the feedback element from
    the node between them to the output, the shunt element from the + input to ground, the
    output tied back to the - input."""
    c = Canvas(244, height, PAPER)
    c.rect(0, 0, 243, height - 1, INK)
    y = 72                                    # signal row
    plus_y, minus_y, apex = opamp(c, 156, y - 11, y + 33)
    y_in = plus_y
    # Input terminal and label.
    terminal(c, 14, y_in)
    c.text(8, y_in - 14, "In", INK)
    c.hline(17, 154, y_in, INK)
    # Series elements.
    j1, j2 = 82, 138                          # node between the elements, node at the + input
    series_element(c, 34, 62, y_in)
    series_element(c, 96, 124, y_in)
    c.text(44, y_in - 17, series_labels[0], INK)
    c.text(106, y_in - 17, series_labels[1], INK)
    node(c, j1, y_in)
    node(c, j2, y_in)
    # Output.
    out_x = 212
    c.hline(apex[0], 227, apex[1], INK)
    terminal(c, 230, apex[1])
    c.text(218, apex[1] - 14, "Out", INK)
    node(c, out_x, apex[1])
    # Output tied back to the - input.
    loop_y = minus_y + 14
    c.vline(out_x, apex[1], loop_y, INK)
    c.hline(149, out_x, loop_y, INK)
    c.vline(149, minus_y, loop_y, INK)
    c.hline(149, 156, minus_y, INK)
    # Feedback element from the first node over the top to the output.
    top_y = 26
    c.vline(j1, top_y, y_in, INK)
    c.hline(j1, out_x, top_y, INK)
    c.vline(out_x, top_y, apex[1], INK)
    feedback(c, 140, top_y)
    c.text(138, top_y - 18, feedback_label, INK)
    # Shunt element from the + input node to ground.
    ground_y = height - 20
    c.vline(j2, y_in, ground_y, INK)
    shunt_element(c, j2, y_in + 22, y_in + 44)
    c.text(j2 - 24, y_in + 28, shunt_label, INK)
    ground(c, j2, ground_y)
    return c


def lowpass():
    return schematic(149, resistor_h, capacitor_feedback, capacitor_shunt, ("R", "R"), "C1", "C2")


def highpass():
    return schematic(150, capacitor_series, resistor_feedback, resistor_shunt, ("C", "C"), "R1", "R2")


def capacitor_feedback(c, x, y):
    capacitor_h(c, x - 2, y)


def resistor_feedback(c, x, y):
    resistor_h(c, x - 14, x + 14, y)


def capacitor_series(c, x0, x1, y):
    capacitor_h(c, (x0 + x1) // 2 - 2, y)


def capacitor_shunt(c, x, y0, y1):
    capacitor_v(c, x, (y0 + y1) // 2 - 2)


def resistor_shunt(c, x, y0, y1):
    resistor_v(c, x, y0, y1)


def write_bmp_1bpp(path, canvas):
    """A two-colour bitmap file: palette entry 0 black, entry 1 white, rows bottom-up."""
    row_bytes = ((canvas.width + 31) // 32) * 4
    image = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray(row_bytes)
        for x in range(canvas.width):
            if canvas.pixels[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        image += row
    offset = 14 + 40 + 8
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 1, 0, len(image), 3780, 3780, 2, 2)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    Path(path).write_bytes(header + info + palette + image)


# The classic 16-colour palette (index: (r, g, b)).
PALETTE16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
             (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
             (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, OLIVE, RED, BLUE, CLEAR = 0, 3, 9, 12, None


def icon():
    c = Canvas(32, 32, CLEAR)
    # Axes with arrow heads, up and to the right.
    c.vline(3, 2, 29, BLACK)
    c.hline(3, 30, 29, BLACK)
    c.line(3, 2, 1, 5, BLACK)
    c.line(3, 2, 5, 5, BLACK)
    c.line(30, 29, 27, 27, BLACK)
    c.line(30, 29, 27, 31, BLACK)
    # Red low-pass curve: flat, then falling to the right.
    c.hline(5, 16, 9, RED)
    c.hline(5, 16, 10, RED)
    for x0, y0, x1, y1 in [(16, 9, 20, 12), (20, 12, 23, 18), (23, 18, 26, 26)]:
        c.line(x0, y0, x1, y1, RED)
        c.line(x0, y0 + 1, x1, y1 + 1, RED)
    # Blue high-pass curve: rising from the lower left, then flat.
    for x0, y0, x1, y1 in [(5, 27, 8, 20), (8, 20, 11, 16), (11, 16, 15, 14)]:
        c.line(x0, y0, x1, y1, BLUE)
        c.line(x0 + 1, y0, x1 + 1, y1, BLUE)
    c.hline(15, 28, 14, BLUE)
    c.hline(15, 28, 15, BLUE)
    # Olive digit 2 in the upper right corner.
    two = [".####.", "##..##", "....##", "...##.", "..##..", ".##...", "######"]
    for row, bits in enumerate(two):
        for col, bit in enumerate(bits):
            if bit == "#":
                c.dot(24 + col, 1 + row, OLIVE)
    return c


def write_ico_4bpp(path, canvas):
    """One 32 x 32 image, 16 colours, with its AND (transparency) mask: 766 bytes."""
    w, h = canvas.width, canvas.height
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(h)):
        row = bytearray(w // 2)
        mrow = bytearray(4)
        for x in range(w):
            p = canvas.pixels[y][x]
            if p is None:
                mrow[x // 8] |= 0x80 >> (x % 8)
                p = 0
            row[x // 2] |= (p << 4) if x % 2 == 0 else p
        xor += row
        mask += mrow
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(bytes([b, g, r, 0]) for r, g, b in PALETTE16)
    image = info + palette + xor + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 16, 0, 1, 4, len(image), 6 + 16)
    Path(path).write_bytes(header + entry + image)


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "app/pictures")
    out.mkdir(parents=True, exist_ok=True)
    write_bmp_1bpp(out / "lowpass.bmp", lowpass())
    write_bmp_1bpp(out / "highpass.bmp", highpass())
    write_ico_4bpp(out / "mainicon.ico", icon())


if __name__ == "__main__":
    main()
