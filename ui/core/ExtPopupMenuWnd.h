#pragma once
// The framework's owner-drawn popup menu. This file holds what the menu shares with the tracking
// state, the open animation and the tip balloon; its items, layout and input handling build on it.
#include "ui/core/ExtPopupBaseWnd.h"
#include "ui/core/ExtPopupMenuTipWnd.h"

class CExtPopupMenuTrackingState;

class CExtPopupMenuWnd : public CExtPopupBaseWnd
{
    DECLARE_DYNAMIC(CExtPopupMenuWnd)
public:
    // Menu flags.
    static constexpr BYTE MENU_TOP_LEVEL = 0x01;
    static constexpr UINT_PTR SUBMENU_OPEN_TIMER_ID = 667;

    // Alignments of the track flags: where the menu opens beside its exclude area.
    static constexpr UINT ALIGN_MASK = 0x000F;
    static constexpr int ALIGN_RIGHT = 1;   // right of the area, tops in line
    static constexpr int ALIGN_LEFT = 3;    // left of the area, tops in line
    static constexpr int ALIGN_BELOW = 4;   // below the area, left edges in line
    static constexpr int ALIGN_ABOVE = 6;   // above the area, left edges in line

    // What placing a menu on the screen needs, and what it decides.
    struct PlacementInput
    {
        RECT rcArea;         // the monitor's work area (or whole monitor)
        POINT ptTrack;       // top-left the menu starts at
        SIZE size;           // window size from MeasureContent
        RECT rcExclude;      // screen area the menu opens beside
        bool bExcludeGiven;
        bool bCombined;      // one outline with the exclude area
        bool bSubmenu;
        bool bTopLevel;
        bool bRightToLeft;
        int nAlign;
        int nShadow;
        int nBorder;
    };
    struct PlacementResult
    {
        RECT rcWindow;       // screen coordinates
        RECT rcMenu;         // the menu without shadow and exclude area, client coordinates
        RECT rcExcludeClient;  // the joined exclude area (combined only), client coordinates
        int nSide;           // SIDE_... of a combined menu
        bool bScrolling;     // taller than the area
        bool bExcludeGiven;  // dropped when a clamp moved a top-level menu
        bool bCombined;
    };
    // The window rectangle of a menu opened beside its exclude area inside the screen area.
    static PlacementResult PlaceMenu(const PlacementInput& in);

    CExtPopupMenuWnd();
    ~CExtPopupMenuWnd() override;

    virtual CExtPopupMenuTrackingState* GetTrackingState() const;
    static bool IsTrackingActive();
    static void EndActiveTracking();
    // Handles the waiting messages; a WM_QUIT met is posted again and ends the pumping.
    static void PumpPendingMessages(bool bRunIdle);

    // The popup that receives the thread's input while tracked.
    virtual void MakeCurrent();
    virtual CExtPopupMenuWnd* GetCurrentPopup() const;
    virtual void ReleaseCurrent();

    // Input routed by the tracking state's hooks; points in client coordinates. Each answers
    // true when it handled the input; *pPassThrough asks the hook to pass it on.
    virtual bool HandleMouseClick(UINT message, CPoint point, bool* pPassThrough);
    virtual bool HandleMouseMove(UINT message, CPoint point, bool* pPassThrough);
    virtual bool HandleMouseWheel(WPARAM wParam, LPARAM lParam, bool* pPassThrough);
    virtual bool HandleKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags, bool* pPassThrough);

    // Closes this popup and its open submenus; the window stays with keepWindow.
    virtual void CloseTree(bool bKeepWindow);
    // Empties the popup; the menu's building fills it from a menu. Null clears every item and
    // deletes the submenus.
    virtual bool BuildItemsFromMenu(CMenu* pMenu, bool bTopLevel = true, bool bNoCmdUpdate = false);
    // The window under the client point is this popup.
    virtual bool IsPointInWindow(CPoint point) const;
    // Drops the shadows' cached strips and the animation bitmaps.
    virtual void DiscardPaintCaches();

    virtual bool IsTipShown() const;
    virtual void HideTip(bool bFinishAnimation);
    const CExtPopupMenuTipWnd& GetTipWnd() const { return m_wndTip; }

    bool IsTopLevel() const { return (m_nMenuFlags & MENU_TOP_LEVEL) != 0; }
    CExtPopupMenuWnd* GetParentMenuWnd() const { return m_pWndParentMenu; }
    HWND GetCommandTargetWindow() const { return m_hWndCmdReceiver; }
    int GetCombinedSide() const { return m_nCombinedSide; }

    void BeginOpenAnimation() override;
    void OnAnimationFinished() override;
    void PaintAnimationFrame(CDC& dc) override;
    BOOL DestroyWindow() override;

protected:
    // Tracking input is ignored until the open animation ends and while no live tree is tracked.
    bool IsInputIgnored() const;

    void PostNcDestroy() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCancelMode();
    DECLARE_MESSAGE_MAP()

    CExtPopupMenuTipWnd m_wndTip;
    int m_nCurrentItem = -1;
    int m_nPendingSubmenuItem = -1;
    int m_nHoverItem = -1;
    BYTE m_nMenuFlags = MENU_TOP_LEVEL;
    HWND m_hWndCmdReceiver = nullptr;
    CExtPopupMenuWnd* m_pWndParentMenu = nullptr;
    int m_nCombinedSide = SIDE_NONE;

private:
    // The window's destruction ends a tracking that is not ending yet; inside DestroyWindow the
    // end (which deletes this popup) waits until the platform's window code is done with it.
    bool m_bDestroying = false;
    bool m_bEndTrackingAfterDestroy = false;
};
