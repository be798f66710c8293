#pragma once
#include "model/ArchiveRecord.h"
#include "platform/gdiplus/GdiPlus.h"

#include <memory>
#include <string>
#include <vector>

namespace boost { namespace serialization { class access; } }
class CFlashLibraryEntry;

// A folder of the library tree; it owns its sub-folders and entries.
class CFlashLibraryFolder {
public:
    CFlashLibraryFolder() = default;
    explicit CFlashLibraryFolder(const std::string& name) : m_strName(name) {}
    CFlashLibraryFolder(const CFlashLibraryFolder&) = delete;
    CFlashLibraryFolder& operator=(const CFlashLibraryFolder&) = delete;
    ~CFlashLibraryFolder();

    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name) { m_strName = name; }
    // In creation order.
    const std::vector<CFlashLibraryFolder*>& GetFolders() const { return m_folders; }
    const std::vector<CFlashLibraryEntry*>& GetEntries() const { return m_entries; }

    // A new entry with an empty name holding the bitmap, appended and returned.
    CFlashLibraryEntry* AddBitmapEntry(std::unique_ptr<Gdiplus::Bitmap> bitmap);
    // A new sub-folder with that name, appended and returned.
    CFlashLibraryFolder* AddFolder(const std::string& name);
    // Appends the bitmaps of this folder's entries, then those of each sub-folder, depth first.
    void CollectBitmaps(std::vector<Gdiplus::Bitmap*>& bitmaps) const;
    // Deletes every sub-folder with its contents.
    void DeleteFolders();
    // Exchanges name, sub-folders and entries with the other folder.
    void Swap(CFlashLibraryFolder& other) noexcept;

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    std::string m_strName;
    std::vector<CFlashLibraryFolder*> m_folders;
    std::vector<CFlashLibraryEntry*> m_entries;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashLibraryFolder)
