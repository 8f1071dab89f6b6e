// Windows are known process-wide while they live: a second window of a class gets a name of its
// own, FindGlobalComponent finds windows by name, and a reference into a window not created yet
// waits until that window is read. The windows here are framework forms built from layout
// streams by their constructors, as the program's own windows are; none registers itself.

#include "ReaderTestClasses.h"

#include "forms/LayoutLoader.h"
#include "forms/MessageQueue.h"
#include "forms/PendingReferences.h"
#include "forms/ResourceTable.h"
#include "forms/TApplication.h"
#include "forms/TEdit.h"
#include "forms/TForm.h"
#include "platform/HeadlessDesktop.h"
#include "tests/support/FreshDesktop.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// The generic class of the windows below: an edit field and a reference to an edit of any
// window. Each subclass reads the layout named after it.
class TTestWindow : public TForm {
    F2_CLASS(TTestWindow, TForm)
public:
    using TForm::TForm;
    TEdit* Edit1 = nullptr;
    TEdit* Link() const { return link_.Get(); }
    void SetLink(TEdit* edit) { link_.Set(edit); }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TForm::Notification(component, operation);
        link_.Forget(component, operation);
    }
    void ReadLayout() { LayoutLoader::ReadLayouts(*this, TTestWindow::StaticClass()); }

private:
    readerkit::WatchedReference<TEdit> link_{this};
};

class TTwinForm : public TTestWindow {
    F2_CLASS(TTwinForm, TTestWindow)
public:
    explicit TTwinForm(TComponent* owner) : TTestWindow(owner) { ReadLayout(); }
};

class TLinkForm : public TTestWindow {
    F2_CLASS(TLinkForm, TTestWindow)
public:
    explicit TLinkForm(TComponent* owner) : TTestWindow(owner) { ReadLayout(); }
};

class TTargetForm : public TTestWindow {
    F2_CLASS(TTargetForm, TTestWindow)
public:
    explicit TTargetForm(TComponent* owner) : TTestWindow(owner) { ReadLayout(); }
};

void RegisterLayout(const char* className, const std::string& text)
{
    // The resource table keeps pointers to the bytes: they live as long as the process.
    static std::map<std::string, std::vector<uint8_t>> layouts;
    const std::vector<uint8_t>& bytes = layouts[className] = readertest::Compile(text);
    ResourceTable::Register("RCDATA", className, bytes.data(), bytes.size());
}

class WindowRegistry : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterLayout("TTWINFORM", "Form1 : TTwinForm {\n Caption = \"twin\"\n Edit1 : TEdit {\n }\n}");
        RegisterLayout("TLINKFORM", "Form3 : TLinkForm {\n Link = Form2.Edit1\n}");
        RegisterLayout("TTARGETFORM", "Form2 : TTargetForm {\n Edit1 : TEdit {\n Text = \"target\"\n }\n}");
    }

    void SetUp() override
    {
        InstallFreshDesktop();
        app = std::make_unique<TApplication>(nullptr);
    }

    void TearDown() override
    {
        app.reset();
        MessageQueue::Clear();
    }

    std::unique_ptr<TApplication> app;
};

} // namespace

F2_DEFINE_CLASS(TTestWindow, TForm, F2_NO_FACTORY)
{
    c.Field("Edit1", &TTestWindow::Edit1);
    c.Property("Link", &TTestWindow::Link, &TTestWindow::SetLink);
}
F2_DEFINE_CLASS(TTwinForm, TTestWindow, F2_FACTORY(TTwinForm)) {}
F2_DEFINE_CLASS(TLinkForm, TTestWindow, F2_FACTORY(TLinkForm)) {}
F2_DEFINE_CLASS(TTargetForm, TTestWindow, F2_FACTORY(TTargetForm)) {}

TEST_F(WindowRegistry, ASecondWindowOfAClassGetsANameOfItsOwnAndEveryWindowIsFoundByName)
{
    TTwinForm* first = nullptr;
    TTwinForm* second = nullptr;
    app->CreateForm(first);
    app->CreateForm(second);
    EXPECT_EQ(first->Name(), "Form1");
    EXPECT_EQ(second->Name(), "Form1_1");
    EXPECT_EQ(FindGlobalComponent("form1"), first);
    EXPECT_EQ(FindGlobalComponent("Form1_1"), second);
    // Each window has read the whole layout into controls of its own.
    ASSERT_TRUE(first->Edit1 && second->Edit1);
    EXPECT_NE(first->Edit1, second->Edit1);
    EXPECT_EQ(second->Caption(), "twin");

    // A window is known only while it lives; its name is free again afterwards.
    delete second;
    EXPECT_EQ(FindGlobalComponent("Form1_1"), nullptr);
    TTwinForm* third = nullptr;
    app->CreateForm(third);
    EXPECT_EQ(third->Name(), "Form1_1");
    EXPECT_EQ(FindGlobalComponent("Form1"), first);
    // A window without a name is no window named "".
    TForm unnamed(nullptr);
    EXPECT_EQ(FindGlobalComponent(""), nullptr);
}

TEST_F(WindowRegistry, AReferenceIntoAWindowNotCreatedYetIsResolvedWhenThatWindowIsRead)
{
    const size_t before = PendingReferences::Global().Count();
    TLinkForm* link = nullptr;
    app->CreateForm(link);
    EXPECT_EQ(link->Link(), nullptr);
    EXPECT_EQ(PendingReferences::Global().Count(), before + 1);

    TTargetForm* target = nullptr;
    app->CreateForm(target);
    EXPECT_EQ(target->Name(), "Form2");
    ASSERT_NE(target->Edit1, nullptr);
    EXPECT_EQ(link->Link(), target->Edit1);
    EXPECT_EQ(PendingReferences::Global().Count(), before);

    // Into a window that exists the reference resolves as the layout is read.
    TLinkForm* again = nullptr;
    app->CreateForm(again);
    EXPECT_EQ(again->Name(), "Form3_1");
    EXPECT_EQ(again->Link(), target->Edit1);
    delete target;
    EXPECT_EQ(link->Link(), nullptr);
    EXPECT_EQ(again->Link(), nullptr);
}
