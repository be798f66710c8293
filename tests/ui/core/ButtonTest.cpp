#include "ui/core/ExtButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace
{
constexpr UINT ID_FIRST_BUTTON = 500;
const RECT BUTTON_RECT = {20, 20, 120, 50};

// Records the commands its children send; a reaction may be installed per test.
class CCommandParent : public CWnd
{
public:
    std::vector<UINT> m_commands;
    std::function<void(UINT)> m_reaction;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        if (m_reaction)
            m_reaction(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

void Pump(CExtButton* pButton = nullptr)
{
    for (int round = 0; round < 3; ++round)
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (pButton != nullptr && msg.hwnd == pButton->m_hWnd && pButton->PreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
}

void MouseTo(POINT ptScreen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ptScreen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ptScreen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

void MouseButton(bool bDown)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof input);
}

// A key as the message loop hands it to the button (other test programs may hold the focus).
void Key(CExtButton& button, WORD vk, bool bDown)
{
    MSG msg = {button.m_hWnd, static_cast<UINT>(bDown ? WM_KEYDOWN : WM_KEYUP), vk, 0, 0, {0, 0}};
    if (!button.PreTranslateMessage(&msg))
        ::DispatchMessageA(&msg);
}

class ButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Topmost: other test programs share the display.
        LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
        ASSERT_TRUE(m_parent.CreateEx(WS_EX_TOPMOST, lpszClass, "buttons", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200,
                                      nullptr, nullptr));
        ::SetForegroundWindow(m_parent.m_hWnd);
        Pump();
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    POINT ScreenPoint(CWnd& wnd, int x, int y)
    {
        POINT pt = {x, y};
        ::ClientToScreen(wnd.m_hWnd, &pt);
        return pt;
    }
    CExtButton* AddButton(DWORD dwType, const RECT& rc = BUTTON_RECT, UINT nId = ID_FIRST_BUTTON)
    {
        auto pButton = std::make_unique<CExtButton>();
        if (!pButton->Create("Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | dwType, rc, &m_parent, nId))
            return nullptr;
        m_buttons.push_back(std::move(pButton));
        return m_buttons.back().get();
    }

    CCommandParent m_parent;
    std::vector<std::unique_ptr<CExtButton>> m_buttons;
};

TEST_F(ButtonTest, MouseClicksNeedThePressAndReleaseOnTheButton)
{
    CExtButton* pButton = AddButton(BS_PUSHBUTTON);
    ASSERT_NE(nullptr, pButton);
    const POINT ptOn = ScreenPoint(*pButton, 30, 10);
    const POINT ptOff = ScreenPoint(*pButton, 30, 100);
    struct MouseCase
    {
        const char* pszWhat;
        std::vector<POINT> path; // down at the first point, moves through the rest, up at the last
        size_t nCommands;
    };
    const MouseCase cases[] = {
        {"press and release on the button", {ptOn, ptOn}, 1},
        {"press, move off, release", {ptOn, ptOff}, 0},
        {"press, move off and back, release", {ptOn, ptOff, ptOn}, 1},
    };
    for (const MouseCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        m_parent.m_commands.clear();
        MouseTo(c.path.front());
        Pump(pButton);
        MouseButton(true);
        Pump(pButton);
        EXPECT_TRUE((pButton->GetFlags() & CExtButton::FLAG_PUSHED) != 0);
        for (size_t i = 1; i < c.path.size(); ++i)
        {
            MouseTo(c.path[i]);
            Pump(pButton);
        }
        MouseButton(false);
        Pump(pButton);
        EXPECT_EQ(c.nCommands, m_parent.m_commands.size());
        EXPECT_EQ(0, pButton->GetFlags() & (CExtButton::FLAG_PUSHED | CExtButton::FLAG_MOUSE_PRESSED));
    }
    MouseTo({300, 180});
    Pump(pButton);
}

TEST_F(ButtonTest, SpaceClicksOnceAndTheMouseWaits)
{
    CExtButton* pButton = AddButton(BS_PUSHBUTTON);
    ASSERT_NE(nullptr, pButton);
    ::SetFocus(pButton->m_hWnd);
    Pump(pButton);
    Key(*pButton, VK_SPACE, true);
    Pump(pButton);
    EXPECT_TRUE((pButton->GetFlags() & CExtButton::FLAG_KEY_PRESSED) != 0);
    // The mouse is ignored while Space holds the button.
    MouseTo(ScreenPoint(*pButton, 30, 10));
    MouseButton(true);
    MouseButton(false);
    Pump(pButton);
    EXPECT_TRUE(m_parent.m_commands.empty());
    Key(*pButton, VK_SPACE, false);
    Pump(pButton);
    EXPECT_EQ(1u, m_parent.m_commands.size());
    Key(*pButton, VK_RETURN, true);
    Key(*pButton, VK_RETURN, false);
    Pump(pButton);
    EXPECT_EQ(2u, m_parent.m_commands.size());
    MouseTo({300, 180});
    Pump(pButton);
}

TEST_F(ButtonTest, ClicksSetTheStatesOfAutomaticButtonsOnly)
{
    struct StateCase
    {
        DWORD dwType;
        std::vector<int> states; // check state after each of successive clicks
    };
    const StateCase cases[] = {
        {BS_AUTOCHECKBOX, {1, 0, 1}},
        {BS_AUTO3STATE, {1, 2, 0, 1}},
        {BS_AUTORADIOBUTTON, {1, 1}},
        {BS_CHECKBOX, {0, 0}},
        {BS_RADIOBUTTON, {0, 0}},
        {BS_3STATE, {0, 0}},
    };
    UINT nId = ID_FIRST_BUTTON;
    for (const StateCase& c : cases)
    {
        SCOPED_TRACE(c.dwType);
        CExtButton* pButton = AddButton(c.dwType | WS_GROUP, BUTTON_RECT, ++nId);
        ASSERT_NE(nullptr, pButton);
        m_parent.m_commands.clear();
        for (int nExpected : c.states)
        {
            pButton->OnClick(false, false);
            EXPECT_EQ(nExpected, pButton->GetCheckState());
        }
        EXPECT_EQ(c.states.size(), m_parent.m_commands.size());
        pButton->DestroyWindow();
    }
}

TEST_F(ButtonTest, AnAutoRadioButtonClearsItsGroup)
{
    CExtButton* pFirst = AddButton(BS_AUTORADIOBUTTON | WS_GROUP, {10, 10, 100, 30}, 601);
    CExtButton* pSecond = AddButton(BS_AUTORADIOBUTTON, {10, 40, 100, 60}, 602);
    CExtButton* pThird = AddButton(BS_AUTORADIOBUTTON, {10, 70, 100, 90}, 603);
    CExtButton* pOtherGroup = AddButton(BS_AUTORADIOBUTTON | WS_GROUP, {10, 100, 100, 120}, 604);
    ASSERT_NE(nullptr, pOtherGroup);
    pOtherGroup->SetCheck(1);
    pFirst->OnClick(false, false);
    pSecond->OnClick(false, false);
    EXPECT_EQ(0, pFirst->GetCheckState());
    EXPECT_EQ(1, pSecond->GetCheckState());
    EXPECT_EQ(0, pThird->GetCheckState());
    EXPECT_EQ(1, pOtherGroup->GetCheckState());
    pSecond->OnClick(false, false);
    EXPECT_EQ(1, pSecond->GetCheckState());
}

TEST_F(ButtonTest, AParentDeletingTheButtonOnItsClick)
{
    CExtButton* pButton = AddButton(BS_AUTOCHECKBOX);
    ASSERT_NE(nullptr, pButton);
    m_parent.m_reaction = [this](UINT) { m_buttons.clear(); };
    pButton->OnClick(false, false);
    EXPECT_TRUE(m_buttons.empty());
    EXPECT_EQ(1u, m_parent.m_commands.size());
    EXPECT_EQ(nullptr, ::GetDlgItem(m_parent.m_hWnd, ID_FIRST_BUTTON));
}

TEST_F(ButtonTest, IconsAreDestroyedOnce)
{
    auto makeIcon = [] { return ::CopyIcon(::LoadIconA(nullptr, IDI_APPLICATION)); };
    auto alive = [](HICON hIcon) {
        ICONINFO info = {};
        if (!::GetIconInfo(hIcon, &info))
            return false;
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        return true;
    };
    HICON hShared = makeIcon();
    HICON hOther = makeIcon();
    {
        CExtButton button;
        button.SetIcons(hShared);     // both looks
        button.SetIcons(hShared);     // set again: kept
        EXPECT_TRUE(alive(hShared));
        button.SetIcons(hOther, hShared);
        EXPECT_TRUE(alive(hShared));
        EXPECT_TRUE(alive(hOther));
        button.SetIcons(hOther);
        EXPECT_FALSE(alive(hShared));
        EXPECT_TRUE(alive(hOther));
    }
    EXPECT_FALSE(alive(hOther));
}

TEST_F(ButtonTest, TextAlignmentFromTheStyle)
{
    struct AlignCase
    {
        DWORD dwStyle;
        UINT nAlignment;
    };
    const AlignCase cases[] = {
        {BS_PUSHBUTTON, DT_CENTER | DT_VCENTER},        {BS_PUSHBUTTON | BS_LEFT, DT_LEFT | DT_VCENTER},
        {BS_PUSHBUTTON | BS_CENTER, DT_CENTER | DT_VCENTER}, {BS_AUTOCHECKBOX, DT_LEFT | DT_VCENTER},
        {BS_AUTOCHECKBOX | BS_PUSHLIKE, DT_CENTER | DT_VCENTER}, {BS_AUTOCHECKBOX | BS_RIGHT, DT_RIGHT | DT_VCENTER},
    };
    UINT nId = ID_FIRST_BUTTON;
    for (const AlignCase& c : cases)
    {
        SCOPED_TRACE(c.dwStyle);
        CExtButton* pButton = AddButton(c.dwStyle, BUTTON_RECT, ++nId);
        ASSERT_NE(nullptr, pButton);
        EXPECT_EQ(c.nAlignment, pButton->GetTextAlignment());
        EXPECT_EQ(static_cast<int>(c.dwStyle & 0x0F), pButton->GetButtonType());
        EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), pButton->GetStyle() & 0x0F);
        pButton->DestroyWindow();
    }
}
} // namespace
