#pragma once
// The context of a WM_PAINT handler: BeginPaint on construction, EndPaint on destruction.
#include "platform/mfc/DC.h"

class CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    // Throws CResourceException when BeginPaint fails.
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
