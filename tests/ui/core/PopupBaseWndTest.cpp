#include "tests/ui/core/PopupTestSupport.h"
#include "ui/core/ExtPopupBaseWnd.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr COLORREF BACKDROP = RGB(255, 255, 255);
constexpr COLORREF CONTENT = RGB(200, 0, 0);
const CRect BACKDROP_RECT(0, 0, 400, 300);
const CRect POPUP_RECT(50, 40, 250, 190);

// A popup that paints one colour and draws its frames as the popup menus do.
class CTestPopup : public CExtPopupBaseWnd
{
public:
    bool Open(int nType, const RECT& rc = POPUP_RECT)
    {
        m_nAnimationType = nType;
        if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, GetPopupWindowClass(), "", WS_POPUP, rc, nullptr, 0))
            return false;
        ShowWindow(SW_SHOWNA);
        BeginOpenAnimation();
        // The test ticks by hand: a real tick in between would skip a step.
        KillTimer(ANIMATION_TIMER_ID);
        return true;
    }
    // Paints now and lets the window's pixels reach the screen.
    void Present()
    {
        UpdateWindow();
        PumpMessagesFor(60);
    }
    // One tick of the animation timer, as the timer would deliver it.
    void Tick() { OnTimer(ANIMATION_TIMER_ID); }
    void PaintContent(CDC& dc, bool) override
    {
        CRect rc;
        GetContentRect(&rc);
        dc.FillSolidRect(&rc, CONTENT);
    }
    void PaintAnimationFrame(CDC& dc) override { m_bFrameDrawn = PaintAnimationFrames(dc, SIDE_NONE); }
    void OnAnimationFinished() override
    {
        CExtPopupBaseWnd::OnAnimationFinished();
        ++m_nFinishedCalls;
        Invalidate(FALSE);
    }
    bool IsNonTrackingMode() const override { return m_bNonTracking; }
    bool m_bNonTracking = false;
    bool m_bFrameDrawn = false;
    int m_nFinishedCalls = 0;
};

class PopupBaseWnd : public ::testing::Test
{
protected:
    void SetUp() override { m_nSavedDefault = CExtPopupBaseWnd::g_nDefaultPopupAnimation; }
    void TearDown() override { CExtPopupBaseWnd::g_nDefaultPopupAnimation = m_nSavedDefault; }
    int m_nSavedDefault = 0;
};

TEST_F(PopupBaseWnd, PickAnimationTypeKeepsKnownTypesAndDropsOthers)
{
    const struct { int nType; int nExpected; bool bFinished; } cases[] = {
        {CExtPopupBaseWnd::ANIMATION_NONE, CExtPopupBaseWnd::ANIMATION_NONE, true},
        {CExtPopupBaseWnd::ANIMATION_FADE, CExtPopupBaseWnd::ANIMATION_FADE, false},
        {CExtPopupBaseWnd::ANIMATION_HOLES, CExtPopupBaseWnd::ANIMATION_HOLES, false},
        {CExtPopupBaseWnd::ANIMATION_IMMEDIATE, CExtPopupBaseWnd::ANIMATION_IMMEDIATE, false},
        {CExtPopupBaseWnd::ANIMATION_EXPAND, CExtPopupBaseWnd::ANIMATION_EXPAND, false},
        {11, CExtPopupBaseWnd::ANIMATION_NONE, true},
        {-3, CExtPopupBaseWnd::ANIMATION_NONE, true},
    };
    for (const auto& c : cases) {
        CTestPopup popup;
        popup.SetAnimationType(c.nType);
        popup.PickAnimationType();
        EXPECT_EQ(c.nExpected, popup.GetAnimationType()) << c.nType;
        EXPECT_EQ(c.bFinished, popup.IsAnimationFinished()) << c.nType;
        EXPECT_EQ(0, popup.GetAnimationStep());
    }
}

TEST_F(PopupBaseWnd, RandomTypeBecomesEveryRealTypeAndNeverStays)
{
    std::set<int> seen;
    CTestPopup popup;
    for (int n = 0; n < 500; ++n) {
        popup.SetAnimationType(CExtPopupBaseWnd::ANIMATION_RANDOM);
        popup.PickAnimationType();
        const int nType = popup.GetAnimationType();
        ASSERT_GE(nType, CExtPopupBaseWnd::ANIMATION_SLIDE);
        ASSERT_LE(nType, CExtPopupBaseWnd::ANIMATION_LAST);
        seen.insert(nType);
    }
    EXPECT_EQ(9u, seen.size());
}

TEST_F(PopupBaseWnd, SixthTickEndsTheAnimationWithOneSound)
{
    CExtPopupBaseWnd::g_nDefaultPopupAnimation = CExtPopupBaseWnd::ANIMATION_SLIDE;
    const struct { int nType; bool bNonTracking; int nTicksToFinish; size_t nSounds; } cases[] = {
        {CExtPopupBaseWnd::ANIMATION_FADE, false, 6, 1},
        {CExtPopupBaseWnd::ANIMATION_NOISE, false, 6, 1},
        {CExtPopupBaseWnd::ANIMATION_EXPAND, false, 6, 1},
        {CExtPopupBaseWnd::ANIMATION_IMMEDIATE, false, 1, 1},
        {CExtPopupBaseWnd::ANIMATION_FADE, true, 6, 0},
    };
    for (const auto& c : cases) {
        CBackdropWindow backdrop(BACKDROP_RECT, BACKDROP);
        CRecordingSoundPlayer sounds;
        CTestPopup popup;
        popup.m_bNonTracking = c.bNonTracking;
        popup.SetClosingSound(CExtSoundPlayer::SOUND_MENU_POPUP);
        ASSERT_TRUE(popup.Open(c.nType));
        for (int n = 1; n < c.nTicksToFinish; ++n) {
            popup.Tick();
            EXPECT_FALSE(popup.IsAnimationFinished()) << c.nType << " tick " << n;
        }
        EXPECT_TRUE(sounds.m_sounds.empty());
        popup.Tick();
        EXPECT_TRUE(popup.IsAnimationFinished()) << c.nType;
        popup.Tick();
        EXPECT_EQ(c.nSounds, sounds.m_sounds.size()) << c.nType;
        if (c.nSounds != 0) {
            EXPECT_EQ(CExtSoundPlayer::SOUND_MENU_POPUP, sounds.m_sounds.front());
        }
        EXPECT_EQ(CExtPopupBaseWnd::ANIMATION_SLIDE, popup.GetAnimationType()) << "the default comes back";
        EXPECT_EQ(1, popup.m_nFinishedCalls);
        popup.DestroyWindow();
    }
}

TEST_F(PopupBaseWnd, FadeFrameLiesBetweenBackgroundAndContent)
{
    CBackdropWindow backdrop(BACKDROP_RECT, BACKDROP);
    CRecordingSoundPlayer sounds;
    CTestPopup popup;
    ASSERT_TRUE(popup.Open(CExtPopupBaseWnd::ANIMATION_FADE));
    const CPoint probe(POPUP_RECT.left + 20, POPUP_RECT.top + 20);
    // Step by step each channel moves from the background toward the content.
    const struct { int nStep; COLORREF clr; } frames[] = {
        {20, RGB(244, 204, 204)},
        {40, RGB(233, 153, 153)},
        {100, CONTENT},
    };
    int nStep = 0;
    for (const auto& f : frames) {
        while (nStep < f.nStep) {
            popup.Tick();
            nStep += CExtPopupBaseWnd::ANIMATION_STEP_PERCENT;
        }
        popup.Present();
        ASSERT_TRUE(popup.m_bFrameDrawn);
        EXPECT_TRUE(ColorNear(ScreenPixel(probe.x, probe.y), f.clr, 2))
            << "step " << f.nStep << " got " << std::hex << ScreenPixel(probe.x, probe.y);
    }
    popup.Tick();
    popup.Present();
    EXPECT_EQ(CONTENT, ScreenPixel(probe.x, probe.y));
    popup.DestroyWindow();
}

TEST_F(PopupBaseWnd, NoiseRevealsOverTheBackgroundNotBlack)
{
    CBackdropWindow backdrop(BACKDROP_RECT, BACKDROP);
    CRecordingSoundPlayer sounds;
    CTestPopup popup;
    ASSERT_TRUE(popup.Open(CExtPopupBaseWnd::ANIMATION_NOISE));
    popup.Tick();
    popup.Present();
    ASSERT_TRUE(popup.m_bFrameDrawn);
    int nBlack = 0, nOther = 0;
    for (int y = POPUP_RECT.top + 5; y < POPUP_RECT.top + 45; y += 3)
        for (int x = POPUP_RECT.left + 5; x < POPUP_RECT.left + 45; x += 3) {
            const COLORREF clr = ScreenPixel(x, y);
            if (clr == RGB(0, 0, 0))
                ++nBlack;
            else if (clr == BACKDROP || clr == CONTENT)
                ++nOther;
        }
    EXPECT_EQ(0, nBlack);
    EXPECT_GT(nOther, 0);
    popup.DestroyWindow();
}

TEST_F(PopupBaseWnd, DestroyedMidAnimationStopsDrawingAndStillEnds)
{
    CBackdropWindow backdrop(BACKDROP_RECT, BACKDROP);
    CRecordingSoundPlayer sounds;
    CTestPopup popup;
    popup.SetClosingSound(CExtSoundPlayer::SOUND_MENU_POPUP);
    ASSERT_TRUE(popup.Open(CExtPopupBaseWnd::ANIMATION_STRIPES));
    popup.Tick();
    popup.Tick();
    ASSERT_TRUE(popup.DestroyWindow());
    EXPECT_TRUE(popup.DestroyWindow()) << "a second destroy is harmless";
    for (int n = 0; n < 6; ++n)
        popup.Tick();
    EXPECT_TRUE(popup.IsAnimationFinished());
    EXPECT_EQ(0, popup.m_nFinishedCalls);
    EXPECT_EQ(1u, sounds.m_sounds.size());
}

TEST_F(PopupBaseWnd, DelayedShowTimerShowsTheHiddenWindow)
{
    CTestPopup popup;
    ASSERT_TRUE(popup.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, CExtPopupBaseWnd::GetPopupWindowClass(), "",
                               WS_POPUP, POPUP_RECT, nullptr, 0));
    ASSERT_FALSE(popup.IsWindowVisible());
    popup.SendMessage(WM_TIMER, CExtPopupBaseWnd::DELAYED_SHOW_TIMER_ID, 0);
    EXPECT_TRUE(popup.IsWindowVisible());
    popup.DestroyWindow();
}

TEST_F(PopupBaseWnd, ExcludeAreaDefaultsToASquareAroundThePoint)
{
    CTestPopup popup;
    popup.SetExcludeArea(nullptr, CPoint(100, 50));
    EXPECT_EQ(CRect(97, 47, 103, 53), popup.GetExcludeArea());
    const CRect given(30, 20, 10, 5);
    popup.SetExcludeArea(&given, CPoint(0, 0));
    EXPECT_EQ(CRect(10, 5, 30, 20), popup.GetExcludeArea());
}

} // namespace
