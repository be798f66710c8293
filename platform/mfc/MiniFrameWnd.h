#pragma once
// A floating frame with a small caption, the kind floating tool bars and palettes live in.
#include "platform/mfc/FrameWnd.h"

// Mini-frame styles.
constexpr DWORD MFS_SYNCACTIVE = 0x00000100;   // the caption looks active while the owner is
constexpr DWORD MFS_4THICKFRAME = 0x00000200;
constexpr DWORD MFS_THICKFRAME = 0x00000400;   // resizable
constexpr DWORD MFS_MOVEFRAME = 0x00000800;
constexpr DWORD MFS_BLOCKSYSMENU = 0x00001000;

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;

    BOOL Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd = nullptr,
                UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = nullptr, UINT nID = 0, LPVOID lpParam = nullptr) override;
    using CWnd::CreateEx;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    afx_msg BOOL OnNcActivate(BOOL bActive);

    DECLARE_MESSAGE_MAP()
};
