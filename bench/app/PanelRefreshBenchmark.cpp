// Refreshes of every tool option panel on a large document, as playback asks for them each
// frame: 1,000 selected shapes over two layers (solid, gradient and text fills) and 20 library
// bitmaps in 3 folders. Prints the mean of 100 document-changed notifications after a warm-up,
// and each panel's share. Covers the panels the main frame hosts; when it hosts none yet, the
// seven panels are made here, in the frame's order, on a plain window.
#include "app/FlashEditorApp.h"
#include "app/FlashEditorMainFrame.h"
#include "app/panels/BrushTool.h"
#include "app/panels/EraserTool.h"
#include "app/panels/FlashEditorTool.h"
#include "app/panels/FontTool.h"
#include "app/panels/LibraryTool.h"
#include "app/panels/ObjectInspectorTool.h"
#include "app/panels/QuickColorTool.h"
#include "app/panels/ShapeTool.h"
#include "bench/support/BenchHostWindow.h"
#include "bench/support/BenchStopwatch.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashLibraryEntry.h"
#include "model/FlashLibraryFolder.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"
#include "model/FlashTextShape.h"
#include "resources/panels/BrushResources.h"
#include "resources/panels/FontResources.h"
#include "resources/panels/LibraryResources.h"
#include "resources/panels/ObjectInspectorResources.h"
#include "stage/FlashEditorView.h"

#include "platform/mfc/AfxRes.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kShapesPerLayer = 500;
constexpr int kBitmaps = 20;
constexpr int kFolders = 3;
constexpr int kWarmUpRefreshes = 5;
constexpr int kRefreshes = 100;
constexpr double kTargetMs = 16.0;
constexpr int kTwips = 20;

CFlashEditorApp g_app;

CFlashShape* MakeShape(int index)
{
    const int x = (index % 40) * 12;
    const int y = (index / 40 % 30) * 12;
    const Gdiplus::Rect box(x * kTwips, y * kTwips, 10 * kTwips, 10 * kTwips);
    switch (index % 3) {
    case 0: {
        Gdiplus::SolidBrush brush(Gdiplus::Color(255, 200, 40, 40));
        return new CFlashSolidShape(&brush);
    }
    case 1: {
        Gdiplus::LinearGradientBrush brush(box, Gdiplus::Color(255, 0, 0, 255), Gdiplus::Color(255, 255, 255, 0),
                                           Gdiplus::LinearGradientModeHorizontal);
        return new CFlashSolidShape(&brush);
    }
    default: {
        Gdiplus::Font font(u"Arial", 12.0f);
        Gdiplus::SolidBrush brush(Gdiplus::Color(255, 0, 0, 0));
        auto* text = new CFlashTextShape(&font, nullptr, &brush);
        text->SetText("Text " + std::to_string(index));
        text->SetRect(box);
        return text;
    }
    }
}

void AddOutline(CFlashShape* shape, int index)
{
    const int left = (index % 40) * 12 * kTwips;
    const int top = (index / 40 % 30) * 12 * kTwips;
    const int side = 10 * kTwips;
    shape->InsertCurve(new CFlashStraightLine(left, top, left + side, top), false, 0);
    shape->InsertCurve(new CFlashStraightLine(left + side, top, left + side, top + side), false, 0);
    shape->InsertCurve(new CFlashStraightLine(left + side, top + side, left, top + side), false, 0);
    shape->InsertCurve(new CFlashStraightLine(left, top + side, left, top), false, 0);
}

bool BuildDocument(CFlashEditorDoc& doc, CFlashEditorView& view)
{
    doc.AddLayer();
    for (int layer = 1; layer <= 2; ++layer) {
        doc.SetCurrentLayer(layer);
        for (int i = 0; i < kShapesPerLayer; ++i) {
            CFlashShape* shape = MakeShape(i);
            if (dynamic_cast<CFlashTextShape*>(shape) == nullptr)
                AddOutline(shape, i);
            if (!doc.AddShape(shape)) {
                delete shape;
                return false;
            }
            view.AddToSelection(shape, false);
        }
    }
    CFlashLibraryFolder& root = doc.GetLibrary().GetRootFolder();
    std::vector<CFlashLibraryFolder*> folders;
    for (int f = 0; f < kFolders; ++f)
        folders.push_back(root.AddFolder("Folder " + std::to_string(f + 1)));
    for (int b = 0; b < kBitmaps; ++b)
        folders[std::size_t(b % kFolders)]
            ->AddBitmapEntry(std::make_unique<Gdiplus::Bitmap>(32, 32))
            ->SetName("Bitmap " + std::to_string(b + 1));
    return true;
}

std::string PanelName(const CFlashEditorTool* panel)
{
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(*panel).name(), nullptr, nullptr, &status);
    std::string result = status == 0 && name != nullptr ? name : typeid(*panel).name();
    std::free(name);
    return result;
}

} // namespace

int main()
{
    g_app.SetCurrentHandles(::GetModuleHandleA(nullptr), const_cast<LPSTR>(""), SW_SHOW);
    if (!g_app.InitInstance()) {
        std::printf("the editor did not start\n");
        return 1;
    }
    auto* pMain = dynamic_cast<CFlashEditorMainFrame*>(g_app.m_pMainWnd);
    if (pMain != nullptr && pMain->GetActiveStageView() == nullptr)
        pMain->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpBenchMessages();
    CFlashEditorView* pView = pMain != nullptr ? pMain->GetActiveStageView() : nullptr;
    if (pView == nullptr || !BuildDocument(*pView->GetDocument(), *pView)) {
        std::printf("no document to measure\n");
        return 1;
    }

    // The panels the frame hosts; otherwise this branch's own, on a plain window.
    std::vector<CFlashEditorTool*> panels;
    for (CFlashEditorTool* panel : g_ToolPanels)
        if (panel->GetSafeHwnd() != nullptr)
            panels.push_back(panel);
    std::vector<std::unique_ptr<CFlashEditorTool>> ownPanels;
    if (panels.empty()) {
        CWnd* pHost = CWnd::FromHandle(MakeBenchHost("QuorvalisPanelBench", 400, 600));
        auto add = [&](CFlashEditorTool* panel, UINT id) {
            ownPanels.emplace_back(panel);
            if (panel->Create(id, pHost))
                panels.push_back(panel);
        };
        add(new CQuickColorTool, IDD_COLORS_PANEL);
        add(new CShapeTool, IDD_SHAPE_PANEL);
        add(new CFontTool, IDD_FONT_TOOL);
        add(new CLibraryTool, IDD_LIBRARY_TOOL);
        add(new CObjectInspectorTool, IDD_OBJECT_INSPECTOR_TOOL);
        add(new CBrushTool, IDD_BRUSH_TOOL);
        add(new CEraserTool, IDD_ERASER_TOOL);
    }

    for (int i = 0; i < kWarmUpRefreshes; ++i)
        for (CFlashEditorTool* panel : panels)
            panel->OnDocumentChanged(pView);
    std::vector<double> shares(panels.size(), 0.0);
    double total = 0.0;
    for (int i = 0; i < kRefreshes; ++i) {
        for (std::size_t p = 0; p < panels.size(); ++p) {
            const CBenchStopwatch stopwatch;
            panels[p]->OnDocumentChanged(pView);
            const double milliseconds = stopwatch.Milliseconds();
            shares[p] += milliseconds;
            total += milliseconds;
        }
        PumpBenchMessages();
    }
    const double mean = total / kRefreshes;
    std::printf("document-changed refresh of %zu panels, %d selected shapes on 2 layers, %d library bitmaps in %d "
                "folders: mean %.2f ms over %d refreshes (target: under %.0f ms)\n",
                panels.size(), 2 * kShapesPerLayer, kBitmaps, kFolders, mean, kRefreshes, kTargetMs);
    for (std::size_t p = 0; p < panels.size(); ++p)
        std::printf("  %-24s %7.3f ms  %5.1f%%\n", PanelName(panels[p]).c_str(), shares[p] / kRefreshes,
                    total > 0.0 ? 100.0 * shares[p] / total : 0.0);

    const CBenchStopwatch notify;
    for (int i = 0; i < kRefreshes; ++i)
        pMain->NotifyDocumentChanged(pView);
    std::printf("through the main frame's NotifyDocumentChanged: mean %.2f ms\n", notify.Milliseconds() / kRefreshes);

    for (auto& panel : ownPanels)
        panel->DestroyWindow();
    g_app.CloseAllDocuments(FALSE);
    pMain->DestroyWindow();
    g_app.ExitInstance();
    return 0;
}
