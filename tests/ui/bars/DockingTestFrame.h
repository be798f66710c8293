#pragma once
// A real frame with framework docking, a white view area and resizable bars, for the drag,
// container and floating-frame tests.
#include "ui/bars/ExtControlBar.h"

#include <memory>
#include <vector>

class CDockTestBar : public CExtControlBar
{
    DECLARE_DYNCREATE(CDockTestBar)
};

class CDockTestFrame : public CFrameWnd
{
public:
    static constexpr UINT FIRST_BAR_ID = 0x3000;

    CDockTestFrame();
    ~CDockTestFrame() override;

    // Creates and shows the frame at the screen rectangle with framework docking.
    bool Open(const RECT& rcScreen);
    // A bar docked into the side and ring given (the bar belongs to the frame's list).
    CDockTestBar* AddBar(const char* pszCaption, UINT nSideId, UINT nRing = 1, CSize size = CSize(160, 120));
    // A point inside the bar's client area, screen coordinates (where a press starts a drag).
    static CPoint GrabPoint(CExtControlBar* pBar);
    static CRect WindowRectOf(CWnd* pWnd);
    void Settle();

    // Tracking frames offered to the frame while recording; the frame draws them itself.
    bool m_bRecordTracking = false;
    std::vector<CRect> m_trackedAreas;
    CWnd m_wndView;
    std::vector<CDockTestBar*> m_bars;

protected:
    afx_msg LRESULT OnDrawTrackedArea(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()
};

// Sets the docking style for a test and puts the paint manager's back after.
class CDockingStyleScope
{
public:
    explicit CDockingStyleScope(int nStyle);
    ~CDockingStyleScope();

private:
    int m_nSaved;
};
