#pragma once
// Helpers the control bar's sources share. Classes of the docking family that other parts of the
// framework add are recognised by run-time class name, so that the bar needs none of them to
// build and a missing class simply answers "not one".
#include "platform/mfc/Afx.h"

namespace ExtBarDetail
{
constexpr const char* kDockBar = "CExtDockBar";
constexpr const char* kDockOuterBar = "CExtDockOuterBar";
constexpr const char* kDockDynBar = "CExtDockDynBar";
constexpr const char* kDockDynTabBar = "CExtDockDynTabBar";
constexpr const char* kDynControlBar = "CExtDynControlBar";
constexpr const char* kDynTabControlBar = "CExtDynTabControlBar";
constexpr const char* kMiniDockFrameWnd = "CExtMiniDockFrameWnd";
constexpr const char* kToolControlBar = "CExtToolControlBar";

// The object is of the named class or derives from it; false when the class does not exist.
bool IsKindOfNamed(const CObject* pObject, LPCSTR lpszClassName);
// The permanent object of a window handle, or null.
CWnd* PermanentOf(HWND hWnd);
// The frame of a window: its parent frame, or the frame above it when that is a floating frame.
CFrameWnd* FrameSkippingFloating(const CWnd* pWnd);
// The window the bar's notices go to: its owner, else its parent.
HWND OwnerOrParent(HWND hWnd);
// Registers a window class of the family with the arrow cursor and the default window procedure,
// unless it exists; false when it could not be registered.
bool RegisterBarFamilyClass(LPCSTR lpszClassName, UINT nClassStyle);
} // namespace ExtBarDetail

class CControlBar;
class CDockBar;
class CExtControlBar;

namespace ExtBarDetail
{
// The entries of a dock bar's array between two row breaks: [nFirst, nLast], both bar or
// placeholder entries; empty (nFirst > nLast) for a row of nothing.
struct RowSpan
{
    int nFirst;
    int nLast;
};

// The bar at an entry of the dock bar's array; null for a row break or a placeholder id.
CControlBar* BarAt(const CDockBar* pDockBar, int nIndex);
// The entry of the bar in the dock bar's array, -1 when it is not there.
int FindBarIndex(const CDockBar* pDockBar, const CControlBar* pBar);
// The row around the entry.
RowSpan RowAround(const CDockBar* pDockBar, int nIndex);
// A bar counts in its row while it is visible as the layout sees it.
bool IsVisibleInRow(const CControlBar* pBar);
// The bar takes part in row extents as a resizable framework bar.
CExtControlBar* AsResizableBar(CControlBar* pBar);
// A visible bar stands among the entries [nFirst, nLast].
bool HasVisibleBar(const CDockBar* pDockBar, int nFirst, int nLast);
} // namespace ExtBarDetail
