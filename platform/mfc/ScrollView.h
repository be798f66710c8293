#pragma once
// A view larger than its window: scroll bars, a scroll position and a device context whose
// origin follows it.
#include "platform/mfc/Size.h"
#include "platform/mfc/View.h"

class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;

    // Sizes in logical units of nMapMode; default page and line are a tenth and a hundredth of the total.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;

    // The upper-left corner of the window in logical (or device) units.
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT pt);
    void ScrollToDevicePosition(POINT ptDev);

    // Sets the map mode and moves the viewport origin by the scroll position (not when printing).
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    // nScrollCode: low byte horizontal, high byte vertical scroll-bar code (0xFF for none).
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    // Moves the position by sizeScroll device units within the scroll limits; FALSE when nothing moved.
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);
    // Shows, hides and sets the scroll bars for the current client size.
    void UpdateBars();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // Scrolls by the system's wheel lines; Shift or Ctrl leave the wheel to others.
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

protected:
    CScrollView() = default;

    int m_nMapMode = 0;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bInsideUpdate = FALSE;

    DECLARE_MESSAGE_MAP()

private:
    // The new position of one bar for a scroll-bar code; FALSE when the code moves nothing.
    BOOL ScrollTarget(int nBar, UINT nSBCode, int nPageDev, int nLineDev, int& nTarget) const;
};
