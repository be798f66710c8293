#include "app/panels/ShapeTool.h"

#include "app/FlashEditorMainFrame.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashShape.h"
#include "model/GeometryHelpers.h"
#include "stage/FlashEditorView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
constexpr double kTwipsPerPixel = 20.0;
constexpr int kDashStyleCount = 5;
// The thumbnails' cell, in pixels.
constexpr int kThumbnailSize = 48;
// Decimals tried for a width text that reads back as the pen's own width.
constexpr int kMaxWidthDecimals = 9;
// Gradients are defined on the unit square; shapes fit them to their bounds.
const Gdiplus::Rect kUnitSquare(0, 0, 1, 1);

CFlashEditorView* ActiveStageView()
{
    auto* pMain = dynamic_cast<CFlashEditorMainFrame*>(AfxGetMainWnd());
    return pMain != nullptr ? pMain->GetActiveStageView() : nullptr;
}

COLORREF ToColorRef(const Gdiplus::Color& color)
{
    return ArgbToColorRef(color.GetValue());
}

Gdiplus::REAL PenWidthInTwips(double pixels)
{
    return Gdiplus::REAL(pixels * kTwipsPerPixel);
}

// A refresh repaints a picker only when its colour changes: refreshes come with every edit.
void ShowColor(CExtColorCtrl& picker, COLORREF color)
{
    if (picker.GetCurrentColor() != color)
        picker.SetCurrentColor(color, false);
}

// Unknown dash styles show and apply as "Solid".
int DashStyleIndex(int style)
{
    return style >= 0 && style < kDashStyleCount ? style : 0;
}
}

BEGIN_MESSAGE_MAP(CShapeTool, CFlashEditorTool)
    ON_EN_CHANGE(IDC_SHAPE_PEN_WIDTH, OnControlChanged)
    ON_CBN_SELCHANGE(IDC_SHAPE_DASH_STYLE, OnControlChanged)
    ON_CBN_SELCHANGE(IDC_SHAPE_FILL_TYPE, OnFillTypePicked)
    ON_LBN_SELCHANGE(IDC_SHAPE_BITMAPS, OnThumbnailPicked)
    ON_REGISTERED_MESSAGE(CExtColorCtrl::g_nMsgColorChanged, OnColorChanged)
    ON_REGISTERED_MESSAGE(CGradientPicker::g_nMsgMarkerChanged, OnMarkerChanged)
END_MESSAGE_MAP()

CShapeTool::CShapeTool(UINT nIDTemplate, CWnd* pParent) : CFlashEditorTool(nIDTemplate, pParent) {}

void CShapeTool::DoDataExchange(CDataExchange* pDX)
{
    CFlashEditorTool::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SHAPE_PEN_WIDTH, m_wndWidth);
    DDX_Control(pDX, IDC_SHAPE_DASH_STYLE, m_wndDashStyle);
    DDX_Control(pDX, IDC_SHAPE_FILL_TYPE, m_wndFillType);
    DDX_Control(pDX, IDC_SHAPE_BITMAPS, m_wndThumbnails);
}

BOOL CShapeTool::OnInitDialog()
{
    updating = true;
    if (!CFlashEditorTool::OnInitDialog()) {
        updating = false;
        return FALSE;
    }
    m_wndPenColor.SubclassDlgItem(IDC_SHAPE_PEN_COLOR, this);
    m_wndFillColor.SubclassDlgItem(IDC_SHAPE_FILL_COLOR, this);
    m_wndGradient.SubclassDlgItem(IDC_SHAPE_GRADIENT, this);
    for (CExtColorCtrl* pPicker : {&m_wndPenColor, &m_wndFillColor}) {
        pPicker->InvalidateModeCaches();
        pPicker->SetMode(CExtColorCtrl::MODE_HSL_PANEL);
        pPicker->RedrawCurrentMode(false);
        pPicker->Invalidate();
        pPicker->UpdateWindow();
    }
    m_wndWidth.SetWindowText("1");
    m_wndDashStyle.SetCurSel(0);
    m_wndFillType.SetCurSel(kFillSolid);
    OnFillTypeChanged();
    m_wndPenColor.SetCurrentColor(RGB(0, 0, 0), false);
    m_wndFillColor.SetCurrentColor(RGB(255, 255, 255), false);
    updating = false;
    m_wndThumbnails.SendMessage(LB_SETITEMHEIGHT, 0, kThumbnailSize);
    m_wndThumbnails.SendMessage(LB_SETCOLUMNWIDTH, kThumbnailSize);
    return TRUE;
}

void CShapeTool::OnControlChanged()
{
    ApplyToView();
}

void CShapeTool::OnFillTypePicked()
{
    if (updating)
        return;
    m_pShownTexture.reset();
    OnFillTypeChanged();
}

void CShapeTool::OnThumbnailPicked()
{
    if (updating)
        return;
    m_pShownTexture.reset();
    ApplyToView();
}

LRESULT CShapeTool::OnColorChanged(WPARAM, LPARAM)
{
    ApplyToView();
    return 1;
}

LRESULT CShapeTool::OnMarkerChanged(WPARAM, LPARAM)
{
    if (!updating) {
        m_wndFillColor.SetCurrentColor(m_wndGradient.GetSelectedMarkerColor(), false);
        ApplyToView();
    }
    return 1;
}

void CShapeTool::OnFillTypeChanged()
{
    const int nFillType = m_wndFillType.GetCurSel();
    const bool bGradient = nFillType == kFillLinear || nFillType == kFillRadial;
    m_wndGradient.ShowWindow(bGradient ? SW_SHOW : SW_HIDE);
    m_wndFillColor.ShowWindow(bGradient || nFillType == kFillSolid ? SW_SHOW : SW_HIDE);
    m_wndThumbnails.ShowWindow(nFillType == kFillBitmap ? SW_SHOW : SW_HIDE);
    ApplyToView();
}

double CShapeTool::ParsePenWidth(const char* text)
{
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    return end == text || std::isnan(value) ? 0.0 : value;
}

CString CShapeTool::FormatPenWidth(Gdiplus::REAL widthInTwips)
{
    const double pixels = widthInTwips / kTwipsPerPixel;
    CString text;
    for (int decimals = 0; decimals <= kMaxWidthDecimals; ++decimals) {
        text.Format("%.*f", decimals, pixels);
        if (PenWidthInTwips(ParsePenWidth(text)) == widthInTwips)
            return text;
    }
    text.Format("%.9g", pixels);
    return text;
}

double CShapeTool::ReadPenWidth()
{
    CString text;
    m_wndWidth.GetWindowText(text);
    const double typed = ParsePenWidth(text);
    const double width = std::clamp(typed, 0.0, kMaxPenWidth);
    if (width != typed) {
        CString corrected;
        corrected.Format("%2.0f", width);
        m_wndWidth.SetWindowText(corrected);
        const int length = corrected.GetLength();
        m_wndWidth.SendMessage(EM_SETSEL, length, length);
        m_wndWidth.SendMessage(EM_SCROLLCARET);
    }
    return width;
}

std::unique_ptr<Gdiplus::Brush> CShapeTool::BuildFill()
{
    const Gdiplus::Color fillColor(ColorRefToArgb(m_wndFillColor.GetCurrentColor()));
    switch (m_wndFillType.GetCurSel()) {
    case kFillSolid:
        return std::make_unique<Gdiplus::SolidBrush>(fillColor);
    case kFillLinear:
        return CreateLinearGradientBrush(kUnitSquare, m_wndGradient.GetMarkers());
    case kFillRadial:
        return CreateRadialGradientBrush(kUnitSquare, m_wndGradient.GetMarkers());
    case kFillBitmap:
        if (m_pShownTexture != nullptr)
            return std::unique_ptr<Gdiplus::Brush>(m_pShownTexture->Clone());
        if (Gdiplus::Bitmap* pBitmap = m_wndThumbnails.GetSelectedBitmap())
            return std::make_unique<Gdiplus::TextureBrush>(pBitmap, Gdiplus::WrapModeTile);
        return std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(kNoBitmapFill));
    default:
        return nullptr;
    }
}

void CShapeTool::ApplyToView()
{
    if (updating)
        return;
    updating = true;
    const double width = ReadPenWidth();
    const int nFillType = m_wndFillType.GetCurSel();
    if (nFillType == kFillLinear || nFillType == kFillRadial)
        m_wndGradient.SetSelectedMarkerColor(m_wndFillColor.GetCurrentColor());
    // Without a stage view nothing would take the pen and brush: none is made.
    if (CFlashEditorView* pView = ActiveStageView()) {
        auto pen = std::make_unique<Gdiplus::Pen>(Gdiplus::Color(ColorRefToArgb(m_wndPenColor.GetCurrentColor())),
                                                  PenWidthInTwips(width));
        pen->SetDashStyle(Gdiplus::DashStyle(DashStyleIndex(m_wndDashStyle.GetCurSel())));
        std::unique_ptr<Gdiplus::Brush> fill = BuildFill();
        pView->SetPenAndBrush(pen.release(), fill.release());
    }
    updating = false;
}

void CShapeTool::ShowFill(const Gdiplus::Brush* fill)
{
    m_pShownTexture.reset();
    if (fill == nullptr) {
        m_wndFillType.SetCurSel(kFillNone);
        return;
    }
    Gdiplus::Color color(Gdiplus::Color::White);
    switch (fill->GetType()) {
    case Gdiplus::BrushTypeSolidColor:
        m_wndFillType.SetCurSel(kFillSolid);
        static_cast<const Gdiplus::SolidBrush*>(fill)->GetColor(&color);
        break;
    case Gdiplus::BrushTypeLinearGradient: {
        const auto* linear = static_cast<const Gdiplus::LinearGradientBrush*>(fill);
        m_wndFillType.SetCurSel(kFillLinear);
        m_wndGradient.LoadFromLinearBrush(linear);
        Gdiplus::Color ends[2];
        linear->GetLinearColors(ends);
        color = ends[0];
        break;
    }
    case Gdiplus::BrushTypePathGradient: {
        const auto* radial = static_cast<const Gdiplus::PathGradientBrush*>(fill);
        m_wndFillType.SetCurSel(kFillRadial);
        m_wndGradient.LoadFromPathBrush(radial);
        radial->GetCenterColor(&color);
        break;
    }
    case Gdiplus::BrushTypeTextureFill:
        m_wndFillType.SetCurSel(kFillBitmap);
        m_pShownTexture.reset(fill->Clone());
        break;
    default:
        break;
    }
    ShowColor(m_wndFillColor, ToColorRef(color));
}

void CShapeTool::RefreshFromView(CFlashEditorView* pView)
{
    if (updating || m_hWnd == nullptr)
        return;
    if (pView == nullptr) {
        m_wndThumbnails.SetBitmaps({});
        return;
    }
    const CFlashShape* pShape = pView->GetFirstSelectedShape();
    const Gdiplus::Pen* pPen = pShape != nullptr ? pShape->GetPen() : pView->GetDefaultPen();
    const Gdiplus::Brush* pFill = pShape != nullptr ? pShape->GetBrush() : pView->GetDefaultFill();
    updating = true;
    if (pPen != nullptr) {
        const CString width = FormatPenWidth(pPen->GetWidth());
        CString shown;
        m_wndWidth.GetWindowText(shown);
        if (shown != width)
            m_wndWidth.SetWindowText(width);
        m_wndDashStyle.SetCurSel(DashStyleIndex(pPen->GetDashStyle()));
        Gdiplus::Color color;
        pPen->GetColor(&color);
        ShowColor(m_wndPenColor, ToColorRef(color));
    }
    ShowFill(pFill);
    RefreshBitmapList(pView);
    OnFillTypeChanged();
    updating = false;
}

void CShapeTool::RefreshBitmapList(CFlashEditorView* pView)
{
    const int nSelected = m_wndThumbnails.GetCurSel();
    std::vector<Gdiplus::Bitmap*> bitmaps;
    if (CFlashEditorDoc* pDoc = pView != nullptr ? pView->GetDocument() : nullptr)
        pDoc->GetLibrary().CollectBitmaps(bitmaps);
    // An unchanged library keeps the list as it is, without a reset and a repaint.
    if (bitmaps != m_wndThumbnails.GetBitmaps())
        m_wndThumbnails.SetBitmaps(std::move(bitmaps));
    if (m_wndThumbnails.GetCount() > 0)
        m_wndThumbnails.SetCurSel(nSelected >= 0 && nSelected < m_wndThumbnails.GetCount() ? nSelected : 0);
}
