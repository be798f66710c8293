// Selection, placement edits on the selection, style setters and object commands.
#include "stage/FlashEditorView.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashCurve.h"
#include "model/FlashShape.h"
#include "stage/DrawingTool.h"
#include "stage/FlashStageHost.h"

#include <algorithm>

namespace {

constexpr Gdiplus::ARGB kNonSolidBrushPenColor = 0xFF808080;

Gdiplus::ARGB OpaqueArgb(COLORREF color)
{
    return Gdiplus::Color::MakeARGB(255, GetRValue(color), GetGValue(color), GetBValue(color));
}

// The layer whose span at its current frame places the shape, and that span.
bool FindPlacingSpan(const CFlashEditorDoc& document, const CFlashShape* shape, CFlashEditorLayer*& layer,
                     CFlashEditorFrame*& span)
{
    for (CFlashEditorLayer* candidate : document.GetLayerRange()) {
        CFlashEditorFrame* current = candidate->GetCurrentSpan();
        if (current != nullptr && current->GetShapeTransform(shape) != nullptr) {
            layer = candidate;
            span = current;
            return true;
        }
    }
    return false;
}

} // namespace

// A selected shape with the layer and span that place it at the current frame.
struct CFlashEditorView::CSelectionEntry {
    CFlashShape* shape;
    CFlashEditorLayer* layer;
    CFlashEditorFrame* span;
};

std::vector<CFlashEditorView::CSelectionEntry> CFlashEditorView::LocateSelection() const
{
    std::vector<CSelectionEntry> entries;
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return entries;
    for (CFlashShape* shape : m_selection) {
        CFlashEditorLayer* layer = nullptr;
        CFlashEditorFrame* span = nullptr;
        // A locked layer's shapes take no edit.
        if (FindPlacingSpan(*document, shape, layer, span) && !layer->IsLocked())
            entries.push_back({shape, layer, span});
    }
    return entries;
}

void CFlashEditorView::NotifySelectionChanged()
{
    if (s_pHost != nullptr)
        s_pHost->NotifySelectionChanged(this);
    if (m_pCurrentTool != nullptr)
        m_pCurrentTool->Activate(this);
}

void CFlashEditorView::NotifyStyleChanged()
{
    if (s_pHost != nullptr)
        s_pHost->NotifyStyleChanged(this);
}

void CFlashEditorView::RecordStep(const char* name)
{
    if (CFlashEditorDoc* document = GetDocument())
        document->GetUndoManager().AddUndoStep(name, nullptr, true);
}

// -- selection ----------------------------------------------------------------------------------

void CFlashEditorView::AddToSelection(CFlashShape* shape, bool notify)
{
    if (shape == nullptr)
        return;
    // A shape selected twice would be moved and restyled twice.
    if (std::find(m_selection.begin(), m_selection.end(), shape) == m_selection.end())
        m_selection.push_back(shape);
    shape->SetState(kResourceStateSelected);
    if (notify)
        NotifySelectionChanged();
}

void CFlashEditorView::RemoveFromSelection(CFlashShape* shape, bool notify)
{
    bool changed = false;
    if (shape != nullptr) {
        auto found = std::find(m_selection.begin(), m_selection.end(), shape);
        if (found != m_selection.end()) {
            m_selection.erase(found);
            shape->SetState(kResourceStateNormal);
            changed = true;
        }
    } else {
        for (CFlashShape* selected : m_selection)
            if (selected->GetState() != kResourceStateHidden) {
                selected->SetState(kResourceStateNormal);
                changed = true;
            }
        m_selection.clear();
    }
    if (notify && changed)
        NotifySelectionChanged();
}

void CFlashEditorView::ClearSelection()
{
    for (CFlashShape* shape : m_selection)
        shape->SetState(kResourceStateNormal);
    if (CFlashEditorDoc* document = GetDocument())
        if (CFlashEditorLayer* layer = document->GetCurrentLayer())
            layer->DeselectAllShapes();
    m_selection.clear();
    m_savedMatrices.clear();
    // The document is about to change as a whole (undo, redo, another frame, a paste).
    m_pHoveredShape = nullptr;
    NotifySelectionChanged();
}

CFlashShape* CFlashEditorView::GetFirstSelectedShape() const
{
    return m_selection.empty() ? nullptr : m_selection.front();
}

void CFlashEditorView::OnSelectionModified()
{
    NotifySelectionChanged();
}

std::vector<CFlashShape*>* CFlashEditorView::CopySelection() const
{
    return new std::vector<CFlashShape*>(m_selection);
}

void CFlashEditorView::SelectInRectangle(int x0, int y0, int x1, int y1)
{
    CFlashEditorDoc* document = GetDocument();
    if (document != nullptr) {
        Gdiplus::Rect area(std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0), std::abs(y1 - y0));
        for (CFlashEditorLayer* layer : document->GetLayerRange()) {
            // What cannot be seen or changed cannot be picked.
            if (!layer->IsVisible() || layer->IsLocked())
                continue;
            CFlashEditorFrame* span = layer->GetCurrentSpan();
            if (span == nullptr)
                continue;
            std::vector<CFlashShape*> shapes;
            span->CollectShapes(shapes);
            for (CFlashShape* shape : shapes) {
                if (shape->GetState() == kResourceStateHidden)
                    continue;
                auto placement = layer->GetInterpolatedTransform(shape);
                if (placement == nullptr)
                    continue;
                if (shape->IntersectsRect(area, placement->GetMatrix()))
                    AddToSelection(shape, false);
            }
        }
    }
    NotifySelectionChanged();
}

void CFlashEditorView::ReplaceSelectedShape(CFlashShape* shape, CFlashShape* copy)
{
    if (shape == copy || copy == nullptr)
        return;
    for (CFlashShape*& entry : m_selection)
        if (entry == shape) {
            copy->SetState(shape->GetState());
            entry = copy;
        }
    if (m_pHoveredShape == shape)
        m_pHoveredShape = copy;
}

// -- placement edits ----------------------------------------------------------------------------

void CFlashEditorView::DropLockedFromSelection()
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return;
    for (size_t index = m_selection.size(); index-- > 0;) {
        CFlashShape* shape = m_selection[index];
        CFlashEditorLayer* layer = nullptr;
        CFlashEditorFrame* span = nullptr;
        if (!FindPlacingSpan(*document, shape, layer, span) || !layer->IsLocked())
            continue;
        shape->SetState(kResourceStateNormal);
        ForgetShape(shape);
    }
}

void CFlashEditorView::PrepareSelectionForEdit()
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return;
    // Shapes selected before their layer was locked leave the selection rather than change.
    DropLockedFromSelection();
    std::vector<CSelectionEntry> entries = LocateSelection();
    std::vector<CFlashEditorLayer*> split;
    for (const CSelectionEntry& entry : entries) {
        if (std::find(split.begin(), split.end(), entry.layer) != split.end())
            continue;
        if (entry.layer->SplitTweenAtCurrentFrame())
            split.push_back(entry.layer);
    }
    if (split.empty())
        return;
    document->InvalidateViews(true);
    bool pairedMatrices = m_savedMatrices.size() == m_selection.size();
    for (size_t index = 0; index < m_selection.size(); ++index) {
        CFlashShape* shape = m_selection[index];
        for (const CSelectionEntry& entry : entries) {
            if (entry.shape != shape || std::find(split.begin(), split.end(), entry.layer) == split.end())
                continue;
            // The new keyframe holds copies under the same identifiers; a shape it lacks stays.
            CFlashEditorFrame* keyframe = entry.layer->GetCurrentSpan();
            CFlashShape* counterpart = keyframe != nullptr ? keyframe->GetShapeById(shape->GetObjectId()) : nullptr;
            if (counterpart == nullptr)
                break;
            counterpart->SetState(shape->GetState());
            m_selection[index] = counterpart;
            if (m_pHoveredShape == shape)
                m_pHoveredShape = counterpart;
            // The saved matrices follow the new keyframe, or a restore would snap the shape back
            // to the tween's start.
            if (pairedMatrices)
                if (CFlashEditorFrameShapeTransform* placement = keyframe->GetShapeTransform(counterpart))
                    m_savedMatrices[index].reset(placement->GetMatrix()->Clone());
            break;
        }
    }
}

bool CFlashEditorView::MoveSelection(int dx, int dy)
{
    PrepareSelectionForEdit();
    if (dx == 0 && dy == 0)
        return true;
    Gdiplus::Matrix move;
    move.Translate(float(dx), float(dy));
    return TransformSelection(move, false);
}

bool CFlashEditorView::ApplyMatrixToSelection(const Gdiplus::Matrix& matrix)
{
    PrepareSelectionForEdit();
    return TransformSelection(matrix, true);
}

bool CFlashEditorView::RotateSelection(double angle, float cx, float cy)
{
    PrepareSelectionForEdit();
    Gdiplus::Matrix rotation;
    rotation.Translate(-cx, -cy, Gdiplus::MatrixOrderAppend);
    rotation.Rotate(float(angle), Gdiplus::MatrixOrderAppend);
    rotation.Translate(cx, cy, Gdiplus::MatrixOrderAppend);
    return TransformSelection(rotation, false);
}

bool CFlashEditorView::TransformSelection(const Gdiplus::Matrix& change, bool fromSaved)
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return false;
    CPlacementEdits edits;
    for (std::size_t index = 0; index < m_selection.size(); ++index) {
        CFlashEditorLayer* layer = nullptr;
        CFlashEditorFrame* span = nullptr;
        if (!FindPlacingSpan(*document, m_selection[index], layer, span))
            continue;
        // Entries and saved matrices pair by position only while both exist.
        const Gdiplus::Matrix* base = fromSaved && index < m_savedMatrices.size() ? m_savedMatrices[index].get() : nullptr;
        edits.Add(*span->GetShapeTransform(m_selection[index]), change, base);
    }
    return edits.Apply();
}

void CFlashEditorView::SaveSelectionMatrices()
{
    PrepareSelectionForEdit();
    m_savedMatrices.clear();
    CFlashEditorDoc* document = GetDocument();
    for (CFlashShape* shape : m_selection) {
        CFlashEditorLayer* layer = nullptr;
        CFlashEditorFrame* span = nullptr;
        if (document != nullptr && FindPlacingSpan(*document, shape, layer, span))
            m_savedMatrices.emplace_back(span->GetShapeTransform(shape)->GetMatrix()->Clone());
        else
            m_savedMatrices.emplace_back(new Gdiplus::Matrix);
    }
}

void CFlashEditorView::GetSelectionBounds(Gdiplus::Rect& rect) const
{
    bool any = false;
    float left = 0, top = 0, right = 0, bottom = 0;
    auto take = [&](Gdiplus::PointF point) {
        if (!any) {
            left = right = point.X;
            top = bottom = point.Y;
            any = true;
        }
        left = std::min(left, point.X);
        right = std::max(right, point.X);
        top = std::min(top, point.Y);
        bottom = std::max(bottom, point.Y);
    };
    for (const CSelectionEntry& entry : LocateSelection()) {
        const Gdiplus::Matrix* matrix = entry.span->GetShapeTransform(entry.shape)->GetMatrix();
        std::vector<Gdiplus::PointF> points;
        if (entry.shape->GetCurveCount() > 0) {
            for (int index = 0; index < entry.shape->GetCurveCount(); ++index)
                for (const Gdiplus::PointF& point : entry.shape->GetCurve(index)->GetPointList())
                    points.push_back(point);
        } else {
            Gdiplus::Rect bounds = entry.shape->GetBounds();
            points = {{float(bounds.X), float(bounds.Y)},
                      {float(bounds.X + bounds.Width), float(bounds.Y)},
                      {float(bounds.X), float(bounds.Y + bounds.Height)},
                      {float(bounds.X + bounds.Width), float(bounds.Y + bounds.Height)}};
        }
        if (!points.empty())
            matrix->TransformPoints(points.data(), int(points.size()));
        for (const Gdiplus::PointF& point : points)
            take(point);
    }
    rect.Width = 0;
    rect.Height = 0;
    if (any) {
        rect.X = int(left);
        rect.Y = int(top);
        rect.Width = int(right - left);
        rect.Height = int(bottom - top);
    }
}

std::vector<CFlashVertexHandle>* CFlashEditorView::CollectSelectionVertexHandles()
{
    auto* handles = new std::vector<CFlashVertexHandle>;
    for (const CSelectionEntry& entry : LocateSelection())
        entry.shape->CollectVertexHandles(*handles, entry.span->GetShapeTransform(entry.shape));
    return handles;
}

// -- style setters ------------------------------------------------------------------------------

void CFlashEditorView::SetPenAndFillColors(COLORREF penColor, COLORREF fillColor)
{
    m_pDefaultPen->SetColor(Gdiplus::Color(OpaqueArgb(penColor)));
    if (m_pDefaultFill != nullptr) {
        if (auto* solid = dynamic_cast<Gdiplus::SolidBrush*>(m_pDefaultFill.get()))
            solid->SetColor(Gdiplus::Color(OpaqueArgb(fillColor)));
        else
            m_pDefaultFill.reset(new Gdiplus::SolidBrush(Gdiplus::Color(OpaqueArgb(fillColor))));
    }
    PrepareSelectionForEdit();
    for (CFlashShape* shape : m_selection) {
        shape->SetPen(m_pDefaultPen.get());
        shape->SetBrush(m_pDefaultFill.get());
    }
    NotifyStyleChanged();
    // A recoloured shape without a step would be lost by Undo then Redo.
    if (!m_selection.empty())
        RecordStep("Modify Colors");
    Invalidate(TRUE);
}

void CFlashEditorView::SetPenAndBrush(Gdiplus::Pen* pen, Gdiplus::Brush* brush)
{
    CFlashEditorDoc* document = GetDocument();
    if (pen != nullptr) {
        m_pDefaultPen.reset(pen->Clone());
        if (document != nullptr)
            document->GetRepository().AddPen(pen);
        else
            delete pen;
    }
    if (brush != nullptr) {
        m_pDefaultFill.reset(brush->Clone());
        auto* solid = dynamic_cast<Gdiplus::SolidBrush*>(brush);
        Gdiplus::Color color(kNonSolidBrushPenColor);
        if (solid != nullptr)
            solid->GetColor(&color);
        m_pBrushPen->SetColor(color);
        if (document != nullptr)
            document->GetRepository().AddBrush(brush);
        else
            delete brush;
    } else {
        m_pDefaultFill.reset();
    }
    PrepareSelectionForEdit();
    if (document != nullptr) {
        CFlashEditorLayer* current = document->GetCurrentLayer();
        std::vector<CSelectionEntry> entries = LocateSelection();
        for (const CSelectionEntry& entry : entries)
            if (entry.layer == current)
                ReplaceSelectedShape(entry.shape, document->DetachSharedShape(entry.shape, true));
    }
    for (CFlashShape* shape : m_selection) {
        shape->SetPen(m_pDefaultPen.get());
        shape->SetBrush(m_pDefaultFill.get());
    }
    NotifyStyleChanged();
    RecordStep("Modify Pen and Brush");
    Invalidate(TRUE);
}

void CFlashEditorView::SetTextFont(const Gdiplus::Font* font)
{
    if (font == nullptr)
        return;
    m_pTextFont.reset(font->Clone());
    PrepareSelectionForEdit();
    for (CFlashShape* shape : m_selection)
        shape->SetFont(m_pTextFont.get());
    NotifyStyleChanged();
    RecordStep("Modify Font");
    Invalidate(TRUE);
}

void CFlashEditorView::SetTextAlignment(int alignment)
{
    m_nTextAlignment = alignment;
    PrepareSelectionForEdit();
    for (CFlashShape* shape : m_selection)
        shape->SetTextAlignment(alignment);
    NotifyStyleChanged();
    RecordStep("Modify Text Alignment");
    Invalidate(TRUE);
}

void CFlashEditorView::SetBrushPen(const Gdiplus::Pen* pen)
{
    if (pen == nullptr)
        return;
    m_pBrushPen.reset(pen->Clone());
    NotifyStyleChanged();
    RecordStep("Modify Brush Pen");
    Invalidate(TRUE);
}

// -- object commands ----------------------------------------------------------------------------

void CFlashEditorView::ForgetShape(const CFlashShape* shape)
{
    auto found = std::find(m_selection.begin(), m_selection.end(), shape);
    if (found != m_selection.end()) {
        size_t index = size_t(found - m_selection.begin());
        m_selection.erase(found);
        if (index < m_savedMatrices.size())
            m_savedMatrices.erase(m_savedMatrices.begin() + std::ptrdiff_t(index));
    }
    if (m_pHoveredShape == shape)
        m_pHoveredShape = nullptr;
}

void CFlashEditorView::DeleteShapesFromTheirLayers(const std::vector<CFlashShape*>& shapes)
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return;
    for (CFlashShape* shape : shapes) {
        CFlashEditorLayer* layer = nullptr;
        CFlashEditorFrame* span = nullptr;
        if (!FindPlacingSpan(*document, shape, layer, span) || layer->IsLocked())
            continue;
        ForgetShape(shape);
        std::unique_ptr<CFlashShape> removed = layer->RemoveShapeFromCurrentSpan(shape);
    }
}

void CFlashEditorView::DeleteSelection()
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return;
    PrepareSelectionForEdit();
    std::vector<CFlashShape*> doomed = m_selection;
    DeleteShapesFromTheirLayers(doomed);
    m_selection.clear();
    m_savedMatrices.clear();
    NotifySelectionChanged();
    RecordStep("Clear");
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CFlashEditorView::OnEditClear()
{
    DeleteSelection();
}

void CFlashEditorView::OnBringToFront()
{
    PrepareSelectionForEdit();
    for (const CSelectionEntry& entry : LocateSelection()) {
        entry.span->MoveShapeToFront(entry.shape);
        Invalidate(TRUE);
    }
    RecordStep("Bring to Front");
}

void CFlashEditorView::OnSendToBack()
{
    PrepareSelectionForEdit();
    for (const CSelectionEntry& entry : LocateSelection()) {
        entry.span->MoveShapeToBack(entry.shape);
        Invalidate(TRUE);
    }
    RecordStep("Send to Back");
}

bool CFlashEditorView::AddNewShape(CFlashShape* shape, std::unique_ptr<CFlashEditorFrameShapeTransform> placement)
{
    CFlashEditorDoc* document = GetDocument();
    if (shape == nullptr)
        return false;
    if (placement == nullptr)
        placement = std::make_unique<CFlashEditorFrameShapeTransform>();
    if (document == nullptr || !document->AddShape(shape, std::move(placement))) {
        // A locked layer or a frame without a span refuses it.
        delete shape;
        return false;
    }
    return true;
}
