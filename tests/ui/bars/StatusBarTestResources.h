#pragma once
// Strings of the status-bar tests: the key indicators, and an indicator without a string.
#define IDS_TEST_INDICATOR_CAPS 0xE701
#define IDS_TEST_INDICATOR_NUM 0xE702
#define IDS_TEST_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_MISSING 0xE7FE
