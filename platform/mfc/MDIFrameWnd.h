#pragma once
// The main frame of an MDI application: an MDI client window holding the document frames, the
// Window menu with its list of children, and commands routed to the active child first.
#include "platform/mfc/FrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd() = default;

    // Creates the MDI client (id AFX_IDW_PANE_FIRST) listing the children in pWindowMenu.
    virtual BOOL CreateClient(LPCREATESTRUCTA lpCreateStruct, CMenu* pWindowMenu);
    // The popup of the menu that holds the Window commands, or null.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // The active child (pbMaximized tells whether it is maximised), or null.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDITile();
    void MDITile(int nType);
    void MDICascade();
    void MDICascade(int nType);
    void MDIIconArrange();
    // Sets the frame menu and the popup that lists the children; returns the previous frame menu.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext) override;
    // The active child's route (view, document, child frame, application), then this frame's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The active child's accelerators, the frame's, then the MDI system keys.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    // ID_WINDOW_ARRANGE, _CASCADE, _TILE_HORZ, _TILE_VERT.
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    // ID_WINDOW_NEW: another frame on the active document.
    afx_msg void OnWindowNew();

    HWND m_hWndMDIClient = nullptr;

    DECLARE_MESSAGE_MAP()
};
