#pragma once
// The Eraser panel: the eraser tool's tip shape. The tool asks it for the chosen tip's path and
// for a cursor of that tip (built once per shape).
#include "app/panels/BrushTipLists.h"
#include "app/panels/FlashEditorTool.h"

#include "platform/gdiplus/GdiPlus.h"

#include <memory>
#include <vector>

class CEraserTool : public CFlashEditorTool
{
public:
    // Circles, then squares, of these sizes in pixels.
    static constexpr int kTipSizes[] = {4, 8, 12, 16, 20};
    static constexpr int kInitialShape = 1;

    CEraserTool();
    ~CEraserTool() override;

    // The panel's own path of the chosen shape; null without a selection.
    const Gdiplus::GraphicsPath* GetEraserPath() const;
    // The panel keeps the cursor; null without a selection.
    HCURSOR GetEraserCursor();
    // The cursor size of a shape: 2, 4, 6, 8, 10 for the five sizes of each kind.
    static int CursorSize(int shapeIndex);
    // Takes the path as the next shape of the list.
    void AddShape(Gdiplus::GraphicsPath* path);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    // One cursor per shape, null until asked for.
    std::vector<HCURSOR> m_cursors;
    std::vector<std::unique_ptr<Gdiplus::GraphicsPath>> m_shapes;
    CEraserShapeComboBox m_shapeList;
};
