#pragma once
// Resource ids shared by the test programs and their .rc files.
#define IDS_GREETING 101
#define IDS_COUNT 102
#define IDS_MISSING 199
