#pragma once
// MDI tab strips: a tab window along one side of an MDI frame's client area with one tab per
// MDI child, kept in step with the children by hooking the frame's MDI client, which also gets a
// border that joins it to the strip. The behaviour lives in CExtTMWI over a tab-window class.
#include "ui/bars/ExtHookSink.h"
#include "ui/bars/ExtMdiTabColorSource.h"
#include "ui/controls/ExtTabOneNoteWnd.h"
#include "ui/controls/ExtTabWnd.h"

template <class T>
class CExtTMWI : public T, public CExtHookSink
{
public:
    // The first synchronisation, and each one the MDI client's changes ask for.
    static constexpr UINT_PTR TIMER_SYNC = 3;
    static constexpr UINT SYNC_PERIOD = 10;
    // The border the strip and the MDI client keep on their free sides.
    static constexpr int BORDER = 2;
    static constexpr BYTE SYNC_RUNNING = 0x01;

    CExtTMWI();
    ~CExtTMWI() override;

    // --- Operations the template adds, in slot order ------------------------------------------
    virtual CWnd* GetFrameWnd() const;
    virtual HWND GetMdiClient() const;
    virtual void SyncWithMdiChildren();
    virtual void UpdateAfterSync();
    virtual int FindTabByWindow(HWND hWnd) const;
    virtual void UpdateMdiClientMargins();
    virtual void FillMdiClientMargins(CDC& dc, const RECT& rcRing, const RECT& rcClient, const RECT& rcInner);

    // --- Strip operations ------------------------------------------------------------------------
    bool IsMdiTemplate() const override;
    BOOL CreateTabWnd(CWnd* pParentWnd, const RECT& rc = CRect(0, 0, 0, 0), UINT nDlgCtrlID = UINT(-1),
                      DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                      DWORD dwTabStyle = CExtTabWnd::STYLE_ORIENT_TOP, CCreateContext* pContext = nullptr) override;
    void UpdateStripVisibility() override;
    bool BeginPressTracking(int nMouseButton, int nCode) override;
    bool TrackHover(int nCode) override;
    bool OnButtonClick(int nCode, bool bDown, int nMouseButton, UINT nKeys) override;
    bool OnItemClick(int nIndex, bool bDown, int nMouseButton, UINT nKeys) override;
    bool NotifySelectionChange(int nOldIndex, int nNewIndex, bool bBefore) override;
    CExtCmdIcon* GetItemIcon(CExtTabWnd::TAB_ITEM_INFO* pItem) override;
    LPCSTR GetItemText(const CExtTabWnd::TAB_ITEM_INFO* pItem) const override;
    void OnItemInserted(int nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem) override;
    void OnItemsRemoved(int nIndex, int nCount, bool bBefore) override;
    void OnRemovingAllItems(bool bBefore) override;

    // --- Hooked MDI client -------------------------------------------------------------------------
    bool DispatchHookedMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                               LPARAM& lParam) override;

    bool IsSynchronizing() const { return (m_nSyncFlags & SYNC_RUNNING) != 0; }
    const RECT& GetMarginsB() const { return m_rcMarginsB; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Takes the border off every side of the MDI client but the one that adjoins the visible
    // strip (off all four while the strip is hidden).
    void CutBorders(RECT& rc, bool bStripVisible) const;
    void OnHookedNcCalcSize(HWND hWndClient, NCCALCSIZE_PARAMS* pParams);
    void OnHookedNcPaint(HWND hWndClient);
    // While set, tab changes come from the MDI client and are not sent back to it.
    void SetSynchronizing(bool bOn);
    void AppendChildTab(HWND hWndChild);
    // Offers a menu to the frame; shows it at the screen point when the frame filled it.
    void TrackContextMenu(const POINT& ptScreen);

    CExtCmdIcon m_iconCache;
    BYTE m_nSyncFlags = 0;
    RECT m_rcMarginsA{};
    RECT m_rcMarginsB{};
};

// Plain MDI tabs.
class CExtTabMdiWnd : public CExtTMWI<CExtTabWnd>
{
    DECLARE_DYNCREATE(CExtTabMdiWnd)
};

// Notebook-style MDI tabs: the MDI client gets a margin in the selected tab's colour, and the
// document frames' split bars continue the colour of their tab.
class CExtTabMdiOneNoteWnd : public CExtTMWI<CExtTabOneNoteWnd>, public CExtMdiTabColorSource
{
    DECLARE_DYNCREATE(CExtTabMdiOneNoteWnd)
public:
    static constexpr int MARGIN = 2;
    // The dark colour of the frame's tab, the one its page shows.
    bool GetFrameTabColor(HWND hWndFrame, COLORREF& clrTab) const override;
    void UpdateMdiClientMargins() override;
    void FillMdiClientMargins(CDC& dc, const RECT& rcRing, const RECT& rcClient, const RECT& rcInner) override;
};

extern template class CExtTMWI<CExtTabWnd>;
extern template class CExtTMWI<CExtTabOneNoteWnd>;
