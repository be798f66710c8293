#pragma once
// Small drawing fixtures shared by the framework-core tests.
#include "platform/mfc/Afx.h"

#include <vector>

// A memory DC over a 32-bit top-down DIB section whose pixels can be read back as COLORREF.
class CPixelCanvas
{
public:
    CPixelCanvas(int cx, int cy, COLORREF clrFill = RGB(255, 255, 255));
    ~CPixelCanvas();
    CPixelCanvas(const CPixelCanvas&) = delete;
    CPixelCanvas& operator=(const CPixelCanvas&) = delete;

    CDC& dc() { return m_dc; }
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF clr);
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    // A new 24-bit bitmap of the canvas (the canvas's own stays selected in its DC).
    HBITMAP CopyBitmap() const;
    // Every pixel, row by row from the top.
    std::vector<COLORREF> Pixels() const;

private:
    CDC m_dc;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    DWORD* m_pBits = nullptr;
    int m_cx;
    int m_cy;
};


// Free slots of the process's GDI handle table, counted by filling it with brushes (the
// system's resource counters answer 0 here).
int CountFreeGdiHandleSlots();
