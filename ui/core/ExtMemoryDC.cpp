#include "ui/core/ExtMemoryDC.h"

#include <algorithm>
#include <cstdlib>

CExtMemoryDC::CExtMemoryDC(CDC* pDC, const RECT* pRect, DWORD dwOpt)
{
    if (pDC != nullptr)
        Begin(pDC, pRect, dwOpt);
}

CExtMemoryDC::~CExtMemoryDC()
{
    End(true);
    m_bitmap.DeleteObject();
}

void CExtMemoryDC::BorrowTarget()
{
    m_hDC = m_pDC->m_hDC;
    m_hAttribDC = m_pDC->m_hAttribDC;
    m_bPrinting = m_pDC->m_bPrinting;
}

bool CExtMemoryDC::CreateBuffer(DWORD dwOpt, int cx, int cy)
{
    m_bitmap.DeleteObject();
    m_pBits = nullptr;
    if ((dwOpt & MDCOPT_MONOCHROME) != 0)
        return m_bitmap.CreateBitmap(cx, cy, 1, 1, nullptr) != FALSE;
    if ((dwOpt & MDCOPT_DIB_SECTION) != 0) {
        BITMAPINFOHEADER bih{};
        bih.biSize = sizeof(BITMAPINFOHEADER);
        bih.biWidth = cx;
        bih.biHeight = cy;
        bih.biPlanes = 1;
        bih.biBitCount = 32;
        bih.biCompression = BI_RGB;
        void* pBits = nullptr;
        HBITMAP hBitmap = ::CreateDIBSection(m_pDC->m_hDC, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS,
                                             &pBits, nullptr, 0);
        if (hBitmap == nullptr || pBits == nullptr) {
            if (hBitmap != nullptr)
                ::DeleteObject(hBitmap);
            return false;
        }
        m_bitmap.Attach(hBitmap);
        m_pBits = static_cast<RGBQUAD*>(pBits);
        return true;
    }
    return m_bitmap.CreateCompatibleBitmap(m_pDC, cx, cy) != FALSE;
}

void CExtMemoryDC::Begin(CDC* pDC, const RECT* pRect, DWORD dwOpt)
{
    End(false);
    if (pDC == nullptr || pDC->m_hDC == nullptr)
        return;
    m_pDC = pDC;
    m_bMemDC = (dwOpt & MDCOPT_TO_MEMORY) != 0 && !pDC->IsPrinting();
    if (pRect != nullptr)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);

    if (m_bMemDC && !CreateCompatibleDC(pDC))
        m_bMemDC = false;
    if (m_bMemDC) {
        const bool bKeepDevice = (dwOpt & MDCOPT_NO_COPY_OPT) != 0;
        DWORD dwLayout = 0;
        if (!bKeepDevice) {
            dwLayout = pDC->GetLayout();
            if (dwLayout == GDI_ERROR)
                dwLayout = 0;
            SetLayout(dwLayout);
            // A mirrored target converts a rectangle with its edges swapped.
            if ((dwLayout & LAYOUT_RTL) != 0)
                std::swap(m_rect.left, m_rect.right);
            pDC->LPtoDP(&m_rect);
        }
        const int cx = std::abs(m_rect.right - m_rect.left);
        const int cy = std::abs(m_rect.bottom - m_rect.top);
        m_bHaveBuffer = CreateBuffer(dwOpt, cx, cy);
        if (m_bHaveBuffer) {
            m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
        } else if ((dwOpt & MDCOPT_DIB_SECTION) == 0) {
            // No buffer: paint straight on the target rather than nowhere.
            DeleteDC();
            m_bMemDC = false;
        }
        if (m_bMemDC && !bKeepDevice) {
            SetMapMode(pDC->GetMapMode());
            if ((dwLayout & LAYOUT_RTL) != 0)
                std::swap(m_rect.left, m_rect.right);
            pDC->DPtoLP(&m_rect);
            SetWindowOrg(m_rect.left, m_rect.top);
        }
        if (!m_bMemDC && !bKeepDevice) {
            if (pRect != nullptr)
                m_rect = *pRect;
            else
                pDC->GetClipBox(&m_rect);
        }
    }
    if (!m_bMemDC)
        BorrowTarget();

    if (m_bMemDC && !m_bHaveBuffer)
        return;
    const int cx = m_rect.right - m_rect.left;
    const int cy = m_rect.bottom - m_rect.top;
    if ((dwOpt & MDCOPT_FILL_SURFACE) != 0) {
        if (m_bMemDC)
            BitBlt(m_rect.left, m_rect.top, cx, cy, pDC, m_rect.left, m_rect.top, SRCCOPY);
    } else if ((dwOpt & MDCOPT_FILL_BACKGROUND) != 0) {
        FillSolidRect(&m_rect, pDC->GetBkColor());
    }
}

void CExtMemoryDC::End(bool bCopyBack)
{
    if (m_pDC == nullptr)
        return;
    if (m_bMemDC) {
        if (m_bHaveBuffer) {
            if (bCopyBack)
                m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, this,
                              m_rect.left, m_rect.top, SRCCOPY);
            ::SelectObject(m_hDC, m_hOldBitmap);
        }
        DeleteDC();
    } else {
        // Borrowed handles belong to the target.
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
        m_bPrinting = FALSE;
    }
    m_pDC = nullptr;
    m_hOldBitmap = nullptr;
    m_rect = RECT{};
    m_bMemDC = false;
    m_bHaveBuffer = false;
    m_pBits = nullptr;
}
