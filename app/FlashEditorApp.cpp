#include "app/FlashEditorApp.h"

#include "app/EditingKeys.h"
#include "app/FlashEditorChildFrame.h"
#include "app/dialogs/AboutDlg.h"
#include "app/FlashEditorMainFrame.h"
#include "model/FlashEditorDoc.h"
#include "resources/app/AppResources.h"
#include "stage/FlashEditorView.h"
#include "ui/controls/ExtColorDlg.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtCustomColorDialog.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"
#include "ui/core/ExtPopupBaseWnd.h"

#include "platform/gdiplus/GdiPlus.h"
#include "platform/mfc/CommandLineInfo.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/MultiDocTemplate.h"
#include "platform/mfc/OleInit.h"
#include "platform/mfc/SocketInit.h"

#include <commctrl.h>
#include <exdisp.h>
#include <ole2.h>

#include <string>

UINT g_nClipboardFormat = 0;

namespace {

// The shell's web-browser automation object.
constexpr CLSID kInternetExplorerClass = {0x0002DF01, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kWebBrowser2Interface = {0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};

// Style of the main frame: an overlapped window whose title names the active document.
constexpr DWORD kMainFrameStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;

std::u16string Widen(const char* text)
{
    std::u16string wide;
    int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length > 1)
    {
        wide.resize(length - 1);
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<LPWSTR>(wide.data()), length);
    }
    return wide;
}

} // namespace

bool OpenUrlInBrowserWindow(const char* url)
{
    IWebBrowser2* browser = nullptr;
    HRESULT hr = ::CoCreateInstance(kInternetExplorerClass, nullptr, CLSCTX_SERVER, kWebBrowser2Interface,
                                    reinterpret_cast<void**>(&browser));
    if (FAILED(hr) || browser == nullptr)
    {
        if (browser != nullptr)
            browser->Release();
        return false;
    }
    std::u16string wideUrl = Widen(url);
    BSTR address = ::SysAllocString(reinterpret_cast<const OLECHAR*>(wideUrl.c_str()));
    VARIANT flags;
    VARIANT target;
    VARIANT postData;
    VARIANT headers;
    ::VariantInit(&flags);
    ::VariantInit(&target);
    ::VariantInit(&postData);
    ::VariantInit(&headers);
    V_VT(&flags) = VT_I4;
    V_I4(&flags) = 0;
    V_VT(&target) = VT_BSTR;
    V_BSTR(&target) = ::SysAllocString(reinterpret_cast<const OLECHAR*>(u""));
    V_VT(&headers) = VT_BSTR;
    V_BSTR(&headers) = ::SysAllocString(reinterpret_cast<const OLECHAR*>(u""));
    hr = browser->Navigate(address, &flags, &target, &postData, &headers);
    ::SysFreeString(address);
    ::VariantClear(&flags);
    ::VariantClear(&target);
    ::VariantClear(&postData);
    ::VariantClear(&headers);
    const bool navigated = SUCCEEDED(hr);
    if (navigated)
        browser->put_Visible(VARIANT_TRUE);
    // The browser window lives on by itself.
    browser->Release();
    return navigated;
}

BEGIN_MESSAGE_MAP(CFlashEditorApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_HELP_TOPICS, OnHelpTopics)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CFlashEditorApp::CFlashEditorApp() = default;

BOOL CFlashEditorApp::InitInstance()
{
    ::OleInitialize(nullptr);
    ::InitCommonControls();
    CWinApp::InitInstance();

    Gdiplus::GdiplusStartupInput gdiplusInput;
    if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr) != Gdiplus::Ok)
    {
        // Without GDI+ nothing could draw: say so instead of opening a blank editor.
        AfxMessageBox(IDP_GDIPLUS_INIT_FAILED, MB_OK, UINT(-1));
        return FALSE;
    }
    m_bGdiplusStarted = true;

    g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerStudio2005));
    // Menus always open with all their items, over a shadow.
    CExtPopupBaseWnd::g_bHideRarelyUsedItems = false;
    CExtPopupBaseWnd::g_bPopupShadows = true;
    // Colour buttons' custom colours open the framework's colour dialog.
    CExtCustomColorDialog::Install(&CExtColorDlg::PickCustomColor);

    if (!AfxSocketInit())
    {
        AfxMessageBox(IDP_SOCKETS_INIT_FAILED, MB_OK, UINT(-1));
        return FALSE;
    }
    if (!AfxOleInit())
    {
        AfxMessageBox(IDP_OLE_INIT_FAILED, MB_OK, UINT(-1));
        return FALSE;
    }
    AfxEnableControlContainer();

    g_nClipboardFormat = ::RegisterClipboardFormatA(kClipboardFormatName);

    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(kRecentFileCount);

    AddDocTemplate(new CMultiDocTemplate(IDR_QPDTYPE, RUNTIME_CLASS(CFlashEditorDoc),
                                         RUNTIME_CLASS(CFlashEditorChildFrame), RUNTIME_CLASS(CFlashEditorView)));
    CFlashEditorDoc::SetDocumentHost(&m_host);
    CFlashEditorView::SetStageHost(&m_host);

    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    auto* pMainFrame = new CFlashEditorMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, kMainFrameStyle, nullptr, nullptr))
    {
        delete pMainFrame;
        return FALSE;
    }
    m_pMainWnd = pMainFrame;

    if (!OpenStartDocument())
        return FALSE;

    pMainFrame->UpdateToolOptionBars();
    pMainFrame->ActivateFrame(SW_SHOW);
    // The document recorded its base state when it was made or opened: a started editor shows
    // "Can't Undo" and an unmodified document.
    return TRUE;
}

BOOL CFlashEditorApp::PreTranslateMessage(MSG* pMsg)
{
    if (IsEditingKeyForEditControl(*pMsg))
        return FALSE;
    return CWinApp::PreTranslateMessage(pMsg);
}

BOOL CFlashEditorApp::OpenStartDocument()
{
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (ProcessShellCommand(commandLine))
        return TRUE;
    if (commandLine.m_nShellCommand != CCommandLineInfo::FileOpen)
        return FALSE;
    // The document has shown why the file did not open; the editor starts on a new one.
    OnFileNew();
    return m_pMainWnd != nullptr;
}

int CFlashEditorApp::ExitInstance()
{
    CFlashEditorDoc::SetDocumentHost(nullptr);
    CFlashEditorView::SetStageHost(nullptr);
    // The command profile outlives the main frame; its icons go while Win32 still answers:
    // destroyed with the process-wide manager, after exit began, they would make Wine report
    // the process as ended with status 0.
    g_CmdManager->RemoveAllCommands(m_pszProfileName);
    if (m_bGdiplusStarted)
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_bGdiplusStarted = false;
    AfxOleTerm();
    ::OleUninitialize();
    return CWinApp::ExitInstance();
}

void CFlashEditorApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

void CFlashEditorApp::OnHelpTopics()
{
    if (OpenUrlInBrowserWindow(kHelpPageAddress))
        return;
    CString message;
    message.Format("The help pages are at %s", kHelpPageAddress);
    AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
}
