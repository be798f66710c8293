#pragma once
// A tip window that shows a cell's whole text over the cell when the text does not fit.
#include "platform/mfc/Rect.h"
#include "platform/mfc/Wnd.h"

constexpr char TITLETIP_CLASSNAME[] = "ZTitleTip";

class CTitleTip : public CWnd
{
public:
    CTitleTip();
    ~CTitleTip() override;

    virtual BOOL Create(CWnd* pParentWnd);
    // Shows the text over rectTitle (client coordinates of the parent) when it does not fit
    // there; the tip disappears when the pointer leaves rectHover.
    void Show(CRect rectTitle, LPCSTR lpszTitleText, int xoffset = 0, LPRECT lpHoverRect = nullptr,
              const LOGFONTA* lpLogFont = nullptr, COLORREF crTextClr = 0xFF000000, COLORREF crBackClr = 0xFF000000);
    void Hide();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void SetParentWnd(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }
    BOOL IsCreated() const { return m_bCreated; }

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pParentWnd = nullptr;
    CRect m_rectTitle;
    CRect m_rectHover;
    DWORD m_dwLastLButtonDown = DWORD(-1);
    DWORD m_dwDblClickMsecs;
    BOOL m_bCreated = FALSE;
};
