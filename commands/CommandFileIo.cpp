#include "commands/CommandFileIo.h"

#include <algorithm>
#include <string_view>

#include "app/ErrorText.h"
#include "commands/CommandFile.h"
#include "platform/Controls.h"
#include "platform/Error.h"
#include "platform/Handles.h"

namespace orvelle::commands {

namespace {

using platform::UniqueFile;

// Paths of MAX_PATH characters or more need the extended-length prefix for the file API on
// systems without long-path support. Module paths are already absolute and normalised.
std::wstring ForFileApi(const std::wstring& path) {
  if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
  if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
  return L"\\\\?\\" + path;
}

std::wstring FinalPath(HANDLE file) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD n = ::GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(n + 1);
  }
  return {};
}

std::wstring FileMessage(const wchar_t* verb, const std::wstring& path, DWORD code) {
  return std::wstring(L"Cannot ") + verb + L" file \"" + path + L"\". " + SystemErrorText(code);
}

// Reads up to size bytes; the count actually read (a file may shrink while it is read).
std::size_t ReadAll(HANDLE file, char* data, std::size_t size, DWORD& error) {
  std::size_t done = 0;
  while (done < size) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 0x7FFFF000u));
    DWORD got = 0;
    if (!::ReadFile(file, data + done, chunk, &got, nullptr)) {
      error = ::GetLastError();
      return done;
    }
    if (got == 0) break;
    done += got;
  }
  error = ERROR_SUCCESS;
  return done;
}

bool WriteAll(HANDLE file, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 0x7FFFF000u));
    DWORD written = 0;
    if (!::WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// The list is repainted once when loading ends, also when it fails part way.
class RedrawSuspended {
public:
  explicit RedrawSuspended(platform::ListBox& list) : list_(list) { list_.SetRedraw(false); }
  ~RedrawSuspended() { list_.SetRedraw(true); }
  RedrawSuspended(const RedrawSuspended&) = delete;
  RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
  platform::ListBox& list_;
};

}  // namespace

std::wstring ModuleCommandFilePath() {
  std::wstring module(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    if (n < module.size()) {
      module.resize(n);
      break;
    }
    module.resize(module.size() * 2);  // truncated: try a larger buffer
  }
  return CommandFilePath(module);
}

std::wstring SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text;
  if (n > 0 && buffer) text = app::CleanSystemText(std::wstring_view(buffer, n));
  if (buffer) ::LocalFree(buffer);
  return text;
}

void LoadCommandList(platform::ListBox& list) {
  const std::wstring path = ModuleCommandFilePath();
  // Others may read the file meanwhile, but nobody may have it open for writing.
  UniqueFile file(::CreateFileW(ForFileApi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    throw platform::FileOpenError(FileMessage(L"open", path, error));
  }

  RedrawSuspended redraw(list);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size))
    throw platform::FileOpenError(FileMessage(L"open", path, ::GetLastError()));
  std::string bytes;
  try {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    throw platform::OutOfMemoryError(L"Out of memory");
  }
  DWORD error = ERROR_SUCCESS;
  bytes.resize(ReadAll(file.Get(), bytes.data(), bytes.size(), error));
  // A failed read must not pass for an empty file: a later save would then wipe it.
  if (error != ERROR_SUCCESS) throw platform::FileOpenError(FileMessage(L"open", path, error));

  list.Clear();
  list.Reserve(static_cast<int>(std::min<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n') + 1, 0x7FFFFFFF)),
               bytes.size());
  bool refused = false;
  ForEachEntry(bytes, [&](std::string_view entry) {
    if (list.Append(entry)) return true;
    refused = true;
    return false;
  });
  list.SetSelectedIndex(-1);
  if (refused) throw platform::ListInsertError(L"Unable to insert a line");
}

void SaveCommandList(const platform::ListBox& list) {
  const std::wstring path = ModuleCommandFilePath();
  std::wstring apiPath = ForFileApi(path);

  // Take the file first, unshared: a read-only file or one open elsewhere fails here, with
  // the file untouched. It stays taken until the new text is complete beside it.
  UniqueFile existing(::CreateFileW(apiPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!existing) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) throw platform::FileCreateError(FileMessage(L"create", path, error));
  }
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
  if (existing) {
    // Through a link, the file to replace is the one it points to; replacing the link itself
    // would leave the real list unchanged.
    if (std::wstring target = FinalPath(existing.Get()); !target.empty()) apiPath = std::move(target);
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(existing.Get(), &info))
      attributes = info.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
  }

  std::string text;
  try {
    const int count = list.Count();
    for (int i = 0; i < count; ++i) AppendEntry(text, list.Entry(i));
  } catch (const std::bad_alloc&) {
    throw platform::OutOfMemoryError(L"Out of memory");
  }

  // Write the whole text beside the file and put it in place in one step, so that a full
  // disk or a failing write never leaves the user's list half written.
  const std::wstring tempPath = apiPath + L".saving";
  {
    UniqueFile temp(::CreateFileW(tempPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  attributes, nullptr));
    if (!temp) {
      const DWORD error = ::GetLastError();
      throw platform::FileCreateError(FileMessage(L"create", path, error));
    }
    if (!WriteAll(temp.Get(), text) || !::FlushFileBuffers(temp.Get())) {
      temp.Reset();
      ::DeleteFileW(tempPath.c_str());
      throw platform::StreamWriteError(L"Stream write error");
    }
  }
  const bool hadFile = static_cast<bool>(existing);
  existing.Reset();
  const BOOL replaced =
      hadFile ? ::ReplaceFileW(apiPath.c_str(), tempPath.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                               nullptr, nullptr)
              : ::MoveFileExW(tempPath.c_str(), apiPath.c_str(), MOVEFILE_WRITE_THROUGH);
  if (!replaced) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(tempPath.c_str());
    throw platform::FileCreateError(FileMessage(L"create", path, error));
  }
}

}  // namespace orvelle::commands
