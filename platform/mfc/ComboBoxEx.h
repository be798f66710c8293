#pragma once
// The extended combo box with images.
#include "platform/mfc/ComboBox.h"

class CEdit;
class CImageList;

class CComboBoxEx : public CComboBox
{
    DECLARE_DYNAMIC(CComboBoxEx)
public:
    CComboBoxEx() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int InsertItem(const COMBOBOXEXITEMA* pCBItem);
    int DeleteItem(int iIndex);
    BOOL GetItem(COMBOBOXEXITEMA* pCBItem);
    BOOL SetItem(const COMBOBOXEXITEMA* pCBItem);
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
    CComboBox* GetComboBoxCtrl();
    CEdit* GetEditCtrl();
    DWORD SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles);
    DWORD GetExtendedStyle() const;
    BOOL HasEditChanged();
};
