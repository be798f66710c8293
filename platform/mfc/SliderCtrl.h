#pragma once
// The common track-bar (slider) control.
#include "platform/mfc/Wnd.h"

class CSliderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetPos() const;
    void SetPos(int nPos);
    void GetRange(int& nMin, int& nMax) const;
    int GetRangeMin() const;
    int GetRangeMax() const;
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE);
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE);
    int GetPageSize() const;
    int SetPageSize(int nSize);
    int GetLineSize() const;
    int SetLineSize(int nSize);
    void SetTicFreq(int nFreq);
    BOOL SetTic(int nTic);
    void ClearTics(BOOL bRedraw = FALSE);
    void GetChannelRect(LPRECT lprc) const;
    void GetThumbRect(LPRECT lprc) const;
};
