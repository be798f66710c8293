#pragma once
// The application object: start-up of OLE, common controls, GDI+, the paint manager, the
// clipboard format, the registry, the document template and the main frame; the commands that
// need no document (About, Help Topics, New, Open, Print Setup).
#include "app/FlashEditorShellHost.h"

#include "platform/mfc/WinApp.h"

#include <basetsd.h>

// Where Help Topics points the browser.
constexpr const char* kHelpPageAddress = "https://www.quorvalis.example/plivex/help/";
// The clipboard format of the shapes' text archive.
constexpr const char* kClipboardFormatName = "DUZAZOZAREVUVAD_ORAREDIDUD";
constexpr const char* kRegistryKey = "Quorvalis";
constexpr UINT kRecentFileCount = 4;

// Set by start-up: the id of the clipboard format named kClipboardFormatName.
extern UINT g_nClipboardFormat;

// Opens the address in the shell's browser object and returns at once; true when it navigated.
bool OpenUrlInBrowserWindow(const char* url);

class CFlashEditorApp : public CWinApp
{
public:
    CFlashEditorApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    // Editing keys for an edit control with the focus reach it before any accelerator.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnAppAbout();
    afx_msg void OnHelpTopics();

    DECLARE_MESSAGE_MAP()

private:
    // Opens the command line's document; one that cannot be opened (its message shown by the
    // document) leaves a new document in its place.
    BOOL OpenStartDocument();

    ULONG_PTR m_gdiplusToken = 0;
    bool m_bGdiplusStarted = false;
    CFlashEditorShellHost m_host;
};
