#include "ui/core/ExtResDlg.h"

#include "ui/core/ExtResourceManager.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <utility>

IMPLEMENT_DYNAMIC(CExtResDlg, CDialog)

namespace
{
constexpr WORD RESOURCE_TYPE_DIALOG = 5;
constexpr WORD RESOURCE_TYPE_DLGINIT = 240;
constexpr UINT WM_INITIALUPDATE_MESSAGE = 0x0364;
// Older resource compilers wrote these for list- and combo-box strings.
constexpr WORD OLD_LB_ADDSTRING = 0x0401;
constexpr WORD OLD_CB_ADDSTRING = 0x0403;
constexpr WORD COMBOBOXEX_ADDSTRING = 0x1234;
constexpr DWORD RECORD_HEADER_SIZE = 2 * sizeof(WORD) + sizeof(DWORD);
} // namespace

CExtResDlg::CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

CExtResDlg::~CExtResDlg()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CExtResDlg::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    m_lpszKeptTemplateName = lpszTemplateName;
    CExtResourceBuffer buffer;
    if (!g_ResourceManagerHolder->LoadResource(buffer, MAKEINTRESOURCEA(RESOURCE_TYPE_DIALOG), lpszTemplateName) ||
        buffer.GetSize() == 0)
        return FALSE;
    m_lpDialogInit = nullptr;
    return CreateFromTemplate(reinterpret_cast<LPCDLGTEMPLATEA>(buffer.GetBuffer()), pParentWnd);
}

BOOL CExtResDlg::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CExtResDlg::CreateIndirectFromHandle(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    auto* lpTemplate = static_cast<LPCDLGTEMPLATEA>(::GlobalLock(hDialogTemplate));
    if (lpTemplate == nullptr)
        return FALSE;
    const BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, nullptr);
    ::GlobalUnlock(hDialogTemplate);
    return bResult;
}

BOOL CExtResDlg::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogInit = lpDialogInit;
    return CreateFromTemplate(lpDialogTemplate, pParentWnd);
}

BOOL CExtResDlg::CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, CWnd* pParentWnd)
{
    if (lpTemplate == nullptr)
        return FALSE;
    return CDialog::CreateIndirect(PrepareDialogTemplate(lpTemplate), pParentWnd, m_lpDialogInit);
}

INT_PTR CExtResDlg::DoModal()
{
    m_lpszKeptTemplateName = m_lpszTemplateName;
    return CDialog::DoModal();
}

BOOL CExtResDlg::OnInitDialog()
{
    if (m_lpszKeptTemplateName != nullptr)
    {
        CExtResourceBuffer data;
        if (g_ResourceManagerHolder->LoadResource(data, MAKEINTRESOURCEA(RESOURCE_TYPE_DLGINIT),
                                                  m_lpszKeptTemplateName))
            ExecuteDlgInit(data.GetBuffer(), data.GetSize());
    }
    // The base would run the same data again: hide it meanwhile.
    const LPCSTR lpszTemplateName = std::exchange(m_lpszTemplateName, nullptr);
    void* const lpDialogInit = std::exchange(m_lpDialogInit, nullptr);
    const BOOL bResult = CDialog::OnInitDialog();
    m_lpszTemplateName = lpszTemplateName;
    m_lpDialogInit = lpDialogInit;
    return bResult;
}

LPCDLGTEMPLATEA CExtResDlg::PrepareDialogTemplate(LPCDLGTEMPLATEA lpTemplate)
{
    if (LPCDLGTEMPLATEA lpAdjusted = g_ResourceManagerHolder->AdjustDialogTemplate(lpTemplate, this, 0, 0))
        return lpAdjusted;
    return lpTemplate;
}

bool CExtResDlg::IsRightToLeftLayoutAllowed() const { return false; }

bool CExtResDlg::ExecuteDlgInit(const void* pData, DWORD dwSize)
{
    if (pData == nullptr || m_hWnd == nullptr)
        return false;
    const BYTE* p = static_cast<const BYTE*>(pData);
    const BYTE* const pEnd = p + dwSize;
    while (pEnd - p >= static_cast<ptrdiff_t>(sizeof(WORD)))
    {
        WORD wControl = 0, wMessage = 0;
        DWORD dwLength = 0;
        std::memcpy(&wControl, p, sizeof wControl);
        if (wControl == 0 || pEnd - p < static_cast<ptrdiff_t>(RECORD_HEADER_SIZE))
            break;
        std::memcpy(&wMessage, p + sizeof(WORD), sizeof wMessage);
        std::memcpy(&dwLength, p + 2 * sizeof(WORD), sizeof dwLength);
        p += RECORD_HEADER_SIZE;
        if (static_cast<ULONGLONG>(pEnd - p) < dwLength)
            break;
        // The record's text, ended at its first NUL or at the record's end.
        const std::string text(reinterpret_cast<const char*>(p), ::strnlen(reinterpret_cast<const char*>(p), dwLength));
        p += dwLength;
        LRESULT lResult = 0;
        switch (wMessage)
        {
        case LB_ADDSTRING:
        case OLD_LB_ADDSTRING:
            lResult = ::SendDlgItemMessageA(m_hWnd, wControl, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            break;
        case CB_ADDSTRING:
        case OLD_CB_ADDSTRING:
            lResult = ::SendDlgItemMessageA(m_hWnd, wControl, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            break;
        case COMBOBOXEX_ADDSTRING:
        {
            COMBOBOXEXITEMA item = {};
            item.mask = CBEIF_TEXT;
            item.iItem = -1;
            item.pszText = const_cast<LPSTR>(text.c_str());
            lResult = ::SendDlgItemMessageA(m_hWnd, wControl, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            break;
        }
        default:
            continue;
        }
        if (lResult == -1)
            return false;
    }
    SendMessageToDescendants(WM_INITIALUPDATE_MESSAGE, 0, 0, TRUE, TRUE);
    return true;
}
