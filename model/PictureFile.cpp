#include "model/PictureFile.h"

#include "model/PictureHeader.h"
#include "platform/gdiplus/GdiPlus.h"

#include <memory>

namespace {

// Drawn under transparent pixels.
const Gdiplus::Color kPictureBackground(0xFF000000);

// Closes a handle when it goes.
struct CHandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using CFileHandle = std::unique_ptr<void, CHandleCloser>;

// Frees a global block still owned when it goes.
struct CGlobalFree {
    void operator()(HGLOBAL block) const { ::GlobalFree(block); }
};
using CGlobalBlock = std::unique_ptr<void, CGlobalFree>;

// Releases a stream when it goes.
struct CStreamRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};
using CStream = std::unique_ptr<IStream, CStreamRelease>;

// The whole file in a global block, or null when it cannot be read or is too large.
CGlobalBlock ReadWholeFile(const char* path, std::size_t& size)
{
    const CFileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER length = {};
    if (file.get() == INVALID_HANDLE_VALUE || !::GetFileSizeEx(file.get(), &length) || length.QuadPart <= 0
        || std::uint64_t(length.QuadPart) > CPictureFile::kMostBytes)
        return nullptr;
    size = std::size_t(length.QuadPart);
    CGlobalBlock block(::GlobalAlloc(GMEM_MOVEABLE, size));
    void* data = block ? ::GlobalLock(block.get()) : nullptr;
    if (data == nullptr)
        return nullptr;
    DWORD read = 0;
    const bool whole = ::ReadFile(file.get(), data, DWORD(size), &read, nullptr) && read == size;
    ::GlobalUnlock(block.get());
    return whole ? std::move(block) : nullptr;
}

// Whether the file's header claims a picture that its bytes can hold and the document can carry.
bool IsAcceptablePicture(HGLOBAL block, std::size_t size)
{
    const void* data = ::GlobalLock(block);
    if (data == nullptr)
        return false;
    CPictureSize picture;
    const bool acceptable = ReadPictureFileSize(static_cast<const unsigned char*>(data), size, picture)
                            && CFlashBitmap::FitsPixelBudget(picture.width, picture.height)
                            && picture.decodedPixels <= CPictureFile::kMostDecodedPixels;
    ::GlobalUnlock(block);
    return acceptable;
}

} // namespace

HBITMAP CPictureFile::Load(const char* path)
{
    // The bytes checked are the bytes decoded: the file is not read a second time.
    std::size_t size = 0;
    CGlobalBlock block = ReadWholeFile(path, size);
    IStream* raw = nullptr;
    if (!block || !IsAcceptablePicture(block.get(), size) || ::CreateStreamOnHGlobal(block.get(), TRUE, &raw) != S_OK)
        return nullptr;
    block.release(); // the stream owns it now
    const CStream stream(raw);
    const std::unique_ptr<Gdiplus::Bitmap> picture(Gdiplus::Bitmap::FromStream(stream.get()));
    if (picture == nullptr || picture->GetLastStatus() != Gdiplus::Ok
        || !CFlashBitmap::FitsPixelBudget(picture->GetWidth(), picture->GetHeight()))
        return nullptr;
    HBITMAP bitmap = nullptr;
    if (picture->GetHBITMAP(kPictureBackground, &bitmap) != Gdiplus::Ok)
        return nullptr;
    return bitmap;
}
