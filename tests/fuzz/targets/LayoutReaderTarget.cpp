// The layout reader on arbitrary bytes, reading into the small component classes of
// FuzzComponents.h. An input that starts with "TPF0" is the stream itself; otherwise the first
// byte holds options and the stream follows:
//   1  an error hook that accepts every error, so reading goes on past bad records
//   2  no root given: the reader creates the root from the (registered) class it names
//   4  a 7-byte read buffer instead of 4096 bytes, so values straddle buffer refills
//   8  a class hook that maps any other class name starting with "T" to TFuzzWidget, so
//      streams written for real windows (TLabel, TEdit, ...) read all the way through
//
// A read ends in a root or in a framework exception (Exception and its kin), nothing else.
// Afterwards, on success: nothing is left loading, component names are valid and unique per
// owner, the root's fields point at live components of that name, and a well-formed stream
// was consumed to its end. Always: once the root is freed, no component of the fuzz classes
// and no pending reference is left over.

#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzComponents.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "tests/fuzz/targets/StreamWalker.h"

#include "forms/PendingReferences.h"
#include "forms/TMemoryStream.h"
#include "forms/TReader.h"
#include "rtl/Exception.h"
#include "rtl/Text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <span>
#include <string>

namespace fuzz {
namespace {

constexpr const char* kName = "layout_reader";

// Another window that lives for the whole process, so that references such as
// "Form2.Edit1" can resolve and a root read under the name Form2 gets renamed. It is freed at
// exit, before the registries it is entered in (they were made while it was built).
void SetUpOnce()
{
    static const std::unique_ptr<TFuzzForm> other = [] {
        RegisterClass(TFuzzForm::StaticClass());
        RegisterClass(TFuzzPanel::StaticClass());
        auto form = std::make_unique<TFuzzForm>();
        form->SetName("Form2");
        form->Edit1 = new TFuzzWidget(form.get());
        form->Edit1->SetName("Edit1");
        (void)PendingReferences::Global();
        return form;
    }();
}

// F2_FUZZ_VERBOSE=1 prints how each read ended, for looking into an input by hand.
bool Verbose()
{
    static const bool verbose = std::getenv("F2_FUZZ_VERBOSE") != nullptr;
    return verbose;
}

// A reference assigned to a collection item names a component that lives: a dangling one would
// be caught here by AddressSanitizer.
void CheckItems(const TComponent& component)
{
    const auto* widget = dynamic_cast<const readerkit::TKitWidget*>(&component);
    if (!widget)
        return;
    for (int i = 0; i < widget->Entries()->Count(); ++i)
        if (const auto* partner = static_cast<const readerkit::TKitItem*>(widget->Entries()->Items(i))->Partner())
            F2_FUZZ_CHECK(kName, rtl::IsValidIdent(partner->Name()), "an item refers to a component without a name");
}

void CheckTree(const TComponent& owner)
{
    std::set<std::string> names;
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        const TComponent* child = owner.Components(i);
        CheckItems(*child);
        F2_FUZZ_CHECK(kName, child->Owner() == &owner, "a component's owner does not list it");
        F2_FUZZ_CHECK(kName, !child->IsLoading(), "component " + child->Name() + " is still loading");
        if (!child->Name().empty()) {
            F2_FUZZ_CHECK(kName, rtl::IsValidIdent(child->Name()), "component name '" + child->Name() + "' is no identifier");
            F2_FUZZ_CHECK(kName, names.insert(rtl::LowerCase(child->Name())).second, "two components named " + child->Name());
        }
        CheckTree(*child);
    }
}

void CheckField(const TComponent& root, const TFuzzWidget* field, const char* name)
{
    if (!field)
        return;
    // A field left pointing at a freed component would be caught here by AddressSanitizer.
    F2_FUZZ_CHECK(kName, rtl::SameText(field->Name(), name), std::string("field ") + name + " holds " + field->Name());
    F2_FUZZ_CHECK(kName, field->Owner() == &root, std::string("field ") + name + " holds a component of another owner");
}

void CheckRead(TComponent& root)
{
    F2_FUZZ_CHECK(kName, !root.IsLoading(), "the root is still loading");
    CheckTree(root);
    if (auto* form = dynamic_cast<TFuzzForm*>(&root)) {
        CheckField(root, form->Widget1, "Widget1");
        CheckField(root, form->Widget2, "Widget2");
        CheckField(root, form->Edit1, "Edit1");
    }
}

} // namespace

int LayoutReader(const uint8_t* data, size_t size)
{
    SetUpOnce();
    uint8_t options = 0;
    std::span<const uint8_t> bytes(data, size);
    if (size > 0 && !(size >= 4 && std::memcmp(data, "TPF0", 4) == 0)) {
        options = data[0];
        bytes = bytes.subspan(1);
    }
    // The names of Loaded calls would pile up over millions of inputs.
    readerkit::Census::Reset();
    const int aliveBefore = readerkit::Census::Alive();
    const size_t pendingBefore = PendingReferences::Global().Count();

    TMemoryStream stream = TMemoryStream::View(bytes);
    std::unique_ptr<TComponent> root;
    if (!(options & 2))
        root = std::make_unique<TFuzzForm>();
    bool read = false;
    try {
        TReader reader(stream, (options & 4) ? 7 : TReader::kBufferSize);
        if (options & 1)
            reader.SetOnError([](TReader&, const std::string&) { return true; });
        if (options & 8)
            reader.SetOnFindComponentClass([](TReader&, const std::string& className) -> const TClassInfo* {
                if (className.size() > 1 && className[0] == 'T' && !FindRegisteredClass(className))
                    return &TFuzzWidget::StaticClass();
                return nullptr;
            });
        if (root) {
            F2_FUZZ_CHECK(kName, reader.ReadRootComponent(root.get()) == root.get(), "the reader returned another root");
        } else {
            root.reset(reader.ReadRootComponent(nullptr));
            F2_FUZZ_CHECK(kName, root != nullptr, "the reader returned no root");
        }
        read = true;
    } catch (const Exception& error) {
        if (Verbose())
            std::fprintf(stderr, "%s: %s\n", error.ClassName(), error.Message().c_str());
        F2_FUZZ_CHECK(kName, !error.Message().empty(), std::string(error.ClassName()) + " without a message");
    } catch (const std::exception& error) {
        Broken(kName, std::string("unexpected exception: ") + error.what());
    }

    F2_FUZZ_CHECK(kName, stream.Position() >= 0 && stream.Position() <= int64_t(bytes.size()),
                  "the stream stands outside its bytes");
    if (read) {
        if (Verbose())
            std::fprintf(stderr, "read %s : %s with %d components\n", root->Name().c_str(),
                         root->ClassName().c_str(), root->ComponentCount());
        CheckRead(*root);
        StreamWalker walker(bytes);
        if (walker.Walk())
            F2_FUZZ_CHECK(kName, stream.Position() == int64_t(bytes.size()),
                          "a well-formed stream was read to " + std::to_string(stream.Position()) + " of " +
                              std::to_string(bytes.size()) + " bytes");
    }
    root.reset();
    F2_FUZZ_CHECK(kName, readerkit::Census::Alive() == aliveBefore,
                  std::to_string(readerkit::Census::Alive() - aliveBefore) + " components outlived their root");
    F2_FUZZ_CHECK(kName, PendingReferences::Global().Count() == pendingBefore,
                  "pending references outlived their root");
    return 0;
}

} // namespace fuzz
