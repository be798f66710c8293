#include "ui/core/ExtPopupUndoRedoListBox.h"

#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupControlMenuWnd.h"
#include "ui/core/ExtPopupUndoRedoMenuWnd.h"

#include <algorithm>
#include <iterator>

IMPLEMENT_DYNCREATE(CExtPopupUndoRedoListBox, CExtPopupInplaceListBox)

namespace {

// Scroll periods by tens of pixels beyond the list: nearer scrolls slower.
constexpr UINT AUTO_SCROLL_PERIODS[] = {500, 300, 200, 100, 50};
constexpr int AUTO_SCROLL_STEP_PIXELS = 10;

constexpr int SCROLL_NONE = 0;
constexpr int SCROLL_UP = 1;
constexpr int SCROLL_DOWN = 2;

CPoint PointOf(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

}  // namespace

CExtPopupUndoRedoListBox::CExtPopupUndoRedoListBox() = default;

UINT CExtPopupUndoRedoListBox::GetAutoScrollPeriod(int nDistance)
{
    constexpr int nLast = static_cast<int>(std::size(AUTO_SCROLL_PERIODS)) - 1;
    return AUTO_SCROLL_PERIODS[std::clamp(nDistance / AUTO_SCROLL_STEP_PIXELS, 0, nLast)];
}

int CExtPopupUndoRedoListBox::GetLastVisibleItem() const
{
    const int nCount = GetCount();
    CRect rcClient;
    GetClientRect(&rcClient);
    for (int i = std::max(GetTopIndex(), 0); i < nCount; ++i) {
        CRect rcItem;
        if (GetItemRect(i, &rcItem) != LB_ERR && rcItem.bottom >= rcClient.bottom)
            return i;
    }
    return nCount - 1;
}

void CExtPopupUndoRedoListBox::SelectUpTo(int nLast)
{
    const int nCount = GetCount();
    if (nCount <= 0)
        return;
    nLast = std::clamp(nLast, 0, nCount - 1);
    // A range whose first index is the higher one deselects.
    SendMessage(LB_SELITEMRANGEEX, static_cast<WPARAM>(nCount - 1), 0);
    if (nLast == 0)
        SetSel(0, TRUE);
    else
        SendMessage(LB_SELITEMRANGEEX, 0, nLast);
    OnSelChange();
}

LRESULT CExtPopupUndoRedoListBox::OnSelChange()
{
    if (m_pfnSelectionCallback != nullptr && m_pfnSelectionCallback(*this, m_pSelectionCookie, SELECTION_CHANGED))
        return 0;
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return 0;
    if (auto* pPopup = DYNAMIC_DOWNCAST(CExtPopupUndoRedoMenuWnd, GetParentPopup()))
        pPopup->SetActionCount(GetSelCount());
    return SendSelectionMessage(g_nMsgPopupListBoxSelChange);
}

void CExtPopupUndoRedoListBox::StopAutoScroll()
{
    if ((m_nTimerFlags & TIMER_FLAG_UP) != 0 && m_hWnd != nullptr)
        KillTimer(TIMER_SCROLL_UP);
    if ((m_nTimerFlags & TIMER_FLAG_DOWN) != 0 && m_hWnd != nullptr)
        KillTimer(TIMER_SCROLL_DOWN);
    m_nTimerFlags = 0;
    m_nPeriodUp = 0;
    m_nPeriodDown = 0;
}

void CExtPopupUndoRedoListBox::RunAutoScroll(UINT_PTR nTimer, int nDistance)
{
    const bool bUp = nTimer == TIMER_SCROLL_UP;
    const BYTE nFlag = bUp ? TIMER_FLAG_UP : TIMER_FLAG_DOWN;
    const BYTE nOtherFlag = bUp ? TIMER_FLAG_DOWN : TIMER_FLAG_UP;
    // Crossing from one side to the other leaves one timer running.
    if ((m_nTimerFlags & nOtherFlag) != 0) {
        KillTimer(bUp ? TIMER_SCROLL_DOWN : TIMER_SCROLL_UP);
        m_nTimerFlags &= static_cast<BYTE>(~nOtherFlag);
        (bUp ? m_nPeriodDown : m_nPeriodUp) = 0;
    }
    int& nPeriod = bUp ? m_nPeriodUp : m_nPeriodDown;
    const int nNewPeriod = static_cast<int>(GetAutoScrollPeriod(nDistance));
    if ((m_nTimerFlags & nFlag) != 0 && nPeriod == nNewPeriod)
        return;
    SetTimer(nTimer, static_cast<UINT>(nNewPeriod), nullptr);
    m_nTimerFlags |= nFlag;
    nPeriod = nNewPeriod;
}

void CExtPopupUndoRedoListBox::OnMouseMove(CPoint point)
{
    const int nCount = GetCount();
    if (nCount > 0) {
        CRect rcClient;
        GetClientRect(&rcClient);
        BOOL bOutside = FALSE;
        const int nItem = static_cast<int>(ItemFromPoint(point, bOutside));
        if (rcClient.PtInRect(point) && !bOutside && nItem >= 0 && nItem < nCount && GetSelCount() != nItem + 1)
            SelectUpTo(nItem);
    }
    if ((m_nPressedFlags & PRESSED_LEFT) == 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (point.y > 0 && point.y < rcClient.bottom)
        StopAutoScroll();
    else if (point.y < 0)
        RunAutoScroll(TIMER_SCROLL_UP, -point.y);
    else if (point.y >= rcClient.bottom)
        RunAutoScroll(TIMER_SCROLL_DOWN, point.y - rcClient.bottom);
}

void CExtPopupUndoRedoListBox::OnTimer(UINT_PTR nIDEvent)
{
    const int nTop = GetTopIndex();
    if (nIDEvent == TIMER_SCROLL_UP) {
        if (nTop <= 0)
            return;
        SelectUpTo(nTop - 1);
        SetTopIndex(nTop - 1);
        return;
    }
    const int nNext = GetLastVisibleItem() + 1;
    if (nNext >= GetCount())
        return;
    SelectUpTo(nNext);
    SetTopIndex(nTop + 1);
}

void CExtPopupUndoRedoListBox::OnPaint()
{
    PAINTSTRUCT ps{};
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    if (hDC == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC dcPaint;
    dcPaint.Attach(hDC);
    {
        CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND);
        CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
        dc.FillSolidRect(&rcClient, pPM->ColorByIndex(COLOR_WINDOW, this));
        DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        pPM->NotifyPaintDone(this, 0);
    }
    dcPaint.Detach();
    ::EndPaint(m_hWnd, &ps);
}

void CExtPopupUndoRedoListBox::SelectAfterScroll(int nTopBefore, int nDirection)
{
    if (nDirection == SCROLL_NONE) {
        const int nTopAfter = GetTopIndex();
        nDirection = nTopAfter < nTopBefore ? SCROLL_UP : nTopAfter > nTopBefore ? SCROLL_DOWN : SCROLL_NONE;
    }
    if (nDirection == SCROLL_NONE || GetCount() <= 0)
        return;
    const int nLast = nDirection == SCROLL_UP ? GetTopIndex() : GetLastVisibleItem();
    if (nLast >= 0 && GetSelCount() != nLast + 1)
        SelectUpTo(nLast);
}

LRESULT CExtPopupUndoRedoListBox::ScrollAndSelect(UINT message, WPARAM wParam, LPARAM lParam)
{
    SetRedraw(FALSE);
    const int nTopBefore = GetTopIndex();
    const LRESULT lResult = message == WM_VSCROLL ? CExtPopupInplaceListBox::WindowProc(message, wParam, lParam)
                                                  : CExtPopupInplaceListBox::OnControlInput(wParam);
    int nDirection = SCROLL_NONE;
    if (message == WM_VSCROLL) {
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
        case SB_PAGEUP:
        case SB_TOP:
            nDirection = SCROLL_UP;
            break;
        case SB_LINEDOWN:
        case SB_PAGEDOWN:
        case SB_BOTTOM:
            nDirection = SCROLL_DOWN;
            break;
        default:
            break;
        }
    }
    SelectAfterScroll(nTopBefore, nDirection);
    SetRedraw(TRUE);
    Invalidate(FALSE);
    return lResult;
}

bool CExtPopupUndoRedoListBox::OnKey(UINT nChar)
{
    const int n = GetCount();
    const int s = GetSelCount();
    const int t = GetTopIndex();
    const int v = GetLastVisibleItem();
    switch (nChar) {
    case VK_PRIOR:
        if (s >= 2) {
            const int nLast = std::max(0, s + t - v - 1);
            SelectUpTo(nLast);
            if (nLast < t)
                SetTopIndex(nLast);
        }
        return true;
    case VK_NEXT:
        if (s < n) {
            const int nLast = std::min(n - 1, s + v - t - 1);
            SelectUpTo(nLast);
            if (v < nLast)
                SetTopIndex(t + nLast - v);
        }
        return true;
    case VK_END:
        if (s < n) {
            SelectUpTo(n - 1);
            SetTopIndex(n - 1);
        }
        return true;
    case VK_HOME:
        SelectUpTo(0);
        SetTopIndex(0);
        return true;
    case VK_UP:
        if (s >= 2) {
            SelectUpTo(s - 2);
            if (s - 2 < t)
                SetTopIndex(s - 2);
        }
        return true;
    case VK_DOWN:
        if (s < n) {
            SelectUpTo(s);
            if (v < s)
                SetTopIndex(t + s - v);
        }
        return true;
    default:
        return false;
    }
}

LRESULT CExtPopupUndoRedoListBox::OnControlInput(WPARAM wParam)
{
    const auto* pData = reinterpret_cast<const CExtPopupControlMenuWnd::ControlInputData*>(wParam);
    if (pData == nullptr)
        return 0;
    if (pData->m_nKind == CExtPopupControlMenuWnd::INPUT_KEY_DOWN && OnKey(pData->m_nChar))
        return 0;
    if (pData->m_nKind == CExtPopupControlMenuWnd::INPUT_MOUSE_WHEEL)
        return ScrollAndSelect(CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate, wParam, 0);
    return CExtPopupInplaceListBox::OnControlInput(wParam);
}

LRESULT CExtPopupUndoRedoListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(PointOf(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == TIMER_SCROLL_UP || wParam == TIMER_SCROLL_DOWN) {
            OnTimer(wParam);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (GetCount() > 0) {
            ::SetCapture(m_hWnd);
            m_nPressedFlags |= PRESSED_LEFT;
        }
        return 0;
    case WM_LBUTTONUP: {
        StopAutoScroll();
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        const bool bPressed = (m_nPressedFlags & PRESSED_LEFT) != 0;
        m_nPressedFlags &= static_cast<BYTE>(~PRESSED_LEFT);
        // A release whose press happened elsewhere does not end the list.
        if (GetCount() > 0 && bPressed)
            OnSelEndOK();
        return 0;
    }
    case WM_CANCELMODE:
        StopAutoScroll();
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        OnSelEndCancel(false);
        return 0;
    case WM_DESTROY:
        StopAutoScroll();
        OnSelEndCancel(true);
        break;
    case WM_VSCROLL:
        return ScrollAndSelect(message, wParam, lParam);
    default:
        break;
    }
    return CExtPopupInplaceListBox::WindowProc(message, wParam, lParam);
}
