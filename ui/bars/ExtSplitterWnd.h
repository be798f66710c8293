#pragma once
// The framework's splitter window: the platform splitter with its split bars, pane borders and
// drag tracker drawn to match the paint manager in force.
#include "platform/mfc/SplitterWnd.h"

class CFrameWnd;

class CExtSplitterWnd : public CSplitterWnd
{
    DECLARE_DYNCREATE(CExtSplitterWnd)
public:
    CExtSplitterWnd() = default;

    // Pane borders get the theme's splitter edge one pixel inside; bars, boxes and
    // intersections show the background DrawAllSplitBars laid. A null context only invalidates.
    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
    // An inverted halftone band over the parent window; twice restores the screen.
    void OnInvertTracker(const CRect& rect) override;
    // Lays the background (the notebook tab's colour, the theme's face background or the
    // control face), then the bars and borders. A null context only invalidates.
    void DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside) override;

private:
    // Fills with the colour of the notebook MDI tab of the owner frame, when the outer frame
    // has such a strip; false when it has none (a strip without that frame's tab fills nothing).
    bool FillFromMdiTabs(CDC& dc, const CRect& rcBackground, CFrameWnd* pOwnerFrame, CFrameWnd* pOuterFrame) const;
};
