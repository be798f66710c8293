#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdProfile.h"
#include "ui/core/ExtRegistry.h"
#include "ui/core/ExtRegistryArchiver.h"
#include "ui/core/ExtRegistryIntegrityHash.h"
#include "ui/core/ExtRegistryKey.h"

#include "platform/mfc/Archive.h"
#include "platform/mfc/MemFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr char PRODUCT[] = "Editor";
constexpr size_t PROFILE_HEADER_BYTES = 70;

std::vector<BYTE> Bytes(CMemFile& file)
{
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void Fill(CMemFile& file, const std::vector<BYTE>& bytes)
{
    file.SetLength(0);
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
}

// Each test writes under a company key of its own (parallel test programs share the registry)
// and removes it afterwards.
class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
        m_company = std::string("DadeTest_") + pInfo->name() + "_" + std::to_string(::GetCurrentProcessId());
        m_companyKey = "Software\\" + m_company;
        RegistryDeleteKeyOrValue(HKEY_CURRENT_USER, m_companyKey.c_str(), nullptr);
    }
    void TearDown() override { RegistryDeleteKeyOrValue(HKEY_CURRENT_USER, m_companyKey.c_str(), nullptr); }

    CString ProfilePath(LPCSTR lpszProfile) const
    {
        CString path;
        BuildCommandManagerRegistryPath(m_company.c_str(), PRODUCT, lpszProfile, path);
        return path;
    }
    bool WriteBytes(LPCSTR lpszPath, const std::vector<BYTE>& bytes)
    {
        CMemFile file;
        Fill(file, bytes);
        return WriteStreamToRegistry(file, lpszPath);
    }
    bool ReadBytes(LPCSTR lpszPath, std::vector<BYTE>& out)
    {
        CMemFile file;
        const bool bRead = ReadStreamFromRegistry(file, lpszPath);
        out = Bytes(file);
        return bRead;
    }

    std::string m_company;
    std::string m_companyKey;
};

TEST(RegistryIntegrityHashTest, KnownTexts)
{
    struct HashCase
    {
        std::vector<BYTE> bytes;
        const char* pszText;
    };
    const HashCase cases[] = {
        {{}, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {{0x41}, "00 00 00 41 00 00 00 00 00 00 00 00 00 00 00 00"},
        {{0x41, 0x42, 0x43, 0x44, 0x45}, "00 00 04 55 00 00 00 42 00 00 00 43 00 00 00 44"},
        // Eight bytes of 0xFF in one stream reach the top nibble, which is folded back.
        {std::vector<BYTE>(32, 0xFF), "00 00 10 EF 00 00 10 EF 00 00 10 EF 00 00 10 EF"},
    };
    for (const HashCase& c : cases)
    {
        CExtRegistryIntegrityHash hash;
        hash.Update(c.bytes.data(), c.bytes.size());
        EXPECT_STREQ(c.pszText, hash.Format());
        EXPECT_EQ(CExtRegistryIntegrityHash::TEXT_LENGTH, hash.Format().GetLength());
    }
}

TEST(RegistryPathTest, PathsAndVersionTexts)
{
    CString path;
    BuildCommandManagerRegistryPath("Co?", "Pro\tduct", "A*B", path);
    EXPECT_STREQ("Software\\Co_\\Pro_duct\\DadeZAD240\\Profiles\\A_B\\CommandManager", path);
    BuildUiStateRegistryPath(path, "ControlBar", "p\r\n", "c", "d");
    EXPECT_STREQ("Software\\c\\d\\DadeZAD240\\Profiles\\p__\\ControlBar", path);
    CString version;
    GetLibraryVersionString(version);
    EXPECT_STREQ("2.4.0.0", version);
    GetLibraryVersionString(version, '-');
    EXPECT_STREQ("2-4-0-0", version);
    EXPECT_EQ(0x02040000u, GetLibraryVersion(false));
    EXPECT_EQ(0x0204u, GetLibraryVersion(true));
}

TEST_F(RegistryTest, StreamsAreCutIntoSixteenByteChunksInBlocksOf128)
{
    struct ChunkCase
    {
        size_t nBytes;
        const char* pszLastBlock;
        const char* pszLastValue;
        DWORD dwLastSize;
    };
    const ChunkCase cases[] = {
        {1, "block_0x00000000", "data_0x00000000", 1},
        {2048, "block_0x00000000", "data_0x0000007F", 16},
        {2049, "block_0x00000001", "data_0x00000080", 1},
        {2048 + 0x85 * 16 - 2048 + 5, "block_0x00000001", "data_0x00000085", 5},
    };
    const CString path = ProfilePath("chunks");
    for (const ChunkCase& c : cases)
    {
        SCOPED_TRACE(c.nBytes);
        std::vector<BYTE> bytes(c.nBytes);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<BYTE>(i * 7 + 3);
        ASSERT_TRUE(WriteBytes(path, bytes));
        BYTE last[16] = {};
        DWORD dwRead = 0;
        const std::string block = std::string(path) + "\\" + c.pszLastBlock;
        ASSERT_TRUE(RegistryQueryBinary(HKEY_CURRENT_USER, block.c_str(), c.pszLastValue, last, sizeof last, &dwRead));
        EXPECT_EQ(c.dwLastSize, dwRead);
        char generator[64] = {};
        ASSERT_TRUE(RegistryQueryString(HKEY_CURRENT_USER, path, "data_generator", generator, sizeof generator));
        EXPECT_STREQ("Dade-ZAD v. 2.4.0.0 registry archiver", generator);
        std::vector<BYTE> read;
        ASSERT_TRUE(ReadBytes(path, read));
        EXPECT_EQ(bytes, read);
    }
}

TEST_F(RegistryTest, AnEmptyStreamNeedsNoIntegrityText)
{
    const CString path = ProfilePath("empty");
    ASSERT_TRUE(WriteBytes(path, {}));
    ASSERT_TRUE(RegistryDeleteKeyOrValue(HKEY_CURRENT_USER, path, "data_integrity"));
    std::vector<BYTE> read;
    EXPECT_TRUE(ReadBytes(path, read));
    EXPECT_TRUE(read.empty());
}

// A profile with three counted commands, a basic one and a never-used one.
void FillProfile(CExtCmdProfile& profile)
{
    for (UINT id : {500u, 501u, 502u, 503u, 504u})
        profile.AllocateCommand(id);
    profile.FindCommand(500)->m_nUsageTickCount = 5;
    profile.FindCommand(501)->m_nUsageTickCount = 6;
    profile.FindCommand(502)->m_nUsageTickCount = 7;
    profile.FindCommand(503)->SetBasic(true);
    profile.m_nTotalTickCount = 20;
}

std::vector<UINT> Counters(CExtCmdProfile& profile)
{
    std::vector<UINT> counters;
    for (const auto& entry : profile.m_cmds)
        counters.push_back(entry.second->m_nUsageTickCount);
    counters.push_back(profile.m_nTotalTickCount);
    return counters;
}

TEST_F(RegistryTest, ProfileUsageRoundTrips)
{
    CExtCmdProfile saved("Round*Trip");
    FillProfile(saved);
    ASSERT_TRUE(saved.ArchiveToRegistry(m_company.c_str(), PRODUCT, true));
    DWORD dwSize = 0;
    CExtRegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, ProfilePath("Round_Trip")));
    DWORD dwValue = sizeof dwSize;
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(key.GetHandle(), "data_size", nullptr, nullptr,
                                                reinterpret_cast<BYTE*>(&dwSize), &dwValue));
    EXPECT_EQ(PROFILE_HEADER_BYTES + 3 * 8, dwSize);
    key.Close();

    CExtCmdProfile loaded("Round*Trip");
    for (UINT id : {500u, 501u, 502u, 503u, 504u})
        loaded.AllocateCommand(id);
    loaded.FindCommand(504)->m_nUsageTickCount = 9; // not listed: kept
    ASSERT_TRUE(loaded.ArchiveToRegistry(m_company.c_str(), PRODUCT, false));
    EXPECT_EQ(5u, loaded.FindCommand(500)->GetUsageCount());
    EXPECT_EQ(6u, loaded.FindCommand(501)->GetUsageCount());
    EXPECT_EQ(7u, loaded.FindCommand(502)->GetUsageCount());
    EXPECT_EQ(9u, loaded.FindCommand(504)->GetUsageCount());
    // The stored total 20 is below the counters' sum 27 and is raised to it.
    EXPECT_EQ(27u, loaded.m_nTotalTickCount);
}

TEST_F(RegistryTest, AProfileWithoutSavedUsageTakesSeventyBytes)
{
    CExtCmdProfile profile("quiet");
    profile.AllocateCommand(600)->SetBasic(true);
    profile.FindCommand(600)->m_nUsageTickCount = 3;
    profile.AllocateCommand(601);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(profile.ArchiveProfile(ar));
        ar.Close();
    }
    const std::vector<BYTE> bytes = Bytes(file);
    ASSERT_EQ(PROFILE_HEADER_BYTES, bytes.size());
    EXPECT_EQ(37, bytes[0]);
    EXPECT_EQ(0, std::memcmp(bytes.data() + 1, "Dade-ZAD (v. 2.4.0.0) command profile", 37));
    const BYTE versions[] = {0x00, 0x00, 0x04, 0x02, 0x04, 0x02, 0x00, 0x00};
    EXPECT_EQ(0, std::memcmp(bytes.data() + 38, versions, sizeof versions));
}

// Builds a profile stream by hand: header text, versions, reserved words, total, pairs and
// (optionally) the end mark.
std::vector<BYTE> ProfileStream(DWORD dwShortVersion, DWORD dwTotal, const std::vector<std::pair<DWORD, DWORD>>& pairs,
                                bool bEndMark, const char* pszHeader = "Dade-ZAD (v. 2.4.0.0) command profile")
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << CString(pszHeader) << DWORD{0x02040000} << dwShortVersion;
        for (int i = 0; i < 4; ++i)
            ar << DWORD{0};
        ar << dwTotal;
        for (const auto& [id, count] : pairs)
            ar << id << count;
        if (bEndMark)
            ar << DWORD{0};
        ar.Close();
    }
    return Bytes(file);
}

TEST_F(RegistryTest, BadStoredValuesAreRejectedAndChangeNothing)
{
    const CString path = ProfilePath("bad");
    const std::string block0 = std::string(path) + "\\block_0x00000000";
    auto setDword = [&](LPCSTR pszKey, LPCSTR pszName, DWORD dwType, const void* pData, DWORD dwSize) {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, pszKey, 0, KEY_SET_VALUE, &hKey));
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), dwSize));
        ::RegCloseKey(hKey);
    };
    const std::vector<BYTE> good = ProfileStream(0x204, 30, {{500, 11}, {501, 12}}, true);
    struct BadCase
    {
        const char* pszWhat;
        std::vector<BYTE> stream;
        std::function<void()> damage;
        bool bLoads;
    };
    const BYTE sixteen[16] = {};
    const BYTE seventeen[17] = {};
    const DWORD dwTooLarge = static_cast<DWORD>(good.size() + 16);
    const DWORD dwHuge = 0xFFFFFFF0u;
    const char integrityNoNul[] = "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
    const BadCase cases[] = {
        {"the stream as written", good, [] {}, true},
        {"data_size as binary", good,
         [&] { setDword(path, "data_size", REG_BINARY, &dwTooLarge, sizeof dwTooLarge); }, false},
        {"data_size past the chunks", good,
         [&] { setDword(path, "data_size", REG_DWORD, &dwTooLarge, sizeof dwTooLarge); }, false},
        {"data_size huge", good, [&] { setDword(path, "data_size", REG_DWORD, &dwHuge, sizeof dwHuge); }, false},
        {"a chunk short", good, [&] { setDword(block0.c_str(), "data_0x00000001", REG_BINARY, sixteen, 15); }, false},
        {"a chunk long", good,
         [&] { setDword(block0.c_str(), "data_0x00000001", REG_BINARY, seventeen, sizeof seventeen); }, false},
        {"a chunk missing", good,
         [&] { RegistryDeleteKeyOrValue(HKEY_CURRENT_USER, block0.c_str(), "data_0x00000002"); }, false},
        {"a chunk of another type", good,
         [&] { setDword(block0.c_str(), "data_0x00000000", REG_SZ, sixteen, sizeof sixteen); }, false},
        {"integrity wrong", good,
         [&] { setDword(path, "data_integrity", REG_SZ, integrityNoNul, sizeof integrityNoNul); }, false},
        {"integrity missing", good, [&] { RegistryDeleteKeyOrValue(HKEY_CURRENT_USER, path, "data_integrity"); },
         false},
        {"integrity too long", good,
         [&] {
             const std::string text = std::string(integrityNoNul) + " 00";
             setDword(path, "data_integrity", REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
         },
         false},
        {"short version 0x205", ProfileStream(0x205, 30, {{500, 11}}, true), [] {}, false},
        {"cut before the end mark", ProfileStream(0x204, 30, {{500, 11}, {501, 12}}, false), [] {}, false},
        {"cut inside a pair", std::vector<BYTE>(good.begin(), good.end() - 6), [] {}, false},
        {"another header text", ProfileStream(0x204, 30, {{500, 11}}, true, "something else"), [] {}, true},
    };
    // A neighbouring section must survive every read.
    CString neighbour;
    BuildUiStateRegistryPath(neighbour, "ControlBar", "bad", m_company.c_str(), PRODUCT);
    ASSERT_TRUE(WriteBytes(neighbour, {1, 2, 3}));
    for (const BadCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        ASSERT_TRUE(WriteBytes(path, c.stream));
        c.damage();
        CExtCmdProfile profile("bad");
        FillProfile(profile);
        const std::vector<UINT> before = Counters(profile);
        EXPECT_EQ(c.bLoads, profile.ArchiveToRegistry(m_company.c_str(), PRODUCT, false));
        if (c.bLoads)
        {
            EXPECT_EQ(11u, profile.FindCommand(500)->GetUsageCount());
        }
        else
        {
            EXPECT_EQ(before, Counters(profile));
        }
        std::vector<BYTE> neighbourBytes;
        EXPECT_TRUE(ReadBytes(neighbour, neighbourBytes));
        EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), neighbourBytes);
    }
}

TEST_F(RegistryTest, AnIntegrityTextStoredWithoutItsNulStillMatches)
{
    const CString path = ProfilePath("nonul");
    const std::vector<BYTE> bytes = {0x41, 0x42, 0x43, 0x44, 0x45};
    ASSERT_TRUE(WriteBytes(path, bytes));
    const char text[] = "00 00 04 55 00 00 00 42 00 00 00 43 00 00 00 44";
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_SET_VALUE, &hKey));
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hKey, "data_integrity", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                              sizeof text - 1));
    ::RegCloseKey(hKey);
    std::vector<BYTE> read;
    EXPECT_TRUE(ReadBytes(path, read));
    EXPECT_EQ(bytes, read);
}

TEST_F(RegistryTest, UnknownStoredIdsAreSkipped)
{
    const CString path = ProfilePath("unknown");
    ASSERT_TRUE(WriteBytes(path, ProfileStream(0x204, 100, {{777, 40}, {500, 1}}, true)));
    CExtCmdProfile profile("unknown");
    FillProfile(profile);
    ASSERT_TRUE(profile.ArchiveToRegistry(m_company.c_str(), PRODUCT, false));
    EXPECT_FALSE(profile.IsCommandRegistered(777));
    EXPECT_EQ(1u, profile.FindCommand(500)->GetUsageCount());
    EXPECT_EQ(100u, profile.m_nTotalTickCount);
}
} // namespace
