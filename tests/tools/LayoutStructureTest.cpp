// The component structure of compiled layouts: signature, nesting, list ends, prefixes,
// repeatability and the files a layout depends on.

#include "LayoutTestSupport.h"

#include <gtest/gtest.h>

using namespace layoutc_test;

TEST(LayoutStructure, ComponentWithPropertiesAndNestedChildren)
{
    const Bytes bytes = Compile(
        "# comment line\n"
        "Form1 : TForm1 {\n"
        "  Left = 203   # trailing comment\n"
        "  Font.Style = []\n"
        "  GroupBox1 : TGroupBox {\n"
        "    Label1 : TLabel {\n"
        "      Caption = \"C =\"\n"
        "    }\n"
        "  }\n"
        "  Button1 : TButton {\n"
        "  }\n"
        "}\n");
    const Bytes expected = Concat({
        Text("TPF0"), {6}, Text("TForm1"), {5}, Text("Form1"),
        {4}, Text("Left"), {3, 0xCB, 0x00},
        {10}, Text("Font.Style"), {11, 0},
        {0},                                           // end of Form1's properties
        {9}, Text("TGroupBox"), {9}, Text("GroupBox1"),
        {0},                                           // GroupBox1 has no properties
        {6}, Text("TLabel"), {6}, Text("Label1"),
        {7}, Text("Caption"), {6, 3}, Text("C ="),
        {0}, {0},                                      // Label1: end of properties, no children
        {0},                                           // end of GroupBox1's children
        {7}, Text("TButton"), {7}, Text("Button1"), {0}, {0},
        {0},                                           // end of Form1's children
    });
    EXPECT_EQ(bytes, expected);
}

TEST(LayoutStructure, PrefixesForInheritedInlineAndPosition)
{
    const Bytes bytes = Compile(
        "Form1 : TForm1 {\n"
        "  inherited Edit1 : TEdit {\n  }\n"
        "  position 3 Edit2 : TEdit {\n  }\n"
        "  inherited inline position 200 Frame1 : TFrame1 {\n  }\n"
        "}\n");
    const Bytes expected = Concat({
        Text("TPF0"), {6}, Text("TForm1"), {5}, Text("Form1"), {0},
        {0xF1, 5}, Text("TEdit"), {5}, Text("Edit1"), {0, 0},
        {0xF2, 2, 3, 5}, Text("TEdit"), {5}, Text("Edit2"), {0, 0},
        {0xF7, 3, 200, 0, 7}, Text("TFrame1"), {6}, Text("Frame1"), {0, 0},
        {0},
    });
    EXPECT_EQ(bytes, expected);
}

TEST(LayoutStructure, KeywordsStayUsableAsNames)
{
    // Words with a meaning in one place are plain names elsewhere.
    const Bytes bytes = Compile(
        "inline : TThing {\n"
        "  position = 1\n"
        "  item = collection\n"
        "}\n");
    EXPECT_EQ(bytes, Concat({Text("TPF0"), {6}, Text("TThing"), {6}, Text("inline"),
                             {8}, Text("position"), {2, 1}, {4}, Text("item"), {7, 10}, Text("collection"),
                             {0, 0}}));
}

TEST(LayoutStructure, SameTextSameBytesWhateverTheLayoutOfTheText)
{
    const std::string text =
        "Form1 : TForm1 {\n  Caption = \"Фильтр\"\n  Scale = 0.7\n  Data = file(\"tiny.ico\")\n"
        "  Label1 : TLabel {\n    Font.Style = [fsBold]\n  }\n}\n";
    EXPECT_EQ(Compile(text), Compile(text));
    // Indentation, blank lines, comments, CRLF line ends and a byte order mark change nothing.
    const std::string reformatted =
        "\xEF\xBB\xBF# header\r\nForm1:TForm1{\r\n\r\nCaption=\"Фильтр\"\r\n\tScale = 0.7 # seven tenths\r\n"
        "Data = file( \"tiny.ico\" )\r\nLabel1 : TLabel\r\n{\r\nFont.Style = [ fsBold ]\r\n}\r\n}";
    EXPECT_EQ(Compile(reformatted), Compile(text));
}

TEST(LayoutStructure, ReferencedFilesAreDependencies)
{
    const auto result = layoutc::LayoutCompiler::Compile(
        "F : T {\n  A = file(\"tiny.ico\")\n  B = picture(TBitmap, \"tiny.bmp\")\n"
        "  C = bitmap(\"./tiny.bmp\")\n}\n",
        "deps.layout", DataDir());
    ASSERT_EQ(result.dependencies.size(), 2u);
    EXPECT_EQ(result.dependencies[0], (DataDir() / "tiny.ico").lexically_normal());
    EXPECT_EQ(result.dependencies[1], (DataDir() / "tiny.bmp").lexically_normal());
}

TEST(LayoutStructure, CompileFileResolvesFilesBesideTheLayout)
{
    const auto result = layoutc::LayoutCompiler::CompileFile(DataDir() / "TestForm.layout");
    ASSERT_GE(result.bytes.size(), 4u);
    EXPECT_EQ(Bytes(result.bytes.begin(), result.bytes.begin() + 4), Text("TPF0"));
    EXPECT_EQ(result.dependencies.size(), 2u);
}
