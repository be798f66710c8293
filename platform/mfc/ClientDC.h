#pragma once
// The client area's context of a window (the screen's for null), released on destruction.
#include "platform/mfc/DC.h"

class CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    // Throws CResourceException when GetDC fails.
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
