#pragma once
// User-interface state kept in the current user's registry: the key path, the library version
// texts, and the archiver that cuts a byte stream into 16-byte values with a size, an integrity
// text and a generator text.
#include "platform/mfc/Afx.h"
#include "platform/mfc/String.h"

class CFile;

constexpr DWORD LIBRARY_VERSION_LONG = 0x02040000;
constexpr DWORD LIBRARY_VERSION_SHORT = 0x0204;
constexpr DWORD REGISTRY_CHUNK_SIZE = 16;
constexpr DWORD REGISTRY_CHUNKS_PER_BLOCK = 128;

DWORD GetLibraryVersion(bool bShortForm);
// The long version as four numbers from the highest byte down, with the separator between them.
void GetLibraryVersionString(CString& strOut, char chSeparator = '.');

// "Software\<company>\<product>\DadeZAD240\Profiles\<profile>\<section>", with CR, TAB, LF,
// '?' and '*' made '_'.
void BuildUiStateRegistryPath(CString& strOut, LPCSTR lpszSection, LPCSTR lpszProfileName, LPCSTR lpszCompany,
                              LPCSTR lpszProduct);
void BuildCommandManagerRegistryPath(LPCSTR lpszCompany, LPCSTR lpszProduct, LPCSTR lpszProfileName,
                                     CString& strOut);

bool WriteStreamToRegistry(CFile& stream, LPCSTR lpszKeyPath, HKEY hRoot = HKEY_CURRENT_USER);
// Appends the stored bytes at the stream's position; true only when every chunk was there with
// its exact length and the integrity text matches.
bool ReadStreamFromRegistry(CFile& stream, LPCSTR lpszKeyPath, HKEY hRoot = HKEY_CURRENT_USER);
bool WriteProfileStreamToRegistry(LPCSTR lpszCompany, LPCSTR lpszProfileName, CFile& stream, LPCSTR lpszProduct);
bool ReadProfileStreamFromRegistry(LPCSTR lpszCompany, LPCSTR lpszProfileName, CFile& stream, LPCSTR lpszProduct);
