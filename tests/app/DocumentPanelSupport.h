#pragma once
// Fixtures of the library and object inspector tests: shapes built through the model, the
// tree's items by text, and clicks posted to them.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class CFlashEditorDoc;
class CFlashEditorView;
class CFlashSolidShape;
class CTreeCtrl;

// A new document's active stage view, or null.
CFlashEditorView* ActiveStageView();
// A filled rectangle (pixels) added to the document's current layer and frame.
CFlashSolidShape* AddRectangle(CFlashEditorDoc* pDoc, int x, int y, int width, int height);

// The texts of the tree's items in display order, children indented by two spaces per level.
std::vector<std::string> TreeOutline(const CTreeCtrl& tree);
// The item with this text, searched depth first; null when none.
HTREEITEM FindTreeItem(const CTreeCtrl& tree, const std::string& text);
// A left click posted at the middle of the item's text, then the posted messages run.
void ClickTreeItem(CTreeCtrl& tree, HTREEITEM item);
