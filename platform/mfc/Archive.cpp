#include "platform/mfc/Archive.h"

#include "platform/mfc/ArchiveException.h"
#include "platform/mfc/File.h"

#include <algorithm>
#include <memory>

namespace
{
constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kMaxSmallIndex = 0x7FFE;
constexpr BYTE kStringWordLength = 0xFF;
constexpr WORD kStringDwordLength = 0xFFFF;
constexpr WORD kCountDwordLength = 0xFFFF;
constexpr WORD kMaxClassNameLength = 64;
}

CArchive::CArchive(CFile* pFile, UINT nMode, int, void*)
    : m_pFile(pFile), m_bLoading((nMode & load) != 0), m_bFlushOnDelete((nMode & bNoFlushOnDelete) == 0)
{
    if (pFile != nullptr)
        m_strFileName = pFile->GetFilePath();
}

CArchive::~CArchive()
{
    // Values go straight to the file, so there is nothing left to flush here.
    m_pFile = nullptr;
}

void CArchive::Flush()
{
    if (IsStoring() && m_pFile != nullptr)
        m_pFile->Flush();
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
}

void CArchive::RequireLoading() const
{
    if (!m_bLoading)
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::RequireStoring() const
{
    if (m_bLoading)
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    RequireLoading();
    return m_pFile->Read(lpBuf, nMax);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    RequireStoring();
    m_pFile->Write(lpBuf, nMax);
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::WriteString(LPCSTR lpsz)
{
    if (lpsz != nullptr)
        Write(lpsz, static_cast<UINT>(lstrlenA(lpsz)));
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    char ch = 0;
    UINT nRead = 0;
    while (Read(&ch, 1) == 1)
    {
        ++nRead;
        if (ch == '\n')
            break;
        if (ch != '\r')
            rString += ch;
    }
    return nRead > 0;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < kCountDwordLength)
    {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << kCountDwordLength << static_cast<DWORD>(dwCount);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount = 0;
    *this >> wCount;
    if (wCount != kCountDwordLength)
        return wCount;
    DWORD dwCount = 0;
    *this >> dwCount;
    return dwCount;
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by = 0;
    ReadValue(by);
    b = by != 0;
    return *this;
}

void CArchive::WriteTag(DWORD dwIndex, bool bClass)
{
    if (dwIndex <= kMaxSmallIndex)
    {
        *this << static_cast<WORD>(bClass ? (kClassTag | dwIndex) : dwIndex);
        return;
    }
    *this << kBigObjectTag << (bClass ? (kBigClassTag | dwIndex) : dwIndex);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    RequireStoring();
    if (pClassRef == nullptr || pClassRef->m_wSchema == 0xFFFF)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    auto found = m_storeMap.find(pClassRef);
    if (found != m_storeMap.end())
    {
        WriteTag(found->second, true);
        return;
    }
    *this << kNewClassTag << static_cast<WORD>(pClassRef->m_wSchema);
    WORD wLength = static_cast<WORD>(lstrlenA(pClassRef->m_lpszClassName));
    *this << wLength;
    Write(pClassRef->m_lpszClassName, wLength);
    DWORD dwIndex = static_cast<DWORD>(m_storeMap.size()) + 1;
    m_storeMap[pClassRef] = dwIndex;
}

void CArchive::WriteObject(const CObject* pOb)
{
    RequireStoring();
    if (pOb == nullptr)
    {
        *this << kNullTag;
        return;
    }
    auto found = m_storeMap.find(pOb);
    if (found != m_storeMap.end())
    {
        WriteTag(found->second, false);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    DWORD dwIndex = static_cast<DWORD>(m_storeMap.size()) + 1;
    m_storeMap[pOb] = dwIndex;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CArchive::Tag CArchive::ReadTag()
{
    WORD wTag = 0;
    *this >> wTag;
    if (wTag == kNewClassTag)
        return {true, true, 0};
    if (wTag == kBigObjectTag)
    {
        DWORD dwTag = 0;
        *this >> dwTag;
        return {false, (dwTag & kBigClassTag) != 0, dwTag & ~kBigClassTag};
    }
    if (wTag & kClassTag)
        return {false, true, static_cast<DWORD>(wTag & ~kClassTag)};
    return {false, false, wTag};
}

CRuntimeClass* CArchive::ClassFromTag(const Tag& tag, const CRuntimeClass* pClassRefRequested)
{
    CRuntimeClass* pClass = nullptr;
    if (tag.bNewClass)
    {
        WORD wSchema = 0;
        WORD wLength = 0;
        *this >> wSchema >> wLength;
        if (wLength == 0 || wLength > kMaxClassNameLength)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        char name[kMaxClassNameLength + 1] = {};
        ReadExact(name, wLength);
        pClass = CRuntimeClass::FromName(name);
        if (pClass == nullptr)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if (pClass->m_wSchema != wSchema)
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        m_loadArray.push_back({pClass, nullptr});
    }
    else
    {
        if (!tag.bClass || tag.dwIndex == 0 || tag.dwIndex > m_loadArray.size() ||
            m_loadArray[tag.dwIndex - 1].pClass == nullptr)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClass = m_loadArray[tag.dwIndex - 1].pClass;
    }
    if (pClassRefRequested != nullptr && !pClass->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    return pClass;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema)
{
    RequireLoading();
    CRuntimeClass* pClass = ClassFromTag(ReadTag(), pClassRefRequested);
    if (pSchema != nullptr)
        *pSchema = pClass->m_wSchema;
    return pClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    RequireLoading();
    Tag tag = ReadTag();
    if (!tag.bClass)
    {
        if (tag.dwIndex == 0)
            return nullptr;
        if (tag.dwIndex > m_loadArray.size() || m_loadArray[tag.dwIndex - 1].pObject == nullptr)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = m_loadArray[tag.dwIndex - 1].pObject;
        if (pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }

    CRuntimeClass* pClass = ClassFromTag(tag, pClassRefRequested);
    std::unique_ptr<CObject> pOb(pClass->CreateObject());
    if (!pOb)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    m_loadArray.push_back({nullptr, pOb.get()});
    UINT nPreviousSchema = m_nObjectSchema;
    m_nObjectSchema = pClass->m_wSchema;
    pOb->Serialize(*this);
    m_nObjectSchema = nPreviousSchema;
    return pOb.release();
}

UINT CArchive::GetObjectSchema()
{
    UINT nSchema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nSchema;
}

CArchive& CArchive::operator<<(const CObject* pOb)
{
    WriteObject(pOb);
    return *this;
}

CArchive& CArchive::operator>>(CObject*& pOb)
{
    pOb = ReadObject(nullptr);
    return *this;
}

CArchive& operator<<(CArchive& ar, const CString& string)
{
    DWORD nLength = static_cast<DWORD>(string.GetLength());
    if (nLength < kStringWordLength)
        ar << static_cast<BYTE>(nLength);
    else if (nLength < kStringDwordLength)
        ar << kStringWordLength << static_cast<WORD>(nLength);
    else
        ar << kStringWordLength << kStringDwordLength << nLength;
    ar.Write(static_cast<LPCSTR>(string), nLength);
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& string)
{
    BYTE byLength = 0;
    ar >> byLength;
    DWORD nLength = byLength;
    if (byLength == kStringWordLength)
    {
        WORD wLength = 0;
        ar >> wLength;
        nLength = wLength;
        if (wLength == kStringDwordLength)
            ar >> nLength;
    }
    // The length is not trusted: the bytes must really be there.
    CString result;
    constexpr DWORD kChunk = 4096;
    char chunk[kChunk];
    for (DWORD nDone = 0; nDone < nLength;)
    {
        UINT nPart = static_cast<UINT>(std::min(kChunk, nLength - nDone));
        if (ar.Read(chunk, nPart) != nPart)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        result += CString(chunk, static_cast<int>(nPart));
        nDone += nPart;
    }
    string = result;
    return ar;
}

CArchive& operator<<(CArchive& ar, SIZE size)
{
    return ar << size.cx << size.cy;
}

CArchive& operator<<(CArchive& ar, POINT point)
{
    return ar << point.x << point.y;
}

CArchive& operator<<(CArchive& ar, const RECT& rect)
{
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}

CArchive& operator>>(CArchive& ar, SIZE& size)
{
    return ar >> size.cx >> size.cy;
}

CArchive& operator>>(CArchive& ar, POINT& point)
{
    return ar >> point.x >> point.y;
}

CArchive& operator>>(CArchive& ar, RECT& rect)
{
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}
