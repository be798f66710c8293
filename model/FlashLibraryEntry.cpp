#include "model/FlashLibraryEntry.h"

#include "model/FlashSymbol.h"

CFlashLibraryEntry::CFlashLibraryEntry() = default;
CFlashLibraryEntry::~CFlashLibraryEntry() = default;

void CFlashLibraryEntry::SetBitmap(std::unique_ptr<Gdiplus::Bitmap> bitmap)
{
    m_pBitmap = std::move(bitmap);
}

void CFlashLibraryEntry::SetSymbol(std::unique_ptr<CFlashSymbol> symbol)
{
    m_pSymbol = std::move(symbol);
}

std::string CFlashLibraryEntry::GetName() const
{
    if (m_pBitmap)
        return m_strName;
    if (m_pSymbol)
        return m_pSymbol->GetSymbolName();
    return {};
}

void CFlashLibraryEntry::SetName(const std::string& name)
{
    if (m_pBitmap)
        m_strName = name;
    else if (m_pSymbol)
        m_pSymbol->SetSymbolName(name);
}
