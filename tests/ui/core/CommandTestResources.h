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
