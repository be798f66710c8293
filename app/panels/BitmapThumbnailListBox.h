#pragma once
// The Shape panel's list of the library's bitmaps, drawn as thumbnails in columns. The bitmaps
// belong to the document's library: the list only points at them.
#include "platform/gdiplus/GdiPlus.h"
#include "platform/mfc/ListBox.h"

#include <vector>

class CBitmapThumbnailListBox : public CListBox
{
public:
    void SetBitmaps(std::vector<Gdiplus::Bitmap*> bitmaps);
    // The bitmap of the selected item, or null.
    Gdiplus::Bitmap* GetSelectedBitmap() const;
    const std::vector<Gdiplus::Bitmap*>& GetBitmaps() const { return m_bitmaps; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

private:
    std::vector<Gdiplus::Bitmap*> m_bitmaps;
};
