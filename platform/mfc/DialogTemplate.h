#pragma once
// An in-memory copy of a dialog template (plain or extended) whose font can be read and changed.
#include "platform/mfc/String.h"

#include <windows.h>

#include <vector>

class CDialogTemplate
{
public:
    explicit CDialogTemplate(LPCDLGTEMPLATEA pTemplate = nullptr);
    explicit CDialogTemplate(HGLOBAL hGlobal);

    BOOL SetTemplate(LPCDLGTEMPLATEA pTemplate, UINT cb);
    // Loads an RT_DIALOG resource of the resource module.
    BOOL Load(LPCSTR lpDialogTemplateID);
    LPCDLGTEMPLATEA GetTemplate() const;
    UINT GetTemplateSize() const { return static_cast<UINT>(m_data.size()); }
    // A global memory block holding the template, owned by the caller.
    HGLOBAL Detach();

    BOOL HasFont() const;
    BOOL GetFont(CString& strFaceName, WORD& nFontSize) const;
    // Sets (or adds) the font; the template's items follow unchanged.
    BOOL SetFont(LPCSTR lpFaceName, WORD nFontSize);
    // The system's dialog font at wSize points (its own size when 0).
    BOOL SetSystemFont(WORD wSize = 0);
    void GetSizeInDialogUnits(SIZE* pSize) const;
    void GetSizeInPixels(SIZE* pSize) const;

    static BOOL IsDialogEx(LPCDLGTEMPLATEA pTemplate);
    static BOOL HasFont(LPCDLGTEMPLATEA pTemplate);
    static BOOL GetFont(LPCDLGTEMPLATEA pTemplate, CString& strFaceName, WORD& nFontSize);
    // The size of a whole template, items included.
    static UINT GetTemplateSize(LPCDLGTEMPLATEA pTemplate);
    // A top-level dialog that asks for no place: at 0, 0 without DS_CENTER or DS_CENTERMOUSE.
    static BOOL IsUnplacedTopLevel(LPCDLGTEMPLATEA pTemplate);

    BOOL m_bSystemFont = FALSE;

private:
    std::vector<BYTE> m_data;
};
