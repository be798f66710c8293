#include "platform/mfc/SplitterWnd.h"

#include "platform/mfc/Brush.h"
#include "platform/mfc/CreateContext.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/PaintDC.h"
#include "platform/mfc/View.h"

#include <algorithm>
#include <climits>

namespace
{
constexpr int kMaxPanes = 16;          // pane ids step by 16 per row
constexpr int kBorder = 2;             // the 3-D border drawn round each pane
constexpr int kSplitterBar = 7;        // bar width: border, 3 pixels of bar, border
constexpr UINT kSwpLayout = SWP_NOACTIVATE | SWP_NOZORDER;

// Sizes rows (or columns): each its ideal size (none when under its minimum), the last one the
// rest; panes that no longer fit get nothing, and a bar only when there is room for it.
void LayoutRowCol(std::vector<CSplitterWnd::CRowColInfo>& info, int nSize, int nSizeSplitter)
{
    nSize = std::max(nSize, 0);
    int nMax = static_cast<int>(info.size());
    for (int i = 0; i < nMax - 1; ++i)
    {
        if (info[i].nIdealSize < info[i].nMinSize)
            info[i].nIdealSize = 0;
        info[i].nCurSize = info[i].nIdealSize;
    }
    if (nMax > 0)
        info[nMax - 1].nCurSize = INT_MAX;
    for (int i = 0; i < nMax; ++i)
    {
        CSplitterWnd::CRowColInfo& pane = info[i];
        if (nSize == 0)
        {
            pane.nCurSize = 0;
            continue;
        }
        if (nSize < pane.nMinSize && i != 0)
        {
            // Too small to show: its room goes to the pane before it.
            pane.nCurSize = 0;
            info[i - 1].nCurSize += nSize;
            nSize = 0;
            continue;
        }
        if (nSize < pane.nCurSize)
        {
            pane.nCurSize = nSize;
            nSize = 0;
        }
        else
        {
            nSize -= pane.nCurSize;
        }
        if (i != nMax - 1)
        {
            if (nSize > nSizeSplitter)
            {
                nSize -= nSizeSplitter;
            }
            else
            {
                pane.nCurSize += nSize;
                nSize = 0;
            }
        }
    }
}

// The start of each row (or column) in client coordinates.
int PaneStart(const std::vector<CSplitterWnd::CRowColInfo>& info, int index, int nOrigin, int nGap)
{
    int n = nOrigin;
    for (int i = 0; i < index; ++i)
        n += info[i].nCurSize + nGap;
    return n;
}
}

IMPLEMENT_DYNCREATE(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(kSplitterBar), m_cySplitter(kSplitterBar), m_cxSplitterGap(kSplitterBar),
      m_cySplitterGap(kSplitterBar), m_cxBorder(kBorder), m_cyBorder(kBorder)
{
}

CSplitterWnd::~CSplitterWnd() = default;

BOOL CSplitterWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), nullptr);
    return TRUE;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr || nRows < 1 || nRows > kMaxPanes || nCols < 1 || nCols > kMaxPanes || m_hWnd != nullptr)
        return FALSE;
    m_nRows = m_nMaxRows = nRows;
    m_nCols = m_nMaxCols = nCols;
    m_pRowInfo.assign(static_cast<size_t>(nRows), CRowColInfo{0, 0, 0});
    m_pColInfo.assign(static_cast<size_t>(nCols), CRowColInfo{0, 0, 0});
    CRect rect;
    pParentWnd->GetClientRect(&rect);
    if (!CreateEx(0, nullptr, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID))
    {
        m_nRows = m_nCols = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (m_hWnd == nullptr || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || pViewClass == nullptr ||
        GetPane(row, col) != nullptr)
        return FALSE;
    m_pColInfo[static_cast<size_t>(col)].nIdealSize = sizeInit.cx;
    m_pRowInfo[static_cast<size_t>(row)].nIdealSize = sizeInit.cy;

    // Without a context the new pane shows the document of the active pane.
    CCreateContext contextT;
    BOOL bSendInitialUpdate = FALSE;
    if (pContext == nullptr)
    {
        if (auto* pOldView = dynamic_cast<CView*>(GetActivePane()))
        {
            contextT.m_pLastView = pOldView;
            contextT.m_pCurrentDoc = pOldView->GetDocument();
        }
        pContext = &contextT;
        bSendInitialUpdate = TRUE;
    }
    CObject* pObject = pViewClass->CreateObject();
    auto* pWnd = dynamic_cast<CWnd*>(pObject);
    if (pWnd == nullptr)
    {
        delete pObject;
        return FALSE;
    }
    CRect rect(0, 0, sizeInit.cx, sizeInit.cy);
    // The splitter draws the panes' borders itself.
    if (!pWnd->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW & ~WS_BORDER, rect, this,
                      static_cast<UINT>(IdFromRowCol(row, col)), pContext))
        return FALSE;
    if (bSendInitialUpdate)
        pWnd->SendMessage(WM_INITIALUPDATE);
    // The splitter already has its size: the new pane takes its place at once.
    RecalcLayout();
    return TRUE;
}

int CSplitterWnd::IdFromRowCol(int row, int col) const
{
    return AFX_IDW_PANE_FIRST + row * kMaxPanes + col;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (m_hWnd == nullptr || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    HWND hWndPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return hWndPane != nullptr ? FromHandlePermanent(hWndPane) : nullptr;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    int nID = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    int row = nID / kMaxPanes;
    int col = nID % kMaxPanes;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow != nullptr)
        *pRow = row;
    if (pCol != nullptr)
        *pCol = col;
    return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol)
{
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    if (pView == nullptr)
        pView = GetFocus();
    return pView != nullptr && IsChildPane(pView, pRow, pCol) ? pView : nullptr;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd != nullptr ? pWnd : GetPane(row, col);
    if (pPane == nullptr)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (auto* pView = dynamic_cast<CView*>(pPane); pView != nullptr && pFrame != nullptr)
        pFrame->SetActiveView(pView);
    else
        pPane->SetFocus();
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    const CRowColInfo& info = m_pRowInfo.at(static_cast<size_t>(row));
    cyCur = info.nCurSize;
    cyMin = info.nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_pRowInfo[static_cast<size_t>(row)].nIdealSize = std::max(cyIdeal, 0);
    m_pRowInfo[static_cast<size_t>(row)].nMinSize = std::max(cyMin, 0);
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    const CRowColInfo& info = m_pColInfo.at(static_cast<size_t>(col));
    cxCur = info.nCurSize;
    cxMin = info.nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= m_nCols)
        return;
    m_pColInfo[static_cast<size_t>(col)].nIdealSize = std::max(cxIdeal, 0);
    m_pColInfo[static_cast<size_t>(col)].nMinSize = std::max(cxMin, 0);
}

void CSplitterWnd::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    rect.InflateRect(-m_cxBorder, -m_cyBorder);
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || m_nRows == 0 || m_nCols == 0)
        return;
    CRect rectInside;
    GetInsideRect(rectInside);
    LayoutRowCol(m_pRowInfo, rectInside.Height(), m_cySplitterGap);
    LayoutRowCol(m_pColInfo, rectInside.Width(), m_cxSplitterGap);

    HDWP hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols);
    for (int row = 0; row < m_nRows; ++row)
    {
        int y = PaneStart(m_pRowInfo, row, rectInside.top, m_cySplitterGap);
        int cy = m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        for (int col = 0; col < m_nCols; ++col)
        {
            CWnd* pPane = GetPane(row, col);
            if (pPane == nullptr)
                continue;
            int x = PaneStart(m_pColInfo, col, rectInside.left, m_cxSplitterGap);
            int cx = m_pColInfo[static_cast<size_t>(col)].nCurSize;
            if (hDWP != nullptr)
                hDWP = ::DeferWindowPos(hDWP, pPane->m_hWnd, nullptr, x, y, cx, cy, kSwpLayout);
            else
                ::SetWindowPos(pPane->m_hWnd, nullptr, x, y, cx, cy, kSwpLayout);
        }
    }
    if (hDWP != nullptr)
        ::EndDeferWindowPos(hDWP);
    CRect rectClient;
    GetClientRect(&rectClient);
    DrawAllSplitBars(nullptr, rectClient.right, rectClient.bottom);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        RecalcLayout();
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    DrawAllSplitBars(&dc, rectClient.right, rectClient.bottom);
}

void CSplitterWnd::DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside)
{
    CRect rectInside;
    GetInsideRect(rectInside);
    for (int row = 0; row < m_nRows - 1; ++row)
    {
        int y = PaneStart(m_pRowInfo, row, rectInside.top, m_cySplitterGap) + m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        OnDrawSplitter(pDC, splitBar, CRect(0, y, cxInside, y + m_cySplitterGap));
    }
    for (int col = 0; col < m_nCols - 1; ++col)
    {
        int x = PaneStart(m_pColInfo, col, rectInside.left, m_cxSplitterGap) + m_pColInfo[static_cast<size_t>(col)].nCurSize;
        OnDrawSplitter(pDC, splitBar, CRect(x, 0, x + m_cxSplitterGap, cyInside));
    }
    for (int row = 0; row < m_nRows - 1; ++row)
    {
        int y = PaneStart(m_pRowInfo, row, rectInside.top, m_cySplitterGap) + m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        for (int col = 0; col < m_nCols - 1; ++col)
        {
            int x = PaneStart(m_pColInfo, col, rectInside.left, m_cxSplitterGap) +
                    m_pColInfo[static_cast<size_t>(col)].nCurSize;
            OnDrawSplitter(pDC, splitIntersection, CRect(x, y, x + m_cxSplitterGap, y + m_cySplitterGap));
        }
    }
    for (int row = 0; row < m_nRows; ++row)
    {
        int y = PaneStart(m_pRowInfo, row, rectInside.top, m_cySplitterGap);
        for (int col = 0; col < m_nCols; ++col)
        {
            int x = PaneStart(m_pColInfo, col, rectInside.left, m_cxSplitterGap);
            CRect rectPane(x, y, x + m_pColInfo[static_cast<size_t>(col)].nCurSize,
                           y + m_pRowInfo[static_cast<size_t>(row)].nCurSize);
            rectPane.InflateRect(m_cxBorder, m_cyBorder);
            OnDrawSplitter(pDC, splitBorder, rectPane);
        }
    }
}

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rectArg)
{
    if (pDC == nullptr)
    {
        RedrawWindow(&rectArg, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    CRect rect = rectArg;
    if (nType == splitBorder)
    {
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        rect.InflateRect(-1, -1);
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}

void CSplitterWnd::OnInvertTracker(const CRect& rect)
{
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == nullptr)
        return;
    CBrush* pBrush = CDC::GetHalftoneBrush();
    HGDIOBJ hOldBrush = pBrush != nullptr ? ::SelectObject(hDC, pBrush->m_hObject) : nullptr;
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    if (hOldBrush != nullptr)
        ::SelectObject(hDC, hOldBrush);
    ::ReleaseDC(m_hWnd, hDC);
}

// ---------------------------------------------------------------------------------------------
// Tracking the split bars

int CSplitterWnd::HitTest(CPoint pt) const
{
    CRect rectInside;
    GetInsideRect(rectInside);
    int nRowBar = -1;
    for (int row = 0; row < m_nRows - 1; ++row)
    {
        int y = PaneStart(m_pRowInfo, row, rectInside.top, m_cySplitterGap) + m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        if (pt.y >= y && pt.y < y + m_cySplitterGap)
            nRowBar = row;
    }
    int nColBar = -1;
    for (int col = 0; col < m_nCols - 1; ++col)
    {
        int x = PaneStart(m_pColInfo, col, rectInside.left, m_cxSplitterGap) + m_pColInfo[static_cast<size_t>(col)].nCurSize;
        if (pt.x >= x && pt.x < x + m_cxSplitterGap)
            nColBar = col;
    }
    if (nRowBar >= 0 && nColBar >= 0)
        return splitterIntersection1 + nRowBar * kMaxPanes + nColBar;
    if (nRowBar >= 0)
        return vSplitterBar1 + nRowBar;
    if (nColBar >= 0)
        return hSplitterBar1 + nColBar;
    return noHit;
}

void CSplitterWnd::GetHitRect(int ht, CRect& rectHit) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectInside;
    GetInsideRect(rectInside);
    if (ht >= vSplitterBar1 && ht < vSplitterBar1 + kMaxPanes)
    {
        int row = ht - vSplitterBar1;
        int y = PaneStart(m_pRowInfo, row, rectInside.top, m_cySplitterGap) + m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        rectHit.SetRect(rectClient.left, y, rectClient.right, y + m_cySplitterGap);
    }
    else if (ht >= hSplitterBar1 && ht < hSplitterBar1 + kMaxPanes)
    {
        int col = ht - hSplitterBar1;
        int x = PaneStart(m_pColInfo, col, rectInside.left, m_cxSplitterGap) + m_pColInfo[static_cast<size_t>(col)].nCurSize;
        rectHit.SetRect(x, rectClient.top, x + m_cxSplitterGap, rectClient.bottom);
    }
    else
    {
        rectHit.SetRectEmpty();
    }
}

void CSplitterWnd::StartTracking(int ht)
{
    if (ht < vSplitterBar1 || ht >= splitterIntersection1)
        return;
    GetHitRect(ht, m_rectTracker);
    // The bar moves between the start of the pane before it and the end of the pane after it.
    CRect rectInside;
    GetInsideRect(rectInside);
    m_rectLimit = rectInside;
    if (ht < hSplitterBar1)
    {
        int row = ht - vSplitterBar1;
        m_rectLimit.top = PaneStart(m_pRowInfo, row, rectInside.top, m_cySplitterGap);
        m_rectLimit.bottom = PaneStart(m_pRowInfo, row + 1, rectInside.top, m_cySplitterGap) +
                             m_pRowInfo[static_cast<size_t>(row + 1)].nCurSize;
    }
    else
    {
        int col = ht - hSplitterBar1;
        m_rectLimit.left = PaneStart(m_pColInfo, col, rectInside.left, m_cxSplitterGap);
        m_rectLimit.right = PaneStart(m_pColInfo, col + 1, rectInside.left, m_cxSplitterGap) +
                            m_pColInfo[static_cast<size_t>(col + 1)].nCurSize;
    }
    m_htTrack = ht;
    m_bTracking = TRUE;
    SetCapture();
    SetFocus();
    OnInvertTracker(m_rectTracker);
}

void CSplitterWnd::StopTracking(BOOL bAccept)
{
    if (!m_bTracking)
        return;
    OnInvertTracker(m_rectTracker);
    m_bTracking = FALSE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (!bAccept)
        return;
    CRect rectInside;
    GetInsideRect(rectInside);
    if (m_htTrack < hSplitterBar1)
    {
        int row = m_htTrack - vSplitterBar1;
        int nSize = m_rectTracker.top - PaneStart(m_pRowInfo, row, rectInside.top, m_cySplitterGap);
        // A pane dragged under its minimum disappears.
        m_pRowInfo[static_cast<size_t>(row)].nIdealSize =
            nSize < m_pRowInfo[static_cast<size_t>(row)].nMinSize ? 0 : std::max(nSize, 0);
    }
    else
    {
        int col = m_htTrack - hSplitterBar1;
        int nSize = m_rectTracker.left - PaneStart(m_pColInfo, col, rectInside.left, m_cxSplitterGap);
        m_pColInfo[static_cast<size_t>(col)].nIdealSize =
            nSize < m_pColInfo[static_cast<size_t>(col)].nMinSize ? 0 : std::max(nSize, 0);
    }
    RecalcLayout();
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    if (m_bTracking)
        return;
    int ht = HitTest(point);
    if (ht == noHit)
        return;
    StartTracking(ht);
    if (m_bTracking)
        m_ptTrackOffset = CPoint(point.x - m_rectTracker.left, point.y - m_rectTracker.top);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    if (!m_bTracking)
        return;
    CRect rectNew = m_rectTracker;
    if (m_htTrack < hSplitterBar1)
    {
        int y = std::clamp(static_cast<int>(point.y - m_ptTrackOffset.y), static_cast<int>(m_rectLimit.top),
                           std::max(static_cast<int>(m_rectLimit.top), static_cast<int>(m_rectLimit.bottom) - m_cySplitterGap));
        rectNew.OffsetRect(0, y - rectNew.top);
    }
    else
    {
        int x = std::clamp(static_cast<int>(point.x - m_ptTrackOffset.x), static_cast<int>(m_rectLimit.left),
                           std::max(static_cast<int>(m_rectLimit.left), static_cast<int>(m_rectLimit.right) - m_cxSplitterGap));
        rectNew.OffsetRect(x - rectNew.left, 0);
    }
    if (rectNew == m_rectTracker)
        return;
    OnInvertTracker(m_rectTracker);
    m_rectTracker = rectNew;
    OnInvertTracker(m_rectTracker);
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint)
{
    StopTracking(TRUE);
}

void CSplitterWnd::OnCancelMode()
{
    StopTracking(FALSE);
    CWnd::OnCancelMode();
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bTracking && nChar == VK_ESCAPE)
    {
        StopTracking(FALSE);
        return;
    }
    if (m_bTracking && nChar == VK_RETURN)
    {
        StopTracking(TRUE);
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && pWnd == this)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        int ht = m_bTracking ? m_htTrack : HitTest(point);
        LPCSTR lpszCursor = ht >= splitterIntersection1 ? IDC_SIZEALL
                            : ht >= hSplitterBar1      ? IDC_SIZEWE
                            : ht >= vSplitterBar1      ? IDC_SIZENS
                                                       : nullptr;
        if (lpszCursor != nullptr)
        {
            ::SetCursor(::LoadCursorA(nullptr, lpszCursor));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---------------------------------------------------------------------------------------------
// Commands from the panes

BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != nullptr && pFrame->SendMessage(WM_COMMAND, wParam, lParam) != 0;
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return FALSE;
    *pResult = pFrame->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}
