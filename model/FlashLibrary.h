#pragma once
#include "model/ArchiveRecord.h"
#include "model/FlashLibraryFolder.h"

// A document's library: a tree of folders under a root named "ROOT", whose entries hold
// bitmaps or symbols. The library frees its whole tree.
class CFlashLibrary {
public:
    CFlashLibrary();
    CFlashLibrary(const CFlashLibrary&) = delete;
    CFlashLibrary& operator=(const CFlashLibrary&) = delete;
    virtual ~CFlashLibrary() = default;

    CFlashLibraryFolder& GetRootFolder() { return m_root; }
    const CFlashLibraryFolder& GetRootFolder() const { return m_root; }
    // Appends the bitmaps of the whole tree, starting at the root, depth first.
    void CollectBitmaps(std::vector<Gdiplus::Bitmap*>& bitmaps) const;

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    CFlashLibraryFolder m_root;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashLibrary)
