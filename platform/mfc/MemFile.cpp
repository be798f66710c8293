#include "platform/mfc/MemFile.h"

#include "platform/mfc/FileException.h"
#include "platform/mfc/MemoryException.h"
#include "platform/mfc/NotSupportedException.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    m_lpAttached = lpBuffer;
    m_nAttachedSize = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    m_ownBuffer.clear();
    m_nPosition = 0;
    // A buffer that cannot grow already holds its data; a growable one starts empty.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpAttached;
    if (lpBuffer == nullptr && m_nFileSize > 0)
    {
        lpBuffer = static_cast<BYTE*>(std::malloc(m_nFileSize));
        if (lpBuffer != nullptr)
            std::memcpy(lpBuffer, m_ownBuffer.data(), m_nFileSize);
    }
    Release();
    return lpBuffer;
}

void CMemFile::Release()
{
    m_lpAttached = nullptr;
    m_nAttachedSize = 0;
    m_ownBuffer.clear();
    m_nPosition = 0;
    m_nFileSize = 0;
}

BYTE* CMemFile::Buffer() const
{
    if (m_lpAttached != nullptr)
        return m_lpAttached;
    return const_cast<BYTE*>(m_ownBuffer.data());
}

void CMemFile::GrowFile(size_t nNewSize)
{
    if (m_lpAttached != nullptr)
    {
        if (nNewSize <= m_nAttachedSize)
            return;
        if (m_nGrowBytes == 0)
            AfxThrowMemoryException();
        // Growing leaves the caller's buffer: the data moves to an own buffer.
        m_ownBuffer.assign(m_lpAttached, m_lpAttached + m_nFileSize);
        m_lpAttached = nullptr;
        m_nAttachedSize = 0;
    }
    if (nNewSize <= m_ownBuffer.size())
        return;
    size_t nStep = std::max<size_t>(m_nGrowBytes, 1);
    size_t nRounded = (nNewSize + nStep - 1) / nStep * nStep;
    try
    {
        m_ownBuffer.resize(nRounded);
    }
    catch (const std::bad_alloc&)
    {
        AfxThrowMemoryException();
    }
}

BOOL CMemFile::Open(LPCSTR, UINT, CFileException*)
{
    throw new CNotSupportedException;
}

void CMemFile::Close()
{
    Release();
}

void CMemFile::Abort()
{
    Close();
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize)
        return 0;
    size_t nRead = std::min<size_t>(nCount, m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, Buffer() + m_nPosition, nRead);
    m_nPosition += nRead;
    return static_cast<UINT>(nRead);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    size_t nEnd = m_nPosition + nCount;
    GrowFile(nEnd);
    std::memcpy(Buffer() + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    m_nFileSize = std::max(m_nFileSize, nEnd);
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG nBase = nFrom == begin ? 0 : nFrom == current ? static_cast<LONGLONG>(m_nPosition)
                                                           : static_cast<LONGLONG>(m_nFileSize);
    LONGLONG nNew = nBase + lOff;
    if (nNew < 0)
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = static_cast<size_t>(nNew);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    size_t nNewSize = static_cast<size_t>(dwNewLen);
    GrowFile(nNewSize);
    if (nNewSize > m_nFileSize)
        std::memset(Buffer() + m_nFileSize, 0, nNewSize - m_nFileSize);
    m_nFileSize = nNewSize;
    m_nPosition = std::min(m_nPosition, m_nFileSize);
}
