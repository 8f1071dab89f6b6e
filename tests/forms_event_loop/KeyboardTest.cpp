#include "tests/support/WindowFixture.h"

#include "forms/TButton.h"
#include "forms/TEdit.h"
#include "forms/TGroupBox.h"

namespace {

class KeyboardTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 80, 21);
        edit->SetText("1");
        edit->SetOnKeyDown([this](TObject*, uint16_t& key, TShiftState) { log.push_back("down " + std::to_string(key)); });
        edit->SetOnKeyPress([this](TObject*, char& key) {
            log.push_back(std::string("press ") + (key == '\r' ? std::string("CR") : key == 27 ? std::string("ESC") : std::string(1, key)));
            if (key == '.')
                key = ',';
            else if (!(key >= '0' && key <= '9') && key != ',' && key != 8)
                key = 0;
        });
        edit->SetOnChange([this](TObject*) { log.push_back("change " + edit->GetText()); });
        other = new TEdit(form);
        other->SetParent(form);
        other->SetBounds(10, 40, 80, 21);
        go = new TButton(form);
        go->SetParent(form);
        go->SetBounds(10, 70, 75, 25);
        go->SetDefault(true);
        go->SetOnClick([this](TObject*) { log.push_back("go"); });
        exitButton = new TButton(form);
        exitButton->SetParent(form);
        exitButton->SetBounds(100, 70, 75, 25);
        exitButton->SetOnClick([this](TObject*) { log.push_back("exit"); });
        Show();
        log.clear();
    }

    TEdit* edit = nullptr;
    TEdit* other = nullptr;
    TButton* go = nullptr;
    TButton* exitButton = nullptr;
};

TEST_F(KeyboardTest, KeyDownThenKeyPressThenChangeAndDiscardedCharactersChangeNothing)
{
    ASSERT_EQ(form->FocusedControl(), edit);   // the first control in tab order, text selected
    Type("5");
    EXPECT_EQ(log, (std::vector<std::string>{"down 53", "press 5", "change 5"}));
    log.clear();
    Type("a");   // discarded by the key-press handler: no change
    Key(vk::OemPeriod, ".");   // replaced by ","
    EXPECT_EQ(log, (std::vector<std::string>{"down 65", "press a", "down 190", "press .", "change 5,"}));
    EXPECT_EQ(edit->GetText(), "5,");
}

TEST_F(KeyboardTest, DeleteReachesKeyDownAndChangeButNotKeyPress)
{
    Key(vk::Home);
    Key(vk::Delete);
    EXPECT_EQ(log, (std::vector<std::string>{"down 36", "down 46", "change "}));
    Key(vk::Back, "\b");   // nothing left to delete: key-press runs, no change
    EXPECT_EQ(log.back(), "press \b");
}

TEST_F(KeyboardTest, TabMovesFocusAndReachesNoKeyPressHandler)
{
    Key(vk::Tab, "\t");
    EXPECT_EQ(log, (std::vector<std::string>{"down 9"}));
    EXPECT_EQ(form->FocusedControl(), other);
    Key(vk::Tab, "\t", platform::ModShift);
    EXPECT_EQ(form->FocusedControl(), edit);
    Key(vk::Tab, "\t", platform::ModShift);
    EXPECT_EQ(form->FocusedControl(), exitButton);   // wraps around backwards
    EXPECT_EQ(other->GetText(), "");
}

TEST_F(KeyboardTest, EnterPressesTheEnabledDefaultButtonOrTheFocusedButton)
{
    Key(vk::Return, "\r");
    EXPECT_EQ(log, (std::vector<std::string>{"down 13", "go"}));

    log.clear();
    Key(vk::Return, "\r", platform::ModShift);   // with Shift no button is pressed
    EXPECT_EQ(log, (std::vector<std::string>{"down 13", "press CR"}));

    log.clear();
    go->SetEnabled(false);
    Key(vk::Return, "\r");   // disabled default button: the character reaches the edit
    EXPECT_EQ(log, (std::vector<std::string>{"down 13", "press CR"}));
    EXPECT_EQ(edit->GetText(), "1");

    log.clear();
    go->SetEnabled(true);
    exitButton->SetFocus();
    Key(vk::Return, "\r");
    EXPECT_EQ(log, (std::vector<std::string>{"exit"}));
}

TEST_F(KeyboardTest, EscapeReachesKeyPressWithoutACancelButtonAndPressesOneWhenThereIs)
{
    Key(vk::Escape, "\x1b");
    EXPECT_EQ(log, (std::vector<std::string>{"down 27", "press ESC"}));
    log.clear();
    exitButton->SetCancel(true);
    Key(vk::Escape, "\x1b");
    EXPECT_EQ(log, (std::vector<std::string>{"down 27", "exit"}));
}

TEST_F(KeyboardTest, SpacePressesTheFocusedButtonOnRelease)
{
    exitButton->SetFocus();
    Key(vk::Space, " ");
    EXPECT_EQ(log, (std::vector<std::string>{"exit"}));
}

TEST_F(KeyboardTest, AltF4ClosesTheMainFormAndEndsTheLoop)
{
    autoRun = false;
    Key(vk::F4, "", platform::ModAlt);
    Type("7");   // never reached: the quit comes first
    desk->onWait = [this] { FAIL() << "the loop waited instead of ending"; };
    app->Run();
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(edit->GetText(), "1");
}

TEST_F(KeyboardTest, KeyboardFocusSelectsAllButAMouseClickPlacesTheCaret)
{
    Key(vk::Tab, "\t");
    other->SetText("123");
    Key(vk::Tab, "\t", platform::ModShift);
    EXPECT_EQ(edit->SelLength(), 1);   // all of "1"
    edit->SetText("12345");
    Key(vk::Tab, "\t");
    EXPECT_EQ(other->SelLength(), 3);
    Click(10 + 3, 10 + 10);   // left of the first character of edit
    EXPECT_EQ(form->FocusedControl(), edit);
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->SelStart(), 0);
    Type("9");
    EXPECT_EQ(edit->GetText(), "912345");
}

} // namespace
