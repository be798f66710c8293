#pragma once
// The about box and the application's picture, which the splash window shows too.
#define IDD_ABOUTBOX 100
#define IDB_APP_PICTURE 169
