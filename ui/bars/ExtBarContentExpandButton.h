#pragma once
// The chevron at the far end of a docked tool bar: it lists the buttons the last position pass
// could not show for lack of room.
#include "ui/bars/ExtBarButton.h"

class CExtBarContentExpandButton : public CExtBarButton
{
    DECLARE_DYNCREATE(CExtBarContentExpandButton)
public:
    static constexpr UINT CMD_ID = 0xFFFFFFBE;
    // Extent of the chevron along the bar.
    static constexpr int EXTENT = 11;
    // Command id of the chevron's tooltip.
    static constexpr UINT TIP_ID = 0xE001;

    explicit CExtBarContentExpandButton(CExtToolControlBar* pBar = nullptr);

    CSize CalculateLayout(CDC& dc, CSize sizePreset, bool bHorz) override;
    bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override;
    bool IsNoCtrlButton() override;
    void Paint(CDC& dc, bool bHorz) override;
    int OnTrackPopup(CPoint point, bool bKeyboardStyle, bool bSelectFirst) override;
    void OnClick(CPoint point, bool bDown) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) override;

    // The buttons left unshown, in bar order (not owned).
    CArray<CExtBarButton*, CExtBarButton*>& GetButtons() { return m_arrHiddenButtons; }

private:
    // Adds the frame's bar list as a submenu; false when the frame has no bars to list.
    bool AppendBarsSubmenu(CExtPopupMenuWnd* pPopup, CFrameWnd* pFrame);

    CArray<CExtBarButton*, CExtBarButton*> m_arrHiddenButtons;
};
