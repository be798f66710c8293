#pragma once
// Pictures of the screen for a person to look at, written as PNG into the build's screens folder.
#include "platform/mfc/Afx.h"

bool SaveScreenRectPng(const RECT& rc, const char* pszName);
