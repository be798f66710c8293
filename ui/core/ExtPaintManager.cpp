#include "ui/core/ExtPaintManager.h"

#include "ui/core/ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManager, CObject)

namespace {
constexpr int CLASSIC_THEME_ID = 1;
constexpr int CLASSIC_SEPARATOR_HEIGHT = 6;
constexpr int CLASSIC_SHADOW_SIZE = 4;
constexpr int CLASSIC_MENU_BORDER = 2;
constexpr int DROP_DIVIDER_EXTENT = 6;
constexpr int CLASSIC_LOOK_VALUE = 32;
constexpr int DEFAULT_DOCK_MARKER_STYLE = 2;
constexpr int SECOND_STYLE_HIGHLIGHT_MARGIN = 5;
constexpr int FONT_HEIGHT_PADDING = 2;
constexpr int CLASSIC_GRIPPER_EXTENT = 6;
constexpr int TAB_SPACING_BEFORE = 4;
constexpr int TAB_SPACING_BETWEEN = 2;
constexpr int TAB_SPACING_AFTER = 2;
constexpr DWORD TAB_STYLE_KEEPS_AFTER = 0x80;
} // namespace

CExtMonitorRects::CExtMonitorRects()
    : m_rcMonitor{}
    , m_rcWorkArea{}
    , m_dwFlags(PRIMARY)
{
}

CExtPaintManager::CExtPaintManager()
    : m_dwDisabledTextStyle(CLASSIC_LOOK_VALUE)
    , m_nOptions(g_PaintManagerHolder.IsWin2000OrLater() ? OPTION_USE_TAHOMA : 0)
    , m_eDockMarkerStyle(DEFAULT_DOCK_MARKER_STYLE)
{
    CreatePalette();
}

CExtPaintManager::~CExtPaintManager() = default;

// A 7 x 6 x 6 colour cube: red slowest, blue fastest.
void CExtPaintManager::CreatePalette()
{
    constexpr int RED_STEPS = 7;
    constexpr int GREEN_BLUE_STEPS = 6;
    constexpr int ENTRY_COUNT = RED_STEPS * GREEN_BLUE_STEPS * GREEN_BLUE_STEPS;
    constexpr WORD PALETTE_VERSION = 0x300;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + ENTRY_COUNT * sizeof(PALETTEENTRY));
    auto* pLogPalette = reinterpret_cast<LOGPALETTE*>(storage.data());
    pLogPalette->palVersion = PALETTE_VERSION;
    pLogPalette->palNumEntries = ENTRY_COUNT;
    int n = 0;
    for (int r = 0; r < RED_STEPS; ++r)
        for (int g = 0; g < GREEN_BLUE_STEPS; ++g)
            for (int b = 0; b < GREEN_BLUE_STEPS; ++b) {
                PALETTEENTRY& e = pLogPalette->palPalEntry[n++];
                e.peRed = static_cast<BYTE>(255 * r / (RED_STEPS - 1));
                e.peGreen = static_cast<BYTE>(255 * g / (GREEN_BLUE_STEPS - 1));
                e.peBlue = static_cast<BYTE>(255 * b / (GREEN_BLUE_STEPS - 1));
                e.peFlags = 0;
            }
    m_PaletteWide.CreatePalette(pLogPalette);
}

int CExtPaintManager::GetThemeId() const { return CLASSIC_THEME_ID; }
int CExtPaintManager::GetMenuSeparatorHeight() const { return CLASSIC_SEPARATOR_HEIGHT; }
bool CExtPaintManager::IsLunaThemeUsable() const { return false; }
int CExtPaintManager::GetColorSchemeId() const { return g_PaintManagerHolder.m_eLunaColorScheme; }
void CExtPaintManager::NotifyPaintDone(CObject*, LPARAM) {}
DLGTEMPLATE* CExtPaintManager::AdjustDialogTemplate(const DLGTEMPLATE*, CObject*, int, int) { return nullptr; }
COLORREF CExtPaintManager::GetControlFaceColor(CObject* pOwner, LPARAM lParam)
{
    return ColorByIndex(CLRID_FACE, pOwner, lParam);
}
COLORREF CExtPaintManager::GetShadowTintColor() { return COLORREF(-1); }
SIZE CExtPaintManager::GetPressedShift() const { return SIZE{1, 1}; }
int CExtPaintManager::GetMenuCheckHeight() const { return ::GetSystemMetrics(SM_CYMENUCHECK); }
SIZE CExtPaintManager::GetDropDividerMetrics() const { return SIZE{DROP_DIVIDER_EXTENT, DROP_DIVIDER_EXTENT}; }
int CExtPaintManager::ShadowSize() const { return CLASSIC_SHADOW_SIZE; }
int CExtPaintManager::GetMenuBorderMetric() const { return CLASSIC_MENU_BORDER; }
bool CExtPaintManager::IsXpOrNewerTheme() const { return false; }
int CExtPaintManager::GetDockingStyle() const { return 0; }
int CExtPaintManager::GetAutoHideStyle() const { return 0; }
bool CExtPaintManager::HasBackgroundBehindControls(CObject*, LPARAM) { return false; }
SIZE CExtPaintManager::GetToolbarButtonShift(bool) const { return SIZE{0, 0}; }
COLORREF CExtPaintManager::GetDisabledIconBlendColor() const { return COLORREF(-1); }
double CExtPaintManager::GetDisabledIconLightness() const { return 0.0; }
SIZE CExtPaintManager::GetButtonRedrawMargin() const { return SIZE{0, 0}; }

void CExtPaintManager::GetDockHighlightMargins(RECT& rcMargins) const
{
    const int n = m_eDockMarkerStyle == 2 ? SECOND_STYLE_HIGHLIGHT_MARGIN : 0;
    rcMargins = RECT{n, n, n, n};
}

bool CExtPaintManager::IsDockMarkerStyleClassic(int) const { return m_eDockMarkerStyle == 1; }

COLORREF CExtPaintManager::QueryCustomTextColor(CDC&, CObject*, LPARAM, int, int, bool, COLORREF)
{
    return COLORREF(-1);
}

bool CExtPaintManager::QueryCustomPaint(CDC&, const RECT&, CObject*, LPARAM, int, int, bool, DWORD) { return false; }

SIZE CExtPaintManager::MeasureFontHeights(bool bBold)
{
    auto heightOf = [](CFont& font) {
        HDC hDC = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hDC, font.GetSafeHandle() != nullptr ? font.GetSafeHandle()
                                                                            : ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA tm{};
        ::GetTextMetricsA(hDC, &tm);
        ::SelectObject(hDC, hOld);
        ::DeleteDC(hDC);
        return static_cast<int>(tm.tmHeight);
    };
    const int nNormal = heightOf(m_FontNormal) + FONT_HEIGHT_PADDING;
    return SIZE{bBold ? heightOf(m_FontBold) + FONT_HEIGHT_PADDING : nNormal, nNormal};
}

int CExtPaintManager::GetTextHeight(bool bFirst)
{
    const SIZE size = MeasureFontHeights(false);
    return bFirst ? size.cx : size.cy;
}

void CExtPaintManager::RebuildAfterSystemChange()
{
    NotifyPaintDone(this, 0);
    ReloadSystemColors();
    InitTranslatedColors();
    CreateHalftoneBrushes();
}

void CExtPaintManager::HandleSysColorChange() { RebuildAfterSystemChange(); }
void CExtPaintManager::HandleSettingChange(WPARAM, LPARAM) { RebuildAfterSystemChange(); }
void CExtPaintManager::HandleDisplayChange(int, int, int) { RebuildAfterSystemChange(); }
void CExtPaintManager::HandleThemeChanged(WPARAM, LPARAM) { RebuildAfterSystemChange(); }

void CExtPaintManager::AdjustBarClientRect(CObject* pBar, RECT& rc) const
{
    if (IsBarDockedAtLeftOrRight(pBar))
        ::InflateRect(&rc, -1, -3);
    else
        ::InflateRect(&rc, -3, -1);
}

int CExtPaintManager::GetToolbarGripperExtent(CObject* pBar) const
{
    return IsMenuBarKind(pBar) ? 0 : CLASSIC_GRIPPER_EXTENT;
}

bool CExtPaintManager::IsBarBackgroundGradient(CObject*) const { return false; }

void CExtPaintManager::GetTabItemSpacingMetrics(CObject* pTabWnd, int* pnBefore, int* pnBetween, int* pnAfter) const
{
    if (pnBefore != nullptr)
        *pnBefore = TAB_SPACING_BEFORE;
    if (pnBetween != nullptr)
        *pnBetween = TAB_SPACING_BETWEEN;
    // A tab window with this style keeps its own last spacing.
    if (pnAfter != nullptr && (QueryTabWindowStyle(pTabWnd) & TAB_STYLE_KEEPS_AFTER) == 0)
        *pnAfter = TAB_SPACING_AFTER;
}

void CExtPaintManager::GetTabItemShift(CObject*, int, bool, SIZE&) const {}
