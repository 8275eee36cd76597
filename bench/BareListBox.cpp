// The yardstick for the start-up benchmark: the least a program can do to show the command
// file. It reads commands.txt beside the exe, fills a plain list box in one window titled
// "Bare List Box", shows it and runs the message loop until the window is closed.
#include <windows.h>

#include <string>

#include "BenchCommon.h"
#include "PlainList.h"

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  std::string bytes = bench::ReadWholeFile(bench::ExeFolder() + L"\\commands.txt");

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"BareListBoxWindow";
  if (!::RegisterClassExW(&wc)) return 1;

  RECT rc{0, 0, 521, 313};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  ::AdjustWindowRectEx(&rc, style, FALSE, 0);
  HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Bare List Box", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  HWND list = bench::CreatePlainList(window, 8, 8, 280, 297);
  if (!list) return 1;
  ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);

  bench::FillPlainList(list, bytes);

  // Painted from the message loop, as the program's window is.
  ::ShowWindow(window, showCommand);

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
