#pragma once
// Keys as the user presses them: through the system's input queue, so that thread hooks and the
// keyboard state see them as real input.
#include <windows.h>

#include <initializer_list>
#include <utility>

// Each pair is a key and whether it goes up; all are sent at once.
void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys);
// One key down and up.
void SendKey(WORD vk);
