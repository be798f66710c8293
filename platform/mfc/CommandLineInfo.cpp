#include "platform/mfc/CommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    CString strParam(pszParam);
    if (bFlag)
    {
        if (strParam.CompareNoCase("pt") == 0)
            m_nShellCommand = FilePrintTo;
        else if (strParam.CompareNoCase("p") == 0)
            m_nShellCommand = FilePrint;
        else if (strParam.CompareNoCase("dde") == 0)
            m_nShellCommand = FileDDE;
        else if (strParam.CompareNoCase("register") == 0 || strParam.CompareNoCase("regserver") == 0)
            m_nShellCommand = AppRegister;
        else if (strParam.CompareNoCase("unregister") == 0 || strParam.CompareNoCase("unregserver") == 0)
            m_nShellCommand = AppUnregister;
        else if (strParam.CompareNoCase("embedding") == 0)
            m_bRunEmbedded = TRUE;
        else if (strParam.CompareNoCase("automation") == 0)
            m_bRunAutomated = TRUE;
    }
    else if (m_strFileName.IsEmpty())
    {
        m_strFileName = strParam;
    }
    else if (m_nShellCommand == FilePrintTo)
    {
        // Print-to names the printer, its driver and its port after the file.
        if (m_strPrinterName.IsEmpty())
            m_strPrinterName = strParam;
        else if (m_strDriverName.IsEmpty())
            m_strDriverName = strParam;
        else if (m_strPortName.IsEmpty())
            m_strPortName = strParam;
    }
    if (bLast)
    {
        if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
            m_nShellCommand = FileOpen;
        m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
    }
}
