// The colour dialog: template controls, the nine value fields in step with the picker and the
// pane, the mode list and the minimised icon.
#include "ui/controls/ExtColorDlg.h"

#include "platform/mfc/DataExchange.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/PaintDC.h"
#include "resources/controls/ColorDialogResources.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtResourceManager.h"

#include <algorithm>
#include <cstdio>

IMPLEMENT_DYNCREATE(CExtColorDlg, CExtResizableDialog)

namespace {
constexpr int MAX_VALUE = 255;
constexpr int FIELDS_PER_GROUP = 3;
constexpr char OUT_OF_RANGE_TEXT[] = "Value must be in range 0..255";

// One value field: its edit, spin button and caption, in the order of the dialog's field arrays.
struct FieldIds
{
    int nEdit;
    int nSpin;
    int nLabel;
};
constexpr FieldIds FIELDS[CExtColorDlg::FIELD_COUNT] = {
    {IDC_EXT_COLOR_RED, IDC_EXT_COLOR_RED_SPIN, IDC_EXT_COLOR_RED_LABEL},
    {IDC_EXT_COLOR_GREEN, IDC_EXT_COLOR_GREEN_SPIN, IDC_EXT_COLOR_GREEN_LABEL},
    {IDC_EXT_COLOR_BLUE, IDC_EXT_COLOR_BLUE_SPIN, IDC_EXT_COLOR_BLUE_LABEL},
    {IDC_EXT_COLOR_CYAN, IDC_EXT_COLOR_CYAN_SPIN, IDC_EXT_COLOR_CYAN_LABEL},
    {IDC_EXT_COLOR_MAGENTA, IDC_EXT_COLOR_MAGENTA_SPIN, IDC_EXT_COLOR_MAGENTA_LABEL},
    {IDC_EXT_COLOR_YELLOW, IDC_EXT_COLOR_YELLOW_SPIN, IDC_EXT_COLOR_YELLOW_LABEL},
    {IDC_EXT_COLOR_HUE, IDC_EXT_COLOR_HUE_SPIN, IDC_EXT_COLOR_HUE_LABEL},
    {IDC_EXT_COLOR_SAT, IDC_EXT_COLOR_SAT_SPIN, IDC_EXT_COLOR_SAT_LABEL},
    {IDC_EXT_COLOR_LUM, IDC_EXT_COLOR_LUM_SPIN, IDC_EXT_COLOR_LUM_LABEL},
};
constexpr int FURTHER_LABELS[CExtColorDlg::LABEL_COUNT - CExtColorDlg::FIELD_COUNT] = {
    IDC_EXT_COLOR_NEW_LABEL, IDC_EXT_COLOR_INITIAL_LABEL, IDC_EXT_COLOR_RANGE_LABEL};

// A field's text as a value: empty reads 0; anything but digits, or a number above 255, is -1.
int ParseField(const CString& strText)
{
    if (strText.IsEmpty())
        return 0;
    int nValue = 0;
    for (int i = 0; i < strText.GetLength(); ++i) {
        const char ch = strText[i];
        if (ch < '0' || ch > '9')
            return -1;
        nValue = nValue * 10 + (ch - '0');
        if (nValue > MAX_VALUE)
            return -1;
    }
    return nValue;
}

// A fraction 0..1 as a field value, rounded.
int ToFieldValue(double dFraction)
{
    return std::min(MAX_VALUE, static_cast<int>(dFraction * MAX_VALUE + 0.5));
}

// A field value as a fraction 0..1, taken from the middle of its step.
double FromFieldValue(int nValue)
{
    return std::min(1.0, (nValue + 0.5) / MAX_VALUE);
}
} // namespace

BEGIN_MESSAGE_MAP(CExtColorDlg, CExtResizableDialog)
    ON_EN_CHANGE(IDC_EXT_COLOR_RED, OnRgbChanged)
    ON_EN_CHANGE(IDC_EXT_COLOR_GREEN, OnRgbChanged)
    ON_EN_CHANGE(IDC_EXT_COLOR_BLUE, OnRgbChanged)
    ON_EN_CHANGE(IDC_EXT_COLOR_CYAN, OnCmyChanged)
    ON_EN_CHANGE(IDC_EXT_COLOR_MAGENTA, OnCmyChanged)
    ON_EN_CHANGE(IDC_EXT_COLOR_YELLOW, OnCmyChanged)
    ON_EN_CHANGE(IDC_EXT_COLOR_HUE, OnHslChanged)
    ON_EN_CHANGE(IDC_EXT_COLOR_SAT, OnHslChanged)
    ON_EN_CHANGE(IDC_EXT_COLOR_LUM, OnHslChanged)
    ON_CBN_SELCHANGE(IDC_EXT_COLOR_MODE_LIST, OnModeChanged)
    ON_REGISTERED_MESSAGE(CExtColorCtrl::g_nMsgColorChanged, OnColorChanged)
END_MESSAGE_MAP()

CExtColorDlg::CExtColorDlg(COLORREF clrInit, COLORREF clrNew, CWnd* pParent)
    : CExtResizableDialog(IDD_EXT_COLOR_DLG, pParent), m_clrInit(clrInit), m_clrNew(clrNew)
{
    m_hIcon = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_EXT_COLOR_DLG), IMAGE_ICON,
                                              0, 0, LR_DEFAULTSIZE));
}

CExtColorDlg::~CExtColorDlg()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

bool CExtColorDlg::PickCustomColor(HWND hWndParent, COLORREF clrCurrent, COLORREF& clrChosen)
{
    CExtColorDlg dlg(clrCurrent, clrCurrent, CWnd::FromHandle(hWndParent));
    if (dlg.DoModal() != IDOK)
        return false;
    clrChosen = dlg.m_clrNew;
    return true;
}

INT_PTR CExtColorDlg::DoModal()
{
    m_bDialogReady = false;
    const INT_PTR nResult = CExtResizableDialog::DoModal();
    m_bDialogReady = false;
    return nResult;
}

void CExtColorDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    for (int i = 0; i < FIELD_COUNT; ++i) {
        DDX_Control(pDX, FIELDS[i].nSpin, m_arrSpins[i]);
        DDX_Control(pDX, FIELDS[i].nEdit, m_arrEdits[i]);
        DDX_Control(pDX, FIELDS[i].nLabel, m_arrLabels[i]);
    }
    for (int i = FIELD_COUNT; i < LABEL_COUNT; ++i)
        DDX_Control(pDX, FURTHER_LABELS[i - FIELD_COUNT], m_arrLabels[i]);
    DDX_Control(pDX, IDC_EXT_COLOR_MODE_LIST, m_wndModeList);
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_EXT_COLOR_PICKER, m_wndPicker);
    DDX_Control(pDX, IDC_EXT_COLOR_PANE, m_wndPane);
}

BOOL CExtColorDlg::OnInitDialog()
{
    m_bDialogReady = false;
    if (!CExtResizableDialog::OnInitDialog())
        return FALSE;

    m_wndModeList.SendMessage(CB_RESETCONTENT);
    for (int nMode = 0; nMode < CExtColorCtrl::MODE_DIFF; ++nMode)
        m_wndModeList.AddString(CExtColorCtrl::GetModeName(nMode));

    if (m_hIcon != nullptr) {
        SetIcon(m_hIcon, TRUE);
        SetIcon(m_hIcon, FALSE);
    }

    if (!m_strCaption.IsEmpty()) {
        CString strCaption = m_strCaption;
        const int nLineFeed = strCaption.ReverseFind('\n');
        if (nLineFeed > 0)
            strCaption = strCaption.Mid(nLineFeed + 1);
        if (!strCaption.IsEmpty())
            SetWindowText(strCaption);
    }

    m_wndPicker.SetOldColor(m_clrInit);
    m_wndPicker.SetPreviousColor(m_clrInit);
    m_wndPicker.SetCurrentColor(m_clrNew, false);
    m_wndPicker.RedrawCurrentMode(true);
    m_wndPane.SetOldColor(m_clrInit);
    m_wndPane.SetPreviousColor(m_clrInit);
    m_wndPane.SetCurrentColor(m_clrInit, false);
    m_wndPane.RedrawCurrentMode(true);
    m_wndModeList.SetCurSel(m_wndPicker.GetMode());

    AnchorDialogItem(IDC_EXT_COLOR_MODE_LIST, 0, 0, 100, 0);
    AnchorDialogItem(IDC_EXT_COLOR_PICKER, 0, 0, 100, 100);
    for (const FieldIds& field : FIELDS)
        for (int nId : {field.nSpin, field.nEdit, field.nLabel})
            AnchorDialogItem(nId, 100, 0);
    for (int nId : FURTHER_LABELS)
        AnchorDialogItem(nId, 100, 0);
    AnchorDialogItem(IDC_EXT_COLOR_PANE, 100, 0);
    AnchorDialogItem(IDOK, 0, 100);
    AnchorDialogItem(IDCANCEL, 0, 100);
    ShowSizeGripper(true);

    for (CSpinButtonCtrl& spin : m_arrSpins)
        spin.SetRange(0, MAX_VALUE);

    m_bDialogReady = true;
    if (!m_bUpdating) {
        m_bUpdating = true;
        SyncValueFields(m_wndPicker.GetCurrentColor(), true, true, true);
        m_bUpdating = false;
    }
    m_wndPane.SetCurrentColor(m_clrInit, false);
    return TRUE;
}

void CExtColorDlg::SyncValueFields(COLORREF clr, bool bRgb, bool bCmy, bool bHsl)
{
    int arrValues[FIELD_COUNT] = {};
    const COLORREF clrInks = CExtPaintManager::InvertColor(clr);
    const COLORREF arrSources[] = {clr, clrInks};
    for (int nGroup : {GROUP_RGB, GROUP_CMY}) {
        arrValues[nGroup * FIELDS_PER_GROUP + 0] = GetRValue(arrSources[nGroup]);
        arrValues[nGroup * FIELDS_PER_GROUP + 1] = GetGValue(arrSources[nGroup]);
        arrValues[nGroup * FIELDS_PER_GROUP + 2] = GetBValue(arrSources[nGroup]);
    }
    double dHue = 0.0, dSaturation = 0.0, dLightness = 0.0;
    CExtPaintManager::ColorToHueSatLight(clr, &dHue, &dSaturation, &dLightness);
    arrValues[GROUP_HSL * FIELDS_PER_GROUP + 0] = ToFieldValue(dHue);
    arrValues[GROUP_HSL * FIELDS_PER_GROUP + 1] = ToFieldValue(dSaturation);
    arrValues[GROUP_HSL * FIELDS_PER_GROUP + 2] = ToFieldValue(dLightness);

    const bool arrWrite[] = {bRgb, bCmy, bHsl};
    for (int i = 0; i < FIELD_COUNT; ++i) {
        if (!arrWrite[i / FIELDS_PER_GROUP] || m_arrEdits[i].m_hWnd == nullptr)
            continue;
        char szText[16];
        std::snprintf(szText, sizeof szText, "%d", arrValues[i]);
        m_arrEdits[i].SetWindowText(szText);
    }
    if (clr != m_wndPicker.GetCurrentColor())
        m_wndPicker.SetCurrentColor(clr, false);
    if (clr != m_wndPane.GetCurrentColor())
        m_wndPane.SetCurrentColor(clr, false);
    m_clrNew = m_wndPicker.GetCurrentColor();
}

bool CExtColorDlg::ReadGroup(int nGroup, int (&arrValues)[3])
{
    for (int i = 0; i < FIELDS_PER_GROUP; ++i) {
        CEdit& edit = m_arrEdits[nGroup * FIELDS_PER_GROUP + i];
        CString strText;
        edit.GetWindowText(strText);
        arrValues[i] = ParseField(strText);
        if (arrValues[i] >= 0)
            continue;
        const CString strMessage =
            g_ResourceManagerHolder->LoadStringOrDefault(IDS_EXT_COLOR_OUT_OF_RANGE, OUT_OF_RANGE_TEXT);
        UINT nType = MB_OK;
        if (g_ResourceManagerHolder->IsRightToLeftLanguage())
            nType |= MB_RTLREADING;
        ::AfxMessageBox(strMessage, nType);
        if (::IsWindow(edit.m_hWnd))
            edit.SetFocus();
        return false;
    }
    return true;
}

void CExtColorDlg::OnGroupChanged(int nGroup)
{
    if (!m_bDialogReady || m_bUpdating)
        return;
    m_bUpdating = true;
    int arrValues[FIELDS_PER_GROUP] = {};
    if (ReadGroup(nGroup, arrValues)) {
        COLORREF clr = RGB(arrValues[0], arrValues[1], arrValues[2]);
        if (nGroup == GROUP_CMY)
            clr = CExtPaintManager::InvertColor(clr);
        else if (nGroup == GROUP_HSL)
            clr = CExtPaintManager::HueLightSatToColor(FromFieldValue(arrValues[0]), FromFieldValue(arrValues[2]),
                                                       FromFieldValue(arrValues[1]));
        SyncValueFields(clr, nGroup != GROUP_RGB, nGroup != GROUP_CMY, nGroup != GROUP_HSL);
    }
    m_bUpdating = false;
}

void CExtColorDlg::OnRgbChanged() { OnGroupChanged(GROUP_RGB); }
void CExtColorDlg::OnCmyChanged() { OnGroupChanged(GROUP_CMY); }
void CExtColorDlg::OnHslChanged() { OnGroupChanged(GROUP_HSL); }

LRESULT CExtColorDlg::OnColorChanged(WPARAM wParam, LPARAM lParam)
{
    if (m_bUpdating)
        return 0;
    // The notification points at the sender's old, current and previous colours.
    COLORREF clr = 0;
    if (lParam != 0)
        clr = reinterpret_cast<const COLORREF*>(lParam)[1];
    else if (reinterpret_cast<HWND>(wParam) == m_wndPane.m_hWnd)
        clr = m_wndPane.GetCurrentColor();
    else
        clr = m_wndPicker.GetCurrentColor();
    m_bUpdating = true;
    SyncValueFields(clr, true, true, true);
    m_bUpdating = false;
    return 0;
}

void CExtColorDlg::OnModeChanged()
{
    if (!m_bDialogReady)
        return;
    const int nMode = m_wndModeList.GetCurSel();
    // A list answering CB_ERR keeps the mode shown.
    if (nMode < 0 || nMode >= CExtColorCtrl::MODE_DIFF)
        return;
    m_wndPicker.InvalidateModeCaches();
    m_wndPicker.SetMode(nMode);
    m_wndPicker.RedrawCurrentMode(false);
    m_wndPicker.Invalidate();
    m_wndPicker.UpdateWindow();
}

void CExtColorDlg::PaintIcon()
{
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT rc{};
    GetClientRect(&rc);
    const int x = (rc.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    if (m_hIcon != nullptr)
        ::DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
}

LRESULT CExtColorDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        if (IsIconic()) {
            PaintIcon();
            return 0;
        }
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_CONTEXTMENU:
        return 0;
    case WM_SIZE: {
        const LRESULT lResult = CExtResizableDialog::WindowProc(message, wParam, lParam);
        Invalidate();
        UpdateWindow();
        return lResult;
    }
    default:
        break;
    }
    return CExtResizableDialog::WindowProc(message, wParam, lParam);
}
