#include "ArchiveTestSupport.h"

#include "platform/gdiplus/GdiPlus.h"

#include <gtest/gtest.h>

namespace {
// GDI+ runs for the whole test program.
class CGdiplusSession : public ::testing::Environment {
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

const auto* const g_session = ::testing::AddGlobalTestEnvironment(new CGdiplusSession);
} // namespace

namespace ArchiveTest {

std::string Tokens(const std::string& text)
{
    std::istringstream is(text);
    std::string joined;
    std::string token;
    while (is >> token)
        joined += (joined.empty() ? "" : " ") + token;
    return joined;
}

std::string WithLfEnds(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            result.push_back(text[i]);
    return result;
}

} // namespace ArchiveTest
