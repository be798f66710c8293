#pragma once
// Identifiers of the library panel.

#define IDD_LIBRARY_TOOL 160
#define IDB_LIBRARY_TREE 166
#define IDC_LIBRARY_ITEMS_LABEL 1026
#define IDC_LIBRARY_PREVIEW 1027
#define IDC_LIBRARY_TREE 1028
#define IDC_LIBRARY_LIST 1029
#define IDC_LIBRARY_TOOLBAR 1030

// Buttons of the panel's tool bar (resource 161), in order.
#define ID_LIBRARY_IMPORT_PICTURE 32850
#define ID_LIBRARY_NEW_FOLDER 32851
#define ID_LIBRARY_BUTTON_3 32853
#define ID_LIBRARY_BUTTON_4 32854
