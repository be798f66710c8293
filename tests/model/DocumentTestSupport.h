#pragma once
// Fixtures of the document tests: an application object that answers message boxes, archive
// text of a document, and Windows paths of temporary files.
#include "platform/mfc/WinApp.h"

#include <string>
#include <vector>

class CFlashEditorDoc;

// Records every message box instead of showing it.
class CMessageRecorder : public CWinApp {
public:
    CMessageRecorder() : CWinApp("DocumentTests") {}
    int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    struct CMessage {
        std::string text;
        UINT type;
    };
    std::vector<CMessage> m_messages;
};

// The test program's application object.
CMessageRecorder& TestApp();

// The document's archive text, and a document read from one (throws the archive exception).
std::string SaveText(const CFlashEditorDoc& doc);
void LoadText(CFlashEditorDoc& doc, const std::string& text);
// The text split at blanks and line ends.
std::vector<std::string> Tokens(const std::string& text);

// A fresh Unix path under the temporary folder, and the Windows path Wine gives it.
std::string TemporaryUnixPath(const std::string& name);
std::string WindowsPath(const std::string& unixPath);
std::string ReadFile(const std::string& unixPath);
void WriteFile(const std::string& unixPath, const std::string& content);
