#pragma once
// Real frames with a menu bar for the menu-bar tests: an SDI frame that offers every message to
// its menu bar first and records the commands it gets, an MDI frame with children, a message
// pump that runs the frames' message translation, and key input sent from a second thread.
#include "platform/mfc/MDIChildWnd.h"
#include "platform/mfc/MDIFrameWnd.h"
#include "ui/bars/ExtMenuControlBar.h"

#include <memory>
#include <vector>

// Runs the waiting messages through the frames' PreTranslateMessage, then those arriving for the
// given time.
void PumpTranslated(DWORD dwMilliseconds = 0);

// Key strokes sent from a second thread about 30 ms apart while this thread pumps; a watchdog
// presses Escape when the strokes end while a popup is still up after the given time.
struct KeyStroke
{
    WORD vk;
    bool bDown;
};
std::vector<KeyStroke> Press(WORD vk);
std::vector<KeyStroke> Chord(WORD vkHeld, WORD vk);
void SendKeyStrokes(const std::vector<KeyStroke>& strokes);

// A menu bar that counts its rebuilds and re-hooks.
class CCountingMenuBar : public CExtMenuControlBar
{
public:
    bool UpdateMenuBar(bool bRedraw = true) override;
    bool RehookActiveMdiChild() override;
    int m_nRebuilds = 0;
    int m_nRehooks = 0;
};

class CMenuBarTestFrame : public CFrameWnd
{
public:
    static constexpr LPCSTR PROFILE = "menu bar tests";
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CExtMenuControlBar* m_pMenuBar = nullptr;
    std::vector<UINT> m_commands;
};

class CMenuBarMdiFrame : public CMDIFrameWnd
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CExtMenuControlBar* m_pMenuBar = nullptr;
};

// An SDI frame showing the given menu, its commands imported into the frame's profile unless
// told otherwise, with a counting menu bar docked at the top.
class CMenuBarScene
{
public:
    explicit CMenuBarScene(UINT nMenuId, bool bImportMenu = true);
    // A frame whose Win32 menu has no items.
    CMenuBarScene();
    ~CMenuBarScene();
    CMenuBarScene(const CMenuBarScene&) = delete;
    CMenuBarScene& operator=(const CMenuBarScene&) = delete;

    CMenuBarTestFrame* Frame() const { return m_pFrame; }
    CCountingMenuBar* Bar() const { return m_pBar.get(); }
    // The frame comes to the foreground with the focus, so that keys reach it.
    void Activate();
    // The button's rectangle on the screen.
    CRect ButtonOnScreen(int nIndex) const;

private:
    void Build(HMENU hMenu, UINT nMenuId, bool bImportMenu);
    CMenuBarTestFrame* m_pFrame = nullptr;
    std::unique_ptr<CCountingMenuBar> m_pBar;
};

// An MDI frame with a counting menu bar and children that share a document menu.
class CMdiMenuBarScene
{
public:
    CMdiMenuBarScene();
    ~CMdiMenuBarScene();
    CMdiMenuBarScene(const CMdiMenuBarScene&) = delete;
    CMdiMenuBarScene& operator=(const CMdiMenuBarScene&) = delete;

    CMDIChildWnd* AddChild(const char* pszTitle, HMENU hSharedMenu);
    CMenuBarMdiFrame* Frame() const { return m_pFrame; }
    CCountingMenuBar* Bar() const { return m_pBar.get(); }
    HWND Client() const { return m_pFrame->m_hWndMDIClient; }

private:
    CMenuBarMdiFrame* m_pFrame = nullptr;
    std::unique_ptr<CCountingMenuBar> m_pBar;
};
