#pragma once
// The play field's keys as the game knows them: Windows virtual-key codes.
#include <SDL.h>

namespace kelvar {

// The Windows key code of an SDL key, 0 for a key that has none here. The arrows, Space,
// Escape and Pause are the ones that play; the keypad's arrows (NumLock off) steer too.
int windowsKeyCode(SDL_Keycode sym, Uint16 mod = KMOD_NONE);

// Pause sends its press once and never repeats, however long it is held; so does P, which
// stands in for it. Every other key repeats while held.
bool keyRepeats(int code, SDL_Keycode sym);

} // namespace kelvar
