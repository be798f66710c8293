#include "platform/mfc/ColorDialog.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

namespace
{
constexpr int kCustomColorCount = 16;
constexpr COLORREF kWhite = RGB(255, 255, 255);
}

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF colors[kCustomColorCount] = {kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite,
                                                 kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite};
    return colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd), m_cc()
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    if ((m_cc.rgbResult = clrInit) != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = OwnerWindow();
    BOOL bResult = ::ChooseColorA(&m_cc);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}
