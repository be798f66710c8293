#include "platform/mfc/String.h"

#include "platform/mfc/Globals.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
constexpr int kLoadStringChunk = 256;

int ClampIndex(int nIndex, int nLength)
{
    return std::clamp(nIndex, 0, nLength);
}

bool IsSpace(char ch)
{
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

std::string FormatToString(LPCSTR pszFormat, va_list args)
{
    if (pszFormat == nullptr)
        return std::string();
    va_list count;
    va_copy(count, args);
    int nLength = std::vsnprintf(nullptr, 0, pszFormat, count);
    va_end(count);
    if (nLength <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(nLength) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
    return std::string(buffer.data(), static_cast<size_t>(nLength));
}
}

CString::CString(LPCSTR psz)
{
    // A resource id in place of text names a string-table entry.
    if (psz != nullptr && IS_INTRESOURCE(psz))
        LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(psz)));
    else if (psz != nullptr)
        m_str = psz;
}

CString::CString(LPCSTR pch, int nLength)
    : m_str(pch != nullptr && nLength > 0 ? std::string(pch, static_cast<size_t>(nLength)) : std::string())
{
}

CString::CString(char ch, int nRepeat) : m_str(nRepeat > 0 ? static_cast<size_t>(nRepeat) : 0, ch)
{
}

CString& CString::operator=(LPCSTR psz)
{
    m_str = psz != nullptr ? psz : "";
    return *this;
}

CString& CString::operator=(char ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& str)
{
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    if (psz != nullptr)
        m_str += psz;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_str += ch;
    return *this;
}

char CString::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetLength() ? m_str[static_cast<size_t>(nIndex)] : '\0';
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex >= 0 && nIndex < GetLength())
        m_str[static_cast<size_t>(nIndex)] = ch;
}

int CString::Compare(LPCSTR psz) const
{
    return std::strcmp(m_str.c_str(), psz != nullptr ? psz : "");
}

int CString::CompareNoCase(LPCSTR psz) const
{
    return lstrcmpiA(m_str.c_str(), psz != nullptr ? psz : "");
}

int CString::Collate(LPCSTR psz) const
{
    return lstrcmpA(m_str.c_str(), psz != nullptr ? psz : "");
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nStart = ClampIndex(nFirst, GetLength());
    int nEnd = ClampIndex(nStart + std::max(nCount, 0), GetLength());
    return CString(m_str.substr(static_cast<size_t>(nStart), static_cast<size_t>(nEnd - nStart)));
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int nTaken = ClampIndex(nCount, GetLength());
    return Mid(GetLength() - nTaken, nTaken);
}

CString CString::SpanIncluding(LPCSTR pszCharSet) const
{
    return Left(static_cast<int>(std::strspn(m_str.c_str(), pszCharSet != nullptr ? pszCharSet : "")));
}

CString CString::SpanExcluding(LPCSTR pszCharSet) const
{
    return Left(static_cast<int>(std::strcspn(m_str.c_str(), pszCharSet != nullptr ? pszCharSet : "")));
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    size_t nFound = m_str.find(ch, static_cast<size_t>(nStart));
    return nFound == std::string::npos ? -1 : static_cast<int>(nFound);
}

int CString::Find(LPCSTR pszSub, int nStart) const
{
    if (pszSub == nullptr || nStart < 0 || nStart > GetLength())
        return -1;
    size_t nFound = m_str.find(pszSub, static_cast<size_t>(nStart));
    return nFound == std::string::npos ? -1 : static_cast<int>(nFound);
}

int CString::ReverseFind(char ch) const
{
    size_t nFound = m_str.rfind(ch);
    return nFound == std::string::npos ? -1 : static_cast<int>(nFound);
}

int CString::FindOneOf(LPCSTR pszCharSet) const
{
    size_t nFound = m_str.find_first_of(pszCharSet != nullptr ? pszCharSet : "");
    return nFound == std::string::npos ? -1 : static_cast<int>(nFound);
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffA(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffA(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

CString& CString::TrimLeft()
{
    m_str.erase(m_str.begin(), std::find_if_not(m_str.begin(), m_str.end(), IsSpace));
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    m_str.erase(0, m_str.find_first_not_of(chTarget));
    return *this;
}

CString& CString::TrimLeft(LPCSTR pszTargets)
{
    m_str.erase(0, m_str.find_first_not_of(pszTargets != nullptr ? pszTargets : ""));
    return *this;
}

CString& CString::TrimRight()
{
    m_str.erase(std::find_if_not(m_str.rbegin(), m_str.rend(), IsSpace).base(), m_str.end());
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    size_t nLast = m_str.find_last_not_of(chTarget);
    m_str.erase(nLast == std::string::npos ? 0 : nLast + 1);
    return *this;
}

CString& CString::TrimRight(LPCSTR pszTargets)
{
    size_t nLast = m_str.find_last_not_of(pszTargets != nullptr ? pszTargets : "");
    m_str.erase(nLast == std::string::npos ? 0 : nLast + 1);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

int CString::Replace(char chOld, char chNew)
{
    int nCount = static_cast<int>(std::count(m_str.begin(), m_str.end(), chOld));
    std::replace(m_str.begin(), m_str.end(), chOld, chNew);
    return nCount;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    if (pszOld == nullptr || *pszOld == '\0')
        return 0;
    std::string strNew = pszNew != nullptr ? pszNew : "";
    size_t nOldLength = std::strlen(pszOld);
    int nCount = 0;
    for (size_t nPos = m_str.find(pszOld); nPos != std::string::npos;
         nPos = m_str.find(pszOld, nPos + strNew.size()))
    {
        m_str.replace(nPos, nOldLength, strNew);
        ++nCount;
    }
    return nCount;
}

int CString::Remove(char ch)
{
    size_t nBefore = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(nBefore - m_str.size());
}

int CString::Insert(int nIndex, char ch)
{
    m_str.insert(static_cast<size_t>(ClampIndex(nIndex, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCSTR psz)
{
    if (psz != nullptr)
        m_str.insert(static_cast<size_t>(ClampIndex(nIndex, GetLength())), psz);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int nStart = ClampIndex(nIndex, GetLength());
    int nEnd = ClampIndex(nStart + std::max(nCount, 0), GetLength());
    m_str.erase(static_cast<size_t>(nStart), static_cast<size_t>(nEnd - nStart));
    return GetLength();
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString strFormat;
    if (!strFormat.LoadString(nFormatID))
        return;
    va_list args;
    va_start(args, nFormatID);
    FormatV(strFormat, args);
    va_end(args);
}

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    m_str = FormatToString(pszFormat, args);
}

void CString::AppendFormat(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    m_str += FormatToString(pszFormat, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // LoadStringA truncates silently; grow the buffer until the text fits with room to spare.
    for (int nSize = kLoadStringChunk;; nSize *= 2)
    {
        std::vector<char> buffer(static_cast<size_t>(nSize));
        int nLength = ::LoadStringA(hInstance, nID, buffer.data(), nSize);
        if (nLength <= 0)
            return FALSE;
        if (nLength < nSize - 1)
        {
            m_str.assign(buffer.data(), static_cast<size_t>(nLength));
            return TRUE;
        }
    }
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength));
    return &m_str[0];
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    size_t nLength = nNewLength < 0 ? std::strlen(m_str.c_str())
                                    : std::min(static_cast<size_t>(nNewLength), m_str.size());
    m_str.resize(nLength);
}

void CString::FreeExtra()
{
    m_str.shrink_to_fit();
}

CString operator+(const CString& lhs, const CString& rhs)
{
    CString result(lhs);
    result += rhs;
    return result;
}

CString operator+(const CString& lhs, LPCSTR rhs)
{
    CString result(lhs);
    result += rhs;
    return result;
}

CString operator+(LPCSTR lhs, const CString& rhs)
{
    CString result(lhs);
    result += rhs;
    return result;
}

CString operator+(const CString& lhs, char rhs)
{
    CString result(lhs);
    result += rhs;
    return result;
}

CString operator+(char lhs, const CString& rhs)
{
    CString result(lhs);
    result += rhs;
    return result;
}

bool operator==(const CString& lhs, const CString& rhs) { return lhs.str() == rhs.str(); }
bool operator==(const CString& lhs, LPCSTR rhs) { return lhs.Compare(rhs) == 0; }
bool operator==(LPCSTR lhs, const CString& rhs) { return rhs.Compare(lhs) == 0; }
bool operator!=(const CString& lhs, const CString& rhs) { return !(lhs == rhs); }
bool operator!=(const CString& lhs, LPCSTR rhs) { return !(lhs == rhs); }
bool operator!=(LPCSTR lhs, const CString& rhs) { return !(lhs == rhs); }
bool operator<(const CString& lhs, const CString& rhs) { return lhs.str() < rhs.str(); }
bool operator<(const CString& lhs, LPCSTR rhs) { return lhs.Compare(rhs) < 0; }
bool operator<(LPCSTR lhs, const CString& rhs) { return rhs.Compare(lhs) > 0; }
bool operator>(const CString& lhs, const CString& rhs) { return rhs < lhs; }
bool operator>(const CString& lhs, LPCSTR rhs) { return lhs.Compare(rhs) > 0; }
bool operator>(LPCSTR lhs, const CString& rhs) { return rhs.Compare(lhs) < 0; }
bool operator<=(const CString& lhs, const CString& rhs) { return !(rhs < lhs); }
bool operator<=(const CString& lhs, LPCSTR rhs) { return !(lhs > rhs); }
bool operator<=(LPCSTR lhs, const CString& rhs) { return !(lhs > rhs); }
bool operator>=(const CString& lhs, const CString& rhs) { return !(lhs < rhs); }
bool operator>=(const CString& lhs, LPCSTR rhs) { return !(lhs < rhs); }
bool operator>=(LPCSTR lhs, const CString& rhs) { return !(lhs < rhs); }
