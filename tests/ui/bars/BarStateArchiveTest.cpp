#include "ui/bars/ExtControlBarState.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDockDynBar.h"
#include "ui/bars/ExtDynControlBar.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtRegistryArchiver.h"

#include "platform/mfc/Afx.h"
#include "platform/mfc/Archive.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/MemFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
// Every blob of these tests lives under a company key of their own.
constexpr char kCompany[] = "QuorvalisBarStateTests";
constexpr char kProduct[] = "BarState";
constexpr char kProfile[] = "BarStateProfile";
constexpr UINT kLeftBar = 0x3001;
constexpr UINT kRightBar = 0x3002;
constexpr UINT kBottomBar = 0x3003;
constexpr UINT kToolBar = 0x3004;
constexpr UINT kMissingBar = 0x3999;
const CRect kFrameRect(60, 60, 860, 660);

using StateBar = CExtControlBar::InternalDockStateBar;
using StateSite = CExtControlBar::InternalDockStateSite;
using Bytes = std::vector<BYTE>;

// A fixed-size bar standing for a tool bar.
class CFixedBar : public CExtControlBar
{
public:
    bool IsFixedSizeBar() const override { return true; }
};

CString KeyPath()
{
    CString path;
    CExtControlBar::BuildBarStateKeyPath(kProduct, kCompany, kProfile, path);
    return path;
}

Bytes StoredBytes()
{
    CMemFile file;
    if (!ReadStreamFromRegistry(file, KeyPath()))
        return {};
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void StoreBytes(const Bytes& bytes)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    ASSERT_TRUE(WriteStreamToRegistry(file, KeyPath()));
}

// The archive of a site written as it stands; extra appends raw values after it.
Bytes ArchiveOf(StateSite& site, const std::function<void(CArchive&)>& extra = {})
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        site.Serialize(ar);
        if (extra)
            extra(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void PutDword(Bytes& bytes, size_t offset, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<BYTE>(value >> (8 * i));
}

// Where each bar is: dock bar, ring, row position, rectangle and visibility.
struct BarPlace
{
    UINT nDockBar = 0;
    UINT nRing = 0;
    int nIndex = -1;
    int nNested = -1;  // the index inside its container, which the other fields then describe
    bool bFloating = false;
    CRect rc;
    bool bVisible = false;
};
using Layout = std::map<UINT, BarPlace>;

std::string Describe(const Layout& layout)
{
    std::string text;
    for (const auto& [id, place] : layout) {
        char line[160];
        std::snprintf(line, sizeof line, "%X: dock %X ring %u at %d nested %d%s (%d,%d,%d,%d) %s\n", id,
                      place.nDockBar, place.nRing, place.nIndex, place.nNested, place.bFloating ? " floating" : "",
                      static_cast<int>(place.rc.left), static_cast<int>(place.rc.top),
                      static_cast<int>(place.rc.right), static_cast<int>(place.rc.bottom),
                      place.bVisible ? "shown" : "hidden");
        text += line;
    }
    return text;
}
}  // namespace

// A hidden frame with the framework's docking: two resizable bars at the left and right, one at
// the bottom below the right one's ring, and a fixed-size bar at the top; it has a command
// profile unless a test takes it away.
class BarStateArchive : public testing::Test
{
protected:
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kCompany).c_str());
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "bar state", WS_OVERLAPPEDWINDOW, kFrameRect));
        ASSERT_TRUE(CExtControlBar::InstallFrameDocking(m_pFrame));
        ASSERT_TRUE(g_CmdManager->CreateProfile(kProfile, m_pFrame->GetSafeHwnd()));
        for (UINT id : {kLeftBar, kRightBar, kBottomBar}) {
            auto bar = std::make_unique<CExtControlBar>();
            ASSERT_TRUE(bar->CreateBarWindow("bar", m_pFrame, id, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_ANY));
            bar->EnableDocking(CBRS_ALIGN_ANY);
            m_bars.push_back(std::move(bar));
        }
        m_tool = std::make_unique<CFixedBar>();
        ASSERT_TRUE(m_tool->CreateBarWindow("tools", m_pFrame, kToolBar, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_ANY));
        m_tool->EnableDocking(CBRS_ALIGN_ANY);
        DefaultLayout();
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd()) {
            g_CmdManager->DetachProfileWindow(m_pFrame->GetSafeHwnd(), true);
            m_pFrame->DestroyWindow();
        }
        m_pFrame = nullptr;
        m_bars.clear();
        m_tool.reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kCompany).c_str());
    }

    CExtControlBar& Bar(UINT id) { return *m_bars[id - kLeftBar]; }

    void DefaultLayout()
    {
        m_pFrame->DockControlBar(m_tool.get(), AFX_IDW_DOCKBAR_TOP);
        Bar(kLeftBar).DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 1, m_pFrame, false);
        Bar(kRightBar).DockIntoDockBar(AFX_IDW_DOCKBAR_RIGHT, 1, m_pFrame, false);
        Bar(kBottomBar).DockIntoDockBar(AFX_IDW_DOCKBAR_BOTTOM, 2, m_pFrame, false);
        for (auto& bar : m_bars)
            m_pFrame->ShowControlBar(bar.get(), TRUE, FALSE);
        m_pFrame->ShowControlBar(m_tool.get(), TRUE, FALSE);
        m_pFrame->RecalcLayout();
    }

    Layout CurrentLayout()
    {
        // Floating frames lay out at idle time; the test has none.
        m_pFrame->RecalcLayout();
        for (auto& bar : m_bars)
            if (CFrameWnd* pOwnFrame = bar->GetParentFrame(); pOwnFrame != nullptr && pOwnFrame != m_pFrame)
                pOwnFrame->RecalcLayout();
        Layout layout;
        std::vector<CControlBar*> bars = {m_tool.get()};
        for (auto& bar : m_bars)
            bars.push_back(bar.get());
        for (CControlBar* pBar : bars) {
            BarPlace place;
            CControlBar* pPlaced = pBar;
            if (auto* pNestedIn = dynamic_cast<CExtDockDynBar*>(pBar->m_pDockBar)) {
                place.nNested = pNestedIn->FindBar(pBar);
                pPlaced = dynamic_cast<CExtDynControlBar*>(pNestedIn->GetParent());
                if (pPlaced == nullptr)
                    pPlaced = pBar;
            }
            if (CDockBar* pDockBar = pPlaced->m_pDockBar) {
                place.nDockBar = pDockBar->GetDlgCtrlID();
                if (auto* pExtDockBar = dynamic_cast<CExtDockBar*>(pDockBar))
                    place.nRing = pExtDockBar->m_nRing;
                place.nIndex = pDockBar->FindBar(pPlaced);
            }
            place.bFloating = pPlaced->IsFloating() != FALSE;
            // A floating bar's place is its floating frame's; the frame lays out what it holds.
            CWnd* pPlacedWnd = place.bFloating && pPlaced->GetParentFrame() != nullptr
                                   ? static_cast<CWnd*>(pPlaced->GetParentFrame())
                                   : static_cast<CWnd*>(pBar);
            pPlacedWnd->GetWindowRect(&place.rc);
            place.bVisible = pBar->IsVisible() != FALSE;
            layout[pBar->GetDlgCtrlID()] = place;
        }
        return layout;
    }

    bool Save() { return CExtControlBar::SaveFrameBarState(m_pFrame, kCompany, kProduct, kProfile); }
    bool Load(WINDOWPLACEMENT* pWp = nullptr)
    {
        return CExtControlBar::LoadFrameBarState(m_pFrame, kCompany, kProduct, kProfile, pWp);
    }

    // The live layout as a site, for tests that change records before storing them.
    std::unique_ptr<StateSite> CapturedSite()
    {
        auto site = std::make_unique<StateSite>(m_pFrame, true, true);
        site->Capture();
        return site;
    }

    // Deletes itself with its window.
    CFrameWnd* m_pFrame = nullptr;
    std::vector<std::unique_ptr<CExtControlBar>> m_bars;
    std::unique_ptr<CFixedBar> m_tool;
};

// Save, change the layout, load: the saved layout is back, and saving it again writes the same
// bytes.
TEST_F(BarStateArchive, SaveLoadSaveGivesTheSameBytesAndLayout)
{
    // A second row in the left ring, a second ring at the top and a hidden bar make the layout
    // worth saving.
    Bar(kBottomBar).DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 1, m_pFrame, false);
    Bar(kLeftBar).DockIntoDockBar(AFX_IDW_DOCKBAR_TOP, 2, m_pFrame, false);
    Bar(kRightBar).DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 1, m_pFrame, false);
    m_pFrame->ShowControlBar(&Bar(kRightBar), FALSE, FALSE);
    const Layout saved = CurrentLayout();
    ASSERT_TRUE(Save());
    const Bytes first = StoredBytes();
    ASSERT_FALSE(first.empty());

    DefaultLayout();
    ASSERT_NE(Describe(saved), Describe(CurrentLayout()));
    ASSERT_TRUE(Load());
    EXPECT_EQ(Describe(saved), Describe(CurrentLayout()));

    ASSERT_TRUE(Save());
    EXPECT_EQ(first, StoredBytes());
}

// A fixed-size bar floating in a frame of its own comes back there.
TEST_F(BarStateArchive, FloatingFixedBarComesBack)
{
    ASSERT_TRUE(m_tool->FloatAt(kFrameRect.left + 300, kFrameRect.top + 200, CBRS_ALIGN_TOP));
    const Layout floating = CurrentLayout();
    ASSERT_TRUE(floating.at(kToolBar).bFloating);
    ASSERT_TRUE(Save());
    const Bytes first = StoredBytes();
    DefaultLayout();
    ASSERT_FALSE(CurrentLayout().at(kToolBar).bFloating);
    ASSERT_TRUE(Load());
    EXPECT_EQ(Describe(floating), Describe(CurrentLayout()));
    ASSERT_TRUE(Save());
    EXPECT_EQ(first, StoredBytes());
}

// Nested bars come back in a container of their own, docked or floating.
TEST_F(BarStateArchive, ContainersComeBackDockedAndFloating)
{
    ASSERT_TRUE(Bar(kLeftBar).NestBarBeside(&Bar(kBottomBar), AFX_IDW_DOCKBAR_TOP, 50));
    m_pFrame->RecalcLayout();
    const Layout docked = CurrentLayout();
    ASSERT_EQ(1, docked.at(kBottomBar).nNested);
    ASSERT_TRUE(Save());
    const Bytes dockedBytes = StoredBytes();
    DefaultLayout();
    ASSERT_TRUE(Load());
    EXPECT_EQ(Describe(docked), Describe(CurrentLayout()));
    ASSERT_TRUE(Save());
    EXPECT_EQ(dockedBytes, StoredBytes());

    auto* pContainer = dynamic_cast<CExtDynControlBar*>(Bar(kLeftBar).m_pDockBar->GetParent());
    ASSERT_NE(nullptr, pContainer);
    ASSERT_TRUE(pContainer->FloatAt(kFrameRect.left + 200, kFrameRect.top + 150, CBRS_ALIGN_TOP));
    m_pFrame->RecalcLayout();
    const Layout floating = CurrentLayout();
    ASSERT_TRUE(floating.at(kLeftBar).bFloating);
    ASSERT_TRUE(Save());
    DefaultLayout();
    ASSERT_TRUE(Load());
    EXPECT_EQ(Describe(floating), Describe(CurrentLayout()));

    // A floating frame stored off every monitor comes back on the nearest work area.
    auto site = CapturedSite();
    ASSERT_EQ(2, site->m_arrBarStates.GetSize());
    StateBar* pFloating = site->m_arrBarStates[0]->GetKind() == StateBar::KIND_CONTAINER ? site->m_arrBarStates[0]
                                                                                       : site->m_arrBarStates[1];
    ASSERT_NE(0u, pFloating->m_dwRecordFlags & StateBar::FLAG_FLOATING);
    pFloating->m_rcFloatFrame.OffsetRect(30000, 20000);
    StoreBytes(ArchiveOf(*site));
    DefaultLayout();
    ASSERT_TRUE(Load());
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromWindow(m_pFrame->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &mi));
    CRect rcFloating = CurrentLayout().at(kLeftBar).rc;
    CRect rcInside;
    EXPECT_TRUE(rcInside.IntersectRect(&rcFloating, &mi.rcWork) && rcInside == rcFloating)
        << rcFloating.left << "," << rcFloating.top;
}

// Damaged blobs: the load answers FALSE, nothing moves and the default layout stands.
TEST_F(BarStateArchive, DamagedBlobsLoadNothing)
{
    ASSERT_TRUE(Save());
    const Bytes good = StoredBytes();
    // Offsets into the good archive: the header string (length byte and text), then the two
    // versions and four reserved words.
    const size_t shortVersionAt = 1 + good[0] + 4;

    auto withRecord = [&](const std::function<void(StateSite&)>& change) {
        return [this, change]() {
            auto site = CapturedSite();
            // The default layout: three resizable bars in the inner rings.
            ASSERT_EQ(3, site->m_arrBarStates.GetSize());
            change(*site);
            StoreBytes(ArchiveOf(*site));
        };
    };
    auto firstRecord = [](StateSite& site) -> StateBar& { return *site.m_arrBarStates[0]; };
    // The archive up to the given part, then raw values the test writes.
    auto withTail = [&](DWORD flags, const std::function<void(CArchive&)>& tail) {
        return [this, flags, tail]() {
            auto site = CapturedSite();
            site->m_nFlags = flags;
            StoreBytes(ArchiveOf(*site, tail));
        };
    };
    auto aRecord = [this](CArchive& ar) {
        StateBar record;
        record.CaptureFromBar(&Bar(kLeftBar), nullptr);
        record.Serialize(ar);
    };

    const struct {
        const char* what;
        std::function<void()> store;
    } cases[] = {
        {"absent key", [] { ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kCompany).c_str()); }},
        {"size of the wrong type",
         [&] {
             StoreBytes(good);
             HKEY hKey = nullptr;
             ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(), 0, KEY_SET_VALUE, &hKey));
             ::RegSetValueExA(hKey, "data_size", 0, REG_SZ, reinterpret_cast<const BYTE*>("400"), 4);
             ::RegCloseKey(hKey);
         }},
        {"integrity mismatch",
         [&] {
             StoreBytes(good);
             HKEY hKey = nullptr;
             ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(), 0, KEY_SET_VALUE, &hKey));
             ::RegSetValueExA(hKey, "data_integrity", 0, REG_SZ, reinterpret_cast<const BYTE*>("0000"), 5);
             ::RegCloseKey(hKey);
         }},
        {"size 0", [] { StoreBytes({}); }},
        {"short version 0x205",
         [&] {
             Bytes bytes = good;
             PutDword(bytes, shortVersionAt, 0x205);
             StoreBytes(bytes);
         }},
        {"five-number placement",
         [&] {
             auto site = CapturedSite();
             Bytes bytes = ArchiveOf(*site);
             // The placement text follows the reserved words; its last ",<flags>" goes.
             const size_t textAt = shortVersionAt + 4 + 16;
             const std::string text(bytes.begin() + textAt + 1, bytes.begin() + textAt + 1 + bytes[textAt]);
             const std::string shorter = text.substr(0, text.rfind(','));
             Bytes patched(bytes.begin(), bytes.begin() + textAt);
             patched.push_back(static_cast<BYTE>(shorter.size()));
             patched.insert(patched.end(), shorter.begin(), shorter.end());
             patched.insert(patched.end(), bytes.begin() + textAt + 1 + text.size(), bytes.end());
             StoreBytes(patched);
         }},
        {"kind 0", withRecord([&](StateSite& s) { firstRecord(s).m_dwRecordFlags &= ~StateBar::KIND_MASK; })},
        {"kind 7", withRecord([&](StateSite& s) { firstRecord(s).m_dwRecordFlags |= 7; })},
        {"tabbed group without pages", withRecord([&](StateSite& s) {
             firstRecord(s).m_dwRecordFlags = (firstRecord(s).m_dwRecordFlags & ~StateBar::KIND_MASK) |
                                              StateBar::KIND_TABBED;
         })},
        {"resizable bar in the outer ring", withRecord([&](StateSite& s) { firstRecord(s).m_nRing = 0; })},
        {"dock-bar id 0x1234", withRecord([&](StateSite& s) { firstRecord(s).m_nDockBarID = 0x1234; })},
        {"ring 0xFFFFFFFF", withRecord([&](StateSite& s) { firstRecord(s).m_nRing = 0xFFFFFFFFu; })},
        {"ring above the record count", withRecord([&](StateSite& s) { firstRecord(s).m_nRing = 40; })},
        {"negative size", withRecord([&](StateSite& s) { firstRecord(s).m_sizeDockedVert.cx = -5; })},
        {"huge size", withRecord([&](StateSite& s) { firstRecord(s).m_sizeFloating.cy = 0x7FFFFFFF; })},
        {"inverted rectangle",
         withRecord([&](StateSite& s) { firstRecord(s).m_rcInDockBar = CRect(50, 50, 10, 10); })},
        {"one bar named twice",
         withRecord([&](StateSite& s) { s.m_arrBarStates[1]->m_nBarID = s.m_arrBarStates[0]->m_nBarID; })},
        {"plain record naming a tool bar", withRecord([&](StateSite& s) { firstRecord(s).m_nBarID = kToolBar; })},
        {"nesting deeper than the frame has bars",
         withRecord([&](StateSite& s) {
             // Containers inside containers, one level more than the frame has bars.
             const UINT nLevels = static_cast<UINT>(m_pFrame->m_listControlBars.GetCount());
             auto* pTop = new StateBar;
             pTop->m_dwRecordFlags = StateBar::KIND_CONTAINER;
             pTop->m_nDockBarID = AFX_IDW_DOCKBAR_LEFT;
             pTop->m_nBarID = 0x4000;
             StateBar* pLevel = pTop;
             for (UINT depth = 1; depth <= nLevels; ++depth) {
                 auto* pChild = new StateBar;
                 pChild->m_dwRecordFlags = StateBar::KIND_CONTAINER | StateBar::FLAG_CHILD;
                 pChild->m_nDockBarID = AFX_IDW_DOCKBAR_LEFT;
                 pChild->m_nBarID = 0x4000 + depth;
                 pLevel->m_arrChildren.Add(pChild);
                 pLevel = pChild;
             }
             auto* pLeaf = new StateBar;
             pLeaf->CaptureFromBar(&Bar(kBottomBar), pLevel);
             pLeaf->m_dwRecordFlags |= StateBar::FLAG_CHILD;
             pLevel->m_arrChildren.Add(pLeaf);
             delete s.m_arrBarStates[2];
             s.m_arrBarStates[2] = pTop;
         })},
        {"record count 0xFFFFFFFF",
         withTail(StateSite::FLAG_FIXED, [&](CArchive& ar) {
             ar << DWORD{0xFFFFFFFFu};
             aRecord(ar);
         })},
        {"child count 0xFFFFFFFF",
         withTail(StateSite::FLAG_FIXED, [&](CArchive& ar) {
             ar << DWORD{1};
             StateBar record;
             record.CaptureFromBar(&Bar(kLeftBar), nullptr);
             record.m_dwRecordFlags = StateBar::KIND_CONTAINER;
             CMemFile file;
             {
                 CArchive inner(&file, CArchive::store);
                 record.Serialize(inner);
                 inner.Close();
             }
             Bytes bytes(static_cast<size_t>(file.GetLength()));
             file.SeekToBegin();
             file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
             PutDword(bytes, bytes.size() - 4, 0xFFFFFFFFu);
             ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
             aRecord(ar);
         })},
        {"outer item count 0xFFFFFFFF",
         withTail(0, [&](CArchive& ar) {
             CDockState state;
             state.Serialize(ar);
             ar << DWORD{0xFFFFFFFFu};
             CExtControlBar::OuterItemData_t item;
             item.Serialize(ar);
         })},
        {"auto-hidden count 0xFFFFFFFF",
         withTail(StateSite::FLAG_FIXED, [&](CArchive& ar) {
             ar << DWORD{0} << DWORD{0xFFFFFFFFu} << DWORD{kLeftBar};
         })},
    };

    DefaultLayout();
    const Layout before = CurrentLayout();
    CRect frameBefore;
    m_pFrame->GetWindowRect(&frameBefore);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.store();
        EXPECT_FALSE(Load());
        EXPECT_EQ(Describe(before), Describe(CurrentLayout()));
        CRect frameNow;
        m_pFrame->GetWindowRect(&frameNow);
        EXPECT_EQ(frameBefore, frameNow);
    }

    // Cut anywhere, the archive loads nothing.
    for (size_t length = 0; length < good.size(); ++length) {
        SCOPED_TRACE(length);
        CMemFile file;
        if (length > 0)
            file.Write(good.data(), static_cast<UINT>(length));
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        EXPECT_FALSE(CExtControlBar::SerializeFrameBarState(ar, m_pFrame));
        EXPECT_EQ(Describe(before), Describe(CurrentLayout()));
    }
}

// A record of a bar the frame no longer has is dropped; the other bars load.
TEST_F(BarStateArchive, RecordsNamingMissingBarsAreDropped)
{
    Bar(kBottomBar).DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 1, m_pFrame, false);
    const Layout saved = CurrentLayout();
    auto site = CapturedSite();
    auto* pGone = new StateBar;
    pGone->CaptureFromBar(&Bar(kRightBar), nullptr);
    pGone->m_nBarID = kMissingBar;
    site->m_arrBarStates.InsertAt(0, pGone);
    CExtControlBar::OuterItemData_t item;
    item.m_nBarID = kMissingBar;
    site->m_arrOuterItems.Add(item);
    StoreBytes(ArchiveOf(*site));

    DefaultLayout();
    EXPECT_TRUE(Load());
    EXPECT_EQ(Describe(saved), Describe(CurrentLayout()));
}

// A frame placement on no monitor comes back on the nearest work area, shown normally.
TEST_F(BarStateArchive, PlacementsOffEveryMonitorMoveToTheNearestWorkArea)
{
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromWindow(m_pFrame->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &mi));
    const struct {
        const char* what;
        CRect rc;
        UINT showCmd;
    } cases[] = {
        {"far right", CRect(30000, 100, 30400, 400), SW_SHOWNORMAL},
        {"far up and left", CRect(-20000, -20000, -19000, -19500), SW_SHOWMINIMIZED},
        {"odd show command", CRect(25000, 25000, 25300, 25300), 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto site = CapturedSite();
        site->m_wp.rcNormalPosition = c.rc;
        site->m_wp.showCmd = c.showCmd;
        StoreBytes(ArchiveOf(*site));
        WINDOWPLACEMENT wp{};
        ASSERT_TRUE(Load(&wp));
        const CRect placed(wp.rcNormalPosition);
        EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), wp.showCmd);
        EXPECT_GE(placed.left, mi.rcWork.left);
        EXPECT_GE(placed.top, mi.rcWork.top);
        EXPECT_LE(placed.right, mi.rcWork.right);
        EXPECT_LE(placed.bottom, mi.rcWork.bottom);
        EXPECT_EQ(c.rc.Width(), placed.Width());
        CRect frameNow;
        m_pFrame->GetWindowRect(&frameNow);
        EXPECT_EQ(placed, frameNow);
    }
}

// Without a command profile the frame has no saved layout: nothing is written or read.
TEST_F(BarStateArchive, FrameWithoutCommandProfileIsNeitherSavedNorLoaded)
{
    ASSERT_TRUE(Save());
    const Bytes stored = StoredBytes();
    Bar(kBottomBar).DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 1, m_pFrame, false);
    const Layout changed = CurrentLayout();

    g_CmdManager->DetachProfileWindow(m_pFrame->GetSafeHwnd(), true);
    EXPECT_FALSE(Load());
    EXPECT_EQ(Describe(changed), Describe(CurrentLayout()));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kCompany).c_str());
    EXPECT_FALSE(Save());
    HKEY hKey = nullptr;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(), 0, KEY_READ, &hKey));
}

// A save that cannot archive the frame answers FALSE and leaves the stored layout alone.
TEST_F(BarStateArchive, FailedSaveKeepsTheStoredLayout)
{
    ASSERT_TRUE(Save());
    const Bytes stored = StoredBytes();
    m_pFrame->ShowControlBar(&Bar(kLeftBar), FALSE, FALSE);
    // The frame's bar state is busy (a load or drag runs): the archiving is refused.
    CExtControlBar::g_mapFramesBarStateBusy.SetAt(m_pFrame, 1);
    EXPECT_FALSE(Save());
    CExtControlBar::g_mapFramesBarStateBusy.RemoveKey(m_pFrame);
    EXPECT_EQ(stored, StoredBytes());
}

namespace
{
template <typename Record>
Bytes BytesOf(Record& record)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        record.Serialize(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

template <typename Record>
void ReadBack(Record& record, const Bytes& bytes)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    record.Serialize(ar);
}

DWORD DwordAt(const Bytes& bytes, size_t offset)
{
    DWORD value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + i);
    return value;
}
}  // namespace

// The stored form of a bar record and an outer item, field by field, and back.
TEST(BarStateRecords, KeepTheirStoredLayout)
{
    StateBar record;
    record.m_nBarID = 0x101;
    record.m_nDockBarID = 0xE81C;
    record.m_nRing = 2;
    record.m_nMRUWidth = 0x104;
    record.m_dwBarStyle = 0x105;
    record.m_dwRecordFlags = StateBar::KIND_CONTAINER | StateBar::FLAG_VISIBLE;
    record.m_dwMRUFloatStyle = 0x107;
    record.m_ptFloatPos = CPoint(0x108, 0x109);
    record.m_ptMRUFloatPos = CPoint(0x10A, 0x10B);
    record.m_rcMRUDockPos = CRect(0x10C, 0x10D, 0x10E, 0x10F);
    record.m_rcFloatFrame = CRect(0x110, 0x111, 0x112, 0x113);
    record.m_dwFloatFrameStyle = 0x114;
    record.m_nReclaimExtent = 0x115;
    record.m_rcInDockBar = CRect(0x116, 0x117, 0x118, 0x119);
    record.m_sizeDockedHorz = CSize(0x11A, 0x11B);
    record.m_sizeDockedVert = CSize(0x11C, 0x11D);
    record.m_sizeFloating = CSize(0x11E, 0x11F);
    auto* pChild = new StateBar;
    pChild->m_nBarID = 0x201;
    pChild->m_dwRecordFlags = StateBar::KIND_PLAIN | StateBar::FLAG_CHILD | StateBar::FLAG_NEW_ROW;
    record.m_arrChildren.Add(pChild);

    const Bytes bytes = BytesOf(record);
    constexpr size_t kRecordBytes = 128;
    ASSERT_EQ(2 * kRecordBytes, bytes.size());
    const struct {
        size_t offset;
        DWORD value;
    } fields[] = {
        {0, 0x101},  {4, 0xE81C}, {8, 2},      {12, 0x104}, {16, 0x105},  {20, 0x12},   {24, 0x107},
        {28, 0x108}, {32, 0x109}, {36, 0x10A}, {40, 0x10B}, {44, 0x10C},  {56, 0x10F},  {60, 0x110},
        {72, 0x113}, {76, 0x114}, {80, 0x115}, {84, 0x116}, {96, 0x119},  {100, 0x11A}, {104, 0x11B},
        {108, 0x11C}, {116, 0x11E}, {120, 0x11F}, {124, 1}, {128, 0x201}, {148, 0xC1}, {252, 0},
    };
    for (const auto& f : fields)
        EXPECT_EQ(f.value, DwordAt(bytes, f.offset)) << "offset " << f.offset;
    StateBar back;
    ReadBack(back, bytes);
    EXPECT_EQ(bytes, BytesOf(back));

    CExtControlBar::OuterItemData_t item;
    item.m_nBarID = 0x301;
    item.m_bFloating = true;
    const Bytes plain = BytesOf(item);
    ASSERT_EQ(40u, plain.size());
    EXPECT_EQ(1, plain[0]);
    EXPECT_EQ(0x301u, DwordAt(plain, 2));
    EXPECT_EQ(1, plain[38]);
    item.m_placement.m_dwHasPlacement = 7;
    item.m_placement.m_rcPreferred = CRect(1, 2, 3, 4);
    item.m_placement.m_dwPriority = 9;
    const Bytes placed = BytesOf(item);
    ASSERT_EQ(72u, placed.size());
    EXPECT_EQ(0, placed[38]);
    EXPECT_EQ(7u, DwordAt(placed, 40));
    EXPECT_EQ(4u, DwordAt(placed, 56));
    EXPECT_EQ(9u, DwordAt(placed, 68));
    CExtControlBar::OuterItemData_t itemBack;
    ReadBack(itemBack, placed);
    EXPECT_EQ(placed, BytesOf(itemBack));
}
