// A stand-in for the console window in tests: a top-level window with the title given on the
// command line that records every WM_CHAR it receives, in order, one line "code lparam" each,
// in the log file given as the second argument. A third argument, a number of milliseconds,
// makes it slow: it sleeps that long per character, as a busy console would. A fourth
// argument "hang" makes it stop answering once it has logged its first character: it sleeps
// in the handler for a minute, as a hung console would.
// Usage: probe_window.exe <title> <log file> [delay ms [hang]]
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {
FILE* gLog = nullptr;
DWORD gDelayMs = 0;
bool gHang = false;
constexpr DWORD kHangMs = 60000;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CHAR:
      if (gDelayMs) ::Sleep(gDelayMs);
      std::fprintf(gLog, "%llu %lld\n", static_cast<unsigned long long>(wParam), static_cast<long long>(lParam));
      std::fflush(gLog);
      if (gHang) ::Sleep(kHangMs);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc < 3) return 2;
  gLog = _wfopen(argv[2], L"w");
  if (!gLog) return 3;
  if (argc > 3) gDelayMs = static_cast<DWORD>(::wcstoul(argv[3], nullptr, 10));
  if (argc > 4) gHang = std::wcscmp(argv[4], L"hang") == 0;

  WNDCLASSW wc{};
  wc.lpfnWndProc = ProbeProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"OrvelleProbeWindow";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  ::RegisterClassW(&wc);
  // Not activated: the program under test keeps the focus.
  HWND hwnd = ::CreateWindowExW(WS_EX_NOACTIVATE, wc.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                100, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 4;
  ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  std::fclose(gLog);
  return 0;
}
