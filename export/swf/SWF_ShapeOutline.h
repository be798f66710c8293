#pragma once

#include "export/swf/SWF_Records.h"

#include <cstdint>
#include <vector>

class CFlashCurve;
class CFlashShape;
namespace Gdiplus { class GraphicsPath; class Rect; }

// Turns a shape's curves into SWF shape records (moves, style changes and edges) that outline
// the shape as the stage draws it: filled figures are closed and their gaps bridged by edges that
// carry the fill only, an open path's gaps and closings are stroked, and a hollow shape's curves
// stand alone. Cubic curves become quadratic ones, and edges too long for one record are split.
class C_SWF_ShapeOutline
{
public:
    // The style indices (1-based, 0 for none) that the shape's edges use.
    C_SWF_ShapeOutline(uint32_t fillStyle, uint32_t lineStyle);

    // Appends the records of every curve of the shape, then the end record.
    void AddShape(const CFlashShape& shape, std::vector<C_SWF_ShapeRecord>& records);
    // Appends the records of the path's figures (twips), each closed and filled as a GDI+ fill
    // closes it, then the end record.
    // Appends the records of a filled rectangle (twips), then the end record.
    void AddRectangle(const Gdiplus::Rect& rect, std::vector<C_SWF_ShapeRecord>& records);
    void AddFilledPath(const Gdiplus::GraphicsPath& path, std::vector<C_SWF_ShapeRecord>& records);

private:
    struct Point
    {
        int32_t x;
        int32_t y;
        bool operator!=(const Point& other) const { return x != other.x || y != other.y; }
    };

    void Begin(std::vector<C_SWF_ShapeRecord>& records, bool filled, bool strokedBridges);
    void End();
    void AddCurve(const CFlashCurve& curve);
    void CloseFigure(bool atShapeEnd);
    void MoveTo(const Point& point);
    void SetStyles(bool stroked);
    void AddLine(const Point& to, bool stroked);
    void AddQuadratic(const Point& from, const Point& control, const Point& to);
    void AddCubic(const Point& from, const Point& c1, const Point& c2, const Point& to);

    uint32_t m_fillStyle;
    uint32_t m_lineStyle;
    std::vector<C_SWF_ShapeRecord>* m_records = nullptr;
    bool m_filled = false;
    bool m_strokedBridges = false;
    bool m_inFigure = false;
    Point m_pen = {0, 0};
    Point m_figureStart = {0, 0};
    uint32_t m_currentFill = 0;
    uint32_t m_currentLine = 0;
};
