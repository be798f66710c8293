#pragma once
// The splash window: the application's picture in a borderless pop-up centred on the work area
// of the monitor nearest its parent, with one line of status text near its bottom.
#include "platform/mfc/Afx.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/String.h"

class CViziRevuzeSplashWnd : public CWnd
{
public:
    static constexpr const char* kClassName = "ViziRevuzeSplashWnd";

    // Shows the window at once; without the picture or the window the object stays windowless.
    CViziRevuzeSplashWnd(CWnd* pParentWnd, UINT nBitmapID);
    ~CViziRevuzeSplashWnd() override;

    BOOL Create(CWnd* pParentWnd, UINT nBitmapID);
    // Null empties it. A new text repaints a visible window at once.
    void SetStatusText(LPCSTR lpszText);
    const CString& GetStatusText() const { return m_strStatusText; }
    // Hides the window and lets pending messages run before it goes.
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // The window rectangle of a width x height window centred in the work area.
    static RECT CentredRect(const RECT& rcWorkArea, int width, int height);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    static bool RegisterWindowClass();

    CBitmap m_bitmap;
    int m_nWidth = 0;
    int m_nHeight = 0;
    CString m_strStatusText;
};
