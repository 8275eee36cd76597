#include "console/TypingSequence.h"

#include <string>

namespace orvelle::console {

namespace {
// Working values of the send in progress, kept between sends as module state: the window
// found, the copy of the line being typed and the 1-based position in it.
std::uintptr_t gTarget = 0;
std::string gLine;
std::int32_t gPosition = 0;
}  // namespace

void TypeCommandLine(std::string_view commandLine, ConsolePort& port) {
  gTarget = port.FindTarget(kTargetTitle);
  gLine.assign(commandLine);
  gPosition = static_cast<std::int32_t>(gLine.size());
  if (!gLine.empty()) {
    const auto length = gPosition;
    gPosition = 1;
    for (std::int32_t i = 0; i < length; ++i) {
      // Zero-extend: a byte such as 0xC8 goes out as 200, never as a negative code.
      port.SendChar(gTarget, static_cast<unsigned char>(gLine[static_cast<std::size_t>(gPosition - 1)]));
      ++gPosition;
    }
  }
  port.SendChar(gTarget, kCarriageReturn);
}

void ReleaseTypingState() {
  std::string().swap(gLine);
  gTarget = 0;
  gPosition = 0;
}

}  // namespace orvelle::console
