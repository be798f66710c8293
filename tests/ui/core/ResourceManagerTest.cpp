#include "ui/core/ExtResourceManager.h"

#include "CommandTestResources.h"

#include <gtest/gtest.h>

namespace
{
constexpr WORD LANGUAGE_GERMAN = 1031;
constexpr WORD LANGUAGE_HEBREW = 1037;
constexpr WORD LANGUAGE_ARABIC = 1025;

TEST(ResourceManagerTest, RightToLeftAnswers)
{
    struct LayoutCase
    {
        const char* pszWhat;
        bool bAware;
        WORD wLanguage;
        int nOverride;
        bool bRightToLeft;
    };
    const bool bUserRtl = CExtResourceManager().IsRightToLeftLanguage();
    const LayoutCase cases[] = {
        {"aware, Arabic", true, LANGUAGE_ARABIC, -1, true},
        {"aware, Hebrew is not the configured right-to-left language", true, LANGUAGE_HEBREW, -1, false},
        {"override 0", true, LANGUAGE_ARABIC, 0, false},
        {"override 1", false, LANGUAGE_GERMAN, 1, true},
        {"not aware: the user's language decides", false, LANGUAGE_ARABIC, -1, bUserRtl},
    };
    for (const LayoutCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CExtResourceManager manager;
        manager.SetLanguageAware(c.bAware);
        manager.SetLanguage(c.wLanguage);
        EXPECT_EQ(-1, manager.SetRightToLeftOverride(c.nOverride));
        EXPECT_EQ(c.bRightToLeft, manager.IsRightToLeftLanguage());
        EXPECT_EQ(c.bRightToLeft ? static_cast<DWORD>(LAYOUT_RTL) : 0u, manager.GetLayout());
    }
}

TEST(ResourceManagerTest, StringsFromTheirBlockInEitherMode)
{
    struct StringCase
    {
        UINT nId;
        bool bFound;
        const char* pszText;
    };
    const StringCase cases[] = {
        {ID_CMD_BLOCK_ENTRY, true, "Seventh of its block"}, // entry 7 of block 0x124
        {ID_CMD_SAVE, true, "Saves the document"},
        {ID_CMD_OPEN, true, "Opens an existing document\nOpen"},
    };
    for (bool bAware : {false, true})
    {
        CExtResourceManager manager;
        manager.SetLanguageAware(bAware);
        manager.SetLanguage(LANGUAGE_GERMAN);
        for (const StringCase& c : cases)
        {
            SCOPED_TRACE(c.nId);
            CString text;
            WORD wFoundIn = 0;
            EXPECT_EQ(c.bFound, manager.LoadStringForLanguage(text, c.nId, &wFoundIn));
            EXPECT_STREQ(c.pszText, text);
            // Only US English exists: the aware manager falls back to the default language.
            EXPECT_EQ(CExtResourceManager::DEFAULT_LANGUAGE, wFoundIn);
        }
        CString missing;
        EXPECT_FALSE(manager.LoadStringForLanguage(missing, 0x7777));
        EXPECT_STREQ("fallback", manager.LoadStringOrDefault(0x7777, "fallback"));
        EXPECT_STREQ("Saves the document", manager.LoadStringOrDefault(ID_CMD_SAVE, "fallback"));
    }
}

TEST(ResourceManagerTest, MenusLoadInEitherMode)
{
    for (bool bAware : {false, true})
    {
        SCOPED_TRACE(bAware);
        CExtResourceManager manager;
        manager.SetLanguageAware(bAware);
        CMenu menu;
        ASSERT_TRUE(manager.LoadMenuForLanguage(menu, IDR_TEST_MENU));
        EXPECT_EQ(1, ::GetMenuItemCount(menu.m_hMenu));
        EXPECT_FALSE(manager.LoadMenuForLanguage(menu, 999));
    }
}

TEST(ResourceManagerTest, TheHolderInstallsAndReplacesManagers)
{
    CExtResourceManagerHolder holder;
    CExtResourceManager* pDefault = holder.GetManager();
    ASSERT_NE(nullptr, pDefault);
    EXPECT_EQ(pDefault, holder.GetManager());
    auto* pAware = new CExtResourceManager;
    pAware->SetLanguageAware(true);
    holder.ReplaceManager(pAware);
    EXPECT_TRUE(holder->IsLanguageAware());
    holder.ReplaceManager(nullptr);
    EXPECT_FALSE(holder->IsLanguageAware());
}
} // namespace
