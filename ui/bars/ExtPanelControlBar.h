#pragma once
// A fixed-size docking bar that hosts one child window instead of buttons: its size is the
// child's plus margins, in every dock state.
#include "ui/bars/ExtToolControlBar.h"

class CExtPanelControlBar : public CExtToolControlBar
{
    DECLARE_DYNCREATE(CExtPanelControlBar)
public:
    static constexpr int DEFAULT_MARGIN = 5;
    // Size modes of GetSizeForMode.
    static constexpr int SIZE_MODE_FLOATING = 0;
    static constexpr int SIZE_MODE_HORZ = 1;
    static constexpr int SIZE_MODE_VERT = 2;

    CExtPanelControlBar();

    virtual CSize GetNeededSize(int nMode) const;
    virtual CRect GetMargins() const;
    virtual CSize GetSizeForMode(int nMode) const;
    virtual void RepositionChild(bool bRedraw = true);
    virtual CSize GetChildWindowSize() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    CSize CalcLayout(DWORD dwMode, int nLength) override;
    int GetMinimalWidth() const override;
    int GetMinimalHeight() const override;
    CSize GetMinimalFloatingSize() const override;
    CSize GetMinimalSize() const override;
    bool IsFloatingWithCaption() const override;
    bool IsFitToDockArea() const override;
    int HitTestForHelp(int x, int y) override;
    void DoPaint(CDC* pDC) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    CRect m_rcMargins;
};
