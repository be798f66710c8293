#include "ui/core/ExtResDlg.h"

#include "platform/mfc/DialogTemplate.h"
#include "ui/core/ExtResourceManager.h"

#include "CommandTestResources.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace
{
// Ends itself as soon as it runs, noting what the modal loop showed it.
class SelfClosingDialog : public CExtResDlg
{
public:
    SelfClosingDialog(UINT nIDTemplate, CWnd* pParent, bool bRightToLeftAllowed = false)
        : CExtResDlg(nIDTemplate, pParent), m_bRightToLeftAllowed(bRightToLeftAllowed)
    {
    }

    BOOL OnInitDialog() override
    {
        const BOOL bResult = CExtResDlg::OnInitDialog();
        m_nComboCount = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_UNITS_COMBO, CB_GETCOUNT, 0, 0));
        m_bOwnerDisabled = m_hWndOwnerSeen != nullptr && !::IsWindowEnabled(m_hWndOwnerSeen);
        m_dwExStyle = GetExStyle();
        PostMessage(WM_COMMAND, IDCANCEL, 0);
        return bResult;
    }
    bool IsRightToLeftLayoutAllowed() const override { return m_bRightToLeftAllowed; }

    HWND m_hWndOwnerSeen = nullptr;
    int m_nComboCount = -1;
    bool m_bOwnerDisabled = false;
    DWORD m_dwExStyle = 0;

private:
    bool m_bRightToLeftAllowed;
};

class ResDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LPCSTR lpszClass = AfxRegisterWndClass(0);
        ASSERT_TRUE(m_owner.CreateEx(WS_EX_TOPMOST, lpszClass, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                     nullptr));
    }
    void TearDown() override
    {
        g_ResourceManagerHolder->SetRightToLeftOverride(-1);
        m_owner.DestroyWindow();
    }

    CWnd m_owner;
};

TEST_F(ResDlgTest, DoModalRunsTheTemplateThroughTheModalLoop)
{
    SelfClosingDialog dialog(IDD_RESIZABLE, &m_owner);
    dialog.m_hWndOwnerSeen = m_owner.m_hWnd;
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    // The template's initialisation data ran once, over a disabled owner given back afterwards.
    EXPECT_EQ(2, dialog.m_nComboCount);
    EXPECT_TRUE(dialog.m_bOwnerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
    EXPECT_EQ(nullptr, dialog.m_hWnd);

    // A template in memory runs as well; a dialog without one answers -1 at once.
    CDialogTemplate memoryTemplate;
    ASSERT_TRUE(memoryTemplate.Load(MAKEINTRESOURCEA(IDD_RESIZABLE)));
    SelfClosingDialog fromMemory(0, &m_owner);
    fromMemory.m_lpszTemplateName = nullptr;
    fromMemory.InitModalIndirect(memoryTemplate.GetTemplate(), &m_owner);
    EXPECT_EQ(IDCANCEL, fromMemory.DoModal());
    EXPECT_EQ(0, fromMemory.m_nComboCount);

    SelfClosingDialog missing(0xBEEF, &m_owner);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
}

TEST_F(ResDlgTest, RightToLeftLayoutOnlyWhereAllowedAndAsked)
{
    struct LayoutCase
    {
        const char* pszWhat;
        bool bAllowed;
        int nOverride;
        bool bExpectRightToLeft;
    };
    const LayoutCase cases[] = {
        {"allowed, right-to-left language", true, 1, true},
        {"allowed, left-to-right language", true, 0, false},
        {"not allowed", false, 1, false},
    };
    for (const LayoutCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        g_ResourceManagerHolder->SetRightToLeftOverride(c.nOverride);
        SelfClosingDialog dialog(IDD_RESIZABLE, &m_owner, c.bAllowed);
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_EQ(c.bExpectRightToLeft, (dialog.m_dwExStyle & WS_EX_LAYOUTRTL) != 0);
    }
}

TEST(ResDlgFontTest, OldDialogFacesAtTheSheetSizeTakeTheSheetFace)
{
    ::InitCommonControls();
    CString strSheetFace;
    WORD wSheetSize = 0;
    ASSERT_TRUE(CExtResPP::FAKE_PROPPAGEFONTINFO::GetPropertySheetFont(strSheetFace, wSheetSize, false));
    ASSERT_FALSE(strSheetFace.IsEmpty());
    // The wizard's template has a font too; the cache answers the same again.
    CString strWizardFace;
    WORD wWizardSize = 0;
    EXPECT_TRUE(CExtResPP::FAKE_PROPPAGEFONTINFO::GetPropertySheetFont(strWizardFace, wWizardSize, true));
    CString strAgain;
    WORD wAgain = 0;
    ASSERT_TRUE(CExtResPP::FAKE_PROPPAGEFONTINFO::GetPropertySheetFont(strAgain, wAgain, false));
    EXPECT_EQ(strSheetFace, strAgain);
    EXPECT_EQ(wSheetSize, wAgain);

    // An old face that differs from the sheet's, so that a change shows.
    const char* const pszOldFace = strSheetFace.CompareNoCase("MS Sans Serif") == 0 ? "MS Shell Dlg" : "MS Sans Serif";
    struct FontCase
    {
        const char* pszFace;
        WORD wSize;
        bool bTakesSheetFace;
    };
    const FontCase cases[] = {
        {pszOldFace, wSheetSize, true},
        {pszOldFace, static_cast<WORD>(wSheetSize + 2), false},
        {"Arial", wSheetSize, false},
    };
    for (const FontCase& c : cases)
    {
        SCOPED_TRACE(std::string(c.pszFace) + " " + std::to_string(c.wSize));
        CDialogTemplate source;
        ASSERT_TRUE(source.Load(MAKEINTRESOURCEA(IDD_RESIZABLE)));
        ASSERT_TRUE(source.SetFont(c.pszFace, c.wSize));
        CExtResDlg dialog;
        LPCDLGTEMPLATEA lpPrepared = dialog.PrepareDialogTemplate(source.GetTemplate());
        CString strFace;
        WORD wSize = 0;
        ASSERT_TRUE(CDialogTemplate::GetFont(lpPrepared, strFace, wSize));
        EXPECT_EQ(c.wSize, wSize);
        EXPECT_EQ(c.bTakesSheetFace ? strSheetFace : CString(c.pszFace), strFace);
        // The caller's template is never written to.
        CString strSourceFace;
        WORD wSourceSize = 0;
        ASSERT_TRUE(source.GetFont(strSourceFace, wSourceSize));
        EXPECT_EQ(CString(c.pszFace), strSourceFace);
    }
}
} // namespace
