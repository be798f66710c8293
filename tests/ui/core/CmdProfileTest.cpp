#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtCmdProfile.h"
#include "ui/core/ExtToolbarResourceData.h"

#include "CommandTestResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace
{
constexpr int ICON_SIZE = 16;

// A bitmap icon filled with one colour, so that each icon can be told apart by a pixel.
CExtCmdIcon* MakeIcon(COLORREF clr)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, ICON_SIZE, ICON_SIZE);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    const RECT rc = {0, 0, ICON_SIZE, ICON_SIZE};
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    return new CExtCmdIcon(hBitmap, RGB(255, 0, 255), nullptr, false);
}

// The colour at the centre of an icon's bitmap.
COLORREF IconColour(const CExtCmdIcon* pIcon)
{
    if (pIcon == nullptr || pIcon->GetBitmap() == nullptr)
        return CLR_INVALID;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, pIcon->GetBitmap());
    const SIZE size = pIcon->GetImageSize();
    const COLORREF clr = ::GetPixel(hDC, size.cx / 2, size.cy / 2);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return clr;
}

// Every item's icon index is -1 or a distinct index below the icon count.
void ExpectIconIndexesSound(const CExtCmdProfile& profile)
{
    std::vector<int> seen;
    for (const auto& entry : profile.m_cmds)
    {
        const int nIndex = entry.second->m_nIconIdx;
        EXPECT_EQ(entry.first, entry.second->m_nCmdId);
        EXPECT_EQ(&profile, entry.second->m_pProfile);
        if (nIndex < 0)
            continue;
        EXPECT_LT(nIndex, profile.GetIconCount()) << "command " << entry.first;
        EXPECT_EQ(seen.end(), std::find(seen.begin(), seen.end(), nIndex)) << "command " << entry.first;
        seen.push_back(nIndex);
    }
}

TEST(CmdProfileIconTest, RemovingACommandRenumbersTheOtherIcons)
{
    CExtCmdProfile profile("icons");
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (UINT i = 0; i < 3; ++i)
    {
        ASSERT_NE(nullptr, profile.AllocateCommand(40 + i));
        ASSERT_TRUE(profile.SetCommandIcon(40 + i, MakeIcon(colours[i]), true));
    }
    bool bRemoved = false;
    ASSERT_TRUE(profile.RemoveCommand(40, &bRemoved));
    EXPECT_TRUE(bRemoved);
    EXPECT_EQ(2, profile.GetIconCount());
    EXPECT_EQ(0, profile.FindCommand(41)->m_nIconIdx);
    EXPECT_EQ(colours[1], IconColour(profile.GetCommandIcon(41)));
    EXPECT_EQ(colours[2], IconColour(profile.GetCommandIcon(42)));

    // Removing only the image of a command renumbers the same way.
    ASSERT_TRUE(profile.SetCommandIcon(41, nullptr, false));
    EXPECT_EQ(-1, profile.FindCommand(41)->m_nIconIdx);
    EXPECT_EQ(colours[2], IconColour(profile.GetCommandIcon(42)));
    ExpectIconIndexesSound(profile);

    // An unregistered id is removed successfully without change.
    EXPECT_TRUE(profile.RemoveCommand(99, &bRemoved));
    EXPECT_FALSE(bRemoved);
    EXPECT_FALSE(profile.RemoveCommand(0, &bRemoved));
}

TEST(CmdProfileIconTest, ReplacingAnIconWithAndWithoutOwnership)
{
    CExtCmdProfile profile("replace");
    profile.AllocateCommand(50);
    ASSERT_TRUE(profile.SetCommandIcon(50, MakeIcon(RGB(255, 0, 0)), true));
    ASSERT_TRUE(profile.SetCommandIcon(50, MakeIcon(RGB(0, 255, 0)), true));
    EXPECT_EQ(1, profile.GetIconCount());
    EXPECT_EQ(RGB(0, 255, 0), IconColour(profile.GetCommandIcon(50)));
    std::unique_ptr<CExtCmdIcon> pBlue(MakeIcon(RGB(0, 0, 255)));
    ASSERT_TRUE(profile.SetCommandIcon(50, pBlue.get(), false));
    EXPECT_NE(pBlue.get(), profile.GetCommandIcon(50));
    EXPECT_EQ(RGB(0, 0, 255), IconColour(profile.GetCommandIcon(50)));
    // An empty icon removes the image; an unknown command refuses (and frees an owned icon).
    CExtCmdIcon empty;
    EXPECT_TRUE(profile.SetCommandIcon(50, &empty, false));
    EXPECT_EQ(nullptr, profile.GetCommandIcon(50));
    EXPECT_EQ(0, profile.GetIconCount());
    EXPECT_FALSE(profile.SetCommandIcon(51, MakeIcon(RGB(1, 2, 3)), true));
}

TEST(CmdProfileIconTest, ForeignIconIndexesNeverEnterAProfile)
{
    CExtCmdProfile profile("foreign");
    profile.AllocateCommand(60);
    profile.SetCommandIcon(60, MakeIcon(RGB(255, 0, 0)), true);
    profile.AllocateCommand(61);

    struct ForeignCase
    {
        const char* pszWhat;
        UINT nCmdId;
        int nSourceIndex;
        bool bReplace;
        int nExpected;
    };
    const ForeignCase cases[] = {
        {"new item, another item's icon", 62, 0, false, -1},
        {"new item, past the icon count", 63, 5, false, -1},
        {"merge, another item's icon", 61, 0, true, -1},
        {"fill, past the icon count", 61, 7, false, -1},
        {"merge keeps the item's own icon", 60, 3, true, 0},
        {"fill keeps the item's own icon", 60, -1, false, 0},
    };
    for (const ForeignCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CExtCmdItem source(c.nCmdId);
        source.m_nIconIdx = c.nSourceIndex;
        ASSERT_TRUE(profile.SetupCommand(source, c.bReplace));
        EXPECT_EQ(c.nExpected, profile.FindCommand(c.nCmdId)->m_nIconIdx);
    }
    ExpectIconIndexesSound(profile);
    EXPECT_EQ(RGB(255, 0, 0), IconColour(profile.GetCommandIcon(60)));
    EXPECT_EQ(nullptr, profile.GetCommandIcon(62));

    std::unique_ptr<CExtCmdItem> pCopy(profile.CreateItemCopy(*profile.FindCommand(60)));
    EXPECT_EQ(-1, pCopy->m_nIconIdx); // the index belongs to command 60
}

TEST(CmdProfileTest, AllocationChoosesFreeIdsFromTheTop)
{
    CExtCmdProfile profile("alloc");
    CExtCmdItem* pFirst = profile.AllocateCommand(0);
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(0xFFFEu, pFirst->m_nCmdId);
    profile.AllocateCommand(0xFFFD);
    CExtCmdItem* pThird = profile.AllocateCommand(0);
    ASSERT_NE(nullptr, pThird);
    EXPECT_EQ(0xFFFCu, pThird->m_nCmdId);
    EXPECT_EQ(nullptr, profile.AllocateCommand(0xFFFD));
    EXPECT_EQ(nullptr, profile.AllocateCommand(0x80000000u));
    EXPECT_EQ(pThird, profile.FindCommand(0xFFFC));
}

TEST(CmdProfileTest, RemovingByFlagsSharedOrExact)
{
    CExtCmdProfile profile("flags");
    for (UINT id : {70u, 71u, 72u})
        profile.AllocateCommand(id);
    profile.FindCommand(70)->m_dwStateFlags = CExtCmdItem::STATE_TEMPORARY;
    profile.FindCommand(71)->m_dwStateFlags = CExtCmdItem::STATE_TEMPORARY | CExtCmdItem::STATE_BASIC;
    profile.RemoveCommandsByFlags(CExtCmdItem::STATE_TEMPORARY | CExtCmdItem::STATE_BASIC, true);
    EXPECT_TRUE(profile.IsCommandRegistered(70));
    EXPECT_FALSE(profile.IsCommandRegistered(71));
    profile.RemoveCommandsByFlags(CExtCmdItem::STATE_TEMPORARY | CExtCmdItem::STATE_BASIC, false);
    EXPECT_FALSE(profile.IsCommandRegistered(70));
    EXPECT_TRUE(profile.IsCommandRegistered(72));
}

TEST(CmdProfileImportTest, MenuTextsSplitAtTheLastTab)
{
    struct TextCase
    {
        UINT nCmdId;
        const char* pszMenu;
        const char* pszAccel;
        const char* pszTool;
    };
    const TextCase cases[] = {
        {ID_CMD_OPEN, "&Open...", "Ctrl+O", "Open"},
        {ID_CMD_SAVE, "&Save", "", ""},
        {ID_CMD_TWO_TABS, "Two\tTabs", "Ctrl+T", "Tip"},
        {ID_CMD_NO_STRING, "Padded", "F5", ""},
    };
    for (bool bLoadTips : {true, false})
    {
        CExtCmdProfile profile("menu");
        ASSERT_TRUE(profile.ImportMenuResource(IDR_TEST_MENU, false, bLoadTips));
        for (const TextCase& c : cases)
        {
            SCOPED_TRACE(c.nCmdId);
            const CExtCmdItem* pItem = profile.FindCommand(c.nCmdId);
            ASSERT_NE(nullptr, pItem);
            EXPECT_STREQ(c.pszMenu, pItem->m_sMenuText);
            EXPECT_STREQ(c.pszAccel, pItem->m_sAccelText);
            // The commands of submenus always bring their tips.
            EXPECT_STREQ(c.pszTool, pItem->m_sTipTool);
        }
    }
    CExtCmdProfile profile("menu");
    EXPECT_FALSE(profile.ImportMenuResource(999));
    EXPECT_FALSE(profile.ImportMenu(nullptr));
}

TEST(CmdProfileImportTest, ToolbarResourcesGiveEachIdItsImage)
{
    struct BarCase
    {
        UINT nResource;
        bool bImported;
        std::vector<UINT> allIds;
        std::vector<std::pair<UINT, COLORREF>> icons; // CLR_INVALID: registered without image
    };
    const BarCase cases[] = {
        {IDR_TEST_BAR, true, {ID_CMD_OPEN, 0, ID_CMD_SAVE},
         {{ID_CMD_OPEN, RGB(255, 0, 0)}, {ID_CMD_SAVE, RGB(0, 0, 255)}}},
        {IDR_SHORT_BAR, true, {ID_CMD_OPEN, ID_CMD_SAVE, ID_CMD_CLOSE},
         {{ID_CMD_OPEN, RGB(0, 128, 0)}, {ID_CMD_SAVE, CLR_INVALID}, {ID_CMD_CLOSE, CLR_INVALID}}},
        {IDR_EMPTY_BAR, false, {}, {}},
        {999, false, {}, {}},
    };
    for (const BarCase& c : cases)
    {
        SCOPED_TRACE(c.nResource);
        CExtCmdProfile profile("bar");
        UINT* pIds = nullptr;
        UINT nCount = 0;
        ASSERT_EQ(c.bImported, profile.ImportToolbarResource(MAKEINTRESOURCEA(c.nResource), &pIds, &nCount, false,
                                                             true, RGB(255, 0, 255)));
        std::unique_ptr<UINT[]> ids(pIds);
        if (!c.bImported)
        {
            EXPECT_TRUE(profile.m_cmds.empty());
            continue;
        }
        ASSERT_EQ(c.allIds.size(), nCount);
        EXPECT_EQ(c.allIds, std::vector<UINT>(pIds, pIds + nCount));
        for (const auto& [nCmdId, clr] : c.icons)
        {
            ASSERT_TRUE(profile.IsCommandRegistered(nCmdId)) << nCmdId;
            EXPECT_EQ(clr, IconColour(profile.GetCommandIcon(nCmdId))) << nCmdId;
        }
        EXPECT_STREQ("Open", profile.FindCommand(ID_CMD_OPEN)->m_sTipTool);
        ExpectIconIndexesSound(profile);
    }
}

TEST(ToolbarResourceDataTest, CountsAndSizesAreNotTrusted)
{
    struct DataCase
    {
        const char* pszWhat;
        std::vector<WORD> words;
        bool bRead;
        std::vector<UINT> allIds;
    };
    const DataCase cases[] = {
        {"ids and a separator", {1, 16, 15, 3, 100, 0, 101}, true, {100, 0, 101}},
        {"a count past the end", {1, 16, 15, 50, 100, 101}, true, {100, 101}},
        {"a count below the ids", {1, 16, 15, 1, 100, 101}, true, {100}},
        {"a zero button width", {1, 0, 15, 1, 100}, false, {}},
        {"a zero button height", {1, 16, 0, 1, 100}, false, {}},
        {"separators only", {1, 16, 15, 2, 0, 0}, false, {0, 0}},
        {"a cut header", {1, 16, 15}, false, {}},
    };
    for (const DataCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CExtToolbarResourceData data;
        EXPECT_EQ(c.bRead, data.ReadIds(reinterpret_cast<const BYTE*>(c.words.data()),
                                        static_cast<DWORD>(c.words.size() * sizeof(WORD))));
        if (c.bRead || !c.allIds.empty())
        {
            EXPECT_EQ(c.allIds, data.m_allIds);
        }
    }
}

TEST(CmdProfileTest, MarkingBasicCommandsSkipsSystemAndUnknownIds)
{
    CExtCmdProfile profile("basic");
    profile.AllocateCommand(80);
    profile.AllocateCommand(81);
    profile.AllocateCommand(0xF060);
    const UINT withSystem[] = {80, 0xF060, 81, 0};
    EXPECT_FALSE(profile.MarkBasicCommands(withSystem));
    EXPECT_TRUE(profile.FindCommand(80)->IsBasic());
    EXPECT_TRUE(profile.FindCommand(81)->IsBasic());
    EXPECT_EQ(0u, profile.FindCommand(0xF060)->m_dwStateFlags & CExtCmdItem::STATE_BASIC);
    const UINT unknown[] = {80, 82, 0};
    EXPECT_FALSE(profile.MarkBasicCommands(unknown, false));
    EXPECT_FALSE(profile.FindCommand(80)->IsBasic());
    const UINT known[] = {80, 81, 0};
    EXPECT_TRUE(profile.MarkBasicCommands(known));
    EXPECT_FALSE(profile.MarkBasicCommands(nullptr));
}

TEST(CmdProfileTest, AssignFromCopiesItemsWithTheirIcons)
{
    CExtCmdProfile source("source");
    source.AllocateCommand(90)->m_nUsageTickCount = 4;
    source.AllocateCommand(91);
    source.SetCommandIcon(91, MakeIcon(RGB(0, 255, 0)), true);
    source.SetCommandIcon(90, MakeIcon(RGB(255, 0, 0)), true);
    source.m_nTotalTickCount = 9;
    source.m_dwOptions = 0x55;

    CExtCmdProfile copy("copy");
    copy.AllocateCommand(5);
    copy.AssignFrom(source);
    EXPECT_STREQ("source", copy.m_sName);
    EXPECT_FALSE(copy.IsCommandRegistered(5));
    EXPECT_EQ(9u, copy.m_nTotalTickCount);
    EXPECT_EQ(0x55u, copy.m_dwOptions);
    EXPECT_EQ(4u, copy.FindCommand(90)->GetUsageCount());
    EXPECT_EQ(RGB(255, 0, 0), IconColour(copy.GetCommandIcon(90)));
    EXPECT_EQ(RGB(0, 255, 0), IconColour(copy.GetCommandIcon(91)));
    EXPECT_NE(source.GetCommandIcon(90), copy.GetCommandIcon(90));
    ExpectIconIndexesSound(copy);
}
} // namespace
