#include "export/swf/SWF_MovieWriter.h"

#include "export/swf/SWF_BitStream.h"
#include "export/swf/SWF_BufferedFile.h"
#include "export/swf/SWF_Header.h"
#include "export/swf/SWF_ShapeOutline.h"
#include "export/swf/SWF_TagList.h"
#include "export/swf/SWF_Tag_DefineBitsLossless2.h"
#include "export/swf/SWF_Tag_DefineMorphShape.h"
#include "export/swf/SWF_Tag_DefineShape3.h"
#include "export/swf/SWF_Tag_End.h"
#include "export/swf/SWF_Tag_PlaceObject2.h"
#include "export/swf/SWF_Tag_RemoveObject2.h"
#include "export/swf/SWF_Tag_SetBackgroundColor.h"
#include "export/swf/SWF_Tag_ShowFrame.h"
#include "model/FlashBitmap.h"
#include "model/FlashCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "model/FlashTextShape.h"
#include "model/GradientMarker.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <zlib.h>
#include <unistd.h>

namespace
{
constexpr uint8_t kSwfVersion = 6;
constexpr uint8_t kSignature[3] = {'F', 'W', 'S'};
constexpr uint32_t kFileLengthOffset = 4;
constexpr int64_t kTwipsPerPixel = 20;
constexpr int kMaxFrameRate = 255; // the integer part of an 8.8 rate
constexpr int kFrameRateShift = 8;
constexpr uint32_t kMaxId = 65535; // character ids, depths and the frame count are 16 bits
constexpr uint8_t kFixedFractionBits = 16;

enum TagCode : uint16_t
{
    kEnd = 0, kShowFrame = 1, kSetBackgroundColor = 9, kPlaceObject2 = 26, kRemoveObject2 = 28, kDefineShape3 = 32,
    kDefineBitsLossless2 = 36, kDefineMorphShape = 46,
};

constexpr uint8_t kFillSolid = 0x00;
constexpr uint8_t kFillLinearGradient = 0x10;
constexpr uint8_t kFillRadialGradient = 0x12;
constexpr uint8_t kFillClippedBitmap = 0x41;
constexpr uint8_t kBitmapFormatArgb = 5;
constexpr double kMaxMorphRatio = 65535.0;
// Gradients are defined on a square of this side (twips) centred on the origin.
constexpr double kGradientSquare = 32768.0;
constexpr size_t kMaxGradientStops = 8;
constexpr double kMaxRatio = 255.0;

int32_t ClampToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int32_t>(std::clamp(value, double(INT32_MIN), double(INT32_MAX)));
}

C_SWF_RGBA FromArgb(Gdiplus::ARGB color)
{
    return {uint8_t(color >> 16), uint8_t(color >> 8), uint8_t(color), uint8_t(color >> 24)};
}

C_SWF_RGBA FromColorRef(uint32_t color)
{
    return {uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16), 255};
}

// The integer part that a 16.16 value needs room for (one less for a negative value).
int32_t FixedIntegerPart(double value)
{
    return value >= 0 ? ClampToInt32(std::trunc(value)) : ClampToInt32(std::trunc(value - 1));
}

uint8_t FixedBits(double a, double b)
{
    return static_cast<uint8_t>(std::max(C_SWF_BitStream::BitsForSigned(FixedIntegerPart(a)),
                                         C_SWF_BitStream::BitsForSigned(FixedIntegerPart(b))) + kFixedFractionBits);
}

// A MATRIX of the GDI+ elements m11, m12, m21, m22, dx, dy (a value beyond the fields' range
// makes the stream fail when it is written).
C_SWF_Matrix MakeMatrix(const double m[6])
{
    C_SWF_Matrix matrix;
    matrix.hasScale.value = 1;
    matrix.nScaleBits.value = FixedBits(m[0], m[3]);
    matrix.scaleX.value = m[0];
    matrix.scaleY.value = m[3];
    matrix.hasRotate.value = 1;
    matrix.nRotateBits.value = FixedBits(m[1], m[2]);
    matrix.rotateSkew0.value = m[1];
    matrix.rotateSkew1.value = m[2];
    matrix.translateX.value = ClampToInt32(std::trunc(m[4]));
    matrix.translateY.value = ClampToInt32(std::trunc(m[5]));
    matrix.nTranslateBits.value = std::max(C_SWF_BitStream::BitsForSigned(matrix.translateX.value),
                                           C_SWF_BitStream::BitsForSigned(matrix.translateY.value));
    return matrix;
}

Gdiplus::ARGB AverageMarkerColor(const std::vector<CGradientMarker>& markers)
{
    if (markers.empty())
        return 0;
    uint64_t sum[3] = {};
    for (const CGradientMarker& marker : markers)
        for (int channel = 0; channel < 3; ++channel)
            sum[channel] += (marker.m_clrColor >> (8 * channel)) & 0xFF;
    const uint64_t n = markers.size();
    return Gdiplus::Color::MakeARGB(255, BYTE(sum[0] / n), BYTE(sum[1] / n), BYTE(sum[2] / n));
}

// The mean colour of the picture: alpha averaged, colour weighted by alpha.
Gdiplus::ARGB AverageImageColor(const Gdiplus::TextureBrush& brush)
{
    const std::unique_ptr<Gdiplus::Image> image(brush.GetImage());
    auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(image.get());
    if (!bitmap || bitmap->GetWidth() == 0 || bitmap->GetHeight() == 0)
        return 0;
    const Gdiplus::Rect whole(0, 0, INT(bitmap->GetWidth()), INT(bitmap->GetHeight()));
    Gdiplus::BitmapData data{};
    if (bitmap->LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return 0;
    uint64_t alpha = 0, weighted[3] = {};
    for (UINT y = 0; y < data.Height; ++y)
    {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(data.Scan0) + INT_PTR(y) * data.Stride);
        for (UINT x = 0; x < data.Width; ++x)
        {
            const uint32_t pixel = row[x];
            const uint32_t a = pixel >> 24;
            alpha += a;
            for (int channel = 0; channel < 3; ++channel)
                weighted[channel] += uint64_t((pixel >> (8 * channel)) & 0xFF) * a;
        }
    }
    bitmap->UnlockBits(&data);
    if (alpha == 0)
        return 0;
    const uint64_t count = uint64_t(data.Width) * data.Height;
    return Gdiplus::Color::MakeARGB(BYTE(alpha / count), BYTE(weighted[2] / alpha), BYTE(weighted[1] / alpha),
                                    BYTE(weighted[0] / alpha));
}

// One colour standing for a brush wherever the movie cannot show the brush itself.
Gdiplus::ARGB RepresentativeColor(const Gdiplus::Brush& brush)
{
    Gdiplus::Color color, other;
    std::vector<CGradientMarker> markers;
    switch (brush.GetType())
    {
    case Gdiplus::BrushTypeSolidColor:
        return static_cast<const Gdiplus::SolidBrush&>(brush).GetColor(&color) == Gdiplus::Ok ? color.GetValue() : 0;
    case Gdiplus::BrushTypeHatchFill: {
        const auto& hatch = static_cast<const Gdiplus::HatchBrush&>(brush);
        hatch.GetForegroundColor(&color);
        hatch.GetBackgroundColor(&other);
        const Gdiplus::ARGB a = color.GetValue(), b = other.GetValue();
        Gdiplus::ARGB mean = 0;
        for (int shift = 0; shift < 32; shift += 8)
            mean |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
        return mean;
    }
    case Gdiplus::BrushTypeTextureFill:
        return AverageImageColor(static_cast<const Gdiplus::TextureBrush&>(brush));
    case Gdiplus::BrushTypeLinearGradient:
        ReadLinearGradientMarkers(static_cast<const Gdiplus::LinearGradientBrush&>(brush), markers);
        return AverageMarkerColor(markers);
    case Gdiplus::BrushTypePathGradient:
        ReadPathGradientMarkers(static_cast<const Gdiplus::PathGradientBrush&>(brush), markers);
        return AverageMarkerColor(markers);
    default:
        return 0;
    }
}

Gdiplus::ARGB PenColor(const Gdiplus::Pen& pen)
{
    Gdiplus::Color color;
    if (pen.GetPenType() == Gdiplus::PenTypeSolidColor)
        return pen.GetColor(&color) == Gdiplus::Ok ? color.GetValue() : 0;
    const std::unique_ptr<Gdiplus::Brush> brush(pen.GetBrush());
    return brush ? RepresentativeColor(*brush) : 0;
}

// At most eight stops, their ratios rising from 0 (the gradient's start or centre) to 255.
C_SWF_Gradient MakeGradient(const std::vector<CGradientMarker>& markers)
{
    C_SWF_Gradient gradient;
    const size_t count = std::min(markers.size(), kMaxGradientStops);
    uint8_t lastRatio = 0;
    for (size_t i = 0; i < count; ++i)
    {
        const size_t source = count < 2 ? 0 : (i * (markers.size() - 1) + (count - 1) / 2) / (count - 1);
        const CGradientMarker& marker = markers[source];
        C_SWF_GradRecord record;
        const double ratio = std::clamp(std::round(marker.m_dPosition * kMaxRatio), 0.0, kMaxRatio);
        record.ratio = std::max(lastRatio, static_cast<uint8_t>(ratio));
        record.color = FromColorRef(marker.m_clrColor);
        lastRatio = record.ratio;
        gradient.records.push_back(record);
    }
    gradient.numGradients = static_cast<uint8_t>(gradient.records.size());
    return gradient;
}

// The bounds the stage stretches a gradient over: those of the path of all curves.
Gdiplus::Rect PathBounds(const CFlashShape& shape)
{
    Gdiplus::GraphicsPath path;
    for (int i = 0; i < shape.GetCurveCount(); ++i)
        shape.GetCurve(i)->AddToPath(path);
    Gdiplus::Rect bounds;
    path.GetBounds(&bounds);
    return bounds;
}

// A linear gradient's matrix: the brush's rectangle, in a unit square stretched over the bounds.
C_SWF_Matrix LinearGradientMatrix(const Gdiplus::Rect& b, const Gdiplus::RectF& unit)
{
    const double x0 = b.X + double(b.Width) * unit.X, x1 = b.X + double(b.Width) * (unit.X + unit.Width);
    const double y0 = b.Y + double(b.Height) * unit.Y, y1 = b.Y + double(b.Height) * (unit.Y + unit.Height);
    const double m[6] = {(x1 - x0) / kGradientSquare, 0, 0, (y1 - y0) / kGradientSquare, (x0 + x1) / 2, (y0 + y1) / 2};
    return MakeMatrix(m);
}

// A radial gradient's matrix: a circle around the bounds' centre whose diameter is their diagonal.
C_SWF_Matrix RadialGradientMatrix(const Gdiplus::Rect& b)
{
    const double diameter = std::trunc(std::hypot(double(b.Width), double(b.Height)));
    const double m[6] = {diameter / kGradientSquare, 0, 0, diameter / kGradientSquare, double(b.X + b.Width / 2),
                         double(b.Y + b.Height / 2)};
    return MakeMatrix(m);
}

// The fill style of a brush as the stage paints it over the bounds; false for a brush of
// unknown kind.
bool MakeFillStyle(const Gdiplus::Rect& bounds, const Gdiplus::Brush& brush, C_SWF_FillStyle& style)
{
    std::vector<CGradientMarker> markers;
    const Gdiplus::BrushType type = brush.GetType();
    if (type == Gdiplus::BrushTypeLinearGradient)
    {
        const auto& linear = static_cast<const Gdiplus::LinearGradientBrush&>(brush);
        ReadLinearGradientMarkers(linear, markers);
        Gdiplus::RectF unit;
        linear.GetRectangle(&unit);
        style.fillStyleType = kFillLinearGradient;
        style.gradientMatrix = LinearGradientMatrix(bounds, unit);
        style.gradient = MakeGradient(markers);
        return !markers.empty();
    }
    if (type == Gdiplus::BrushTypePathGradient)
    {
        ReadPathGradientMarkers(static_cast<const Gdiplus::PathGradientBrush&>(brush), markers);
        style.fillStyleType = kFillRadialGradient;
        style.gradientMatrix = RadialGradientMatrix(bounds);
        style.gradient = MakeGradient(markers);
        return !markers.empty();
    }
    if (type == Gdiplus::BrushTypeSolidColor || type == Gdiplus::BrushTypeHatchFill ||
        type == Gdiplus::BrushTypeTextureFill)
    {
        style.fillStyleType = kFillSolid;
        style.color = FromArgb(RepresentativeColor(brush));
        return true;
    }
    return false;
}

C_SWF_Rect MakeRect(int64_t xmin, int64_t ymin, int64_t xmax, int64_t ymax)
{
    C_SWF_Rect rect;
    rect.xmin.value = ClampToInt32(double(xmin));
    rect.xmax.value = ClampToInt32(double(xmax));
    rect.ymin.value = ClampToInt32(double(ymin));
    rect.ymax.value = ClampToInt32(double(ymax));
    rect.nbits.value = 0;
    for (const C_SWF_BitField* field : {&rect.xmin, &rect.xmax, &rect.ymin, &rect.ymax})
        rect.nbits.value = std::max<int32_t>(rect.nbits.value, C_SWF_BitStream::BitsForSigned(field->value));
    return rect;
}

// Bounds widened by half a pen so that the stroke lies inside them.
C_SWF_Rect StrokedBounds(const Gdiplus::Rect& bounds, int64_t halfPen)
{
    return MakeRect(int64_t(bounds.X) - halfPen, int64_t(bounds.Y) - halfPen, int64_t(bounds.X) + bounds.Width + halfPen,
                    int64_t(bounds.Y) + bounds.Height + halfPen);
}

uint16_t PenWidth(const Gdiplus::Pen& pen)
{
    return static_cast<uint16_t>(std::clamp(std::trunc(double(pen.GetWidth())), 0.0, double(UINT16_MAX)));
}

// The colour a tween gives a pen: its own when solid, opaque black otherwise.
Gdiplus::ARGB TweenPenColor(const Gdiplus::Pen& pen)
{
    Gdiplus::Color color;
    if (pen.GetPenType() == Gdiplus::PenTypeSolidColor && pen.GetColor(&color) == Gdiplus::Ok)
        return color.GetValue();
    return 0xFF000000;
}

// A tween paints opaque colours (the stage's colour interpolation drops alpha).
C_SWF_RGBA Opaque(Gdiplus::ARGB color)
{
    C_SWF_RGBA rgba = FromArgb(color);
    rgba.alpha = 255;
    return rgba;
}

// Appends a value's bytes to a key.
template <class T>
void AppendKey(std::string& key, const T& value)
{
    key.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

void AppendKey(std::string& key, const C_SWF_RGBA& color)
{
    for (uint8_t channel : {color.red, color.green, color.blue, color.alpha})
        AppendKey(key, channel);
}

void AppendKey(std::string& key, const C_SWF_Matrix& m)
{
    for (const C_SWF_BitField* field : {&m.hasScale, &m.hasRotate, &m.translateX, &m.translateY})
        AppendKey(key, field->value);
    for (const C_SWF_Fixed* field : {&m.scaleX, &m.scaleY, &m.rotateSkew0, &m.rotateSkew1})
        AppendKey(key, field->value);
}

// Everything a shape definition shows, its character id aside: equal keys draw alike.
std::string DefinitionKey(const C_SWF_Tag_DefineShape3& tag)
{
    std::string key;
    const C_SWF_Rect& r = tag.shapeBounds;
    for (const C_SWF_BitField* field : {&r.xmin, &r.xmax, &r.ymin, &r.ymax})
        AppendKey(key, field->value);
    for (const C_SWF_FillStyle& fill : tag.shapes.fillStyles.fillStyles)
    {
        AppendKey(key, fill.fillStyleType);
        AppendKey(key, fill.color);
        AppendKey(key, fill.gradientMatrix);
        for (const C_SWF_GradRecord& stop : fill.gradient.records)
        {
            AppendKey(key, stop.ratio);
            AppendKey(key, stop.color);
        }
        AppendKey(key, fill.bitmapId);
        AppendKey(key, fill.bitmapMatrix);
    }
    key += '|';
    for (const C_SWF_LineStyle& line : tag.shapes.lineStyles.lineStyles)
    {
        AppendKey(key, line.width);
        AppendKey(key, line.color);
    }
    key += '|';
    for (const C_SWF_ShapeRecord& record : tag.shapes.shape.records)
        for (const C_SWF_BitField* field :
             {&record.typeFlag, &record.straightFlag, &record.stateMoveTo, &record.stateFillStyle0, &record.stateLineStyle,
              &record.moveDeltaX, &record.moveDeltaY, &record.fillStyle0, &record.lineStyle, &record.deltaX, &record.deltaY,
              &record.controlDeltaX, &record.controlDeltaY, &record.anchorDeltaX, &record.anchorDeltaY})
            AppendKey(key, field->value);
    return key;
}

// The picture's pixels as DefineBitsLossless2 stores them: rows of premultiplied A, R, G, B.
bool ReadPremultipliedArgb(Gdiplus::Bitmap& bitmap, std::vector<uint8_t>& pixels)
{
    const Gdiplus::Rect whole(0, 0, INT(bitmap.GetWidth()), INT(bitmap.GetHeight()));
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return false;
    pixels.resize(size_t(data.Width) * data.Height * 4);
    uint8_t* out = pixels.data();
    for (UINT y = 0; y < data.Height; ++y)
    {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(data.Scan0) + INT_PTR(y) * data.Stride);
        for (UINT x = 0; x < data.Width; ++x)
        {
            const uint32_t pixel = row[x];
            const uint32_t a = pixel >> 24;
            *out++ = uint8_t(a);
            for (int shift : {16, 8, 0})
                *out++ = uint8_t((((pixel >> shift) & 0xFF) * a + 127) / 255);
        }
    }
    bitmap.UnlockBits(&data);
    return true;
}

bool Compress(const std::vector<uint8_t>& raw, std::vector<uint8_t>& packed)
{
    uLongf size = compressBound(uLong(raw.size()));
    packed.resize(size);
    if (compress2(packed.data(), &size, raw.data(), uLong(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return false;
    packed.resize(size);
    return true;
}

// A morph fill that stays what the fill is.
C_SWF_MorphFillStyle SteadyMorphFill(const C_SWF_FillStyle& fill)
{
    C_SWF_MorphFillStyle morph;
    morph.fillStyleType = fill.fillStyleType;
    morph.startColor = morph.endColor = fill.color;
    morph.startGradientMatrix = morph.endGradientMatrix = fill.gradientMatrix;
    morph.gradient.numGradients = fill.gradient.numGradients;
    for (const C_SWF_GradRecord& stop : fill.gradient.records)
        morph.gradient.records.push_back({stop.ratio, stop.color, stop.ratio, stop.color});
    return morph;
}

bool SameColor(const C_SWF_RGBA& a, const C_SWF_RGBA& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

// The fill a tween paints from one brush towards another, as the stage interpolates it: solid
// colours, or the stops of two gradients of one kind and one stop count (their rectangle the
// unit square over the bounds); any other pair keeps the fill. changed tells whether it moves.
C_SWF_MorphFillStyle MorphFill(const C_SWF_FillStyle& fill, const Gdiplus::Rect& bounds, const Gdiplus::Brush& from,
                               const Gdiplus::Brush* to, bool& changed)
{
    changed = false;
    const Gdiplus::BrushType type = from.GetType();
    if (!to || to->GetType() != type)
        return SteadyMorphFill(fill);
    C_SWF_MorphFillStyle morph;
    if (type == Gdiplus::BrushTypeSolidColor)
    {
        Gdiplus::Color a(0xFF000000), b(0xFF000000);
        static_cast<const Gdiplus::SolidBrush&>(from).GetColor(&a);
        static_cast<const Gdiplus::SolidBrush*>(to)->GetColor(&b);
        morph.fillStyleType = kFillSolid;
        morph.startColor = Opaque(a.GetValue());
        morph.endColor = Opaque(b.GetValue());
        changed = !SameColor(morph.startColor, morph.endColor);
        return morph;
    }
    std::vector<CGradientMarker> start, end;
    if (type == Gdiplus::BrushTypeLinearGradient)
    {
        ReadLinearGradientMarkers(static_cast<const Gdiplus::LinearGradientBrush&>(from), start);
        ReadLinearGradientMarkers(*static_cast<const Gdiplus::LinearGradientBrush*>(to), end);
        morph.startGradientMatrix = LinearGradientMatrix(bounds, Gdiplus::RectF(0, 0, 1, 1));
    }
    else if (type == Gdiplus::BrushTypePathGradient)
    {
        ReadPathGradientMarkers(static_cast<const Gdiplus::PathGradientBrush&>(from), start);
        ReadPathGradientMarkers(*static_cast<const Gdiplus::PathGradientBrush*>(to), end);
        morph.startGradientMatrix = RadialGradientMatrix(bounds);
    }
    if (start.empty() || start.size() != end.size())
        return SteadyMorphFill(fill);
    morph.fillStyleType = fill.fillStyleType;
    morph.endGradientMatrix = morph.startGradientMatrix;
    const C_SWF_Gradient a = MakeGradient(start), b = MakeGradient(end);
    morph.gradient.numGradients = a.numGradients;
    for (size_t i = 0; i < a.records.size(); ++i)
    {
        morph.gradient.records.push_back({a.records[i].ratio, a.records[i].color, b.records[i].ratio, b.records[i].color});
        changed = changed || a.records[i].ratio != b.records[i].ratio || !SameColor(a.records[i].color, b.records[i].color);
    }
    return morph;
}

// A morph's end edges: the start edges' moves and edges, without style changes, which only the
// start edges carry.
void MakeEndEdges(const C_SWF_Shape& start, C_SWF_Shape& end)
{
    end.numFillBits.value = 0;
    end.numLineBits.value = 0;
    for (const C_SWF_ShapeRecord& record : start.records)
    {
        if (record.typeFlag.value == 1 || record.IsEndRecord())
        {
            end.records.push_back(record);
            continue;
        }
        if (!record.stateMoveTo.value)
            continue;
        C_SWF_ShapeRecord move;
        move.stateMoveTo = record.stateMoveTo;
        move.moveBits = record.moveBits;
        move.moveDeltaX = record.moveDeltaX;
        move.moveDeltaY = record.moveDeltaY;
        end.records.push_back(move);
    }
}

template <class T>
std::unique_ptr<T> MakeTag(uint16_t code, uint8_t longHeader = 0)
{
    auto tag = std::make_unique<T>();
    tag->tagCode = code;
    tag->longHeader = longHeader;
    return tag;
}

// Fraction of the way from a span's first frame towards the next keyframe, as the stage draws it.
double TweenFraction(int frame, int first, int last)
{
    return first == last ? 0.0 : double(frame - first) / double(last - first + 1);
}
}

C_SWF_MovieSource C_SWF_MovieSource::FromDocument(const CFlashEditorDoc& document)
{
    C_SWF_MovieSource source;
    source.stageWidth = document.GetStageWidth();
    source.stageHeight = document.GetStageHeight();
    source.frameRate = document.GetFrameRate();
    source.backgroundColor = document.GetBackgroundColor();
    source.layers.assign(document.GetLayerRange().begin(), document.GetLayerRange().end());
    return source;
}

// A memory device context and a graphics on it, on which texts are laid out as the stage lays
// them out.
struct C_SWF_MovieWriter::MeasuringContext
{
    MeasuringContext() : dc(CreateCompatibleDC(nullptr)), graphics(dc) {}
    ~MeasuringContext() { DeleteDC(dc); }
    MeasuringContext(const MeasuringContext&) = delete;
    MeasuringContext& operator=(const MeasuringContext&) = delete;

    HDC dc;
    Gdiplus::Graphics graphics;
};

C_SWF_MovieWriter::C_SWF_MovieWriter() = default;

C_SWF_MovieWriter::~C_SWF_MovieWriter()
{
    if (m_file)
        Close();
}

bool C_SWF_MovieWriter::Export(const char* path, const CFlashEditorDoc& document)
{
    return Export(path, C_SWF_MovieSource::FromDocument(document));
}

bool C_SWF_MovieWriter::Export(const char* path, const C_SWF_MovieSource& source)
{
    if (m_file || !path)
        return false;
    m_path = path;
    m_file = std::make_unique<C_SWF_BufferedFile>(path, C_SWF_BufferedFile::ModeWrite);
    m_stream = std::make_unique<C_SWF_BitStream>();
    m_stream->Attach(*m_file);
    m_header = std::make_unique<C_SWF_Header>();
    m_tags = std::make_unique<C_SWF_TagList>(kSwfVersion);
    if (!m_file->IsOpen())
        return false;

    int frameCount = 0;
    for (const CFlashEditorLayer* layer : source.layers)
        if (layer)
            frameCount = std::max(frameCount, layer->GetLastFrame());
    if (frameCount > int(kMaxId))
        return false;

    m_measuring = std::make_unique<MeasuringContext>();
    m_nextCharacterId = 1;
    InitHeader(source);
    AddBackgroundTag(source.backgroundColor);
    const bool framesAdded = AddFrames(source, frameCount);
    m_shownShapes.clear();
    m_layerDepthBase.clear();
    m_characters.clear();
    m_definitions.clear();
    m_bitmaps.clear();
    m_morphs.clear();
    m_tweenPlacement.reset();
    m_measuring.reset();
    if (!framesAdded)
        return false;
    AddEnd();
    m_header->frameCount = static_cast<uint16_t>(frameCount);

    m_header->Serialize(*m_stream);
    m_tags->Serialize(*m_stream);
    // The header's length field is patched once the whole file is known.
    uint32_t fileLength = m_file->GetSize();
    m_stream->SetBytePosition(kFileLengthOffset);
    m_stream->SerializeUI32(fileLength);
    m_exported = m_stream->Good();
    return m_exported;
}

bool C_SWF_MovieWriter::Close()
{
    bool ok = m_exported;
    m_exported = false;
    m_tags.reset();
    m_header.reset();
    m_stream.reset();
    if (!m_file)
        return false;
    const bool created = m_file->IsOpen();
    ok = m_file->Close() && ok;
    m_file.reset();
    if (!ok && created)
        ::unlink(m_path.c_str());
    return ok;
}

void C_SWF_MovieWriter::InitHeader(const C_SWF_MovieSource& source)
{
    C_SWF_Header& header = *m_header;
    std::copy(std::begin(kSignature), std::end(kSignature), header.signature);
    header.version = kSwfVersion;
    header.fileLength = 0;
    C_SWF_Rect& frame = header.frameSize;
    frame.xmin.value = 0;
    frame.ymin.value = 0;
    frame.xmax.value = ClampToInt32(double(source.stageWidth) * kTwipsPerPixel);
    frame.ymax.value = ClampToInt32(double(source.stageHeight) * kTwipsPerPixel);
    frame.nbits.value = std::max(C_SWF_BitStream::BitsForSigned(frame.xmax.value),
                                 C_SWF_BitStream::BitsForSigned(frame.ymax.value));
    header.frameRate = static_cast<uint16_t>(std::clamp(source.frameRate, 0, kMaxFrameRate) << kFrameRateShift);
    header.frameCount = 0;
}

void C_SWF_MovieWriter::AddBackgroundTag(uint32_t color)
{
    auto tag = MakeTag<C_SWF_Tag_SetBackgroundColor>(kSetBackgroundColor);
    tag->backgroundColor = FromColorRef(color);
    m_tags->Append(std::move(tag));
}

void C_SWF_MovieWriter::AddRemoveObject(uint16_t depth)
{
    auto tag = MakeTag<C_SWF_Tag_RemoveObject2>(kRemoveObject2);
    tag->depth = depth;
    m_tags->Append(std::move(tag));
}

void C_SWF_MovieWriter::AddShowFrame()
{
    m_tags->Append(MakeTag<C_SWF_Tag_ShowFrame>(kShowFrame));
}

void C_SWF_MovieWriter::AddEnd()
{
    m_tags->Append(MakeTag<C_SWF_Tag_End>(kEnd));
}

std::unique_ptr<C_SWF_Tag_DefineShape3> C_SWF_MovieWriter::MakeDefineShape(const CFlashShape& shape)
{
    auto tag = MakeTag<C_SWF_Tag_DefineShape3>(kDefineShape3, 1);
    C_SWF_ShapeWithStyle& styled = tag->shapes;
    if (const auto* text = dynamic_cast<const CFlashTextShape*>(&shape))
    {
        // The glyph outlines the stage fills, at zoom 1; the pen plays no part in text.
        Gdiplus::GraphicsPath path;
        text->AddToPath(path, m_measuring->graphics, 1.0);
        Gdiplus::Rect bounds;
        path.GetBounds(&bounds);
        C_SWF_FillStyle fill;
        uint32_t fillStyle = 0;
        if (shape.GetBrush() && MakeFillStyle(bounds, *shape.GetBrush(), fill))
        {
            styled.fillStyles.fillStyles.push_back(fill);
            fillStyle = 1;
        }
        tag->shapeBounds = StrokedBounds(bounds, 0);
        C_SWF_ShapeOutline(fillStyle, 0).AddFilledPath(path, styled.shape.records);
    }
    else if (const auto* picture = dynamic_cast<const CFlashBitmap*>(&shape))
    {
        // A rectangle filled with the picture, one picture pixel to 20 twips; nothing without one.
        const Gdiplus::Rect bounds = picture->GetBounds();
        tag->shapeBounds = StrokedBounds(bounds, 0);
        if (picture->GetImage())
        {
            C_SWF_FillStyle fill;
            fill.fillStyleType = kFillClippedBitmap;
            fill.bitmapId = GetBitmapCharacter(*picture->GetImage());
            if (fill.bitmapId == 0)
                return nullptr;
            const double m[6] = {double(kTwipsPerPixel), 0, 0, double(kTwipsPerPixel), double(bounds.X), double(bounds.Y)};
            fill.bitmapMatrix = MakeMatrix(m);
            styled.fillStyles.fillStyles.push_back(fill);
            C_SWF_ShapeOutline(1, 0).AddRectangle(bounds, styled.shape.records);
        }
        else
        {
            styled.shape.records.emplace_back(); // the end record alone
        }
    }
    else
    {
        uint32_t fillStyle = 0, lineStyle = 0;
        C_SWF_FillStyle fill;
        if (shape.IsFilled() && shape.GetBrush() && MakeFillStyle(PathBounds(shape), *shape.GetBrush(), fill))
        {
            styled.fillStyles.fillStyles.push_back(fill);
            fillStyle = 1;
        }
        int64_t halfPen = 0;
        if (const Gdiplus::Pen* pen = shape.GetPen())
        {
            C_SWF_LineStyle line;
            line.width = PenWidth(*pen);
            line.color = FromArgb(PenColor(*pen));
            styled.lineStyles.lineStyles.push_back(line);
            lineStyle = 1;
            halfPen = (line.width + 1) / 2;
        }
        tag->shapeBounds = StrokedBounds(shape.GetBounds(), halfPen);
        C_SWF_ShapeOutline(fillStyle, lineStyle).AddShape(shape, styled.shape.records);
    }
    styled.shape.numFillBits.value = C_SWF_BitStream::BitsForUnsigned(uint32_t(styled.fillStyles.fillStyles.size()));
    styled.shape.numLineBits.value = C_SWF_BitStream::BitsForUnsigned(uint32_t(styled.lineStyles.lineStyles.size()));
    return tag;
}

uint16_t C_SWF_MovieWriter::NextCharacterId()
{
    return m_nextCharacterId <= kMaxId ? static_cast<uint16_t>(m_nextCharacterId++) : 0;
}

uint16_t C_SWF_MovieWriter::GetBitmapCharacter(Gdiplus::Bitmap& image)
{
    auto tag = MakeTag<C_SWF_Tag_DefineBitsLossless2>(kDefineBitsLossless2, 1);
    std::vector<uint8_t> pixels;
    if (image.GetWidth() == 0 || image.GetHeight() == 0 || image.GetWidth() > UINT16_MAX ||
        image.GetHeight() > UINT16_MAX || !ReadPremultipliedArgb(image, pixels))
        return 0;
    tag->bitmapFormat = kBitmapFormatArgb;
    tag->bitmapWidth = static_cast<uint16_t>(image.GetWidth());
    tag->bitmapHeight = static_cast<uint16_t>(image.GetHeight());
    std::string key;
    AppendKey(key, tag->bitmapWidth);
    AppendKey(key, tag->bitmapHeight);
    key.append(pixels.begin(), pixels.end());
    const auto known = m_bitmaps.find(key);
    if (known != m_bitmaps.end())
        return known->second;
    if (!Compress(pixels, tag->data))
        return 0;
    const uint16_t id = NextCharacterId();
    if (id == 0)
        return 0;
    tag->characterId = id;
    m_bitmaps.emplace(std::move(key), id);
    m_tags->Append(std::move(tag));
    return id;
}

void C_SWF_MovieWriter::AddPlaceObject(const float matrix[6], uint16_t depth, uint16_t characterId, bool move,
                                       const uint16_t* ratio)
{
    auto tag = MakeTag<C_SWF_Tag_PlaceObject2>(kPlaceObject2);
    if (ratio)
    {
        tag->placeFlagHasRatio.value = 1;
        tag->ratio = *ratio;
    }
    tag->swfVersion = kSwfVersion;
    tag->placeFlagHasMatrix.value = 1;
    tag->placeFlagHasCharacter.value = 1;
    tag->placeFlagMove.value = move ? 1 : 0;
    tag->depth = depth;
    tag->characterId = characterId;
    const double elements[6] = {matrix[0], matrix[1], matrix[2], matrix[3], matrix[4], matrix[5]};
    tag->matrix = MakeMatrix(elements);
    m_tags->Append(std::move(tag));
}

const C_SWF_MovieWriter::ShownShapes& C_SWF_MovieWriter::GetShownShapes(const CFlashEditorFrame& span)
{
    const auto cached = m_shownShapes.find(&span);
    if (cached != m_shownShapes.end())
        return cached->second;
    ShownShapes& shown = m_shownShapes[&span];
    std::set<int> seen;
    const std::list<int>& order = span.GetStackingOrder();
    for (auto id = order.rbegin(); id != order.rend(); ++id)
    {
        const CFlashShape* shape = span.GetShapeById(*id);
        if (!shape || shape->GetState() == kResourceStateHidden || !seen.insert(*id).second)
            continue;
        const CFlashEditorFrameShapeTransform* placement = span.GetShapeTransform(shape);
        if (placement && placement->IsActive())
            shown.emplace_back(shape, placement);
    }
    return shown;
}

void C_SWF_MovieWriter::CollectFrame(const C_SWF_MovieSource& source, int frame, std::vector<DisplayItem>& items)
{
    items.clear();
    for (size_t index = 0; index < source.layers.size(); ++index)
    {
        const CFlashEditorLayer* layer = source.layers[index];
        if (!layer || !layer->IsVisible())
            continue;
        const CFlashEditorFrame* span = layer->FindSpan(frame);
        if (!span)
            continue;
        // The stage's tween rule: both spans flagged, from the frame after the keyframe on.
        const int first = span->GetStartFrame(), last = span->GetEndFrame();
        const CFlashEditorFrame* next = layer->FindSpan(last + 1);
        const bool tween = span->IsMotionTween() && next && next->IsMotionTween() && frame != first;
        int depth = m_layerDepthBase[index];
        for (const auto& [shape, placement] : GetShownShapes(*span))
        {
            const CFlashEditorFrameShapeTransform* drawn = placement;
            const CFlashShape* morphTo = nullptr;
            uint16_t ratio = 0;
            if (tween)
            {
                const CFlashShape* counterpart = next->GetShapeById(shape->GetObjectId());
                const CFlashEditorFrameShapeTransform* target = counterpart ? next->GetShapeTransform(counterpart) : nullptr;
                if (target && target->IsActive())
                {
                    const double t = TweenFraction(frame, first, last);
                    *m_tweenPlacement = *placement;
                    placement->Interpolate(target, m_tweenPlacement.get(), t);
                    drawn = m_tweenPlacement.get();
                    // The stage tweens styles only towards another object (a keyframe's copy).
                    if (counterpart != shape && t != 0.0)
                    {
                        morphTo = counterpart;
                        ratio = static_cast<uint16_t>(std::lround(t * kMaxMorphRatio));
                    }
                }
            }
            DisplayItem item{static_cast<uint16_t>(++depth), shape, int(index), shape->GetObjectId(), {}, morphTo, ratio};
            drawn->GetMatrix()->GetElements(item.matrix);
            items.push_back(item);
        }
    }
}

std::unique_ptr<C_SWF_Tag_DefineMorphShape> C_SWF_MovieWriter::MakeMorphShape(const CFlashShape& from,
                                                                              const CFlashShape& to)
{
    // Text and pictures draw without the tween's styles.
    if (dynamic_cast<const CFlashTextShape*>(&from) || dynamic_cast<const CFlashBitmap*>(&from))
        return nullptr;
    auto tag = MakeTag<C_SWF_Tag_DefineMorphShape>(kDefineMorphShape, 1);
    bool changed = false;
    uint32_t fillStyle = 0, lineStyle = 0;
    C_SWF_FillStyle fill;
    const Gdiplus::Rect pathBounds = PathBounds(from);
    if (from.IsFilled() && from.GetBrush() && MakeFillStyle(pathBounds, *from.GetBrush(), fill))
    {
        bool fillChanged = false;
        tag->morphFillStyles.fillStyles.push_back(MorphFill(fill, pathBounds, *from.GetBrush(), to.GetBrush(), fillChanged));
        changed = fillChanged;
        fillStyle = 1;
    }
    int64_t halfPen = 0;
    if (const Gdiplus::Pen* pen = from.GetPen())
    {
        C_SWF_MorphLineStyle line;
        line.startWidth = line.endWidth = PenWidth(*pen);
        line.startColor = line.endColor = FromArgb(PenColor(*pen));
        if (const Gdiplus::Pen* target = to.GetPen())
        {
            line.endWidth = PenWidth(*target);
            line.startColor = Opaque(TweenPenColor(*pen));
            line.endColor = Opaque(TweenPenColor(*target));
            changed = changed || line.startWidth != line.endWidth || !SameColor(line.startColor, line.endColor);
        }
        tag->morphLineStyles.lineStyles.push_back(line);
        lineStyle = 1;
        halfPen = (std::max(line.startWidth, line.endWidth) + 1) / 2;
    }
    if (!changed)
        return nullptr;
    tag->startBounds = tag->endBounds = StrokedBounds(from.GetBounds(), halfPen);
    C_SWF_ShapeOutline(fillStyle, lineStyle).AddShape(from, tag->startEdges.records);
    tag->startEdges.numFillBits.value = C_SWF_BitStream::BitsForUnsigned(fillStyle);
    tag->startEdges.numLineBits.value = C_SWF_BitStream::BitsForUnsigned(lineStyle);
    MakeEndEdges(tag->startEdges, tag->endEdges);
    return tag;
}

uint16_t C_SWF_MovieWriter::GetCharacter(const CFlashShape& shape)
{
    const auto known = m_characters.find(&shape);
    if (known != m_characters.end())
        return known->second;
    auto tag = MakeDefineShape(shape);
    if (!tag)
        return 0;
    // Keyframe copies are distinct objects with the same drawing: they share one definition.
    std::string key = DefinitionKey(*tag);
    const auto same = m_definitions.find(key);
    if (same != m_definitions.end())
        return m_characters[&shape] = same->second;
    const uint16_t id = NextCharacterId();
    if (id == 0)
        return 0;
    tag->shapeId = id;
    m_tags->Append(std::move(tag));
    m_definitions.emplace(std::move(key), id);
    return m_characters[&shape] = id;
}

uint16_t C_SWF_MovieWriter::GetMorphCharacter(const CFlashShape& from, const CFlashShape& to, bool& still)
{
    const auto known = m_morphs.find({&from, &to});
    if (known != m_morphs.end())
    {
        still = known->second == 0;
        return known->second;
    }
    auto tag = MakeMorphShape(from, to);
    still = !tag;
    uint16_t id = 0;
    if (tag)
    {
        id = NextCharacterId();
        if (id == 0)
            return 0;
        tag->characterId = id;
        m_tags->Append(std::move(tag));
    }
    m_morphs[{&from, &to}] = id;
    return id;
}

bool C_SWF_MovieWriter::AddFrames(const C_SWF_MovieSource& source, int frameCount)
{
    // Each visible layer takes a band of depths as deep as its fullest span, bottom layer first,
    // so that depths follow the stage's drawing order.
    m_layerDepthBase.assign(source.layers.size(), 0);
    size_t depthCount = 0;
    for (size_t index = 0; index < source.layers.size(); ++index)
    {
        m_layerDepthBase[index] = int(depthCount);
        const CFlashEditorLayer* layer = source.layers[index];
        if (!layer || !layer->IsVisible())
            continue;
        size_t fullest = 0;
        for (const CFlashEditorFrame* span : layer->GetSpans())
            fullest = std::max(fullest, GetShownShapes(*span).size());
        depthCount += fullest;
        if (depthCount > kMaxId)
            return false;
    }
    m_tweenPlacement = std::make_unique<CFlashEditorFrameShapeTransform>();

    std::vector<DepthOwner> onStage(depthCount + 1), shown(depthCount + 1);
    // Whether each depth holds a morph character: players refuse to turn a depth's shape into a
    // morph (or back) by a move, so such a change removes the old character and places anew.
    std::vector<bool> morphOnStage(depthCount + 1, false);
    std::vector<DisplayItem> items;
    for (int frame = 1; frame <= frameCount; ++frame)
    {
        CollectFrame(source, frame, items);
        std::fill(shown.begin(), shown.end(), DepthOwner{});
        for (const DisplayItem& item : items)
            shown[item.depth] = {item.layer, item.objectId};
        // A shape leaves when its depth no longer shows it: its span or layer ended, the next
        // keyframe does not hold it, or the stacking order moved it to another depth.
        for (size_t depth = 1; depth <= depthCount; ++depth)
        {
            if (onStage[depth].layer >= 0 && !(onStage[depth] == shown[depth]))
            {
                AddRemoveObject(static_cast<uint16_t>(depth));
                onStage[depth] = {};
            }
        }
        for (const DisplayItem& item : items)
        {
            bool still = true;
            uint16_t character = item.morphTo ? GetMorphCharacter(*item.shape, *item.morphTo, still) : 0;
            if (still)
                character = GetCharacter(*item.shape);
            if (character == 0)
                return false;
            bool move = onStage[item.depth] == shown[item.depth];
            if (move && morphOnStage[item.depth] == still)
            {
                AddRemoveObject(item.depth);
                move = false;
            }
            AddPlaceObject(item.matrix, item.depth, character, move, still ? nullptr : &item.ratio);
            onStage[item.depth] = shown[item.depth];
            morphOnStage[item.depth] = !still;
        }
        AddShowFrame();
    }
    return true;
}
