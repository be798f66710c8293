#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace
{
template <class ARRAY>
std::vector<int> Values(const ARRAY& array)
{
    std::vector<int> values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        values.push_back(static_cast<int>(array[i]));
    return values;
}

template <class LIST>
std::vector<int> Forward(const LIST& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        values.push_back(list.GetNext(pos));
    return values;
}

template <class LIST>
std::vector<int> Backward(const LIST& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        values.insert(values.begin(), list.GetPrev(pos));
    return values;
}
}

TEST(Array, EditingOperations)
{
    struct Case
    {
        const char* name;
        void (*edit)(CArray<int, int>&);
        std::vector<int> expected;
    } const cases[] = {
        {"insert in the middle", [](CArray<int, int>& a) { a.InsertAt(1, 9, 2); }, {1, 9, 9, 2, 3}},
        {"insert beyond the end grows", [](CArray<int, int>& a) { a.InsertAt(5, 7); }, {1, 2, 3, 0, 0, 7}},
        {"remove clamps the count", [](CArray<int, int>& a) { a.RemoveAt(1, 10); }, {1}},
        {"remove outside is ignored", [](CArray<int, int>& a) { a.RemoveAt(3); }, {1, 2, 3}},
        {"set grows", [](CArray<int, int>& a) { a.SetAtGrow(4, 5); }, {1, 2, 3, 0, 5}},
        {"shrink", [](CArray<int, int>& a) { a.SetSize(1); }, {1}},
        {"append itself", [](CArray<int, int>& a) { a.Append(a); }, {1, 2, 3, 1, 2, 3}},
        {"insert array", [](CArray<int, int>& a) { CArray<int, int> b; b.Add(8); b.Add(9); a.InsertAt(0, &b); }, {8, 9, 1, 2, 3}},
    };
    for (const Case& c : cases)
    {
        CArray<int, int> array;
        for (int value : {1, 2, 3})
            array.Add(value);
        c.edit(array);
        EXPECT_EQ(c.expected, Values(array)) << c.name;
    }
}

TEST(Array, TypedPointerArrayKeepsPointers)
{
    int values[3] = {10, 20, 30};
    CTypedPtrArray<CPtrArray, int*> array;
    for (int& value : values)
        array.Add(&value);
    array.InsertAt(0, nullptr, 1);
    ASSERT_EQ(4, array.GetSize());
    EXPECT_EQ(nullptr, array[0]);
    EXPECT_EQ(&values[2], array.GetAt(3));
    array[0] = &values[1];
    EXPECT_EQ(20, *array.GetAt(0));
}

TEST(Array, StringAndDwordArraysRoundTripThroughAnArchive)
{
    CMemFile file;
    {
        CStringArray strings;
        strings.Add("one");
        strings.Add(CString("two"));
        CDWordArray words;
        words.Add(0xDEADBEEF);
        words.Add(7);
        CArchive ar(&file, CArchive::store);
        strings.Serialize(ar);
        words.Serialize(ar);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CStringArray strings;
    CDWordArray words;
    strings.Serialize(ar);
    words.Serialize(ar);
    ASSERT_EQ(2, strings.GetSize());
    EXPECT_STREQ("two", strings[1]);
    ASSERT_EQ(2, words.GetSize());
    EXPECT_EQ(0xDEADBEEFu, words[0]);
}

TEST(List, InsertionAndRemovalKeepBothDirectionsConsistent)
{
    struct Case
    {
        const char* name;
        void (*edit)(CList<int, int>&);
        std::vector<int> expected;
    } const cases[] = {
        {"add head", [](CList<int, int>& l) { l.AddHead(0); }, {0, 1, 2, 3}},
        {"insert before middle", [](CList<int, int>& l) { l.InsertBefore(l.FindIndex(1), 9); }, {1, 9, 2, 3}},
        {"insert after tail", [](CList<int, int>& l) { l.InsertAfter(l.GetTailPosition(), 4); }, {1, 2, 3, 4}},
        {"insert before null is head", [](CList<int, int>& l) { l.InsertBefore(nullptr, 0); }, {0, 1, 2, 3}},
        {"remove head", [](CList<int, int>& l) { l.RemoveAt(l.GetHeadPosition()); }, {2, 3}},
        {"remove middle", [](CList<int, int>& l) { l.RemoveAt(l.Find(2)); }, {1, 3}},
        {"remove tail", [](CList<int, int>& l) { l.RemoveTail(); }, {1, 2}},
        {"append itself", [](CList<int, int>& l) { l.AddTail(&l); }, {1, 2, 3, 1, 2, 3}},
        {"prepend a list", [](CList<int, int>& l) { CList<int, int> o; o.AddTail(7); o.AddTail(8); l.AddHead(&o); }, {7, 8, 1, 2, 3}},
        {"remove all", [](CList<int, int>& l) { l.RemoveAll(); }, {}},
    };
    for (const Case& c : cases)
    {
        CList<int, int> list;
        for (int value : {1, 2, 3})
            list.AddTail(value);
        c.edit(list);
        EXPECT_EQ(c.expected, Forward(list)) << c.name;
        EXPECT_EQ(c.expected, Backward(list)) << c.name;
        EXPECT_EQ(static_cast<INT_PTR>(c.expected.size()), list.GetCount()) << c.name;
    }
}

TEST(List, FindSearchesAfterTheStartAndIndexesAreBounded)
{
    CList<int, int> list;
    for (int value : {5, 6, 5})
        list.AddTail(value);
    POSITION first = list.Find(5);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(list.GetTailPosition(), list.Find(5, first));
    EXPECT_EQ(nullptr, list.Find(7));
    EXPECT_EQ(nullptr, list.FindIndex(3));
    EXPECT_EQ(nullptr, list.FindIndex(-1));

    int a = 1, b = 2;
    CTypedPtrList<CPtrList, int*> typed;
    typed.AddTail(&a);
    typed.AddTail(&b);
    EXPECT_EQ(&b, typed.GetTail());
    EXPECT_EQ(&a, typed.RemoveHead());
    EXPECT_EQ(1, typed.GetCount());
}

TEST(Map, LookupInsertRemoveAndIterateEveryEntry)
{
    CMap<UINT, UINT, DWORD, DWORD> map;
    const UINT keys[] = {0xE81B, 0xE81E, 0xE81C, 0xE81D, 17, 34, 0};
    for (UINT key : keys)
        map[key] = key * 2;
    EXPECT_EQ(7, map.GetCount());
    DWORD value = 0;
    EXPECT_TRUE(map.Lookup(0xE81C, value));
    EXPECT_EQ(0xE81Cu * 2, value);
    EXPECT_FALSE(map.Lookup(99, value));
    map.SetAt(17, 5);
    EXPECT_TRUE(map.Lookup(17, value));
    EXPECT_EQ(5u, value);
    EXPECT_TRUE(map.RemoveKey(34));
    EXPECT_FALSE(map.RemoveKey(34));

    std::set<UINT> seen;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        UINT key = 0;
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(seen.insert(key).second) << "each key once";
    }
    EXPECT_EQ((std::set<UINT>{0xE81B, 0xE81E, 0xE81C, 0xE81D, 17, 0}), seen);
    map.RemoveAll();
    EXPECT_EQ(nullptr, map.GetStartPosition());
}

TEST(Map, StringAndPointerKeyedMaps)
{
    CMapStringToPtr byName;
    int profile = 0;
    byName["Default"] = &profile;
    void* found = nullptr;
    EXPECT_TRUE(byName.Lookup("Default", found));
    EXPECT_EQ(&profile, found);
    EXPECT_FALSE(byName.Lookup("default", found)) << "names compare exactly";

    CMapPtrToWord reentry;
    reentry[&profile] = 1;
    WORD state = 0;
    EXPECT_TRUE(reentry.Lookup(&profile, state));
    EXPECT_EQ(1, state);

    CTypedPtrMap<CMapPtrToPtr, HWND, int*> byWindow;
    HWND window = reinterpret_cast<HWND>(0x1230);
    byWindow.SetAt(window, &profile);
    int* typed = nullptr;
    EXPECT_TRUE(byWindow.Lookup(window, typed));
    EXPECT_EQ(&profile, typed);
    POSITION pos = byWindow.GetStartPosition();
    HWND key = nullptr;
    byWindow.GetNextAssoc(pos, key, typed);
    EXPECT_EQ(window, key);
    EXPECT_EQ(nullptr, pos);
}
