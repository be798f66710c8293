#pragma once
// The common up-down (spin) control.
#include "platform/mfc/Wnd.h"

class CSpinButtonCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    CSpinButtonCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    DWORD GetRange() const;
    void GetRange(int& nLower, int& nUpper) const;
    void GetRange32(int& nLower, int& nUpper) const;
    // The position in the low word; a non-zero high word reports an error.
    int GetPos() const;
    int SetPos(int nPos);
    int GetPos32(LPBOOL lpbError = nullptr) const;
    int SetPos32(int nPos);
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
    int SetBase(int nBase);
    UINT GetBase() const;
    BOOL SetAccel(int nAccel, UDACCEL* pAccel);
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const;
};
