#pragma once
// An edit with the framework's colours, its own tip, and the edit commands (undo, cut, copy,
// paste, clear, select all) handled for its context menu.
#include "platform/mfc/Edit.h"
#include "platform/mfc/ToolTipCtrl.h"

class CExtEditBase : public CEdit
{
    DECLARE_DYNCREATE(CExtEditBase)
public:
    static constexpr BYTE FLAG_HANDLE_COMMANDS = 0x01;
    static constexpr int TOOLTIP_MAX_WIDTH = 250;
    static constexpr int CONTEXT_MENU_ROWS = 8;
    // The context menu, 0 = separator, with each command's default text.
    struct MenuRow
    {
        UINT nCmdId;
        const char* pszDefaultText;
    };
    static const MenuRow g_contextMenu[CONTEXT_MENU_ROWS];

    CExtEditBase();
    ~CExtEditBase() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual int GetTooltipMaxWidth() const;

    void SetTipText(LPCSTR lpszText, bool bActivate = true);
    void ActivateToolTip(bool bActivate);
    // Makes sure the window's command profile holds the context menu's commands, basic and with
    // their texts; false without a profile for the window.
    bool PrepareContextMenuCommands();

    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    BYTE m_nEditFlags = FLAG_HANDLE_COMMANDS;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Inside a tool bar the bar's tip stands for the control's.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Whether a command is possible now, and running it.
    bool IsEditCommandEnabled(UINT nCmdId) const;
    void RunEditCommand(UINT nCmdId);
    static bool IsEditCommand(UINT nCmdId);
    // The framework's menu of the edit commands at a WM_CONTEXTMENU point; false where the
    // platform's own menu shows instead (commands not handled here, no command profile).
    bool TrackContextMenu(LPARAM lParam);

    CToolTipCtrl m_tip;
    COLORREF m_clrBrush = static_cast<COLORREF>(-1);
    HBRUSH m_hBrush = nullptr;
};
