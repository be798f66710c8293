#pragma once
// An off-screen device context over a paint context: drawing goes into a bitmap of the clip
// box that is copied back when the object goes. A printing context is used as it is.
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/Rect.h"

class CMemDC : public CDC
{
public:
    explicit CMemDC(CDC* pDC);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    CMemDC* operator->() { return this; }
    operator CMemDC*() { return this; }

private:
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
