#!/usr/bin/env python3
"""Writes the hand-made seed inputs of the image fuzz targets (bmp_decoder, ico_decoder,
graphic_streams): small bitmap and icon files of every depth and header kind the decoders
accept, so that fuzzing starts from valid files instead of finding the headers by chance.
Run from anywhere; the files go to tests/fuzz/corpus/<target>/seed-*."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "..", "corpus")
DATA = os.path.join(HERE, "..", "..", "tools", "data")
PICTURES = os.path.join(HERE, "..", "..", "..", "app", "pictures")


def row_bytes(width, bits):
    return ((width * bits + 31) // 32) * 4


def info_header(width, height, bits, compression=0, image_size=0, colors_used=0, size=40):
    header = struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, image_size,
                         2835, 2835, colors_used, 0)
    return header + bytes(size - 40)


def bmp(header, palette, pixels, extra=b""):
    offset = 14 + len(header) + len(extra) + len(palette)
    body = header + extra + palette + pixels
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body


def palette(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)


def rows(width, height, bits, value):
    out = b""
    for y in range(height):
        bitsrow = 0
        nbits = 0
        row = b""
        for x in range(width):
            bitsrow = (bitsrow << bits) | value(x, y)
            nbits += bits
            while nbits >= 8:
                nbits -= 8
                row += bytes([(bitsrow >> nbits) & 0xFF])
        if nbits:
            row += bytes([(bitsrow << (8 - nbits)) & 0xFF])
        out += row + bytes(row_bytes(width, bits) - len(row))
    return out


def bitmaps():
    grey = [(i * 17, i * 17, 255 - i * 17) for i in range(16)]
    yield "1bit", bmp(info_header(5, 3, 1), palette([(0, 0, 0), (255, 255, 255)]),
                      rows(5, 3, 1, lambda x, y: (x + y) % 2))
    yield "4bit", bmp(info_header(3, 2, 4), palette(grey), rows(3, 2, 4, lambda x, y: x * 5 + y))
    yield "8bit-2colours", bmp(info_header(2, 2, 8, colors_used=2), palette([(255, 0, 0), (0, 0, 255)]),
                               rows(2, 2, 8, lambda x, y: (x ^ y) & 1))
    yield "24bit-topdown", bmp(info_header(2, -2, 24), b"",
                               rows(2, 2, 24, lambda x, y: 0x123456 * (x + 1) + y))
    yield "32bit", bmp(info_header(2, 2, 32), b"", rows(2, 2, 32, lambda x, y: 0x80102030 + x + y))
    masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    yield "16bit-bitfields", bmp(info_header(2, 2, 16, compression=3), b"",
                                 rows(2, 2, 16, lambda x, y: 0xF800 >> (x + y)), extra=masks)
    core = struct.pack("<IHHHH", 12, 2, 1, 1, 24)
    yield "core-24bit", bmp(core, b"", rows(2, 1, 24, lambda x, y: 0xFF00FF))
    rle8 = bytes([2, 1, 1, 0, 0, 0, 3, 1, 0, 1, 0, 1])
    yield "rle8", bmp(info_header(3, 2, 8, compression=1, image_size=len(rle8)),
                      palette([(0, 0, 0), (255, 255, 0)]), rle8)
    rle4 = bytes([4, 0x12, 0, 0, 4, 0x21, 0, 1])
    yield "rle4", bmp(info_header(4, 2, 4, compression=2, image_size=len(rle4)), palette(grey), rle4)
    v5 = info_header(1, 1, 32, compression=3, size=124)
    v5 = v5[:40] + struct.pack("<IIII", 0xFF0000, 0xFF00, 0xFF, 0xFF000000) + v5[56:]
    yield "v5-alpha", bmp(v5, b"", struct.pack("<I", 0x7F112233))


def icon_image(width, height, bits, colours, value, mask):
    header = info_header(width, height * 2, bits, colors_used=len(colours) if bits <= 8 else 0)
    return (header + palette(colours) + rows(width, height, bits, value) +
            rows(width, height, 1, mask))


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(image[4] for image in images)


def icons():
    bw = [(0, 0, 0), (255, 255, 255)]
    yield "1bit-8x8", ico([(8, 8, 2, 1, icon_image(8, 8, 1, bw, lambda x, y: (x + y) % 2,
                                                     lambda x, y: int(x < 2)))])
    grey = [(i, i, i) for i in range(0, 256, 64)]
    yield "8bit-2x2", ico([(2, 2, 0, 8, icon_image(2, 2, 8, grey, lambda x, y: x + 2 * y,
                                                     lambda x, y: 0))])
    yield "24bit-3x3", ico([(3, 3, 0, 24, icon_image(3, 3, 24, [], lambda x, y: 0x010203 * (x + y),
                                                       lambda x, y: int(x == y)))])
    sixteen = [(i * 16, 0, 255 - i * 16) for i in range(16)]
    yield "two-images", ico([(16, 16, 16, 4, icon_image(16, 16, 4, sixteen, lambda x, y: x,
                                                          lambda x, y: int(y > 8))),
                             (1, 1, 0, 32, icon_image(1, 1, 32, [], lambda x, y: 0xFF00FF00,
                                                      lambda x, y: 0))])


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed-" + name), "wb") as f:
        f.write(data)


def main():
    bmps = dict(bitmaps())
    for name in ("lowpass.bmp", "highpass.bmp"):
        with open(os.path.join(PICTURES, name), "rb") as f:
            bmps[name.split(".")[0]] = f.read()
    with open(os.path.join(DATA, "tiny.bmp"), "rb") as f:
        bmps["tiny"] = f.read()
    icos = dict(icons())
    with open(os.path.join(PICTURES, "mainicon.ico"), "rb") as f:
        icos["mainicon"] = f.read()
    with open(os.path.join(DATA, "tiny.ico"), "rb") as f:
        icos["tiny"] = f.read()

    for name, data in bmps.items():
        write("bmp_decoder", name, data)
        write("graphic_streams", "bitmap-file-" + name, b"\x00" + data)
        write("graphic_streams", "bitmap-data-" + name, b"\x01" + struct.pack("<I", len(data)) + data)
        write("graphic_streams", "picture-bitmap-" + name,
              b"\x03\x07TBitmap" + struct.pack("<I", len(data)) + data)
    for name, data in icos.items():
        write("ico_decoder", name, data)
        write("graphic_streams", "icon-" + name, b"\x02" + data)
        write("graphic_streams", "picture-icon-" + name, b"\x03\x05TIcon" + data)
    write("graphic_streams", "picture-unknown-class", b"\x03\x08TMetaPic" + b"\x01\x02\x03")


if __name__ == "__main__":
    main()
