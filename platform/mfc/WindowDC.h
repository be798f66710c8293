#pragma once
// The whole window's context, caption and borders included, released on destruction.
#include "platform/mfc/DC.h"

class CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    // Throws CResourceException when GetWindowDC fails.
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
