// The process-wide data of the bar family, created before the program's main code runs. The
// registry's lock is built before the registry it guards, and both before any bar.
#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtBarNcAreaButton.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"
#include "ui/bars/ExtToolControlBar.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPopupServices.h"

CCriticalSection CExtControlBar::g_csBars;
CArray<CExtControlBar*, CExtControlBar*> CExtControlBar::g_AllBars;

HCURSOR CExtControlBar::g_hCursorArrow = ::LoadCursorA(nullptr, IDC_ARROW);
HCURSOR CExtControlBar::g_hCursorDrag = ::LoadCursorA(nullptr, IDC_SIZEALL);
HCURSOR CExtControlBar::g_hCursorResizeV = ::LoadCursorA(nullptr, IDC_SIZENS);
HCURSOR CExtControlBar::g_hCursorResizeH = ::LoadCursorA(nullptr, IDC_SIZEWE);

namespace
{
// Dock-bar id to the alignment and border bits of a bar docked there.
struct DockBarAlignment
{
    UINT nDockBarId;
    DWORD dwAlignment;
};
constexpr DockBarAlignment kDockBarAlignments[] = {
    {CExtControlBar::DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {CExtControlBar::DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
    {CExtControlBar::DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {CExtControlBar::DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
};

constexpr int kBusyFramesBlockSize = 10;
} // namespace

CMap<UINT, UINT, DWORD, DWORD> CExtControlBar::g_DockBarInfo;

namespace
{
// Fills the alignment map right after it is built, before any bar reads it.
struct DockBarInfoFiller
{
    DockBarInfoFiller()
    {
        for (const DockBarAlignment& entry : kDockBarAlignments)
            CExtControlBar::g_DockBarInfo.SetAt(entry.nDockBarId, entry.dwAlignment);
    }
} const g_DockBarInfoFiller;
} // namespace

CMapPtrToWord CExtControlBar::g_mapFramesBarStateBusy(kBusyFramesBlockSize);
CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*> CExtControlBar::g_arrOuterMarkers;
CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*> CExtControlBar::g_arrInnerMarkers;
int CExtControlBar::g_nDockingStyleOverride = -1;
bool CExtControlBar::g_bHideOption = false;

const UINT CExtControlBar::g_nMsgQueryRepositionCalcEffect =
    ::RegisterWindowMessageA("CExtControlBar::g_nMsgQueryRepositionCalcEffect");
const UINT CExtControlBar::g_nMsgQueryIcon = ::RegisterWindowMessageA("CExtControlBar::g_nMsgQueryIcon");
const UINT CExtControlBar::g_nMsgPutToPopupMenu = ::RegisterWindowMessageA("CExtControlBar::g_nMsgPutToPopupMenu");
const UINT CExtControlBar::g_nMsgConstructPopupMenu =
    ::RegisterWindowMessageA("CExtControlBar::g_nMsgConstructPopupMenu");
const UINT CExtControlBar::g_nMsgCreateTabbedBar = ::RegisterWindowMessageA("CExtControlBar::g_nMsgCreateTabbedBar");
const UINT CExtControlBar::g_nMsgDrawTackedArea = ::RegisterWindowMessageA("CExtControlBar::g_nMsgDrawTackedArea");

namespace
{
// The popups' questions about frames, answered by the bars' frame-level operations.
class CBarPopupServices : public CExtPopupBarServices
{
public:
    CBarPopupServices() { PopupSetBarServices(this); }
    ~CBarPopupServices() override { PopupSetBarServices(nullptr); }

    bool IsFrameInHelpMode(HWND hWnd) override
    {
        return CExtControlBar::IsFrameInHelpMode(ExtBarDetail::PermanentOf(hWnd));
    }

    void SetFrameStatusMessage(HWND hWnd, UINT nId) override
    {
        CWnd* pWnd = ExtBarDetail::PermanentOf(hWnd);
        if (pWnd == nullptr && hWnd != nullptr && ::IsWindow(hWnd))
            pWnd = CWnd::FromHandle(hWnd);
        CExtControlBar::SetFrameStatusMessage(pWnd, nId);
    }

    bool IsToolBarWindow(HWND hWnd) override
    {
        return DYNAMIC_DOWNCAST(CExtToolControlBar, ExtBarDetail::PermanentOf(hWnd)) != nullptr;
    }

    bool IsOnMenuTrackingButton(const POINT& ptScreen) override
    {
        const auto* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, ExtBarDetail::PermanentOf(::WindowFromPoint(ptScreen)));
        const int nIndex = pBar != nullptr ? pBar->GetMenuTrackingButton() : -1;
        if (nIndex < 0)
            return false;
        CRect rcButton = pBar->GetButtonRect(nIndex);
        pBar->ClientToScreen(&rcButton);
        return rcButton.PtInRect(ptScreen) != FALSE;
    }

    HWND GetButtonNoticeTarget(const CExtBarButton* pButton) override
    {
        const CExtToolControlBar* pBar = pButton->GetBar();
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
            return nullptr;
        if (CFrameWnd* pFrame = pBar->m_pDockSite)
            return CExtControlBar::IsFrameInHelpMode(pFrame) ? nullptr : pFrame->GetSafeHwnd();
        return ::GetParent(pBar->GetSafeHwnd());
    }
} g_BarPopupServices;
} // namespace

namespace
{
// The paint manager's questions about bars it draws.
bool IsBarDockedAtLeftOrRight(CObject* pObject)
{
    const CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pObject);
    return pBar != nullptr && pBar->IsDockedAtLeftOrRight();
}

bool IsBarFloating(CObject* pObject)
{
    const CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pObject);
    return pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->IsFloating();
}

// An options button that shows, or a bar that shows one.
bool IsOptionsButtonAvailable(CObject* pObject)
{
    if (const CExtBarNcAreaButtonMenu* pButton = DYNAMIC_DOWNCAST(CExtBarNcAreaButtonMenu, pObject))
        return pButton->OnQueryVisibility();
    const CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pObject);
    if (pBar == nullptr)
        return false;
    for (INT_PTR i = 0; i < pBar->m_arrNcButtons.GetSize(); ++i)
        if (pBar->m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonMenu))
            && pBar->m_arrNcButtons[i]->OnQueryVisibility())
            return true;
    return false;
}

bool IsFixedSizeBarFrame(CObject* pObject)
{
    const CExtMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pObject);
    const CExtControlBar* pBar = pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr ? pFrame->FindContainedBar()
                                                                                        : nullptr;
    return pBar != nullptr && pBar->IsFixedSizeBar();
}

struct BarOwnerHooksInstaller
{
    BarOwnerHooksInstaller()
    {
        CExtPaintManager::g_BarOwnerHooks.pfnIsDockedAtLeftOrRight = &IsBarDockedAtLeftOrRight;
        CExtPaintManager::g_BarOwnerHooks.pfnIsFloating = &IsBarFloating;
        CExtPaintManager::g_BarOwnerHooks.pfnIsOptionsButtonAvailable = &IsOptionsButtonAvailable;
        CExtPaintManager::g_BarOwnerHooks.pfnIsFixedSizeBarFrame = &IsFixedSizeBarFrame;
    }
} const g_BarOwnerHooksInstaller;
} // namespace
