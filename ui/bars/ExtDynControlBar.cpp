#include "ui/bars/ExtDynControlBar.h"

#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDockDynBar.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDynControlBar, CExtControlBar)

BEGIN_MESSAGE_MAP(CExtDynControlBar, CExtControlBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CExtDynControlBar::CExtDynControlBar()
{
    m_bAutoDelete = TRUE;
    m_bListedInBarsMenu = false;
}

CExtDynControlBar::~CExtDynControlBar() = default;

int CExtDynControlBar::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CExtControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pWndDynDockBar = CreateDynDockBar();
    if (m_pWndDynDockBar == nullptr)
        return -1;
    if (!m_pWndDynDockBar->Create(GetParent(), DYN_DOCKBAR_STYLE, static_cast<UINT>(GetDlgCtrlID()))) {
        delete m_pWndDynDockBar;
        m_pWndDynDockBar = nullptr;
        return -1;
    }
    m_pWndDynDockBar->SetParent(this);
    EnableToolTips(TRUE);
    return 0;
}

CExtDockDynBar* CExtDynControlBar::CreateDynDockBar()
{
    return new CExtDockDynBar(0);
}

CSize CExtDynControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CSize size = CExtControlBar::CalcDynamicLayout(nLength, dwMode);
    if (m_pDockBar == nullptr || m_pDockBar->m_bLayoutQuery || m_pWndDynDockBar == nullptr ||
        m_pWndDynDockBar->GetSafeHwnd() == nullptr)
        return size;
    if (m_pWndDynDockBar->GetDockedVisibleCount() == 0) {
        if (m_pDockSite != nullptr && (GetStyle() & WS_VISIBLE) != 0)
            m_pDockSite->ShowControlBar(this, FALSE, FALSE);
        return CSize(0, 0);
    }
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && !m_pWndDynDockBar->m_bLayoutLocked &&
        m_pDockBar->m_bFloating)
        m_pWndDynDockBar->UpdateNestedLayout();
    return size;
}

bool CExtDynControlBar::QueryGripper(bool* pbAlongTop, bool* pbShown)
{
    if (pbAlongTop != nullptr)
        *pbAlongTop = false;
    if (pbShown != nullptr)
        *pbShown = false;
    return false;
}

void CExtDynControlBar::ShowBar(bool bShow, bool bDelay, bool bOption)
{
    if (m_pWndDynDockBar != nullptr) {
        CArray<CExtControlBar*, CExtControlBar*> bars;
        m_pWndDynDockBar->CollectBars(bars);
        for (INT_PTR i = 0; i < bars.GetSize(); ++i) {
            if (bars[i]->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
                bars[i]->ShowBar(bShow, true, bOption);
            else if (m_pDockSite != nullptr)
                m_pDockSite->ShowControlBar(bars[i], bShow, TRUE);
        }
    }
    if (m_pDockSite != nullptr)
        m_pDockSite->ShowControlBar(this, bShow, TRUE);
    if (!bDelay) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->RecalcLayout();
    }
}

CSize CExtDynControlBar::GetContentsMinimalSize() const
{
    if (m_pWndDynDockBar == nullptr)
        return CSize(0, 0);
    CExtDockDynBar::VisibleLayout_t layout;
    m_pWndDynDockBar->CollectVisibleLayout(layout);
    // Rows lie side by side across their cross direction: the rows' minima add up that way and
    // the fullest row sets the other.
    if (m_pWndDynDockBar->IsHorizontalRows())
        return CSize(layout.m_nAlongMinimumMax, layout.m_nCrossMinimumTotal);
    return CSize(layout.m_nCrossMinimumTotal, layout.m_nAlongMinimumMax);
}

int CExtDynControlBar::GetMinimalWidth() const
{
    return GetContentsMinimalSize().cx;
}

int CExtDynControlBar::GetMinimalHeight() const
{
    return GetContentsMinimalSize().cy;
}

bool CExtDynControlBar::CanBeTabbedWith(CExtControlBar* pBar) const
{
    if (!CExtControlBar::CanBeTabbedWith(pBar))
        return false;
    if (m_pWndDynDockBar == nullptr)
        return true;
    CArray<CExtControlBar*, CExtControlBar*> bars;
    m_pWndDynDockBar->CollectBars(bars);
    for (INT_PTR i = 0; i < bars.GetSize(); ++i)
        if (!bars[i]->CanBeTabbedWith(pBar))
            return false;
    return true;
}

CExtControlBar* CExtDynControlBar::FindSingleVisibleNestedBar() const
{
    if (m_pWndDynDockBar == nullptr)
        return nullptr;
    CExtControlBar* pFound = nullptr;
    CArray<CExtControlBar*, CExtControlBar*> bars;
    m_pWndDynDockBar->CollectBars(bars);
    for (INT_PTR i = 0; i < bars.GetSize(); ++i) {
        CExtControlBar* pBar = bars[i];
        if (pBar->GetSafeHwnd() == nullptr || !pBar->IsVisible())
            continue;
        CExtControlBar* pCandidate = pBar;
        if (pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) &&
            !ExtBarDetail::IsKindOfNamed(pBar, ExtBarDetail::kDynTabControlBar)) {
            pCandidate = static_cast<CExtDynControlBar*>(pBar)->FindSingleVisibleNestedBar();
            if (pCandidate == nullptr)
                return nullptr; // none or several inside
        }
        if (pFound != nullptr)
            return nullptr;
        pFound = pCandidate;
    }
    return pFound;
}
