#include "ClipboardTestSupport.h"
#include "DocumentTestSupport.h"
#include "ModelTestSupport.h"

#include "model/FlashClipboard.h"
#include "model/FlashDocumentHost.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"
#include "model/UndoStep.h"
#include "platform/mfc/CmdUI.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr char kRenderError[] = "Error Occured While Rendering the Movie";

// A stand-in for the application: answers as the test sets it and records what it was asked.
class CCommandHost : public CFlashDocumentHost {
public:
    void NotifyDocumentChanged() override {}
    bool HasActiveStageView() const override { return m_stage; }
    void ClearStageSelection() override { ++m_selectionClears; }
    void ReplaceSelectedShape(CFlashShape*, CFlashShape*) override {}
    bool IsStageView(const CView*) const override { return true; }

    std::vector<CFlashShape*> GetStageSelection() const override { return m_selection; }
    bool CopyStageSelection() override
    {
        ++m_copies;
        return m_copySucceeds;
    }
    void ForgetStageSelection() override
    {
        ++m_forgets;
        m_selection.clear();
    }
    bool AskExportPath(const char*, const char* defaultExtension, std::string& path) override
    {
        m_askedExtension = defaultExtension;
        path = m_path;
        return m_pathChosen;
    }
    bool WriteFlashMovie(CFlashEditorDoc*, const char* path) override { return Write(path, "swf"); }
    bool WriteAnimation(CFlashEditorDoc*, const char* path, bool gif) override { return Write(path, gif ? "gif" : "avi"); }

    bool m_stage = true;
    std::vector<CFlashShape*> m_selection;
    bool m_copySucceeds = true;
    bool m_pathChosen = true;
    std::string m_path = "movie.gif";
    enum class EWriter { Succeeds, Fails, Throws } m_writer = EWriter::Succeeds;

    int m_copies = 0;
    int m_forgets = 0;
    int m_selectionClears = 0;
    std::string m_askedExtension;
    std::vector<std::pair<std::string, std::string>> m_writes; // path, kind

private:
    bool Write(const char* path, const char* kind)
    {
        m_writes.push_back({path, kind});
        if (m_writer == EWriter::Throws)
            throw std::runtime_error("disk full");
        return m_writer == EWriter::Succeeds;
    }
};

// Records what an update handler set: -1 while Enable was not called.
class CRecordingCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override { m_enabled = bOn ? 1 : 0; }
    void SetText(LPCSTR lpszText) override { m_text = lpszText; }
    int m_enabled = -1;
    std::string m_text;
};

enum class EClip { Empty, Text, Bitmap, Own, Unrelated };

class DocumentCommandTest : public ClipboardSuite {
protected:
    DocumentCommandTest()
    {
        TestApp().m_messages.clear();
        m_doc.OnNewDocument();
        CFlashEditorDoc::SetDocumentHost(&m_host);
        PutOnClipboard(EClip::Empty);
    }
    ~DocumentCommandTest() override { CFlashEditorDoc::SetDocumentHost(nullptr); }

    CFlashShape* AddRect(int x)
    {
        CFlashShape* shape = MakeSolidRect(x, 0, 200, 200, kOpaqueBlue);
        EXPECT_TRUE(m_doc.AddShape(shape));
        return shape;
    }

    std::vector<CFlashShape*> Shapes() const
    {
        std::vector<CFlashShape*> shapes;
        m_doc.GetCurrentLayer()->GetCurrentFrameShapes(shapes);
        return shapes;
    }

    std::string LastStepName() const
    {
        const CUndoStep* step = const_cast<CFlashEditorDoc&>(m_doc).GetUndoManager().GetLastStep();
        return step != nullptr ? step->GetName() : "";
    }

    int StepCount() { return m_doc.GetUndoManager().GetStepCount(); }

    void PutOnClipboard(EClip clip)
    {
        switch (clip) {
        case EClip::Empty:
            ASSERT_TRUE(OpenClipboard(nullptr));
            EmptyClipboard();
            CloseClipboard();
            break;
        case EClip::Text:
            PutBlock(CF_TEXT, std::string("words", 6));
            break;
        case EClip::Bitmap: {
            HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
            ASSERT_TRUE(OpenClipboard(nullptr));
            EmptyClipboard();
            SetClipboardData(CF_BITMAP, bitmap);
            CloseClipboard();
            break;
        }
        case EClip::Own: {
            CFlashEditorDoc source;
            source.OnNewDocument();
            CFlashShape* shape = MakeSolidRect(0, 0, 100, 100, kOpaqueRed);
            ASSERT_TRUE(source.AddShape(shape));
            ASSERT_TRUE(CFlashClipboard::CopyShapes(source, {shape}, s_format, nullptr));
            break;
        }
        case EClip::Unrelated:
            PutBlock(RegisterClipboardFormatA("DocumentCommandTests.Unrelated"), "x");
            break;
        }
    }

    CFlashEditorDoc m_doc;
    CCommandHost m_host;
};


using UpdateHandler = void (CFlashEditorDoc::*)(CCmdUI*);

TEST_F(DocumentCommandTest, UpdateHandlersEnableOnlyWhenTheCommandCanRun)
{
    struct CCase {
        const char* name;
        UpdateHandler handler;
        bool stage;
        bool selection;
        bool playing;
        int layers;
        int frame;
        EClip clip;
        bool enabled;
    };
    const UpdateHandler copy = &CFlashEditorDoc::OnUpdateEditCopy;
    const UpdateHandler cut = &CFlashEditorDoc::OnUpdateEditCut;
    const UpdateHandler paste = &CFlashEditorDoc::OnUpdateEditPaste;
    const UpdateHandler remove = &CFlashEditorDoc::OnUpdateRemoveLayer;
    const CCase cases[] = {
        {"copy with a selection", copy, true, true, false, 1, 1, EClip::Empty, true},
        {"copy without a selection", copy, true, false, false, 1, 1, EClip::Empty, false},
        {"copy while playing", copy, true, true, true, 1, 1, EClip::Empty, false},
        {"copy without a stage", copy, false, true, false, 1, 1, EClip::Empty, false},
        {"cut with a selection", cut, true, true, false, 1, 1, EClip::Empty, true},
        {"cut without a selection", cut, true, false, false, 1, 1, EClip::Empty, false},
        {"cut while playing", cut, true, true, true, 1, 1, EClip::Empty, false},
        {"cut without a stage", cut, false, true, false, 1, 1, EClip::Empty, false},
        {"paste text", paste, true, false, false, 1, 1, EClip::Text, true},
        {"paste a bitmap", paste, true, false, false, 1, 1, EClip::Bitmap, true},
        {"paste shapes", paste, true, false, false, 1, 1, EClip::Own, true},
        {"paste from an empty clipboard", paste, true, false, false, 1, 1, EClip::Empty, false},
        {"paste an unrelated format", paste, true, false, false, 1, 1, EClip::Unrelated, false},
        {"paste while playing", paste, true, false, true, 1, 1, EClip::Own, false},
        {"paste without a stage", paste, false, false, false, 1, 1, EClip::Own, false},
        {"paste outside any span", paste, true, false, false, 1, 5, EClip::Own, false},
        {"remove the only layer", remove, true, false, false, 1, 1, EClip::Empty, false},
        {"remove one of two layers", remove, true, false, false, 2, 1, EClip::Empty, true},
        {"remove a layer while playing", remove, true, false, true, 2, 1, EClip::Empty, false},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFlashEditorDoc doc;
        doc.OnNewDocument();
        for (int layer = 1; layer < c.layers; ++layer)
            doc.AddLayer();
        doc.SetCurrentFrame(c.frame);
        doc.SetPlaying(c.playing);
        m_host.m_stage = c.stage;
        m_host.m_selection.clear();
        if (c.selection) {
            CFlashShape* shape = MakeSolidRect(0, 0, 100, 100, kOpaqueRed);
            ASSERT_TRUE(doc.AddShape(shape));
            m_host.m_selection.push_back(shape);
        }
        PutOnClipboard(c.clip);
        CRecordingCmdUI ui;
        (doc.*c.handler)(&ui);
        // Without a stage the handler may leave the item alone, but never enables it.
        EXPECT_EQ(ui.m_enabled == 1, c.enabled);
    }
}

TEST_F(DocumentCommandTest, UndoAndRedoItemsNameTheStepAndFollowPlaying)
{
    struct CState {
        const char* name;
        const char* undoText;
        bool undoEnabled;
        const char* redoText;
        bool redoEnabled;
    };
    auto check = [&](const CState& expected) {
        SCOPED_TRACE(expected.name);
        CRecordingCmdUI undo;
        CRecordingCmdUI redo;
        m_doc.OnUpdateEditUndo(&undo);
        m_doc.OnUpdateEditRedo(&redo);
        EXPECT_EQ(undo.m_text, expected.undoText);
        EXPECT_EQ(undo.m_enabled, int(expected.undoEnabled));
        EXPECT_EQ(redo.m_text, expected.redoText);
        EXPECT_EQ(redo.m_enabled, int(expected.redoEnabled));
    };
    check({"new document", "Can't Undo", false, "Can't Redo", false});
    m_doc.OnInsertLayer();
    check({"after a step", "&Undo Insert Layer", true, "Can't Redo", false});
    m_doc.SetPlaying(true);
    check({"while playing", "&Undo Insert Layer", false, "Can't Redo", false});
    m_doc.SetPlaying(false);
    m_doc.OnEditUndo();
    check({"after undo", "Can't Undo", false, "&Redo Insert Layer", true});
    EXPECT_EQ(m_doc.GetLayerCount(), 1);
    m_doc.OnRemoveLayer();
    EXPECT_EQ(m_doc.GetLayerCount(), 1) << "the last layer stays";
    m_doc.OnEditRedo();
    EXPECT_EQ(m_doc.GetLayerCount(), 2);
    m_doc.OnRemoveLayer();
    check({"after removing a layer", "&Undo Remove Layer", true, "Can't Redo", false});
}

TEST_F(DocumentCommandTest, CutRemovesTheSelectionOnlyWhenItReachedTheClipboard)
{
    CFlashShape* kept = AddRect(0);
    CFlashShape* selected = AddRect(400);
    m_host.m_selection = {selected};
    const int steps = StepCount();

    m_host.m_copySucceeds = false;
    m_doc.OnEditCut();
    EXPECT_EQ(m_host.m_copies, 1);
    EXPECT_EQ(Shapes().size(), 2u);
    EXPECT_EQ(m_host.m_forgets, 0);
    EXPECT_EQ(StepCount(), steps);

    m_host.m_copySucceeds = true;
    m_doc.OnEditCut();
    EXPECT_EQ(Shapes(), std::vector<CFlashShape*>{kept});
    EXPECT_EQ(m_host.m_forgets, 1);
    EXPECT_EQ(StepCount(), steps + 1);
    EXPECT_EQ(LastStepName(), "Cut");
}

TEST_F(DocumentCommandTest, CopyAndCutWithoutAStageDoNothing)
{
    m_host.m_selection = {AddRect(0)};
    m_host.m_stage = false;
    const int steps = StepCount();
    m_doc.OnEditCopy();
    m_doc.OnEditCut();
    EXPECT_EQ(m_host.m_copies, 0);
    EXPECT_EQ(Shapes().size(), 1u);
    EXPECT_EQ(StepCount(), steps);
}

TEST_F(DocumentCommandTest, PasteRecordsANamedStepOnlyWhenSomethingWasPasted)
{
    struct CCase {
        const char* name;
        void (CFlashEditorDoc::*command)();
        EClip clip;
        const char* step; // null: no step
    };
    const CCase cases[] = {
        {"paste shapes", &CFlashEditorDoc::OnEditPaste, EClip::Own, "Paste"},
        {"paste shapes in place", &CFlashEditorDoc::OnPasteInPlace, EClip::Own, "Paste in place"},
        {"paste a bitmap", &CFlashEditorDoc::OnEditPaste, EClip::Bitmap, "Paste"},
        {"paste from an empty clipboard", &CFlashEditorDoc::OnEditPaste, EClip::Empty, nullptr},
        {"paste in place from an empty clipboard", &CFlashEditorDoc::OnPasteInPlace, EClip::Empty, nullptr},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFlashEditorDoc doc;
        doc.OnNewDocument();
        PutOnClipboard(c.clip);
        const int steps = doc.GetUndoManager().GetStepCount();
        (doc.*c.command)();
        const CUndoStep* last = doc.GetUndoManager().GetLastStep();
        if (c.step == nullptr) {
            EXPECT_EQ(doc.GetUndoManager().GetStepCount(), steps);
        } else {
            EXPECT_EQ(doc.GetUndoManager().GetStepCount(), steps + 1);
            ASSERT_NE(last, nullptr);
            EXPECT_EQ(last->GetName(), c.step);
        }
    }
}

TEST_F(DocumentCommandTest, DamagedPayloadOfTheOwnFormatRecordsNoStep)
{
    PutBlock(s_format, std::string("hello, world\r\n", 15));
    const int steps = StepCount();
    for (auto command : {&CFlashEditorDoc::OnEditPaste, &CFlashEditorDoc::OnPasteInPlace})
        (m_doc.*command)();
    EXPECT_TRUE(Shapes().empty());
    EXPECT_EQ(StepCount(), steps);
}

TEST_F(DocumentCommandTest, AnimationExportChoosesTheWriterByExtensionWithoutRegardToCase)
{
    struct CCase {
        const char* path;
        const char* kind;
    };
    const CCase cases[] = {
        {"C:\\out\\x.GIF", "gif"}, {"x.gif", "gif"},   {"x.Gif", "gif"},
        {"x.avi", "avi"},          {"x.gif.avi", "avi"}, {"C:\\a.gif\\movie", "avi"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.path);
        m_host.m_writes.clear();
        m_host.m_path = c.path;
        m_doc.OnExportAnimation();
        ASSERT_EQ(m_host.m_writes.size(), 1u);
        EXPECT_EQ(m_host.m_writes[0].first, c.path);
        EXPECT_EQ(m_host.m_writes[0].second, c.kind);
    }
    EXPECT_EQ(m_host.m_askedExtension, "gif");
    EXPECT_TRUE(TestApp().m_messages.empty());
}

TEST_F(DocumentCommandTest, FailedExportShowsOneMessageAndCancelledExportNothing)
{
    struct CCase {
        const char* name;
        void (CFlashEditorDoc::*command)();
        bool pathChosen;
        CCommandHost::EWriter writer;
        size_t writes;
        size_t messages;
    };
    using W = CCommandHost::EWriter;
    const CCase cases[] = {
        {"animation written", &CFlashEditorDoc::OnExportAnimation, true, W::Succeeds, 1, 0},
        {"animation writer fails", &CFlashEditorDoc::OnExportAnimation, true, W::Fails, 1, 1},
        {"animation writer throws", &CFlashEditorDoc::OnExportAnimation, true, W::Throws, 1, 1},
        {"animation path cancelled", &CFlashEditorDoc::OnExportAnimation, false, W::Succeeds, 0, 0},
        {"movie written", &CFlashEditorDoc::OnExportFlashMovie, true, W::Succeeds, 1, 0},
        {"movie writer fails", &CFlashEditorDoc::OnExportFlashMovie, true, W::Fails, 1, 1},
        {"movie writer throws", &CFlashEditorDoc::OnExportFlashMovie, true, W::Throws, 1, 1},
        {"movie path cancelled", &CFlashEditorDoc::OnExportFlashMovie, false, W::Fails, 0, 0},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp().m_messages.clear();
        m_host.m_writes.clear();
        m_host.m_pathChosen = c.pathChosen;
        m_host.m_writer = c.writer;
        m_host.m_path = "Z:\\no such folder\\movie.swf";
        (m_doc.*c.command)();
        EXPECT_EQ(m_host.m_writes.size(), c.writes);
        ASSERT_EQ(TestApp().m_messages.size(), c.messages);
        if (c.messages == 1) {
            EXPECT_EQ(TestApp().m_messages[0].text, kRenderError);
            EXPECT_EQ(TestApp().m_messages[0].type & MB_ICONMASK, UINT(MB_ICONERROR));
        }
    }
}

}
