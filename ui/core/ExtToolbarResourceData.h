#pragma once
// The command ids of a tool-bar resource and the bitmap of the same name, for the tool-bar
// import of a command profile.
#include "platform/mfc/Afx.h"

#include <vector>

class CExtToolbarResourceData
{
public:
    CExtToolbarResourceData() = default;
    CExtToolbarResourceData(const CExtToolbarResourceData&) = delete;
    CExtToolbarResourceData& operator=(const CExtToolbarResourceData&) = delete;
    ~CExtToolbarResourceData();

    // Reads both resources through the resource manager; false when either is missing, the
    // button size is zero or the resource lists no command.
    bool Load(LPCSTR lpszResourceName, COLORREF clrMask);
    // Reads the version, button size and ids of RT_TOOLBAR bytes; false for a zero button size
    // or no command.
    bool ReadIds(const BYTE* pData, DWORD dwSize);
    // The rectangle of the image of the i-th non-zero id; false when the bitmap is too small.
    bool GetImageRect(size_t nImage, RECT& rcOut) const;

    std::vector<UINT> m_allIds;    // separators included as 0
    std::vector<UINT> m_buttonIds; // the non-zero ids in resource order
    COLORREF m_clrMask = 0;
    HBITMAP m_hBitmap = nullptr;
    int m_nButtonWidth = 0;
    int m_nButtonHeight = 0;
    WORD m_wVersion = 0;

private:
    int m_nBitmapWidth = 0;
    int m_nBitmapHeight = 0;
};
