#include "timeline/MemDC.h"

CMemDC::CMemDC(CDC* pDC) : m_pDC(pDC), m_bMemDC(!pDC->IsPrinting())
{
    if (!m_bMemDC) {
        m_bPrinting = pDC->IsPrinting();
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
        return;
    }
    pDC->GetClipBox(&m_rect);
    // A context we cannot copy from leaves drawing direct rather than lost.
    if (m_rect.IsRectEmpty() || !CreateCompatibleDC(pDC) ||
        !m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
        if (m_hDC != nullptr)
            DeleteDC();
        m_bMemDC = FALSE;
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
        return;
    }
    m_pOldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    FillSolidRect(&m_rect, pDC->GetBkColor());
}

CMemDC::~CMemDC()
{
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                      SRCCOPY);
        SelectObject(m_pOldBitmap);
        return;
    }
    // The handles belong to the paint context.
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
}
