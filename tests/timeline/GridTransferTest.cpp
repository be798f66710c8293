#include "TimelineTestSupport.h"

#include "platform/mfc/DC.h"
#include "platform/mfc/OleDataObject.h"
#include "platform/mfc/OleDataSource.h"
#include "platform/mfc/PrintInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

using namespace TimelineTest;

namespace
{
// The tests hand data objects over directly: the clipboard is shared with every program
// that runs beside them.

// The bytes of a data source's CF_TEXT block, all of them.
std::string TextBlock(COleDataSource* pSource)
{
    if (!pSource)
        return "(no data source)";
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), FALSE);
    HGLOBAL hMem = data.GetGlobalData(CF_TEXT);
    if (!hMem)
        return "(no text)";
    const SIZE_T size = ::GlobalSize(hMem);
    const char* p = static_cast<const char*>(::GlobalLock(hMem));
    std::string bytes(p, size);
    ::GlobalUnlock(hMem);
    ::GlobalFree(hMem);
    return bytes;
}

// A data source offering exactly these bytes as CF_TEXT (no NUL unless given).
COleDataSource* MakeTextSource(const std::string& bytes)
{
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(::GlobalLock(hMem), bytes.data(), bytes.size());
    ::GlobalUnlock(hMem);
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, hMem);
    return pSource;
}

// Texts of the strings an enhanced metafile draws, and how many ellipses it holds.
struct MetafileText
{
    std::string text;
    int ellipses = 0;
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM lParam)
{
    auto* out = reinterpret_cast<MetafileText*>(lParam);
    if (record->iType == EMR_ELLIPSE)
        ++out->ellipses;
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars = reinterpret_cast<const char16_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        for (DWORD i = 0; i < text->emrtext.nChars; ++i)
            out->text += char(chars[i]);
        out->text += '|';
    }
    if (record->iType == EMR_EXTTEXTOUTA) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        out->text.append(reinterpret_cast<const char*>(record) + text->emrtext.offString, text->emrtext.nChars);
        out->text += '|';
    }
    return 1;
}

// The layer headings a printed page shows, in the order drawn.
std::vector<int> PrintedLayers(const std::string& text)
{
    std::vector<int> layers;
    std::istringstream fields(text);
    std::string field;
    while (std::getline(fields, field, '|')) {
        int layer = 0;
        char rest = 0;
        if (std::sscanf(field.c_str(), "Layer %d%c", &layer, &rest) == 1)
            layers.push_back(layer);
    }
    return layers;
}
}  // namespace

TEST(GridTransfer, CopyGivesTabSeparatedRowsEndingInNul)
{
    auto doc = MakeDocument(3);
    CGridHost host(doc.get());
    host.Drag(host.CellCentre(1, 2), host.CellCentre(2, 4));
    ASSERT_EQ(6, host.Grid().GetSelectedCount());
    COleDataSource* pSource = host.Grid().MakeTextDataSource();
    const std::string block = TextBlock(pSource);
    pSource->InternalRelease();
    EXPECT_EQ(std::string("\t\t\r\n\t\t\0", 7), block);

    // Texts of selected cells fill their fields; a cell outside the selection leaves its empty.
    host.Grid().SetItemText(1, 3, "a");
    host.Grid().SetItemText(2, 2, "b");
    host.Grid().SetItemState(2, 4, host.Grid().GetItemState(2, 4) & ~GCS_SELECTED);
    host.Grid().SetItemText(2, 4, "hidden");
    pSource = host.Grid().MakeTextDataSource();
    EXPECT_EQ(std::string("\ta\t\r\nb\t\t\0", 9), TextBlock(pSource));
    pSource->InternalRelease();

    host.Grid().ClearSelection();
    EXPECT_EQ(nullptr, host.Grid().MakeTextDataSource()) << "nothing to offer without a selection";
}

TEST(GridTransfer, ReadOnlyTimelineIgnoresCutPasteDeleteAndDrops)
{
    auto doc = MakeDocument(2);
    CGridHost host(doc.get());
    host.Grid().SetItemText(1, 2, "kept");
    host.Click(host.CellCentre(1, 2));
    host.Key(VK_DELETE);
    host.Grid().ClearSelectedTexts();
    host.Grid().OnEditPaste();
    COleDataSource* pSource = MakeTextSource(std::string("new\0", 4));
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), FALSE);
    EXPECT_FALSE(host.Grid().PasteTextAt(1, 2, &data, TRUE));
    EXPECT_EQ(DROPEFFECT_NONE, host.Grid().OnDragEnter(&data, 0, host.CellCentre(1, 2)));
    EXPECT_EQ(DROPEFFECT_NONE, host.Grid().OnDragOver(&data, 0, host.CellCentre(1, 2)));
    EXPECT_FALSE(host.Grid().OnDrop(&data, DROPEFFECT_COPY, host.CellCentre(1, 2)));
    EXPECT_STREQ("kept", host.Grid().GetItemText(1, 2));
    pSource->InternalRelease();
}

// Pasted text is read no further than its block and its first NUL.
TEST(GridTransfer, PasteReadsTheBlockWithinItsBounds)
{
    const struct {
        const char* name;
        std::string bytes;
        const char* cells[2][3];
    } cases[] = {
        {"tab separated with NUL", std::string("a\tb\r\nc\0", 7), {{"a", "b", ""}, {"c", "", ""}}},
        {"no NUL at all", std::string("x,y", 3), {{"x", "y", ""}, {"", "", ""}}},
        {"stops at the first NUL", std::string("p\0q\tr", 5), {{"p", "", ""}, {"", "", ""}}},
        {"wider than the grid", std::string("1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\0", 24), {{"1", "2", "3"}, {"", "", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CGridHost host(nullptr);
        CGridCtrl& grid = host.Grid();
        grid.SetEditable(TRUE);
        grid.SetColumnCount(10);
        grid.SetRowCount(4);
        COleDataSource* pSource = MakeTextSource(c.bytes);
        COleDataObject data;
        data.Attach(pSource->GetDataObject(), FALSE);
        EXPECT_TRUE(grid.PasteTextAt(1, 1, &data, TRUE));
        pSource->InternalRelease();
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 3; ++col)
                EXPECT_STREQ(c.cells[row][col], grid.GetItemText(row + 1, col + 1)) << row + 1 << "," << col + 1;
    }
}

// A page takes the proportions of the device it is printed on, here the screen that the
// metafiles refer to: how many pages there are depends on the screen, what they hold does not.
TEST(GridTransfer, PrintedPagesCarrySpansAndPageNumbers)
{
    constexpr int kLayers = 30;
    auto doc = MakeDocument(kLayers);
    for (int layer = 1; layer <= kLayers; ++layer)
        BuildSpans(*doc, *doc->GetLayer(layer), {{1, 3, false, true}, {4, 9, true, true}, {10, 12, true, true}});
    CGridHost host(doc.get());
    // A narrow grid makes a short page: several pages for thirty layers on any screen.
    host.Grid().SetColumnCount(21);

    HDC hScreen = ::GetDC(nullptr);
    CPrintInfo info;
    CDC measure;
    measure.Attach(::CreateEnhMetaFileA(hScreen, nullptr, nullptr, nullptr));
    host.Grid().OnBeginPrinting(&measure, &info);
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(measure.Detach()));
    const UINT pages = info.GetMaxPage();
    ASSERT_GE(pages, 2u);
    ASSERT_LE(pages, UINT(kLayers));

    std::vector<int> layersInOrder;
    for (UINT number = 1; number <= pages; ++number) {
        SCOPED_TRACE(number);
        info.m_nCurPage = number;
        CDC page;
        page.Attach(::CreateEnhMetaFileA(hScreen, nullptr, nullptr, nullptr));
        host.Grid().OnPrint(&page, &info);
        HENHMETAFILE hEmf = ::CloseEnhMetaFile(page.Detach());
        MetafileText drawn;
        RECT bounds = {0, 0, 100, 100};
        ::EnumEnhMetaFile(nullptr, hEmf, CollectRecord, &drawn, &bounds);
        ::DeleteEnhMetaFile(hEmf);

        const std::string footer = "Page " + std::to_string(number) + " of " + std::to_string(pages);
        EXPECT_NE(std::string::npos, drawn.text.find(footer)) << drawn.text;
        const std::vector<int> layers = PrintedLayers(drawn.text);
        EXPECT_FALSE(layers.empty()) << "row headings of the page: " << drawn.text;
        // Each printed layer shows its three keyframes.
        EXPECT_EQ(drawn.ellipses, 3 * int(layers.size())) << drawn.text;
        layersInOrder.insert(layersInOrder.end(), layers.begin(), layers.end());
    }
    host.Grid().OnEndPrinting(nullptr, &info);
    ::ReleaseDC(nullptr, hScreen);

    // The pages share the layers out, each once and in the grid's order.
    ASSERT_EQ(layersInOrder.size(), size_t(kLayers));
    for (int i = 1; i < kLayers; ++i)
        EXPECT_LT(layersInOrder[i - 1], layersInOrder[i]) << i;
}

TEST(GridTransfer, DragImagePicturesTheFocusCell)
{
    auto doc = MakeDocument(1);
    BuildSpans(*doc, *doc->GetLayer(1), {{1, 3, false, true}, {4, 6, true, true}});
    CGridHost host(doc.get());
    CGridCtrl& grid = host.Grid();
    CPoint size(-1, -1);
    grid.SetFocusCell(-1, -1);
    EXPECT_EQ(nullptr, grid.CreateDragImage(&size)) << "no focus cell, no picture";
    EXPECT_EQ(CPoint(-1, -1), size);

    // Paint once so that the cells carry their timeline marks, as a drag would find them.
    const CCapture painted(grid);
    const struct {
        int col;
        COLORREF inside;  // a pixel clear of the frame's dot, square and lines
    } cases[] = {{2, TIMELINE_CONTENT_BACK}, {5, TIMELINE_TWEEN_BACK}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.col);
        grid.SetFocusCell(1, c.col);
        std::unique_ptr<CImageList> image(grid.CreateDragImage(&size));
        ASSERT_NE(nullptr, image);
        CRect cell;
        grid.GetCellRect(1, c.col, &cell);
        EXPECT_EQ(CPoint(cell.Width() + 1, cell.Height() + 1), size);
        EXPECT_EQ(1, image->GetImageCount());
        IMAGEINFO info{};
        ASSERT_TRUE(image->GetImageInfo(0, &info));
        EXPECT_EQ(size.x, info.rcImage.right - info.rcImage.left);
        EXPECT_EQ(size.y, info.rcImage.bottom - info.rcImage.top);
        const CCapture picture(size.x, size.y, [&](HDC hDC) {
            CDC dc;
            dc.Attach(hDC);
            image->Draw(&dc, 0, CPoint(0, 0), ILD_NORMAL);
            dc.Detach();
        });
        EXPECT_EQ(c.inside, picture.At(5, 4)) << std::hex << picture.At(5, 4);
        EXPECT_EQ(painted.At(cell.left + 5, cell.top + 4), picture.At(5, 4)) << "the cell as the grid paints it";
    }
}

namespace
{
int g_deletedGrids = 0;

// A grid whose text drag asks for its own deletion, as closing the window during the drag does.
class CGridDeletedDuringDrag : public CGridCtrl
{
public:
    using CGridCtrl::CGridCtrl;
    ~CGridDeletedDuringDrag() override { ++g_deletedGrids; }
    void BeginTextDrag() override
    {
        DeleteWhenIdle();
        s_deletedDuringDrag = g_deletedGrids;
    }
    static int s_deletedDuringDrag;
};
int CGridDeletedDuringDrag::s_deletedDuringDrag = -1;
}  // namespace

TEST(GridTransfer, GridAskedToGoDuringItsOwnMessageGoesWhenTheMessageEnds)
{
    auto doc = MakeDocument(2);
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "grid", WS_POPUP, 0, 0, 600, 200, nullptr, nullptr));
    g_deletedGrids = 0;
    auto* pGrid = new CGridDeletedDuringDrag(doc.get());
    ASSERT_TRUE(pGrid->Create(CRect(0, 0, 600, 200), &parent, kGridId, WS_CHILD | WS_VISIBLE));
    ConfigureTimelineGrid(*pGrid, 2, nullptr);
    pGrid->SetFocusCell(1, 4);
    pGrid->SelectRange(1, 2, 2, 4);
    CRect cell;
    pGrid->GetCellRect(1, 3, &cell);
    const CPoint press = cell.CenterPoint();
    // A press on the selection and a move start the drag inside the move's message.
    pGrid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    pGrid->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x + 30, press.y));
    EXPECT_EQ(0, CGridDeletedDuringDrag::s_deletedDuringDrag) << "still in use while its message runs";
    EXPECT_EQ(1, g_deletedGrids) << "gone once the message returned";

    // Asked while idle, it goes at once.
    auto* pIdle = new CGridDeletedDuringDrag(doc.get());
    ASSERT_TRUE(pIdle->Create(CRect(0, 0, 600, 200), &parent, kGridId + 1, WS_CHILD));
    pIdle->DeleteWhenIdle();
    EXPECT_EQ(2, g_deletedGrids);
    parent.DestroyWindow();
}
