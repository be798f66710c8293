#include "StylePanelSupport.h"

#include "EditorSessionSupport.h"

#include "app/FlashEditorMainFrame.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"
#include "model/GeometryHelpers.h"
#include "model/UndoManager.h"
#include "model/UndoStep.h"
#include "resources/app/AppResources.h"

namespace {
constexpr char kHostClass[] = "StylePanelTestHost";
constexpr int kTwipsPerPixel = 20;
constexpr int kSquareSize = 100;
constexpr int kDragSteps = 4;
}

CPanelHostWindow::CPanelHostWindow()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = &CPanelHostWindow::WindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHostClass;
    ::RegisterClassA(&wc);
    m_hWnd = ::CreateWindowExA(0, kHostClass, "panel host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 100,
                               100, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PumpMessages();
}

CPanelHostWindow& CPanelHostWindow::Shared(int cx, int cy, UINT recordedMessage)
{
    static CPanelHostWindow host;
    while (HWND hChild = ::GetWindow(host.m_hWnd, GW_CHILD))
        ::DestroyWindow(hChild);
    ::SetWindowPos(host.m_hWnd, HWND_TOP, 20, 20, cx, cy, SWP_NOACTIVATE);
    host.m_recordedMessage = recordedMessage;
    host.m_records.clear();
    PumpMessages();
    return host;
}

HWND CPanelHostWindow::CreatePlaceholder(const RECT& rc, UINT id) const
{
    return ::CreateWindowExA(0, "Button", "", BS_OWNERDRAW | WS_CHILD | WS_VISIBLE, rc.left, rc.top,
                             rc.right - rc.left, rc.bottom - rc.top, m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr),
                             nullptr);
}

LRESULT CALLBACK CPanelHostWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* pThis = reinterpret_cast<CPanelHostWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pThis != nullptr && message == pThis->m_recordedMessage && message != 0) {
        pThis->m_records.push_back({wParam, lParam != 0 ? *reinterpret_cast<const int*>(lParam) : -1});
        return 1;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

CSessionDocument::CSessionDocument()
{
    SessionApp().CloseAllDocuments(FALSE);
    SendCommand(ID_FILE_NEW);
    doc = ActiveDocument();
    view = MainFrame()->GetActiveStageView();
}

CFlashSolidShape* AddSquare(CFlashEditorDoc& doc, int x, int y, const Gdiplus::Brush* fill, const Gdiplus::Pen* pen)
{
    auto* shape = new CFlashSolidShape(fill);
    if (pen != nullptr)
        shape->SetPen(pen);
    const int left = x * kTwipsPerPixel, top = y * kTwipsPerPixel;
    const int right = left + kSquareSize * kTwipsPerPixel, bottom = top + kSquareSize * kTwipsPerPixel;
    shape->InsertCurve(new CFlashStraightLine(left, top, right, top), false, 0);
    shape->InsertCurve(new CFlashStraightLine(right, top, right, bottom), false, 0);
    shape->InsertCurve(new CFlashStraightLine(right, bottom, left, bottom), false, 0);
    shape->InsertCurve(new CFlashStraightLine(left, bottom, left, top), false, 0);
    if (!doc.AddShape(shape)) {
        delete shape;
        return nullptr;
    }
    return shape;
}

std::unique_ptr<Gdiplus::LinearGradientBrush> MakeLinearFill(const std::vector<std::pair<float, COLORREF>>& stops)
{
    auto brush = std::make_unique<Gdiplus::LinearGradientBrush>(
        Gdiplus::Rect(0, 0, 1, 1), Gdiplus::Color(ColorRefToArgb(stops.front().second)),
        Gdiplus::Color(ColorRefToArgb(stops.back().second)), Gdiplus::LinearGradientModeHorizontal);
    std::vector<Gdiplus::Color> colors;
    std::vector<Gdiplus::REAL> positions;
    for (const auto& [position, color] : stops) {
        colors.emplace_back(ColorRefToArgb(color));
        positions.push_back(position);
    }
    brush->SetInterpolationColors(colors.data(), positions.data(), INT(stops.size()));
    return brush;
}

std::unique_ptr<Gdiplus::Bitmap> MakeBitmap(int size, COLORREF color)
{
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            bitmap->SetPixel(x, y, Gdiplus::Color(ColorRefToArgb(color)));
    return bitmap;
}

COLORREF TextureColor(const Gdiplus::Brush* fill)
{
    const auto* texture = dynamic_cast<const Gdiplus::TextureBrush*>(fill);
    if (texture == nullptr)
        return CLR_INVALID;
    std::unique_ptr<Gdiplus::Image> image(texture->GetImage());
    auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(image.get());
    Gdiplus::Color color;
    if (bitmap == nullptr || bitmap->GetPixel(0, 0, &color) != Gdiplus::Ok)
        return CLR_INVALID;
    return ArgbToColorRef(color.GetValue());
}

std::string LastStepName(CFlashEditorDoc& doc)
{
    const CUndoStep* step = doc.GetUndoManager().GetLastStep();
    return step != nullptr ? step->GetName() : "";
}

void PostMouse(HWND hWnd, UINT message, int x, int y, WPARAM keys)
{
    ::PostMessageA(hWnd, message, keys, MAKELPARAM(x, y));
    PumpMessages();
}

void Click(HWND hWnd, int x, int y)
{
    PostMouse(hWnd, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    PostMouse(hWnd, WM_LBUTTONUP, x, y);
}

void Drag(HWND hWnd, POINT from, POINT to)
{
    PostMouse(hWnd, WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    for (int step = 1; step <= kDragSteps; ++step)
        PostMouse(hWnd, WM_MOUSEMOVE, from.x + (to.x - from.x) * step / kDragSteps,
                  from.y + (to.y - from.y) * step / kDragSteps, MK_LBUTTON);
    PostMouse(hWnd, WM_LBUTTONUP, to.x, to.y);
}

void TypeText(HWND hWnd, const std::string& text)
{
    ::SetFocus(hWnd);
    ::SendMessageA(hWnd, EM_SETSEL, 0, -1);
    if (text.empty())
        ::PostMessageA(hWnd, WM_CHAR, VK_BACK, 1);
    for (char c : text)
        ::PostMessageA(hWnd, WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpMessages();
}

void CaptureClient(HWND hWnd, CPixelCanvas& canvas)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC hDC = ::GetDC(hWnd);
    ::BitBlt(canvas.dc().m_hDC, 0, 0, canvas.Width(), canvas.Height(), hDC, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hDC);
}
