#include "ui/core/ExtToolbarResourceData.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtResourceManager.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr WORD RESOURCE_TYPE_TOOLBAR = 241;
constexpr WORD RESOURCE_TYPE_BITMAP = 2;
// Version, button width, button height, item count.
constexpr DWORD HEADER_WORDS = 4;
} // namespace

CExtToolbarResourceData::~CExtToolbarResourceData()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
}

bool CExtToolbarResourceData::Load(LPCSTR lpszResourceName, COLORREF clrMask)
{
    m_clrMask = clrMask;
    CExtResourceManager* pManager = g_ResourceManagerHolder.GetManager();
    CExtResourceBuffer data;
    if (!pManager->LoadResource(data, MAKEINTRESOURCEA(RESOURCE_TYPE_TOOLBAR), lpszResourceName))
        return false;
    if (!ReadIds(data.GetBuffer(), data.GetSize()))
        return false;
    HRSRC hBitmapResource = nullptr;
    HINSTANCE hModule =
        pManager->FindResource(MAKEINTRESOURCEA(RESOURCE_TYPE_BITMAP), lpszResourceName, nullptr, &hBitmapResource);
    if (hModule == nullptr)
        return false;
    m_hBitmap = CExtPaintManager::LoadBitmapFromResource(hModule, hBitmapResource);
    if (m_hBitmap == nullptr)
        return false;
    BITMAP info = {};
    ::GetObjectA(m_hBitmap, sizeof info, &info);
    m_nBitmapWidth = info.bmWidth;
    m_nBitmapHeight = info.bmHeight;
    return true;
}

bool CExtToolbarResourceData::ReadIds(const BYTE* pData, DWORD dwSize)
{
    m_allIds.clear();
    m_buttonIds.clear();
    if (pData == nullptr || dwSize < HEADER_WORDS * sizeof(WORD))
        return false;
    WORD header[HEADER_WORDS];
    std::memcpy(header, pData, sizeof header);
    m_wVersion = header[0];
    m_nButtonWidth = header[1];
    m_nButtonHeight = header[2];
    if (m_nButtonWidth == 0 || m_nButtonHeight == 0)
        return false;
    // The stated count is not trusted: ids stop at the resource's end.
    const DWORD nAvailable = (dwSize - sizeof header) / sizeof(WORD);
    const DWORD nCount = std::min<DWORD>(header[3], nAvailable);
    const BYTE* pIds = pData + sizeof header;
    for (DWORD i = 0; i < nCount; ++i)
    {
        WORD wId = 0;
        std::memcpy(&wId, pIds + i * sizeof(WORD), sizeof wId);
        m_allIds.push_back(wId);
        if (wId != 0)
            m_buttonIds.push_back(wId);
    }
    return !m_buttonIds.empty();
}

bool CExtToolbarResourceData::GetImageRect(size_t nImage, RECT& rcOut) const
{
    const long long nLeft = static_cast<long long>(nImage) * m_nButtonWidth;
    if (nLeft + m_nButtonWidth > m_nBitmapWidth || m_nButtonHeight > m_nBitmapHeight)
        return false;
    rcOut = {static_cast<LONG>(nLeft), 0, static_cast<LONG>(nLeft + m_nButtonWidth), m_nButtonHeight};
    return true;
}
