#pragma once
// Argument records of the paint manager's drawing slots. Each starts with the object being
// painted and an LPARAM; callers build them on the stack.
#include "platform/mfc/Afx.h"

struct CExtDrawCaptionButtonArgs
{
    CExtDrawCaptionButtonArgs(CObject* pOwner, const RECT& rc, int nGlyph, bool bHover, bool bPushed, bool bEnabled,
                              bool bBarCaption = false, bool bCaptionActive = false, bool bFloating = false,
                              LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_rc(rc), m_nGlyph(nGlyph), m_bHover(bHover), m_bPushed(bPushed),
          m_bEnabled(bEnabled), m_bBarCaption(bBarCaption), m_bCaptionActive(bCaptionActive), m_bFloating(bFloating)
    {
    }
    CObject* m_pOwner;
    LPARAM m_lParam;
    RECT m_rc;
    int m_nGlyph;
    bool m_bHover, m_bPushed, m_bEnabled, m_bBarCaption, m_bCaptionActive, m_bFloating;
};

struct CExtDrawBarFrameArgs
{
    CExtDrawBarFrameArgs(CObject* pOwner, const RECT& rcOuter, const RECT& rcClient, bool bFloating,
                         bool bResizable, bool bFixedSize, LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_rcOuter(rcOuter), m_rcClient(rcClient), m_bFloating(bFloating),
          m_bResizable(bResizable), m_bFixedSize(bFixedSize)
    {
    }
    CObject* m_pOwner;
    LPARAM m_lParam;
    RECT m_rcOuter;
    RECT m_rcClient;
    bool m_bFloating, m_bResizable, m_bFixedSize;
};

struct CExtDrawBarBordersArgs
{
    // Border kinds.
    static constexpr int BORDER_BAR_FRAME = 1;
    static constexpr int BORDER_3D_PANE = 2;
    // Side flags of the style.
    static constexpr DWORD SIDE_LEFT = 0x100;
    static constexpr DWORD SIDE_TOP = 0x200;
    static constexpr DWORD SIDE_RIGHT = 0x400;
    static constexpr DWORD SIDE_BOTTOM = 0x800;
    static constexpr DWORD SIDES = 0xF00;
    static constexpr DWORD SECOND_LINE = 0x80;

    CExtDrawBarBordersArgs(CObject* pBar, int nBorderKind, DWORD dwStyle, const RECT& rc, LPARAM lParam = 0)
        : m_pBar(pBar), m_lParam(lParam), m_nBorderKind(nBorderKind), m_dwStyle(dwStyle), m_rc(rc)
    {
    }
    CObject* m_pBar;
    LPARAM m_lParam;
    int m_nBorderKind;
    DWORD m_dwStyle;
    RECT m_rc;
};

struct CExtDrawEditFrameArgs
{
    CExtDrawEditFrameArgs(CObject* pOwner, const RECT& rc, bool bOwnerFlag, bool bHighlight, bool bEnabled,
                          bool bFocused, LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_rc(rc), m_bOwnerFlag(bOwnerFlag), m_bHighlight(bHighlight),
          m_bEnabled(bEnabled), m_bFocused(bFocused)
    {
    }
    CObject* m_pOwner;
    LPARAM m_lParam;
    RECT m_rc;
    // The two highlight states (hovered and focused) raise the frame.
    bool m_bOwnerFlag, m_bHighlight, m_bEnabled, m_bFocused;
};
