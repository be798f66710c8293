// The slider's frame: margins, the resizing edge, the bar's caption with its buttons, their tool
// tips and the slider's context menu.
#include "ui/bars/ExtDynAutoHideSlider.h"

#include "ui/bars/ExtBarNcAreaButton.h"
#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtDynAutoHideArea.h"
#include "ui/bars/ExtToolControlBar.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/Rgn.h"

#include <cstdlib>

namespace
{
// The caption text kind the slider draws.
constexpr LPARAM kSliderCaptionKind = 6;
constexpr UINT kContextMenuTrackFlags = CExtPopupMenuWnd::TRACK_OWNER_DRAW;
constexpr UINT_PTR kTipToolId = 1;

// The caption of the shown bar: shown at all, and along the top or down the left.
bool QueryCaption(CExtControlBar* pBar, bool& bAlongTop)
{
    bAlongTop = false;
    return pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->QueryGripper(&bAlongTop, nullptr);
}
} // namespace

CExtDynAutoHideSlider* CExtDynAutoHideSlider::FindShowingSlider(CExtControlBar* pBar)
{
    CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAreaOfBar(pBar);
    CExtDynAutoHideSlider* pSlider = pArea != nullptr ? pArea->m_pSlider : nullptr;
    if (pSlider == nullptr || pSlider->GetSafeHwnd() == nullptr || !pSlider->IsShown() ||
        pSlider->m_pBar != pBar)
        return nullptr;
    return pSlider;
}

int CExtDynAutoHideSlider::GetResizeHitCode() const
{
    switch (GetAreaSide()) {
    case 0:
        return HTBOTTOM;
    case 1:
        return HTTOP;
    case 2:
        return HTRIGHT;
    default:
        return HTLEFT;
    }
}

CRect CExtDynAutoHideSlider::CalcNcMargins() const
{
    CRect rcMargins(NC_MARGIN, NC_MARGIN, NC_MARGIN, NC_MARGIN);
    switch (GetResizeHitCode()) {
    case HTBOTTOM:
        rcMargins.bottom = RESIZE_EDGE_MARGIN;
        break;
    case HTTOP:
        rcMargins.top = RESIZE_EDGE_MARGIN;
        break;
    case HTRIGHT:
        rcMargins.right = RESIZE_EDGE_MARGIN;
        break;
    default:
        rcMargins.left = RESIZE_EDGE_MARGIN;
        break;
    }
    bool bAlongTop = false;
    if (QueryCaption(m_pBar, bAlongTop)) {
        if (bAlongTop)
            rcMargins.top += m_pBar->m_nCaptionHeight;
        else
            rcMargins.left += m_pBar->m_nCaptionWidth;
    }
    return rcMargins;
}

void CExtDynAutoHideSlider::CalcNcRects(RECT* pRcWnd, RECT* pRcClient, RECT* pRcFrame, RECT* pRcCaption) const
{
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
    CRect rcClient(rcWnd);
    rcClient.DeflateRect(NC_MARGIN, NC_MARGIN);
    CRect rcFrame(rcWnd);
    rcFrame.InflateRect(NC_MARGIN, NC_MARGIN);
    constexpr int nExtra = RESIZE_EDGE_MARGIN - NC_MARGIN;
    switch (GetResizeHitCode()) {
    case HTBOTTOM:
        rcClient.bottom -= nExtra;
        rcFrame.bottom = rcWnd.bottom - NC_MARGIN;
        break;
    case HTTOP:
        rcClient.top += nExtra;
        rcFrame.top = rcWnd.top + NC_MARGIN;
        break;
    case HTRIGHT:
        rcClient.right -= nExtra;
        rcFrame.right = rcWnd.right - NC_MARGIN;
        break;
    default:
        rcClient.left += nExtra;
        rcFrame.left = rcWnd.left + NC_MARGIN;
        break;
    }
    CRect rcCaption;
    bool bAlongTop = false;
    if (QueryCaption(m_pBar, bAlongTop)) {
        rcCaption = rcClient;
        if (bAlongTop)
            rcCaption.bottom = rcCaption.top + m_pBar->m_nCaptionHeight;
        else
            rcCaption.right = rcCaption.left + m_pBar->m_nCaptionWidth;
    }
    if (pRcWnd != nullptr)
        *pRcWnd = rcWnd;
    if (pRcClient != nullptr)
        *pRcClient = rcClient;
    if (pRcFrame != nullptr)
        *pRcFrame = rcFrame;
    if (pRcCaption != nullptr)
        *pRcCaption = rcCaption;
}

void CExtDynAutoHideSlider::OnNcCalcSize(NCCALCSIZE_PARAMS* pParams)
{
    if (pParams == nullptr || !IsLive())
        return;
    RECT& rc = pParams->rgrc[0];
    CRect rcMargins = CalcNcMargins();
    // The client area keeps one pixel between the caption and the content.
    bool bAlongTop = false;
    if (QueryCaption(m_pBar, bAlongTop)) {
        if (bAlongTop)
            ++rcMargins.top;
        else
            ++rcMargins.left;
    }
    rc.left += rcMargins.left;
    rc.top += rcMargins.top;
    rc.right = std::max(rc.left, rc.right - rcMargins.right);
    rc.bottom = std::max(rc.top, rc.bottom - rcMargins.bottom);
}

LRESULT CExtDynAutoHideSlider::OnNcHitTest(POINT ptScreen)
{
    if (!IsShown() || IsAnimating())
        return HTCLIENT;
    if (IsResizing())
        return m_nResizeEdge;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    const int nCode = GetResizeHitCode();
    CRect rcEdge(rcWnd);
    switch (nCode) {
    case HTBOTTOM:
        rcEdge.top = rcEdge.bottom - RESIZE_EDGE_MARGIN;
        break;
    case HTTOP:
        rcEdge.bottom = rcEdge.top + RESIZE_EDGE_MARGIN;
        break;
    case HTRIGHT:
        rcEdge.left = rcEdge.right - RESIZE_EDGE_MARGIN;
        break;
    default:
        rcEdge.right = rcEdge.left + RESIZE_EDGE_MARGIN;
        break;
    }
    return rcEdge.PtInRect(ptScreen) ? nCode : HTCLIENT;
}

void CExtDynAutoHideSlider::OnNcPaint()
{
    CRect rcWnd, rcClient, rcFrame, rcCaption;
    CalcNcRects(&rcWnd, nullptr, &rcFrame, &rcCaption);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    CRect rcScreen;
    GetWindowRect(&rcScreen);
    rcClient.OffsetRect(-rcScreen.left, -rcScreen.top);
    const HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == nullptr)
        return;
    ::ExcludeClipRect(hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
    {
        CExtMemoryDC dc(CDC::FromHandle(hDC), &rcWnd);
        dc.FillSolidRect(&rcWnd, g_PaintManagerHolder->ColorByIndex(COLOR_3DFACE, this));
        if (IsLive()) {
            CRect rcOuter(rcFrame);
            dc.Draw3dRect(&rcOuter, g_PaintManagerHolder->ColorByIndex(COLOR_3DFACE, this),
                          g_PaintManagerHolder->ColorByIndex(COLOR_3DDKSHADOW, this));
            rcOuter.DeflateRect(1, 1);
            dc.Draw3dRect(&rcOuter, g_PaintManagerHolder->ColorByIndex(COLOR_3DHILIGHT, this),
                          g_PaintManagerHolder->ColorByIndex(COLOR_3DSHADOW, this));
            bool bAlongTop = false;
            if (QueryCaption(m_pBar, bAlongTop)) {
                m_pBar->LayoutNcButtons();
                const bool bVerticalText = m_pBar->IsDockedAtTopOrBottom() && !m_pBar->m_bCaptionAlongTop;
                CRect rcText(rcCaption);
                if (bVerticalText) {
                    rcText.DeflateRect(0, 2);
                    rcText.OffsetRect(-2, 0);
                } else {
                    rcText.DeflateRect(2, 0);
                }
                m_pBar->GetCaptionTextRect(rcText);
                CString sText;
                m_pBar->GetCaptionText(kSliderCaptionKind, sText);
                CRgn rgnClip;
                rgnClip.CreateRectRgnIndirect(&rcCaption);
                dc.SelectClipRgn(&rgnClip);
                CExtDrawBarCaptionArgs args(this, rcCaption, rcText, IsFocusInside(), false, bVerticalText, true,
                                            sText.IsEmpty() ? nullptr : static_cast<LPCSTR>(sText));
                if (g_ResourceManagerHolder->IsRightToLeftLanguage())
                    args.m_nPainted |= CExtDrawBarCaptionArgs::PAINTED_RIGHT_TO_LEFT;
                g_PaintManagerHolder->DrawBarCaption(dc, args);
                m_pBar->PaintNcButtons(dc);
                dc.SelectClipRgn(nullptr);
            }
        }
    }
    ::ReleaseDC(m_hWnd, hDC);
}

void CExtDynAutoHideSlider::UpdateNcHover(POINT ptScreen)
{
    if (!IsLive() || CExtPopupMenuWnd::IsTrackingActive() || CExtToolControlBar::g_bButtonMenuTracking ||
        CExtControlBar::GetDraggedBar() != nullptr)
        return;
    CExtBarNcAreaButton* pButton = nullptr;
    m_pBar->HitTestNcButtons(ptScreen.x, ptScreen.y, &pButton);
    if (pButton == m_pHoveredButton)
        return;
    if (m_pHoveredButton != nullptr) {
        m_pHoveredButton->m_bHover = false;
        m_pHoveredButton->m_bPushed = false;
    }
    m_pHoveredButton = pButton;
    SendMessage(WM_NCPAINT);
}

INT_PTR CExtDynAutoHideSlider::OnToolHitTest(CPoint point, TOOLINFOA* /*pTI*/) const
{
    auto* pThis = const_cast<CExtDynAutoHideSlider*>(this);
    if (!IsShown() || !IsLive() || (m_pBar->GetBarStyle() & CBRS_TOOLTIPS) == 0 ||
        CExtToolControlBar::g_bButtonMenuTracking || CExtPopupMenuWnd::IsTrackingActive() ||
        CExtControlBar::GetDraggedBar() != nullptr || m_wndToolTip.GetSafeHwnd() == nullptr)
        return -1;
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    CExtBarNcAreaButton* pButton = nullptr;
    m_pBar->HitTestNcButtons(ptScreen.x, ptScreen.y, &pButton);
    if (pButton == nullptr || pButton == m_pTipButton)
        return -1;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    // A button of an auto-hidden bar gives its text but no tool: the slider adds that tool.
    TOOLINFOA ti{};
    ti.cbSize = sizeof(ti);
    const INT_PTR nHit = pButton->OnToolHitTest(CPoint(ptScreen.x - rcWnd.left, ptScreen.y - rcWnd.top), &ti);
    CString sText;
    if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACKA) {
        sText = ti.lpszText;
        ::free(ti.lpszText);
    }
    if (nHit == 1 || sText.IsEmpty())
        return -1;
    pThis->m_pTipButton = pButton;
    CRect rcTool(pButton->m_rc);
    rcTool.OffsetRect(rcWnd.TopLeft());
    ScreenToClient(&rcTool);
    pThis->m_wndToolTip.DelTool(pThis, kTipToolId);
    pThis->m_wndToolTip.AddTool(pThis, sText, &rcTool, kTipToolId);
    return -1;
}

void CExtDynAutoHideSlider::OnContextMenu(CPoint ptScreen)
{
    CFrameWnd* pFrame = GetFrame();
    if (m_pBar == nullptr || pFrame == nullptr || CExtControlBar::IsFrameInHelpMode(this))
        return;
    auto* pPopup = new CExtPopupMenuWnd;
    pPopup->PrepareEmptyPopup(pFrame->GetSafeHwnd());
    if (!CExtControlBar::BuildFrameBarsMenu(pFrame, pPopup, CExtControlBar::POPUP_MENU_EVENT_DATA::AUTOHIDESLIDER_CTX,
                                            this, WM_CONTEXTMENU, m_pBar) ||
        pPopup->CountItems() == 0 || !pPopup->StartTracking(kContextMenuTrackFlags, ptScreen.x, ptScreen.y))
        delete pPopup;
}
