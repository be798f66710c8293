#include "DocumentPanelSupport.h"

#include "EditorSessionSupport.h"

#include "app/FlashEditorMainFrame.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"

#include "platform/mfc/TreeCtrl.h"

namespace {

constexpr int kTwipsPerPixel = 20;

void AppendOutline(const CTreeCtrl& tree, HTREEITEM first, const std::string& indent, std::vector<std::string>& lines)
{
    for (HTREEITEM item = first; item != nullptr; item = tree.GetNextSiblingItem(item)) {
        lines.push_back(indent + tree.GetItemText(item).GetString());
        AppendOutline(tree, tree.GetChildItem(item), indent + "  ", lines);
    }
}

HTREEITEM FindFrom(const CTreeCtrl& tree, HTREEITEM first, const std::string& text)
{
    for (HTREEITEM item = first; item != nullptr; item = tree.GetNextSiblingItem(item)) {
        if (text == tree.GetItemText(item).GetString())
            return item;
        if (HTREEITEM found = FindFrom(tree, tree.GetChildItem(item), text))
            return found;
    }
    return nullptr;
}

} // namespace

CFlashEditorView* ActiveStageView()
{
    return MainFrame()->GetActiveStageView();
}

CFlashSolidShape* AddRectangle(CFlashEditorDoc* pDoc, int x, int y, int width, int height)
{
    Gdiplus::SolidBrush brush(Gdiplus::Color(255, 40, 120, 200));
    auto* shape = new CFlashSolidShape(&brush);
    const int left = x * kTwipsPerPixel;
    const int top = y * kTwipsPerPixel;
    const int right = (x + width) * kTwipsPerPixel;
    const int bottom = (y + height) * kTwipsPerPixel;
    shape->InsertCurve(new CFlashStraightLine(left, top, right, top), false, 0);
    shape->InsertCurve(new CFlashStraightLine(right, top, right, bottom), false, 0);
    shape->InsertCurve(new CFlashStraightLine(right, bottom, left, bottom), false, 0);
    shape->InsertCurve(new CFlashStraightLine(left, bottom, left, top), false, 0);
    if (!pDoc->AddShape(shape)) {
        delete shape;
        return nullptr;
    }
    return shape;
}

std::vector<std::string> TreeOutline(const CTreeCtrl& tree)
{
    std::vector<std::string> lines;
    AppendOutline(tree, tree.GetRootItem(), "", lines);
    return lines;
}

HTREEITEM FindTreeItem(const CTreeCtrl& tree, const std::string& text)
{
    return FindFrom(tree, tree.GetRootItem(), text);
}

void ClickTreeItem(CTreeCtrl& tree, HTREEITEM item)
{
    RECT rect = {};
    tree.GetItemRect(item, &rect, TRUE);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    tree.PostMessage(WM_LBUTTONUP, 0, at);
    PumpMessages();
}
