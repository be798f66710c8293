#include "LunaFake.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

#include <memory>

// A stand-in for the status bar of the bars layer, known to the holder by name only.
class CExtStatusControlBar : public CWnd
{
    DECLARE_DYNAMIC(CExtStatusControlBar)
};
IMPLEMENT_DYNAMIC(CExtStatusControlBar, CWnd)

namespace {

constexpr UINT ID_STATUS_BAR = 0xE801;

// Counts the system changes that reach it.
class CCountingManager : public CExtPaintManagerXP
{
public:
    int m_nChanges = 0;
    int m_nInits = 0;
    CExtPaintManager* m_pInstalledDuringInit = nullptr;
    void HandleSysColorChange() override
    {
        ++m_nChanges;
        CExtPaintManagerXP::HandleSysColorChange();
    }
    void InitTranslatedColors() override
    {
        ++m_nInits;
        m_pInstalledDuringInit = g_PaintManagerHolder.GetFirstMember();
        CExtPaintManagerXP::InitTranslatedColors();
    }
};

// Puts the application's theme back after each test.
class PaintManagerHolderTest : public ::testing::Test
{
protected:
    void TearDown() override { g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP)); }
};

TEST_F(PaintManagerHolderTest, NewHolderInstallsTheXpLook)
{
    CExtPaintManagerHolder holder;
    ASSERT_NE(nullptr, holder.GetFirstMember());
    EXPECT_EQ(2, holder->GetThemeId());
    EXPECT_TRUE(holder.GetFirstMember()->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));
    EXPECT_GE(holder->m_colors.size(), 50u);
    EXPECT_NE("Unknown", std::string(holder.m_strOSDescription));
    EXPECT_TRUE(holder.IsWinNT());
}

TEST_F(PaintManagerHolderTest, ReplacingByClass)
{
    struct Case { CRuntimeClass* pClass; bool bResult; int nThemeAfter; };
    const Case cases[] = {
        {RUNTIME_CLASS(CExtPaintManager), true, 1},
        {nullptr, true, 1},                     // keeps what is installed
        {RUNTIME_CLASS(CDC), false, 1},         // creatable, but no paint manager
        {RUNTIME_CLASS(CObject), false, 1},     // cannot be created
        {RUNTIME_CLASS(CExtPaintManagerXP), true, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.bResult, g_PaintManagerHolder.ReplaceByClass(c.pClass));
        EXPECT_EQ(c.nThemeAfter, g_PaintManagerHolder->GetThemeId());
    }
}

TEST_F(PaintManagerHolderTest, ReinstallingTheInstalledManagerChangesNothing)
{
    auto* pManager = new CCountingManager;
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(pManager));
    EXPECT_EQ(1, pManager->m_nInits);
    // The old manager is still in place while the new one initialises.
    EXPECT_NE(pManager, pManager->m_pInstalledDuringInit);
    EXPECT_TRUE(g_PaintManagerHolder.ReplaceManager(pManager));
    EXPECT_EQ(1, pManager->m_nInits);
    EXPECT_EQ(pManager, g_PaintManagerHolder.GetFirstMember());
}

TEST_F(PaintManagerHolderTest, FrameRelaysThroughItsStatusBarOnly)
{
    auto* pManager = new CCountingManager;
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(pManager));

    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, "relay"));
    CExtStatusControlBar status;
    ASSERT_TRUE(status.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), pFrame, ID_STATUS_BAR));
    CWnd other;
    ASSERT_TRUE(other.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), pFrame, 100));
    CWnd loose;
    ASSERT_TRUE(loose.CreateEx(0, AfxRegisterWndClass(0), "loose", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));

    for (CWnd* pWnd : {static_cast<CWnd*>(pFrame), &other, static_cast<CWnd*>(&status)})
        g_PaintManagerHolder.RelaySysColorChange(pWnd);
    EXPECT_EQ(1, pManager->m_nChanges);
    EXPECT_TRUE(g_PaintManagerHolder.IsRelayWindow(&status));
    EXPECT_FALSE(g_PaintManagerHolder.IsRelayWindow(&other));
    // A window with no frame always relays.
    EXPECT_TRUE(g_PaintManagerHolder.IsRelayWindow(&loose));
    EXPECT_TRUE(g_PaintManagerHolder.IsRelayWindow(nullptr));

    status.DestroyWindow();
    // Without the status bar (and no dock bars or tab windows) any window relays.
    EXPECT_TRUE(g_PaintManagerHolder.IsRelayWindow(&other));
    loose.DestroyWindow();
    pFrame->DestroyWindow();
}

TEST_F(PaintManagerHolderTest, SystemColourChangeReachesTheTables)
{
    const int nIndex = COLOR_BTNFACE;
    const COLORREF saved = ::GetSysColor(nIndex);
    const COLORREF changed = saved ^ RGB(0x35, 0x22, 0x11);
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManager)));
    ASSERT_TRUE(::SetSysColors(1, &nIndex, &changed));
    g_PaintManagerHolder.RelaySysColorChange(nullptr);
    const COLORREF face = g_PaintManagerHolder->ColorByIndex(1000);
    const COLORREF fallback = g_PaintManagerHolder->ColorByIndex(1500);
    ::SetSysColors(1, &nIndex, &saved);
    g_PaintManagerHolder.RelaySysColorChange(nullptr);
    EXPECT_EQ(changed, face);
    EXPECT_EQ(changed, fallback);
    EXPECT_EQ(saved, g_PaintManagerHolder->ColorByIndex(1000));
}

TEST_F(PaintManagerHolderTest, WheelLinesAreReadAgainAfterASettingChange)
{
    UINT saved = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
    struct Case { UINT set; UINT expected; };
    const Case cases[] = {{0, 2}, {1, 2}, {5, 5}};
    for (const Case& c : cases) {
        ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, c.set, nullptr, 0);
        g_PaintManagerHolder.RelaySettingChange(nullptr, SPI_SETWHEELSCROLLLINES, 0);
        EXPECT_EQ(c.expected, g_PaintManagerHolder.GetMouseWheelScrollLines()) << c.set;
    }
    // Cached until the next change.
    ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 9, nullptr, 0);
    EXPECT_EQ(5u, g_PaintManagerHolder.GetMouseWheelScrollLines());
    ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
    g_PaintManagerHolder.RelaySettingChange(nullptr, SPI_SETWHEELSCROLLLINES, 0);
}

TEST_F(PaintManagerHolderTest, VisualStyleDetection)
{
    // Wine's own style is not luna.
    EXPECT_EQ(0, g_PaintManagerHolder->GetColorSchemeId());
    struct Case { std::u16string file, color; bool bThemed; int nColors; int nScheme; bool bTaskband; };
    const std::u16string luna = u"C:\\Themes\\Luna\\LUNA.MSSTYLES";
    const Case cases[] = {
        {luna, u"NormalColor", true, 7, 1, true},
        {luna, u"homestead", true, 7, 2, true},
        {luna, u"Metallic", true, 7, 3, true},
        {luna, u"Royale", true, 7, 0, true},          // unknown colour name, colours still read
        {u"C:\\Themes\\Other.msstyles", u"NormalColor", true, 7, 0, true},
        {luna, u"NormalColor", true, 6, 1, false},    // a colour missing
        {luna, u"NormalColor", false, 7, 0, false},   // not themed
    };
    for (const Case& c : cases) {
        CLunaFake fake(c.file, c.color, c.bThemed, c.nColors);
        EXPECT_EQ(c.nScheme, g_PaintManagerHolder->GetColorSchemeId());
        EXPECT_EQ(c.bTaskband, g_PaintManagerHolder.HasTaskbandColors());
        EXPECT_EQ(c.nScheme != 0, g_PaintManagerHolder->IsLunaThemeUsable());
        EXPECT_EQ(nullptr, g_PaintManagerHolder.g_ThemeApi.m_hTheme);
    }
    EXPECT_EQ(0, g_PaintManagerHolder->GetColorSchemeId());
    EXPECT_FALSE(g_PaintManagerHolder.HasTaskbandColors());
}

} // namespace
