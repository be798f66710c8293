#include "platform/mfc/ComboBoxEx.h"

#include "platform/mfc/Edit.h"
#include "platform/mfc/ImageList.h"

IMPLEMENT_DYNAMIC(CComboBoxEx, CComboBox)

BOOL CComboBoxEx::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_USEREX_CLASSES};
    ::InitCommonControlsEx(&init);
    return CWnd::Create(WC_COMBOBOXEXA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBoxEx::InsertItem(const COMBOBOXEXITEMA* pCBItem)
{
    return static_cast<int>(SendMessage(CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(pCBItem)));
}
int CComboBoxEx::DeleteItem(int iIndex) { return static_cast<int>(SendMessage(CBEM_DELETEITEM, static_cast<WPARAM>(iIndex))); }
BOOL CComboBoxEx::GetItem(COMBOBOXEXITEMA* pCBItem) { return static_cast<BOOL>(SendMessage(CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(pCBItem))); }
BOOL CComboBoxEx::SetItem(const COMBOBOXEXITEMA* pCBItem)
{
    return static_cast<BOOL>(SendMessage(CBEM_SETITEMA, 0, reinterpret_cast<LPARAM>(pCBItem)));
}
CImageList* CComboBoxEx::SetImageList(CImageList* pImageList)
{
    HIMAGELIST hOld = reinterpret_cast<HIMAGELIST>(SendMessage(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(HimagelistOf(pImageList))));
    return hOld != nullptr ? CImageList::FromHandle(hOld) : nullptr;
}
CImageList* CComboBoxEx::GetImageList() const
{
    HIMAGELIST hImageList = reinterpret_cast<HIMAGELIST>(SendMessage(CBEM_GETIMAGELIST));
    return hImageList != nullptr ? CImageList::FromHandle(hImageList) : nullptr;
}
CComboBox* CComboBoxEx::GetComboBoxCtrl()
{
    HWND hWnd = reinterpret_cast<HWND>(SendMessage(CBEM_GETCOMBOCONTROL));
    return hWnd != nullptr ? static_cast<CComboBox*>(CWnd::FromHandle(hWnd)) : nullptr;
}
CEdit* CComboBoxEx::GetEditCtrl()
{
    HWND hWnd = reinterpret_cast<HWND>(SendMessage(CBEM_GETEDITCONTROL));
    return hWnd != nullptr ? static_cast<CEdit*>(CWnd::FromHandle(hWnd)) : nullptr;
}
DWORD CComboBoxEx::SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles)
{
    return static_cast<DWORD>(SendMessage(CBEM_SETEXTENDEDSTYLE, dwExMask, static_cast<LPARAM>(dwExStyles)));
}
DWORD CComboBoxEx::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(CBEM_GETEXTENDEDSTYLE)); }
BOOL CComboBoxEx::HasEditChanged() { return static_cast<BOOL>(SendMessage(CBEM_HASEDITCHANGED)); }
