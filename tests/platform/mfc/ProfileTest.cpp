#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr char kRegistryKey[] = "QuorvalisFrameworkTest";

// An application whose settings live in a registry key of its own, removed afterwards.
class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CWinApp>("ProfileTestApp");
        m_app->SetCurrentHandles(GetModuleHandleA(nullptr), nullptr, SW_HIDE);
        m_app->SetRegistryKey(kRegistryKey);
    }
    void TearDown() override
    {
        m_app.reset();
        RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kRegistryKey).c_str());
    }
    std::unique_ptr<CWinApp> m_app;
};
}

TEST_F(ProfileTest, ValuesLiveUnderSoftwareKeyApplication)
{
    ASSERT_TRUE(m_app->WriteProfileInt("Settings", "Count", 42));
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER,
                                           "Software\\QuorvalisFrameworkTest\\ProfileTestApp\\Settings", 0,
                                           KEY_READ, &hKey));
    DWORD dwType = 0;
    DWORD dwValue = 0;
    DWORD cbValue = sizeof dwValue;
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueExA(hKey, "Count", nullptr, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cbValue));
    RegCloseKey(hKey);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), dwType);
    EXPECT_EQ(42u, dwValue);
}

TEST_F(ProfileTest, IntegersAndStringsRoundTripAndMissingValuesGiveTheDefault)
{
    EXPECT_EQ(7u, m_app->GetProfileInt("Settings", "Missing", 7));
    EXPECT_STREQ("fallback", m_app->GetProfileString("Settings", "Missing", "fallback"));
    EXPECT_STREQ("", m_app->GetProfileString("Settings", "Missing"));

    ASSERT_TRUE(m_app->WriteProfileInt("Settings", "Negative", -3));
    ASSERT_TRUE(m_app->WriteProfileString("Settings", "Name", "Quorvalis file"));
    EXPECT_EQ(-3, static_cast<int>(m_app->GetProfileInt("Settings", "Negative", 0)));
    EXPECT_STREQ("Quorvalis file", m_app->GetProfileString("Settings", "Name"));

    // A value of another type is treated as missing.
    EXPECT_EQ(5u, m_app->GetProfileInt("Settings", "Name", 5));
    EXPECT_STREQ("dflt", m_app->GetProfileString("Settings", "Negative", "dflt"));

    ASSERT_TRUE(m_app->WriteProfileString("Settings", "Name", nullptr));
    EXPECT_STREQ("gone", m_app->GetProfileString("Settings", "Name", "gone"));
}

TEST_F(ProfileTest, BinaryValuesRoundTrip)
{
    struct Case
    {
        const char* entry;
        std::vector<BYTE> bytes;
    } const cases[] = {
        {"Empty", {}},
        {"Small", {0x00, 0xFF, 0x10}},
        {"Large", std::vector<BYTE>(5000, 0xA5)},
    };
    for (const Case& c : cases)
    {
        std::vector<BYTE> bytes = c.bytes;
        ASSERT_TRUE(m_app->WriteProfileBinary("Blobs", c.entry, bytes.data(), static_cast<UINT>(bytes.size())));
        LPBYTE pData = nullptr;
        UINT nBytes = 99;
        ASSERT_TRUE(m_app->GetProfileBinary("Blobs", c.entry, &pData, &nBytes)) << c.entry;
        std::unique_ptr<BYTE[]> owner(pData);
        EXPECT_EQ(c.bytes, std::vector<BYTE>(pData, pData + nBytes)) << c.entry;
    }
    LPBYTE pData = reinterpret_cast<LPBYTE>(1);
    UINT nBytes = 99;
    EXPECT_FALSE(m_app->GetProfileBinary("Blobs", "Missing", &pData, &nBytes));
    EXPECT_EQ(nullptr, pData);
    EXPECT_EQ(0u, nBytes);
}
