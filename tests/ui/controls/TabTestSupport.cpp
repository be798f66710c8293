#include "TabTestSupport.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

bool CTestTabWnd::Create(HWND hParent, const RECT& rc, DWORD dwTabStyle)
{
    return CreateTabWnd(CWnd::FromHandle(hParent), rc, 1001, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, dwTabStyle) !=
           FALSE;
}

void CTestTabWnd::AddItems(int nCount, DWORD dwFlags)
{
    for (int i = 0; i < nCount; ++i) {
        const char szText[2] = {static_cast<char>('A' + GetItemCount()), 0};
        InsertTabItem(szText, nullptr, true, dwFlags, -1, 100 + GetItemCount(), false);
    }
    InvalidateLayout(true);
}

std::string CTestTabWnd::ItemTexts() const
{
    std::string s;
    for (int i = 0; i < GetItemCount(); ++i)
        s += static_cast<LPCSTR>(GetItemAt(i)->GetText());
    return s;
}

CRect CTestTabWnd::TipRect()
{
    TOOLINFOA ti{};
    if (m_wndToolTip.GetSafeHwnd() == nullptr || !m_wndToolTip.GetToolInfo(&ti, this, 1))
        return CRect(0, 0, 0, 0);
    return CRect(ti.rect);
}

void CTestTabWnd::AdjustItemSize(TAB_ITEM_INFO* pItem, CDC* pDC, SIZE& size)
{
    const LPARAM nData = pItem->GetItemLParam() - 100;
    if (nData >= 0 && nData < static_cast<LPARAM>(m_alongByData.size())) {
        (IsHorizontalLayout() ? size.cx : size.cy) = m_alongByData[nData];
        (IsHorizontalLayout() ? size.cy : size.cx) = 20;
        return;
    }
    if (m_nFixedAlong <= 0) {
        CExtTabWnd::AdjustItemSize(pItem, pDC, size);
        return;
    }
    (IsHorizontalLayout() ? size.cx : size.cy) = m_nFixedAlong;
    (IsHorizontalLayout() ? size.cy : size.cx) = 20;
}

void CTestTabWnd::GetItemSpacingMetrics(int& nLeading, int& nTrailing, int& nOuter)
{
    if (m_bNoSpacing)
        nLeading = nTrailing = nOuter = 0;
    else
        CExtTabWnd::GetItemSpacingMetrics(nLeading, nTrailing, nOuter);
}

bool CTestTabWnd::NotifySelectionChange(int nOldIndex, int nNewIndex, bool bBefore)
{
    m_selectionCalls.push_back({nOldIndex, nNewIndex, bBefore ? 1 : 0});
    return !(bBefore && m_bVetoSelection);
}

void CTestTabWnd::OnItemsRemoved(int nIndex, int nCount, bool bBefore)
{
    if (bBefore && m_onRemovingBefore)
        m_onRemovingBefore(*this, nIndex, nCount);
}

bool CTestTabWnd::TrackItemDrag(int nIndex)
{
    ++m_nDragLoops;
    return CExtTabWnd::TrackItemDrag(nIndex);
}

LRESULT CTestTabWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTEXTMENU)
        ++m_nContextMenus;
    return CExtTabWnd::WindowProc(message, wParam, lParam);
}

void SendMouseAt(DWORD dwFlags, POINT ptScreen)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in.mi.dx = (ptScreen.x * 65535) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = (ptScreen.y * 65535) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    ::SendInput(1, &in, sizeof(in));
}

void MoveMouseTo(POINT ptScreen)
{
    SendMouseAt(0, ptScreen);
}

namespace {
DWORD WINAPI PlaySteps(LPVOID pParam)
{
    const auto* pSteps = static_cast<const std::vector<MouseStep>*>(pParam);
    for (const MouseStep& step : *pSteps) {
        if (step.vk != 0)
            SendKey(step.vk);
        else
            SendMouseAt(step.dwFlags, step.ptScreen);
        ::Sleep(step.dwPauseMs);
    }
    return 0;
}
} // namespace

void PlayMouseSteps(const std::vector<MouseStep>& steps)
{
    HANDLE hThread = ::CreateThread(nullptr, 0, PlaySteps, const_cast<std::vector<MouseStep>*>(&steps), 0, nullptr);
    while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        PumpMessages();
    ::CloseHandle(hThread);
    PumpFor(60);
}

void PumpFor(DWORD dwMilliseconds)
{
    const DWORD dwEnd = ::GetTickCount() + dwMilliseconds;
    while (static_cast<LONG>(dwEnd - ::GetTickCount()) > 0) {
        PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    PumpMessages();
}

POINT ScreenPoint(HWND hWnd, POINT ptClient)
{
    ::ClientToScreen(hWnd, &ptClient);
    return ptClient;
}

POINT Centre(const RECT& rc)
{
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

CThemeScope::CThemeScope(CRuntimeClass* pTheme)
    : m_pPrevious(g_PaintManagerHolder.GetFirstMember()->GetRuntimeClass())
{
    g_PaintManagerHolder.ReplaceByClass(pTheme);
}

CThemeScope::~CThemeScope()
{
    g_PaintManagerHolder.ReplaceByClass(m_pPrevious);
}
