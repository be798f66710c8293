#pragma once
// Identifiers of the object inspector panel.

#define IDD_OBJECT_INSPECTOR_TOOL 197
#define IDC_INSPECTOR_TOOLBAR 1042
#define IDC_INSPECTOR_TREE 1043
#define IDC_INSPECTOR_PROPERTIES 1045

