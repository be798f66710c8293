#include "ui/core/ExtPopupUndoRedoMenuWnd.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupUndoRedoListBox.h"

IMPLEMENT_DYNCREATE(CExtPopupUndoRedoMenuWnd, CExtPopupControlMenuWnd)

namespace {
// The list sits one pixel inside the border and the caption strip below it.
constexpr int LIST_INSET = 1;
}  // namespace

CExtPopupUndoRedoMenuWnd::CExtPopupUndoRedoMenuWnd(LPARAM lParamListBoxNotification, DWORD dwListBoxStyles)
    : m_lParamListBoxNotification(lParamListBoxNotification), m_dwListBoxStyles(dwListBoxStyles)
{
}

bool CExtPopupUndoRedoMenuWnd::IsShadowAllowed() const
{
    return CExtPopupMenuWnd::IsShadowAllowed();
}

int CExtPopupUndoRedoMenuWnd::GetCaptionHeight() const
{
    return CAPTION_HEIGHT;
}

CSize CExtPopupUndoRedoMenuWnd::MeasureContent() const
{
    const CSize size = CExtPopupControlMenuWnd::MeasureContent();
    return CSize(size.cx + 2 * LIST_INSET, size.cy + GetCaptionHeight() + 2 * LIST_INSET);
}

CRect CExtPopupUndoRedoMenuWnd::GetControlRect() const
{
    CRect rc = CExtPopupControlMenuWnd::GetControlRect();
    rc.OffsetRect(LIST_INSET, LIST_INSET);
    return rc;
}

void CExtPopupUndoRedoMenuWnd::OnControlRectChanged()
{
    m_rcCaption = CRect(m_rcControl.left, m_rcControl.bottom, m_rcControl.right, m_rcControl.bottom + GetCaptionHeight());
}

HWND CExtPopupUndoRedoMenuWnd::CreateChildControl(const RECT& rcControl)
{
    auto* pList = new CExtPopupUndoRedoListBox;
    pList->m_pfnSelectionCallback = m_pfnSelectionCallback;
    pList->m_pSelectionCookie = m_pSelectionCookie;
    pList->m_pfnInitCallback = m_pfnInitCallback;
    pList->m_pInitCookie = m_pInitCookie;
    pList->m_pfnItemDrawCallback = m_pfnItemDrawCallback;
    pList->m_pfnItemMeasureCallback = m_pfnItemMeasureCallback;
    pList->m_pItemCookie = m_pItemCookie;
    pList->m_lParamNotification = m_lParamListBoxNotification;
    if (!pList->Create(m_dwListBoxStyles, rcControl, this, static_cast<UINT>(-1))) {
        delete pList;
        return nullptr;
    }
    pList->m_nFlags |= CExtPopupInplaceListBox::FLAG_AUTO_DELETE;
    SetActionCount(pList->GetSelCount());
    return pList->GetSafeHwnd();
}

void CExtPopupUndoRedoMenuWnd::PaintContent(CDC& dc, bool bBuffered)
{
    CExtPopupControlMenuWnd::PaintContent(dc, bBuffered);
    if (IsWindowAlive())
        DrawCaption(dc, m_rcCaption);
}

void CExtPopupUndoRedoMenuWnd::DrawCaption(CDC& dc, const RECT& rcCaption)
{
    CString sCaption;
    sCaption.Format(CAPTION_FORMAT, m_nActionCount);
    g_PaintManagerHolder->PaintUndoRedoCaption(dc, rcCaption, sCaption, this, 0);
}

void CExtPopupUndoRedoMenuWnd::SetActionCount(int nCount)
{
    m_nActionCount = nCount;
    if (!IsWindowAlive() || ::IsRectEmpty(&m_rcCaption))
        return;
    ::InvalidateRect(m_hWnd, &m_rcCaption, FALSE);
    ::UpdateWindow(m_hWnd);
}
