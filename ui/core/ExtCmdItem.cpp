#include "ui/core/ExtCmdItem.h"

#include "platform/mfc/FrameWnd.h"
#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtCmdItemUI.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtCmdProfile.h"
#include "ui/core/ExtResourceManager.h"

#include <algorithm>

namespace
{
constexpr UINT PERCENT = 100;
}

CExtCmdItem::CExtCmdItem(UINT nCmdId) : m_nCmdId(nCmdId) {}

CExtCmdItem::CExtCmdItem(const CExtCmdItem& other) : m_nCmdId(0xFFFFFFFFu) { AssignFrom(other); }

CExtCmdItem& CExtCmdItem::operator=(const CExtCmdItem& other)
{
    AssignFrom(other);
    return *this;
}

void CExtCmdItem::AssignFrom(const CExtCmdItem& other)
{
    if (&other == this)
        return;
    m_pProfile = other.m_pProfile;
    m_nCmdId = other.m_nCmdId;
    m_dwStateFlags = other.m_dwStateFlags;
    m_nIconIdx = other.m_nIconIdx;
    m_sMenuText = other.m_sMenuText;
    m_sToolbarText = other.m_sToolbarText;
    m_sTipTool = other.m_sTipTool;
    m_sTipStatus = other.m_sTipStatus;
    m_sAccelText = other.m_sAccelText;
    m_nUsageTickCount = other.m_nUsageTickCount;
    m_nBarSetting0 = other.m_nBarSetting0;
    m_nBarSetting1 = other.m_nBarSetting1;
    m_nBarSetting2 = other.m_nBarSetting2;
    m_nBarSetting3 = other.m_nBarSetting3;
}

void CExtCmdItem::MergeFrom(const CExtCmdItem& other)
{
    if (&other == this)
        return;
    if (other.m_nIconIdx >= 0)
        m_nIconIdx = other.m_nIconIdx;
    for (auto [pTo, pFrom] : {std::pair{&m_sMenuText, &other.m_sMenuText}, {&m_sToolbarText, &other.m_sToolbarText},
                              {&m_sTipTool, &other.m_sTipTool}, {&m_sTipStatus, &other.m_sTipStatus},
                              {&m_sAccelText, &other.m_sAccelText}})
        if (!pFrom->IsEmpty())
            *pTo = *pFrom;
}

void CExtCmdItem::FillMissingFrom(const CExtCmdItem& other)
{
    if (&other == this)
        return;
    if (m_nIconIdx < 0)
        m_nIconIdx = other.m_nIconIdx;
    // The toolbar text is the bar's own and is never filled from elsewhere.
    for (auto [pTo, pFrom] : {std::pair{&m_sMenuText, &other.m_sMenuText}, {&m_sTipTool, &other.m_sTipTool},
                              {&m_sTipStatus, &other.m_sTipStatus}, {&m_sAccelText, &other.m_sAccelText}})
        if (pTo->IsEmpty())
            *pTo = *pFrom;
}

void CExtCmdItem::HalveUsageOnOverflow()
{
    if (m_pProfile == nullptr || m_pProfile->m_nTotalTickCount < USAGE_TOTAL_LIMIT)
        return;
    m_pProfile->m_nTotalTickCount >>= 1;
    for (auto& entry : m_pProfile->m_cmds)
        entry.second->m_nUsageTickCount >>= 1;
}

void CExtCmdItem::ClearTips()
{
    m_sTipTool.Empty();
    m_sTipStatus.Empty();
}

bool CExtCmdItem::LoadTipsFromStringTable()
{
    ClearTips();
    if (!CExtCmdManager::IsValidCommandId(m_nCmdId))
        return false;
    CString text;
    if (!g_ResourceManagerHolder->LoadStringForLanguage(text, m_nCmdId))
        return false;
    text.Replace('\t', ' ');
    text.Remove('\r');
    text.Trim();
    if (text.IsEmpty())
        return false;
    const int nLineFeed = text.ReverseFind('\n');
    if (nLineFeed < 0)
    {
        m_sTipStatus = text;
        return true;
    }
    m_sTipTool = text.Mid(nLineFeed + 1);
    m_sTipTool.Trim();
    m_sTipStatus = text.Left(nLineFeed);
    m_sTipStatus.Trim();
    return true;
}

void CExtCmdItem::SetStateBits(DWORD dwBits, bool bOn)
{
    m_dwStateFlags = bOn ? (m_dwStateFlags | dwBits) : (m_dwStateFlags & ~dwBits);
}

#define EXT_CMD_ITEM_PLAIN_BIT(name, bit) \
    void CExtCmdItem::Set##name(bool bOn) { SetStateBits(bit, bOn); } \
    bool CExtCmdItem::Is##name() const { return HasStateBits(bit); }

EXT_CMD_ITEM_PLAIN_BIT(Temporary, STATE_TEMPORARY)
EXT_CMD_ITEM_PLAIN_BIT(BarOption0080, STATE_BAR_OPTION_0080)
EXT_CMD_ITEM_PLAIN_BIT(BarOption0100, STATE_BAR_OPTION_0100)
EXT_CMD_ITEM_PLAIN_BIT(BarOption0200, STATE_BAR_OPTION_0200)
EXT_CMD_ITEM_PLAIN_BIT(BarOption0800, STATE_BAR_OPTION_0800)
EXT_CMD_ITEM_PLAIN_BIT(BarOption2000, STATE_BAR_OPTION_2000)
EXT_CMD_ITEM_PLAIN_BIT(BarOption4000, STATE_BAR_OPTION_4000)
EXT_CMD_ITEM_PLAIN_BIT(BarOption20000000, STATE_BAR_OPTION_20000000)
EXT_CMD_ITEM_PLAIN_BIT(BarOption8000, STATE_BAR_OPTION_8000)
EXT_CMD_ITEM_PLAIN_BIT(BarOption10000, STATE_BAR_OPTION_10000)
EXT_CMD_ITEM_PLAIN_BIT(BarOption20000, STATE_BAR_OPTION_20000)
EXT_CMD_ITEM_PLAIN_BIT(BarOption40000, STATE_BAR_OPTION_40000)
EXT_CMD_ITEM_PLAIN_BIT(BarOption80000, STATE_BAR_OPTION_80000)
EXT_CMD_ITEM_PLAIN_BIT(BarOption100000, STATE_BAR_OPTION_100000)
EXT_CMD_ITEM_PLAIN_BIT(BarOption200000, STATE_BAR_OPTION_200000)
#undef EXT_CMD_ITEM_PLAIN_BIT

// The three marks exclude each other: setting any of them clears all three first.
#define EXT_CMD_ITEM_MARK_BIT(name, bit) \
    void CExtCmdItem::Set##name(bool bOn) \
    { \
        m_dwStateFlags &= ~STATE_MARKS; \
        SetStateBits(bit, bOn); \
    } \
    bool CExtCmdItem::Is##name() const { return HasStateBits(bit); }

EXT_CMD_ITEM_MARK_BIT(Checked, STATE_CHECK)
EXT_CMD_ITEM_MARK_BIT(Radio, STATE_RADIO)
EXT_CMD_ITEM_MARK_BIT(Indeterminate, STATE_INDETERMINATE)
#undef EXT_CMD_ITEM_MARK_BIT

// The levels share the base bit: each setter clears all three levels first.
#define EXT_CMD_ITEM_LEVEL_BIT(name, bits) \
    void CExtCmdItem::Set##name(bool bOn) \
    { \
        m_dwStateFlags &= ~STATE_LEVELS; \
        SetStateBits(bits, bOn); \
    } \
    bool CExtCmdItem::Is##name() const { return HasStateBits(bits); }

EXT_CMD_ITEM_LEVEL_BIT(Level1, STATE_LEVEL_BASE)
EXT_CMD_ITEM_LEVEL_BIT(Level2, STATE_LEVEL_BASE | STATE_LEVEL_2)
EXT_CMD_ITEM_LEVEL_BIT(Level3, STATE_LEVEL_BASE | STATE_LEVEL_3)
#undef EXT_CMD_ITEM_LEVEL_BIT

void CExtCmdItem::SetBasic(bool bOn) { SetStateBits(STATE_BASIC, bOn); }

bool CExtCmdItem::IsBasic() const
{
    return HasStateBits(STATE_BASIC) || CExtCmdManager::IsFrameworkCommandId(m_nCmdId);
}

bool CExtCmdItem::IsRarelyUsed() const
{
    if (IsBasic())
        return false;
    return static_cast<int>(GetUsagePercent()) < static_cast<int>(GetRarelyUsedPercent());
}

void CExtCmdItem::SetForcedRarelyUsed(bool bOn) { SetStateBits(STATE_FORCE_RARELY_USED, bOn); }

bool CExtCmdItem::IsForcedRarelyUsed() const
{
    return HasStateBits(STATE_FORCE_RARELY_USED) && !CExtCmdManager::IsFrameworkCommandId(m_nCmdId);
}

void CExtCmdItem::SetEnabled(bool bOn) { SetStateBits(STATE_DISABLED, !bOn); }
bool CExtCmdItem::IsEnabled() const { return !HasStateBits(STATE_DISABLED); }

bool CExtCmdItem::QueryCommandState(CFrameWnd* pFrame, UINT nIndex)
{
    if (CExtCmdManager::IsSystemCommandId(m_nCmdId) || CExtCmdManager::IsMdiWindowListId(m_nCmdId))
    {
        SetEnabled(true);
        return true;
    }
    if (pFrame == nullptr)
        return false;
    CExtCmdItemUI cmdUI(this, nIndex);
    cmdUI.m_bEnableChanged = FALSE;
    const bool bHandled = pFrame->OnCmdMsg(m_nCmdId, CN_UPDATE_COMMAND_UI, &cmdUI, nullptr) != FALSE;
    // A command that no update handler enabled or disabled is enabled exactly when something handles it.
    if (!cmdUI.m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info = {nullptr, nullptr};
        cmdUI.Enable(pFrame->OnCmdMsg(m_nCmdId, CN_COMMAND, &cmdUI, &info));
    }
    return bHandled;
}

bool CExtCmdItem::SendCommandToOwner(CWnd* pWnd, bool bSend)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return false;
    HWND hTarget = ::GetWindow(pWnd->m_hWnd, GW_OWNER);
    if (hTarget == nullptr)
        hTarget = ::GetParent(pWnd->m_hWnd);
    return SendCommandMessage(hTarget, bSend);
}

bool CExtCmdItem::SendCommandToWindow(CWnd* pWnd, bool bSend)
{
    return SendCommandMessage(pWnd != nullptr ? pWnd->m_hWnd : nullptr, bSend);
}

bool CExtCmdItem::SendCommandMessage(HWND hWndTarget, bool bSend)
{
    if (hWndTarget == nullptr)
        return false;
    CountOneUse();
    UINT nMessage = WM_COMMAND;
    LPARAM lParam = 0;
    if (CExtCmdManager::IsSystemCommandId(m_nCmdId))
    {
        POINT pt = {0, 0};
        ::GetCursorPos(&pt);
        nMessage = WM_SYSCOMMAND;
        lParam = MAKELPARAM(pt.x, pt.y);
    }
    if (bSend)
        return ::SendMessageA(hWndTarget, nMessage, m_nCmdId, lParam) != 0;
    return ::PostMessageA(hWndTarget, nMessage, m_nCmdId, lParam) != FALSE;
}

UINT CExtCmdItem::GetUsageCount() const { return m_nUsageTickCount; }

UINT CExtCmdItem::GetUsagePercent() const
{
    const UINT nTotal = GetProfileTotalUsage();
    if (nTotal == 0)
        return 0;
    // A counter near the 32-bit limit times 100 does not fit 32 bits.
    return static_cast<UINT>(static_cast<ULONGLONG>(m_nUsageTickCount) * PERCENT / nTotal);
}

void CExtCmdItem::CountOneUse()
{
    if (IsBasic() || IsForcedRarelyUsed())
        return;
    // Halving first keeps a total loaded at the limit from wrapping to zero.
    if (m_pProfile != nullptr && m_pProfile->m_nTotalTickCount >= USAGE_TOTAL_LIMIT)
        HalveUsageOnOverflow();
    ++m_nUsageTickCount;
    if (m_pProfile != nullptr)
        ++m_pProfile->m_nTotalTickCount;
    HalveUsageOnOverflow();
}

void CExtCmdItem::ResetUsage()
{
    if (IsBasic() || IsForcedRarelyUsed())
        return;
    m_nUsageTickCount = 0;
}

UINT CExtCmdItem::GetProfileTotalUsage() const { return m_pProfile != nullptr ? m_pProfile->m_nTotalTickCount : 0; }

UINT CExtCmdItem::GetRarelyUsedPercent() const
{
    return m_pProfile != nullptr ? static_cast<UINT>(m_pProfile->m_nRarelyUsedPercent) : 0;
}

void CExtCmdItem::SetRarelyUsedPercent(UINT nPercent)
{
    if (m_pProfile != nullptr)
        m_pProfile->m_nRarelyUsedPercent = static_cast<int>(std::min(nPercent, PERCENT));
}

namespace
{
CExtCmdIcon* OwnIcon(const CExtCmdItem& item)
{
    return item.m_pProfile != nullptr ? item.m_pProfile->GetIconAt(item.m_nIconIdx) : nullptr;
}
} // namespace

void CExtCmdItem::HandleSysColorChange()
{
    if (CExtCmdIcon* pIcon = OwnIcon(*this))
        pIcon->OnSysColorChange();
}

void CExtCmdItem::HandleSettingChange(WPARAM wParam, LPARAM lParam)
{
    if (CExtCmdIcon* pIcon = OwnIcon(*this))
        pIcon->OnSettingChange(wParam, lParam);
}

void CExtCmdItem::HandleDisplayChange(int nBitsPerPixel, int cx, int cy)
{
    if (CExtCmdIcon* pIcon = OwnIcon(*this))
        pIcon->OnDisplayChange(nBitsPerPixel, cx, cy);
}

void CExtCmdItem::HandleThemeChanged(WPARAM wParam, LPARAM lParam)
{
    if (CExtCmdIcon* pIcon = OwnIcon(*this))
        pIcon->OnThemeChanged(wParam, lParam);
}

CString CExtCmdItem::GetText() const
{
    CString text;
    GetText(text);
    return text;
}

void CExtCmdItem::GetText(CString& strOut) const
{
    if (!m_sMenuText.IsEmpty())
        strOut = m_sMenuText;
    else if (!m_sTipTool.IsEmpty())
        strOut = m_sTipTool;
    else
        strOut = m_sToolbarText;
}

void CExtCmdItem::GetStatusTip(CString& strOut) const { strOut = m_sTipStatus; }

bool CExtCmdItem::IsUsageSaved() const
{
    return !IsBasic() && !IsForcedRarelyUsed() && !IsTemporary() && !CExtCmdManager::IsSystemCommandId(m_nCmdId) &&
           m_nUsageTickCount != 0;
}
