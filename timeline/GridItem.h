#pragma once
// The item record of CGridCtrl::SetItem and of the virtual-mode display request.
#include "platform/mfc/String.h"

#include <windows.h>

// Which fields of a GRIDITEM are meant.
constexpr UINT GRIDITEM_TEXT = 0x01;
constexpr UINT GRIDITEM_IMAGE = 0x02;
constexpr UINT GRIDITEM_DATA = 0x04;
constexpr UINT GRIDITEM_STATE = 0x08;
constexpr UINT GRIDITEM_BACKCOLOR = 0x10;
constexpr UINT GRIDITEM_TEXTCOLOR = 0x20;
constexpr UINT GRIDITEM_FORMAT = 0x40;
constexpr UINT GRIDITEM_FONT = 0x80;
constexpr UINT GRIDITEM_MARGIN = 0x100;
constexpr UINT GRIDITEM_ALL = 0x1FF;

struct GRIDITEM
{
    int row = -1;
    int col = -1;
    UINT mask = 0;
    UINT state = 0;
    UINT format = 0;
    int image = -1;
    COLORREF backColor = 0;
    COLORREF textColor = 0;
    LPARAM data = 0;
    LOGFONTA font{};
    UINT margin = 0;
    CString text;
};
