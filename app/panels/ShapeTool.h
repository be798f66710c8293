#pragma once
// The "Shape" panel: pen colour, width (0 to 10 pixels) and dash style, and a fill that is none,
// a solid colour, a linear or radial gradient (stops in the gradient picker) or a tiled bitmap of
// the document's library. Every change hands a new pen and brush to the active stage view; a
// refresh shows the first selected shape's pen and fill, or the view's defaults.
#include "app/panels/BitmapThumbnailListBox.h"
#include "app/panels/FlashEditorTool.h"
#include "app/panels/GradientPicker.h"
#include "resources/panels/ShapePanelResources.h"
#include "ui/controls/ExtColorCtrl.h"
#include "ui/core/ExtComboBox.h"
#include "ui/core/ExtEdit.h"

#include <memory>

class CShapeTool : public CFlashEditorTool
{
public:
    // Indexes of the fill-type list.
    enum EFillType : int { kFillNone = 0, kFillSolid, kFillLinear, kFillRadial, kFillBitmap };
    static constexpr double kMaxPenWidth = 10.0;
    // The fill of "Bitmap" while no thumbnail is selected.
    static constexpr Gdiplus::ARGB kNoBitmapFill = 0xFFBC8F8F;

    explicit CShapeTool(UINT nIDTemplate = IDD_SHAPE_PANEL, CWnd* pParent = nullptr);

    // A null view (no document window left) empties the thumbnails, which point into its library.
    void RefreshFromView(CFlashEditorView* pView) override;
    void OnFillTypeChanged();
    void ApplyToView();
    void RefreshBitmapList(CFlashEditorView* pView);

    // The width text that reads back as the pen's width in pixels.
    static CString FormatPenWidth(Gdiplus::REAL widthInTwips);
    // The typed width in pixels: unreadable text (NaN included) counts as 0.
    static double ParsePenWidth(const char* text);

    CExtEdit& GetWidthEdit() { return m_wndWidth; }
    CExtComboBox& GetDashList() { return m_wndDashStyle; }
    CExtComboBox& GetFillTypeList() { return m_wndFillType; }
    CExtColorCtrl& GetPenColorPicker() { return m_wndPenColor; }
    CExtColorCtrl& GetFillColorPicker() { return m_wndFillColor; }
    CGradientPicker& GetGradientPicker() { return m_wndGradient; }
    CBitmapThumbnailListBox& GetThumbnails() { return m_wndThumbnails; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnControlChanged();
    afx_msg void OnFillTypePicked();
    afx_msg void OnThumbnailPicked();
    afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMarkerChanged(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The width in pixels, the text corrected when it was out of range.
    double ReadPenWidth();
    // The fill the controls describe, or null for none.
    std::unique_ptr<Gdiplus::Brush> BuildFill();
    void ShowFill(const Gdiplus::Brush* fill);

    CExtEdit m_wndWidth;
    CExtComboBox m_wndDashStyle;
    CExtComboBox m_wndFillType;
    CExtColorCtrl m_wndPenColor;
    CExtColorCtrl m_wndFillColor;
    CGradientPicker m_wndGradient;
    CBitmapThumbnailListBox m_wndThumbnails;
    // A texture fill the last refresh showed: applied again as it is until a thumbnail or
    // another fill type is picked.
    std::unique_ptr<Gdiplus::Brush> m_pShownTexture;
};
