// The one application object of the editor.
#include "app/FlashEditorApp.h"

CFlashEditorApp g_theApp;
