#include "StageTestSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"
#include "model/UndoStep.h"
#include "stage/FlashEditorView.h"
#include "tests/support/ScreenImage.h"

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
