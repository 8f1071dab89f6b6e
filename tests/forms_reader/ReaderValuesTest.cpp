// Property values: every kind, every tag a kind accepts, and the exact failures.

#include "ReaderTestSupport.h"

#include <cmath>
#include <limits>

using namespace readertest;

namespace {

// Form1 with one property "Left" holding the raw value bytes given.
std::vector<uint8_t> FormLeft(std::initializer_list<uint8_t> value)
{
    Bytes b;
    b.Sig().Str("TTestForm").Str("Form1").Str("Left").Raw(value).End().End();
    return b.b;
}

// Widget1 with one property holding the raw value bytes given.
std::vector<uint8_t> WidgetValue(const std::string& property, std::initializer_list<uint8_t> value)
{
    Bytes b;
    b.Sig().Str("TTestForm").Str("Form1").End();
    b.Str("TWidget").Str("Widget1").Str(property).Raw(value).End().End();
    b.End();
    return b.b;
}

TWidget& W1(std::unique_ptr<TTestForm>& form)
{
    EXPECT_NE(form->Widget1, nullptr);
    return *form->Widget1;
}

std::unique_ptr<TTestForm> ReadBytes(const std::vector<uint8_t>& bytes)
{
    auto form = std::make_unique<TTestForm>();
    ReadInto(*form, bytes);
    return form;
}

} // namespace

TEST(ReaderValues, IntegerTagsOfEveryWidthReadTheSame)
{
    for (const auto& value : {FormLeft({2, 100}), FormLeft({3, 100, 0}), FormLeft({4, 100, 0, 0, 0})}) {
        TTestForm form;
        ReadInto(form, value);
        EXPECT_EQ(form.Left(), 100);
    }
    TTestForm wide;
    ReadInto(wide, FormLeft({3, 0xCB, 0x00}));
    EXPECT_EQ(wide.Left(), 203);
    TTestForm signedByte;
    ReadInto(signedByte, FormLeft({2, 0xCB}));
    EXPECT_EQ(signedByte.Left(), -53);
    TTestForm negative;
    ReadInto(negative, FormLeft({3, 0x35, 0xFF}));
    EXPECT_EQ(negative.Left(), -203);

}

TEST(ReaderValues, AStringForLeftFailsWithTheExactMessage)
{
    TTestForm form;
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(form, FormLeft({6, 3, 'a', 'b', 'c'})); }),
              "Error reading Form1.Left: Invalid property value");
    EXPECT_EQ(form.Left(), 0);
}

TEST(ReaderValues, NamesAndPathsCompareWithoutRegardToCaseAndWalkSubObjects)
{
    auto form = ReadForm(WidgetLayout("title.font.height = -11\nTITLE.Font.Name = \"Arial\"\ncaption = \"Go\""));
    EXPECT_EQ(W1(form).Title()->Font()->Height(), -11);
    EXPECT_EQ(W1(form).Title()->Font()->Face(), "Arial");
    EXPECT_EQ(W1(form).Caption(), "Go");
}

TEST(ReaderValues, BadPathsAndUnknownPropertiesNameTheirPart)
{
    TTestForm a, b, c, d;
    EXPECT_EQ(WidgetReadError(a, "Nope = 1"), "Error reading Widget1.Nope: Property Nope does not exist");
    EXPECT_EQ(WidgetReadError(b, "Title.Nope.Height = 1"),
              "Error reading Widget1.Title.Nope.Height: Property Nope does not exist");
    EXPECT_EQ(WidgetReadError(c, "Left.Height = 1"), "Error reading Widget1.Left.Height: Invalid property path");
    // A component without a name is reported by its class.
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(d, Compile("F : TTestForm {\n W : TWidget {\n Title.Font.Height = \"x\"\n }\n}")); }),
              "Error reading W.Title.Font.Height: Invalid property value");
    Bytes unnamed;
    unnamed.Sig().Str("TTestForm").Str("Form1").End().Str("TWidget").Str("").Str("Left").Raw({6, 0}).End().End().End();
    TTestForm e;
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(e, unnamed.b); }), "Error reading TWidget.Left: Invalid property value");
}

TEST(ReaderValues, EnumerationsTakeTheirNamesOnlyAndAssignNothingOtherwise)
{
    auto form = ReadForm(WidgetLayout("Shade = SHDARK\nFlag = true"));
    EXPECT_EQ(W1(form).Shade(), shDark);
    EXPECT_TRUE(W1(form).Flag());

    TTestForm bad;
    EXPECT_EQ(WidgetReadError(bad, "Shade = shMedium\nShade2 = 1"),
              "Error reading Widget1.Shade2: Property Shade2 does not exist");
    TTestForm unknown;
    EXPECT_EQ(WidgetReadError(unknown, "Left = 4\nShade = shPurple"),
              "Error reading Widget1.Shade: Invalid property value");
    EXPECT_EQ(unknown.Widget1, nullptr);   // the failing child was freed
    // With a hook that accepts the error the widget stays, and its shade was not touched.
    TTestForm lenient;
    Bytes twice;
    twice.Sig().Str("TTestForm").Str("Form1").End().Str("TWidget").Str("Widget1");
    twice.Str("Shade").Raw({7}).Str("shMedium").Str("Shade").Raw({7}).Str("shPurple").End().End().End();
    ReadInto(lenient, twice.b, [](TReader&, const std::string&) { return true; });
    ASSERT_NE(lenient.Widget1, nullptr);
    EXPECT_EQ(lenient.Widget1->Shade(), shMedium);
    // An integer is no enumeration value, and a boolean takes only its own names.
    TTestForm number, boolean;
    EXPECT_EQ(WidgetReadError(number, "Shade = 1"), "Error reading Widget1.Shade: Invalid property value");
    EXPECT_EQ(WidgetReadError(boolean, "Flag = shDark"), "Error reading Widget1.Flag: Invalid property value");
}

TEST(ReaderValues, SetsCollectKnownElementsAndRefuseUnknownOnesAfterReadingThemAll)
{
    auto form = ReadForm(WidgetLayout("Traits = [trRound, TRHEAVY]"));
    EXPECT_EQ(W1(form).Traits(), (TTraits{trRound, trHeavy}));
    auto empty = ReadForm(WidgetLayout("Traits = []"));
    EXPECT_TRUE(W1(empty).Traits().IsEmpty());

    // The unknown element comes first; the reader still consumes the rest and, with a hook
    // that accepts the error, the next property is read correctly.
    std::vector<std::string> errors;
    TTestForm bad;
    ReadInto(bad, Compile(WidgetLayout("Traits = [trSticky, trShiny]\nLeft = 7")), [&](TReader&, const std::string& m) {
        errors.push_back(m);
        return true;
    });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Error reading Widget1.Traits: Invalid property value");
    EXPECT_TRUE(bad.Widget1->Traits().IsEmpty());
    EXPECT_EQ(bad.Widget1->Left(), 7);
    // A set needs the set tag.
    TTestForm ident;
    EXPECT_EQ(WidgetReadError(ident, "Traits = trRound"), "Error reading Widget1.Traits: Invalid property value");
}

TEST(ReaderValues, IntegerIdentifiersGoThroughTheTypesMap)
{
    auto form = ReadForm(WidgetLayout("Hue = HUWINDOW"));
    EXPECT_EQ(W1(form).Hue(), huWindow);
    TTestForm unknown, unmapped;
    EXPECT_EQ(WidgetReadError(unknown, "Hue = huPink"), "Error reading Widget1.Hue: Invalid property value");
    // Left is a plain integer without a map.
    EXPECT_EQ(WidgetReadError(unmapped, "Left = huRed"), "Error reading Widget1.Left: Invalid property value");
}

TEST(ReaderValues, FloatsDecodeExtendedExactlyAndAcceptIntegers)
{
    // 1.0 is 00 00 00 00 00 00 00 80 FF 3F.
    auto one = ReadBytes(WidgetValue("Precise", {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    EXPECT_EQ(W1(one).Precise(), 1.0L);
    // -0.7 in extended precision, the nearest 64-bit significand: 0xB333333333333333 * 2^-64.
    auto seven = ReadBytes(WidgetValue("Precise", {5, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0xB3, 0xFE, 0xBF}));
    EXPECT_EQ(W1(seven).Precise(), -std::ldexp(static_cast<long double>(0xB333333333333333ull), -64));
    EXPECT_EQ(W1(seven).Precise(), -0.7L);
    // Denormal, infinity.
    auto tiny = ReadBytes(WidgetValue("Precise", {5, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(W1(tiny).Precise(), std::ldexp(1.0L, -16445));
    auto inf = ReadBytes(WidgetValue("Precise", {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}));
    EXPECT_TRUE(std::isinf(W1(inf).Precise()));

    auto ratio = ReadForm(WidgetLayout("Ratio = 0.7"));
    EXPECT_EQ(W1(ratio).Ratio(), 0.7);
    auto fromInt = ReadBytes(WidgetValue("Ratio", {19, 0, 0xE4, 0x0B, 0x54, 0x02, 0, 0, 0}));   // 10^10
    EXPECT_EQ(W1(fromInt).Ratio(), 1e10);
    TTestForm text;
    EXPECT_EQ(WidgetReadError(text, "Ratio = \"0.7\""), "Error reading Widget1.Ratio: Invalid property value");
}

TEST(ReaderValues, TextsArriveAsUtf8FromEveryStringForm)
{
    auto utf8 = ReadForm(WidgetLayout("Caption = \"Фильтр\""));
    EXPECT_EQ(W1(utf8).Caption(), "Фильтр");
    auto wide = ReadForm(WidgetLayout("Caption = w\"Go 𝄞\""));
    EXPECT_EQ(W1(wide).Caption(), "Go 𝄞");
    // Code page 1251 bytes that are not UTF-8: "Ёж" = A8 E6.
    auto ansi = ReadBytes(WidgetValue("Caption", {6, 2, 0xA8, 0xE6}));
    EXPECT_EQ(W1(ansi).Caption(), "Ёж");
    auto longString = ReadBytes(WidgetValue("Caption", {12, 3, 0, 0, 0, 'a', 'b', 'c'}));
    EXPECT_EQ(W1(longString).Caption(), "abc");
    // An unpaired surrogate becomes U+FFFD instead of invalid UTF-8.
    auto lone = ReadBytes(WidgetValue("Caption", {18, 2, 0, 0, 0, 'A', 0, 0x00, 0xD8}));
    EXPECT_EQ(W1(lone).Caption(), "A\xEF\xBF\xBD");
}

TEST(ReaderValues, NarrowTextsAreCodePageTextEvenWhenTheyLookLikeUtf8)
{
    // D0 B6 is "ж" in UTF-8, but a String or LString value holds code-page text: "Р¶".
    auto narrow = ReadBytes(WidgetValue("Caption", {6, 2, 0xD0, 0xB6}));
    EXPECT_EQ(W1(narrow).Caption(), "Р¶");
    auto longForm = ReadBytes(WidgetValue("Caption", {12, 2, 0, 0, 0, 0xD0, 0xB6}));
    EXPECT_EQ(W1(longForm).Caption(), "Р¶");
    auto list = ReadBytes(WidgetValue("Lines.Strings", {1, 6, 2, 0xD0, 0xB6, 0}));
    EXPECT_EQ(W1(list).Lines()->Get(0), "Р¶");
    // The UTF-8 form of the same bytes is UTF-8.
    auto utf8 = ReadBytes(WidgetValue("Caption", {20, 2, 0, 0, 0, 0xD0, 0xB6}));
    EXPECT_EQ(W1(utf8).Caption(), "ж");
}

TEST(ReaderValues, CharacterPropertiesTakeTheCodePageByteOfTheirCharacter)
{
    auto letter = ReadForm(WidgetLayout("Letter = \"*\""));
    EXPECT_EQ(W1(letter).Letter(), '*');
    // A Cyrillic letter from each string form: UTF-8, UTF-16, and the code-page byte itself.
    auto utf8 = ReadForm(WidgetLayout("Letter = \"ж\""));
    EXPECT_EQ(W1(utf8).Letter(), char(0xE6));
    auto wide = ReadForm(WidgetLayout("Letter = w\"Ё\""));
    EXPECT_EQ(W1(wide).Letter(), char(0xA8));
    auto narrow = ReadBytes(WidgetValue("Letter", {6, 1, 0xE6}));
    EXPECT_EQ(W1(narrow).Letter(), char(0xE6));
    // A character the code page lacks becomes "?", as in any conversion to the code page.
    auto foreign = ReadForm(WidgetLayout("Letter = \"é\""));
    EXPECT_EQ(W1(foreign).Letter(), '?');
    auto empty = ReadForm(WidgetLayout("Caption = \"x\"\nLetter = \"\""));
    EXPECT_EQ(W1(empty).Letter(), 0);
    // Two code-page characters are two characters, even when they would spell one in UTF-8.
    TTestForm two, twoBytes;
    EXPECT_EQ(WidgetReadError(two, "Letter = \"ab\""), "Error reading Widget1.Letter: Invalid property value");
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(twoBytes, WidgetValue("Letter", {6, 2, 0xD0, 0xB6})); }),
              "Error reading Widget1.Letter: Invalid property value");
}

TEST(ReaderValues, Int64sAndVariants)
{

    auto big = ReadForm(WidgetLayout("Big = -5000000000"));
    EXPECT_EQ(W1(big).Big(), -5000000000LL);
    auto small = ReadForm(WidgetLayout("Big = 3"));
    EXPECT_EQ(W1(small).Big(), 3);

    auto list = ReadForm(WidgetLayout("Value = (1, \"two\", 2.5, true, nil)"));
    const TVariant expected = TVariant::FromArray({TVariant::FromInteger(1), TVariant::FromString("two"),
                                                   TVariant::FromFloat(2.5L), TVariant::FromBoolean(true),
                                                   TVariant()});
    EXPECT_EQ(W1(list).Value(), expected);
    auto null = ReadBytes(WidgetValue("Value", {0}));
    EXPECT_TRUE(W1(null).Value().IsNull());
    auto currency = ReadBytes(WidgetValue("Value", {16, 0x10, 0x27, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(W1(currency).Value().AsFloat(), 1.0L);
    // Identifiers are no variant values; a binary one would need a registered custom type.
    TTestForm ident, binary;
    EXPECT_EQ(WidgetReadError(ident, "Value = shDark"), "Error reading Widget1.Value: Stream read error");
    EXPECT_EQ(WidgetReadError(binary, "Value = hex(\"00\")"), "Error reading Widget1.Value: Stream read error");
}

TEST(ReaderValues, ValueReadersStayInStepAfterForeignTags)
{
    // A boolean is its tag alone: 9 is true, anything else false, and the payload of another
    // tag is skipped instead of being taken for what follows (here the Int8 payload 9 would
    // read as a second true).
    const std::vector<uint8_t> bytes{2, 9, 6, 2, 'a', 'b', 9, 8, 3, 1, 0};
    TMemoryStream stream = TMemoryStream::View(bytes);
    TReader reader(stream);
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_EQ(reader.ReadInteger(), 1);
    EXPECT_EQ(reader.Position(), int64_t(bytes.size()));

    // A currency from an integer is the integer times 10000; one that would overflow is refused.
    const std::vector<uint8_t> currencies{2, 3, 19, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    TMemoryStream currencyStream = TMemoryStream::View(currencies);
    TReader currencyReader(currencyStream);
    EXPECT_EQ(currencyReader.ReadCurrency(), 30000);
    EXPECT_EQ(ErrorOf<EReadError>([&] { currencyReader.ReadCurrency(); }), "Invalid property value");

    // The limit is the largest integer whose currency fits: it and its negative are read, one
    // more either way is refused.
    constexpr int64_t limit = std::numeric_limits<int64_t>::max() / 10000;
    for (const int64_t value : {limit, -limit, limit + 1, -limit - 1}) {
        std::vector<uint8_t> int64Value{19};
        for (int i = 0; i < 8; ++i)
            int64Value.push_back(uint8_t(uint64_t(value) >> (8 * i)));
        TMemoryStream valueStream = TMemoryStream::View(int64Value);
        TReader valueReader(valueStream);
        if (value == limit || value == -limit)
            EXPECT_EQ(valueReader.ReadCurrency(), value * 10000) << value;
        else
            EXPECT_EQ(ErrorOf<EReadError>([&] { valueReader.ReadCurrency(); }), "Invalid property value") << value;
    }
}

TEST(ReaderValues, HandlersBindByNameToTheRootAndMustFitTheEvent)
{
    auto form = ReadForm(WidgetLayout("OnTick = widget1tick"));
    int amount = 4;
    W1(form).OnTick()(&W1(form), amount);
    EXPECT_EQ(form->ticks, 4);

    TTestForm unknown, mismatch;
    EXPECT_EQ(WidgetReadError(unknown, "OnTick = Widget1Tock"), "Error reading Widget1.OnTick: Invalid property value");
    EXPECT_EQ(WidgetReadError(mismatch, "OnTick = WrongShape"), "Error reading Widget1.OnTick: Invalid property value");
    EXPECT_EQ(mismatch.Widget1, nullptr);
    Bytes twice;
    twice.Sig().Str("TTestForm").Str("Form1").End().Str("TWidget").Str("Widget1");
    twice.Str("OnTick").Raw({7}).Str("Widget1Tick").Str("OnTick").Raw({13}).End().End().End();
    auto cleared = ReadBytes(twice.b);
    EXPECT_FALSE(static_cast<bool>(W1(cleared).OnTick()));
}

TEST(ReaderValues, ReadOnlyPropertiesAreRefused)
{
    TTestForm form;
    EXPECT_EQ(WidgetReadError(form, "ReadOnlyLeft = 3"), "Error reading Widget1.ReadOnlyLeft: Property is read-only");
    TTestForm object;
    EXPECT_EQ(WidgetReadError(object, "Title = nil"), "Error reading Widget1.Title: Property is read-only");
}

TEST(ReaderValues, TextListsReadTheirStringsAsOneChange)
{
    auto form = ReadForm(WidgetLayout("Lines.Strings = (\"one\", w\"два\", \"three\")\nTitle.Text.Strings = (\"TChart\")"));
    EXPECT_EQ(W1(form).Lines()->Text(), "one\r\nдва\r\nthree\r\n");
    EXPECT_EQ(W1(form).lineChanges, 1);
    EXPECT_EQ(W1(form).Title()->Text()->Count(), 1);
    EXPECT_EQ(W1(form).Title()->Text()->Get(0), "TChart");
    // A list item that is no string fails, and the list is not a list without the list tag.
    TTestForm number, noList;
    EXPECT_EQ(WidgetReadError(number, "Lines.Strings = (\"a\", 5)"),
              "Error reading Widget1.Lines.Strings: Invalid property value");
    EXPECT_EQ(WidgetReadError(noList, "Lines.Strings = \"a\""),
              "Error reading Widget1.Lines.Strings: Invalid property value");
}

TEST(ReaderValues, BinaryDataReachesTheDefinedPropertyAsAStream)
{
    auto form = ReadForm(WidgetLayout("Blob.Data = hex(\"00 01 FE FF\")\nLeft = 9"));
    EXPECT_EQ(W1(form).Blob()->data, (std::vector<uint8_t>{0x00, 0x01, 0xFE, 0xFF}));
    EXPECT_EQ(W1(form).Left(), 9);
    // Another tag is skipped, then refused: the next property still reads with a lenient hook.
    TTestForm text;
    int errors = 0;
    ReadInto(text, Compile(WidgetLayout("Blob.Data = \"0001\"\nLeft = 9")), [&](TReader&, const std::string& m) {
        EXPECT_EQ(m, "Error reading Widget1.Blob.Data: Invalid property value");
        return ++errors > 0;
    });
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(text.Widget1->Blob()->reads, 0);
    EXPECT_EQ(text.Widget1->Left(), 9);
    // A length beyond the stream fails cleanly instead of allocating it.
    TTestForm huge;
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(huge, WidgetValue("Blob.Data", {10, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2})); }),
              "Error reading Widget1.Blob.Data: Stream read error");
}

TEST(ReaderValues, NonVisualComponentsKeepTheirDesignPositionOutOfTheWay)
{
    // TComponent publishes no Left/Top; the stored design position is accepted as integers.
    Bytes b;
    b.Sig().Str("TTestForm").Str("Form1").End();
    b.Str("TNonVisual").Str("Timer1").Str("Left").Raw({3, 0x10, 0x01}).Str("top").Raw({2, 8}).End().End();
    b.End();
    RegisterClass(TNonVisual::StaticClass());
    TTestForm form;
    ReadInto(form, b.b);
    ASSERT_NE(form.FindComponent("Timer1"), nullptr);
    EXPECT_EQ(form.FindComponent("Timer1")->DesignLeft(), 0x110);
    EXPECT_EQ(form.FindComponent("Timer1")->DesignTop(), 8);
    Bytes bad;
    bad.Sig().Str("TTestForm").Str("Form1").End().Str("TNonVisual").Str("Timer1").Str("Left").Raw({6, 0}).End().End().End();
    TTestForm badForm;
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(badForm, bad.b); }), "Error reading Timer1.Left: Invalid property value");
}

TEST(ReaderValues, CollectionsAreClearedAndFilledItemByItem)
{
    auto form = ReadForm(WidgetLayout("Entries = collection {\n item { Caption = \"a\" }\n item 5 { Width = 3 }\n}"));
    TCollection* entries = W1(form).Entries();
    ASSERT_EQ(entries->Count(), 2);
    EXPECT_EQ(static_cast<TKitItem*>(entries->Items(0))->Caption(), "a");
    EXPECT_EQ(static_cast<TKitItem*>(entries->Items(1))->Width(), 3);
    EXPECT_EQ(W1(form).entriesAssigned, 0);
    // An item's own failure is reported for the item, inside the collection's record.
    TTestForm bad;
    EXPECT_EQ(WidgetReadError(bad, "Entries = collection {\n item { Width = \"x\" }\n}"),
              "Error reading Widget1.Entries: Error reading TKitItem.Width: Invalid property value");
}
