#pragma once
// The integrity text of a registry archive: the ELF string hash run on four interleaved byte
// streams, printed as sixteen hexadecimal byte pairs.
#include "platform/mfc/Afx.h"
#include "platform/mfc/String.h"

class CExtRegistryIntegrityHash
{
public:
    static constexpr int ACCUMULATORS = 4;
    // 16 pairs and 15 spaces.
    static constexpr int TEXT_LENGTH = 47;

    void Reset();
    void Update(const BYTE* pBytes, size_t nCount);
    CString Format() const;

private:
    int m_nPosition = 0;
    DWORD m_accumulators[ACCUMULATORS] = {};
};
