#include "support/Paths.h"

#include <shellapi.h>

#include <atomic>

namespace orvelle::test {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ModuleDirectory() {
  const std::wstring path = ModulePath();
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::vector<std::wstring> TestArguments() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  std::vector<std::wstring> args;
  if (!argv) return args;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg.rfind(L"--gtest_", 0) == 0) continue;
    args.push_back(arg);
  }
  ::LocalFree(argv);
  return args;
}

std::wstring ToWindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring out = L"Z:" + path;
  for (wchar_t& c : out)
    if (c == L'/') c = L'\\';
  return out;
}

std::wstring TestArgumentPath(std::size_t index) {
  const std::vector<std::wstring> args = TestArguments();
  return index < args.size() ? ToWindowsPath(args[index]) : std::wstring();
}

ScopedTempFolder::ScopedTempFolder() {
  static std::atomic<unsigned> counter{0};
  wchar_t base[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, base);
  std::wstring root(base, n);
  if (!root.empty() && root.back() == L'\\') root.pop_back();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring candidate = root + L"\\orvelle-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                             std::to_wstring(counter++) + L"-" + std::to_wstring(::GetTickCount());
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = std::move(candidate);
      return;
    }
  }
}

ScopedTempFolder::~ScopedTempFolder() {
  if (!path_.empty()) RemoveFolderTree(path_);
}

std::wstring ScopedTempFolder::File(const std::wstring& name) const { return path_ + L"\\" + name; }

bool RemoveFolderTree(const std::wstring& path) {
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveFolderTree(child);
      } else {
        ::DeleteFileW(child.c_str());
      }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return ::RemoveDirectoryW(path.c_str()) != FALSE;
}

}  // namespace orvelle::test
