// Tab window items, the style word and the operations that add, remove, select and move items;
// the window class, creation and the message switch.
#include "ui/controls/ExtTabWnd.h"

#include "ui/bars/ExtControlBar.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtTabWnd, CWnd)

HCURSOR CExtTabWnd::g_hTabWindowCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));

namespace {
// An MDI strip lives inside the area the frame's bars leave, so asking what room they leave must
// not count it.
void LeaveMdiStripOutOfQuery(CExtControlBar::REPOSITION_QUERY_DATA* pData)
{
    if (pData != nullptr && pData->IsQueryPass() && DYNAMIC_DOWNCAST(CFrameWnd, pData->m_pWndParent) != nullptr)
        pData->SetExcluded(true);
}

// The paint manager learns a strip's style and a tab's neighbours through these answers.
DWORD AnswerTabWindowStyle(CObject* pObject)
{
    const auto* pTabWnd = dynamic_cast<const CExtTabWnd*>(pObject);
    return pTabWnd != nullptr ? pTabWnd->GetStripStyle() : 0;
}

bool AnswerTabNeighbours(CObject* pObject, int nIndex, CExtPaintManager::TabNeighbours& n)
{
    const auto* pTabWnd = dynamic_cast<const CExtTabWnd*>(pObject);
    if (pTabWnd == nullptr)
        return false;
    CExtTabWnd::TAB_ITEM_INFO* pItem = pTabWnd->GetItemAt(nIndex);
    if (pItem == nullptr)
        return false;
    const int nSel = pTabWnd->GetSelectedIndex();
    int nFirst = -1, nLast = -1;
    for (int i = 0; i < pTabWnd->GetItemCount(); ++i) {
        if (!pTabWnd->GetItemAt(i)->IsVisible())
            continue;
        if (nFirst < 0)
            nFirst = i;
        nLast = i;
    }
    n.bFirst = nIndex == nFirst;
    n.bLast = nIndex == nLast;
    n.bBeforeSelected = nSel >= 0 && nIndex < nSel;
    n.bAfterSelected = nSel >= 0 && nIndex > nSel;
    n.bFirstInGroup = n.bFirst || pItem->IsGroupStart();
    n.bHorizontal = pTabWnd->IsHorizontalLayout();
    return true;
}

const bool g_bTabQueriesInstalled = [] {
    CExtPaintManager::g_TabWindowQueries.pfnStyle = AnswerTabWindowStyle;
    CExtPaintManager::g_TabWindowQueries.pfnNeighbours = AnswerTabNeighbours;
    return true;
}();
} // namespace

// --- Items ------------------------------------------------------------------------------------

CExtTabWnd::TAB_ITEM_INFO::TAB_ITEM_INFO(CExtTabWnd* pOwner, TAB_ITEM_INFO* pPrev, TAB_ITEM_INFO* pNext,
                                         LPCSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwFlags, LPARAM lParam,
                                         LPCSTR lpszTipText)
    : m_pOwner(pOwner)
    , m_dwFlags(dwFlags)
    , m_strText(lpszText != nullptr ? lpszText : "")
    , m_strTipText(lpszTipText != nullptr ? lpszTipText : "")
    , m_lParam(lParam)
    , m_pPrev(pPrev)
    , m_pNext(pNext)
{
    if (hIcon != nullptr)
        m_icon.TakeHICON(hIcon, bCopyIcon);
    if (m_pPrev != nullptr)
        m_pPrev->m_pNext = this;
    if (m_pNext != nullptr)
        m_pNext->m_pPrev = this;
}

CExtTabWnd::TAB_ITEM_INFO::~TAB_ITEM_INFO() = default;

DWORD CExtTabWnd::TAB_ITEM_INFO::ChangeFlags(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD dwOld = m_dwFlags;
    DWORD dwNew = dwAdd | (dwOld & ~dwRemove);
    if ((dwNew & ITEM_SELECTED) != 0)
        dwNew |= ITEM_IN_GROUP_ACTIVE;
    m_dwFlags = dwNew;
    if (((dwOld ^ dwNew) & ITEM_HIDDEN) != 0 && m_pOwner != nullptr)
        m_pOwner->m_nVisibleItemCount += (dwNew & ITEM_HIDDEN) != 0 ? -1 : 1;
    if ((dwOld & ITEM_IN_GROUP_ACTIVE) == 0 && (dwNew & ITEM_IN_GROUP_ACTIVE) != 0) {
        // One active item per group: the member that had the bit loses it.
        if (!IsGroupStart()) {
            for (TAB_ITEM_INFO* p = m_pPrev; p != nullptr; p = p->m_pPrev) {
                if (p->IsInGroupActive()) {
                    p->m_dwFlags &= ~ITEM_IN_GROUP_ACTIVE;
                    break;
                }
                if (p->IsGroupStart())
                    break;
            }
        }
        for (TAB_ITEM_INFO* p = m_pNext; p != nullptr && !p->IsGroupStart(); p = p->m_pNext) {
            if (p->IsInGroupActive()) {
                p->m_dwFlags &= ~ITEM_IN_GROUP_ACTIVE;
                break;
            }
        }
    }
    return dwOld;
}

int CExtTabWnd::TAB_ITEM_INFO::GetIndex() const
{
    return m_pOwner != nullptr ? m_pOwner->FindItemIndex(this) : -1;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::TAB_ITEM_INFO::FindGroupStart()
{
    TAB_ITEM_INFO* p = this;
    while (!p->IsGroupStart() && p->m_pPrev != nullptr)
        p = p->m_pPrev;
    return p;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::TAB_ITEM_INFO::FindGroupEnd()
{
    TAB_ITEM_INFO* p = this;
    while (p->m_pNext != nullptr && !p->m_pNext->IsGroupStart())
        p = p->m_pNext;
    return p;
}

CString CExtTabWnd::TAB_ITEM_INFO::GetText() const
{
    LPCSTR psz = m_pOwner != nullptr ? m_pOwner->GetItemText(this) : nullptr;
    return psz != nullptr ? CString(psz) : m_strText;
}

CString CExtTabWnd::TAB_ITEM_INFO::GetTipText() const
{
    LPCSTR psz = m_pOwner != nullptr ? m_pOwner->GetItemTipText(this) : nullptr;
    return psz != nullptr ? CString(psz) : m_strTipText;
}

void CExtTabWnd::TAB_ITEM_INFO::SetText(LPCSTR lpszText)
{
    m_strText = lpszText != nullptr ? lpszText : "";
}

void CExtTabWnd::TAB_ITEM_INFO::SetTipText(LPCSTR lpszTipText)
{
    m_strTipText = lpszTipText != nullptr ? lpszTipText : "";
}

CExtCmdIcon* CExtTabWnd::TAB_ITEM_INFO::GetIcon()
{
    CExtCmdIcon* pIcon = m_pOwner != nullptr ? m_pOwner->GetItemIcon(this) : nullptr;
    if (pIcon != nullptr && !pIcon->HasNoImage())
        return pIcon;
    return m_icon.HasNoImage() ? nullptr : &m_icon;
}

SIZE CExtTabWnd::TAB_ITEM_INFO::GetIconSize()
{
    CExtCmdIcon* pIcon = GetIcon();
    return pIcon != nullptr ? SIZE(pIcon->GetImageSize()) : SIZE{0, 0};
}

bool CExtTabWnd::TAB_ITEM_INFO::HitTest(POINT ptItem) const
{
    return IsVisible() && !::IsRectEmpty(&m_rcItem) && ::PtInRect(&m_rcItem, ptItem);
}

// --- Strip ------------------------------------------------------------------------------------

CExtTabWnd::CExtTabWnd()
{
    RegisterTabWindowClass();
}

CExtTabWnd::~CExtTabWnd()
{
    RemoveAllTabItems(false);
}

bool CExtTabWnd::RegisterTabWindowClass()
{
    static bool s_bRegistered = false;
    if (s_bRegistered)
        return true;
    const HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (::GetClassInfoA(hInstance, WINDOW_CLASS_NAME, &wc)) {
        s_bRegistered = true;
        return true;
    }
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = g_hTabWindowCursor != nullptr ? g_hTabWindowCursor
                                               : ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = WINDOW_CLASS_NAME;
    s_bRegistered = ::RegisterClassA(&wc) != 0;
    return s_bRegistered;
}

BOOL CExtTabWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!RegisterTabWindowClass() || !CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = WINDOW_CLASS_NAME;
    return TRUE;
}

BOOL CExtTabWnd::CreateTabWnd(CWnd* pParentWnd, const RECT& rc, UINT nDlgCtrlID, DWORD dwWindowStyle,
                              DWORD dwTabStyle, CCreateContext* pContext)
{
    if (!RegisterTabWindowClass() || pParentWnd == nullptr || pParentWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    m_nStateFlags |= STATE_CREATED;
    m_dwStripStyle = dwTabStyle;
    if (!CWnd::Create(WINDOW_CLASS_NAME, "", dwWindowStyle, rc, pParentWnd, nDlgCtrlID, pContext))
        return FALSE;
    InitToolTips();
    return TRUE;
}

void CExtTabWnd::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if ((m_nStateFlags & STATE_CREATED) != 0)
        return;
    // A strip from a dialog template carries its tab style in the low window-style bits.
    const DWORD dwStyle = GetStyle();
    m_dwStripStyle = dwStyle & 0xFFFF;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(dwStyle & ~DWORD(0xFFFF)));
    InitToolTips();
}

void CExtTabWnd::InitToolTips()
{
    EnableToolTips(TRUE);
    if (AreToolTipsEnabled() && m_wndToolTip.GetSafeHwnd() == nullptr) {
        if (!m_wndToolTip.Create(this))
            AfxThrowMemoryException();
        m_wndToolTip.Activate(TRUE);
    }
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
}

BOOL CExtTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (AreToolTipsEnabled() && m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

// --- Virtual operations with a plain body -------------------------------------------------------

bool CExtTabWnd::IsMdiTemplate() const { return false; }

CFont* CExtTabWnd::GetItemFont(bool bBoldCandidate, int nOrientation)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
    if (nOrientation < 0)
        nOrientation = GetOrientation();
    const bool bBold = bBoldCandidate && (m_dwStripStyle & STYLE_BOLD_SELECTION) != 0 && !IsGroupMode();
    if (nOrientation <= static_cast<int>(STYLE_ORIENT_BOTTOM))
        return bBold ? &pPM->m_FontBold : &pPM->m_FontNormal;
    // The vertical fonts read at 270 degrees, or at 90 with the inverted-text style.
    if ((m_dwStripStyle & STYLE_INVERT_VERT_FONT) != 0)
        return bBold ? &pPM->m_FontBoldVertX : &pPM->m_FontNormalVertX;
    return bBold ? &pPM->m_FontBoldVert : &pPM->m_FontNormalVert;
}

void CExtTabWnd::UpdateStripVisibility() {}

bool CExtTabWnd::RedrawsOnItemHover() const { return false; }

bool CExtTabWnd::CanDragItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() && (m_dwStripStyle & STYLE_ITEM_DRAGGING) != 0 && !IsGroupMode();
}

bool CExtTabWnd::NotifySelectionChange(int, int, bool) { return true; }

CExtCmdIcon* CExtTabWnd::GetItemIcon(TAB_ITEM_INFO* pItem)
{
    return pItem != nullptr ? &pItem->m_icon : nullptr;
}

LPCSTR CExtTabWnd::GetItemText(const TAB_ITEM_INFO* pItem) const
{
    return pItem != nullptr ? static_cast<LPCSTR>(pItem->m_strText) : nullptr;
}

LPCSTR CExtTabWnd::GetItemTipText(const TAB_ITEM_INFO* pItem) const
{
    return pItem != nullptr ? static_cast<LPCSTR>(pItem->m_strTipText) : nullptr;
}

void CExtTabWnd::OnItemInserted(int, TAB_ITEM_INFO*) {}

void CExtTabWnd::OnItemsRemoved(int, int, bool) {}

void CExtTabWnd::OnRemovingAllItems(bool) {}

bool CExtTabWnd::AreToolTipsEnabled() const { return true; }

bool CExtTabWnd::CanMoveItem(int, int) const { return true; }

void CExtTabWnd::OnItemMoved(int, int) {}

// --- Operations -------------------------------------------------------------------------------

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::InsertTabItem(LPCSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwFlags,
                                                     int nIndex, LPARAM lParam, bool bRedraw)
{
    nIndex = ClampInsertIndex(nIndex);
    TAB_ITEM_INFO* pItem = CreateItemObject(GetItemAt(nIndex - 1), GetItemAt(nIndex), lpszText, hIcon, bCopyIcon,
                                            dwFlags & ~(ITEM_SELECTED | ITEM_IN_GROUP_ACTIVE), lParam);
    return AdoptItem(pItem, nIndex, dwFlags, bRedraw);
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::CreateItemObject(TAB_ITEM_INFO* pPrev, TAB_ITEM_INFO* pNext, LPCSTR lpszText,
                                                        HICON hIcon, bool bCopyIcon, DWORD dwFlags, LPARAM lParam)
{
    return new TAB_ITEM_INFO(this, pPrev, pNext, lpszText, hIcon, bCopyIcon, dwFlags, lParam, nullptr);
}

int CExtTabWnd::ClampInsertIndex(int nIndex) const
{
    return (nIndex < 0 || nIndex > GetItemCount()) ? GetItemCount() : nIndex;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::AdoptItem(TAB_ITEM_INFO* pItem, int nIndex, DWORD dwFlags, bool bRedraw)
{
    // Selection goes only through SetSelectedItem, and a group keeps one active item.
    m_arrItems.InsertAt(nIndex, pItem);
    if ((dwFlags & ITEM_IN_GROUP_ACTIVE) != 0)
        pItem->ChangeFlags(0, ITEM_IN_GROUP_ACTIVE);
    if (m_nSelIndex >= nIndex)
        ++m_nSelIndex;
    if (pItem->IsVisible())
        ++m_nVisibleItemCount;
    OnItemInserted(nIndex, pItem);
    InvalidateLayout(bRedraw);
    return pItem;
}

int CExtTabWnd::RemoveTabItems(int nIndex, int nCount, bool bRedraw)
{
    const int nTotal = GetItemCount();
    if (nIndex < 0 || nIndex >= nTotal || nCount <= 0) {
        InvalidateLayout(bRedraw);
        return 0;
    }
    nCount = std::min(nCount, nTotal - nIndex);
    // Listeners of the "before" call still find every item alive.
    OnItemsRemoved(nIndex, nCount, true);
    if (m_nSelIndex >= nIndex + nCount)
        m_nSelIndex -= nCount;
    else if (m_nSelIndex >= nIndex)
        m_nSelIndex = -1;
    for (int i = nIndex; i < nIndex + nCount; ++i) {
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (pItem->IsVisible())
            --m_nVisibleItemCount;
        if (m_nPendingHoverSelect == i)
            m_nPendingHoverSelect = -1;
        delete pItem;
    }
    m_arrItems.RemoveAt(nIndex, nCount);
    RelinkItems();
    OnItemsRemoved(nIndex, nCount, false);
    InvalidateLayout(bRedraw);
    return nCount;
}

void CExtTabWnd::RemoveAllTabItems(bool bRedraw)
{
    if (GetItemCount() > 0) {
        OnRemovingAllItems(true);
        for (int i = 0; i < GetItemCount(); ++i)
            delete m_arrItems[i];
        m_arrItems.RemoveAll();
        m_nVisibleItemCount = 0;
        m_nSelIndex = -1;
        m_nPendingHoverSelect = -1;
        m_nStateFlags |= STATE_LAYOUT_DIRTY;
        OnRemovingAllItems(false);
    }
    if (bRedraw)
        InvalidateLayout(true);
}

void CExtTabWnd::RelinkItems()
{
    const int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        m_arrItems[i]->m_pPrev = i > 0 ? m_arrItems[i - 1] : nullptr;
        m_arrItems[i]->m_pNext = i + 1 < nCount ? m_arrItems[i + 1] : nullptr;
    }
}

int CExtTabWnd::SetSelectedItem(int nIndex, bool bEnsureVisible, bool bRedraw)
{
    if (nIndex >= GetItemCount())
        return -1;
    const int nOld = m_nSelIndex;
    if (nIndex < 0)
        nIndex = -1;
    if (!NotifySelectionChange(nOld, nIndex, true))
        return m_nSelIndex;
    m_nSelIndex = nIndex;
    if (TAB_ITEM_INFO* pOld = GetItemAt(nOld))
        pOld->ChangeFlags(ITEM_SELECTED, 0);
    if (TAB_ITEM_INFO* pNew = GetItemAt(nIndex))
        pNew->ChangeFlags(0, ITEM_SELECTED);
    if (!NotifySelectionChange(nOld, m_nSelIndex, false))
        return m_nSelIndex;
    if (bEnsureVisible && m_nSelIndex >= 0 && GetItemCount() > 0)
        EnsureVisible(m_nSelIndex, bRedraw);
    else
        InvalidateLayout(bRedraw);
    return nOld;
}

bool CExtTabWnd::MoveTabItem(int nFrom, int nTo, bool bRedraw)
{
    const int nCount = GetItemCount();
    if (nCount == 0 || nFrom < 0 || nFrom >= nCount || nTo < 0 || nTo >= nCount || nFrom == nTo ||
        !CanMoveItem(nFrom, nTo))
        return false;
    MoveItemImpl(nFrom, nTo);
    InvalidateLayout(bRedraw);
    OnItemMoved(nFrom, nTo);
    return true;
}

void CExtTabWnd::MoveItemImpl(int nFrom, int nTo)
{
    MoveItemThrough(nFrom, nTo, [this](TAB_ITEM_INFO*, LPCSTR lpszText, HICON hIcon, DWORD dwFlags, int nIndex,
                                       LPARAM lParam) {
        return InsertTabItem(lpszText, hIcon, false, dwFlags, nIndex, lParam, false);
    });
}

void CExtTabWnd::MoveItemThrough(int nFrom, int nTo, const ReinsertItem& reinsert)
{
    TAB_ITEM_INFO* pItem = m_arrItems[nFrom];
    const CString strText = pItem->GetText();
    const CString strTip = pItem->m_strTipText;
    // The icon keeps its own handle: the new item gets a copy, as the old one goes with its item.
    CExtCmdIcon* pIcon = GetItemIcon(pItem);
    HICON hIcon = (pIcon != nullptr && !pIcon->HasNoImage()) ? pIcon->MakeHICON() : nullptr;
    if (hIcon != nullptr)
        hIcon = ::CopyIcon(hIcon);
    const DWORD dwFlags = pItem->GetFlags();
    const LPARAM lParam = pItem->GetItemLParam();
    const bool bWasSelected = m_nSelIndex == nFrom;
    EnsureVisible(nTo, false);
    const bool bForwards = nFrom < nTo;
    TAB_ITEM_INFO* pNew = reinsert(pItem, strText, hIcon, dwFlags, bForwards ? nTo + 1 : nTo, lParam);
    // The tip goes with its item.
    pNew->SetTipText(strTip);
    RemoveTabItems(bForwards ? nFrom : nFrom + 1, 1, false);
    if (bWasSelected)
        SetSelectedItem(nTo, false, false);
}

DWORD CExtTabWnd::UpdateStripStyle(DWORD dwRemove, DWORD dwAdd, bool bRedraw)
{
    const DWORD dwOld = m_dwStripStyle;
    m_dwStripStyle = dwAdd | (dwOld & ~dwRemove);
    if ((m_dwStripStyle & STYLE_FIT) != 0)
        m_nScrollPos = 0;
    InvalidateLayout(bRedraw);
    return dwOld;
}

void CExtTabWnd::InvalidateLayout(bool bRedraw)
{
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
    if (bRedraw && m_hWnd != nullptr && ::IsWindow(m_hWnd) && IsWindowVisible())
        RelayoutAndRepaint();
}

void CExtTabWnd::RelayoutAndRepaint()
{
    ComputeItemLayout();
    Invalidate(FALSE);
    UpdateWindow();
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::GetItemAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() ? m_arrItems[nIndex] : nullptr;
}

LPARAM CExtTabWnd::GetItemLParamAt(int nIndex) const
{
    const TAB_ITEM_INFO* pItem = GetItemAt(nIndex);
    return pItem != nullptr ? pItem->GetItemLParam() : 0;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::GetSelectedItem() const
{
    return GetItemAt(m_nSelIndex);
}

int CExtTabWnd::FindItemIndex(const TAB_ITEM_INFO* pItem) const
{
    for (int i = 0; pItem != nullptr && i < GetItemCount(); ++i)
        if (m_arrItems[i] == pItem)
            return i;
    return -1;
}

int CExtTabWnd::FindItemByLParam(LPARAM lParam, int nStart, bool bVisible, bool bHidden) const
{
    for (int i = nStart < 0 ? 0 : nStart + 1; i < GetItemCount(); ++i) {
        const TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (pItem->GetItemLParam() == lParam && (pItem->IsVisible() ? bVisible : bHidden))
            return i;
    }
    return -1;
}

int CExtTabWnd::FindItemByFlags(DWORD dwAnyOf, DWORD dwNoneOf, int nStart) const
{
    for (int i = nStart < 0 ? 0 : nStart + 1; i < GetItemCount(); ++i) {
        const DWORD dw = m_arrItems[i]->GetFlags();
        if ((dwAnyOf == 0 || (dw & dwAnyOf) != 0) && (dw & dwNoneOf) == 0)
            return i;
    }
    return -1;
}

bool CExtTabWnd::GetGroupRange(int nIndex, int& nFirst, int& nLast, TAB_ITEM_INFO** ppFirst,
                               TAB_ITEM_INFO** ppLast) const
{
    TAB_ITEM_INFO* pItem = GetItemAt(nIndex);
    if (pItem == nullptr)
        return false;
    TAB_ITEM_INFO* pFirst = pItem->FindGroupStart();
    TAB_ITEM_INFO* pLast = pItem->FindGroupEnd();
    nFirst = FindItemIndex(pFirst);
    nLast = FindItemIndex(pLast);
    if (ppFirst != nullptr)
        *ppFirst = pFirst;
    if (ppLast != nullptr)
        *ppLast = pLast;
    return true;
}

// --- Messages ---------------------------------------------------------------------------------

LRESULT CExtTabWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CExtControlBar::g_nMsgQueryRepositionCalcEffect) {
        if ((m_nMdiFlags & MDI_TEMPLATE) != 0)
            LeaveMdiStripOutOfQuery(reinterpret_cast<CExtControlBar::REPOSITION_QUERY_DATA*>(wParam));
        return 0;
    }
    const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SIZEPARENT:
        if ((m_nStateFlags & STATE_SIZEPARENT) != 0)
            OnSizeParent(reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam));
        return 0;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (IsWindowVisible()) {
            if (m_wndToolTip.GetSafeHwnd() != nullptr)
                m_wndToolTip.Pop();
            m_nStateFlags |= STATE_LAYOUT_DIRTY;
            RelayoutAndRepaint();
        }
        return lResult;
    }
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        const bool bDown = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
        const int nButton = (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)   ? MOUSE_LEFT
                            : (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) ? MOUSE_RIGHT
                                                                                     : MOUSE_MIDDLE;
        if (OnMouseButton(pt, bDown, nButton, static_cast<UINT>(wParam)))
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMoveTracking(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_CAPTURECHANGED: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return lResult;
    }
    case WM_CANCELMODE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        OnCancelMode();
        return lResult;
    }
    case WM_MOUSEACTIVATE: {
        const HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT);
        if (hTop != nullptr && ::GetForegroundWindow() != ::GetLastActivePopup(hTop)) {
            if (CWnd* pParent = GetParent())
                pParent->SetFocus();
        }
        return MA_NOACTIVATE;
    }
    case WM_SETFOCUS:
        if (CWnd* pParent = GetParent())
            pParent->SetFocus();
        return 0;
    case WM_SETCURSOR: {
        if (CExtControlBar::IsFrameInHelpMode(this))
            return FALSE;
        ::SetCursor(g_hTabWindowCursor != nullptr ? g_hTabWindowCursor
                                                  : ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        return TRUE;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (message == WM_SYSCOLORCHANGE) {
            g_PaintManagerHolder.RelaySysColorChange(this);
            g_CmdManagerHolder.RelaySysColorChange(this);
        } else if (message == WM_SETTINGCHANGE) {
            g_PaintManagerHolder.RelaySettingChange(this, wParam, lParam);
            g_CmdManagerHolder.RelaySettingChange(this, wParam, lParam);
        } else if (message == WM_DISPLAYCHANGE) {
            g_PaintManagerHolder.RelayDisplayChange(this, static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
        } else {
            g_PaintManagerHolder.RelayThemeChanged(this, wParam, lParam);
        }
        if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE)
            InvalidateLayout(true);
        return lResult;
    }
    case WM_NOTIFY: {
        const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        // The tip window goes above the strip's neighbours without taking the activation.
        if (pHdr != nullptr && pHdr->code == TTN_SHOW && pHdr->hwndFrom == m_wndToolTip.GetSafeHwnd())
            ::SetWindowPos(pHdr->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
