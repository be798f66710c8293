#pragma once
// Real input for the modal loops of the docking tests: a script of mouse and key events sent
// from a second thread about 30 ms apart (queued at once, moves would merge), and a watchdog
// that ends a hung loop with Escape and remembers that it had to.
#include "platform/mfc/Afx.h"

#include <atomic>
#include <functional>
#include <vector>

struct InputStep
{
    enum Kind
    {
        MOVE,
        LEFT_DOWN,
        LEFT_UP,
        KEY_DOWN,
        KEY_UP,
        WAIT,
        CALL,
        WAIT_FOR,
    };
    Kind kind;
    POINT pt;   // MOVE: screen point
    WORD vk;    // KEY_DOWN, KEY_UP
    DWORD ms;   // WAIT: extra pause
    // MOVE: when set, the point is asked for when the step runs (windows shown meanwhile), and
    // asked again for a while as long as it answers (-1, -1): what it aims at is not shown yet.
    std::function<POINT()> where;
    // CALL: runs on the input thread (posting to windows is safe from there).
    std::function<void()> action;
    // WAIT_FOR: polled on the input thread until it holds or ms pass; a loaded machine answers
    // input late, and what the next steps aim at must be there first.
    std::function<bool()> until = nullptr;

    static InputStep Move(int x, int y) { return {MOVE, {x, y}, 0, 0, nullptr, nullptr}; }
    static InputStep MoveTo(std::function<POINT()> where) { return {MOVE, {0, 0}, 0, 0, std::move(where), nullptr}; }
    static InputStep Down() { return {LEFT_DOWN, {0, 0}, 0, 0, nullptr, nullptr}; }
    static InputStep Up() { return {LEFT_UP, {0, 0}, 0, 0, nullptr, nullptr}; }
    static InputStep KeyDown(WORD vk) { return {KEY_DOWN, {0, 0}, vk, 0, nullptr, nullptr}; }
    static InputStep KeyUp(WORD vk) { return {KEY_UP, {0, 0}, vk, 0, nullptr, nullptr}; }
    static InputStep Wait(DWORD ms) { return {WAIT, {0, 0}, 0, ms, nullptr, nullptr}; }
    static InputStep Call(std::function<void()> action) { return {CALL, {0, 0}, 0, 0, nullptr, std::move(action)}; }
    static InputStep WaitFor(std::function<bool()> until, DWORD timeoutMs = 10000)
    {
        return {WAIT_FOR, {0, 0}, 0, timeoutMs, nullptr, nullptr, std::move(until)};
    }
};

// A press at `from`, moves in steps of at most `step` pixels to `to` (no release).
std::vector<InputStep> PressAndMove(POINT from, POINT to, int step = 24);

class CInputScript
{
public:
    static constexpr DWORD GAP_MS = 30;

    explicit CInputScript(std::vector<InputStep> steps);
    ~CInputScript();
    CInputScript(const CInputScript&) = delete;
    CInputScript& operator=(const CInputScript&) = delete;

    void Start();
    bool IsDone() const { return m_bDone; }
    // Waits for the script to end, pumping this thread's messages meanwhile.
    void Finish();

private:
    // Win32 threads: a thread the system did not make cannot send input.
    static DWORD WINAPI ThreadProc(LPVOID pParam);
    std::vector<InputStep> m_steps;
    HANDLE m_hThread = nullptr;
    std::atomic<bool> m_bDone{false};
};

class CLoopWatchdog
{
public:
    explicit CLoopWatchdog(DWORD dwTimeoutMs);
    ~CLoopWatchdog();
    CLoopWatchdog(const CLoopWatchdog&) = delete;
    CLoopWatchdog& operator=(const CLoopWatchdog&) = delete;
    // True when the loop outlived the timeout and had to be ended.
    bool Fired() const { return m_bFired; }

private:
    static DWORD WINAPI ThreadProc(LPVOID pParam);
    DWORD m_dwTimeoutMs;
    HANDLE m_hThread = nullptr;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bFired{false};
};

void SendMouseMove(POINT pt);
void SendLeftButton(bool bDown);
void SendKey(WORD vk, bool bDown);
// The centre of the visible marker window whose rectangle comes first by the ordering (outer
// markers included); (-1, -1) when no marker shows. Safe from any thread.
POINT FindShownMarker(const std::function<bool(const RECT&, const RECT&)>& comesFirst);
// Lets this thread handle its messages for a while.
void PumpMessagesFor(DWORD dwMs);
