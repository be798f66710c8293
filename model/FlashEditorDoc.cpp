#include "model/FlashEditorDoc.h"

#include "model/DocumentArchive.h"
#include "model/FlashDocumentHost.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"
#include "model/geometry/FlashCurveFitter.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/UnixFileName.h"
#include "platform/mfc/View.h"

#include <boost/archive/archive_exception.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int kTwipsPerPixel = 20;
// Saving writes here first, beside the document, and renames over it once complete.
constexpr const char* kTemporarySuffix = ".saving~";
constexpr const char* kOpenError = "Error openning file %s!";
constexpr const char* kReadError = "Error reading file %s!";

} // namespace

IMPLEMENT_DYNCREATE(CFlashEditorDoc, CDocument)


CFlashDocumentHost* CFlashEditorDoc::s_pHost = nullptr;

CFlashEditorDoc::CFlashEditorDoc() : CFlashEditorDoc(EmptyTag())
{
    m_layers.push_back(new CFlashEditorLayer(this));
}

CFlashEditorDoc::CFlashEditorDoc(EmptyTag) : m_pCurveFitter(&g_CurveFitter)
{
    m_repository.SetOwnerDocument(this);
    m_undoManager.SetOwner(this);
}

CFlashEditorDoc::~CFlashEditorDoc()
{
    m_bSkipNextEmpty = false;
    DeleteContents();
}

void CFlashEditorDoc::SetDocumentHost(CFlashDocumentHost* host)
{
    s_pHost = host;
}

CFlashDocumentHost* CFlashEditorDoc::GetDocumentHost()
{
    return s_pHost;
}

bool CFlashEditorDoc::SetStageWidth(int width)
{
    if (width < 1)
        return false;
    m_nStageWidth = width;
    return true;
}

bool CFlashEditorDoc::SetStageHeight(int height)
{
    if (height < 1)
        return false;
    m_nStageHeight = height;
    return true;
}

void CFlashEditorDoc::SetFrameRate(int framesPerSecond)
{
    if (framesPerSecond > 0)
        m_nFrameRate = framesPerSecond;
}

void CFlashEditorDoc::SetPlaying(bool playing)
{
    m_bPlaying = playing;
    NotifyDocumentChanged();
}

CFlashEditorLayer* CFlashEditorDoc::GetLayer(int index) const
{
    if (index < 1 || index > GetLayerCount())
        return nullptr;
    return m_layers[std::size_t(index - 1)];
}

CFlashEditorLayer* CFlashEditorDoc::GetCurrentLayer() const
{
    return GetLayer(m_nCurrentLayer);
}

void CFlashEditorDoc::SetCurrentLayer(int index)
{
    if (index >= 1 && index <= GetLayerCount())
        m_nCurrentLayer = index;
}

int CFlashEditorDoc::AddLayer()
{
    auto layer = std::make_unique<CFlashEditorLayer>(this);
    m_layers.push_back(layer.get());
    layer.release();
    return GetLayerCount();
}

int CFlashEditorDoc::RemoveCurrentLayer()
{
    if (CFlashEditorLayer* layer = GetCurrentLayer()) {
        m_layers.erase(m_layers.begin() + (m_nCurrentLayer - 1));
        delete layer;
        m_nCurrentLayer = std::min(m_nCurrentLayer, GetLayerCount());
    }
    return GetLayerCount();
}

void CFlashEditorDoc::SetCurrentFrame(int frame)
{
    if (frame <= 0)
        return;
    for (CFlashEditorLayer* layer : m_layers)
        layer->SetCurrentFrame(frame);
    m_nCurrentFrame = frame;
    if (s_pHost && s_pHost->HasActiveStageView()) {
        // Playback tells the panels once, when it stops, and clears a selection once: telling
        // them on every frame would cost more than the frame's time.
        if (!m_bPlaying || !s_pHost->GetStageSelection().empty())
            s_pHost->ClearStageSelection();
        if (!m_bPlaying)
            s_pHost->NotifyDocumentChanged();
        InvalidateViews(true);
    }
}

int CFlashEditorDoc::GetLastFrame() const
{
    int last = 0;
    for (const CFlashEditorLayer* layer : m_layers)
        last = std::max(last, layer->GetLastFrame());
    return last;
}

bool CFlashEditorDoc::IsCurrentFrameTweened() const
{
    const CFlashEditorLayer* layer = GetCurrentLayer();
    const CFlashEditorFrame* span = layer ? layer->GetCurrentSpan() : nullptr;
    if (!span)
        return false;
    if (span->IsMotionTween())
        return true;
    const CFlashEditorFrame* previous = layer->FindSpan(span->GetStartFrame() - 1);
    return previous && previous->IsMotionTween();
}

void CFlashEditorDoc::RenderCurrentFrame(HDC dc, int stageX, int stageY, double zoom, int filter)
{
    for (CFlashEditorLayer* layer : m_layers)
        layer->RenderCurrentFrame(dc, stageX, stageY, zoom, filter);
}

bool CFlashEditorDoc::RenderFrameToDC(HDC memoryDC, HBITMAP bitmap, int frame, double zoom)
{
    SelectObject(memoryDC, bitmap);
    bool covered = false;
    for (CFlashEditorLayer* layer : m_layers) {
        CFlashEditorFrame* span = layer->IsVisible() ? layer->FindSpan(frame) : nullptr;
        if (!span)
            continue;
        covered = true;
        // Selected shapes lie above the normal ones of their layer; hidden ones never appear.
        span->Render(memoryDC, 0, 0, zoom, kResourceStateNormal, frame);
        span->Render(memoryDC, 0, 0, zoom, kResourceStateSelected, frame);
    }
    return covered;
}

CFlashShape* CFlashEditorDoc::HitTestCurrentLayer(HDC dc, double zoom, const POINT& point) const
{
    const CFlashEditorLayer* layer = GetCurrentLayer();
    return layer ? layer->HitTestCurrentFrame(dc, zoom, point) : nullptr;
}

void CFlashEditorDoc::InvalidateViews(bool stageOnly)
{
    POSITION position = GetFirstViewPosition();
    while (position) {
        CView* view = GetNextView(position);
        if (stageOnly && !(s_pHost && s_pHost->IsStageView(view)))
            continue;
        // A view without a window would invalidate the whole desktop.
        if (view->GetSafeHwnd())
            view->Invalidate(TRUE);
    }
}

bool CFlashEditorDoc::AddShape(CFlashShape* shape, std::unique_ptr<CFlashEditorFrameShapeTransform> placement)
{
    if (!m_repository.AddShape(shape, std::move(placement)))
        return false;
    shape->SetOwningSpan(GetCurrentLayer()->GetCurrentSpan());
    // Only the new shape: refreshing the whole layer made filling a frame quadratic.
    shape->Refresh();
    InvalidateViews();
    NotifyDocumentChanged();
    return true;
}

std::vector<std::unique_ptr<CFlashShape>> CFlashEditorDoc::RemoveShapes(const std::vector<CFlashShape*>& shapes)
{
    std::vector<std::unique_ptr<CFlashShape>> removed;
    if (CFlashEditorLayer* layer = GetCurrentLayer()) {
        for (CFlashShape* shape : shapes)
            if (std::unique_ptr<CFlashShape> taken = layer->RemoveShapeFromCurrentSpan(shape))
                removed.push_back(std::move(taken));
    }
    InvalidateViews();
    NotifyDocumentChanged();
    return removed;
}

CFlashEditorFrameShapeTransform* CFlashEditorDoc::GetShapeTransform(const CFlashShape* shape) const
{
    const CFlashEditorLayer* layer = GetCurrentLayer();
    const CFlashEditorFrame* span = layer ? layer->GetCurrentSpan() : nullptr;
    return span ? span->GetShapeTransform(shape) : nullptr;
}

CFlashShape* CFlashEditorDoc::DetachSharedShape(CFlashShape* shape, bool keepId)
{
    if (IsCurrentFrameTweened() && !keepId)
        return shape;
    CFlashEditorLayer* layer = GetCurrentLayer();
    // A locked layer would refuse the copy after giving up the shape's entry.
    if (!layer || layer->IsLocked())
        return shape;
    std::unique_ptr<CFlashEditorFrameShapeTransform> placement;
    CFlashShape* copy = layer->DetachSharedShape(shape, placement);
    if (copy == shape)
        return shape;
    if (keepId)
        copy->SetObjectId(shape->GetObjectId());
    AddShape(copy, std::move(placement));
    NotifyDocumentChanged();
    if (s_pHost)
        s_pHost->ReplaceSelectedShape(shape, copy);
    shape->SetState(kResourceStateNormal);
    return copy;
}

bool CFlashEditorDoc::CenterShapesOnStage(std::vector<CFlashShape*> shapes)
{
    // In 64 bits: a far placement's corners pass what an int holds.
    bool any = false;
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;
    for (const CFlashShape* shape : shapes) {
        const Gdiplus::Rect bounds = shape->GetBounds();
        const auto x0 = Gdiplus::REAL(bounds.X), x1 = Gdiplus::REAL(double(bounds.X) + bounds.Width);
        const auto y0 = Gdiplus::REAL(bounds.Y), y1 = Gdiplus::REAL(double(bounds.Y) + bounds.Height);
        Gdiplus::PointF corners[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        if (const CFlashEditorFrameShapeTransform* placement = GetShapeTransform(shape))
            placement->GetMatrix()->TransformPoints(corners, 4);
        for (const Gdiplus::PointF& corner : corners) {
            const auto x = std::int64_t(std::floor(double(corner.X) + 0.5));
            const auto y = std::int64_t(std::floor(double(corner.Y) + 0.5));
            left = any ? std::min(left, x) : x;
            top = any ? std::min(top, y) : y;
            right = any ? std::max(right, x) : x;
            bottom = any ? std::max(bottom, y) : y;
            any = true;
        }
    }
    if (!any)
        return true;
    const std::int64_t dx = std::int64_t(m_nStageWidth / 2) * kTwipsPerPixel - left - (right - left) / 2;
    const std::int64_t dy = std::int64_t(m_nStageHeight / 2) * kTwipsPerPixel - top - (bottom - top) / 2;
    Gdiplus::Matrix move;
    move.Translate(Gdiplus::REAL(dx), Gdiplus::REAL(dy));
    CPlacementEdits edits;
    for (const CFlashShape* shape : shapes)
        if (CFlashEditorFrameShapeTransform* placement = GetShapeTransform(shape))
            edits.Add(*placement, move);
    return edits.Apply();
}

void CFlashEditorDoc::DeleteContents()
{
    if (!m_bSkipNextEmpty) {
        m_repository.Clear();
        for (CFlashEditorLayer* layer : m_layers)
            delete layer;
        m_layers.clear();
        m_library.GetRootFolder().DeleteFolders();
    }
    m_bSkipNextEmpty = false;
}

BOOL CFlashEditorDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    // Every document starts its history with its base state, so its first edit can be undone.
    m_undoManager.ResetHistory();
    return TRUE;
}

void CFlashEditorDoc::AdoptContents(CFlashEditorDoc& loaded)
{
    if (s_pHost && s_pHost->HasActiveStageView())
        s_pHost->ClearStageSelection();
    m_bSkipNextEmpty = false;
    DeleteContents();
    m_layers.swap(loaded.m_layers);
    for (CFlashEditorLayer* layer : m_layers)
        layer->SetDocument(this);
    static_cast<CFlashDocumentValues&>(*this) = static_cast<const CFlashDocumentValues&>(loaded);
    m_library.GetRootFolder().Swap(loaded.m_library.GetRootFolder());
    g_DocumentBeingLoaded = this;
}

void CFlashEditorDoc::NotifyDocumentChanged() const
{
    if (s_pHost)
        s_pHost->NotifyDocumentChanged();
}

void CFlashEditorDoc::ReportFileError(const char* pattern, LPCSTR lpszPathName)
{
    const std::string path = lpszPathName ? lpszPathName : "";
    std::string text(std::string(pattern).size() + path.size(), '\0');
    const int length = std::snprintf(text.data(), text.size() + 1, pattern, path.c_str());
    text.resize(std::size_t(std::max(length, 0)));
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONERROR);
}

BOOL CFlashEditorDoc::OnSaveDocument(LPCSTR lpszPathName)
{
    const std::string target = AfxGetUnixFileName(lpszPathName).GetString();
    bool saved = false;
    if (!target.empty()) {
        const std::string temporary = target + kTemporarySuffix;
        bool created = false;
        try {
            std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
            created = file.is_open();
            if (created) {
                {
                    CDocumentOArchive ar(file);
                    SaveToArchive(ar);
                }
                file.close();
                saved = !file.fail() && std::rename(temporary.c_str(), target.c_str()) == 0;
            }
        } catch (const std::exception&) {
            saved = false;
        }
        if (created && !saved)
            std::remove(temporary.c_str());
    }
    if (!saved) {
        ReportFileError(kOpenError, lpszPathName);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CFlashEditorDoc::OnOpenDocument(LPCSTR lpszPathName)
{
    const std::string source = AfxGetUnixFileName(lpszPathName).GetString();
    std::ifstream file;
    if (!source.empty())
        file.open(source, std::ios::binary);
    std::unique_ptr<CDocumentIArchive> ar;
    try {
        if (file)
            ar = std::make_unique<CDocumentIArchive>(file);
    } catch (const std::exception&) {
    }
    if (!ar) {
        ReportFileError(kOpenError, lpszPathName);
        return FALSE;
    }
    try {
        LoadFromArchive(*ar);
    } catch (const std::exception&) {
        ReportFileError(kReadError, lpszPathName);
        return FALSE;
    }
    m_undoManager.ResetHistory();
    SetModifiedFlag(FALSE);
    return TRUE;
}
