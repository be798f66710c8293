#include "app/panels/BrushTool.h"

#include "app/panels/ActiveStageView.h"
#include "model/geometry/ShapeCursor.h"
#include "resources/panels/BrushResources.h"
#include "stage/FlashEditorView.h"

namespace {

constexpr UINT kItemHeight = 24;
constexpr int kInitialSize = CBrushTool::kSizeCount - 1;
constexpr Gdiplus::REAL kEllipseFlatness = 0.25f;
// The brush pen's width per size index.
constexpr Gdiplus::REAL kPenWidthPerSize = 2.0f;

Gdiplus::GraphicsPath* EllipseTip(Gdiplus::REAL x, Gdiplus::REAL y, Gdiplus::REAL width, Gdiplus::REAL height)
{
    auto* path = new Gdiplus::GraphicsPath;
    path->AddEllipse(x, y, width, height);
    path->Flatten(nullptr, kEllipseFlatness);
    return path;
}

Gdiplus::GraphicsPath* RectangleTip(Gdiplus::REAL x, Gdiplus::REAL y, Gdiplus::REAL width, Gdiplus::REAL height)
{
    auto* path = new Gdiplus::GraphicsPath;
    path->AddRectangle(Gdiplus::RectF(x, y, width, height));
    return path;
}

Gdiplus::GraphicsPath* SlantTip(const Gdiplus::PointF (&corners)[4])
{
    auto* path = new Gdiplus::GraphicsPath;
    path->AddPolygon(corners, 4);
    return path;
}

} // namespace

IMPLEMENT_DYNCREATE(CBrushTool, CFlashEditorTool)

BEGIN_MESSAGE_MAP(CBrushTool, CFlashEditorTool)
    ON_CBN_SELCHANGE(IDC_BRUSH_SIZE, OnBrushChanged)
    ON_CBN_SELCHANGE(IDC_BRUSH_SHAPE, OnBrushChanged)
END_MESSAGE_MAP()

CBrushTool::CBrushTool() : CFlashEditorTool(IDD_BRUSH_TOOL, nullptr) {}

CBrushTool::~CBrushTool()
{
    for (const std::vector<HCURSOR>& sizes : m_cursors)
    {
        for (HCURSOR hCursor : sizes)
        {
            if (hCursor != nullptr)
                ::DestroyCursor(hCursor);
        }
    }
}

void CBrushTool::DoDataExchange(CDataExchange* pDX)
{
    CFlashEditorTool::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BRUSH_SHAPE, m_shapeList);
    DDX_Control(pDX, IDC_BRUSH_SIZE, m_sizeList);
}

BOOL CBrushTool::OnInitDialog()
{
    CFlashEditorTool::OnInitDialog();
    // The lists take the panel's width, which the bar sets narrower than the template.
    AnchorDialogItem(IDC_BRUSH_SIZE, 0, 0, 100, 0);
    AnchorDialogItem(IDC_BRUSH_SHAPE, 0, 0, 100, 0);
    for (int i = 0; i < kSizeCount; ++i)
        m_sizeList.AddString("");
    m_sizeList.SetItemHeight(-1, kItemHeight);
    m_sizeList.SetItemHeight(0, kItemHeight);
    m_sizeList.SetCurSel(kInitialSize);

    // Round, then square, then slanted tips: upright, tall and wide each.
    AddShape(EllipseTip(-10, -10, 20, 20));
    AddShape(EllipseTip(-5, -10, 10, 20));
    AddShape(EllipseTip(-10, -5, 20, 10));
    AddShape(RectangleTip(-10, -10, 20, 20));
    AddShape(RectangleTip(-5, -10, 10, 20));
    AddShape(RectangleTip(-10, -5, 20, 10));
    AddShape(SlantTip({{4, -10}, {7, -10}, {-4, 10}, {-7, 10}}));
    AddShape(SlantTip({{8, -10}, {10, -8}, {-8, 10}, {-10, 8}}));
    AddShape(SlantTip({{10, -7}, {10, -4}, {-10, 7}, {-10, 4}}));
    m_shapeList.SetItemHeight(-1, kItemHeight);
    m_shapeList.SetItemHeight(0, kItemHeight);
    m_shapeList.SetCurSel(0);
    return TRUE;
}

void CBrushTool::AddShape(Gdiplus::GraphicsPath* path)
{
    m_shapes.emplace_back(path);
    m_cursors.emplace_back(static_cast<size_t>(m_sizeList.GetCount()), nullptr);
    const int item = m_shapeList.AddString("");
    m_shapeList.SetItemDataPtr(item, path);
}

std::unique_ptr<Gdiplus::GraphicsPath> CBrushTool::GetBrushPath() const
{
    const int shape = m_shapeList.GetCurSel();
    const int size = m_sizeList.GetCurSel();
    if (shape < 0 || size < 0 || shape >= static_cast<int>(m_shapes.size()))
        return nullptr;
    std::unique_ptr<Gdiplus::GraphicsPath> path(m_shapes[static_cast<size_t>(shape)]->Clone());
    const auto scale = static_cast<Gdiplus::REAL>((size + 1) * kScalePerSize);
    Gdiplus::Matrix scaling;
    scaling.Scale(scale, scale);
    path->Transform(&scaling);
    return path;
}

HCURSOR CBrushTool::GetBrushCursor()
{
    const int shape = m_shapeList.GetCurSel();
    const int size = m_sizeList.GetCurSel();
    if (shape < 0 || size < 0 || shape >= static_cast<int>(m_cursors.size()) ||
        size >= static_cast<int>(m_cursors[static_cast<size_t>(shape)].size()))
        return nullptr;
    HCURSOR& hCursor = m_cursors[static_cast<size_t>(shape)][static_cast<size_t>(size)];
    if (hCursor == nullptr)
        hCursor = CreateShapeCursor(size, m_shapes[static_cast<size_t>(shape)].get());
    return hCursor;
}

void CBrushTool::OnBrushChanged()
{
    CFlashEditorView* pView = ActiveStageView();
    if (pView == nullptr || updating)
        return;
    Gdiplus::Color colour;
    if (const Gdiplus::Pen* pDefault = pView->GetDefaultPen())
        pDefault->GetColor(&colour);
    // The view keeps a clone of the pen.
    Gdiplus::Pen pen(colour, 1.0f);
    pen.SetWidth(static_cast<Gdiplus::REAL>(m_sizeList.GetCurSel()) * kPenWidthPerSize);
    pView->SetBrushPen(&pen);
}
