#include "platform/mfc/DocManager.h"

#include "platform/mfc/DocTemplate.h"
#include "platform/mfc/Document.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/View.h"
#include "platform/mfc/WinApp.h"

#include <commdlg.h>

#include <vector>

namespace
{
constexpr const char* kNoTemplate = "No document template is registered.";
constexpr const char* kFailedToOpen = "Failed to open document %s.";
constexpr const char* kAllFilter = "All Files (*.*)";
constexpr const char* kOpenTitle = "Open";
constexpr const char* kSaveAsTitle = "Save As";
constexpr const char* kDdeOpenPrefix = "[open(\"";
constexpr const char* kDdeOpenSuffix = "\")]";
constexpr const char* kDdeOpenCommand = "[open(\"%1\")]";
constexpr const char* kDdeTopic = "system";
constexpr DWORD kMaxFileDialogPath = 4096;

// Sets the default value of a key below HKEY_CURRENT_USER\Software\Classes, creating it.
BOOL SetClassesValue(const CString& strKey, LPCSTR lpszValue)
{
    CString strFull = CString("Software\\Classes\\") + strKey;
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, strFull, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return FALSE;
    BOOL bResult = ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                    static_cast<DWORD>(lstrlenA(lpszValue) + 1)) == ERROR_SUCCESS;
    ::RegCloseKey(hKey);
    return bResult;
}

// Appends one "name\0pattern\0" pair of a file dialog filter.
void AppendFilter(std::vector<char>& filter, LPCSTR lpszName, LPCSTR lpszPattern)
{
    filter.insert(filter.end(), lpszName, lpszName + lstrlenA(lpszName) + 1);
    filter.insert(filter.end(), lpszPattern, lpszPattern + lstrlenA(lpszPattern) + 1);
}

// The template's filter pair when it names a file type; its extension in rExt.
BOOL AppendTemplateFilter(std::vector<char>& filter, CDocTemplate* pTemplate, CString& rExt)
{
    CString strName;
    if (!pTemplate->GetDocString(strName, CDocTemplate::filterName) || strName.IsEmpty() ||
        !pTemplate->GetDocString(rExt, CDocTemplate::filterExt) || rExt.IsEmpty())
        return FALSE;
    AppendFilter(filter, strName, CString("*") + rExt);
    return TRUE;
}
}

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager* AfxGetDocManager()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->m_pDocManager : nullptr;
}

CDocManager::~CDocManager()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != nullptr;)
    {
        auto* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr || m_templateList.Find(pTemplate) != nullptr)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

void CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty())
    {
        AfxMessageBox(kNoTemplate, MB_ICONEXCLAMATION);
        return;
    }
    static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CString strFileName;
    if (!DoPromptFileName(strFileName, 0, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        pApp->OpenDocumentFile(strFileName);
    else
        OpenDocumentFile(strFileName);
}

CDocument* CDocManager::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (lpszFileName == nullptr || *lpszFileName == '\0')
        return nullptr;
    char szPath[MAX_PATH] = {};
    if (::GetFullPathNameA(lpszFileName, MAX_PATH, szPath, nullptr) == 0)
        lstrcpynA(szPath, lpszFileName, MAX_PATH);

    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = nullptr;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pMatch);
        if (match > bestMatch)
        {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
        {
            pOpenDocument = pMatch;
            break;
        }
    }

    if (pOpenDocument != nullptr)
    {
        POSITION posView = pOpenDocument->GetFirstViewPosition();
        if (posView != nullptr)
        {
            CFrameWnd* pFrame = pOpenDocument->GetNextView(posView)->GetParentFrame();
            if (pFrame != nullptr)
            {
                pFrame->ActivateFrame();
                CFrameWnd* pAppFrame = pFrame->GetParentFrame();
                if (pAppFrame != nullptr)
                    pAppFrame->ActivateFrame();
            }
        }
        return pOpenDocument;
    }
    if (pBestTemplate == nullptr)
    {
        CString strMessage;
        strMessage.Format(kFailedToOpen, szPath);
        AfxMessageBox(strMessage, MB_ICONEXCLAMATION);
        return nullptr;
    }
    return pBestTemplate->OpenDocumentFile(szPath);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    std::vector<char> filter;
    CString strDefExt;
    if (pTemplate != nullptr)
    {
        AppendTemplateFilter(filter, pTemplate, strDefExt);
    }
    else
    {
        for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
        {
            CString strExt;
            if (AppendTemplateFilter(filter, GetNextDocTemplate(pos), strExt) && strDefExt.IsEmpty())
                strDefExt = strExt;
        }
    }
    AppendFilter(filter, kAllFilter, "*.*");
    filter.push_back('\0');

    CString strTitle;
    if (nIDSTitle == 0 || !strTitle.LoadString(nIDSTitle))
        strTitle = bOpenFileDialog ? kOpenTitle : kSaveAsTitle;
    CString strDefExtNoDot = !strDefExt.IsEmpty() && strDefExt[0] == '.' ? strDefExt.Mid(1) : strDefExt;

    std::vector<char> buffer(kMaxFileDialogPath, '\0');
    lstrcpynA(buffer.data(), fileName, static_cast<int>(buffer.size()));
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    CWnd* pMainWnd = AfxGetMainWnd();
    ofn.hwndOwner = HwndOf(pMainWnd);
    ofn.lpstrFilter = filter.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = strTitle;
    ofn.lpstrDefExt = strDefExtNoDot.IsEmpty() ? nullptr : static_cast<LPCSTR>(strDefExtNoDot);
    ofn.Flags = lFlags | OFN_EXPLORER | (bOpenFileDialog ? 0 : OFN_OVERWRITEPROMPT);
    BOOL bResult = bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (bResult)
        fileName = buffer.data();
    return bResult;
}

BOOL CDocManager::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CDocManager::GetOpenDocumentCount()
{
    int nOpen = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != nullptr; pTemplate->GetNextDoc(posDoc))
            ++nOpen;
    }
    return nOpen;
}

void CDocManager::RegisterShellFileTypes(BOOL)
{
    char szModule[MAX_PATH] = {};
    ::GetModuleFileNameA(AfxGetInstanceHandle(), szModule, MAX_PATH);
    CString strOpenCommand;
    strOpenCommand.Format("\"%s\" \"%%1\"", szModule);
    CString strIcon;
    strIcon.Format("%s,0", szModule);
    CWinApp* pApp = AfxGetApp();
    CString strAppName = pApp != nullptr && pApp->m_pszExeName != nullptr ? pApp->m_pszExeName : "";

    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strTypeId;
        CString strTypeName;
        CString strExt;
        if (!pTemplate->GetDocString(strTypeId, CDocTemplate::regFileTypeId) || strTypeId.IsEmpty())
            continue;
        pTemplate->GetDocString(strTypeName, CDocTemplate::regFileTypeName);
        SetClassesValue(strTypeId, strTypeName.IsEmpty() ? strTypeId : strTypeName);
        SetClassesValue(strTypeId + "\\DefaultIcon", strIcon);
        SetClassesValue(strTypeId + "\\shell\\open\\command", strOpenCommand);
        if (pApp != nullptr && pApp->m_atomApp != 0)
        {
            SetClassesValue(strTypeId + "\\shell\\open\\ddeexec", kDdeOpenCommand);
            SetClassesValue(strTypeId + "\\shell\\open\\ddeexec\\application", strAppName);
            SetClassesValue(strTypeId + "\\shell\\open\\ddeexec\\topic", kDdeTopic);
        }
        if (pTemplate->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty())
            SetClassesValue(strExt, strTypeId);
    }
}

BOOL CDocManager::OnDDECommand(LPSTR lpszCommand)
{
    CString strCommand(lpszCommand);
    CString strPrefix(kDdeOpenPrefix);
    if (strCommand.Left(strPrefix.GetLength()).CompareNoCase(strPrefix) != 0)
        return FALSE;
    CString strRest = strCommand.Mid(strPrefix.GetLength());
    int nEnd = strRest.Find(kDdeOpenSuffix);
    if (nEnd < 0)
        return FALSE;
    CString strFileName = strRest.Left(nEnd);
    if (strFileName.IsEmpty())
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    CDocument* pDocument = pApp != nullptr ? pApp->OpenDocumentFile(strFileName) : OpenDocumentFile(strFileName);
    // A hidden or minimised main window comes back for the opened document.
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pDocument != nullptr && pMainWnd != nullptr && (pMainWnd->IsIconic() || !pMainWnd->IsWindowVisible()))
        pMainWnd->ShowWindow(pMainWnd->IsIconic() ? SW_RESTORE : SW_SHOW);
    return TRUE;
}
