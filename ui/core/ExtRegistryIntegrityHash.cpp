#include "ui/core/ExtRegistryIntegrityHash.h"

namespace
{
constexpr DWORD HIGH_NIBBLE = 0xF0000000u;
constexpr int HIGH_NIBBLE_FOLD = 24;
constexpr int BYTE_SHIFT = 4;
} // namespace

void CExtRegistryIntegrityHash::Reset()
{
    m_nPosition = 0;
    for (DWORD& h : m_accumulators)
        h = 0;
}

void CExtRegistryIntegrityHash::Update(const BYTE* pBytes, size_t nCount)
{
    for (size_t i = 0; i < nCount; ++i)
    {
        DWORD h = (m_accumulators[m_nPosition] << BYTE_SHIFT) + pBytes[i];
        if (const DWORD g = h & HIGH_NIBBLE; g != 0)
            h = h ^ (g >> HIGH_NIBBLE_FOLD) ^ g;
        m_accumulators[m_nPosition] = h;
        m_nPosition = (m_nPosition + 1) % ACCUMULATORS;
    }
}

CString CExtRegistryIntegrityHash::Format() const
{
    CString text;
    for (int i = 0; i < ACCUMULATORS; ++i)
    {
        const DWORD h = m_accumulators[i];
        text.AppendFormat("%s%02X %02X %02X %02X", i == 0 ? "" : " ", (h >> 24) & 0xFF, (h >> 16) & 0xFF,
                          (h >> 8) & 0xFF, h & 0xFF);
    }
    return text;
}
