#include "export/gif/xIOFile.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(CxIOFile, WithoutAStreamEveryCallFails)
{
    CxIOFile file;
    char buffer[4] = {};
    EXPECT_EQ(0u, file.Read(buffer, 1, 4));
    EXPECT_EQ(0u, file.Write(buffer, 1, 4));
    EXPECT_FALSE(file.Seek(0, SEEK_SET));
    EXPECT_EQ(-1, file.Tell());
    EXPECT_EQ(-1, file.Size());
    EXPECT_FALSE(file.Flush());
    EXPECT_TRUE(file.Eof());
    EXPECT_NE(0, file.Error());
    EXPECT_FALSE(file.PutC('x'));
    EXPECT_EQ(-1, file.GetC());
    EXPECT_TRUE(file.Close());
}

TEST(CxIOFile, WrapsTheCallersStreamAndLeavesItOpen)
{
    FILE* stream = tmpfile();
    ASSERT_NE(nullptr, stream);
    {
        CxIOFile file(stream);
        EXPECT_TRUE(file.PutC(0xAB));
        EXPECT_EQ(3u, file.Write("xyz", 1, 3));
        EXPECT_TRUE(file.Flush());
        EXPECT_EQ(4, file.Size());
        EXPECT_EQ(4, file.Tell());
        EXPECT_TRUE(file.Seek(0, SEEK_SET));
        EXPECT_EQ(0xAB, file.GetC());
        char rest[3] = {};
        EXPECT_EQ(3u, file.Read(rest, 1, 3));
        EXPECT_EQ('z', rest[2]);
        EXPECT_EQ(-1, file.GetC());
        EXPECT_TRUE(file.Eof());
        EXPECT_EQ(0, file.Error());
        EXPECT_TRUE(file.Close());
        EXPECT_EQ(-1, file.Tell());
    }
    // Still open: the owner can use and close it.
    EXPECT_EQ(0, fseek(stream, 0, SEEK_SET));
    EXPECT_EQ(0xAB, fgetc(stream));
    EXPECT_EQ(0, fclose(stream));
}
