#include "ui/core/ExtResourceManager.h"

#include "ui/core/ExtPaintManager.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>
#include <cstring>
#include <vector>

namespace
{
constexpr WORD LANGUAGE_NEUTRAL_USER = 0x0400;
constexpr WORD LANGUAGE_ARABIC = 1025;
constexpr WORD RIGHT_TO_LEFT_LANGUAGES[] = {1025,  1037,  1056,  1065,  1094,  1113,  1120,  2049,
                                            2080,  2144,  3073,  4097,  5121,  6145,  7169,  8193,
                                            9217,  10241, 11265, 12289, 13313, 14337, 15361, 16385};
constexpr UINT STRINGS_PER_BLOCK = 16;
constexpr DWORD ACCEL_ENTRY_SIZE = 8;
constexpr WORD ACCEL_LAST_ENTRY = 0x80;
constexpr int LOADED_STRING_MAX = 4096;

void Report(WORD* pwOut, WORD wLanguage) { if (pwOut != nullptr) *pwOut = wLanguage; }
void Report(HINSTANCE* phOut, HINSTANCE hModule) { if (phOut != nullptr) *phOut = hModule; }
} // namespace

CExtResourceBuffer::~CExtResourceBuffer() { Free(); }

bool CExtResourceBuffer::Allocate(DWORD dwSize, bool bZero)
{
    Free();
    if (dwSize == 0)
        return false;
    m_pBytes = new (std::nothrow) BYTE[dwSize];
    if (m_pBytes == nullptr)
        return false;
    if (bZero)
        std::memset(m_pBytes, 0, dwSize);
    m_dwSize = dwSize;
    return true;
}

bool CExtResourceBuffer::LoadFrom(HINSTANCE hModule, HRSRC hResource)
{
    Free();
    if (hResource == nullptr)
        return false;
    const DWORD dwSize = ::SizeofResource(hModule, hResource);
    if (dwSize == 0)
        return true;
    HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
    const void* pData = hGlobal != nullptr ? ::LockResource(hGlobal) : nullptr;
    if (pData == nullptr || !Allocate(dwSize, false))
        return false;
    std::memcpy(m_pBytes, pData, dwSize);
    return true;
}

bool CExtResourceBuffer::FindAndLoad(HINSTANCE hModule, LPCSTR lpszType, LPCSTR lpszName, WORD wLanguage)
{
    HRSRC hResource = ::FindResourceExA(hModule, lpszType, lpszName, wLanguage);
    return hResource != nullptr && LoadFrom(hModule, hResource);
}

void CExtResourceBuffer::Free()
{
    delete[] m_pBytes;
    m_pBytes = nullptr;
    m_dwSize = 0;
}

LPCDLGTEMPLATEA CExtResourceManager::AdjustDialogTemplate(LPCDLGTEMPLATEA, CWnd*, DWORD_PTR, DWORD_PTR)
{
    return nullptr;
}

bool CExtResourceManager::IsLanguageAware() const { return (m_nFlags & FLAG_LANGUAGE_AWARE) != 0; }

void CExtResourceManager::SetLanguageAware(bool bAware)
{
    m_nFlags = static_cast<BYTE>(bAware ? (m_nFlags | FLAG_LANGUAGE_AWARE) : (m_nFlags & ~FLAG_LANGUAGE_AWARE));
}

bool CExtResourceManager::IsRightToLeftLanguage() const
{
    if (m_nRightToLeftOverride != -1)
        return m_nRightToLeftOverride != 0;
    if (IsLanguageAware())
        return m_wLanguage == LANGUAGE_ARABIC;
    const WORD wUser = ::GetUserDefaultLangID();
    return std::find(std::begin(RIGHT_TO_LEFT_LANGUAGES), std::end(RIGHT_TO_LEFT_LANGUAGES), wUser) !=
           std::end(RIGHT_TO_LEFT_LANGUAGES);
}

int CExtResourceManager::GetRightToLeftOverride() const { return m_nRightToLeftOverride; }

int CExtResourceManager::SetRightToLeftOverride(int nOverride)
{
    return std::exchange(m_nRightToLeftOverride, nOverride);
}

WORD CExtResourceManager::GetLanguage() const { return m_wLanguage; }
void CExtResourceManager::SetLanguage(WORD wLanguage) { m_wLanguage = wLanguage; }
WORD CExtResourceManager::GetDefaultLanguage() const { return DEFAULT_LANGUAGE; }

int CExtResourceManager::LocaleInfoForLanguage(LCTYPE lcType, LPSTR lpBuffer, int nSize) const
{
    std::vector<LCID> locales;
    if (IsLanguageAware())
    {
        locales.push_back(MAKELCID(m_wLanguage, SORT_DEFAULT));
        locales.push_back(MAKELCID(GetDefaultLanguage(), SORT_DEFAULT));
    }
    locales.insert(locales.end(), {LOCALE_USER_DEFAULT, LOCALE_SYSTEM_DEFAULT, 0});
    for (LCID lcid : locales)
        if (int n = ::GetLocaleInfoA(lcid, lcType, lpBuffer, nSize); n != 0)
            return n;
    return 0;
}

HINSTANCE CExtResourceManager::FindResourceForLanguage(LPCSTR lpszType, LPCSTR lpszName, WORD wLanguage,
                                                       WORD* pwLanguageOut, HRSRC* phResourceOut)
{
    HINSTANCE hModule = AfxGetResourceHandle();
    HRSRC hResource = IsLanguageAware() ? ::FindResourceExA(hModule, lpszType, lpszName, wLanguage)
                                        : ::FindResourceA(hModule, lpszName, lpszType);
    if (hResource == nullptr)
        return nullptr;
    Report(pwLanguageOut, IsLanguageAware() ? wLanguage : GetDefaultLanguage());
    if (phResourceOut != nullptr)
        *phResourceOut = hResource;
    return hModule;
}

HINSTANCE CExtResourceManager::FindResourceForTwoLanguages(LPCSTR lpszType, LPCSTR lpszName, WORD wLanguage1,
                                                           WORD wLanguage2, WORD* pwLanguageOut,
                                                           HRSRC* phResourceOut)
{
    if (HINSTANCE h = FindResourceForLanguage(lpszType, lpszName, wLanguage1, pwLanguageOut, phResourceOut))
        return h;
    if (wLanguage2 == wLanguage1)
        return nullptr;
    return FindResourceForLanguage(lpszType, lpszName, wLanguage2, pwLanguageOut, phResourceOut);
}

HINSTANCE CExtResourceManager::FindResource(LPCSTR lpszType, LPCSTR lpszName, WORD* pwLanguageOut,
                                            HRSRC* phResourceOut)
{
    return FindResourceForTwoLanguages(lpszType, lpszName, GetLanguage(), GetDefaultLanguage(), pwLanguageOut,
                                       phResourceOut);
}

bool CExtResourceManager::LoadResourceForLanguage(CExtResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName,
                                                  WORD wLanguage, WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    HINSTANCE hModule = AfxGetResourceHandle();
    const WORD wLookup = IsLanguageAware() ? wLanguage : LANGUAGE_NEUTRAL_USER;
    if (!buffer.FindAndLoad(hModule, lpszType, lpszName, wLookup))
        return false;
    Report(pwLanguageOut, IsLanguageAware() ? wLanguage : GetDefaultLanguage());
    Report(phModuleOut, hModule);
    return true;
}

bool CExtResourceManager::LoadResourceForTwoLanguages(CExtResourceBuffer& buffer, LPCSTR lpszType,
                                                      LPCSTR lpszName, WORD wLanguage1, WORD wLanguage2,
                                                      WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    if (LoadResourceForLanguage(buffer, lpszType, lpszName, wLanguage1, pwLanguageOut, phModuleOut))
        return true;
    return wLanguage2 != wLanguage1 &&
           LoadResourceForLanguage(buffer, lpszType, lpszName, wLanguage2, pwLanguageOut, phModuleOut);
}

bool CExtResourceManager::LoadResource(CExtResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName,
                                       WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    return LoadResourceForTwoLanguages(buffer, lpszType, lpszName, GetLanguage(), GetDefaultLanguage(),
                                       pwLanguageOut, phModuleOut);
}

bool CExtResourceManager::LoadStringForTwoLanguages(CString& strOut, UINT nId, WORD wLanguage1, WORD wLanguage2,
                                                    WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    strOut.Empty();
    if (!IsLanguageAware())
    {
        HINSTANCE hModule = AfxGetResourceHandle();
        char szText[LOADED_STRING_MAX];
        if (::LoadStringA(hModule, nId, szText, LOADED_STRING_MAX) <= 0)
            return false;
        strOut = szText;
        Report(pwLanguageOut, GetDefaultLanguage());
        Report(phModuleOut, hModule);
        return true;
    }
    CExtResourceBuffer block;
    const LPCSTR lpszBlock = MAKEINTRESOURCEA(nId / STRINGS_PER_BLOCK + 1);
    if (!LoadResourceForTwoLanguages(block, MAKEINTRESOURCEA(6), lpszBlock, wLanguage1, wLanguage2, pwLanguageOut,
                                     phModuleOut))
        return false;
    // Each entry is a WORD length and that many UTF-16 units; a damaged block ends the walk.
    const BYTE* p = block.GetBuffer();
    const BYTE* const pEnd = p + block.GetSize();
    for (UINT nEntry = 0;; ++nEntry)
    {
        WORD wLength = 0;
        if (pEnd - p < static_cast<ptrdiff_t>(sizeof wLength))
            return true;
        std::memcpy(&wLength, p, sizeof wLength);
        p += sizeof wLength;
        const ptrdiff_t nBytes = static_cast<ptrdiff_t>(wLength) * 2;
        if (pEnd - p < nBytes)
            return true;
        if (nEntry == nId % STRINGS_PER_BLOCK)
        {
            if (wLength == 0)
                return true;
            std::u16string text(wLength, u'\0');
            std::memcpy(text.data(), p, static_cast<size_t>(nBytes));
            const int nAnsi = ::WideCharToMultiByte(CP_ACP, 0, text.data(), wLength, nullptr, 0, nullptr, nullptr);
            std::string ansi(static_cast<size_t>(std::max(nAnsi, 0)), '\0');
            ::WideCharToMultiByte(CP_ACP, 0, text.data(), wLength, ansi.data(), nAnsi, nullptr, nullptr);
            strOut = ansi.c_str();
            return true;
        }
        p += nBytes;
    }
}

bool CExtResourceManager::LoadStringForLanguage(CString& strOut, UINT nId, WORD* pwLanguageOut,
                                                HINSTANCE* phModuleOut)
{
    return LoadStringForTwoLanguages(strOut, nId, GetLanguage(), GetDefaultLanguage(), pwLanguageOut, phModuleOut);
}

bool CExtResourceManager::LoadMenuForTwoLanguages(CMenu& menu, LPCSTR lpszName, WORD wLanguage1, WORD wLanguage2,
                                                  WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    menu.DestroyMenu();
    if (!IsLanguageAware())
    {
        HINSTANCE hModule = AfxGetResourceHandle();
        HMENU hMenu = ::LoadMenuA(hModule, lpszName);
        if (hMenu == nullptr)
            return false;
        menu.Attach(hMenu);
        Report(pwLanguageOut, GetDefaultLanguage());
        Report(phModuleOut, hModule);
        return true;
    }
    CExtResourceBuffer bytes;
    if (!LoadResourceForTwoLanguages(bytes, MAKEINTRESOURCEA(4), lpszName, wLanguage1, wLanguage2, pwLanguageOut,
                                     phModuleOut))
        return false;
    return bytes.GetSize() != 0 && menu.LoadMenuIndirect(bytes.GetBuffer()) != FALSE;
}

bool CExtResourceManager::LoadMenuForLanguage(CMenu& menu, UINT nId, WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    return LoadMenuByName(menu, MAKEINTRESOURCEA(nId), pwLanguageOut, phModuleOut);
}

bool CExtResourceManager::LoadMenuByName(CMenu& menu, LPCSTR lpszName, WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    return LoadMenuForTwoLanguages(menu, lpszName, GetLanguage(), GetDefaultLanguage(), pwLanguageOut, phModuleOut);
}

HACCEL CExtResourceManager::LoadAcceleratorsForTwoLanguages(LPCSTR lpszName, WORD wLanguage1, WORD wLanguage2,
                                                            WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    if (!IsLanguageAware())
    {
        HINSTANCE hModule = AfxGetResourceHandle();
        HACCEL hAccel = ::LoadAcceleratorsA(hModule, lpszName);
        if (hAccel != nullptr)
        {
            Report(pwLanguageOut, GetDefaultLanguage());
            Report(phModuleOut, hModule);
        }
        return hAccel;
    }
    CExtResourceBuffer bytes;
    if (!LoadResourceForTwoLanguages(bytes, MAKEINTRESOURCEA(9), lpszName, wLanguage1, wLanguage2, pwLanguageOut,
                                     phModuleOut))
        return nullptr;
    // Whole entries only, up to the one flagged last.
    std::vector<ACCEL> entries;
    for (DWORD off = 0; off + ACCEL_ENTRY_SIZE <= bytes.GetSize(); off += ACCEL_ENTRY_SIZE)
    {
        WORD w[3];
        std::memcpy(w, bytes.GetBuffer() + off, sizeof w);
        entries.push_back(ACCEL{static_cast<BYTE>(w[0] & ~ACCEL_LAST_ENTRY), w[1], w[2]});
        if ((w[0] & ACCEL_LAST_ENTRY) != 0)
            break;
    }
    if (entries.empty())
        return nullptr;
    return ::CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
}

HACCEL CExtResourceManager::LoadAcceleratorsByName(LPCSTR lpszName, WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    return LoadAcceleratorsForTwoLanguages(lpszName, GetLanguage(), GetDefaultLanguage(), pwLanguageOut,
                                           phModuleOut);
}

HACCEL CExtResourceManager::LoadAccelerators(UINT nId, WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    return LoadAcceleratorsByName(MAKEINTRESOURCEA(nId), pwLanguageOut, phModuleOut);
}

HBITMAP CExtResourceManager::LoadBitmapForTwoLanguages(LPCSTR lpszName, WORD wLanguage1, WORD wLanguage2,
                                                       WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    if (!IsLanguageAware())
    {
        HINSTANCE hModule = AfxGetResourceHandle();
        HBITMAP hBitmap = ::LoadBitmapA(hModule, lpszName);
        if (hBitmap != nullptr)
        {
            Report(pwLanguageOut, GetDefaultLanguage());
            Report(phModuleOut, hModule);
        }
        return hBitmap;
    }
    HRSRC hResource = nullptr;
    HINSTANCE hModule =
        FindResourceForTwoLanguages(MAKEINTRESOURCEA(2), lpszName, wLanguage1, wLanguage2, pwLanguageOut, &hResource);
    if (hModule == nullptr)
        return nullptr;
    Report(phModuleOut, hModule);
    return CExtPaintManager::LoadBitmapFromResource(hModule, hResource);
}

HBITMAP CExtResourceManager::LoadBitmapByName(LPCSTR lpszName, WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    return LoadBitmapForTwoLanguages(lpszName, GetLanguage(), GetDefaultLanguage(), pwLanguageOut, phModuleOut);
}

HBITMAP CExtResourceManager::LoadBitmap(UINT nId, WORD* pwLanguageOut, HINSTANCE* phModuleOut)
{
    return LoadBitmapByName(MAKEINTRESOURCEA(nId), pwLanguageOut, phModuleOut);
}

CString CExtResourceManager::LoadStringOrDefault(UINT nId, LPCSTR lpszDefault)
{
    CString str;
    if (!LoadStringForLanguage(str, nId) || str.IsEmpty())
        str = lpszDefault != nullptr ? lpszDefault : "";
    return str;
}

DWORD CExtResourceManager::GetLayout() const { return IsRightToLeftLanguage() ? LAYOUT_RTL : 0; }

CExtResourceManagerHolder::~CExtResourceManagerHolder()
{
    delete m_pManager;
    m_pManager = nullptr;
}

CExtResourceManager* CExtResourceManagerHolder::GetManager()
{
    if (m_pManager == nullptr)
        m_pManager = new CExtResourceManager;
    return m_pManager;
}

void CExtResourceManagerHolder::ReplaceManager(CExtResourceManager* pManager)
{
    delete m_pManager;
    m_pManager = pManager != nullptr ? pManager : new CExtResourceManager;
}
