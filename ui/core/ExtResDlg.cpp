#include "ui/core/ExtResDlg.h"

#include "platform/mfc/Exception.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtResourceManager.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

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
constexpr WORD PROPERTY_SHEET_TEMPLATE = 1006;
constexpr WORD WIZARD_TEMPLATE = 1020;
constexpr WORD NO_FONT_SIZE = WORD(-1);
constexpr WORD SYSTEM_DEFAULT_FONT_SIZE = 8;
constexpr DWORD LAYOUT_RIGHT_TO_LEFT = 0x01;
// Where the extended style sits: after the signature pair and help id in an extended template,
// after the style in a plain one.
constexpr size_t EXTENDED_TEMPLATE_EXSTYLE_OFFSET = 8;
constexpr size_t PLAIN_TEMPLATE_EXSTYLE_OFFSET = 4;

bool IsOldDialogFace(const CString& strFace)
{
    return strFace.CompareNoCase("MS Sans Serif") == 0 || strFace.CompareNoCase("MS Shell Dlg") == 0;
}

// One cache per kind of sheet; filled on the first answer found.
struct SheetFont
{
    bool bRead = false;
    CString strFace;
    WORD wSize = NO_FONT_SIZE;
};

bool ReadSheetFont(SheetFont& font, WORD wTemplateId)
{
    HMODULE hCommonControls = ::GetModuleHandleA("COMCTL32.DLL");
    if (hCommonControls == nullptr)
        return false;
    const LPCSTR lpszName = MAKEINTRESOURCEA(wTemplateId);
    HRSRC hResource = ::FindResourceExA(hCommonControls, reinterpret_cast<LPCSTR>(RT_DIALOG), lpszName,
                                        g_ResourceManagerHolder->GetDefaultLanguage());
    if (hResource == nullptr)
        hResource = ::FindResourceA(hCommonControls, lpszName, reinterpret_cast<LPCSTR>(RT_DIALOG));
    CExtResourceBuffer bytes;
    if (hResource == nullptr || !bytes.LoadFrom(hCommonControls, hResource) || bytes.GetSize() == 0)
        return false;
    CDialogTemplate sheet;
    sheet.SetTemplate(reinterpret_cast<LPCDLGTEMPLATEA>(bytes.GetBuffer()), bytes.GetSize());
    CString strFace;
    WORD wSize = NO_FONT_SIZE;
    if (!sheet.GetFont(strFace, wSize))
        return false;
    font = {true, strFace, wSize};
    return true;
}
} // namespace

bool CExtResPP::FAKE_PROPPAGEFONTINFO::GetPropertySheetFont(CString& strFace, WORD& wSize, bool bWizard)
{
    static SheetFont s_sheet, s_wizard;
    SheetFont& font = bWizard ? s_wizard : s_sheet;
    // A failed read is tried again: the common controls may be loaded later.
    if (!font.bRead && !ReadSheetFont(font, bWizard ? WIZARD_TEMPLATE : PROPERTY_SHEET_TEMPLATE))
        return false;
    strFace = font.strFace;
    wSize = font.wSize;
    return wSize != NO_FONT_SIZE;
}

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
    m_pParentWnd = pParentWnd != nullptr ? pParentWnd : AfxGetMainWnd();
    return CreateFromTemplate(reinterpret_cast<LPCDLGTEMPLATEA>(buffer.GetBuffer()), buffer.GetSize(), m_pParentWnd);
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
    m_pParentWnd = pParentWnd != nullptr ? pParentWnd : AfxGetMainWnd();
    if (lpDialogTemplate == nullptr)
        return FALSE;
    return CreateFromTemplate(lpDialogTemplate, CDialogTemplate::GetTemplateSize(lpDialogTemplate), m_pParentWnd);
}

BOOL CExtResDlg::CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, DWORD dwSize, CWnd* pParentWnd)
{
    if (lpTemplate == nullptr || dwSize == 0)
        return FALSE;
    LPCDLGTEMPLATEA lpPrepared = PrepareDialogTemplate(lpTemplate);
    if (lpPrepared != lpTemplate)
        dwSize = CDialogTemplate::GetTemplateSize(lpPrepared);
    CDialogTemplate created;
    created.SetTemplate(lpPrepared, dwSize);
    // Double-byte systems draw the old dialog faces badly: such templates take the system font.
    CString strFace;
    WORD wSize = 0;
    if (::GetSystemMetrics(SM_DBCSENABLED) && created.GetFont(strFace, wSize) &&
        (IsOldDialogFace(strFace) || strFace.CompareNoCase("Helv") == 0))
        created.SetSystemFont(wSize == SYSTEM_DEFAULT_FONT_SIZE ? 0 : wSize);
    std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(created.GetTemplate()),
                            reinterpret_cast<const BYTE*>(created.GetTemplate()) + created.GetTemplateSize());
    if (IsRightToLeftLayoutAllowed() && (g_ResourceManagerHolder->GetLayout() & LAYOUT_RIGHT_TO_LEFT) != 0)
    {
        const size_t nOffset = CDialogTemplate::IsDialogEx(created.GetTemplate()) ? EXTENDED_TEMPLATE_EXSTYLE_OFFSET
                                                                                  : PLAIN_TEMPLATE_EXSTYLE_OFFSET;
        if (bytes.size() >= nOffset + sizeof(DWORD))
        {
            DWORD dwExStyle = 0;
            std::memcpy(&dwExStyle, bytes.data() + nOffset, sizeof dwExStyle);
            dwExStyle |= WS_EX_LAYOUTRTL;
            std::memcpy(bytes.data() + nOffset, &dwExStyle, sizeof dwExStyle);
        }
    }
    return CreateDlgIndirect(reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), pParentWnd, nullptr);
}

INT_PTR CExtResDlg::DoModal()
{
    // Kept so that the initialisation data of the template runs in OnInitDialog.
    m_lpszKeptTemplateName = m_lpszTemplateName;
    return RunModalLoop();
}

INT_PTR CExtResDlg::RunModalLoop()
{
    CExtResourceBuffer buffer;
    LPCDLGTEMPLATEA lpTemplate = m_lpDialogTemplate;
    DWORD dwSize = 0;
    if (m_lpszTemplateName != nullptr)
    {
        if (!g_ResourceManagerHolder->LoadResource(buffer, MAKEINTRESOURCEA(RESOURCE_TYPE_DIALOG), m_lpszTemplateName))
            return -1;
        lpTemplate = reinterpret_cast<LPCDLGTEMPLATEA>(buffer.GetBuffer());
        dwSize = buffer.GetSize();
    }
    else if (m_hDialogTemplate != nullptr)
        lpTemplate = static_cast<LPCDLGTEMPLATEA>(::GlobalLock(m_hDialogTemplate));
    if (lpTemplate == nullptr)
        return -1;
    if (dwSize == 0)
        dwSize = CDialogTemplate::GetTemplateSize(lpTemplate);

    HWND hWndOwner = PreModal();
    AfxUnhookWindowCreate();
    bool bEnableOwner = false;
    if (hWndOwner != nullptr && hWndOwner != ::GetDesktopWindow() && ::IsWindowEnabled(hWndOwner))
    {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = true;
    }
    try
    {
        if (CreateFromTemplate(lpTemplate, dwSize, CWnd::FromHandle(hWndOwner)))
        {
            if ((m_nFlags & WF_CONTINUEMODAL) != 0)
            {
                DWORD dwFlags = MLF_SHOWONIDLE;
                if ((GetStyle() & DS_NOIDLEMSG) != 0)
                    dwFlags |= MLF_NOIDLEMSG;
                CWnd::RunModalLoop(dwFlags);
            }
            if (m_hWnd != nullptr)
                SetWindowPos(nullptr, 0, 0, 0, 0,
                             SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
    }
    catch (CException* e)
    {
        e->Delete();
        m_nModalResult = -1;
    }
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    DestroyWindow();
    PostModal();
    if (m_lpszTemplateName == nullptr && m_hDialogTemplate != nullptr)
        ::GlobalUnlock(m_hDialogTemplate);
    return m_nModalResult;
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
    if (DLGTEMPLATE* pThemed = g_PaintManagerHolder->AdjustDialogTemplate(lpTemplate, this, 0, 0))
        return reinterpret_cast<LPCDLGTEMPLATEA>(pThemed);
    return FixTemplateFont(lpTemplate);
}

LPCDLGTEMPLATEA CExtResDlg::FixTemplateFont(LPCDLGTEMPLATEA lpTemplate)
{
    CString strSheetFace;
    WORD wSheetSize = 0;
    CString strFace;
    WORD wSize = 0;
    if (lpTemplate == nullptr ||
        !CExtResPP::FAKE_PROPPAGEFONTINFO::GetPropertySheetFont(strSheetFace, wSheetSize, false) ||
        !CDialogTemplate::GetFont(lpTemplate, strFace, wSize) || !IsOldDialogFace(strFace) ||
        wSize != wSheetSize || strFace == strSheetFace)
        return lpTemplate;
    m_fixedFontTemplate.SetTemplate(lpTemplate, CDialogTemplate::GetTemplateSize(lpTemplate));
    m_fixedFontTemplate.SetFont(strSheetFace, wSheetSize);
    return m_fixedFontTemplate.GetTemplate();
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
