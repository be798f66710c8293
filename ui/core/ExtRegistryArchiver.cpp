#include "ui/core/ExtRegistryArchiver.h"

#include "platform/mfc/File.h"
#include "ui/core/ExtRegistry.h"
#include "ui/core/ExtRegistryIntegrityHash.h"
#include "ui/core/ExtRegistryKey.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr char VALUE_SIZE[] = "data_size";
constexpr char VALUE_INTEGRITY[] = "data_integrity";
constexpr char VALUE_GENERATOR[] = "data_generator";
constexpr char BLOCK_FORMAT[] = "block_0x%08lX";
constexpr char CHUNK_FORMAT[] = "data_0x%08lX";
constexpr char GENERATOR_FORMAT[] = "Dade-ZAD v. %s registry archiver";
constexpr char PATH_FORMAT[] = "Software\\%s\\%s\\%s\\%s\\%s\\%s";
constexpr char PATH_LIBRARY_FOLDER[] = "DadeZAD240";
constexpr char PATH_PROFILES_FOLDER[] = "Profiles";
constexpr char SECTION_COMMAND_MANAGER[] = "CommandManager";
constexpr char PATH_UNSAFE_CHARACTERS[] = "\r\t\n?*";

CString BlockName(DWORD nChunk)
{
    CString name;
    name.Format(BLOCK_FORMAT, static_cast<unsigned long>(nChunk / REGISTRY_CHUNKS_PER_BLOCK));
    return name;
}

CString ChunkName(DWORD nChunk)
{
    CString name;
    name.Format(CHUNK_FORMAT, static_cast<unsigned long>(nChunk));
    return name;
}

LPCSTR Safe(LPCSTR psz) { return psz != nullptr ? psz : ""; }
} // namespace

DWORD GetLibraryVersion(bool bShortForm) { return bShortForm ? LIBRARY_VERSION_SHORT : LIBRARY_VERSION_LONG; }

void GetLibraryVersionString(CString& strOut, char chSeparator)
{
    const DWORD v = LIBRARY_VERSION_LONG;
    strOut.Format("%d%c%d%c%d%c%d", static_cast<int>((v >> 24) & 0xFF), chSeparator,
                  static_cast<int>((v >> 16) & 0xFF), chSeparator, static_cast<int>((v >> 8) & 0xFF), chSeparator,
                  static_cast<int>(v & 0xFF));
}

void BuildUiStateRegistryPath(CString& strOut, LPCSTR lpszSection, LPCSTR lpszProfileName, LPCSTR lpszCompany,
                              LPCSTR lpszProduct)
{
    strOut.Format(PATH_FORMAT, Safe(lpszCompany), Safe(lpszProduct), PATH_LIBRARY_FOLDER, PATH_PROFILES_FOLDER,
                  Safe(lpszProfileName), Safe(lpszSection));
    for (const char* p = PATH_UNSAFE_CHARACTERS; *p != '\0'; ++p)
        strOut.Replace(*p, '_');
}

void BuildCommandManagerRegistryPath(LPCSTR lpszCompany, LPCSTR lpszProduct, LPCSTR lpszProfileName,
                                     CString& strOut)
{
    BuildUiStateRegistryPath(strOut, SECTION_COMMAND_MANAGER, lpszProfileName, lpszCompany, lpszProduct);
}

bool WriteStreamToRegistry(CFile& stream, LPCSTR lpszKeyPath, HKEY hRoot)
{
    if (lpszKeyPath == nullptr)
        return false;
    RegistryDeleteKeyOrValue(hRoot, lpszKeyPath, nullptr);
    stream.SeekToBegin();
    const DWORD dwSize = static_cast<DWORD>(stream.GetLength());
    CExtRegistryKey key;
    if (!key.Create(hRoot, lpszKeyPath) || !key.SetDword(VALUE_SIZE, dwSize))
        return false;
    CExtRegistryIntegrityHash hash;
    BYTE chunk[REGISTRY_CHUNK_SIZE];
    CExtRegistryKey block;
    DWORD nOpenBlock = 0xFFFFFFFFu;
    for (DWORD n = 0;; ++n)
    {
        const UINT nRead = stream.Read(chunk, REGISTRY_CHUNK_SIZE);
        if (nRead == 0)
            break;
        // One block key stays open for its 128 chunks.
        if (n / REGISTRY_CHUNKS_PER_BLOCK != nOpenBlock)
        {
            nOpenBlock = n / REGISTRY_CHUNKS_PER_BLOCK;
            if (!block.Create(key.GetHandle(), BlockName(n)))
                return false;
        }
        if (!block.SetBinary(ChunkName(n), chunk, nRead))
            return false;
        hash.Update(chunk, nRead);
    }
    block.Close();
    if (!key.SetString(VALUE_INTEGRITY, hash.Format()))
        return false;
    CString version, generator;
    GetLibraryVersionString(version);
    generator.Format(GENERATOR_FORMAT, version.GetString());
    key.SetString(VALUE_GENERATOR, generator);
    return true;
}

bool ReadStreamFromRegistry(CFile& stream, LPCSTR lpszKeyPath, HKEY hRoot)
{
    if (lpszKeyPath == nullptr)
        return false;
    CExtRegistryKey key;
    if (!key.Open(hRoot, lpszKeyPath))
        return false;
    DWORD dwType = 0, dwSize = 0, dwValueSize = sizeof dwSize;
    if (::RegQueryValueExA(key.GetHandle(), VALUE_SIZE, nullptr, &dwType, reinterpret_cast<BYTE*>(&dwSize),
                           &dwValueSize) != ERROR_SUCCESS ||
        dwType != REG_DWORD || dwValueSize != sizeof dwSize)
        return false;
    if (dwSize == 0)
        return true;
    // The stated size is not trusted: nothing is reserved from it, and every chunk must be
    // there with exactly the length it implies.
    CExtRegistryIntegrityHash hash;
    BYTE chunk[REGISTRY_CHUNK_SIZE];
    CExtRegistryKey block;
    DWORD nOpenBlock = 0xFFFFFFFFu;
    DWORD dwTaken = 0;
    for (DWORD n = 0; dwTaken < dwSize; ++n)
    {
        const DWORD dwExpected = std::min<DWORD>(REGISTRY_CHUNK_SIZE, dwSize - dwTaken);
        if (n / REGISTRY_CHUNKS_PER_BLOCK != nOpenBlock)
        {
            nOpenBlock = n / REGISTRY_CHUNKS_PER_BLOCK;
            if (!block.Open(key.GetHandle(), BlockName(n)))
                return false;
        }
        DWORD dwRead = 0;
        if (!RegistryQueryBinary(block.GetHandle(), nullptr, ChunkName(n), chunk, dwExpected, &dwRead) ||
            dwRead != dwExpected)
            return false;
        hash.Update(chunk, dwExpected);
        stream.Write(chunk, dwExpected);
        dwTaken += dwExpected;
    }
    const CString expected = hash.Format();
    // Zero-filled and one longer than the text, so that a value stored without its NUL still
    // ends inside the buffer.
    char stored[CExtRegistryIntegrityHash::TEXT_LENGTH + 1] = {};
    if (!key.QueryString(VALUE_INTEGRITY, stored, sizeof stored))
        return false;
    if (std::memcmp(stored, expected.GetString(), sizeof stored) != 0)
        return false;
    stream.SeekToBegin();
    return true;
}

bool WriteProfileStreamToRegistry(LPCSTR lpszCompany, LPCSTR lpszProfileName, CFile& stream, LPCSTR lpszProduct)
{
    CString path;
    BuildCommandManagerRegistryPath(lpszCompany, lpszProduct, lpszProfileName, path);
    return WriteStreamToRegistry(stream, path, HKEY_CURRENT_USER);
}

bool ReadProfileStreamFromRegistry(LPCSTR lpszCompany, LPCSTR lpszProfileName, CFile& stream, LPCSTR lpszProduct)
{
    CString path;
    BuildCommandManagerRegistryPath(lpszCompany, lpszProduct, lpszProfileName, path);
    return ReadStreamFromRegistry(stream, path, HKEY_CURRENT_USER);
}
