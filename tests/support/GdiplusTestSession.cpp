// Linked into every test program that draws: GDI+ runs for the whole program, as in the
// application.
#include "platform/gdiplus/GdiPlus.h"

#include <gtest/gtest.h>

namespace {

class GdiplusTestSession : public ::testing::Environment {
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
        ASSERT_NE(0u, m_token);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

const ::testing::Environment* const g_session = ::testing::AddGlobalTestEnvironment(new GdiplusTestSession);

} // namespace
