#pragma once
// A container bar: two or more bars sharing one place, arranged by the container's own dock bar
// in rows (id top) or columns (id left). Containers nest, and dissolve when they hold one bar.
#include "ui/bars/ExtControlBar.h"

class CExtDockDynBar;

class CExtDynControlBar : public CExtControlBar
{
    DECLARE_DYNCREATE(CExtDynControlBar)
public:
    // The container's dock bar keeps its children's layout: WS_CHILD | WS_VISIBLE |
    // WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_TOP | CBRS_BORDER_ANY.
    static constexpr DWORD DYN_DOCKBAR_STYLE = 0x56002F00;

    CExtDynControlBar();
    ~CExtDynControlBar() override;

    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    bool QueryGripper(bool* pbAlongTop, bool* pbShown) override;
    void ShowBar(bool bShow, bool bDelay, bool bOption) override;
    int GetMinimalWidth() const override;
    int GetMinimalHeight() const override;
    bool CanBeTabbedWith(CExtControlBar* pBar) const override;

    virtual CSize GetContentsMinimalSize() const;
    virtual CExtDockDynBar* CreateDynDockBar();

    // The one visible bar nested (at any depth) in this container, or null when there are none
    // or several; the floating frame shows its caption.
    CExtControlBar* FindSingleVisibleNestedBar() const;

    CExtDockDynBar* m_pWndDynDockBar = nullptr;

protected:
    afx_msg int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
