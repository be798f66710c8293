#include "StageTestSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"
#include "model/UndoStep.h"
#include "stage/FlashEditorView.h"
#include "tests/support/ScreenImage.h"

#include <cstring>
#include <algorithm>

namespace {

class CStageTestApp : public CWinApp {
public:
    CStageTestApp() : CWinApp("StageTests") {}
    // Message boxes are not shown in tests.
    int DoMessageBox(LPCSTR, UINT, UINT) override { return IDOK; }
};

CStageTestApp g_app;

// A popup frame: Wine maps it without asking a window manager, so closing it does not wait for
// one that the test display lacks. Topmost, away from the corner where other test programs
// open their windows, so that captures of the screen see only the stage.
constexpr DWORD kFrameStyle = WS_POPUP | WS_BORDER;
constexpr DWORD kFrameExStyle = WS_EX_TOPMOST;
constexpr POINT kFramePosition = {600, 480};

constexpr CLSID kEncoderBmp = {0x557cf400, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr CLSID kEncoderJpeg = {0x557cf401, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr CLSID kEncoderTiff = {0x557cf405, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr CLSID kEncoderPng = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

std::u16string Wide(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

std::string TempFolder()
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return folder;
}

// Writes through Windows, which knows the drive letters of the paths.
bool WriteBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == bytes.size();
}

// An icon file of one 32-bit image, written by hand: GDI+ has no icon encoder.
bool WriteIconFile(const std::string& path, int width, int height, COLORREF color)
{
    const int pixelBytes = width * height * 4;
    const int maskStride = ((width + 31) / 32) * 4;
    const DWORD imageBytes = DWORD(sizeof(BITMAPINFOHEADER)) + DWORD(pixelBytes + maskStride * height);
    std::vector<BYTE> out = {0, 0, 1, 0, 1, 0, BYTE(width), BYTE(height), 0, 0, 1, 0, 32, 0};
    for (DWORD value : {imageBytes, DWORD(22)})
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(BYTE(value >> shift));
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height * 2;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const BYTE* header = reinterpret_cast<const BYTE*>(&info);
    out.insert(out.end(), header, header + sizeof info);
    for (int index = 0; index < width * height; ++index)
        out.insert(out.end(), {GetBValue(color), GetGValue(color), GetRValue(color), 0xFF});
    out.insert(out.end(), size_t(maskStride * height), 0);
    return WriteBytes(path, out);
}

// A one-colour GIF written by hand: Wine's encoder leaves the image data out. Codes are three
// bits wide; a clear code before every two pixels keeps them so.
bool WriteGifFile(const std::string& path, int width, int height, COLORREF color)
{
    std::vector<BYTE> out = {'G', 'I', 'F', '8', '9', 'a', BYTE(width), BYTE(width >> 8), BYTE(height),
                             BYTE(height >> 8), 0x80, 0, 0, GetRValue(color), GetGValue(color), GetBValue(color),
                             0, 0, 0, 0x2C, 0, 0, 0, 0, BYTE(width), BYTE(width >> 8), BYTE(height),
                             BYTE(height >> 8), 0, 2};
    constexpr int kClear = 4;
    constexpr int kEnd = 5;
    std::vector<BYTE> codes;
    unsigned buffer = 0;
    int bits = 0;
    auto put = [&](int code) {
        buffer |= unsigned(code) << bits;
        bits += 3;
        while (bits >= 8) {
            codes.push_back(BYTE(buffer));
            buffer >>= 8;
            bits -= 8;
        }
    };
    for (int pixel = 0; pixel < width * height; ++pixel) {
        if (pixel % 2 == 0)
            put(kClear);
        put(0);
    }
    put(kEnd);
    if (bits > 0)
        codes.push_back(BYTE(buffer));
    for (size_t at = 0; at < codes.size(); at += 255) {
        size_t length = std::min<size_t>(255, codes.size() - at);
        out.push_back(BYTE(length));
        out.insert(out.end(), codes.begin() + std::ptrdiff_t(at), codes.begin() + std::ptrdiff_t(at + length));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return WriteBytes(path, out);
}

} // namespace

// -- hosts --------------------------------------------------------------------------------------

CTestStageHost::~CTestStageHost()
{
    if (m_hPicture != nullptr)
        ::DeleteObject(m_hPicture);
}

Gdiplus::GraphicsPath* CTestStageHost::GetBrushPath()
{
    if (m_bNoBrush)
        return nullptr;
    auto* path = new Gdiplus::GraphicsPath;
    path->AddEllipse(-5, -5, 10, 10);
    return path;
}

HBITMAP CTestStageHost::ImportPictureFile()
{
    HBITMAP picture = m_hPicture;
    m_hPicture = nullptr;
    return picture;
}

void CTestDocumentHost::ClearStageSelection()
{
    if (m_pView != nullptr)
        m_pView->ClearSelection();
}

void CTestDocumentHost::ReplaceSelectedShape(CFlashShape* shape, CFlashShape* copy)
{
    if (m_pView != nullptr)
        m_pView->ReplaceSelectedShape(shape, copy);
}

bool CTestDocumentHost::IsStageView(const CView* view) const
{
    return view != nullptr && view == m_pView;
}

// -- recording tool -----------------------------------------------------------------------------

void CRecordingTool::OnLButtonDown(UINT flags, int x, int y)
{
    m_calls.push_back({"down", flags, x, y});
}

void CRecordingTool::OnLButtonUp(UINT flags, int x, int y)
{
    m_calls.push_back({"up", flags, x, y});
}

void CRecordingTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    m_calls.push_back({"move", flags, x, y});
}

void CRecordingTool::OnLButtonDblClk(UINT flags, int x, int y)
{
    m_calls.push_back({"dblclk", flags, x, y});
}

std::vector<std::string> CRecordingTool::Names() const
{
    std::vector<std::string> names;
    for (const CCall& call : m_calls)
        names.push_back(call.name);
    return names;
}

// -- capture ------------------------------------------------------------------------------------

CWindowCapture::CWindowCapture(HWND window)
{
    RECT client = {};
    ::GetClientRect(window, &client);
    m_nWidth = client.right;
    m_nHeight = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_nWidth;
    info.bmiHeader.biHeight = -m_nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pBits = static_cast<const DWORD*>(bits);
    HDC windowDC = ::GetDC(window);
    HDC memoryDC = ::CreateCompatibleDC(windowDC);
    HGDIOBJ old = ::SelectObject(memoryDC, m_hBitmap);
    ::BitBlt(memoryDC, 0, 0, m_nWidth, m_nHeight, windowDC, 0, 0, SRCCOPY);
    ::GdiFlush();
    ::SelectObject(memoryDC, old);
    ::DeleteDC(memoryDC);
    ::ReleaseDC(window, windowDC);
}

CWindowCapture::~CWindowCapture()
{
    ::DeleteObject(m_hBitmap);
}

COLORREF CWindowCapture::Pixel(int x, int y) const
{
    if (m_pBits == nullptr || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return CLR_INVALID;
    DWORD value = m_pBits[y * m_nWidth + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

void CWindowCapture::Save(const char* name) const
{
    SaveBitmapPng(m_hBitmap, name);
}

// -- fixture ------------------------------------------------------------------------------------

CStageFixture::CStageFixture()
{
    CFlashEditorView::SetStageHost(&m_host);
    CFlashEditorDoc::SetDocumentHost(&m_documentHost);
    m_pDoc = new CFlashEditorDoc;
    m_pDoc->m_bAutoDelete = FALSE;
    m_pDoc->OnNewDocument();
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CFlashEditorView);
    context.m_pCurrentDoc = m_pDoc;
    m_pFrame = new CFrameWnd;
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&frame, kFrameStyle, FALSE, 0);
    frame = {kFramePosition.x, kFramePosition.y, kFramePosition.x + frame.right - frame.left,
             kFramePosition.y + frame.bottom - frame.top};
    if (!m_pFrame->Create(nullptr, "Stage", kFrameStyle, frame, nullptr, nullptr, kFrameExStyle, &context)) {
        m_pFrame = nullptr;
        return;
    }
    m_pFrame->InitialUpdateFrame(m_pDoc, FALSE);
    m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    // Shown without activation, as the tests' windows are: the views get their update here.
    m_pFrame->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    m_pView = dynamic_cast<CFlashEditorView*>(m_pFrame->GetActiveView());
    m_documentHost.m_pView = m_pView;
    Pump();
}

CStageFixture::~CStageFixture()
{
    m_documentHost.m_pView = nullptr;
    if (m_pFrame != nullptr) {
            m_pFrame->DestroyWindow();
        }
    delete m_pDoc;
    CFlashEditorDoc::SetDocumentHost(nullptr);
    CFlashEditorView::SetStageHost(nullptr);
}

CFlashSolidShape* CStageFixture::AddRect(int x, int y, int width, int height, COLORREF color)
{
    Gdiplus::SolidBrush brush{Gdiplus::Color(255, GetRValue(color), GetGValue(color), GetBValue(color))};
    auto* shape = new CFlashSolidShape(&brush);
    const int t = 20;
    shape->InsertCurve(new CFlashStraightLine(x * t, y * t, (x + width) * t, y * t), false, 0);
    shape->InsertCurve(new CFlashStraightLine((x + width) * t, y * t, (x + width) * t, (y + height) * t), false, 0);
    shape->InsertCurve(new CFlashStraightLine((x + width) * t, (y + height) * t, x * t, (y + height) * t), false, 0);
    shape->InsertCurve(new CFlashStraightLine(x * t, (y + height) * t, x * t, y * t), false, 0);
    if (!m_pDoc->AddShape(shape)) {
        delete shape;
        return nullptr;
    }
    return shape;
}

void CStageFixture::Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (m_pView != nullptr)
        m_pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

POINT CStageFixture::ToScreen(int x, int y) const
{
    POINT point = {x, y};
    ::ClientToScreen(m_pView->GetSafeHwnd(), &point);
    return point;
}

std::string CStageFixture::LastStepName() const
{
    std::string name;
    m_pDoc->GetUndoManager().AppendUndoName(name);
    return name;
}

int CStageFixture::StepCount() const
{
    return m_pDoc->GetUndoManager().GetStepCount();
}

// -- pictures -----------------------------------------------------------------------------------

HBITMAP MakeDeviceBitmap(int width, int height, COLORREF color)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

std::string WritePictureFile(const char* extension, int width, int height, COLORREF color)
{
    std::string path = TempFolder() + "stage-picture." + extension;
    if (std::strcmp(extension, "ico") == 0)
        return WriteIconFile(path, width, height, color) ? path : std::string();
    if (std::strcmp(extension, "gif") == 0)
        return WriteGifFile(path, width, height, color) ? path : std::string();
    const CLSID* encoder = nullptr;
    if (std::strcmp(extension, "bmp") == 0)
        encoder = &kEncoderBmp;
    else if (std::strcmp(extension, "jpg") == 0)
        encoder = &kEncoderJpeg;
    else if (std::strcmp(extension, "tif") == 0)
        encoder = &kEncoderTiff;
    else if (std::strcmp(extension, "png") == 0)
        encoder = &kEncoderPng;
    if (encoder == nullptr)
        return {};
    HBITMAP device = MakeDeviceBitmap(width, height, color);
    Gdiplus::Status status;
    {
        Gdiplus::Bitmap bitmap(device, nullptr);
        status = bitmap.Save(reinterpret_cast<const WCHAR*>(Wide(path).c_str()), encoder);
    }
    ::DeleteObject(device);
    return status == Gdiplus::Ok ? path : std::string();
}

HBITMAP LoadPictureFile(const std::string& path)
{
    Gdiplus::Bitmap bitmap(reinterpret_cast<const WCHAR*>(Wide(path).c_str()));
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    // Indexed pictures (gif) convert only through a 32-bit copy.
    int width = int(bitmap.GetWidth());
    int height = int(bitmap.GetHeight());
    Gdiplus::Bitmap copy(width, height, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&copy);
        graphics.DrawImage(&bitmap, 0, 0, width, height);
    }
    HBITMAP result = nullptr;
    if (copy.GetHBITMAP(Gdiplus::Color(255, 255, 255, 255), &result) != Gdiplus::Ok)
        return nullptr;
    return result;
}
