#include "platform/mfc/DialogTemplate.h"

#include "platform/mfc/Globals.h"

#include <cstring>

namespace
{
constexpr WORD kExtendedSignature = 0xFFFF;
constexpr int kPointsPerInch = 72;
constexpr WORD kDefaultFontSize = 8;

struct TemplateLayout
{
    bool bExtended = false;
    DWORD dwStyle = 0;
    WORD nItems = 0;
    size_t nFontOffset = 0;   // where the font block starts (or would start)
    size_t nFontEnd = 0;      // where it ends (equal to nFontOffset without a font)
    size_t nItemsOffset = 0;  // first item, DWORD aligned
    size_t nTotal = 0;        // end of the last item
};

size_t Align(size_t nOffset, size_t nAlignment)
{
    return (nOffset + nAlignment - 1) / nAlignment * nAlignment;
}

WORD ReadWord(const BYTE* p, size_t nOffset)
{
    WORD w;
    std::memcpy(&w, p + nOffset, sizeof w);
    return w;
}

DWORD ReadDword(const BYTE* p, size_t nOffset)
{
    DWORD dw;
    std::memcpy(&dw, p + nOffset, sizeof dw);
    return dw;
}

// Skips a name-or-ordinal field.
size_t SkipSzOrOrd(const BYTE* p, size_t nOffset)
{
    WORD w = ReadWord(p, nOffset);
    if (w == 0)
        return nOffset + 2;
    if (w == 0xFFFF)
        return nOffset + 4;
    while (ReadWord(p, nOffset) != 0)
        nOffset += 2;
    return nOffset + 2;
}

size_t SkipString(const BYTE* p, size_t nOffset)
{
    while (ReadWord(p, nOffset) != 0)
        nOffset += 2;
    return nOffset + 2;
}

TemplateLayout ParseLayout(const BYTE* p)
{
    TemplateLayout layout;
    layout.bExtended = ReadWord(p, 2) == kExtendedSignature;
    size_t nOffset = 0;
    if (layout.bExtended)
    {
        layout.dwStyle = ReadDword(p, 12);
        layout.nItems = ReadWord(p, 16);
        nOffset = 26;
    }
    else
    {
        layout.dwStyle = ReadDword(p, 0);
        layout.nItems = ReadWord(p, 8);
        nOffset = 18;
    }
    nOffset = SkipSzOrOrd(p, nOffset);  // menu
    nOffset = SkipSzOrOrd(p, nOffset);  // class
    nOffset = SkipString(p, nOffset);   // title
    layout.nFontOffset = nOffset;
    if (layout.dwStyle & DS_SETFONT)
    {
        nOffset += layout.bExtended ? 6 : 2;  // size (and weight, italic, charset)
        nOffset = SkipString(p, nOffset);
    }
    layout.nFontEnd = nOffset;
    layout.nItemsOffset = Align(nOffset, 4);
    nOffset = layout.nItemsOffset;
    for (WORD i = 0; i < layout.nItems; ++i)
    {
        nOffset = Align(nOffset, 4);
        nOffset += layout.bExtended ? 24 : 18;
        nOffset = SkipSzOrOrd(p, nOffset);  // class
        nOffset = SkipSzOrOrd(p, nOffset);  // title
        WORD nExtra = ReadWord(p, nOffset);
        nOffset += 2 + nExtra;
    }
    layout.nTotal = nOffset;
    return layout;
}

std::u16string ToWide(LPCSTR psz)
{
    int nLength = ::MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    std::u16string wide(static_cast<size_t>(nLength > 0 ? nLength : 1), u'\0');
    if (nLength > 0)
        ::MultiByteToWideChar(CP_ACP, 0, psz, -1, reinterpret_cast<LPWSTR>(&wide[0]), nLength);
    return wide;  // includes the terminating NUL
}

CString ToAnsi(const BYTE* pWide)
{
    LPCWSTR lpWide = reinterpret_cast<LPCWSTR>(pWide);
    int nLength = ::WideCharToMultiByte(CP_ACP, 0, lpWide, -1, nullptr, 0, nullptr, nullptr);
    CString result;
    if (nLength > 0)
    {
        ::WideCharToMultiByte(CP_ACP, 0, lpWide, -1, result.GetBuffer(nLength), nLength, nullptr, nullptr);
        result.ReleaseBuffer();
    }
    return result;
}
}

CDialogTemplate::CDialogTemplate(LPCDLGTEMPLATEA pTemplate)
{
    if (pTemplate != nullptr)
        SetTemplate(pTemplate, GetTemplateSize(pTemplate));
}

CDialogTemplate::CDialogTemplate(HGLOBAL hGlobal)
{
    if (hGlobal == nullptr)
        return;
    auto* pTemplate = static_cast<LPCDLGTEMPLATEA>(::GlobalLock(hGlobal));
    if (pTemplate != nullptr)
        SetTemplate(pTemplate, GetTemplateSize(pTemplate));
    ::GlobalUnlock(hGlobal);
}

BOOL CDialogTemplate::SetTemplate(LPCDLGTEMPLATEA pTemplate, UINT cb)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(pTemplate);
    m_data.assign(p, p + cb);
    m_bSystemFont = FALSE;
    return TRUE;
}

BOOL CDialogTemplate::Load(LPCSTR lpDialogTemplateID)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, lpDialogTemplateID, reinterpret_cast<LPCSTR>(RT_DIALOG));
    HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
    if (hTemplate == nullptr)
        return FALSE;
    auto* pTemplate = static_cast<LPCDLGTEMPLATEA>(::LockResource(hTemplate));
    return SetTemplate(pTemplate, static_cast<UINT>(::SizeofResource(hInst, hResource)));
}

LPCDLGTEMPLATEA CDialogTemplate::GetTemplate() const
{
    return m_data.empty() ? nullptr : reinterpret_cast<LPCDLGTEMPLATEA>(m_data.data());
}

HGLOBAL CDialogTemplate::Detach()
{
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, m_data.size());
    if (hGlobal == nullptr)
        return nullptr;
    std::memcpy(::GlobalLock(hGlobal), m_data.data(), m_data.size());
    ::GlobalUnlock(hGlobal);
    m_data.clear();
    return hGlobal;
}

BOOL CDialogTemplate::IsDialogEx(LPCDLGTEMPLATEA pTemplate)
{
    return ReadWord(reinterpret_cast<const BYTE*>(pTemplate), 2) == kExtendedSignature;
}

BOOL CDialogTemplate::IsUnplacedTopLevel(LPCDLGTEMPLATEA pTemplate)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(pTemplate);
    const TemplateLayout layout = ParseLayout(p);
    const size_t nPosition = layout.bExtended ? 18 : 10;
    const bool bAtOrigin = ReadWord(p, nPosition) == 0 && ReadWord(p, nPosition + 2) == 0;
    return bAtOrigin && (layout.dwStyle & (WS_CHILD | DS_CENTER | DS_CENTERMOUSE)) == 0;
}

BOOL CDialogTemplate::HasFont(LPCDLGTEMPLATEA pTemplate)
{
    return (ParseLayout(reinterpret_cast<const BYTE*>(pTemplate)).dwStyle & DS_SETFONT) != 0;
}

BOOL CDialogTemplate::GetFont(LPCDLGTEMPLATEA pTemplate, CString& strFaceName, WORD& nFontSize)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(pTemplate);
    TemplateLayout layout = ParseLayout(p);
    if (!(layout.dwStyle & DS_SETFONT))
        return FALSE;
    nFontSize = ReadWord(p, layout.nFontOffset);
    strFaceName = ToAnsi(p + layout.nFontOffset + (layout.bExtended ? 6 : 2));
    return TRUE;
}

UINT CDialogTemplate::GetTemplateSize(LPCDLGTEMPLATEA pTemplate)
{
    return static_cast<UINT>(ParseLayout(reinterpret_cast<const BYTE*>(pTemplate)).nTotal);
}

BOOL CDialogTemplate::HasFont() const
{
    return !m_data.empty() && HasFont(GetTemplate());
}

BOOL CDialogTemplate::GetFont(CString& strFaceName, WORD& nFontSize) const
{
    return !m_data.empty() && GetFont(GetTemplate(), strFaceName, nFontSize);
}

BOOL CDialogTemplate::SetFont(LPCSTR lpFaceName, WORD nFontSize)
{
    if (m_data.empty() || lpFaceName == nullptr)
        return FALSE;
    TemplateLayout layout = ParseLayout(m_data.data());
    // The header up to the font, the new font block (size, attributes of extended templates, face), the items.
    std::u16string face = ToWide(lpFaceName);
    std::vector<BYTE> result(m_data.begin(), m_data.begin() + static_cast<ptrdiff_t>(layout.nFontOffset));
    auto append = [&result](const void* pData, size_t nBytes) {
        size_t nOld = result.size();
        result.resize(nOld + nBytes);
        std::memcpy(result.data() + nOld, pData, nBytes);
    };
    append(&nFontSize, sizeof nFontSize);
    if (layout.bExtended)
    {
        // Weight, italic and character set stay as they were, or default for a new font.
        const BYTE kDefaultAttributes[4] = {0, 0, 0, DEFAULT_CHARSET};
        append((layout.dwStyle & DS_SETFONT) ? m_data.data() + layout.nFontOffset + 2 : kDefaultAttributes, 4);
    }
    append(face.data(), face.size() * sizeof(char16_t));
    result.resize(Align(result.size(), 4), 0);
    result.insert(result.end(), m_data.begin() + static_cast<ptrdiff_t>(layout.nItemsOffset),
                  m_data.begin() + static_cast<ptrdiff_t>(layout.nTotal));
    DWORD dwStyle = layout.dwStyle | DS_SETFONT;
    std::memcpy(result.data() + (layout.bExtended ? 12 : 0), &dwStyle, sizeof dwStyle);
    m_data.swap(result);
    return TRUE;
}

BOOL CDialogTemplate::SetSystemFont(WORD wSize)
{
    LOGFONTA logFont = {};
    HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (hFont == nullptr || ::GetObjectA(hFont, sizeof logFont, &logFont) == 0)
        return FALSE;
    if (wSize == 0)
    {
        HDC hDC = ::GetDC(nullptr);
        int nSize = ::MulDiv(logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight, kPointsPerInch,
                             ::GetDeviceCaps(hDC, LOGPIXELSY));
        ::ReleaseDC(nullptr, hDC);
        wSize = static_cast<WORD>(nSize > 0 ? nSize : kDefaultFontSize);
    }
    m_bSystemFont = TRUE;
    return SetFont(logFont.lfFaceName, wSize);
}

void CDialogTemplate::GetSizeInDialogUnits(SIZE* pSize) const
{
    const BYTE* p = m_data.data();
    size_t nOffset = IsDialogEx(GetTemplate()) ? 22 : 14;
    pSize->cx = static_cast<SHORT>(ReadWord(p, nOffset));
    pSize->cy = static_cast<SHORT>(ReadWord(p, nOffset + 2));
}

void CDialogTemplate::GetSizeInPixels(SIZE* pSize) const
{
    // Dialog units of the template's font: a quarter of the average width, an eighth of the height.
    GetSizeInDialogUnits(pSize);
    CString strFace;
    WORD nSize = kDefaultFontSize;
    if (!GetFont(strFace, nSize))
        strFace = "MS Shell Dlg";
    HDC hDC = ::GetDC(nullptr);
    HFONT hFont = ::CreateFontA(-::MulDiv(nSize, ::GetDeviceCaps(hDC, LOGPIXELSY), kPointsPerInch), 0, 0, 0, FW_NORMAL,
                                0, 0, 0, DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH, strFace);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    SIZE sizeText = {0, 0};
    constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    ::GetTextExtentPoint32A(hDC, kAlphabet, 52, &sizeText);
    int cxChar = (sizeText.cx / 26 + 1) / 2;
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(nullptr, hDC);
    pSize->cx = ::MulDiv(pSize->cx, cxChar, 4);
    pSize->cy = ::MulDiv(pSize->cy, tm.tmHeight, 8);
}
