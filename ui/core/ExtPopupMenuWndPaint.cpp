// The popup menu's window creation and painting.
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"

namespace {

// Lets the owner paint the menu's left band.
struct DrawLeftAreaData
{
    CDC* pDC;
    const RECT* pRect;
    CExtPopupMenuWnd* pPopup;
};

}  // namespace

bool CExtPopupMenuWnd::CreatePopupWindow(CWnd* pWndOwner)
{
    // Edit windows of an earlier window went with it.
    bool bHasInplace = false;
    for (MENUITEMDATA& item : m_items) {
        if (item.IsInplaceEdit()) {
            item.pInplaceEdit = nullptr;
            bHasInplace = true;
        }
    }
    if (bHasInplace)
        RecalcLayout();
    const CRect rcWindow = ComputePlacement();
    if (rcWindow.IsRectEmpty())
        return false;
    if (HWND hWndOwner = HwndOf(pWndOwner))
        ::SendMessageA(hWndOwner, g_nMsgPrepareDesktopBk, reinterpret_cast<WPARAM>(this), 0);
    CaptureScreenBehind(rcWindow);
    const DWORD dwExStyle = IsNonTrackingMode() ? 0 : (WS_EX_TOPMOST | WS_EX_NOINHERITLAYOUT);
    if (!CreateEx(dwExStyle, GetPopupWindowClass(), "", WS_POPUP, rcWindow, pWndOwner, 0))
        return false;
    ComputeServiceButtonRects();
    if (!IsHelpMode())
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    CreateInplaceEdits();
    return IsWindowAlive();
}

void CExtPopupMenuWnd::CaptureScreenBehind(const RECT& rcScreen)
{
    // Wine shows a new popup's unpainted parts black: the shadow must darken what lay there before.
    m_bmpScreenBehind.DeleteObject();
    const int cx = rcScreen.right - rcScreen.left;
    const int cy = rcScreen.bottom - rcScreen.top;
    if (cx <= 0 || cy <= 0)
        return;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    if (hMem != nullptr && hBitmap != nullptr) {
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rcScreen.left, rcScreen.top, SRCCOPY);
        ::SelectObject(hMem, hOld);
        m_bmpScreenBehind.Attach(hBitmap);
        hBitmap = nullptr;
    }
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    if (hMem != nullptr)
        ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
}

void CExtPopupMenuWnd::DrawItem(CDC& dc, int nIndex)
{
    MENUITEMDATA* pItem = ItemDataAt(nIndex);
    CRect rcItem, rcInner;
    if (pItem == nullptr || !GetItemRect(nIndex, &rcItem, false) || !GetItemRect(nIndex, &rcInner, true))
        return;
    const bool bMarkRarelyUsed = g_bMarkRarelyUsedItems && !IsNonTrackingMode();
    if (pItem->IsSeparator()) {
        const MENUITEMDATA* pAbove = ItemDataAt(DisplayedNeighbour(nIndex, -1));
        // A bar of button-style items is closed by a plain line, not the menu's separator.
        if (pAbove != nullptr && (pAbove->nFlagsA & MENUITEMDATA::A_BUTTON_STYLE) != 0)
            g_PaintManagerHolder->DrawSeparatorLine(dc, rcInner, false, false, this);
        else
            g_PaintManagerHolder->DrawMenuSeparator(dc, rcInner, pItem->nIconAreaWidth,
                                                    bMarkRarelyUsed && IsDisplayedRarelyUsed(nIndex), this);
        return;
    }
    DRAWITEMDATA data{&dc, rcItem, rcInner, pItem, this, 0};
    if (pItem->IsSubmenu())
        data.nFlags |= DRAWITEMDATA::SUBMENU;
    if (bMarkRarelyUsed) {
        if (pItem->IsRarelyUsed())
            data.nFlags |= DRAWITEMDATA::RARELY_USED;
        if (IsDisplayedRarelyUsed(DisplayedNeighbour(nIndex, -1)))
            data.nFlags |= DRAWITEMDATA::ABOVE_RARELY_USED;
        if (IsDisplayedRarelyUsed(DisplayedNeighbour(nIndex, +1)))
            data.nFlags |= DRAWITEMDATA::BELOW_RARELY_USED;
    }
    const CExtPopupMenuWnd* pRoot = this;
    while (pRoot->m_pWndParentMenu != nullptr)
        pRoot = pRoot->m_pWndParentMenu;
    if ((pRoot->m_dwTrackFlags & TRACK_OWNER_DRAW) != 0 && m_hWndCmdReceiver != nullptr &&
        ::IsWindow(m_hWndCmdReceiver)) {
        data.nFlags |= DRAWITEMDATA::OWNER_DRAW;
        const HWND hWnd = m_hWnd;
        const LRESULT lDrawn =
            ::SendMessageA(m_hWndCmdReceiver, g_nMsgPopupDrawItem, 0, reinterpret_cast<LPARAM>(&data));
        if (lDrawn != 0 || !::IsWindow(hWnd))
            return;
    }
    data.PaintDefault();
}

int CExtPopupMenuWnd::DisplayedNeighbour(int nIndex, int nStep) const
{
    for (int i = nIndex + nStep; i >= 0 && i < CountItems(); i += nStep) {
        if (m_items[static_cast<size_t>(i)].IsDisplayed())
            return i;
    }
    return -1;
}

bool CExtPopupMenuWnd::IsDisplayedRarelyUsed(int nIndex) const
{
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr || !pItem->IsDisplayed())
        return false;
    if (!pItem->IsSeparator())
        return pItem->IsRarelyUsed();
    // A separator inside a run of rarely used items belongs to the run.
    auto rarelyUsedItem = [this](int i) {
        const MENUITEMDATA* p = ItemDataAt(i);
        return p != nullptr && !p->IsSeparator() && p->IsRarelyUsed();
    };
    return rarelyUsedItem(DisplayedNeighbour(nIndex, -1)) && rarelyUsedItem(DisplayedNeighbour(nIndex, +1));
}

void CExtPopupMenuWnd::DRAWITEMDATA::PaintDefault() const
{
    if (pPopup != nullptr && pDC != nullptr && pItemData != nullptr)
        pPopup->DrawItemDefault(*this);
}

void CExtPopupMenuWnd::DrawItemDefault(const DRAWITEMDATA& data)
{
    const MENUITEMDATA* pItem = data.pItemData;
    const int nIndex = static_cast<int>(pItem - m_items.data());
    CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
    const CExtCmdIcon* pIcon = pItem->GetDisplayIcon();
    const bool bSubmenuOpen = pItem->pChild != nullptr && pItem->pChild->IsWindowAlive() &&
                              ::IsWindowVisible(pItem->pChild->m_hWnd);
    if ((pItem->nFlagsA & MENUITEMDATA::A_BUTTON_STYLE) != 0) {
        const bool bHighlighted = (pItem->nFlagsA & MENUITEMDATA::A_HIGHLIGHTED) != 0;
        CExtDrawPushButtonArgs args(this, true, data.rcInner, pItem->sText, const_cast<CExtCmdIcon*>(pIcon), true,
                                    bHighlighted && !bSubmenuOpen, bSubmenuOpen, false, pItem->IsEnabled(), true,
                                    false);
        pPM->DrawPushButton(*data.pDC, args);
        return;
    }
    CExtDrawMenuItemArgs args(this, data.rcInner, data.rcInner, pItem->nIconAreaWidth, pItem->sText, pItem->sAccelText,
                              const_cast<CExtCmdIcon*>(pIcon), pItem->IsSubmenu(),
                              (pItem->nFlagsA & MENUITEMDATA::A_HIGHLIGHTED) != 0 || bSubmenuOpen,
                              (pItem->nFlagsA & MENUITEMDATA::A_CHECKED) != 0,
                              (pItem->nFlagsB & MENUITEMDATA::B_RADIO) != 0,
                              (pItem->nFlagsB & MENUITEMDATA::B_INDETERMINATE) != 0, pItem->IsEnabled(),
                              (data.nFlags & DRAWITEMDATA::RARELY_USED) != 0,
                              (data.nFlags & DRAWITEMDATA::ABOVE_RARELY_USED) != 0,
                              (data.nFlags & DRAWITEMDATA::BELOW_RARELY_USED) != 0);
    if (pItem->IsInplaceEdit()) {
        GetInplaceEditRect(nIndex, &args.m_rcInplaceEdit);
        args.m_strInplaceEdit = pItem->GetInplaceShownText();
        args.m_bInplaceDropPushed = bSubmenuOpen;
        args.m_bEnabled = pItem->IsInplaceEditEnabled();
    }
    pPM->DrawMenuItem(*data.pDC, args);
}

void CExtPopupMenuWnd::PaintContent(CDC& dc, bool bBuffered)
{
    if (!IsWindowAlive())
        return;
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    CDC* pTarget = &dc;
    CDC dcMem;
    CBitmap bmpMem;
    CBitmap* pOldBitmap = nullptr;
    if (bBuffered && dcMem.CreateCompatibleDC(&dc) &&
        bmpMem.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height())) {
        pOldBitmap = dcMem.SelectObject(&bmpMem);
        pTarget = &dcMem;
    }
    CDC& dcPaint = *pTarget;
    CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
    // What lay under the window shows in the shadow strips and around a combined outline.
    if (m_bmpScreenBehind.GetSafeHandle() != nullptr) {
        HDC hSrc = ::CreateCompatibleDC(dcPaint.m_hDC);
        HGDIOBJ hOld = ::SelectObject(hSrc, m_bmpScreenBehind.GetSafeHandle());
        ::BitBlt(dcPaint.m_hDC, 0, 0, rcClient.Width(), rcClient.Height(), hSrc, 0, 0, SRCCOPY);
        ::SelectObject(hSrc, hOld);
        ::DeleteDC(hSrc);
    } else {
        dcPaint.FillSolidRect(&rcClient, pPM->GetControlFaceColor(this));
    }
    HGDIOBJ hOldFont = ::SelectObject(dcPaint.m_hDC, pPM->m_FontNormal.GetSafeHandle());
    const CRect rcMenu(m_rcMenu);
    dcPaint.FillSolidRect(&rcMenu, pPM->GetControlFaceColor(this));
    if (m_nCombinedSide == SIDE_NONE) {
        pPM->DrawMenuBorder(dcPaint, rcMenu, this);
    } else {
        // The open border fills the menu: it comes before the items.
        const int nSavedBorder = dcPaint.SaveDC();
        pPM->DrawMenuBorderOpenSide(dcPaint, rcMenu, m_rcExcludeClient, m_nCombinedSide, this);
        dcPaint.RestoreDC(nSavedBorder);
        if (m_pfnOpenSidePainter != nullptr)
            m_pfnOpenSidePainter(m_pCallbackCookie, dcPaint, *this, &m_rcExcludeClient, m_nCombinedSide);
    }

    PaintMenuItems(dcPaint);
    const int nBorder = GetBorderSize();
    if (m_nLeftBandWidth > 0) {
        CRect rcBand(rcMenu.left + nBorder, rcMenu.top + nBorder, rcMenu.left + nBorder + m_nLeftBandWidth,
                     rcMenu.bottom - nBorder);
        DrawLeftAreaData data{&dcPaint, &rcBand, this};
        if (m_hWndCmdReceiver != nullptr && ::IsWindow(m_hWndCmdReceiver))
            ::SendMessageA(m_hWndCmdReceiver, g_nMsgPopupDrawLeftArea, 0, reinterpret_cast<LPARAM>(&data));
    }
    ::SelectObject(dcPaint.m_hDC, hOldFont);
    if (IsAnimationFinished() && IsShadowAllowed() && GetShadowSize() > 0) {
        CRect rcScreen(rcMenu);
        ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&rcScreen.left));
        ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&rcScreen.right));
        m_shadowPopup.Draw(dcPaint, rcMenu, rcScreen, m_rcExcludeClient, static_cast<UINT>(GetShadowSize()),
                           CExtDropShadow::POPUP_MIN_LIGHTNESS, CExtDropShadow::POPUP_MAX_LIGHTNESS, true, true,
                           bBuffered);
    }
    if (pOldBitmap != nullptr) {
        dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOldBitmap);
    }
}

void CExtPopupMenuWnd::PaintMenuItems(CDC& dc)
{
    const int nSaved = dc.SaveDC();
    const int nBorder = GetBorderSize();
    const CRect rcMenu(m_rcMenu);
    CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
    dc.IntersectClipRect(rcMenu.left + nBorder, rcMenu.top + nBorder, rcMenu.right - nBorder, rcMenu.bottom - nBorder);
    // A scroll button shows only while there is something to scroll to on its side.
    const bool bUpShown = !::IsRectEmpty(&m_rcScrollUp) && m_nScrollPos != 0;
    const bool bDownShown = !::IsRectEmpty(&m_rcScrollDown) && m_nScrollPos != GetMinScrollPos();
    if (bUpShown)
        dc.ExcludeClipRect(&m_rcScrollUp);
    if (bDownShown)
        dc.ExcludeClipRect(&m_rcScrollDown);
    if (!::IsRectEmpty(&m_rcExpandButton))
        dc.ExcludeClipRect(&m_rcExpandButton);
    for (int i = 0; i < CountItems(); ++i)
        DrawItem(dc, i);
    dc.RestoreDC(nSaved);

    if (!::IsRectEmpty(&m_rcExpandButton)) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        pPM->DrawMenuExpandButton(dc, m_rcExpandButton, ::PtInRect(&m_rcExpandButton, pt) != FALSE, false, this);
    }
    if (bUpShown)
        ::DrawFrameControl(dc.m_hDC, &m_rcScrollUp, DFC_SCROLL,
                           DFCS_SCROLLUP | DFCS_FLAT | (m_nScrollDirection > 0 ? DFCS_PUSHED : 0));
    if (bDownShown)
        ::DrawFrameControl(dc.m_hDC, &m_rcScrollDown, DFC_SCROLL,
                           DFCS_SCROLLDOWN | DFCS_FLAT | (m_nScrollDirection < 0 ? DFCS_PUSHED : 0));
}
