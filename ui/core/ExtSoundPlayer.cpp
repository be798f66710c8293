#include "ui/core/ExtSoundPlayer.h"

#include <mmsystem.h>

#include <cstring>

IMPLEMENT_DYNAMIC(CExtSoundPlayer, CObject)

// Never destroyed: static destructors run after the process has left the server once a second
// thread has existed, where closing a handle faults; and a worker still running at exit may
// signal the event at any moment.
CEvent& g_SoundThreadIdleEvent = *new CEvent(TRUE, FALSE);
CCriticalSection& g_SoundPlayerLock = *new CCriticalSection;

namespace {

constexpr DWORD MENU_POPUP_FLAGS = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
constexpr DWORD MENU_COMMAND_FLAGS = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;

// Owns the process's player from static initialisation to static destruction.
class SoundPlayerInstance
{
public:
    SoundPlayerInstance() : m_pPlayer(new CExtSoundPlayer) {}
    ~SoundPlayerInstance()
    {
        delete m_pOwned;
        m_pOwned = nullptr;
        m_pPlayer = nullptr;
    }
    CExtSoundPlayer* m_pPlayer;
    CExtSoundPlayer* m_pOwned = m_pPlayer;
};

SoundPlayerInstance g_SoundPlayerInstance;

} // namespace

CExtSoundPlayer* CExtSoundPlayer::GetInstance()
{
    return g_SoundPlayerInstance.m_pPlayer;
}

CExtSoundPlayer* CExtSoundPlayer::ReplaceInstance(CExtSoundPlayer* pPlayer)
{
    CExtSoundPlayer* pOld = g_SoundPlayerInstance.m_pPlayer;
    g_SoundPlayerInstance.m_pPlayer = pPlayer;
    return pOld;
}

bool CExtSoundPlayer::WaitForIdle(DWORD dwMilliseconds)
{
    HANDLE hIdle = g_SoundThreadIdleEvent.m_hObject;
    if (::WaitForSingleObject(hIdle, dwMilliseconds) != WAIT_OBJECT_0)
        return false;
    // Taking an automatic-reset event clears it: give it back.
    ::SetEvent(hIdle);
    return true;
}

bool CExtSoundPlayer::PlayUiSound(int nSoundId)
{
    SoundThreadParams params;
    switch (nSoundId) {
    case SOUND_MENU_EXPAND:
    case SOUND_MENU_POPUP:
        std::strcpy(params.m_szSoundName, "MenuPopup");
        params.m_dwFlags = MENU_POPUP_FLAGS;
        break;
    case SOUND_MENU_COMMAND:
        std::strcpy(params.m_szSoundName, "MenuCommand");
        params.m_dwFlags = MENU_COMMAND_FLAGS;
        break;
    default:
        return false;
    }
    CSingleLock lock(&g_SoundPlayerLock, TRUE);
    if (::WaitForSingleObject(g_SoundThreadIdleEvent.m_hObject, 0) != WAIT_OBJECT_0)
        return false;
    InternalSoundEventInitDone_t initDone;
    params.m_pInitDone = &initDone;
    params.m_hThread = ::CreateThread(nullptr, 0, &SoundThreadProc, &params, CREATE_SUSPENDED, &params.m_dwThreadId);
    if (params.m_hThread == nullptr) {
        g_SoundThreadIdleEvent.SetEvent();
        return false;
    }
    ::SetThreadPriority(params.m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(params.m_hThread);
    ::WaitForSingleObject(initDone.m_hObject, INFINITE);
    ::CloseHandle(params.m_hThread);
    return true;
}

DWORD WINAPI CExtSoundPlayer::SoundThreadProc(LPVOID pParam)
{
    auto* pParams = static_cast<SoundThreadParams*>(pParam);
    char szName[SOUND_NAME_SIZE] = {};
    std::memcpy(szName, pParams->m_szSoundName, SOUND_NAME_SIZE - 1);
    const HINSTANCE hModule = pParams->m_hModule;
    const DWORD dwFlags = pParams->m_dwFlags;
    pParams->m_pInitDone->SetEvent();
    if ((dwFlags & SND_ASYNC) != 0)
        ::PlaySoundA(nullptr, nullptr, SND_PURGE);
    ::PlaySoundA(szName, hModule, dwFlags);
    g_SoundThreadIdleEvent.SetEvent();
    return 0;
}
