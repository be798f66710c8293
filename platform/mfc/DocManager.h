#pragma once
// The application's document templates and the file operations that span them: new, open
// (choosing the template by file type), the file dialogs, saving and closing everything, the
// shell's file-type registration and its DDE open command.
#include "platform/mfc/Object.h"
#include "platform/mfc/PtrList.h"
#include "platform/mfc/String.h"

#include <windows.h>

class CDocTemplate;
class CDocument;

class CDocManager : public CObject
{
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager() = default;
    // Deletes the templates that delete themselves (m_bAutoDelete).
    ~CDocManager() override;

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;

    // A new document of the first template.
    virtual void OnFileNew();
    // Asks for a file and opens it.
    virtual void OnFileOpen();
    // The open document of that path (its frame activated), else the file opened by the template
    // that suits it best; null on failure.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    // Runs the open or save file dialog; fileName gives the proposal and receives the choice.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual int GetOpenDocumentCount();

    // Registers each template's file type with the shell: name, icon, open command and, once the
    // application has enabled shell open, the DDE open command.
    virtual void RegisterShellFileTypes(BOOL bCompat);
    // Carries out a shell DDE command: [open("path")]. FALSE for commands it does not know.
    virtual BOOL OnDDECommand(LPSTR lpszCommand);

    CPtrList m_templateList;
};

// The document manager of the running application, or null.
CDocManager* AfxGetDocManager();
