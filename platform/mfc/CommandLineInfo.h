#pragma once
// What the command line asks of the application: a new document, a file to open or print,
// a DDE conversation to wait for, or the shell registration.
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo() = default;

    // One argument: bFlag when it began with '/' or '-' (which is then removed); bLast for the last.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand = FileNew;

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
};
