#pragma once
// A view: the window that shows a document inside a frame, draws it, prints it and takes drops.
#include "platform/mfc/OleInit.h"
#include "platform/mfc/Wnd.h"

#include <ole2.h>

class CDC;
class CDocument;
class COleDataObject;
class CPreviewView;
class CPrintInfo;

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Drawing.
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // Called once the frame and its views exist (WM_INITIALUPDATE): updates from the document.
    virtual void OnInitialUpdate();
    // The document changed: repaints the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // The frame's active view changes: the newly active view takes the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    // Printing: prepare (page range, printer), begin, one OnPrint per page, end.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // The printer: the default one for preview and direct printing, else the print dialog's choice.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Draws the page through OnDraw.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Called when print preview closes: ends printing and gives the frame back to this view.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);

    // OLE drops on a view registered with a COleDropTarget.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1 lets OnDrop handle the drop.
    virtual DROPEFFECT OnDropEx(COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                                CPoint point);
    virtual DROPEFFECT OnDragScroll(DWORD dwKeyState, CPoint point);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The view, then its document (and the document's template).
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Views delete themselves with their window.
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    // ID_FILE_PRINT and ID_FILE_PRINT_DIRECT.
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

    CDocument* m_pDocument = nullptr;

protected:
    CView();

    DECLARE_MESSAGE_MAP()
};
