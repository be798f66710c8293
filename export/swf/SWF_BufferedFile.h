#pragma once

#include <cstdint>
#include <vector>

// An SWF file held in memory. In write mode the whole movie is assembled in a buffer that grows
// as needed (so earlier bytes can be patched) and reaches the disk when the file is closed; in
// read mode the file is paged into the buffer one chunk at a time.
class C_SWF_BufferedFile
{
public:
    static constexpr uint32_t kChunkSize = 0x400000;
    // Positions are 32-bit: a movie being written may not reach this size.
    static constexpr uint64_t kMaxWriteSize = 0x7FFFFFFF;

    enum Mode : uint8_t { ModeRead = 0, ModeWrite = 1 };

    C_SWF_BufferedFile(const char* path, Mode mode);
    ~C_SWF_BufferedFile();
    C_SWF_BufferedFile(const C_SWF_BufferedFile&) = delete;
    C_SWF_BufferedFile& operator=(const C_SWF_BufferedFile&) = delete;

    bool IsOpen() const { return m_descriptor >= 0; }
    Mode GetMode() const { return m_mode; }
    // Write mode: bytes written so far (highest position touched plus one); read mode: file size.
    uint32_t GetSize() const { return m_size; }

    // False when reading past the end of the file or when a write position is out of range.
    bool TransferByte(uint8_t& byte, uint32_t position);
    // Unsigned and signed bit fields of 0 to 32 bits at bitPosition, which advances by width.
    // Writing ORs the low width bits of value into bytes that must still be zero.
    bool TransferUB(uint32_t& value, uint64_t& bitPosition, uint8_t width);
    bool TransferSB(int32_t& value, uint64_t& bitPosition, uint8_t width);
    // Write mode: zeroes [from, to) so that bit fields can be written there again.
    void Clear(uint32_t from, uint32_t to);

    // Write mode: writes the movie to disk. Every mode closes the file. False when the file was
    // never open or when the movie could not be written whole.
    bool Close();

private:
    bool LoadChunk(uint32_t index);
    bool Reserve(uint32_t position);
    bool WriteAll();

    std::vector<uint8_t> m_buffer;
    int m_descriptor = -1;
    uint32_t m_chunkStart = 0;
    uint32_t m_chunkEnd = 0;
    uint32_t m_size = 0;
    Mode m_mode;
    bool m_writeFailed = false;
};
