#pragma once
// A memory file whose contents can be handed over as a global memory block (clipboard and
// drag-and-drop data).
#include "platform/mfc/MemFile.h"

class CSharedFile : public CMemFile
{
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override = default;

    // Closes the file and returns a global block of the written length allocated with the
    // file's flags (the caller owns it), or null when the file is empty or memory runs out.
    HGLOBAL Detach();

private:
    UINT m_nAllocFlags;
};
