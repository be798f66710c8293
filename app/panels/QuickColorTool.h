#pragma once
// The "Colors" panel: pen and fill colour buttons, a button that resets them to black on white and
// one that swaps them. Every change recolours the active stage view's defaults and selection; a
// refresh shows the first selected shape's pen and fill, or the view's defaults.
#include "app/panels/FlashEditorTool.h"
#include "app/panels/QuickColorBtn.h"
#include "resources/panels/ColorsPanelResources.h"
#include "ui/core/ExtButton.h"
#include "ui/core/ExtColorButton.h"

class CQuickColorTool : public CFlashEditorTool
{
public:
    // The colour a fill button shows for a shape without fill.
    static constexpr COLORREF kNoFillColor = RGB(0x80, 0x80, 0x80);

    explicit CQuickColorTool(UINT nIDTemplate = IDD_COLORS_PANEL, CWnd* pParent = nullptr);

    void RefreshFromView(CFlashEditorView* pView) override;

    const CExtColorButton& GetPenButton() const { return m_btnPenColor; }
    const CQuickColorBtn& GetFillButton() const { return m_btnFillColor; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnBlackAndWhite();
    afx_msg void OnSwapColors();
    afx_msg LRESULT OnColorChangedFinally(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The buttons' colours to the active stage view, when there is one.
    void ApplyToView();
    void RepaintButtons();

    CExtColorButton m_btnPenColor;
    CQuickColorBtn m_btnFillColor;
    CExtButton m_btnBlackAndWhite;
    CExtButton m_btnSwap;
};
