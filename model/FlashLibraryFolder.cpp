#include "model/FlashLibraryFolder.h"

#include "model/FlashLibraryEntry.h"

CFlashLibraryFolder::~CFlashLibraryFolder()
{
    for (CFlashLibraryFolder* folder : m_folders)
        delete folder;
    for (CFlashLibraryEntry* entry : m_entries)
        delete entry;
}

CFlashLibraryEntry* CFlashLibraryFolder::AddBitmapEntry(std::unique_ptr<Gdiplus::Bitmap> bitmap)
{
    auto entry = std::make_unique<CFlashLibraryEntry>();
    entry->SetBitmap(std::move(bitmap));
    m_entries.push_back(entry.get());
    return entry.release();
}

CFlashLibraryFolder* CFlashLibraryFolder::AddFolder(const std::string& name)
{
    auto folder = std::make_unique<CFlashLibraryFolder>(name);
    m_folders.push_back(folder.get());
    return folder.release();
}

void CFlashLibraryFolder::CollectBitmaps(std::vector<Gdiplus::Bitmap*>& bitmaps) const
{
    for (const CFlashLibraryEntry* entry : m_entries)
        if (Gdiplus::Bitmap* bitmap = entry->GetBitmap())
            bitmaps.push_back(bitmap);
    for (const CFlashLibraryFolder* folder : m_folders)
        folder->CollectBitmaps(bitmaps);
}

void CFlashLibraryFolder::DeleteFolders()
{
    for (CFlashLibraryFolder* folder : m_folders)
        delete folder;
    m_folders.clear();
}

void CFlashLibraryFolder::Swap(CFlashLibraryFolder& other) noexcept
{
    m_strName.swap(other.m_strName);
    m_folders.swap(other.m_folders);
    m_entries.swap(other.m_entries);
}
