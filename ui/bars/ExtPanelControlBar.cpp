// The panel bar: sizes from its child window, places the child at the margin corner, paints
// the face around it.
#include "ui/bars/ExtPanelControlBar.h"

#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManagerHolder.h"

namespace
{
// Room a docked panel keeps around its child beyond the margins.
constexpr int kDockedSpacing = 2;
// A panel that has no dock bar yet answers a token size around its child.
constexpr int kUndockedSpacing = 20;
// A panel in a dialog keeps this much room across its dock side.
constexpr int kDialogExtra = 4;
constexpr DWORD kMemoryDcFlags = CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND;
} // namespace

IMPLEMENT_DYNCREATE(CExtPanelControlBar, CExtToolControlBar)

CExtPanelControlBar::CExtPanelControlBar()
    : m_rcMargins(DEFAULT_MARGIN, DEFAULT_MARGIN, DEFAULT_MARGIN, DEFAULT_MARGIN)
{
    SetFixedColumn(true);
}

CSize CExtPanelControlBar::GetNeededSize(int) const
{
    const CSize sizeChild = GetChildWindowSize();
    return CSize(sizeChild.cx + m_rcMargins.left + m_rcMargins.right,
                 sizeChild.cy + m_rcMargins.top + m_rcMargins.bottom);
}

CRect CExtPanelControlBar::GetMargins() const { return m_rcMargins; }

CSize CExtPanelControlBar::GetSizeForMode(int nMode) const { return GetNeededSize(nMode); }

CSize CExtPanelControlBar::GetChildWindowSize() const
{
    if (m_hWnd == nullptr)
        return CSize(0, 0);
    HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
    if (hWndChild == nullptr)
        return CSize(0, 0);
    CRect rc;
    ::GetWindowRect(hWndChild, &rc);
    return rc.Size();
}

void CExtPanelControlBar::RepositionChild(bool bRedraw)
{
    if (m_hWnd == nullptr)
        return;
    HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
    if (hWndChild == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const CPoint ptTarget(rcClient.left + m_rcMargins.left, rcClient.top + m_rcMargins.top);
    CRect rcChild;
    ::GetWindowRect(hWndChild, &rcChild);
    ScreenToClient(&rcChild);
    if (rcChild.TopLeft() != ptTarget)
        ::MoveWindow(hWndChild, ptTarget.x, ptTarget.y, rcChild.Width(), rcChild.Height(), bRedraw ? TRUE : FALSE);
}

CSize CExtPanelControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize size = CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
    RecalcNonClient();
    return size;
}

CSize CExtPanelControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (nLength == -1 && (dwMode & (LM_MRUWIDTH | LM_COMMIT)) == 0 && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    return CalcLayout(dwMode, nLength);
}

CSize CExtPanelControlBar::CalcLayout(DWORD, int)
{
    const bool bFloating = IsFloating();
    CSize size(0, 0);
    if (!bFloating) {
        size = CSize(kDockedSpacing, kDockedSpacing);
        bool bAlongTop = false;
        bool bShown = false;
        if (QueryGripper(&bAlongTop, &bShown) && bShown) {
            if (bAlongTop)
                size.cy = m_rcCaption.Height() + kDockedSpacing;
            else
                size.cx = m_rcCaption.Width() + kDockedSpacing;
        }
    }
    if (bFloating) {
        size += GetSizeForMode(SIZE_MODE_FLOATING);
        m_sizeFloating = size;
    } else if (m_pDockBar == nullptr) {
        size += CSize(kUndockedSpacing, kUndockedSpacing);
    } else if (IsDockedAtLeftOrRight()) {
        size += GetSizeForMode(SIZE_MODE_VERT);
        m_sizeDockedVert = size;
        m_nNcHeight = size.cy;
    } else {
        size += GetSizeForMode(SIZE_MODE_HORZ);
        m_sizeDockedHorz = size;
        m_nNcWidth = size.cx;
    }
    if (m_pDockSite == nullptr) {
        if ((m_dwStyle & CBRS_ORIENT_HORZ) != 0)
            size.cy += kDialogExtra;
        else
            size.cx += kDialogExtra;
    }
    return size;
}

int CExtPanelControlBar::GetMinimalWidth() const { return GetSizeForMode(SIZE_MODE_HORZ).cx; }
int CExtPanelControlBar::GetMinimalHeight() const { return GetSizeForMode(SIZE_MODE_VERT).cy; }
CSize CExtPanelControlBar::GetMinimalFloatingSize() const { return GetSizeForMode(SIZE_MODE_FLOATING); }

CSize CExtPanelControlBar::GetMinimalSize() const
{
    return GetSizeForMode(IsDockedAtLeftOrRight() ? SIZE_MODE_VERT : SIZE_MODE_HORZ);
}

bool CExtPanelControlBar::IsFloatingWithCaption() const { return false; }
bool CExtPanelControlBar::IsFitToDockArea() const { return false; }
int CExtPanelControlBar::HitTestForHelp(int x, int y) { return CExtControlBar::HitTestForHelp(x, y); }

void CExtPanelControlBar::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const bool bHasChild = ::GetWindow(m_hWnd, GW_CHILD) != nullptr;
    if (bHasChild)
        CExtPaintManager::ClipOutChildWindows(pDC->GetSafeHdc(), m_hWnd);
    {
        CExtMemoryDC dc(pDC, &rcClient, kMemoryDcFlags);
        if (!(g_PaintManagerHolder->HasBackgroundBehindControls(this, 0) &&
              g_PaintManagerHolder->DrawBackgroundBehind(true, dc, this, 0)))
            dc.FillSolidRect(&rcClient, g_PaintManagerHolder->ColorByIndex(CExtPaintManager::CLRID_FACE, this));
    }
    if (bHasChild)
        ::SelectClipRgn(pDC->GetSafeHdc(), nullptr);
}

LRESULT CExtPanelControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CExtToolControlBar::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        RepositionChild(true);
        break;
    case WM_SETFOCUS:
        if (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD))
            ::SetFocus(hWndChild);
        break;
    default:
        break;
    }
    return lResult;
}
