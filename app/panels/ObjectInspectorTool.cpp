#include "app/panels/ObjectInspectorTool.h"

#include "app/FlashEditorMainFrame.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "resources/app/AppResources.h"
#include "resources/panels/ObjectInspectorResources.h"
#include "stage/FlashEditorView.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/DataExchange.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr UINT kToolBarIds[] = {ID_INSPECTOR_DELETE_OBJECT, ID_ARRANGE_BRING_TO_FRONT, ID_ARRANGE_SEND_TO_BACK};
constexpr int kPropertyColumnWidth = 50;
constexpr int kValueColumnWidth = 100;
// Room the layout leaves around the tree and below it, and the list's height, in pixels.
constexpr int kTreeWidthMargin = 6;
constexpr int kTreeHeightMargin = 82;
constexpr int kListGap = 2;
constexpr int kListHeight = 60;
// Posted to itself: the tree is not emptied inside its own notification.
constexpr UINT kMsgRebuild = WM_APP + 0x47;

CFlashEditorView* ActiveStageView()
{
    auto* pMain = dynamic_cast<CFlashEditorMainFrame*>(AfxGetMainWnd());
    return pMain != nullptr ? pMain->GetActiveStageView() : nullptr;
}

// Sets a flag for a scope and gives back its previous value.
class CFlagScope {
public:
    explicit CFlagScope(bool& flag) : m_flag(flag), m_bPrevious(flag) { m_flag = true; }
    ~CFlagScope() { m_flag = m_bPrevious; }
    CFlagScope(const CFlagScope&) = delete;
    CFlagScope& operator=(const CFlagScope&) = delete;

private:
    bool& m_flag;
    bool m_bPrevious;
};

} // namespace

BEGIN_MESSAGE_MAP(CObjectInspectorTool, CFlashEditorTool)
    ON_WM_SIZE()
    ON_MESSAGE(kMsgRebuild, OnRebuild)
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_INSPECTOR_TREE, OnTreeSelChanged)
    ON_COMMAND(ID_INSPECTOR_DELETE_OBJECT, OnDeleteObject)
    ON_COMMAND(ID_ARRANGE_BRING_TO_FRONT, OnBringToFront)
    ON_COMMAND(ID_ARRANGE_SEND_TO_BACK, OnSendToBack)
    ON_UPDATE_COMMAND_UI(ID_INSPECTOR_DELETE_OBJECT, OnUpdateNeedsSelection)
    ON_UPDATE_COMMAND_UI(ID_ARRANGE_BRING_TO_FRONT, OnUpdateNeedsSelection)
    ON_UPDATE_COMMAND_UI(ID_ARRANGE_SEND_TO_BACK, OnUpdateNeedsSelection)
END_MESSAGE_MAP()

CObjectInspectorTool::CObjectInspectorTool() : CFlashEditorTool(IDD_OBJECT_INSPECTOR_TOOL, nullptr)
{
}

void CObjectInspectorTool::DoDataExchange(CDataExchange* pDX)
{
    CFlashEditorTool::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INSPECTOR_TREE, m_tree);
    DDX_Control(pDX, IDC_INSPECTOR_TOOLBAR, m_toolBar);
    DDX_Control(pDX, IDC_INSPECTOR_PROPERTIES, m_properties);
}

BOOL CObjectInspectorTool::OnInitDialog()
{
    CFlashEditorTool::OnInitDialog();
    m_toolBar.AssignButtonIds(kToolBarIds, int(std::size(kToolBarIds)));
    RepositionBars(0, 0xFFFF, 0);
    m_properties.InsertColumn(0, "Property", LVCFMT_LEFT, kPropertyColumnWidth);
    m_properties.InsertColumn(1, "Value", LVCFMT_LEFT, kValueColumnWidth);
    return TRUE;
}

void CObjectInspectorTool::OnSize(UINT nType, int cx, int cy)
{
    CFlashEditorTool::OnSize(nType, cx, cy);
    if (m_tree.GetSafeHwnd() == nullptr || m_toolBar.GetSafeHwnd() == nullptr)
        return;
    CRect bar;
    m_toolBar.GetWindowRect(&bar);
    CRect tree;
    m_tree.GetWindowRect(&tree);
    ScreenToClient(&tree);
    // A panel smaller than its controls gives them no room, never a negative size.
    const int width = std::max(0, cx - kTreeWidthMargin);
    const int height = std::max(0, cy - bar.Height() - kTreeHeightMargin);
    m_tree.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_properties.GetSafeHwnd() != nullptr)
        m_properties.SetWindowPos(nullptr, tree.left, tree.top + height + kListGap, width, kListHeight,
                                  SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CObjectInspectorTool::TreeShows(CFlashEditorDoc* pDoc)
{
    std::vector<CFlashShape*> shapes;
    HTREEITEM layerItem = m_tree.GetRootItem();
    for (CFlashEditorLayer* pLayer : pDoc->GetLayerRange()) {
        if (layerItem == nullptr || m_tree.GetItemText(layerItem) != pLayer->GetName().c_str())
            return false;
        shapes.clear();
        pLayer->GetCurrentFrameShapes(shapes);
        HTREEITEM item = m_tree.GetChildItem(layerItem);
        for (CFlashShape* pShape : shapes) {
            if (item == nullptr || reinterpret_cast<CFlashShape*>(m_tree.GetItemData(item)) != pShape ||
                m_tree.GetItemText(item) != pShape->GetName().c_str())
                return false;
            item = m_tree.GetNextSiblingItem(item);
        }
        if (item != nullptr)
            return false;
        layerItem = m_tree.GetNextSiblingItem(layerItem);
    }
    return layerItem == nullptr;
}

void CObjectInspectorTool::RefreshFromView(CFlashEditorView* pView)
{
    CFlashEditorDoc* pDoc = pView != nullptr ? pView->GetDocument() : nullptr;
    // Rebuilding a large tree is slow: a tree that already shows the document stays.
    if (pDoc == nullptr || !TreeShows(pDoc)) {
        // Emptying and filling the tree moves its selection: none of that reaches the stage.
        CFlagScope syncing(m_bSyncing);
        // One repaint for the whole rebuild.
        m_tree.SetRedraw(FALSE);
        m_tree.DeleteAllItems();
        if (pDoc != nullptr) {
            std::vector<CFlashShape*> shapes;
            for (CFlashEditorLayer* pLayer : pDoc->GetLayerRange()) {
                HTREEITEM layerItem = m_tree.InsertItem(pLayer->GetName().c_str());
                shapes.clear();
                pLayer->GetCurrentFrameShapes(shapes);
                for (CFlashShape* pShape : shapes)
                    m_tree.InsertItem(TVIF_TEXT | TVIF_PARAM, pShape->GetName().c_str(), 0, 0, 0, 0,
                                      reinterpret_cast<LPARAM>(pShape), layerItem, TVI_LAST);
                m_tree.Expand(layerItem, TVE_EXPAND);
            }
        }
        m_tree.SetRedraw(TRUE);
        m_tree.Invalidate();
    }
    OnSelectionChanged(pView);
}

void CObjectInspectorTool::OnDocumentChanged(CFlashEditorView* pView)
{
    CFlashEditorDoc* pDoc = pView != nullptr ? pView->GetDocument() : nullptr;
    if (pDoc != nullptr && pDoc->IsPlaying())
        return;
    RefreshFromView(pView);
}

void CObjectInspectorTool::OnSelectionChanged(CFlashEditorView* pView)
{
    CFlashShape* pShape = pView != nullptr ? pView->GetFirstSelectedShape() : nullptr;
    SelectShapeItem(pShape);
    FillProperties(pShape);
    m_toolBar.UpdateCmdUINow(true);
}

void CObjectInspectorTool::OnStyleChanged(CFlashEditorView* pView)
{
    OnSelectionChanged(pView);
}

void CObjectInspectorTool::SelectShapeItem(CFlashShape* pShape)
{
    CFlagScope syncing(m_bSyncing);
    HTREEITEM found = nullptr;
    for (HTREEITEM layer = m_tree.GetRootItem(); layer != nullptr && found == nullptr;
         layer = m_tree.GetNextSiblingItem(layer)) {
        for (HTREEITEM child = m_tree.GetChildItem(layer); child != nullptr; child = m_tree.GetNextSiblingItem(child)) {
            if (pShape != nullptr && reinterpret_cast<CFlashShape*>(m_tree.GetItemData(child)) == pShape) {
                found = child;
                break;
            }
        }
    }
    // Without a shape no item stays selected, so that clicking it again selects its shape.
    m_tree.Select(found, TVGN_CARET);
}

void CObjectInspectorTool::FillProperties(CFlashShape* pShape)
{
    m_properties.DeleteAllItems();
    if (pShape == nullptr)
        return;
    CString text;
    m_properties.InsertItem(0, "Name");
    m_properties.SetItemText(0, 1, pShape->GetName().c_str());
    text.Format("%d", pShape->GetObjectId());
    m_properties.InsertItem(1, "ID");
    m_properties.SetItemText(1, 1, text);
    text.Format("%d", pShape->GetCurveCount());
    m_properties.InsertItem(2, "Curves");
    m_properties.SetItemText(2, 1, text);
}

bool CObjectInspectorTool::IsShownShape(CFlashEditorDoc* pDoc, const CFlashShape* pShape)
{
    std::vector<CFlashShape*> shapes;
    for (CFlashEditorLayer* pLayer : pDoc->GetLayerRange())
        pLayer->GetCurrentFrameShapes(shapes);
    return std::find(shapes.begin(), shapes.end(), pShape) != shapes.end();
}

void CObjectInspectorTool::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bSyncing)
        return;
    const auto* info = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
    auto* pShape = reinterpret_cast<CFlashShape*>(info->itemNew.lParam);
    CFlashEditorView* pView = ActiveStageView();
    // The tree may be older than the document (a closed window, an edit without a notice):
    // its items are compared, never followed, until the shape is found in the document.
    if (pView == nullptr || (pShape != nullptr && !IsShownShape(pView->GetDocument(), pShape))) {
        PostMessage(kMsgRebuild);
        return;
    }
    if (pShape == nullptr)
        return;
    CFlagScope syncing(m_bSyncing);
    pView->RemoveFromSelection(nullptr, true);
    pView->AddToSelection(pShape, true);
    pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CObjectInspectorTool::OnRebuild(WPARAM, LPARAM)
{
    RefreshFromView(ActiveStageView());
    return 0;
}

void CObjectInspectorTool::OnDeleteObject()
{
    if (CFlashEditorView* pView = ActiveStageView())
        pView->OnEditClear();
}

void CObjectInspectorTool::OnBringToFront()
{
    if (CFlashEditorView* pView = ActiveStageView())
        pView->OnBringToFront();
}

void CObjectInspectorTool::OnSendToBack()
{
    if (CFlashEditorView* pView = ActiveStageView())
        pView->OnSendToBack();
}

void CObjectInspectorTool::OnUpdateNeedsSelection(CCmdUI* pCmdUI)
{
    if (CFlashEditorView* pView = ActiveStageView())
        pView->OnUpdateNeedsSelection(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}
