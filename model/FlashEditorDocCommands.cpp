// The document's edit, layer and export commands, and the off-screen rendering of its frames.
#include "model/FlashEditorDoc.h"

#include "model/FlashDocumentHost.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/WaitCursor.h"

#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr UINT kEditCopy = 0xE122;
constexpr UINT kEditCut = 0xE123;
constexpr UINT kEditPaste = 0xE125;
constexpr UINT kEditUndo = 0xE12B;
constexpr UINT kEditRedo = 0xE12C;
constexpr UINT kPasteInPlace = 32887;
constexpr UINT kInsertLayer = 32841;
constexpr UINT kInsertLayerFromTimeline = 32897;
constexpr UINT kRemoveLayer = 32896;
constexpr UINT kExportFlashMovie = 32817;
constexpr UINT kExportAnimation = 32898;

constexpr const char* kMovieFilter = "Flash Movie (*.swf)|*.swf|All Files (*.*)|*.*||";
constexpr const char* kAnimationFilter =
    "GIF Animation (*.gif)|*.gif|AVI Animation (*.avi)|*.avi|All Files (*.*)|*.*||";
constexpr const char* kRenderError = "Error Occured While Rendering the Movie";

// Opens the clipboard for the scope; closed on every way out.
class CClipboardScope {
public:
    explicit CClipboardScope(HWND owner) : m_bOpen(::OpenClipboard(owner) != FALSE) {}
    ~CClipboardScope()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    CClipboardScope(const CClipboardScope&) = delete;
    CClipboardScope& operator=(const CClipboardScope&) = delete;
    bool IsOpen() const { return m_bOpen; }

private:
    bool m_bOpen;
};

// A writer that throws has not made the file either.
bool WrittenWithoutThrowing(const std::function<bool()>& write)
{
    try {
        return write();
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CFlashEditorDoc, CDocument)
    ON_COMMAND(kEditCopy, OnEditCopy)
    ON_UPDATE_COMMAND_UI(kEditCopy, OnUpdateEditCopy)
    ON_COMMAND(kEditCut, OnEditCut)
    ON_UPDATE_COMMAND_UI(kEditCut, OnUpdateEditCut)
    ON_COMMAND(kEditPaste, OnEditPaste)
    ON_UPDATE_COMMAND_UI(kEditPaste, OnUpdateEditPaste)
    ON_COMMAND(kPasteInPlace, OnPasteInPlace)
    ON_UPDATE_COMMAND_UI(kPasteInPlace, OnUpdateEditPaste)
    ON_COMMAND(kEditUndo, OnEditUndo)
    ON_UPDATE_COMMAND_UI(kEditUndo, OnUpdateEditUndo)
    ON_COMMAND(kEditRedo, OnEditRedo)
    ON_UPDATE_COMMAND_UI(kEditRedo, OnUpdateEditRedo)
    ON_COMMAND(kInsertLayer, OnInsertLayer)
    ON_UPDATE_COMMAND_UI(kInsertLayer, OnUpdateInsertLayer)
    ON_COMMAND(kInsertLayerFromTimeline, OnInsertLayer)
    ON_UPDATE_COMMAND_UI(kInsertLayerFromTimeline, OnUpdateInsertLayer)
    ON_COMMAND(kRemoveLayer, OnRemoveLayer)
    ON_UPDATE_COMMAND_UI(kRemoveLayer, OnUpdateRemoveLayer)
    ON_COMMAND(kExportFlashMovie, OnExportFlashMovie)
    ON_COMMAND(kExportAnimation, OnExportAnimation)
END_MESSAGE_MAP()

// -- edit commands ------------------------------------------------------------------------------

void CFlashEditorDoc::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    if (s_pHost == nullptr || !s_pHost->HasActiveStageView())
        return;
    pCmdUI->Enable(!m_bPlaying && !s_pHost->GetStageSelection().empty());
}

void CFlashEditorDoc::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    OnUpdateEditCopy(pCmdUI);
}

void CFlashEditorDoc::OnEditCopy()
{
    // Nothing to copy from without a stage.
    if (s_pHost != nullptr && s_pHost->HasActiveStageView())
        s_pHost->CopyStageSelection();
}

void CFlashEditorDoc::OnEditCut()
{
    if (s_pHost == nullptr || !s_pHost->HasActiveStageView())
        return;
    // What did not reach the clipboard stays on the stage.
    if (!s_pHost->CopyStageSelection())
        return;
    const std::vector<CFlashShape*> selection = s_pHost->GetStageSelection();
    std::vector<std::unique_ptr<CFlashShape>> removed = RemoveShapes(selection);
    // The selection must forget the shapes before they are freed.
    s_pHost->ForgetStageSelection();
    removed.clear();
    m_undoManager.AddUndoStep("Cut", nullptr, true);
    InvalidateViews(true);
}

void CFlashEditorDoc::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    if (s_pHost == nullptr || !s_pHost->HasActiveStageView())
        return;
    bool enable = false;
    if (!m_bPlaying)
    {
        CClipboardScope clipboard(s_pHost->GetStageWindow());
        CFlashEditorLayer* layer = GetCurrentLayer();
        enable = clipboard.IsOpen() && layer != nullptr && layer->GetCurrentSpan() != nullptr &&
                 (::IsClipboardFormatAvailable(CF_TEXT) || ::IsClipboardFormatAvailable(CF_BITMAP) ||
                  ::IsClipboardFormatAvailable(CFlashClipboard::RegisterFormat()));
    }
    pCmdUI->Enable(enable);
}

void CFlashEditorDoc::OnEditPaste()
{
    // A paste that added nothing (a damaged payload, a locked layer) is no step.
    if (Paste(true))
        m_undoManager.AddUndoStep("Paste", nullptr, true);
}

void CFlashEditorDoc::OnPasteInPlace()
{
    if (Paste(false))
        m_undoManager.AddUndoStep("Paste in place", nullptr, true);
}

bool CFlashEditorDoc::Paste(bool centre)
{
    if (s_pHost == nullptr || !s_pHost->HasActiveStageView())
        return false;
    CClipboardPaste pasted = CFlashClipboard::Paste(*this, centre, CFlashClipboard::RegisterFormat(),
                                                    s_pHost->GetStageWindow(), s_pHost->GetStageTextStyle());
    if (pasted.shapes.empty())
        return false;
    if (pasted.replacesSelection)
        s_pHost->SelectStageShapes(pasted.shapes);
    InvalidateViews(true);
    NotifyDocumentChanged();
    return true;
}

// -- undo and redo ------------------------------------------------------------------------------

void CFlashEditorDoc::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->SetText(m_undoManager.GetUndoMenuText().c_str());
    pCmdUI->Enable(!m_bPlaying && m_undoManager.CanUndo());
}

void CFlashEditorDoc::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->SetText(m_undoManager.GetRedoMenuText().c_str());
    pCmdUI->Enable(!m_bPlaying && m_undoManager.CanRedo());
}

void CFlashEditorDoc::OnEditUndo()
{
    if (s_pHost != nullptr)
    {
        s_pHost->ResetStageTool();
        s_pHost->ClearStageSelection();
    }
    m_undoManager.Undo();
    InvalidateViews();
    NotifyDocumentChanged();
}

void CFlashEditorDoc::OnEditRedo()
{
    if (s_pHost != nullptr)
    {
        s_pHost->ResetStageTool();
        s_pHost->ClearStageSelection();
    }
    m_undoManager.Redo();
    InvalidateViews();
    NotifyDocumentChanged();
}

// -- layers -------------------------------------------------------------------------------------

void CFlashEditorDoc::OnUpdateInsertLayer(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CFlashEditorDoc::OnInsertLayer()
{
    AddLayer();
    if (s_pHost != nullptr)
        s_pHost->RebuildTimeline();
    m_undoManager.AddUndoStep("Insert Layer", s_pHost != nullptr ? s_pHost->GetTimelineUndoEvent() : nullptr, true);
}

void CFlashEditorDoc::OnUpdateRemoveLayer(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bPlaying && GetLayerCount() > 1);
}

void CFlashEditorDoc::OnRemoveLayer()
{
    // The last layer stays, whatever sent the command.
    if (GetLayerCount() <= 1)
        return;
    RemoveCurrentLayer();
    if (s_pHost != nullptr)
        s_pHost->RebuildTimeline();
    InvalidateViews();
    m_undoManager.AddUndoStep("Remove Layer", s_pHost != nullptr ? s_pHost->GetTimelineUndoEvent() : nullptr, true);
}

// -- export -------------------------------------------------------------------------------------

void CFlashEditorDoc::OnExportFlashMovie()
{
    std::string path;
    if (s_pHost == nullptr || !s_pHost->AskExportPath(kMovieFilter, "swf", path))
        return;
    if (!WrittenWithoutThrowing([&] { return s_pHost->WriteFlashMovie(this, path.c_str()); }))
        AfxMessageBox(kRenderError, MB_OK | MB_ICONERROR);
}

void CFlashEditorDoc::OnExportAnimation()
{
    std::string path;
    if (s_pHost == nullptr || !s_pHost->AskExportPath(kAnimationFilter, "gif", path))
        return;
    // No shape is drawn as selected in the frames.
    s_pHost->ClearStageSelection();
    CWaitCursor wait;
    const bool written = WrittenWithoutThrowing([&] {
        return HasGifExtension(path.c_str()) ? ExportGifAnimation(path.c_str()) : ExportAviAnimation(path.c_str());
    });
    if (!written)
        AfxMessageBox(kRenderError, MB_OK | MB_ICONERROR);
}

bool CFlashEditorDoc::HasGifExtension(const char* path)
{
    const char* dot = path != nullptr ? std::strrchr(path, '.') : nullptr;
    return dot != nullptr && ::lstrcmpiA(dot + 1, "gif") == 0;
}

bool CFlashEditorDoc::ExportGifAnimation(const char* path)
{
    return s_pHost != nullptr && s_pHost->WriteAnimation(this, path, true);
}

bool CFlashEditorDoc::ExportAviAnimation(const char* path)
{
    return s_pHost != nullptr && s_pHost->WriteAnimation(this, path, false);
}

int CFlashEditorDoc::RenderAnimationFrames(const std::function<bool(HBITMAP bitmap, int frame)>& sink)
{
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, m_nStageWidth, m_nStageHeight);
    int frames = -1;
    if (memory != nullptr && bitmap != nullptr)
    {
        frames = 0;
        HGDIOBJ previous = ::SelectObject(memory, bitmap);
        HBRUSH background = ::CreateSolidBrush(m_crBackground);
        const RECT stage = {0, 0, m_nStageWidth, m_nStageHeight};
        for (int frame = 1;; ++frame)
        {
            ::FillRect(memory, &stage, background);
            if (!RenderFrameToDC(memory, bitmap, frame, 1.0))
                break;
            // The encoder reads the bitmap, which must not stay selected meanwhile.
            ::SelectObject(memory, previous);
            ++frames;
            const bool more = sink(bitmap, frame);
            ::SelectObject(memory, bitmap);
            if (!more)
                break;
        }
        ::SelectObject(memory, previous);
        ::DeleteObject(background);
    }
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
    if (memory != nullptr)
        ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return frames;
}
