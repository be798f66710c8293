#include "platform/gdiplus/GdiPlus.h"

#include <boost/archive/text_oarchive.hpp>
#include <gtest/gtest.h>
#include <sstream>

TEST(Build, ResourcesCompiledByWrcAreLinked)
{
    char text[64] = {};
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), 1, text, sizeof text), 0);
    EXPECT_STREQ("resources are linked", text);
}

TEST(Build, BoostArchivesAndWideTextKeepLinuxSizes)
{
    static_assert(sizeof(wchar_t) == 4, "wchar_t keeps the size Debian's libraries use");
    static_assert(sizeof(WCHAR) == 2, "WCHAR is UTF-16");
    std::ostringstream out;
    {
        boost::archive::text_oarchive archive(out);
        int value = 7;
        archive << value;
    }
    EXPECT_EQ(0u, out.str().find("22 serialization::archive"));
}
