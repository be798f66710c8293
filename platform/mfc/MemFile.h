#pragma once
// A file held in memory that grows in steps of nGrowBytes; used for archives kept in the registry.
#include "platform/mfc/File.h"

#include <vector>

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Reads and writes the caller's buffer; with nGrowBytes 0 it cannot grow.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override = default;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Closes the file and hands its memory to the caller: the attached buffer, or a block holding
    // the file's bytes that the caller frees with free() (null when the file is empty).
    BYTE* Detach();

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    void Close() override;
    void Abort() override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override {}

    // The bytes of the file (valid until the next write).
    const BYTE* GetData() const { return Buffer(); }

private:
    BYTE* Buffer() const;
    // Forgets the buffer and empties the file.
    void Release();
    void GrowFile(size_t nNewSize);

    UINT m_nGrowBytes;
    size_t m_nPosition = 0;
    size_t m_nFileSize = 0;
    std::vector<BYTE> m_ownBuffer;
    BYTE* m_lpAttached = nullptr;
    size_t m_nAttachedSize = 0;
};
