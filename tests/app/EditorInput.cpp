#include "EditorInput.h"

#include "tests/support/SyntheticInput.h"

#include <algorithm>
#include <cstdlib>

namespace EditorInput {

namespace {

constexpr int kAbsoluteRange = 65535;
constexpr int kDragStepPixels = 20;

void SendMouse(DWORD flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    ::SendInput(1, &in, sizeof in);
    ::Sleep(kEventGapMs);
}

} // namespace

void MoveTo(POINT screen)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    // The absolute range spans the screen to its last pixel and the system truncates on the way
    // back: rounded up, every point lands on itself (rounded to nearest, some land a pixel short).
    const int cx = std::max(2, ::GetSystemMetrics(SM_CXSCREEN));
    const int cy = std::max(2, ::GetSystemMetrics(SM_CYSCREEN));
    in.mi.dx = (screen.x * kAbsoluteRange + cx - 2) / (cx - 1);
    in.mi.dy = (screen.y * kAbsoluteRange + cy - 2) / (cy - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
    ::Sleep(kEventGapMs);
}

void Click(POINT screen, bool right)
{
    MoveTo(screen);
    SendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    SendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void Drag(POINT from, POINT to)
{
    Press(from);
    MoveInSteps(from, to);
    Release();
}

void Press(POINT screen)
{
    MoveTo(screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
}

void MoveInSteps(POINT from, POINT to)
{
    const int steps = std::max(1, std::max(std::abs(to.x - from.x), std::abs(to.y - from.y)) / kDragStepPixels);
    for (int i = 1; i <= steps; ++i)
        MoveTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
}

void Release()
{
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void Chord(WORD modifier, WORD vk)
{
    if (modifier != 0)
        SendKeys({{modifier, false}, {vk, false}, {vk, true}, {modifier, true}});
    else
        SendKey(vk);
    ::Sleep(kEventGapMs);
}

} // namespace EditorInput
