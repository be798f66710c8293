#include "app/FlashEditorMainFrame.h"

#include "app/FlashEditorApp.h"
#include "app/FlashEditorChildFrame.h"
#include "app/dialogs/ViziRevuzeSplashWnd.h"
#include "app/panels/FlashEditorTool.h"
#include "resources/app/AppResources.h"
#include "resources/dialogs/AboutResources.h"
#include "resources/panels/BrushResources.h"
#include "resources/panels/ColorsPanelResources.h"
#include "resources/panels/FontResources.h"
#include "resources/panels/LibraryResources.h"
#include "resources/panels/ObjectInspectorResources.h"
#include "resources/panels/ShapePanelResources.h"
#include "stage/DrawBrushTool.h"
#include "stage/DrawEllipseTool.h"
#include "stage/DrawEraserTool.h"
#include "stage/DrawFreeHandTool.h"
#include "stage/DrawLineTool.h"
#include "stage/DrawRectangleTool.h"
#include "stage/FlashEditorView.h"

#include "ui/bars/ExtBarButton.h"
#include "ui/core/ExtCmdManager.h"

#include "platform/mfc/WinApp.h"

#include <algorithm>
#include <iterator>

#include <dde.h>

namespace {

// Next Pane and Previous Pane as their accelerators send them (notification code 1).
constexpr WPARAM kNextPaneFromAccelerator = MAKEWPARAM(ID_NEXT_PANE, 1);
constexpr WPARAM kPrevPaneFromAccelerator = MAKEWPARAM(ID_PREV_PANE, 1);

constexpr WORD kDDEAckPositive = 0x8000;
constexpr WORD kDDEAckNegative = 0x0000;

// 0 is the stretching message pane.
constexpr UINT kIndicators[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// Menus and tool bars whose commands and pictures the command profile knows.
constexpr UINT kProfileMenus[] = {IDR_MAINFRAME, IDR_QPDTYPE};
constexpr UINT kProfileToolBars[] = {IDR_DRAWING_TOOLS, IDR_LIBRARY_TOOLBAR, IDR_INSPECTOR_TOOLBAR};

// The sixteen drawing tools stand in two columns when docked at a side.
constexpr int kDrawingToolRowEnds[] = {1, 3, 5, 7, 9, 11, 13};
constexpr int kVerticalLayoutMode = 1;

// Sizes of the fixed panels in their bars.
constexpr SIZE kColorsPanelSize = {60, 120};
constexpr SIZE kFontPanelSize = {400, 24};
constexpr SIZE kBrushPanelSize = {60, 80};
constexpr SIZE kEraserPanelSize = {60, 40};

constexpr const char* kSplashDockingText = "Docking panels: project management ...";

// Share of a side bar's place that the bar docked below it takes.
constexpr int kStackedBarPercent = 30;

// Every command of the main menu is basic: menus never hide items.
constexpr UINT kBasicCommands[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EXPORT_FLASH_MOVIE,
    ID_EXPORT_ANIMATION, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_FILE_MRU_FILE1, ID_APP_EXIT,
    ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_PASTE_IN_PLACE, ID_EDIT_CLEAR,
    ID_VIEW_MENU_BAR, ID_VIEW_TOOLBAR, ID_VIEW_DRAWING_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_COLORS, ID_VIEW_FONT,
    ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, ID_INSERT_LAYER, ID_INSERT_BITMAP, ID_INSERT_INTERSECTION, ID_INSERT_UNION,
    ID_INSERT_DIFFERENCE, ID_MODIFY_DOCUMENT, ID_ARRANGE_BRING_TO_FRONT, ID_ARRANGE_SEND_TO_BACK, ID_CONTROL_PLAY,
    ID_CONTROL_REWIND, ID_CONTROL_GO_TO_END, ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ,
    ID_WINDOW_ARRANGE, ID_VIEW_SHAPE, ID_VIEW_OBJECT_INSPECTOR, ID_HELP_TOPICS, ID_APP_ABOUT, 0};

LPCSTR ProfileName()
{
    return AfxGetApp()->m_pszProfileName;
}

CRect WindowRectOf(const CWnd& wnd)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    return rc;
}

} // namespace

IMPLEMENT_DYNAMIC(CFlashEditorMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CFlashEditorMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_EX(ID_VIEW_MENU_BAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_DRAWING_TOOLBAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_COLORS, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_SHAPE, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_FONT, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_LIBRARY, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_OBJECT_INSPECTOR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_BRUSH, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_ERASER, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_MENU_BAR, OnUpdateBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_DRAWING_TOOLBAR, OnUpdateBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_COLORS, OnUpdateBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SHAPE, OnUpdateBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FONT, OnUpdateBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LIBRARY, OnUpdateBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_OBJECT_INSPECTOR, OnUpdateBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_BRUSH, OnUpdateBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ERASER, OnUpdateBarCheck)
    ON_MESSAGE(WM_DDE_EXECUTE, OnDDEExecute)
    ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgConstructPopupMenu, OnConstructPopupMenu)
END_MESSAGE_MAP()

CFlashEditorMainFrame::CFlashEditorMainFrame() = default;

int CFlashEditorMainFrame::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    // Shown while the frame builds itself, gone on every exit from here.
    CViziRevuzeSplashWnd splash(this, IDB_APP_PICTURE);
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    const LPCSTR profile = ProfileName();
    if (!g_CmdManager->CreateProfile(profile, m_hWnd) || !g_CmdManager->AttachProfileWindow(profile, m_hWnd))
        return -1;
    for (UINT menu : kProfileMenus)
        if (!g_CmdManager->ImportMenuResource(profile, menu, false, true))
            return -1;
    for (UINT toolBar : kProfileToolBars)
        if (!g_CmdManager->ImportToolbarResourceId(profile, toolBar, nullptr, nullptr, false, true, kToolBarMask))
            return -1;

    if (!CreateMenuAndToolBars() || !CreatePanelBars())
        return -1;
    EnableBarDocking();
    // The framework's dock bars replace the frame's own before anything docks: replacing them
    // later would destroy the bars docked in them.
    if (!CExtControlBar::InstallFrameDocking(this, CBRS_ALIGN_ANY, true))
        return -1;
    // The framework has no auto-hide areas yet: a frame without them still docks every bar.
    CExtControlBar::InstallFrameAutoHideAreas(this);

    if (!CExtControlBar::LoadFrameBarState(this, kRegistryKey, profile, profile, &m_wpSaved, true, true))
    {
        m_wpSaved = WINDOWPLACEMENT{};
        DockBarsByDefault();
    }
    splash.SetStatusText(kSplashDockingText);
    RecalcLayout();

    g_CmdManager->MarkBasicCommands(profile, kBasicCommands, true);

    // The Library bar never shows, and its toggle stays disabled.
    m_wndLibraryBar.ShowWindow(SW_HIDE);
    ShowControlBar(&m_wndLibraryBar, FALSE, FALSE);
    m_wndLibraryBar.EnableWindow(FALSE);
    return 0;
}

bool CFlashEditorMainFrame::CreateMenuAndToolBars()
{
    m_wndMenuBar.SetWindowMenuCaption("Window");
    if (!m_wndMenuBar.CreateBarWindow(nullptr, this, ID_VIEW_MENU_BAR, kBarStyle))
        return false;
    if (!m_wndToolBar.CreateBarWindow(nullptr, this, AFX_IDW_TOOLBAR, kBarStyle) ||
        !m_wndToolBar.LoadButtonsFromResource(IDR_MAINFRAME, kToolBarMask))
        return false;
    if (!m_wndDrawingBar.CreateBarWindow("Tools", this, ID_VIEW_DRAWING_TOOLBAR, kBarStyle) ||
        !m_wndDrawingBar.LoadButtonsFromResource(IDR_DRAWING_TOOLS, kToolBarMask))
        return false;
    // The bar keeps the wrap marks given here.
    m_wndDrawingBar.SetFixedColumn(true);
    for (int i : kDrawingToolRowEnds)
        if (CExtBarButton* pButton = m_wndDrawingBar.GetButtonByIndex(i))
            pButton->SetWrapFlag(kVerticalLayoutMode, true);
    return m_wndStatusBar.Create(this, kStatusBarStyle, AFX_IDW_STATUS_BAR) &&
           m_wndStatusBar.SetupIndicatorPanes(kIndicators, int(std::size(kIndicators)));
}

bool CFlashEditorMainFrame::CreatePanelBars()
{
    struct Bar {
        CExtControlBar& bar;
        const char* caption;
        UINT id;
        CFlashEditorTool* panel;
        UINT dialog;
        SIZE size; // empty: the dialog's own
    };
    const Bar bars[] = {
        {m_wndColorsBar, "Colors", ID_VIEW_COLORS, &m_wndColorsTool, IDD_COLORS_PANEL, kColorsPanelSize},
        {m_wndShapeBar, "Shape", ID_VIEW_SHAPE, &m_wndShapeTool, IDD_SHAPE_PANEL, {}},
        {m_wndLibraryBar, "Library", ID_VIEW_LIBRARY, &m_wndLibraryTool, IDD_LIBRARY_TOOL, {}},
        {m_wndObjectInspectorBar, "ObjectInspector", ID_VIEW_OBJECT_INSPECTOR, &m_wndObjectInspectorTool,
         IDD_OBJECT_INSPECTOR_TOOL, {}},
        {m_wndFontBar, "Font", ID_VIEW_FONT, &m_wndFontTool, IDD_FONT_TOOL, kFontPanelSize},
        {m_wndBrushBar, "Brush", ID_VIEW_BRUSH, &m_wndBrushTool, IDD_BRUSH_TOOL, kBrushPanelSize},
        {m_wndEraserBar, "Eraser", ID_VIEW_ERASER, &m_wndEraserTool, IDD_ERASER_TOOL, kEraserPanelSize},
    };
    for (const Bar& b : bars)
    {
        if (!b.bar.CreateBarWindow(b.caption, this, b.id, kBarStyle))
            return false;
        if (!b.panel->Create(b.dialog, &b.bar))
            return false;
        if (b.size.cx != 0)
            b.panel->SetWindowPos(nullptr, 0, 0, b.size.cx, b.size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
        // A resizable bar takes its panel's size as its content's.
        CRect rc;
        b.panel->GetWindowRect(&rc);
        b.bar.m_sizeDockedHorz = b.bar.m_sizeDockedVert = b.bar.m_sizeFloating = rc.Size();
    }
    m_wndFontBar.SetTopMargin(false);
    return true;
}

void CFlashEditorMainFrame::EnableBarDocking()
{
    CControlBar* bars[] = {&m_wndMenuBar, &m_wndToolBar, &m_wndDrawingBar, &m_wndColorsBar, &m_wndShapeBar,
                           &m_wndLibraryBar, &m_wndObjectInspectorBar, &m_wndFontBar, &m_wndBrushBar,
                           &m_wndEraserBar};
    for (CControlBar* pBar : bars)
        pBar->EnableDocking(CBRS_ALIGN_ANY);
    CFlashEditorTool* panels[] = {&m_wndColorsTool, &m_wndShapeTool, &m_wndLibraryTool, &m_wndObjectInspectorTool,
                                  &m_wndFontTool, &m_wndBrushTool, &m_wndEraserTool};
    for (CFlashEditorTool* pPanel : panels)
        pPanel->ShowSizeGripper(false);
}

void CFlashEditorMainFrame::DockBarsByDefault()
{
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndToolBar);
    RecalcLayout();

    // Tools at the left, Colors below it, Brush and Eraser below Colors but hidden.
    DockControlBar(&m_wndDrawingBar, AFX_IDW_DOCKBAR_LEFT);
    CRect rc = WindowRectOf(m_wndDrawingBar);
    rc.OffsetRect(0, 1);
    DockControlBar(&m_wndColorsBar, AFX_IDW_DOCKBAR_LEFT, &rc);
    for (CControlBar* pBar : {static_cast<CControlBar*>(&m_wndBrushBar), static_cast<CControlBar*>(&m_wndEraserBar)})
    {
        rc = WindowRectOf(m_wndColorsBar);
        rc.OffsetRect(0, 1);
        DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT, &rc);
        ShowControlBar(pBar, FALSE, FALSE);
    }
    RecalcLayout();

    // Font beside the main tool bar, in its row.
    rc = WindowRectOf(m_wndToolBar);
    rc.OffsetRect(1, 0);
    DockControlBar(&m_wndFontBar, AFX_IDW_DOCKBAR_TOP, &rc);
    ShowControlBar(&m_wndFontBar, TRUE, FALSE);

    // Shape at the right, ObjectInspector and Library sharing its place below it.
    m_wndShapeBar.DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT, true, nullptr, true);
    RecalcLayout();
    m_wndObjectInspectorBar.DockNextToBar(kStackedBarPercent, &m_wndShapeBar, AFX_IDW_DOCKBAR_BOTTOM, nullptr, true);
    m_wndLibraryBar.DockNextToBar(kStackedBarPercent, &m_wndObjectInspectorBar, AFX_IDW_DOCKBAR_BOTTOM, nullptr, true);
    RecalcLayout();
    ShowControlBar(&m_wndObjectInspectorBar, TRUE, FALSE);
}

void CFlashEditorMainFrame::UpdateBarsForPrintPreview(CFrameWnd* pActiveChild)
{
    const bool bPreview = pActiveChild != nullptr && CExtControlBar::IsFrameInPrintPreview(pActiveChild);
    if (bPreview == m_bBarsHiddenForPreview)
        return;
    m_bBarsHiddenForPreview = bPreview;
    // The hidden bars carry the tempHide mark until the preview ends.
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->GetSafeHwnd() == nullptr || pBar->IsDockBar())
            continue;
        if (bPreview && pBar->IsVisible())
        {
            ShowControlBar(pBar, FALSE, FALSE);
            pBar->m_nStateFlags |= CControlBar::tempHide;
        }
        else if (!bPreview && (pBar->m_nStateFlags & CControlBar::tempHide) != 0)
        {
            pBar->m_nStateFlags &= ~UINT(CControlBar::tempHide);
            ShowControlBar(pBar, TRUE, FALSE);
        }
    }
    RecalcLayout();
}

BOOL CFlashEditorMainFrame::DestroyWindow()
{
    // The layout saved is the one the user sees outside a preview.
    UpdateBarsForPrintPreview(nullptr);
    const LPCSTR profile = ProfileName();
    CExtControlBar::SaveFrameBarState(this, kRegistryKey, profile, profile, &m_wpSaved, true, true);
    g_CmdManager->DetachProfileWindow(m_hWnd, false, nullptr);
    return CMDIFrameWnd::DestroyWindow();
}

void CFlashEditorMainFrame::ActivateFrame(int nCmdShow)
{
    // The loaded layout has already brought the placement onto a monitor, never minimised.
    if (m_wpSaved.showCmd != 0)
    {
        nCmdShow = int(m_wpSaved.showCmd);
        SetWindowPlacement(&m_wpSaved);
        m_wpSaved.showCmd = 0;
    }
    CMDIFrameWnd::ActivateFrame(nCmdShow);
}

BOOL CFlashEditorMainFrame::OnBarCheck(UINT nID)
{
    CExtControlBar::ToggleFrameBar(this, nID, false);
    return TRUE;
}

void CFlashEditorMainFrame::OnUpdateBarCheck(CCmdUI* pCmdUI)
{
    if (pCmdUI->m_nID == ID_VIEW_LIBRARY)
    {
        pCmdUI->Enable(FALSE);
        return;
    }
    CExtControlBar::UpdateFrameBarToggleUI(this, pCmdUI, false);
}

LRESULT CFlashEditorMainFrame::OnConstructPopupMenu(WPARAM, LPARAM)
{
    // The frame "built" the menu: bars, dock areas and chevrons open none.
    return 1;
}

CFlashEditorChildFrame* CFlashEditorMainFrame::GetActiveChildFrame() const
{
    // Only a document window counts: the MDI frame itself is no source of panes.
    return dynamic_cast<CFlashEditorChildFrame*>(MDIGetActive());
}

CFlashEditorView* CFlashEditorMainFrame::GetActiveStageView() const
{
    CFlashEditorChildFrame* pChild = GetActiveChildFrame();
    return pChild != nullptr ? pChild->GetStageView() : nullptr;
}

CMovieControlGridView* CFlashEditorMainFrame::GetActiveTimelineView() const
{
    CFlashEditorChildFrame* pChild = GetActiveChildFrame();
    return pChild != nullptr ? pChild->GetTimelineView() : nullptr;
}

CFlashEditorView* CFlashEditorMainFrame::ResolveView(CFlashEditorView* pView) const
{
    return pView != nullptr ? pView : GetActiveStageView();
}

void CFlashEditorMainFrame::NotifyPanels(CFlashEditorView* pView, void (CFlashEditorTool::*notify)(CFlashEditorView*))
{
    pView = ResolveView(pView);
    if (pView == nullptr)
        return;
    // By index, the size read again each time: a panel's refresh may add or remove panels.
    for (size_t i = 0; i < g_ToolPanels.size(); ++i)
        (g_ToolPanels[i]->*notify)(pView);
}

void CFlashEditorMainFrame::NotifySelectionChanged(CFlashEditorView* pView)
{
    NotifyPanels(pView, &CFlashEditorTool::OnSelectionChanged);
}

void CFlashEditorMainFrame::NotifyDocumentChanged(CFlashEditorView* pView)
{
    NotifyPanels(pView, &CFlashEditorTool::OnDocumentChanged);
}

void CFlashEditorMainFrame::NotifyStyleChanged(CFlashEditorView* pView)
{
    NotifyPanels(pView, &CFlashEditorTool::OnStyleChanged);
}

void CFlashEditorMainFrame::NotifyNoDocument()
{
    for (size_t i = 0; i < g_ToolPanels.size(); ++i)
        g_ToolPanels[i]->OnDocumentChanged(nullptr);
}

void CFlashEditorMainFrame::UpdateToolOptionBars()
{
    ShowToolOptionBarsFor(GetActiveStageView());
}

void CFlashEditorMainFrame::ShowToolOptionBarsFor(CFlashEditorView* pView)
{
    if (m_wndBrushBar.GetSafeHwnd() == nullptr)
        return;
    // Without a document no tool is current and neither option bar shows.
    const CDrawingTool* pCurrent = pView != nullptr ? pView->GetCurrentTool() : nullptr;
    ShowControlBar(&m_wndBrushBar, pView != nullptr && pCurrent == pView->GetBrushTool(), FALSE);
    ShowControlBar(&m_wndEraserBar, pView != nullptr && pCurrent == pView->GetEraserTool(), FALSE);
    if (pView == nullptr)
        return;
    // The Shape bar is opened here, never closed; inside a closed group as well.
    if (pCurrent == pView->GetEllipseTool() || pCurrent == pView->GetRectangleTool() ||
        pCurrent == pView->GetPencilTool() || pCurrent == pView->GetLineTool())
        m_wndShapeBar.ShowWithContainers();
}

BOOL CFlashEditorMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndMenuBar.GetSafeHwnd() != nullptr && m_wndMenuBar.PreTranslateFrameMessage(pMsg))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CFlashEditorMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // F6 and Shift+F6 do not move between panes.
    if (message == WM_COMMAND && (wParam == kNextPaneFromAccelerator || wParam == kPrevPaneFromAccelerator))
        return 1;
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

bool CFlashEditorMainFrame::ReadDDECommand(HGLOBAL hData, CString& command)
{
    const auto* text = static_cast<const char*>(::GlobalLock(hData));
    if (text == nullptr)
        return false;
    const SIZE_T size = ::GlobalSize(hData);
    SIZE_T length = 0;
    while (length < size && length < SIZE_T(kMaxDDECommand) && text[length] != '\0')
        ++length;
    // An unterminated block is read up to its end only.
    const bool accepted = length < SIZE_T(kMaxDDECommand);
    if (accepted)
        command = CString(text, int(length));
    ::GlobalUnlock(hData);
    return accepted;
}

LRESULT CFlashEditorMainFrame::OnDDEExecute(WPARAM wParam, LPARAM lParam)
{
    UINT_PTR unused = 0;
    UINT_PTR data = 0;
    if (!::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &unused, &data))
        return 0;
    auto hData = reinterpret_cast<HGLOBAL>(data);
    CString command;
    // Not while a modal dialog has the frame disabled. The client hears whether the command was
    // carried out: a refused or unknown one is answered negatively.
    bool carriedOut = false;
    if (ReadDDECommand(hData, command) && IsWindowEnabled())
    {
        if (CWinApp* pApp = AfxGetApp())
            carriedOut = pApp->OnDDECommand(command.GetBuffer()) != FALSE;
    }
    ::PostMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(GetSafeHwnd()),
                   ::ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK,
                                    carriedOut ? kDDEAckPositive : kDDEAckNegative, data));
    return 0;
}
