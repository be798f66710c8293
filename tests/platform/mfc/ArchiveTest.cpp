#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
class CNode : public CObject
{
    DECLARE_SERIAL(CNode)
public:
    CString m_strName;
    CNode* m_pNext = nullptr;

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_strName << m_pNext;
        else
            ar >> m_strName >> m_pNext;
    }
};
IMPLEMENT_SERIAL(CNode, CObject, 1)

class CPlain : public CObject
{
    DECLARE_DYNCREATE(CPlain)
};
IMPLEMENT_DYNCREATE(CPlain, CObject)

// Bytes written through a storing archive, then a loading archive over a copy of them.
class ArchiveRoundTrip : public ::testing::Test
{
protected:
    CMemFile m_file;
    std::unique_ptr<CArchive> m_store = std::make_unique<CArchive>(&m_file, CArchive::store);
    std::vector<BYTE> m_bytes;
    std::unique_ptr<CMemFile> m_loadFile;
    std::unique_ptr<CArchive> m_load;

    CArchive& Reload()
    {
        m_store->Close();
        m_bytes.assign(m_file.GetData(), m_file.GetData() + m_file.GetLength());
        m_loadFile = std::make_unique<CMemFile>(m_bytes.data(), static_cast<UINT>(m_bytes.size()));
        m_load = std::make_unique<CArchive>(m_loadFile.get(), CArchive::load);
        return *m_load;
    }
    std::vector<BYTE> Stored() const { return std::vector<BYTE>(m_file.GetData(), m_file.GetData() + m_file.GetLength()); }
};

int CauseOf(CException* e)
{
    int cause = -1;
    if (auto* archiveError = dynamic_cast<CArchiveException*>(e))
        cause = archiveError->m_cause;
    e->Delete();
    return cause;
}
}

TEST_F(ArchiveRoundTrip, ValuesAreLittleEndianAndComeBack)
{
    *m_store << static_cast<BYTE>(7) << static_cast<WORD>(0x0102) << static_cast<DWORD>(0x01020304) << -5 << 2.5
             << CRect(1, 2, 3, 4) << CPoint(-1, 9);
    std::vector<BYTE> bytes = Stored();
    ASSERT_GE(bytes.size(), 7u);
    EXPECT_EQ((std::vector<BYTE>{7, 0x02, 0x01, 0x04, 0x03, 0x02, 0x01}), std::vector<BYTE>(bytes.begin(), bytes.begin() + 7));

    CArchive& ar = Reload();
    BYTE by = 0;
    WORD w = 0;
    DWORD dw = 0;
    int i = 0;
    double d = 0;
    CRect rect;
    CPoint point;
    ar >> by >> w >> dw >> i >> d >> rect >> point;
    EXPECT_EQ(7, by);
    EXPECT_EQ(0x0102, w);
    EXPECT_EQ(0x01020304u, dw);
    EXPECT_EQ(-5, i);
    EXPECT_EQ(2.5, d);
    EXPECT_EQ(CRect(1, 2, 3, 4), rect);
    EXPECT_EQ(CPoint(-1, 9), point);
}

TEST_F(ArchiveRoundTrip, StringLengthPrefixGrowsWithTheText)
{
    struct Case
    {
        int length;
        size_t prefixBytes;
    } const cases[] = {{0, 1}, {254, 1}, {255, 3}, {65534, 3}, {65535, 7}, {70000, 7}};
    for (const Case& c : cases)
    {
        CMemFile file;
        CArchive store(&file, CArchive::store);
        store << CString('x', c.length);
        store.Close();
        EXPECT_EQ(c.prefixBytes + static_cast<size_t>(c.length), file.GetLength()) << c.length;

        file.SeekToBegin();
        CArchive load(&file, CArchive::load);
        CString text;
        load >> text;
        EXPECT_EQ(c.length, text.GetLength());
    }
}

TEST_F(ArchiveRoundTrip, ObjectsKeepClassAndSharedReferences)
{
    CNode first, second;
    first.m_strName = "first";
    second.m_strName = "second";
    first.m_pNext = &second;
    second.m_pNext = &first;
    *m_store << &first << static_cast<CObject*>(nullptr);

    CArchive& ar = Reload();
    CNode* loaded = nullptr;
    ar >> loaded;
    std::unique_ptr<CNode> owner(loaded);
    std::unique_ptr<CNode> next(loaded->m_pNext);
    CObject* null = reinterpret_cast<CObject*>(1);
    ar >> null;
    ASSERT_NE(nullptr, loaded);
    EXPECT_STREQ("first", loaded->m_strName);
    ASSERT_NE(nullptr, loaded->m_pNext);
    EXPECT_STREQ("second", loaded->m_pNext->m_strName);
    EXPECT_EQ(loaded, loaded->m_pNext->m_pNext) << "a shared object is read once";
    EXPECT_EQ(nullptr, null);
}

TEST(Archive, MalformedInputThrowsArchiveExceptions)
{
    struct Case
    {
        const char* name;
        bool readsString;
        std::vector<BYTE> bytes;
        int cause;
    } const cases[] = {
        {"truncated string", true, {10, 'a', 'b'}, CArchiveException::endOfFile},
        {"huge string length", true, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, CArchiveException::endOfFile},
        {"unknown class", false, {0xFF, 0xFF, 1, 0, 3, 0, 'C', 'Z', 'Z'}, CArchiveException::badClass},
        {"wrong schema", false, {0xFF, 0xFF, 9, 0, 5, 0, 'C', 'N', 'o', 'd', 'e'}, CArchiveException::badSchema},
        {"dangling object index", false, {5, 0}, CArchiveException::badIndex},
        {"dangling class index", false, {3, 0x80}, CArchiveException::badIndex},
    };
    for (const Case& c : cases)
    {
        std::vector<BYTE> bytes = c.bytes;
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        int cause = -1;
        try
        {
            if (c.readsString)
            {
                CString text;
                ar >> text;
            }
            else
            {
                CObject* pOb = nullptr;
                ar >> pOb;
                delete pOb;
            }
        }
        catch (CException* e)
        {
            cause = CauseOf(e);
        }
        EXPECT_EQ(c.cause, cause) << c.name;
    }
}

TEST(Archive, RefusesWrongDirectionAndUnserializableClasses)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    int cause = -1;
    try
    {
        int value = 0;
        ar >> value;
    }
    catch (CException* e)
    {
        cause = CauseOf(e);
    }
    EXPECT_EQ(CArchiveException::writeOnly, cause);
    CPlain plain;
    cause = -1;
    try
    {
        ar << &plain;
    }
    catch (CException* e)
    {
        cause = CauseOf(e);
    }
    EXPECT_EQ(CArchiveException::badClass, cause);
}

TEST(MemFile, GrowsSeeksAndTruncates)
{
    CMemFile file(16);
    const char text[] = "0123456789abcdefXYZ";
    file.Write(text, 19);
    EXPECT_EQ(19u, file.GetLength());
    EXPECT_EQ(4u, file.Seek(-15, CFile::end));
    char buffer[8] = {};
    EXPECT_EQ(3u, file.Read(buffer, 3));
    EXPECT_STREQ("456", buffer);
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetLength());
    EXPECT_EQ(5u, file.GetPosition());
    EXPECT_EQ(0u, file.Read(buffer, 3));
    bool threw = false;
    try
    {
        file.Seek(-1, CFile::begin);
    }
    catch (CException* e)
    {
        threw = e->IsKindOf(RUNTIME_CLASS(CFileException));
        e->Delete();
    }
    EXPECT_TRUE(threw);
}

TEST(File, OpenFailureReportsCauseAndWritesReadBack)
{
    CFile missing;
    CFileException error;
    EXPECT_FALSE(missing.Open("Z:\\no\\such\\dir\\file.bin", CFile::modeRead, &error));
    EXPECT_TRUE(error.m_cause == CFileException::badPath || error.m_cause == CFileException::fileNotFound);

    char path[MAX_PATH] = {};
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "mfc", 0, path);
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write("abc", 3);
    }
    CFile file(path, CFile::modeRead);
    EXPECT_EQ(3u, file.GetLength());
    char buffer[4] = {};
    EXPECT_EQ(3u, file.Read(buffer, 3));
    EXPECT_STREQ("abc", buffer);
    file.Close();
    DeleteFileA(path);
}

TEST(MemFile, DetachHandsTheBytesToTheCaller)
{
    CMemFile own;
    own.Write("abc", 3);
    BYTE* pBytes = own.Detach();
    ASSERT_NE(nullptr, pBytes);
    EXPECT_EQ(0, std::memcmp(pBytes, "abc", 3));
    std::free(pBytes);
    EXPECT_EQ(0u, own.GetLength());

    BYTE buffer[4] = {'x', 'y', 'z', 0};
    CMemFile attached(buffer, 3);
    EXPECT_EQ(3u, attached.GetLength());
    EXPECT_EQ(buffer, attached.Detach());
}
