#include "export/gif/xIOFile.h"

bool CxIOFile::Close()
{
    // The stream was handed in and is closed by its owner.
    m_stream = nullptr;
    return true;
}

size_t CxIOFile::Read(void* buffer, size_t size, size_t count)
{
    return m_stream ? fread(buffer, size, count, m_stream) : 0;
}

size_t CxIOFile::Write(const void* buffer, size_t size, size_t count)
{
    return m_stream ? fwrite(buffer, size, count, m_stream) : 0;
}

bool CxIOFile::Seek(long offset, int origin)
{
    return m_stream && fseek(m_stream, offset, origin) == 0;
}

long CxIOFile::Tell()
{
    return m_stream ? ftell(m_stream) : -1;
}

long CxIOFile::Size()
{
    if (!m_stream)
        return -1;
    const long position = ftell(m_stream);
    if (position < 0 || fseek(m_stream, 0, SEEK_END) != 0)
        return -1;
    const long size = ftell(m_stream);
    fseek(m_stream, position, SEEK_SET);
    return size;
}

bool CxIOFile::Flush()
{
    return m_stream && fflush(m_stream) == 0;
}

bool CxIOFile::Eof()
{
    return !m_stream || feof(m_stream) != 0;
}

long CxIOFile::Error()
{
    return m_stream ? ferror(m_stream) : 1;
}

bool CxIOFile::PutC(unsigned char byte)
{
    return m_stream && fputc(byte, m_stream) == byte;
}

long CxIOFile::GetC()
{
    return m_stream ? fgetc(m_stream) : -1;
}
