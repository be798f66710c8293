#include "ToolBarTestFrame.h"

#include "DragInputScript.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtItemCoveringNotification.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <vector>

namespace
{
constexpr UINT kToolBarId = 0xE900;
constexpr RECT kFrameRect{40, 40, 840, 440};

HICON MakeSolidIcon(COLORREF clr, int nSize)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, nSize, nSize);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hColor);
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    const RECT rc{0, 0, nSize, nSize};
    ::FillRect(hMem, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    // An all-zero mask: every pixel opaque.
    std::vector<BYTE> maskBits(static_cast<size_t>(nSize * nSize / 8), 0);
    HBITMAP hMask = ::CreateBitmap(nSize, nSize, 1, 1, maskBits.data());
    ICONINFO info{TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(hColor);
    return hIcon;
}
DWORD AlignmentOf(UINT nDockBarId)
{
    switch (nDockBarId) {
    case AFX_IDW_DOCKBAR_LEFT:
        return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT:
        return CBRS_ALIGN_RIGHT;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return CBRS_ALIGN_BOTTOM;
    default:
        return CBRS_ALIGN_TOP;
    }
}
} // namespace

BOOL CCommandRecordingFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const bool bRecorded = nID >= CToolBarTestFrame::FIRST_CMD && nID < CToolBarTestFrame::FIRST_CMD + 200;
    if (bRecorded && nCode == CN_COMMAND && pHandlerInfo == nullptr) {
        m_commands.push_back(nID);
        return TRUE;
    }
    if (nID >= CToolBarTestFrame::FIRST_CMD && nID < CToolBarTestFrame::FIRST_CMD + CToolBarTestFrame::HANDLED_CMDS) {
        if (nCode == CN_UPDATE_COMMAND_UI) {
            auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
            const UpdateState state = m_states.count(nID) != 0 ? m_states[nID] : UpdateState{};
            pCmdUI->Enable(state.bEnabled);
            pCmdUI->SetCheck(state.nCheck);
            return TRUE;
        }
        if (nCode == CN_COMMAND)
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CCommandRecordingFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CExtPopupMenuWnd::g_nMsgItemCoveringNotification && wParam != 0) {
        const auto* pNotice = reinterpret_cast<const CExtItemCoveringNotification*>(wParam);
        m_notices.push_back({pNotice->m_pButton, pNotice->m_nKind, pNotice->m_nItemIndex});
        return 0;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

CToolBarTestFrame::CToolBarTestFrame()
{
    m_pFrame = new CCommandRecordingFrame;
    m_pFrame->Create(nullptr, "tool bars", WS_OVERLAPPEDWINDOW, kFrameRect);
    CExtControlBar::InstallFrameDocking(m_pFrame);
    g_CmdManagerHolder->CreateProfile(PROFILE, m_pFrame->GetSafeHwnd());
    m_pFrame->ShowWindow(SW_SHOWNA);
    // The window the user works in: its buttons light up under the mouse.
    m_pFrame->SetActiveWindow();
    PumpMessagesFor(0);
}

CToolBarTestFrame::~CToolBarTestFrame()
{
    g_CmdManagerHolder->DetachProfileWindow(m_pFrame->GetSafeHwnd(), true);
    if (m_pFrame->GetSafeHwnd() != nullptr)
        m_pFrame->DestroyWindow();
    m_bars.clear();
    for (HICON hIcon : m_icons)
        ::DestroyIcon(hIcon);
    PumpMessagesFor(0);
}

void CToolBarTestFrame::AddCommand(UINT nId, COLORREF clrIcon, LPCSTR lpszText, LPCSTR lpszTip)
{
    CExtCmdItem item(nId);
    item.m_sToolbarText = lpszText;
    item.m_sMenuText = lpszText;
    item.m_sTipTool = lpszTip;
    g_CmdManagerHolder->SetupCommand(PROFILE, item, true);
    m_icons.push_back(MakeSolidIcon(clrIcon, ICON_SIZE));
    g_CmdManagerHolder->SetCommandIconFromHICON(PROFILE, nId, m_icons.back(), true);
}

CExtDockOuterBar* CToolBarTestFrame::DockBarAt(UINT nDockBarId) const
{
    return static_cast<CExtDockOuterBar*>(m_pFrame->GetControlBar(nDockBarId));
}

CExtToolControlBar* CToolBarTestFrame::DockToolBar(const std::vector<UINT>& ids, UINT nDockBarId,
                                                   const std::function<void(CExtToolControlBar*)>& setUp)
{
    auto pOwned = std::make_unique<CExtToolControlBar>();
    if (setUp)
        setUp(pOwned.get());
    CExtToolControlBar* pBar = DockBar(std::move(pOwned), nDockBarId);
    pBar->AssignButtonIds(ids.data(), static_cast<int>(ids.size()));
    pBar->RequestFrameLayout();
    Settle();
    return pBar;
}

CExtToolControlBar* CToolBarTestFrame::DockBar(std::unique_ptr<CExtToolControlBar> pOwned, UINT nDockBarId)
{
    m_bars.push_back(std::move(pOwned));
    CExtToolControlBar* pBar = m_bars.back().get();
    pBar->CreateBarWindow("tools", m_pFrame, kToolBarId + static_cast<UINT>(m_bars.size()),
                          WS_CHILD | WS_VISIBLE | AlignmentOf(nDockBarId) | CBRS_SIZE_DYNAMIC | CBRS_GRIPPER);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    DockBarAt(nDockBarId)->DockControlBarEx(pBar);
    Settle();
    return pBar;
}

void CToolBarTestFrame::Settle()
{
    m_pFrame->RecalcLayout(TRUE);
    PumpMessagesFor(30);
    m_pFrame->UpdateWindow();
}

void CToolBarTestFrame::SetBarClientWidth(CExtToolControlBar* pBar, int nWidth)
{
    // The row gives the bar the frame's width less fixed borders once the frame is narrower
    // than the bar would be: a few corrections find the frame width.
    constexpr int kTries = 4;
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    int nFrameWidth = nWidth;
    for (int i = 0; i < kTries; ++i) {
        m_pFrame->SetWindowPos(nullptr, 0, 0, nFrameWidth, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
        Settle();
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        if (rcClient.Width() == nWidth)
            return;
        nFrameWidth += nWidth - rcClient.Width();
    }
}
