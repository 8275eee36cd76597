// What a user can see of the program from outside: its windows' classes and titles, the
// console window it types into, and what its error boxes look like. Shared by the tests that
// create the window in process and those that start the exe.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/MessageBoxWatcher.h"

namespace orvelle::test {

// The application window (hidden, zero-sized): owns the main window and every error box.
inline constexpr wchar_t kProgramTitle[] = L"Orvelle commands helper";
inline constexpr wchar_t kApplicationWindowClass[] = L"OrvelleApplication";

// The main window.
inline constexpr wchar_t kMainWindowClass[] = L"OrvelleForm";
inline constexpr wchar_t kMainWindowCaption[] = L"Commands Helper";

// The window the send button types into, found by this title (letter case ignored).
inline constexpr wchar_t kConsoleTitle[] = L"c:\\windows\\system32\\cmd.exe";

inline constexpr wchar_t kCommandFileName[] = L"commands.txt";

// The text of a file error as the box shows it:
// Cannot <verb> file "<path>". <the system's text for code>.
std::wstring FileErrorText(std::wstring_view verb, const std::wstring& path, DWORD code);

// Whether the box is one of the program's error boxes showing exactly this text: the
// program's title as caption, owned by the application window, a stop icon, an OK button
// and no other.
::testing::AssertionResult IsProgramErrorBox(const MessageBoxInfo& box, std::wstring_view text);

}  // namespace orvelle::test
