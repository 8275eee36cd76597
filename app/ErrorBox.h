// The error box: the one way every error reaches the user.
#pragma once

#include <string>

namespace orvelle::app {

// Shows the message in the modal error box owned by the application window: OK only, stop
// icon, the application title as caption, the full-stop rule applied. The program's other
// windows are disabled meanwhile, and the active window gets activation and focus back.
void ShowErrorBox(const std::wstring& message);

// The task-modal "Application Error" box for an error that escapes before the message loop.
void ShowFatalBox(const std::wstring& className, const void* address, const std::wstring& message);

}  // namespace orvelle::app
