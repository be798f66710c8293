#pragma once
// Identifiers of the object inspector panel.

#define IDD_OBJECT_INSPECTOR_TOOL 197
#define IDC_INSPECTOR_TOOLBAR 1042
#define IDC_INSPECTOR_TREE 1043
#define IDC_INSPECTOR_PROPERTIES 1045

// Buttons of the panel's tool bar (resource 206), in order.
#define ID_INSPECTOR_DELETE_OBJECT 32884
#define ID_INSPECTOR_BRING_TO_FRONT 23377
#define ID_INSPECTOR_SEND_TO_BACK 23376
