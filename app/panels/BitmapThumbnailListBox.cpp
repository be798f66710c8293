#include "app/panels/BitmapThumbnailListBox.h"

namespace {
constexpr Gdiplus::ARGB kSelectedFrame = 0xFF808080;
constexpr Gdiplus::ARGB kItemFrame = 0xFFFFFFFF;
}

void CBitmapThumbnailListBox::SetBitmaps(std::vector<Gdiplus::Bitmap*> bitmaps)
{
    SendMessage(LB_RESETCONTENT);
    m_bitmaps.clear();
    for (Gdiplus::Bitmap* bitmap : bitmaps) {
        SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Bitmap"));
        m_bitmaps.push_back(bitmap);
    }
    Invalidate();
}

Gdiplus::Bitmap* CBitmapThumbnailListBox::GetSelectedBitmap() const
{
    const int nItem = GetCurSel();
    return nItem >= 0 && size_t(nItem) < m_bitmaps.size() ? m_bitmaps[nItem] : nullptr;
}

void CBitmapThumbnailListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    Gdiplus::Graphics graphics(lpDrawItemStruct->hDC);
    const RECT& rc = lpDrawItemStruct->rcItem;
    const Gdiplus::Rect item(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    if (lpDrawItemStruct->itemID < m_bitmaps.size() && m_bitmaps[lpDrawItemStruct->itemID] != nullptr)
        graphics.DrawImage(m_bitmaps[lpDrawItemStruct->itemID], item);
    const bool bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    Gdiplus::Pen frame(Gdiplus::Color(bSelected ? kSelectedFrame : kItemFrame), 1.0f);
    if (bSelected)
        frame.SetDashStyle(Gdiplus::DashStyleDot);
    graphics.DrawRectangle(&frame, item);
}
