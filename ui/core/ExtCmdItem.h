#pragma once
// One command of a command profile: id, texts, state word, icon index and usage counter.
#include "platform/mfc/Afx.h"
#include "platform/mfc/String.h"

class CExtCmdProfile;
class CFrameWnd;
class CWnd;

// Declares a state-word bit's setter and getter.
#define EXT_CMD_ITEM_STATE_BIT(name) \
    virtual void Set##name(bool bOn); \
    virtual bool Is##name() const;

class CExtCmdItem
{
public:
    // State-word bits.
    static constexpr DWORD STATE_DISABLED = 0x00000001;
    static constexpr DWORD STATE_CHECK = 0x00000002;
    static constexpr DWORD STATE_RADIO = 0x00000004;
    static constexpr DWORD STATE_INDETERMINATE = 0x00000008;
    static constexpr DWORD STATE_MARKS = STATE_CHECK | STATE_RADIO | STATE_INDETERMINATE;
    static constexpr DWORD STATE_BASIC = 0x00000010;
    static constexpr DWORD STATE_FORCE_RARELY_USED = 0x00000020;
    static constexpr DWORD STATE_TEMPORARY = 0x00000040; // usage not saved
    static constexpr DWORD STATE_BAR_OPTION_0080 = 0x00000080;
    static constexpr DWORD STATE_BAR_OPTION_0100 = 0x00000100;
    static constexpr DWORD STATE_BAR_OPTION_0200 = 0x00000200;
    static constexpr DWORD STATE_LEVEL_BASE = 0x00000400;
    static constexpr DWORD STATE_BAR_OPTION_0800 = 0x00000800;
    static constexpr DWORD STATE_LEVEL_2 = 0x00001000;
    static constexpr DWORD STATE_BAR_OPTION_2000 = 0x00002000;
    static constexpr DWORD STATE_BAR_OPTION_4000 = 0x00004000;
    static constexpr DWORD STATE_BAR_OPTION_8000 = 0x00008000;
    static constexpr DWORD STATE_BAR_OPTION_10000 = 0x00010000;
    static constexpr DWORD STATE_BAR_OPTION_20000 = 0x00020000;
    static constexpr DWORD STATE_BAR_OPTION_40000 = 0x00040000;
    static constexpr DWORD STATE_BAR_OPTION_80000 = 0x00080000;
    static constexpr DWORD STATE_BAR_OPTION_100000 = 0x00100000;
    static constexpr DWORD STATE_BAR_OPTION_200000 = 0x00200000;
    static constexpr DWORD STATE_LEVEL_3 = 0x10000000;
    static constexpr DWORD STATE_BAR_OPTION_20000000 = 0x20000000;
    static constexpr DWORD STATE_LEVELS = STATE_LEVEL_BASE | STATE_LEVEL_2 | STATE_LEVEL_3;
    // The owner's total is halved once it reaches this.
    static constexpr DWORD USAGE_TOTAL_LIMIT = 0xFFFFFFFEu;

    explicit CExtCmdItem(UINT nCmdId = 0xFFFFFFFFu);
    CExtCmdItem(const CExtCmdItem& other);
    CExtCmdItem& operator=(const CExtCmdItem& other);

    virtual void AssignFrom(const CExtCmdItem& other);
    virtual void MergeFrom(const CExtCmdItem& other);
    virtual void HalveUsageOnOverflow();
    virtual ~CExtCmdItem() = default;
    virtual void ClearTips();
    virtual bool LoadTipsFromStringTable();
    virtual void FillMissingFrom(const CExtCmdItem& other);

    EXT_CMD_ITEM_STATE_BIT(Basic)
    virtual bool IsRarelyUsed() const;
    EXT_CMD_ITEM_STATE_BIT(ForcedRarelyUsed)
    EXT_CMD_ITEM_STATE_BIT(Enabled)
    EXT_CMD_ITEM_STATE_BIT(Checked)
    EXT_CMD_ITEM_STATE_BIT(Radio)
    EXT_CMD_ITEM_STATE_BIT(Indeterminate)
    EXT_CMD_ITEM_STATE_BIT(Temporary)
    EXT_CMD_ITEM_STATE_BIT(BarOption0080)
    EXT_CMD_ITEM_STATE_BIT(BarOption0100)
    EXT_CMD_ITEM_STATE_BIT(BarOption0200)
    EXT_CMD_ITEM_STATE_BIT(Level1)
    EXT_CMD_ITEM_STATE_BIT(BarOption0800)
    EXT_CMD_ITEM_STATE_BIT(Level2)
    EXT_CMD_ITEM_STATE_BIT(Level3)
    EXT_CMD_ITEM_STATE_BIT(BarOption2000)
    EXT_CMD_ITEM_STATE_BIT(BarOption4000)
    EXT_CMD_ITEM_STATE_BIT(BarOption20000000)
    EXT_CMD_ITEM_STATE_BIT(BarOption8000)
    EXT_CMD_ITEM_STATE_BIT(BarOption10000)
    EXT_CMD_ITEM_STATE_BIT(BarOption20000)
    EXT_CMD_ITEM_STATE_BIT(BarOption40000)
    EXT_CMD_ITEM_STATE_BIT(BarOption80000)
    EXT_CMD_ITEM_STATE_BIT(BarOption100000)
    EXT_CMD_ITEM_STATE_BIT(BarOption200000)

    virtual bool QueryCommandState(CFrameWnd* pFrame, UINT nIndex);
    virtual bool SendCommandToOwner(CWnd* pWnd, bool bSend);
    virtual bool SendCommandToWindow(CWnd* pWnd, bool bSend);
    virtual bool SendCommandMessage(HWND hWndTarget, bool bSend);
    virtual UINT GetUsageCount() const;
    virtual UINT GetUsagePercent() const;
    virtual void CountOneUse();
    virtual void ResetUsage();
    virtual UINT GetProfileTotalUsage() const;
    virtual UINT GetRarelyUsedPercent() const;
    virtual void SetRarelyUsedPercent(UINT nPercent);
    virtual void HandleSysColorChange();
    virtual void HandleSettingChange(WPARAM wParam, LPARAM lParam);
    virtual void HandleDisplayChange(int nBitsPerPixel, int cx, int cy);
    virtual void HandleThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual CString GetText() const;
    virtual void GetText(CString& strOut) const;
    virtual void GetStatusTip(CString& strOut) const;
    virtual bool IsUsageSaved() const;

    CExtCmdProfile* m_pProfile = nullptr;
    UINT m_nCmdId;
    int m_nIconIdx = -1;
    DWORD m_dwStateFlags = 0;
    CString m_sMenuText;
    CString m_sToolbarText;
    CString m_sTipTool;
    CString m_sTipStatus;
    CString m_sAccelText;
    // Kept for the bars; copied with the item, read by nothing here.
    int m_nBarSetting0 = 0;
    int m_nBarSetting1 = 100;
    int m_nBarSetting2 = -2;
    int m_nBarSetting3 = 250;
    UINT m_nUsageTickCount = 0;

private:
    void SetStateBits(DWORD dwBits, bool bOn);
    bool HasStateBits(DWORD dwBits) const { return (m_dwStateFlags & dwBits) == dwBits; }
};

#undef EXT_CMD_ITEM_STATE_BIT
