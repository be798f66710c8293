#include "DocumentTestSupport.h"
#include "ModelTestSupport.h"

#include "model/FlashDocumentHost.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Gdiplus;

namespace {

// Counts what the document asks of the application.
class CRecordingHost : public CFlashDocumentHost {
public:
    void NotifyDocumentChanged() override { ++m_notifications; }
    bool HasActiveStageView() const override { return m_activeStage; }
    void ClearStageSelection() override { ++m_selectionClears; }
    void ReplaceSelectedShape(CFlashShape* shape, CFlashShape* copy) override { m_replaced.push_back({shape, copy}); }
    bool IsStageView(const CView*) const override { return true; }
    std::vector<CFlashShape*> GetStageSelection() const override { return m_selection; }

    bool m_activeStage = true;
    std::vector<CFlashShape*> m_selection;
    int m_notifications = 0;
    int m_selectionClears = 0;
    std::vector<std::pair<CFlashShape*, CFlashShape*>> m_replaced;
};

class CHostScope {
public:
    explicit CHostScope(CFlashDocumentHost* host) { CFlashEditorDoc::SetDocumentHost(host); }
    ~CHostScope() { CFlashEditorDoc::SetDocumentHost(nullptr); }
};

// A 32-bit device bitmap cleared to white, for RenderFrameToDC.
class CMemoryBitmap {
public:
    static constexpr int kWidth = 550;
    static constexpr int kHeight = 400;

    CMemoryBitmap() : m_dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        std::fill(m_bits, m_bits + kWidth * kHeight, 0x00FFFFFFu);
    }
    ~CMemoryBitmap()
    {
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    HDC DC() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    // 0xRRGGBB.
    DWORD Pixel(int x, int y) const
    {
        GdiFlush();
        return m_bits[y * kWidth + x] & 0xFFFFFFu;
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    DWORD* m_bits = nullptr;
};

// Adds a filled rectangle (twips) to the span at the frame of the document's current layer.
CFlashShape* AddRect(CFlashEditorDoc& doc, int x, int y, int width, int height, ARGB fill)
{
    CFlashShape* shape = MakeSolidRect(x, y, width, height, fill);
    EXPECT_TRUE(doc.AddShape(shape));
    return shape;
}

} // namespace

TEST(Document, NewDocumentHasTheStartingValues)
{
    CFlashEditorDoc doc;
    EXPECT_EQ(550, doc.GetStageWidth());
    EXPECT_EQ(400, doc.GetStageHeight());
    EXPECT_EQ(12, doc.GetFrameRate());
    EXPECT_EQ(RGB(255, 255, 255), doc.GetBackgroundColor());
    EXPECT_EQ(0, doc.GetUnits());
    EXPECT_EQ(1, doc.GetCurrentFrame());
    EXPECT_EQ(1, doc.GetCurrentLayerIndex());
    EXPECT_FALSE(doc.IsPlaying());
    ASSERT_EQ(1, doc.GetLayerCount());
    const CFlashEditorLayer* layer = doc.GetLayer(1);
    ASSERT_EQ(1, layer->GetSpanCount());
    EXPECT_EQ(1, layer->GetSpanByIndex(1)->GetStartFrame());
    EXPECT_EQ(1, layer->GetSpanByIndex(1)->GetEndFrame());
    EXPECT_EQ(&doc, layer->GetDocument());
    EXPECT_EQ(&doc, doc.GetRepository().GetOwnerDocument());
    EXPECT_NE(nullptr, doc.GetCurveFitter());
    EXPECT_TRUE(doc.IsKindOf(RUNTIME_CLASS(CDocument)));
}

TEST(Document, FirstEmptyingKeepsTheConstructorsLayerLaterOnesEmpty)
{
    CFlashEditorDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(1, doc.GetLayerCount());
    doc.GetLibrary().GetRootFolder().AddFolder("Pictures");
    doc.DeleteContents();
    EXPECT_EQ(0, doc.GetLayerCount());
    EXPECT_EQ(nullptr, doc.GetCurrentLayer());
    EXPECT_TRUE(doc.GetLibrary().GetRootFolder().GetFolders().empty());
}

TEST(Document, SettersRefuseValuesOutOfRange)
{
    struct Case {
        const char* name;
        std::function<void(CFlashEditorDoc&)> act;
        int width, height, rate, units;
    };
    const Case cases[] = {
        {"width 0 refused", [](CFlashEditorDoc& d) { EXPECT_FALSE(d.SetStageWidth(0)); }, 550, 400, 12, 0},
        {"negative height refused", [](CFlashEditorDoc& d) { EXPECT_FALSE(d.SetStageHeight(-3)); }, 550, 400, 12, 0},
        {"width 1 stored", [](CFlashEditorDoc& d) { EXPECT_TRUE(d.SetStageWidth(1)); }, 1, 400, 12, 0},
        {"height stored", [](CFlashEditorDoc& d) { EXPECT_TRUE(d.SetStageHeight(720)); }, 550, 720, 12, 0},
        {"frame rate 0 ignored", [](CFlashEditorDoc& d) { d.SetFrameRate(0); }, 550, 400, 12, 0},
        {"negative frame rate ignored", [](CFlashEditorDoc& d) { d.SetFrameRate(-24); }, 550, 400, 12, 0},
        {"frame rate stored", [](CFlashEditorDoc& d) { d.SetFrameRate(30); }, 550, 400, 30, 0},
        {"units stored without a range test", [](CFlashEditorDoc& d) { d.SetUnits(7); }, 550, 400, 12, 7},
    };
    for (const Case& c : cases) {
        CFlashEditorDoc doc;
        c.act(doc);
        EXPECT_EQ(c.width, doc.GetStageWidth()) << c.name;
        EXPECT_EQ(c.height, doc.GetStageHeight()) << c.name;
        EXPECT_EQ(c.rate, doc.GetFrameRate()) << c.name;
        EXPECT_EQ(c.units, doc.GetUnits()) << c.name;
    }
}

TEST(Document, CurrentLayerStaysInRange)
{
    CFlashEditorDoc doc;
    EXPECT_EQ(2, doc.AddLayer());
    EXPECT_EQ(1, doc.GetCurrentLayerIndex()) << "adding a layer keeps the current one";
    for (const int refused : {0, -1, 3}) {
        doc.SetCurrentLayer(refused);
        EXPECT_EQ(1, doc.GetCurrentLayerIndex()) << refused;
    }
    doc.SetCurrentLayer(2);
    EXPECT_EQ(doc.GetLayer(2), doc.GetCurrentLayer());
    EXPECT_EQ(nullptr, doc.GetLayer(0));
    EXPECT_EQ(nullptr, doc.GetLayer(3));
}

TEST(Document, RemovingTheCurrentLayerMakesTheNextOneUpCurrent)
{
    const struct {
        int current;
        int expectedIndex;
        int expectedFormerPosition;
    } cases[] = {{3, 2, 2}, {1, 1, 2}, {2, 2, 3}};
    for (const auto& c : cases) {
        CFlashEditorDoc doc;
        doc.AddLayer();
        doc.AddLayer();
        const std::vector<CFlashEditorLayer*> before = doc.GetLayerRange();
        doc.SetCurrentLayer(c.current);
        EXPECT_EQ(2, doc.RemoveCurrentLayer()) << c.current;
        EXPECT_EQ(c.expectedIndex, doc.GetCurrentLayerIndex()) << c.current;
        EXPECT_EQ(before[std::size_t(c.expectedFormerPosition - 1)], doc.GetCurrentLayer()) << c.current;
    }
    CFlashEditorDoc single;
    EXPECT_EQ(0, single.RemoveCurrentLayer());
    EXPECT_EQ(nullptr, single.GetCurrentLayer());
    EXPECT_EQ(0, single.RemoveCurrentLayer()) << "nothing left to remove";
}

TEST(Document, FrameChangesReachEveryLayerAndTheStage)
{
    CRecordingHost host;
    CHostScope scope(&host);
    CFlashEditorDoc doc;
    doc.AddLayer();
    doc.GetLayer(2)->GetSpanByIndex(1)->SetEndFrame(6);
    EXPECT_EQ(6, doc.GetLastFrame());
    doc.SetCurrentFrame(0);
    EXPECT_EQ(1, doc.GetCurrentFrame());
    EXPECT_EQ(0, host.m_notifications);
    doc.SetCurrentFrame(4);
    EXPECT_EQ(4, doc.GetCurrentFrame());
    EXPECT_EQ(-1, doc.GetLayer(1)->GetCurrentFrame()) << "no span of layer 1 holds frame 4";
    EXPECT_EQ(4, doc.GetLayer(2)->GetCurrentFrame());
    EXPECT_EQ(1, host.m_selectionClears);
    EXPECT_EQ(1, host.m_notifications);
    host.m_activeStage = false;
    doc.SetCurrentFrame(5);
    EXPECT_EQ(1, host.m_notifications) << "without a stage view nobody is told";
    doc.SetPlaying(true);
    EXPECT_TRUE(doc.IsPlaying());
    EXPECT_EQ(2, host.m_notifications);
}

// Playback tells the panels when it starts and stops, not on every frame, and clears only a
// selection there is.
TEST(Document, PlaybackFramesLeaveThePanelsAlone)
{
    CRecordingHost host;
    CHostScope scope(&host);
    CFlashEditorDoc doc;
    doc.GetLayer(1)->GetSpanByIndex(1)->SetEndFrame(10);
    doc.SetPlaying(true);
    for (int frame = 2; frame <= 5; ++frame)
        doc.SetCurrentFrame(frame);
    EXPECT_EQ(1, host.m_notifications);
    EXPECT_EQ(0, host.m_selectionClears);
    host.m_selection.push_back(AddRect(doc, 0, 0, 100, 100, kOpaqueRed));
    doc.SetCurrentFrame(6);
    EXPECT_EQ(1, host.m_selectionClears);
    doc.SetPlaying(false);
    EXPECT_EQ(3, host.m_notifications) << "started, the shape added, stopped";
}

TEST(Document, ShapesEnterAndLeaveTheCurrentSpan)
{
    CFlashEditorDoc doc;
    CFlashShape* shape = AddRect(doc, 0, 0, 100, 100, kOpaqueRed);
    CFlashEditorFrame* span = doc.GetCurrentLayer()->GetCurrentSpan();
    EXPECT_EQ(span, shape->GetOwningSpan());
    EXPECT_EQ(span->GetShapeTransform(shape), doc.GetShapeTransform(shape));
    const std::vector<std::unique_ptr<CFlashShape>> removed = doc.RemoveShapes({shape});
    ASSERT_EQ(1u, removed.size());
    EXPECT_EQ(shape, removed[0].get());
    EXPECT_EQ(nullptr, doc.GetShapeTransform(shape));

    doc.GetCurrentLayer()->SetLocked(true);
    std::unique_ptr<CFlashShape> refused(MakeSolidRect(0, 0, 10, 10, kOpaqueRed));
    EXPECT_FALSE(doc.AddShape(refused.get())) << "a locked layer takes no shape";
}

TEST(Document, DetachingInsideATweenKeepsTheShape)
{
    CFlashEditorDoc doc;
    CFlashShape* shape = AddRect(doc, 0, 0, 100, 100, kOpaqueRed);
    doc.GetCurrentLayer()->GetCurrentSpan()->SetMotionTween(true);
    EXPECT_TRUE(doc.IsCurrentFrameTweened());
    EXPECT_EQ(shape, doc.DetachSharedShape(shape, false));
    EXPECT_EQ(shape, doc.DetachSharedShape(shape, true)) << "an unshared shape needs no copy";
}

TEST(Document, DetachingASharedShapeGivesTheCurrentSpanACopy)
{
    for (const bool keepId : {false, true}) {
        CRecordingHost host;
        CHostScope scope(&host);
        CFlashEditorDoc doc;
        CFlashShape* shape = AddRect(doc, 0, 0, 100, 100, kOpaqueRed);
        CFlashEditorLayer* layer = doc.GetCurrentLayer();
        CFlashEditorFrame* second = layer->InsertKeyframe(2, false);
        ASSERT_NE(nullptr, second);
        auto placement = new CFlashEditorFrameShapeTransform();
        placement->GetMatrix()->Translate(60.0f, 0.0f);
        second->AddShape(shape, placement);
        doc.SetCurrentFrame(2);
        shape->SetState(kResourceStateSelected);

        CFlashShape* copy = doc.DetachSharedShape(shape, keepId);
        ASSERT_NE(shape, copy) << keepId;
        EXPECT_EQ(keepId, copy->GetObjectId() == shape->GetObjectId()) << keepId;
        EXPECT_EQ(nullptr, second->GetShapeTransform(shape));
        ASSERT_NE(nullptr, second->GetShapeTransform(copy));
        REAL elements[6];
        second->GetShapeTransform(copy)->GetMatrix()->GetElements(elements);
        EXPECT_EQ(60.0f, elements[4]) << "the copy takes the shape's placement";
        EXPECT_EQ(second, copy->GetOwningSpan());
        EXPECT_NE(nullptr, layer->GetSpanByIndex(1)->GetShapeTransform(shape)) << "the other span keeps the shape";
        EXPECT_EQ(kResourceStateNormal, shape->GetState());
        ASSERT_EQ(1u, host.m_replaced.size());
        EXPECT_EQ(std::make_pair(shape, copy), host.m_replaced[0]);
    }
}

TEST(Document, CenteringMovesTheGroupToTheStageCentre)
{
    CFlashEditorDoc doc;
    CFlashShape* left = AddRect(doc, 0, 0, 1000, 1000, kOpaqueRed);
    CFlashShape* right = AddRect(doc, 1000, 0, 1000, 500, kOpaqueBlue);
    doc.CenterShapesOnStage({left, right});
    for (const CFlashShape* shape : {left, right}) {
        REAL elements[6];
        doc.GetShapeTransform(shape)->GetMatrix()->GetElements(elements);
        EXPECT_EQ(4500.0f, elements[4]);
        EXPECT_EQ(3500.0f, elements[5]);
    }
    // Already placed: the placement counts, and the group moves back to the same centre.
    EXPECT_TRUE(doc.CenterShapesOnStage({left, right}));
    REAL elements[6];
    doc.GetShapeTransform(left)->GetMatrix()->GetElements(elements);
    EXPECT_EQ(4500.0f, elements[4]);
    EXPECT_EQ(3500.0f, elements[5]);
}

// A group whose centring would take a placement past the bounds the document file reads stays
// whole where it was.
TEST(Document, CenteringStopsAtTheReadablePlacements)
{
    CFlashEditorDoc doc;
    // Drawn far left and moved as far right as twips count: it shows near the stage's left edge.
    CFlashShape* distant = AddRect(doc, -2147483000, 0, 1000, 1000, kOpaqueRed);
    doc.GetShapeTransform(distant)->GetMatrix()->Translate(2147483648.0f, 0.0f);
    CFlashShape* nearby = AddRect(doc, 0, 0, 1000, 1000, kOpaqueBlue);
    EXPECT_FALSE(doc.CenterShapesOnStage({distant, nearby}));
    REAL elements[6];
    doc.GetShapeTransform(distant)->GetMatrix()->GetElements(elements);
    EXPECT_EQ(2147483648.0f, elements[4]);
    doc.GetShapeTransform(nearby)->GetMatrix()->GetElements(elements);
    EXPECT_EQ(0.0f, elements[4]);
    EXPECT_EQ(0.0f, elements[5]);
}

TEST(Document, RenderingAFrameDrawsVisibleLayersThatCoverIt)
{
    CFlashEditorDoc doc;
    CFlashShape* bottom = AddRect(doc, 0, 0, 2000, 2000, kOpaqueRed);
    AddRect(doc, 1000, 0, 2000, 2000, kOpaqueBlue);
    // Selected shapes lie above the normal ones of their layer.
    bottom->SetState(kResourceStateSelected);
    doc.AddLayer();
    doc.SetCurrentLayer(2);
    CFlashShape* hidden = AddRect(doc, 4000, 0, 1000, 1000, kOpaqueGreen);
    hidden->SetState(kResourceStateHidden);

    CMemoryBitmap canvas;
    ASSERT_TRUE(doc.RenderFrameToDC(canvas.DC(), canvas.Bitmap(), 1, 1.0));
    EXPECT_EQ(0xFF0000u, canvas.Pixel(75, 50)) << "selected shape above the normal one";
    EXPECT_EQ(0x0000FFu, canvas.Pixel(130, 50));
    EXPECT_EQ(0xFFFFFFu, canvas.Pixel(225, 25)) << "hidden shapes never appear";
    EXPECT_EQ(0xFFFFFFu, canvas.Pixel(300, 300));

    EXPECT_FALSE(doc.RenderFrameToDC(canvas.DC(), canvas.Bitmap(), 2, 1.0)) << "beyond every last frame";
    doc.GetLayer(1)->SetVisible(false);
    doc.GetLayer(1)->GetSpanByIndex(1)->SetEndFrame(3);
    EXPECT_FALSE(doc.RenderFrameToDC(canvas.DC(), canvas.Bitmap(), 3, 1.0)) << "only a hidden layer covers it";
    EXPECT_TRUE(doc.RenderFrameToDC(canvas.DC(), canvas.Bitmap(), 1, 1.0)) << "the visible layer covers frame 1";
}

TEST(Document, RenderingATweenedFrameDrawsTheInterpolatedPlacement)
{
    CFlashEditorDoc doc;
    AddRect(doc, 0, 0, 2000, 1000, kOpaqueRed);
    CFlashEditorLayer* layer = doc.GetCurrentLayer();
    CFlashEditorFrame* first = layer->GetSpanByIndex(1);
    first->SetEndFrame(4);
    CFlashEditorFrame* last = layer->InsertKeyframe(5, true);
    ASSERT_NE(nullptr, last);
    ASSERT_EQ(5, last->GetStartFrame());
    std::vector<CFlashShape*> shapes;
    last->CollectShapes(shapes);
    ASSERT_EQ(1u, shapes.size());
    last->TranslateShape(shapes[0], 4000.0f, 0.0f);
    first->SetMotionTween(true);
    last->SetMotionTween(true);

    CMemoryBitmap canvas;
    ASSERT_TRUE(doc.RenderFrameToDC(canvas.DC(), canvas.Bitmap(), 3, 1.0));
    // Frame 3 of [1, 4] lies half-way: 2000 twips (100 pixels) along.
    EXPECT_EQ(0xFFFFFFu, canvas.Pixel(50, 25));
    EXPECT_EQ(0xFF0000u, canvas.Pixel(150, 25));
    EXPECT_EQ(0xFFFFFFu, canvas.Pixel(250, 25));
}

TEST(Document, HitTestingSearchesOnlyTheCurrentLayer)
{
    CFlashEditorDoc doc;
    CFlashShape* shape = AddRect(doc, 0, 0, 2000, 2000, kOpaqueRed);
    CTestDC dc;
    EXPECT_EQ(shape, doc.HitTestCurrentLayer(dc.Get(), 1.0, POINT{50, 50}));
    doc.AddLayer();
    doc.SetCurrentLayer(2);
    EXPECT_EQ(nullptr, doc.HitTestCurrentLayer(dc.Get(), 1.0, POINT{50, 50}));
}
