#pragma once
// Mouse and keys for a program driven from outside its process: each event goes through the
// system's input queue, paced so that the program sees every move of a drag on its own.
#include <windows.h>

namespace EditorInput {

// Pause between events: queued at once, moves would merge into one.
constexpr DWORD kEventGapMs = 30;

void MoveTo(POINT screen);
void Click(POINT screen, bool right = false);
// Presses at `from`, moves to `to` in small steps and releases there.
void Drag(POINT from, POINT to);
// The parts of a drag, for a test that looks at the screen between them.
void Press(POINT screen);
// Moves in small steps, as the button held down drags.
void MoveInSteps(POINT from, POINT to);
void Release();
// The key with the modifier (0 for none) held down.
void Chord(WORD modifier, WORD vk);

} // namespace EditorInput
