#pragma once
// Paths for the C run-time: the program's paths (file dialogs, command line, documents) are
// Windows paths such as "Z:\tmp\a.qpd", while std::fstream and open() take Unix paths.
#include "platform/mfc/String.h"

// The Unix path of a Windows path (the file need not exist, its folder must); empty when Wine
// cannot map it.
CString AfxGetUnixFileName(LPCSTR lpszWindowsPath);
