// Set-up for tests that run under Wine. Each is a no-op on Windows.
#pragma once

namespace orvelle::test {

// Whether this process runs under Wine.
bool RunningUnderWine();

// Makes this exe's top-level windows unmanaged under Wine (its "Managed"="N" X11 driver
// setting, stored for this exe's name only). With no window manager on the display, Wine
// waits two seconds for one to acknowledge every managed window it hides or destroys (each
// message box, each window a test closes); unmanaged windows skip that wait.
//
// Wine reads the setting when the process starts. When it was not set yet, this stores it,
// runs this exe again with the same command line and standard handles, and ends this
// process with the exit code of that run; otherwise (and on Windows) it returns at once.
// Call it first thing, before the process writes any output.
void EnsureUnmanagedWindows();

}  // namespace orvelle::test
