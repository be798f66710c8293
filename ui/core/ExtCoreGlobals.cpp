// The process-wide objects of the framework core that others use while they are built or
// destroyed. They live in this one file because the language orders construction only within a
// file: each is built after those it may use at start-up and destroyed before them at exit. The
// popup-menu tracking state, the sound player and the registered messages of the popup windows
// live beside their classes: nothing uses them before the program starts or after it ends.
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintGlyphSet.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupServices.h"
#include "ui/core/ExtResourceManager.h"

CExtCmdManagerHolder g_CmdManagerHolder;
CExtResourceManagerHolder g_ResourceManagerHolder;
CExtPaintManagerHolder g_PaintManagerHolder;
const CExtPaintGlyphSet g_PaintGlyphSet;

// The bars' menu-tracking flag, read by the popups and set by tool bars and their buttons.
bool g_bToolBarsTrackMenu = false;
