#pragma once
// The framework's ANSI string: a growable, NUL-terminated byte string.
#include <windows.h>

#include <cstdarg>
#include <string>

class CString
{
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    // Text, or the string-table entry when psz is MAKEINTRESOURCE(id).
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);
    CString(char ch, int nRepeat = 1);
    explicit CString(const std::string& str) : m_str(str) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCSTR psz);
    CString& operator=(char ch);

    CString& operator+=(const CString& str);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(char ch);

    operator LPCSTR() const { return m_str.c_str(); }
    LPCSTR GetString() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    char operator[](int nIndex) const { return GetAt(nIndex); }

    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;
    int Collate(LPCSTR psz) const;

    // Substrings clamp their bounds to the string, as the framework's do.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR pszCharSet) const;
    CString SpanExcluding(LPCSTR pszCharSet) const;

    // Searches give the zero-based index, or -1.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR pszCharSet) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR pszTargets);
    CString& Trim();

    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR psz);
    int Delete(int nIndex, int nCount = 1);

    void Format(LPCSTR pszFormat, ...);
    void Format(UINT nFormatID, ...);
    void FormatV(LPCSTR pszFormat, va_list args);
    void AppendFormat(LPCSTR pszFormat, ...);

    // Loads a string-table entry of the resource module; FALSE (and the string unchanged) when absent.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Direct access to the bytes: the buffer holds at least nMinBufLength characters plus a NUL;
    // ReleaseBuffer fixes the length (-1: up to the first NUL).
    LPSTR GetBuffer(int nMinBufLength = 0);
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void FreeExtra();

private:
    std::string m_str;
};

CString operator+(const CString& lhs, const CString& rhs);
CString operator+(const CString& lhs, LPCSTR rhs);
CString operator+(LPCSTR lhs, const CString& rhs);
CString operator+(const CString& lhs, char rhs);
CString operator+(char lhs, const CString& rhs);

bool operator==(const CString& lhs, const CString& rhs);
bool operator==(const CString& lhs, LPCSTR rhs);
bool operator==(LPCSTR lhs, const CString& rhs);
bool operator!=(const CString& lhs, const CString& rhs);
bool operator!=(const CString& lhs, LPCSTR rhs);
bool operator!=(LPCSTR lhs, const CString& rhs);
// Orderings compare bytes; every mix with LPCSTR is declared so none falls back to comparing pointers.
bool operator<(const CString& lhs, const CString& rhs);
bool operator<(const CString& lhs, LPCSTR rhs);
bool operator<(LPCSTR lhs, const CString& rhs);
bool operator>(const CString& lhs, const CString& rhs);
bool operator>(const CString& lhs, LPCSTR rhs);
bool operator>(LPCSTR lhs, const CString& rhs);
bool operator<=(const CString& lhs, const CString& rhs);
bool operator<=(const CString& lhs, LPCSTR rhs);
bool operator<=(LPCSTR lhs, const CString& rhs);
bool operator>=(const CString& lhs, const CString& rhs);
bool operator>=(const CString& lhs, LPCSTR rhs);
bool operator>=(LPCSTR lhs, const CString& rhs);
