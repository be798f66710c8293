#pragma once
#include "model/ArchiveRecord.h"
#include "platform/gdiplus/GdiPlus.h"

#include <memory>
#include <string>

namespace boost { namespace serialization { class access; } }
class CFlashSymbol;

// A library entry holding a bitmap or a symbol; it owns what it holds.
class CFlashLibraryEntry {
public:
    CFlashLibraryEntry();
    CFlashLibraryEntry(const CFlashLibraryEntry&) = delete;
    CFlashLibraryEntry& operator=(const CFlashLibraryEntry&) = delete;
    ~CFlashLibraryEntry();

    Gdiplus::Bitmap* GetBitmap() const { return m_pBitmap.get(); }
    void SetBitmap(std::unique_ptr<Gdiplus::Bitmap> bitmap);
    CFlashSymbol* GetSymbol() const { return m_pSymbol.get(); }
    void SetSymbol(std::unique_ptr<CFlashSymbol> symbol);

    // The entry's own name while it holds a bitmap, else the symbol's name, else empty.
    std::string GetName() const;
    // Renames the bitmap entry, else the symbol; an empty entry ignores it.
    void SetName(const std::string& name);

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    std::string m_strName;
    std::unique_ptr<Gdiplus::Bitmap> m_pBitmap;
    std::unique_ptr<CFlashSymbol> m_pSymbol;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashLibraryEntry)
