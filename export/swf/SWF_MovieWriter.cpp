#include "export/swf/SWF_MovieWriter.h"

#include "export/swf/SWF_BitStream.h"
#include "export/swf/SWF_BufferedFile.h"
#include "export/swf/SWF_Header.h"
#include "export/swf/SWF_ShapeOutline.h"
#include "export/swf/SWF_TagList.h"
#include "export/swf/SWF_Tag_DefineShape3.h"
#include "export/swf/SWF_Tag_End.h"
#include "export/swf/SWF_Tag_PlaceObject2.h"
#include "export/swf/SWF_Tag_RemoveObject2.h"
#include "export/swf/SWF_Tag_SetBackgroundColor.h"
#include "export/swf/SWF_Tag_ShowFrame.h"
#include "model/FlashCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "model/GradientMarker.h"

#include <algorithm>
#include <cmath>
#include <set>
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
};

constexpr uint8_t kFillSolid = 0x00;
constexpr uint8_t kFillLinearGradient = 0x10;
constexpr uint8_t kFillRadialGradient = 0x12;
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

// The fill style of a shape's brush as the stage paints it; false for a brush of unknown kind.
bool MakeFillStyle(const CFlashShape& shape, const Gdiplus::Brush& brush, C_SWF_FillStyle& style)
{
    std::vector<CGradientMarker> markers;
    const Gdiplus::BrushType type = brush.GetType();
    if (type == Gdiplus::BrushTypeLinearGradient)
    {
        // The brush's own rectangle, in a unit square stretched over the path's bounds.
        const auto& linear = static_cast<const Gdiplus::LinearGradientBrush&>(brush);
        ReadLinearGradientMarkers(linear, markers);
        Gdiplus::RectF unit;
        linear.GetRectangle(&unit);
        const Gdiplus::Rect b = PathBounds(shape);
        const double x0 = b.X + double(b.Width) * unit.X, x1 = b.X + double(b.Width) * (unit.X + unit.Width);
        const double y0 = b.Y + double(b.Height) * unit.Y, y1 = b.Y + double(b.Height) * (unit.Y + unit.Height);
        const double m[6] = {(x1 - x0) / kGradientSquare, 0, 0, (y1 - y0) / kGradientSquare, (x0 + x1) / 2, (y0 + y1) / 2};
        style.fillStyleType = kFillLinearGradient;
        style.gradientMatrix = MakeMatrix(m);
        style.gradient = MakeGradient(markers);
        return !markers.empty();
    }
    if (type == Gdiplus::BrushTypePathGradient)
    {
        // A circle around the bounds' centre whose diameter is the bounds' diagonal.
        ReadPathGradientMarkers(static_cast<const Gdiplus::PathGradientBrush&>(brush), markers);
        const Gdiplus::Rect b = PathBounds(shape);
        const double diameter = std::trunc(std::hypot(double(b.Width), double(b.Height)));
        const double m[6] = {diameter / kGradientSquare, 0, 0, diameter / kGradientSquare,
                             double(b.X + b.Width / 2), double(b.Y + b.Height / 2)};
        style.fillStyleType = kFillRadialGradient;
        style.gradientMatrix = MakeMatrix(m);
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

    InitHeader(source);
    AddBackgroundTag(source.backgroundColor);
    const bool framesAdded = AddFrames(source, frameCount);
    m_shownShapes.clear();
    m_layerDepthBase.clear();
    m_characters.clear();
    m_tweenPlacement.reset();
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

void C_SWF_MovieWriter::AddDefineShape(const CFlashShape& shape, uint16_t characterId)
{
    auto tag = MakeTag<C_SWF_Tag_DefineShape3>(kDefineShape3, 1);
    tag->shapeId = characterId;
    C_SWF_ShapeWithStyle& styled = tag->shapes;

    uint32_t fillStyle = 0, lineStyle = 0;
    C_SWF_FillStyle fill;
    if (shape.IsFilled() && shape.GetBrush() && MakeFillStyle(shape, *shape.GetBrush(), fill))
    {
        styled.fillStyles.fillStyles.push_back(fill);
        fillStyle = 1;
    }
    int64_t halfPen = 0;
    if (const Gdiplus::Pen* pen = shape.GetPen())
    {
        C_SWF_LineStyle line;
        line.width = static_cast<uint16_t>(std::clamp(std::trunc(double(pen->GetWidth())), 0.0, double(UINT16_MAX)));
        line.color = FromArgb(PenColor(*pen));
        styled.lineStyles.lineStyles.push_back(line);
        lineStyle = 1;
        halfPen = (line.width + 1) / 2;
    }

    // The shape's own bounds, widened so that the stroke lies inside them.
    const Gdiplus::Rect bounds = shape.GetBounds();
    C_SWF_Rect& rect = tag->shapeBounds;
    rect.xmin.value = ClampToInt32(double(int64_t(bounds.X) - halfPen));
    rect.xmax.value = ClampToInt32(double(int64_t(bounds.X) + bounds.Width + halfPen));
    rect.ymin.value = ClampToInt32(double(int64_t(bounds.Y) - halfPen));
    rect.ymax.value = ClampToInt32(double(int64_t(bounds.Y) + bounds.Height + halfPen));
    rect.nbits.value = 0;
    for (const C_SWF_BitField* field : {&rect.xmin, &rect.xmax, &rect.ymin, &rect.ymax})
        rect.nbits.value = std::max<int32_t>(rect.nbits.value, C_SWF_BitStream::BitsForSigned(field->value));

    C_SWF_ShapeOutline(fillStyle, lineStyle).AddShape(shape, styled.shape.records);
    styled.shape.numFillBits.value = C_SWF_BitStream::BitsForUnsigned(uint32_t(styled.fillStyles.fillStyles.size()));
    styled.shape.numLineBits.value = C_SWF_BitStream::BitsForUnsigned(uint32_t(styled.lineStyles.lineStyles.size()));
    m_tags->Append(std::move(tag));
}

void C_SWF_MovieWriter::AddPlaceObject(const float matrix[6], uint16_t depth, uint16_t characterId, bool move)
{
    auto tag = MakeTag<C_SWF_Tag_PlaceObject2>(kPlaceObject2);
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
            if (tween)
            {
                const CFlashShape* counterpart = next->GetShapeById(shape->GetObjectId());
                const CFlashEditorFrameShapeTransform* target = counterpart ? next->GetShapeTransform(counterpart) : nullptr;
                if (target && target->IsActive())
                {
                    *m_tweenPlacement = *placement;
                    placement->Interpolate(target, m_tweenPlacement.get(), TweenFraction(frame, first, last));
                    drawn = m_tweenPlacement.get();
                }
            }
            DisplayItem item{static_cast<uint16_t>(++depth), shape, int(index), shape->GetObjectId(), {}};
            drawn->GetMatrix()->GetElements(item.matrix);
            items.push_back(item);
        }
    }
}

uint16_t C_SWF_MovieWriter::GetCharacter(const CFlashShape& shape)
{
    const auto known = m_characters.find(&shape);
    if (known != m_characters.end())
        return known->second;
    if (m_characters.size() >= kMaxId)
        return 0;
    const auto id = static_cast<uint16_t>(m_characters.size() + 1);
    m_characters[&shape] = id;
    AddDefineShape(shape, id);
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
            const uint16_t character = GetCharacter(*item.shape);
            if (character == 0)
                return false;
            const bool move = onStage[item.depth] == shown[item.depth];
            AddPlaceObject(item.matrix, item.depth, character, move);
            onStage[item.depth] = shown[item.depth];
        }
        AddShowFrame();
    }
    return true;
}
