// The Font panel in the editor's session: its controls change the stage view's text font and
// alignment and those of the selected text, typed sizes are kept sane, and a selected text
// shows its own font.
#include "EditorSessionSupport.h"
#include "PanelTestSupport.h"

#include "app/FlashEditorMainFrame.h"
#include "app/panels/FontTool.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashTextShape.h"
#include "model/archive/DrawableFont.h"
#include "resources/panels/FontResources.h"
#include "stage/FlashEditorView.h"
#include "tests/support/InstalledFonts.h"
#include "tests/support/ScreenImage.h"
#include "tests/ui/core/TestSupport.h"

#include "platform/mfc/ClientDC.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

constexpr int kPanelWidth = 400;
constexpr int kPanelHeight = 24;

// What the platform reports for a font on the stage.
struct CFontFacts
{
    std::string face;
    int points = 0;
    int weight = 0;
    bool italic = false;
};

CFontFacts FactsOf(CFlashEditorView* pView, const Gdiplus::Font* pFont)
{
    CFontFacts facts;
    if (pFont == nullptr)
        return facts;
    CClientDC dc(pView);
    const Gdiplus::Graphics graphics(dc);
    LOGFONTA logFont = {};
    pFont->GetLogFontA(&graphics, &logFont);
    facts.face = logFont.lfFaceName;
    facts.points = -::MulDiv(logFont.lfHeight, 72, ::GetDeviceCaps(dc, LOGPIXELSY));
    facts.weight = logFont.lfWeight;
    facts.italic = logFont.lfItalic != 0;
    return facts;
}

// What the platform reports for the face (Arial unless named) at the size, as the panel asks
// for it.
CFontFacts ReferenceFacts(CFlashEditorView* pView, int points, int weight = FW_NORMAL, bool italic = false,
                          const char* face = "Arial")
{
    CClientDC dc(pView);
    LOGFONTA logFont = {};
    ::lstrcpynA(logFont.lfFaceName, face, LF_FACESIZE);
    logFont.lfHeight = -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    logFont.lfWeight = weight;
    logFont.lfItalic = italic ? TRUE : FALSE;
    const Gdiplus::Font font(dc, &logFont);
    return FactsOf(pView, &font);
}

class FontPanelTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        SessionApp().CloseAllDocuments(FALSE);
        SendCommand(ID_FILE_NEW);
        m_pDoc = ActiveDocument();
        m_pView = MainFrame()->GetActiveStageView();
        ASSERT_NE(m_pView, nullptr);
        ASSERT_TRUE(m_panel.Create(IDD_FONT_TOOL, m_pHost));
        m_panel.SetWindowPos(nullptr, 0, 0, kPanelWidth, kPanelHeight, SWP_NOZORDER | SWP_SHOWWINDOW);
        PumpMessages();
    }
    void TearDown() override { m_panel.DestroyWindow(); }

    // A text in Arial at the size and weight, added through the model and selected on the stage.
    CFlashTextShape* AddSelectedText(int points, int weight)
    {
        CClientDC dc(m_pView);
        LOGFONTA logFont = {};
        ::lstrcpynA(logFont.lfFaceName, "Arial", LF_FACESIZE);
        logFont.lfHeight = -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
        logFont.lfWeight = weight;
        const Gdiplus::Font font(dc, &logFont);
        const Gdiplus::Pen pen(Gdiplus::Color(255, 0, 0, 0));
        const Gdiplus::SolidBrush brush(Gdiplus::Color(255, 0, 0, 0));
        auto* pText = new CFlashTextShape(&font, &pen, &brush);
        pText->SetText("Text");
        pText->SetRect(Gdiplus::Rect(1000, 1000, 2000, 600));
        EXPECT_TRUE(m_pDoc->AddShape(pText));
        m_pView->RemoveFromSelection(nullptr, false);
        m_pView->AddToSelection(pText, true);
        m_panel.RefreshFromView(m_pView);
        return pText;
    }

    HWND Control(int id) const { return ::GetDlgItem(m_panel.m_hWnd, id); }
    bool Checked(int id) const { return ::SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::string Text(int id) const
    {
        char text[64] = {};
        ::GetWindowTextA(Control(id), text, sizeof text);
        return text;
    }
    // The combo's edit, where a face is typed.
    HWND FaceEdit() const { return ::GetWindow(Control(IDC_FONT_FACE), GW_CHILD); }

    CWnd* m_pHost = PanelHost(kPanelWidth + 20, kPanelHeight + 20);
    CFontTool m_panel;
    CFlashEditorDoc* m_pDoc = nullptr;
    CFlashEditorView* m_pView = nullptr;
};

TEST_F(FontPanelTest, StartsWithArialAtNinePoints)
{
    EXPECT_EQ(Text(IDC_FONT_FACE), "Arial");
    EXPECT_EQ(Text(IDC_FONT_SIZE), "9");
    for (int id : {IDC_FONT_BOLD, IDC_FONT_ITALIC})
        EXPECT_FALSE(Checked(id)) << id;
    SaveWindowPng(m_panel.m_hWnd, "font-panel.png");
}

TEST_F(FontPanelTest, ControlsChangeTheSelectedTextWithTheirUndoStep)
{
    CFlashTextShape* pText = AddSelectedText(12, FW_NORMAL);
    struct Case
    {
        const char* what;
        std::function<void(FontPanelTest&)> act;
        int points;
        int weight;
        bool italic;
        int alignment;
        const char* step;
        int checkedAlignButton;
    };
    const Case cases[] = {
        {"size 24", [](FontPanelTest& t) { TypeText(t.Control(IDC_FONT_SIZE), "24"); }, 24, FW_NORMAL, false, 0,
         "Modify Font", IDC_ALIGN_LEFT},
        {"bold", [](FontPanelTest& t) { ClickControl(t.m_panel, IDC_FONT_BOLD); }, 24, FW_BOLD, false, 0,
         "Modify Font", IDC_ALIGN_LEFT},
        {"italic", [](FontPanelTest& t) { ClickControl(t.m_panel, IDC_FONT_ITALIC); }, 24, FW_BOLD, true, 0,
         "Modify Font", IDC_ALIGN_LEFT},
        {"centre", [](FontPanelTest& t) { ClickControl(t.m_panel, IDC_ALIGN_CENTER); }, 24, FW_BOLD, true, 1,
         "Modify Text Alignment", IDC_ALIGN_CENTER},
        {"right", [](FontPanelTest& t) { ClickControl(t.m_panel, IDC_ALIGN_RIGHT); }, 24, FW_BOLD, true, 2,
         "Modify Text Alignment", IDC_ALIGN_RIGHT},
        {"justified is left", [](FontPanelTest& t) { ClickControl(t.m_panel, IDC_ALIGN_JUSTIFY); }, 24, FW_BOLD, true,
         0, "Modify Text Alignment", IDC_ALIGN_LEFT},
        {"bold off", [](FontPanelTest& t) { ClickControl(t.m_panel, IDC_FONT_BOLD); }, 24, FW_NORMAL, true, 0,
         "Modify Font", IDC_ALIGN_LEFT},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        c.act(*this);
        const CFontFacts facts = FactsOf(m_pView, pText->GetFont());
        const CFontFacts expected = ReferenceFacts(m_pView, c.points, c.weight, c.italic);
        EXPECT_EQ(facts.points, expected.points);
        EXPECT_EQ(facts.weight, c.weight);
        EXPECT_EQ(facts.italic, c.italic);
        EXPECT_EQ(Text(IDC_FONT_SIZE), std::to_string(c.points));
        EXPECT_EQ(pText->GetTextAlignment(), c.alignment);
        EXPECT_EQ(m_pView->GetTextAlignment(), c.alignment);
        EXPECT_EQ(LastStepName(m_pDoc), c.step);
        for (int id = IDC_ALIGN_LEFT; id <= IDC_ALIGN_JUSTIFY; ++id)
            EXPECT_EQ(Checked(id), id == c.checkedAlignButton) << id;
    }
}

TEST_F(FontPanelTest, TypedSizesAreKeptWithinReason)
{
    const struct
    {
        const char* typed;
        int points;
    } cases[] = {
        {"0", CFontTool::kDefaultPoints},   {"-5", CFontTool::kDefaultPoints}, {"abc", CFontTool::kDefaultPoints},
        {"nan", CFontTool::kDefaultPoints}, {"0.5", CFontTool::kDefaultPoints}, {"12.7", 12},
        {"30", 30},                         {"1e9", CFontTool::kMaxPoints},    {"inf", CFontTool::kMaxPoints},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.typed);
        TypeText(Control(IDC_FONT_SIZE), c.typed);
        EXPECT_EQ(FactsOf(m_pView, m_pView->GetTextFont()).points, ReferenceFacts(m_pView, c.points).points);
    }
}

TEST_F(FontPanelTest, SelectingATextShowsItsFontWithoutEchoingIntoTheView)
{
    CFlashTextShape* pText = AddSelectedText(24, FW_BOLD);
    const int steps = m_pDoc->GetUndoManager().GetStepCount();
    m_panel.RefreshFromView(m_pView);
    EXPECT_EQ(Text(IDC_FONT_SIZE), "24");
    EXPECT_TRUE(Checked(IDC_FONT_BOLD));
    EXPECT_FALSE(Checked(IDC_FONT_ITALIC));
    // The face chosen, whatever family the platform draws it with.
    EXPECT_EQ(Text(IDC_FONT_FACE), "Arial");
    EXPECT_EQ(m_pDoc->GetUndoManager().GetStepCount(), steps);
    EXPECT_EQ(FactsOf(m_pView, pText->GetFont()).points, 24);

    // A text read from a document shows the font the document names.
    CClientDC dc(m_pView);
    pText->SetLogicalFont(
        CLogicalFont("Times New Roman", -::MulDiv(16, ::GetDeviceCaps(dc, LOGPIXELSY), 72), FW_NORMAL, true));
    m_panel.RefreshFromView(m_pView);
    EXPECT_EQ(Text(IDC_FONT_FACE), "Times New Roman");
    EXPECT_EQ(Text(IDC_FONT_SIZE), "16");
    EXPECT_FALSE(Checked(IDC_FONT_BOLD));
    EXPECT_TRUE(Checked(IDC_FONT_ITALIC));
}

TEST_F(FontPanelTest, ChosenSizesSurviveRefreshesWithoutDrifting)
{
    // The platform sets some sizes a pixel off; each refresh and change must keep the size chosen.
    CFlashTextShape* pText = AddSelectedText(12, FW_NORMAL);
    for (const char* typed : {"12", "9", "30", "11"})
    {
        SCOPED_TRACE(typed);
        TypeText(Control(IDC_FONT_SIZE), typed);
        const int points = std::atoi(typed);
        for (int round = 0; round < 3; ++round)
        {
            m_panel.RefreshFromView(m_pView);
            EXPECT_EQ(Text(IDC_FONT_FACE), "Arial");
            EXPECT_EQ(Text(IDC_FONT_SIZE), typed);
            ClickControl(m_panel, IDC_FONT_ITALIC);
        }
        EXPECT_EQ(FactsOf(m_pView, pText->GetFont()).points, ReferenceFacts(m_pView, points, FW_NORMAL, true).points);
    }
}

TEST_F(FontPanelTest, EnterTakesTheFirstFaceWithTheTypedPrefixAndEscapeGoesBack)
{
    AddSelectedText(12, FW_NORMAL);
    CComboBox* pFaces = static_cast<CComboBox*>(CWnd::FromHandle(Control(IDC_FONT_FACE)));
    ASSERT_GT(pFaces->GetCount(), 1);
    // A face other than the one shown, typed in part.
    const int target = pFaces->GetCurSel() == 0 ? 1 : 0;
    CString face;
    pFaces->GetLBText(target, face);
    const std::string prefix = std::string(face).substr(0, 3);
    const int expected = pFaces->FindString(-1, prefix.c_str());

    TypeText(FaceEdit(), prefix);
    PressKey(FaceEdit(), VK_RETURN);
    EXPECT_EQ(pFaces->GetCurSel(), expected);
    EXPECT_EQ(LastStepName(m_pDoc), "Modify Font");
    CString applied;
    pFaces->GetLBText(expected, applied);
    LOGFONTA asked = {};
    ::lstrcpynA(asked.lfFaceName, applied, LF_FACESIZE);
    CClientDC dc(m_pView);
    const Gdiplus::Font reference(dc, &asked);
    EXPECT_EQ(FactsOf(m_pView, m_pView->GetTextFont()).face, FactsOf(m_pView, &reference).face);

    // Typing without Enter, then Escape: back to the face chosen last.
    TypeText(FaceEdit(), "zz");
    PressKey(FaceEdit(), VK_ESCAPE);
    EXPECT_EQ(pFaces->GetCurSel(), expected);
}

// GDI+ draws TrueType faces only. The list leaves the others out and Enter takes none of them;
// one typed, or named by a text read from a document, is set as the replacement face.
TEST_F(FontPanelTest, FacesGdiplusCannotDrawAreNotOfferedAndAreReplacedWhenTyped)
{
    const std::string face = InstalledUndrawableFace();
    ASSERT_FALSE(face.empty()) << kNoUndrawableFace;
    CFlashTextShape* pText = AddSelectedText(12, FW_NORMAL);
    CComboBox* pFaces = static_cast<CComboBox*>(CWnd::FromHandle(Control(IDC_FONT_FACE)));
    ASSERT_GT(pFaces->GetCount(), 0);
    EXPECT_EQ(pFaces->FindString(-1, face.c_str()), CB_ERR) << "a listed face starts with " << face;

    const int steps = m_pDoc->GetUndoManager().GetStepCount();
    TypeText(FaceEdit(), face);
    PressKey(FaceEdit(), VK_RETURN);
    EXPECT_EQ(m_pDoc->GetUndoManager().GetStepCount(), steps) << "Enter takes no face the list lacks";

    TypeText(Control(IDC_FONT_SIZE), "20");
    EXPECT_EQ(LastStepName(m_pDoc), "Modify Font");
    const CFontFacts replacement = ReferenceFacts(m_pView, 20, FW_NORMAL, false, CDrawableFont::kReplacementFace);
    EXPECT_EQ(FactsOf(m_pView, pText->GetFont()).face, replacement.face);
    EXPECT_EQ(FactsOf(m_pView, pText->GetFont()).points, replacement.points);

    // A text that names the face shows it, and a change sets the replacement in bold.
    CClientDC dc(m_pView);
    pText->SetLogicalFont(CLogicalFont(face, -::MulDiv(16, ::GetDeviceCaps(dc, LOGPIXELSY), 72), FW_NORMAL, false));
    m_panel.RefreshFromView(m_pView);
    EXPECT_EQ(Text(IDC_FONT_FACE), face);
    EXPECT_EQ(Text(IDC_FONT_SIZE), "16");
    ClickControl(m_panel, IDC_FONT_BOLD);
    const CFontFacts bold = FactsOf(m_pView, pText->GetFont());
    EXPECT_EQ(bold.face, ReferenceFacts(m_pView, 16, FW_BOLD, false, CDrawableFont::kReplacementFace).face);
    EXPECT_EQ(bold.weight, FW_BOLD);
}

TEST_F(FontPanelTest, RefreshesLeaveNoGdiHandlesBehind)
{
    AddSelectedText(24, FW_BOLD);
    const int before = CountFreeGdiHandleSlots();
    for (int i = 0; i < 1000; ++i)
        m_panel.RefreshFromView(m_pView);
    EXPECT_EQ(CountFreeGdiHandleSlots(), before);
}

TEST_F(FontPanelTest, WithoutADocumentChangesStayInThePanel)
{
    SessionApp().CloseAllDocuments(FALSE);
    PumpMessages();
    ASSERT_EQ(MainFrame()->GetActiveStageView(), nullptr);
    TypeText(Control(IDC_FONT_SIZE), "20");
    ClickControl(m_panel, IDC_FONT_BOLD);
    ClickControl(m_panel, IDC_ALIGN_RIGHT);
    EXPECT_EQ(Text(IDC_FONT_SIZE), "20");
    EXPECT_TRUE(Checked(IDC_FONT_BOLD));
    EXPECT_TRUE(Checked(IDC_ALIGN_RIGHT));
}

TEST(FontNames, LongFullNamesAreCutAtASpace)
{
    const struct
    {
        const char* full;
        const char* listed;
    } cases[] = {
        {"Arial", "Arial"},
        {"Exactly thirty-one characters!!", "Exactly thirty-one characters!!"},
        // 32 characters, the 32nd a space: cut there.
        {"Thirty-one characters before sp ace", "Thirty-one characters before sp"},
        {"A very long family name with many words", "A very long family name with"},
        {"Averylongfamilynamewithoutanyspaceatall", "Averylongfamilynamewithoutanysp"},
        {"X Averylongfamilynamewithoutanyspaceatall", "X"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFontEnum::ListedName(c.full), c.listed) << c.full;
}

} // namespace
