#pragma once
// Strips, synthesized input and theme switching shared by the tab window tests.
#include "ControlTestSupport.h"
#include "ui/controls/ExtTabWnd.h"

#include <functional>
#include <string>
#include <vector>

// A plain strip that opens its insides to the tests: items of a fixed extent along the strip
// (0 keeps the measured one), no spacing, and records of the notifications it gets.
class CTestTabWnd : public CExtTabWnd
{
public:
    int m_nFixedAlong = 0;
    // When not empty: the extent along the strip of the item with data 100 + i.
    std::vector<int> m_alongByData;
    bool m_bNoSpacing = true;
    bool m_bVetoSelection = false;
    int m_nContextMenus = 0;
    int m_nDragLoops = 0;
    // (old, new, before) of every selection notification.
    std::vector<std::vector<int>> m_selectionCalls;
    // Called from the "before" removal notification with the strip as it is then.
    std::function<void(CTestTabWnd&, int nIndex, int nCount)> m_onRemovingBefore;

    bool Create(HWND hParent, const RECT& rc, DWORD dwTabStyle);
    // Appends items named "A", "B", ...
    void AddItems(int nCount, DWORD dwFlags = 0);
    std::string ItemTexts() const;
    CToolTipCtrl& ToolTip() { return m_wndToolTip; }
    // The rectangle tool 1 of the tip control covers, empty without the tool.
    CRect TipRect();

    void AdjustItemSize(TAB_ITEM_INFO* pItem, CDC* pDC, SIZE& size) override;
    void GetItemSpacingMetrics(int& nLeading, int& nTrailing, int& nOuter) override;
    bool NotifySelectionChange(int nOldIndex, int nNewIndex, bool bBefore) override;
    void OnItemsRemoved(int nIndex, int nCount, bool bBefore) override;
    bool TrackItemDrag(int nIndex) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Real input through the system's queue.
void SendMouseAt(DWORD dwFlags, POINT ptScreen);
void MoveMouseTo(POINT ptScreen);
// Steps a second thread plays with ~30 ms between them while the main thread pumps messages
// (and so may sit in a modal loop).
struct MouseStep
{
    DWORD dwFlags;  // MOUSEEVENTF_... without ABSOLUTE; 0 only moves
    POINT ptScreen;
    DWORD dwPauseMs = 30;
    WORD vk = 0;  // when set, a key press and release instead of the mouse
};
void PlayMouseSteps(const std::vector<MouseStep>& steps);
// Pumps for a while, so that timers fire.
void PumpFor(DWORD dwMilliseconds);
// A client point of the window in screen coordinates.
POINT ScreenPoint(HWND hWnd, POINT ptClient);
POINT Centre(const RECT& rc);

// Installs a theme for the lifetime of the object and puts the previous one back.
class CThemeScope
{
public:
    explicit CThemeScope(CRuntimeClass* pTheme);
    ~CThemeScope();
    CThemeScope(const CThemeScope&) = delete;
    CThemeScope& operator=(const CThemeScope&) = delete;

private:
    CRuntimeClass* m_pPrevious;
};
