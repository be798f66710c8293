#pragma once
// Base of the common dialogs (file, colour): modal through the system's own dialog functions.
#include "platform/mfc/Dialog.h"

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

protected:
    // The window that owns the system dialog: the parent's top-level window, else the main window.
    HWND OwnerWindow();
};
