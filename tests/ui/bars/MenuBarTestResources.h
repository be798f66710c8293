#pragma once
// Menus, accelerators and strings of the menu-bar tests.
#define IDR_MENUBAR_FRAME 0x6100
#define IDR_MENUBAR_COMMANDS 0x6101
#define IDR_MENUBAR_DOCUMENT 0x6102
#define ID_MB_FILE_NEW 41001
#define ID_MB_FILE_EXIT 41002
#define ID_MB_EDIT_UNDO 41003
#define ID_MB_EDIT_COPY 41004
#define ID_MB_VIEW_BAR 41005
#define ID_MB_RUN 41006
#define ID_MB_STOP 41007
#define ID_MB_WINDOW_CASCADE 0xE130
#define ID_MB_APP_ABOUT 0xE140
