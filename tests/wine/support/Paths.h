// Where things are for a Windows test: the test exe's folder, the test's own command-line
// arguments, Linux paths as Wine sees them, and throw-away folders.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orvelle::test {

// The full path of the running exe.
std::wstring ModulePath();

// The folder of the running exe (its module path cut before the last backslash).
std::wstring ModuleDirectory();

// The arguments after the exe name, without GoogleTest's own "--gtest_..." flags, so that
// argument 0 is the first one the test runner passed.
std::vector<std::wstring> TestArguments();

// A Linux path ("/a/b") as a Windows path on Wine's Z: drive ("Z:\a\b"); a path that already
// names a drive or a UNC share is returned unchanged.
std::wstring ToWindowsPath(const std::wstring& path);

// TestArguments()[index] as a Windows path; empty when the runner passed fewer arguments.
std::wstring TestArgumentPath(std::size_t index);

// A new empty folder in the system's temporary folder, deleted with everything in it when
// this object goes (read-only files included).
class ScopedTempFolder {
public:
  ScopedTempFolder();
  ~ScopedTempFolder();
  ScopedTempFolder(const ScopedTempFolder&) = delete;
  ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  // Path() + "\" + name.
  std::wstring File(const std::wstring& name) const;

private:
  std::wstring path_;
};

// Deletes a folder and everything in it, read-only files and folders included; false when
// something stayed.
bool RemoveFolderTree(const std::wstring& path);

}  // namespace orvelle::test
