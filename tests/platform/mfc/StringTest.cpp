#include "platform/mfc/Afx.h"

#include "MfcTestResources.h"

#include <gtest/gtest.h>

TEST(String, SubstringsClampTheirBounds)
{
    const CString text("framework");
    struct Case
    {
        CString actual;
        const char* expected;
    } const cases[] = {
        {text.Left(5), "frame"},      {text.Left(50), "framework"}, {text.Left(-1), ""},
        {text.Right(4), "work"},      {text.Right(99), "framework"}, {text.Mid(5), "work"},
        {text.Mid(2, 3), "ame"},      {text.Mid(7, 10), "rk"},       {text.Mid(20), ""},
        {text.Mid(-3, 4), "fram"},    {text.SpanIncluding("arfm"), "fram"},
        {text.SpanExcluding("w"), "frame"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.actual);
}

TEST(String, SearchesReportIndexOrMinusOne)
{
    const CString text("a,b;c,d");
    EXPECT_EQ(1, text.Find(','));
    EXPECT_EQ(5, text.Find(',', 2));
    EXPECT_EQ(-1, text.Find(',', 7));
    EXPECT_EQ(-1, text.Find(',', -1));
    EXPECT_EQ(3, text.Find(";c"));
    EXPECT_EQ(-1, text.Find("x"));
    EXPECT_EQ(5, text.ReverseFind(','));
    EXPECT_EQ(-1, text.ReverseFind('x'));
    EXPECT_EQ(3, text.FindOneOf(";x"));
}

TEST(String, EditingOperations)
{
    struct Case
    {
        const char* input;
        void (*edit)(CString&);
        const char* expected;
    } const cases[] = {
        {"  pad \t", [](CString& s) { s.Trim(); }, "pad"},
        {"  pad ", [](CString& s) { s.TrimLeft(); }, "pad "},
        {"xxpadxx", [](CString& s) { s.TrimRight('x'); }, "xxpad"},
        {"xyxpad", [](CString& s) { s.TrimLeft("xy"); }, "pad"},
        {"xxxx", [](CString& s) { s.TrimRight('x'); }, ""},
        {"MiXed", [](CString& s) { s.MakeUpper(); }, "MIXED"},
        {"MiXed", [](CString& s) { s.MakeLower(); }, "mixed"},
        {"abc", [](CString& s) { s.MakeReverse(); }, "cba"},
        {"a?b*c", [](CString& s) { s.Replace('?', '_'); }, "a_b*c"},
        {"aaa", [](CString& s) { s.Replace("a", "aa"); }, "aaaaaa"},
        {"one two one", [](CString& s) { s.Replace("one", ""); }, " two "},
        {"banana", [](CString& s) { s.Remove('a'); }, "bnn"},
        {"ac", [](CString& s) { s.Insert(1, 'b'); }, "abc"},
        {"ad", [](CString& s) { s.Insert(9, "e"); }, "ade"},
        {"abcdef", [](CString& s) { s.Delete(1, 2); }, "adef"},
        {"abc", [](CString& s) { s.Delete(2, 10); }, "ab"},
        {"abc", [](CString& s) { s.SetAt(1, 'X'); }, "aXc"},
        {"ab", [](CString& s) { s += 'c'; s += "de"; }, "abcde"},
    };
    for (const Case& c : cases)
    {
        CString text(c.input);
        c.edit(text);
        EXPECT_STREQ(c.expected, text) << "input " << c.input;
    }
}

TEST(String, ComparesByBytesOrIgnoringCase)
{
    CString text("Layer");
    EXPECT_TRUE(text == "Layer");
    EXPECT_TRUE("Layer" == text);
    EXPECT_TRUE(text != CString("layer"));
    EXPECT_EQ(0, text.CompareNoCase("LAYER"));
    EXPECT_LT(text.Compare("Layers"), 0);
    // Every ordering compares text, whichever side the literal is on.
    const CString b("b");
    struct Case
    {
        bool actual;
        bool expected;
    } const orderings[] = {
        {CString("a") < b, true}, {"a" < b, true},   {b < "a", false}, {b > "a", true},  {"c" > b, true},
        {b <= "b", true},         {"b" <= b, true},  {b >= "c", false}, {"a" >= b, false}, {b > CString("b"), false},
    };
    for (const Case& c : orderings)
        EXPECT_EQ(c.expected, c.actual);
    EXPECT_EQ('\0', text.GetAt(5));
}

TEST(String, FormatsAndAppends)
{
    CString text;
    text.Format("%s%d", "Shape", 12);
    EXPECT_STREQ("Shape12", text);
    text.AppendFormat(" (%.1f)", 2.5);
    EXPECT_STREQ("Shape12 (2.5)", text);
    CString longText;
    longText.Format("%0300d", 7);
    EXPECT_EQ(300, longText.GetLength());
}

TEST(String, LoadsFromTheStringTable)
{
    CString text("unchanged");
    EXPECT_FALSE(text.LoadString(IDS_MISSING));
    EXPECT_STREQ("unchanged", text);
    ASSERT_TRUE(text.LoadString(IDS_GREETING));
    EXPECT_STREQ("Hello, %s!", text);
    text.Format(IDS_COUNT, 3);
    EXPECT_STREQ("3 items", text);
    EXPECT_STREQ("%d items", CString(MAKEINTRESOURCEA(IDS_COUNT)));
    EXPECT_STREQ("", CString(MAKEINTRESOURCEA(IDS_MISSING)));
}

TEST(String, BufferAccessFixesTheLength)
{
    CString text;
    char* buffer = text.GetBuffer(32);
    lstrcpyA(buffer, "written");
    text.ReleaseBuffer();
    EXPECT_EQ(7, text.GetLength());
    EXPECT_STREQ("written", text);
    text.GetBuffer(0);
    text.ReleaseBuffer(3);
    EXPECT_STREQ("wri", text);
    text.GetBufferSetLength(1);
    EXPECT_STREQ("w", text);
}
