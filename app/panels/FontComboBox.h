#pragma once
// The Font panel's face list: the installed font families that GDI+ can draw, each listed once;
// Enter selects the first face starting with the typed text, Escape returns to the face chosen
// before.
#include "ui/core/ExtComboBox.h"

#include <set>
#include <string>

class CFontComboBox;

// Fills a face list from the drawable families a device context reports.
class CFontEnum
{
public:
    // Listed names are cut to this many characters.
    static constexpr size_t kMaxNameLength = 31;

    CFontEnum(HDC hDC, CFontComboBox& combo);
    void Enumerate();
    // The name as listed: a longer one ends before the last space among its first
    // kMaxNameLength + 1 characters, else it is cut to kMaxNameLength.
    static std::string ListedName(const char* fullName);

private:
    static int CALLBACK OnFont(const LOGFONTA* logFont, const TEXTMETRICA* metrics, DWORD type, LPARAM self);
    void AddName(const std::string& name);

    HDC m_hDC;
    CFontComboBox& m_combo;
    std::string m_previous;
    std::set<std::string> m_names;
};

class CFontComboBox : public CExtComboBox
{
public:
    void FillFontNames();
    // The selection Escape returns to.
    void RememberSelection() { m_nLastSelection = GetCurSel(); }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    int m_nLastSelection = -1;
};
