#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtCmdProfile.h"

#include "platform/mfc/FrameWnd.h"

#include "CommandTestResources.h"

#include <gtest/gtest.h>

namespace
{
constexpr UINT ID_DISABLED_BY_HANDLER = 0x7001;
constexpr UINT ID_CHECK_0 = 0x7002;
constexpr UINT ID_CHECK_1 = 0x7003;
constexpr UINT ID_CHECK_2 = 0x7004;
constexpr UINT ID_RADIO = 0x7005;
constexpr UINT ID_RENAMED = 0x7006;
constexpr UINT ID_COMMAND_ONLY = 0x7007;
constexpr UINT ID_NO_HANDLER = 0x7008;
constexpr UINT SC_CLOSE_ID = 0xF060;
constexpr UINT MDI_FIRST_WINDOW_ID = 0xFF00;

class CUpdatingFrame : public CFrameWnd
{
public:
    UINT m_nLastCommand = 0;

protected:
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateCheck0(CCmdUI* pCmdUI) { pCmdUI->SetCheck(0); }
    afx_msg void OnUpdateCheck1(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateCheck2(CCmdUI* pCmdUI) { pCmdUI->SetCheck(2); }
    afx_msg void OnUpdateRadio(CCmdUI* pCmdUI) { pCmdUI->SetRadio(TRUE); }
    afx_msg void OnUpdateRenamed(CCmdUI* pCmdUI) { pCmdUI->SetText("Renamed"); }
    afx_msg void OnCommandOnly() { m_nLastCommand = ID_COMMAND_ONLY; }
    afx_msg void OnUpdatedCommand(UINT nCmdId) { m_nLastCommand = nCmdId; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_DISABLED_BY_HANDLER, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_CHECK_0, OnUpdateCheck0)
    ON_UPDATE_COMMAND_UI(ID_CHECK_1, OnUpdateCheck1)
    ON_UPDATE_COMMAND_UI(ID_CHECK_2, OnUpdateCheck2)
    ON_UPDATE_COMMAND_UI(ID_RADIO, OnUpdateRadio)
    ON_UPDATE_COMMAND_UI(ID_RENAMED, OnUpdateRenamed)
    ON_COMMAND(ID_COMMAND_ONLY, OnCommandOnly)
    ON_COMMAND_RANGE(ID_CHECK_0, ID_RENAMED, OnUpdatedCommand)
END_MESSAGE_MAP()

struct StateCase
{
    UINT nCmdId;
    DWORD dwInitialState; // state word before the update
    bool bHandled;
    bool bEnabled;
    bool bChecked;
    bool bRadio;
    bool bIndeterminate;
    const char* pszText;
};

TEST(CmdItemStateTest, FrameUpdateHandlersWriteTheItemState)
{
    CUpdatingFrame* pFrame = new CUpdatingFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, "updates", WS_OVERLAPPEDWINDOW));
    const StateCase cases[] = {
        {ID_DISABLED_BY_HANDLER, 0, true, false, false, false, false, "menu"},
        {ID_CHECK_0, CExtCmdItem::STATE_CHECK, true, true, false, false, false, "menu"},
        {ID_CHECK_1, CExtCmdItem::STATE_RADIO, true, true, true, false, false, "menu"},
        {ID_CHECK_2, CExtCmdItem::STATE_CHECK, true, true, false, false, true, "menu"},
        {ID_RADIO, CExtCmdItem::STATE_INDETERMINATE, true, true, false, true, false, "menu"},
        {ID_RENAMED, 0, true, true, false, false, false, "Renamed"},
        // Without an update handler the item is enabled exactly when something handles the command.
        {ID_COMMAND_ONLY, CExtCmdItem::STATE_DISABLED, false, true, false, false, false, "menu"},
        {ID_NO_HANDLER, 0, false, false, false, false, false, "menu"},
        // Window-menu and window-list commands are simply enabled.
        {SC_CLOSE_ID, CExtCmdItem::STATE_DISABLED, true, true, false, false, false, "menu"},
        {MDI_FIRST_WINDOW_ID, CExtCmdItem::STATE_DISABLED, true, true, false, false, false, "menu"},
    };
    for (const StateCase& c : cases)
    {
        SCOPED_TRACE(c.nCmdId);
        CExtCmdItem item(c.nCmdId);
        item.m_sMenuText = "menu";
        item.m_dwStateFlags = c.dwInitialState;
        EXPECT_EQ(c.bHandled, item.QueryCommandState(pFrame, 0));
        EXPECT_EQ(c.bEnabled, item.IsEnabled());
        EXPECT_EQ(c.bChecked, item.IsChecked());
        EXPECT_EQ(c.bRadio, item.IsRadio());
        EXPECT_EQ(c.bIndeterminate, item.IsIndeterminate());
        EXPECT_STREQ(c.pszText, item.m_sMenuText);
    }
    pFrame->DestroyWindow();
}

TEST(CmdItemStateTest, MarksExcludeEachOtherAndLevelsShareTheirBase)
{
    CExtCmdItem item(1);
    item.SetRadio(true);
    item.SetChecked(true);
    EXPECT_EQ(CExtCmdItem::STATE_CHECK, item.m_dwStateFlags);
    item.SetIndeterminate(true);
    item.SetRadio(false);
    EXPECT_EQ(0u, item.m_dwStateFlags & CExtCmdItem::STATE_MARKS);

    item.SetLevel3(true);
    EXPECT_TRUE(item.IsLevel3());
    EXPECT_TRUE(item.IsLevel1()); // the base bit is part of every level
    item.SetLevel2(true);
    EXPECT_FALSE(item.IsLevel3());
    EXPECT_EQ(CExtCmdItem::STATE_LEVEL_BASE | CExtCmdItem::STATE_LEVEL_2,
              item.m_dwStateFlags & CExtCmdItem::STATE_LEVELS);
    item.SetLevel1(false);
    EXPECT_EQ(0u, item.m_dwStateFlags & CExtCmdItem::STATE_LEVELS);
}

TEST(CmdItemTipsTest, StringTableTextsSplitAtTheLastLineFeed)
{
    struct TipCase
    {
        UINT nCmdId;
        bool bLoaded;
        const char* pszStatus;
        const char* pszTool;
    };
    const TipCase cases[] = {
        {ID_CMD_OPEN, true, "Opens an existing document", "Open"},
        {ID_CMD_SAVE, true, "Saves the document", ""},
        {ID_CMD_TWO_TABS, true, "First line\nSecond line", "Tip"},
        {ID_CMD_CLOSE, true, "Closes the window", "Close"},
        {ID_CMD_SPACES, false, "", ""},
        {ID_CMD_NO_STRING, false, "", ""},
        {0x80000001u, false, "", ""},
    };
    for (const TipCase& c : cases)
    {
        SCOPED_TRACE(c.nCmdId);
        CExtCmdItem item(c.nCmdId);
        item.m_sTipStatus = "stale";
        item.m_sTipTool = "stale";
        EXPECT_EQ(c.bLoaded, item.LoadTipsFromStringTable());
        EXPECT_STREQ(c.pszStatus, item.m_sTipStatus);
        EXPECT_STREQ(c.pszTool, item.m_sTipTool);
    }
}

TEST(CmdItemUsageTest, PercentagesCountsAndHalving)
{
    CExtCmdProfile profile("usage");
    CExtCmdItem* pItem = profile.AllocateCommand(10);
    CExtCmdItem* pOther = profile.AllocateCommand(11);
    ASSERT_NE(nullptr, pItem);
    // No uses yet: every ordinary command is rarely used.
    EXPECT_EQ(0u, pItem->GetUsagePercent());
    EXPECT_TRUE(pItem->IsRarelyUsed());
    pItem->SetRarelyUsedPercent(250);
    EXPECT_EQ(100, profile.m_nRarelyUsedPercent);
    pItem->SetRarelyUsedPercent(10);

    for (int i = 0; i < 3; ++i)
        pItem->CountOneUse();
    pOther->CountOneUse();
    EXPECT_EQ(3u, pItem->GetUsageCount());
    EXPECT_EQ(4u, profile.m_nTotalTickCount);
    EXPECT_EQ(75u, pItem->GetUsagePercent());
    EXPECT_FALSE(pItem->IsRarelyUsed());

    // Counters near the 32-bit limit: the share is computed without overflow.
    pItem->m_nUsageTickCount = 0xC0000000u;
    profile.m_nTotalTickCount = 0xF0000000u;
    EXPECT_EQ(80u, pItem->GetUsagePercent());

    // Reaching the limit halves the total and every counter; the total never wraps.
    pItem->m_nUsageTickCount = 0x7FFFFFFFu;
    pOther->m_nUsageTickCount = 0x7FFFFFFEu;
    profile.m_nTotalTickCount = 0xFFFFFFFDu;
    pItem->CountOneUse();
    EXPECT_EQ(0x7FFFFFFFu, profile.m_nTotalTickCount);
    EXPECT_EQ(0x40000000u, pItem->GetUsageCount());
    EXPECT_EQ(0x3FFFFFFFu, pOther->GetUsageCount());
    profile.m_nTotalTickCount = 0xFFFFFFFFu;
    pOther->CountOneUse();
    EXPECT_EQ(0x80000000u, profile.m_nTotalTickCount);
}

TEST(CmdItemUsageTest, BasicForcedAndSystemCommandsAreNeitherCountedNorSaved)
{
    CExtCmdProfile profile("kinds");
    CExtCmdItem* pBasic = profile.AllocateCommand(20);
    CExtCmdItem* pForced = profile.AllocateCommand(21);
    CExtCmdItem* pSystem = profile.AllocateCommand(SC_CLOSE_ID);
    CExtCmdItem* pPlain = profile.AllocateCommand(22);
    pBasic->SetBasic(true);
    pForced->SetForcedRarelyUsed(true);
    pForced->m_nUsageTickCount = 7;
    for (CExtCmdItem* pItem : {pBasic, pForced, pSystem, pPlain})
        pItem->CountOneUse();
    EXPECT_EQ(0u, pBasic->GetUsageCount());
    EXPECT_EQ(7u, pForced->GetUsageCount());
    EXPECT_EQ(0u, pSystem->GetUsageCount());
    EXPECT_EQ(1u, pPlain->GetUsageCount());
    EXPECT_TRUE(pSystem->IsBasic());
    EXPECT_FALSE(pSystem->IsRarelyUsed());
    EXPECT_FALSE(pSystem->IsUsageSaved());
    EXPECT_FALSE(pForced->IsUsageSaved());
    EXPECT_TRUE(pPlain->IsUsageSaved());
    pPlain->SetTemporary(true);
    EXPECT_FALSE(pPlain->IsUsageSaved());

    profile.ClearUsageCounters();
    EXPECT_EQ(7u, pForced->GetUsageCount());
    EXPECT_EQ(0u, pPlain->GetUsageCount());
    EXPECT_EQ(0u, profile.m_nTotalTickCount);
}

TEST(CmdItemCopyTest, MergeAndFillKeepWhatTheyShould)
{
    CExtCmdItem item(30);
    item.m_sMenuText = "Mine";
    item.m_sToolbarText = "";
    item.m_sAccelText = "Ctrl+M";
    CExtCmdItem source(30);
    source.m_sMenuText = "Theirs";
    source.m_sToolbarText = "Bar";
    source.m_sTipTool = "Tip";

    CExtCmdItem filled(item);
    filled.FillMissingFrom(source);
    EXPECT_STREQ("Mine", filled.m_sMenuText);
    EXPECT_STREQ("", filled.m_sToolbarText);
    EXPECT_STREQ("Tip", filled.m_sTipTool);
    EXPECT_STREQ("Ctrl+M", filled.m_sAccelText);

    CExtCmdItem merged(item);
    merged.MergeFrom(source);
    EXPECT_STREQ("Theirs", merged.m_sMenuText);
    EXPECT_STREQ("Bar", merged.m_sToolbarText);
    EXPECT_STREQ("Ctrl+M", merged.m_sAccelText);

    EXPECT_STREQ("Theirs", merged.GetText());
    CExtCmdItem tipOnly(31);
    tipOnly.m_sTipTool = "Tip";
    tipOnly.m_sToolbarText = "Bar";
    EXPECT_STREQ("Tip", tipOnly.GetText());
}

// Records what reaches a window's procedure.
LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_COMMAND || nMessage == WM_SYSCOMMAND)
    {
        ::SetPropA(hWnd, "message", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(nMessage)));
        ::SetPropA(hWnd, "wparam", reinterpret_cast<HANDLE>(wParam));
        ::SetPropA(hWnd, "lparam", reinterpret_cast<HANDLE>(lParam));
        return 1;
    }
    return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

TEST(CmdItemSendTest, SystemCommandsGoAsSysCommandWithTheCursor)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "CmdItemRecorder";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowA("CmdItemRecorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hWnd);
    ::SetCursorPos(12, 34);
    POINT pt = {};
    ::GetCursorPos(&pt);

    CExtCmdProfile profile("send");
    CExtCmdItem* pClose = profile.AllocateCommand(SC_CLOSE_ID);
    CExtCmdItem* pOpen = profile.AllocateCommand(ID_CMD_OPEN);
    EXPECT_TRUE(pClose->SendCommandMessage(hWnd, true));
    EXPECT_EQ(static_cast<UINT_PTR>(WM_SYSCOMMAND), reinterpret_cast<UINT_PTR>(::GetPropA(hWnd, "message")));
    EXPECT_EQ(static_cast<UINT_PTR>(MAKELPARAM(pt.x, pt.y)), reinterpret_cast<UINT_PTR>(::GetPropA(hWnd, "lparam")));
    EXPECT_EQ(0u, pClose->GetUsageCount());

    EXPECT_TRUE(pOpen->SendCommandMessage(hWnd, true));
    EXPECT_EQ(static_cast<UINT_PTR>(WM_COMMAND), reinterpret_cast<UINT_PTR>(::GetPropA(hWnd, "message")));
    EXPECT_EQ(static_cast<UINT_PTR>(ID_CMD_OPEN), reinterpret_cast<UINT_PTR>(::GetPropA(hWnd, "wparam")));
    EXPECT_EQ(1u, pOpen->GetUsageCount());
    EXPECT_FALSE(pOpen->SendCommandMessage(nullptr, true));
    EXPECT_FALSE(pOpen->SendCommandToOwner(nullptr, true));
    for (const char* pszProp : {"message", "wparam", "lparam"})
        ::RemovePropA(hWnd, pszProp);
    ::DestroyWindow(hWnd);
}
} // namespace
