#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace
{
// The NUL-separated filter the system dialog receives, up to its double NUL.
std::vector<std::string> FilterParts(const OPENFILENAMEA& ofn)
{
    std::vector<std::string> parts;
    for (const char* p = ofn.lpstrFilter; p != nullptr && *p != '\0'; p += std::strlen(p) + 1)
        parts.push_back(p);
    return parts;
}
}

TEST(FileDialog, FilterPairsBecomeNulSeparated)
{
    struct Case
    {
        const char* filter;
        std::vector<std::string> parts;
    } const cases[] = {
        {"Documents (*.qpd)|*.qpd|All Files (*.*)|*.*||", {"Documents (*.qpd)", "*.qpd", "All Files (*.*)", "*.*"}},
        {"Pictures|*.bmp;*.png", {"Pictures", "*.bmp;*.png"}},
    };
    for (const Case& c : cases)
    {
        CFileDialog dialog(TRUE, "qpd", "start.qpd", OFN_HIDEREADONLY, c.filter);
        EXPECT_EQ(c.parts, FilterParts(dialog.m_ofn)) << c.filter;
        EXPECT_STREQ("qpd", dialog.m_ofn.lpstrDefExt);
        EXPECT_STREQ("start.qpd", dialog.GetPathName());
    }
    CFileDialog noFilter(FALSE);
    EXPECT_EQ(nullptr, noFilter.m_ofn.lpstrFilter);
}

TEST(FileDialog, NamesAreSplitFromThePath)
{
    CFileDialog dialog(TRUE, nullptr, "C:\\work\\movie.swf");
    EXPECT_STREQ("movie.swf", dialog.GetFileName());
    EXPECT_STREQ("swf", dialog.GetFileExt());
    EXPECT_STREQ("movie", dialog.GetFileTitle());
}

TEST(FileDialog, MultipleSelectionWalksEveryName)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    // What the system dialog leaves for a multiple selection: directory, names, empty name.
    const char selection[] = "C:\\pics\0a.png\0b.gif\0";
    std::memcpy(dialog.m_ofn.lpstrFile, selection, sizeof selection);
    dialog.m_ofn.nFileOffset = 8;
    std::vector<std::string> paths;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
        paths.push_back(static_cast<LPCSTR>(dialog.GetNextPathName(pos)));
    EXPECT_EQ((std::vector<std::string>{"C:\\pics\\a.png", "C:\\pics\\b.gif"}), paths);
    EXPECT_STREQ("C:\\pics\\a.png", dialog.GetPathName());
}
