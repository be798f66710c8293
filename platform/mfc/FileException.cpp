#include "platform/mfc/FileException.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CFileException, CException)

namespace
{
constexpr const char* kCauseTexts[] = {
    "No error occurred",
    "An unspecified error occurred",
    "The file could not be located",
    "All or part of the path is invalid",
    "The permitted number of open files was exceeded",
    "The file could not be accessed",
    "There was an attempt to use an invalid file handle",
    "The current working directory cannot be removed",
    "There are no more directory entries",
    "There was an error trying to set the file pointer",
    "There was a hardware error",
    "A sharing violation occurred",
    "A locking violation occurred",
    "The disk is full",
    "The end of file was reached",
};
}

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    int nCause = m_cause >= none && m_cause <= endOfFile ? m_cause : genericException;
    const char* name = m_strFileName.IsEmpty() ? "an unnamed file" : static_cast<LPCSTR>(m_strFileName);
    std::snprintf(lpszError, nMaxError, "%s while accessing %s.", kCauseTexts[nCause], name);
    return TRUE;
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_NO_MORE_FILES: return directoryFull;
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}
