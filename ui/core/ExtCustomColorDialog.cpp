#include "ui/core/ExtCustomColorDialog.h"

#include <utility>

namespace {
CExtCustomColorDialog::Runner g_pfnRunner = nullptr;
} // namespace

CExtCustomColorDialog::Runner CExtCustomColorDialog::Install(Runner pfnRunner)
{
    return std::exchange(g_pfnRunner, pfnRunner);
}

CExtCustomColorDialog::Runner CExtCustomColorDialog::GetInstalled() { return g_pfnRunner; }

bool CExtCustomColorDialog::Run(HWND hWndParent, COLORREF clrCurrent, COLORREF& clrChosen)
{
    return g_pfnRunner != nullptr && g_pfnRunner(hWndParent, clrCurrent, clrChosen);
}
