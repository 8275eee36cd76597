#include "console/TypingSequence.h"

#include <string>

namespace orvelle::console {

namespace {
// Working values of the send in progress, kept between sends as module state: the window
// found, the copy of the line being typed and the 1-based position in it.
std::uintptr_t gTarget = 0;
std::string gLine;
std::int32_t gPosition = 0;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}
}  // namespace

Delivery DeliveryForClass(std::string_view windowClass) {
  if (EqualsIgnoringCase(windowClass, "CASCADIA_HOSTING_WINDOW_CLASS") ||
      EqualsIgnoringCase(windowClass, "WineConsoleClass"))
    return Delivery::ConsoleInput;
  return Delivery::WindowMessages;
}

TypingResult TypeCommandLine(std::string_view commandLine, ConsolePort& port) {
  gTarget = port.FindTarget(kTargetTitle);
  gLine.assign(commandLine);
  gPosition = static_cast<std::int32_t>(gLine.size());
  TypingResult result;
  if (gTarget == 0) return result;  // no such window: nothing to do, nothing to report

  if (DeliveryForClass(port.ClassOf(gTarget)) == Delivery::ConsoleInput) {
    result.complete = port.WriteConsoleLine(gTarget, gLine);
    result.typed = result.complete ? gLine.size() : 0;
    return result;
  }

  if (!gLine.empty()) {
    const auto length = gPosition;
    gPosition = 1;
    for (std::int32_t i = 0; i < length; ++i) {
      // Zero-extend: a byte such as 0xC8 goes out as 200, never as a negative code.
      if (!port.SendChar(gTarget, static_cast<unsigned char>(gLine[static_cast<std::size_t>(gPosition - 1)]))) {
        result.complete = false;
        return result;
      }
      ++result.typed;
      ++gPosition;
    }
  }
  result.complete = port.SendChar(gTarget, kCarriageReturn);
  return result;
}

void ReleaseTypingState() {
  std::string().swap(gLine);
  gTarget = 0;
  gPosition = 0;
}

}  // namespace orvelle::console
