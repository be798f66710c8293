#include "app/panels/FontComboBox.h"

#include "model/archive/DrawableFont.h"

CFontEnum::CFontEnum(HDC hDC, CFontComboBox& combo) : m_hDC(hDC), m_combo(combo) {}

void CFontEnum::Enumerate()
{
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExA(m_hDC, &logFont, &CFontEnum::OnFont, reinterpret_cast<LPARAM>(this), 0);
}

std::string CFontEnum::ListedName(const char* fullName)
{
    std::string name(fullName != nullptr ? fullName : "");
    if (name.size() <= kMaxNameLength)
        return name;
    for (size_t i = kMaxNameLength; i >= 1; --i)
    {
        if (name[i] == ' ')
            return name.substr(0, i);
    }
    return name.substr(0, kMaxNameLength);
}

int CALLBACK CFontEnum::OnFont(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD type, LPARAM self)
{
    // A face GDI+ cannot draw is not offered.
    if (!CDrawableFont::IsDrawableType(type))
        return 1;
    const auto* full = reinterpret_cast<const ENUMLOGFONTEXA*>(logFont);
    // The full name field is not guaranteed to end within its bytes.
    const std::string fullName(reinterpret_cast<const char*>(full->elfFullName),
                               ::strnlen(reinterpret_cast<const char*>(full->elfFullName), LF_FULLFACESIZE));
    reinterpret_cast<CFontEnum*>(self)->AddName(ListedName(fullName.c_str()));
    return 1;
}

void CFontEnum::AddName(const std::string& name)
{
    if (name != m_previous && m_names.insert(name).second)
        m_combo.AddString(name.c_str());
    m_previous = name;
}

void CFontComboBox::FillFontNames()
{
    HDC hDC = ::GetDC(m_hWnd);
    CFontEnum(hDC, *this).Enumerate();
    ::ReleaseDC(m_hWnd, hDC);
}

BOOL CFontComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE && reinterpret_cast<HWND>(lParam) == m_hWnd)
    {
        RememberSelection();
        return FALSE;
    }
    return CExtComboBox::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CFontComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
    {
        CString typed;
        GetWindowText(typed);
        const int found = typed.IsEmpty() ? CB_ERR : FindString(-1, typed);
        if (found != CB_ERR)
        {
            SetCurSel(found);
            RememberSelection();
            ::SendNotifyMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(m_hWnd));
        }
    }
    else if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        SetCurSel(m_nLastSelection);
    return CExtComboBox::PreTranslateMessage(pMsg);
}
