// Reading what a window shows and where it is, the way a user or an accessibility tool
// sees it. Works for windows of this or another thread or process; none of these send a
// message that could block on a busy window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace orvelle::test {

std::wstring ClassNameOf(HWND hwnd);

// The text the window holds (its title), read without sending WM_GETTEXT.
std::wstring TextOf(HWND hwnd);

// The window's rectangle relative to its parent's client area (for a top-level window: the
// screen). Left, top, width, height.
struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};
WindowBounds BoundsInParent(HWND hwnd);
SIZE ClientSize(HWND hwnd);

// The centre of the window's client area, or a point of it, in screen coordinates.
POINT ScreenCenterOf(HWND hwnd);
POINT ClientToScreenPoint(HWND hwnd, POINT client);

bool HasStyle(HWND hwnd, LONG_PTR bits);
bool HasExStyle(HWND hwnd, LONG_PTR bits);

// Whether the window's vertical scroll bar is shown (WS_VSCROLL set and the bar not
// reported invisible).
bool VerticalScrollBarVisible(HWND hwnd);

// Top-level windows of one process (all threads), visible or not, in z-order.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);

// The first top-level window of the process for which match() holds; null when none.
HWND FindTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& match);

// Direct and indirect children, in z-order, depth first.
std::vector<HWND> DescendantsOf(HWND hwnd);

// The descendant with this control ID (the first, depth first); null when none.
HWND FindDescendantById(HWND hwnd, int id);

std::wstring Describe(HWND hwnd);  // "0x1234 \"text\" (Class)" for failure messages

}  // namespace orvelle::test
