#include "platform/mfc/PreviewView.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/CmdUI.h"
#include "platform/mfc/CreateContext.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/PrintInfo.h"

#include <algorithm>

namespace
{
// Without a printer the preview shows Letter pages (8.5 x 11 inches) at the screen's resolution.
constexpr int kLetterWidthTenths = 85;
constexpr int kLetterHeightTenths = 110;
constexpr int kPageMargin = 8;           // grey around and between pages, in pixels
constexpr double kZoomFactors[] = {1.0, 1.5, 2.0};
constexpr UINT kUnknownPageCount = 0xFFFF;
constexpr COLORREF kPageColor = RGB(255, 255, 255);
}

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_WM_KEYDOWN()
    ON_WM_ERASEBKGND()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView()
{
    // The print information owns the printer's context; the screen stand-in is ours.
    m_dcPrint.Detach();
    delete m_pPreviewInfo;
    if (m_hScreenIC != nullptr)
        ::DeleteDC(m_hScreenIC);
}

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    CFrameWnd* pFrame = pPrintView != nullptr ? pPrintView->GetParentFrame() : nullptr;
    HWND hWndPane = pFrame != nullptr ? ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST) : nullptr;
    if (hWndPane == nullptr)
    {
        delete this;
        return FALSE;
    }
    // The window first: a failure deletes this object.
    CCreateContext context;
    context.m_pCurrentFrame = pFrame;
    context.m_pLastView = pPrintView;
    // The preview belongs to the document too, so that closing the frame still asks to save.
    context.m_pCurrentDoc = pPrintView->GetDocument();
    if (!Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_SAVE + 1, &context))
        return FALSE;

    m_pPrintView = pPrintView;
    m_pOrigView = pFrame->GetActiveView() != nullptr ? pFrame->GetActiveView() : pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo))
    {
        DestroyWindow();
        return FALSE;
    }
    HDC hAttribDC = m_pPreviewInfo->m_pd.hDC;
    if (hAttribDC != nullptr)
    {
        m_sizePrinterPage = CSize(::GetDeviceCaps(hAttribDC, HORZRES), ::GetDeviceCaps(hAttribDC, VERTRES));
    }
    else
    {
        m_hScreenIC = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        hAttribDC = m_hScreenIC;
        m_sizePrinterPage = CSize(::MulDiv(::GetDeviceCaps(hAttribDC, LOGPIXELSX), kLetterWidthTenths, 10),
                                  ::MulDiv(::GetDeviceCaps(hAttribDC, LOGPIXELSY), kLetterHeightTenths, 10));
    }
    m_dcPrint.m_hDC = hAttribDC;
    m_dcPrint.m_hAttribDC = hAttribDC;
    m_dcPrint.m_bPrinting = TRUE;
    pPrintView->OnBeginPrinting(&m_dcPrint, m_pPreviewInfo);
    m_nCurrentPage = std::max(m_pPreviewInfo->GetMinPage(), 1u);
    m_pPreviewInfo->m_nCurPage = m_nCurrentPage;

    // Take the pane's place: the old pane waits hidden under another id.
    ::ShowWindow(hWndPane, SW_HIDE);
    ::SetWindowLongPtrA(hWndPane, GWLP_ID, AFX_IDW_PANE_SAVE);
    SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    ShowWindow(SW_SHOW);
    pFrame->SetActiveView(this);
    pFrame->RecalcLayout();
    Invalidate(TRUE);
    return TRUE;
}

void CPreviewView::RestoreFrame()
{
    CFrameWnd* pFrame = GetParentFrame();
    CView* pOrigView = m_pOrigView;
    if (pFrame != nullptr)
    {
        SetDlgCtrlID(0);
        HWND hWndPane = ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_SAVE);
        if (hWndPane != nullptr)
        {
            ::SetWindowLongPtrA(hWndPane, GWLP_ID, AFX_IDW_PANE_FIRST);
            ::ShowWindow(hWndPane, SW_SHOW);
        }
        pFrame->SetActiveView(pOrigView);
    }
    DestroyWindow();
    if (pFrame != nullptr)
        pFrame->RecalcLayout();
}

BOOL CPreviewView::PageExists(UINT nPage)
{
    if (nPage < std::max(m_pPreviewInfo->GetMinPage(), 1u))
        return FALSE;
    if (m_pPreviewInfo->GetMaxPage() != kUnknownPageCount)
        return nPage <= m_pPreviewInfo->GetMaxPage();
    // The view tells through OnPrepareDC whether printing would go on to that page.
    UINT nSaved = m_pPreviewInfo->m_nCurPage;
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    int nSavedDC = ::SaveDC(m_dcPrint.m_hDC);
    m_pPrintView->OnPrepareDC(&m_dcPrint, m_pPreviewInfo);
    ::RestoreDC(m_dcPrint.m_hDC, nSavedDC);
    BOOL bExists = m_pPreviewInfo->m_bContinuePrinting;
    m_pPreviewInfo->m_nCurPage = nSaved;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    return bExists;
}

void CPreviewView::SetCurrentPage(UINT nPage)
{
    if (!PageExists(nPage))
        return;
    m_nCurrentPage = nPage;
    Invalidate(TRUE);
}

void CPreviewView::RenderPage(CDC* pDC, UINT nPage, const CRect& rectPage)
{
    if (m_pPrintView == nullptr || m_sizePrinterPage.cx <= 0 || m_sizePrinterPage.cy <= 0)
        return;
    pDC->FillSolidRect(&rectPage, kPageColor);
    HDC hDC = pDC->m_hDC;
    int nSavedDC = ::SaveDC(hDC);
    int nSavedAttrib = ::SaveDC(m_dcPrint.m_hAttribDC);
    ::IntersectClipRect(hDC, rectPage.left, rectPage.top, rectPage.right, rectPage.bottom);
    // The page's device units scaled into the rectangle; the view's own mapping applies on top.
    ::SetGraphicsMode(hDC, GM_ADVANCED);
    XFORM xform = {static_cast<FLOAT>(rectPage.Width()) / static_cast<FLOAT>(m_sizePrinterPage.cx), 0.0f, 0.0f,
                   static_cast<FLOAT>(rectPage.Height()) / static_cast<FLOAT>(m_sizePrinterPage.cy),
                   static_cast<FLOAT>(rectPage.left), static_cast<FLOAT>(rectPage.top)};
    ::SetWorldTransform(hDC, &xform);

    // Output to the screen, questions to the printer.
    CDC dc;
    dc.m_hDC = hDC;
    dc.m_hAttribDC = m_dcPrint.m_hAttribDC;
    dc.m_bPrinting = TRUE;
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&dc, m_pPreviewInfo);
    m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_sizePrinterPage.cx, m_sizePrinterPage.cy);
    dc.DPtoLP(&m_pPreviewInfo->m_rectDraw);
    m_pPrintView->OnPrint(&dc, m_pPreviewInfo);
    dc.Detach();

    ::RestoreDC(m_dcPrint.m_hAttribDC, nSavedAttrib);
    ::RestoreDC(hDC, nSavedDC);
}

BOOL CPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    pDC->FillSolidRect(&rectClient, ::GetSysColor(COLOR_APPWORKSPACE));
    if (m_pPrintView == nullptr)
        return;
    UINT nPages = m_nZoomState == ZOOM_OUT ? m_nPages : 1;
    // Whole pages side by side, scaled to fit; zooming enlarges the one page shown.
    int cxAvail = (rectClient.Width() - kPageMargin * static_cast<int>(nPages + 1)) / static_cast<int>(nPages);
    int cyAvail = rectClient.Height() - 2 * kPageMargin;
    if (cxAvail <= 0 || cyAvail <= 0)
        return;
    double dScale = std::min(static_cast<double>(cxAvail) / m_sizePrinterPage.cx,
                             static_cast<double>(cyAvail) / m_sizePrinterPage.cy) *
                    kZoomFactors[m_nZoomState];
    int cxPage = static_cast<int>(m_sizePrinterPage.cx * dScale);
    int cyPage = static_cast<int>(m_sizePrinterPage.cy * dScale);
    for (UINT i = 0; i < nPages && PageExists(m_nCurrentPage + i); ++i)
    {
        int x = kPageMargin + static_cast<int>(i) * (cxPage + kPageMargin);
        CRect rectPage(x, kPageMargin, x + cxPage, kPageMargin + cyPage);
        CRect rectShadow = rectPage;
        rectShadow.OffsetRect(2, 2);
        pDC->FillSolidRect(&rectShadow, ::GetSysColor(COLOR_3DDKSHADOW));
        RenderPage(pDC, m_nCurrentPage + i, rectPage);
    }
}

void CPreviewView::OnPreviewClose()
{
    m_pPrintView->OnEndPrintPreview(&m_dcPrint, m_pPreviewInfo, POINT{0, 0}, this);
}

void CPreviewView::OnNextPage()
{
    SetCurrentPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > 1)
        SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnNumPageChange()
{
    m_nPages = m_nPages == 1 ? 2 : 1;
    Invalidate(TRUE);
}

void CPreviewView::OnZoomIn()
{
    if (m_nZoomState < ZOOM_IN)
        ++m_nZoomState;
    Invalidate(TRUE);
}

void CPreviewView::OnZoomOut()
{
    if (m_nZoomState > ZOOM_OUT)
        --m_nZoomState;
    Invalidate(TRUE);
}

void CPreviewView::OnPreviewPrint()
{
    CView* pPrintView = m_pPrintView;
    OnPreviewClose();
    // The preview is gone: print from the view itself.
    pPrintView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(PageExists(m_nCurrentPage + (m_nZoomState == ZOOM_OUT ? m_nPages : 1)));
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nCurrentPage > std::max(m_pPreviewInfo->GetMinPage(), 1u));
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState < ZOOM_IN);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState > ZOOM_OUT);
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar)
    {
    case VK_ESCAPE:
        OnPreviewClose();
        return;
    case VK_NEXT:
        OnNextPage();
        return;
    case VK_PRIOR:
        OnPrevPage();
        return;
    default:
        CView::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}
