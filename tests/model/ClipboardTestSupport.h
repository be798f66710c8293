#pragma once
// Fixtures of the clipboard tests: a clipboard of the test program's own, and blocks put on it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// The test program's own window station and desktop while it lives, so that other programs
// using the clipboard at the same time cannot disturb the tests; the shared one when the
// switch is refused.
class CPrivateClipboard {
public:
    CPrivateClipboard();
    ~CPrivateClipboard();
    CPrivateClipboard(const CPrivateClipboard&) = delete;
    CPrivateClipboard& operator=(const CPrivateClipboard&) = delete;

private:
    void Restore();

    HWINSTA m_oldStation;
    HDESK m_oldDesktop;
    HWINSTA m_station = nullptr;
    HDESK m_desktop = nullptr;
};

// Puts one block of bytes on the clipboard under the format.
void PutBlock(UINT format, const std::string& bytes);

// Tests that use the clipboard: the suite owns the private clipboard and knows the document's
// clipboard format.
class ClipboardSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static CPrivateClipboard* s_private;
    static UINT s_format;
};
