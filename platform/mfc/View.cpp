#include "platform/mfc/View.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/CreateContext.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/Document.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/PaintDC.h"
#include "platform/mfc/PreviewView.h"
#include "platform/mfc/PrintInfo.h"

namespace
{
constexpr const char* kNoPrinter = "No printers are installed.";
constexpr const char* kPrintFailed = "Failed to print the document.";
constexpr const char* kPreviewFailed = "Failed to open print preview.";
}

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    // A bordered view gets the sunken edge of the time.
    if (cs.style & WS_BORDER)
    {
        cs.style &= ~WS_BORDER;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() != this)
        pFrame->SetActiveView(this);
    return nResult;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    // Printing stops after the first page unless the view knows how many there are.
    if (pInfo != nullptr && pDC->IsPrinting() && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView*, CView*)
{
    if (!bActivate)
        return;
    CWnd* pTop = GetTopLevelParent();
    if (pTop != nullptr && ::GetActiveWindow() == pTop->m_hWnd)
        SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*)
{
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---------------------------------------------------------------------------------------------
// Printing

BOOL CView::OnPreparePrinting(CPrintInfo*)
{
    return TRUE;
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo->m_bPreview)
    {
        // Preview draws on the screen; without a printer the screen stands in for one.
        pInfo->GetDefaultPrinter();
        return TRUE;
    }
    if (pInfo->m_bDirect)
    {
        if (pInfo->GetDefaultPrinter())
            return TRUE;
        AfxMessageBox(kNoPrinter, MB_ICONEXCLAMATION);
        return FALSE;
    }
    pInfo->m_pd.hwndOwner = GetTopLevelParent() != nullptr ? GetTopLevelParent()->m_hWnd : nullptr;
    return ::PrintDlgA(&pInfo->m_pd) && pInfo->m_pd.hDC != nullptr;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    OnEndPrinting(pDC, pInfo);
    pView->RestoreFrame();
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    const MSG* pMsg = GetCurrentMessage();
    info.m_bDirect = pMsg != nullptr && pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info) || info.m_pd.hDC == nullptr)
        return;

    CDC dc;
    dc.Attach(info.m_pd.hDC);
    dc.m_bPrinting = TRUE;
    CString strTitle = m_pDocument != nullptr ? m_pDocument->GetTitle() : CString("Document");
    DOCINFOA docInfo = {};
    docInfo.cbSize = sizeof docInfo;
    docInfo.lpszDocName = strTitle;

    OnBeginPrinting(&dc, &info);
    BOOL bError = ::StartDocA(dc.m_hDC, &docInfo) <= 0;
    for (info.m_nCurPage = info.GetFromPage(); !bError && info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage)
    {
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.DPtoLP(&info.m_rectDraw);
        if (::StartPage(dc.m_hDC) <= 0)
        {
            bError = TRUE;
            break;
        }
        OnPrint(&dc, &info);
        bError = ::EndPage(dc.m_hDC) <= 0;
    }
    if (bError)
        ::AbortDoc(dc.m_hDC);
    else
        ::EndDoc(dc.m_hDC);
    OnEndPrinting(&dc, &info);
    // The print information frees the printer's context.
    dc.Detach();
    if (bError)
        AfxMessageBox(kPrintFailed, MB_ICONEXCLAMATION);
}

void CView::OnFilePrintPreview()
{
    auto* pPreview = static_cast<CPreviewView*>(RUNTIME_CLASS(CPreviewView)->CreateObject());
    if (pPreview == nullptr || !pPreview->SetPrintView(this))
        AfxMessageBox(kPreviewFailed, MB_ICONEXCLAMATION);
}

// ---------------------------------------------------------------------------------------------
// Drops: a plain view accepts none.

DROPEFFECT CView::OnDragEnter(COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT CView::OnDragOver(COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void CView::OnDragLeave()
{
}

BOOL CView::OnDrop(COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT CView::OnDropEx(COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return static_cast<DROPEFFECT>(-1);
}

DROPEFFECT CView::OnDragScroll(DWORD, CPoint)
{
    return DROPEFFECT_SCROLL;
}
