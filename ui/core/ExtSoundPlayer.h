#pragma once
// Plays the menu sounds on a short-lived worker thread so that the user-interface thread never
// waits for the sound system; while one worker runs, further requests are dropped.
#include "platform/mfc/Afx.h"

class CExtSoundPlayer : public CObject
{
    DECLARE_DYNAMIC(CExtSoundPlayer)
public:
    // Sound ids of PlayUiSound.
    static constexpr int SOUND_NONE = 0;
    static constexpr int SOUND_MENU_EXPAND = 1;
    static constexpr int SOUND_MENU_POPUP = 2;
    static constexpr int SOUND_MENU_COMMAND = 3;
    static constexpr size_t SOUND_NAME_SIZE = 1024;
    // How long the application's exit waits for a running worker (WaitForIdle).
    static constexpr DWORD EXIT_WAIT_MS = 1000;

    // Signalled once the worker has copied its parameters (which live on the starter's stack).
    class InternalSoundEventInitDone_t : public CEvent
    {
    public:
        InternalSoundEventInitDone_t() : CEvent(FALSE, TRUE) {}
    };

    struct SoundThreadParams
    {
        InternalSoundEventInitDone_t* m_pInitDone = nullptr;
        char m_szSoundName[SOUND_NAME_SIZE] = {};
        HINSTANCE m_hModule = nullptr;
        DWORD m_dwFlags = 0;
        HANDLE m_hThread = nullptr;
        DWORD m_dwThreadId = 0;
    };

    CExtSoundPlayer() = default;
    ~CExtSoundPlayer() override = default;

    // Starts the sound of the id on a worker; false when the id plays nothing, a worker still
    // runs or the worker could not be started.
    virtual bool PlayUiSound(int nSoundId);

    // The process's player (null only during static destruction).
    static CExtSoundPlayer* GetInstance();
    // Installs another player (a test's, a silent one) and returns the previous one, which the
    // caller keeps.
    static CExtSoundPlayer* ReplaceInstance(CExtSoundPlayer* pPlayer);
    // Waits up to dwMilliseconds for no worker to run; the idle state stays as it was. The
    // application's exit calls it with EXIT_WAIT_MS while the sound system is still loaded.
    static bool WaitForIdle(DWORD dwMilliseconds);

private:
    static DWORD WINAPI SoundThreadProc(LPVOID pParam);
};

// Serialises starting sound workers; lives until the process ends.
extern CCriticalSection& g_SoundPlayerLock;
// Automatic reset, signalled while no sound worker runs; lives until the process ends.
extern CEvent& g_SoundThreadIdleEvent;
