#include "platform/mfc/DockState.h"

#include "platform/mfc/Archive.h"

IMPLEMENT_SERIAL(CDockState, CObject, 0)

CControlBarInfo::CControlBarInfo() = default;

void CControlBarInfo::Serialize(CArchive&, CDockState*) {}

CDockState::~CDockState() { Clear(); }

void CDockState::Serialize(CArchive&) {}

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
}
