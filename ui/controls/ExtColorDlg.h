#pragma once
// The framework's resizable colour dialog: a picker in a chosen mode, a pane with the new colour
// above the initial one, and nine fields (red, green, blue, cyan, magenta, yellow, hue,
// saturation, luminance, each 0..255) kept in step with them.
#include "platform/mfc/Edit.h"
#include "platform/mfc/SpinButtonCtrl.h"
#include "ui/controls/ExtColorCtrl.h"
#include "ui/core/ExtButton.h"
#include "ui/core/ExtComboBox.h"
#include "ui/core/ExtLabel.h"
#include "ui/core/ExtResizableDialog.h"

class CExtColorDlg : public CExtResizableDialog
{
    DECLARE_DYNCREATE(CExtColorDlg)
public:
    static constexpr int FIELD_COUNT = 9;
    static constexpr int LABEL_COUNT = 12;
    // The field groups, three fields each, in the order of the field arrays.
    enum e_group_t : int
    {
        GROUP_RGB = 0,
        GROUP_CMY = 1,
        GROUP_HSL = 2,
    };

    CExtColorDlg(COLORREF clrInit = RGB(0, 0, 0), COLORREF clrNew = RGB(0, 0, 0), CWnd* pParent = nullptr);
    ~CExtColorDlg() override;

    // Runs the dialog for a colour button's custom colour; true with the accepted colour after OK.
    static bool PickCustomColor(HWND hWndParent, COLORREF clrCurrent, COLORREF& clrChosen);

    INT_PTR DoModal() override;
    void SyncValueFields(COLORREF clr, bool bRgb, bool bCmy, bool bHsl);

    bool IsRightToLeftLayoutAllowed() const override { return true; }
    bool IsReady() const { return m_bDialogReady; }
    CExtColorCtrl& GetPicker() { return m_wndPicker; }
    CExtColorCtrl& GetPane() { return m_wndPane; }
    // Field i in the order red, green, blue, cyan, magenta, yellow, hue, saturation, luminance.
    CEdit& GetField(int nField) { return m_arrEdits[nField]; }

    COLORREF m_clrInit;
    COLORREF m_clrNew;
    // Shown as the window text when not empty; of a text with line feeds, the part after the last.
    CString m_strCaption;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnRgbChanged();
    void OnCmyChanged();
    void OnHslChanged();
    void OnModeChanged();
    LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);

    CSpinButtonCtrl m_arrSpins[FIELD_COUNT];
    CEdit m_arrEdits[FIELD_COUNT];
    CExtComboBox m_wndModeList;
    CExtButton m_btnOk;
    CExtButton m_btnCancel;
    CExtLabel m_arrLabels[LABEL_COUNT];
    bool m_bDialogReady = false;
    bool m_bUpdating = false;
    HICON m_hIcon = nullptr;
    CExtColorCtrl m_wndPicker{CExtColorCtrl::MODE_BASIC_COLORS};
    CExtColorCtrl m_wndPane{CExtColorCtrl::MODE_DIFF};

    DECLARE_MESSAGE_MAP()

private:
    // Reads the group's three fields; on a value outside 0..255 tells the user, puts the focus
    // into that field and answers false.
    bool ReadGroup(int nGroup, int (&arrValues)[3]);
    void OnGroupChanged(int nGroup);
    void PaintIcon();
};
