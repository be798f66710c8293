#pragma once
// Fixtures of the timeline tests: a document built with the model's operations, a window that
// holds a grid laid out as the timeline lays it out, posted input, and window captures.
#include "timeline/GridCtrl.h"

#include "model/FlashEditorDoc.h"

#include "platform/mfc/ImageList.h"
#include "platform/mfc/Wnd.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CFlashEditorLayer;

namespace TimelineTest
{
constexpr int kNameWidth = 150;
constexpr int kFrameWidth = 10;
constexpr int kRowHeight = 22;
constexpr int kColumns = 600;
constexpr UINT kGridId = 100;
constexpr COLORREF kGridBack = 0xC6C6C6;
constexpr COLORREF kGridLines = 0xADADAD;
constexpr COLORREF kFifthFrame = 0xD6D6D6;

// Solid colours standing for the five layer icons, so that a capture tells them apart.
constexpr COLORREF kIconColours[5] = {RGB(0, 0, 200), RGB(200, 0, 0), RGB(0, 150, 0), RGB(200, 0, 200),
                                      RGB(0, 150, 150)};

// Spans of a layer as (first, last, tweened, with a shape) from frame 1 on, without gaps.
struct SpanLayout
{
    int first;
    int last;
    bool tween;
    bool shapes;
};
// Lays the layer's spans out as given, replacing the single span a new layer has.
void BuildSpans(CFlashEditorDoc& doc, CFlashEditorLayer& layer, const std::vector<SpanLayout>& spans);
// A document with nLayers layers of one empty frame each.
std::unique_ptr<CFlashEditorDoc> MakeDocument(int nLayers);

// The grid set up as the timeline view sets it up: rows for the layers, 600 frame columns.
void ConfigureTimelineGrid(CGridCtrl& grid, int nLayers, CImageList* pImages);
// Five 16 x 16 images in kIconColours.
void MakeIconImages(CImageList& images);

// A top-level window holding the grid; it records the notifications the grid sends. It stays
// hidden unless a test needs the screen: under Xvfb without a window manager every map and
// unmap of a window waits two seconds for an answer that never comes.
class CGridHost : public CWnd
{
public:
    explicit CGridHost(CFlashEditorDoc* pDoc, bool bShown = false, int width = 600, int height = 200);
    ~CGridHost() override;

    CGridCtrl& Grid() { return *m_pGrid; }
    CFlashEditorDoc* Document() { return m_pDoc; }
    // The centre of a cell in client coordinates of the grid.
    CPoint CellCentre(int row, int col);
    // Posts the message to the grid and lets everything queued run.
    void Post(UINT message, WPARAM wParam, LPARAM lParam);
    void Click(CPoint point, UINT keys = 0);
    void Drag(CPoint from, CPoint to);
    void Key(UINT vk);

    std::vector<int> m_notifications;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void PlaceCursor(CPoint point);

    CFlashEditorDoc* m_pDoc;
    std::unique_ptr<CGridCtrl> m_pGrid;
    CImageList m_images;
};

// Runs the queued messages of this thread.
void Pump(int milliseconds = 0);

// A capture of a window's client area (drawn by the window itself) as 0x00BBGGRR pixels.
class CCapture
{
public:
    // Through WM_PRINTCLIENT, or (bScreen) copied from the screen after a real paint.
    explicit CCapture(CWnd& wnd, bool bScreen = false);
    // What paint draws into a white width x height bitmap.
    CCapture(int width, int height, const std::function<void(HDC)>& paint);
    COLORREF At(int x, int y) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Saves the picture as PNG under the build folder's screens folder.
    bool SavePng(const std::string& name) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<DWORD> m_pixels;
};
}  // namespace TimelineTest
