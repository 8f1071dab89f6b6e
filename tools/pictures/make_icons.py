#!/usr/bin/env python3
"""Draws the program's desktop icon in the sizes a desktop's icon theme looks for:

  hicolor/32x32/apps/filter2.png     the window icon's own pixels (the 16-colour drawing)
  hicolor/48x48/apps/filter2.png     the same picture redrawn as smooth strokes,
  hicolor/128x128/apps/filter2.png   at each size, with anti-aliased edges
  hicolor/256x256/apps/filter2.png
  hicolor/scalable/apps/filter2.svg  the strokes themselves

The stroked picture follows the window icon closely: black axes with arrow heads, the red
low-pass curve (flat, then falling), the blue high-pass curve (rising, then flat) and an olive
digit 2 in the upper right corner, on a transparent background. Its coordinates are those of
the 32 x 32 drawing, so that every size shows the same picture.

Standard library only. Run it again after changing a drawing:
    python3 tools/pictures/make_icons.py data/icons
and check that the files in a folder are what the script draws (exit status 1 if not):
    python3 tools/pictures/make_icons.py --check data/icons
"""
import math
import struct
import sys
import zlib
from pathlib import Path

# Imported beside this file; no byte-code cache is left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))
from make_pictures import PALETTE16, icon  # noqa: E402  (the 32 x 32 drawing)

NAME = "filter2"
RASTER_SIZES = (48, 128, 256)

BLACK = (0, 0, 0)
RED = (255, 0, 0)
BLUE = (0, 0, 255)
OLIVE = (128, 128, 0)

# Strokes in the 32 x 32 grid, painted in this order: (colour, width, points). A pixel (x, y)
# of the window icon covers [x, x+1) x [y, y+1), so its centre is (x + 0.5, y + 0.5); the
# curves are two pixels thick there, so their centre lines sit on whole numbers.
STROKES = [
    # Axes, up and to the right, with their arrow heads.
    (BLACK, 1.25, [(3.5, 2.5), (3.5, 29.5), (30.5, 29.5)]),
    (BLACK, 1.25, [(1.5, 5.5), (3.5, 2.5), (5.5, 5.5)]),
    (BLACK, 1.25, [(27.5, 27.5), (30.5, 29.5), (27.5, 31.0)]),
    # Red low-pass curve: flat, then falling to the right.
    (RED, 2.0, [(5.5, 10.0), (16.5, 10.0), (20.5, 13.0), (23.5, 19.0), (26.5, 27.0)]),
    # Blue high-pass curve: rising from the lower left, then flat.
    (BLUE, 2.0, [(6.0, 27.5), (9.0, 20.5), (12.0, 16.5), (16.0, 15.0), (29.0, 15.0)]),
    # Olive digit 2 in the upper right corner.
    (OLIVE, 1.5, [(25.3, 3.0), (25.9, 2.0), (27.0, 1.6), (28.1, 2.0), (28.8, 3.0), (28.5, 4.3),
                  (25.0, 7.4), (29.6, 7.4)]),
]


def segment_distance(px, py, ax, ay, bx, by):
    """Distance from the point to the segment a-b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def render(size):
    """Paints the strokes at size x size pixels; returns rows of (r, g, b, a) floats in [0, 1].

    A pixel's coverage by a stroke is its centre's distance to the stroke's centre line,
    turned into a one-pixel ramp across the edge. Each stroke takes the largest coverage of
    its segments (so joints are not painted twice) and is then laid over what is below."""
    scale = size / 32.0
    image = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    for colour, width, points in STROKES:
        half = width * scale / 2
        cover = {}
        pts = [(x * scale, y * scale) for x, y in points]
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            x0 = max(0, int(math.floor(min(ax, bx) - half - 1)))
            x1 = min(size - 1, int(math.ceil(max(ax, bx) + half + 1)))
            y0 = max(0, int(math.floor(min(ay, by) - half - 1)))
            y1 = min(size - 1, int(math.ceil(max(ay, by) + half + 1)))
            for y in range(y0, y1 + 1):
                for x in range(x0, x1 + 1):
                    d = segment_distance(x + 0.5, y + 0.5, ax, ay, bx, by)
                    c = max(0.0, min(1.0, half - d + 0.5))
                    if c > cover.get((x, y), 0.0):
                        cover[(x, y)] = c
        r, g, b = (v / 255.0 for v in colour)
        for (x, y), a in cover.items():
            dr, dg, db, da = image[y][x]
            out = a + da * (1 - a)
            image[y][x] = ((r * a + dr * da * (1 - a)) / out, (g * a + dg * da * (1 - a)) / out,
                           (b * a + db * da * (1 - a)) / out, out)
    return [[tuple(int(round(v * 255)) for v in pixel) for pixel in row] for row in image]


def window_icon_rgba():
    """The window icon's own pixels; its transparent pixels become alpha 0."""
    canvas = icon()
    return [[(0, 0, 0, 0) if p is None else PALETTE16[p] + (255,) for p in row]
            for row in canvas.pixels]


def png(rows):
    """An 8-bit RGBA PNG file (no filtering: the pictures are tiny)."""
    height, width = len(rows), len(rows[0])

    def chunk(kind, data):
        crc = struct.pack(">I", zlib.crc32(kind + data))
        return struct.pack(">I", len(data)) + kind + data + crc

    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def svg():
    """The strokes as a scalable picture in the same 32 x 32 coordinates."""
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">',
             '  <g fill="none" stroke-linecap="round" stroke-linejoin="round">']
    for colour, width, points in STROKES:
        coords = " ".join(f"{x:g},{y:g}" for x, y in points)
        lines.append(f'    <polyline stroke="#{colour[0]:02x}{colour[1]:02x}{colour[2]:02x}" '
                     f'stroke-width="{width:g}" points="{coords}"/>')
    lines += ["  </g>", "</svg>", ""]
    return "\n".join(lines).encode("utf-8")


def outputs():
    """Relative file name -> file contents, for every icon file."""
    files = {f"hicolor/32x32/apps/{NAME}.png": png(window_icon_rgba())}
    for size in RASTER_SIZES:
        files[f"hicolor/{size}x{size}/apps/{NAME}.png"] = png(render(size))
    files[f"hicolor/scalable/apps/{NAME}.svg"] = svg()
    return files


def png_pixels(data):
    """Size and pixel bytes of a PNG file as this script writes it, or None if it is not one.
    Compares pictures without depending on the compressor's exact output."""
    if not data.startswith(b"\x89PNG\r\n\x1a\n"):
        return None
    pos, header, idat = 8, None, b""
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    try:
        return header, zlib.decompress(idat)
    except zlib.error:
        return None


def check(folder):
    """Lists the files in the folder that are missing or differ from the drawing."""
    stale = []
    for name, expected in outputs().items():
        path = folder / name
        if not path.is_file():
            stale.append(f"{name}: missing")
            continue
        actual = path.read_bytes()
        same = (png_pixels(actual) == png_pixels(expected) if name.endswith(".png")
                else actual == expected)
        if not same:
            stale.append(f"{name}: differs from the drawing")
    return stale


def main(argv):
    if len(argv) == 3 and argv[1] == "--check":
        stale = check(Path(argv[2]))
        for line in stale:
            print(line, file=sys.stderr)
        if stale:
            print("run: python3 tools/pictures/make_icons.py " + argv[2], file=sys.stderr)
        return 1 if stale else 0
    if len(argv) > 2 or (len(argv) == 2 and argv[1].startswith("-")):
        print("usage: make_icons.py [FOLDER] | --check FOLDER", file=sys.stderr)
        return 2
    out = Path(argv[1] if len(argv) == 2 else "data/icons")
    for name, data in outputs().items():
        path = out / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
