#pragma once
// Resource ids shared by the test programs and their .rc files.
#define IDS_GREETING 101
#define IDS_COUNT 102
#define IDS_MISSING 199
#define IDD_SETTINGS 300
#define IDC_NAME 301
#define IDC_COUNT 302
#define IDC_ENABLED 303
#define IDC_SIZE_SMALL 304
#define IDC_SIZE_LARGE 305
#define IDC_UNITS 306
#define IDC_APPLY 307
