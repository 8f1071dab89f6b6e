// The program's icon and app id reach the native windows.

#include "LayoutForms.h"

#include "forms/MessageQueue.h"
#include "forms/ResourceTable.h"
#include "forms/TApplication.h"
#include "forms/TMemoryStream.h"
#include "platform/HeadlessDesktop.h"
#include "tests/support/FreshDesktop.h"

#include <gtest/gtest.h>

#include <memory>

using layoutwindows::Compile;
using layoutwindows::FileBytes;

namespace {

const std::vector<uint8_t>& MainIcon()
{
    static const std::vector<uint8_t> bytes = FileBytes(F2_SOURCE_DIR "/app/pictures/mainicon.ico");
    return bytes;
}

const std::vector<uint8_t>& TinyIcon()   // one opaque 1 x 1 image
{
    static const std::vector<uint8_t> bytes = FileBytes(F2_SOURCE_DIR "/tests/tools/data/tiny.ico");
    return bytes;
}

class IconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        desk = InstallFreshDesktop();
        ResourceTable::Clear();
    }

    void TearDown() override
    {
        app.reset();
        ResourceTable::Clear();
        TLayoutForm::Layout.clear();
    }

    void StartWithMainIcon()
    {
        ResourceTable::Register(ResourceTable::kIcon, "MAINICON", MainIcon().data(), MainIcon().size());
        app = std::make_unique<TApplication>(nullptr);
    }

    const platform::HeadlessWindow& WindowOf(TCustomForm* form) { return *desk->FindWindow(form->NativeWindow().Id()); }

    platform::HeadlessDesktop* desk = nullptr;
    std::unique_ptr<TApplication> app;
};

TEST_F(IconTest, TheMainWindowGetsTheProgramIconWithTransparentCorners)
{
    StartWithMainIcon();
    TForm* form = nullptr;
    app->CreateForm(form);
    const platform::Raster& icon = WindowOf(form).Icon();
    ASSERT_EQ(icon.Width(), 32);
    ASSERT_EQ(icon.Height(), 32);
    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}})
        EXPECT_EQ(platform::PixelAlpha(icon.At(x, y)), 0) << x << "," << y;
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            opaque += platform::PixelAlpha(icon.At(x, y)) == 0xFF;
    EXPECT_GT(opaque, 32);   // the axes and curves are drawn
}

TEST_F(IconTest, AWindowsOwnIconFromItsLayoutTakesPrecedence)
{
    StartWithMainIcon();
    TLayoutForm::Layout = Compile("Form1 : TLayoutForm {\n  Icon.Data = file(\"tiny.ico\")\n}\n",
                                  F2_SOURCE_DIR "/tests/tools/data");
    TLayoutForm* form = nullptr;
    app->CreateForm(form);
    EXPECT_EQ(WindowOf(form).Icon().Width(), 1);

    // A second window without an icon of its own shows the program's.
    TForm* other = nullptr;
    app->CreateForm(other);
    EXPECT_EQ(WindowOf(other).Icon().Width(), 32);
}

TEST_F(IconTest, IconChangesReachWindowsThatAreAlreadyThere)
{
    StartWithMainIcon();
    TForm* form = nullptr;
    app->CreateForm(form);
    ASSERT_EQ(WindowOf(form).Icon().Width(), 32);

    TMemoryStream tiny = TMemoryStream::View(TinyIcon());
    form->Icon()->LoadFromStream(tiny);
    EXPECT_EQ(WindowOf(form).Icon().Width(), 1);

    // Emptied again: back to the program's icon.
    TIcon none;
    form->SetIcon(&none);
    EXPECT_EQ(WindowOf(form).Icon().Width(), 32);

    // The program's icon changes: a window without its own follows.
    TMemoryStream again = TMemoryStream::View(TinyIcon());
    app->Icon()->LoadFromStream(again);
    EXPECT_EQ(WindowOf(form).Icon().Width(), 1);
}

TEST_F(IconTest, AProgramWithoutOrWithADamagedIconResourceStartsWithoutIcon)
{
    static const uint8_t junk[] = {0, 0, 1, 0, 1, 0, 9};
    ResourceTable::Register(ResourceTable::kIcon, "MAINICON", junk, sizeof junk);
    app = std::make_unique<TApplication>(nullptr);
    EXPECT_TRUE(app->Icon()->Empty());
    TForm* form = nullptr;
    app->CreateForm(form);
    EXPECT_TRUE(WindowOf(form).Icon().IsEmpty());
}

TEST_F(IconTest, WindowsCarryTheAppIdWhichDefaultsToFilter2)
{
    app = std::make_unique<TApplication>(nullptr);
    EXPECT_EQ(app->AppId(), "filter2");
    TForm* form = nullptr;
    app->CreateForm(form);
    EXPECT_EQ(WindowOf(form).Options().appId, "filter2");

    app->SetAppId("filter2-check");
    TForm* second = nullptr;
    app->CreateForm(second);
    EXPECT_EQ(WindowOf(second).Options().appId, "filter2-check");
}

} // namespace
