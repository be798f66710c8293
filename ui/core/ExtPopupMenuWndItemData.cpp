#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <algorithm>

namespace {

constexpr int TEXT_HEIGHT_PADDING = 4;
constexpr int ICON_HEIGHT_PADDING = 4;
constexpr int SMALL_ICON_SQUARE_LIMIT = 18;
constexpr int ICON_AREA_GAP = 2;
constexpr int CLICK_ICON_AREA_EXTRA = 4;
constexpr int BUTTON_HEIGHT_SHRINK = 2;
constexpr int BUTTON_WIDTH_EXTRA = 36;
constexpr int ITEM_WIDTH_EXTRA = 44;
constexpr int INPLACE_WIDTH_EXTRA = 38;
constexpr int INPLACE_HEIGHT_SHRINK = 2;

LPCSTR ProfileNameOf(HWND hWnd)
{
    return hWnd != nullptr ? g_CmdManager->FindProfileNameForWindow(hWnd) : nullptr;
}

CString WithoutAmpersands(CString s)
{
    s.Replace("&", "");
    return s;
}

}  // namespace

bool CExtPopupMenuWnd::MENUITEMDATA::IsRarelyUsed() const
{
    if (IsSeparator() || IsSubmenu() || IsCustom())
        return false;
    const CExtCmdItem* pCmd = g_CmdManager->FindCommand(ProfileNameOf(hWndCmdTarget), nCmdId);
    return pCmd != nullptr && pCmd->IsRarelyUsed();
}

const CExtCmdIcon* CExtPopupMenuWnd::MENUITEMDATA::GetDisplayIcon() const
{
    if (IsSeparator())
        return nullptr;
    const CExtCmdIcon* pIcon = (IsSubmenu() || IsCustom())
                                   ? &icon
                                   : g_CmdManager->GetCommandIcon(ProfileNameOf(hWndCmdTarget), nCmdId);
    return (pIcon == nullptr || pIcon->HasNoImage()) ? nullptr : pIcon;
}

void CExtPopupMenuWnd::MENUITEMDATA::SetTexts(const CString& sFull)
{
    const int nTab = sFull.Find('\t');
    if (nTab < 0) {
        sText = sFull;
    } else {
        sText = sFull.Left(nTab);
        sAccelText = sFull.Mid(nTab + 1);
    }
    UpdateAccelChar();
}

bool CExtPopupMenuWnd::MENUITEMDATA::RefreshFromCommand()
{
    if (IsSeparator() || IsSubmenu() || IsCustom())
        return false;
    const CExtCmdItem* pCmd = g_CmdManager->FindCommand(ProfileNameOf(hWndCmdTarget), nCmdId);
    if (pCmd == nullptr)
        return false;
    CString sFull = !pCmd->m_sMenuText.IsEmpty() ? pCmd->m_sMenuText : pCmd->m_sToolbarText;
    if (!sFull.IsEmpty()) {
        sAccelText.Empty();
        SetTexts(sFull);
    }
    if (!pCmd->m_sAccelText.IsEmpty())
        sAccelText = pCmd->m_sAccelText;
    return true;
}

void CExtPopupMenuWnd::MENUITEMDATA::UpdateAccelChar()
{
    cAccelChar = 0;
    const int nAmp = sText.Find('&');
    if (nAmp < 0 || nAmp + 1 >= sText.GetLength())
        return;
    char sz[2] = {sText[nAmp + 1], 0};
    ::CharUpperA(sz);
    cAccelChar = sz[0];
}

void CExtPopupMenuWnd::MENUITEMDATA::ComputeItemSize()
{
    UpdateAccelChar();
    CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
    if (IsSeparator()) {
        nWidth = 0;
        nHeight = pPM->GetMenuSeparatorHeight();
        return;
    }
    CString sMeasured = WithoutAmpersands(sText);
    if (!sAccelText.IsEmpty() && !IsInplaceEdit())
        sMeasured += WithoutAmpersands(sAccelText);
    RECT rcText = {};
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOldFont = ::SelectObject(hDC, pPM->m_FontNormal.GetSafeHandle());
    ::DrawTextA(hDC, sMeasured.IsEmpty() ? " " : static_cast<LPCSTR>(sMeasured), -1, &rcText,
                DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(nullptr, hDC);
    const int nTextWidth = sMeasured.IsEmpty() ? 0 : rcText.right - rcText.left;
    const int nTextHeight = rcText.bottom - rcText.top;

    const bool bButton = (nFlagsA & A_BUTTON_STYLE) != 0;
    const CExtCmdIcon* pIcon = bButton ? nullptr : GetDisplayIcon();
    int nIconArea = 0;
    int nIconHeight = 0;
    if (pIcon != nullptr) {
        CSize size = pIcon->GetImageSize();
        if (CExtPopupBaseWnd::g_bLargeMenuIcons) {
            size.cx *= 2;
            size.cy *= 2;
        }
        size.cx = std::max<LONG>(size.cx, MIN_ICON_SIZE);
        size.cy = std::max<LONG>(size.cy, MIN_ICON_SIZE);
        if (size.cx <= SMALL_ICON_SQUARE_LIMIT)
            size.cy = std::max(size.cy, size.cx);
        nIconArea = std::max<int>(MIN_ICON_SIZE, size.cx);
        nIconHeight = size.cy;
    }
    nHeight = std::max({nTextHeight + TEXT_HEIGHT_PADDING, nIconHeight + ICON_HEIGHT_PADDING, MIN_ITEM_HEIGHT});
    if (bButton && pIcon == nullptr)
        nHeight -= BUTTON_HEIGHT_SHRINK;
    nIconArea = std::max(nHeight, nIconArea);
    if (pfnClick != nullptr)
        nIconArea = nIconArea * 2 + CLICK_ICON_AREA_EXTRA;
    nIconAreaWidth = nIconArea + ICON_AREA_GAP;
    if (IsInplaceEdit()) {
        nWidth = nTextWidth + nInplaceEditWidth + INPLACE_WIDTH_EXTRA;
        if (CExtPopupBaseWnd::g_bLargeMenuIcons)
            nWidth += nIconAreaWidth;
        else
            nHeight -= INPLACE_HEIGHT_SHRINK;
    } else if (bButton)
        nWidth = nTextWidth + BUTTON_WIDTH_EXTRA;
    else
        nWidth = nIconArea + nTextWidth + ITEM_WIDTH_EXTRA;
}
