// Loading and saving the command list: commands.txt beside the exe, read into and written
// from the list control, which is the list's only store.
#pragma once

#include <windows.h>

#include <string>

namespace orvelle::platform {
class ListBox;
}

namespace orvelle::commands {

// commands.txt in the folder of the running exe (its module path, not the working folder).
std::wstring ModuleCommandFilePath();

// The system's description of an error code, cleaned for use inside a sentence; empty when
// the system has none.
std::wstring SystemErrorText(DWORD code);

// Replaces the list's entries with the file's. Raises "Cannot open file ..." when the file
// cannot be opened, before the list is touched; "Unable to insert a line" when the control
// refuses an entry (the entries so far stay). No entry is selected afterwards.
void LoadCommandList(platform::ListBox& list);

// Writes the list to the file in its written form. Raises "Cannot create file ..." when the
// file cannot be written and "Stream write error" when a write comes up short; in both cases
// the file on disk stays exactly as it was.
void SaveCommandList(const platform::ListBox& list);

}  // namespace orvelle::commands
