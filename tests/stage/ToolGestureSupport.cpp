#include "ToolGestureSupport.h"

#include "model/FlashContinuousPathShape.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashHollowShape.h"
#include "model/FlashSolidShape.h"
#include "model/FlashTextShape.h"
#include "stage/FlashEditorView.h"

#include <algorithm>

POINT CToolGestureFixture::Client(int x, int y) const
{
    POINT offset = m_pView->GetStageOffset();
    return {offset.x + x, offset.y + y};
}

void CToolGestureFixture::Post(UINT message, WPARAM flags, POINT at)
{
    // Only the queued messages run: a forced repaint would wipe the feedback of a drag.
    m_pView->PostMessage(message, flags, MAKELPARAM(at.x, at.y));
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void CToolGestureFixture::Command(UINT id)
{
    m_pView->SendMessage(WM_COMMAND, id, 0);
}

void CToolGestureFixture::Drag(const std::vector<POINT>& stagePoints, UINT modifiers)
{
    if (stagePoints.empty())
        return;
    POINT first = Client(stagePoints.front().x, stagePoints.front().y);
    Post(WM_MOUSEMOVE, modifiers, first);
    Post(WM_LBUTTONDOWN, MK_LBUTTON | modifiers, first);
    for (size_t i = 1; i < stagePoints.size(); ++i)
        Post(WM_MOUSEMOVE, MK_LBUTTON | modifiers, Client(stagePoints[i].x, stagePoints[i].y));
    POINT last = Client(stagePoints.back().x, stagePoints.back().y);
    Post(WM_LBUTTONUP, modifiers, last);
}

void CToolGestureFixture::Click(POINT stagePoint, UINT modifiers)
{
    Drag({stagePoint}, modifiers);
}

std::vector<CFlashShape*> CToolGestureFixture::Shapes() const
{
    std::vector<CFlashShape*> shapes;
    if (CFlashEditorLayer* layer = m_pDoc->GetCurrentLayer())
        if (CFlashEditorFrame* span = layer->GetCurrentSpan())
            span->CollectShapes(shapes);
    return shapes;
}

CFlashShape* CToolGestureFixture::NewShape(const std::vector<CFlashShape*>& before,
                                          const std::vector<CFlashShape*>& after)
{
    CFlashShape* found = nullptr;
    for (CFlashShape* shape : after) {
        if (std::find(before.begin(), before.end(), shape) != before.end())
            continue;
        if (found != nullptr)
            return nullptr;
        found = shape;
    }
    return found;
}

ShapeKind CToolGestureFixture::KindOf(const CFlashShape* shape)
{
    if (shape == nullptr)
        return ShapeKind::None;
    if (dynamic_cast<const CFlashTextShape*>(shape) != nullptr)
        return ShapeKind::Text;
    if (dynamic_cast<const CFlashContinuousPathShape*>(shape) != nullptr)
        return ShapeKind::Path;
    if (dynamic_cast<const CFlashHollowShape*>(shape) != nullptr)
        return ShapeKind::Hollow;
    if (dynamic_cast<const CFlashSolidShape*>(shape) != nullptr)
        return ShapeKind::Solid;
    return ShapeKind::Other;
}

Gdiplus::ARGB CToolGestureFixture::PenColor(const CFlashShape* shape)
{
    Gdiplus::Color color;
    if (shape == nullptr || shape->GetPen() == nullptr || shape->GetPen()->GetColor(&color) != Gdiplus::Ok)
        return 0;
    return color.GetValue();
}

Gdiplus::ARGB CToolGestureFixture::FillColor(const CFlashShape* shape)
{
    auto* solid = shape != nullptr ? dynamic_cast<const Gdiplus::SolidBrush*>(shape->GetBrush()) : nullptr;
    Gdiplus::Color color;
    if (solid == nullptr || solid->GetColor(&color) != Gdiplus::Ok)
        return 0;
    return color.GetValue();
}
