#include "app/panels/LibraryTool.h"

#include "app/FlashEditorMainFrame.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashLibraryEntry.h"
#include "model/FlashLibraryFolder.h"
#include "model/PictureFile.h"
#include "resources/app/AppResources.h"
#include "resources/panels/LibraryResources.h"
#include "stage/FlashEditorView.h"

#include "platform/mfc/DataExchange.h"
#include "platform/mfc/FileDialog.h"
#include "platform/mfc/MessageBox.h"

#include <algorithm>

namespace {

constexpr UINT kToolBarIds[] = {ID_LIBRARY_IMPORT_PICTURE, ID_LIBRARY_NEW_FOLDER, ID_LIBRARY_SPARE_1,
                                ID_LIBRARY_SPARE_2};
constexpr int kImageWidth = 16;
constexpr COLORREF kImageMask = 0xCC6633;
constexpr const char* kNewFolderName = "New folder";
constexpr const char* kImportedItemName = "Bitmap";
constexpr const char* kReadError = "Error reading file %s!";
constexpr const char* kPictureFilter =
    "All picture files|*.bmp;*.gif;*.tif;*.jpg;*.ico;*.png|Windows Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg|"
    "TIFF (*.tif)|*.tif|PNG (*.png)|*.png|GIF (*.gif)|*.gif|ICO (*.ico)|*.ico|All files|*.*||";

CFlashEditorMainFrame* MainFrame()
{
    return dynamic_cast<CFlashEditorMainFrame*>(AfxGetMainWnd());
}

CFlashEditorView* ActiveStageView()
{
    CFlashEditorMainFrame* pMain = MainFrame();
    return pMain != nullptr ? pMain->GetActiveStageView() : nullptr;
}

bool ContainsRecord(const CFlashLibraryFolder& folder, const CLibraryItem& record)
{
    if (&folder == record.folder)
        return true;
    const auto& entries = folder.GetEntries();
    if (record.entry != nullptr && std::find(entries.begin(), entries.end(), record.entry) != entries.end())
        return true;
    return std::any_of(folder.GetFolders().begin(), folder.GetFolders().end(),
                       [&](const CFlashLibraryFolder* sub) { return ContainsRecord(*sub, record); });
}

void ReportReadError(const char* path)
{
    CString text;
    text.Format(kReadError, path);
    AfxMessageBox(text, MB_OK | MB_ICONERROR);
}

} // namespace

BEGIN_MESSAGE_MAP(CLibraryTool, CFlashEditorTool)
    ON_COMMAND(ID_LIBRARY_IMPORT_PICTURE, OnImportPicture)
    ON_COMMAND(ID_LIBRARY_NEW_FOLDER, OnNewFolder)
    ON_COMMAND_RANGE(ID_LIBRARY_SPARE_1, ID_LIBRARY_SPARE_2, OnUnusedButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LIBRARY_IMPORT_PICTURE, ID_LIBRARY_SPARE_2, OnUpdateButtons)
END_MESSAGE_MAP()

CLibraryTool::CLibraryTool() : CFlashEditorTool(IDD_LIBRARY_TOOL, nullptr), m_tree(*this)
{
}

void CLibraryTool::DoDataExchange(CDataExchange* pDX)
{
    CFlashEditorTool::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIBRARY_TREE, m_tree);
    DDX_Control(pDX, IDC_LIBRARY_PREVIEW, m_preview);
    DDX_Control(pDX, IDC_LIBRARY_TOOLBAR, m_toolBar);
}

BOOL CLibraryTool::OnInitDialog()
{
    CFlashEditorTool::OnInitDialog();
    m_toolBar.AssignButtonIds(kToolBarIds, int(std::size(kToolBarIds)));
    RepositionBars(0, 0xFFFF, 0);
    m_images.Create(IDB_LIBRARY_TREE, kImageWidth, 0, kImageMask);
    m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    return TRUE;
}

void CLibraryTool::OnImportPicture()
{
    if (ActiveStageView() == nullptr)
        return;
    HBITMAP hBitmap = ImportPictureFile();
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
}

void CLibraryTool::OnUnusedButton(UINT)
{
}

void CLibraryTool::OnUpdateButtons(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CLibraryTool::RefreshFromView(CFlashEditorView* pView)
{
    m_tree.DeleteAllItems();
    CFlashEditorDoc* pDoc = pView != nullptr ? pView->GetDocument() : nullptr;
    m_pShownDocument = pDoc;
    if (pDoc != nullptr)
        BuildTree(TVI_ROOT, pDoc->GetLibrary().GetRootFolder());
}

void CLibraryTool::BuildTree(HTREEITEM parent, CFlashLibraryFolder& folder)
{
    // Folders before entries at every level.
    for (CFlashLibraryFolder* sub : folder.GetFolders()) {
        const CLibraryItem record{sub, nullptr};
        HTREEITEM item = m_tree.InsertLibraryItem(sub->GetName().c_str(), CLibraryTreeCtrl::kFolderImage, parent, &record);
        if (item != nullptr)
            BuildTree(item, *sub);
    }
    for (CFlashLibraryEntry* entry : folder.GetEntries()) {
        const CLibraryItem record{nullptr, entry};
        m_tree.InsertLibraryItem(entry->GetName().c_str(), CLibraryTreeCtrl::kEntryImage, parent, &record);
    }
}

CFlashEditorDoc* CLibraryTool::CurrentDocument() const
{
    CFlashEditorView* pView = ActiveStageView();
    CFlashEditorDoc* pDoc = pView != nullptr ? pView->GetDocument() : nullptr;
    return pDoc != nullptr && pDoc == m_pShownDocument ? pDoc : nullptr;
}

bool CLibraryTool::IsCurrent(const CLibraryItem& record) const
{
    CFlashEditorDoc* pDoc = CurrentDocument();
    return pDoc != nullptr && ContainsRecord(pDoc->GetLibrary().GetRootFolder(), record);
}

void CLibraryTool::MarkDocumentModified()
{
    if (CFlashEditorDoc* pDoc = CurrentDocument())
        pDoc->SetModifiedFlag(TRUE);
}

CLibraryTool::CInsertTarget CLibraryTool::GetInsertTarget() const
{
    CFlashEditorDoc* pDoc = CurrentDocument();
    if (pDoc == nullptr)
        return {TVI_ROOT, nullptr};
    const CInsertTarget root{TVI_ROOT, &pDoc->GetLibrary().GetRootFolder()};
    HTREEITEM selected = m_tree.GetSelectedItem();
    const CLibraryItem* record = m_tree.GetLibraryItem(selected);
    if (record == nullptr || !IsCurrent(*record))
        return root;
    if (record->folder != nullptr)
        return {selected, record->folder};
    HTREEITEM parent = m_tree.GetParentItem(selected);
    const CLibraryItem* parentRecord = m_tree.GetLibraryItem(parent);
    if (parentRecord != nullptr && parentRecord->folder != nullptr && IsCurrent(*parentRecord))
        return {parent, parentRecord->folder};
    return root;
}

void CLibraryTool::OnNewFolder()
{
    const CInsertTarget target = GetInsertTarget();
    if (target.folder == nullptr)
        return;
    const CLibraryItem record{target.folder->AddFolder(kNewFolderName), nullptr};
    HTREEITEM item = m_tree.InsertLibraryItem(kNewFolderName, CLibraryTreeCtrl::kFolderImage, target.item, &record);
    if (target.item != TVI_ROOT)
        m_tree.Expand(target.item, TVE_EXPAND);
    if (item != nullptr)
        m_tree.EnsureVisible(item);
    MarkDocumentModified();
}

HBITMAP CLibraryTool::ImportPictureFile()
{
    CFileDialog dialog(TRUE, "Insert Bitmap", nullptr, OFN_FILEMUSTEXIST, kPictureFilter, this);
    if (dialog.DoModal() != IDOK)
        return nullptr;
    const CString path = dialog.GetPathName();
    // Read before anything changes: an unreadable file leaves the panel and document as they are.
    HBITMAP hBitmap = CPictureFile::Load(path);
    if (hBitmap == nullptr) {
        ReportReadError(path);
        return nullptr;
    }
    m_tree.InsertLibraryItem(kImportedItemName, CLibraryTreeCtrl::kEntryImage, GetInsertTarget().item, nullptr);
    if (CFlashEditorMainFrame* pMain = MainFrame())
        pMain->NotifyDocumentChanged(nullptr);
    if (CFlashEditorView* pView = ActiveStageView())
        pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return hBitmap;
}
