#pragma once
// The framework's dialog base: its template and initialisation data come through the resource
// manager.
#include "platform/mfc/Dialog.h"
#include "platform/mfc/DialogTemplate.h"
#include "platform/mfc/String.h"

// The property sheet's dialog font, read once from the common controls' own sheet template.
class CExtResPP
{
public:
    struct FAKE_PROPPAGEFONTINFO
    {
        // False when the common controls hold no sheet template with a font.
        static bool GetPropertySheetFont(CString& strFace, WORD& wSize, bool bWizard);
    };
};

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
    // The template to create from: the resource manager's or the paint manager's replacement,
    // else the template with its font fixed; valid until the next preparation.
    virtual LPCDLGTEMPLATEA PrepareDialogTemplate(LPCDLGTEMPLATEA lpTemplate);
    // Creates the dialog from its template over its disabled owner and runs it until it ends;
    // -1 without a template. Hides the window's own loop (CWnd::RunModalLoop) on purpose.
    virtual INT_PTR RunModalLoop();
    virtual bool IsRightToLeftLayoutAllowed() const;

    // Runs dialog-initialisation records (WORD control id, 0 ends; WORD message; DWORD length;
    // data) held in dwSize bytes; a record running past them ends the walk.
    bool ExecuteDlgInit(const void* pData, DWORD dwSize);
    // A template in the old dialog fonts at the property sheet's size takes the sheet's face.
    LPCDLGTEMPLATEA FixTemplateFont(LPCDLGTEMPLATEA lpTemplate);

protected:
    LPCSTR m_lpszKeptTemplateName = nullptr;

private:
    BOOL CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, DWORD dwSize, CWnd* pParentWnd);

    CDialogTemplate m_fixedFontTemplate;

};
