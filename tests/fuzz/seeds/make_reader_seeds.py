#!/usr/bin/env python3
"""Writes the hand-made seed streams of the layout_reader fuzz target: one stream that uses
every value tag on the fuzz component classes (FuzzComponents.h, on the shared
ReaderComponents.h), component prefixes, and one stream per failure the reader reports. Each
goes in as it is and with option bytes in front (see LayoutReaderTarget.cpp). Files:
tests/fuzz/corpus/layout_reader/seed-*."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "..", "corpus", "layout_reader")
TINY_BMP = os.path.join(HERE, "..", "..", "tools", "data", "tiny.bmp")
TINY_ICO = os.path.join(HERE, "..", "..", "tools", "data", "tiny.ico")


def short(text):
    data = text.encode("utf-8") if isinstance(text, str) else text
    return bytes([len(data)]) + data


# Values: tag byte and payload.
def int8(v): return b"\x02" + struct.pack("<b", v)
def int16(v): return b"\x03" + struct.pack("<h", v)
def int32(v): return b"\x04" + struct.pack("<i", v)
def int64(v): return b"\x13" + struct.pack("<q", v)
def ident(name): return b"\x07" + short(name)
def string(text): return b"\x06" + short(text)
def lstring(text): return b"\x0c" + struct.pack("<I", len(text)) + text.encode("latin-1")
def wstring(text):
    units = text.encode("utf-16-le")
    return b"\x12" + struct.pack("<I", len(units) // 2) + units
def utf8(text):
    data = text.encode("utf-8")
    return b"\x14" + struct.pack("<I", len(data)) + data
def binary(data): return b"\x0a" + struct.pack("<I", len(data)) + data
def single(v): return b"\x0f" + struct.pack("<f", v)
def currency(v): return b"\x10" + struct.pack("<q", int(v * 10000))
def date(v): return b"\x11" + struct.pack("<d", v)
def set_of(*names): return b"\x0b" + b"".join(short(n) for n in names) + b"\x00"
def list_of(*values): return b"\x01" + b"".join(values) + b"\x00"
def collection(*items): return b"\x0e" + b"".join(items) + b"\x00"
def item(props, index=None): return (index if index else b"") + b"\x01" + props + b"\x00"
TRUE, FALSE, NIL, NULL = b"\x09", b"\x08", b"\x0d", b"\x00"


def extended(value):
    # 80-bit extended: 64-bit significand with explicit integer bit, 15-bit biased exponent.
    if value == 0:
        return b"\x05" + bytes(10)
    sign = 0x8000 if value < 0 else 0
    value = abs(value)
    exponent = 0
    while value >= 2:
        value /= 2
        exponent += 1
    while value < 1:
        value *= 2
        exponent -= 1
    mantissa = int(value * (1 << 63))
    return b"\x05" + struct.pack("<QH", mantissa, sign | (exponent + 16383))


def prop(name, value): return short(name) + value
def props(*records): return b"".join(records)


def component(cls, name, properties=b"", children=b"", prefix=b""):
    return prefix + short(cls) + short(name) + properties + b"\x00" + children + b"\x00"


def stream(root): return b"TPF0" + root


def every_tag():
    with open(TINY_BMP, "rb") as f:
        bmp = f.read()
    with open(TINY_ICO, "rb") as f:
        ico = f.read()
    widget1 = props(
        prop("Left", int8(-5)), prop("Left", int16(300)), prop("Left", int32(-70000)),
        prop("Big", int64(5000000000)), prop("Big", int8(1)),
        prop("Ratio", extended(0.7)), prop("Precise", extended(-2.5e3)), prop("Ratio", int16(7)),
        prop("Caption", string("Go")), prop("Caption", lstring("x" * 300)),
        prop("Caption", wstring("ФНЧ")), prop("Caption", utf8("Фильтр")),
        prop("Shade", ident("shDark")), prop("Flag", TRUE), prop("Flag", FALSE),
        prop("Traits", set_of("trRound", "trHeavy")), prop("Traits", set_of()),
        prop("Letter", string("x")), prop("Color", ident("clRed")), prop("Color", int32(0x00FF00)),
        prop("Cursor", ident("crIBeam")),
        prop("Value", single(1.5)), prop("Value", currency(2.25)), prop("Value", date(45000.5)),
        prop("Value", NULL), prop("Value", NIL), prop("Value", int64(-3)), prop("Value", string("v")),
        prop("Partner", ident("Widget2")), prop("OnClick", ident("WidgetClick")),
        prop("OnTick", ident("WidgetTick")), prop("OnClick", NIL),
        prop("Font.Height", int8(-11)), prop("Font.Name", string("Arial")), prop("font.style", set_of()),
        prop("Lines.Strings", list_of(string("one"), utf8("два"))),
        prop("Picture.Data", binary(short("TBitmap") + struct.pack("<I", len(bmp)) + bmp)),
        prop("Entries", collection(item(prop("Caption", string("a"))),
                                   item(prop("Width", int8(3)), index=int8(1)))),
    )
    widget2 = props(prop("Partner", ident("Form2.Edit1")),
                    prop("Picture.Data", binary(short("TIcon") + ico)))
    children = (component("TFuzzWidget", "Widget1", widget1, component("TFuzzWidget", "Widget2", widget2)) +
                component("TFuzzPanel", "Panel1", prop("Caption", string("registered"))))
    root = props(prop("Left", int16(203)), prop("Caption", string("Form")), prop("Color", ident("clBtnFace")),
                 prop("Font.Height", int8(-11)), prop("ActiveControl", ident("Widget1")),
                 prop("OnShow", ident("FormShow")))
    return stream(component("TFuzzForm", "Form1", root, children))


def simple(children=b"", root_props=b"", cls="TFuzzForm", name="Form1"):
    return stream(component(cls, name, root_props, children))


def widget(properties, name="Widget1", cls="TFuzzWidget", prefix=b""):
    return component(cls, name, properties, prefix=prefix)


def seeds():
    yield "every-tag", every_tag()
    yield "prefixes", simple(
        widget(b"", "Widget1") +
        widget(prop("Left", int8(1)), "Widget2", prefix=b"\xf2" + int8(0)) +
        widget(b"", "Edit1", prefix=b"\xf1") +
        widget(b"", "Inline1", prefix=b"\xf4"))
    yield "named-form2", simple(name="Form2")
    # A collection read twice: the first read's item refers to a component read later, and the
    # second read frees that item before references are resolved; the second read's items refer
    # to a later component, to a component of another window and to a window not read yet.
    twice = (prop("Entries", collection(item(prop("Partner", ident("Widget2"))))) +
             prop("Entries", collection(item(prop("Caption", string("kept")) + prop("Partner", ident("Widget2"))),
                                        item(prop("Partner", ident("Form2.Edit1"))),
                                        item(prop("Partner", ident("Form9.Widget1"))))))
    yield "collection-references", simple(widget(twice) + widget(b"", "Widget2"))
    yield "error-signature", b"TPF1" + simple()[4:]
    yield "error-truncated", simple(widget(prop("Caption", string("cut"))))[:-6]
    yield "error-wrong-tag", simple(root_props=prop("Left", string("x")))
    yield "error-unknown-property", simple(widget(prop("Nope", int8(1))))
    yield "error-bad-path", simple(widget(prop("Left.Height", int8(1)) + prop("Caption", int8(2))))
    yield "error-unknown-class", simple(widget(b"", cls="TNoSuchClass"))
    yield "error-duplicate-name", simple(widget(b"") + widget(b"", "widget1"))
    yield "error-invalid-name", simple(widget(b"", "1abc"))
    yield "error-read-only", simple(widget(prop("ReadOnly", int8(1))))
    yield "error-set-element", simple(widget(prop("Traits", set_of("trRound", "trNone", "trHeavy"))))
    yield "error-enum", simple(widget(prop("Shade", ident("shNone"))))
    yield "error-method", simple(widget(prop("OnClick", ident("NoSuchHandler"))))
    yield "error-method-shape", simple(widget(prop("OnClick", ident("WidgetTick"))))
    yield "error-colour", simple(widget(prop("Color", ident("clNoColour"))))
    yield "error-binary-size", simple(widget(prop("Picture.Data", b"\x0a\xff\xff\xff\x7f" + b"xx")))
    yield "error-bitmap", simple(widget(prop("Picture.Data", binary(short("TBitmap") + b"\x10\x00\x00\x00BM"))))
    yield "error-reference", simple(widget(prop("Partner", ident("Nobody.Nowhere"))))
    yield "error-collection", simple(widget(prop("Entries", collection(item(prop("Nope", int8(1)))))))


def main():
    os.makedirs(CORPUS, exist_ok=True)
    for name, data in seeds():
        with open(os.path.join(CORPUS, "seed-" + name), "wb") as f:
            f.write(data)
        for options in (1, 6, 9):
            with open(os.path.join(CORPUS, "seed-%s-options%d" % (name, options)), "wb") as f:
                f.write(bytes([options]) + data)


if __name__ == "__main__":
    main()
