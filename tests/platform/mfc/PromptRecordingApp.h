#pragma once
// The application object of the window tests.
#include "platform/mfc/Afx.h"

#include <string>
#include <vector>

// Answers message boxes with IDOK instead of showing them, recording their texts.
class CPromptRecordingApp : public CWinApp
{
public:
    CPromptRecordingApp();
    int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    std::vector<std::string> m_prompts;
};
CPromptRecordingApp& PromptRecordingApp();
