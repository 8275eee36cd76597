// Orvelle commands helper: keeps a list of console commands and types the chosen one into
// the command-prompt window.
#include <windows.h>

#include "app/Run.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  return orvelle::app::RunProgram(showCommand);
}
