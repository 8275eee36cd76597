// The send button's typing into the console window, through the window manager.
#pragma once

#include <string_view>

namespace orvelle::console {

// Finds the console window afresh and types the line into it, then a carriage return.
// Nothing is reported when no window bears the title.
void SendToConsole(std::string_view commandLine);

}  // namespace orvelle::console
