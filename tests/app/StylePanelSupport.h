#pragma once
// Fixtures of the Colors and Shape panel tests: a shared top-level window that hosts a panel or a
// control and records one registered message, shapes built through the model and selected
// through the stage view, posted mouse input and client-area captures.
#include "EditorSessionSupport.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/mfc/Afx.h"
#include "tests/ui/core/TestSupport.h"

#include <memory>
#include <string>
#include <vector>

class CFlashEditorDoc;
class CFlashEditorView;
class CFlashSolidShape;

// Showing a top-level window costs seconds under Xvfb: the tests share one.
class CPanelHostWindow {
public:
    // Cleared of records and children, sized, recording the message.
    static CPanelHostWindow& Shared(int cx, int cy, UINT recordedMessage);

    HWND Handle() const { return m_hWnd; }
    CWnd* Window() const { return CWnd::FromHandle(m_hWnd); }
    // A placeholder button child at the rectangle, as the panels' templates have them.
    HWND CreatePlaceholder(const RECT& rc, UINT id) const;

    struct CRecord {
        WPARAM wParam;
        int value;  // the int the LPARAM points at when the message arrived
    };
    std::vector<CRecord> m_records;

private:
    CPanelHostWindow();
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
    UINT m_recordedMessage = 0;
};

// A fresh document in the only document window, and its stage view.
struct CSessionDocument {
    CSessionDocument();
    CFlashEditorDoc* doc = nullptr;
    CFlashEditorView* view = nullptr;
};

// A 100 x 100 pixel square at (x, y) with the fill (null for none) and the pen (null for the
// default), added to the current span.
CFlashSolidShape* AddSquare(CFlashEditorDoc& doc, int x, int y, const Gdiplus::Brush* fill,
                            const Gdiplus::Pen* pen = nullptr);
// A linear gradient on the unit square with every stop as a preset colour.
std::unique_ptr<Gdiplus::LinearGradientBrush> MakeLinearFill(const std::vector<std::pair<float, COLORREF>>& stops);
// A bitmap of the size in one colour.
std::unique_ptr<Gdiplus::Bitmap> MakeBitmap(int size, COLORREF color);
// The colour of a texture fill's picture at its top-left pixel.
COLORREF TextureColor(const Gdiplus::Brush* fill);

std::string LastStepName(CFlashEditorDoc& doc);

// Posts the message at client coordinates and delivers it.
void PostMouse(HWND hWnd, UINT message, int x, int y, WPARAM keys = 0);
void Click(HWND hWnd, int x, int y);
// Press, moves towards the end point, release there.
void Drag(HWND hWnd, POINT from, POINT to);
// Types the text into the control as keys do after selecting its whole text.
void TypeText(HWND hWnd, const std::string& text);

// The client area as it shows on the screen.
void CaptureClient(HWND hWnd, CPixelCanvas& canvas);
