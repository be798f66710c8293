#include "app/panels/EraserTool.h"

#include "model/geometry/ShapeCursor.h"
#include "resources/panels/BrushResources.h"

#include <iterator>

namespace {

constexpr UINT kItemHeight = 24;

Gdiplus::GraphicsPath* Circle(int diameter)
{
    auto* path = new Gdiplus::GraphicsPath;
    const auto d = static_cast<Gdiplus::REAL>(diameter);
    path->AddEllipse(-d / 2, -d / 2, d, d);
    return path;
}

Gdiplus::GraphicsPath* Square(int side)
{
    auto* path = new Gdiplus::GraphicsPath;
    const auto s = static_cast<Gdiplus::REAL>(side);
    path->AddRectangle(Gdiplus::RectF(-s / 2, -s / 2, s, s));
    return path;
}

} // namespace

CEraserTool::CEraserTool() : CFlashEditorTool(IDD_ERASER_TOOL, nullptr) {}

CEraserTool::~CEraserTool()
{
    for (HCURSOR hCursor : m_cursors)
    {
        if (hCursor != nullptr)
            ::DestroyCursor(hCursor);
    }
}

void CEraserTool::DoDataExchange(CDataExchange* pDX)
{
    CFlashEditorTool::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ERASER_SHAPE, m_shapeList);
}

BOOL CEraserTool::OnInitDialog()
{
    CFlashEditorTool::OnInitDialog();
    // The list takes the panel's width, which the bar sets narrower than the template.
    AnchorDialogItem(IDC_ERASER_SHAPE, 0, 0, 100, 0);
    for (int size : kTipSizes)
        AddShape(Circle(size));
    for (int size : kTipSizes)
        AddShape(Square(size));
    m_shapeList.SetItemHeight(-1, kItemHeight);
    m_shapeList.SetItemHeight(0, kItemHeight);
    m_shapeList.SetCurSel(kInitialShape);
    return TRUE;
}

void CEraserTool::AddShape(Gdiplus::GraphicsPath* path)
{
    m_shapes.emplace_back(path);
    m_cursors.push_back(nullptr);
    const int item = m_shapeList.AddString("");
    m_shapeList.SetItemDataPtr(item, path);
}

int CEraserTool::CursorSize(int shapeIndex)
{
    constexpr int kSizesPerKind = static_cast<int>(std::size(kTipSizes));
    return (shapeIndex % kSizesPerKind) * 2 + 2;
}

const Gdiplus::GraphicsPath* CEraserTool::GetEraserPath() const
{
    const int shape = m_shapeList.GetCurSel();
    return shape >= 0 && shape < static_cast<int>(m_shapes.size()) ? m_shapes[static_cast<size_t>(shape)].get()
                                                                  : nullptr;
}

HCURSOR CEraserTool::GetEraserCursor()
{
    const int shape = m_shapeList.GetCurSel();
    if (shape < 0 || shape >= static_cast<int>(m_cursors.size()))
        return nullptr;
    HCURSOR& hCursor = m_cursors[static_cast<size_t>(shape)];
    if (hCursor == nullptr)
        hCursor = CreateShapeCursor(CursorSize(shape), m_shapes[static_cast<size_t>(shape)].get());
    return hCursor;
}
