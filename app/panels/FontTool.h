#pragma once
// The Font panel: face, size, bold, italic and alignment of text shapes. A change gives the
// active stage view a new text font or alignment; a selected text shape shows its own.
#include "app/panels/FlashEditorTool.h"
#include "app/panels/FontComboBox.h"
#include "ui/core/ExtButton.h"
#include "ui/core/ExtEdit.h"

#include <map>
#include <string>
#include <tuple>

class CFlashEditorView;
class CFlashShape;

class CFontTool : public CFlashEditorTool
{
public:
    static constexpr const char* kDefaultFace = "Arial";
    static constexpr int kDefaultPoints = 9;
    // Larger typed sizes are kept to this one.
    static constexpr int kMaxPoints = 1000;

    CFontTool();

    void RefreshFromView(CFlashEditorView* pView) override;
    void ApplyFont();
    // Checks the button of the first selected shape's alignment (else of the view's).
    void UpdateAlignmentButtons(CFlashEditorView* pView);

    // The whole points a typed size stands for: kDefaultPoints for text that is no number or
    // below one point, at most kMaxPoints.
    static int ParsePoints(const char* text);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnFontChanged();
    afx_msg void OnAlignLeft();
    afx_msg void OnAlignCenter();
    afx_msg void OnAlignRight();
    DECLARE_MESSAGE_MAP()

private:
    void SetAlignment(int alignment);
    // The face of the list's selected item, else its typed text.
    CString ChosenFace() const;
    // Selects the face when it is listed, else shows it as typed text.
    void ShowFace(const CString& face);
    // What to show for a font: the face and size chosen for it, not the platform's substitute
    // face and its height a pixel off.
    struct CChosenFont
    {
        std::string face;
        int points = 0;
    };
    CChosenFont ShownFont(HDC hDC, const CFlashShape& shape, const LOGFONTA& reported) const;
    void RememberChosenFont(HDC hDC, const LOGFONTA& chosen, int points);

    CFontComboBox m_faceList;
    CExtEdit m_sizeEdit;
    CExtButton m_boldButton;
    CExtButton m_italicButton;
    CExtButton m_alignLeftButton;
    CExtButton m_alignCenterButton;
    CExtButton m_alignRightButton;
    CExtButton m_justifyButton;
    // The face the platform reports for a face chosen here, mapped to the chosen one; and what
    // it reports for a font made here (face, height, weight, italic), mapped to the chosen size.
    using CReportedFont = std::tuple<std::string, LONG, LONG, BYTE>;
    static CReportedFont Key(const LOGFONTA& reported);
    std::map<std::string, std::string> m_chosenFaces;
    std::map<CReportedFont, int> m_chosenPoints;
};
