#include "platform/mfc/Palette.h"

#include "platform/mfc/DC.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace
{
HPALETTE HandleOf(const CPalette* pPalette)
{
    return static_cast<HPALETTE>(HgdiobjOf(pPalette));
}
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }
BOOL CPalette::CreateHalftonePalette(CDC* pDC) { return Attach(::CreateHalftonePalette(pDC->m_hDC)); }
int CPalette::GetEntryCount() const
{
    WORD nEntries = 0;
    ::GetObjectA(HandleOf(this), sizeof nEntries, &nEntries);
    return nEntries;
}
UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
{
    return ::GetPaletteEntries(HandleOf(this), nStartIndex, nNumEntries, lpPaletteColors);
}
UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    return ::SetPaletteEntries(HandleOf(this), nStartIndex, nNumEntries, lpPaletteColors);
}
UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const { return ::GetNearestPaletteIndex(HandleOf(this), crColor); }
BOOL CPalette::ResizePalette(UINT nNumEntries) { return ::ResizePalette(HandleOf(this), nNumEntries); }
void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    ::AnimatePalette(HandleOf(this), nStartIndex, nNumEntries, lpPaletteColors);
}
