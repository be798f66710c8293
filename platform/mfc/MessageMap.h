#pragma once
// Message maps: static tables that route window messages, commands and notifications to member
// functions, each class's table chained to its base class's.
#include <windows.h>

#include <cstring>

class CCmdTarget;
class CCmdUI;

// Marks message handlers in class declarations.
#define afx_msg

// A handler, stored with its signature code and cast back to its real type when called.
typedef void (CCmdTarget::*AFX_PMSG)();

// Converts between handler types of one size (the stored form and the real signature).
template <class To, class From>
inline To AfxHandlerCast(From pfn) noexcept
{
    static_assert(sizeof(To) == sizeof(From), "handlers share one representation");
    To result;
    std::memcpy(&result, &pfn, sizeof result);
    return result;
}

// Handler signatures. Command entries use the AfxSigCmd/Notify codes; window-message entries the others.
enum AfxSig : UINT_PTR
{
    AfxSig_end = 0,
    // commands and notifications
    AfxSigCmd_v,          // void ()
    AfxSigCmd_b,          // BOOL ()           reflected control notification, _EX form
    AfxSigCmd_RANGE,      // void (UINT)
    AfxSigCmd_EX,         // BOOL (UINT)
    AfxSigCmdUI,          // void (CCmdUI*)
    AfxSigCmdUI_RANGE,    // void (CCmdUI*, UINT)
    AfxSigNotify_v,       // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,       // BOOL (NMHDR*, LRESULT*)
    AfxSigNotify_RANGE,   // void (UINT, NMHDR*, LRESULT*)
    AfxSigNotify_EX,      // BOOL (UINT, NMHDR*, LRESULT*)
    // window messages
    AfxSig_vv,            // void ()
    AfxSig_bv,            // BOOL ()
    AfxSig_wv,            // UINT ()
    AfxSig_lv,            // LRESULT ()
    AfxSig_hv,            // HCURSOR ()
    AfxSig_lwl,           // LRESULT (WPARAM, LPARAM)
    AfxSig_is,            // int (LPCREATESTRUCT)
    AfxSig_bs,            // BOOL (LPCREATESTRUCT)
    AfxSig_vwii,          // void (UINT, int, int)
    AfxSig_vii,           // void (int, int)
    AfxSig_bD,            // BOOL (CDC*)
    AfxSig_vt,            // void (UINT_PTR)
    AfxSig_vwp,           // void (UINT, CPoint)
    AfxSig_bwsp,          // BOOL (UINT, short, CPoint)
    AfxSig_lp,            // LRESULT (CPoint)
    AfxSig_vbN,           // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_bb,            // BOOL (BOOL)
    AfxSig_vwww,          // void (UINT, UINT, UINT)
    AfxSig_vW,            // void (CWnd*)
    AfxSig_vWp,           // void (CWnd*, CPoint)
    AfxSig_bWww,          // BOOL (CWnd*, UINT, UINT)
    AfxSig_iWww,          // int (CWnd*, UINT, UINT)
    AfxSig_vPOS,          // void (WINDOWPOS*)
    AfxSig_vMMI,          // void (MINMAXINFO*)
    AfxSig_vbw,           // void (BOOL, UINT)
    AfxSig_vwWb,          // void (UINT, CWnd*, BOOL)
    AfxSig_vbh,           // void (BOOL, DWORD)
    AfxSig_vws,           // void (UINT, LPCSTR)
    AfxSig_vwl,           // void (UINT, LPARAM)
    AfxSig_vb,            // void (BOOL)
    AfxSig_vwwX,          // void (UINT, UINT, CScrollBar*)
    AfxSig_hDWw,          // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_vOWNER,        // void (int, LPDRAWITEMSTRUCT)
    AfxSig_vMEASURE,      // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_vMwb,          // void (CMenu*, UINT, BOOL)
    AfxSig_vbWW,          // void (BOOL, CWnd*, CWnd*)
    AfxSig_vwSTYLE,       // void (int, LPSTYLESTRUCT)
    AfxSig_vwwh,          // void (UINT, UINT, HMENU)
    AfxSig_bHELPINFO,     // BOOL (HELPINFO*)
    AfxSig_vHDROP,        // void (HDROP)
    // reflected forms
    AfxSig_hDw,           // HBRUSH (CDC*, UINT)
    AfxSig_vDRAW,         // void (LPDRAWITEMSTRUCT)
    AfxSig_vMEASURE_R,    // void (LPMEASUREITEMSTRUCT)
    AfxSig_vww,           // void (UINT, UINT)
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;   // window message, or WM_COMMAND / WM_NOTIFY for commands and notifications
    UINT nCode;      // control notification code or CN_ code
    UINT nID;        // first control or command id (0 for window messages)
    UINT nLastID;    // last id of a range
    UINT_PTR nSig;   // AfxSig code; for registered messages a pointer to the message number
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The command target and handler that would receive a command, filled instead of calling it.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// What an ON_NOTIFY handler receives through OnCmdMsg's extra pointer.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Command notification codes of OnCmdMsg.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
constexpr int CN_EVENT = -2;
// Notifications come back to the control as this offset plus the original message.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, AfxSig_end, nullptr} \
        }; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap; \
    }

// The handler converted to the stored form after checking its signature.
#define AFX_MSG_CAST(type, fn) (AfxHandlerCast<AFX_PMSG>(static_cast<type>(fn)))

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, AFX_MSG_CAST(void (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, AFX_MSG_CAST(BOOL (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, AFX_MSG_CAST(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_EX, AFX_MSG_CAST(BOOL (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI, AFX_MSG_CAST(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI, AFX_MSG_CAST(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},

// Control notifications sent as WM_COMMAND.
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, AFX_MSG_CAST(void (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, AFX_MSG_CAST(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// WM_NOTIFY notifications.
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v, \
     AFX_MSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE, \
     AFX_MSG_CAST(void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX, \
     AFX_MSG_CAST(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_EX, \
     AFX_MSG_CAST(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},

// Notifications reflected back to the control that sent them.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, AFX_MSG_CAST(void (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b, AFX_MSG_CAST(BOOL (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v, \
     AFX_MSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b, \
     AFX_MSG_CAST(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_BN_CLICKED_REFLECT(memberFxn) ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)
#define ON_CBN_SELCHANGE_REFLECT(memberFxn) ON_CONTROL_REFLECT(CBN_SELCHANGE, memberFxn)

// User-defined and registered window messages: LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    {message, 0, 0, 0, AfxSig_lwl, AFX_MSG_CAST(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0xC000, 0, 0, 0, reinterpret_cast<UINT_PTR>(&nMessageVariable), \
     AFX_MSG_CAST(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
