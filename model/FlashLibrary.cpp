#include "model/FlashLibrary.h"

namespace {
constexpr const char* kRootFolderName = "ROOT";
}

CFlashLibrary::CFlashLibrary() : m_root(kRootFolderName) {}

void CFlashLibrary::CollectBitmaps(std::vector<Gdiplus::Bitmap*>& bitmaps) const
{
    m_root.CollectBitmaps(bitmaps);
}
