// The object inspector on a document built through the model: layers and shapes in the tree,
// clicks selecting on the stage, the first selected shape's rows, playback, stale items, the
// tool bar's commands and a panel smaller than its controls.
#include "EditorSessionSupport.h"
#include "DocumentPanelSupport.h"
#include "PanelTestSupport.h"

#include "app/panels/FlashEditorTool.h"
#include "app/panels/ObjectInspectorTool.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/UndoStep.h"
#include "resources/app/AppResources.h"
#include "resources/panels/ObjectInspectorResources.h"
#include "stage/FlashEditorView.h"
#include "tests/support/ScreenImage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ObjectInspector : public ::testing::Test {
protected:
    void SetUp() override
    {
        SessionApp().CloseAllDocuments(FALSE);
        SendCommand(ID_FILE_NEW);
        m_pDoc = ActiveDocument();
        ASSERT_NE(m_pDoc, nullptr);
        m_pView = ActiveStageView();
        ASSERT_NE(m_pView, nullptr);
        // Two layers; the second (current) holds three shapes, the last added in front.
        m_pDoc->AddLayer();
        m_pDoc->SetCurrentLayer(2);
        for (int i = 0; i < 3; ++i)
            m_shapes[i] = AddRectangle(m_pDoc, 10 + 40 * i, 10, 30, 30);
        ASSERT_NE(m_shapes[2], nullptr);
        ASSERT_TRUE(m_panel.Create(IDD_OBJECT_INSPECTOR_TOOL, PanelHost(420, 360)));
        m_panel.ShowWindow(SW_SHOW);
        m_panel.RefreshFromView(m_pView);
    }
    void TearDown() override { m_panel.DestroyWindow(); }

    CTreeCtrl& Tree() { return m_panel.GetTree(); }
    HTREEITEM ShapeItem(int i) { return FindTreeItem(Tree(), m_shapes[i]->GetName()); }
    std::string Row(int row, int column) { return m_panel.GetProperties().GetItemText(row, column).GetString(); }

    CObjectInspectorTool m_panel;
    CFlashEditorDoc* m_pDoc = nullptr;
    CFlashEditorView* m_pView = nullptr;
    CFlashSolidShape* m_shapes[3] = {};
};


TEST_F(ObjectInspector, TreeListsLayersWithTheirShapesFrontFirst)
{
    const std::vector<std::string> expected = {
        m_pDoc->GetLayer(1)->GetName(),
        m_pDoc->GetLayer(2)->GetName(),
        "  " + m_shapes[2]->GetName(),
        "  " + m_shapes[1]->GetName(),
        "  " + m_shapes[0]->GetName(),
    };
    EXPECT_EQ(TreeOutline(Tree()), expected);
    EXPECT_NE(Tree().GetItemState(Tree().GetNextSiblingItem(Tree().GetRootItem()), TVIS_EXPANDED) & TVIS_EXPANDED, 0u);
    m_pView->AddToSelection(m_shapes[1], true);
    m_panel.OnSelectionChanged(m_pView);
    PanelHost(420, 360)->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    SaveWindowPng(m_panel.GetSafeHwnd(), "object-inspector.png");
}

TEST_F(ObjectInspector, ClickingAShapeItemSelectsExactlyThatShape)
{
    m_pView->AddToSelection(m_shapes[0], true);
    ClickTreeItem(Tree(), ShapeItem(1));
    ASSERT_EQ(m_pView->GetSelection().size(), 1u);
    EXPECT_EQ(m_pView->GetSelection()[0], m_shapes[1]);
    EXPECT_EQ(Tree().GetSelectedItem(), ShapeItem(1));

    // A layer item stands for no shape: the stage keeps its selection.
    ClickTreeItem(Tree(), Tree().GetRootItem());
    ASSERT_EQ(m_pView->GetSelection().size(), 1u);
    EXPECT_EQ(m_pView->GetSelection()[0], m_shapes[1]);
}

TEST_F(ObjectInspector, StageSelectionShowsTheFirstSelectedShape)
{
    m_pView->AddToSelection(m_shapes[1], false);
    m_pView->AddToSelection(m_shapes[2], false);
    m_panel.OnSelectionChanged(m_pView);
    EXPECT_EQ(Tree().GetSelectedItem(), ShapeItem(1));
    ASSERT_EQ(m_panel.GetProperties().GetItemCount(), 3);
    const std::string rows[3][2] = {
        {"Name", m_shapes[1]->GetName()},
        {"ID", std::to_string(m_shapes[1]->GetObjectId())},
        {"Curves", "4"},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 2; ++column)
            EXPECT_EQ(Row(row, column), rows[row][column]) << row << "," << column;
    // A rebuild with the selection in place keeps the stage selection as it was.
    m_panel.RefreshFromView(m_pView);
    ASSERT_EQ(m_pView->GetSelection().size(), 2u);
    EXPECT_EQ(m_pView->GetSelection()[0], m_shapes[1]);
}

TEST_F(ObjectInspector, WithoutSelectionTheRowsAreEmptyAndTheButtonsDisabled)
{
    struct Case {
        bool selected;
        bool enabled;
    };
    for (const Case c : {Case{false, false}, Case{true, true}, Case{false, false}}) {
        m_pView->RemoveFromSelection(nullptr, false);
        if (c.selected)
            m_pView->AddToSelection(m_shapes[0], false);
        m_panel.OnSelectionChanged(m_pView);
        EXPECT_EQ(m_panel.GetProperties().GetItemCount(), c.selected ? 3 : 0);
        CExtToolControlBar* bar = static_cast<CExtToolControlBar*>(m_panel.GetDlgItem(IDC_INSPECTOR_TOOLBAR));
        ASSERT_NE(bar, nullptr);
        int buttons = 0;
        for (int i = 0; i < bar->GetButtonCount(); ++i) {
            const UINT id = bar->GetButtonID(i);
            if (id != ID_INSPECTOR_DELETE_OBJECT && id != ID_ARRANGE_BRING_TO_FRONT && id != ID_ARRANGE_SEND_TO_BACK)
                continue;
            ++buttons;
            EXPECT_EQ(!bar->GetButtonByIndex(i)->IsDisabled(), c.enabled) << id << " " << c.selected;
        }
        EXPECT_EQ(buttons, 3);
    }
}

TEST_F(ObjectInspector, PlaybackDoesNotRebuildTheTree)
{
    const std::vector<std::string> before = TreeOutline(Tree());
    // The document tells every panel of the new shape as it is added.
    m_pDoc->SetPlaying(true);
    AddRectangle(m_pDoc, 200, 10, 20, 20);
    m_panel.OnDocumentChanged(m_pView);
    EXPECT_EQ(TreeOutline(Tree()), before);
    m_pDoc->SetPlaying(false);
    m_panel.OnDocumentChanged(m_pView);
    EXPECT_EQ(TreeOutline(Tree()).size(), before.size() + 1);
}

// The tree may be older than the document: its item is compared, never followed.
TEST_F(ObjectInspector, ClickOnAShapeNoLongerInTheFrameRebuildsInstead)
{
    // Out of the panel list while the shape goes, the panel hears nothing: its tree is older.
    const auto listed = std::find(g_ToolPanels.begin(), g_ToolPanels.end(), &m_panel);
    ASSERT_NE(listed, g_ToolPanels.end());
    const auto position = listed - g_ToolPanels.begin();
    g_ToolPanels.erase(listed);
    std::vector<std::unique_ptr<CFlashShape>> removed = m_pDoc->RemoveShapes({m_shapes[1]});
    PumpMessages();
    g_ToolPanels.insert(g_ToolPanels.begin() + position, &m_panel);
    ASSERT_EQ(removed.size(), 1u);
    const std::string removedName = removed[0]->GetName();
    HTREEITEM stale = FindTreeItem(Tree(), removedName);
    ASSERT_NE(stale, nullptr);
    ClickTreeItem(Tree(), stale);
    EXPECT_TRUE(m_pView->GetSelection().empty());
    EXPECT_EQ(FindTreeItem(Tree(), removedName), nullptr);
    EXPECT_EQ(TreeOutline(Tree()).size(), 4u);
}

TEST_F(ObjectInspector, ClosingTheLastDocumentEmptiesTreeAndRows)
{
    m_pView->AddToSelection(m_shapes[0], false);
    m_panel.OnSelectionChanged(m_pView);
    SessionApp().CloseAllDocuments(FALSE);
    PumpMessages();
    m_panel.RefreshFromView(nullptr);
    EXPECT_EQ(Tree().GetCount(), 0u);
    EXPECT_EQ(m_panel.GetProperties().GetItemCount(), 0);
}

TEST_F(ObjectInspector, ToolBarCommandsActOnTheStageSelection)
{
    struct Case {
        UINT command;
        const char* step;
        int frontIndex;  // which shape is front-most afterwards, -1: shape 0 is gone
    };
    const Case cases[] = {
        {ID_ARRANGE_SEND_TO_BACK, "Send to Back", 2},
        {ID_ARRANGE_BRING_TO_FRONT, "Bring to Front", 0},
        {ID_INSPECTOR_DELETE_OBJECT, "Clear", -1},
    };
    for (const Case& c : cases) {
        m_pView->RemoveFromSelection(nullptr, false);
        m_pView->AddToSelection(m_shapes[0], false);
        m_panel.SendMessage(WM_COMMAND, c.command);
        PumpMessages();
        ASSERT_NE(m_pDoc->GetUndoManager().GetLastStep(), nullptr);
        EXPECT_EQ(m_pDoc->GetUndoManager().GetLastStep()->GetName(), c.step);
        std::vector<CFlashShape*> shapes;
        m_pDoc->GetCurrentLayer()->GetCurrentFrameShapes(shapes);
        if (c.frontIndex < 0) {
            EXPECT_EQ(shapes.size(), 2u);
        } else {
            ASSERT_EQ(shapes.size(), 3u);
            EXPECT_EQ(shapes.front()->GetObjectId(), m_shapes[c.frontIndex]->GetObjectId()) << c.step;
        }
    }
}

TEST_F(ObjectInspector, APanelSmallerThanItsControlsGivesThemNoNegativeSize)
{
    struct Case {
        int width;
        int height;
    };
    for (const Case c : {Case{300, 300}, Case{3, 20}, Case{0, 0}}) {
        m_panel.SetWindowPos(nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER);
        CRect tree;
        CRect list;
        Tree().GetWindowRect(&tree);
        m_panel.GetProperties().GetWindowRect(&list);
        EXPECT_GE(tree.Width(), 0);
        EXPECT_GE(tree.Height(), 0);
        EXPECT_EQ(list.Width(), tree.Width());
        EXPECT_EQ(list.top, tree.bottom + 2);
        if (c.width == 300) {
            EXPECT_EQ(tree.Width(), 300 - 6);
        }
    }
}

} // namespace
