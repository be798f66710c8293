#pragma once
// The Brush panel: the brush tool's tip shape and size. The tool asks it for the chosen tip as
// a path and for a cursor of that tip (built once per shape and size); a choice also sets the
// stage view's brush pen.
#include "app/panels/BrushTipLists.h"
#include "app/panels/FlashEditorTool.h"

#include "platform/gdiplus/GdiPlus.h"

#include <memory>
#include <vector>

class CBrushTool : public CFlashEditorTool
{
    DECLARE_DYNCREATE(CBrushTool)
public:
    static constexpr int kSizeCount = 10;
    // The tip of size index i is the shape scaled by (i + 1) x kScalePerSize.
    static constexpr double kScalePerSize = 0.1;

    CBrushTool();
    ~CBrushTool() override;

    // A scaled copy of the chosen shape; null when a list has no selection.
    std::unique_ptr<Gdiplus::GraphicsPath> GetBrushPath() const;
    // The panel keeps the cursor; null when a list has no selection.
    HCURSOR GetBrushCursor();
    // Takes the path as the next shape of the list.
    void AddShape(Gdiplus::GraphicsPath* path);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnBrushChanged();
    DECLARE_MESSAGE_MAP()

private:
    // One cursor per shape and size, null until asked for.
    std::vector<std::vector<HCURSOR>> m_cursors;
    std::vector<std::unique_ptr<Gdiplus::GraphicsPath>> m_shapes;
    CBrushShapeComboBox m_shapeList;
    CBrushSizeComboBox m_sizeList;
};
