#include "platform/mfc/ArchiveException.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace
{
constexpr const char* kCauseTexts[] = {
    "No error occurred",
    "An unexpected error occurred",
    "There was an attempt to write to an archive opened for loading",
    "An unexpected end of file was reached",
    "There was an attempt to read from an archive opened for storing",
    "The file has an invalid format",
    "The file contains an unexpected object",
    "The file contains an object of an unsupported version",
};
}

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    int nCause = m_cause >= none && m_cause <= badSchema ? m_cause : genericException;
    std::snprintf(lpszError, nMaxError, "%s.", kCauseTexts[nCause]);
    return TRUE;
}

void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
