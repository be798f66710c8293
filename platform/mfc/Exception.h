#pragma once
// Base of the framework's exceptions. They are thrown as pointers (throw new ...) and the catcher
// releases them with Delete().
#include "platform/mfc/Object.h"

#include <windows.h>

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    // Frees a heap exception; exceptions made on the stack (m_bAutoDelete FALSE) survive it.
    void Delete();
    // Copies a description into the buffer; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Shows the description (or the fallback text) in a message box.
    virtual int ReportError(UINT nType = MB_OK, LPCSTR lpszFallback = nullptr) const;

    BOOL m_bAutoDelete;
};
