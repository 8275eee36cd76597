// The send button's typing into the console window.
#pragma once

#include <string_view>

namespace orvelle::console {

// Finds the console window afresh and types the line into it, then Enter. Nothing happens
// and nothing is reported when no window bears the title. Raises an error naming the window
// when typing stops part way (the window hung or went away); Enter is then not pressed.
void SendToConsole(std::string_view commandLine);

}  // namespace orvelle::console
