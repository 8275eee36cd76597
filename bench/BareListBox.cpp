// The yardstick for the start-up benchmark: the least a program can do to show the command
// file. It reads commands.txt beside the exe, fills a plain list box in one window titled
// "Bare List Box", shows it and runs the message loop until the window is closed.
#include <windows.h>

#include <string>

#include "BenchCommon.h"
#include "PlainList.h"
#include "PlainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  std::string bytes = bench::ReadWholeFile(bench::ExeFolder() + L"\\commands.txt");

  HWND window = bench::CreatePlainWindow(instance, L"BareListBoxWindow", L"Bare List Box", nullptr, WS_CLIPCHILDREN);
  if (!window) return 1;
  HWND list = bench::CreatePlainList(window, 8, 8, 280, 297);
  if (!list) return 1;
  ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);

  bench::FillPlainList(list, bytes);

  // Painted from the message loop, as the program's window is.
  ::ShowWindow(window, showCommand);

  return bench::RunMessageLoop();
}
