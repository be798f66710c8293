#include "TimelineTestSupport.h"

#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/DC.h"
#include "tests/support/ScreenImage.h"

#include <algorithm>
#include <cstring>

namespace TimelineTest
{
namespace
{
CFlashSolidShape* MakeSquare()
{
    Gdiplus::SolidBrush brush{Gdiplus::Color(0xffff0000)};
    auto* shape = new CFlashSolidShape(&brush);
    shape->InsertCurve(new CFlashStraightLine(0, 0, 200, 0), false, 0);
    shape->InsertCurve(new CFlashStraightLine(200, 0, 200, 200), false, 0);
    shape->InsertCurve(new CFlashStraightLine(200, 200, 0, 200), false, 0);
    shape->InsertCurve(new CFlashStraightLine(0, 200, 0, 0), false, 0);
    return shape;
}
}  // namespace

void BuildSpans(CFlashEditorDoc& /*doc*/, CFlashEditorLayer& layer, const std::vector<SpanLayout>& spans)
{
    if (spans.empty())
        return;
    if (spans.front().shapes)
        layer.AddShape(MakeSquare(), 1, nullptr);
    // A new layer holds frame 1; each further keyframe closes the span before it. A span with
    // shapes after one with shapes copies them, so that a tween between the two is whole.
    for (std::size_t i = 1; i < spans.size(); ++i) {
        const bool copy = spans[i].shapes && spans[i - 1].shapes;
        layer.InsertKeyframe(spans[i].first, copy);
        if (spans[i].shapes && !copy)
            layer.AddShape(MakeSquare(), spans[i].first, nullptr);
    }
    if (spans.back().last > spans.back().first)
        layer.InsertFrames(spans.back().first, spans.back().last - spans.back().first);
    for (const SpanLayout& layout : spans)
        if (CFlashEditorFrame* span = layer.FindSpan(layout.first))
            span->SetMotionTween(layout.tween);
}

std::unique_ptr<CFlashEditorDoc> MakeDocument(int nLayers)
{
    auto doc = std::make_unique<CFlashEditorDoc>();
    while (doc->GetLayerCount() < nLayers)
        doc->AddLayer();
    return doc;
}

void MakeIconImages(CImageList& images)
{
    images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 5, 0);
    HDC hScreen = ::GetDC(nullptr);
    for (COLORREF colour : kIconColours) {
        CBitmap bitmap;
        bitmap.Attach(::CreateCompatibleBitmap(hScreen, 16, 16));
        HDC hMem = ::CreateCompatibleDC(hScreen);
        HGDIOBJ old = ::SelectObject(hMem, bitmap.GetSafeHandle());
        RECT all = {0, 0, 16, 16};
        HBRUSH mask = ::CreateSolidBrush(0xADADAD);
        ::FillRect(hMem, &all, mask);
        ::DeleteObject(mask);
        RECT inner = {2, 2, 14, 14};
        HBRUSH fill = ::CreateSolidBrush(colour);
        ::FillRect(hMem, &inner, fill);
        ::DeleteObject(fill);
        ::SelectObject(hMem, old);
        ::DeleteDC(hMem);
        images.Add(&bitmap, 0xADADAD);
    }
    ::ReleaseDC(nullptr, hScreen);
}

void ConfigureTimelineGrid(CGridCtrl& grid, int nLayers, CImageList* pImages)
{
    grid.SetEditable(FALSE);
    grid.EnableDragAndDrop(TRUE);
    grid.SetRowResize(FALSE);
    grid.SetColumnResize(FALSE);
    grid.SetGridBkColor(kGridBack);
    grid.SetGridLineColor(kGridLines);
    for (BOOL fixedRow : {FALSE, TRUE})
        for (BOOL fixedCol : {FALSE, TRUE}) {
            CGridDefaultCell* pCell = grid.GetDefaultCell(fixedRow, fixedCol);
            pCell->SetHeight(kRowHeight);
            pCell->SetWidth(kFrameWidth);
            pCell->SetMargin(0);
        }
    grid.SetRowCount(nLayers + 1);
    grid.SetColumnCount(kColumns);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int row = 0; row <= nLayers; ++row)
        grid.SetRowHeight(row, kRowHeight);
    grid.SetColumnWidth(0, kNameWidth);
    for (int col = 1; col < kColumns; ++col) {
        grid.SetColumnWidth(col, kFrameWidth);
        GRIDITEM item;
        item.row = 0;
        item.col = col;
        item.mask = GRIDITEM_TEXT | GRIDITEM_FORMAT;
        item.format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
        if (col == 1 || col % 5 == 0)
            item.text.Format("%d", col);
        grid.SetItem(&item);
        grid.GetCell(0, col)->SetHasSpan(true);
        for (int row = 1; row <= nLayers; ++row) {
            CGridCellBase* pCell = grid.GetCell(row, col);
            pCell->SetFormat(DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
            if (col % 5 == 0)
                pCell->SetBackColor(kFifthFrame);
        }
    }
    for (int row = 1; row <= nLayers; ++row) {
        CString name;
        name.Format("Layer %d", row);
        GRIDITEM item;
        item.row = row;
        item.col = 0;
        item.mask = GRIDITEM_TEXT | GRIDITEM_FORMAT | GRIDITEM_MARGIN;
        item.format = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_LEFT;
        item.margin = 5;
        item.text = name;
        grid.SetItem(&item);
    }
    grid.SetModified(FALSE);
    grid.SetImageList(pImages);
}

CGridHost::CGridHost(CFlashEditorDoc* pDoc, bool bShown, int width, int height) : m_pDoc(pDoc)
{
    MakeIconImages(m_images);
    CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "Timeline test", WS_POPUP | (bShown ? WS_VISIBLE : 0), 0, 0, width, height,
             nullptr, nullptr);
    m_pGrid = std::make_unique<CGridCtrl>(pDoc);
    CRect client;
    GetClientRect(&client);
    // Creation gives every row and column the default size: the layout comes after.
    m_pGrid->Create(client, this, kGridId, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    ConfigureTimelineGrid(*m_pGrid, pDoc ? pDoc->GetLayerCount() : 3, &m_images);
    m_pGrid->ResetScrollBars();
    m_pGrid->SetFocus();
    Pump();
}

CGridHost::~CGridHost()
{
    m_pGrid.reset();
    if (GetSafeHwnd())
        DestroyWindow();
    Pump();
}

BOOL CGridHost::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr && hdr->idFrom == kGridId)
        m_notifications.push_back(int(hdr->code));
    return CWnd::OnNotify(wParam, lParam, pResult);
}

CPoint CGridHost::CellCentre(int row, int col)
{
    CRect rect;
    m_pGrid->GetCellRect(row, col, &rect);
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void CGridHost::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_pGrid->PostMessage(message, wParam, lParam);
    Pump();
}

// The grid's auto-scroll timer reads the real cursor while a button is down, and a loaded
// machine lets it fire between the posted messages: the cursor stands where they say.
void CGridHost::PlaceCursor(CPoint point)
{
    m_pGrid->ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
    const DWORD start = ::GetTickCount();
    CPoint now;
    while (::GetCursorPos(&now) && now != point && ::GetTickCount() - start < 1000)
        Pump(5);
    Pump();
}

void CGridHost::Click(CPoint point, UINT keys)
{
    PlaceCursor(point);
    Post(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(point.x, point.y));
    Post(WM_LBUTTONUP, keys, MAKELPARAM(point.x, point.y));
}

void CGridHost::Drag(CPoint from, CPoint to)
{
    PlaceCursor(from);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    PlaceCursor(to);
    Post(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    Post(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

void CGridHost::Key(UINT vk)
{
    Post(WM_KEYDOWN, vk, 1);
    Post(WM_KEYUP, vk, 0xC0000001);
}

void Pump(int milliseconds)
{
    const DWORD end = ::GetTickCount() + DWORD(milliseconds);
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (milliseconds > 0)
            ::Sleep(5);
    } while (int(end - ::GetTickCount()) > 0);
}

CCapture::CCapture(CWnd& wnd, bool bScreen)
{
    CRect client;
    wnd.GetClientRect(&client);
    if (bScreen) {
        wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
    *this = CCapture(client.Width(), client.Height(), [&](HDC hMem) {
        if (bScreen) {
            HDC hWndDC = ::GetDC(wnd.GetSafeHwnd());
            ::BitBlt(hMem, 0, 0, client.Width(), client.Height(), hWndDC, 0, 0, SRCCOPY);
            ::ReleaseDC(wnd.GetSafeHwnd(), hWndDC);
        } else {
            wnd.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hMem), PRF_CLIENT);
        }
    });
}

CCapture::CCapture(int width, int height, const std::function<void(HDC)>& paint)
    : m_width(std::max(0, width)), m_height(std::max(0, height))
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = m_width;
    bmi.bmiHeader.biHeight = -m_height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HBITMAP hDib = ::CreateDIBSection(hMem, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(hMem, hDib);
    m_pixels.assign(std::size_t(m_width) * std::size_t(m_height), 0xFFFFFF);
    if (bits) {
        std::memcpy(bits, m_pixels.data(), m_pixels.size() * sizeof(DWORD));
        paint(hMem);
        ::GdiFlush();
        std::memcpy(m_pixels.data(), bits, m_pixels.size() * sizeof(DWORD));
    }
    ::SelectObject(hMem, old);
    ::DeleteObject(hDib);
    ::DeleteDC(hMem);
}

COLORREF CCapture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    const DWORD bgra = m_pixels[std::size_t(y) * std::size_t(m_width) + std::size_t(x)];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

bool CCapture::SavePng(const std::string& name) const
{
    return SavePixelsPng(m_pixels.data(), m_width, m_height, name);
}
}  // namespace TimelineTest
