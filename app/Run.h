// Start-up, the message loop and the end of the program.
#pragma once

namespace orvelle::app {

// Runs the program with the show command it was started with; returns the exit code.
int RunProgram(int showCommand);

}  // namespace orvelle::app
