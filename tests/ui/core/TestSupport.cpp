#include "TestSupport.h"

CPixelCanvas::CPixelCanvas(int cx, int cy, COLORREF clrFill)
    : m_cx(cx)
    , m_cy(cy)
{
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = -cy;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<DWORD*>(pBits);
    m_dc.CreateCompatibleDC(nullptr);
    m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
    Fill(clrFill);
}

CPixelCanvas::~CPixelCanvas()
{
    ::SelectObject(m_dc.m_hDC, m_hOld);
    m_dc.DeleteDC();
    ::DeleteObject(m_hBitmap);
}

void CPixelCanvas::Fill(COLORREF clr)
{
    const RECT rc{0, 0, m_cx, m_cy};
    m_dc.FillSolidRect(&rc, clr);
}

COLORREF CPixelCanvas::Pixel(int x, int y) const
{
    ::GdiFlush();
    const DWORD px = m_pBits[static_cast<size_t>(y) * m_cx + x];
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

HBITMAP CPixelCanvas::CopyBitmap() const
{
    BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), m_cx, m_cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hCopy = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pBits, nullptr, 0);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hCopy);
    ::BitBlt(hDC, 0, 0, m_cx, m_cy, m_dc.m_hDC, 0, 0, SRCCOPY);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hCopy;
}

std::vector<COLORREF> CPixelCanvas::Pixels() const
{
    std::vector<COLORREF> out;
    for (int y = 0; y < m_cy; ++y)
        for (int x = 0; x < m_cx; ++x)
            out.push_back(Pixel(x, y));
    return out;
}

int CountFreeGdiHandleSlots()
{
    std::vector<HBRUSH> brushes;
    brushes.reserve(70000);
    for (;;) {
        HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
        if (hBrush == nullptr)
            break;
        brushes.push_back(hBrush);
    }
    for (HBRUSH hBrush : brushes)
        ::DeleteObject(hBrush);
    return static_cast<int>(brushes.size());
}
