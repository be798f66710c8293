#pragma once
// One side's auto-hide area of a frame: a thin tab strip with one tab per parked resizable bar.
// Selecting a tab (hover, click, keyboard, an OLE drag over it) slides the bar out in the frame's
// auto-hide slider; the area shows only while it holds tabs.
#include "platform/mfc/OleDropTarget.h"
#include "ui/controls/ExtTabWnd.h"

class CExtControlBar;
class CExtDynAutoHideSlider;
class CExtDynTabControlBar;

class CExtDynAutoHideArea : public CExtTabWnd
{
    DECLARE_DYNCREATE(CExtDynAutoHideArea)
public:
    // Dragging OLE data over a tab selects it, which slides its bar out; nothing is dropped.
    class CDynDropTarget : public COleDropTarget
    {
    public:
        explicit CDynDropTarget(CExtDynAutoHideArea* pArea = nullptr) : m_pArea(pArea) {}
        DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
        CExtDynAutoHideArea* m_pArea;
    };

    // Flags byte.
    static constexpr BYTE FLAG_NO_SLIDE = 0x01;
    static constexpr BYTE FLAG_FRAME_ACTIVE = 0x02;
    // The strip style besides the orientation: group mode, scroll buttons when needed, hover
    // selection.
    static constexpr DWORD AREA_STRIP_STYLE = STYLE_GROUPED | STYLE_SCROLL_ONLY_WHEN_NEEDED | STYLE_HOVER_SELECT;

    static bool g_AutoHideAreaDropTargetEnabled;
    static bool g_AutoHideAreaKeyboardSwitchEnabled;
    // 1 or 0 replaces the paint manager's auto-hide style; -1 keeps it.
    static int g_AutoHideStyleOverride;

    CExtDynAutoHideArea();

    virtual BOOL Create(CFrameWnd* pFrame, CExtDynAutoHideSlider* pSlider, UINT nSideId);
    // Parks the bar as a tab; unless bNoSlideOut the slider then shows it at once.
    void AppendBar(CExtControlBar* pBar, bool bNoSlideOut);
    // Takes the bar's tab out and gives the bar its place back (shown at once or with a delay).
    void RemoveBar(CExtControlBar* pBar, bool bDelayedShow);
    // The area of the bar's frame holding a tab of the bar, with the tab's index; null and -1.
    static CExtDynAutoHideArea* FindAreaOfBar(CExtControlBar* pBar, int* pIndex = nullptr);
    // The frame of the window (a floating frame looked through) and its four areas (any output
    // may be null).
    static CFrameWnd* GetFrameAreas(CWnd* pWnd, CExtDynAutoHideArea** ppTop, CExtDynAutoHideArea** ppBottom,
                                    CExtDynAutoHideArea** ppLeft, CExtDynAutoHideArea** ppRight);
    // A parked bar going away: the slider lets it go and its tab is removed.
    static void OnBarDestroyed(CExtControlBar* pBar);
    // Puts the area back in the window order the frame's layout follows.
    void UpdateZOrder();
    bool CanSlideOut();
    // Selects and deselects the tab with sliding suppressed: its group keeps it as the active one.
    void MarkActiveInGroup(int nIndex);
    CExtDynAutoHideSlider* GetSlider() const { return m_pSlider; }
    CExtControlBar* GetBarAt(int nIndex) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void UpdateStripVisibility() override;
    bool NotifySelectionChange(int nOldIndex, int nNewIndex, bool bBefore) override;
    CExtCmdIcon* GetItemIcon(TAB_ITEM_INFO* pItem) override;
    LPCSTR GetItemText(const TAB_ITEM_INFO* pItem) const override;
    void OnItemInserted(int nIndex, TAB_ITEM_INFO* pItem) override;
    void GetItemSpacingMetrics(int& nLeading, int& nTrailing, int& nOuter) override;

    CDynDropTarget m_dropTarget;
    CExtDynAutoHideSlider* m_pSlider = nullptr;
    BYTE m_nAreaFlags = 0;
    CRect m_rcLastWindow;
    BYTE m_nKeyboardFlag = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    // The style bit that shows every tab's text follows the auto-hide style in force.
    void SyncGroupTextStyle();
    void OnAreaMoved(bool bFromPosChange);
    void OnSizeParentDone();
    void TrackContextMenu(CPoint ptScreen);
    // Unparks a tabbed group: its pages lose their tabs, the group shows its active page again.
    void RemoveGroup(CExtDynTabControlBar* pGroup, bool bDelayedShow);
    // The next visible tab of a bar that is not shown, forwards or backwards with wrap-around.
    int FindKeyboardSwitchTarget(bool bForward) const;
    CFrameWnd* GetAreaFrame() const;
};
