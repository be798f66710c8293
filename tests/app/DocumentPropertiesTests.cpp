// The document properties dialog as the stage's Document command runs it: unit texts, typed
// values kept or refused, OK and Enter, Cancel, and the undo step.
#include "EditorSessionSupport.h"
#include "ModalDialogDriver.h"

#include "app/FlashEditorMainFrame.h"
#include "app/dialogs/DocumentPropertiesDlg.h"
#include "model/FlashEditorDoc.h"
#include "model/UndoStep.h"
#include "resources/app/AppResources.h"
#include "resources/dialogs/DocumentPropertiesResources.h"
#include "tests/support/ScreenImage.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kTitle = "Document properties";

struct CDialogTexts {
    std::string width;
    std::string height;
    std::string frameRate;
};

CDialogTexts ReadTexts(HWND dialog)
{
    return {CModalDialogDriver::ControlText(dialog, IDC_DOCPROP_WIDTH),
            CModalDialogDriver::ControlText(dialog, IDC_DOCPROP_HEIGHT),
            CModalDialogDriver::ControlText(dialog, IDC_DOCPROP_FRAME_RATE)};
}

void ChooseUnits(HWND dialog, int units)
{
    HWND combo = ::GetDlgItem(dialog, IDC_DOCPROP_UNITS);
    ::SendMessageA(combo, CB_SETCURSEL, units, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DOCPROP_UNITS, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

class DocumentProperties : public ::testing::Test {
protected:
    void SetUp() override
    {
        SessionApp().CloseAllDocuments(FALSE);
        SendCommand(ID_FILE_NEW);
        m_pDoc = ActiveDocument();
        ASSERT_NE(m_pDoc, nullptr);
    }
    // Runs the Document command while the script works the dialog.
    void RunDialog(const std::function<void(HWND)>& script)
    {
        CModalDialogDriver driver(kTitle, script);
        SendCommand(ID_MODIFY_DOCUMENT);
        ASSERT_TRUE(driver.Found());
    }
    CFlashEditorDoc* m_pDoc = nullptr;
};

TEST(DocumentPropertiesParse, StageSidesAreTakenOrRefused)
{
    struct Case {
        const char* text;
        int units;
        bool taken;
        double value;
    };
    const Case cases[] = {
        {"600 px", 0, true, 600},
        {"  640  ", 0, true, 640},
        {"600px", 0, true, 600},
        {"100 mm", 3, true, 100},
        {"4096", 0, true, 4096},
        {"1", 0, true, 1},
        {"0", 0, false, 0},
        {"-3", 0, false, 0},
        {"0.5", 0, false, 0},
        {"4097", 0, false, 0},
        {"1438", 3, false, 0},  // 4,098 pixels
        {"57", 2, false, 0},    // 4,104 pixels
        {"abc", 0, false, 0},
        {"inf", 0, false, 0},
        {"nan", 0, false, 0},
        {"", 0, false, 0},
    };
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(CDocumentPropertiesDlg::ParseSideText(c.text, c.units, value), c.taken) << '"' << c.text << '"';
        EXPECT_EQ(value, c.taken ? c.value : -1) << '"' << c.text << '"';
    }
}

TEST(DocumentPropertiesParse, FrameRatesAreTakenOrRefused)
{
    struct Case {
        const char* text;
        bool taken;
        int rate;
    };
    const Case cases[] = {
        {"24", true, 24}, {" 30 fps", true, 30}, {"1", true, 1}, {"255", true, 255}, {"0", false, 0},
        {"-4", false, 0}, {"x", false, 0},       {"256", false, 0}, {"", false, 0},
    };
    for (const Case& c : cases) {
        int rate = -1;
        EXPECT_EQ(CDocumentPropertiesDlg::ParseFrameRateText(c.text, rate), c.taken) << '"' << c.text << '"';
        EXPECT_EQ(rate, c.taken ? c.rate : -1) << '"' << c.text << '"';
    }
}

// Millimeters turn 400 pixels into 399.99999999999994 and back: OK rounds, never truncates.
TEST_F(DocumentProperties, UnitTextsAndOkWithoutEditingKeepTheStage)
{
    struct Case {
        int units;
        const char* width;
        const char* height;
    };
    const Case cases[] = {
        {2, " 7.64 ''", " 5.56 ''"},
        {3, "192.98 mm", "140.35 mm"},
    };
    for (const Case& c : cases) {
        m_pDoc->SetUnits(c.units);
        CDialogTexts shown;
        RunDialog([&](HWND dialog) {
            shown = ReadTexts(dialog);
            if (c.units == 3) {
                // Let the dialog finish painting its frame first.
                ::Sleep(500);
                SaveWindowPng(dialog, "document-properties-millimeters.png");
            }
            CModalDialogDriver::PressButton(dialog, IDOK);
        });
        EXPECT_EQ(shown.width, c.width) << c.units;
        EXPECT_EQ(shown.height, c.height) << c.units;
        EXPECT_EQ(shown.frameRate, "12");
        EXPECT_EQ(m_pDoc->GetStageWidth(), 550) << c.units;
        EXPECT_EQ(m_pDoc->GetStageHeight(), 400) << c.units;
        EXPECT_EQ(m_pDoc->GetUnits(), c.units);
    }
}

// Typed texts are read when an edit loses the focus; a refused one shows the kept value again.
TEST_F(DocumentProperties, UnitsAndTypedSidesChangeTheShownTexts)
{
    struct Step {
        int units;  // -1: keep
        const char* typed;  // null: type nothing
        const char* shown;
    };
    const Step steps[] = {
        {1, nullptr, "550.00 pt"},
        {0, "600 px", "600.00 px"},
        {-1, "abc", "600.00 px"},
        {-1, "5000", "600.00 px"},
        {2, nullptr, " 8.33 ''"},
        {3, "100", "100.00 mm"},
        {0, nullptr, "285.00 px"},
    };
    std::vector<std::string> shown;
    RunDialog([&](HWND dialog) {
        HWND width = ::GetDlgItem(dialog, IDC_DOCPROP_WIDTH);
        for (const Step& step : steps) {
            if (step.units >= 0)
                ChooseUnits(dialog, step.units);
            if (step.typed != nullptr) {
                CModalDialogDriver::SetControlText(dialog, IDC_DOCPROP_WIDTH, step.typed);
                ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DOCPROP_WIDTH, EN_KILLFOCUS),
                               reinterpret_cast<LPARAM>(width));
            }
            shown.push_back(CModalDialogDriver::ControlText(dialog, IDC_DOCPROP_WIDTH));
        }
        CModalDialogDriver::PressButton(dialog, IDOK);
    });
    ASSERT_EQ(shown.size(), std::size(steps));
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], steps[i].shown) << i;
    EXPECT_EQ(m_pDoc->GetStageWidth(), 285);
    EXPECT_EQ(m_pDoc->GetUnits(), 0);
}

// Enter right after typing, without leaving the edit: OK reads the texts first.
TEST_F(DocumentProperties, EnterAfterTypingKeepsTheTypedValues)
{
    RunDialog([](HWND dialog) {
        CModalDialogDriver::SetControlText(dialog, IDC_DOCPROP_HEIGHT, "300 px");
        CModalDialogDriver::SetControlText(dialog, IDC_DOCPROP_FRAME_RATE, "24");
        CModalDialogDriver::PressEnter(dialog, IDC_DOCPROP_FRAME_RATE);
    });
    EXPECT_EQ(m_pDoc->GetStageWidth(), 550);
    EXPECT_EQ(m_pDoc->GetStageHeight(), 300);
    EXPECT_EQ(m_pDoc->GetFrameRate(), 24);
}

TEST_F(DocumentProperties, OkRecordsOneUndoStepAndCancelNothing)
{
    CUndoManager& undo = m_pDoc->GetUndoManager();
    const int steps = undo.GetStepCount();
    RunDialog([](HWND dialog) {
        CModalDialogDriver::SetControlText(dialog, IDC_DOCPROP_HEIGHT, "300");
        CModalDialogDriver::PressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(m_pDoc->GetStageHeight(), 400);
    EXPECT_EQ(undo.GetStepCount(), steps);
    EXPECT_FALSE(m_pDoc->IsModified());

    // Recorded even when nothing changed.
    RunDialog([](HWND dialog) { CModalDialogDriver::PressButton(dialog, IDOK); });
    EXPECT_EQ(undo.GetStepCount(), steps + 1);
    ASSERT_NE(undo.GetLastStep(), nullptr);
    EXPECT_EQ(undo.GetLastStep()->GetName(), "Modify Document Properties");
    EXPECT_TRUE(m_pDoc->IsModified());
}

} // namespace
