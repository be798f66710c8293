#include "stage/DrawTextTool.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashTextShape.h"
#include "stage/FlashEditorView.h"
#include "stage/FlashInplaceEdit.h"
#include "stage/FlashStageHost.h"

#include <algorithm>
#include <vector>

namespace {

constexpr Gdiplus::ARGB kFrameColor = 0xFF000000;
constexpr Gdiplus::ARGB kGripFillColor = 0xFFFFFFFF;

std::u16string ToWide(const std::string& text)
{
    if (text.empty())
        return {};
    int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::u16string wide(size_t(std::max(length, 0)), u'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), reinterpret_cast<LPWSTR>(&wide[0]), length);
    return wide;
}

// The translation of the shape's placement, truncated to whole twips.
POINT PlacementOffset(const CFlashEditorView& view, const CFlashShape* shape)
{
    const CFlashEditorFrameShapeTransform* placement = view.GetShapeTransform(shape);
    if (placement == nullptr)
        return {0, 0};
    return {LONG(placement->GetMatrix()->OffsetX()), LONG(placement->GetMatrix()->OffsetY())};
}

} // namespace

CDrawTextTool::CDrawTextTool() = default;

CDrawTextTool::~CDrawTextTool()
{
    if (m_hEditorFont != nullptr)
        ::DeleteObject(m_hEditorFont);
}

std::string CDrawTextTool::EditorText() const
{
    if (m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr)
        return {};
    std::vector<char> buffer(size_t(m_pEditor->GetWindowTextLength()) + 1, '\0');
    int length = m_pEditor->GetWindowText(buffer.data(), int(buffer.size()));
    return std::string(buffer.data(), size_t(std::max(length, 0)));
}

void CDrawTextTool::SetEditorText(const std::string& text)
{
    if (m_pEditor != nullptr && m_pEditor->GetSafeHwnd() != nullptr)
        m_pEditor->SetWindowText(text.c_str());
}

CFlashTextShape* CDrawTextTool::HoveredText() const
{
    return m_pView != nullptr ? dynamic_cast<CFlashTextShape*>(m_pView->GetHoveredShape()) : nullptr;
}

void CDrawTextTool::StartNewText()
{
    // An earlier new text is settled first, so none is ever lost.
    if (m_pNewShape != nullptr)
        Commit();
    m_pNewShape.reset(new CFlashTextShape(m_pView->GetTextFont(), m_pView->GetDefaultPen(), m_pView->GetDefaultFill()));
    m_pEditedShape = m_pNewShape.get();
    m_bNewText = true;
}

void CDrawTextTool::Deactivate()
{
    m_bResizing = false;
    HideEditor();
    Commit();
    m_pEditedShape = nullptr;
}

void CDrawTextTool::HideEditor()
{
    if (m_pEditor != nullptr && m_pEditor->GetSafeHwnd() != nullptr && m_pEditor->IsWindowVisible())
        m_pEditor->ShowWindow(SW_HIDE);
}

void CDrawTextTool::Layout(bool show, int x, int y, CFlashTextShape* shape)
{
    if (m_pView == nullptr)
        return;
    SyncWithView();
    if (m_bResizing) {
        x -= kGripOffset;
        y -= kGripOffset;
    }
    int width = x - m_nPressX;
    int height = y - m_nPressY;
    Gdiplus::Graphics* graphics = BeginFeedback();
    if (shape != nullptr) {
        Gdiplus::Rect box = shape->GetBounds();
        {
            HDC dc = ::GetDC(m_pView->GetSafeHwnd());
            Gdiplus::Graphics measuring(dc);
            Gdiplus::GraphicsPath glyphs;
            shape->AddToPath(glyphs, measuring, m_fZoom);
            Gdiplus::Rect outline;
            if (glyphs.GetPointCount() > 0 && glyphs.GetBounds(&outline) == Gdiplus::Ok) {
                box.Width = std::max(box.Width, outline.Width);
                box.Height = std::max(box.Height, outline.Height);
            }
            ::ReleaseDC(m_pView->GetSafeHwnd(), dc);
        }
        if (!m_bResizing) {
            POINT offset = PlacementOffset(*m_pView, shape);
            box.X += offset.x;
            box.Y += offset.y;
            const float t = m_fTwipsPerPixel;
            m_nPressX = int(m_nStageOffsetX + box.X / t);
            m_nPressY = int(m_nStageOffsetY + box.Y / t);
            width = int(m_nStageOffsetX + (box.X + box.Width) / t) - m_nPressX;
            height = int(m_nStageOffsetY + (box.Y + box.Height) / t) - m_nPressY;
        }
    }
    const Gdiplus::Font* font = m_pView->GetTextFont();
    width = std::max(width, kMinimumWidth);
    const int minimumHeight = (font != nullptr ? int(font->GetSize()) : 0) + kExtraHeight;
    height = std::max(height, minimumHeight);
    m_rcFrame = {m_nPressX - m_nStageOffsetX, m_nPressY - m_nStageOffsetY, m_nPressX - m_nStageOffsetX + width,
                 m_nPressY - m_nStageOffsetY + height};
    const int right = m_nPressX + width;
    const int bottom = m_nPressY + height;
    m_rcGrip = {right + kGripOffset, bottom + kGripOffset, right + kGripOffset + kGripSize,
                bottom + kGripOffset + kGripSize};

    Gdiplus::Pen dashed{Gdiplus::Color(kFrameColor), 1.0f};
    dashed.SetDashStyle(Gdiplus::DashStyleDash);
    if (graphics != nullptr)
        graphics->DrawRectangle(&dashed, m_nPressX, m_nPressY, width, height);
    if (show && m_pEditor != nullptr && m_pEditor->GetSafeHwnd() != nullptr) {
        LOGFONTA logFont = {};
        if (font != nullptr && graphics != nullptr && font->GetLogFontA(graphics, &logFont) == Gdiplus::Ok) {
            HFONT previous = m_hEditorFont;
            m_hEditorFont = ::CreateFontIndirectA(&logFont);
            m_pEditor->SendMessage(WM_SETFONT, WPARAM(m_hEditorFont), TRUE);
            if (previous != nullptr)
                ::DeleteObject(previous);
        }
        ::SetWindowPos(m_pEditor->GetSafeHwnd(), nullptr, m_nPressX, m_nPressY, width, height,
                       SWP_SHOWWINDOW | SWP_NOZORDER);
        m_pEditor->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        if (graphics != nullptr)
            graphics->DrawRectangle(&dashed, m_nPressX, m_nPressY, width, height);
    }
    if (graphics != nullptr) {
        DrawOverlay(*graphics);
        EndFeedback(&graphics);
    }
    m_bModified = true;
}

void CDrawTextTool::DrawOverlay(Gdiplus::Graphics& graphics)
{
    ForgetLostShape();
    bool editing = m_bNewText || (m_pEditedShape != nullptr && m_pEditedShape->GetState() == kResourceStateSelected);
    if (!editing)
        return;
    Gdiplus::Pen black{Gdiplus::Color(kFrameColor), 1.0f};
    Gdiplus::SolidBrush white{Gdiplus::Color(kGripFillColor)};
    const int left = m_rcGrip.left;
    const int top = m_rcGrip.top;
    graphics.DrawLine(&black, left - kGripSize, top - kGripSize, left, top);
    graphics.FillRectangle(&white, left, top, kGripSize, kGripSize);
    graphics.DrawRectangle(&black, left, top, kGripSize, kGripSize);
}

void CDrawTextTool::ForgetLostShape()
{
    // An undo or a deletion may have taken the edited text out of the document.
    if (m_pEditedShape != nullptr && m_pEditedShape != m_pNewShape.get() &&
        (m_pView == nullptr || m_pView->GetShapeTransform(m_pEditedShape) == nullptr))
        m_pEditedShape = nullptr;
}

void CDrawTextTool::OnLButtonDown(UINT flags, int x, int y)
{
    if (m_pView == nullptr)
        return;
    ForgetLostShape();
    POINT at = {x, y};
    m_bResizing = ::PtInRect(&m_rcGrip, at) != FALSE;
    if (!m_bResizing) {
        if (m_pEditor != nullptr && m_pEditor->GetSafeHwnd() != nullptr && m_pEditor->IsWindowVisible()) {
            HideEditor();
            m_pView->Invalidate(TRUE);
        }
        // Hiding the editor commits through its loss of focus; a new text whose editor never
        // had the focus is settled here, so that none is lost.
        if (m_pNewShape != nullptr)
            Commit();
        if (!m_pView->GetSelection().empty()) {
            m_pView->RemoveFromSelection(nullptr, true);
            m_pView->Invalidate(TRUE);
        }
        m_pView->UpdateWindow();
    }
    const POINT press = GetPressPoint();
    CDrawingTool::OnLButtonDown(flags, x, y);
    CaptureBackdrop(kRenderAllStates);
    if (m_bResizing) {
        m_nPressX = press.x;
        m_nPressY = press.y;
        HideEditor();
        // Taking the capture again would end the press the view is routing.
        if (::GetCapture() != m_pView->GetSafeHwnd())
            m_pView->SetCapture();
        return;
    }
    m_rcFrame = {0, 0, 0, 0};
    m_pEditedShape = HoveredText();
    m_bNewText = m_pEditedShape == nullptr;
    if (m_pEditedShape != nullptr) {
        m_pView->AddToSelection(m_pEditedShape, true);
        SetEditorText(m_pEditedShape->GetText());
        Layout(false, x, y, m_pEditedShape);
    } else {
        SetEditorText("");
        Layout(false, x, y, nullptr);
    }
}

void CDrawTextTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    ForgetLostShape();
    POINT at = {x, y};
    if (m_bResizing || ::PtInRect(&m_rcGrip, at))
        ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENWSE));
    else if (!(flags & MK_LBUTTON))
        ::SetCursor(::LoadCursorA(nullptr, HoveredText() != nullptr ? IDC_IBEAM : IDC_CROSS));
    if (!(flags & MK_LBUTTON))
        return;
    CFlashTextShape* shape = m_pEditedShape != nullptr && !m_bNewText ? m_pEditedShape : HoveredText();
    if (m_bNewText && !m_bResizing)
        shape = nullptr;
    Layout(m_bResizing, x, y, shape);
    if (m_bResizing)
        RecordStep("Resize Text");
}

void CDrawTextTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    if (m_pView == nullptr)
        return;
    ForgetLostShape();
    if (!m_bResizing) {
        if (m_bNewText) {
            StartNewText();
            Layout(true, x, y, nullptr);
        } else if (m_pEditedShape != nullptr) {
            Layout(true, x, y, m_pEditedShape);
        }
    } else if (m_pEditedShape == nullptr) {
        if (::GetCapture() == m_pView->GetSafeHwnd())
            ::ReleaseCapture();
        StartNewText();
        Layout(true, x, y, nullptr);
    } else {
        Layout(true, x, y, m_bNewText ? nullptr : m_pEditedShape);
    }
    if (m_pEditor != nullptr && m_pEditor->GetSafeHwnd() != nullptr)
        m_pEditor->SetFocus();
    // The grip's press captured a backdrop too.
    ReleaseBackdrop();
    m_bResizing = false;
}

void CDrawTextTool::OnLButtonDblClk(UINT, int x, int y)
{
    CFlashTextShape* shape = HoveredText();
    if (m_pView == nullptr || shape == nullptr)
        return;
    m_pView->RemoveFromSelection(nullptr, true);
    m_pEditedShape = shape;
    m_bNewText = false;
    SetEditorText(shape->GetText());
    CaptureBackdrop(kRenderAllStates);
    Layout(true, x, y, shape);
    ReleaseBackdrop();
    m_pView->AddToSelection(shape, true);
}

void CDrawTextTool::Commit()
{
    if (m_pView == nullptr)
        return;
    ForgetLostShape();
    const std::string text = EditorText();
    if (text.empty()) {
        if (m_bNewText && m_pNewShape != nullptr) {
            m_pView->RemoveFromSelection(nullptr, true);
            m_pNewShape.reset();
            m_pEditedShape = nullptr;
            RedrawView();
        }
    } else if (m_pEditedShape != nullptr) {
        CFlashTextShape* shape = m_pEditedShape;
        shape->SetText(text);
        RECT& frame = m_rcFrame;
        if (Gdiplus::Font* font = shape->GetFont()) {
            HDC dc = ::GetDC(m_pView->GetSafeHwnd());
            {
                Gdiplus::Graphics graphics(dc);
                Gdiplus::FontFamily family;
                font->GetFamily(&family);
                Gdiplus::GraphicsPath path;
                const std::u16string wide = ToWide(text);
                path.AddString(reinterpret_cast<const WCHAR*>(wide.c_str()), INT(wide.size()), &family, 0,
                               font->GetHeight(&graphics),
                               Gdiplus::PointF(float(frame.left), float(frame.top)), nullptr);
                Gdiplus::Rect bounds;
                // The box holds its text: width against width, height against height.
                if (path.GetPointCount() > 0 && path.GetBounds(&bounds) == Gdiplus::Ok) {
                    frame.right = frame.left + std::max(frame.right - frame.left, LONG(bounds.Width));
                    frame.bottom = frame.top + std::max(frame.bottom - frame.top, LONG(bounds.Height));
                }
            }
            ::ReleaseDC(m_pView->GetSafeHwnd(), dc);
        }
        const float t = m_fTwipsPerPixel;
        Gdiplus::Rect box(int(frame.left * t), int(frame.top * t), int((frame.right - frame.left) * t),
                          int((frame.bottom - frame.top) * t));
        if (!m_bNewText) {
            POINT offset = PlacementOffset(*m_pView, shape);
            box.X -= offset.x;
            box.Y -= offset.y;
        }
        shape->SetRect(box);
        CFlashEditorDoc* document = m_pView->GetDocument();
        if (m_bNewText && m_pNewShape != nullptr) {
            // A layer that takes no shape drops the text without a step.
            CFlashTextShape* added = m_pNewShape.release();
            if (document != nullptr && document->AddShape(added)) {
                RecordStep("Insert Text");
            } else {
                delete added;
                m_pEditedShape = nullptr;
            }
        } else if (m_bModified) {
            RecordStep("Modify Text");
        }
        m_bModified = false;
        if (CFlashStageHost* host = CFlashEditorView::GetStageHost())
            host->NotifyDocumentChanged(m_pView);
    }
    m_bNewText = false;
}
