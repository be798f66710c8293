#pragma once
// Identifiers of the application's menus, accelerators, icons, strings and commands; macros so
// that the resource script and the code share them.
#include "platform/mfc/AfxRes.h"

// Menus, accelerators, icons and strings of the main frame (128) and the document type (129).
#define IDR_MAINFRAME 128
#define IDR_QPDTYPE 129

// Tool bars with their pictures (the main tool bar shares IDR_MAINFRAME).
#define IDR_DRAWING_TOOLS 140
#define IDR_LIBRARY_TOOLBAR 161
#define IDR_INSPECTOR_TOOLBAR 206

// Start-up failures.
#define IDP_OLE_INIT_FAILED 100
#define IDP_SOCKETS_INIT_FAILED 104
#define IDP_GDIPLUS_INIT_FAILED 105

// Strings of the framework's range that the application words itself.
#define IDS_APP_TITLE 0xE000
#define IDS_IDLE_MESSAGE 0xE001

// Commands of the application.
#define ID_TOOL_EYEDROPPER 32779
#define ID_TOOL_PAINT_BUCKET 32780
#define ID_ZOOM_STEP_DOWN 32781
#define ID_TOOL_PENCIL 32782
#define ID_TOOL_BRUSH 32783
#define ID_TOOL_SELECTION 32784
#define ID_TOOL_LINE 32785
#define ID_TOOL_RECTANGLE 32786
#define ID_TOOL_FILLED_RECTANGLE 32787
#define ID_TOOL_ELLIPSE 32792
#define ID_TOOL_OVAL 32793
#define ID_TOOL_LASSO 32795
#define ID_ZOOM_STEP_UP 32797
#define ID_EXPORT_FLASH_MOVIE 32817
#define ID_TOOL_TEXT 32818
#define ID_CONTROL_PLAY 32838
#define ID_CONTROL_REWIND 32839
#define ID_CONTROL_GO_TO_END 32840
#define ID_INSERT_LAYER 32841
#define ID_TOUCH_ALL_SHAPES 32843
#define ID_VIEW_COLORS 32845
#define ID_VIEW_SHAPE 32846
#define ID_TOOL_FREE_TRANSFORM 32848
#define ID_LIBRARY_IMPORT_PICTURE 32850
#define ID_LIBRARY_NEW_FOLDER 32851
#define ID_LIBRARY_SPARE_1 32853
#define ID_LIBRARY_SPARE_2 32854
#define ID_TOOL_SUBSELECTION 32863
#define ID_TOOL_ERASER 32866
#define ID_TOOL_UNUSED 32878
#define ID_VIEW_ZOOM_IN 32869
#define ID_VIEW_ZOOM_OUT 32870
#define ID_MODIFY_DOCUMENT 32871
#define ID_INSERT_BITMAP 32873
#define ID_TOOL_INK_BOTTLE 32877
#define ID_INSERT_INTERSECTION 32881
#define ID_INSERT_UNION 32882
#define ID_INSERT_DIFFERENCE 32883
#define ID_INSPECTOR_DELETE_OBJECT 32884
#define ID_VIEW_OBJECT_INSPECTOR 32886
#define ID_EDIT_PASTE_IN_PLACE 32887
#define ID_REMOVE_LAYER 32896
#define ID_INSERT_LAYER_CONTEXT 32897
#define ID_EXPORT_ANIMATION 32898
#define ID_HELP_TOPICS 32902
#define ID_VIEW_MENU_BAR 23366
#define ID_VIEW_FONT 23370
#define ID_VIEW_LIBRARY 23371
#define ID_VIEW_BRUSH 23372
#define ID_VIEW_ERASER 23373
#define ID_VIEW_DRAWING_TOOLBAR 23374
#define ID_ARRANGE_SEND_TO_BACK 23376
#define ID_ARRANGE_BRING_TO_FRONT 23377

// Edit commands of the framework's range.
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C
