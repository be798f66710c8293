#include "ui/core/ExtLabel.h"

#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const RECT LABEL_RECT = {10, 10, 210, 40};

// The pixels of a window's client area as shown on screen.
std::vector<COLORREF> ClientPixels(HWND hWnd)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    POINT origin = {0, 0};
    ::ClientToScreen(hWnd, &origin);
    HDC hScreen = ::GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            pixels.push_back(::GetPixel(hScreen, origin.x + x, origin.y + y));
    ::ReleaseDC(nullptr, hScreen);
    return pixels;
}

size_t CountColour(const std::vector<COLORREF>& pixels, COLORREF clr)
{
    size_t n = 0;
    for (COLORREF c : pixels)
        n += c == clr ? 1 : 0;
    return n;
}

class LabelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Topmost: other test programs share the display.
        LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
        const DWORD dwStyle = WS_POPUP | WS_VISIBLE;
        ASSERT_TRUE(m_parent.CreateEx(WS_EX_TOPMOST, lpszClass, "labels", dwStyle, 0, 0, 300, 120, nullptr, nullptr));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CWnd m_parent;
};

TEST_F(LabelTest, TextColoursFollowTheState)
{
    struct ColourCase
    {
        const char* pszWhat;
        bool bEnabled;
        COLORREF clrSet; // for the state; -1 keeps the default
        COLORREF clrExpected;
    };
    const ColourCase cases[] = {
        {"enabled, default", true, CExtLabel::DEFAULT_COLOR, ::GetSysColor(COLOR_BTNTEXT)},
        {"disabled, default", false, CExtLabel::DEFAULT_COLOR, ::GetSysColor(COLOR_BTNSHADOW)},
        {"enabled, own colour", true, RGB(200, 0, 0), RGB(200, 0, 0)},
        {"disabled, own colour", false, RGB(0, 0, 200), RGB(0, 0, 200)},
    };
    for (const ColourCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CExtLabel label;
        ASSERT_TRUE(label.Create("WWWW MMMM", WS_CHILD | WS_VISIBLE | SS_LEFT, LABEL_RECT, &m_parent, 1));
        label.SetFontFlags(CExtLabel::FONT_BOLD);
        label.SetTextColor(c.bEnabled, c.clrSet);
        label.EnableWindow(c.bEnabled);
        EXPECT_EQ(c.clrExpected, label.GetTextColor(c.bEnabled));
        EXPECT_GT(CountColour(ClientPixels(label.m_hWnd), c.clrExpected), 20u);
    }
}

TEST_F(LabelTest, BackgroundColourAndFramesOfTheStandardControl)
{
    CExtLabel label;
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, LABEL_RECT, &m_parent, 1));
    label.SetBkColor(RGB(0, 200, 0));
    const std::vector<COLORREF> filled = ClientPixels(label.m_hWnd);
    EXPECT_EQ(filled.size(), CountColour(filled, RGB(0, 200, 0)));

    // An etched line is left to the standard control: both look the same.
    CExtLabel etched;
    CStatic plain;
    ASSERT_TRUE(etched.Create("", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, {10, 60, 210, 62}, &m_parent, 2));
    ASSERT_TRUE(plain.Create("", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, {10, 80, 210, 82}, &m_parent, 3));
    EXPECT_EQ(ClientPixels(plain.m_hWnd), ClientPixels(etched.m_hWnd));
}

TEST_F(LabelTest, ChangedTextRepaintsAtOnce)
{
    CExtLabel label;
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, LABEL_RECT, &m_parent, 1));
    label.SetTextColor(true, RGB(200, 0, 0));
    ::UpdateWindow(label.m_hWnd);
    label.SetWindowText("MMMM");
    // No paint message is pumped: the text must already be on screen.
    RECT rc;
    ::GetClientRect(label.m_hWnd, &rc);
    POINT origin = {0, 0};
    ::ClientToScreen(label.m_hWnd, &origin);
    HDC hScreen = ::GetDC(nullptr);
    size_t nRed = 0;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            nRed += ::GetPixel(hScreen, origin.x + x, origin.y + y) == RGB(200, 0, 0) ? 1 : 0;
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_GT(nRed, 10u);
}

// A theme that colours label text itself, only for the enabled state.
class LabelColouringTheme : public CExtPaintManagerXP
{
public:
    static constexpr COLORREF ENABLED_TEXT = RGB(0, 128, 255);

    COLORREF QueryCustomTextColor(CDC&, CObject* pOwner, LPARAM, int, int, bool bEnabled, COLORREF clrDefault) override
    {
        return bEnabled && pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CExtLabel)) ? ENABLED_TEXT
                                                                                             : clrDefault;
    }
};

TEST_F(LabelTest, ThemeTextColourComesBeforeTheDefaultButAfterTheOwn)
{
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(new LabelColouringTheme));
    // The next tests expect the default theme back, whatever fails here.
    struct DefaultThemeAfterwards
    {
        ~DefaultThemeAfterwards() { g_PaintManagerHolder.ReplaceManager(nullptr); }
    } restore;
    struct ThemeCase
    {
        const char* pszWhat;
        bool bEnabled;
        COLORREF clrSet;
        COLORREF clrExpected;
    };
    const ThemeCase cases[] = {
        {"enabled: the theme's", true, CExtLabel::DEFAULT_COLOR, LabelColouringTheme::ENABLED_TEXT},
        {"disabled: the theme has none", false, CExtLabel::DEFAULT_COLOR, ::GetSysColor(COLOR_BTNSHADOW)},
        {"enabled, own colour wins", true, RGB(200, 0, 0), RGB(200, 0, 0)},
    };
    for (const ThemeCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CExtLabel label;
        ASSERT_TRUE(label.Create("WWWW MMMM", WS_CHILD | WS_VISIBLE | SS_LEFT, LABEL_RECT, &m_parent, 1));
        label.SetTextColor(c.bEnabled, c.clrSet);
        label.EnableWindow(c.bEnabled);
        EXPECT_EQ(c.clrExpected, label.GetTextColor(c.bEnabled));
        EXPECT_GT(CountColour(ClientPixels(label.m_hWnd), c.clrExpected), 20u);
    }
}
} // namespace
