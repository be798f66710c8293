#pragma once
// A real frame with a docked tool bar for the tool-bar tests: commands with icons and tips in the
// frame's profile, a record of the commands that reached the frame, and update states the idle
// command update hands to the buttons.
#include "ui/bars/ExtDockOuterBar.h"
#include "ui/bars/ExtToolControlBar.h"

#include <functional>
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
    // A covering notice as it arrived.
    struct CoveringNotice
    {
        CExtBarButton* pButton;
        int nKind;
        int nItem;
    };
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<UINT> m_commands;
    std::map<UINT, UpdateState> m_states;
    std::vector<CoveringNotice> m_notices;
};

class CToolBarTestFrame
{
public:
    static constexpr LPCSTR PROFILE = "tool bar tests";
    static constexpr UINT FIRST_CMD = 40001;
    // Commands FIRST_CMD + 0 .. + 99 have update handlers; those up to + 199 are only recorded.
    static constexpr UINT HANDLED_CMDS = 100;
    static constexpr int ICON_SIZE = 16;

    CToolBarTestFrame();
    ~CToolBarTestFrame();
    CToolBarTestFrame(const CToolBarTestFrame&) = delete;
    CToolBarTestFrame& operator=(const CToolBarTestFrame&) = delete;

    // A command with a 16 x 16 icon of the given colour, toolbar text and tooltip.
    void AddCommand(UINT nId, COLORREF clrIcon, LPCSTR lpszText = "", LPCSTR lpszTip = "");
    // A tool bar docked at a side of the frame with the given buttons; the set-up runs before
    // the buttons are assigned.
    CExtToolControlBar* DockToolBar(const std::vector<UINT>& ids, UINT nDockBarId = AFX_IDW_DOCKBAR_TOP,
                                    const std::function<void(CExtToolControlBar*)>& setUp = nullptr);
    // Creates the given bar (a derived kind, no buttons) and docks it at a side.
    CExtToolControlBar* DockBar(std::unique_ptr<CExtToolControlBar> pOwned, UINT nDockBarId);
    // Resizes the frame so that the (docked, row-limited) bar's client area is nWidth wide.
    void SetBarClientWidth(CExtToolControlBar* pBar, int nWidth);
    // Lays the frame out and paints what waits.
    void Settle();

    CCommandRecordingFrame* Frame() const { return m_pFrame; }
    CExtDockOuterBar* DockBarAt(UINT nDockBarId) const;

private:
    CCommandRecordingFrame* m_pFrame = nullptr;
    std::vector<std::unique_ptr<CExtToolControlBar>> m_bars;
    std::vector<HICON> m_icons;
};
