// Synthetic keyboard and mouse input, as a person at the desktop would give
// it. Input goes to whatever window is in front: bring the target up first.
//
// Keys are held ~100 ms: Wine delivers each injected event on its own, and a
// chord tapped too fast can lose its modifier on the way.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace gleaner::e2e {

// Presses modifiers in order, taps key while holding them, releases them.
void PressChord(std::initializer_list<WORD> modifiers, WORD key);
inline void PressCtrl(WORD key) { PressChord({VK_CONTROL}, key); }
void PressKey(WORD key);

// Types text character by character (line breaks as Enter).
void TypeText(const std::wstring& text);

// A left click at a point on the screen.
void ClickAt(POINT screenPoint);

}  // namespace gleaner::e2e
