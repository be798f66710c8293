// The library panel on a document built through the model: tree order, the New folder target,
// renaming, stale records after the document went, the drop target, and the picture import
// driven through its file dialog.
#include "EditorSessionSupport.h"
#include "ModalDialogDriver.h"
#include "DocumentPanelSupport.h"
#include "PanelTestSupport.h"

#include "app/panels/LibraryTool.h"
#include "model/FlashBitmap.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashLibraryEntry.h"
#include "model/FlashLibraryFolder.h"
#include "resources/app/AppResources.h"
#include "resources/panels/LibraryResources.h"
#include "stage/FlashEditorView.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>

namespace {

std::unique_ptr<Gdiplus::Bitmap> SmallBitmap()
{
    return std::make_unique<Gdiplus::Bitmap>(4, 3);
}

// A 24-bit BMP file of the size, all one colour.
void WriteBmpFile(const std::string& unixPath, int width, int height)
{
    const int rowSize = (width * 3 + 3) & ~3;
    const uint32_t imageSize = uint32_t(rowSize) * uint32_t(height);
    std::ofstream out(unixPath, std::ios::binary);
    auto put16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    auto put32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    out.write("BM", 2);
    put32(54 + imageSize);
    put32(0);
    put32(54);
    put32(40);
    put32(uint32_t(width));
    put32(uint32_t(height));
    put16(1);
    put16(24);
    put32(0);
    put32(imageSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    const std::string row(std::size_t(rowSize), '\x60');
    for (int y = 0; y < height; ++y)
        out.write(row.data(), rowSize);
}

class LibraryPanel : public ::testing::Test {
protected:
        void SetUp() override
    {
        SessionApp().CloseAllDocuments(FALSE);
        SendCommand(ID_FILE_NEW);
        SessionApp().m_messages.clear();
        m_pDoc = ActiveDocument();
        ASSERT_NE(m_pDoc, nullptr);
        ASSERT_TRUE(m_panel.Create(IDD_LIBRARY_TOOL, PanelHost(420, 360)));
        m_panel.ShowWindow(SW_SHOW);
        // Folders A (holding x) and B, and the root entry y.
        CFlashLibraryFolder& root = m_pDoc->GetLibrary().GetRootFolder();
        m_pA = root.AddFolder("A");
        m_pA->AddBitmapEntry(SmallBitmap())->SetName("x");
        m_pB = root.AddFolder("B");
        root.AddBitmapEntry(SmallBitmap())->SetName("y");
        Refresh();
    }
    void TearDown() override { m_panel.DestroyWindow(); }

    void Refresh() { m_panel.RefreshFromView(ActiveStageView()); }
    CLibraryTreeCtrl& Tree() { return m_panel.GetTree(); }
    HTREEITEM Item(const char* text) { return FindTreeItem(Tree(), text); }

    // What the tree tells its parent when a label edit ends.
    void EndLabelEdit(HTREEITEM item, const char* text)
    {
        NMTVDISPINFOA info = {};
        info.hdr.hwndFrom = Tree().GetSafeHwnd();
        info.hdr.idFrom = IDC_LIBRARY_TREE;
        info.hdr.code = TVN_ENDLABELEDITA;
        info.item.hItem = item;
        info.item.pszText = const_cast<char*>(text);
        m_panel.SendMessage(WM_NOTIFY, IDC_LIBRARY_TREE, reinterpret_cast<LPARAM>(&info));
    }

    CLibraryTool m_panel;
    CFlashEditorDoc* m_pDoc = nullptr;
    CFlashLibraryFolder* m_pA = nullptr;
    CFlashLibraryFolder* m_pB = nullptr;
};


TEST_F(LibraryPanel, TreeShowsFoldersBeforeEntriesAtEveryLevel)
{
    const std::vector<std::string> expected = {"A", "  x", "B", "y"};
    EXPECT_EQ(TreeOutline(Tree()), expected);
    int image = -1;
    int selected = -1;
    Tree().GetItemImage(Item("A"), image, selected);
    EXPECT_EQ(image, CLibraryTreeCtrl::kFolderImage);
    Tree().GetItemImage(Item("y"), image, selected);
    EXPECT_EQ(image, CLibraryTreeCtrl::kEntryImage);
}

TEST_F(LibraryPanel, NewFolderGoesIntoTheSelectedFolderOrTheSelectedEntrysFolder)
{
    struct Case {
        const char* selected;  // null: nothing selected
        const char* parentText;  // null: the root
    };
    const Case cases[] = {
        {nullptr, nullptr},
        {"A", "A"},
        {"x", "A"},
        {"y", nullptr},
        {"B", "B"},
    };
    for (const Case& c : cases) {
        Refresh();
        m_pDoc->SetModifiedFlag(FALSE);
        CFlashLibraryFolder& root = m_pDoc->GetLibrary().GetRootFolder();
        CFlashLibraryFolder* expectedParent = c.parentText == nullptr ? &root : (*c.parentText == 'A' ? m_pA : m_pB);
        const std::size_t before = expectedParent->GetFolders().size();
        Tree().SelectItem(c.selected != nullptr ? Item(c.selected) : nullptr);
        m_panel.SendMessage(WM_COMMAND, ID_LIBRARY_NEW_FOLDER);
        ASSERT_EQ(expectedParent->GetFolders().size(), before + 1) << (c.selected ? c.selected : "none");
        EXPECT_EQ(expectedParent->GetFolders().back()->GetName(), "New folder");
        EXPECT_TRUE(m_pDoc->IsModified());
        // The new item sits last under its parent item.
        HTREEITEM parentItem = c.parentText != nullptr ? Item(c.parentText) : nullptr;
        HTREEITEM last = parentItem != nullptr ? Tree().GetChildItem(parentItem) : Tree().GetRootItem();
        while (Tree().GetNextSiblingItem(last) != nullptr)
            last = Tree().GetNextSiblingItem(last);
        EXPECT_EQ(std::string(Tree().GetItemText(last)), "New folder");
        ASSERT_NE(Tree().GetLibraryItem(last), nullptr);
        EXPECT_EQ(Tree().GetLibraryItem(last)->folder, expectedParent->GetFolders().back());
    }
}

TEST_F(LibraryPanel, RenamingChangesTheLibraryUnlessCancelledOrEmpty)
{
    struct Case {
        const char* item;
        const char* text;  // null: the edit was cancelled
        const char* folderA;
        const char* entryX;
        bool modified;
    };
    const Case cases[] = {
        {"A", "Shapes", "Shapes", "x", true},
        {"x", "Sky", "Shapes", "Sky", true},
        {"Sky", "", "Shapes", "Sky", false},
        {"Shapes", nullptr, "Shapes", "Sky", false},
    };
    for (const Case& c : cases) {
        m_pDoc->SetModifiedFlag(FALSE);
        HTREEITEM item = Item(c.item);
        ASSERT_NE(item, nullptr) << c.item;
        EndLabelEdit(item, c.text);
        EXPECT_EQ(m_pA->GetName(), c.folderA);
        EXPECT_EQ(m_pA->GetEntries().front()->GetName(), c.entryX);
        EXPECT_EQ(m_pDoc->IsModified() != FALSE, c.modified) << c.item;
        EXPECT_NE(Item(c.modified ? c.text : c.item), nullptr);
    }
}

TEST_F(LibraryPanel, ClosingTheLastDocumentEmptiesTheTree)
{
    ASSERT_NE(Item("A"), nullptr);
    SessionApp().CloseAllDocuments(FALSE);
    PumpMessages();
    EXPECT_EQ(Tree().GetCount(), 0u);
}

// The tree takes nothing from another source: a "move" would delete that source's data.
TEST_F(LibraryPanel, ForeignDragsAreRefused)
{
    IDropTarget& target = Tree();
    POINTL pt = {0, 0};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target.DragEnter(nullptr, MK_LBUTTON, pt, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target.DragOver(MK_LBUTTON, pt, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target.Drop(nullptr, 0, pt, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    const std::vector<std::string> expected = {"A", "  x", "B", "y"};
    EXPECT_EQ(TreeOutline(Tree()), expected);
}

// OLE holds the tree's target while the window lives; destroying the panel gives it back.
TEST_F(LibraryPanel, TheTreeIsADropTargetUntilItIsDestroyed)
{
    auto references = [&] {
        const ULONG count = Tree().AddRef();
        Tree().Release();
        return count - 1;
    };
    EXPECT_GT(references(), 0u);
    m_panel.DestroyWindow();
    EXPECT_EQ(references(), 0u);
}

TEST_F(LibraryPanel, ImportReturnsThePictureAndLeavesTheLibrary)
{
    const std::string path = TempPath("library-import.bmp");
    WriteBmpFile(UnixPath(path), 7, 5);
    HBITMAP hBitmap = nullptr;
    {
        CFileDialogAnswer answer(path);
        hBitmap = m_panel.ImportPictureFile();
        EXPECT_TRUE(answer.Answered());
    }
    ASSERT_NE(hBitmap, nullptr);
    BITMAP info = {};
    ::GetObjectA(hBitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 5);
    ::DeleteObject(hBitmap);
    EXPECT_TRUE(SessionApp().m_messages.empty());
    EXPECT_EQ(m_pDoc->GetLibrary().GetRootFolder().GetEntries().size(), 1u);
}

TEST_F(LibraryPanel, UnreadablePicturesAreReportedAndChangeNothing)
{
    struct Case {
        const char* name;
        void (*write)(const std::string& unixPath);
    };
    const Case cases[] = {
        {"empty.bmp", [](const std::string& p) { std::ofstream(p, std::ios::binary); }},
        {"text.png", [](const std::string& p) { std::ofstream(p) << "no picture here"; }},
        {"damaged.bmp", [](const std::string& p) { std::ofstream(p, std::ios::binary) << "BM\x10\x00\x00\x00garbage"; }},
        {"too-wide.bmp", [](const std::string& p) { WriteBmpFile(p, int(CFlashBitmap::kMostSide) + 1, 1); }},
        {"over-budget.bmp", [](const std::string& p) { WriteBmpFile(p, 2048, 1025); }},
    };
    const std::vector<std::string> outline = TreeOutline(Tree());
    for (const Case& c : cases) {
        SessionApp().m_messages.clear();
        const std::string path = TempPath(c.name);
        c.write(UnixPath(path));
        HBITMAP hBitmap = nullptr;
        {
            CFileDialogAnswer answer(path);
            hBitmap = m_panel.ImportPictureFile();
        }
        EXPECT_EQ(hBitmap, nullptr) << c.name;
        ASSERT_EQ(SessionApp().m_messages.size(), 1u) << c.name;
        EXPECT_EQ(SessionApp().m_messages[0], "Error reading file " + path + "!");
        EXPECT_EQ(TreeOutline(Tree()), outline) << c.name;
    }
}

TEST_F(LibraryPanel, CancellingThePictureDialogChangesNothing)
{
    HBITMAP hBitmap = nullptr;
    {
        CModalDialogDriver driver("Open", [](HWND dialog) { CModalDialogDriver::PressButton(dialog, IDCANCEL); });
        hBitmap = m_panel.ImportPictureFile();
        EXPECT_TRUE(driver.Found());
    }
    EXPECT_EQ(hBitmap, nullptr);
    EXPECT_TRUE(SessionApp().m_messages.empty());
    const std::vector<std::string> expected = {"A", "  x", "B", "y"};
    EXPECT_EQ(TreeOutline(Tree()), expected);
}

} // namespace
