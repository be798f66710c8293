#include "ui/core/ExtPopupColorMenuWnd.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtResourceManager.h"
#include "ui/core/ExtSoundPlayer.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CExtPopupColorMenuWnd, CExtPopupMenuWnd)

const UINT CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged");
const UINT CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally");
const UINT CExtPopupColorMenuWnd::g_nMsgNotifyCustColor =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyCustColor");

const CExtPopupColorMenuWnd::PaletteEntry CExtPopupColorMenuWnd::g_palette[CELL_COUNT] = {
    {RGB(0, 0, 0), "Black"},
    {RGB(165, 42, 0), "Brown"},
    {RGB(0, 64, 64), "Dark Olive Green"},
    {RGB(0, 85, 0), "Dark Green"},
    {RGB(0, 0, 94), "Dark Teal"},
    {RGB(0, 0, 139), "Dark blue"},
    {RGB(75, 0, 130), "Indigo"},
    {RGB(40, 40, 40), "Dark grey"},
    {RGB(139, 0, 0), "Dark red"},
    {RGB(255, 104, 32), "Orange"},
    {RGB(139, 139, 0), "Dark yellow"},
    {RGB(0, 147, 0), "Green"},
    {RGB(56, 142, 142), "Teal"},
    {RGB(0, 0, 255), "Blue"},
    {RGB(123, 123, 192), "Blue-grey"},
    {RGB(102, 102, 102), "Grey - 50"},
    {RGB(255, 0, 0), "Red"},
    {RGB(255, 173, 91), "Light orange"},
    {RGB(50, 205, 50), "Lime"},
    {RGB(60, 179, 113), "Sea green"},
    {RGB(127, 255, 212), "Aqua"},
    {RGB(125, 158, 192), "Light blue"},
    {RGB(128, 0, 128), "Violet"},
    {RGB(127, 127, 127), "Grey - 40"},
    {RGB(255, 192, 203), "Pink"},
    {RGB(255, 215, 0), "Gold"},
    {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 255, 0), "Bright green"},
    {RGB(64, 224, 208), "Turquoise"},
    {RGB(192, 255, 255), "Skyblue"},
    {RGB(72, 0, 72), "Plum"},
    {RGB(192, 192, 192), "Light grey"},
    {RGB(255, 228, 225), "Rose"},
    {RGB(210, 180, 140), "Tan"},
    {RGB(255, 255, 224), "Light yellow"},
    {RGB(152, 251, 152), "Pale green "},
    {RGB(175, 238, 238), "Pale turquoise"},
    {RGB(104, 131, 139), "Pale blue"},
    {RGB(230, 230, 250), "Lavender"},
    {RGB(255, 255, 255), "White"},
};

namespace {

// Space around the palette and the buttons, in pixels.
constexpr int CELL_INSET = 2;
constexpr int BUTTON_INSET = 3;
constexpr int CAPTION_PADDING = 6;
constexpr int PALETTE_WIDTH = 160;
constexpr int PALETTE_HEIGHT = 100;
constexpr int DEFAULT_BUTTON_GAP = 6;
constexpr int CUSTOM_BUTTON_EXTRA = 7;
constexpr int PALETTE_BOTTOM = 102;
constexpr int DEFAULT_SEPARATOR_OFFSET = 3;
constexpr int CUSTOM_SEPARATOR_OFFSET = 2;
constexpr int SWATCH_INSET = 2;
constexpr int CLR_SWATCH_FRAME = 21;

void PlayCommandSound()
{
    if (CExtSoundPlayer* pPlayer = CExtSoundPlayer::GetInstance())
        pPlayer->PlayUiSound(CExtSoundPlayer::SOUND_MENU_COMMAND);
}

int CaptionWidth(CDC& dc, const CString& sCaption)
{
    CString sPlain(sCaption);
    sPlain.Remove('&');
    return dc.GetTextExtent(sPlain).cx;
}

}  // namespace

CExtPopupColorMenuWnd::CExtPopupColorMenuWnd()
    : m_sDefaultCaption(g_ResourceManagerHolder->LoadStringOrDefault(IDS_DEFAULT_CAPTION, "Default Color")),
      m_sCustomCaption(g_ResourceManagerHolder->LoadStringOrDefault(IDS_CUSTOM_CAPTION, "Custom Color ..."))
{
}

CExtPopupColorMenuWnd::Layout CExtPopupColorMenuWnd::ComputeLayout(const LayoutInput& in)
{
    const int b = in.nBorder, s = in.nShadow, h = in.nSeparator, t = in.nTextHeight;
    Layout out{};
    int cx = s + 2 * b + PALETTE_WIDTH;
    // The default button spans the width reached before the custom caption is measured.
    if (in.bDefault) {
        cx = std::max(cx, in.nDefaultCaptionWidth + CAPTION_PADDING);
        out.rcDefault = {b + BUTTON_INSET, b + BUTTON_INSET, cx - s - b - BUTTON_INSET, b + BUTTON_INSET + t};
    }
    const int nDefaultBlock = in.bDefault ? h + t + DEFAULT_BUTTON_GAP : 0;
    int cy = in.bDefault ? s + 2 * b + h + t + PALETTE_HEIGHT + DEFAULT_BUTTON_GAP : s + 2 * b + PALETTE_HEIGHT;
    if (in.bCustom) {
        cx = std::max(cx, in.nCustomCaptionWidth + CAPTION_PADDING);
        cy += h + t + CUSTOM_BUTTON_EXTRA;
        const int nTop = b + BUTTON_INSET + nDefaultBlock + b + PALETTE_BOTTOM;
        out.rcCustom = {b + BUTTON_INSET, nTop, cx - s - b - BUTTON_INSET, nTop + t};
    }
    out.sizeContent = CSize(cx, cy);
    out.nCellsTop = b + CELL_INSET + nDefaultBlock;
    return out;
}

RECT CExtPopupColorMenuWnd::CellRect(int nCell, int nBorder, int nCellsTop)
{
    const int nLeft = nBorder + CELL_PITCH * (nCell % COLUMNS) + CELL_INSET;
    const int nTop = nCellsTop + CELL_PITCH * (nCell / COLUMNS);
    return {nLeft, nTop, nLeft + CELL_SIZE, nTop + CELL_SIZE};
}

CExtPopupColorMenuWnd::Layout CExtPopupColorMenuWnd::MeasureLayout() const
{
    CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
    LayoutInput in{};
    in.nBorder = GetBorderSize();
    in.nShadow = GetShadowSize();
    in.nSeparator = pPM->GetMenuSeparatorHeight();
    in.bDefault = (m_nButtonFlags & BUTTON_DEFAULT) != 0;
    in.bCustom = (m_nButtonFlags & BUTTON_CUSTOM) != 0;
    HDC hScreen = ::GetDC(nullptr);
    CDC dc;
    dc.Attach(hScreen);
    HGDIOBJ hOldFont = ::SelectObject(hScreen, pPM->m_FontNormal.GetSafeHandle());
    TEXTMETRICA tm{};
    ::GetTextMetricsA(hScreen, &tm);
    in.nTextHeight = tm.tmHeight;
    in.nDefaultCaptionWidth = CaptionWidth(dc, m_sDefaultCaption);
    in.nCustomCaptionWidth = CaptionWidth(dc, m_sCustomCaption);
    ::SelectObject(hScreen, hOldFont);
    dc.Detach();
    ::ReleaseDC(nullptr, hScreen);
    return ComputeLayout(in);
}

CSize CExtPopupColorMenuWnd::MeasureContent() const
{
    const CSize size = MeasureLayout().sizeContent;
    return CSize(m_nLeftBandWidth + size.cx, size.cy);
}

CPoint CExtPopupColorMenuWnd::PartOffset() const
{
    return CPoint(m_rcMenu.left + m_nLeftBandWidth, m_rcMenu.top);
}

bool CExtPopupColorMenuWnd::CreatePopupWindow(CWnd* pWndOwner)
{
    if (!CExtPopupMenuWnd::CreatePopupWindow(pWndOwner))
        return false;
    m_nSelectedIndex = HOT_NONE;
    for (int i = 0; i < CELL_COUNT; ++i) {
        if (g_palette[i].clr == m_clrInitial) {
            m_nSelectedIndex = i;
            break;
        }
    }
    const Layout layout = MeasureLayout();
    const CPoint ptOffset = PartOffset();
    m_rcDefault = layout.rcDefault;
    m_rcCustom = layout.rcCustom;
    ::OffsetRect(&m_rcDefault, ptOffset.x, ptOffset.y);
    ::OffsetRect(&m_rcCustom, ptOffset.x, ptOffset.y);
    m_nCellsTop = layout.nCellsTop;
    return true;
}

bool CExtPopupColorMenuWnd::GetPartRect(int nPart, RECT* pRect) const
{
    if (pRect == nullptr)
        return false;
    ::SetRectEmpty(pRect);
    if (nPart == HOT_DEFAULT) {
        if ((m_nButtonFlags & BUTTON_DEFAULT) == 0)
            return false;
        *pRect = m_rcDefault;
        return true;
    }
    if (nPart == HOT_CUSTOM) {
        if ((m_nButtonFlags & BUTTON_CUSTOM) == 0)
            return false;
        *pRect = m_rcCustom;
        return true;
    }
    if (nPart < 0 || nPart >= CELL_COUNT)
        return false;
    *pRect = CellRect(nPart, GetBorderSize(), m_nCellsTop);
    const CPoint ptOffset = PartOffset();
    ::OffsetRect(pRect, ptOffset.x, ptOffset.y);
    return true;
}

int CExtPopupColorMenuWnd::HitTestPart(CPoint point) const
{
    for (int nPart = HOT_CUSTOM; nPart < CELL_COUNT; ++nPart) {
        RECT rc;
        if (GetPartRect(nPart, &rc) && ::PtInRect(&rc, point))
            return nPart;
    }
    return HOT_NONE;
}

int CExtPopupColorMenuWnd::HitTestItem(CPoint /*point*/) const
{
    return -1;  // the palette has no items
}

bool CExtPopupColorMenuWnd::CanOpenAsSubmenu() const
{
    return !IsHelpMode() && !IsNonTrackingMode();
}

bool CExtPopupColorMenuWnd::StartTracking(UINT nTrackFlags, int x, int y, const RECT* pExclude, LPVOID pCookie,
                                          OpenSidePainter pfnPainter, UINT* pResultCmdId, bool bCookieGiven)
{
    // Without waiting the tracking outlives this call, and the caller's variable with it.
    if ((nTrackFlags & TRACK_WAIT) == 0)
        m_pClrResult = nullptr;
    return CExtPopupMenuWnd::StartTracking(nTrackFlags, x, y, pExclude, pCookie, pfnPainter, pResultCmdId,
                                           bCookieGiven);
}

void CExtPopupColorMenuWnd::NotifyColor(bool bFinal)
{
    if ((m_nNotifyFlags & NOTIFY_BUSY) != 0)
        return;
    if (m_nHotIndex == HOT_CUSTOM) {
        m_nNotifyFlags |= NOTIFY_BUSY;
        if (bFinal && m_pClrResult != nullptr)
            *m_pClrResult = CUSTOM_CHOSEN;
        if (const HWND hWndTarget = GetNotifyTarget())
            ::PostMessageA(hWndTarget, g_nMsgNotifyCustColor, 0, m_lParamCookie);
        m_nNotifyFlags &= static_cast<BYTE>(~NOTIFY_BUSY);
    } else if (m_nHotIndex == HOT_DEFAULT || (m_nHotIndex >= 0 && m_nHotIndex < CELL_COUNT)) {
        ReportColor(m_nHotIndex == HOT_DEFAULT ? m_clrDefault : g_palette[m_nHotIndex].clr, bFinal);
    }
}

HWND CExtPopupColorMenuWnd::GetNotifyTarget() const
{
    const HWND hWndTarget = m_hWndNotifyTarget != nullptr ? m_hWndNotifyTarget : m_hWndCmdReceiver;
    // A null target would post to the thread's queue.
    return hWndTarget != nullptr && ::IsWindow(hWndTarget) ? hWndTarget : nullptr;
}

void CExtPopupColorMenuWnd::ReportColor(COLORREF clr, bool bFinal)
{
    if ((m_nNotifyFlags & NOTIFY_BUSY) != 0)
        return;
    m_nNotifyFlags |= NOTIFY_BUSY;
    if (bFinal && m_pClrResult != nullptr)
        *m_pClrResult = clr;
    if (const HWND hWndTarget = GetNotifyTarget())
        ::PostMessageA(hWndTarget, bFinal ? g_nMsgNotifyColorChangedFinally : g_nMsgNotifyColorChanged, clr,
                       m_lParamCookie);
    m_nNotifyFlags &= static_cast<BYTE>(~NOTIFY_BUSY);
}

bool CExtPopupColorMenuWnd::EndsMenuFromOpeningItem(bool /*bByKeyboard*/) const
{
    return true;
}

void CExtPopupColorMenuWnd::OnChosenFromOpeningItem()
{
    // The item stands for the colour the palette shows as chosen, else for the default colour.
    if (m_clrInitial != static_cast<COLORREF>(-1))
        ReportColor(m_clrInitial, true);
    else if ((m_nButtonFlags & BUTTON_DEFAULT) != 0)
        ReportColor(m_clrDefault, true);
}

void CExtPopupColorMenuWnd::SetHotIndex(int nIndex, bool bShowTip)
{
    m_nHotIndex = nIndex;
    if (IsWindowAlive())
        Invalidate(TRUE);
    if (nIndex != HOT_CUSTOM)
        NotifyColor(false);
    if (nIndex < 0 || nIndex >= CELL_COUNT) {
        HideTip(false);
        return;
    }
    if (!bShowTip || !g_bPopupItemTips || GetCurrentPopup() != this ||
        GetTrackingState()->m_pAnimatingPopup != nullptr)
        return;
    RECT rc;
    GetPartRect(nIndex, &rc);
    ShowItemTip(g_palette[nIndex].lpszName, rc);
}

bool CExtPopupColorMenuWnd::HandleMouseMove(UINT message, CPoint point, bool* pPassThrough)
{
    if (IsInputIgnored())
        return true;
    if (IsPointInWindow(point)) {
        const int nHit = HitTestPart(point);
        if (nHit != m_nHotIndex)
            SetHotIndex(nHit, true);
        return true;
    }
    if (CExtPopupMenuWnd* pParent = m_pWndParentMenu) {
        CPoint ptParent(point);
        ::ClientToScreen(m_hWnd, &ptParent);
        ::ScreenToClient(pParent->m_hWnd, &ptParent);
        bool bParentPass = false;
        if (pParent->HandleMouseMove(message, ptParent, &bParentPass) && !bParentPass && IsWindowAlive())
            CloseTree(false);
        if (pPassThrough != nullptr)
            *pPassThrough = bParentPass;
    }
    return true;
}

bool CExtPopupColorMenuWnd::HandleMouseClick(UINT message, CPoint point, bool* pPassThrough)
{
    if (IsInputIgnored())
        return true;
    const bool bUp = message == WM_LBUTTONUP || message == WM_NCLBUTTONUP;
    if (IsTopLevel() && m_nCombinedSide != SIDE_NONE && ::PtInRect(&m_rcExcludeClient, point)) {
        // The button that opened the popup takes its own release; a press there closes it.
        if (bUp) {
            if (pPassThrough != nullptr)
                *pPassThrough = true;
            return false;
        }
        CloseTree(false);
        return true;
    }
    if (!bUp)
        return IsPointInWindow(point);
    const int nHit = IsPointInWindow(point) ? HitTestPart(point) : HOT_NONE;
    if (nHit != HOT_NONE && !IsNonTrackingMode()) {
        m_nHotIndex = nHit;
        NotifyColor(true);
        PlayCommandSound();
    }
    if (CExtPopupMenuWnd* pParent = m_pWndParentMenu; pParent != nullptr && ::IsWindow(pParent->GetSafeHwnd())) {
        CPoint ptScreen(point);
        ::ClientToScreen(m_hWnd, &ptScreen);
        CPoint ptParent(ptScreen);
        ::ScreenToClient(pParent->m_hWnd, &ptParent);
        if (pParent->IsPointInWindow(ptParent))
            return pParent->HandleMouseClick(message, ptParent, pPassThrough);
    }
    FinishWithCommand(0, nullptr);
    return true;
}

void CExtPopupColorMenuWnd::MoveHotCell(UINT nKey)
{
    int nCell = 0;
    if (m_nHotIndex >= 0 && m_nHotIndex < CELL_COUNT) {
        // Moves wrap within the row or the column.
        int nRow = m_nHotIndex / COLUMNS, nColumn = m_nHotIndex % COLUMNS;
        switch (nKey) {
        case VK_LEFT: nColumn = (nColumn + COLUMNS - 1) % COLUMNS; break;
        case VK_RIGHT: nColumn = (nColumn + 1) % COLUMNS; break;
        case VK_UP: nRow = (nRow + ROWS - 1) % ROWS; break;
        default: nRow = (nRow + 1) % ROWS; break;
        }
        nCell = nRow * COLUMNS + nColumn;
    }
    HideTip(true);
    SetHotIndex(nCell, false);
}

bool CExtPopupColorMenuWnd::HandleKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/, bool* /*pPassThrough*/)
{
    if (IsInputIgnored())
        return true;
    switch (nChar) {
    case VK_RETURN:
        if (m_nHotIndex != HOT_NONE && !IsNonTrackingMode()) {
            NotifyColor(true);
            PlayCommandSound();
        }
        FinishWithCommand(0, nullptr);
        return true;
    case VK_ESCAPE:
        if (ReturnToParentMenu())
            return true;
        [[fallthrough]];
    case VK_MENU:
        FinishWithCommand(0, nullptr);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        MoveHotCell(nChar);
        return true;
    default:
        return false;
    }
}

void CExtPopupColorMenuWnd::PaintMenuItems(CDC& dc)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
    const int h = pPM->GetMenuSeparatorHeight();
    const int nSaved = dc.SaveDC();
    const int nBorder = GetBorderSize();
    dc.IntersectClipRect(m_rcMenu.left + nBorder, m_rcMenu.top + nBorder, m_rcMenu.right - nBorder,
                         m_rcMenu.bottom - nBorder);
    auto drawButton = [&](int nPart, const CString& sCaption, bool bSeparatorBelow) {
        RECT rc;
        if (!GetPartRect(nPart, &rc))
            return;
        CExtDrawPushButtonArgs args(this, true, rc, sCaption, nullptr, true, m_nHotIndex == nPart, false, false, true,
                                    true, false);
        pPM->DrawPushButton(dc, args);
        const int y = bSeparatorBelow ? rc.bottom + DEFAULT_SEPARATOR_OFFSET + h / 2
                                      : rc.top - CUSTOM_SEPARATOR_OFFSET - h / 2;
        const RECT rcLine = {rc.left, y, rc.right, y + 1};
        pPM->DrawSeparatorLine(dc, rcLine, false, true, this);
    };
    drawButton(HOT_DEFAULT, m_sDefaultCaption, true);
    drawButton(HOT_CUSTOM, m_sCustomCaption, false);

    HBRUSH hFrame = ::CreateSolidBrush(pPM->ColorByIndex(CLR_SWATCH_FRAME, this));
    for (int i = 0; i < CELL_COUNT; ++i) {
        RECT rc;
        GetPartRect(i, &rc);
        CExtDrawPushButtonArgs args(this, true, rc, "", nullptr, true, i == m_nHotIndex || i == m_nSelectedIndex,
                                    false, false, true, true, false);
        pPM->DrawPushButton(dc, args);
        ::InflateRect(&rc, -SWATCH_INSET, -SWATCH_INSET);
        dc.FillSolidRect(&rc, g_palette[i].clr);
        ::FrameRect(dc.m_hDC, &rc, hFrame);
    }
    ::DeleteObject(hFrame);
    dc.RestoreDC(nSaved);
}

LRESULT CExtPopupColorMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUERYNEWPALETTE) {
        Invalidate(TRUE);
        return CExtPopupMenuWnd::WindowProc(message, wParam, lParam);
    }
    if (message == WM_PALETTECHANGED) {
        const LRESULT lResult = CExtPopupMenuWnd::WindowProc(message, wParam, lParam);
        if (reinterpret_cast<HWND>(wParam) != m_hWnd && IsWindowAlive())
            Invalidate(TRUE);
        return lResult;
    }
    return CExtPopupMenuWnd::WindowProc(message, wParam, lParam);
}
