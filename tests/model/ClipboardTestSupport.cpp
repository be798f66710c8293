#include "ClipboardTestSupport.h"

#include "model/FlashClipboard.h"

#include <gtest/gtest.h>

#include <cstring>

CPrivateClipboard::CPrivateClipboard()
    : m_oldStation(GetProcessWindowStation()), m_oldDesktop(GetThreadDesktop(GetCurrentThreadId()))
{
    // One name per instance: a station closed by an earlier instance may still be going away.
    static int serial = 0;
    const std::string name = "model-tests-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    m_station = CreateWindowStationA(name.c_str(), 0, WINSTA_ALL_ACCESS, nullptr);
    if (m_station == nullptr || !SetProcessWindowStation(m_station))
        return;
    m_desktop = CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (m_desktop == nullptr || !SetThreadDesktop(m_desktop))
        Restore();
}

CPrivateClipboard::~CPrivateClipboard()
{
    Restore();
}

void CPrivateClipboard::Restore()
{
    SetThreadDesktop(m_oldDesktop);
    SetProcessWindowStation(m_oldStation);
    if (m_desktop != nullptr)
        CloseDesktop(m_desktop);
    if (m_station != nullptr)
        CloseWindowStation(m_station);
    m_desktop = nullptr;
    m_station = nullptr;
}

void PutBlock(UINT format, const std::string& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    ASSERT_NE(block, nullptr);
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const bool put = SetClipboardData(format, block) != nullptr;
    CloseClipboard();
    ASSERT_TRUE(put);
}

CPrivateClipboard* ClipboardSuite::s_private = nullptr;
UINT ClipboardSuite::s_format = 0;

void ClipboardSuite::SetUpTestSuite()
{
    s_private = new CPrivateClipboard;
    s_format = CFlashClipboard::RegisterFormat();
}

void ClipboardSuite::TearDownTestSuite()
{
    delete s_private;
    s_private = nullptr;
}
