#include "DockingTestFrame.h"

#include "DragInputScript.h"
#include "ui/bars/ExtControlBarDragState.h"

IMPLEMENT_DYNCREATE(CDockTestBar, CExtControlBar)

BEGIN_MESSAGE_MAP(CDockTestFrame, CFrameWnd)
    ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgDrawTackedArea, OnDrawTrackedArea)
END_MESSAGE_MAP()

namespace {
constexpr DWORD BAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
constexpr DWORD SETTLE_MS = 60;
} // namespace

CDockTestFrame::CDockTestFrame() = default;

CDockTestFrame::~CDockTestFrame()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CDockTestFrame::PostNcDestroy()
{
    // The test owns the frame object.
}

bool CDockTestFrame::Open(const RECT& rcScreen)
{
    if (!Create(nullptr, "Docking test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rcScreen))
        return false;
    const char* pszViewClass = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (!m_wndView.Create(pszViewClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST))
        return false;
    if (!CExtControlBar::InstallFrameDocking(this, CBRS_ALIGN_ANY, true))
        return false;
    ::SetForegroundWindow(m_hWnd);
    Settle();
    return true;
}

CDockTestBar* CDockTestFrame::AddBar(const char* pszCaption, UINT nSideId, UINT nRing, CSize size)
{
    auto* pBar = new CDockTestBar;
    const UINT nId = FIRST_BAR_ID + static_cast<UINT>(m_bars.size());
    if (!pBar->CreateBarWindow(pszCaption, this, nId, BAR_STYLE | CBRS_ALIGN_TOP)) {
        delete pBar;
        return nullptr;
    }
    pBar->m_sizeDockedHorz = pBar->m_sizeDockedVert = size;
    pBar->m_sizeFloating = size;
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pBar->DockIntoDockBar(nSideId, nRing, this, true);
    m_bars.push_back(pBar);
    Settle();
    return pBar;
}

CPoint CDockTestFrame::GrabPoint(CExtControlBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pBar->ClientToScreen(&rc);
    return rc.CenterPoint();
}

CRect CDockTestFrame::WindowRectOf(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

void CDockTestFrame::Settle()
{
    RecalcLayout();
    PumpMessagesFor(SETTLE_MS);
}

LRESULT CDockTestFrame::OnDrawTrackedArea(WPARAM wParam, LPARAM)
{
    auto* pArea = reinterpret_cast<CExtControlBar::TrackedArea_t*>(wParam);
    if (m_bRecordTracking && pArea != nullptr) {
        m_trackedAreas.push_back(pArea->m_rcArea);
        pArea->m_bDrawnByFrame = true;
    }
    return 0;
}

CDockingStyleScope::CDockingStyleScope(int nStyle) : m_nSaved(CExtControlBar::g_nDockingStyleOverride)
{
    CExtControlBar::g_nDockingStyleOverride = nStyle;
}

CDockingStyleScope::~CDockingStyleScope()
{
    CExtControlBar::g_nDockingStyleOverride = m_nSaved;
}
