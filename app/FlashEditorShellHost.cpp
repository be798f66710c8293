#include "app/FlashEditorShellHost.h"

#include "app/FlashEditorMainFrame.h"
#include "app/dialogs/DocumentPropertiesDlg.h"
#include "app/panels/LibraryTool.h"
#include "export/avi/AVI_Writer.h"
#include "export/gif/RasterImage.h"
#include "export/gif/RasterImageGIF.h"
#include "export/swf/SWF_MovieWriter.h"
#include "model/FlashEditorDoc.h"
#include "stage/FlashEditorView.h"
#include "timeline/MovieControlGridView.h"

#include "platform/mfc/FileDialog.h"
#include "platform/mfc/UnixFileName.h"
#include "platform/mfc/WinApp.h"

#include <cstdio>
#include <memory>

namespace {

constexpr const char* kGifComment = "Quorvalis Plivex Animation";
// Played once: no loop block.
constexpr int kGifRepeatCount = 1;
// Each frame's area goes back to the background before the next.
constexpr int kGifDisposal = 2;
constexpr DWORD kGifBitsPerPixel = 8;
constexpr DWORD kHundredthsPerSecond = 100;

} // namespace

CFlashEditorMainFrame* CFlashEditorShellHost::MainFrame()
{
    return dynamic_cast<CFlashEditorMainFrame*>(AfxGetMainWnd());
}

CMovieControlGridView* CFlashEditorShellHost::ActiveTimelineView()
{
    CFlashEditorMainFrame* pMain = MainFrame();
    return pMain != nullptr ? pMain->GetActiveTimelineView() : nullptr;
}

CFlashEditorView* CFlashEditorShellHost::ActiveStageView()
{
    CFlashEditorMainFrame* pMain = MainFrame();
    return pMain != nullptr ? pMain->GetActiveStageView() : nullptr;
}

void CFlashEditorShellHost::NotifyDocumentChanged()
{
    NotifyDocumentChanged(nullptr);
}

bool CFlashEditorShellHost::HasActiveStageView() const
{
    return ActiveStageView() != nullptr;
}

void CFlashEditorShellHost::ClearStageSelection()
{
    if (CFlashEditorView* pView = ActiveStageView())
        pView->ClearSelection();
}

void CFlashEditorShellHost::ReplaceSelectedShape(CFlashShape* shape, CFlashShape* copy)
{
    if (CFlashEditorView* pView = ActiveStageView())
        pView->ReplaceSelectedShape(shape, copy);
}

bool CFlashEditorShellHost::IsStageView(const CView* view) const
{
    return dynamic_cast<const CFlashEditorView*>(view) != nullptr;
}

void CFlashEditorShellHost::NotifySelectionChanged(CFlashEditorView* view)
{
    if (CFlashEditorMainFrame* pMain = MainFrame())
        pMain->NotifySelectionChanged(view);
}

void CFlashEditorShellHost::NotifyStyleChanged(CFlashEditorView* view)
{
    if (CFlashEditorMainFrame* pMain = MainFrame())
        pMain->NotifyStyleChanged(view);
}

void CFlashEditorShellHost::NotifyDocumentChanged(CFlashEditorView* view)
{
    if (CFlashEditorMainFrame* pMain = MainFrame())
        pMain->NotifyDocumentChanged(view);
}

void CFlashEditorShellHost::UpdateToolOptionBars()
{
    if (CFlashEditorMainFrame* pMain = MainFrame())
        pMain->UpdateToolOptionBars();
}

std::vector<CFlashShape*> CFlashEditorShellHost::GetStageSelection() const
{
    CFlashEditorView* pView = ActiveStageView();
    return pView != nullptr ? pView->GetSelection() : std::vector<CFlashShape*>();
}

bool CFlashEditorShellHost::CopyStageSelection()
{
    CFlashEditorView* pView = ActiveStageView();
    return pView != nullptr && !pView->GetSelection().empty() && pView->CopySelectionToClipboard();
}

void CFlashEditorShellHost::ForgetStageSelection()
{
    if (CFlashEditorView* pView = ActiveStageView())
        pView->RemoveFromSelection(nullptr, false);
}

void CFlashEditorShellHost::ResetStageTool()
{
    if (CFlashEditorView* pView = ActiveStageView())
        pView->SetTool(pView->GetCurrentTool());
}

HWND CFlashEditorShellHost::GetStageWindow() const
{
    return HwndOf(ActiveStageView());
}

CClipboardTextStyle CFlashEditorShellHost::GetStageTextStyle() const
{
    CClipboardTextStyle style;
    if (CFlashEditorView* pView = ActiveStageView())
    {
        style.font = pView->GetTextFont();
        style.pen = pView->GetDefaultPen();
        style.fill = pView->GetDefaultFill();
    }
    return style;
}

void CFlashEditorShellHost::SelectStageShapes(const std::vector<CFlashShape*>& shapes)
{
    CFlashEditorView* pView = ActiveStageView();
    if (pView == nullptr)
        return;
    pView->ClearSelection();
    for (CFlashShape* shape : shapes)
        pView->AddToSelection(shape, false);
    pView->OnSelectionModified();
}

void CFlashEditorShellHost::RebuildTimeline()
{
    if (CMovieControlGridView* pTimeline = ActiveTimelineView())
        pTimeline->RebuildGrid();
}

CUndoEvent* CFlashEditorShellHost::GetTimelineUndoEvent()
{
    return ActiveTimelineView();
}

bool CFlashEditorShellHost::AskExportPath(const char* filter, const char* defaultExtension, std::string& path)
{
    CFileDialog dialog(FALSE, defaultExtension, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter,
                       MainFrame());
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName().GetString();
    return !path.empty();
}

bool CFlashEditorShellHost::WriteFlashMovie(CFlashEditorDoc* document, const char* path)
{
    if (document == nullptr || path == nullptr)
        return false;
    C_SWF_MovieWriter writer;
    const bool built = writer.Export(AfxGetUnixFileName(path).GetString(), *document);
    // Close writes the file; a failed movie leaves none behind.
    const bool closed = writer.Close();
    return built && closed;
}

bool CFlashEditorShellHost::WriteAnimation(CFlashEditorDoc* document, const char* path, bool gif)
{
    if (document == nullptr || path == nullptr)
        return false;
    if (!gif)
    {
        C_AVI_Writer writer(path);
        writer.SetFrameRate(DWORD(document->GetFrameRate()));
        bool written = true;
        const int frames = document->RenderAnimationFrames([&](HBITMAP bitmap, int) {
            written = SUCCEEDED(writer.AddFrame(bitmap));
            return written;
        });
        // The writer reports its own failures.
        return frames > 0 && written && SUCCEEDED(writer.Close());
    }
    std::vector<std::unique_ptr<CRasterImage>> images;
    const DWORD delay = kHundredthsPerSecond / DWORD(std::max(document->GetFrameRate(), 1));
    bool reduced = true;
    const int frames = document->RenderAnimationFrames([&](HBITMAP bitmap, int) {
        auto image = std::make_unique<CRasterImage>();
        reduced = image->LoadFromHBITMAP(bitmap) && image->ReduceColorDepth(kGifBitsPerPixel, false);
        image->SetAnimationDelay(delay);
        images.push_back(std::move(image));
        return reduced;
    });
    if (frames <= 0 || !reduced)
        return false;
    FILE* file = std::fopen(AfxGetUnixFileName(path).GetString(), "wb");
    if (file == nullptr)
        return false;
    std::vector<const CRasterImage*> list;
    for (const auto& image : images)
        list.push_back(image.get());
    CRasterImageGIF encoder;
    encoder.SetCommentText(kGifComment);
    encoder.SetRepeatCount(kGifRepeatCount);
    encoder.SetFrameDisposal(kGifDisposal);
    const bool encoded = encoder.EncodeAnimationToFile(file, list.data(), int(list.size()));
    const bool closed = std::fclose(file) == 0;
    return encoded && closed;
}

Gdiplus::GraphicsPath* CFlashEditorShellHost::GetBrushPath()
{
    CFlashEditorMainFrame* pMain = MainFrame();
    return pMain != nullptr ? pMain->GetBrushPanel().GetBrushPath().release() : nullptr;
}

HCURSOR CFlashEditorShellHost::GetBrushCursor()
{
    CFlashEditorMainFrame* pMain = MainFrame();
    return pMain != nullptr ? pMain->GetBrushPanel().GetBrushCursor() : nullptr;
}

const Gdiplus::GraphicsPath* CFlashEditorShellHost::GetEraserPath()
{
    CFlashEditorMainFrame* pMain = MainFrame();
    return pMain != nullptr ? pMain->GetEraserPanel().GetEraserPath() : nullptr;
}

HCURSOR CFlashEditorShellHost::GetEraserCursor()
{
    CFlashEditorMainFrame* pMain = MainFrame();
    return pMain != nullptr ? pMain->GetEraserPanel().GetEraserCursor() : nullptr;
}

HBITMAP CFlashEditorShellHost::ImportPictureFile()
{
    for (CFlashEditorTool* pPanel : g_ToolPanels)
        if (auto* pLibrary = dynamic_cast<CLibraryTool*>(pPanel); pLibrary != nullptr && pLibrary->GetSafeHwnd() != nullptr)
            return pLibrary->ImportPictureFile();
    return nullptr;
}

void CFlashEditorShellHost::EditDocumentProperties(CFlashEditorDoc* document)
{
    CDocumentPropertiesDlg dialog;
    dialog.EditDocument(document);
}
