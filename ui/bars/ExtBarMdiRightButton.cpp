#include "ui/bars/ExtBarMdiRightButton.h"

#include "ui/bars/ExtMenuControlBar.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CExtBarMdiRightButton, CExtBarMdiDocButton)

namespace
{
constexpr int kMinXpButtonSize = 18;
constexpr int kButtonShrink = 2;
constexpr UINT kGlyphAlignment = DT_CENTER | DT_VCENTER;

// One caption button: where it lies, the system command it runs, the glyph it shows, and the
// command and string of its tip.
struct CaptionButton
{
    const CRect* pRect;
    UINT nSysCmd;
    UINT nGlyphCmd;
    UINT nTipId;
};

constexpr UINT kTipHelp = 0xE145;
constexpr UINT kTipRestore = 0xEF12;
constexpr UINT kTipMinimize = 0xEF02;
constexpr UINT kTipRestoreNoMinimize = 0xEF03;
constexpr UINT kTipClose = 0xEF06;

// The present caption buttons in hit-test order: help, restore, minimise, the restore of a
// child without a minimise box, close.
int CaptionButtons(const CExtBarMdiRightButton::MdiButtonsInfo_t& info, CaptionButton (&out)[5])
{
    const CaptionButton all[] = {
        {&info.m_rcHelp, SC_CONTEXTHELP, SC_CONTEXTHELP, kTipHelp},
        {&info.m_rcRestore, SC_RESTORE, SC_RESTORE, kTipRestore},
        {&info.m_rcMinimize, SC_MINIMIZE, SC_MINIMIZE, kTipMinimize},
        {&info.m_rcRestoreNoMinimize, SC_RESTORE, SC_MAXIMIZE, kTipRestoreNoMinimize},
        {&info.m_rcClose, SC_CLOSE, SC_CLOSE, kTipClose},
    };
    int nCount = 0;
    for (const CaptionButton& button : all)
        if (!button.pRect->IsRectEmpty())
            out[nCount++] = button;
    return nCount;
}
} // namespace

void CExtBarMdiRightButton::MdiButtonsInfo_t::Init()
{
    m_pWndMdiChild = nullptr;
    m_pBar = nullptr;
    m_cxTotal = m_cyTotal = 0;
    m_dwFlags = 0;
    for (CRect* pRect : {&m_rcClose, &m_rcRestoreNoMinimize, &m_rcRestore, &m_rcMinimize, &m_rcHelp})
        pRect->SetRectEmpty();
    if (g_PaintManagerHolder.IsWinXPOrLater()) {
        m_cxButton = std::max(std::max(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1,
                              kMinXpButtonSize);
        m_cyButton = m_cxButton;
    } else {
        m_cxButton = ::GetSystemMetrics(SM_CXSIZE);
        m_cyButton = ::GetSystemMetrics(SM_CYSIZE);
    }
    m_cxButton -= kButtonShrink;
    m_cyButton -= kButtonShrink;
}

void CExtBarMdiRightButton::MdiButtonsInfo_t::CalcButtonRects(const RECT& rcButton, bool bHorz)
{
    for (CRect* pRect : {&m_rcClose, &m_rcRestoreNoMinimize, &m_rcRestore, &m_rcMinimize, &m_rcHelp})
        pRect->SetRectEmpty();
    const CRect rcAll(rcButton);
    if (rcAll.IsRectEmpty())
        return;
    CRect rcSlot = bHorz ? CRect(CPoint(rcAll.left + BUTTON_GAP, rcAll.top + (rcAll.Height() - m_cyButton) / 2),
                                 CSize(m_cxButton, m_cyButton))
                         : CRect(CPoint(rcAll.left + (rcAll.Width() - m_cxButton) / 2, rcAll.top + BUTTON_GAP),
                                 CSize(m_cxButton, m_cyButton));
    const CSize step = bHorz ? CSize(m_cxButton + BUTTON_GAP, 0) : CSize(0, m_cyButton + BUTTON_GAP);
    auto take = [&](CRect& rc) {
        rc = rcSlot;
        rcSlot.OffsetRect(step);
    };
    if ((m_dwFlags & FLAG_HELP) != 0)
        take(m_rcHelp);
    if ((m_dwFlags & FLAG_MINIMIZE_BOX) != 0) {
        take(m_rcMinimize);
        take(m_rcRestore);
    } else if ((m_dwFlags & FLAG_MAXIMIZE_BOX) != 0) {
        take(m_rcRestoreNoMinimize);
    }
    if ((m_dwFlags & FLAG_CLOSE) != 0)
        take(m_rcClose);
}

CExtBarMdiRightButton::CExtBarMdiRightButton(CExtToolControlBar* pBar, UINT nCmdId, DWORD dwStyle)
    : CExtBarMdiDocButton(pBar, nCmdId, dwStyle)
{
}

bool CExtBarMdiRightButton::GetInfo(MdiButtonsInfo_t& info) const
{
    CExtMenuControlBar* pMenuBar = GetMenuBar();
    const bool bHorz = !m_bVerticalLayout;
    if (pMenuBar == nullptr || (pMenuBar->GetMdiButtonsInfo(info, const_cast<CExtBarMdiRightButton*>(this), bHorz) &
                                MdiButtonsInfo_t::FLAG_VALID) == 0)
        return false;
    info.CalcButtonRects(m_rc, bHorz);
    return true;
}

CSize CExtBarMdiRightButton::CalculateLayout(CDC&, CSize sizePreset, bool bHorz)
{
    MdiButtonsInfo_t info;
    CExtMenuControlBar* pMenuBar = GetMenuBar();
    if (pMenuBar == nullptr || (pMenuBar->GetMdiButtonsInfo(info, this, bHorz) & MdiButtonsInfo_t::FLAG_VALID) == 0) {
        m_size = CSize(1, 1);
        return m_size;
    }
    m_size = CSize(info.m_cxTotal, info.m_cyTotal);
    if (bHorz)
        m_size.cy = std::max(m_size.cy, sizePreset.cy);
    else
        m_size.cx = std::max(m_size.cx, sizePreset.cx);
    return m_size;
}

bool CExtBarMdiRightButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    MdiButtonsInfo_t info;
    if (pPopup == nullptr || !GetInfo(info))
        return false;
    const int nCount = pPopup->CountItems();
    if (nCount > 0 && pPopup->CommandIdAt(nCount - 1) != CExtPopupMenuWnd::ID_SEPARATOR)
        pPopup->InsertCommandItem(CExtPopupMenuWnd::ID_SEPARATOR);
    const HWND hWndChild = info.m_pWndMdiChild->GetSafeHwnd();
    auto add = [&](UINT nSysCmd) { pPopup->InsertCommandItem(nSysCmd, -1, nullptr, 0, hWndChild); };
    const DWORD dwFlags = info.m_dwFlags;
    if ((dwFlags & MdiButtonsInfo_t::FLAG_HELP) != 0)
        add(SC_CONTEXTHELP);
    if ((dwFlags & MdiButtonsInfo_t::FLAG_MINIMIZE_BOX) != 0) {
        add(SC_MINIMIZE);
        add(SC_RESTORE);
    }
    if ((dwFlags & MdiButtonsInfo_t::FLAG_MAXIMIZE_BOX) != 0)
        add((dwFlags & MdiButtonsInfo_t::FLAG_MINIMIZE_BOX) != 0 ? SC_MAXIMIZE : SC_RESTORE);
    if ((dwFlags & MdiButtonsInfo_t::FLAG_CLOSE) != 0)
        add(SC_CLOSE);
    return true;
}

void CExtBarMdiRightButton::Paint(CDC& dc, bool bHorz)
{
    MdiButtonsInfo_t info;
    if (!GetInfo(info))
        return;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    m_pBar->ScreenToClient(&ptCursor);
    const bool bEnabled = !IsDisabled();
    // Drawing order: help, restore, minimise, the restore without minimise box, close.
    CaptionButton buttons[5];
    const int nCount = CaptionButtons(info, buttons);
    for (int i = 0; i < nCount; ++i) {
        const CRect& rc = *buttons[i].pRect;
        const bool bUnder = rc.PtInRect(ptCursor) != FALSE;
        const bool bHover = IsHover() && bUnder;
        const bool bPressed = IsPressed() && bUnder;
        CExtDrawPushButtonArgs args(this, bHorz, rc, "", nullptr, true, bHover, bPressed, false, bEnabled, true, false,
                                    kGlyphAlignment, nullptr, false, buttons[i].nGlyphCmd, false,
                                    !(bEnabled && (bHover || bPressed)));
        g_PaintManagerHolder->DrawPushButton(dc, args);
    }
}

int CExtBarMdiRightButton::OnTrackPopup(CPoint, bool, bool) { return -1; }

void CExtBarMdiRightButton::OnClick(CPoint point, bool bDown)
{
    MdiButtonsInfo_t info;
    if (bDown || !GetInfo(info))
        return;
    CaptionButton buttons[5];
    const int nCount = CaptionButtons(info, buttons);
    const CaptionButton* pHit = nullptr;
    for (int i = 0; i < nCount && pHit == nullptr; ++i)
        if (buttons[i].pRect->PtInRect(point))
            pHit = &buttons[i];
    if (pHit == nullptr)
        return;
    const HWND hWndChild = info.m_pWndMdiChild->GetSafeHwnd();
    if (pHit->pRect == &info.m_rcRestoreNoMinimize) {
        ::PostMessageA(::GetParent(hWndChild), WM_MDIRESTORE, reinterpret_cast<WPARAM>(hWndChild), 0);
    } else {
        CPoint ptScreen(point);
        m_pBar->ClientToScreen(&ptScreen);
        ::PostMessageA(hWndChild, WM_SYSCOMMAND, pHit->nSysCmd, MAKELPARAM(ptScreen.x, ptScreen.y));
    }
    if (pHit->nSysCmd == SC_RESTORE || pHit->nSysCmd == SC_MINIMIZE) {
        // The child leaves the maximised state: its buttons go before the bar is rebuilt.
        SetVisible(false);
        CExtBarButton* pFirst = m_pBar->GetButtonByIndex(0);
        if (pFirst != nullptr && pFirst->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) && pFirst->IsVisible())
            pFirst->SetVisible(false);
    }
}

INT_PTR CExtBarMdiRightButton::OnToolHitTest(CPoint point, TOOLINFOA* pTI)
{
    MdiButtonsInfo_t info;
    if (!GetInfo(info))
        return -1;
    CaptionButton buttons[5];
    const int nCount = CaptionButtons(info, buttons);
    for (int i = 0; i < nCount; ++i) {
        if (!buttons[i].pRect->PtInRect(point))
            continue;
        const UINT nTipId = buttons[i].nTipId;
        if (pTI == nullptr)
            return static_cast<INT_PTR>(nTipId);
        pTI->rect = *buttons[i].pRect;
        pTI->uId = nTipId;
        pTI->hwnd = m_pBar->GetSafeHwnd();
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
        CString sTip;
        if (g_ResourceManagerHolder->LoadStringForLanguage(sTip, nTipId) && !sTip.IsEmpty()) {
            const size_t nLength = static_cast<size_t>(sTip.GetLength()) + 1;
            if (auto* pszCopy = static_cast<char*>(::malloc(nLength))) {
                std::memcpy(pszCopy, sTip.GetString(), nLength);
                pTI->lpszText = pszCopy;
            }
        }
        return static_cast<INT_PTR>(nTipId);
    }
    return -1;
}

int CExtBarMdiRightButton::OnHelpHitTest(CPoint point) { return static_cast<int>(OnToolHitTest(point, nullptr)); }
