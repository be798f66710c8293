// The menu bar's buttons built from a frame's menu: one per item, separators included, the
// frame's own menu taken away, commands missing from the profile set up from the items, the empty
// menu, and the deferred rebuilds and re-hooks of an MDI frame.
#include "MenuBarTestFrame.h"
#include "MenuBarTestResources.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtResourceManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct ExpectedButton
{
    UINT nCmdId;  // 0: a popup's temporary command or a separator
    const char* pszText;
    bool bMenu;
    bool bSeparator;
};

struct BuildCase
{
    const char* pszName;
    UINT nMenuId;
    bool bImportMenu;
    bool bRightToLeft;
    std::vector<ExpectedButton> buttons;
};

// A right-to-left language for the test's lifetime.
class CRightToLeftScope
{
public:
    explicit CRightToLeftScope(bool bOn)
        : m_nOld(g_ResourceManagerHolder->SetRightToLeftOverride(bOn ? 1 : 0))
    {
    }
    ~CRightToLeftScope() { g_ResourceManagerHolder->SetRightToLeftOverride(m_nOld); }
    CRightToLeftScope(const CRightToLeftScope&) = delete;
    CRightToLeftScope& operator=(const CRightToLeftScope&) = delete;

private:
    int m_nOld;
};

class MenuBarBuild : public ::testing::TestWithParam<BuildCase>
{
};

TEST_P(MenuBarBuild, OneButtonPerItemAndTheFrameMenuIsGone)
{
    const BuildCase& c = GetParam();
    CRightToLeftScope rightToLeft(c.bRightToLeft);
    CMenuBarScene scene(c.nMenuId, c.bImportMenu);
    CCountingMenuBar* pBar = scene.Bar();
    EXPECT_EQ(nullptr, ::GetMenu(scene.Frame()->GetSafeHwnd()));
    ASSERT_EQ(static_cast<int>(c.buttons.size()), pBar->GetButtonCount());
    for (int i = 0; i < pBar->GetButtonCount(); ++i) {
        SCOPED_TRACE(i);
        const ExpectedButton& want = c.buttons[static_cast<size_t>(i)];
        CExtBarButton* pButton = pBar->GetButtonByIndex(i);
        EXPECT_EQ(want.bSeparator, pButton->IsSeparator());
        EXPECT_EQ(want.bMenu, pButton->GetMenu() != nullptr);
        EXPECT_STREQ(want.pszText, pButton->GetText().GetString());
        if (want.nCmdId != 0) {
            EXPECT_EQ(want.nCmdId, pButton->GetCmdID(false));
        }
        if (want.bMenu) {
            // A popup's button has a temporary command of its own.
            const CExtCmdItem* pCmd = pButton->FindCmdItem(false);
            ASSERT_NE(nullptr, pCmd);
            EXPECT_TRUE((pCmd->m_dwStateFlags & CExtCmdItem::STATE_TEMPORARY) != 0);
        }
    }
}

const BuildCase kBuildCases[] = {
    {"popups",
     IDR_MENUBAR_FRAME,
     true,
     false,
     {{0, "&File", true, false}, {0, "&Edit", true, false}, {0, "&View", true, false}, {0, "&Help", true, false}}},
    {"commands_and_a_separator",
     IDR_MENUBAR_COMMANDS,
     true,
     false,
     {{0, "&File", true, false}, {ID_MB_RUN, "&Run", false, false}, {0, "", false, true},
      {ID_MB_STOP, "&Stop", false, false}}},
    // Top-level commands the profile does not know are set up from the items' ids and texts.
    {"commands_missing_from_the_profile",
     IDR_MENUBAR_COMMANDS,
     false,
     false,
     {{0, "&File", true, false}, {ID_MB_RUN, "&Run", false, false}, {0, "", false, true},
      {ID_MB_STOP, "&Stop", false, false}}},
    // A right-to-left language reverses the order.
    {"right_to_left",
     IDR_MENUBAR_COMMANDS,
     true,
     true,
     {{ID_MB_STOP, "&Stop", false, false}, {0, "", false, true}, {ID_MB_RUN, "&Run", false, false},
      {0, "&File", true, false}}},
};

INSTANTIATE_TEST_SUITE_P(Menus, MenuBarBuild, ::testing::ValuesIn(kBuildCases),
                         [](const ::testing::TestParamInfo<BuildCase>& info) { return std::string(info.param.pszName); });

TEST(MenuBarEmptyMenu, HasNoButtonsAndAltDoesNothing)
{
    CMenuBarScene scene;
    CCountingMenuBar* pBar = scene.Bar();
    EXPECT_EQ(0, pBar->GetButtonCount());
    EXPECT_TRUE(pBar->UpdateMenuBar(true));
    scene.Activate();
    SendKeyStrokes(Press(VK_MENU));
    EXPECT_FALSE(pBar->IsKeyboardMode());
    EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking);
}

TEST(MenuBarLoad, LoadsAndImportsAMenuResource)
{
    CMenuBarScene scene;
    CCountingMenuBar* pBar = scene.Bar();
    ASSERT_TRUE(pBar->LoadMenuBar(IDR_MENUBAR_COMMANDS));
    ASSERT_EQ(4, pBar->GetButtonCount());
    EXPECT_EQ(ID_MB_RUN, pBar->GetButtonID(1));
    EXPECT_NE(nullptr, g_CmdManagerHolder->FindCommand(CMenuBarTestFrame::PROFILE, ID_MB_STOP));
    // A menu that is not there leaves both menus gone.
    EXPECT_FALSE(pBar->LoadMenuBar(0x7FFE));
    EXPECT_EQ(nullptr, pBar->GetMenuToShow());
}

TEST(MenuBarCaption, WindowMenuCaptionLosesItsAmpersands)
{
    CCountingMenuBar bar;
    const struct
    {
        const char* pszIn;
        const char* pszOut;
    } cases[] = {{"&Window", "Window"}, {"A&&B&", "AB"}, {nullptr, ""}, {"", ""}};
    for (const auto& c : cases) {
        bar.SetWindowMenuCaption(c.pszIn);
        EXPECT_STREQ(c.pszOut, bar.GetWindowMenuCaption().GetString());
    }
}

// A menu resource loaded for a test, destroyed after the scenes that use it.
class CLoadedMenu
{
public:
    explicit CLoadedMenu(UINT nId) : m_hMenu(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nId))) {}
    ~CLoadedMenu() { ::DestroyMenu(m_hMenu); }
    CLoadedMenu(const CLoadedMenu&) = delete;
    CLoadedMenu& operator=(const CLoadedMenu&) = delete;
    HMENU Get() const { return m_hMenu; }

private:
    HMENU m_hMenu;
};

// Several activations in a row give one rebuild for the menus they set, and each
// WM_MDISETMENU answers the document menu set before it. The document menus outlive the bar:
// they belong to whoever set them.
TEST(MenuBarMdi, SeveralActivationsGiveOneRebuildAndOneRehook)
{
    CLoadedMenu docMenu(IDR_MENUBAR_DOCUMENT);
    CLoadedMenu otherMenu(IDR_MENUBAR_COMMANDS);
    {
        CMdiMenuBarScene scene;
        CCountingMenuBar* pBar = scene.Bar();
        CMDIChildWnd* pFirst = scene.AddChild("One", docMenu.Get());
        CMDIChildWnd* pSecond = scene.AddChild("Two", docMenu.Get());
        ASSERT_NE(nullptr, pFirst);
        ASSERT_NE(nullptr, pSecond);
        PumpTranslated(50);
        EXPECT_EQ(pSecond->GetSafeHwnd(), pBar->GetHookedMdiChild());
        ASSERT_EQ(4, pBar->GetButtonCount());
        // The popup under the window-list caption lists the MDI windows.
        EXPECT_TRUE(pBar->GetButtonByIndex(2)->IsAppendMdiWindows());

        pBar->m_nRebuilds = pBar->m_nRehooks = 0;
        for (CMDIChildWnd* pChild : {pFirst, pSecond, pFirst})
            ::SendMessageA(scene.Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pChild->GetSafeHwnd()), 0);
        PumpTranslated(50);
        EXPECT_EQ(1, pBar->m_nRebuilds);
        EXPECT_EQ(pFirst->GetSafeHwnd(), pBar->GetHookedMdiChild());

        pBar->m_nRebuilds = 0;
        const auto hBefore = reinterpret_cast<HMENU>(
            ::SendMessageA(scene.Client(), WM_MDISETMENU, reinterpret_cast<WPARAM>(otherMenu.Get()), 0));
        const auto hBack = reinterpret_cast<HMENU>(
            ::SendMessageA(scene.Client(), WM_MDISETMENU, reinterpret_cast<WPARAM>(docMenu.Get()), 0));
        EXPECT_EQ(docMenu.Get(), hBefore);
        EXPECT_EQ(otherMenu.Get(), hBack);
        PumpTranslated(50);
        EXPECT_EQ(1, pBar->m_nRebuilds);
        EXPECT_EQ(docMenu.Get(), pBar->GetMenuToShow()->GetSafeHmenu());
    }
    EXPECT_TRUE(::IsMenu(docMenu.Get()));
    EXPECT_TRUE(::IsMenu(otherMenu.Get()));
}

// Posted activations coalesce into one re-hook; a rebuild request drops a pending re-hook.
TEST(MenuBarMdi, ARebuildRequestCancelsAPendingRehook)
{
    CMdiMenuBarScene scene;
    CCountingMenuBar* pBar = scene.Bar();
    pBar->m_nRebuilds = pBar->m_nRehooks = 0;
    for (int i = 0; i < 3; ++i)
        pBar->PostRehookActiveMdiChild();
    PumpTranslated(30);
    EXPECT_EQ(1, pBar->m_nRehooks);

    pBar->m_nRebuilds = pBar->m_nRehooks = 0;
    pBar->PostRehookActiveMdiChild();
    pBar->PostUpdateMenuBar();
    pBar->PostUpdateMenuBar();
    PumpTranslated(30);
    EXPECT_EQ(1, pBar->m_nRebuilds);
    // The only re-hook is the rebuild's own.
    EXPECT_EQ(1, pBar->m_nRehooks);
}

// A Win32 menu that other code puts back on the frame goes at the next hooked frame message.
TEST(MenuBarFrameMenu, AMenuSetAgainIsRemovedAndTheBarRebuilt)
{
    CMenuBarScene scene(IDR_MENUBAR_FRAME);
    CCountingMenuBar* pBar = scene.Bar();
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MENUBAR_COMMANDS));
    pBar->m_nRebuilds = 0;
    ::SetMenu(scene.Frame()->GetSafeHwnd(), hMenu);
    scene.Frame()->SendMessage(WM_NULL);
    PumpTranslated(30);
    EXPECT_EQ(nullptr, ::GetMenu(scene.Frame()->GetSafeHwnd()));
    EXPECT_EQ(1, pBar->m_nRebuilds);
    ::DestroyMenu(hMenu);
}
} // namespace
