#include "platform/mfc/DataExchange.h"

#include "platform/mfc/MessageBox.h"
#include "platform/mfc/NotSupportedException.h"
#include "platform/mfc/UserException.h"
#include "platform/mfc/Wnd.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
constexpr char kParseInt[] = "Please enter an integer.";
constexpr char kParseUInt[] = "Please enter a positive integer.";
constexpr char kParseReal[] = "Please enter a number.";
constexpr char kParseIntRange[] = "Please enter an integer between %ld and %ld.";
constexpr char kParseUIntRange[] = "Please enter an integer between %lu and %lu.";
constexpr char kParseRealRange[] = "Please enter a number between %.*g and %.*g.";
constexpr char kParseStringSize[] = "Please enter no more than %d characters.";

CString WindowText(HWND hWnd)
{
    CString text;
    int nLength = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, text.GetBufferSetLength(nLength), nLength + 1);
    text.ReleaseBuffer();
    return text;
}

[[noreturn]] void FailWith(CDataExchange* pDX, LPCSTR lpszMessage)
{
    AfxMessageBox(lpszMessage, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Signed integers: the whole text (surrounded by blanks) must be a number within the range.
void ExchangeSigned(CDataExchange* pDX, int nIDC, long long& value, long long minVal, long long maxVal)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        ::SetWindowTextA(hWndCtrl, std::to_string(value).c_str());
        return;
    }
    CString text = WindowText(hWndCtrl);
    text.Trim();
    char* pEnd = nullptr;
    errno = 0;
    long long parsed = std::strtoll(text, &pEnd, 10);
    if (text.IsEmpty() || *pEnd != '\0' || errno == ERANGE || parsed < minVal || parsed > maxVal)
        FailWith(pDX, kParseInt);
    value = parsed;
}

void ExchangeUnsigned(CDataExchange* pDX, int nIDC, unsigned long long& value, unsigned long long maxVal)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        ::SetWindowTextA(hWndCtrl, std::to_string(value).c_str());
        return;
    }
    CString text = WindowText(hWndCtrl);
    text.Trim();
    char* pEnd = nullptr;
    errno = 0;
    unsigned long long parsed = std::strtoull(text, &pEnd, 10);
    if (text.IsEmpty() || text[0] == '-' || *pEnd != '\0' || errno == ERANGE || parsed > maxVal)
        FailWith(pDX, kParseUInt);
    value = parsed;
}

void ExchangeReal(CDataExchange* pDX, int nIDC, double& value, int nDigits)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        char text[64];
        std::snprintf(text, sizeof text, "%.*g", nDigits, value);
        ::SetWindowTextA(hWndCtrl, text);
        return;
    }
    CString text = WindowText(hWndCtrl);
    text.Trim();
    char* pEnd = nullptr;
    double parsed = std::strtod(text, &pEnd);
    if (text.IsEmpty() || *pEnd != '\0' || !std::isfinite(parsed))
        FailWith(pDX, kParseReal);
    value = parsed;
}

template <class T>
void ExchangeSignedAs(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal)
{
    long long wide = value;
    ExchangeSigned(pDX, nIDC, wide, minVal, maxVal);
    value = static_cast<T>(wide);
}

template <class T>
void ExchangeUnsignedAs(CDataExchange* pDX, int nIDC, T& value, unsigned long long maxVal)
{
    unsigned long long wide = value;
    ExchangeUnsigned(pDX, nIDC, wide, maxVal);
    value = static_cast<T>(wide);
}

void CheckSignedRange(CDataExchange* pDX, long long value, long long minVal, long long maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char text[128];
    std::snprintf(text, sizeof text, kParseIntRange, static_cast<long>(minVal), static_cast<long>(maxVal));
    FailWith(pDX, text);
}

void CheckUnsignedRange(CDataExchange* pDX, unsigned long long value, unsigned long long minVal,
                        unsigned long long maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char text[128];
    std::snprintf(text, sizeof text, kParseUIntRange, static_cast<unsigned long>(minVal),
                  static_cast<unsigned long>(maxVal));
    FailWith(pDX, text);
}

void CheckRealRange(CDataExchange* pDX, double value, double minVal, double maxVal, int nDigits)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char text[128];
    std::snprintf(text, sizeof text, kParseRealRange, nDigits, minVal, nDigits, maxVal);
    FailWith(pDX, text);
}

// Selects the string in a list or combo box: exact or by prefix, FALSE when absent.
void ExchangeListString(CDataExchange* pDX, int nIDC, CString& value, bool bCombo, bool bExact)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    UINT nGetCurSel = bCombo ? CB_GETCURSEL : LB_GETCURSEL;
    UINT nGetTextLen = bCombo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    UINT nGetText = bCombo ? CB_GETLBTEXT : LB_GETTEXT;
    if (pDX->m_bSaveAndValidate)
    {
        int nIndex = static_cast<int>(::SendMessageA(hWndCtrl, nGetCurSel, 0, 0));
        if (nIndex != -1)
        {
            int nLength = static_cast<int>(::SendMessageA(hWndCtrl, nGetTextLen, nIndex, 0));
            ::SendMessageA(hWndCtrl, nGetText, nIndex, reinterpret_cast<LPARAM>(value.GetBufferSetLength(nLength)));
            value.ReleaseBuffer();
        }
        else if (bCombo)
        {
            // The edit part of a combo box holds text that need not be in the list.
            value = WindowText(hWndCtrl);
        }
        else
        {
            value.Empty();
        }
        return;
    }
    UINT nFind = bCombo ? (bExact ? CB_FINDSTRINGEXACT : CB_SELECTSTRING) : (bExact ? LB_FINDSTRINGEXACT : LB_SELECTSTRING);
    LRESULT lIndex = ::SendMessageA(hWndCtrl, nFind, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    if (bExact && lIndex != -1)
        ::SendMessageA(hWndCtrl, bCombo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(lIndex), 0);
    if (lIndex == -1 && bCombo)
        ::SetWindowTextA(hWndCtrl, value);
}
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = nullptr;
    m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    if (hWndCtrl == nullptr)
        throw new CNotSupportedException;
    m_idLastControl = static_cast<UINT>(nIDC);
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0)
    {
        HWND hWndLastControl = nullptr;
        m_pDlgWnd->GetDlgItem(static_cast<int>(m_idLastControl), &hWndLastControl);
        if (hWndLastControl != nullptr)
        {
            ::SetFocus(hWndLastControl);
            if (m_bEditLastControl)
                ::SendMessageA(hWndLastControl, EM_SETSEL, 0, -1);
        }
    }
    throw new CUserException;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        throw new CNotSupportedException;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWndCtrl);
    else
        ::SetWindowTextA(hWndCtrl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeSignedAs(pDX, nIDC, value, INT_MIN, INT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeSignedAs(pDX, nIDC, value, LONG_MIN, LONG_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ExchangeSignedAs(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeUnsignedAs(pDX, nIDC, value, UINT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value) { ExchangeUnsignedAs(pDX, nIDC, value, ULONG_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { ExchangeUnsignedAs(pDX, nIDC, value, UCHAR_MAX); }

void DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    double wide = value;
    ExchangeReal(pDX, nIDC, wide, FLT_DIG);
    if (pDX->m_bSaveAndValidate && std::fabs(wide) > FLT_MAX)
        FailWith(pDX, kParseReal);
    value = static_cast<float>(wide);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    ExchangeReal(pDX, nIDC, value, DBL_DIG);
}

void DDX_Text(CDataExchange* pDX, int nIDC, LPSTR value, int nMaxLen)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        ::GetWindowTextA(hWndCtrl, value, nMaxLen);
    else
        ::SetWindowTextA(hWndCtrl, value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from the first button to the next control with WS_GROUP.
    int iButton = 0;
    do
    {
        if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            }
            else
            {
                ::SendMessageA(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            }
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(::GetWindowLongA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) { ExchangeListString(pDX, nIDC, value, true, false); }
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) { ExchangeListString(pDX, nIDC, value, true, true); }
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) { ExchangeListString(pDX, nIDC, value, false, false); }
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) { ExchangeListString(pDX, nIDC, value, false, true); }

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hWndCtrl, TBM_GETPOS, 0, 0));
    else
        ::SendMessageA(hWndCtrl, TBM_SETPOS, TRUE, value);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars)
    {
        char text[128];
        std::snprintf(text, sizeof text, kParseStringSize, nChars);
        FailWith(pDX, text);
    }
    else if (!pDX->m_bSaveAndValidate && pDX->m_idLastControl != 0 && pDX->m_bEditLastControl)
    {
        // Going to the control, the limit is set on the edit itself.
        HWND hWndLastControl = nullptr;
        pDX->m_pDlgWnd->GetDlgItem(static_cast<int>(pDX->m_idLastControl), &hWndLastControl);
        ::SendMessageA(hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) { CheckSignedRange(pDX, value, minVal, maxVal); }
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) { CheckSignedRange(pDX, value, minVal, maxVal); }
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) { CheckSignedRange(pDX, value, minVal, maxVal); }
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) { CheckUnsignedRange(pDX, value, minVal, maxVal); }
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) { CheckUnsignedRange(pDX, value, minVal, maxVal); }
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) { CheckUnsignedRange(pDX, value, minVal, maxVal); }
void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    CheckRealRange(pDX, value, minVal, maxVal, FLT_DIG);
}
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    CheckRealRange(pDX, value, minVal, maxVal, DBL_DIG);
}

void DDV_MinMaxSlider(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    if (!pDX->m_bSaveAndValidate)
    {
        // Going to the control, the range is set on the slider itself.
        HWND hWndLastControl = nullptr;
        pDX->m_pDlgWnd->GetDlgItem(static_cast<int>(pDX->m_idLastControl), &hWndLastControl);
        ::SendMessageA(hWndLastControl, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(minVal));
        ::SendMessageA(hWndLastControl, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(maxVal));
        return;
    }
    CheckUnsignedRange(pDX, value, minVal, maxVal);
}
