#pragma once
// Print preview: stands in for a view in its frame and shows the pages as the view prints them,
// with next and previous page, one or two pages, zoom and close.
#include "platform/mfc/DC.h"
#include "platform/mfc/View.h"

class CPrintInfo;

class CPreviewView : public CView
{
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    // Prepares printing of pPrintView and takes its place in the frame. On FALSE the preview
    // window and this object are gone.
    BOOL SetPrintView(CView* pPrintView);
    // Draws page nPage into rectPage of pDC (device units) as the print view prints it.
    void RenderPage(CDC* pDC, UINT nPage, const CRect& rectPage);
    // Gives the frame back to the print view and destroys the preview (and this object).
    void RestoreFrame();
    void SetCurrentPage(UINT nPage);
    // Whether the print view has such a page (asked through OnPrepareDC when the count is unknown).
    BOOL PageExists(UINT nPage);

    void OnDraw(CDC* pDC) override;

    afx_msg void OnPreviewClose();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPageChange();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnPreviewPrint();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    enum ZoomState
    {
        ZOOM_OUT,
        ZOOM_MIDDLE,
        ZOOM_IN
    };

    CView* m_pPrintView = nullptr;
    CView* m_pOrigView = nullptr;
    CPrintInfo* m_pPreviewInfo = nullptr;
    CDC m_dcPrint;            // the printer's (or the screen's) attribute context, as printing sees it
    CSize m_sizePrinterPage;  // the page in device units of m_dcPrint
    UINT m_nCurrentPage = 1;
    UINT m_nPages = 1;        // pages shown side by side
    UINT m_nZoomState = ZOOM_OUT;

    DECLARE_MESSAGE_MAP()

private:
    HDC m_hScreenIC = nullptr;  // stands in for a missing printer
};
