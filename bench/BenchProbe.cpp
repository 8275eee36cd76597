// The console stand-in for the typing benchmark: a window titled like the console that counts
// the WM_CHAR messages it gets and notes on the performance counter when the first one and the
// carriage return (13) arrive. It does nothing else per character, so that what is timed is
// the sender. The benchmark reads the figures with the queries of Probe.h and is woken by a
// named event when the 13 arrives.
//
//   BenchProbe.exe       (runs until its window is closed)
#include <windows.h>

#include "Probe.h"

namespace {

HANDLE g_done = nullptr;
LONGLONG g_count = 0;
LONGLONG g_codeSum = 0;
LONGLONG g_firstTicks = 0;
LONGLONG g_returnTicks = 0;

LONGLONG Ticks() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return now.QuadPart;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  using namespace bench::probe;
  switch (msg) {
    case WM_CHAR: {
      const LONGLONG now = Ticks();
      if (g_count++ == 0) g_firstTicks = now;
      g_codeSum += static_cast<LONGLONG>(wParam);
      if (wParam == 13) {
        g_returnTicks = now;
        if (g_done) ::SetEvent(g_done);
      }
      return 0;
    }
    case kReset:
      g_count = g_codeSum = g_firstTicks = g_returnTicks = 0;
      if (g_done) ::ResetEvent(g_done);
      return 1;
    case kCount: return static_cast<LRESULT>(g_count);
    case kCodeSum: return static_cast<LRESULT>(g_codeSum);
    case kFirstTicks: return static_cast<LRESULT>(g_firstTicks);
    case kReturnTicks: return static_cast<LRESULT>(g_returnTicks);
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  g_done = ::CreateEventW(nullptr, TRUE, FALSE, bench::probe::kDoneEventName);
  if (!g_done) return 1;

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = bench::probe::kClass;
  if (!::RegisterClassExW(&wc)) return 1;
  // The ANSI title, as the sender looks for it with FindWindowA.
  HWND window = ::CreateWindowExA(0, "OrvelleBenchProbe", bench::probe::kTitle, WS_OVERLAPPEDWINDOW, 600, 0, 320,
                                  200, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ::ShowWindow(window, SW_SHOWNOACTIVATE);

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  ::CloseHandle(g_done);
  return 0;
}
