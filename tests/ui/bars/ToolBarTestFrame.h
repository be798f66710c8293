#pragma once
// A real frame with a docked tool bar for the tool-bar tests: commands with icons and tips in the
// frame's profile, a record of the commands that reached the frame, and update states the idle
// command update hands to the buttons.
#include "ui/bars/ExtDockOuterBar.h"
#include "ui/bars/ExtToolControlBar.h"

#include <map>
#include <memory>
#include <vector>

class CCommandRecordingFrame : public CFrameWnd
{
public:
    // What the update handler of a command answers.
    struct UpdateState
    {
        bool bEnabled = true;
        int nCheck = 0;
    };
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    std::vector<UINT> m_commands;
    std::map<UINT, UpdateState> m_states;
};

class CToolBarTestFrame
{
public:
    static constexpr LPCSTR PROFILE = "tool bar tests";
    static constexpr UINT FIRST_CMD = 40001;
    static constexpr int ICON_SIZE = 16;

    CToolBarTestFrame();
    ~CToolBarTestFrame();
    CToolBarTestFrame(const CToolBarTestFrame&) = delete;
    CToolBarTestFrame& operator=(const CToolBarTestFrame&) = delete;

    // A command with a 16 x 16 icon of the given colour, toolbar text and tooltip.
    void AddCommand(UINT nId, COLORREF clrIcon, LPCSTR lpszText = "", LPCSTR lpszTip = "");
    // A tool bar docked at the top of the frame with the given buttons.
    CExtToolControlBar* DockToolBar(const std::vector<UINT>& ids);
    // Lays the frame out and paints what waits.
    void Settle();

    CCommandRecordingFrame* Frame() const { return m_pFrame; }
    CExtDockOuterBar* TopDockBar() const;

private:
    CCommandRecordingFrame* m_pFrame = nullptr;
    std::vector<std::unique_ptr<CExtToolControlBar>> m_bars;
    std::vector<HICON> m_icons;
};
