#pragma once
// A tabbed group: one docking bar holding several resizable bars as pages, one visible at a time,
// with a tab strip along its bottom edge that shows while two or more pages are visible. The
// group's dock bar parents the pages; the strip's items carry the page bars.
#include "platform/mfc/OleDropTarget.h"
#include "ui/bars/ExtDockDynBar.h"
#include "ui/bars/ExtDynControlBar.h"
#include "ui/controls/ExtTabWnd.h"

class CExtDynTabControlBar;

class CExtDynTabWnd : public CExtTabWnd
{
    DECLARE_DYNCREATE(CExtDynTabWnd)
public:
    // An OLE drag over a tab selects it; nothing is ever dropped on the strip.
    class CDynDropTarget : public COleDropTarget
    {
    public:
        DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
        DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                            CPoint point) override;

        CExtDynTabWnd* m_pWndDynTab = nullptr;
    };

    CExtDynTabWnd();
    ~CExtDynTabWnd() override;

    // A tab for the bar unless it has one: hidden when the bar is, temporary when asked.
    void InsertBarTab(CExtControlBar* pBar, int nIndex, bool bTemporary, bool bRedraw);
    void RemoveTemporaryTabs(bool bRedraw);
    CExtControlBar* GetBarAt(int nIndex, bool bSkipTemporary) const;
    // The tab under the screen point, -1 for anything else.
    int TabIndexFromScreenPoint(POINT ptScreen) const;
    // Puts the bar's tab back at the index it had when its drag started.
    void RestoreBarTabPosition(CExtControlBar* pBar);
    bool HasTemporaryTabs() const;
    // The item area's height when laid out in the rectangle; the strip's own layout is kept.
    int MeasureItemAreaHeight(const RECT& rcClient);
    CExtDynTabControlBar* GetGroup() const;

    // The bar's tab index when its drag started, -1 when none.
    int m_nDragStartTabIndex = -1;
    CDynDropTarget m_oleDropTarget;

    bool CanDragItem(int nIndex) const override;
    bool TrackItemDrag(int nIndex) override;
    bool OnItemClick(int nIndex, bool bDown, int nMouseButton, UINT nKeys) override;
    bool NotifySelectionChange(int nOldIndex, int nNewIndex, bool bBefore) override;
    CExtCmdIcon* GetItemIcon(TAB_ITEM_INFO* pItem) override;
    LPCSTR GetItemText(const TAB_ITEM_INFO* pItem) const override;
    void DrawTabItem(CDC& dc, const RECT& rcItemArea, int nIndex, TAB_ITEM_INFO* pItem, bool bTopLeft,
                     bool bHorizontal, bool bSelected, bool bCenteredText, bool bGroupMode, bool bInGroupActive,
                     bool bInvertedVerticalText, const RECT& rcItem, SIZE sizeText, CFont* pFont,
                     const CString& strText, CExtCmdIcon* pIcon) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Ctrl+PageUp/PageDown: the next page round the strip; false when the key is not one.
    bool SwitchPageByKey(const MSG* pMsg);
    void OnDoubleClick(POINT ptClient);
    void OnContextMenu(POINT ptScreen);
    // Starts the page's drag out of the group (CanDragItem is const in the strip's table).
    void DragPageOut(int nIndex);
};

class CExtDockDynTabBar : public CExtDockDynBar
{
    DECLARE_DYNCREATE(CExtDockDynTabBar)
public:
    CExtDockDynTabBar();
    ~CExtDockDynTabBar() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void UpdateNestedLayout() override;

    // Every page fills the dock bar; with bRecalc each then fits its own child.
    CSize LayoutMembers(bool bRecalc);
    // The bars of all real tabs, in tab order; answers the tab count.
    int CollectMembers(CArray<CExtControlBar*, CExtControlBar*>& arrBars) const;
    // The group's docked and floating sizes go to every page.
    void CopyGroupSizesToMembers();
    CExtDynTabControlBar* GetGroup() const;
};

class CExtDynTabControlBar : public CExtDynControlBar
{
    DECLARE_DYNCREATE(CExtDynTabControlBar)
public:
    static constexpr UINT STRIP_ID = 0xFFFF;
    // Bottom orientation, tabs fitted to the strip.
    static constexpr DWORD STRIP_STYLE = CExtTabWnd::STYLE_ORIENT_BOTTOM | CExtTabWnd::STYLE_FIT;
    static constexpr int STRIP_INITIAL_HEIGHT = 14;
    static constexpr int STRIP_MIN_WIDTH = 10;
    // The item area's height plus this is the strip's height.
    static constexpr int STRIP_EXTRA_HEIGHT = 6;

    CExtDynTabControlBar();
    ~CExtDynTabControlBar() override;

    // Removes temporary tabs and takes the bar (a group: each of its pages) at the index.
    void InsertBar(CExtControlBar* pBar, int nIndex, bool bRedraw);
    void InsertTemporaryBar(CExtControlBar* pBar, int nIndex, bool bRedraw);
    void RemoveBarTab(CExtControlBar* pBar);
    void SelectBar(CWnd* pBar);
    // Selects the n-th visible tab (n counted from 0), else tab n itself; past the end nothing.
    void SelectVisibleTab(int n, bool bEnsureVisible, bool bRedraw);
    void EnsureSelection();
    void OnMemberVisibilityChanged(CExtControlBar* pBar);
    int GetStripHeight();
    void InvalidateTabStrip();
    // Tabs whose bars left the group's dock bar go.
    void RemoveTabsOfDepartedBars();
    CExtDockDynTabBar* GetTabDockBar() const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    bool QueryGripper(bool* pbAlongTop, bool* pbShown) override;
    void ShowBar(bool bShow, bool bDelay, bool bOption) override;
    bool GetHideOption() const override;
    void FitChildToClient(int cx, int cy, bool bRepaint) override;
    bool CanBeTabbedWith(CExtControlBar* pBar) const override;
    void GetCaptionText(LPARAM lReserved, CString& sText) const override;
    CSize GetContentsMinimalSize() const override;
    CSize GetMinimalFloatingSize() const override;
    CExtDockDynBar* CreateDynDockBar() override;
    bool DockIntoTabbedGroup(CExtControlBar* pBar, int nTabIndex = -1, CFrameWnd* pFrame = nullptr,
                             bool bRecalc = true) override;

    // Drags: the group a drop proposal targets (null for anything else, also a window gone),
    // its temporary tab for the dragged bar shown or dropped.
    static CExtDynTabControlBar* FromDragTarget(CWnd* pTarget);
    static void ShowDragProposalTab(const CExtControlBar::InternalDraggingState_t& state);
    static void DropTemporaryTabsOf(CWnd* pTarget);
    // A page's drag starts and ends: its tab's place is kept, and put back when cancelled.
    static void OnPageDragStart(CExtControlBar* pBar);
    static void OnPageDragStop(CExtControlBar* pBar, CWnd* pTarget, bool bCancel);

    CExtDynTabWnd m_wndTabSwitcher;

    // Process-wide switches.
    static bool g_TabbedGroupDropTargetEnabled;
    static bool g_TabbedGroupKeyboardSwitchEnabled;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void InsertBarImpl(CExtControlBar* pBar, int& nIndex);
    void InsertTemporaryBarImpl(CExtControlBar* pBar, int& nIndex);
    CExtControlBar* SelectedRealPage() const;
};
