// Components: the root, children, names, references, the loading pass, failures and what
// they free, bad and truncated streams, and the layout loader.

#include "ReaderTestSupport.h"

#include "forms/LayoutLoader.h"
#include "forms/PendingReferences.h"
#include "forms/ResourceTable.h"
#include "tools/layoutc/ELayoutError.h"

#include <map>

using namespace readertest;

namespace {

const char* const kRealistic = R"(
Form1 : TTestForm {
  Left = 203
  Caption = "Фильтр"
  Partner = Widget2
  Widget1 : TWidget {
    Left = -5
    Caption = w"Go"
    Shade = shDark
    Traits = [trRound, trHeavy]
    Ratio = 0.7
    Hue = huWindow
    Flag = true
    Big = 5000000000
    OnTick = Widget1Tick
    Title.Font.Height = -11
    Title.Text.Strings = ("TChart", "second")
    Blob.Data = hex("0102030405")
    Entries = collection {
      item { Caption = "a" }
      item 1 { Width = 3 }
    }
    Widget2 : TWidget {
      Partner = Widget1
      Lines.Strings = ("x")
    }
  }
  Widget3 : TWidget {
    Value = 12
  }
}
)";

TComponent* ReadNew(const std::vector<uint8_t>& bytes)
{
    TMemoryStream stream = TMemoryStream::View(bytes);
    TReader reader(stream);
    return reader.ReadRootComponent(nullptr);
}

struct Registered {
    Registered()
    {
        RegisterClass(TTestForm::StaticClass());
        RegisterClass(TFragile::StaticClass());
        RegisterClass(TNotAComponent::StaticClass());
        Census::Reset();
    }
};

} // namespace

TEST(ReaderStructure, ARealisticLayoutBuildsTheWholeTree)
{
    Registered registered;
    const int alive = Census::Alive();
    std::unique_ptr<TComponent> root(ReadNew(Compile(kRealistic)));
    auto* form = dynamic_cast<TTestForm*>(root.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Census::Alive(), alive + 4);
    EXPECT_EQ(form->Name(), "Form1");
    EXPECT_EQ(form->Caption(), "Фильтр");
    ASSERT_TRUE(form->Widget1 && form->Widget2 && form->Widget3);
    // Everything is owned by the root; parents follow the nesting.
    EXPECT_EQ(form->Widget2->Owner(), form);
    EXPECT_EQ(form->Widget2->GetParentComponent(), form->Widget1);
    EXPECT_EQ(form->Widget1->GetParentComponent(), nullptr);   // the root is no widget
    // References resolve after the root, also to components read later.
    EXPECT_EQ(form->Partner(), form->Widget2);
    EXPECT_EQ(form->Widget2->Partner(), form->Widget1);
    // One Loaded per component, each while still loading; then no more loading. The root comes
    // first, then each component as its reading completes (a child before its parent).
    EXPECT_EQ(Census::Loaded(), (std::vector<std::string>{"Form1", "Widget2", "Widget1", "Widget3"}));
    EXPECT_TRUE(form->Widget1->loadingWhileRead);
    EXPECT_FALSE(form->IsLoading() || form->Widget1->IsLoading() || form->Widget3->IsLoading());
    EXPECT_FALSE(form->ComponentState().Contains(csReading));
    EXPECT_EQ(form->Widget1->Title()->Text()->Text(), "TChart\r\nsecond\r\n");
    EXPECT_EQ(form->Widget1->Blob()->data.size(), 5u);
    EXPECT_EQ(form->Widget3->Value().AsInteger(), 12);
}

TEST(ReaderStructure, AWrongSignatureFailsBeforeAnythingIsCreated)
{
    Registered registered;
    const int alive = Census::Alive();
    std::vector<uint8_t> bytes = Compile(kRealistic);
    bytes[3] = '1';
    EXPECT_EQ(ErrorOf<EReadError>([&] { delete ReadNew(bytes); }), "Invalid stream format");
    EXPECT_EQ(ErrorOf<EReadError>([&] { delete ReadNew({'T', 'P'}); }), "Invalid stream format");
    EXPECT_EQ(Census::Alive(), alive);
}

TEST(ReaderStructure, AStreamCutAtEveryOffsetFailsCleanly)
{
    Registered registered;
    const int alive = Census::Alive();
    const std::vector<uint8_t> full = Compile(kRealistic);
    for (size_t cut = 0; cut < full.size(); ++cut) {
        const std::vector<uint8_t> part(full.begin(), full.begin() + std::ptrdiff_t(cut));
        std::string message;
        try {
            delete ReadNew(part);
            message = "no exception";
        } catch (const Exception& e) {
            message = e.Message();
        }
        const bool expected = cut < 4 ? message == "Invalid stream format"
                                      : message.ends_with("Stream read error");
        EXPECT_TRUE(expected) << "cut at " << cut << ": " << message;
        EXPECT_EQ(Census::Alive(), alive) << "cut at " << cut;
        // Into a given root: the caller's instance survives, what the reader made is owned by it.
        TTestForm form;
        EXPECT_THROW(ReadInto(form, part), Exception) << "cut at " << cut;
    }
    EXPECT_EQ(Census::Alive(), alive);
    EXPECT_EQ(PendingReferences::Global().Count(), 0u);
}

TEST(ReaderStructure, ClassesComeFromTheRootsFieldsOrTheRegistryAndMustBeComponents)
{
    Registered registered;
    const int alive = Census::Alive();
    TTestForm unknown;
    EXPECT_EQ(ErrorOf<EClassNotFound>([&] { ReadInto(unknown, Compile("Form1 : TTestForm {\n X : TNope {\n Left = 1\n }\n}")); }),
              "Class TNope not found");
    TTestForm notComponent;
    EXPECT_EQ(ErrorOf<EClassNotFound>([&] { ReadInto(notComponent, Compile("Form1 : TTestForm {\n X : TNotAComponent {\n }\n}")); }),
              "Class TNotAComponent not found");
    // TFragile is no field class: found through the registry.
    auto form = ReadForm("Form1 : TTestForm {\n F : tfragile {\n Limit = 3\n }\n}");
    EXPECT_EQ(form->FindComponent("F")->ClassName(), "TFragile");
    // The root's class must be registered when the reader creates the root.
    EXPECT_EQ(ErrorOf<EClassNotFound>([&] { delete ReadNew(Compile("Form1 : TMissing {\n}")); }),
              "Class TMissing not found");
    // Only the field classes themselves count, not their ancestors: TComponent, the base of
    // the field class TWidget, is no class a layout may create.
    TTestForm base;
    EXPECT_EQ(ErrorOf<EClassNotFound>([&] { ReadInto(base, Compile("Form1 : TTestForm {\n X : TComponent {\n }\n}")); }),
              "Class TComponent not found");
    EXPECT_EQ(base.ComponentCount(), 0);
    // The fields of the root's ancestors count: TLeafForm has TTestForm's Widget1.
    TLeafForm leaf;
    ReadInto(leaf, Compile("Form1 : TLeafForm {\n Widget1 : twidget {\n }\n}"));
    ASSERT_NE(leaf.Widget1, nullptr);
    form.reset();
    EXPECT_EQ(Census::Alive(), alive + 5);   // the failed forms above are still alive, and leaf with its widget
}

TEST(ReaderStructure, ASecondRootOfTheSameNameIsRenamedProcessWide)
{
    Registered registered;
    const auto bytes = Compile("Form1 : TTestForm {\n}");
    TTestForm first, second, third;
    ReadInto(first, bytes);
    ReadInto(second, bytes);
    ReadInto(third, bytes);
    EXPECT_EQ(first.Name(), "Form1");
    EXPECT_EQ(second.Name(), "Form1_1");
    EXPECT_EQ(third.Name(), "Form1_2");
    // Reading again into a root that already has the name keeps it.
    ReadInto(first, bytes);
    EXPECT_EQ(first.Name(), "Form1");
}

TEST(ReaderStructure, ChildNamesAreCheckedAndFailuresFreeTheNewComponent)
{
    Registered registered;
    const int alive = Census::Alive();
    {
        TTestForm form;
        EXPECT_EQ(ErrorOf<EComponentError>([&] { ReadInto(form, Compile("Form1 : TTestForm {\n Widget1 : TWidget {\n }\n widget1 : TWidget {\n }\n}")); }),
                  "A component named widget1 already exists");
        EXPECT_EQ(form.ComponentCount(), 1);
        EXPECT_EQ(Census::Alive(), alive + 2);
    }
    {
        // Underscores count as letters, also in front.
        TTestForm form;
        ReadInto(form, Compile("Form1 : TTestForm {\n Widget_1 : TWidget {\n }\n _spare : TWidget {\n }\n}"));
        EXPECT_NE(form.FindComponent("widget_1"), nullptr);
        EXPECT_NE(form.FindComponent("_SPARE"), nullptr);
    }
    {
        Bytes b;
        b.Sig().Str("TTestForm").Str("Form1").End().Str("TWidget").Str("1st").End().End().End();
        TTestForm form;
        EXPECT_EQ(ErrorOf<EComponentError>([&] { ReadInto(form, b.b); }), "''1st'' is not a valid component name");
        EXPECT_EQ(form.ComponentCount(), 0);
    }
    {
        // A failing property of a child propagates and frees the child (and what it owned).
        TTestForm form;
        EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(form, Compile("Form1 : TTestForm {\n F : TFragile {\n Limit = 50\n }\n}")); }),
                  "Error reading F.Limit: Limit too high");
        EXPECT_EQ(form.ComponentCount(), 0);
    }
    EXPECT_EQ(Census::Alive(), alive);
}

TEST(ReaderStructure, TheErrorHookLetsReadingGoOnAfterTheFailingPart)
{
    Registered registered;
    std::vector<std::string> errors;
    const auto lenient = [&](TReader&, const std::string& message) {
        errors.push_back(message);
        return true;
    };
    TTestForm form;
    ReadInto(form, Compile(R"(
Form1 : TTestForm {
  Left = "wrong"
  Caption = "kept"
  Widget1 : TWidget {
    Limit = 1
    Shade = shDark
  }
  Lost : TNope {
    Left = 1
    Inner : TWidget {
      Left = 2
    }
  }
  Widget2 : TWidget {
    OnTick = Missing
    Left = 8
  }
}
)"), lenient);
    EXPECT_EQ(errors, (std::vector<std::string>{"Error reading Form1.Left: Invalid property value",
                                                "Error reading Widget1.Limit: Property Limit does not exist",
                                                "Class TNope not found",
                                                "Error reading Widget2.OnTick: Invalid property value"}));
    EXPECT_EQ(form.Caption(), "kept");
    ASSERT_TRUE(form.Widget1 && form.Widget2);
    EXPECT_EQ(form.Widget1->Shade(), shDark);
    EXPECT_EQ(form.Widget2->Left(), 8);
    EXPECT_EQ(form.FindComponent("Inner"), nullptr);   // the skipped child's children are skipped too
    EXPECT_EQ(form.ComponentCount(), 2);
}

TEST(ReaderStructure, ReferencesToOtherWindowsWaitUntilThatWindowIsRead)
{
    Registered registered;
    const size_t before = PendingReferences::Global().Count();
    TTestForm first;
    ReadInto(first, Compile("Form1 : TTestForm {\n Partner = Form9.Widget1\n}"));
    EXPECT_EQ(first.Partner(), nullptr);
    EXPECT_EQ(PendingReferences::Global().Count(), before + 1);
    {
        TTestForm other;
        ReadInto(other, Compile("Form9 : TTestForm {\n Widget1 : TWidget {\n }\n}"));
        EXPECT_EQ(first.Partner(), other.Widget1);
        EXPECT_EQ(PendingReferences::Global().Count(), before);
        first.SetPartner(nullptr);
    }
    // A window destroyed with a pending reference takes the reference with it.
    {
        TTestForm waiting;
        ReadInto(waiting, Compile("Form2 : TTestForm {\n Widget1 : TWidget {\n Partner = Form8.Widget1\n }\n}"));
        EXPECT_EQ(PendingReferences::Global().Count(), before + 1);
    }
    EXPECT_EQ(PendingReferences::Global().Count(), before);
}

TEST(ReaderReferences, AReferenceOfAnItemFreedByASecondReadOfItsCollectionIsDropped)
{
    Registered registered;
    const size_t before = PendingReferences::Global().Count();
    // Widget1 stores Entries twice. The first item refers to Widget2, which is read later; the
    // second read of the collection frees that item before the references are resolved.
    Bytes b;
    b.Sig().Str("TTestForm").Str("Form1").End();
    b.Str("TWidget").Str("Widget1");
    b.Str("Entries").Raw({14, 1}).Str("Partner").Raw({7}).Str("Widget2").End().End();
    b.Str("Entries").Raw({14, 1}).Str("Caption").Raw({6}).Str("kept").End();
    b.Raw({1}).Str("Partner").Raw({7}).Str("Widget2").End().End();
    b.End().End();
    b.Str("TWidget").Str("Widget2").End().End();
    b.End();
    TTestForm form;
    ReadInto(form, b.b);
    ASSERT_TRUE(form.Widget1 && form.Widget2);
    TCollection* entries = form.Widget1->Entries();
    ASSERT_EQ(entries->Count(), 2);
    EXPECT_EQ(static_cast<TKitItem*>(entries->Items(0))->Caption(), "kept");
    EXPECT_EQ(static_cast<TKitItem*>(entries->Items(0))->Partner(), nullptr);
    EXPECT_EQ(static_cast<TKitItem*>(entries->Items(1))->Partner(), form.Widget2);
    EXPECT_EQ(PendingReferences::Global().Count(), before);
}

TEST(ReaderReferences, AReferenceWaitingForAnotherWindowGoesWithTheObjectHoldingIt)
{
    Registered registered;
    const size_t before = PendingReferences::Global().Count();
    // A collection item's reference into a window not read yet; program code clears the
    // collection meanwhile.
    TTestForm first;
    ReadInto(first, Compile(WidgetLayout("Entries = collection {\n item { Partner = Form7.Widget1 }\n}")));
    EXPECT_EQ(PendingReferences::Global().Count(), before + 1);
    first.Widget1->Entries()->Clear();
    EXPECT_EQ(PendingReferences::Global().Count(), before);
    // A component holding one, freed while its window lives.
    TTestForm second;
    ReadInto(second, Compile("Form2 : TTestForm {\n Widget2 : TWidget {\n Partner = Form7.Widget1\n }\n}"));
    EXPECT_EQ(PendingReferences::Global().Count(), before + 1);
    delete second.Widget2;
    EXPECT_EQ(PendingReferences::Global().Count(), before);
    // Reading the window named writes into neither.
    TTestForm target;
    ReadInto(target, Compile("Form7 : TTestForm {\n Widget1 : TWidget {\n }\n}"));
    EXPECT_EQ(first.Widget1->Entries()->Count(), 0);
    EXPECT_EQ(PendingReferences::Global().Count(), before);
}

TEST(ReaderStructure, AComponentFreedByAnEarlierOnesLoadedIsNotNotified)
{
    Registered registered;
    Census::OnLoaded() = [](TComponent* loaded) {
        if (loaded->Name() == "Widget2")
            delete loaded->Owner()->FindComponent("Widget3");
    };
    TTestForm form;
    ReadInto(form, Compile("Form1 : TTestForm {\n Widget1 : TWidget {\n }\n Widget2 : TWidget {\n }\n"
                           " Widget3 : TWidget {\n }\n}"));
    Census::OnLoaded() = nullptr;
    EXPECT_EQ(Census::Loaded(), (std::vector<std::string>{"Form1", "Widget1", "Widget2"}));
    EXPECT_EQ(form.Widget3, nullptr);
    EXPECT_FALSE(form.IsLoading() || form.Widget1->IsLoading() || form.Widget2->IsLoading());
}

TEST(ReaderStructure, InheritedComponentsAreLookedUpNotCreated)
{
    Registered registered;
    TTestForm form;
    ReadInto(form, Compile("Form1 : TTestForm {\n Widget1 : TWidget {\n Left = 1\n }\n}"));
    TWidget* original = form.Widget1;
    ReadInto(form, Compile("Form1 : TTestForm {\n inherited Widget1 : TWidget {\n Caption = \"again\"\n }\n}"));
    EXPECT_EQ(form.Widget1, original);
    EXPECT_EQ(original->Left(), 1);
    EXPECT_EQ(original->Caption(), "again");
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(form, Compile("Form1 : TTestForm {\n inherited Widget9 : TWidget {\n }\n}")); }),
              "Ancestor for 'Widget9' not found");
}

TEST(ReaderStructure, DeepNestingIsRefusedInsteadOfExhaustingTheStack)
{
    Registered registered;
    Bytes b;
    b.Sig().Str("TTestForm").Str("Form1").End().Str("TWidget").Str("Widget1").Str("Value");
    for (int i = 0; i < 100000; ++i)
        b.Raw({1});
    TTestForm form;
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(form, b.b); }), "Error reading Widget1.Value: Layout nesting is too deep");
}

TEST(ReaderStructure, TheCompilerRefusesTheNestingTheReaderRefuses)
{
    Registered registered;
    const auto nested = [](int lists) {
        return WidgetLayout("Value = " + std::string(size_t(lists), '(') + std::string(size_t(lists), ')'));
    };
    // Widget1 is one level deep: 99 lists around its value are the most either accepts.
    auto form = ReadForm(nested(99));
    const TVariant value = form->Widget1->Value();
    int depth = 0;
    for (const TVariant* level = &value; level->GetKind() == TVariant::Kind::Array && !level->AsArray().empty();
         level = &level->AsArray()[0])
        ++depth;
    EXPECT_EQ(depth, 98);   // the innermost list is empty
    EXPECT_EQ(ErrorOf<layoutc::ELayoutError>([&] { Compile(nested(100)); }),
              "test.layout:3: nesting is deeper than 100 levels");
    Bytes b;
    b.Sig().Str("TTestForm").Str("Form1").End().Str("TWidget").Str("Widget1").Str("Value");
    b.b.insert(b.b.end(), 100, 1);
    b.b.insert(b.b.end(), 100, 0);
    b.End().End().End();
    TTestForm refused;
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(refused, b.b); }), "Error reading Widget1.Value: Layout nesting is too deep");
}

TEST(ReaderStructure, TheReaderLeavesTheStreamRightAfterTheLastByteConsumed)
{
    Registered registered;
    std::vector<uint8_t> bytes = Compile("Form1 : TTestForm {\n Left = 3\n}");
    const int64_t layoutSize = int64_t(bytes.size());
    bytes.insert(bytes.end(), {'t', 'a', 'i', 'l'});
    TMemoryStream stream = TMemoryStream::View(bytes);
    TTestForm form;
    {
        TReader reader(stream, 16);   // a small buffer, so that reading refills it many times
        reader.ReadRootComponent(&form);
        EXPECT_EQ(reader.Position(), layoutSize);
    }
    EXPECT_EQ(stream.Position(), layoutSize);
    EXPECT_EQ(form.Left(), 3);
}

TEST(LayoutLoader, ReadsEveryLayoutOfTheAncestryInOnePass)
{
    Registered registered;
    std::map<std::string, std::vector<uint8_t>> resources;
    resources["TMIDFORM"] = Compile("Form1 : TMidForm {\n Left = 1\n Widget1 : TWidget {\n Left = 4\n }\n}");
    resources["TLEAFFORM"] = Compile(
        "Form1 : TLeafForm {\n Caption = \"leaf\"\n inherited Widget1 : TWidget {\n Caption = \"w\"\n }\n Widget2 : TWidget {\n }\n}");
    resources["TTESTFORM"] = Compile("Form1 : TTestForm {\n Caption = \"generic: never read\"\n}");
    const auto finder = [&](std::string_view type, std::string_view name) -> std::optional<std::span<const uint8_t>> {
        EXPECT_EQ(type, "RCDATA");
        const auto it = resources.find(std::string(name.begin(), name.end()) == "TLeafForm" ? "TLEAFFORM"
                                       : name == "TMidForm"                                ? "TMIDFORM"
                                       : name == "TTestForm" ? "TTESTFORM" : "");
        if (it == resources.end())
            return std::nullopt;
        return std::span<const uint8_t>(it->second);
    };
    TLeafForm form;
    LayoutLoader::ReadLayouts(form, TTestForm::StaticClass(), finder);
    EXPECT_EQ(form.Left(), 1);
    EXPECT_EQ(form.Caption(), "leaf");
    ASSERT_TRUE(form.Widget1 && form.Widget2);
    EXPECT_EQ(form.Widget1->Left(), 4);
    EXPECT_EQ(form.Widget1->Caption(), "w");
    EXPECT_EQ(Census::Loaded(), (std::vector<std::string>{"Form1", "Widget1", "Widget2"}));
    EXPECT_FALSE(form.IsLoading());

    TLeafForm none;
    EXPECT_EQ(ErrorOf<EResNotFound>([&] {
                  LayoutLoader::ReadLayouts(none, TTestForm::StaticClass(),
                                            [](std::string_view, std::string_view) { return std::nullopt; });
              }),
              "Resource TLeafForm not found");
}

TEST(LayoutLoader, FindsTheLayoutInTheResourceTableWithoutRegardToCase)
{
    Registered registered;
    static const std::vector<uint8_t> layout = Compile("FormX : TMidForm {\n Left = 77\n}");
    ResourceTable::Register("RCDATA", "TMIDFORM", layout.data(), layout.size());
    TMidForm form;
    LayoutLoader::ReadLayouts(form, TTestForm::StaticClass());
    EXPECT_EQ(form.Left(), 77);
    EXPECT_EQ(form.Name(), "FormX");
}
