#include "platform/mfc/WinApp.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/CmdUI.h"
#include "platform/mfc/CommandLineInfo.h"
#include "platform/mfc/DocManager.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/OleInit.h"
#include "platform/mfc/RecentFileList.h"
#include "platform/mfc/Wnd.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace
{
CWinApp* g_pApp = nullptr;
constexpr char kSoftwareKey[] = "Software";

class CRegKey
{
public:
    explicit CRegKey(HKEY hKey = nullptr) : m_hKey(hKey) {}
    ~CRegKey()
    {
        if (m_hKey != nullptr)
            ::RegCloseKey(m_hKey);
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey;
};

HKEY CreateSubKey(HKEY hParent, LPCSTR lpszName)
{
    HKEY hKey = nullptr;
    DWORD dw = 0;
    if (hParent == nullptr ||
        ::RegCreateKeyExA(hParent, lpszName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, nullptr, &hKey,
                          &dw) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

// Reads a value of the expected type into a buffer sized by the registry.
bool QueryValue(HKEY hKey, LPCSTR lpszEntry, DWORD dwExpectedType, std::vector<BYTE>& data)
{
    DWORD dwType = 0;
    DWORD dwCount = 0;
    if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &dwType, nullptr, &dwCount) != ERROR_SUCCESS ||
        dwType != dwExpectedType)
        return false;
    data.resize(dwCount);
    if (dwCount == 0)
        return true;
    if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &dwType, data.data(), &dwCount) != ERROR_SUCCESS)
        return false;
    data.resize(dwCount);
    return true;
}
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

CWinApp::CWinApp(LPCSTR lpszAppName)
{
    g_pApp = this;
    if (lpszAppName != nullptr)
    {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
        AfxSetAppName(m_pszAppName);
    }
}

namespace {

// What the application holds of Win32: the templates' menus and accelerators, the shell's DDE
// atoms, the printer set-up. Released by ExitInstance, while Win32 still answers: a Winelib
// program's static destructors run after its connection to the Wine server has closed.
void ReleaseWin32Resources(CWinApp& app)
{
    delete app.m_pDocManager;
    app.m_pDocManager = nullptr;
    if (app.m_atomApp != 0)
        ::GlobalDeleteAtom(app.m_atomApp);
    if (app.m_atomSystemTopic != 0)
        ::GlobalDeleteAtom(app.m_atomSystemTopic);
    app.m_atomApp = app.m_atomSystemTopic = 0;
    if (app.m_hDevMode != nullptr)
        ::GlobalFree(app.m_hDevMode);
    if (app.m_hDevNames != nullptr)
        ::GlobalFree(app.m_hDevNames);
    app.m_hDevMode = app.m_hDevNames = nullptr;
}

} // namespace

CWinApp::~CWinApp()
{
    ReleaseWin32Resources(*this);
    delete m_pRecentFileList;
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow)
{
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;
    AfxSetInstanceHandle(hInstance);

    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(hInstance, path, MAX_PATH);
    CString strPath(path);
    int nSlash = std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
    CString strFile = strPath.Mid(nSlash + 1);
    int nDot = strFile.Find('.');
    m_strExeName = nDot >= 0 ? strFile.Left(nDot) : strFile;
    m_pszExeName = m_strExeName;

    if (m_pszAppName == nullptr)
    {
        // The title from the string table, else the program's name.
        if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE))
            m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName;
    }
    AfxSetAppName(m_pszAppName);

    CString strBase = nDot >= 0 ? strPath.Left(nSlash + 1 + nDot) : strPath;
    m_strHelpFilePath = strBase + ".HLP";
    m_pszHelpFilePath = m_strHelpFilePath;
    if (m_pszProfileName == nullptr)
    {
        m_strProfileName = m_strExeName + ".INI";
        m_pszProfileName = m_strProfileName;
    }
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList();
    AfxOleTerm();
    ReleaseWin32Resources(*this);
    return CWinThread::ExitInstance();
}

int CWinApp::Run()
{
    // Without a main window there is nothing to run: leave at once.
    if (m_pMainWnd == nullptr)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    CWnd* pMainWnd = GetMainWnd();
    HWND hWndOwner = ::GetActiveWindow();
    if (hWndOwner == nullptr && pMainWnd != nullptr)
        hWndOwner = pMainWnd->m_hWnd;
    return AfxShowMessageBox(hWndOwner, lpszPrompt, nType);
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    // From now on the profile is the application's key, named after the application.
    m_strProfileName = m_pszAppName != nullptr ? m_pszAppName : "";
    m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr)
        return nullptr;
    HKEY hSoftKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSoftwareKey, 0, KEY_WRITE | KEY_READ, &hSoftKey) != ERROR_SUCCESS)
        return nullptr;
    CRegKey softKey(hSoftKey);
    CRegKey companyKey(CreateSubKey(softKey, m_pszRegistryKey));
    return CreateSubKey(companyKey, m_pszProfileName);
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection)
{
    CRegKey appKey(GetAppRegistryKey());
    return CreateSubKey(appKey, lpszSection);
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == nullptr)
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    CRegKey sectionKey(GetSectionKey(lpszSection));
    if (sectionKey == nullptr)
        return static_cast<UINT>(nDefault);
    std::vector<BYTE> data;
    if (!QueryValue(sectionKey, lpszEntry, REG_DWORD, data) || data.size() != sizeof(DWORD))
        return static_cast<UINT>(nDefault);
    DWORD dwValue = 0;
    std::memcpy(&dwValue, data.data(), sizeof dwValue);
    return dwValue;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == nullptr)
    {
        char text[16];
        wsprintfA(text, "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    CRegKey sectionKey(GetSectionKey(lpszSection));
    if (sectionKey == nullptr)
        return FALSE;
    DWORD dwValue = static_cast<DWORD>(nValue);
    return ::RegSetValueExA(sectionKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                            sizeof dwValue) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    if (m_pszRegistryKey == nullptr)
    {
        constexpr DWORD kMaxIniValue = 4096;
        CString strValue;
        DWORD nLength = ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault != nullptr ? lpszDefault : "",
                                                   strValue.GetBuffer(kMaxIniValue), kMaxIniValue, m_pszProfileName);
        strValue.ReleaseBuffer(static_cast<int>(nLength));
        return strValue;
    }
    CRegKey sectionKey(GetSectionKey(lpszSection));
    std::vector<BYTE> data;
    if (sectionKey == nullptr || !QueryValue(sectionKey, lpszEntry, REG_SZ, data))
        return CString(lpszDefault);
    // Registry strings need not be terminated: stop at the first NUL or the end of the data.
    CString strValue(reinterpret_cast<LPCSTR>(data.data()), static_cast<int>(data.size()));
    strValue.ReleaseBuffer();
    return strValue;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (m_pszRegistryKey == nullptr)
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszEntry == nullptr)
    {
        // A null entry removes the whole section.
        CRegKey appKey(GetAppRegistryKey());
        return appKey != nullptr && ::RegDeleteKeyA(appKey, lpszSection) == ERROR_SUCCESS;
    }
    CRegKey sectionKey(GetSectionKey(lpszSection));
    if (sectionKey == nullptr)
        return FALSE;
    if (lpszValue == nullptr)
        return ::RegDeleteValueA(sectionKey, lpszEntry) == ERROR_SUCCESS;
    return ::RegSetValueExA(sectionKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>(lstrlenA(lpszValue) + 1)) == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    std::vector<BYTE> data;
    if (m_pszRegistryKey == nullptr)
    {
        // The private profile keeps binary values as hexadecimal text, two letters a byte.
        CString strHex = GetProfileString(lpszSection, lpszEntry);
        if (strHex.IsEmpty() || strHex.GetLength() % 2 != 0)
            return FALSE;
        for (int i = 0; i < strHex.GetLength(); i += 2)
        {
            int nHigh = strHex[i] - 'A';
            int nLow = strHex[i + 1] - 'A';
            if (nHigh < 0 || nHigh > 15 || nLow < 0 || nLow > 15)
                return FALSE;
            data.push_back(static_cast<BYTE>(nHigh << 4 | nLow));
        }
    }
    else
    {
        CRegKey sectionKey(GetSectionKey(lpszSection));
        if (sectionKey == nullptr || !QueryValue(sectionKey, lpszEntry, REG_BINARY, data))
            return FALSE;
    }
    *ppData = new BYTE[data.size() > 0 ? data.size() : 1];
    std::memcpy(*ppData, data.data(), data.size());
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == nullptr)
    {
        CString strHex;
        for (UINT i = 0; i < nBytes; ++i)
        {
            strHex += static_cast<char>('A' + (pData[i] >> 4));
            strHex += static_cast<char>('A' + (pData[i] & 0x0F));
        }
        return WriteProfileString(lpszSection, lpszEntry, strHex);
    }
    CRegKey sectionKey(GetSectionKey(lpszSection));
    if (sectionKey == nullptr)
        return FALSE;
    return ::RegSetValueExA(sectionKey, lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}

HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const { return ::LoadCursorA(AfxGetResourceHandle(), lpszResourceName); }
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEA(nIDResource)); }
HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }
HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const { return ::LoadCursorA(nullptr, MAKEINTRESOURCEA(nIDCursor)); }
HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const { return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName); }
HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEA(nIDResource)); }
HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->SetCurrentHandles(hInstance, lpCmdLine, nCmdShow);
    if (!pApp->InitApplication())
        return -1;
    if (!pApp->InitInstance())
    {
        if (pApp->m_pMainWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

// ---------------------------------------------------------------------------------------------
// Documents and the shell

namespace
{
constexpr const char* kRecentFileSection = "Recent File List";
constexpr const char* kRecentFileEntry = "File%d";
constexpr const char* kSystemTopic = "system";
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == nullptr)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    return m_pDocManager != nullptr ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    return m_pDocManager != nullptr &&
           m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager == nullptr || m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != nullptr)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount()
{
    return m_pDocManager != nullptr ? m_pDocManager->GetOpenDocumentCount() : 0;
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != nullptr)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager != nullptr)
        m_pDocManager->OnFileOpen();
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = HwndOf(m_pMainWnd);
    pd.hDevMode = m_hDevMode;
    pd.hDevNames = m_hDevNames;
    pd.Flags = PD_PRINTSETUP;
    // The dialog may replace the blocks it was given; keep whatever it returns.
    ::PrintDlgA(&pd);
    m_hDevMode = pd.hDevMode;
    m_hDevNames = pd.hDevNames;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0 || m_pRecentFileList != nullptr)
        return;
    UINT nEntries = std::min(nMaxMRU, static_cast<UINT>(ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1));
    m_pRecentFileList = new CRecentFileList(0, kRecentFileSection, kRecentFileEntry, static_cast<int>(nEntries));
    m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == nullptr)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == nullptr)
        return FALSE;
    int nIndex = static_cast<int>(nID) - ID_FILE_MRU_FILE1;
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    CString strPath = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(strPath) == nullptr)
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    int nArgs = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    if (argv == nullptr)
        return;
    // The first argument is the program.
    for (int i = 1; i < nArgs; ++i)
    {
        int nBytes = ::WideCharToMultiByte(CP_ACP, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::vector<char> param(static_cast<size_t>(std::max(nBytes, 1)), '\0');
        ::WideCharToMultiByte(CP_ACP, 0, argv[i], -1, param.data(), nBytes, nullptr, nullptr);
        const char* pszParam = param.data();
        BOOL bFlag = pszParam[0] == '-' || pszParam[0] == '/';
        rCmdInfo.ParseParam(bFlag ? pszParam + 1 : pszParam, bFlag, i == nArgs - 1);
    }
    ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        // An application's own File New handler comes first.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        // Print the file without showing it, then end.
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr && m_pMainWnd != nullptr)
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        return FALSE;
    case CCommandLineInfo::AppRegister:
        RegisterShellFileTypes(TRUE);
        return FALSE;
    case CCommandLineInfo::AppUnregister:
        return FALSE;
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::FileNothing:
    default:
        return TRUE;
    }
}

void CWinApp::EnableShellOpen()
{
    if (m_atomApp != 0 || m_pszExeName == nullptr)
        return;
    m_atomApp = ::GlobalAddAtomA(m_pszExeName);
    m_atomSystemTopic = ::GlobalAddAtomA(kSystemTopic);
}

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    if (m_pDocManager != nullptr)
        m_pDocManager->RegisterShellFileTypes(bCompat);
}

BOOL CWinApp::OnDDECommand(LPSTR lpszCommand)
{
    return m_pDocManager != nullptr && m_pDocManager->OnDDECommand(lpszCommand);
}
