#include "model/archive/GdiplusRecords.h"

#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"
#include "model/archive/DrawableFont.h"
#include "model/archive/FontDeviceContext.h"
#include "model/archive/LogicalFont.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/serialization/array.hpp>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Written at the start of every pen record; read back without being compared.
constexpr int kPenMarker = 55;
// Fill types whose bodies are written; any other type is written alone.
constexpr int kFillSolid = Gdiplus::BrushTypeSolidColor;
constexpr int kFillTexture = Gdiplus::BrushTypeTextureFill;
constexpr int kFillPathGradient = Gdiplus::BrushTypePathGradient;
constexpr int kFillLinearGradient = Gdiplus::BrushTypeLinearGradient;
constexpr int kFillUnknown = -1;
constexpr int kPixelFormat = PixelFormat24bppRGB;
constexpr int kBytesPerPixel = 3;
constexpr int kStrideAlignment = 4;
// Where a blend's first and last stops lie.
constexpr float kFirstStopPosition = 0.0f;
constexpr float kLastStopPosition = 1.0f;

[[noreturn]] void Fail(const char* what)
{
    boost::serialization::throw_exception(
        boost::archive::archive_exception(boost::archive::archive_exception::input_stream_error, what));
}

[[noreturn]] void FailSaving(const char* what)
{
    boost::serialization::throw_exception(
        boost::archive::archive_exception(boost::archive::archive_exception::output_stream_error, what));
}

// Where a loaded object is built: on the heap, or in storage the archive library gives.
template <class T>
class CStorage {
public:
    explicit CStorage(T* at = nullptr) : m_at(at) {}

    template <class... Args>
    T* Build(Args&&... args) const
    {
        return m_at ? ::new (static_cast<void*>(m_at)) T(std::forward<Args>(args)...)
                    : new T(std::forward<Args>(args)...);
    }
    // Builds, then raises the archive exception (leaving nothing built) when GDI+ refused.
    template <class... Args>
    T* BuildChecked(const char* what, Args&&... args) const
    {
        T* object = Build(std::forward<Args>(args)...);
        if (object->GetLastStatus() != Gdiplus::Ok) {
            Discard(object);
            Fail(what);
        }
        return object;
    }
    void Discard(T* object) const
    {
        if (m_at)
            object->~T();
        else
            delete object;
    }

private:
    T* m_at;
};

struct CColorRecord {
    int alpha = 255;
    int red = 0;
    int green = 0;
    int blue = 0;
};

template <class Archive>
void Transfer(Archive& ar, CColorRecord& color)
{
    ar & color.alpha & color.red & color.green & color.blue;
}

CColorRecord ToRecord(const Gdiplus::Color& color)
{
    return {color.GetA(), color.GetR(), color.GetG(), color.GetB()};
}

// Stored files may hold channel values outside 0-255: each keeps its low 8 bits.
Gdiplus::Color ToColor(const CColorRecord& record)
{
    return Gdiplus::Color(BYTE(record.alpha), BYTE(record.red), BYTE(record.green), BYTE(record.blue));
}

struct CPenRecord {
    int marker = kPenMarker;
    CColorRecord color;
    float width = 1.0f;
    int dashStyle = Gdiplus::DashStyleSolid;
};

template <class Archive>
void Transfer(Archive& ar, CPenRecord& pen)
{
    ar & pen.marker;
    Transfer(ar, pen.color);
    ar & pen.width & pen.dashStyle;
}

// The preset-blend count and the stops between the first and the last; those two are the
// gradient's own colours.
struct CGradientStops {
    int count = 0;
    std::vector<CColorRecord> innerColors;
    std::vector<float> innerPositions;
};

template <class Archive>
void Transfer(Archive& ar, CGradientStops& stops)
{
    ar & stops.count;
    if constexpr (Archive::is_loading::value) {
        // No blend at all, or one of at least two stops.
        if (stops.count < 0 || stops.count == 1)
            Fail("bad blend count");
        const std::size_t inner = stops.count > 2 ? std::size_t(stops.count - 2) : 0;
        ar.CheckAvailable(inner);
        stops.innerColors.resize(inner);
        stops.innerPositions.resize(inner);
    }
    float previous = kFirstStopPosition;
    for (std::size_t i = 0; i < stops.innerColors.size(); ++i) {
        Transfer(ar, stops.innerColors[i]);
        ar & stops.innerPositions[i];
        if constexpr (Archive::is_loading::value) {
            // Between the first stop and the last, never before the stop ahead of it; two
            // stops may share a position (a hard edge).
            const float position = stops.innerPositions[i];
            if (!(position >= previous && position <= kLastStopPosition))
                Fail("gradient stops out of order");
            previous = position;
        }
    }
}

struct CLinearGradientRecord {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    CColorRecord start;
    CColorRecord end;
    CGradientStops stops;
};

template <class Archive>
void Transfer(Archive& ar, CLinearGradientRecord& gradient)
{
    ar & gradient.x & gradient.y & gradient.width & gradient.height;
    Transfer(ar, gradient.start);
    Transfer(ar, gradient.end);
    Transfer(ar, gradient.stops);
}

struct CPathGradientRecord {
    CColorRecord center;
    CColorRecord surround;
    CGradientStops stops;
};

template <class Archive>
void Transfer(Archive& ar, CPathGradientRecord& gradient)
{
    Transfer(ar, gradient.center);
    Transfer(ar, gradient.surround);
    Transfer(ar, gradient.stops);
}

// Rows of 24-bit pixels; when saving, data points into the locked bitmap.
struct CPixelRecord {
    UINT width = 0;
    UINT height = 0;
    INT stride = 0;
    INT format = kPixelFormat;
    BYTE* data = nullptr;
    std::unique_ptr<BYTE[]> owned;
};

void CheckPixelHeader(const CDocumentIArchive& ar, const CPixelRecord& pixels)
{
    if (pixels.format != kPixelFormat)
        Fail("unknown pixel format");
    if (pixels.width == 0 || pixels.height == 0 || pixels.width > UINT(INT32_MAX) || pixels.height > UINT(INT32_MAX))
        Fail("bad bitmap size");
    if (pixels.stride <= 0 || pixels.stride % kStrideAlignment != 0
        || std::uint64_t(pixels.stride) < std::uint64_t(pixels.width) * kBytesPerPixel)
        Fail("bad bitmap stride");
    const std::uint64_t size = std::uint64_t(pixels.stride) * pixels.height;
    if (size > SIZE_MAX)
        Fail("bitmap too large");
    ar.CheckAvailable(std::size_t(size));
}

template <class Archive>
void Transfer(Archive& ar, CPixelRecord& pixels)
{
    ar & pixels.width & pixels.height & pixels.stride & pixels.format;
    if constexpr (Archive::is_loading::value) {
        CheckPixelHeader(ar, pixels);
        pixels.owned.reset(new BYTE[std::size_t(pixels.stride) * pixels.height]);
        pixels.data = pixels.owned.get();
    }
    const std::size_t size = std::size_t(pixels.stride) * pixels.height;
    for (std::size_t i = 0; i < size; ++i)
        ar & pixels.data[i];
}

template <class Archive>
void Transfer(Archive& ar, CLogicalFont& font)
{
    // A fixed array: its element count (at most its length on loading), then the characters.
    ar & font.faceName;
    ar & font.height & font.weight & font.italic;
}

void SavePixelRecord(CDocumentOArchive& ar, Gdiplus::Bitmap& bitmap)
{
    const Gdiplus::Rect whole(0, 0, INT(bitmap.GetWidth()), INT(bitmap.GetHeight()));
    Gdiplus::BitmapData locked = {};
    if (bitmap.LockBits(&whole, Gdiplus::ImageLockModeRead, kPixelFormat, &locked) != Gdiplus::Ok)
        FailSaving("bitmap pixels cannot be read");
    CPixelRecord pixels;
    pixels.width = locked.Width;
    pixels.height = locked.Height;
    pixels.stride = locked.Stride;
    std::vector<BYTE> rows;
    if (locked.Stride > 0) {
        pixels.data = static_cast<BYTE*>(locked.Scan0);
    } else {
        // Bottom-up memory is written top row first, as every record is.
        pixels.stride = -locked.Stride;
        rows.resize(std::size_t(pixels.stride) * pixels.height);
        for (UINT y = 0; y < pixels.height; ++y)
            std::memcpy(&rows[std::size_t(y) * pixels.stride],
                        static_cast<const BYTE*>(locked.Scan0) + std::ptrdiff_t(y) * locked.Stride, pixels.stride);
        pixels.data = rows.data();
    }
    try {
        Transfer(ar, pixels);
    } catch (...) {
        bitmap.UnlockBits(&locked);
        throw;
    }
    bitmap.UnlockBits(&locked);
}

// Copies the rows into a bitmap that owns its pixels.
void CopyPixels(const CPixelRecord& pixels, Gdiplus::Bitmap& bitmap)
{
    const Gdiplus::Rect whole(0, 0, INT(pixels.width), INT(pixels.height));
    Gdiplus::BitmapData locked = {};
    if (bitmap.LockBits(&whole, Gdiplus::ImageLockModeWrite, kPixelFormat, &locked) != Gdiplus::Ok)
        Fail("bitmap cannot be built");
    const std::size_t rowBytes = std::size_t(pixels.width) * kBytesPerPixel;
    for (UINT y = 0; y < pixels.height; ++y)
        std::memcpy(static_cast<BYTE*>(locked.Scan0) + std::ptrdiff_t(y) * locked.Stride,
                    pixels.data + std::size_t(y) * pixels.stride, rowBytes);
    bitmap.UnlockBits(&locked);
}

template <class T>
T* BuildOwnedBitmap(const CPixelRecord& pixels, const CStorage<T>& storage)
{
    T* bitmap = storage.BuildChecked("bitmap cannot be built", INT(pixels.width), INT(pixels.height), kPixelFormat);
    try {
        CopyPixels(pixels, *bitmap);
    } catch (...) {
        storage.Discard(bitmap);
        throw;
    }
    return bitmap;
}

CPixelRecord ReadPixelRecord(CDocumentIArchive& ar)
{
    CPixelRecord pixels;
    Transfer(ar, pixels);
    return pixels;
}

void CheckApplied(Gdiplus::Status status, const char* what)
{
    if (status != Gdiplus::Ok)
        Fail(what);
}

// The preset blend from the first colour through the inner stops to the last colour.
template <class Gradient>
void ApplyStops(Gradient& brush, const Gdiplus::Color& first, const Gdiplus::Color& last, const CGradientStops& stops)
{
    // A count of 0 stands for no blend.
    if (stops.count < 2)
        return;
    std::vector<Gdiplus::Color> colors(std::size_t(stops.count));
    std::vector<Gdiplus::REAL> positions(std::size_t(stops.count));
    colors.front() = first;
    positions.front() = kFirstStopPosition;
    for (std::size_t i = 0; i < stops.innerColors.size(); ++i) {
        colors[i + 1] = ToColor(stops.innerColors[i]);
        positions[i + 1] = stops.innerPositions[i];
    }
    colors.back() = last;
    positions.back() = kLastStopPosition;
    CheckApplied(brush.SetInterpolationColors(colors.data(), positions.data(), stops.count), "gradient stops refused");
}

template <class Gradient>
CGradientStops ReadStops(const Gradient& brush)
{
    CGradientStops stops;
    stops.count = brush.GetInterpolationColorCount();
    if (stops.count < 3)
        return stops;
    std::vector<Gdiplus::Color> colors(std::size_t(stops.count));
    std::vector<Gdiplus::REAL> positions(std::size_t(stops.count), 0.0f);
    brush.GetInterpolationColors(colors.data(), positions.data(), stops.count);
    for (int i = 1; i + 1 < stops.count; ++i) {
        stops.innerColors.push_back(ToRecord(colors[std::size_t(i)]));
        stops.innerPositions.push_back(positions[std::size_t(i)]);
    }
    return stops;
}

template <class T>
T* LoadLinearGradient(CDocumentIArchive& ar, const CStorage<T>& storage)
{
    CLinearGradientRecord record;
    Transfer(ar, record);
    const Gdiplus::Color start = ToColor(record.start);
    const Gdiplus::Color end = ToColor(record.end);
    T* brush = storage.BuildChecked("bad linear gradient", Gdiplus::Rect(record.x, record.y, record.width, record.height),
                                    start, end, Gdiplus::LinearGradientModeHorizontal);
    try {
        CheckApplied(brush->SetWrapMode(Gdiplus::WrapModeTile), "bad linear gradient");
        ApplyStops(*brush, start, end, record.stops);
    } catch (...) {
        storage.Discard(brush);
        throw;
    }
    return brush;
}

template <class T>
T* LoadPathGradient(CDocumentIArchive& ar, const CStorage<T>& storage)
{
    CPathGradientRecord record;
    Transfer(ar, record);
    const Gdiplus::Color center = ToColor(record.center);
    const Gdiplus::Color surround = ToColor(record.surround);
    Gdiplus::GraphicsPath path;
    path.AddEllipse(0, 0, 1, 1);
    T* brush = storage.BuildChecked("bad path gradient", &path);
    try {
        CheckApplied(brush->SetCenterColor(center), "bad path gradient");
        INT one = 1;
        CheckApplied(brush->SetSurroundColors(&surround, &one), "bad path gradient");
        ApplyStops(*brush, center, surround, record.stops);
    } catch (...) {
        storage.Discard(brush);
        throw;
    }
    return brush;
}

template <class T>
T* LoadTexture(CDocumentIArchive& ar, const CStorage<T>& storage)
{
    const CPixelRecord pixels = ReadPixelRecord(ar);
    // The brush keeps its own copy of the image.
    std::unique_ptr<Gdiplus::Bitmap> image(BuildOwnedBitmap(pixels, CStorage<Gdiplus::Bitmap>()));
    return storage.BuildChecked("bad texture", image.get(), Gdiplus::WrapModeTile);
}

template <class T>
T* LoadFontInto(CDocumentIArchive& ar, const CStorage<T>& storage)
{
    const CFontDeviceContext dc;
    // A face the system lacks still yields a font object; drawing with it fails quietly.
    const LOGFONTA logfont = CDrawableFont::Resolve(dc.Get(), LoadLogicalFont(ar).ToLogFont());
    return storage.Build(dc.Get(), &logfont);
}

int FillTypeOf(const Gdiplus::Brush& brush)
{
    const int type = brush.GetType();
    switch (type) {
    case kFillSolid:
        return dynamic_cast<const Gdiplus::SolidBrush*>(&brush) ? type : kFillUnknown;
    case kFillTexture:
        return dynamic_cast<const Gdiplus::TextureBrush*>(&brush) ? type : kFillUnknown;
    case kFillPathGradient:
        return dynamic_cast<const Gdiplus::PathGradientBrush*>(&brush) ? type : kFillUnknown;
    case kFillLinearGradient:
        return dynamic_cast<const Gdiplus::LinearGradientBrush*>(&brush) ? type : kFillUnknown;
    default:
        return type;
    }
}

} // namespace

void SaveColor(CDocumentOArchive& ar, const Gdiplus::Color& color)
{
    CColorRecord record = ToRecord(color);
    Transfer(ar, record);
}

Gdiplus::Color LoadColor(CDocumentIArchive& ar)
{
    CColorRecord record;
    Transfer(ar, record);
    return ToColor(record);
}

void SavePen(CDocumentOArchive& ar, const Gdiplus::Pen& pen)
{
    CPenRecord record;
    Gdiplus::Color color;
    // A pen drawn with a brush has no colour of its own; any colour written would be made up.
    if (pen.GetColor(&color) != Gdiplus::Ok)
        FailSaving("pen colour cannot be read");
    record.color = ToRecord(color);
    record.width = pen.GetWidth();
    record.dashStyle = pen.GetDashStyle();
    Transfer(ar, record);
}

void LoadPen(CDocumentIArchive& ar, Gdiplus::Pen& pen)
{
    CPenRecord record;
    Transfer(ar, record);
    if (record.dashStyle < Gdiplus::DashStyleSolid || record.dashStyle > Gdiplus::DashStyleCustom)
        Fail("unknown dash style");
    const Gdiplus::Color color = ToColor(record.color);
    pen.SetDashStyle(Gdiplus::DashStyle(record.dashStyle));
    pen.SetWidth(record.width);
    pen.SetColor(color);
}

void SaveBrush(CDocumentOArchive& ar, const Gdiplus::Brush* brush)
{
    int present = brush ? 1 : 0;
    ar << present;
    if (!brush)
        return;
    int type = FillTypeOf(*brush);
    ar << type;
    switch (type) {
    case kFillSolid: {
        Gdiplus::Color color;
        static_cast<const Gdiplus::SolidBrush*>(brush)->GetColor(&color);
        SaveColor(ar, color);
        break;
    }
    case kFillTexture:
        SaveTextureBody(ar, *static_cast<const Gdiplus::TextureBrush*>(brush));
        break;
    case kFillPathGradient:
        SavePathGradientBody(ar, *static_cast<const Gdiplus::PathGradientBrush*>(brush));
        break;
    case kFillLinearGradient:
        SaveLinearGradientBody(ar, *static_cast<const Gdiplus::LinearGradientBrush*>(brush));
        break;
    default:
        break;
    }
}

std::unique_ptr<Gdiplus::Brush> LoadBrush(CDocumentIArchive& ar)
{
    int present = 0;
    ar >> present;
    if (present == 0)
        return nullptr;
    if (present != 1)
        Fail("bad fill presence");
    int type = kFillUnknown;
    ar >> type;
    switch (type) {
    case kFillSolid:
        return std::make_unique<Gdiplus::SolidBrush>(LoadColor(ar));
    case kFillTexture:
        return std::unique_ptr<Gdiplus::Brush>(LoadTexture(ar, CStorage<Gdiplus::TextureBrush>()));
    case kFillPathGradient:
        return std::unique_ptr<Gdiplus::Brush>(LoadPathGradient(ar, CStorage<Gdiplus::PathGradientBrush>()));
    case kFillLinearGradient:
        return std::unique_ptr<Gdiplus::Brush>(LoadLinearGradient(ar, CStorage<Gdiplus::LinearGradientBrush>()));
    default:
        // Hatch and unknown fills carry no body and come back as no fill.
        return nullptr;
    }
}

void SaveFont(CDocumentOArchive& ar, const Gdiplus::Font& font)
{
    CLogicalFont logical;
    if (!CLogicalFont::Query(font, logical))
        FailSaving("font cannot be read");
    SaveLogicalFont(ar, logical);
}

void SaveLogicalFont(CDocumentOArchive& ar, const CLogicalFont& font)
{
    CLogicalFont record = font;
    Transfer(ar, record);
}

CLogicalFont LoadLogicalFont(CDocumentIArchive& ar)
{
    CLogicalFont record;
    Transfer(ar, record);
    return record;
}

std::unique_ptr<Gdiplus::Font> LoadFont(CDocumentIArchive& ar)
{
    return std::unique_ptr<Gdiplus::Font>(LoadFontInto(ar, CStorage<Gdiplus::Font>()));
}

void SaveBitmapPixels(CDocumentOArchive& ar, Gdiplus::Bitmap& bitmap)
{
    SavePixelRecord(ar, bitmap);
}

CBitmapPixels LoadBitmapPixels(CDocumentIArchive& ar)
{
    CPixelRecord pixels = ReadPixelRecord(ar);
    CBitmapPixels result;
    result.bitmap = std::make_unique<Gdiplus::Bitmap>(INT(pixels.width), INT(pixels.height), pixels.stride,
                                                      kPixelFormat, pixels.data);
    if (result.bitmap->GetLastStatus() != Gdiplus::Ok)
        Fail("bitmap cannot be built");
    result.pixels = std::move(pixels.owned);
    return result;
}

void SaveLinearGradientBody(CDocumentOArchive& ar, const Gdiplus::LinearGradientBrush& brush)
{
    CLinearGradientRecord record;
    Gdiplus::Rect rect;
    brush.GetRectangle(&rect);
    record.x = rect.X;
    record.y = rect.Y;
    record.width = rect.Width;
    record.height = rect.Height;
    Gdiplus::Color colors[2];
    brush.GetLinearColors(colors);
    record.start = ToRecord(colors[0]);
    record.end = ToRecord(colors[1]);
    record.stops = ReadStops(brush);
    Transfer(ar, record);
}

void LoadLinearGradientBodyAt(CDocumentIArchive& ar, Gdiplus::LinearGradientBrush* storage)
{
    LoadLinearGradient(ar, CStorage<Gdiplus::LinearGradientBrush>(storage));
}

void SavePathGradientBody(CDocumentOArchive& ar, const Gdiplus::PathGradientBrush& brush)
{
    CPathGradientRecord record;
    Gdiplus::Color center;
    brush.GetCenterColor(&center);
    record.center = ToRecord(center);
    // Only the first surround colour is kept.
    INT count = brush.GetSurroundColorCount();
    if (count > 0) {
        std::vector<Gdiplus::Color> surround(static_cast<std::size_t>(count));
        if (brush.GetSurroundColors(surround.data(), &count) == Gdiplus::Ok && count > 0)
            record.surround = ToRecord(surround.front());
    }
    record.stops = ReadStops(brush);
    Transfer(ar, record);
}

void LoadPathGradientBodyAt(CDocumentIArchive& ar, Gdiplus::PathGradientBrush* storage)
{
    LoadPathGradient(ar, CStorage<Gdiplus::PathGradientBrush>(storage));
}

void SaveTextureBody(CDocumentOArchive& ar, const Gdiplus::TextureBrush& brush)
{
    std::unique_ptr<Gdiplus::Image> image(brush.GetImage());
    auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(image.get());
    if (!bitmap)
        FailSaving("texture image cannot be read");
    SavePixelRecord(ar, *bitmap);
}

void LoadTextureBodyAt(CDocumentIArchive& ar, Gdiplus::TextureBrush* storage)
{
    LoadTexture(ar, CStorage<Gdiplus::TextureBrush>(storage));
}

void LoadFontAt(CDocumentIArchive& ar, Gdiplus::Font* storage)
{
    LoadFontInto(ar, CStorage<Gdiplus::Font>(storage));
}

void LoadOwnedBitmapAt(CDocumentIArchive& ar, Gdiplus::Bitmap* storage)
{
    BuildOwnedBitmap(ReadPixelRecord(ar), CStorage<Gdiplus::Bitmap>(storage));
}
