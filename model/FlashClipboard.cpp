#include "model/FlashClipboard.h"

#include "model/ClipboardBag.h"
#include "model/DocumentArchive.h"
#include "model/FlashBitmap.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashTextShape.h"
#include "model/PictureHeader.h"
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"
#include "platform/mfc/MessageBox.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <ios>
#include <memory>
#include <sstream>
#include <string>

namespace {
constexpr char kCannotEmpty[] = "Cannot empty the clipboard!";
constexpr char kCannotRead[] = "Error reading clipboard data!";
// After the archive text: CR, LF, NUL and one more zero byte.
constexpr char kPayloadEnd[] = {'\r', '\n', '\0', '\0'};
// The box of pasted text, in twips.
constexpr int kTextBoxOrigin = 1000;
constexpr int kTextBoxSize = 1000;

// Holds the clipboard open for its lifetime.
class CClipboardOpen {
public:
    explicit CClipboardOpen(HWND owner) : m_bOpen(::OpenClipboard(owner) != FALSE) {}
    ~CClipboardOpen() { Close(); }
    CClipboardOpen(const CClipboardOpen&) = delete;
    CClipboardOpen& operator=(const CClipboardOpen&) = delete;
    bool IsOpen() const { return m_bOpen; }
    void Close()
    {
        if (m_bOpen)
            ::CloseClipboard();
        m_bOpen = false;
    }

private:
    bool m_bOpen;
};

// The text of a clipboard block up to its first NUL, never past the block's end nor past the
// limit.
bool ReadBlockText(HANDLE block, std::string& text, SIZE_T limit)
{
    const SIZE_T size = std::min(::GlobalSize(block), limit);
    const auto* data = static_cast<const char*>(::GlobalLock(block));
    if (data == nullptr)
        return false;
    bool read = true;
    try {
        text.assign(data, ::strnlen(data, size));
    } catch (const std::exception&) {
        read = false;
    }
    ::GlobalUnlock(block);
    return read;
}

// The archive text of the shapes as they are, with their placements at the current frame,
// ended as the clipboard block expects.
std::string WriteBag(const CFlashEditorDoc& document, const std::vector<CFlashShape*>& shapes)
{
    const CFlashEditorLayer* layer = document.GetCurrentLayer();
    std::vector<std::unique_ptr<CFlashEditorFrameShapeTransform>> placements;
    std::vector<CFlashEditorFrameShapeTransform*> shown;
    placements.reserve(shapes.size());
    shown.reserve(shapes.size());
    for (const CFlashShape* shape : shapes) {
        placements.push_back(layer != nullptr ? layer->GetInterpolatedTransform(shape) : nullptr);
        shown.push_back(placements.back().get());
    }
    const CClipboardBag bag(shapes, shown);
    std::ostringstream stream;
    {
        CDocumentOArchive archive(stream, 0);
        RegisterArchiveTypes(archive);
        archive << bag;
    }
    // The archive writes its closing line end, and passes on what it still holds, when
    // destroyed: only the stream can tell whether that arrived.
    if (!stream)
        throw std::ios_base::failure("clipboard text incomplete");
    std::string text = stream.str();
    text.append(kPayloadEnd, sizeof kPayloadEnd);
    return text;
}

HGLOBAL MakeBlock(const std::string& bytes)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    if (block == nullptr)
        return nullptr;
    if (void* data = ::GlobalLock(block)) {
        std::memcpy(data, bytes.data(), bytes.size());
        ::GlobalUnlock(block);
        return block;
    }
    ::GlobalFree(block);
    return nullptr;
}

using ShapeList = std::vector<std::unique_ptr<CFlashShape>>;
using PlacementList = std::vector<std::unique_ptr<CFlashEditorFrameShapeTransform>>;

// Reads a bag of shapes, each with its placement slot; false, with nothing kept, when the text
// is not such a bag.
bool ReadBag(const std::string& text, ShapeList& shapes, PlacementList& placements)
{
    try {
        std::istringstream stream(text);
        CDocumentIArchive archive(stream, 0);
        RegisterArchiveTypes(archive);
        CClipboardBag bag;
        archive >> bag;
        bag.Release(shapes, placements);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

// Hands the shape to the document with its placement (null: a default one) and lists it; the
// shape is destroyed when the document does not take it.
void AddPasted(CFlashEditorDoc& document, std::unique_ptr<CFlashShape> shape,
               std::unique_ptr<CFlashEditorFrameShapeTransform> placement, CClipboardPaste& pasted)
{
    pasted.shapes.reserve(pasted.shapes.size() + 1);
    if (document.AddShape(shape.get(), std::move(placement)))
        pasted.shapes.push_back(shape.release());
}

void CentreIfAsked(CFlashEditorDoc& document, bool centre, const CClipboardPaste& pasted)
{
    if (centre && !pasted.shapes.empty())
        document.CenterShapesOnStage(pasted.shapes);
}

// The clipboard's data in the format, or null when it holds none.
HANDLE AvailableData(UINT format)
{
    return ::IsClipboardFormatAvailable(format) ? ::GetClipboardData(format) : nullptr;
}

// Whether the clipboard's packed bitmap is one the document can take. Checked before the
// device bitmap is asked for: the platform makes that from the packed bitmap in time and memory
// in proportion to the size its header claims, whatever the block holds.
bool IsPastablePicture(HANDLE dib)
{
    const void* data = ::GlobalLock(dib);
    if (data == nullptr)
        return false;
    CPictureSize picture;
    const bool pastable = ReadPackedDibSize(static_cast<const unsigned char*>(data), ::GlobalSize(dib), picture)
                          && CFlashBitmap::FitsPixelBudget(picture.width, picture.height);
    ::GlobalUnlock(dib);
    return pastable;
}

// Pastes the clipboard's picture as a picture shape and a library entry; false when the picture
// is refused.
bool PastePicture(CFlashEditorDoc& document, bool centre, CClipboardPaste& pasted)
{
    HANDLE dib = AvailableData(CF_DIB);
    if (dib != nullptr && !IsPastablePicture(dib))
        return false;
    const auto bitmap = static_cast<HBITMAP>(AvailableData(CF_BITMAP));
    std::unique_ptr<CFlashShape> shape(bitmap != nullptr ? CFlashBitmap::CreateFromHBITMAP(bitmap) : nullptr);
    if (shape == nullptr)
        return false;
    AddPasted(document, std::move(shape), nullptr, pasted);
    if (pasted.shapes.empty())
        return true;
    auto entry = std::make_unique<Gdiplus::Bitmap>(bitmap, HPALETTE(nullptr));
    if (entry->GetLastStatus() == Gdiplus::Ok)
        document.GetLibrary().GetRootFolder().AddBitmapEntry(std::move(entry));
    CentreIfAsked(document, centre, pasted);
    return true;
}

CClipboardPaste PasteText(CFlashEditorDoc& document, bool centre, HANDLE block, const CClipboardTextStyle& style)
{
    CClipboardPaste pasted;
    std::string text;
    if (!ReadBlockText(block, text, CFlashClipboard::kMaxPastedText))
        return pasted;
    auto shape = std::make_unique<CFlashTextShape>(style.font, style.pen, style.fill);
    shape->SetText(text);
    shape->SetRect(Gdiplus::Rect(kTextBoxOrigin, kTextBoxOrigin, kTextBoxSize, kTextBoxSize));
    AddPasted(document, std::move(shape), nullptr, pasted);
    pasted.replacesSelection = !pasted.shapes.empty();
    CentreIfAsked(document, centre, pasted);
    return pasted;
}
}

UINT CFlashClipboard::RegisterFormat()
{
    return ::RegisterClipboardFormatA(kFormatName);
}

bool CFlashClipboard::CopyShapes(const CFlashEditorDoc& document, const std::vector<CFlashShape*>& shapes,
                                 UINT format, HWND owner)
{
    // Written before the clipboard is touched, so that a failure leaves it as it was.
    HGLOBAL block = nullptr;
    try {
        block = MakeBlock(WriteBag(document, shapes));
    } catch (const std::exception&) {
    }
    if (block == nullptr)
        return false;
    CClipboardOpen clipboard(owner);
    if (!clipboard.IsOpen()) {
        ::GlobalFree(block);
        return false;
    }
    if (!::EmptyClipboard()) {
        ::GlobalFree(block);
        // Not held open while the message waits for the user.
        clipboard.Close();
        AfxMessageBox(kCannotEmpty);
        return false;
    }
    if (::SetClipboardData(format, block) == nullptr) {
        ::GlobalFree(block);
        return false;
    }
    return true;
}

CClipboardPaste CFlashClipboard::Paste(CFlashEditorDoc& document, bool centre, UINT format, HWND owner,
                                       const CClipboardTextStyle& style)
{
    CClipboardOpen clipboard(owner);
    if (!clipboard.IsOpen())
        return {};
    if (::IsClipboardFormatAvailable(CF_BITMAP) || ::IsClipboardFormatAvailable(CF_DIB)) {
        CClipboardPaste pasted;
        if (!PastePicture(document, centre, pasted)) {
            // Not held open while the message waits for the user.
            clipboard.Close();
            AfxMessageBox(kCannotRead, MB_ICONERROR);
        }
        return pasted;
    }
    if (HANDLE text = AvailableData(CF_TEXT))
        return PasteText(document, centre, text, style);
    return PasteShapes(document, centre, format);
}

CClipboardPaste CFlashClipboard::PasteShapes(CFlashEditorDoc& document, bool centre, UINT format)
{
    CClipboardPaste pasted;
    HANDLE block = ::GetClipboardData(format);
    if (block == nullptr)
        return pasted;
    std::string text;
    ShapeList shapes;
    PlacementList placements;
    if (!ReadBlockText(block, text, ::GlobalSize(block)) || !ReadBag(text, shapes, placements)) {
        AfxMessageBox(kCannotRead, MB_ICONERROR);
        return pasted;
    }
    pasted.replacesSelection = true;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        shapes[i]->SetObjectId(CNamedObject::TakeObjectId());
        AddPasted(document, std::move(shapes[i]), std::move(placements[i]), pasted);
    }
    CentreIfAsked(document, centre, pasted);
    return pasted;
}
