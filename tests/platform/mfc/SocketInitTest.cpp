#include <winsock2.h>

#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>

TEST(SocketInit, StartsTheSocketsLibraryOnceAndReportsIt)
{
    WSADATA first = {};
    ASSERT_TRUE(AfxSocketInit(&first));
    EXPECT_EQ(MAKEWORD(1, 1), first.wVersion);
    WSADATA second = {};
    EXPECT_TRUE(AfxSocketInit(&second)) << "a second start-up is harmless";
    EXPECT_EQ(first.wVersion, second.wVersion);
}
