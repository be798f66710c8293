#pragma once
// A memory DC with a bitmap compatible with a reference DC selected into it, freed together:
// the off-screen surfaces of the stage's painting and of the tools' backdrops.
#include <windows.h>

class CStageBufferDC {
public:
    CStageBufferDC(HDC reference, int width, int height)
        : m_dc(::CreateCompatibleDC(reference)),
          m_bitmap(::CreateCompatibleBitmap(reference, width > 0 ? width : 1, height > 0 ? height : 1)),
          m_replaced(::SelectObject(m_dc, m_bitmap))
    {
    }
    ~CStageBufferDC()
    {
        ::SelectObject(m_dc, m_replaced);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    CStageBufferDC(const CStageBufferDC&) = delete;
    CStageBufferDC& operator=(const CStageBufferDC&) = delete;

    HDC Get() const { return m_dc; }
    bool IsValid() const { return m_dc != nullptr && m_bitmap != nullptr; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_replaced;
};
