// What the yardstick programs share: a top-level window of the program's client size and
// style (its own class, closing it ends the program) and the message loop.
#pragma once

#include <windows.h>

namespace bench {

inline LRESULT CALLBACK QuitOnDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Registers the class `className` (once) and creates the window with its client area
// 521 x 313 like the program's main window; `extraStyle` adds to the program's style.
inline HWND CreatePlainWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* title, HWND owner,
                              DWORD extraStyle = 0) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!::GetClassInfoExW(instance, className, &wc)) {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &QuitOnDestroy;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = className;
    if (!::RegisterClassExW(&wc)) return nullptr;
  }
  RECT rc{0, 0, 521, 313};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | extraStyle;
  ::AdjustWindowRectEx(&rc, style, FALSE, 0);
  return ::CreateWindowExW(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, rc.right - rc.left,
                           rc.bottom - rc.top, owner, nullptr, instance, nullptr);
}

inline int RunMessageLoop() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace bench
