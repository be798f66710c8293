#pragma once
// Ids of the command-manager test fixtures.
#define IDR_TEST_MENU 200
#define IDR_TEST_BAR 201
#define IDR_SHORT_BAR 202
#define IDR_EMPTY_BAR 205

#define ID_CMD_OPEN 100
#define ID_CMD_SAVE 101
#define ID_CMD_TWO_TABS 102
#define ID_CMD_NO_STRING 103
#define ID_CMD_SPACES 104
#define ID_CMD_CLOSE 105
#define ID_CMD_BLOCK_ENTRY 0x1237

#define IDD_RESIZABLE 300
#define IDD_PANEL 301
#define IDC_NAME_EDIT 310
#define IDC_UNITS_COMBO 311
#define IDC_NOTES_LIST 312
#define IDC_ENABLED_CHECK 313
#define IDC_SMALL_RADIO 314
#define IDC_LARGE_RADIO 315
#define IDC_NAME_LABEL 316
#define IDC_APPLY_BUTTON 317
