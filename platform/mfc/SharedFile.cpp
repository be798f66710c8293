#include "platform/mfc/SharedFile.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes) : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags) {}

HGLOBAL CSharedFile::Detach()
{
    const SIZE_T nLength = SIZE_T(GetLength());
    HGLOBAL hMem = nLength ? ::GlobalAlloc(m_nAllocFlags, nLength) : nullptr;
    if (hMem) {
        if (void* p = ::GlobalLock(hMem)) {
            std::memcpy(p, GetData(), nLength);
            ::GlobalUnlock(hMem);
        } else {
            ::GlobalFree(hMem);
            hMem = nullptr;
        }
    }
    Close();
    return hMem;
}
