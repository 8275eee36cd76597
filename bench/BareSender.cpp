// The yardstick for typing: the plainest way to type a line into the console window. It
// finds the window titled "c:\windows\system32\cmd.exe" and sends one WM_CHAR per byte of
// the file it is given, with SendMessageA, then a carriage return (13).
//
//   BareSender.exe <file>      exit code 0 when every character went out
#include <windows.h>

#include <string>

#include "BenchCommon.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::string bytes = bench::ReadWholeFile(argv[1]);
  HWND target = ::FindWindowA(nullptr, "c:\\windows\\system32\\cmd.exe");
  if (!target) return 3;
  for (char c : bytes) ::SendMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 0);
  ::SendMessageA(target, WM_CHAR, 13, 0);
  return 0;
}
