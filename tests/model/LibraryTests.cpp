#include "ModelTestSupport.h"

#include "model/FlashLibrary.h"
#include "model/FlashLibraryEntry.h"
#include "model/FlashSymbol.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
std::unique_ptr<Gdiplus::Bitmap> MakeBitmap()
{
    return std::make_unique<Gdiplus::Bitmap>(4, 4, PixelFormat32bppARGB);
}
}

TEST(Library, NewLibraryHasAnEmptyRootFolder)
{
    const CFlashLibrary library;
    EXPECT_EQ("ROOT", library.GetRootFolder().GetName());
    EXPECT_TRUE(library.GetRootFolder().GetFolders().empty());
    EXPECT_TRUE(library.GetRootFolder().GetEntries().empty());
    std::vector<Gdiplus::Bitmap*> bitmaps;
    library.CollectBitmaps(bitmaps);
    EXPECT_TRUE(bitmaps.empty());
}

TEST(Library, BitmapsAreCollectedFolderFirstThenSubFoldersDepthFirst)
{
    CFlashLibrary library;
    CFlashLibraryFolder& root = library.GetRootFolder();
    Gdiplus::Bitmap* b1 = root.AddBitmapEntry(MakeBitmap())->GetBitmap();
    CFlashLibraryFolder* f = root.AddFolder("F");
    CFlashLibraryFolder* g = root.AddFolder("G");
    Gdiplus::Bitmap* b4 = g->AddBitmapEntry(MakeBitmap())->GetBitmap();
    Gdiplus::Bitmap* b3 = f->AddBitmapEntry(MakeBitmap())->GetBitmap();
    Gdiplus::Bitmap* b2 = root.AddBitmapEntry(MakeBitmap())->GetBitmap();
    root.AddBitmapEntry(nullptr); // an entry without a bitmap is skipped
    std::vector<Gdiplus::Bitmap*> bitmaps;
    library.CollectBitmaps(bitmaps);
    EXPECT_EQ((std::vector<Gdiplus::Bitmap*>{b1, b2, b3, b4}), bitmaps);
    EXPECT_EQ("F", root.GetFolders()[0]->GetName());
}

TEST(Library, EntryNamesFollowWhatTheEntryHolds)
{
    CFlashLibraryFolder folder("F");
    CFlashLibraryEntry* picture = folder.AddBitmapEntry(MakeBitmap());
    EXPECT_EQ("", picture->GetName());
    picture->SetName("Sky");
    EXPECT_EQ("Sky", picture->GetName());

    CFlashLibraryEntry symbolEntry;
    symbolEntry.SetSymbol(std::make_unique<CFlashSymbol>());
    EXPECT_EQ("Test", symbolEntry.GetName());
    symbolEntry.SetName("Hero");
    EXPECT_EQ("Hero", symbolEntry.GetSymbol()->GetSymbolName());
    EXPECT_EQ("Hero", symbolEntry.GetName());

    CFlashLibraryEntry empty;
    empty.SetName("Ignored");
    EXPECT_EQ("", empty.GetName());
}
