#include "SwfTestSupport.h"

#include "export/swf/SWF_MovieWriter.h"
#include "export/swf/SWF_Tag_DefineBitsLossless2.h"
#include "export/swf/SWF_Tag_DefineMorphShape.h"
#include "export/swf/SWF_Tag_DefineShape3.h"
#include "export/swf/SWF_Tag_PlaceObject2.h"
#include "export/swf/SWF_Tag_RemoveObject2.h"
#include "export/swf/SWF_Tag_SetBackgroundColor.h"
#include "model/FlashBezierCurve.h"
#include "model/FlashBitmap.h"
#include "model/FlashCloseFigureOp.h"
#include "model/FlashContinuousPathShape.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashHollowShape.h"
#include "model/FlashSolidShape.h"
#include "model/FlashSymbol.h"
#include "model/FlashStraightLine.h"
#include "model/FlashTextShape.h"
#include "model/GeometryHelpers.h"
#include "model/GradientMarker.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <unistd.h>
#include <zlib.h>

namespace
{

constexpr uint16_t kCodeShowFrame = 1;
constexpr uint16_t kCodeDefineShape3 = 32;
constexpr uint16_t kCodePlaceObject2 = 26;
constexpr uint16_t kCodeRemoveObject2 = 28;
constexpr uint16_t kCodeDefineMorphShape = 46;

// A solid rectangle of four lines, filled with the colour; no pen.
CFlashShape* SolidRect(int x, int y, int width, int height, Gdiplus::ARGB fill = 0xffff0000)
{
    Gdiplus::SolidBrush brush{Gdiplus::Color(fill)};
    auto* shape = new CFlashSolidShape(&brush);
    shape->InsertCurve(new CFlashStraightLine(x, y, x + width, y), false, 0);
    shape->InsertCurve(new CFlashStraightLine(x + width, y, x + width, y + height), false, 0);
    shape->InsertCurve(new CFlashStraightLine(x + width, y + height, x, y + height), false, 0);
    shape->InsertCurve(new CFlashStraightLine(x, y + height, x, y), false, 0);
    return shape;
}

// An open path of one straight line, drawn with an opaque black pen.
CFlashShape* Line(int x0, int y0, int x1, int y1, float penWidth = 20.0f)
{
    Gdiplus::Pen pen(Gdiplus::Color(0xff000000), penWidth);
    auto* shape = new CFlashContinuousPathShape(&pen);
    shape->InsertCurve(new CFlashStraightLine(x0, y0, x1, y1), false, 0);
    return shape;
}

std::unique_ptr<CFlashEditorFrameShapeTransform> At(float dx, float dy)
{
    auto placement = std::make_unique<CFlashEditorFrameShapeTransform>();
    placement->GetMatrix()->Translate(dx, dy);
    return placement;
}

// A layer of one span [1, lastFrame].
std::unique_ptr<CFlashEditorLayer> LayerOfFrames(int lastFrame)
{
    auto layer = std::make_unique<CFlashEditorLayer>(nullptr);
    if (lastFrame > 1)
        layer->InsertFrames(1, lastFrame - 1);
    return layer;
}

std::unique_ptr<CFlashEditorLayer> LayerWithShape(CFlashShape* shape, int lastFrame,
                                                  std::unique_ptr<CFlashEditorFrameShapeTransform> placement = nullptr)
{
    auto layer = LayerOfFrames(lastFrame);
    layer->AddShape(shape, 1, std::move(placement));
    return layer;
}

Bytes LoadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Movie
{
    bool exported = false;
    bool closed = false;
    Bytes bytes;
    ReadMovieResult read;

    std::vector<const C_SWF_Tag*> Tags(uint16_t code) const
    {
        std::vector<const C_SWF_Tag*> found;
        for (const C_SWF_Tag* tag = read.tags ? read.tags->GetHead() : nullptr; tag; tag = tag->next)
            if (tag->tagCode == code)
                found.push_back(tag);
        return found;
    }
    const C_SWF_Tag_DefineShape3& Definition(size_t index) const
    {
        return *static_cast<const C_SWF_Tag_DefineShape3*>(Tags(kCodeDefineShape3).at(index));
    }
};

template <class Document>
Movie Export(const Document& source)
{
    TempFile file;
    Movie movie;
    C_SWF_MovieWriter writer;
    movie.exported = writer.Export(file.Path().c_str(), source);
    movie.closed = writer.Close();
    movie.bytes = LoadFile(file.Path());
    movie.read = ReadMovie(movie.bytes);
    EXPECT_TRUE(movie.read.stream.good) << movie.read.stream.error;
    return movie;
}

C_SWF_MovieSource Source(std::initializer_list<const CFlashEditorLayer*> layers)
{
    C_SWF_MovieSource source;
    source.layers = layers;
    return source;
}

// The display-list tags of every frame as text: "place D C new|move X Y" and "remove D", with D
// the depth, C the character and X, Y the translation in twips.
std::vector<std::string> FrameScript(const Movie& movie)
{
    std::vector<std::string> frames(1);
    for (const C_SWF_Tag* tag = movie.read.tags ? movie.read.tags->GetHead() : nullptr; tag; tag = tag->next)
    {
        std::ostringstream text;
        if (tag->tagCode == kCodeShowFrame)
        {
            frames.emplace_back();
            continue;
        }
        if (tag->tagCode == kCodePlaceObject2)
        {
            const auto& place = static_cast<const C_SWF_Tag_PlaceObject2&>(*tag);
            text << "place " << place.depth << ' ' << place.characterId << (place.placeFlagMove.value ? " move " : " new ")
                 << place.matrix.translateX.value << ' ' << place.matrix.translateY.value;
        }
        else if (tag->tagCode == kCodeRemoveObject2)
        {
            text << "remove " << static_cast<const C_SWF_Tag_RemoveObject2&>(*tag).depth;
        }
        else
        {
            continue;
        }
        std::string& frame = frames.back();
        frame += (frame.empty() ? "" : ", ") + text.str();
    }
    frames.pop_back(); // after the last ShowFrame only the End tag follows
    return frames;
}

using Script = std::vector<std::string>;

// Every PlaceObject2 that moves a depth and names a character of another kind than the depth
// holds (a shape turned into a morph shape or back), as "frame F depth D".
std::vector<std::string> KindChangesByMove(const Movie& movie)
{
    std::map<uint16_t, uint16_t> kindOfCharacter, kindAtDepth;
    std::vector<std::string> changes;
    int frame = 1;
    for (const C_SWF_Tag* tag = movie.read.tags ? movie.read.tags->GetHead() : nullptr; tag; tag = tag->next)
    {
        if (tag->tagCode == kCodeDefineShape3)
            kindOfCharacter[static_cast<const C_SWF_Tag_DefineShape3&>(*tag).shapeId] = kCodeDefineShape3;
        else if (tag->tagCode == kCodeDefineMorphShape)
            kindOfCharacter[static_cast<const C_SWF_Tag_DefineMorphShape&>(*tag).characterId] = kCodeDefineMorphShape;
        else if (tag->tagCode == kCodeShowFrame)
            ++frame;
        else if (tag->tagCode == kCodeRemoveObject2)
            kindAtDepth.erase(static_cast<const C_SWF_Tag_RemoveObject2&>(*tag).depth);
        if (tag->tagCode != kCodePlaceObject2)
            continue;
        const auto& place = static_cast<const C_SWF_Tag_PlaceObject2&>(*tag);
        if (!place.placeFlagHasCharacter.value)
            continue;
        const uint16_t kind = kindOfCharacter[place.characterId];
        const auto held = kindAtDepth.find(place.depth);
        if (place.placeFlagMove.value && held != kindAtDepth.end() && held->second != kind)
            changes.push_back("frame " + std::to_string(frame) + " depth " + std::to_string(place.depth));
        kindAtDepth[place.depth] = kind;
    }
    return changes;
}

TEST(MovieWriter, HeaderCarriesStageRateBackgroundAndFrameCount)
{
    auto layer3 = LayerWithShape(SolidRect(0, 0, 100, 100), 3);
    auto layer5 = LayerWithShape(SolidRect(0, 0, 100, 100), 5);
    C_SWF_MovieSource source = Source({layer3.get(), layer5.get()});
    source.stageWidth = 1024;
    source.stageHeight = 768;
    source.frameRate = 24;
    source.backgroundColor = 0x00336699; // COLORREF: red 0x99, green 0x66, blue 0x33
    const Movie movie = Export(source);
    ASSERT_TRUE(movie.exported);
    ASSERT_TRUE(movie.closed);

    const C_SWF_Header& header = movie.read.header;
    EXPECT_EQ(std::string("FWS"), std::string(header.signature, header.signature + 3));
    EXPECT_EQ(6, header.version);
    EXPECT_EQ(movie.bytes.size(), header.fileLength);
    EXPECT_EQ(0, header.frameSize.xmin.value);
    EXPECT_EQ(1024 * 20, header.frameSize.xmax.value);
    EXPECT_EQ(0, header.frameSize.ymin.value);
    EXPECT_EQ(768 * 20, header.frameSize.ymax.value);
    EXPECT_EQ(0x1800, header.frameRate);
    EXPECT_EQ(5, header.frameCount);
    EXPECT_EQ(5u, movie.Tags(kCodeShowFrame).size());
    const C_SWF_RGBA& background = movie.read.tags->GetBackgroundColor();
    EXPECT_EQ(0x99, background.red);
    EXPECT_EQ(0x66, background.green);
    EXPECT_EQ(0x33, background.blue);
}

TEST(MovieWriter, DocumentIsPublishedWithItsSettingsAndLayers)
{
    CFlashEditorDoc document;
    document.SetStageWidth(800);
    document.SetStageHeight(600);
    document.SetFrameRate(30);
    document.SetBackgroundColor(RGB(1, 2, 3));
    ASSERT_TRUE(document.AddShape(SolidRect(0, 0, 10, 10), At(5, 6)));
    document.AddLayer();
    document.SetCurrentLayer(2);
    ASSERT_TRUE(document.AddShape(SolidRect(0, 0, 10, 10), At(7, 8)));

    const Movie movie = Export(document);
    ASSERT_TRUE(movie.exported && movie.closed);
    const C_SWF_Header& header = movie.read.header;
    EXPECT_EQ(16000, header.frameSize.xmax.value);
    EXPECT_EQ(12000, header.frameSize.ymax.value);
    EXPECT_EQ(0x1E00, header.frameRate);
    EXPECT_EQ(1, header.frameCount);
    const C_SWF_RGBA& background = movie.read.tags->GetBackgroundColor();
    EXPECT_EQ(std::vector<int>({1, 2, 3}), std::vector<int>({background.red, background.green, background.blue}));
    EXPECT_EQ(Script({"place 1 1 new 5 6, place 2 1 new 7 8"}), FrameScript(movie));
}

TEST(MovieWriter, EmptyDocumentHasBackgroundAndEndOnly)
{
    const Movie movie = Export(Source({}));
    ASSERT_TRUE(movie.exported && movie.closed);
    EXPECT_EQ(0, movie.read.header.frameCount);
    EXPECT_EQ(2u, TagCount(*movie.read.tags));
}

// A shape in a span [1, 4] and its copy 400 twips further right in the keyframe at 5.
struct TweenCase
{
    const char* what;
    bool firstTweened;
    bool secondTweened;
    bool sameIdentifier;
    Script expected;
};

TEST(MovieWriter, PlacementsFollowTheStageTweenRule)
{
    const TweenCase cases[] = {
        {"both spans tweened", true, true, true,
         {"place 1 1 new 0 0", "place 1 1 move 100 0", "place 1 1 move 200 0", "place 1 1 move 300 0",
          "place 1 1 move 400 0"}},
        {"next span not tweened", true, false, true,
         {"place 1 1 new 0 0", "place 1 1 move 0 0", "place 1 1 move 0 0", "place 1 1 move 0 0",
          "place 1 1 move 400 0"}},
        {"no tween", false, false, true,
         {"place 1 1 new 0 0", "place 1 1 move 0 0", "place 1 1 move 0 0", "place 1 1 move 0 0",
          "place 1 1 move 400 0"}},
        // Another object in the next keyframe: no tween, and the first leaves when it arrives.
        {"counterpart with another identifier", true, true, false,
         {"place 1 1 new 0 0", "place 1 1 move 0 0", "place 1 1 move 0 0", "place 1 1 move 0 0",
          "remove 1, place 1 1 new 400 0"}},
    };
    for (const TweenCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        auto layer = LayerWithShape(SolidRect(0, 0, 100, 100), 4);
        // The keyframe at 5 holds a copy of the shape, or a fresh object in a blank keyframe.
        CFlashEditorFrame* second = layer->InsertKeyframe(5, c.sameIdentifier);
        ASSERT_NE(nullptr, second);
        if (!c.sameIdentifier)
            layer->AddShape(SolidRect(0, 0, 100, 100), 5, nullptr);
        CFlashShape* copy = second->GetTransformRange().begin()->first;
        second->TranslateShape(copy, 400, 0);
        layer->FindSpan(1)->SetMotionTween(c.firstTweened);
        second->SetMotionTween(c.secondTweened);

        const Movie movie = Export(Source({layer.get()}));
        ASSERT_TRUE(movie.exported && movie.closed);
        EXPECT_EQ(c.expected, FrameScript(movie));
    }
}

TEST(MovieWriter, ShapesLeaveAndComeBackWithTheirSpans)
{
    struct Case
    {
        const char* what;
        std::function<std::vector<std::unique_ptr<CFlashEditorLayer>>()> build;
        Script expected;
    };
    const Case cases[] = {
        {"a blank keyframe follows",
         [] {
             std::vector<std::unique_ptr<CFlashEditorLayer>> layers;
             layers.push_back(LayerWithShape(SolidRect(0, 0, 10, 10), 2));
             layers[0]->InsertKeyframe(3, false);
             return layers;
         },
         {"place 1 1 new 0 0", "place 1 1 move 0 0", "remove 1"}},
        {"its layer ends first",
         [] {
             std::vector<std::unique_ptr<CFlashEditorLayer>> layers;
             layers.push_back(LayerWithShape(SolidRect(0, 0, 10, 10), 1));
             layers.push_back(LayerWithShape(SolidRect(0, 0, 10, 10), 2));
             return layers;
         },
         {"place 1 1 new 0 0, place 2 1 new 0 0", "remove 1, place 2 1 move 0 0"}},
        {"it comes back after a blank keyframe",
         [] {
             std::vector<std::unique_ptr<CFlashEditorLayer>> layers;
             layers.push_back(LayerWithShape(SolidRect(0, 0, 10, 10), 1));
             CFlashEditorLayer& layer = *layers[0];
             layer.InsertKeyframe(2, false);
             layer.InsertKeyframe(3, false);
             // Frame 3 holds a copy of frame 1's shape, with the same identifier.
             const CFlashShape* original = layer.FindSpan(1)->GetTransformRange().begin()->first;
             CFlashShape* copy = original->Clone();
             copy->CopyCurvesFrom(*original);
             copy->SetObjectId(original->GetObjectId());
             layer.AddShape(copy, 3, At(50, 0));
             return layers;
         },
         {"place 1 1 new 0 0", "remove 1", "place 1 1 new 50 0"}},
        {"the next keyframe sends the front shape to the back",
         [] {
             std::vector<std::unique_ptr<CFlashEditorLayer>> layers;
             layers.push_back(LayerWithShape(SolidRect(0, 0, 10, 10), 1, At(1, 0)));
             CFlashEditorLayer& layer = *layers[0];
             CFlashShape* front = SolidRect(0, 0, 10, 10);
             layer.AddShape(front, 1, At(2, 0));
             CFlashEditorFrame* next = layer.InsertKeyframe(2, true);
             next->MoveShapeToBack(next->GetShapeById(front->GetObjectId()));
             return layers;
         },
         {"place 1 1 new 1 0, place 2 1 new 2 0", "remove 1, remove 2, place 1 1 new 2 0, place 2 1 new 1 0"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        const auto layers = c.build();
        C_SWF_MovieSource source;
        for (const auto& layer : layers)
            source.layers.push_back(layer.get());
        const Movie movie = Export(source);
        ASSERT_TRUE(movie.exported && movie.closed);
        EXPECT_EQ(c.expected, FrameScript(movie));
    }
}

TEST(MovieWriter, DepthsFollowLayersAndStackingOrder)
{
    // The top layer's shapes are older (smaller identifiers) than the bottom layer's.
    CFlashShape* topBack = SolidRect(0, 0, 10, 10);
    CFlashShape* topFront = SolidRect(0, 0, 10, 10);
    CFlashShape* bottomFront = SolidRect(0, 0, 10, 10);
    CFlashShape* bottomBack = SolidRect(0, 0, 10, 10);
    auto top = LayerWithShape(topBack, 1, At(1, 0));
    top->AddShape(topFront, 1, At(2, 0));
    auto bottom = LayerWithShape(bottomFront, 1, At(3, 0));
    bottom->AddShape(bottomBack, 1, At(4, 0));
    bottom->FindSpan(1)->MoveShapeToBack(bottomBack);

    const Movie movie = Export(Source({bottom.get(), top.get()}));
    ASSERT_TRUE(movie.exported && movie.closed);
    // Back to front: bottom layer's back, its front, top layer's back, its front.
    EXPECT_EQ(Script({"place 1 1 new 4 0, place 2 1 new 3 0, place 3 1 new 1 0, place 4 1 new 2 0"}), FrameScript(movie));
}

TEST(MovieWriter, HiddenLayersAndShapesAreLeftOut)
{
    CFlashShape* hiddenShape = SolidRect(0, 0, 10, 10);
    auto visible = LayerWithShape(hiddenShape, 1, At(1, 0));
    visible->AddShape(SolidRect(0, 0, 10, 10), 1, At(2, 0));
    hiddenShape->SetState(kResourceStateHidden);
    auto hidden = LayerWithShape(SolidRect(0, 0, 10, 10), 2, At(3, 0));
    hidden->SetVisible(false);

    const Movie movie = Export(Source({visible.get(), hidden.get()}));
    ASSERT_TRUE(movie.exported && movie.closed);
    // The hidden layer still counts for the frame count, as on the timeline.
    EXPECT_EQ(Script({"place 1 1 new 2 0", "remove 1"}), FrameScript(movie));
    EXPECT_EQ(1u, movie.Tags(kCodeDefineShape3).size());
}

TEST(MovieWriter, OneDefinitionPerDistinctShape)
{
    // One span over three frames, then a keyframe whose copy was made wider.
    auto layer = LayerWithShape(SolidRect(0, 0, 100, 100), 3);
    CFlashEditorFrame* copySpan = layer->InsertKeyframe(4, true);
    ASSERT_NE(nullptr, copySpan);
    CFlashShape* copy = copySpan->GetTransformRange().begin()->first;
    copy->GetCurve(1)->Offset(900, 0);
    copy->GetCurve(0)->SetPoint(1, POINT{1000, 0});
    copy->GetCurve(0)->Recalc();
    copy->GetCurve(2)->SetPoint(0, POINT{1000, 100});
    copy->GetCurve(2)->Recalc();

    const Movie movie = Export(Source({layer.get()}));
    ASSERT_TRUE(movie.exported && movie.closed);
    EXPECT_EQ(Script({"place 1 1 new 0 0", "place 1 1 move 0 0", "place 1 1 move 0 0", "place 1 2 move 0 0"}),
              FrameScript(movie));
    ASSERT_EQ(2u, movie.Tags(kCodeDefineShape3).size());
    EXPECT_EQ(1, movie.Definition(0).shapeId);
    EXPECT_EQ(100, movie.Definition(0).shapeBounds.xmax.value);
    EXPECT_EQ(2, movie.Definition(1).shapeId);
    EXPECT_EQ(1000, movie.Definition(1).shapeBounds.xmax.value);
}

TEST(MovieWriter, ExportLeavesTheDocumentUnchanged)
{
    // The second keyframe holds another shape, so the first one has no counterpart there.
    auto layer = LayerWithShape(SolidRect(0, 0, 10, 10), 2);
    layer->InsertKeyframe(3, false);
    layer->AddShape(SolidRect(0, 0, 10, 10), 3, nullptr);
    layer->FindSpan(1)->SetMotionTween(true);
    layer->FindSpan(3)->SetMotionTween(true);
    const size_t before[2] = {layer->FindSpan(1)->GetTransformRange().size(), layer->FindSpan(3)->GetTransformRange().size()};

    const Movie movie = Export(Source({layer.get()}));
    ASSERT_TRUE(movie.exported && movie.closed);
    EXPECT_EQ(before[0], layer->FindSpan(1)->GetTransformRange().size());
    EXPECT_EQ(before[1], layer->FindSpan(3)->GetTransformRange().size());
}

TEST(MovieWriter, FailuresAreReportedAndLeaveNoFile)
{
    TempFile writable;
    auto scaled = std::make_unique<CFlashEditorFrameShapeTransform>();
    scaled->GetMatrix()->Scale(70000.0f, 1.0f);
    auto* widePicture = new CFlashBitmap();
    widePicture->SetImage(std::make_unique<Gdiplus::Bitmap>(65536, 1, PixelFormat32bppARGB));
    ASSERT_EQ(65536u, widePicture->GetImage()->GetWidth());
    struct Case
    {
        const char* what;
        std::string path;
        std::unique_ptr<CFlashEditorLayer> layer;
    };
    Case cases[] = {
        {"the folder does not exist", "/tmp/no_such_folder_" + std::to_string(::getpid()) + "/movie.swf",
         LayerWithShape(SolidRect(0, 0, 10, 10), 1)},
        {"a scale beyond the matrix fields", writable.Path(), LayerWithShape(SolidRect(0, 0, 10, 10), 1, std::move(scaled))},
        {"more frames than the header counts", writable.Path(), LayerOfFrames(65536)},
        {"a picture wider than the bitmap fields", writable.Path(), LayerWithShape(widePicture, 1)},
    };
    for (Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        C_SWF_MovieWriter writer;
        EXPECT_FALSE(writer.Export(c.path.c_str(), Source({c.layer.get()})));
        EXPECT_FALSE(writer.Close());
        EXPECT_NE(0, ::access(c.path.c_str(), F_OK));
    }
}

TEST(MovieWriter, MovieBeyondOneBufferIsWrittenWhole)
{
    // 120 shapes moving over 2,000 frames: well over 4 MB of placements.
    auto layer = LayerOfFrames(1999);
    for (int i = 0; i < 120; ++i)
        layer->AddShape(SolidRect(0, 0, 100, 100), 1, At(float(i * 40), 0));
    ASSERT_NE(nullptr, layer->InsertKeyframe(2000, true));
    for (const auto& [shape, placement] : layer->FindSpan(2000)->GetTransformRange())
        placement->GetMatrix()->Rotate(90);
    layer->FindSpan(1)->SetMotionTween(true);
    layer->FindSpan(2000)->SetMotionTween(true);

    const Movie movie = Export(Source({layer.get()}));
    ASSERT_TRUE(movie.exported && movie.closed);
    EXPECT_GT(movie.bytes.size(), size_t(C_SWF_BufferedFile::kChunkSize));
    EXPECT_EQ(movie.bytes.size(), movie.read.header.fileLength);
    EXPECT_EQ(2000u, movie.Tags(kCodeShowFrame).size());
}

// The definition of a movie of one frame showing only this shape.
C_SWF_Tag_DefineShape3 DefineAlone(CFlashShape* shape)
{
    auto layer = LayerWithShape(shape, 1);
    const Movie movie = Export(Source({layer.get()}));
    EXPECT_TRUE(movie.exported && movie.closed);
    return movie.Definition(0);
}

// A shape's records as text in absolute twips: "M x y" moves, "L x y" lines, "Q cx cy x y"
// curves, "S n" line style and "F n" fill style changes.
std::string Outline(const C_SWF_Tag_DefineShape3& definition)
{
    std::ostringstream text;
    int x = 0, y = 0;
    for (const C_SWF_ShapeRecord& record : definition.shapes.shape.records)
    {
        if (record.IsEndRecord())
            break;
        if (!text.str().empty())
            text << ", ";
        if (record.typeFlag.value == 0)
        {
            if (record.stateMoveTo.value)
            {
                x = record.moveDeltaX.value;
                y = record.moveDeltaY.value;
                text << "M " << x << ' ' << y;
            }
            if (record.stateLineStyle.value)
                text << "S " << record.lineStyle.value;
            if (record.stateFillStyle0.value)
                text << "F " << record.fillStyle0.value;
            continue;
        }
        if (record.straightFlag.value)
        {
            x += record.deltaX.value;
            y += record.deltaY.value;
            text << "L " << x << ' ' << y;
            continue;
        }
        const int cx = x + record.controlDeltaX.value, cy = y + record.controlDeltaY.value;
        x = cx + record.anchorDeltaX.value;
        y = cy + record.anchorDeltaY.value;
        text << "Q " << cx << ' ' << cy << ' ' << x << ' ' << y;
    }
    return text.str();
}

TEST(MovieWriterShapes, OneLineAsTheStageDrawsIt)
{
    const C_SWF_Tag_DefineShape3 definition = DefineAlone(Line(100, 200, 1100, 200));
    EXPECT_EQ(1, definition.longHeader);
    const C_SWF_ShapeWithStyle& styled = definition.shapes;
    EXPECT_TRUE(styled.fillStyles.fillStyles.empty());
    ASSERT_EQ(1u, styled.lineStyles.lineStyles.size());
    EXPECT_EQ(20, styled.lineStyles.lineStyles[0].width);
    const C_SWF_RGBA& color = styled.lineStyles.lineStyles[0].color;
    EXPECT_EQ(std::vector<int>({0, 0, 0, 255}), std::vector<int>({color.red, color.green, color.blue, color.alpha}));
    EXPECT_EQ(1, styled.shape.numFillBits.value);
    EXPECT_EQ(1, styled.shape.numLineBits.value);
    ASSERT_EQ(4u, styled.shape.records.size());
    EXPECT_EQ(9, styled.shape.records[0].moveBits.value);
    EXPECT_EQ(9, styled.shape.records[2].numBits.value);
    EXPECT_EQ("M 100 200, S 1, L 1100 200", Outline(definition));
    // The shape's own bounds widened by half the pen.
    const C_SWF_Rect& bounds = definition.shapeBounds;
    EXPECT_EQ(std::vector<int>({90, 1110, 190, 210}),
              std::vector<int>({bounds.xmin.value, bounds.xmax.value, bounds.ymin.value, bounds.ymax.value}));
}

TEST(MovieWriterShapes, OutlinesFollowTheShapeClasses)
{
    Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
    Gdiplus::SolidBrush brush(Gdiplus::Color(0xff00ff00));
    struct Case
    {
        const char* what;
        std::function<CFlashShape*()> make;
        std::string expected;
    };
    const Case cases[] = {
        {"a filled figure is closed by an unstroked edge",
         [&] {
             auto* shape = new CFlashSolidShape(&brush);
             shape->SetPen(&pen);
             shape->InsertCurve(new CFlashStraightLine(0, 0, 100, 0), false, 0);
             shape->InsertCurve(new CFlashStraightLine(100, 0, 100, 100), false, 0);
             return shape;
         },
         "M 0 0, S 1, F 1, L 100 0, L 100 100, S 0, L 0 0"},
        {"a hollow shape's curves stand alone",
         [&] {
             auto* shape = new CFlashHollowShape(&pen);
             shape->InsertCurve(new CFlashStraightLine(0, 0, 100, 0), false, 0);
             shape->InsertCurve(new CFlashStraightLine(200, 0, 300, 0), false, 0);
             return shape;
         },
         "M 0 0, S 1, L 100 0, M 200 0, L 300 0"},
        {"an open path joins and closes its figure with strokes",
         [&] {
             auto* shape = new CFlashContinuousPathShape(&pen);
             shape->InsertCurve(new CFlashStraightLine(0, 0, 100, 0), false, 0);
             shape->InsertCurve(new CFlashStraightLine(100, 100, 0, 100), false, 0);
             shape->InsertCurve(new CFlashCloseFigureOp(), false, 0);
             shape->InsertCurve(new CFlashStraightLine(500, 500, 600, 500), false, 0);
             return shape;
         },
         "M 0 0, S 1, L 100 0, L 100 100, L 0 100, L 0 0, M 500 500, L 600 500"},
        {"a Bezier built from a quadratic point keeps it",
         [&] {
             auto* shape = new CFlashContinuousPathShape(&pen);
             shape->InsertCurve(new CFlashBezierCurve(0, 0, 300, 300, 600, 0), false, 0);
             return shape;
         },
         "M 0 0, S 1, Q 300 300 600 0"},
        {"an edge longer than a record holds is split",
         [&] {
             auto* shape = new CFlashContinuousPathShape(&pen);
             shape->InsertCurve(new CFlashStraightLine(0, 0, 200000, -4), false, 0);
             return shape;
         },
         "M 0 0, S 1, L 50000 -1, L 100000 -2, L 150000 -3, L 200000 -4"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.expected, Outline(DefineAlone(c.make())));
    }
}

TEST(MovieWriterShapes, CubicCurvesBecomeCloseQuadraticPieces)
{
    Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
    auto* shape = new CFlashContinuousPathShape(&pen);
    // Control points moved apart from the quadratic point, as fitted curves have them.
    auto* curve = new CFlashBezierCurve(0, 0, 0, 0, 3000, 0);
    curve->SetPoint(2, POINT{0, 3000});
    curve->SetPoint(3, POINT{3000, 3000});
    shape->InsertCurve(curve, false, 0);
    const C_SWF_Tag_DefineShape3 definition = DefineAlone(shape);

    // Every piece's end lies on the cubic, and the last one is the curve's end.
    int x = 0, y = 0, pieces = 0;
    for (const C_SWF_ShapeRecord& record : definition.shapes.shape.records)
    {
        if (record.typeFlag.value != 1)
            continue;
        ASSERT_EQ(0, record.straightFlag.value);
        x += record.controlDeltaX.value + record.anchorDeltaX.value;
        y += record.controlDeltaY.value + record.anchorDeltaY.value;
        ++pieces;
        // On this cubic x = 3000 t^2 (3 - 2t) and y = 9000 t (1 - t).
        double low = 0, high = 1;
        for (int i = 0; i < 60; ++i)
        {
            const double t = (low + high) / 2;
            (3000 * t * t * (3 - 2 * t) < x ? low : high) = t;
        }
        EXPECT_NEAR(9000 * low * (1 - low), y, 1.0);
    }
    EXPECT_GT(pieces, 1);
    EXPECT_EQ(3000, x);
    EXPECT_EQ(0, y);
}

TEST(MovieWriterShapes, FillsBecomeSwfFillStyles)
{
    const std::vector<CGradientMarker> stops = {{0.0, 0x0000FF}, {0.5, 0x00FF00}, {1.0, 0xFF0000}};
    Gdiplus::Bitmap picture(2, 1, PixelFormat32bppARGB);
    picture.SetPixel(0, 0, Gdiplus::Color(0xffff0000));
    picture.SetPixel(1, 0, Gdiplus::Color(0xff0000ff));
    struct Case
    {
        const char* what;
        std::unique_ptr<Gdiplus::Brush> brush;
        int type;
        std::vector<double> matrix; // scale x, scale y, translate x, translate y
        std::vector<int> colors;   // solid: r, g, b, a; gradients: ratio, r, g, b per stop
    };
    Case cases[] = {
        {"solid", std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(0x80102030)), 0x00, {}, {0x10, 0x20, 0x30, 0x80}},
        {"linear gradient over the bounds", CreateLinearGradientBrush(Gdiplus::Rect(0, 0, 1, 1), stops), 0x10,
         {0.5, 0.25, 8192, 4096}, {0, 255, 0, 0, 128, 0, 255, 0, 255, 0, 0, 255}},
        {"radial gradient over the bounds' diagonal", CreateRadialGradientBrush(Gdiplus::Rect(0, 0, 1, 1), stops), 0x12,
         {18317.0 / 32768, 18317.0 / 32768, 8192, 4096}, {0, 255, 0, 0, 128, 0, 255, 0, 255, 0, 0, 255}},
        {"texture as its average colour", std::make_unique<Gdiplus::TextureBrush>(&picture), 0x00, {},
         {127, 0, 127, 255}},
    };
    for (Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        auto* shape = new CFlashSolidShape(c.brush.get());
        shape->InsertCurve(new CFlashStraightLine(0, 0, 16384, 0), false, 0);
        shape->InsertCurve(new CFlashStraightLine(16384, 0, 16384, 8192), false, 0);
        shape->InsertCurve(new CFlashStraightLine(16384, 8192, 0, 8192), false, 0);
        shape->InsertCurve(new CFlashStraightLine(0, 8192, 0, 0), false, 0);
        const C_SWF_Tag_DefineShape3 definition = DefineAlone(shape);
        ASSERT_EQ(1u, definition.shapes.fillStyles.fillStyles.size());
        const C_SWF_FillStyle& style = definition.shapes.fillStyles.fillStyles[0];
        EXPECT_EQ(c.type, style.fillStyleType);
        std::vector<int> colors;
        if (c.type == 0x00)
        {
            colors = {style.color.red, style.color.green, style.color.blue, style.color.alpha};
        }
        else
        {
            const C_SWF_Matrix& m = style.gradientMatrix;
            EXPECT_NEAR(c.matrix[0], m.scaleX.value, 1e-4);
            EXPECT_NEAR(c.matrix[1], m.scaleY.value, 1e-4);
            EXPECT_EQ(0.0, m.rotateSkew0.value);
            EXPECT_EQ(0.0, m.rotateSkew1.value);
            EXPECT_EQ(c.matrix[2], m.translateX.value);
            EXPECT_EQ(c.matrix[3], m.translateY.value);
            for (const C_SWF_GradRecord& record : style.gradient.records)
                colors.insert(colors.end(), {record.ratio, record.color.red, record.color.green, record.color.blue});
        }
        EXPECT_EQ(c.colors, colors);
        EXPECT_EQ("F 1", Outline(definition).substr(Outline(definition).find('F'), 3));
    }
}

constexpr uint16_t kCodeDefineBitsLossless2 = 36;

// The box the records' points (ends and control points) span, in absolute twips.
Gdiplus::Rect RecordBounds(const std::vector<C_SWF_ShapeRecord>& records)
{
    int64_t x = 0, y = 0, left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    auto take = [&](int64_t px, int64_t py) {
        left = std::min(left, px), right = std::max(right, px), top = std::min(top, py), bottom = std::max(bottom, py);
    };
    for (const C_SWF_ShapeRecord& record : records)
    {
        if (record.typeFlag.value == 0)
        {
            if (record.stateMoveTo.value)
                take(x = record.moveDeltaX.value, y = record.moveDeltaY.value);
        }
        else if (record.straightFlag.value)
        {
            take(x += record.deltaX.value, y += record.deltaY.value);
        }
        else
        {
            take(x += record.controlDeltaX.value, y += record.controlDeltaY.value);
            take(x += record.anchorDeltaX.value, y += record.anchorDeltaY.value);
        }
    }
    if (left > right)
        return {};
    return Gdiplus::Rect(INT(left), INT(top), INT(right - left), INT(bottom - top));
}

CFlashTextShape* Text(const char* text, int alignment, Gdiplus::ARGB color = 0xff2040c0)
{
    Gdiplus::FontFamily family(u"Arial");
    Gdiplus::Font font(&family, 24.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
    auto* shape = new CFlashTextShape(&font, nullptr, &brush);
    shape->SetText(text);
    shape->SetTextAlignment(alignment);
    shape->SetRect(Gdiplus::Rect(2000, 2000, 4000, 1000));
    return shape;
}

TEST(MovieWriterContent, TextIsItsGlyphOutlinesWhereTheStageDrawsThem)
{
    struct Case
    {
        const char* what;
        const char* text;
        int alignment;
    };
    const Case cases[] = {
        {"left", "Hello", 0}, {"centred", "Hello", 1}, {"right", "Hello", 2}, {"two lines", "Hello\r\nWorld!", 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CFlashTextShape* text = Text(c.text, c.alignment);
        HDC dc = CreateCompatibleDC(nullptr);
        Gdiplus::Rect stage;
        {
            Gdiplus::Graphics graphics(dc);
            Gdiplus::GraphicsPath path;
            text->AddToPath(path, graphics, 1.0);
            path.GetBounds(&stage);
        }
        DeleteDC(dc);
        ASSERT_GT(stage.Width, 0);

        const C_SWF_Tag_DefineShape3 definition = DefineAlone(text);
        const Gdiplus::Rect drawn = RecordBounds(definition.shapes.shape.records);
        // Within a pixel of the stage's glyph bounds on every side.
        EXPECT_NEAR(stage.X, drawn.X, 20);
        EXPECT_NEAR(stage.Y, drawn.Y, 20);
        EXPECT_NEAR(stage.X + stage.Width, drawn.X + drawn.Width, 20);
        EXPECT_NEAR(stage.Y + stage.Height, drawn.Y + drawn.Height, 20);
        EXPECT_NEAR(stage.X, definition.shapeBounds.xmin.value, 20);
        EXPECT_NEAR(stage.Y + stage.Height, definition.shapeBounds.ymax.value, 20);
        ASSERT_EQ(1u, definition.shapes.fillStyles.fillStyles.size());
        const C_SWF_RGBA& fill = definition.shapes.fillStyles.fillStyles[0].color;
        EXPECT_EQ(std::vector<int>({0x20, 0x40, 0xc0, 0xff}), std::vector<int>({fill.red, fill.green, fill.blue, fill.alpha}));
        EXPECT_TRUE(definition.shapes.lineStyles.lineStyles.empty()) << "text has no outline";
    }
}

CFlashBitmap* Picture(const std::vector<Gdiplus::ARGB>& pixels, int width, int x, int y)
{
    const int height = int(pixels.size()) / width;
    auto image = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    for (int i = 0; i < int(pixels.size()); ++i)
        image->SetPixel(i % width, i / width, Gdiplus::Color(pixels[i]));
    auto* shape = new CFlashBitmap();
    shape->SetImage(std::move(image));
    shape->SetPosition(x, y);
    return shape;
}

TEST(MovieWriterContent, PicturesAreBitmapFilledRectanglesDefinedOnce)
{
    const std::vector<Gdiplus::ARGB> pixels = {0xffff0000, 0x80008000, 0xff0000ff, 0x00000000, 0xffffffff, 0xff102030};
    auto layer = LayerOfFrames(1);
    layer->AddShape(Picture(pixels, 3, 10, 20), 1, nullptr);
    layer->AddShape(Picture(pixels, 3, 50, 5), 1, nullptr);
    layer->AddShape(Picture({0xff000000}, 1, 0, 0), 1, nullptr);
    layer->AddShape(new CFlashBitmap(), 1, nullptr); // no picture: nothing to show
    const Movie movie = Export(Source({layer.get()}));
    ASSERT_TRUE(movie.exported && movie.closed);

    const auto bitmaps = movie.Tags(kCodeDefineBitsLossless2);
    ASSERT_EQ(2u, bitmaps.size()) << "two distinct pictures";
    const auto& bitmap = static_cast<const C_SWF_Tag_DefineBitsLossless2&>(*bitmaps[0]);
    EXPECT_EQ(5, bitmap.bitmapFormat);
    EXPECT_EQ(3, bitmap.bitmapWidth);
    EXPECT_EQ(2, bitmap.bitmapHeight);
    std::vector<uint8_t> argb(3 * 2 * 4);
    uLongf size = uLongf(argb.size());
    ASSERT_EQ(Z_OK, uncompress(argb.data(), &size, bitmap.data.data(), uLong(bitmap.data.size())));
    ASSERT_EQ(argb.size(), size);
    // Premultiplied A, R, G, B per pixel.
    EXPECT_EQ(std::vector<uint8_t>({0xff, 0xff, 0, 0, 0x80, 0, 0x40, 0, 0xff, 0, 0, 0xff, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0xff,
                                    0xff, 0x10, 0x20, 0x30}),
              argb);

    ASSERT_EQ(4u, movie.Tags(kCodeDefineShape3).size());
    EXPECT_TRUE(movie.Definition(3).shapes.fillStyles.fillStyles.empty());
    EXPECT_EQ(1u, movie.Definition(3).shapes.shape.records.size());
    struct Expected
    {
        int x, y, width, height;
    };
    const Expected expected[] = {{200, 400, 60, 40}, {1000, 100, 60, 40}, {0, 0, 20, 20}};
    for (size_t i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        const C_SWF_Tag_DefineShape3& definition = movie.Definition(i);
        ASSERT_EQ(1u, definition.shapes.fillStyles.fillStyles.size());
        const C_SWF_FillStyle& fill = definition.shapes.fillStyles.fillStyles[0];
        EXPECT_EQ(0x41, fill.fillStyleType);
        EXPECT_EQ(static_cast<const C_SWF_Tag_DefineBitsLossless2&>(*bitmaps[i < 2 ? 0 : 1]).characterId, fill.bitmapId);
        EXPECT_EQ(20.0, fill.bitmapMatrix.scaleX.value);
        EXPECT_EQ(20.0, fill.bitmapMatrix.scaleY.value);
        EXPECT_EQ(expected[i].x, fill.bitmapMatrix.translateX.value);
        EXPECT_EQ(expected[i].y, fill.bitmapMatrix.translateY.value);
        const Gdiplus::Rect outline = RecordBounds(definition.shapes.shape.records);
        EXPECT_TRUE(outline.Equals(Gdiplus::Rect(expected[i].x, expected[i].y, expected[i].width, expected[i].height)));
    }
}

// A shape in a span [1, 12] tweened towards its copy in the keyframe at 13, which the change
// makes another colour or pen.
TEST(MovieWriterContent, ColourAndPenWidthTweensPlayAsOnTheStage)
{
    struct Case
    {
        const char* what;
        std::function<CFlashShape*()> make;
        std::function<void(CFlashShape&)> change;
        bool line;
    };
    const Case cases[] = {
        {"red to blue fill", [] { return SolidRect(0, 0, 100, 100, 0xffff0000); },
         [](CFlashShape& copy) {
             Gdiplus::SolidBrush blue{Gdiplus::Color(0xff0000ff)};
             copy.SetBrush(&blue);
         },
         false},
        {"pen 20 to 80 twips, black to green", [] { return Line(0, 0, 1000, 0, 20.0f); },
         [](CFlashShape& copy) {
             Gdiplus::Pen pen(Gdiplus::Color(0xff00ff00), 80.0f);
             copy.SetPen(&pen);
         },
         true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        auto layer = LayerWithShape(c.make(), 12);
        CFlashEditorFrame* second = layer->InsertKeyframe(13, true);
        CFlashShape* to = second->GetTransformRange().begin()->first;
        c.change(*to);
        layer->FindSpan(1)->SetMotionTween(true);
        second->SetMotionTween(true);
        const Movie movie = Export(Source({layer.get()}));
        ASSERT_TRUE(movie.exported && movie.closed);

        const auto morphs = movie.Tags(kCodeDefineMorphShape);
        ASSERT_EQ(1u, morphs.size());
        const auto& morph = static_cast<const C_SWF_Tag_DefineMorphShape&>(*morphs[0]);
        // The placements of frames 1 to 12 in order.
        std::vector<const C_SWF_Tag_PlaceObject2*> places;
        for (const C_SWF_Tag* tag : movie.Tags(kCodePlaceObject2))
            places.push_back(static_cast<const C_SWF_Tag_PlaceObject2*>(tag));
        ASSERT_EQ(13u, places.size());
        EXPECT_NE(morph.characterId, places[0]->characterId) << "the keyframe shows the shape itself";
        EXPECT_EQ(0, places[0]->placeFlagHasRatio.value);
        for (int frame : {2, 6, 7, 12})
        {
            SCOPED_TRACE(frame);
            const C_SWF_Tag_PlaceObject2& place = *places[frame - 1];
            ASSERT_EQ(morph.characterId, place.characterId);
            ASSERT_EQ(1, place.placeFlagHasRatio.value);
            const double t = (frame - 1) / 12.0;
            const double r = place.ratio / 65535.0;
            auto between = [r](int a, int b) { return a + (b - a) * r; };
            if (c.line)
            {
                const C_SWF_MorphLineStyle& style = morph.morphLineStyles.lineStyles.at(0);
                EXPECT_NEAR(20 + t * 60, between(style.startWidth, style.endWidth), 1.0);
                EXPECT_NEAR(255 * t, between(style.startColor.green, style.endColor.green), 1.0);
                continue;
            }
            Gdiplus::ARGB stage = 0;
            LerpColor(stage, 0xffff0000, 0xff0000ff, t);
            const C_SWF_MorphFillStyle& style = morph.morphFillStyles.fillStyles.at(0);
            EXPECT_NEAR((stage >> 16) & 0xFF, between(style.startColor.red, style.endColor.red), 1.0);
            EXPECT_NEAR(stage & 0xFF, between(style.startColor.blue, style.endColor.blue), 1.0);
        }
        EXPECT_EQ(RecordBounds(morph.startEdges.records).Width, RecordBounds(morph.endEdges.records).Width);
        EXPECT_EQ(std::vector<std::string>{}, KindChangesByMove(movie));
    }
}

// A still shape below, and above it a shape that only changes colour from frame 1 to frame 20.
TEST(MovieWriterContent, ColourTweenOnASecondLayerReplacesItsDepthsCharacter)
{
    auto below = LayerWithShape(SolidRect(0, 0, 100, 100, 0xff00ff00), 20);
    auto above = LayerWithShape(SolidRect(2000, 0, 100, 100, 0xff0000ff), 19);
    CFlashEditorFrame* last = above->InsertKeyframe(20, true);
    Gdiplus::SolidBrush yellow{Gdiplus::Color(0xffffff00)};
    last->GetTransformRange().begin()->first->SetBrush(&yellow);
    above->FindSpan(1)->SetMotionTween(true);
    last->SetMotionTween(true);
    const Movie movie = Export(Source({below.get(), above.get()}));
    ASSERT_TRUE(movie.exported && movie.closed);

    EXPECT_EQ(std::vector<std::string>{}, KindChangesByMove(movie));
    const auto morphs = movie.Tags(kCodeDefineMorphShape);
    ASSERT_EQ(1u, morphs.size());
    const uint16_t morph = static_cast<const C_SWF_Tag_DefineMorphShape&>(*morphs[0]).characterId;
    // Frame by frame, the character each depth shows and whether it came by a move.
    std::vector<std::map<uint16_t, const C_SWF_Tag_PlaceObject2*>> frames(1);
    for (const C_SWF_Tag* tag = movie.read.tags->GetHead(); tag; tag = tag->next)
    {
        if (tag->tagCode == kCodeShowFrame)
            frames.emplace_back();
        else if (tag->tagCode == kCodePlaceObject2)
        {
            const auto* place = static_cast<const C_SWF_Tag_PlaceObject2*>(tag);
            frames.back()[place->depth] = place;
        }
    }
    ASSERT_GE(frames.size(), 20u);
    for (int frame : {2, 10, 19})
    {
        SCOPED_TRACE(frame);
        ASSERT_EQ(1u, frames[frame - 1].count(2));
        const C_SWF_Tag_PlaceObject2& place = *frames[frame - 1].at(2);
        EXPECT_EQ(morph, place.characterId);
        EXPECT_NEAR((frame - 1) / 19.0, place.ratio / 65535.0, 2.0 / 65535.0);
        ASSERT_EQ(1u, frames[frame - 1].count(1));
        EXPECT_EQ(1, frames[frame - 1].at(1)->placeFlagMove.value) << "the still shape stays put";
        EXPECT_NE(morph, frames[frame - 1].at(1)->characterId);
    }
    EXPECT_NE(morph, frames[19].at(2)->characterId) << "the last keyframe shows its own shape";
}

TEST(MovieWriterContent, MotionOnlyTweensNeedNoMorph)
{
    auto layer = LayerWithShape(SolidRect(0, 0, 100, 100), 4);
    CFlashEditorFrame* second = layer->InsertKeyframe(5, true);
    second->TranslateShape(second->GetTransformRange().begin()->first, 400, 0);
    layer->FindSpan(1)->SetMotionTween(true);
    second->SetMotionTween(true);
    const Movie movie = Export(Source({layer.get()}));
    ASSERT_TRUE(movie.exported && movie.closed);
    EXPECT_TRUE(movie.Tags(kCodeDefineMorphShape).empty());
    EXPECT_EQ(1u, movie.Tags(kCodeDefineShape3).size()) << "the keyframe's copy shares the definition";
}

TEST(MovieWriterContent, GradientTweensMorphTheirStops)
{
    const std::vector<CGradientMarker> from = {{0.0, 0x0000FF}, {1.0, 0x00FF00}};
    const std::vector<CGradientMarker> to = {{0.0, 0xFF0000}, {1.0, 0x000000}};
    struct Case
    {
        const char* what;
        std::function<std::unique_ptr<Gdiplus::Brush>(const std::vector<CGradientMarker>&)> make;
        int type;
    };
    const Case cases[] = {
        {"linear", [](const auto& stops) { return CreateLinearGradientBrush(Gdiplus::Rect(0, 0, 1, 1), stops); }, 0x10},
        {"radial", [](const auto& stops) { return CreateRadialGradientBrush(Gdiplus::Rect(0, 0, 1, 1), stops); }, 0x12},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        const auto brush = c.make(from);
        auto* shape = new CFlashSolidShape(brush.get());
        shape->InsertCurve(new CFlashStraightLine(0, 0, 2000, 0), false, 0);
        shape->InsertCurve(new CFlashStraightLine(2000, 0, 2000, 1000), false, 0);
        shape->InsertCurve(new CFlashStraightLine(2000, 1000, 0, 0), false, 0);
        auto layer = LayerWithShape(shape, 4);
        CFlashEditorFrame* second = layer->InsertKeyframe(5, true);
        const auto target = c.make(to);
        second->GetTransformRange().begin()->first->SetBrush(target.get());
        layer->FindSpan(1)->SetMotionTween(true);
        second->SetMotionTween(true);
        const Movie movie = Export(Source({layer.get()}));
        ASSERT_TRUE(movie.exported && movie.closed);

        const auto morphs = movie.Tags(kCodeDefineMorphShape);
        ASSERT_EQ(1u, morphs.size());
        const C_SWF_MorphFillStyle& fill =
            static_cast<const C_SWF_Tag_DefineMorphShape&>(*morphs[0]).morphFillStyles.fillStyles.at(0);
        EXPECT_EQ(c.type, fill.fillStyleType);
        std::vector<int> stops;
        for (const C_SWF_MorphGradRecord& r : fill.gradient.records)
            stops.insert(stops.end(), {r.startRatio, r.startColor.red, r.startColor.green, r.startColor.blue, r.endRatio,
                                       r.endColor.red, r.endColor.green, r.endColor.blue});
        EXPECT_EQ(std::vector<int>({0, 255, 0, 0, 0, 0, 0, 255, 255, 0, 255, 0, 255, 0, 0, 0}), stops);
        // The gradient spans the shape's bounds at both ends of the morph.
        EXPECT_EQ(fill.startGradientMatrix.translateX.value, fill.endGradientMatrix.translateX.value);
        EXPECT_EQ(1000, fill.startGradientMatrix.translateX.value);
        EXPECT_EQ(500, fill.startGradientMatrix.translateY.value);
    }
}

TEST(MovieWriterContent, SymbolsStayEmptyAsOnTheStage)
{
    auto* symbol = new CFlashSymbol();
    Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
    symbol->SetPen(&pen);
    const C_SWF_Tag_DefineShape3 definition = DefineAlone(symbol);
    EXPECT_EQ(1u, definition.shapes.shape.records.size()) << "the end record alone";
}
}
