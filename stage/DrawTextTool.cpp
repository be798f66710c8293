#include "stage/DrawTextTool.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashTextShape.h"
#include "stage/FlashEditorView.h"
#include "stage/FlashInplaceEdit.h"
#include "stage/FlashStageHost.h"

#include <algorithm>
#include <cmath>
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

// The text's lines, split at LF with a CR before it dropped.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += c;
    }
    return lines;
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
    m_laidOut = {width, height};
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
    m_bFitToText = false;
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
            m_bFitToText = x - m_nPressX < kMinimumWidth;
            Layout(true, x, y, nullptr);
        } else if (m_pEditedShape != nullptr) {
            Layout(true, x, y, m_pEditedShape);
        }
    } else if (m_pEditedShape == nullptr) {
        if (::GetCapture() == m_pView->GetSafeHwnd())
            ::ReleaseCapture();
        StartNewText();
        m_bFitToText = false;
        Layout(true, x, y, nullptr);
    } else {
        m_bFitToText = false;
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
    m_bFitToText = false;
    SetEditorText(shape->GetText());
    CaptureBackdrop(kRenderAllStates);
    Layout(true, x, y, shape);
    ReleaseBackdrop();
    m_pView->AddToSelection(shape, true);
}

int CDrawTextTool::LayoutWidth(const std::string& text, Gdiplus::Graphics& graphics, const Gdiplus::Font& font) const
{
    Gdiplus::FontFamily family;
    font.GetFamily(&family);
    // The size the committed shape lays its glyphs out at, as the outline above.
    Gdiplus::Font layoutFont(&family, font.GetHeight(&graphics), font.GetStyle(), Gdiplus::UnitPixel);
    Gdiplus::StringFormat format(0, LANG_NEUTRAL);
    float widest = 0.0f;
    for (const std::string& line : SplitLines(text)) {
        const std::u16string wide = ToWide(line);
        Gdiplus::RectF box;
        if (!wide.empty() && graphics.MeasureString(reinterpret_cast<const WCHAR*>(wide.c_str()), INT(wide.size()),
                                                    &layoutFont, Gdiplus::PointF(0.0f, 0.0f), &format, &box) == Gdiplus::Ok)
            widest = std::max(widest, box.Width);
    }
    return int(std::ceil(widest)) + 1;
}

void CDrawTextTool::OnEditorTextChanged()
{
    if (m_pView == nullptr || m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr || !m_pEditor->IsWindowVisible())
        return;
    HWND edit = m_pEditor->GetSafeHwnd();
    RECT window;
    RECT client;
    ::GetWindowRect(edit, &window);
    ::GetClientRect(edit, &client);
    const int borderX = (window.right - window.left) - client.right;
    const int borderY = (window.bottom - window.top) - client.bottom;
    TEXTMETRICA metrics = {};
    int widest = 0;
    {
        HDC dc = ::GetDC(edit);
        HGDIOBJ previous = ::SelectObject(dc, HGDIOBJ(m_pEditor->SendMessage(WM_GETFONT)));
        ::GetTextMetricsA(dc, &metrics);
        for (const std::string& line : SplitLines(EditorText())) {
            SIZE extent = {0, 0};
            ::GetTextExtentPoint32A(dc, line.c_str(), int(line.size()), &extent);
            widest = std::max(widest, int(extent.cx));
        }
        ::SelectObject(dc, previous);
        ::ReleaseDC(edit, dc);
    }
    int width = window.right - window.left;
    if (m_bFitToText) {
        const DWORD margins = DWORD(m_pEditor->SendMessage(EM_GETMARGINS));
        width = std::max(int(m_laidOut.cx), widest + LOWORD(margins) + HIWORD(margins) + kCaretRoom + borderX);
        // The width first: the line count below depends on it.
        ::SetWindowPos(edit, nullptr, 0, 0, width, window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // What the narrower editor scrolled out of sight on the left shows again.
        m_pEditor->SendMessage(EM_LINESCROLL, WPARAM(INT_PTR(-kScrollBackCharacters)), 0);
    }
    const int lines = std::max(int(m_pEditor->SendMessage(EM_GETLINECOUNT)), 1);
    const int height = std::max(int(m_laidOut.cy), lines * int(metrics.tmHeight) + borderY);
    ::SetWindowPos(edit, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The frame and the grip follow the editor; the grip is repainted where it was and is.
    RECT before = m_rcGrip;
    POINT origin = {window.left, window.top};
    ::ScreenToClient(m_pView->GetSafeHwnd(), &origin);
    m_rcFrame.right = m_rcFrame.left + width;
    m_rcFrame.bottom = m_rcFrame.top + height;
    const int right = origin.x + width;
    const int bottom = origin.y + height;
    m_rcGrip = {right + kGripOffset, bottom + kGripOffset, right + kGripOffset + kGripSize,
                bottom + kGripOffset + kGripSize};
    RECT repaint = {origin.x, origin.y, std::max(before.right, m_rcGrip.right) + 1,
                    std::max(before.bottom, m_rcGrip.bottom) + 1};
    m_pView->InvalidateRect(&repaint, TRUE);
}

void CDrawTextTool::Discard()
{
    if (m_pView == nullptr)
        return;
    // An empty editor commits nothing when hiding it takes its focus.
    SetEditorText("");
    m_bModified = false;
    if (m_bNewText) {
        m_pView->RemoveFromSelection(nullptr, true);
        m_pNewShape.reset();
        m_pEditedShape = nullptr;
        m_bNewText = false;
    }
    HideEditor();
    RedrawView();
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
                // A box that follows its text is as wide as the layout of its widest line,
                // which keeps more room than the glyphs' outline.
                if (m_bFitToText)
                    frame.right = frame.left + std::max(frame.right - frame.left, LONG(LayoutWidth(text, graphics, *font)));
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
