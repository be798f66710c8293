#include "platform/mfc/Afx.h"

#include "MfcTestResources.h"
#include "PromptRecordingApp.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr UINT WM_APP_SCRIPT = WM_APP + 10;

// An edit subclassed through DDX_Control that counts its own changes (a reflected notification).
class CCountingEdit : public CEdit
{
public:
    int m_nChanges = 0;
    int m_nSubclassCalls = 0;
    afx_msg BOOL OnChange()
    {
        ++m_nChanges;
        return FALSE;  // the dialog sees the change as well
    }
    void PreSubclassWindow() override { ++m_nSubclassCalls; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

// The dialog runs a script of steps, one per posted message, while its modal loop runs.
class CSettingsDialog : public CDialog
{
public:
    CSettingsDialog() : CDialog(IDD_SETTINGS) {}

    CString m_strName;
    int m_nCount = 0;
    int m_bEnabled = FALSE;
    int m_nSize = 0;
    int m_nUnits = 0;
    CCountingEdit m_editName;
    int m_nParentChanges = 0;
    int m_nApplied = 0;
    std::vector<std::function<void(CSettingsDialog&)>> m_script;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NAME, m_editName);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 12);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 1, 99);
        DDX_Check(pDX, IDC_ENABLED, m_bEnabled);
        DDX_Radio(pDX, IDC_SIZE_SMALL, m_nSize);
        DDX_CBIndex(pDX, IDC_UNITS, m_nUnits);
    }
    BOOL OnInitDialog() override
    {
        CComboBox* pUnits = static_cast<CComboBox*>(GetDlgItem(IDC_UNITS));
        for (const char* unit : {"pixels", "twips", "inches"})
            pUnits->AddString(unit);
        BOOL bResult = CDialog::OnInitDialog();
        PostMessage(WM_APP_SCRIPT);
        return bResult;
    }
    afx_msg LRESULT OnScript(WPARAM, LPARAM)
    {
        if (m_script.empty())
        {
            EndDialog(IDABORT);
            return 0;
        }
        auto step = m_script.front();
        m_script.erase(m_script.begin());
        step(*this);
        if (m_hWnd != nullptr && ContinueModal())
            PostMessage(WM_APP_SCRIPT);
        return 0;
    }
    afx_msg void OnNameChanged() { ++m_nParentChanges; }
    afx_msg void OnApply() { ++m_nApplied; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSettingsDialog, CDialog)
    ON_MESSAGE(WM_APP_SCRIPT, OnScript)
    ON_EN_CHANGE(IDC_NAME, OnNameChanged)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
END_MESSAGE_MAP()

CString ItemText(CWnd& wnd, int nID)
{
    CString text;
    wnd.GetDlgItemText(nID, text);
    return text;
}

class DialogTest : public ::testing::Test
{
protected:
    void SetUp() override { PromptRecordingApp().m_prompts.clear(); }
};
}

TEST_F(DialogTest, ModalDialogExchangesDataBothWays)
{
    CSettingsDialog dialog;
    dialog.m_strName = "Layer";
    dialog.m_nCount = 12;
    dialog.m_bEnabled = TRUE;
    dialog.m_nSize = 1;
    dialog.m_nUnits = 2;
    struct Seen
    {
        CString name, count;
        UINT enabled = 0, large = 0;
        int units = -1;
    } seen;
    dialog.m_script = {
        [&seen](CSettingsDialog& d) {
            seen.name = ItemText(d, IDC_NAME);
            seen.count = ItemText(d, IDC_COUNT);
            seen.enabled = d.IsDlgButtonChecked(IDC_ENABLED);
            seen.large = d.IsDlgButtonChecked(IDC_SIZE_LARGE);
            seen.units = static_cast<int>(d.SendDlgItemMessage(IDC_UNITS, CB_GETCURSEL));
        },
        [](CSettingsDialog& d) {
            d.SetDlgItemText(IDC_NAME, "Shapes");
            d.SetDlgItemText(IDC_COUNT, " 42 ");
            d.CheckDlgButton(IDC_ENABLED, BST_UNCHECKED);
            d.CheckRadioButton(IDC_SIZE_SMALL, IDC_SIZE_LARGE, IDC_SIZE_SMALL);
            d.SendDlgItemMessage(IDC_UNITS, CB_SETCURSEL, 1);
        },
        [](CSettingsDialog& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); },
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ("Layer", seen.name);
    EXPECT_STREQ("12", seen.count);
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), seen.enabled);
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), seen.large);
    EXPECT_EQ(2, seen.units);

    EXPECT_STREQ("Shapes", dialog.m_strName);
    EXPECT_EQ(42, dialog.m_nCount);
    EXPECT_EQ(FALSE, dialog.m_bEnabled);
    EXPECT_EQ(0, dialog.m_nSize);
    EXPECT_EQ(1, dialog.m_nUnits);
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_TRUE(PromptRecordingApp().m_prompts.empty());
}

TEST_F(DialogTest, InvalidInputKeepsTheDialogOpenAndTellsTheUser)
{
    struct Case
    {
        const char* name;
        const char* count;
        const char* prompt;
        int nCountAfter;  // a parsed value reaches the member before its range check
    } const cases[] = {
        {"ok", "abc", "Please enter an integer.", 7},
        {"ok", "100", "Please enter an integer between 1 and 99.", 100},
        {"ok", "12x", "Please enter an integer.", 7},
        {"ok", "99999999999", "Please enter an integer.", 7},
        {"far too long a name", "5", "Please enter no more than 12 characters.", 7},
    };
    for (const Case& c : cases)
    {
        PromptRecordingApp().m_prompts.clear();
        CSettingsDialog dialog;
        dialog.m_nCount = 7;
        bool bStillOpen = false;
        HWND hFocus = nullptr;
        dialog.m_script = {
            [&c](CSettingsDialog& d) {
                d.SetDlgItemText(IDC_NAME, c.name);
                d.SetDlgItemText(IDC_COUNT, c.count);
                d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            },
            [&](CSettingsDialog& d) {
                bStillOpen = d.ContinueModal() != FALSE;
                hFocus = ::GetFocus();
                d.EndDialog(IDCANCEL);
            },
        };
        EXPECT_EQ(IDCANCEL, dialog.DoModal()) << c.count;
        EXPECT_TRUE(bStillOpen) << c.count;
        EXPECT_EQ(std::vector<std::string>{c.prompt}, PromptRecordingApp().m_prompts) << c.count;
        EXPECT_EQ(c.nCountAfter, dialog.m_nCount) << c.count;
        EXPECT_NE(nullptr, hFocus);
    }
}

TEST_F(DialogTest, SubclassedControlHandlesItsOwnNotificationsFirst)
{
    CSettingsDialog dialog;
    dialog.m_nCount = 3;
    int nChangesBefore = 0;
    dialog.m_script = {
        [&](CSettingsDialog& d) {
            EXPECT_EQ(&d.m_editName, CWnd::FromHandlePermanent(::GetDlgItem(d.m_hWnd, IDC_NAME)));
            EXPECT_EQ(1, d.m_editName.m_nSubclassCalls);
            nChangesBefore = d.m_editName.m_nChanges;
            d.SetDlgItemText(IDC_NAME, "changed");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED),
                          reinterpret_cast<LPARAM>(::GetDlgItem(d.m_hWnd, IDC_APPLY)));
        },
        [](CSettingsDialog& d) { d.EndDialog(IDCANCEL); },
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(nChangesBefore + 1, dialog.m_editName.m_nChanges);
    EXPECT_EQ(1, dialog.m_nParentChanges - (nChangesBefore)) << "an _EX handler returning FALSE passes it on";
    EXPECT_EQ(1, dialog.m_nApplied);
    EXPECT_EQ(nullptr, dialog.m_editName.m_hWnd) << "the control lets go with its window";
}

TEST_F(DialogTest, ModelessDialogLivesUntilDestroyed)
{
    CSettingsDialog dialog;
    dialog.m_strName = "modeless";
    dialog.m_nCount = 5;
    ASSERT_TRUE(dialog.Create(IDD_SETTINGS));
    EXPECT_STREQ("modeless", ItemText(dialog, IDC_NAME));
    dialog.SetDlgItemText(IDC_COUNT, "9");
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(9, dialog.m_nCount);
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

// A dialog whose template gives it no place opens centred over its owner, not at the screen's corner.
TEST_F(DialogTest, UnplacedDialogOpensCentredOverItsOwner)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 300, 200, 600, 400, nullptr,
                               nullptr));
    CSettingsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SETTINGS, &owner));
    CRect rcDialog;
    dialog.GetWindowRect(&rcDialog);
    EXPECT_NEAR(rcDialog.CenterPoint().x, 600, 1);
    EXPECT_NEAR(rcDialog.CenterPoint().y, 400, 1);
    dialog.DestroyWindow();
    owner.DestroyWindow();
}

TEST_F(DialogTest, TemplateFontCanBeReadAndReplaced)
{
    CDialogTemplate dlgTemplate;
    ASSERT_TRUE(dlgTemplate.Load(MAKEINTRESOURCEA(IDD_SETTINGS)));
    CString face;
    WORD size = 0;
    ASSERT_TRUE(dlgTemplate.GetFont(face, size));
    EXPECT_STREQ("MS Shell Dlg", face);
    EXPECT_EQ(8, size);
    UINT nOldSize = dlgTemplate.GetTemplateSize();
    ASSERT_TRUE(dlgTemplate.SetFont("Tahoma Extended Face", 11));
    ASSERT_TRUE(dlgTemplate.GetFont(face, size));
    EXPECT_STREQ("Tahoma Extended Face", face);
    EXPECT_EQ(11, size);
    EXPECT_GT(dlgTemplate.GetTemplateSize(), nOldSize);
    // The items survive the move: a dialog made from the new template has all its controls.
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(dlgTemplate.GetTemplate()));
    EXPECT_NE(nullptr, dialog.GetDlgItem(IDCANCEL));
    EXPECT_NE(nullptr, dialog.GetDlgItem(IDC_UNITS));
    dialog.DestroyWindow();
}
