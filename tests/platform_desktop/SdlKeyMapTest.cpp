#include "platform/Desktop.h"
#include "platform/SdlKeyMap.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

using namespace platform;

namespace {

uint16_t Vk(SDL_Keycode key, SDL_Scancode scan = SDL_SCANCODE_UNKNOWN, uint16_t mod = KMOD_NONE)
{
    return VirtualKeyFromSdl(key, scan, mod);
}

} // namespace

TEST(SdlKeyMap, LettersDigitsAndFunctionKeysFollowTheDesktopNumbering)
{
    EXPECT_EQ(Vk(SDLK_a), 65);
    EXPECT_EQ(Vk(SDLK_z), 90);
    EXPECT_EQ(Vk(SDLK_0), 48);
    EXPECT_EQ(Vk(SDLK_9), 57);
    EXPECT_EQ(Vk(SDLK_F1), 112);
    EXPECT_EQ(Vk(SDLK_F4), vk::F4);
    EXPECT_EQ(Vk(SDLK_F12), 123);
}

TEST(SdlKeyMap, EditingNavigationAndModifierKeys)
{
    EXPECT_EQ(Vk(SDLK_BACKSPACE), 8);
    EXPECT_EQ(Vk(SDLK_TAB), 9);
    EXPECT_EQ(Vk(SDLK_RETURN), 13);
    EXPECT_EQ(Vk(SDLK_KP_ENTER), 13);
    EXPECT_EQ(Vk(SDLK_ESCAPE), 27);
    EXPECT_EQ(Vk(SDLK_SPACE), 32);
    EXPECT_EQ(Vk(SDLK_END), 35);
    EXPECT_EQ(Vk(SDLK_HOME), 36);
    EXPECT_EQ(Vk(SDLK_LEFT), 37);
    EXPECT_EQ(Vk(SDLK_UP), 38);
    EXPECT_EQ(Vk(SDLK_RIGHT), 39);
    EXPECT_EQ(Vk(SDLK_DOWN), 40);
    EXPECT_EQ(Vk(SDLK_INSERT), 45);
    EXPECT_EQ(Vk(SDLK_DELETE), 46);
    EXPECT_EQ(Vk(SDLK_LSHIFT), 16);
    EXPECT_EQ(Vk(SDLK_RCTRL), 17);
    EXPECT_EQ(Vk(SDLK_LALT), 18);
    EXPECT_EQ(Vk(SDLK_PERIOD), 190);
    EXPECT_EQ(Vk(SDLK_COMMA), 188);
    EXPECT_EQ(Vk(SDLK_MINUS), 189);
    EXPECT_EQ(Vk(SDLK_EQUALS), 187);
    EXPECT_EQ(Vk(SDLK_UNKNOWN), 0);
}

TEST(SdlKeyMap, KeypadDependsOnNumLock)
{
    EXPECT_EQ(Vk(SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM), 96);
    EXPECT_EQ(Vk(SDLK_KP_9, SDL_SCANCODE_KP_9, KMOD_NUM), 105);
    EXPECT_EQ(Vk(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NUM), 110);
    EXPECT_EQ(Vk(SDLK_KP_7, SDL_SCANCODE_KP_7), vk::Home);
    EXPECT_EQ(Vk(SDLK_KP_1, SDL_SCANCODE_KP_1), vk::End);
    EXPECT_EQ(Vk(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD), vk::Delete);
}

TEST(SdlKeyMap, OtherLayoutsAreNumberedByKeyPosition)
{
    // A Cyrillic letter on the Q key, '&' on the French 1 key.
    EXPECT_EQ(Vk(0x0439, SDL_SCANCODE_Q), 'Q');
    EXPECT_EQ(Vk(SDLK_AMPERSAND, SDL_SCANCODE_1), '1');
    EXPECT_EQ(Vk(0x00E0, SDL_SCANCODE_0), '0');
}

TEST(SdlKeyMap, ModifierBits)
{
    EXPECT_EQ(ModifiersFromSdl(KMOD_NONE), 0u);
    EXPECT_EQ(ModifiersFromSdl(KMOD_RSHIFT), uint32_t(ModShift));
    EXPECT_EQ(ModifiersFromSdl(KMOD_LCTRL | KMOD_RALT), uint32_t(ModCtrl | ModAlt));
    EXPECT_EQ(ModifiersFromSdl(KMOD_NUM | KMOD_CAPS), 0u);
}

TEST(SdlKeyMap, ControlCharacters)
{
    EXPECT_EQ(ControlCharacterText(vk::Return, 0), "\r");
    EXPECT_EQ(ControlCharacterText(vk::Back, ModShift), "\b");
    EXPECT_EQ(ControlCharacterText(vk::Escape, 0), "\x1b");
    EXPECT_EQ(ControlCharacterText(vk::Tab, ModShift), "\t");
    EXPECT_EQ(ControlCharacterText('A', ModCtrl), "\x01");
    EXPECT_EQ(ControlCharacterText('H', ModCtrl), "\b");
    EXPECT_EQ(ControlCharacterText('Z', ModCtrl | ModShift), "\x1a");
    EXPECT_EQ(ControlCharacterText('A', 0), "");      // printable: comes from text input
    EXPECT_EQ(ControlCharacterText('1', ModCtrl), "");
    EXPECT_EQ(ControlCharacterText(vk::F4, ModAlt), "");
    EXPECT_EQ(ControlCharacterText(vk::Return, ModAlt), "");
    EXPECT_EQ(ControlCharacterText('A', ModCtrl | ModAlt), "");
    EXPECT_EQ(ControlCharacterText(vk::Delete, 0), "");
}
