#pragma once
// The document properties dialog: stage size in a chosen ruler unit, frame rate and background
// colour; OK writes them into the document as one undo step.
#include "platform/mfc/Dialog.h"
#include "platform/mfc/Edit.h"
#include "ui/core/ExtColorButton.h"
#include "ui/core/ExtComboBox.h"

class CFlashEditorDoc;

// Stage sides the dialog accepts, in pixels.
constexpr int kMinStageSide = 1;
constexpr int kMaxStageSide = 4096;
// Frame rates the dialog accepts; SWF stores the rate in one byte.
constexpr int kMinFrameRate = 1;
constexpr int kMaxFrameRate = 255;

class CDocumentPropertiesDlg : public CDialog
{
    DECLARE_DYNCREATE(CDocumentPropertiesDlg)
public:
    CDocumentPropertiesDlg();

    // Runs the dialog on the document; OK stores the values and records "Modify Document
    // Properties", anything else leaves the document untouched.
    void EditDocument(CFlashEditorDoc* pDocument);

    // Pixels to the unit (0 Pixels, 1 Points, 2 Inches, 3 Millimeters) and back.
    static double PixelsToUnits(double pixels, int units);
    static double UnitsToPixels(double value, int units);
    // A side typed in the unit: the text up to its first space as a number whose pixel size is
    // accepted. False (value untouched) otherwise.
    static bool ParseSideText(const char* text, int units, double& value);
    // A frame rate typed as a whole number within the accepted range; false otherwise.
    static bool ParseFrameRateText(const char* text, int& rate);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter after typing keeps the typed values.
    void OnOK() override;

    afx_msg void OnEditSetFocus(UINT nID);
    afx_msg void OnEditKillFocus(UINT nID);
    afx_msg void OnUnitsChanged();
    DECLARE_MESSAGE_MAP()

private:
    void UpdateSizeTexts();
    void ParseEdits();

    double m_dWidth = 0;
    double m_dHeight = 0;
    int m_nFrameRate = 0;
    int m_nUnits = 0;
    CFlashEditorDoc* m_pDocument = nullptr;
    CEdit m_editWidth;
    CEdit m_editHeight;
    CEdit m_editFrameRate;
    CExtComboBox m_comboUnits;
    CExtColorButton m_buttonBackground;
};
