// Typing the command line into the console window: the sequence of character messages.
// Portable: the window lookup and the send go through ConsolePort, so the sequence is
// testable without Windows; ConsoleTyping.cpp gives the Win32 port.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvelle::console {

// The console window is found by this exact title (letter case ignored) at every send.
inline constexpr char kTargetTitle[] = "c:\\windows\\system32\\cmd.exe";
inline constexpr unsigned kCarriageReturn = 13;

class ConsolePort {
public:
  virtual ~ConsolePort() = default;
  // A top-level window bearing the title, or 0.
  virtual std::uintptr_t FindTarget(const char* title) = 0;
  // One WM_CHAR with this code and a second parameter of 0; returns once processed.
  virtual void SendChar(std::uintptr_t target, unsigned code) = 0;
};

// Looks the target up afresh, sends every byte of the line as its unsigned code, in order,
// then a carriage return. With no target the sends go to window 0 and do nothing.
void TypeCommandLine(std::string_view commandLine, ConsolePort& port);

// Releases the module's copy of the last command line (at program end).
void ReleaseTypingState();

}  // namespace orvelle::console
