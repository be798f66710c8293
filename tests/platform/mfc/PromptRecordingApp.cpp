#include "PromptRecordingApp.h"

namespace
{
CPromptRecordingApp g_app;
}

CPromptRecordingApp::CPromptRecordingApp() : CWinApp("MfcDialogTest")
{
}

int CPromptRecordingApp::DoMessageBox(LPCSTR lpszPrompt, UINT, UINT)
{
    m_prompts.push_back(lpszPrompt);
    return IDOK;
}

CPromptRecordingApp& PromptRecordingApp()
{
    return g_app;
}
