// Malformed layout text is refused with a message naming the file and the line.

#include "LayoutTestSupport.h"

#include "tools/layoutc/ELayoutError.h"

#include <gtest/gtest.h>

using namespace layoutc_test;

namespace {

std::string ErrorOf(const std::string& text)
{
    try {
        layoutc::LayoutCompiler::Compile(text, "unit1.layout", DataDir());
    } catch (const layoutc::ELayoutError& error) {
        return error.Message();
    }
    return "(compiled without error)";
}

struct Refusal {
    const char* text;
    const char* message;
};

} // namespace

TEST(LayoutErrors, MalformedTextNamesFileAndLine)
{
    const Refusal refusals[] = {
        {"F : T {\n  A = \"abc\n}\n", "unit1.layout:2: unterminated string"},
        {"F : T {\n  A = \"abc", "unit1.layout:2: unterminated string"},
        {"F : T {\n\n  A = \"a\\qb\"\n}\n", "unit1.layout:3: unknown escape \\q"},
        {"F : T {\n  A = \"\\xG1\"\n}\n", "unit1.layout:2: escape \\x needs two hexadecimal digits"},
        {"F : T {\n  A = \"\\u{D800}\"\n}\n", "unit1.layout:2: escape \\u{D800} is not a Unicode character"},
        {"F : T {\n  A = \"\\u41\"\n}\n", "unit1.layout:2: escape \\u must be written \\u{hex digits}"},
        {"F : T {\n  A = \"\xC3\"\n}\n", "unit1.layout:2: string is not valid UTF-8"},
        {"F : T {\n  A = 12px\n}\n", "unit1.layout:2: malformed number '12px'"},
        {"F : T {\n  A = 1.\n}\n", "unit1.layout:2: malformed number: digits expected after '.'"},
        {"F : T {\n  A = 99999999999999999999\n}\n", "unit1.layout:2: integer out of range: 99999999999999999999"},
        {"F : T {\n  A = 1e99999\n}\n", "unit1.layout:2: real number out of range: 1e99999"},
        {"F : T {\n  A = 1e-5000\n}\n", "unit1.layout:2: real number out of range: 1e-5000"},
        {"F : T {\n  A = -1e-4952\n}\n", "unit1.layout:2: real number out of range: -1e-4952"},
        {"F : T {\n  A = -0x10\n}\n", "unit1.layout:2: a hexadecimal number takes no sign: '-0x10'"},
        {"F : T {\n  A = 0x12345678123456789\n}\n",
         "unit1.layout:2: malformed hexadecimal number '0x12345678123456789' (1 to 16 digits)"},
        {"F : T {\n  A = Font.\n}\n", "unit1.layout:2: malformed name 'Font.'"},
        {"F : T {\n  A = 1 ; B = 2\n}\n", "unit1.layout:2: unexpected character ';'"},
        {"F : T {\n  Подпись = 1\n}\n", "unit1.layout:2: unexpected byte 0xD0 outside a string"},
        {"", "unit1.layout:1: the layout holds no component"},
        {"# only a comment\n", "unit1.layout:2: the layout holds no component"},
        {"Left = 1\n", "unit1.layout:1: expected the root component (Name : TClass { ... })"},
        {"F : T {\n  A = 1\n", "unit1.layout:1: component 'F' is not closed: '}' missing"},
        {"F : T {\n}\nG : T {\n}\n", "unit1.layout:3: text after the root component"},
        {"F : T {\n  A 1\n}\n", "unit1.layout:2: expected '=' after property name 'A' (or ':' for a component)"},
        {"F : T {\n  A =\n}\n", "unit1.layout:3: expected a value, found '}'"},
        {"F : T {\n  A = 1 B = 2\n}\n", "unit1.layout:2: one property per line: 'B' follows the value of 'A'"},
        {"F : T {\n  Left = 1\n  left = 2\n}\n", "unit1.layout:3: property 'left' is set twice"},
        {"F : T {\n  C : T {\n  }\n  A = 1\n}\n", "unit1.layout:4: property 'A' must come before the child components"},
        {"F : T.U {\n}\n", "unit1.layout:1: class name 'T.U' must not contain '.'"},
        {"F T {\n}\n", "unit1.layout:1: expected the root component (Name : TClass { ... })"},
        {"F : T\n  A = 1\n}\n", "unit1.layout:2: expected '{' after class name 'T', found 'A'"},
        {"F : T {\n  A = [fsBold fsItalic]\n}\n", "unit1.layout:2: expected ',' between set elements, found 'fsItalic'"},
        {"F : T {\n  A = [fsBold, ]\n}\n", "unit1.layout:2: expected a set element name"},
        {"F : T {\n  A = (\n \"a\"\n", "unit1.layout:2: list is not closed: ')' missing"},
        {"F : T {\n  A = \"a\" +\n}\n", "unit1.layout:2: expected a string after '+'"},
        {"F : T {\n  A = collection {\n    B = 1\n  }\n}\n", "unit1.layout:3: expected 'item' in a collection"},
        {"F : T {\n  position x C : T {\n  }\n}\n", "unit1.layout:2: expected an integer after 'position'"},
        {"F : T {\n  position 3000000000 C : T {\n  }\n}\n", "unit1.layout:2: position does not fit in 32 bits"},
    };
    for (const Refusal& refusal : refusals)
        EXPECT_EQ(ErrorOf(refusal.text), refusal.message) << refusal.text;
}

TEST(LayoutErrors, NestingBeyondTheReadersLimitIsRefusedAtItsLine)
{
    const auto lists = [](int depth) { return std::string(size_t(depth), '(') + std::string(size_t(depth), ')'); };
    // A value of the root: 100 nested lists are the limit.
    EXPECT_NO_THROW(Compile("F : T {\n  A = " + lists(100) + "\n}\n"));
    EXPECT_EQ(ErrorOf("F : T {\n  A = " + lists(101) + "\n}\n"), "unit1.layout:2: nesting is deeper than 100 levels");
    EXPECT_EQ(ErrorOf("F : T {\n  A = " + lists(100000) + "\n}\n"), "unit1.layout:2: nesting is deeper than 100 levels");

    // Child components, one per line: the root is level 0, the 101st level is refused.
    const auto components = [](int depth) {
        std::string text = "F : T {\n";
        for (int i = 0; i < depth; ++i)
            text += "C" + std::to_string(i) + " : T {\n";
        return text + std::string(size_t(depth) + 1, '}') + "\n";
    };
    EXPECT_NO_THROW(Compile(components(100)));
    EXPECT_EQ(ErrorOf(components(101)), "unit1.layout:102: nesting is deeper than 100 levels");
    EXPECT_EQ(ErrorOf(components(100000)), "unit1.layout:102: nesting is deeper than 100 levels");

    // Components, collections and lists add up: a collection at level 99 leaves room for one list.
    std::string mixed = components(98);
    const std::string inner = "A = collection {\n item {\n B = (1)\n }\n}\n";
    mixed.insert(mixed.find('}'), inner);
    EXPECT_NO_THROW(Compile(mixed));
    mixed.replace(mixed.find("(1)"), 3, "((1))");
    EXPECT_EQ(ErrorOf(mixed), "unit1.layout:102: nesting is deeper than 100 levels");
}

TEST(LayoutErrors, BinaryReferencesThatCannotBeUsed)
{
    const Refusal refusals[] = {
        {"F : T {\n  A = file(\"missing.ico\")\n}\n", "unit1.layout:2: cannot read 'missing.ico': No such file or directory"},
        {"F : T {\n  A = file(\".\")\n}\n", "unit1.layout:2: cannot read '.': it is a folder"},
        {"F : T {\n  A = file(\"\")\n}\n", "unit1.layout:2: empty file name"},
        {"F : T {\n  A = bitmap(\"tiny.ico\")\n}\n", "unit1.layout:2: 'tiny.ico' is not a bitmap file (no BM signature)"},
        {"F : T {\n  A = picture(TIcon, \"tiny.bmp\")\n}\n", "unit1.layout:2: 'tiny.bmp' is not an icon file"},
        {"F : T {\n  A = picture(TJpeg, \"tiny.bmp\")\n}\n",
         "unit1.layout:2: picture class 'TJpeg' is not supported (TBitmap or TIcon)"},
        {"F : T {\n  A = picture(\"tiny.bmp\")\n}\n", "unit1.layout:2: expected a graphic class name"},
        {"F : T {\n  A = file(tiny)\n}\n", "unit1.layout:2: expected a file name in quotes"},
        {"F : T {\n  A = hex(\"0g\")\n}\n", "unit1.layout:2: hex() needs pairs of hexadecimal digits"},
        {"F : T {\n  A = hex(\"123\")\n}\n", "unit1.layout:2: hex() needs pairs of hexadecimal digits"},
    };
    for (const Refusal& refusal : refusals)
        EXPECT_EQ(ErrorOf(refusal.text), refusal.message) << refusal.text;
}

TEST(LayoutErrors, ValuesThatDoNotFitTheirShortString)
{
    const std::string n255(255, 'n');
    const std::string n256(256, 'n');
    const std::string c239 = "T" + std::string(238, 'c');
    const std::string c240 = "T" + std::string(239, 'c');

    // At the limit: accepted.
    EXPECT_NO_THROW(Compile(n255 + " : " + c239 + " {\n  " + n255 + " = " + n255 + "\n  S = [" + n255 + "]\n}\n"));

    EXPECT_EQ(ErrorOf("F : T {\n  " + n256 + " = 1\n}\n"), "unit1.layout:2: property name is longer than 255 bytes");
    EXPECT_EQ(ErrorOf("F : T {\n  A = " + n256 + "\n}\n"), "unit1.layout:2: identifier is longer than 255 bytes");
    EXPECT_EQ(ErrorOf("F : T {\n  A = [x, " + n256 + "]\n}\n"),
              "unit1.layout:2: set element name is longer than 255 bytes");
    EXPECT_EQ(ErrorOf("F : T {\n  " + n256 + " : T {\n  }\n}\n"),
              "unit1.layout:2: component name is longer than 255 bytes");
    // A class name byte of 240 or more would read as a prefix byte.
    EXPECT_EQ(ErrorOf("F : T {\n  C : " + c240 + " {\n  }\n}\n"),
              "unit1.layout:2: class name must be shorter than 240 bytes");
    EXPECT_EQ(ErrorOf("F : T {\n  A = picture(" + n256 + ", \"tiny.bmp\")\n}\n"),
              "unit1.layout:2: graphic class name is longer than 255 bytes");
}

TEST(LayoutErrors, CompileFileNamesAnUnreadableInput)
{
    try {
        layoutc::LayoutCompiler::CompileFile("/nonexistent/unit1.layout");
        FAIL() << "no error";
    } catch (const layoutc::ELayoutError& error) {
        EXPECT_EQ(error.Message(), "/nonexistent/unit1.layout: cannot read: No such file or directory");
    }
}
