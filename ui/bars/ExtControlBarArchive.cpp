// The bar-state archive byte by byte, the checks a loaded layout passes before anything is
// applied, and its storage in the registry.
#include "ui/bars/ExtControlBarState.h"

#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtRegistryArchiver.h"

#include "platform/mfc/Archive.h"
#include "platform/mfc/ArchiveException.h"
#include "platform/mfc/Exception.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/MemFile.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace
{
constexpr char HEADER_FORMAT[] = "Dade-ZAD (v. %s) control bar state";
constexpr char PLACEMENT_FORMAT[] = "%d,%d,%d,%d,%d,%d";
// The same six numbers, and how far they reach in the text.
constexpr char PLACEMENT_PARSE_FORMAT[] = "%d,%d,%d,%d,%d,%d%n";
constexpr char BAR_STATE_SECTION[] = "ControlBar";
constexpr int RESERVED_WORDS = 4;
constexpr int ARCHIVE_BUFFER_SIZE = 4096;
constexpr UINT STREAM_GROW_BYTES = 1024;
constexpr UINT IDLE_PROMPT = 0xE001;
constexpr WORD BUSY_STORING = 0;
constexpr WORD BUSY_LOADING = 1;
// No saved size or coordinate lies beyond what a window can have.
constexpr LONG MAX_EXTENT = 0x7FFF;

using StateBar = CExtControlBar::InternalDockStateBar;

// Moves one value in the archive's direction.
template <typename T>
void Exchange(CArchive& ar, T& value)
{
    if (ar.IsStoring())
        ar << value;
    else
        ar >> value;
}

void ExchangePair(CArchive& ar, LONG& a, LONG& b)
{
    Exchange(ar, a);
    Exchange(ar, b);
}
void Exchange(CArchive& ar, CPoint& pt) { ExchangePair(ar, pt.x, pt.y); }
void Exchange(CArchive& ar, CSize& size) { ExchangePair(ar, size.cx, size.cy); }
void Exchange(CArchive& ar, RECT& rc)
{
    ExchangePair(ar, rc.left, rc.top);
    ExchangePair(ar, rc.right, rc.bottom);
}

void ThrowBadArchive()
{
    AfxThrowArchiveException(CArchiveException::genericException, nullptr);
}

bool IsSaneSize(const SIZE& size)
{
    return size.cx >= 0 && size.cy >= 0 && size.cx <= MAX_EXTENT && size.cy <= MAX_EXTENT;
}
bool IsSaneCoordinate(LONG value)
{
    return value >= -MAX_EXTENT && value <= MAX_EXTENT;
}
bool IsSanePoint(const POINT& pt)
{
    return IsSaneCoordinate(pt.x) && IsSaneCoordinate(pt.y);
}
// Ordered corners inside the coordinate range.
bool IsSaneRect(const RECT& rc)
{
    return IsSanePoint({rc.left, rc.top}) && IsSanePoint({rc.right, rc.bottom}) && rc.left <= rc.right &&
           rc.top <= rc.bottom;
}

bool IsDockBarId(DWORD nId)
{
    return nId >= CExtControlBar::DOCKBAR_TOP && nId <= CExtControlBar::DOCKBAR_FLOAT;
}

// The rectangle moved (and if need be shrunk) into the work area of the nearest monitor when it
// lies on none.
void BringOntoMonitor(RECT& rc)
{
    if (::MonitorFromRect(&rc, MONITOR_DEFAULTTONULL) != nullptr)
        return;
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!::GetMonitorInfoA(::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &mi))
        return;
    const RECT& area = mi.rcWork;
    const LONG cx = std::min(rc.right - rc.left, area.right - area.left);
    const LONG cy = std::min(rc.bottom - rc.top, area.bottom - area.top);
    rc.left = std::clamp(rc.left, area.left, area.right - cx);
    rc.top = std::clamp(rc.top, area.top, area.bottom - cy);
    rc.right = rc.left + cx;
    rc.bottom = rc.top + cy;
}

// A floating position given as a point: the window it names is kept on a monitor.
void BringOntoMonitor(POINT& pt, const SIZE& size)
{
    RECT rc{pt.x, pt.y, pt.x + std::max<LONG>(size.cx, 1), pt.y + std::max<LONG>(size.cy, 1)};
    BringOntoMonitor(rc);
    pt = {rc.left, rc.top};
}

int CountRecords(const CArray<StateBar*, StateBar*>& records)
{
    int nCount = 0;
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        nCount += 1 + CountRecords(records[i]->m_arrChildren);
    return nCount;
}

// The checks of one record tree; every record's id goes into ids.
bool IsSaneRecord(const StateBar& record, bool bChild, int nRecordCount, std::set<DWORD>& ids)
{
    // A frame rebuilds plain bars and containers; tabbed groups come with their own windows,
    // which this frame does not have.
    const DWORD kind = record.GetKind();
    if (kind != StateBar::KIND_PLAIN && kind != StateBar::KIND_CONTAINER)
        return false;
    if (kind == StateBar::KIND_PLAIN && record.m_arrChildren.GetSize() != 0)
        return false;
    if (bChild != ((record.m_dwRecordFlags & StateBar::FLAG_CHILD) != 0))
        return false;
    if (!IsDockBarId(record.m_nDockBarID) || record.m_nRing > static_cast<DWORD>(nRecordCount))
        return false;
    // A top-level record either floats as a container or sits in an inner ring of a side.
    if (!bChild) {
        const bool bFloating = (record.m_dwRecordFlags & StateBar::FLAG_FLOATING) != 0;
        if (bFloating ? kind != StateBar::KIND_CONTAINER
                      : record.m_nRing < 1 || record.m_nDockBarID == CExtControlBar::DOCKBAR_FLOAT)
            return false;
    }
    if (record.m_nMRUWidth > static_cast<DWORD>(MAX_EXTENT) || record.m_nReclaimExtent > static_cast<DWORD>(MAX_EXTENT))
        return false;
    if (!IsSaneSize(record.m_sizeDockedHorz) || !IsSaneSize(record.m_sizeDockedVert) ||
        !IsSaneSize(record.m_sizeFloating))
        return false;
    if (!IsSanePoint(record.m_ptFloatPos) || !IsSanePoint(record.m_ptMRUFloatPos) ||
        !IsSaneRect(record.m_rcMRUDockPos) || !IsSaneRect(record.m_rcFloatFrame) || !IsSaneRect(record.m_rcInDockBar))
        return false;
    // Containers share one id: only a plain bar may not come twice.
    if (kind == StateBar::KIND_PLAIN && !ids.insert(record.m_nBarID).second)
        return false;
    for (INT_PTR i = 0; i < record.m_arrChildren.GetSize(); ++i)
        if (!IsSaneRecord(*record.m_arrChildren[i], true, nRecordCount, ids))
            return false;
    return true;
}

enum class BarMatch
{
    Missing,
    Fits,
    Wrong
};

// A plain record must name a resizable framework bar of the frame; containers and groups are
// made anew, so their ids need no bar.
BarMatch MatchRecord(CFrameWnd* pFrame, const StateBar& record)
{
    if (record.GetKind() != StateBar::KIND_PLAIN)
        return BarMatch::Fits;
    CControlBar* pBar = pFrame->GetControlBar(record.m_nBarID);
    if (pBar == nullptr)
        return BarMatch::Missing;
    auto* pExtBar = dynamic_cast<CExtControlBar*>(pBar);
    return pExtBar != nullptr && !pExtBar->IsFixedSizeBar() ? BarMatch::Fits : BarMatch::Wrong;
}

// Drops the records of bars the frame lacks, and containers left empty by that; false when a
// record names a bar of the wrong sort.
bool PruneRecords(CFrameWnd* pFrame, CArray<StateBar*, StateBar*>& records)
{
    for (INT_PTR i = records.GetSize() - 1; i >= 0; --i) {
        StateBar* pRecord = records[i];
        const BarMatch match = MatchRecord(pFrame, *pRecord);
        if (match == BarMatch::Wrong)
            return false;
        if (!PruneRecords(pFrame, pRecord->m_arrChildren))
            return false;
        if (match == BarMatch::Missing || (pRecord->IsContainerKind() && pRecord->m_arrChildren.GetSize() == 0)) {
            pRecord->Clear();
            delete pRecord;
            records.RemoveAt(i);
        }
    }
    return true;
}

// The first bar of a row never carries a row break of its own.
void NormaliseRowBreaks(CArray<StateBar*, StateBar*>& records)
{
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        NormaliseRowBreaks(records[i]->m_arrChildren);
    if (records.GetSize() > 0 && (records[0]->m_dwRecordFlags & StateBar::FLAG_CHILD) != 0)
        records[0]->m_dwRecordFlags &= ~StateBar::FLAG_NEW_ROW;
}

// The placement of the frame's top-level window, without minimised or maximised position.
bool ReadFramePlacement(CFrameWnd* pFrame, WINDOWPLACEMENT& wp)
{
    CWnd* pTop = CExtControlBar::GetTopLevelNonChild(pFrame);
    ::ZeroMemory(&wp, sizeof wp);
    wp.length = sizeof wp;
    if (pTop == nullptr || !::GetWindowPlacement(pTop->GetSafeHwnd(), &wp))
        return false;
    wp.ptMinPosition = wp.ptMaxPosition = {0, 0};
    return true;
}

// The placement every load starts from: the frame's own, shown or hidden as it stands.
void NormaliseFramePlacement(CFrameWnd* pFrame, WINDOWPLACEMENT& wp)
{
    if (!ReadFramePlacement(pFrame, wp))
        return;
    CWnd* pTop = CExtControlBar::GetTopLevelNonChild(pFrame);
    wp.showCmd = (pTop->GetStyle() & WS_VISIBLE) != 0 ? SW_SHOWNA : SW_HIDE;
    ::SetWindowPlacement(pTop->GetSafeHwnd(), &wp);
}

bool HasCommandProfile(CFrameWnd* pFrame)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr || g_CmdManager.operator->() == nullptr)
        return false;
    LPCSTR lpszProfile = g_CmdManager->FindProfileNameForWindow(pFrame->GetSafeHwnd());
    return lpszProfile != nullptr && *lpszProfile != '\0';
}
}  // namespace

// Placement of a fixed-size bar ------------------------------------------------------------------

void CExtControlBar::FixedBarPlacement_t::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(IsEmpty() ? 1 : 0);
        if (IsEmpty())
            return;
    } else {
        Reset();
        WORD wEmpty = 0;
        ar >> wEmpty;
        if (wEmpty != 0)
            return;
    }
    Exchange(ar, m_dwHasPlacement);
    Exchange(ar, m_rcPreferred);
    ExchangePair(ar, m_sizePreferred.cx, m_sizePreferred.cy);
    Exchange(ar, m_dwPriority);
}

// Outer items -------------------------------------------------------------------------------------

void CExtControlBar::OuterItemData_t::Serialize(CArchive& ar)
{
    WORD wFloating = m_bFloating ? 1 : 0;
    if (ar.IsLoading()) {
        m_nBarID = 0;
        m_ptFloatPos = CPoint(0, 0);
        m_sizeDockedHorz = m_sizeDockedVert = m_sizeFloating = CSize(0, 0);
        m_placement.Reset();
        m_bFloating = false;
    }
    Exchange(ar, wFloating);
    m_bFloating = (wFloating & 1) != 0;
    Exchange(ar, m_nBarID);
    Exchange(ar, m_ptFloatPos);
    Exchange(ar, m_sizeDockedHorz);
    Exchange(ar, m_sizeDockedVert);
    Exchange(ar, m_sizeFloating);
    m_placement.Serialize(ar);
}

// Bar records -------------------------------------------------------------------------------------

void CExtControlBar::InternalDockStateBar::Serialize(CArchive& ar)
{
    SerializeNested(ar, MAX_NESTING);
}

void CExtControlBar::InternalDockStateBar::SerializeNested(CArchive& ar, int nLevelsLeft)
{
    if (nLevelsLeft <= 0)
        ThrowBadArchive();
    if (ar.IsLoading())
        Clear();
    for (DWORD* pValue : {&m_nBarID, &m_nDockBarID, &m_nRing, &m_nMRUWidth, &m_dwBarStyle, &m_dwRecordFlags,
                          &m_dwMRUFloatStyle})
        Exchange(ar, *pValue);
    Exchange(ar, m_ptFloatPos);
    Exchange(ar, m_ptMRUFloatPos);
    Exchange(ar, m_rcMRUDockPos);
    Exchange(ar, m_rcFloatFrame);
    Exchange(ar, m_dwFloatFrameStyle);
    Exchange(ar, m_nReclaimExtent);
    Exchange(ar, m_rcInDockBar);
    Exchange(ar, m_sizeDockedHorz);
    Exchange(ar, m_sizeDockedVert);
    Exchange(ar, m_sizeFloating);

    DWORD nChildren = static_cast<DWORD>(m_arrChildren.GetSize());
    Exchange(ar, nChildren);
    if (ar.IsStoring()) {
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i)
            m_arrChildren[i]->SerializeNested(ar, nLevelsLeft - 1);
        return;
    }
    // The stored count is not trusted to size anything: a cut archive ends the loop by throwing.
    if (static_cast<LONG>(nChildren) <= 0)
        return;
    for (DWORD i = 0; i < nChildren; ++i) {
        auto* pChild = new InternalDockStateBar;
        m_arrChildren.Add(pChild);
        pChild->SerializeNested(ar, nLevelsLeft - 1);
    }
}

// The site ----------------------------------------------------------------------------------------

CExtControlBar::InternalDockStateSite::InternalDockStateSite(CFrameWnd* pFrame, bool bFixedBars, bool bResizableBars)
    : m_nFlags((bFixedBars ? FLAG_FIXED : 0) | (bResizableBars ? FLAG_RESIZABLE : 0)),
      m_pFrame(pFrame),
      m_wp(),
      m_pDockState(new CDockState)
{
    m_wp.length = sizeof m_wp;
}

CExtControlBar::InternalDockStateSite::~InternalDockStateSite()
{
    Clear();
    delete m_pDockState;
}

void CExtControlBar::InternalDockStateSite::Clear()
{
    ::ZeroMemory(&m_wp, sizeof m_wp);
    m_wp.length = sizeof m_wp;
    m_pDockState->Clear();
    for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); ++i) {
        m_arrBarStates[i]->Clear();
        delete m_arrBarStates[i];
    }
    m_arrBarStates.RemoveAll();
    m_arrAutoHiddenIds.RemoveAll();
    m_arrOuterItems.RemoveAll();
}

void CExtControlBar::InternalDockStateSite::SerializePlacement(CArchive& ar)
{
    CString text;
    if (ar.IsStoring()) {
        const RECT& rc = m_wp.rcNormalPosition;
        text.Format(PLACEMENT_FORMAT, static_cast<int>(rc.left), static_cast<int>(rc.top), static_cast<int>(rc.right),
                    static_cast<int>(rc.bottom), static_cast<int>(m_wp.showCmd), static_cast<int>(m_wp.flags));
        ar << text;
        return;
    }
    ar >> text;
    ReadFramePlacement(m_pFrame, m_wp);
    int values[6] = {};
    int nConsumed = 0;
    const int nParsed = std::sscanf(text.GetString(), PLACEMENT_PARSE_FORMAT, &values[0], &values[1], &values[2],
                                    &values[3], &values[4], &values[5], &nConsumed);
    // Six numbers and nothing after them; a shorter or longer text is no placement.
    if (nParsed < 6 || text.GetString()[nConsumed] != '\0') {
        ::ZeroMemory(&m_wp, sizeof m_wp);
        m_wp.length = sizeof m_wp;
        ThrowBadArchive();
    }
    m_wp.ptMinPosition = m_wp.ptMaxPosition = {0, 0};
    m_wp.rcNormalPosition = {values[0], values[1], values[2], values[3]};
    m_wp.showCmd = static_cast<UINT>(values[4]);
    m_wp.flags = static_cast<UINT>(values[5]);
}

void CExtControlBar::InternalDockStateSite::Serialize(CArchive& ar)
{
    CString header;
    DWORD dwLongVersion = GetLibraryVersion(false);
    DWORD dwShortVersion = GetLibraryVersion(true);
    if (ar.IsStoring()) {
        CString version;
        GetLibraryVersionString(version, '.');
        header.Format(HEADER_FORMAT, version.GetString());
        ar << header;
    } else {
        Clear();
        ar >> header;
    }
    Exchange(ar, dwLongVersion);
    Exchange(ar, dwShortVersion);
    if (dwShortVersion != LIBRARY_VERSION_SHORT)
        ThrowBadArchive();
    for (int i = 0; i < RESERVED_WORDS; ++i) {
        DWORD dwReserved = 0;
        Exchange(ar, dwReserved);
    }
    SerializePlacement(ar);

    if ((m_nFlags & FLAG_FIXED) != 0) {
        m_pDockState->Serialize(ar);
        DWORD nItems = static_cast<DWORD>(m_arrOuterItems.GetSize());
        Exchange(ar, nItems);
        if (ar.IsStoring()) {
            for (INT_PTR i = 0; i < m_arrOuterItems.GetSize(); ++i)
                m_arrOuterItems[i].Serialize(ar);
        } else {
            for (DWORD i = 0; i < nItems; ++i) {
                OuterItemData_t item;
                item.Serialize(ar);
                m_arrOuterItems.Add(item);
            }
        }
    }
    if ((m_nFlags & FLAG_RESIZABLE) == 0)
        return;
    DWORD nRecords = static_cast<DWORD>(m_arrBarStates.GetSize());
    Exchange(ar, nRecords);
    if (ar.IsStoring()) {
        for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); ++i)
            m_arrBarStates[i]->Serialize(ar);
    } else {
        for (DWORD i = 0; i < nRecords; ++i) {
            auto* pRecord = new InternalDockStateBar;
            m_arrBarStates.Add(pRecord);
            pRecord->Serialize(ar);
        }
    }
    DWORD nHidden = static_cast<DWORD>(m_arrAutoHiddenIds.GetSize());
    Exchange(ar, nHidden);
    for (DWORD i = 0; i < nHidden; ++i) {
        DWORD nId = ar.IsStoring() ? m_arrAutoHiddenIds[i] : 0;
        Exchange(ar, nId);
        if (ar.IsLoading())
            m_arrAutoHiddenIds.Add(nId);
    }
}

bool CExtControlBar::InternalDockStateSite::Validate()
{
    // The window placement.
    if (!IsSaneRect(m_wp.rcNormalPosition))
        return false;
    if (m_wp.showCmd != SW_SHOWNORMAL && m_wp.showCmd != SW_SHOWMAXIMIZED)
        m_wp.showCmd = SW_SHOWNORMAL;
    BringOntoMonitor(m_wp.rcNormalPosition);

    // The fixed-size part.
    std::set<DWORD> outerIds;
    for (INT_PTR i = m_arrOuterItems.GetSize() - 1; i >= 0; --i) {
        OuterItemData_t& item = m_arrOuterItems[i];
        if (!outerIds.insert(item.m_nBarID).second)
            return false;
        if (!IsSanePoint(item.m_ptFloatPos) || !IsSaneSize(item.m_sizeDockedHorz) ||
            !IsSaneSize(item.m_sizeDockedVert) || !IsSaneSize(item.m_sizeFloating))
            return false;
        if (!item.m_placement.IsEmpty() &&
            (!IsSaneRect(item.m_placement.m_rcPreferred) || !IsSaneSize(item.m_placement.m_sizePreferred)))
            return false;
        if (dynamic_cast<CExtControlBar*>(m_pFrame->GetControlBar(item.m_nBarID)) == nullptr) {
            m_arrOuterItems.RemoveAt(i);
            continue;
        }
        if (item.m_bFloating)
            BringOntoMonitor(item.m_ptFloatPos, item.m_sizeFloating);
    }
    for (INT_PTR i = 0; i < m_pDockState->m_arrBarInfo.GetSize(); ++i) {
        auto* pInfo = static_cast<CControlBarInfo*>(m_pDockState->m_arrBarInfo[i]);
        if (!IsSanePoint(pInfo->m_pointPos) || !IsSanePoint(pInfo->m_ptMRUFloatPos))
            return false;
        if (pInfo->m_bFloating)
            BringOntoMonitor(pInfo->m_pointPos, CSize(1, 1));
    }

    // The resizable part: sane records, no bar twice, no deeper nesting than the frame has bars.
    const int nRecords = CountRecords(m_arrBarStates);
    const int nFrameBars = static_cast<int>(m_pFrame->m_listControlBars.GetCount());
    std::set<DWORD> ids;
    for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); ++i) {
        const StateBar& record = *m_arrBarStates[i];
        if (!IsSaneRecord(record, false, nRecords, ids) || record.GetDepth() > std::max(nFrameBars, 1))
            return false;
    }
    if (!PruneRecords(m_pFrame, m_arrBarStates))
        return false;
    NormaliseRowBreaks(m_arrBarStates);
    for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); ++i) {
        StateBar& record = *m_arrBarStates[i];
        if ((record.m_dwRecordFlags & StateBar::FLAG_FLOATING) != 0)
            BringOntoMonitor(record.m_rcFloatFrame);
    }
    for (INT_PTR i = m_arrAutoHiddenIds.GetSize() - 1; i >= 0; --i)
        if (dynamic_cast<CExtControlBar*>(m_pFrame->GetControlBar(m_arrAutoHiddenIds[i])) == nullptr)
            m_arrAutoHiddenIds.RemoveAt(i);
    return true;
}

// Frame-level operations --------------------------------------------------------------------------

void CExtControlBar::BuildBarStateKeyPath(LPCSTR lpszProductName, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName,
                                          CString& strOut)
{
    BuildUiStateRegistryPath(strOut, BAR_STATE_SECTION, lpszProfileName, lpszRegistryKey, lpszProductName);
}

bool CExtControlBar::IsFrameBarStateBusy(CFrameWnd* pFrame, bool* pbLoading)
{
    WORD wValue = 0;
    if (pFrame == nullptr || !g_mapFramesBarStateBusy.Lookup(pFrame, wValue))
        return false;
    if (pbLoading != nullptr)
        *pbLoading = wValue != BUSY_STORING;
    return true;
}

bool CExtControlBar::SerializeFrameBarState(CArchive& ar, CFrameWnd* pFrame, WINDOWPLACEMENT* pFrameWp,
                                            bool bFixedBars, bool bResizableBars)
{
    if (pFrame == nullptr || IsFrameBarStateBusy(pFrame, nullptr))
        return false;
    const bool bLoading = ar.IsLoading() != FALSE;
    g_mapFramesBarStateBusy.SetAt(pFrame, bLoading ? BUSY_LOADING : BUSY_STORING);
    bool bResult = false;
    try {
        InternalDockStateSite site(pFrame, bFixedBars, bResizableBars);
        if (bLoading) {
            NormaliseFramePlacement(pFrame, site.m_wp);
            // Everything is read and checked before the first bar moves.
            site.Serialize(ar);
            if (!site.Validate())
                ThrowBadArchive();
            site.Apply(pFrameWp != nullptr);
        } else {
            site.Capture();
            if (site.m_wp.showCmd == SW_SHOWMINIMIZED)
                site.m_wp.showCmd =
                    (site.m_wp.flags & WPF_RESTORETOMAXIMIZED) != 0 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
            site.Serialize(ar);
            SetFrameStatusMessage(pFrame, IDLE_PROMPT);
        }
        if (pFrameWp != nullptr)
            *pFrameWp = site.m_wp;
        for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
            auto* pBar = dynamic_cast<CExtControlBar*>(static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
            if (pBar != nullptr && (pBar->IsFixedSizeBar() ? bFixedBars : bResizableBars))
                pBar->OnBarHook(bLoading ? FALSE : TRUE);
        }
        bResult = true;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    if (bLoading)
        RefreshControlContainerFlags(pFrame);
    g_mapFramesBarStateBusy.RemoveKey(pFrame);
    return bResult;
}

bool CExtControlBar::LoadFrameBarState(CFrameWnd* pFrame, LPCSTR lpszRegistryKey, LPCSTR lpszProductName,
                                       LPCSTR lpszProfileName, WINDOWPLACEMENT* pFrameWp, bool bFixedBars,
                                       bool bResizableBars)
{
    if (!HasCommandProfile(pFrame))
        return false;
    try {
        CString path;
        BuildBarStateKeyPath(lpszProductName, lpszRegistryKey, lpszProfileName, path);
        CMemFile file(STREAM_GROW_BYTES);
        if (!ReadStreamFromRegistry(file, path, HKEY_CURRENT_USER)) {
            WINDOWPLACEMENT wp{};
            NormaliseFramePlacement(pFrame, wp);
            return false;
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, ARCHIVE_BUFFER_SIZE);
        return SerializeFrameBarState(ar, pFrame, pFrameWp, bFixedBars, bResizableBars);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return false;
}

bool CExtControlBar::SaveFrameBarState(CFrameWnd* pFrame, LPCSTR lpszRegistryKey, LPCSTR lpszProductName,
                                       LPCSTR lpszProfileName, WINDOWPLACEMENT* pFrameWp, bool bFixedBars,
                                       bool bResizableBars)
{
    if (!HasCommandProfile(pFrame))
        return false;
    try {
        CString path;
        BuildBarStateKeyPath(lpszProductName, lpszRegistryKey, lpszProfileName, path);
        CMemFile file(STREAM_GROW_BYTES);
        {
            CArchive ar(&file, CArchive::store, ARCHIVE_BUFFER_SIZE);
            // A layout that could not be written whole must not replace the stored one.
            if (!SerializeFrameBarState(ar, pFrame, pFrameWp, bFixedBars, bResizableBars)) {
                ar.Abort();
                return false;
            }
            ar.Close();
        }
        return WriteStreamToRegistry(file, path, HKEY_CURRENT_USER);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return false;
}
