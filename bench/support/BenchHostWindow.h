#pragma once
// A shown top-level window for the controls a benchmark measures, and a message pump.
#include <windows.h>

HWND MakeBenchHost(const char* pszClass, int cx, int cy);
// Delivers every queued message of the thread.
void PumpBenchMessages();
