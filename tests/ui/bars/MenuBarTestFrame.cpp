#include "MenuBarTestFrame.h"

#include "MenuBarTestResources.h"
#include "ui/bars/ExtDockOuterBar.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <atomic>

namespace
{
constexpr RECT kFrameRect{40, 40, 640, 400};
constexpr UINT kMenuBarId = 0xE9F0;
constexpr DWORD kStrokeGapMs = 30;
// Strokes longer than this are a hung loop: the watchdog ends it.
constexpr DWORD kWatchdogMs = 5000;
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW;
// Every command shows in the popups at once: none counts as rarely used.
constexpr UINT kBasicCommands[] = {ID_MB_FILE_NEW, ID_MB_FILE_EXIT,      ID_MB_EDIT_UNDO, ID_MB_EDIT_COPY,
                                   ID_MB_VIEW_BAR, ID_MB_WINDOW_CASCADE, ID_MB_APP_ABOUT, 0};

struct StrokeJob
{
    std::vector<KeyStroke> strokes;
    std::atomic<bool> bDone{false};
};

DWORD WINAPI SendStrokes(LPVOID pParam)
{
    auto* pJob = static_cast<StrokeJob*>(pParam);
    for (const KeyStroke& stroke : pJob->strokes) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = stroke.vk;
        input.ki.dwFlags = stroke.bDown ? 0 : KEYEVENTF_KEYUP;
        ::SendInput(1, &input, sizeof(input));
        ::Sleep(kStrokeGapMs);
    }
    pJob->bDone = true;
    return 0;
}

void CreateMenuBar(CCountingMenuBar* pBar, CFrameWnd* pFrame)
{
    pBar->CreateBarWindow("Menu bar", pFrame, kMenuBarId,
                          WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC | CBRS_GRIPPER);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    static_cast<CExtDockOuterBar*>(pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->DockControlBarEx(pBar);
    pFrame->RecalcLayout(TRUE);
    PumpTranslated(30);
}
} // namespace

void PumpTranslated(DWORD dwMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    MSG msg;
    do {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::Sleep(1);
    } while (::GetTickCount() - dwStart < dwMilliseconds);
}

std::vector<KeyStroke> Press(WORD vk) { return {{vk, true}, {vk, false}}; }

std::vector<KeyStroke> Chord(WORD vkHeld, WORD vk) { return {{vkHeld, true}, {vk, true}, {vk, false}, {vkHeld, false}}; }

void SendKeyStrokes(const std::vector<KeyStroke>& strokes)
{
    StrokeJob job;
    job.strokes = strokes;
    HANDLE hThread = ::CreateThread(nullptr, 0, &SendStrokes, &job, 0, nullptr);
    const DWORD dwStart = ::GetTickCount();
    while (!job.bDone)
        PumpTranslated(5);
    ::WaitForSingleObject(hThread, INFINITE);
    ::CloseHandle(hThread);
    PumpTranslated(60);
    if (::GetTickCount() - dwStart > kWatchdogMs)
        CExtPopupMenuWnd::EndActiveTracking();
}

bool CCountingMenuBar::UpdateMenuBar(bool bRedraw)
{
    ++m_nRebuilds;
    return CExtMenuControlBar::UpdateMenuBar(bRedraw);
}

bool CCountingMenuBar::RehookActiveMdiChild()
{
    ++m_nRehooks;
    return CExtMenuControlBar::RehookActiveMdiChild();
}

BOOL CMenuBarTestFrame::PreTranslateMessage(MSG* pMsg)
{
    if (m_pMenuBar != nullptr && m_pMenuBar->PreTranslateFrameMessage(pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMenuBarMdiFrame::PreTranslateMessage(MSG* pMsg)
{
    if (m_pMenuBar != nullptr && m_pMenuBar->PreTranslateFrameMessage(pMsg))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMenuBarTestFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const bool bOurs = (nID >= ID_MB_FILE_NEW && nID <= ID_MB_STOP) || nID == ID_MB_APP_ABOUT;
    if (bOurs && pHandlerInfo == nullptr) {
        if (nCode == CN_COMMAND)
            m_commands.push_back(nID);
        if (nCode == CN_UPDATE_COMMAND_UI)
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
        return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CMenuBarScene::CMenuBarScene(UINT nMenuId, bool bImportMenu)
{
    Build(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nMenuId)), nMenuId, bImportMenu);
}

CMenuBarScene::CMenuBarScene() { Build(::CreateMenu(), 0, false); }

void CMenuBarScene::Build(HMENU hMenu, UINT nMenuId, bool bImportMenu)
{
    m_pFrame = new CMenuBarTestFrame;
    m_pFrame->Create(nullptr, "menu bar", WS_OVERLAPPEDWINDOW, kFrameRect);
    ::SetMenu(m_pFrame->GetSafeHwnd(), hMenu);
    m_pFrame->m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MENUBAR_FRAME));
    g_CmdManagerHolder->CreateProfile(CMenuBarTestFrame::PROFILE, m_pFrame->GetSafeHwnd());
    if (bImportMenu && nMenuId != 0) {
        g_CmdManagerHolder->ImportMenuResource(CMenuBarTestFrame::PROFILE, nMenuId, true);
        g_CmdManagerHolder->MarkBasicCommands(CMenuBarTestFrame::PROFILE, kBasicCommands);
    }
    CExtControlBar::InstallFrameDocking(m_pFrame);
    m_pFrame->ShowWindow(SW_SHOW);
    m_pBar = std::make_unique<CCountingMenuBar>();
    m_pFrame->m_pMenuBar = m_pBar.get();
    CreateMenuBar(m_pBar.get(), m_pFrame);
}

CMenuBarScene::~CMenuBarScene()
{
    CExtPopupMenuWnd::EndActiveTracking();
    CExtToolControlBar::CancelAllBarsMenuTracking();
    m_pFrame->m_pMenuBar = nullptr;
    g_CmdManagerHolder->DetachProfileWindow(m_pFrame->GetSafeHwnd(), true);
    m_pFrame->DestroyWindow();
    m_pBar.reset();
    CExtMenuControlBar::g_bIgnoreNextAltUp = false;
    PumpTranslated(0);
}

void CMenuBarScene::Activate()
{
    m_pFrame->SetForegroundWindow();
    m_pFrame->SetActiveWindow();
    m_pFrame->SetFocus();
    PumpTranslated(50);
}

CRect CMenuBarScene::ButtonOnScreen(int nIndex) const
{
    CRect rc = m_pBar->GetButtonRect(nIndex);
    m_pBar->ClientToScreen(&rc);
    return rc;
}

CMdiMenuBarScene::CMdiMenuBarScene()
{
    m_pFrame = new CMenuBarMdiFrame;
    m_pFrame->Create(nullptr, "mdi menu bar", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kFrameRect, nullptr,
                     MAKEINTRESOURCEA(IDR_MENUBAR_FRAME));
    g_CmdManagerHolder->CreateProfile(CMenuBarTestFrame::PROFILE, m_pFrame->GetSafeHwnd());
    g_CmdManagerHolder->ImportMenuResource(CMenuBarTestFrame::PROFILE, IDR_MENUBAR_FRAME, true);
    g_CmdManagerHolder->ImportMenuResource(CMenuBarTestFrame::PROFILE, IDR_MENUBAR_DOCUMENT, true);
    g_CmdManagerHolder->MarkBasicCommands(CMenuBarTestFrame::PROFILE, kBasicCommands);
    CExtControlBar::InstallFrameDocking(m_pFrame);
    m_pFrame->ShowWindow(SW_SHOW);
    m_pBar = std::make_unique<CCountingMenuBar>();
    m_pBar->SetWindowMenuCaption("&Window");
    m_pFrame->m_pMenuBar = m_pBar.get();
    CreateMenuBar(m_pBar.get(), m_pFrame);
}

CMdiMenuBarScene::~CMdiMenuBarScene()
{
    CExtPopupMenuWnd::EndActiveTracking();
    CExtToolControlBar::CancelAllBarsMenuTracking();
    m_pFrame->m_pMenuBar = nullptr;
    g_CmdManagerHolder->DetachProfileWindow(m_pFrame->GetSafeHwnd(), true);
    m_pFrame->DestroyWindow();
    m_pBar.reset();
    PumpTranslated(0);
}

CMDIChildWnd* CMdiMenuBarScene::AddChild(const char* pszTitle, HMENU hSharedMenu)
{
    auto* pChild = new CMDIChildWnd;
    pChild->m_hMenuShared = hSharedMenu;
    if (!pChild->Create(nullptr, pszTitle, kChildStyle, CRect(10, 10, 220, 160), m_pFrame))
        return nullptr;
    pChild->ShowWindow(SW_SHOW);
    m_pFrame->MDIActivate(pChild);
    PumpTranslated(30);
    return pChild;
}
