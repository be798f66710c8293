// What dialogs and form-like windows share: control updates, initial control data from
// resources, and dialog data exchange.
#include "platform/mfc/Wnd.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/DataExchange.h"
#include "platform/mfc/Exception.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/UserException.h"

#include <vector>

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    // A stand-in object for each control, attached to nothing.
    CWnd wndTemp;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        wndTemp.m_hWnd = hWndChild;
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        state.m_pOther = &wndTemp;

        // The control's own reflected update handler, then the window's, then the target's.
        CWnd* pWnd = FromHandlePermanent(hWndChild);
        if (pWnd != nullptr &&
            pWnd->CCmdTarget::OnCmdMsg(0, MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE), &state, nullptr))
            continue;
        if (CCmdTarget::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;

        // Only command buttons are disabled for want of a handler.
        BOOL bDisableTemp = bDisableIfNoHndler;
        if (bDisableTemp)
        {
            if ((wndTemp.SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) == 0)
            {
                bDisableTemp = FALSE;
            }
            else
            {
                UINT nStyle = wndTemp.GetStyle() & 0x0F;
                if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_GROUPBOX ||
                    nStyle == BS_AUTORADIOBUTTON)
                    bDisableTemp = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisableTemp);
    }
    wndTemp.m_hWnd = nullptr;
}

BOOL CWnd::ExecuteDlgInit(LPCSTR lpszResourceName)
{
    if (lpszResourceName == nullptr)
        return TRUE;
    constexpr WORD kDlgInitResourceType = 240;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(kDlgInitResourceType));
    if (hResource == nullptr)
        return TRUE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hResource);
    DWORD dwSize = ::SizeofResource(hInst, hResource);
    if (hGlobal == nullptr || dwSize == 0)
        return TRUE;
    // The block is copied and terminated so that a damaged resource cannot be read past its end.
    std::vector<BYTE> block(static_cast<const BYTE*>(::LockResource(hGlobal)),
                            static_cast<const BYTE*>(::LockResource(hGlobal)) + dwSize);
    block.insert(block.end(), sizeof(WORD) + 1, 0);
    for (size_t nOffset = 0; nOffset + 8 <= dwSize; )
    {
        DWORD dwLen = *reinterpret_cast<const DWORD*>(&block[nOffset + 4]);
        if (*reinterpret_cast<const WORD*>(&block[nOffset]) == 0)
            break;
        if (dwLen > dwSize - nOffset - 8)
        {
            // A record running past the end ends the list there.
            block[nOffset] = block[nOffset + 1] = 0;
            break;
        }
        nOffset += 8 + dwLen;
    }
    return ExecuteDlgInit(block.data());
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    constexpr WORD kLegacyListBoxAddString = 0x0401;
    constexpr WORD kLegacyComboBoxAddString = 0x0403;
    constexpr WORD kComboBoxExInsertItem = 0x1234;
    if (lpResource == nullptr)
        return TRUE;
    const BYTE* lpnRes = static_cast<const BYTE*>(lpResource);
    BOOL bSuccess = TRUE;
    for (;;)
    {
        WORD nIDC = *reinterpret_cast<const WORD*>(lpnRes);
        if (nIDC == 0)
            break;
        WORD nMsg = *reinterpret_cast<const WORD*>(lpnRes + 2);
        DWORD dwLen = *reinterpret_cast<const DWORD*>(lpnRes + 4);
        const char* lpData = reinterpret_cast<const char*>(lpnRes + 8);
        if (nMsg == kLegacyListBoxAddString || nMsg == kLegacyComboBoxAddString)
        {
            UINT nMessage = nMsg == kLegacyListBoxAddString ? LB_ADDSTRING : CB_ADDSTRING;
            LRESULT lResult = SendDlgItemMessage(nIDC, nMessage, 0, reinterpret_cast<LPARAM>(lpData));
            if (lResult == LB_ERR || lResult == LB_ERRSPACE)
                bSuccess = FALSE;
        }
        else if (nMsg == kComboBoxExInsertItem)
        {
            COMBOBOXEXITEMA item = {};
            item.mask = CBEIF_TEXT;
            item.iItem = -1;
            item.pszText = const_cast<char*>(lpData);
            if (SendDlgItemMessage(nIDC, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) == -1)
                bSuccess = FALSE;
        }
        lpnRes += 8 + dwLen;
    }
    return bSuccess;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
        return TRUE;
    }
    catch (CException* e)
    {
        // A failed validation has already told the user (CUserException); others are reported here.
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError();
        e->Delete();
        return FALSE;
    }
}
