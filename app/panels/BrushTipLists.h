#pragma once
// The owner-drawn lists of the Brush and Eraser panels. A shape list's items have empty text
// and their tip shape (a Gdiplus::GraphicsPath* centred on the origin) as item data; the size
// list's items are drawn from their index.
#include "platform/mfc/ComboBox.h"

class CBrushShapeComboBox : public CComboBox
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
};

class CEraserShapeComboBox : public CComboBox
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
};

class CBrushSizeComboBox : public CComboBox
{
public:
    static constexpr UINT kItemHeight = 32;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
};
