#pragma once
// The control popup that drops down a list of undoable (or redoable) actions under a caption
// strip: the selection always runs from the first action to the one under the mouse or the
// keyboard, and the caption counts the actions chosen.
#include "ui/core/ExtPopupControlMenuWnd.h"
#include "ui/core/ExtPopupInplaceListBox.h"

class CExtPopupUndoRedoMenuWnd : public CExtPopupControlMenuWnd
{
    DECLARE_DYNCREATE(CExtPopupUndoRedoMenuWnd)
public:
    // WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_HASSTRINGS | LBS_OWNERDRAWVARIABLE | LBS_MULTIPLESEL.
    static constexpr DWORD DEFAULT_LIST_STYLE = 0x50200068;
    static constexpr int CAPTION_HEIGHT = 24;
    static constexpr char CAPTION_FORMAT[] = "Undo %d Actions";

    explicit CExtPopupUndoRedoMenuWnd(LPARAM lParamListBoxNotification = 0,
                                      DWORD dwListBoxStyles = DEFAULT_LIST_STYLE);

    bool IsShadowAllowed() const override;
    bool EndsMenuFromOpeningItem(bool /*bByKeyboard*/) const override { return true; }
    void PaintContent(CDC& dc, bool bBuffered) override;
    CSize MeasureContent() const override;
    CRect GetControlRect() const override;
    HWND CreateChildControl(const RECT& rcControl) override;

    virtual int GetCaptionHeight() const;
    virtual void DrawCaption(CDC& dc, const RECT& rcCaption);

    // Stores the count and repaints the caption at once.
    void SetActionCount(int nCount);
    int GetActionCount() const { return m_nActionCount; }
    const RECT& GetCaptionRect() const { return m_rcCaption; }

    LPARAM m_lParamListBoxNotification;
    DWORD m_dwListBoxStyles;
    // Handed to the list; the owner sets them before the popup is tracked.
    CExtPopupInplaceListBox::SelectionCallback m_pfnSelectionCallback = nullptr;
    LPVOID m_pSelectionCookie = nullptr;
    CExtPopupInplaceListBox::InitCallback m_pfnInitCallback = nullptr;
    LPVOID m_pInitCookie = nullptr;
    CExtPopupInplaceListBox::ItemDrawCallback m_pfnItemDrawCallback = nullptr;
    CExtPopupInplaceListBox::ItemMeasureCallback m_pfnItemMeasureCallback = nullptr;
    LPVOID m_pItemCookie = nullptr;

protected:
    void OnControlRectChanged() override;

    RECT m_rcCaption{};
    int m_nActionCount = 0;
};
