// The yardstick for start-up and memory: the least a Win32 program does to show a window. One
// class, one top-level window the size and style of the program's main window, titled
// "Bare Window", shown, and the message loop until the window is closed. No controls, no
// common controls library, no file.
#include <windows.h>

#include "PlainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  HWND window = bench::CreatePlainWindow(instance, L"BareWindow", L"Bare Window", nullptr);
  if (!window) return 1;
  ::ShowWindow(window, showCommand);
  return bench::RunMessageLoop();
}
