#include "ui/core/ExtLabel.h"

#include "platform/mfc/ClientDC.h"
#include "platform/mfc/PaintDC.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CExtLabel, CStatic)

namespace
{
constexpr int CLRID_CONTROL_FACE = 1000;
constexpr LONG WEIGHT_BOLD = 700;
constexpr LONG WEIGHT_NORMAL = 400;

bool IsStandardPaintedType(DWORD dwType)
{
    return (dwType >= SS_BLACKRECT && dwType <= SS_USERITEM) || (dwType >= SS_OWNERDRAW && dwType <= SS_ETCHEDFRAME);
}

CExtPaintManager* PaintManager()
{
    if (g_PaintManagerHolder.GetFirstMember() == nullptr)
        g_PaintManagerHolder.ReplaceManager(nullptr);
    return g_PaintManagerHolder.GetFirstMember();
}
} // namespace

CExtLabel::~CExtLabel()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

COLORREF CExtLabel::GetTextColor(bool bEnabled)
{
    const COLORREF clr = bEnabled ? m_clrTextEnabled : m_clrTextDisabled;
    if (clr != DEFAULT_COLOR)
        return clr;
    CExtPaintManager* pPM = PaintManager();
    const int nIndex = bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW;
    if (pPM == nullptr)
        return ::GetSysColor(nIndex);
    // A theme may colour label text; it is asked on the screen's DC.
    CClientDC dcScreen(nullptr);
    const COLORREF clrCustom = pPM->QueryCustomTextColor(dcScreen, this, 0, 0, 0, bEnabled, DEFAULT_COLOR);
    return clrCustom != DEFAULT_COLOR ? clrCustom : pPM->ColorByIndex(nIndex, this);
}

void CExtLabel::DrawLabelText(CDC* pDC, const RECT& rc, LPCSTR lpszText, UINT nDrawTextFlags, bool bEnabled)
{
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (hFont == nullptr && ::GetParent(m_hWnd) != nullptr)
        hFont = reinterpret_cast<HFONT>(::SendMessageA(::GetParent(m_hWnd), WM_GETFONT, 0, 0));
    if (hFont == nullptr)
        hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (hFont == nullptr)
        hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTA lf = {};
    ::GetObjectA(hFont, sizeof lf, &lf);
    lf.lfWeight = (m_nFontFlags & FONT_BOLD) != 0 ? WEIGHT_BOLD : WEIGHT_NORMAL;
    lf.lfItalic = (m_nFontFlags & FONT_ITALIC) != 0 ? TRUE : FALSE;
    lf.lfUnderline = (m_nFontFlags & FONT_UNDERLINE) != 0 ? TRUE : FALSE;
    lf.lfStrikeOut = (m_nFontFlags & FONT_STRIKEOUT) != 0 ? TRUE : FALSE;
    HFONT hMade = ::CreateFontIndirectA(&lf);
    const HDC hDC = pDC->m_hDC;
    HGDIOBJ hOldFont = ::SelectObject(hDC, hMade != nullptr ? hMade : hFont);
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    const COLORREF clrOld = ::SetTextColor(hDC, GetTextColor(bEnabled));
    RECT rcText = rc;
    ::DrawTextA(hDC, lpszText, -1, &rcText, nDrawTextFlags);
    ::SetTextColor(hDC, clrOld);
    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOldFont);
    if (hMade != nullptr)
        ::DeleteObject(hMade);
}

void CExtLabel::OnPaint()
{
    const DWORD dwStyle = GetStyle();
    const DWORD dwType = dwStyle & SS_TYPEMASK;
    CPaintDC dcPaint(this);
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    if (!::RectVisible(dcPaint.m_hDC, &rcClient))
        return;
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND);
    CExtPaintManager* pPM = PaintManager();
    const bool bBehind = pPM != nullptr && pPM->HasBackgroundBehindControls(this, 0);
    const COLORREF clrFace =
        pPM != nullptr ? pPM->ColorByIndex(CLRID_CONTROL_FACE, this) : ::GetSysColor(COLOR_BTNFACE);
    if (m_clrBackground != DEFAULT_COLOR)
        dc.FillSolidRect(&rcClient, m_clrBackground);
    else if (!bBehind || !pPM->DrawBackgroundBehind(true, dc, this))
        dc.FillSolidRect(&rcClient, clrFace);
    if (dwType == SS_ICON)
    {
        HICON hIcon = reinterpret_cast<HICON>(SendMessage(STM_GETICON));
        ICONINFO info = {};
        if (hIcon != nullptr && ::GetIconInfo(hIcon, &info))
        {
            BITMAP bm = {};
            ::GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
            const int cx = bm.bmWidth;
            const int cy = info.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2;
            if (info.hbmColor != nullptr)
                ::DeleteObject(info.hbmColor);
            if (info.hbmMask != nullptr)
                ::DeleteObject(info.hbmMask);
            int x = 0, y = 0;
            if ((dwStyle & SS_CENTERIMAGE) != 0)
            {
                x = (rcClient.right - cx) / 2;
                y = (rcClient.bottom - cy) / 2;
            }
            ::DrawIconEx(dc.m_hDC, x, y, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        }
    }
    else
    {
        CString text;
        GetWindowText(text);
        if (!text.IsEmpty())
        {
            UINT nFlags = DT_WORDBREAK;
            if (dwType == SS_CENTER)
                nFlags = DT_CENTER | DT_WORDBREAK;
            else if (dwType == SS_RIGHT)
                nFlags = DT_RIGHT | DT_WORDBREAK;
            else if (dwType == SS_LEFTNOWORDWRAP)
                nFlags = DT_LEFT;
            if (text.Find('\t', 1) >= 0)
                nFlags |= DT_EXPANDTABS;
            if ((dwStyle & SS_CENTERIMAGE) != 0 && text.Find("\r\n", 1) < 0)
                nFlags |= DT_VCENTER | DT_SINGLELINE;
            nFlags |= DT_VCENTER | DT_END_ELLIPSIS;
            DrawLabelText(&dc, rcClient, text, nFlags, IsWindowEnabled() != FALSE);
        }
    }
    if (pPM != nullptr)
        pPM->NotifyPaintDone(this, 0);
}

LRESULT CExtLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        if (IsStandardPaintedType(GetStyle() & SS_TYPEMASK))
            break;
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        if (IsStandardPaintedType(GetStyle() & SS_TYPEMASK))
            break;
        return TRUE;
    case WM_ENABLE:
    case WM_SETTEXT:
    {
        const LRESULT lResult = CStatic::WindowProc(message, wParam, lParam);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        ::UpdateWindow(m_hWnd);
        return lResult;
    }
    case WM_UPDATEUISTATE:
        return 0;
    default:
        break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
