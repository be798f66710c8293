#pragma once
// The list of the undo/redo popup: a multiple-selection list whose selection always runs from
// the first item, scrolled on while the button is held beyond its edges.
#include "ui/core/ExtPopupInplaceListBox.h"

class CExtPopupUndoRedoListBox : public CExtPopupInplaceListBox
{
    DECLARE_DYNCREATE(CExtPopupUndoRedoListBox)
public:
    static constexpr UINT_PTR TIMER_SCROLL_UP = 2;
    static constexpr UINT_PTR TIMER_SCROLL_DOWN = 3;
    static constexpr BYTE TIMER_FLAG_UP = 0x01;
    static constexpr BYTE TIMER_FLAG_DOWN = 0x02;
    static constexpr BYTE PRESSED_LEFT = 0x01;

    CExtPopupUndoRedoListBox();

    LRESULT OnSelChange() override;
    // Selects items 0 to nLast and nothing else.
    void SelectUpTo(int nLast);
    void StopAutoScroll();
    // Milliseconds between scroll steps for the distance (pixels) of the cursor beyond the list.
    static UINT GetAutoScrollPeriod(int nDistance);
    // The last item that shows in full, or the last item.
    int GetLastVisibleItem() const;

    BYTE m_nTimerFlags = 0;
    int m_nPeriodUp = 0;
    int m_nPeriodDown = 0;
    BYTE m_nPressedFlags = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnControlInput(WPARAM wParam) override;

private:
    void OnMouseMove(CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    // Starts or retimes one scroll timer and stops the other.
    void RunAutoScroll(UINT_PTR nTimer, int nDistance);
    // True when the key is one of the list's own.
    bool OnKey(UINT nChar);
    // After a scroll: the selection follows the top item (up) or the last visible one (down).
    void SelectAfterScroll(int nTopBefore, int nDirection);
    LRESULT ScrollAndSelect(UINT message, WPARAM wParam, LPARAM lParam);
};
