#include "DocumentTestSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

int CMessageRecorder::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    m_messages.push_back({lpszPrompt ? lpszPrompt : "", nType});
    return IDOK;
}

CMessageRecorder& TestApp()
{
    static CMessageRecorder app;
    return app;
}

std::string SaveText(const CFlashEditorDoc& doc)
{
    std::ostringstream os;
    {
        CDocumentOArchive ar(os);
        doc.SaveToArchive(ar);
    }
    return os.str();
}

void LoadText(CFlashEditorDoc& doc, const std::string& text)
{
    std::istringstream is(text);
    CDocumentIArchive ar(is);
    doc.LoadFromArchive(ar);
}

std::vector<std::string> Tokens(const std::string& text)
{
    std::istringstream is(text);
    std::vector<std::string> tokens;
    for (std::string token; is >> token;)
        tokens.push_back(token);
    return tokens;
}

std::string TemporaryUnixPath(const std::string& name)
{
    static int serial = 0;
    return "/tmp/doc-tests-" + std::to_string(getpid()) + "-" + std::to_string(++serial) + "-" + name;
}

std::string WindowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string ReadFile(const std::string& unixPath)
{
    std::ifstream file(unixPath, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteFile(const std::string& unixPath, const std::string& content)
{
    std::ofstream file(unixPath, std::ios::binary | std::ios::trunc);
    file << content;
}
