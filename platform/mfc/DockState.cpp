#include "platform/mfc/DockState.h"

#include "platform/mfc/Archive.h"
#include "platform/mfc/ArchiveException.h"

#include <memory>

namespace
{
constexpr DWORD kDockStateVersion = 1;
// Bits of a record's flag byte.
constexpr BYTE kVisible = 0x01;
constexpr BYTE kFloating = 0x02;
constexpr BYTE kHorz = 0x04;
constexpr BYTE kDockBar = 0x08;
constexpr BYTE kDocking = 0x10;
constexpr BYTE kKnownFlags = kVisible | kFloating | kHorz | kDockBar | kDocking;

void SerializeFlag(BYTE& byFlags, BYTE byBit, BOOL& bValue, bool bStoring)
{
    if (bStoring)
        byFlags |= bValue ? byBit : 0;
    else
        bValue = (byFlags & byBit) != 0;
}

template <typename T>
void SerializeValue(CArchive& ar, T& value)
{
    if (ar.IsStoring())
        ar << value;
    else
        ar >> value;
}
}

IMPLEMENT_SERIAL(CDockState, CObject, 0)

CControlBarInfo::CControlBarInfo() = default;

void CControlBarInfo::Serialize(CArchive& ar, CDockState*)
{
    const bool bStoring = ar.IsStoring() != FALSE;
    DWORD dwID = m_nBarID;
    SerializeValue(ar, dwID);
    m_nBarID = dwID;
    BYTE byFlags = 0;
    if (!bStoring)
        ar >> byFlags;
    SerializeFlag(byFlags, kVisible, m_bVisible, bStoring);
    SerializeFlag(byFlags, kFloating, m_bFloating, bStoring);
    SerializeFlag(byFlags, kHorz, m_bHorz, bStoring);
    SerializeFlag(byFlags, kDockBar, m_bDockBar, bStoring);
    SerializeFlag(byFlags, kDocking, m_bDocking, bStoring);
    if (bStoring)
        ar << byFlags;
    else if (byFlags & ~kKnownFlags)
        AfxThrowArchiveException(CArchiveException::badSchema);
    SerializeValue(ar, m_pointPos);
    DWORD dwMRUWidth = m_nMRUWidth;
    SerializeValue(ar, dwMRUWidth);
    m_nMRUWidth = dwMRUWidth;
    if (m_bDocking)
    {
        DWORD dwDockID = m_uMRUDockID;
        SerializeValue(ar, dwDockID);
        m_uMRUDockID = dwDockID;
        SerializeValue(ar, m_rectMRUDockPos);
        SerializeValue(ar, m_dwMRUFloatStyle);
        SerializeValue(ar, m_ptMRUFloatPos);
    }
    if (!m_bDockBar)
        return;
    // A dock bar's rows: the count is checked by reading, never trusted for an allocation.
    DWORD dwCount = static_cast<DWORD>(m_arrBarID.GetSize());
    SerializeValue(ar, dwCount);
    if (bStoring)
    {
        for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i)
            ar << static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_arrBarID[i]));
        return;
    }
    m_arrBarID.RemoveAll();
    for (DWORD i = 0; i < dwCount; ++i)
    {
        DWORD dwBarID = 0;
        ar >> dwBarID;
        m_arrBarID.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(dwBarID)));
    }
}

CDockState::~CDockState() { Clear(); }

void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << kDockStateVersion << static_cast<DWORD>(m_arrBarInfo.GetSize());
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
            static_cast<CControlBarInfo*>(m_arrBarInfo[i])->Serialize(ar, this);
        return;
    }
    Clear();
    DWORD dwVersion = 0;
    DWORD dwCount = 0;
    ar >> dwVersion >> dwCount;
    if (dwVersion != kDockStateVersion)
        AfxThrowArchiveException(CArchiveException::badSchema);
    // Records are kept only when all of them were read.
    CPtrArray arrLoaded;
    try
    {
        for (DWORD i = 0; i < dwCount; ++i)
        {
            auto pInfo = std::make_unique<CControlBarInfo>();
            pInfo->Serialize(ar, this);
            arrLoaded.Add(pInfo.release());
        }
    }
    catch (...)
    {
        for (INT_PTR i = 0; i < arrLoaded.GetSize(); ++i)
            delete static_cast<CControlBarInfo*>(arrLoaded[i]);
        throw;
    }
    m_arrBarInfo.Append(arrLoaded);
}

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
}
