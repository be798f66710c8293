#include "ui/bars/ExtSplitterWnd.h"

#include "platform/mfc/Brush.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/FrameWnd.h"
#include "ui/bars/ExtMdiTabColorSource.h"
#include "ui/core/ExtPaintManagerHolder.h"

namespace
{
constexpr UINT kRedrawOnly = RDW_INVALIDATE | RDW_NOCHILDREN;
// The tracker is drawn over the parent, across its children: only siblings are clipped.
constexpr DWORD kTrackerDcFlags = DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE;
constexpr DWORD kClipStyles = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

IMPLEMENT_DYNCREATE(CExtSplitterWnd, CSplitterWnd)

void CExtSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (pDC == nullptr)
    {
        RedrawWindow(&rect, nullptr, kRedrawOnly);
        return;
    }
    if (nType != splitBorder)
        return;
    CRect rcEdge(rect);
    rcEdge.InflateRect(-1, -1);
    g_PaintManagerHolder->DrawSplitterEdge(*pDC, rcEdge, this, 0);
}

void CExtSplitterWnd::OnInvertTracker(const CRect& rect)
{
    const HWND hWndParent = ::GetParent(m_hWnd);
    if (hWndParent == nullptr)
        return;
    CRect rcTracker(rect);
    ::MapWindowPoints(m_hWnd, hWndParent, reinterpret_cast<POINT*>(&rcTracker), 2);
    const HDC hDC = ::GetDCEx(hWndParent, nullptr, kTrackerDcFlags);
    if (hDC == nullptr)
        return;
    CBrush* pBrush = CDC::GetHalftoneBrush();
    const HGDIOBJ hOldBrush = pBrush != nullptr ? ::SelectObject(hDC, pBrush->m_hObject) : nullptr;
    ::PatBlt(hDC, rcTracker.left, rcTracker.top, rcTracker.Width(), rcTracker.Height(), PATINVERT);
    if (hOldBrush != nullptr)
        ::SelectObject(hDC, hOldBrush);
    ::ReleaseDC(hWndParent, hDC);
}

void CExtSplitterWnd::DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside)
{
    if (pDC == nullptr)
    {
        RedrawWindow(nullptr, nullptr, kRedrawOnly);
        return;
    }
    if ((GetStyle() & kClipStyles) != kClipStyles)
        ModifyStyle(0, kClipStyles);

    CRect rcBackground;
    GetClientRect(&rcBackground);
    CFrameWnd* pOwnerFrame = GetParentFrame();
    CFrameWnd* pOuterFrame = pOwnerFrame != nullptr ? pOwnerFrame->GetParentFrame() : nullptr;
    if (pOuterFrame == nullptr)
        pOuterFrame = pOwnerFrame;
    if (!FillFromMdiTabs(*pDC, rcBackground, pOwnerFrame, pOuterFrame))
    {
        // The face background is laid out over the whole outer frame so that it runs on
        // across the splitter; without a frame, over the splitter itself.
        CRect rcWhole(rcBackground);
        if (pOuterFrame != nullptr)
        {
            pOuterFrame->GetWindowRect(&rcWhole);
            ScreenToClient(&rcWhole);
        }
        CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
        if (!pPM->HasBackgroundBehindControls(this, 0) || !pPM->FillFaceBackground(true, *pDC, rcBackground, rcWhole, 0))
            pDC->FillSolidRect(&rcBackground, pPM->ColorByIndex(CExtPaintManager::CLRID_FACE, nullptr, 0));
    }
    CSplitterWnd::DrawAllSplitBars(pDC, cxInside, cyInside);
}

bool CExtSplitterWnd::FillFromMdiTabs(CDC& dc, const CRect& rcBackground, CFrameWnd* pOwnerFrame,
                                      CFrameWnd* pOuterFrame) const
{
    if (pOuterFrame == nullptr)
        return false;
    for (HWND hWndChild = ::GetWindow(pOuterFrame->m_hWnd, GW_CHILD); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        const auto* pSource = dynamic_cast<const CExtMdiTabColorSource*>(CWnd::FromHandlePermanent(hWndChild));
        if (pSource == nullptr)
            continue;
        COLORREF clrTab = 0;
        if (pSource->GetFrameTabColor(HwndOf(pOwnerFrame), clrTab))
            dc.FillSolidRect(&rcBackground, clrTab);
        return true;
    }
    return false;
}
