#include "export/swf/SWF_BufferedFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr mode_t kCreatePermissions = 0644;
constexpr uint32_t kInitialWriteCapacity = 0x10000;

uint8_t LowBits(uint8_t count) { return static_cast<uint8_t>((1u << count) - 1); }
}

C_SWF_BufferedFile::C_SWF_BufferedFile(const char* path, Mode mode) : m_mode(mode)
{
    if (mode == ModeWrite)
    {
        m_buffer.reserve(kInitialWriteCapacity);
        m_descriptor = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, kCreatePermissions);
        return;
    }
    m_descriptor = ::open(path, O_RDONLY);
    if (m_descriptor < 0)
        return;
    struct stat info {};
    // Positions are 32-bit: a larger file cannot be addressed and is refused.
    if (::fstat(m_descriptor, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > UINT32_MAX)
    {
        ::close(m_descriptor);
        m_descriptor = -1;
        return;
    }
    m_size = static_cast<uint32_t>(info.st_size);
    m_buffer.resize(std::min<uint32_t>(m_size, kChunkSize));
    if (!LoadChunk(0))
    {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
}

C_SWF_BufferedFile::~C_SWF_BufferedFile()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool C_SWF_BufferedFile::LoadChunk(uint32_t index)
{
    const uint64_t start = uint64_t(index) * kChunkSize;
    if (start >= m_size && m_size != 0)
        return false;
    const uint32_t wanted = static_cast<uint32_t>(std::min<uint64_t>(kChunkSize, m_size - start));
    if (::lseek(m_descriptor, static_cast<off_t>(start), SEEK_SET) < 0)
        return false;
    uint32_t loaded = 0;
    while (loaded < wanted)
    {
        const ssize_t got = ::read(m_descriptor, m_buffer.data() + loaded, wanted - loaded);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        loaded += static_cast<uint32_t>(got);
    }
    m_chunkStart = static_cast<uint32_t>(start);
    m_chunkEnd = m_chunkStart + loaded;
    return loaded == wanted;
}

bool C_SWF_BufferedFile::Reserve(uint32_t position)
{
    if (position >= kMaxWriteSize)
    {
        m_writeFailed = true;
        return false;
    }
    if (position >= m_buffer.size())
        m_buffer.resize(std::max<size_t>(size_t(position) + 1, m_buffer.size() * 2), 0);
    return true;
}

bool C_SWF_BufferedFile::TransferByte(uint8_t& byte, uint32_t position)
{
    if (m_mode == ModeWrite)
    {
        if (!Reserve(position))
            return false;
        m_buffer[position] = byte;
        m_size = std::max(m_size, position + 1);
        return true;
    }
    if (m_descriptor < 0 || position >= m_size)
        return false;
    if ((position < m_chunkStart || position >= m_chunkEnd) && !LoadChunk(position / kChunkSize))
        return false;
    byte = m_buffer[position - m_chunkStart];
    return true;
}

bool C_SWF_BufferedFile::TransferUB(uint32_t& value, uint64_t& bitPosition, uint8_t width)
{
    if (width > 32)
        return false;
    const uint64_t end = bitPosition + width;
    if ((end + 7) / 8 > UINT32_MAX)
        return false;
    uint32_t result = 0;
    // Each byte from the first to the last one the field touches, most significant bits first.
    for (uint64_t bit = bitPosition; bit < end;)
    {
        const uint32_t position = static_cast<uint32_t>(bit / 8);
        const uint8_t offset = static_cast<uint8_t>(bit % 8);
        const uint8_t count = static_cast<uint8_t>(std::min<uint64_t>(8 - offset, end - bit));
        const uint8_t shift = static_cast<uint8_t>(8 - offset - count);
        const uint64_t remaining = end - bit - count;
        uint8_t byte = 0;
        if (m_mode == ModeWrite)
        {
            if (!Reserve(position))
                return false;
            byte = m_buffer[position];
            byte |= static_cast<uint8_t>(((uint64_t(value) >> remaining) & LowBits(count)) << shift);
            if (!TransferByte(byte, position))
                return false;
        }
        else
        {
            if (!TransferByte(byte, position))
                return false;
            result = static_cast<uint32_t>((uint64_t(result) << count) | ((byte >> shift) & LowBits(count)));
        }
        bit += count;
    }
    if (m_mode == ModeRead)
        value = result;
    bitPosition = end;
    return true;
}

bool C_SWF_BufferedFile::TransferSB(int32_t& value, uint64_t& bitPosition, uint8_t width)
{
    uint32_t bits = static_cast<uint32_t>(value);
    if (!TransferUB(bits, bitPosition, width))
        return false;
    if (m_mode == ModeRead)
    {
        if (width > 0 && width < 32 && (bits >> (width - 1)) & 1u)
            bits |= ~((1u << width) - 1);
        value = static_cast<int32_t>(bits);
    }
    return true;
}

void C_SWF_BufferedFile::Clear(uint32_t from, uint32_t to)
{
    if (m_mode != ModeWrite)
        return;
    to = std::min<uint32_t>(to, static_cast<uint32_t>(m_buffer.size()));
    if (from < to)
        std::fill(m_buffer.begin() + from, m_buffer.begin() + to, 0);
}

bool C_SWF_BufferedFile::WriteAll()
{
    uint32_t written = 0;
    while (written < m_size)
    {
        const ssize_t put = ::write(m_descriptor, m_buffer.data() + written, m_size - written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        written += static_cast<uint32_t>(put);
    }
    return true;
}

bool C_SWF_BufferedFile::Close()
{
    if (m_descriptor < 0)
        return false;
    bool ok = true;
    if (m_mode == ModeWrite)
        ok = !m_writeFailed && WriteAll();
    if (::close(m_descriptor) != 0)
        ok = false;
    m_descriptor = -1;
    return ok;
}
