#include "platform/mfc/ImageList.h"

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/HandleMap.h"
#include "platform/mfc/Wnd.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace
{
CHandleMap<HIMAGELIST, CImageList>& ImageListMap()
{
    static CHandleMap<HIMAGELIST, CImageList> map(
        [](HIMAGELIST hImageList) {
            CImageList* pImageList = new CImageList;
            pImageList->m_hImageList = hImageList;
            return pImageList;
        },
        [](CImageList* pImageList) { pImageList->m_hImageList = nullptr; });
    return map;
}
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) { return ImageListMap().FromHandle(hImageList); }
void CImageList::DeleteTempMap() { ImageListMap().DeleteTemp(); }

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr)
        return FALSE;
    ImageListMap().SetPermanent(hImageList, this);
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != nullptr && ImageListMap().LookupPermanent(hImageList) == this)
        ImageListMap().RemovePermanent(hImageList);
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(ImageList_LoadImageA(AfxGetResourceHandle(), lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP,
                                       LR_CREATEDIBSECTION));
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
BOOL CImageList::SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(HgdiobjOf(pbmImage)),
                         static_cast<HBITMAP>(HgdiobjOf(pbmMask)));
}
int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(HgdiobjOf(pbmImage)), crMask);
}
int CImageList::Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
BOOL CImageList::Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(HgdiobjOf(pbmImage)),
                             static_cast<HBITMAP>(HgdiobjOf(pbmMask)));
}
int CImageList::Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
HICON CImageList::ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, HdcOf(pDC), pt.x, pt.y, nStyle);
}
COLORREF CImageList::SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}
BOOL CImageList::SetOverlayImage(int nImage, int nOverlay) { return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay); }
BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot) { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
void CImageList::EndDrag() { ImageList_EndDrag(); }
BOOL CImageList::DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
BOOL CImageList::DragEnter(CWnd* pWndLock, CPoint point) { return ImageList_DragEnter(HwndOf(pWndLock), point.x, point.y); }
BOOL CImageList::DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(HwndOf(pWndLock)); }
BOOL CImageList::DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
