// Typing the command line into the console window: the sequence of characters and how it is
// delivered. Portable: the window lookup and the delivery go through ConsolePort, so the
// sequence is testable without Windows; ConsoleTyping.cpp gives the Win32 port.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvelle::console {

// The console window is found by this exact title (letter case ignored) at every send.
inline constexpr char kTargetTitle[] = "c:\\windows\\system32\\cmd.exe";
inline constexpr unsigned kCarriageReturn = 13;

// How the characters reach the window that bears the title.
enum class Delivery {
  WindowMessages,  // one WM_CHAR per character: any window that acts on them
  ConsoleInput,    // key events written to the input of the console the window shows
};

// The classic console host acts on WM_CHAR; Windows Terminal's window and Wine's console
// window do not (they read keys through their own input paths), so they get console input.
Delivery DeliveryForClass(std::string_view windowClass);

class ConsolePort {
public:
  virtual ~ConsolePort() = default;
  // A top-level window bearing the title, or 0.
  virtual std::uintptr_t FindTarget(const char* title) = 0;
  virtual std::string ClassOf(std::uintptr_t target) = 0;
  // One WM_CHAR with this code and a second parameter of 0; true once processed, false when
  // the window is gone or hung.
  virtual bool SendChar(std::uintptr_t target, unsigned code) = 0;
  // The whole line and then Enter as key events to the console that the window shows; false
  // when that console cannot be reached. Nothing is written unless all of it can be.
  virtual bool WriteConsoleLine(std::uintptr_t target, std::string_view line) = 0;
};

struct TypingResult {
  bool complete = true;      // every character and the carriage return went through
  std::size_t typed = 0;     // characters of the line that went through
};

// Looks the target up afresh and types the line into it followed by Enter. With no target
// nothing happens. When a character fails, typing stops there: the carriage return is never
// sent after a cut-off command.
TypingResult TypeCommandLine(std::string_view commandLine, ConsolePort& port);

// Releases the module's copy of the last command line (at program end).
void ReleaseTypingState();

}  // namespace orvelle::console
