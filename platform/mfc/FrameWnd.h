#pragma once
// A frame window: title, menu, accelerators, status-line prompts, the layout of its control bars
// around the client view, the active view, and the command route view -> document -> frame -> application.
#include "platform/mfc/AfxRes.h"
#include "platform/mfc/ControlBar.h"
#include "platform/mfc/PtrList.h"
#include "platform/mfc/Wnd.h"

class CDockBar;
class CDocument;
class CMiniDockFrameWnd;
class CView;

// Frame styles.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;  // the title shows the active document
constexpr DWORD FWS_PREFIXTITLE = 0x00040000; // the document's name comes first
constexpr DWORD FWS_SNAPTOBARS = 0x00020000;
// The style of a frame's view.
constexpr DWORD AFX_WS_DEFAULT_VIEW = WS_CHILD | WS_VISIBLE | WS_BORDER;

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Creates the frame with the title (first part of string nIDResource), icon, menu and
    // accelerators of resource nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // A view of the context's view class as child nID of this frame.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // Active view, document and frame (an MDI frame answers its active child).
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame();

    // Lays the control bars out (WM_SIZEPARENT) and gives the rest to the pane AFX_IDW_PANE_FIRST.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Asks for RecalcLayout at the next idle time.
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    // Docking. Dock bars on the sides of dwDockStyle (CBRS_ALIGN_ bits); floating frames of
    // m_pFloatingFrameClass (CMiniDockFrameWnd unless set).
    void EnableDocking(DWORD dwDockStyle);
    // Docks the bar in dock bar nDockBarID (0: the first side the bar may dock at), at lpRect
    // (screen coordinates) when given, else as a new last row.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Docks the bar where its placeholder in that dock bar stands.
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats the bar in a floating frame (a new one unless it floats alone already) with its
    // top-left corner at point (screen); dwStyle's alignment gives the orientation.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // Shows or hides the bar, at once or at the next layout.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // The bar of the frame's list with that id, null when none.
    CControlBar* GetControlBar(UINT nID);
    // A new hidden floating frame for bars of style dwStyle; throws CResourceException on failure.
    virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // The side a rectangle (screen coordinates) would dock at: the alignment of the first dock
    // bar among dwDockStyle's whose area it touches, 0 when none.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    // The bar list: bars add themselves when created in or docked into the frame.
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    void DestroyDockBars();
    // Shows or hides the frame as a delayed floating-bar show asked (m_nShowDelay).
    void ApplyShowDelay();
    virtual void ActivateFrame(int nCmdShow = -1);
    // Makes the first pane the active view, sends WM_INITIALUPDATE to the views and shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCSTR lpszDocName);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual HACCEL GetDefaultAccelerator();
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle != nullptr ? lpszTitle : ""; }
    CString GetTitle() const { return m_strTitle; }

    // Status line: the prompt of a command is its string resource up to the first '\n'.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    virtual CWnd* GetMessageBar();
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);

    BOOL IsFrameWnd() const override { return TRUE; }
    CFrameWnd* AsFrameWnd() override { return this; }
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Accelerators of the frame.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Frames delete themselves with their window.
    void PostNcDestroy() override;
    // Creates the client: by default one view of the context's view class.
    virtual BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCTA lpcs, CCreateContext* pContext);

    // Bits of m_nIdleFlags: work waiting for the next idle time.
    enum IdleFlags
    {
        idleMenu = 1,
        idleTitle = 2,
        idleNotify = 4,
        idleLayout = 8
    };

    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;
    BOOL m_bAutoMenuEnable = TRUE;  // menu items without a handler are disabled
    int m_nWindow = -1;             // the window number in the title when a document has several
    UINT m_nIdleFlags = 0;
    BOOL m_bInRecalcLayout = FALSE;
    CRect m_rectBorder;             // room kept free around the client pane
    CString m_strTitle;
    CView* m_pViewActive = nullptr;
    UINT m_nIDTracking = 0;
    UINT m_nIDLastMessage = 0;
    CPtrList m_listControlBars;     // the frame's control bars, kept by the bars themselves
    int m_nShowDelay = -1;          // a floating frame's show command waiting for the next layout
    CRuntimeClass* m_pFloatingFrameClass = nullptr;  // the floating frame of the control bars
    BOOL m_bHelpMode = FALSE;                        // context-help mode (Shift+F1) in this frame

    afx_msg int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    afx_msg void OnDestroy();
    // Asks the active document (or, for the main window, every document) before closing.
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    // Updates the popup's items from their update handlers (and disables those without a handler).
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    // Idle time: delayed layout, title and menu.
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // Shell open by DDE (system topic of the application).
    afx_msg LRESULT OnDDEInitiate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDDEExecute(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDDETerminate(WPARAM wParam, LPARAM lParam);
    // Shows or hides the bar with that id (a control bar of the list, else a descendant window).
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    // Enables the caps, num and scroll lock indicators while their lock is on.
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
