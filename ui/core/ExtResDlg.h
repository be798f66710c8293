#pragma once
// The framework's dialog base: its template and initialisation data come through the resource
// manager.
#include "platform/mfc/Dialog.h"

class CExtResDlg : public CDialog
{
    DECLARE_DYNAMIC(CExtResDlg)
public:
    CExtResDlg() = default;
    CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd);
    ~CExtResDlg() override;

    BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr) override;
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override;
    virtual BOOL CreateIndirectFromHandle(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr,
                        void* lpDialogInit = nullptr) override;
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    virtual LPCDLGTEMPLATEA PrepareDialogTemplate(LPCDLGTEMPLATEA lpTemplate);
    virtual bool IsRightToLeftLayoutAllowed() const;

    // Runs dialog-initialisation records (WORD control id, 0 ends; WORD message; DWORD length;
    // data) held in dwSize bytes; a record running past them ends the walk.
    bool ExecuteDlgInit(const void* pData, DWORD dwSize);

protected:
    LPCSTR m_lpszKeptTemplateName = nullptr;

private:
    BOOL CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, CWnd* pParentWnd);
};
