#pragma once
// A standard combo box whose frame and button the paint manager draws, lit while the mouse is
// over it or the focus is in it, completing typed text from its list.
#include "platform/mfc/ComboBox.h"
#include "platform/mfc/ToolTipCtrl.h"
#include "ui/core/ExtComboEditCtrlHook.h"
#include "ui/core/ExtMouseCaptureSink.h"

class CDC;

class CExtComboBox : public CComboBox, public CExtMouseCaptureSink
{
    DECLARE_DYNCREATE(CExtComboBox)
public:
    static constexpr BYTE FLAG_AUTO_COMPLETE = 0x01;
    static constexpr BYTE FLAG_EDIT_CONTEXT_MENU = 0x02;
    static constexpr BYTE FLAG_REPAINT_PENDING = 0x04;
    static constexpr BYTE FLAG_TIMER_RUNNING = 0x08;
    static constexpr BYTE FLAG_COMPLETION_ARMED = 0x10;
    static constexpr int TOOLTIP_MAX_WIDTH = 250;

    CExtComboBox() = default;
    ~CExtComboBox() override;

    virtual int GetTooltipMaxWidth() const;
    virtual void PaintCombo(bool bPushed, bool bHover);
    virtual void PaintComboFrame(bool bPushed, bool bHover, CDC* pDC = nullptr);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Inside a tool bar the bar's tip stands for the combo's.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    void ShowToolTipText(LPCSTR lpszText, bool bActivate = true);
    void ActivateToolTip(bool bActivate);
    // Creates the combo's own tool tip, inactive until a text is set.
    void EnsureToolTip();
    // Completes the edit text from the list (the reaction to an edit update).
    void OnCbnEditUpdate();
    void DisarmCompletion() { m_nFlags &= ~FLAG_COMPLETION_ARMED; }
    BYTE GetFlags() const { return m_nFlags; }

    UINT m_nHoverTimerId = 10;
    UINT m_nHoverTimerPeriod = 50;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void SubclassEditPart();
    // The hover timer follows the mouse; other timers get the default handling.
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    void StartHoverTimer();

    BYTE m_nFlags = FLAG_AUTO_COMPLETE | FLAG_EDIT_CONTEXT_MENU | FLAG_COMPLETION_ARMED;
    CExtComboEditCtrlHook m_edit;
    CToolTipCtrl m_tip;
};
