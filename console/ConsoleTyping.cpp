#include "console/ConsoleTyping.h"

#include <windows.h>

#include "console/TypingSequence.h"

namespace orvelle::console {

namespace {
class WindowManagerPort final : public ConsolePort {
public:
  std::uintptr_t FindTarget(const char* title) override {
    // No class: any top-level window with this title, letter case ignored.
    return reinterpret_cast<std::uintptr_t>(::FindWindowA(nullptr, title));
  }
  void SendChar(std::uintptr_t target, unsigned code) override {
    ::SendMessageA(reinterpret_cast<HWND>(target), WM_CHAR, code, 0);
  }
};
}  // namespace

void SendToConsole(std::string_view commandLine) {
  WindowManagerPort port;
  TypeCommandLine(commandLine, port);
}

}  // namespace orvelle::console
