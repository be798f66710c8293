#pragma once
// An edit whose border is painted by the paint manager, hot while the mouse is over it.
#include "ui/core/ExtEditBase.h"

class CExtEdit : public CExtEditBase
{
    DECLARE_DYNCREATE(CExtEdit)
public:
    static constexpr UINT_PTR HOVER_TIMER_ID = 1;
    static constexpr UINT HOVER_TIMER_MS = 50;

    CExtEdit() = default;

    virtual void RedrawFrame();
    // A null DC takes the window's own.
    virtual void DrawFrame(const RECT& rc, CDC* pDC = nullptr);
    virtual bool IsEditEnabled() const;

    bool IsHovered() const { return (m_nHoverFlags & 0x01) != 0; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHoverTimer();
    void PaintNonClient();

    BYTE m_nHoverFlags = 0;
};
