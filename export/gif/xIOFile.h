#pragma once
// CxFile over a C stream that belongs to the caller; without a stream every call does nothing
// and reports failure.
#include "export/gif/xFile.h"

#include <cstdio>

class CxIOFile : public CxFile
{
public:
    explicit CxIOFile(FILE* stream = nullptr) : m_stream(stream) {}

    bool Close() override;
    size_t Read(void* buffer, size_t size, size_t count) override;
    size_t Write(const void* buffer, size_t size, size_t count) override;
    bool Seek(long offset, int origin) override;
    long Tell() override;
    long Size() override;
    bool Flush() override;
    bool Eof() override;
    long Error() override;
    bool PutC(unsigned char byte) override;
    long GetC() override;

private:
    FILE* m_stream;
};
