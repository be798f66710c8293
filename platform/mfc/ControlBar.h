#pragma once
// The base of every bar a frame lays out along its sides: its style word, where it docks, the
// delayed show and hide, the layout it negotiates with the frame and its idle command updates.
#include "platform/mfc/Size.h"
#include "platform/mfc/Wnd.h"

class CCmdUI;
class CControlBarInfo;
class CDC;
class CDockBar;
class CDockContext;
class CFrameWnd;

// Bar styles (m_dwStyle); the low word and CBRS_GRIPPER are the bar's own, the rest window styles.
constexpr DWORD CBRS_NOALIGN = 0x00000000;
constexpr DWORD CBRS_FLOATING = 0x00000001;
constexpr DWORD CBRS_SIZE_FIXED = 0x00000002;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x00000004;
constexpr DWORD CBRS_HIDE_INPLACE = 0x00000008;
constexpr DWORD CBRS_TOOLTIPS = 0x00000010;
constexpr DWORD CBRS_FLYBY = 0x00000020;
constexpr DWORD CBRS_FLOAT_MULTI = 0x00000040;
constexpr DWORD CBRS_BORDER_3D = 0x00000080;
constexpr DWORD CBRS_BORDER_LEFT = 0x00000100;
constexpr DWORD CBRS_BORDER_TOP = 0x00000200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x00000400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x00000800;
constexpr DWORD CBRS_BORDER_ANY = 0x00000F00;
constexpr DWORD CBRS_ALIGN_LEFT = 0x00001000;
constexpr DWORD CBRS_ALIGN_TOP = 0x00002000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x00004000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x00008000;
constexpr DWORD CBRS_ALIGN_ANY = 0x0000F000;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_ALL = 0x0040FFFF;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_ORIENT_ANY = CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT;

// Modes of CalcDynamicLayout.
constexpr DWORD LM_STRETCH = 0x01;  // stretch to the frame's extent
constexpr DWORD LM_HORZ = 0x02;     // horizontal layout
constexpr DWORD LM_MRUWIDTH = 0x04; // the most recently used floating width
constexpr DWORD LM_HORZDOCK = 0x08; // docked at the top or bottom
constexpr DWORD LM_VERTDOCK = 0x10; // docked at the left or right
constexpr DWORD LM_LENGTHY = 0x20;  // nLength is a height, not a width
constexpr DWORD LM_COMMIT = 0x40;   // remember the result as the floating width

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    // Bits of m_nStateFlags.
    enum StateFlags
    {
        delayHide = 1,
        delayShow = 2,
        tempHide = 4,
        statusSet = 8
    };

    // Room kept free inside the bar along each edge.
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 1;
    int m_cyBottomBorder = 1;
    int m_cxDefaultGap = 2;
    UINT m_nMRUWidth = 32767;   // the floating width last committed
    BOOL m_bAutoDelete = FALSE; // the object deletes itself with its window
    UINT m_nStateFlags = 0;
    DWORD m_dwStyle = 0;                     // CBRS_ bits
    DWORD m_dwDockStyle = 0;                 // the sides the bar may dock at (EnableDocking)
    CFrameWnd* m_pDockSite = nullptr;        // the frame the bar docks in; null while it has none
    CDockBar* m_pDockBar = nullptr;          // the dock bar holding the bar
    CDockContext* m_pDockContext = nullptr;  // owned; made by EnableDocking

    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    CRect GetBorders() const;
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    // Allows docking at the sides of dwDockStyle (CBRS_ALIGN_ bits, CBRS_FLOAT_MULTI) and makes the
    // dock context; 0 takes docking away.
    void EnableDocking(DWORD dwDockStyle);
    // The frame the bar lives in: its floating frame while floating, else its parent frame.
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    // Visible as the layout sees it: a pending delayed show counts, a pending hide does not.
    virtual BOOL IsVisible() const;
    // TRUE only for the frame's side bars that hold other bars.
    virtual BOOL IsDockBar() const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Idle-time state of the bar's items; the base has none.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    // The client rectangle less the borders (and the gripper).
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    // Shows or hides the bar at the frame's next layout.
    virtual void DelayShow(BOOL bShow);
    // Applies a pending delayed show or hide (through the layout's deferred positioning when it
    // has one); answers the style the layout should see (WS_VISIBLE and the CBRS_ bits).
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
    // Where the bar is, for a saved dock state, and back.
    void GetBarInfo(CControlBarInfo* pInfo);
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Commands and notifications of the bar's controls go to its owner.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
