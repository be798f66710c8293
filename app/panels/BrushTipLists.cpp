#include "app/panels/BrushTipLists.h"

#include "platform/gdiplus/GdiPlus.h"

namespace {

const Gdiplus::Color kSelectedBackground(0xFF87CEEB);

// Paints the item's background and returns the graphics, its origin moved to the item's centre,
// and the colour to draw the item's content in.
struct CTipItemCanvas
{
    explicit CTipItemCanvas(const DRAWITEMSTRUCT& item)
        : graphics(item.hDC),
          foreground((item.itemState & ODS_SELECTED) != 0 ? Gdiplus::Color::White : Gdiplus::Color::Black)
    {
        const RECT& rc = item.rcItem;
        const Gdiplus::SolidBrush background((item.itemState & ODS_SELECTED) != 0 ? kSelectedBackground
                                                                                   : Gdiplus::Color(Gdiplus::Color::White));
        graphics.FillRectangle(&background, static_cast<INT>(rc.left), static_cast<INT>(rc.top),
                               static_cast<INT>(rc.right - rc.left), static_cast<INT>(rc.bottom - rc.top));
        graphics.TranslateTransform((rc.left + rc.right) / 2.0f, (rc.top + rc.bottom) / 2.0f);
    }

    Gdiplus::Graphics graphics;
    Gdiplus::SolidBrush foreground;
};

void DrawShapeItem(const DRAWITEMSTRUCT& item)
{
    CTipItemCanvas canvas(item);
    if (item.itemID != static_cast<UINT>(-1) && item.itemData != 0)
        canvas.graphics.FillPath(&canvas.foreground, reinterpret_cast<const Gdiplus::GraphicsPath*>(item.itemData));
}

} // namespace

void CBrushShapeComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawShapeItem(*lpDrawItemStruct);
}

void CBrushShapeComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CBrushShapeComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CEraserShapeComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawShapeItem(*lpDrawItemStruct);
}

void CEraserShapeComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CEraserShapeComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CBrushSizeComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CTipItemCanvas canvas(*lpDrawItemStruct);
    // The size of index i is a dot of radius i + 1.
    const Gdiplus::REAL radius = static_cast<Gdiplus::REAL>(static_cast<int>(lpDrawItemStruct->itemID) + 1);
    if (radius > 0)
        canvas.graphics.FillEllipse(&canvas.foreground, -radius, -radius, 2 * radius, 2 * radius);
}

void CBrushSizeComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = kItemHeight;
}

int CBrushSizeComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}
