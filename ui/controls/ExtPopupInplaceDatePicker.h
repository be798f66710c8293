#pragma once
// The month calendar adapted to live in a date-picker popup: it never activates, takes the
// framework's menu font and lets the popup's command receiver fill it when it is created.
#include "ui/controls/ExtDatePickerWnd.h"

class CExtPopupInplaceDatePicker : public CExtDatePickerWnd
{
    DECLARE_DYNCREATE(CExtPopupInplaceDatePicker)
public:
    // True when the call-back handled the event and no message is sent.
    using InitCallback = bool (*)(CExtPopupInplaceDatePicker& datePicker, LPVOID pCookie);
    using SelectionCallback = bool (*)(const SelectionNotificationData& data, LPVOID pCookie);

    // WPARAM the calendar, LPARAM the popup's init LPARAM; sent to the popup's command receiver
    // when the calendar window is created.
    static const UINT g_nMsgPopupDatePickerInitContent;

    CExtPopupInplaceDatePicker();

    InitCallback m_pfnInitCallback = nullptr;
    LPVOID m_pInitCookie = nullptr;
    // Copies of the popup's: the popup, not the calendar, calls them.
    SelectionCallback m_pfnSelectionCallback = nullptr;
    LPVOID m_pSelectionCookie = nullptr;
    LPARAM m_lParamInit = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
