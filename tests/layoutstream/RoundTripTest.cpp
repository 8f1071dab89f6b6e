// Every value the layout compiler writes, the stream's value readers read back equal: the
// writer's values at the boundaries of each form, the layout text's value forms through the
// whole compiler, and skipping, which must land exactly where the next value starts.

#include "layoutstream/ValueReader.h"
#include "tools/layoutc/LayoutCompiler.h"
#include "tools/layoutc/LayoutStreamWriter.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <vector>

using layoutstream::ValueReader;
using layoutstream::ValueTag;

namespace {

// Reads from bytes in memory; a 7-byte buffer makes values straddle refills.
layoutstream::ByteInput MemoryInput(std::span<const uint8_t> bytes)
{
    auto position = std::make_shared<size_t>(0);
    return {[bytes, position](void* out, size_t count) {
                count = std::min(count, bytes.size() - *position);
                std::memcpy(out, bytes.data() + *position, count);
                *position += count;
                return count;
            },
            [bytes, position](int64_t to) {
                *position = size_t(std::clamp<int64_t>(to, 0, int64_t(bytes.size())));
                return int64_t(*position);
            },
            0};
}

struct Reading {
    explicit Reading(const layoutc::LayoutStreamWriter& writer) : bytes(writer.Bytes()), reader(MemoryInput(bytes), 7) {}
    std::vector<uint8_t> bytes;
    ValueReader reader;
    bool AtEnd() const { return reader.Position() == int64_t(bytes.size()); }
};

} // namespace

TEST(RoundTrip, IntegersAtEveryTagBoundary)
{
    const int64_t values[] = {0, 1, -1, 127, 128, -128, -129, 32767, 32768, -32768, -32769,
                              INT32_MAX, int64_t(INT32_MAX) + 1, INT32_MIN, int64_t(INT32_MIN) - 1,
                              INT64_MAX, INT64_MIN};
    layoutc::LayoutStreamWriter writer;
    for (int64_t v : values) {
        writer.Integer(v);
        writer.Integer(v);
    }
    Reading r(writer);
    for (int64_t v : values) {
        if (v >= INT32_MIN && v <= INT32_MAX)
            EXPECT_EQ(r.reader.ReadInteger(), v);
        else
            EXPECT_EQ(r.reader.ReadInt64(), v);
        EXPECT_EQ(r.reader.ReadFloat(), static_cast<long double>(v)) << v;
    }
    EXPECT_TRUE(r.AtEnd());
}

TEST(RoundTrip, RealsBitForBit)
{
    const long double values[] = {0.0L, -0.0L, 0.7L, -6.2832L, 1e-9L, 1e4000L, LDBL_MAX, -LDBL_MIN, LDBL_MIN / 3,
                                  std::numeric_limits<long double>::denorm_min(), 1e-4940L, 12345678901234567.0L};
    layoutc::LayoutStreamWriter writer;
    for (long double v : values)
        writer.Real(v);
    Reading r(writer);
    for (long double v : values) {
        const long double read = r.reader.ReadFloat();
        EXPECT_EQ(read, v);
        EXPECT_EQ(std::signbit(read), std::signbit(v)) << double(v);
    }
    EXPECT_TRUE(r.AtEnd());
}

TEST(RoundTrip, TextsInEveryStringForm)
{
    struct Text {
        std::string text;
        bool wide;
        ValueTag tag;
    };
    const Text texts[] = {
        {"", false, ValueTag::String},
        {"Go", false, ValueTag::String},
        {std::string(255, 'x'), false, ValueTag::String},
        {std::string(256, 'y'), false, ValueTag::LString},
        {std::string(70000, 'z'), false, ValueTag::LString},
        {"Фильтр / Filter", false, ValueTag::UTF8String},
        {"\xC2\x80", false, ValueTag::UTF8String},
        {"ФНЧ", true, ValueTag::WString},
        {"Go \xF0\x9D\x84\x9E", true, ValueTag::WString},
        {"", true, ValueTag::WString},
    };
    layoutc::LayoutStreamWriter writer;
    for (const Text& t : texts) {
        writer.Text(t.text, t.wide);
        writer.Text(t.text, t.wide);
    }
    Reading r(writer);
    for (const Text& t : texts) {
        EXPECT_EQ(r.reader.NextValue(), t.tag) << t.text;
        EXPECT_EQ(r.reader.ReadString(), t.text);
        EXPECT_EQ(r.reader.ReadWideString(), t.text);
    }
    EXPECT_TRUE(r.AtEnd());
}

TEST(RoundTrip, IdentifiersBooleansNilSetsListsBinaryAndCollections)
{
    std::vector<uint8_t> payload(10000);
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = uint8_t(i * 7);
    layoutc::LayoutStreamWriter writer;
    writer.Ident("clBtnFace");
    writer.Boolean(true);
    writer.Boolean(false);
    writer.Nil();
    writer.Set({"fsBold", "fsItalic"});
    writer.Set({});
    writer.ListBegin();
    writer.Integer(1);
    writer.Text("a", false);
    writer.ListBegin();
    writer.EndOfList();
    writer.EndOfList();
    writer.Binary(payload);
    writer.CollectionBegin();
    writer.CollectionItem(std::nullopt);
    writer.ShortString("Width", "property name");
    writer.Integer(3);
    writer.EndOfList();
    writer.CollectionItem(5);
    writer.EndOfList();
    writer.EndOfList();

    Reading r(writer);
    EXPECT_EQ(r.reader.ReadIdent(), "clBtnFace");
    EXPECT_TRUE(r.reader.ReadBoolean());
    EXPECT_EQ(r.reader.ReadIdent(), "False");
    EXPECT_EQ(r.reader.ReadIdent(), "nil");
    for (const std::vector<std::string>& set : {std::vector<std::string>{"fsBold", "fsItalic"}, std::vector<std::string>{}}) {
        ASSERT_EQ(r.reader.ReadValue(), ValueTag::Set);
        std::vector<std::string> elements;
        for (std::string name = r.reader.ReadStr(); !name.empty(); name = r.reader.ReadStr())
            elements.push_back(name);
        EXPECT_EQ(elements, set);
    }
    r.reader.ReadListBegin();
    EXPECT_EQ(r.reader.ReadInteger(), 1);
    EXPECT_EQ(r.reader.ReadString(), "a");
    r.reader.ReadListBegin();
    EXPECT_TRUE(r.reader.EndOfList());
    r.reader.ReadListEnd();
    r.reader.ReadListEnd();
    std::vector<uint8_t> read;
    r.reader.ReadBinary([&](const uint8_t* bytes, size_t count) { read.insert(read.end(), bytes, bytes + count); });
    EXPECT_EQ(read, payload);
    ASSERT_EQ(r.reader.ReadValue(), ValueTag::Collection);
    EXPECT_FALSE(layoutstream::IsSmallIntegerTag(r.reader.NextValue()));
    r.reader.ReadListBegin();
    EXPECT_EQ(r.reader.ReadStr(), "Width");
    EXPECT_EQ(r.reader.ReadInteger(), 3);
    r.reader.ReadListEnd();
    EXPECT_EQ(r.reader.ReadInteger(), 5);
    r.reader.ReadListBegin();
    r.reader.ReadListEnd();
    r.reader.ReadListEnd();
    EXPECT_TRUE(r.AtEnd());
}

TEST(RoundTrip, SkippingLandsWhereTheNextValueStarts)
{
    // Each value followed by a marker; skipping a value must leave the marker next.
    layoutc::LayoutStreamWriter writer;
    const auto marked = [&](auto write) {
        write();
        writer.Ident("marker");
    };
    marked([&] { writer.Integer(-70000); });
    marked([&] { writer.Integer(int64_t(1) << 40); });
    marked([&] { writer.Real(0.7L); });
    marked([&] { writer.Text(std::string(300, 'x'), false); });
    marked([&] { writer.Text("Фильтр", false); });
    marked([&] { writer.Text("Фильтр", true); });
    marked([&] { writer.Set({"a", "bc"}); });
    marked([&] { writer.Binary(std::vector<uint8_t>(1000, 9)); });
    marked([&] {
        writer.ListBegin();
        writer.ListBegin();
        writer.Text("nested", false);
        writer.EndOfList();
        writer.EndOfList();
    });
    marked([&] {
        writer.CollectionBegin();
        writer.CollectionItem(2);
        writer.ShortString("Caption", "property name");
        writer.Text("x", false);
        writer.EndOfList();
        writer.EndOfList();
    });
    Reading r(writer);
    for (int i = 0; i < 10; ++i) {
        r.reader.SkipValue();
        EXPECT_EQ(r.reader.ReadIdent(), "marker") << "after value " << i;
    }
    EXPECT_TRUE(r.AtEnd());
}

TEST(RoundTrip, ComponentHeadersAndPrefixes)
{
    layoutc::LayoutStreamWriter writer;
    writer.Signature();
    writer.Prefix(0, 0);
    writer.ClassName("TForm1");
    writer.ShortString("Form1", "component name");
    writer.Prefix(layoutstream::PrefixInherited | layoutstream::PrefixChildPosition | layoutstream::PrefixInline, 300);
    writer.ClassName("TEdit");
    Reading r(writer);
    r.reader.ReadSignature();
    uint8_t flags = 0xFF;
    int32_t position = 0;
    r.reader.ReadPrefix(flags, position);
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(position, -1);
    EXPECT_EQ(r.reader.ReadStr(), "TForm1");
    EXPECT_EQ(r.reader.ReadStr(), "Form1");
    r.reader.ReadPrefix(flags, position);
    EXPECT_EQ(flags, layoutstream::PrefixInherited | layoutstream::PrefixChildPosition | layoutstream::PrefixInline);
    EXPECT_EQ(position, 300);
    EXPECT_EQ(r.reader.ReadStr(), "TEdit");
    EXPECT_TRUE(r.AtEnd());
}

TEST(RoundTrip, TheLayoutTextsValueFormsThroughTheWholeCompiler)
{
    // One property per value form of the layout text; each is read back by the value reader
    // its property kind uses.
    const std::string text = "F : T {\n"
                             "  A = 203\n"
                             "  B = 0xFF00000F\n"
                             "  C = -2.5E3\n"
                             "  D = 1e-4940\n"
                             "  E = \"text\" + \" more\"\n"
                             "  G = \"текст\\t\\u{1D11E}\"\n"
                             "  H = w\"Go\"\n"
                             "  I = poScreenCenter\n"
                             "  J = TRUE\n"
                             "  K = [fsBold]\n"
                             "  L = ( \"TChart\" 2 )\n"
                             "  M = hex(\"00 1F a0\")\n"
                             "  N = 5000000000\n"
                             "}\n";
    const std::vector<uint8_t> bytes = layoutc::LayoutCompiler::Compile(text, "test.layout", ".").bytes;
    ValueReader reader(MemoryInput(bytes), 7);
    reader.ReadSignature();
    uint8_t flags;
    int32_t position;
    reader.ReadPrefix(flags, position);
    EXPECT_EQ(reader.ReadStr(), "T");
    EXPECT_EQ(reader.ReadStr(), "F");
    const auto property = [&](const char* name) { EXPECT_EQ(reader.ReadStr(), name); };
    property("A");
    EXPECT_EQ(reader.ReadInteger(), 203);
    property("B");
    EXPECT_EQ(uint32_t(reader.ReadInteger()), 0xFF00000Fu);
    property("C");
    EXPECT_EQ(reader.ReadFloat(), -2500.0L);
    property("D");
    EXPECT_EQ(reader.ReadFloat(), std::strtold("1e-4940", nullptr));
    property("E");
    EXPECT_EQ(reader.ReadString(), "text more");
    property("G");
    EXPECT_EQ(reader.ReadString(), "текст\t\xF0\x9D\x84\x9E");
    property("H");
    EXPECT_EQ(reader.ReadWideString(), "Go");
    property("I");
    EXPECT_EQ(reader.ReadIdent(), "poScreenCenter");
    property("J");
    EXPECT_TRUE(reader.ReadBoolean());
    property("K");
    EXPECT_EQ(reader.ReadValue(), ValueTag::Set);
    EXPECT_EQ(reader.ReadStr(), "fsBold");
    EXPECT_EQ(reader.ReadStr(), "");
    property("L");
    reader.ReadListBegin();
    EXPECT_EQ(reader.ReadString(), "TChart");
    EXPECT_EQ(reader.ReadInteger(), 2);
    reader.ReadListEnd();
    property("M");
    std::vector<uint8_t> binary;
    reader.ReadBinary([&](const uint8_t* b, size_t n) { binary.insert(binary.end(), b, b + n); });
    EXPECT_EQ(binary, (std::vector<uint8_t>{0x00, 0x1F, 0xA0}));
    property("N");
    EXPECT_EQ(reader.ReadInt64(), 5000000000LL);
    reader.ReadListEnd();   // properties
    reader.ReadListEnd();   // children
    EXPECT_EQ(reader.Position(), int64_t(bytes.size()));
}
