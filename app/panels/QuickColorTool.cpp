#include "app/panels/QuickColorTool.h"

#include "app/FlashEditorMainFrame.h"
#include "model/FlashShape.h"
#include "model/GeometryHelpers.h"
#include "stage/FlashEditorView.h"
#include "ui/core/ExtPopupColorMenuWnd.h"

#include <tuple>
#include <utility>

namespace {
// The colour a fill shows on its button; hatch and texture fills keep the button's colour.
bool FillColor(const Gdiplus::Brush& fill, COLORREF& color)
{
    Gdiplus::Color found;
    switch (fill.GetType()) {
    case Gdiplus::BrushTypeSolidColor:
        static_cast<const Gdiplus::SolidBrush&>(fill).GetColor(&found);
        break;
    case Gdiplus::BrushTypePathGradient:
        static_cast<const Gdiplus::PathGradientBrush&>(fill).GetCenterColor(&found);
        break;
    case Gdiplus::BrushTypeLinearGradient: {
        Gdiplus::Color ends[2];
        static_cast<const Gdiplus::LinearGradientBrush&>(fill).GetLinearColors(ends);
        found = ends[0];
        break;
    }
    default:
        return false;
    }
    color = ArgbToColorRef(found.GetValue());
    return true;
}

CFlashEditorView* ActiveStageView()
{
    auto* pMain = dynamic_cast<CFlashEditorMainFrame*>(AfxGetMainWnd());
    return pMain != nullptr ? pMain->GetActiveStageView() : nullptr;
}
}

BEGIN_MESSAGE_MAP(CQuickColorTool, CFlashEditorTool)
    ON_BN_CLICKED(IDC_COLORS_BLACK_AND_WHITE, OnBlackAndWhite)
    ON_BN_CLICKED(IDC_COLORS_SWAP, OnSwapColors)
    ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, OnColorChangedFinally)
END_MESSAGE_MAP()

CQuickColorTool::CQuickColorTool(UINT nIDTemplate, CWnd* pParent) : CFlashEditorTool(nIDTemplate, pParent)
{
    m_btnPenColor.m_clrSelected = RGB(0, 0, 0);
    m_btnFillColor.m_clrSelected = RGB(255, 255, 255);
}

void CQuickColorTool::DoDataExchange(CDataExchange* pDX)
{
    CFlashEditorTool::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COLORS_PEN, m_btnPenColor);
    DDX_Control(pDX, IDC_COLORS_FILL, m_btnFillColor);
    DDX_Control(pDX, IDC_COLORS_BLACK_AND_WHITE, m_btnBlackAndWhite);
    DDX_Control(pDX, IDC_COLORS_SWAP, m_btnSwap);
}

BOOL CQuickColorTool::OnInitDialog()
{
    if (!CFlashEditorTool::OnInitDialog())
        return FALSE;
    AnchorDialogItem(IDC_COLORS_PEN, 0, 0, 100, 0);
    AnchorDialogItem(IDC_COLORS_FILL, 0, 0, 100, 0);
    for (auto [pButton, nId, nPicture] : {std::tuple{&m_btnBlackAndWhite, IDC_COLORS_BLACK_AND_WHITE, IDI_COLORS_BLACK_AND_WHITE},
                                          std::tuple{&m_btnSwap, IDC_COLORS_SWAP, IDI_COLORS_SWAP}}) {
        CString tip;
        if (tip.LoadString(nId))
            pButton->SetTipText(tip, true);
        pButton->SetIconsFromResource(nPicture);
    }
    return TRUE;
}

void CQuickColorTool::ApplyToView()
{
    if (CFlashEditorView* pView = ActiveStageView())
        pView->SetPenAndFillColors(m_btnPenColor.m_clrSelected, m_btnFillColor.m_clrSelected);
}

void CQuickColorTool::RepaintButtons()
{
    m_btnPenColor.Invalidate();
    m_btnFillColor.Invalidate();
}

void CQuickColorTool::OnBlackAndWhite()
{
    m_btnPenColor.m_clrSelected = RGB(0, 0, 0);
    m_btnFillColor.m_clrSelected = RGB(255, 255, 255);
    RepaintButtons();
    ApplyToView();
}

void CQuickColorTool::OnSwapColors()
{
    std::swap(m_btnPenColor.m_clrSelected, m_btnFillColor.m_clrSelected);
    RepaintButtons();
    ApplyToView();
}

LRESULT CQuickColorTool::OnColorChangedFinally(WPARAM, LPARAM)
{
    ApplyToView();
    return 1;
}

void CQuickColorTool::RefreshFromView(CFlashEditorView* pView)
{
    if (pView == nullptr || m_hWnd == nullptr)
        return;
    const CFlashShape* pShape = pView->GetFirstSelectedShape();
    const Gdiplus::Pen* pPen = pShape != nullptr ? pShape->GetPen() : pView->GetDefaultPen();
    const Gdiplus::Brush* pFill = pShape != nullptr ? pShape->GetBrush() : pView->GetDefaultFill();
    if (pPen != nullptr) {
        Gdiplus::Color color;
        pPen->GetColor(&color);
        m_btnPenColor.m_clrSelected = ArgbToColorRef(color.GetValue());
    }
    // Without a fill the button drops the last one's picture and shows mid-grey.
    m_btnFillColor.SetBrush(pFill);
    if (pFill == nullptr)
        m_btnFillColor.m_clrSelected = kNoFillColor;
    else
        FillColor(*pFill, m_btnFillColor.m_clrSelected);
    RepaintButtons();
}
