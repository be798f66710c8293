// MDI tab strips: tabs kept in step with the MDI children through the hooked MDI client, the
// client's joining border, and the strip's own border and context menu.
#include "ui/controls/ExtTabMdiWnd.h"

#include "ui/bars/ExtControlBar.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <cctype>
#include <cstring>
#include <string>

IMPLEMENT_DYNCREATE(CExtTabMdiWnd, CExtTabWnd)
IMPLEMENT_DYNCREATE(CExtTabMdiOneNoteWnd, CExtTabOneNoteWnd)

namespace {
constexpr UINT SWP_HIDE_STRIP = 0x287;
constexpr UINT SWP_SHOW_STRIP = 0x267;
constexpr UINT SWP_FRAME_CHANGED_ONLY = 0x227;
constexpr UINT SWP_RECALC_CLIENT_FRAME = 0x337;
constexpr int CLASS_NAME_LENGTH = 512;
constexpr int ICON_SIDE = 16;
constexpr UINT CONTEXT_MENU_TRACK_FLAGS = CExtPopupMenuWnd::TRACK_OWNER_DRAW | CExtPopupMenuWnd::TRACK_WAIT;

// The strip's orientation names the MDI client's side that adjoins it.
void CutSides(RECT& rc, int nOrientation, bool bStripVisible, int nBorder)
{
    const bool bTop = !bStripVisible || nOrientation != static_cast<int>(CExtTabWnd::STYLE_ORIENT_TOP);
    const bool bBottom = !bStripVisible || nOrientation != static_cast<int>(CExtTabWnd::STYLE_ORIENT_BOTTOM);
    const bool bLeft = !bStripVisible || nOrientation != static_cast<int>(CExtTabWnd::STYLE_ORIENT_LEFT);
    const bool bRight = !bStripVisible || nOrientation != static_cast<int>(CExtTabWnd::STYLE_ORIENT_RIGHT);
    rc.top += bTop ? nBorder : 0;
    rc.bottom -= bBottom ? nBorder : 0;
    rc.left += bLeft ? nBorder : 0;
    rc.right -= bRight ? nBorder : 0;
}

void DeflateBy(RECT& rc, const RECT& rcMargins)
{
    rc.left += rcMargins.left;
    rc.top += rcMargins.top;
    rc.right -= rcMargins.right;
    rc.bottom -= rcMargins.bottom;
}

// The rectangle grown by the border on the given strip orientation's side.
CRect GrownToward(const RECT& rc, int nOrientation, int nBorder)
{
    CRect r(rc);
    switch (nOrientation) {
    case CExtTabWnd::STYLE_ORIENT_TOP: r.top -= nBorder; break;
    case CExtTabWnd::STYLE_ORIENT_BOTTOM: r.bottom += nBorder; break;
    case CExtTabWnd::STYLE_ORIENT_LEFT: r.left -= nBorder; break;
    default: r.right += nBorder; break;
    }
    return r;
}

// The client rectangle of a window in its window coordinates.
CRect ClientInWindow(HWND hWnd)
{
    CRect rcWindow, rcClient;
    ::GetWindowRect(hWnd, &rcWindow);
    ::GetClientRect(hWnd, &rcClient);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    return rcClient;
}
} // namespace

template <class T>
CExtTMWI<T>::CExtTMWI() : CExtHookSink(true)
{
    this->m_nMdiFlags |= CExtTabWnd::MDI_TEMPLATE;
}

template <class T>
CExtTMWI<T>::~CExtTMWI()
{
    UnhookAllWindows();
}

template <class T>
CWnd* CExtTMWI<T>::GetFrameWnd() const
{
    return this->GetSafeHwnd() != nullptr ? this->GetParent() : nullptr;
}

template <class T>
HWND CExtTMWI<T>::GetMdiClient() const
{
    CWnd* pFrame = GetFrameWnd();
    if (pFrame == nullptr)
        return nullptr;
    if (auto* pMdiFrame = dynamic_cast<CMDIFrameWnd*>(pFrame))
        return pMdiFrame->m_hWndMDIClient;
    for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        char szClass[CLASS_NAME_LENGTH] = "";
        ::GetClassNameA(h, szClass, CLASS_NAME_LENGTH);
        std::string strClass(szClass);
        for (char& c : strClass)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (strClass.find("mdiclient") != std::string::npos)
            return h;
    }
    return nullptr;
}

template <class T>
void CExtTMWI<T>::SetSynchronizing(bool bOn)
{
    m_nSyncFlags = static_cast<BYTE>(bOn ? (m_nSyncFlags | SYNC_RUNNING) : (m_nSyncFlags & ~SYNC_RUNNING));
}

template <class T>
void CExtTMWI<T>::AppendChildTab(HWND hWndChild)
{
    this->CExtTabWnd::InsertTabItem(nullptr, nullptr, false, 0, -1, reinterpret_cast<LPARAM>(hWndChild), false);
}

template <class T>
void CExtTMWI<T>::SyncWithMdiChildren()
{
    if (IsSynchronizing() || this->IsDragging())
        return;
    SetSynchronizing(true);
    CWnd* pFrame = GetFrameWnd();
    const HWND hClient = GetMdiClient();
    HWND hActive = nullptr;
    if (auto* pMdiFrame = dynamic_cast<CMDIFrameWnd*>(pFrame)) {
        CMDIChildWnd* pActive = pMdiFrame->MDIGetActive();
        hActive = pActive != nullptr ? pActive->GetSafeHwnd() : nullptr;
    } else if (hClient != nullptr) {
        hActive = reinterpret_cast<HWND>(::SendMessageA(hClient, WM_MDIGETACTIVE, 0, 0));
    }
    if (pFrame == nullptr || hClient == nullptr || hActive == nullptr) {
        SetSynchronizing(false);
        return;
    }
    const HWND hFirst = ::GetWindow(hClient, GW_CHILD);
    for (HWND h = hFirst != nullptr ? ::GetWindow(hFirst, GW_HWNDFIRST) : nullptr; h != nullptr;
         h = ::GetWindow(h, GW_HWNDNEXT)) {
        // Icon titles of minimised children are owned windows, not documents.
        if (::GetWindow(h, GW_OWNER) != nullptr)
            continue;
        int nIndex = FindTabByWindow(h);
        if (nIndex < 0) {
            AppendChildTab(h);
            nIndex = this->GetItemCount() - 1;
            if (h == hActive)
                this->SetSelectedItem(nIndex, true, false);
        } else if (h == hActive) {
            this->SetSelectedItem(nIndex, true, false);
        }
    }
    for (int i = this->GetItemCount() - 1; i >= 0; --i)
        if (!::IsWindow(reinterpret_cast<HWND>(this->GetItemLParamAt(i))))
            this->RemoveTabItems(i, 1, false);
    SetSynchronizing(false);
    UpdateAfterSync();
}

template <class T>
void CExtTMWI<T>::UpdateAfterSync()
{
    if (this->GetSafeHwnd() == nullptr)
        return;
    const bool bWasVisible = (this->GetStyle() & WS_VISIBLE) != 0;
    this->UpdateStripVisibility();
    if (bWasVisible != ((this->GetStyle() & WS_VISIBLE) != 0)) {
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(GetFrameWnd()))
            pFrame->DelayRecalcLayout();
    }
    this->InvalidateLayout(true);
}

template <class T>
int CExtTMWI<T>::FindTabByWindow(HWND hWnd) const
{
    return this->FindItemByLParam(reinterpret_cast<LPARAM>(hWnd), -1, true, true);
}

template <class T>
void CExtTMWI<T>::UpdateMdiClientMargins()
{
}

template <class T>
void CExtTMWI<T>::FillMdiClientMargins(CDC&, const RECT&, const RECT&, const RECT&)
{
}

template <class T>
bool CExtTMWI<T>::IsMdiTemplate() const
{
    return true;
}

template <class T>
BOOL CExtTMWI<T>::CreateTabWnd(CWnd* pParentWnd, const RECT& rc, UINT nDlgCtrlID, DWORD dwWindowStyle,
                               DWORD dwTabStyle, CCreateContext* pContext)
{
    if (!T::CreateTabWnd(pParentWnd, rc, nDlgCtrlID, dwWindowStyle, dwTabStyle, pContext))
        return FALSE;
    const HWND hClient = GetMdiClient();
    if (hClient != nullptr && !IsHookingWindow(hClient) && !HookWindow(hClient)) {
        this->DestroyWindow();
        return FALSE;
    }
    this->SetTimer(TIMER_SYNC, SYNC_PERIOD);
    return TRUE;
}

template <class T>
void CExtTMWI<T>::UpdateStripVisibility()
{
    const HWND hWnd = this->GetSafeHwnd();
    if (hWnd == nullptr)
        return;
    // Print preview and in-place activation put their own views and bars in the frame.
    auto* pFrame = dynamic_cast<CFrameWnd*>(GetFrameWnd());
    const bool bHide = this->GetItemCount() == 0 || CExtControlBar::IsFrameInPrintPreview(pFrame)
                       || CExtControlBar::IsFrameOleInPlaceActive(pFrame);
    if (bHide) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_HIDE_STRIP);
        this->m_nFirstVisible = this->m_nLastVisible = -1;
        return;
    }
    if ((this->GetStyle() & WS_VISIBLE) == 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_SHOW_STRIP);
    if (const HWND hClient = GetMdiClient())
        ::SetWindowPos(hClient, nullptr, 0, 0, 0, 0, SWP_FRAME_CHANGED_ONLY);
}

template <class T>
bool CExtTMWI<T>::BeginPressTracking(int nMouseButton, int nCode)
{
    return T::BeginPressTracking(nMouseButton, nCode);
}

template <class T>
bool CExtTMWI<T>::TrackHover(int nCode)
{
    return T::TrackHover(nCode);
}

template <class T>
bool CExtTMWI<T>::OnButtonClick(int nCode, bool bDown, int nMouseButton, UINT nKeys)
{
    if (nMouseButton != CExtTabWnd::MOUSE_LEFT)
        return false;
    const bool bWasPressed = !bDown && this->GetTrackedCode() == nCode;
    T::OnButtonClick(nCode, bDown, nMouseButton, nKeys);
    if (!bWasPressed || (nCode != CExtTabWnd::HT_CLOSE && nCode != CExtTabWnd::HT_HELP))
        return true;
    const HWND hChild = reinterpret_cast<HWND>(this->GetItemLParamAt(this->GetSelectedIndex()));
    if (this->GetSelectedIndex() < 0 || !::IsWindow(hChild))
        return true;
    POINT pt{};
    ::GetCursorPos(&pt);
    this->PostMessage(WM_CANCELMODE);
    ::PostMessageA(hChild, WM_SYSCOMMAND, nCode == CExtTabWnd::HT_CLOSE ? SC_CLOSE : SC_CONTEXTHELP,
                   MAKELPARAM(pt.x, pt.y));
    return true;
}

template <class T>
bool CExtTMWI<T>::OnItemClick(int nIndex, bool bDown, int nMouseButton, UINT)
{
    if (nMouseButton != CExtTabWnd::MOUSE_LEFT)
        return false;
    if (bDown && this->BeginPressTracking(nMouseButton, nIndex))
        this->SetSelectedItem(nIndex, true, true);
    else
        this->EndPressTracking(true);
    return true;
}

template <class T>
bool CExtTMWI<T>::NotifySelectionChange(int, int nNewIndex, bool bBefore)
{
    const HWND hClient = GetMdiClient();
    if (!bBefore && !IsSynchronizing() && !this->IsDragging() && hClient != nullptr) {
        const HWND hChild = reinterpret_cast<HWND>(this->GetItemLParamAt(nNewIndex));
        if (::IsWindow(hChild))
            ::SendMessageA(hClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hChild), 0);
    }
    if (hClient != nullptr)
        ::SetWindowPos(hClient, nullptr, 0, 0, 0, 0, SWP_RECALC_CLIENT_FRAME);
    return true;
}

template <class T>
CExtCmdIcon* CExtTMWI<T>::GetItemIcon(CExtTabWnd::TAB_ITEM_INFO* pItem)
{
    const HWND hChild = pItem != nullptr ? reinterpret_cast<HWND>(pItem->GetItemLParam()) : nullptr;
    if (!::IsWindow(hChild))
        return nullptr;
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageA(hChild, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::SendMessageA(hChild, WM_GETICON, ICON_BIG, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hChild, GCLP_HICONSM));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hChild, GCLP_HICON));
    m_iconCache.Clear();
    if (hIcon == nullptr)
        return nullptr;
    // The child keeps its icon; the strip draws a small copy.
    HICON hCopy = static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, ICON_SIDE, ICON_SIDE, 0));
    if (hCopy != nullptr)
        m_iconCache.TakeHICON(hCopy, false);
    return m_iconCache.HasNoImage() ? nullptr : &m_iconCache;
}

template <class T>
LPCSTR CExtTMWI<T>::GetItemText(const CExtTabWnd::TAB_ITEM_INFO* pItem) const
{
    static CString s_strText;
    s_strText.Empty();
    const HWND hChild = pItem != nullptr ? reinterpret_cast<HWND>(pItem->GetItemLParam()) : nullptr;
    if (!::IsWindow(hChild))
        return s_strText;
    if (auto* pChildFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(hChild))) {
        CDocument* pDoc = pChildFrame->GetActiveDocument();
        if (pDoc != nullptr)
            s_strText = pDoc->GetTitle();
        if (s_strText.IsEmpty())
            s_strText = pChildFrame->GetTitle();
        if (!s_strText.IsEmpty() && pChildFrame->m_nWindow > 0) {
            CString strNumber;
            strNumber.Format(":%d", pChildFrame->m_nWindow);
            s_strText += strNumber;
        }
    }
    if (s_strText.IsEmpty())
        CWnd::FromHandle(hChild)->GetWindowText(s_strText);
    return s_strText;
}

template <class T>
void CExtTMWI<T>::OnItemInserted(int, CExtTabWnd::TAB_ITEM_INFO*)
{
    if (!IsSynchronizing() && !this->IsDragging() && this->GetItemCount() == 1)
        UpdateAfterSync();
}

template <class T>
void CExtTMWI<T>::OnItemsRemoved(int, int, bool bBefore)
{
    if (!bBefore && !IsSynchronizing() && !this->IsDragging() && this->GetItemCount() == 0)
        UpdateAfterSync();
}

template <class T>
void CExtTMWI<T>::OnRemovingAllItems(bool bBefore)
{
    if (bBefore && !IsSynchronizing() && !this->IsDragging())
        UpdateAfterSync();
}

template <class T>
void CExtTMWI<T>::CutBorders(RECT& rc, bool bStripVisible) const
{
    CutSides(rc, this->GetOrientation(), bStripVisible, BORDER);
}

template <class T>
void CExtTMWI<T>::OnHookedNcCalcSize(HWND, NCCALCSIZE_PARAMS* pParams)
{
    UpdateMdiClientMargins();
    RECT& rc = pParams->rgrc[0];
    CutBorders(rc, (this->GetStyle() & WS_VISIBLE) != 0);
    DeflateBy(rc, m_rcMarginsA);
    DeflateBy(rc, m_rcMarginsB);
}

template <class T>
void CExtTMWI<T>::OnHookedNcPaint(HWND hWndClient)
{
    CRect rcWindow;
    ::GetWindowRect(hWndClient, &rcWindow);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    const CRect rcClient = ClientInWindow(hWndClient);
    if (rcWindow == rcClient)
        return;
    HDC hDC = ::GetWindowDC(hWndClient);
    if (hDC == nullptr)
        return;
    {
        CDC dc;
        dc.Attach(hDC);
        dc.ExcludeClipRect(&rcClient);
        CRect rcRing(rcWindow);
        DeflateBy(rcRing, m_rcMarginsA);
        CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
        dc.FillSolidRect(&rcRing, pPM->ColorByIndex(COLOR_3DFACE));
        if (rcRing != rcClient) {
            CRect rcInner(rcRing);
            DeflateBy(rcInner, m_rcMarginsB);
            FillMdiClientMargins(dc, rcRing, rcClient, rcInner);
        }
        // Grown under the strip, the edge leaves no line between the client and its tabs.
        const bool bStripVisible = (this->GetStyle() & WS_VISIBLE) != 0;
        const CRect rcEdge = bStripVisible ? GrownToward(rcRing, this->GetOrientation(), BORDER) : rcRing;
        pPM->DrawClientEdge(dc, rcEdge, this, 0);
        dc.Detach();
    }
    ::ReleaseDC(hWndClient, hDC);
}

template <class T>
bool CExtTMWI<T>::DispatchHookedMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                        LPARAM& lParam)
{
    if (this->GetSafeHwnd() == nullptr || hWndHooked != GetMdiClient())
        return CExtHookSink::DispatchHookedMessage(lResult, hWndHooked, nMessage, wParam, lParam);
    switch (nMessage) {
    case WM_WINDOWPOSCHANGING:
        reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_FRAMECHANGED;
        return false;
    case WM_NCCALCSIZE:
        OnHookedNcCalcSize(hWndHooked, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        lResult = 0;
        return true;
    case WM_NCPAINT:
        OnHookedNcPaint(hWndHooked);
        lResult = 0;
        return true;
    case WM_MDIDESTROY: {
        // The tab goes at once, before the synchronisation the timer brings.
        const int nIndex = FindTabByWindow(reinterpret_cast<HWND>(wParam));
        if (nIndex >= 0) {
            SetSynchronizing(true);
            this->RemoveTabItems(nIndex, 1, true);
            SetSynchronizing(false);
        }
        this->PostMessage(WM_TIMER, TIMER_SYNC);
        return false;
    }
    case WM_MDIACTIVATE: {
        const int nIndex = FindTabByWindow(reinterpret_cast<HWND>(wParam));
        if (nIndex >= 0) {
            SetSynchronizing(true);
            this->SetSelectedItem(nIndex, true, true);
            SetSynchronizing(false);
        }
        this->PostMessage(WM_TIMER, TIMER_SYNC);
        return false;
    }
    case WM_MDICREATE:
    case WM_MDIREFRESHMENU:
        this->PostMessage(WM_TIMER, TIMER_SYNC);
        return false;
    default:
        return CExtHookSink::DispatchHookedMessage(lResult, hWndHooked, nMessage, wParam, lParam);
    }
}

template <class T>
void CExtTMWI<T>::TrackContextMenu(const POINT& ptScreen)
{
    CWnd* pFrame = GetFrameWnd();
    if (pFrame == nullptr)
        return;
    auto* pPopup = new CExtPopupMenuWnd;
    pPopup->PrepareEmptyPopup(pFrame->GetSafeHwnd());
    CExtControlBar::POPUP_MENU_EVENT_DATA data(CExtControlBar::POPUP_MENU_EVENT_DATA::MDITABS_CTX, pPopup, this,
                                               ptScreen, WM_CONTEXTMENU);
    // The strip has no entries of its own: the menu is whatever the frame puts in it.
    const bool bFilled = data.NotifyTargetFrame(false);
    data.NotifyTargetFrame(true);
    if (!bFilled || pPopup->CountItems() == 0) {
        delete pPopup;
        return;
    }
    const HWND hWndSelf = this->GetSafeHwnd();
    pFrame->SetFocus();
    if (!pPopup->StartTracking(CONTEXT_MENU_TRACK_FLAGS, ptScreen.x, ptScreen.y))
        delete pPopup;
    // A command chosen from the menu may have closed the frame and the strip with it.
    if (::IsWindow(hWndSelf) && CWnd::FromHandlePermanent(hWndSelf) == this)
        this->Invalidate();
}

template <class T>
LRESULT CExtTMWI<T>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WINDOWPOSCHANGING:
        reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_FRAMECHANGED;
        break;
    case WM_CONTEXTMENU: {
        if (CExtControlBar::IsFrameInHelpMode(GetFrameWnd()))
            return 0;
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (pt.x == -1 && pt.y == -1)
            ::GetCursorPos(&pt);
        POINT ptClient = pt;
        this->ScreenToClient(&ptClient);
        const int nIndex = this->HitTestItem(ptClient);
        if (nIndex >= 0)
            this->SetSelectedItem(nIndex, true, true);
        TrackContextMenu(pt);
        return 0;
    }
    case WM_NCCALCSIZE:
        if ((this->GetStyle() & WS_VISIBLE) != 0) {
            RECT& rc = *reinterpret_cast<RECT*>(lParam);
            const int nOrient = this->GetOrientation();
            // The strip's side towards the MDI client keeps no border.
            rc.top += nOrient != static_cast<int>(CExtTabWnd::STYLE_ORIENT_BOTTOM) ? BORDER : 0;
            rc.bottom -= nOrient != static_cast<int>(CExtTabWnd::STYLE_ORIENT_TOP) ? BORDER : 0;
            rc.left += nOrient != static_cast<int>(CExtTabWnd::STYLE_ORIENT_RIGHT) ? BORDER : 0;
            rc.right -= nOrient != static_cast<int>(CExtTabWnd::STYLE_ORIENT_LEFT) ? BORDER : 0;
            return 0;
        }
        break;
    case WM_NCPAINT: {
        const HWND hWnd = this->GetSafeHwnd();
        CRect rcWindow;
        ::GetWindowRect(hWnd, &rcWindow);
        rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
        const CRect rcClient = ClientInWindow(hWnd);
        if (rcWindow == rcClient)
            return 0;
        HDC hDC = ::GetWindowDC(hWnd);
        if (hDC == nullptr)
            return 0;
        {
            CDC dc;
            dc.Attach(hDC);
            dc.ExcludeClipRect(&rcClient);
            CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
            dc.FillSolidRect(&rcWindow, pPM->ColorByIndex(COLOR_3DFACE));
            // The strip's side towards the MDI client: its opposite in orientation terms.
            static constexpr int TOWARD_CLIENT[] = {1, 0, 3, 2};
            pPM->DrawClientEdge(dc, GrownToward(rcWindow, TOWARD_CLIENT[this->GetOrientation()], BORDER), this, 0);
            dc.Detach();
        }
        ::ReleaseDC(hWnd, hDC);
        return 0;
    }
    case WM_TIMER:
        if (wParam == TIMER_SYNC) {
            this->KillTimer(TIMER_SYNC);
            if (!IsSynchronizing())
                SyncWithMdiChildren();
            return 0;
        }
        break;
    case WM_DESTROY:
        this->KillTimer(TIMER_SYNC);
        UnhookAllWindows();
        break;
    default:
        break;
    }
    return T::WindowProc(message, wParam, lParam);
}

template class CExtTMWI<CExtTabWnd>;
template class CExtTMWI<CExtTabOneNoteWnd>;

void CExtTabMdiOneNoteWnd::UpdateMdiClientMargins()
{
    ::SetRectEmpty(&m_rcMarginsB);
    if (GetSafeHwnd() == nullptr || (GetStyle() & WS_VISIBLE) == 0)
        return;
    CutSides(m_rcMarginsB, GetOrientation(), true, MARGIN);
    // CutSides shrinks a rectangle; margins are the amounts themselves.
    m_rcMarginsB.right = -m_rcMarginsB.right;
    m_rcMarginsB.bottom = -m_rcMarginsB.bottom;
}

void CExtTabMdiOneNoteWnd::FillMdiClientMargins(CDC& dc, const RECT& rcRing, const RECT& rcClient, const RECT&)
{
    if (::EqualRect(&rcRing, &rcClient) || GetSelectedIndex() < 0)
        return;
    COLORREF clrPage = 0;
    GetItemColors(GetSelectedIndex(), false, false, nullptr, nullptr, nullptr, &clrPage);
    dc.FillSolidRect(&rcRing, clrPage);
}

bool CExtTabMdiOneNoteWnd::GetFrameTabColor(HWND hWndFrame, COLORREF& clrTab) const
{
    const int nIndex = FindTabByWindow(hWndFrame);
    if (nIndex < 0)
        return false;
    GetItemColors(nIndex, nIndex == GetSelectedIndex(), false, nullptr, nullptr, nullptr, &clrTab);
    return true;
}
