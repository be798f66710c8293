#pragma once
// The list made for a control popup: it selects with the mouse without activating, ends once
// with OK or cancel, and reports to the popup's command receiver by registered messages or, when
// set, by call-back functions. A popup that creates it with new marks it to delete itself with
// its window.
#include "platform/mfc/Afx.h"
#include "platform/mfc/ListBox.h"

class CExtPopupControlMenuWnd;

class CExtPopupInplaceListBox : public CListBox
{
    DECLARE_DYNCREATE(CExtPopupInplaceListBox)
public:
    // Codes of the selection call-back.
    static constexpr int SELECTION_CHANGED = 0;
    static constexpr int SELECTION_END_OK = 1;
    static constexpr int SELECTION_END_CANCEL = 2;

    // Each answers true when it handled the event: the matching message is then not sent.
    using SelectionCallback = bool (*)(CExtPopupInplaceListBox& listBox, LPVOID pCookie, int nCode);
    using InitCallback = bool (*)(CExtPopupInplaceListBox& listBox, LPVOID pCookie);
    using ItemDrawCallback = bool (*)(CExtPopupInplaceListBox& listBox, LPVOID pCookie, LPDRAWITEMSTRUCT pDraw);
    using ItemMeasureCallback = bool (*)(CExtPopupInplaceListBox& listBox, LPVOID pCookie,
                                         LPMEASUREITEMSTRUCT pMeasure);

    // The WPARAM records of the notifications, built on the sender's stack.
    struct ItemMeasureData
    {
        CExtPopupInplaceListBox* m_pListBox;
        LPMEASUREITEMSTRUCT m_pMeasure;
    };
    struct ItemDrawData
    {
        CExtPopupInplaceListBox* m_pListBox;
        LPDRAWITEMSTRUCT m_pDraw;
    };
    struct SelectionData
    {
        CExtPopupInplaceListBox* m_pListBox;
        int m_nSelection;
    };

    // WPARAM the list box, LPARAM the notification LPARAM.
    static const UINT g_nMsgPopupListBoxInitContent;
    static const UINT g_nMsgPopupListBoxItemMeasure;
    static const UINT g_nMsgPopupListBoxItemDraw;
    static const UINT g_nMsgPopupListBoxSelEndOK;
    static const UINT g_nMsgPopupListBoxSelEndCancel;
    static const UINT g_nMsgPopupListBoxSelChange;

    static constexpr BYTE FLAG_SELECTION_ENDED = 0x01;
    // Set by the popup that created the list with new.
    static constexpr BYTE FLAG_AUTO_DELETE = 0x02;

    CExtPopupInplaceListBox();

    virtual void OnSelEndOK();
    virtual void OnSelEndCancel(bool bSilent);
    virtual LRESULT OnSelChange();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    // The popup hosting the list and the window receiving its notifications.
    CExtPopupControlMenuWnd* GetParentPopup() const;
    HWND GetNotificationTarget() const;
    bool IsSelectionEnded() const { return (m_nFlags & FLAG_SELECTION_ENDED) != 0; }

    SelectionCallback m_pfnSelectionCallback = nullptr;
    LPVOID m_pSelectionCookie = nullptr;
    InitCallback m_pfnInitCallback = nullptr;
    LPVOID m_pInitCookie = nullptr;
    ItemDrawCallback m_pfnItemDrawCallback = nullptr;
    ItemMeasureCallback m_pfnItemMeasureCallback = nullptr;
    LPVOID m_pItemCookie = nullptr;
    LPARAM m_lParamNotification = 0;
    BYTE m_nFlags = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    // Keys and the wheel handed on by the popup.
    virtual LRESULT OnControlInput(WPARAM wParam);
    // Sends a selection record (with the current selection) to the notification target.
    LRESULT SendSelectionMessage(UINT nMessage);
    // Ends the list once, with the call-back code and message given.
    void EndSelection(int nCode, UINT nMessage, bool bSilent);

private:
    void OnMouseMove(CPoint point);
    void OnLButtonUp(CPoint point);
    // The item under a client point, -1 when the point is on no item.
    int ItemUnder(CPoint point) const;
    // Shows the list's choice beside the item of the parent menu that opened the popup.
    void ShowChoiceInOpeningItem();
};
