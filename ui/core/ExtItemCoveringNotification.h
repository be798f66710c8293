#pragma once
// The record sent with "CExtPopupMenuWnd::g_nMsgItemCoveringNotification" when a popup item or
// a tool-bar button gains or loses the highlight, so that the owner can show what it covers.
#include "platform/mfc/Afx.h"

class CExtPopupMenuWnd;
class CExtBarButton;

struct CExtItemCoveringNotification
{
    // What happened to the item.
    static constexpr INT KIND_LEFT = 0;
    static constexpr INT KIND_COVERED = 1;
    static constexpr INT KIND_SUBMENU_PENDING = 2;
    // Flag bits.
    static constexpr BYTE FLAG_OPEN_SUBMENU = 0x01;
    static constexpr BYTE FLAG_BY_KEYBOARD = 0x02;

    CExtItemCoveringNotification(CExtPopupMenuWnd* pPopup, CExtBarButton* pButton, INT nItemIndex, INT nKind,
                                 BYTE nFlags = 0)
        : m_pPopup(pPopup), m_pButton(pButton), m_nItemIndex(nItemIndex), m_nKind(nKind), m_nFlags(nFlags)
    {
    }

    // Sends the record (WPARAM = its address) to the popup's command target or the button's
    // bar's frame; false when there is no live target or the target is in context-help mode.
    bool Notify();

    CExtPopupMenuWnd* m_pPopup;
    CExtBarButton* m_pButton;
    INT m_nItemIndex;
    INT m_nKind;
    BYTE m_nFlags;
};
