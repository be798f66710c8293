#include "ui/core/ExtSoundPlayer.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD WORKER_WAIT_MS = 5000;

// Takes the idle event as a running worker would, and gives it back.
class WorkerRunning
{
public:
    WorkerRunning() { m_bTaken = ::WaitForSingleObject(g_SoundThreadIdleEvent.m_hObject, WORKER_WAIT_MS) == WAIT_OBJECT_0; }
    ~WorkerRunning()
    {
        if (m_bTaken)
            g_SoundThreadIdleEvent.SetEvent();
    }
    bool m_bTaken = false;
};

TEST(SoundPlayer, OnlyMenuSoundIdsPlay)
{
    CExtSoundPlayer player;
    for (int nId : {0, 4, -1, 100})
        EXPECT_FALSE(player.PlayUiSound(nId)) << nId;
    EXPECT_TRUE(CExtSoundPlayer::WaitForIdle(0)) << "no worker was started";
}

TEST(SoundPlayer, RequestsWhileAWorkerRunsAreDropped)
{
    CExtSoundPlayer player;
    {
        WorkerRunning running;
        ASSERT_TRUE(running.m_bTaken);
        EXPECT_FALSE(player.PlayUiSound(CExtSoundPlayer::SOUND_MENU_POPUP));
        EXPECT_FALSE(CExtSoundPlayer::WaitForIdle(20));
    }
    EXPECT_TRUE(CExtSoundPlayer::WaitForIdle(0));
}

TEST(SoundPlayer, WorkerGivesTheIdleStateBackWhenDone)
{
    CExtSoundPlayer player;
    for (int nId : {CExtSoundPlayer::SOUND_MENU_POPUP, CExtSoundPlayer::SOUND_MENU_COMMAND}) {
        ASSERT_TRUE(CExtSoundPlayer::WaitForIdle(WORKER_WAIT_MS));
        EXPECT_TRUE(player.PlayUiSound(nId)) << nId;
        EXPECT_TRUE(CExtSoundPlayer::WaitForIdle(WORKER_WAIT_MS)) << nId;
        // Waiting leaves the state as it found it.
        EXPECT_TRUE(CExtSoundPlayer::WaitForIdle(0)) << nId;
    }
}

} // namespace
