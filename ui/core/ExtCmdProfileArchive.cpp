// A command profile's usage statistics in an archive and in the registry.
#include "ui/core/ExtCmdProfile.h"

#include "platform/mfc/Archive.h"
#include "platform/mfc/Exception.h"
#include "platform/mfc/MemFile.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtRegistryArchiver.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace
{
constexpr char HEADER_FORMAT[] = "Dade-ZAD (v. %s) command profile";
constexpr int RESERVED_WORDS = 4;
constexpr DWORD END_MARK = 0;
constexpr UINT STREAM_GROW_BYTES = 1024;
constexpr int ARCHIVE_BUFFER_SIZE = 4096;
} // namespace

bool CExtCmdProfile::ArchiveProfile(CArchive& ar)
{
    try
    {
        if (ar.IsStoring())
        {
            CString version, header;
            GetLibraryVersionString(version);
            header.Format(HEADER_FORMAT, version.GetString());
            ar << header;
            ar << GetLibraryVersion(false) << GetLibraryVersion(true);
            for (int i = 0; i < RESERVED_WORDS; ++i)
                ar << DWORD{0};
            ar << static_cast<DWORD>(m_nTotalTickCount);
            for (const auto& entry : m_cmds)
                if (entry.second->IsUsageSaved())
                    ar << static_cast<DWORD>(entry.first) << static_cast<DWORD>(entry.second->m_nUsageTickCount);
            ar << END_MARK;
            return true;
        }
        CString header;
        DWORD dwLongVersion = 0, dwShortVersion = 0, dwReserved = 0, dwTotal = 0;
        ar >> header >> dwLongVersion >> dwShortVersion;
        if (dwShortVersion != LIBRARY_VERSION_SHORT)
            return false;
        for (int i = 0; i < RESERVED_WORDS; ++i)
            ar >> dwReserved;
        ar >> dwTotal;
        // Nothing changes until the end mark has been read: a cut stream leaves the profile as it was.
        std::vector<std::pair<UINT, UINT>> counters;
        for (;;)
        {
            DWORD dwCmdId = 0, dwCount = 0;
            ar >> dwCmdId;
            if (dwCmdId == END_MARK)
                break;
            ar >> dwCount;
            counters.emplace_back(dwCmdId, dwCount);
        }
        for (const auto& [nCmdId, nCount] : counters)
            if (CExtCmdItem* pItem = FindCommand(nCmdId))
                pItem->m_nUsageTickCount = nCount;
        ULONGLONG nSum = 0;
        for (const auto& entry : m_cmds)
            nSum += entry.second->m_nUsageTickCount;
        // A total below the counters' sum would make shares above 100 per cent.
        m_nTotalTickCount = static_cast<UINT>(std::min<ULONGLONG>(std::max<ULONGLONG>(dwTotal, nSum),
                                                                  CExtCmdItem::USAGE_TOTAL_LIMIT - 1));
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}

bool CExtCmdProfile::ArchiveToRegistry(LPCSTR lpszCompany, LPCSTR lpszProduct, bool bSave)
{
    try
    {
        CMemFile stream(STREAM_GROW_BYTES);
        if (bSave)
        {
            CArchive ar(&stream, CArchive::store, ARCHIVE_BUFFER_SIZE);
            if (!ArchiveProfile(ar))
                return false;
            ar.Flush();
            ar.Close();
            stream.SeekToBegin();
            return WriteProfileStreamToRegistry(lpszCompany, m_sName, stream, lpszProduct);
        }
        if (!ReadProfileStreamFromRegistry(lpszCompany, m_sName, stream, lpszProduct))
            return false;
        stream.SeekToBegin();
        CArchive ar(&stream, CArchive::load, ARCHIVE_BUFFER_SIZE);
        return ArchiveProfile(ar);
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}
