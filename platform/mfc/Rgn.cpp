#include "platform/mfc/Rgn.h"

#include "platform/mfc/DC.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace
{
HRGN HandleOf(const CRgn* pRgn)
{
    return static_cast<HRGN>(HgdiobjOf(pRgn));
}
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect) { return Attach(::CreateEllipticRgnIndirect(lpRect)); }
BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode)
{
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}
BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode)
{
    return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}
BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}
BOOL CRgn::CreateFromPath(CDC* pDC) { return Attach(::PathToRegion(pDC->m_hDC)); }
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(HandleOf(this), x1, y1, x2, y2); }
void CRgn::SetRectRgn(LPCRECT lpRect) { SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(HandleOf(this), HandleOf(pRgn1), HandleOf(pRgn2), nCombineMode);
}
int CRgn::CopyRgn(const CRgn* pRgnSrc) { return ::CombineRgn(HandleOf(this), HandleOf(pRgnSrc), nullptr, RGN_COPY); }
BOOL CRgn::EqualRgn(const CRgn* pRgn) const { return ::EqualRgn(HandleOf(this), HandleOf(pRgn)); }
int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn(HandleOf(this), x, y); }
int CRgn::OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(HandleOf(this), lpRect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(HandleOf(this), x, y); }
BOOL CRgn::PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(HandleOf(this), lpRect); }
int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const
{
    return static_cast<int>(::GetRegionData(HandleOf(this), static_cast<DWORD>(nCount), lpRgnData));
}
