#include "app/panels/FontTool.h"

#include "app/panels/ActiveStageView.h"
#include "model/FlashShape.h"
#include "model/FlashTextShape.h"
#include "model/archive/DrawableFont.h"
#include "resources/panels/FontResources.h"
#include "stage/FlashEditorView.h"

#include "platform/mfc/ClientDC.h"

#include <cstdlib>
#include <memory>

namespace {

constexpr int kPointsPerInch = 72;

// Alignments of the view and of text shapes.
constexpr int kAlignLeft = 0;
constexpr int kAlignCenter = 1;
constexpr int kAlignRight = 2;

// The logical font the platform reports for the font on the device context.
bool ReportedLogFont(HDC hDC, const Gdiplus::Font& font, LOGFONTA& logFont)
{
    logFont = {};
    const Gdiplus::Graphics graphics(hDC);
    return font.GetLogFontA(&graphics, &logFont) == Gdiplus::Ok;
}

// Controls are written only when they change: each write repaints them at once, and the panels
// refresh on every frame during playback.
void ShowText(CWnd& control, const char* text)
{
    CString shown;
    control.GetWindowText(shown);
    if (shown != text)
        control.SetWindowText(text);
}

void ShowCheck(CExtButton& button, bool checked)
{
    if ((button.GetCheckState() == BST_CHECKED) != checked)
        button.SendMessage(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace

BEGIN_MESSAGE_MAP(CFontTool, CFlashEditorTool)
    ON_CBN_SELCHANGE(IDC_FONT_FACE, OnFontChanged)
    ON_EN_CHANGE(IDC_FONT_SIZE, OnFontChanged)
    ON_BN_CLICKED(IDC_FONT_BOLD, OnFontChanged)
    ON_BN_CLICKED(IDC_FONT_ITALIC, OnFontChanged)
    ON_BN_CLICKED(IDC_ALIGN_LEFT, OnAlignLeft)
    ON_BN_CLICKED(IDC_ALIGN_CENTER, OnAlignCenter)
    ON_BN_CLICKED(IDC_ALIGN_RIGHT, OnAlignRight)
    ON_BN_CLICKED(IDC_ALIGN_JUSTIFY, OnAlignLeft)
END_MESSAGE_MAP()

CFontTool::CFontTool() : CFlashEditorTool(IDD_FONT_TOOL, nullptr) {}

int CFontTool::ParsePoints(const char* text)
{
    const double value = text != nullptr ? std::strtod(text, nullptr) : 0.0;
    // NaN fails both tests and takes the default.
    if (value >= kMaxPoints)
        return kMaxPoints;
    if (!(value >= 1.0))
        return kDefaultPoints;
    return static_cast<int>(value);
}

void CFontTool::DoDataExchange(CDataExchange* pDX)
{
    CFlashEditorTool::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FONT_FACE, m_faceList);
    DDX_Control(pDX, IDC_FONT_SIZE, m_sizeEdit);
    DDX_Control(pDX, IDC_FONT_BOLD, m_boldButton);
    DDX_Control(pDX, IDC_FONT_ITALIC, m_italicButton);
    DDX_Control(pDX, IDC_ALIGN_LEFT, m_alignLeftButton);
    DDX_Control(pDX, IDC_ALIGN_CENTER, m_alignCenterButton);
    DDX_Control(pDX, IDC_ALIGN_RIGHT, m_alignRightButton);
    DDX_Control(pDX, IDC_ALIGN_JUSTIFY, m_justifyButton);
}

BOOL CFontTool::OnInitDialog()
{
    updating = true;
    CFlashEditorTool::OnInitDialog();
    m_faceList.FillFontNames();
    ShowFace(kDefaultFace);
    m_sizeEdit.SetWindowText(std::to_string(kDefaultPoints).c_str());
    updating = false;

    // The stage's first text font is the default one: a text set in it shows it as chosen.
    LOGFONTA chosen = {};
    ::lstrcpynA(chosen.lfFaceName, kDefaultFace, LF_FACESIZE);
    HDC hDC = ::GetDC(m_hWnd);
    chosen.lfHeight = -::MulDiv(kDefaultPoints, ::GetDeviceCaps(hDC, LOGPIXELSY), kPointsPerInch);
    RememberChosenFont(hDC, chosen, kDefaultPoints);
    ::ReleaseDC(m_hWnd, hDC);

    CExtButton* const buttons[] = {&m_boldButton,        &m_italicButton,       &m_alignLeftButton,
                                   &m_alignCenterButton, &m_alignRightButton,   &m_justifyButton};
    for (CExtButton* pButton : buttons)
    {
        CString tip;
        tip.LoadString(static_cast<UINT>(pButton->GetDlgCtrlID()));
        pButton->SetTipText(tip, true);
    }
    return TRUE;
}

CString CFontTool::ChosenFace() const
{
    CString face;
    const int selected = m_faceList.GetCurSel();
    if (selected != CB_ERR)
        m_faceList.GetLBText(selected, face);
    else
        m_faceList.GetWindowText(face);
    return face;
}

void CFontTool::ShowFace(const CString& face)
{
    const int found = m_faceList.FindStringExact(-1, face);
    if (found != m_faceList.GetCurSel())
        m_faceList.SetCurSel(found);
    if (found == CB_ERR)
        ShowText(m_faceList, face);
    m_faceList.RememberSelection();
}

CFontTool::CReportedFont CFontTool::Key(const LOGFONTA& reported)
{
    return {reported.lfFaceName, reported.lfHeight, reported.lfWeight, reported.lfItalic};
}

void CFontTool::RememberChosenFont(HDC hDC, const LOGFONTA& chosen, int points)
{
    const std::unique_ptr<Gdiplus::Font> font = CDrawableFont::Make(hDC, chosen);
    LOGFONTA reported;
    if (!ReportedLogFont(hDC, *font, reported))
        return;
    m_chosenFaces[reported.lfFaceName] = chosen.lfFaceName;
    m_chosenPoints[Key(reported)] = points;
}

CFontTool::CChosenFont CFontTool::ShownFont(HDC hDC, const CFlashShape& shape, const LOGFONTA& reported) const
{
    const int dpi = ::GetDeviceCaps(hDC, LOGPIXELSY);
    // A text read from a document names the face it was set in, also one drawn with another
    // (a substitute, or the replacement of a face GDI+ cannot draw); without a choice made here
    // its size is the one it was set in too.
    LOGFONTA asked = reported;
    const auto* pText = dynamic_cast<const CFlashTextShape*>(&shape);
    const bool named = pText != nullptr && pText->GetLogicalFont();
    if (named)
        asked = pText->GetLogicalFont()->ToLogFont();
    const auto face = m_chosenFaces.find(reported.lfFaceName);
    const auto points = m_chosenPoints.find(Key(reported));
    return {!named && face != m_chosenFaces.end() ? face->second : std::string(asked.lfFaceName),
            points != m_chosenPoints.end() ? points->second : -::MulDiv(asked.lfHeight, kPointsPerInch, dpi)};
}

void CFontTool::OnFontChanged()
{
    ApplyFont();
}

void CFontTool::ApplyFont()
{
    CFlashEditorView* pView = ActiveStageView();
    if (updating || pView == nullptr)
        return;
    updating = true;
    LOGFONTA logFont = {};
    ::lstrcpynA(logFont.lfFaceName, ChosenFace(), LF_FACESIZE);
    CString sizeText;
    m_sizeEdit.GetWindowText(sizeText);
    CClientDC dc(pView);
    const int points = ParsePoints(sizeText);
    logFont.lfHeight = -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), kPointsPerInch);
    logFont.lfWeight = m_boldButton.GetCheckState() == BST_CHECKED ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = m_italicButton.GetCheckState() == BST_CHECKED ? TRUE : FALSE;
    // A typed face that GDI+ cannot draw is set, and shown for the text, as its replacement.
    const LOGFONTA drawable = CDrawableFont::Resolve(dc, logFont);
    RememberChosenFont(dc, drawable, points);
    const Gdiplus::Font font(dc, &drawable);
    pView->SetTextFont(&font);
    updating = false;
}

void CFontTool::OnAlignLeft()
{
    SetAlignment(kAlignLeft);
}

void CFontTool::OnAlignCenter()
{
    SetAlignment(kAlignCenter);
}

void CFontTool::OnAlignRight()
{
    SetAlignment(kAlignRight);
}

void CFontTool::SetAlignment(int alignment)
{
    CFlashEditorView* pView = ActiveStageView();
    if (pView == nullptr)
        return;
    pView->SetTextAlignment(alignment);
    UpdateAlignmentButtons(pView);
}

void CFontTool::UpdateAlignmentButtons(CFlashEditorView* pView)
{
    if (pView == nullptr)
        return;
    const CFlashShape* pShape = pView->GetFirstSelectedShape();
    const int alignment = pShape != nullptr ? pShape->GetTextAlignment() : pView->GetTextAlignment();
    const std::pair<CExtButton*, bool> checks[] = {
        {&m_alignLeftButton, alignment == kAlignLeft},
        {&m_alignCenterButton, alignment == kAlignCenter},
        {&m_alignRightButton, alignment == kAlignRight},
        {&m_justifyButton, false},
    };
    for (const auto& [pButton, checked] : checks)
        ShowCheck(*pButton, checked);
}

void CFontTool::RefreshFromView(CFlashEditorView* pView)
{
    if (updating || pView == nullptr)
        return;
    UpdateAlignmentButtons(pView);
    const CFlashShape* pShape = pView->GetFirstSelectedShape();
    const Gdiplus::Font* pFont = pShape != nullptr ? pShape->GetFont() : nullptr;
    if (pFont == nullptr)
        return;
    CClientDC dc(pView);
    LOGFONTA logFont;
    if (!ReportedLogFont(dc, *pFont, logFont))
        return;
    updating = true;
    ShowCheck(m_boldButton, logFont.lfWeight == FW_BOLD);
    ShowCheck(m_italicButton, logFont.lfItalic != 0);
    const CChosenFont shown = ShownFont(dc, *pShape, logFont);
    ShowText(m_sizeEdit, std::to_string(shown.points).c_str());
    ShowFace(shown.face.c_str());
    updating = false;
}
