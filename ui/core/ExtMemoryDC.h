#pragma once
// Off-screen drawing context: painting goes into a buffer of the area's size and is copied onto
// the target at the end, so that controls paint without flicker.
#include "platform/mfc/Afx.h"

class CExtMemoryDC : public CDC
{
public:
    // Options of Begin.
    static constexpr DWORD MDCOPT_TO_MEMORY = 0x01;        // buffer (ignored while printing)
    static constexpr DWORD MDCOPT_FILL_BACKGROUND = 0x02;  // start in the target's background colour
    static constexpr DWORD MDCOPT_MONOCHROME = 0x04;       // 1 bit per pixel buffer
    static constexpr DWORD MDCOPT_DIB_SECTION = 0x08;      // 32-bit bottom-up DIB section, bits kept
    static constexpr DWORD MDCOPT_NO_COPY_OPT = 0x10;      // keep device coordinates
    static constexpr DWORD MDCOPT_FILL_SURFACE = 0x20;     // start from the target's pixels

    CExtMemoryDC(CDC* pDC = nullptr, const RECT* pRect = nullptr, DWORD dwOpt = MDCOPT_TO_MEMORY);
    ~CExtMemoryDC() override;

    void Begin(CDC* pDC, const RECT* pRect = nullptr, DWORD dwOpt = MDCOPT_TO_MEMORY);
    void End(bool bCopyBack = true);

    // True while painting goes into the buffer (a buffer that could not be made paints nowhere
    // or, without a DIB section, directly on the target).
    bool IsBuffering() const { return m_bMemDC; }
    // Pixels of a DIB-section buffer, bottom-up, else null.
    RGBQUAD* GetBits() const { return m_pBits; }
    const RECT& GetArea() const { return m_rect; }

private:
    bool CreateBuffer(DWORD dwOpt, int cx, int cy);
    void BorrowTarget();

    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    CDC* m_pDC = nullptr;
    RECT m_rect{};
    bool m_bMemDC = false;
    RGBQUAD* m_pBits = nullptr;
    // False when the buffer could not be made: nothing is copied back then.
    bool m_bHaveBuffer = false;
};
