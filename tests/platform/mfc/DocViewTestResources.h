#pragma once
// Resource ids of the document/view test program and its .rc file.
#define IDR_TESTMAIN 100
#define IDR_TESTDOC 200
#define ID_TEST_VIEW_CMD 40001
#define ID_TEST_DOC_CMD 40002
#define ID_TEST_FRAME_CMD 40003
#define ID_TEST_APP_CMD 40004
#define ID_TEST_MAIN_CMD 40005
#define ID_TEST_UNHANDLED_CMD 40006
