#pragma once
// The menu bar's last button while an MDI child is maximised: the child's caption buttons
// (context help, minimise, restore, close) drawn and handled as one bar button.
#include "ui/bars/ExtBarMdiDocButton.h"

class CExtBarMdiRightButton : public CExtBarMdiDocButton
{
    DECLARE_DYNCREATE(CExtBarMdiRightButton)
public:
    // The caption buttons a child shows and where they lie in the bar button.
    struct MdiButtonsInfo_t
    {
        static constexpr DWORD FLAG_VALID = 0x01;
        static constexpr DWORD FLAG_CLOSE = 0x02;
        static constexpr DWORD FLAG_MAXIMIZE_BOX = 0x04;
        static constexpr DWORD FLAG_MINIMIZE_BOX = 0x08;
        static constexpr DWORD FLAG_HELP = 0x10;
        // Space between caption buttons and before the first.
        static constexpr int BUTTON_GAP = 2;

        CWnd* m_pWndMdiChild = nullptr;
        CExtMenuControlBar* m_pBar = nullptr;
        int m_cxButton = 0, m_cyButton = 0;
        int m_cxTotal = 0, m_cyTotal = 0;
        DWORD m_dwFlags = 0;
        CRect m_rcClose, m_rcRestoreNoMinimize, m_rcRestore, m_rcMinimize, m_rcHelp;

        MdiButtonsInfo_t() { Init(); }
        // Clears everything and takes one caption button's size from the system metrics.
        void Init();
        // Lays the present caption buttons out along the bar button's rectangle.
        void CalcButtonRects(const RECT& rcButton, bool bHorz);
        bool IsValid() const { return (m_dwFlags & FLAG_VALID) != 0; }
    };

    explicit CExtBarMdiRightButton(CExtToolControlBar* pBar = nullptr, UINT nCmdId = 0, DWORD dwStyle = 0);

    CSize CalculateLayout(CDC& dc, CSize sizePreset, bool bHorz) override;
    bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override;
    void Paint(CDC& dc, bool bHorz) override;
    int OnTrackPopup(CPoint point, bool bKeyboardStyle, bool bSelectFirst) override;
    void OnClick(CPoint point, bool bDown) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) override;
    int OnHelpHitTest(CPoint point) override;

private:
    // The info for the bar's current layout, with the caption buttons' rectangles; false when
    // the bar gives no valid info.
    bool GetInfo(MdiButtonsInfo_t& info) const;
};
