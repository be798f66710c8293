#pragma once
// The window-state layer of framework dialogs: placement kept in the application's profile,
// a size gripper, background painting through the paint manager and the system menu.
#include "platform/mfc/Afx.h"
#include "platform/mfc/String.h"

template <class TBase, UINT nSysMenuTimerId>
class CExtWS : public TBase
{
public:
    static constexpr BYTE FLAG_ALIVE = 0x01;
    static constexpr BYTE FLAG_PERSISTENT = 0x02;
    static constexpr BYTE FLAG_SYSMENU_TRACKING = 0x04;
    static constexpr BYTE FLAG_GRIPPER = 0x08;
    static constexpr BYTE FLAGS_OWN = 0x0F;

    using TBase::TBase;
    CExtWS() = default;

    virtual void ShowSizeGripper(bool bShow = true);
    virtual void SavePlacement();
    virtual void RestorePlacement(bool bHidden = false);
    virtual void EnablePlacementPersistence(LPCSTR lpszSection, LPCSTR lpszEntry, bool bHidden = false);
    // The window's system menu as a framework popup, at the point or under the caption's
    // icon; popup dialogs only. True when it tracks.
    virtual bool ShowSystemMenu(const POINT* pPoint, bool bFromKeyboard);

    bool IsSizeGripperShown() const { return (m_nWsFlags & FLAG_GRIPPER) != 0; }
    const RECT& GetGripperRect() const { return m_rcGripper; }

    // Parses "left,top,right,bottom,show,flags"; false unless all six are there, the rectangle
    // is not empty and the show command is known.
    static bool ParsePlacement(LPCSTR lpszText, WINDOWPLACEMENT& wp);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    CString m_sPlacementSection;
    CString m_sPlacementEntry;
    BYTE m_nWsFlags = FLAG_ALIVE;
    RECT m_rcGripper = {0, 0, 0, 0};

private:
    LRESULT OnWsSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnWsCtlColor(UINT message, WPARAM wParam, LPARAM lParam);
    void OnWsPaint();
};
