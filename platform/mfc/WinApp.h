#pragma once
// The application object: start-up and message loop of the user-interface thread, the
// application's name and its settings in the registry.
#include "platform/mfc/String.h"
#include "platform/mfc/WinThread.h"

#include <windows.h>

class CCmdUI;
class CCommandLineInfo;
class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CWnd;

// String-table id of the application's title (a macro, as resource scripts use it too).
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 0xE000
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 0xE141
#endif

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszHelpFilePath = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    LPCSTR m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // Context-help mode (Shift+F1) is on.
    BOOL m_bHelpMode = FALSE;

    // Called by the entry point before InitInstance: names, handles and command line.
    void SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Settings live under HKEY_CURRENT_USER\Software\<key>\<application name> once a key is
    // set; before that in the private profile file m_pszProfileName.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // The application's key (created when missing); the caller closes it. Null without a registry key.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCSTR lpszSection);
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // The value's bytes in a new[] block the caller deletes with delete[]; FALSE (and null) when absent.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

    HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;
    HCURSOR LoadOEMCursor(UINT nIDCursor) const;
    HICON LoadIcon(LPCSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;

    // ID_APP_EXIT: closes the main window.
    afx_msg void OnAppExit();

    // Documents: the templates live in m_pDocManager (made by the first AddDocTemplate).
    CDocManager* m_pDocManager = nullptr;
    void AddDocTemplate(CDocTemplate* pTemplate);
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    // Asks to save every modified document; FALSE when the user cancels.
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount();
    // ID_FILE_NEW, ID_FILE_OPEN and ID_FILE_PRINT_SETUP, for applications to put in their maps.
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();

    // The recent-file list of nMaxMRU entries (none for 0), read from the settings; written at exit.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    virtual void AddToRecentFileList(LPCSTR lpszPathName);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    // An entry that no longer opens leaves the list.
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    CRecentFileList* m_pRecentFileList = nullptr;

    // The shell: command line, file-type registration and open by DDE.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // New document, open, print, or registration; FALSE when the application should not go on.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // Answers the shell's DDE conversation (application name, topic "system") in the main frame.
    void EnableShellOpen();
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    virtual BOOL OnDDECommand(LPSTR lpszCommand);
    ATOM m_atomApp = 0;
    ATOM m_atomSystemTopic = 0;
    // The printer chosen by print set-up.
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    CString m_strAppName;
    CString m_strExeName;
    CString m_strHelpFilePath;
    CString m_strRegistryKey;
    CString m_strProfileName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The framework's start-up: handles, InitInstance, then Run (or ExitInstance when it fails).
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
