#pragma once
// The classic paint manager: every framework control asks it for colours, brushes, fonts and
// metrics and lets it paint its parts. Theme managers derive from it and override slots.
#include "platform/mfc/Afx.h"
#include "ui/core/ExtPaintManagerArgs.h"

#include <unordered_map>
#include <vector>

class CExtCmdIcon;
class CExtPaintGlyph;
class CExtPaintManagerHolder;

// Monitor and work-area rectangles of one monitor, in screen coordinates.
struct CExtMonitorRects
{
    static constexpr DWORD PRIMARY = 0x01;
    CExtMonitorRects();
    bool IsPrimary() const { return (m_dwFlags & PRIMARY) != 0; }

    RECT m_rcMonitor;
    RECT m_rcWorkArea;
    DWORD m_dwFlags;
};

class CExtPaintManager : public CObject
{
    DECLARE_DYNCREATE(CExtPaintManager)
public:
    // Colour ids from 1000 on are translated through the theme's id map.
    static constexpr int TRANSLATED_ID_FIRST = 1000;
    static constexpr int SYSTEM_COLOR_COUNT = 50;
    static constexpr int FALLBACK_COLOR_INDEX = COLOR_BTNFACE;
    static constexpr int BLEND_BRUSH_COUNT = 12;
    // Classic colour roles.
    static constexpr int CLRID_FACE = 1000;
    static constexpr int CLRID_FACE_ALT = 1001;
    static constexpr int CLRID_LIGHT = 1002;
    static constexpr int CLRID_HILIGHT = 1004;
    static constexpr int CLRID_SHADOW = 1006;
    static constexpr int CLRID_DKSHADOW = 1008;
    static constexpr int CLRID_TEXT = 1010;
    static constexpr int CLRID_TEXT_ALT = 1011;
    // XP-look colour roles.
    static constexpr int XPCLR_FIRST = 2000;
    static constexpr int XPCLR_MENU_FILL = 2001;
    static constexpr int XPCLR_SEPARATOR = 2002;
    static constexpr int XPCLR_PUSHED_HOVER_FILL = 2003;
    static constexpr int XPCLR_HOVER_BORDER = 2004;
    static constexpr int XPCLR_RARELY_BAND = 2005;
    static constexpr int XPCLR_PUSHED_HOVER_TEXT = 2006;
    static constexpr int XPCLR_MENU_BORDER = 2007;

    class DockMarkerBase;
    class DockMarkerBeta2;
    // The bars layer creates and destroys the marker windows: the create hook takes the images
    // and the region in every case and answers the window, or null when it could not be made.
    struct DockMarkerWindowHooks
    {
        CWnd* (*pfnCreate)(CWnd* pParent, int nKind, HBITMAP hNormal, HBITMAP hHover, HRGN hRegion, const RECT& rc,
                           HBITMAP hFrame, int nFrameX, int nFrameY, bool bOuter) = nullptr;
        void (*pfnDestroyAll)(std::vector<CWnd*>& windows) = nullptr;
        bool (*pfnIsHovered)(CObject* pMarkerWnd) = nullptr;
        int (*pfnHoveredArm)(CObject* pCentreWnd) = nullptr;
    };
    static DockMarkerWindowHooks g_DockMarkerWindowHooks;

    CExtPaintManager();
    ~CExtPaintManager() override;

    // --- Identity and metrics -------------------------------------------------------------
    virtual int GetThemeId() const;
    virtual int GetMenuSeparatorHeight() const;
    virtual bool IsLunaThemeUsable() const;
    virtual int GetColorSchemeId() const;
    virtual void NotifyPaintDone(CObject* pOwner, LPARAM lParam);
    virtual DLGTEMPLATE* AdjustDialogTemplate(const DLGTEMPLATE* pTemplate, CObject* pDialog, int n1, int n2);
    virtual COLORREF GetControlFaceColor(CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual COLORREF GetShadowTintColor();
    virtual SIZE GetPressedShift() const;
    virtual int GetMenuCheckHeight() const;
    virtual SIZE GetDropDividerMetrics() const;
    virtual int GetTextHeight(bool bFirst);
    virtual SIZE MeasureFontHeights(bool bBold);
    virtual int ShadowSize() const;
    virtual int GetMenuBorderMetric() const;
    virtual bool IsXpOrNewerTheme() const;
    virtual int GetDockingStyle() const;
    virtual int GetAutoHideStyle() const;
    virtual bool HasBackgroundBehindControls(CObject* pOwner, LPARAM lParam);
    virtual SIZE GetToolbarButtonShift(bool bShift) const;
    virtual COLORREF GetDisabledIconBlendColor() const;
    virtual double GetDisabledIconLightness() const;
    virtual SIZE GetButtonRedrawMargin() const;
    virtual void GetDockHighlightMargins(RECT& rcMargins) const;
    // A new marker of the style in force; throws the unsupported-operation exception for others.
    virtual DockMarkerBase* CreateDockMarker();
    // The hover outline over a marker's picture (second style only).
    virtual void DrawDockMarker(CDC& dc, const RECT& rc, int nKind, bool bHover, CObject* pMarkerWnd,
                                LPARAM lParam = 0);
    virtual bool PrepareDockMarker(CWnd* pParent, int nKind, const RECT& rc, std::vector<CWnd*>& windows);
    virtual bool AdjustDockMarkerBitmaps(int nKind, CBitmap& normal, COLORREF clrNormalKey, CBitmap& hover,
                                         COLORREF clrHoverKey);
    virtual bool IsDockMarkerStyleClassic(int nKind) const;
    // Colours the dock highlight's 32-bit bottom-up pixels (0x00RRGGBB): the whole picture, or
    // the body and the tab below it; fill and border of -1 take the theme's colours.
    virtual void GetDockHighlightShape(DWORD* pBits, int cx, int cy, bool bTabShaped, const RECT& rcBody,
                                       const RECT& rcTab, COLORREF clrFill, COLORREF clrBorder, int nBorderWidth);
    // Bars and tab windows of later layers are asked through the owner queries below.
    virtual void AdjustBarClientRect(CObject* pBar, RECT& rc) const;
    virtual int GetToolbarGripperExtent(CObject* pBar) const;
    virtual bool IsBarBackgroundGradient(CObject* pBar) const;
    virtual void GetTabItemSpacingMetrics(CObject* pTabWnd, int* pnBefore, int* pnBetween, int* pnAfter) const;
    virtual void GetTabItemShift(CObject* pTabWnd, int nItemIndex, bool bReserved, SIZE& size) const;
    virtual COLORREF QueryCustomTextColor(CDC& dc, CObject* pOwner, LPARAM lParam, int nPart, int nState,
                                          bool bEnabled, COLORREF clrDefault);
    virtual bool QueryCustomPaint(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam, int nPart, int nState,
                                  bool bEnabled, DWORD dwFlags);

    // --- Colour, brush and font tables ----------------------------------------------------
    virtual HFONT CreateMenuFont();
    virtual void ReloadSystemColors();
    virtual HBRUSH BrushByIndex(int nIndex) const;
    virtual COLORREF ColorByIndex(int nIndex, CObject* pOwner = nullptr, LPARAM lParam = 0) const;
    virtual void InitTranslatedColors();
    virtual void CreateHalftoneBrushes();

    // --- System changes, relayed once per frame by the holder ------------------------------
    virtual void HandleSysColorChange();
    virtual void HandleSettingChange(WPARAM wParam, LPARAM lParam);
    virtual void HandleDisplayChange(int nBitsPerPixel, int cx, int cy);
    virtual void HandleThemeChanged(WPARAM wParam, LPARAM lParam);

    // --- Glyphs, buttons and separators --------------------------------------------------------
    virtual void DrawGlyph(CDC& dc, int x, int y, const CExtPaintGlyph& glyph, const COLORREF* pPalette);
    virtual void DrawGlyphCentred(CDC& dc, const RECT& rc, const CExtPaintGlyph& glyph, const COLORREF* pPalette);
    virtual void DrawSystemCommandGlyph(CDC& dc, UINT nSysCmd, const RECT& rc, bool bHover, bool bPushed,
                                        bool bEnabled);
    virtual void DrawScrollArrowButton(CDC& dc, bool bHorizontal, const RECT& rc, bool bTowardStart, bool bHover,
                                       bool bPushed, CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual void DrawBarCaptionButton(CDC& dc, CExtDrawCaptionButtonArgs& args);
    // The caption strip of a bar, a floating frame or the gripper of a fixed-size bar.
    virtual void DrawBarCaption(CDC& dc, CExtDrawBarCaptionArgs& args);
    virtual void DrawSeparatorLine(CDC& dc, const RECT& rc, bool bHorizontalBar, bool bTransparent,
                                   CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual void DrawMenuSeparator(CDC& dc, const RECT& rc, int nIconBandWidth, bool bRarelyUsed,
                                   CWnd* pOwner = nullptr, LPARAM lParam = 0);
    virtual void DrawDropMarker(CDC& dc, const RECT& rc, bool bBefore, bool bHorizontal);
    virtual void DrawDragSourceFrame(CDC& dc, const RECT& rc);

    // --- Buttons and menu items ------------------------------------------------------------------
    // Places the icon in the area, draws it and answers the rectangle left for the text.
    virtual void DrawIconBesideText(CDC& dc, bool bHorizontal, const CString& strText, CExtCmdIcon* pIcon,
                                    const RECT& rcArea, RECT& rcText, bool bPushed, bool bEnabled, bool bHover,
                                    UINT nAlignment, bool bRightToLeft);
    virtual void DrawPushButton(CDC& dc, CExtDrawPushButtonArgs& args);
    virtual void DrawMenuItem(CDC& dc, CExtDrawMenuItemArgs& args);
    virtual void DrawChevronButton(CDC& dc, const RECT& rc, bool bHorizontal, bool bNoHiddenItems, bool bEnabled,
                                   bool bPushed, bool bHover, CObject* pOwner = nullptr, LPARAM lParam = 0,
                                   bool bTransparent = false);
    // bHover draws the button pushed.
    virtual void DrawMenuExpandButton(CDC& dc, const RECT& rc, bool bHover, bool bReserved, CObject* pOwner = nullptr,
                                      LPARAM lParam = 0);

    // --- Frames and borders -------------------------------------------------------------------
    virtual void DrawBarFrame(CDC& dc, CExtDrawBarFrameArgs& args);
    virtual void DrawBarBorders(CDC& dc, CExtDrawBarBordersArgs& args);
    // The frame's lines along the sides the style names, in a rectangle moved to the origin.
    virtual void DrawBarBorderLines(CDC& dc, const RECT& rc, DWORD dwStyle, COLORREF clrOuter, COLORREF clrInner);
    virtual void DrawClientEdge(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual void DrawSplitterEdge(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual void DrawEditFrame(CDC& dc, CExtDrawEditFrameArgs& args);
    virtual void PaintComboFrame(CDC& dc, CExtDrawComboFrameArgs& args);
    virtual void DrawMenuBorder(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0);
    // nSide: 1 bottom, 2 top, 3 left, 4 right.
    virtual void DrawMenuBorderOpenSide(CDC& dc, const RECT& rc, const RECT& rcExclude, int nSide,
                                        CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual void DrawSizeGripper(CDC& dc, const RECT& rc, CWnd* pOwner = nullptr, LPARAM lParam = 0);

    // --- Backgrounds ----------------------------------------------------------------------------
    virtual bool FillFaceBackground(bool bFlag, CDC& dc, const RECT& rc, const RECT& rcWhole, LPARAM lParam = 0);
    virtual bool DrawBackgroundBehind(bool bClientArea, CDC& dc, CWnd* pWnd, LPARAM lParam = 0);
    virtual void DrawBarClientArea(CDC& dc, const RECT& rc, CWnd* pOwner = nullptr, LPARAM lParam = 0);
    virtual void FillDockAreaBackground(CDC& dc, const RECT& rc, CWnd* pOwner = nullptr, LPARAM lParam = 0);
    virtual void FillPopupClientArea(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual void DrawToolbarBackground(CDC& dc, CObject* pBar, LPARAM lParam, const RECT& rc);
    virtual void DrawToolbarGradient(CDC& dc, CObject* pBar, LPARAM lParam = 0);

    // --- Tabs -----------------------------------------------------------------------------------
    // nSide: 0 top, 1 bottom, 2 left, 3 right. bGroupMode draws the strip without its inner face.
    virtual void DrawTabStripArea(CDC& dc, const RECT& rcWhole, int nReserved, const RECT& rcInner, int nSide,
                                  bool bGroupMode, CWnd* pOwner = nullptr, LPARAM lParam = 0);
    // nButton is the tab window's hit code: -4 previous, -5 next, -6 help, -7 close, -8 tab list,
    // -9 home, -10 end.
    virtual void DrawTabStripButton(CDC& dc, const RECT& rc, int nButton, bool bHorizontal, bool bEnabled,
                                    bool bHover, bool bPushed, CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual void GetTabColorsOneNote(bool bSelected, bool bHot, COLORREF& clrBorderLight, COLORREF& clrBorderDark,
                                     COLORREF& clrFillFrom, COLORREF& clrFillTo, COLORREF& clrText);
    virtual void GetTabColorsFlat(bool bSelected, bool bReserved, COLORREF& clrBorder, COLORREF& clrFillFrom,
                                  COLORREF& clrFillTo, COLORREF& clrText);
    virtual void DrawTabItem(CDC& dc, const RECT& rcTabItemsArea, bool bTopLeft, bool bHorizontal, bool bSelected,
                             bool bCenteredText, bool bGroupedMode, bool bInGroupActive, bool bInvertedVerticalText,
                             const RECT& rcEntireItem, SIZE sizeTextMeasured, CFont* pFont, const CString& strText,
                             CExtCmdIcon* pIcon, CObject* pTabWnd, int nItemIndex);
    // Where a tab stands among its neighbours; the tab window answers, a missing one counts the
    // first index as the first tab.
    struct TabNeighbours
    {
        bool bBeforeSelected = false;
        bool bAfterSelected = false;
        bool bFirst = false;
        bool bLast = false;
        bool bFirstInGroup = false;
        bool bHorizontal = true;
    };
    static TabNeighbours QueryTabNeighbours(CObject* pTabWnd, int nItemIndex);
    // The tab window's layer installs its answers to the two tab queries here.
    struct TabWindowQueries
    {
        DWORD (*pfnStyle)(CObject* pTabWnd) = nullptr;
        bool (*pfnNeighbours)(CObject* pTabWnd, int nItemIndex, TabNeighbours& neighbours) = nullptr;
    };
    static TabWindowQueries g_TabWindowQueries;
    // Owner queries: false until the layer that builds the owner's class answers them.
    // The bars' layer answers its own through these hooks.
    struct BarOwnerHooks
    {
        bool (*pfnIsDockedAtLeftOrRight)(CObject* pBar) = nullptr;
        bool (*pfnIsFloating)(CObject* pBar) = nullptr;
        bool (*pfnIsOptionsButtonAvailable)(CObject* pOwner) = nullptr;
        bool (*pfnIsFixedSizeBarFrame)(CObject* pOwner) = nullptr;
    };
    static BarOwnerHooks g_BarOwnerHooks;
    static bool IsBarDockedAtLeftOrRight(CObject* pBar);
    static bool IsMenuBarKind(CObject* pBar);
    static DWORD QueryTabWindowStyle(CObject* pTabWnd);
    static bool IsDockMarkerWindowHovered(CObject* pMarkerWnd);
    // The kind of the arm marker a centre marker's pointer is over, or -1.
    static int QueryDockMarkerHoveredArm(CObject* pCentreWnd);
    static bool IsFrameworkBar(CObject* pObject);
    static bool IsToolBarKind(CObject* pObject);
    static bool IsStatusBarKind(CObject* pObject);
    static bool IsPanelBarKind(CObject* pObject);
    static bool IsAutoHideSliderKind(CObject* pObject);
    static bool IsBarButtonKind(CObject* pObject);
    static bool IsBarFloating(CObject* pBar);
    static bool IsBarFixedColumns(CObject* pBar);
    // True for a floating frame that holds a fixed-size bar.
    static bool IsFixedSizeBarFrame(CObject* pOwner);
    // True for a bar caption's options button that offers its menu.
    static bool IsAvailableCaptionOptionsButton(CObject* pOwner);
    // The icon band width of a popup menu's last item, or -1 when that item shows no band.
    static int QueryPopupLastItemBandWidth(CObject* pPopup);
    // A menu bar's client rectangle and its tracked button in the bar's client coordinates
    // (empty while the bar does not say), and whether the bar stands at the left or right.
    struct MenuBarGeometry
    {
        CRect rcBar;
        CRect rcButton;
        bool bVertical = false;
    };
    // False for anything but a live menu bar.
    static bool QueryMenuBarGeometry(CObject* pMenuBar, MenuBarGeometry& geometry);
    // The window itself or its nearest parent that is a docked framework bar, or null.
    static CWnd* FindDockedBarAmongParents(CWnd* pWnd);
    // True when the user interface is laid out right to left (the resource manager's answer).
    static bool IsLayoutRightToLeft();
    // The one-pixel edge of the strip's inner rectangle that meets the window body.
    static CRect TabStripBodyEdge(const RECT& rcInner, int nSide);
    static void FillTabStripArea(CDC& dc, const RECT& rcWhole, const RECT& rcInner, int nSide, bool bGroupMode,
                                 COLORREF clrOuter, COLORREF clrInner, COLORREF clrLine);
    static void DrawTabStripButtonGlyph(CDC& dc, const RECT& rc, int nButton, bool bHorizontal, bool bEnabled,
                                        bool bHover, bool bPushed, COLORREF clrGlyph, COLORREF clrLight,
                                        COLORREF clrDark);

    // --- Date picker ----------------------------------------------------------------------------
    virtual void FillCalendarClientArea(CDC& dc, const RECT& rc, CObject* pOwner = nullptr);
    virtual void DrawCalendarBorder(CDC& dc, const RECT& rc);
    virtual void DrawCalendarCaptionArea(CDC& dc, const RECT& rc, LPCSTR pszText);
    virtual void DrawCalendarDayNamesArea(CDC& dc, const RECT& rc, LPCSTR pszText);
    virtual void DrawChevronDropGlyph(CDC& dc, const RECT& rc);
    virtual void DrawCalendarFooterArea(CDC& dc, const RECT& rc, bool bGripDots);
    virtual void DrawCalendarGripDots(CDC& dc, const RECT& rc, int nDy);
    virtual void FillCalendarBackground(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual void PaintCalendarBorder(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual void PaintCalendarMonthHeader(CDC& dc, const RECT& rcLine, const RECT& rcFill,
                                          CObject* pOwner = nullptr, LPARAM lParam = 0);
    virtual void DrawLargeLabelText(CDC& dc, const RECT& rc, LPCSTR pszText);
    // The outer rectangle gets the bar background or the face, the inner one the window colour.
    virtual void DrawCalendarFrame(CDC& dc, const RECT& rcOuter, const RECT& rcInner, CWnd* pOwner = nullptr,
                                   LPARAM lParam = 0);
    virtual void PaintUndoRedoCaption(CDC& dc, const RECT& rc, LPCSTR pszText, CObject* pOwner = nullptr,
                                      LPARAM lParam = 0);
    // The built-in 9 x 9 minus (expanded) or plus box of trees.
    virtual void LoadTreeButtonIcon(CExtCmdIcon& icon, bool bExpanded);
    virtual void DrawPlainLabelText(CDC& dc, const RECT& rc, LPCSTR pszText);
    virtual void DrawIconLabelItem(CDC& dc, const RECT& rc, LPCSTR pszText, CExtCmdIcon* pIcon, bool bWithText,
                                   bool bPushed, bool bHover, bool bHighlight);
    virtual void DrawCalendarHeaderArea(CDC& dc, const RECT& rc, LPCSTR pszText, CExtCmdIcon* pIcon, bool bInset,
                                        bool bPushed, bool bHot);
    // A date picker's button: a push button with the text. nKind is the picker's and unused here.
    virtual void DrawCalendarButton(CDC& dc, const RECT& rc, int nKind, LPCSTR pszText, bool bFlat, bool bEnabled,
                                    bool bPushed, bool bHover, CObject* pOwner = nullptr, LPARAM lParam = 0);
    // An item of an icon-and-text list (tool tips, shortcut lists).
    virtual void DrawIconTextItem(CDC& dc, CExtDrawIconTextItemArgs& args);
    // A text field in a bar or menu, with an optional drop button.
    virtual void DrawTextFieldBox(CDC& dc, CExtDrawTextFieldArgs& args);

    // --- Shared drawing routines ------------------------------------------------------------------
    static void DrawRoundedFrame(CDC& dc, int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    static void DrawRoundedFrame(CDC& dc, const RECT& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);
    static void DrawRadioDot(CDC& dc, int x, int y, COLORREF clr);
    static void DrawCheckMark(CDC& dc, int x, int y, COLORREF clr);
    static void TransparentBltByMask(HDC hDC, int x, int y, int cx, int cy, HDC hSrcDC, int xSrc, int ySrc,
                                     int cxSrc, int cySrc, COLORREF clrTransparent);
    static CRect MeasureText(CDC& dc, CFont* pFont, const CString& strText, UINT nFormat);
    static int MeasureTextWidth(CDC& dc, CFont* pFont, const CString& strText);
    static HICON CreateLetterColorIcon(COLORREF clr, HFONT hFont, char chLetter);
    static int CountBitmapColors(HBITMAP hBitmap, std::unordered_map<COLORREF, DWORD>& counts);
    static int CollectBitmapColors(HBITMAP hBitmap, std::vector<COLORREF>& colors, bool bUnique);
    static bool IsTransparentChildControl(HWND hWnd);
    static BOOL TransparentChildFilter(HDC hDC, HWND hWndParent, HWND hWndChild, LPARAM lParam);
    // True when the rectangle is not empty and meets the DC's clip box.
    static bool IsVisible(CDC& dc, const RECT& rc);

    // --- Colour, gradient and bitmap routines ----------------------------------------------
    static COLORREF InvertColor(COLORREF clr);
    static COLORREF HueLightSatToColor(double dHue, double dLightness, double dSaturation);
    static void ColorToHueSatLight(COLORREF clr, double* pHue, double* pSaturation, double* pLightness);
    static COLORREF HueDegreesLightSatToColor(double dHue, double dLightness, double dSaturation);
    static double HueToRgbComponent(double m1, double m2, double dHue);
    static float HueDegreesToRgbComponent(float m1, float m2, float fHue);
    static COLORREF AdjustColorHLS(COLORREF clr, double dHue, double dLightness, double dSaturation);
    static COLORREF MixColors(COLORREF clrA, COLORREF clrB, int nWeight);
    static int GetDisplayBitsPerPixel();
    static void FillGradientRect(CDC& dc, const RECT& rc, COLORREF clrFrom, COLORREF clrTo, bool bVertical = false,
                                 UINT nSteps = 256);
    static void FillTwoPartGradient(CDC& dc, const RECT& rc, COLORREF clr1, COLORREF clr2, COLORREF clr3,
                                    bool bVertical, int nNum, int nDen, UINT nSteps = 256);
    static HBITMAP CreateDitherBitmap(COLORREF clrA, COLORREF clrB, int nMaskX = 1, int nMaskY = 1, int nGapX = 0,
                                      int nGapY = 0, COLORREF clrGap = COLORREF(-1));
    static HICON CreateSolidColorIcon(COLORREF clr);
    static HICON CreateColorFrameIcon(COLORREF clr);
    // Replaces the classic greys of 32-bit section pixels by the system's colours, sparing the
    // transparent colour.
    static void MapSysColorsInPixels(COLORREF* pBits, size_t nCount, COLORREF clrTransparent);
    static HICON CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart,
                                      bool bMapSysColors);
    // The filter answers non-zero for children that stay in the clip region.
    using ChildWindowFilter = BOOL (*)(HDC hDC, HWND hWndParent, HWND hWndChild, LPARAM lParam);
    static void ClipOutChildWindows(HDC hDC, HWND hWndParent, ChildWindowFilter pFilter = nullptr, LPARAM lParam = 0);
    static void DispatchPendingPaintMessages(bool bNonClient = true, bool bErase = true, bool bPaint = true);
    static HBITMAP CopyBitmapPart(HBITMAP hBitmap, const RECT* pPart = nullptr, COLORREF** ppBits = nullptr);
    static HGLOBAL BitmapToPackedDib(HBITMAP hBitmap, HPALETTE hPalette = nullptr);
    static bool SerializeBitmap(CArchive& ar, HBITMAP* phBitmap, DWORD dwResourceSize = 0);
    static HBITMAP LoadBitmapFromResource(HINSTANCE hInstance, HRSRC hResource);
    static HBITMAP LoadBitmapFromMemory(const BYTE* pImage, DWORD dwSize);
    static HBITMAP AdjustBitmapHLS(HBITMAP hBitmap, COLORREF clrKeyFrom, COLORREF clrKeyRange, double dHue,
                                   double dLightness, double dSaturation);
    static bool AdjustBitmapHLSInPlace(CBitmap& bitmap, COLORREF clrKeyFrom, COLORREF clrKeyRange, double dHue,
                                       double dLightness, double dSaturation);
    static HRGN BitmapToRegion(HBITMAP hBitmap, COLORREF clrKeyFrom, COLORREF clrKeyRange = 0);
    static void QueryMonitorRects(CExtMonitorRects& mr, const RECT& rc);
    static void QueryMonitorRectsForPoint(CExtMonitorRects& mr, POINT pt);
    static void QueryMonitorRectsForWindow(CExtMonitorRects& mr, CWnd* pWnd);
    static RECT FitRectToMonitor(const RECT& rc, bool bUseWorkArea = true, bool bKeepInside = true);

    // --- Tables read directly by the drawing code ------------------------------------------
    std::vector<COLORREF> m_colors;
    std::vector<HBRUSH> m_brushes;     // system brushes, not owned
    std::unordered_map<int, int> m_mapColorTranslate;
    CPalette m_PaletteWide;
    CBrush m_brushBlend[BLEND_BRUSH_COUNT];
    CFont m_FontNormal, m_FontNormalVert, m_FontNormalVertX;
    CFont m_FontBold, m_FontBoldVert, m_FontBoldVertX;
    CFont m_FontNormalBC, m_FontNormalVertBC, m_FontNormalVertXBC;
    CFont m_FontBoldBC, m_FontBoldVertBC, m_FontBoldVertXBC;
    CFont m_FontMarlett;
    // DrawState style of disabled text.
    DWORD m_dwDisabledTextStyle;
    static constexpr BYTE OPTION_USE_TAHOMA = 0x01;
    BYTE m_nOptions;
    // 1 selects the first dock-marker style, 2 the second.
    int m_eDockMarkerStyle;
    // The screen's colour depth, read at every colour rebuild: painting asks it too often to
    // query the screen each time.
    int m_nDisplayBitsPerPixel = 32;
    bool IsPaletteDisplay() const { return m_nDisplayBitsPerPixel <= 8; }

protected:
    // Where a push button's parts go.
    struct PushButtonLayout
    {
        CRect rcBody;        // the content's place: the button without its arrow part
        CRect rcFace;        // what the face fill covers
        CRect rcArrow;       // the drop-down arrow part, empty without one
        bool bPushedLook;
    };
    PushButtonLayout LayoutPushButton(const CExtDrawPushButtonArgs& args) const;
    // The icon's top-left beside a text in the area; rcText gets what is left for the text.
    POINT PlaceIconBesideText(bool bHorizontal, const CString& strText, SIZE sizeIcon, const RECT& rcArea,
                              RECT& rcText, bool bPushed, UINT nAlignment, bool bRightToLeft) const;
    // Arrow glyph, icon or glyph, text and focus; the face is already painted.
    void DrawPushButtonContent(CDC& dc, CExtDrawPushButtonArgs& args, const PushButtonLayout& layout,
                               COLORREF clrText, bool bContentPushed, bool bEmbossDisabled);
    // The submenu arrow of a popup item, in the 16 pixels at the far end of the selection.
    void DrawMenuItemArrow(CDC& dc, const CExtDrawMenuItemArgs& args, COLORREF clrArrow);
    CRect MenuItemArrowRect(const CExtDrawMenuItemArgs& args) const;
    // A split popup's arrow part: filled when selected (clrArrow then changes), else marked off
    // by a separator line.
    void DrawMenuItemSplitPart(CDC& dc, const CExtDrawMenuItemArgs& args, bool bXpLook, COLORREF& clrArrow);
    // The item's in-place edit field, when it has one.
    void DrawMenuItemInplaceEdit(CDC& dc, const CExtDrawMenuItemArgs& args, bool bXpLook);
    // The place of an item's image inside its band.
    CRect MenuItemImageRect(const CExtDrawMenuItemArgs& args, bool bXpLook) const;
    // A caption's text in the small fonts, for the classic and XP bodies.
    void DrawBarCaptionText(CDC& dc, const CExtDrawBarCaptionArgs& args, const CRect& rcCaption, COLORREF clrText,
                            bool bBold);
    struct TabItemColors
    {
        COLORREF text, fill, light, dark, divider;
    };
    virtual TabItemColors GetTabItemColors(bool bSelected, bool bGroupedMode) const;
    // A tab's icon and text inside its content rectangle.
    void DrawTabItemContent(CDC& dc, const CRect& rcContent, bool bHorizontal, bool bCenteredText, bool bGroupedMode,
                            bool bInGroupActive, bool bInvertedVerticalText, SIZE sizeTextMeasured, CFont* pFont,
                            const CString& strText, CExtCmdIcon* pIcon, COLORREF clrText);
    // The chevron button's glyph pair as glyph-set indexes, and whether their places swap.
    struct ChevronGlyphs
    {
        int nArrowH, nArrowV, nDoubleH, nDoubleV;
        bool bSwapped;
    };
    static const ChevronGlyphs CLASSIC_CHEVRON_GLYPHS;
    static constexpr int CHEVRON_GLYPH_MARGIN = 3;
    struct ChevronGlyphPlaces
    {
        const CExtPaintGlyph* pArrow;
        POINT ptArrow;
        const CExtPaintGlyph* pDouble;
        POINT ptDouble;
    };
    // The arrow sits at the far end (bottom, or left on vertical bars) and the double chevron
    // at the near end, nMargin pixels in, unless the places swap.
    static ChevronGlyphPlaces PlaceChevronGlyphs(const RECT& rc, bool bHorizontal, const ChevronGlyphs& glyphs,
                                                 int nMargin);
    // The drop arrow of text fields and in-place edits, centred in its button.
    void DrawFieldDropArrow(CDC& dc, const RECT& rcButton, COLORREF clr);
    // The text of a text field or an in-place edit inside its text rectangle.
    void DrawFieldText(CDC& dc, const RECT& rcText, const CString& strText, UINT nFormat, bool bEnabled,
                       bool bRightToLeft);
    // The undo/redo caption's text centred in its frame.
    void DrawUndoRedoCaptionText(CDC& dc, const CRect& rcFrame, LPCSTR pszText);
    // The glyph index of a system command's button, or -1 for commands without one.
    static int GlyphForSystemCommand(UINT nSysCmd);
    // Appends a colour to the table and answers its index.
    int InstallColor(COLORREF clr);
    // Maps a translated id to a table index.
    void MapColor(int nId, int nIndex) { m_mapColorTranslate[nId] = nIndex; }
    // The colour rebuild, brush rebuild and id map, as every system change runs them.
    void RebuildAfterSystemChange();

private:
    void CreatePalette();
    void CreateFonts();
};
