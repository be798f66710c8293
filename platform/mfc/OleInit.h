#pragma once
// The framework's OLE start and end for the user-interface thread, and the drop-effect type of
// its drag-and-drop classes.
#include <windows.h>

// DROPEFFECT_NONE, _COPY, _MOVE, _LINK and _SCROLL bits.
typedef DWORD DROPEFFECT;

// Initialises OLE (drag and drop, the OLE clipboard) on this thread; FALSE when it cannot.
BOOL AfxOleInit();
// Flushes the OLE clipboard and ends what AfxOleInit started; called when the application exits.
void AfxOleTerm(BOOL bJustRevoke = FALSE);
// Lets windows of the application contain OLE controls. The framework's windows create none,
// so there is no site to set up; the call keeps the application's start-up order.
void AfxEnableControlContainer();
