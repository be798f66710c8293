#include "model/FlashEditorLayer.h"

#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashShape.h"

#include <algorithm>
#include <iterator>

namespace {
// Layers have a serial counter of their own; it starts at 1 and is never stored.
int g_nLayerSerialNumber = 1;
}

CFlashEditorLayer::CFlashEditorLayer(CFlashLayerOwner* document) : m_pDocument(document), m_nCurrentFrame(1)
{
    m_spans.push_back(new CFlashEditorFrame(1, 1, this));
}

CFlashEditorLayer::~CFlashEditorLayer()
{
    // Each span leaves the list before it is deleted, so that a shape object that several spans
    // hold is deleted once, by the last of them.
    while (!m_spans.empty()) {
        const std::unique_ptr<CFlashEditorFrame> span(m_spans.front());
        m_spans.pop_front();
    }
}

void CFlashEditorLayer::InitNamePrefix()
{
    m_strNamePrefix = "Layer";
}

int CFlashEditorLayer::NextSerialNumber()
{
    return g_nLayerSerialNumber++;
}

CFlashEditorFrame* CFlashEditorLayer::GetSpanByIndex(int index) const
{
    if (index < 1 || index > GetSpanCount())
        return nullptr;
    return *std::next(m_spans.begin(), index - 1);
}

CFlashEditorFrame* CFlashEditorLayer::FindSpan(int frame) const
{
    if (frame <= 0)
        return nullptr;
    for (CFlashEditorFrame* span : m_spans)
        if (span->GetStartFrame() <= frame && frame <= span->GetEndFrame())
            return span;
    return nullptr;
}

CFlashEditorFrame* CFlashEditorLayer::FindSpanStartingAt(int frame) const
{
    for (CFlashEditorFrame* span : m_spans)
        if (span->GetStartFrame() == frame)
            return span;
    return nullptr;
}

CFlashEditorFrame* CFlashEditorLayer::GetNextSpan(int frame) const
{
    const CFlashEditorFrame* span = FindSpan(frame);
    return span ? FindSpan(span->GetEndFrame() + 1) : nullptr;
}

void CFlashEditorLayer::SetCurrentFrame(int frame)
{
    m_nCurrentFrame = FindSpan(frame) ? frame : -1;
}

CFlashEditorFrame* CFlashEditorLayer::GetCurrentSpan() const
{
    return FindSpan(m_nCurrentFrame);
}

int CFlashEditorLayer::GetLastFrame() const
{
    int last = 0;
    for (const CFlashEditorFrame* span : m_spans)
        last = std::max(last, span->GetEndFrame());
    return last;
}

void CFlashEditorLayer::GetCurrentFrameShapes(std::vector<CFlashShape*>& shapes) const
{
    if (const CFlashEditorFrame* span = GetCurrentSpan())
        span->CollectShapes(shapes);
}

bool CFlashEditorLayer::ContainsShape(const CFlashShape* shape) const
{
    return std::any_of(m_spans.begin(), m_spans.end(),
                       [shape](const CFlashEditorFrame* span) { return span->GetShapeTransform(shape) != nullptr; });
}

bool CFlashEditorLayer::HoldsElsewhere(const CFlashShape* shape, const CFlashEditorFrame* except) const
{
    return std::any_of(m_spans.begin(), m_spans.end(), [&](const CFlashEditorFrame* span) {
        return span != except && span->GetShapeTransform(shape);
    });
}

bool CFlashEditorLayer::AddShape(CFlashShape* shape, int frame,
                                 std::unique_ptr<CFlashEditorFrameShapeTransform> placement)
{
    if (!shape)
        return false;
    if (ContainsShape(shape))
        return true;
    CFlashEditorFrame* span = FindSpan(frame <= 0 ? m_nCurrentFrame : frame);
    if (m_bLocked || !span)
        return false;
    span->AddShape(shape, placement.release());
    return true;
}

std::unique_ptr<CFlashShape> CFlashEditorLayer::RemoveShapeFromCurrentSpan(CFlashShape* shape)
{
    CFlashEditorFrame* span = GetCurrentSpan();
    if (!span)
        return nullptr;
    std::unique_ptr<CFlashShape> removed = span->RemoveShape(shape);
    if (removed && ContainsShape(shape)) {
        // Another span still owns this object.
        removed.release();
        return nullptr;
    }
    return removed;
}

void CFlashEditorLayer::DeselectAllShapes()
{
    for (const CFlashEditorFrame* span : m_spans)
        for (const auto& [shape, placement] : span->GetTransformRange())
            if (placement && shape->GetState() == kResourceStateSelected)
                shape->SetState(kResourceStateNormal);
}

void CFlashEditorLayer::RefreshShapes()
{
    for (CFlashEditorFrame* span : m_spans)
        span->RefreshShapes();
}

void CFlashEditorLayer::RenderCurrentFrame(HDC dc, int stageX, int stageY, double zoom, int filter)
{
    Gdiplus::Graphics graphics(dc);
    RenderCurrentFrame(graphics, stageX, stageY, zoom, filter);
}

void CFlashEditorLayer::RenderCurrentFrame(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
                                           int filter)
{
    if (!m_bVisible)
        return;
    if (CFlashEditorFrame* span = GetCurrentSpan())
        span->Render(graphics, stageX, stageY, zoom, filter, m_nCurrentFrame);
}

CFlashShape* CFlashEditorLayer::HitTestCurrentFrame(HDC dc, double zoom, const POINT& point) const
{
    if (!m_bVisible)
        return nullptr;
    const CFlashEditorFrame* span = GetCurrentSpan();
    return span ? span->HitTest(dc, zoom, point) : nullptr;
}

std::unique_ptr<CFlashEditorFrameShapeTransform>
CFlashEditorLayer::GetInterpolatedTransform(const CFlashShape* shape) const
{
    const CFlashEditorFrame* span = GetCurrentSpan();
    const CFlashEditorFrameShapeTransform* placement = span ? span->GetShapeTransform(shape) : nullptr;
    if (!placement || !placement->IsActive())
        return nullptr;
    auto result = std::make_unique<CFlashEditorFrameShapeTransform>(*placement);
    const CFlashEditorFrame* next = span->IsMotionTween() ? FindSpanStartingAt(span->GetEndFrame() + 1) : nullptr;
    if (!next || !next->IsMotionTween())
        return result;
    const CFlashShape* counterpart = next->GetShapeById(shape->GetObjectId());
    const CFlashEditorFrameShapeTransform* target = counterpart ? next->GetShapeTransform(counterpart) : nullptr;
    if (target && target->IsActive()) {
        const int first = span->GetStartFrame(), last = span->GetEndFrame();
        const double t = first == last ? 0.0 : double(m_nCurrentFrame - first) / double(last - first + 1);
        placement->Interpolate(target, result.get(), t);
    }
    return result;
}

CFlashShape* CFlashEditorLayer::DetachSharedShape(CFlashShape* shape,
                                                  std::unique_ptr<CFlashEditorFrameShapeTransform>& placement)
{
    CFlashEditorFrame* current = GetCurrentSpan();
    if (!current || !current->GetShapeTransform(shape))
        return shape;
    if (!HoldsElsewhere(shape, current))
        return shape;
    // A complete copy under an identifier of its own (the document gives it the shape's back
    // when the edit must keep a tween).
    CFlashShape* copy = shape->Duplicate();
    copy->SetObjectId(CNamedObject::TakeObjectId());
    // A name not built yet is built now, once for both.
    copy->SetName(shape->GetName());
    // The other span keeps owning the shape object; only the current span's entry goes.
    current->RemoveShape(shape, &placement).release();
    return copy;
}

bool CFlashEditorLayer::IsTweenValid(const CFlashEditorFrame* span) const
{
    const CFlashEditorFrame* next = FindSpanStartingAt(span->GetEndFrame() + 1);
    if (!next)
        return true;
    if (!next->IsMotionTween())
        return false;
    auto allMatched = [](const CFlashEditorFrame& a, const CFlashEditorFrame& b) {
        for (const auto& [shape, placement] : a.GetTransformRange())
            if (placement && !b.GetShapeById(shape->GetObjectId()))
                return false;
        return true;
    };
    return allMatched(*span, *next) && allMatched(*next, *span);
}

void CFlashEditorLayer::InsertFrames(int frame, int count)
{
    if (frame <= 0 || count <= 0 || m_spans.empty())
        return;
    auto span = std::find_if(m_spans.begin(), m_spans.end(), [frame](const CFlashEditorFrame* s) {
        return s->GetStartFrame() <= frame && frame <= s->GetEndFrame();
    });
    if (span == m_spans.end()) {
        // A frame past the end: the last span is extended to it.
        CFlashEditorFrame* last = m_spans.back();
        if (frame > last->GetEndFrame())
            last->SetEndFrame(frame);
        return;
    }
    (*span)->SetEndFrame((*span)->GetEndFrame() + count);
    for (++span; span != m_spans.end(); ++span) {
        (*span)->SetStartFrame((*span)->GetStartFrame() + count);
        (*span)->SetEndFrame((*span)->GetEndFrame() + count);
    }
}

void CFlashEditorLayer::RemoveFrames(int first, int last)
{
    if (first <= 0 || last < first)
        return;
    const int removed = last - first + 1;
    const CFlashEditorFrame* previous = nullptr;
    for (auto it = m_spans.begin(); it != m_spans.end();) {
        CFlashEditorFrame* span = *it;
        const int c = span->GetStartFrame(), l = span->GetEndFrame();
        if (l < c) {
            // An empty span stays empty, right after the span before it.
            if (c >= first && m_spans.size() > 1 && previous) {
                span->SetStartFrame(previous->GetEndFrame() + 1);
                span->SetEndFrame(previous->GetEndFrame());
            }
        } else if (l < first) {
        } else if (c > last) {
            span->SetStartFrame(c - removed);
            span->SetEndFrame(l - removed);
        } else if (c < first) {
            span->SetEndFrame(last < l ? l - removed : first - 1);
        } else if (last < l) {
            span->SetStartFrame(first);
            span->SetEndFrame(l - removed);
        } else {
            delete span;
            it = m_spans.erase(it);
            continue;
        }
        previous = span;
        ++it;
    }
}

CFlashEditorFrame* CFlashEditorLayer::InsertKeyframe(int frame, bool copyContents)
{
    if (frame <= 0)
        return nullptr;
    auto makeSpan = [&](int first, int last, const CFlashEditorFrame* source) {
        return copyContents && source ? new CFlashEditorFrame(first, last, this, *source)
                                      : new CFlashEditorFrame(first, last, this);
    };
    CFlashEditorFrame* made = nullptr;
    if (m_spans.empty() || frame > m_spans.back()->GetEndFrame()) {
        if (m_spans.empty()) {
            // A layer whose spans were all removed gets its timeline back from frame 1.
            if (frame > 1)
                m_spans.push_back(new CFlashEditorFrame(1, frame - 1, this));
        } else {
            m_spans.back()->SetEndFrame(frame - 1);
        }
        made = makeSpan(frame, frame, m_spans.empty() ? nullptr : m_spans.back());
        m_spans.push_back(made);
    } else {
        for (auto it = m_spans.begin(); it != m_spans.end() && !made; ++it) {
            CFlashEditorFrame* span = *it;
            const int c = span->GetStartFrame(), l = span->GetEndFrame();
            if (frame == c && c == l)
                return nullptr;
            if (frame == c) {
                made = makeSpan(frame, frame, span);
                m_spans.insert(it, made);
                span->SetStartFrame(frame + 1);
            } else if (c < frame && frame < l) {
                made = makeSpan(frame, l, span);
                m_spans.insert(std::next(it), made);
                span->SetEndFrame(frame - 1);
            } else if (frame == l) {
                made = makeSpan(frame, frame, span);
                m_spans.insert(std::next(it), made);
                span->SetEndFrame(frame - 1);
            }
        }
    }
    if (!made)
        return nullptr;
    made->SetMotionTween(false);
    RefreshShapes();
    return made;
}

void CFlashEditorLayer::ClearFrames(int first, int last)
{
    if (first <= 0 || last < first)
        return;
    auto empty = std::make_unique<CFlashEditorFrame>(first, last, this);
    bool inserted = false;
    for (auto it = m_spans.begin(); it != m_spans.end();) {
        CFlashEditorFrame* span = *it;
        const int c = span->GetStartFrame(), l = span->GetEndFrame();
        if (c == first && l == last) {
            span->Clear();
            break;
        }
        if (c < first && l >= last) {
            auto after = m_spans.insert(std::next(it), empty.release());
            inserted = true;
            if (l > last)
                m_spans.insert(std::next(after), new CFlashEditorFrame(last + 1, l, this, *span));
            span->SetEndFrame(first - 1);
            break;
        }
        if (c < first && l >= first && l < last) {
            span->SetEndFrame(first - 1);
            // With nothing after it inside the range, the cleared frames become the empty span
            // here rather than disappearing from the layer.
            const auto next = std::next(it);
            if (next == m_spans.end() || (*next)->GetStartFrame() > last) {
                m_spans.insert(next, empty.release());
                break;
            }
        } else if (c >= first && l <= last) {
            delete span;
            it = m_spans.erase(it);
            if (!inserted) {
                m_spans.insert(it, empty.release());
                inserted = true;
            }
            continue;
        } else if (c >= first && c <= last && l > last) {
            if (!inserted) {
                m_spans.insert(it, empty.release());
                inserted = true;
            }
            span->SetStartFrame(last + 1);
            break;
        }
        ++it;
    }
    RefreshShapes();
}

bool CFlashEditorLayer::SplitTweenAtCurrentFrame()
{
    return SplitTweenAt(m_nCurrentFrame);
}

bool CFlashEditorLayer::SplitTweenAt(int frame)
{
    if (frame <= 0)
        return false;
    CFlashEditorFrame* span = FindSpan(frame);
    if (!span || !span->IsMotionTween() || frame == span->GetStartFrame())
        return false;
    // Only a tween that plays has in-between states to keep.
    const CFlashEditorFrame* following = FindSpanStartingAt(span->GetEndFrame() + 1);
    if (!following || !following->IsMotionTween())
        return false;
    CFlashEditorFrame* made = InsertKeyframe(frame, true);
    if (!made)
        return false;
    made->InterpolateFrom(*span, *following);
    made->SetMotionTween(true);
    return true;
}

std::vector<CFlashEditorFrame*> CFlashEditorLayer::SpansOverlapping(int first, int last) const
{
    std::vector<CFlashEditorFrame*> spans;
    for (CFlashEditorFrame* span : m_spans)
        if (span->GetStartFrame() <= last && first <= span->GetEndFrame())
            spans.push_back(span);
    return spans;
}

void CFlashEditorLayer::CreateMotionTween(int first, int last)
{
    for (CFlashEditorFrame* span : SpansOverlapping(first, last)) {
        span->SetMotionTween(true);
        if (CFlashEditorFrame* next = FindSpanStartingAt(span->GetEndFrame() + 1))
            next->SetMotionTween(true);
    }
}

void CFlashEditorLayer::RemoveMotionTween(int first, int last)
{
    auto inRange = [first, last](const CFlashEditorFrame* span) {
        return span->GetStartFrame() <= last && first <= span->GetEndFrame();
    };
    auto flagged = [](const CFlashEditorFrame* span) { return span && span->IsMotionTween(); };
    // Decided on the flags as they are before any is cleared, so the order does not matter.
    std::vector<CFlashEditorFrame*> cleared;
    for (CFlashEditorFrame* span : SpansOverlapping(first, last)) {
        const CFlashEditorFrame* previous = span->GetStartFrame() > 1 ? FindSpan(span->GetStartFrame() - 1) : nullptr;
        CFlashEditorFrame* next = FindSpanStartingAt(span->GetEndFrame() + 1);
        const bool endsTweenBefore = flagged(previous) && !inRange(previous);
        if (flagged(next) && !inRange(next)) {
            // A next span that starts a tween of its own keeps its flag: the tween into it can
            // only end at this span.
            if (flagged(FindSpanStartingAt(next->GetEndFrame() + 1))) {
                cleared.push_back(span);
                continue;
            }
            cleared.push_back(next);
        }
        if (!endsTweenBefore)
            cleared.push_back(span);
    }
    for (CFlashEditorFrame* span : cleared)
        span->SetMotionTween(false);
}
