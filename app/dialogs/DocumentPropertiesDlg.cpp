#include "app/dialogs/DocumentPropertiesDlg.h"

#include "model/FlashEditorDoc.h"
#include "resources/dialogs/DocumentPropertiesResources.h"

#include "platform/mfc/DataExchange.h"

#include <cmath>
#include <cstdlib>

namespace {

struct CRulerUnit {
    double factor;  // value in the unit = pixels x factor
    const char* suffix;
};

constexpr CRulerUnit kRulerUnits[] = {
    {1.0, "px"},
    {1.0, "pt"},
    {1.0 / 72.0, "''"},
    {1.0 / 2.85, "mm"},
};
constexpr int kRulerUnitCount = int(sizeof kRulerUnits / sizeof kRulerUnits[0]);

const CRulerUnit& RulerUnit(int units)
{
    return kRulerUnits[units >= 0 && units < kRulerUnitCount ? units : 0];
}

} // namespace

IMPLEMENT_DYNCREATE(CDocumentPropertiesDlg, CDialog)

BEGIN_MESSAGE_MAP(CDocumentPropertiesDlg, CDialog)
    ON_CONTROL_RANGE(EN_SETFOCUS, IDC_DOCPROP_WIDTH, IDC_DOCPROP_FRAME_RATE, OnEditSetFocus)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_DOCPROP_WIDTH, IDC_DOCPROP_FRAME_RATE, OnEditKillFocus)
    ON_CBN_SELCHANGE(IDC_DOCPROP_UNITS, OnUnitsChanged)
END_MESSAGE_MAP()

CDocumentPropertiesDlg::CDocumentPropertiesDlg() : CDialog(IDD_DOCUMENT_PROPERTIES)
{
}

double CDocumentPropertiesDlg::PixelsToUnits(double pixels, int units)
{
    return pixels * RulerUnit(units).factor;
}

double CDocumentPropertiesDlg::UnitsToPixels(double value, int units)
{
    return value / RulerUnit(units).factor;
}

void CDocumentPropertiesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DOCPROP_WIDTH, m_editWidth);
    DDX_Control(pDX, IDC_DOCPROP_HEIGHT, m_editHeight);
    DDX_Control(pDX, IDC_DOCPROP_FRAME_RATE, m_editFrameRate);
    DDX_Control(pDX, IDC_DOCPROP_UNITS, m_comboUnits);
    DDX_Control(pDX, IDC_DOCPROP_BACKGROUND, m_buttonBackground);
}

BOOL CDocumentPropertiesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_buttonBackground.m_clrSelected = m_pDocument->GetBackgroundColor();
    m_nUnits = m_pDocument->GetUnits();
    m_dWidth = PixelsToUnits(m_pDocument->GetStageWidth(), m_nUnits);
    m_dHeight = PixelsToUnits(m_pDocument->GetStageHeight(), m_nUnits);
    m_nFrameRate = m_pDocument->GetFrameRate();
    CString text;
    text.Format("%d", m_nFrameRate);
    m_editFrameRate.SetWindowText(text);
    m_comboUnits.SetCurSel(m_nUnits);
    UpdateSizeTexts();
    return TRUE;
}

void CDocumentPropertiesDlg::OnOK()
{
    ParseEdits();
    CDialog::OnOK();
}

void CDocumentPropertiesDlg::OnEditSetFocus(UINT nID)
{
    CWnd* pEdit = GetDlgItem(nID);
    if (pEdit == nullptr)
        return;
    pEdit->SendMessage(EM_SETSEL, 0, -1);
    pEdit->SendMessage(EM_SCROLLCARET);
}

void CDocumentPropertiesDlg::OnEditKillFocus(UINT)
{
    ParseEdits();
}

void CDocumentPropertiesDlg::OnUnitsChanged()
{
    const int nSelected = m_comboUnits.GetCurSel();
    const int nUnits = nSelected >= 0 && nSelected < kRulerUnitCount ? nSelected : 0;
    m_dWidth = PixelsToUnits(UnitsToPixels(m_dWidth, m_nUnits), nUnits);
    m_dHeight = PixelsToUnits(UnitsToPixels(m_dHeight, m_nUnits), nUnits);
    m_nUnits = nUnits;
    UpdateSizeTexts();
}

void CDocumentPropertiesDlg::UpdateSizeTexts()
{
    const char* suffix = RulerUnit(m_nUnits).suffix;
    CString text;
    text.Format("%5.2f %s", m_dWidth, suffix);
    m_editWidth.SetWindowText(text);
    text.Format("%5.2f %s", m_dHeight, suffix);
    m_editHeight.SetWindowText(text);
}

bool CDocumentPropertiesDlg::ParseSideText(const char* text, int units, double& value)
{
    CString token(text);
    token.Trim();
    const int nSpace = token.Find(' ');
    if (nSpace >= 0)
        token = token.Left(nSpace);
    const char* begin = token.GetString();
    char* end = nullptr;
    const double typed = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(typed))
        return false;
    const double pixels = UnitsToPixels(typed, units);
    if (!(pixels >= kMinStageSide && pixels <= kMaxStageSide))
        return false;
    value = typed;
    return true;
}

bool CDocumentPropertiesDlg::ParseFrameRateText(const char* text, int& rate)
{
    CString trimmed(text);
    trimmed.Trim();
    char* end = nullptr;
    const long typed = std::strtol(trimmed.GetString(), &end, 10);
    if (end == trimmed.GetString() || typed < kMinFrameRate || typed > kMaxFrameRate)
        return false;
    rate = int(typed);
    return true;
}

void CDocumentPropertiesDlg::ParseEdits()
{
    // A refused text changes nothing; the next update of the texts shows the kept value.
    CString text;
    m_editWidth.GetWindowText(text);
    ParseSideText(text, m_nUnits, m_dWidth);
    m_editHeight.GetWindowText(text);
    ParseSideText(text, m_nUnits, m_dHeight);
    m_editFrameRate.GetWindowText(text);
    ParseFrameRateText(text, m_nFrameRate);
    UpdateSizeTexts();
}

void CDocumentPropertiesDlg::EditDocument(CFlashEditorDoc* pDocument)
{
    if (pDocument == nullptr)
        return;
    m_pDocument = pDocument;
    if (DoModal() != IDOK)
        return;
    // Rounded, not truncated: a unit's round trip may land a hair below the whole pixel.
    pDocument->SetBackgroundColor(m_buttonBackground.m_clrSelected);
    pDocument->SetStageWidth(int(std::lround(UnitsToPixels(m_dWidth, m_nUnits))));
    pDocument->SetStageHeight(int(std::lround(UnitsToPixels(m_dHeight, m_nUnits))));
    pDocument->SetUnits(m_nUnits);
    pDocument->SetFrameRate(m_nFrameRate);
    pDocument->GetUndoManager().AddUndoStep("Modify Document Properties", nullptr, true);
}
