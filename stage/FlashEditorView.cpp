// Construction, message map, tool commands and mouse routing of the stage view.
#include "stage/FlashEditorView.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashShape.h"
#include "model/FlashTextShape.h"
#include "model/archive/DrawableFont.h"
#include "stage/DrawBrushTool.h"
#include "stage/DrawEllipseTool.h"
#include "stage/DrawEraserTool.h"
#include "stage/DrawEyeDropperTool.h"
#include "stage/DrawFillTool.h"
#include "stage/DrawInkBottleTool.h"
#include "stage/DrawLassoTool.h"
#include "stage/DrawLineTool.h"
#include "stage/DrawRectangleTool.h"
#include "stage/DrawTextTool.h"
#include "stage/FlashInplaceEdit.h"
#include "stage/FlashStageHost.h"
#include "stage/FreeTransformTool.h"
#include "stage/SubselectionTool.h"

namespace {

constexpr UINT ID_TOOL_PAINT_BUCKET = 32780;
constexpr UINT ID_TOOL_EYEDROPPER = 32779;
constexpr UINT ID_ZOOM_STEP_DOWN = 32781;
constexpr UINT ID_TOOL_PENCIL = 32782;
constexpr UINT ID_TOOL_BRUSH = 32783;
constexpr UINT ID_TOOL_SELECTION = 32784;
constexpr UINT ID_TOOL_LINE = 32785;
constexpr UINT ID_TOOL_RECTANGLE = 32786;
constexpr UINT ID_TOOL_FILLED_RECTANGLE = 32787;
constexpr UINT ID_TOOL_ELLIPSE = 32792;
constexpr UINT ID_TOOL_OVAL = 32793;
constexpr UINT ID_TOOL_LASSO = 32795;
constexpr UINT ID_ZOOM_STEP_UP = 32797;
constexpr UINT ID_TOOL_TEXT = 32818;
constexpr UINT ID_TOOL_FREE_TRANSFORM = 32848;
constexpr UINT ID_TOOL_SUBSELECTION = 32863;
constexpr UINT ID_TOOL_ERASER = 32866;
constexpr UINT ID_VIEW_ZOOM_IN = 32869;
constexpr UINT ID_VIEW_ZOOM_OUT = 32870;
constexpr UINT ID_MODIFY_DOCUMENT = 32871;
constexpr UINT ID_INSERT_BITMAP = 32873;
constexpr UINT ID_TOOL_INK_BOTTLE = 32877;
constexpr UINT ID_INSERT_INTERSECTION = 32881;
constexpr UINT ID_INSERT_UNION = 32882;
constexpr UINT ID_INSERT_DIFFERENCE = 32883;
constexpr UINT ID_SEND_TO_BACK = 23376;
constexpr UINT ID_EDIT_CLEAR_SELECTION = 57632;
constexpr UINT ID_BRING_TO_FRONT = 23377;

constexpr Gdiplus::ARGB kDefaultPenColor = 0xFF000000;
constexpr float kDefaultPenWidth = 20.0f;
constexpr Gdiplus::ARGB kDefaultFillColor = 0xFF6495ED;
constexpr Gdiplus::ARGB kDefaultBrushPenColor = 0xFFFF0000;
constexpr float kDefaultBrushPenWidth = 10.0f;
constexpr int kTextFontPoints = 9;
constexpr DWORD kInplaceEditStyle = 0x10C4;
constexpr UINT kInplaceEditId = 1;
constexpr UINT kDeleteKey = 46;
constexpr UINT kPreviousKeyDown = 0x4000;

const UINT g_nMsgColorChanged = ::RegisterWindowMessageA("CExtColorCtrl::g_nMsgColorChanged");

} // namespace

CFlashStageHost* CFlashEditorView::s_pHost = nullptr;

IMPLEMENT_DYNCREATE(CFlashEditorView, CScrollView)

BEGIN_MESSAGE_MAP(CFlashEditorView, CScrollView)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
    ON_COMMAND(ID_TOOL_LINE, OnLineTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_LINE, OnUpdateLineTool)
    ON_COMMAND(ID_TOOL_ELLIPSE, OnEllipseTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_ELLIPSE, OnUpdateEllipseTool)
    ON_COMMAND(ID_TOOL_OVAL, OnOvalTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_OVAL, OnUpdateOvalTool)
    ON_COMMAND(ID_TOOL_TEXT, OnTextTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_TEXT, OnUpdateTextTool)
    ON_COMMAND(ID_TOOL_PENCIL, OnPencilTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_PENCIL, OnUpdatePencilTool)
    ON_COMMAND(ID_TOOL_BRUSH, OnBrushTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_BRUSH, OnUpdateBrushTool)
    ON_COMMAND(ID_TOOL_ERASER, OnEraserTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_ERASER, OnUpdateEraserTool)
    ON_COMMAND(ID_TOOL_RECTANGLE, OnRectangleTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_RECTANGLE, OnUpdateRectangleTool)
    ON_COMMAND(ID_TOOL_FILLED_RECTANGLE, OnFilledRectangleTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_FILLED_RECTANGLE, OnUpdateFilledRectangleTool)
    ON_COMMAND(ID_TOOL_SELECTION, OnSelectionTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_SELECTION, OnUpdateSelectionTool)
    ON_COMMAND(ID_TOOL_SUBSELECTION, OnSubselectionTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_SUBSELECTION, OnUpdateSubselectionTool)
    ON_COMMAND(ID_TOOL_FREE_TRANSFORM, OnFreeTransformTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_FREE_TRANSFORM, OnUpdateFreeTransformTool)
    ON_COMMAND(ID_ZOOM_STEP_DOWN, OnZoomStepDown)
    ON_COMMAND(ID_ZOOM_STEP_UP, OnZoomStepUp)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CAPTURECHANGED()
    ON_WM_KEYDOWN()
    ON_REGISTERED_MESSAGE(CFlashInplaceEdit::g_nMsgFlashInplaceEditKillFocus, OnInplaceEditKillFocus)
    ON_REGISTERED_MESSAGE(CFlashInplaceEdit::g_nMsgFlashInplaceEditCancel, OnInplaceEditCancel)
    ON_EN_CHANGE(kInplaceEditId, OnInplaceEditChange)
    ON_REGISTERED_MESSAGE(g_nMsgColorChanged, OnColorChanged)
    ON_COMMAND(ID_MODIFY_DOCUMENT, OnModifyDocument)
    ON_UPDATE_COMMAND_UI(ID_MODIFY_DOCUMENT, OnUpdateNotPlaying)
    ON_COMMAND(ID_INSERT_BITMAP, OnInsertBitmap)
    ON_UPDATE_COMMAND_UI(ID_INSERT_BITMAP, OnUpdateNotPlaying)
    ON_WM_SIZE()
    ON_COMMAND(ID_VIEW_ZOOM_IN, OnZoomIn)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_IN, OnUpdateNotPlaying)
    ON_COMMAND(ID_VIEW_ZOOM_OUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_OUT, OnUpdateNotPlaying)
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_EDIT_CLEAR_SELECTION, OnEditClear)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR_SELECTION, OnUpdateNeedsSelection)
    ON_COMMAND(ID_BRING_TO_FRONT, OnBringToFront)
    ON_UPDATE_COMMAND_UI(ID_BRING_TO_FRONT, OnUpdateNeedsSelection)
    ON_COMMAND(ID_SEND_TO_BACK, OnSendToBack)
    ON_UPDATE_COMMAND_UI(ID_SEND_TO_BACK, OnUpdateNeedsSelection)
    // Forwarded by the document window whichever pane has the focus.
    ON_COMMAND(ID_TOOL_LASSO, OnLassoTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_LASSO, OnUpdateLassoTool)
    ON_COMMAND(ID_TOOL_INK_BOTTLE, OnInkBottleTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_INK_BOTTLE, OnUpdateInkBottleTool)
    ON_COMMAND(ID_TOOL_PAINT_BUCKET, OnPaintBucketTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_PAINT_BUCKET, OnUpdatePaintBucketTool)
    ON_COMMAND(ID_TOOL_EYEDROPPER, OnEyedropperTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_EYEDROPPER, OnUpdateEyedropperTool)
    ON_COMMAND(ID_INSERT_INTERSECTION, InsertShapeIntersection)
    ON_UPDATE_COMMAND_UI(ID_INSERT_INTERSECTION, OnUpdateShapeUnionIntersection)
    ON_COMMAND(ID_INSERT_UNION, InsertShapeUnion)
    ON_UPDATE_COMMAND_UI(ID_INSERT_UNION, OnUpdateShapeUnionIntersection)
    ON_COMMAND(ID_INSERT_DIFFERENCE, InsertShapeDifference)
    ON_UPDATE_COMMAND_UI(ID_INSERT_DIFFERENCE, OnUpdateShapeDifference)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CFlashEditorView::CFlashEditorView()
    : m_pSelectTool(new CSelectTool), m_pSubselectionTool(new CSubselectionTool), m_pLineTool(new CDrawLineTool),
      m_pEllipseTool(new CDrawEllipseTool), m_pRectangleTool(new CDrawRectangleTool),
      m_pPencilTool(new CDrawFreeHandTool), m_pBrushTool(new CDrawBrushTool), m_pEraserTool(new CDrawEraserTool),
      m_pLassoTool(new CDrawLassoTool), m_pInkBottleTool(new CDrawInkBottleTool),
      m_pPaintBucketTool(new CDrawFillTool), m_pEyeDropperTool(new CDrawEyeDropperTool),
      m_pTextTool(new CDrawTextTool), m_pFreeTransformTool(new CFreeTransformTool),
      m_pDefaultPen(new Gdiplus::Pen(Gdiplus::Color(kDefaultPenColor), kDefaultPenWidth)),
      m_pDefaultFill(new Gdiplus::SolidBrush(Gdiplus::Color(kDefaultFillColor))),
      m_pBrushPen(new Gdiplus::Pen(Gdiplus::Color(kDefaultBrushPenColor), kDefaultBrushPenWidth)),
      m_pInplaceEdit(new CFlashInplaceEdit)
{
    // The shapes name the kind of tool that edits them; a view compares with these pointers
    // only, since they may belong to another (even a closed) document window.
    CFlashShape::SetKindEditTool(m_pSelectTool.get());
    CFlashTextShape::SetKindEditTool(m_pTextTool.get());
}

CFlashEditorView::~CFlashEditorView() = default;

void CFlashEditorView::SetStageHost(CFlashStageHost* host)
{
    s_pHost = host;
}

CFlashStageHost* CFlashEditorView::GetStageHost()
{
    return s_pHost;
}

CFlashEditorDoc* CFlashEditorView::GetDocument() const
{
    return dynamic_cast<CFlashEditorDoc*>(m_pDocument);
}

bool CFlashEditorView::IsPlaying() const
{
    CFlashEditorDoc* document = GetDocument();
    return document != nullptr && document->IsPlaying();
}

BOOL CFlashEditorView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CScrollView::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr, nullptr);
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

void CFlashEditorView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    if (::RegisterDragDrop(GetSafeHwnd(), static_cast<IDropTarget*>(this)) == S_OK)
        m_bDropTargetRegistered = true;
    SetStageScrollSizes(100, 100);
    ModifyStyle(0, WS_CLIPCHILDREN);

    HDC dc = ::GetDC(GetSafeHwnd());
    LOGFONTA logFont = {};
    logFont.lfHeight = -::MulDiv(kTextFontPoints, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    lstrcpynA(logFont.lfFaceName, "Arial", LF_FACESIZE);
    m_pTextFont = CDrawableFont::Make(dc, logFont);
    ::ReleaseDC(GetSafeHwnd(), dc);

    if (m_pInplaceEdit->GetSafeHwnd() == nullptr &&
        m_pInplaceEdit->Create(kInplaceEditStyle, CRect(0, 0, 25, 25), this, kInplaceEditId)) {
        m_pInplaceEdit->ModifyStyle(0, WS_CHILD | WS_BORDER);
        m_pInplaceEdit->ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    }
    m_pTextTool->SetEditor(m_pInplaceEdit.get());
    SetTool(m_pSelectTool.get());
    LayoutStage();
    SetScrollPos(SB_HORZ, m_nStageWidthAtZoom / 2, FALSE);
    SetScrollPos(SB_VERT, m_nStageHeightAtZoom / 2, FALSE);
    Invalidate(TRUE);
}

void CFlashEditorView::OnUpdate(CView*, LPARAM, CObject*)
{
    // The document was replaced or reloaded: what the pointer rested on may be gone.
    m_pHoveredShape = nullptr;
    LayoutStage();
    Invalidate(TRUE);
}

void CFlashEditorView::OnDestroy()
{
    if (m_pCurrentTool != nullptr) {
        m_pCurrentTool->Deactivate();
        m_pCurrentTool = nullptr;
    }
    if (m_bDropTargetRegistered) {
        ::RevokeDragDrop(GetSafeHwnd());
        m_bDropTargetRegistered = false;
    }
    CScrollView::OnDestroy();
}

// -- tools --------------------------------------------------------------------------------------

void CFlashEditorView::SetTool(CDrawingTool* tool)
{
    CDrawingTool* previous = m_pCurrentTool;
    if (previous != nullptr)
        previous->Deactivate();
    m_pCurrentTool = tool;
    if (tool != nullptr)
        tool->Activate(this);
    auto* brush = static_cast<CDrawingTool*>(m_pBrushTool.get());
    auto* eraser = static_cast<CDrawingTool*>(m_pEraserTool.get());
    // The option bars follow the tool: the Brush and Eraser bars while theirs is current, the
    // Shape bar (shown, never hidden) for the tools that draw with its pen.
    const bool shapeTool = tool != nullptr && (tool == m_pLineTool.get() || tool == m_pEllipseTool.get() ||
                                               tool == m_pRectangleTool.get() || tool == m_pPencilTool.get());
    bool optionTool = previous == brush || previous == eraser || tool == brush || tool == eraser || shapeTool;
    if (optionTool && s_pHost != nullptr)
        s_pHost->UpdateToolOptionBars();
}

void CFlashEditorView::OnSelectionTool() { SetTool(m_pSelectTool.get()); }
void CFlashEditorView::OnSubselectionTool() { SetTool(m_pSubselectionTool.get()); }
void CFlashEditorView::OnFreeTransformTool() { SetTool(m_pFreeTransformTool.get()); }
void CFlashEditorView::OnLineTool() { SetTool(m_pLineTool.get()); }
void CFlashEditorView::OnTextTool() { SetTool(m_pTextTool.get()); }
void CFlashEditorView::OnPencilTool() { SetTool(m_pPencilTool.get()); }
void CFlashEditorView::OnLassoTool() { SetTool(m_pLassoTool.get()); }
void CFlashEditorView::OnInkBottleTool() { SetTool(m_pInkBottleTool.get()); }
void CFlashEditorView::OnPaintBucketTool() { SetTool(m_pPaintBucketTool.get()); }

void CFlashEditorView::OnEllipseTool()
{
    m_pEllipseTool->SetFilled(false);
    SetTool(m_pEllipseTool.get());
}

void CFlashEditorView::OnOvalTool()
{
    m_pEllipseTool->SetFilled(true);
    SetTool(m_pEllipseTool.get());
}

void CFlashEditorView::OnRectangleTool()
{
    m_pRectangleTool->SetFilled(false);
    SetTool(m_pRectangleTool.get());
}

void CFlashEditorView::OnFilledRectangleTool()
{
    m_pRectangleTool->SetFilled(true);
    SetTool(m_pRectangleTool.get());
}

void CFlashEditorView::OnBrushTool()
{
    SetTool(m_pBrushTool.get());
    if (s_pHost != nullptr)
        s_pHost->UpdateToolOptionBars();
}

void CFlashEditorView::OnEraserTool()
{
    SetTool(m_pEraserTool.get());
    if (s_pHost != nullptr)
        s_pHost->UpdateToolOptionBars();
}

void CFlashEditorView::OnEyedropperTool()
{
    SetTool(m_pEyeDropperTool.get());
    RemoveFromSelection(nullptr, true);
}

void CFlashEditorView::UpdateToolCommand(CCmdUI* pCmdUI, bool current, bool checkMark)
{
    if (IsPlaying()) {
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->Enable(TRUE);
    if (checkMark)
        pCmdUI->SetCheck(current ? 1 : 0);
    else
        pCmdUI->SetRadio(current);
}

void CFlashEditorView::OnUpdateSelectionTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pSelectTool.get()); }
void CFlashEditorView::OnUpdateSubselectionTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pSubselectionTool.get()); }
void CFlashEditorView::OnUpdateFreeTransformTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pFreeTransformTool.get()); }
void CFlashEditorView::OnUpdateLineTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pLineTool.get()); }
void CFlashEditorView::OnUpdateTextTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pTextTool.get()); }
void CFlashEditorView::OnUpdatePencilTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pPencilTool.get()); }
void CFlashEditorView::OnUpdateBrushTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pBrushTool.get()); }
void CFlashEditorView::OnUpdateEraserTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pEraserTool.get()); }
void CFlashEditorView::OnUpdateLassoTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pLassoTool.get()); }
void CFlashEditorView::OnUpdateInkBottleTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pInkBottleTool.get(), true); }
void CFlashEditorView::OnUpdatePaintBucketTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pPaintBucketTool.get(), true); }
void CFlashEditorView::OnUpdateEyedropperTool(CCmdUI* p) { UpdateToolCommand(p, m_pCurrentTool == m_pEyeDropperTool.get(), true); }

void CFlashEditorView::OnUpdateEllipseTool(CCmdUI* p)
{
    UpdateToolCommand(p, m_pCurrentTool == m_pEllipseTool.get() && !m_pEllipseTool->IsFilled());
}

void CFlashEditorView::OnUpdateOvalTool(CCmdUI* p)
{
    UpdateToolCommand(p, m_pCurrentTool == m_pEllipseTool.get() && m_pEllipseTool->IsFilled());
}

void CFlashEditorView::OnUpdateRectangleTool(CCmdUI* p)
{
    UpdateToolCommand(p, m_pCurrentTool == m_pRectangleTool.get() && !m_pRectangleTool->IsFilled());
}

void CFlashEditorView::OnUpdateFilledRectangleTool(CCmdUI* p)
{
    UpdateToolCommand(p, m_pCurrentTool == m_pRectangleTool.get() && m_pRectangleTool->IsFilled());
}

void CFlashEditorView::OnUpdateNotPlaying(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPlaying());
}

void CFlashEditorView::OnUpdateNeedsSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_selection.empty());
}

void CFlashEditorView::OnUpdateShapeUnionIntersection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPlaying() && m_selection.size() > 1);
}

void CFlashEditorView::OnUpdateShapeDifference(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPlaying() && m_selection.size() == 2);
}

void CFlashEditorView::OnModifyDocument()
{
    if (s_pHost != nullptr && GetDocument() != nullptr)
        s_pHost->EditDocumentProperties(GetDocument());
    Invalidate(TRUE);
}

// -- mouse and keys -----------------------------------------------------------------------------

void CFlashEditorView::OnLButtonDown(UINT nFlags, CPoint point) { DispatchLButtonDown(nFlags, point); }
void CFlashEditorView::OnLButtonUp(UINT nFlags, CPoint point) { DispatchLButtonUp(nFlags, point); }
void CFlashEditorView::OnMouseMove(UINT nFlags, CPoint point) { DispatchMouseMove(nFlags, point); }

void CFlashEditorView::DispatchLButtonDown(UINT flags, CPoint point)
{
    SetFocus();
    SetCapture();
    m_bButtonDown = true;
    m_ptLastMouse = point;
    if (m_pCurrentTool != nullptr)
        m_pCurrentTool->OnLButtonDown(flags, point.x, point.y);
}

void CFlashEditorView::DispatchMouseMove(UINT flags, CPoint point)
{
    if (m_bButtonDown)
        m_ptLastMouse = point;
    if (m_pCurrentTool != nullptr)
        m_pCurrentTool->OnMouseMove(m_bButtonDown ? flags : 0, point.x, point.y);
}

void CFlashEditorView::DispatchLButtonUp(UINT flags, CPoint point)
{
    if (::GetCapture() != GetSafeHwnd() && !m_bDoubleClickPending)
        return;
    m_bButtonDown = false;
    m_bDoubleClickPending = false;
    if (m_pCurrentTool != nullptr)
        m_pCurrentTool->OnLButtonUp(flags, point.x, point.y);
    if (::GetCapture() == GetSafeHwnd())
        ::ReleaseCapture();
}

void CFlashEditorView::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the mouse during a press (a message box, task switch): the gesture
    // ends as a release where the pointer was last seen, so no tool is left mid-drag.
    if (m_bButtonDown) {
        m_bButtonDown = false;
        m_bDoubleClickPending = false;
        if (m_pCurrentTool != nullptr)
            m_pCurrentTool->OnLButtonUp(0, m_ptLastMouse.x, m_ptLastMouse.y);
    }
    CScrollView::OnCaptureChanged(pWnd);
}

void CFlashEditorView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    m_bDoubleClickPending = true;
    Default();
    if (m_pHoveredShape != nullptr) {
        // Compare with the kind's pointer only: it may belong to another document window.
        CDrawingTool* kind = m_pHoveredShape->GetEditTool();
        CDrawingTool* tool = kind == CFlashTextShape::GetKindEditTool()
                                 ? static_cast<CDrawingTool*>(m_pTextTool.get())
                                 : static_cast<CDrawingTool*>(m_pSelectTool.get());
        if (m_pCurrentTool != tool)
            SetTool(tool);
    }
    if (m_pCurrentTool != nullptr)
        m_pCurrentTool->OnLButtonDblClk(nFlags, point.x, point.y);
}

void CFlashEditorView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE && m_bButtonDown) {
        // Cleared first, so that losing the capture does not finish the drag as a release.
        m_bButtonDown = false;
        m_bDoubleClickPending = false;
        if (m_pCurrentTool != nullptr)
            m_pCurrentTool->CancelDrag();
        if (::GetCapture() == GetSafeHwnd())
            ::ReleaseCapture();
        return;
    }
    if (GetDocument() != nullptr && nChar == kDeleteKey && !(nFlags & kPreviousKeyDown))
        DeleteSelection();
    CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT CFlashEditorView::OnInplaceEditKillFocus(WPARAM, LPARAM)
{
    m_pTextTool->Commit();
    m_pTextTool->HideEditor();
    return 1;
}

void CFlashEditorView::OnInplaceEditChange()
{
    m_pTextTool->OnEditorTextChanged();
}

LRESULT CFlashEditorView::OnInplaceEditCancel(WPARAM, LPARAM)
{
    m_pTextTool->Discard();
    SetFocus();
    return 1;
}

LRESULT CFlashEditorView::OnColorChanged(WPARAM, LPARAM)
{
    return 1;
}
