#pragma once
// The file interface the GIF encoder writes through.
#include <cstddef>

class CxFile
{
public:
    virtual ~CxFile() = default;
    virtual bool Close() = 0;
    virtual size_t Read(void* buffer, size_t size, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t size, size_t count) = 0;
    virtual bool Seek(long offset, int origin) = 0;
    virtual long Tell() = 0;
    virtual long Size() = 0;
    virtual bool Flush() = 0;
    virtual bool Eof() = 0;
    virtual long Error() = 0;
    virtual bool PutC(unsigned char byte) { return Write(&byte, 1, 1) == 1; }
    virtual long GetC() = 0;
};
