#pragma once
// SDL keyboard events as a real keyboard delivers them, for tests that push them into SDL's
// queue: a key-down (turn it into its key-up with MakeKeyUp) and the text a keystroke types.

#include <SDL.h>

#include <cstdint>
#include <cstdio>

inline SDL_Event SdlKeyDown(uint32_t window, SDL_Keycode sym, SDL_Scancode scan, uint16_t mod = KMOD_NONE)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = window;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scan;
    e.key.keysym.mod = mod;
    return e;
}

inline SDL_Event MakeKeyUp(SDL_Event key)
{
    key.type = SDL_KEYUP;
    key.key.state = SDL_RELEASED;
    return key;
}

inline SDL_Event SdlTextInput(uint32_t window, const char* text)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = window;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", text);
    return e;
}
