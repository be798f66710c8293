#pragma once
// Real frames with docked bars for the bar tests: a frame, dock bars along its sides, bars put
// into rows by hand, and input sent from a second thread with a watchdog.
#include "ui/bars/ExtControlBar.h"

#include <atomic>
#include <vector>

// Runs the messages waiting now, then those arriving for the given time.
void PumpBarMessages(DWORD dwMilliseconds = 0);

// A resizable bar whose minimal extent along the row a test can force.
class CTestBar : public CExtControlBar
{
public:
    explicit CTestBar(bool bFixedSize = false) { m_bFixedSize = bFixedSize; }
    int GetMinimalWidth() const override { return m_nForcedMinimal > 0 ? m_nForcedMinimal : CExtControlBar::GetMinimalWidth(); }
    int GetMinimalHeight() const override
    {
        return m_nForcedMinimal > 0 ? m_nForcedMinimal : CExtControlBar::GetMinimalHeight();
    }
    int m_nForcedMinimal = 0;
};

// A frame with one dock bar per side, placed by hand along the frame's client edges.
class CBarTestFrame
{
public:
    static constexpr int kDockThickness = 160;

    // The frame object (heap, it deletes itself with its window) may be of a test's own class.
    explicit CBarTestFrame(CFrameWnd* pFrame = nullptr, const CRect& rcFrame = CRect(60, 60, 760, 560));
    ~CBarTestFrame();

    CFrameWnd* Frame() const { return m_pFrame; }
    CDockBar* DockBar(UINT nSideId) const;
    // A bar created in the side's dock bar with the caption and gripper; not yet in a row.
    CTestBar* CreateBar(UINT nSideId, LPCSTR lpszCaption, UINT nId, bool bFixedSize = false);
    // Puts the bars into the side's dock bar: each inner vector is one row.
    void SetRows(UINT nSideId, const std::vector<std::vector<CExtControlBar*>>& rows);
    // Lays the side's rows out (the first resizable bar of each row) and moves every bar into its
    // row band, then recalculates the non-client areas.
    void LayoutSide(UINT nSideId);

private:
    CFrameWnd* m_pFrame = nullptr;
    std::vector<CDockBar*> m_dockBars;
    std::vector<CTestBar*> m_bars;
};

// Mouse and keyboard input sent from a second thread, ~30 ms apart, while the test thread runs
// a modal loop; a watchdog presses Escape when the loop outlives its time and records that.
class CInputScript
{
public:
    struct Step
    {
        enum Kind
        {
            MOVE,
            LEFT_DOWN,
            LEFT_UP,
            RIGHT_DOWN,
            KEY
        } kind;
        POINT pt;
        WORD vk;
    };
    CInputScript(std::vector<Step> steps, DWORD dwWatchdogMs = 4000);
    ~CInputScript();
    // The watchdog had to press Escape: the loop under test hung.
    bool WatchdogFired() const { return m_bWatchdogFired; }
    // Waits for the script to finish sending.
    void Join();

private:
    // A Win32 thread: a plain library thread may not call the system's functions here.
    static DWORD WINAPI Run(LPVOID pParam);

    std::vector<Step> m_steps;
    HANDLE m_hThread = nullptr;
    std::atomic<bool> m_bDone{false};
    std::atomic<bool> m_bWatchdogFired{false};
    DWORD m_dwWatchdogMs;
};
