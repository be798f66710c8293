#include "export/swf/SWF_BitStream.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kFixedOne = 65536.0;

bool FitsUnsigned(int32_t value, uint8_t width)
{
    if (width >= 32)
        return true;
    return value >= 0 && static_cast<uint32_t>(value) < (1u << width);
}

bool FitsSigned(int32_t value, uint8_t width)
{
    if (width >= 32)
        return true;
    if (width == 0)
        return value == 0;
    const int64_t half = int64_t(1) << (width - 1);
    return value >= -half && value < half;
}
}

void C_SWF_BitStream::Attach(C_SWF_BufferedFile& file)
{
    m_file = &file;
    m_mode = file.GetMode();
    m_bytePosition = 0;
    m_bitPosition = 0;
    m_readLimit = IsReading() ? file.GetSize() : 0;
    m_failed = false;
    m_error.clear();
    if (!file.IsOpen())
        Fail("the file cannot be opened");
}

void C_SWF_BitStream::Fail(const std::string& message)
{
    if (m_failed)
        return;
    m_failed = true;
    m_error = message;
}

void C_SWF_BitStream::SetBytePosition(uint32_t position)
{
    m_bytePosition = position;
    m_bitPosition = uint64_t(position) * 8;
}

void C_SWF_BitStream::SetPositions(uint64_t bitPosition, uint32_t bytePosition)
{
    m_bitPosition = bitPosition;
    m_bytePosition = bytePosition;
}

void C_SWF_BitStream::AlignToByte()
{
    m_bytePosition = static_cast<uint32_t>((m_bitPosition + 7) / 8);
}

void C_SWF_BitStream::AlignBitPosition()
{
    m_bitPosition = uint64_t(m_bytePosition) * 8;
}

void C_SWF_BitStream::ClearWritten(uint32_t from, uint32_t to)
{
    if (m_file && IsWriting())
        m_file->Clear(from, to);
}

void C_SWF_BitStream::SetReadLimit(uint32_t limit)
{
    m_readLimit = m_file ? std::min(limit, m_file->GetSize()) : 0;
}

uint32_t C_SWF_BitStream::GetBytesLeft() const
{
    return m_bytePosition < m_readLimit ? m_readLimit - m_bytePosition : 0;
}

bool C_SWF_BitStream::CanHold(uint64_t count, uint64_t minBits)
{
    if (!Good())
        return false;
    if (IsWriting())
        return true;
    const uint64_t limitBits = uint64_t(m_readLimit) * 8;
    const uint64_t bitsLeft = m_bitPosition < limitBits ? limitBits - m_bitPosition : 0;
    if (minBits != 0 && count > bitsLeft / minBits)
    {
        Fail("a count exceeds the data left");
        return false;
    }
    return true;
}

uint8_t C_SWF_BitStream::BitsForUnsigned(uint32_t value)
{
    for (uint8_t bits = 1; bits < 32; ++bits)
        if ((uint64_t(1) << bits) > value)
            return bits;
    return 32;
}

uint8_t C_SWF_BitStream::BitsForSigned(int32_t value)
{
    const uint32_t magnitude = static_cast<uint32_t>(value < 0 ? ~value : value);
    return static_cast<uint8_t>(std::min(BitsForUnsigned(magnitude) + 1, 32));
}

bool C_SWF_BitStream::TransferByte(uint8_t& byte)
{
    if (!Good())
        return false;
    if (IsReading() && m_bytePosition >= m_readLimit)
    {
        Fail("unexpected end of data");
        return false;
    }
    if (!m_file->TransferByte(byte, m_bytePosition))
    {
        Fail(IsReading() ? "unexpected end of data" : "the movie is too large");
        return false;
    }
    SetBytePosition(m_bytePosition + 1);
    return true;
}

void C_SWF_BitStream::SerializeUI8(uint8_t& value)
{
    uint8_t byte = value;
    if (TransferByte(byte))
        value = byte;
}

bool C_SWF_BitStream::SerializeUI16(uint16_t& value)
{
    uint8_t low = static_cast<uint8_t>(value & 0xFF);
    uint8_t high = static_cast<uint8_t>(value >> 8);
    if (!TransferByte(low) || !TransferByte(high))
        return false;
    value = static_cast<uint16_t>(low | (high << 8));
    return true;
}

bool C_SWF_BitStream::SerializeSI16(int16_t& value)
{
    uint16_t bits = static_cast<uint16_t>(value);
    if (!SerializeUI16(bits))
        return false;
    value = static_cast<int16_t>(bits);
    return true;
}

void C_SWF_BitStream::SerializeUI32(uint32_t& value)
{
    uint8_t bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    for (uint8_t& byte : bytes)
        if (!TransferByte(byte))
            return;
    value = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

void C_SWF_BitStream::TransferBits(C_SWF_BitField& field, uint8_t width, bool isSigned)
{
    field.width = width;
    if (!Good())
        return;
    if (width > 32)
    {
        Fail("a bit field is wider than 32 bits");
        return;
    }
    if (IsWriting() && !(isSigned ? FitsSigned(field.value, width) : FitsUnsigned(field.value, width)))
    {
        Fail("a value does not fit its bit field");
        return;
    }
    if (width == 0)
    {
        field.value = 0;
        return;
    }
    if (IsReading() && (m_bitPosition + width + 7) / 8 > m_readLimit)
    {
        Fail("unexpected end of data");
        return;
    }
    uint64_t bit = m_bitPosition;
    bool ok;
    int32_t value = field.value;
    if (isSigned)
    {
        ok = m_file->TransferSB(value, bit, width);
    }
    else
    {
        uint32_t bits = static_cast<uint32_t>(value);
        ok = m_file->TransferUB(bits, bit, width);
        value = static_cast<int32_t>(bits);
    }
    if (!ok)
    {
        Fail(IsReading() ? "unexpected end of data" : "the movie is too large");
        return;
    }
    field.value = value;
    m_bitPosition = bit;
    AlignToByte();
}

void C_SWF_BitStream::SerializeUB(C_SWF_BitField& field, uint8_t width)
{
    TransferBits(field, width, false);
}

void C_SWF_BitStream::SerializeSB(C_SWF_BitField& field, uint8_t width)
{
    TransferBits(field, width, true);
}

void C_SWF_BitStream::SerializeFB(C_SWF_Fixed& field, uint8_t width)
{
    C_SWF_BitField raw{width, field.raw};
    if (IsWriting() && Good())
    {
        // 16.16: the integer part floor(value), then the truncated fraction.
        const double whole = std::floor(field.value);
        if (!std::isfinite(field.value) || std::fabs(whole) > INT32_MAX / kFixedOne)
        {
            Fail("a value does not fit its bit field");
            return;
        }
        const int64_t fraction = static_cast<int64_t>((field.value - whole) * kFixedOne);
        raw.value = static_cast<int32_t>(static_cast<int64_t>(whole) * 65536 + fraction);
    }
    SerializeSB(raw, width);
    field.width = width;
    if (!Good())
        return;
    field.raw = raw.value;
    if (IsReading())
        field.value = raw.value / kFixedOne;
}

void C_SWF_BitStream::SerializeUI8OrUI16(uint16_t& value, bool wide)
{
    if (wide)
    {
        SerializeUI16(value);
        return;
    }
    if (IsWriting() && value > UINT8_MAX)
    {
        Fail("a value does not fit its field");
        return;
    }
    uint8_t narrow = static_cast<uint8_t>(value);
    SerializeUI8(narrow);
    value = narrow;
}

void C_SWF_BitStream::SerializeUI16OrUI32(uint32_t& value, bool wide)
{
    if (wide)
    {
        SerializeUI32(value);
        return;
    }
    if (IsWriting() && value > UINT16_MAX)
    {
        Fail("a value does not fit its field");
        return;
    }
    uint16_t narrow = static_cast<uint16_t>(value);
    SerializeUI16(narrow);
    value = narrow;
}

void C_SWF_BitStream::SerializeString(C_SWF_String& text)
{
    if (IsWriting())
    {
        const auto zero = std::find(text.begin(), text.end(), uint8_t(0));
        if (zero == text.end() || zero + 1 != text.end())
        {
            Fail("a string must end with its one terminating zero");
            return;
        }
        for (uint8_t& byte : text)
            SerializeUI8(byte);
        return;
    }
    text.clear();
    uint8_t byte = 1;
    while (byte != 0 && TransferByte(byte))
        text.push_back(byte);
}

void C_SWF_BitStream::SerializeBytes(std::vector<uint8_t>& bytes, uint32_t count)
{
    if (IsReading())
    {
        bytes.clear();
        if (!CanHold(count, 8))
            return;
        bytes.resize(count);
    }
    for (uint8_t& byte : bytes)
        if (!TransferByte(byte))
            return;
}

void C_SWF_BitStream::SerializeCount8(uint8_t& count, size_t size)
{
    if (IsWriting())
    {
        if (size > UINT8_MAX)
        {
            Fail("a list is too long for its count field");
            return;
        }
        count = static_cast<uint8_t>(size);
    }
    SerializeUI8(count);
}

void C_SWF_BitStream::SerializeCount16(uint16_t& count, size_t size)
{
    if (IsWriting())
    {
        if (size > UINT16_MAX)
        {
            Fail("a list is too long for its count field");
            return;
        }
        count = static_cast<uint16_t>(size);
    }
    SerializeUI16(count);
}
