#pragma once
// The owner-draw messages a parent reflects to an owner-drawn list or combo box, delivered to the
// control's DrawItem, MeasureItem, CompareItem and DeleteItem.
#include <windows.h>

// TRUE when the message was one of them (with its result set).
template <class TControl>
BOOL AfxDispatchOwnerDrawItem(TControl* pControl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = TRUE;
    switch (message)
    {
    case WM_DRAWITEM: pControl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: pControl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM: lResult = pControl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); break;
    case WM_DELETEITEM: pControl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return FALSE;
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}
