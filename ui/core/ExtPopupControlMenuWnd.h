#pragma once
// A popup menu that hosts one child control (a list, a calendar, ...) instead of items. It opens,
// tracks and closes like any popup of the tree; the input its tracking hooks catch is handed to
// the control through g_nMsgControlInputRetranslate, so that the control is driven while the
// menu keeps the input.
#include "ui/core/ExtPopupMenuWnd.h"

#include <optional>

class CExtPopupControlMenuWnd : public CExtPopupMenuWnd
{
    DECLARE_DYNCREATE(CExtPopupControlMenuWnd)
public:
    static constexpr int DEFAULT_CONTROL_WIDTH = 150;
    static constexpr int DEFAULT_CONTROL_HEIGHT = 100;
    // The popup answers Escape itself instead of handing it to the control.
    static constexpr DWORD FLAG_HANDLES_ESCAPE = 0x01;

    // Kinds of hooked input.
    static constexpr int INPUT_MOUSE_MOVE = 0;
    static constexpr int INPUT_MOUSE_BUTTON = 1;
    static constexpr int INPUT_MOUSE_WHEEL = 2;
    static constexpr int INPUT_KEY_DOWN = 3;

    // The WPARAM of g_nMsgControlInputRetranslate (LPARAM 0). A nonzero reply asks the tracking
    // hook to eat the input.
    struct ControlInputData
    {
        int m_nKind = INPUT_MOUSE_MOVE;
        // Move: the mouse flags; button: the mouse message; key: the key message's high word.
        UINT m_nFlags = 0;
        // Mouse move and button: the cursor in the popup's client coordinates.
        int m_x = 0;
        int m_y = 0;
        // Set it to let the input go on to its target window.
        bool* m_pPassOn = nullptr;
        UINT m_nChar = 0;
        UINT m_nRepCnt = 0;
        // Wheel: the message as the hook received it and the hook's record (the delta is the
        // high word of its mouse data).
        WPARAM m_wParamWheel = 0;
        MOUSEHOOKSTRUCTEX* m_pWheelHook = nullptr;
        CExtPopupControlMenuWnd* m_pPopup = nullptr;
    };
    static const UINT g_nMsgControlInputRetranslate;

    CExtPopupControlMenuWnd();

    void AdjustAnimationType(int* pType) override;
    bool IsShadowAllowed() const override;
    bool IsEveryItemHidden() const override;
    bool HasOwnContent() const override { return true; }
    CSize MeasureContent() const override;
    bool CreatePopupWindow(CWnd* pWndOwner) override;
    // Places the control again when the popup's content moved.
    void ComputeServiceButtonRects() override;

    bool HandleMouseWheel(WPARAM wParam, LPARAM lParam, bool* pPassThrough) override;
    bool HandleMouseMove(UINT message, CPoint point, bool* pPassThrough) override;
    bool HandleMouseClick(UINT message, CPoint point, bool* pPassThrough) override;
    bool HandleKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags, bool* pPassThrough) override;

    // Where the control lies in the popup's client area.
    virtual CRect GetControlRect() const;
    // Creates the hosted control; the base creates nothing and mirrors what it gets for a
    // right-to-left popup.
    virtual HWND CreateChildControl(const RECT& rcControl);

    // A submenu hands the input back to its parent popup and closes; false for a top popup.
    bool ReturnToParentPopup();
    HWND GetControlWindow() const { return m_hWndControl; }

    int m_nControlWidth = DEFAULT_CONTROL_WIDTH;
    int m_nControlHeight = DEFAULT_CONTROL_HEIGHT;
    DWORD m_dwControlFlags = FLAG_HANDLES_ESCAPE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Called when the stored control rectangle took a new value, before the control moves.
    virtual void OnControlRectChanged() {}
    // Tracking is ending, has no tree, or a popup still animates: hooked input is eaten.
    bool IsTrackingInterrupted() const;
    bool IsControlAlive() const;
    // The window is a child window that is the control or lies inside it.
    bool IsInsideControl(HWND hWnd) const;
    // The window under the point, the focus or the capture is inside the control.
    bool IsInputForControl(CPoint ptClient) const;
    // Zero without a live control.
    LRESULT SendControlInput(ControlInputData& data);
    // Settles a hooked move or click (nKind) that the popup itself answers: eaten while tracking
    // is interrupted, passed on over the control, sent to the control elsewhere in the popup.
    // Empty when the point lies outside the popup.
    std::optional<bool> RouteMouseInside(int nKind, UINT message, CPoint point, bool* pPassThrough);
    // The parent popup while its window lives, with *pptParent the point in its client area.
    CExtPopupMenuWnd* LiveParentMenu(CPoint point, CPoint* pptParent) const;

    RECT m_rcControl{};
    HWND m_hWndControl = nullptr;
};
