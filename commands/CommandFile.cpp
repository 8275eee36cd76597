#include "commands/CommandFile.h"

namespace orvelle::commands {

std::vector<std::string> ReadEntries(std::string_view bytes) {
  std::vector<std::string> entries;
  ForEachEntry(bytes, [&entries](std::string_view entry) {
    entries.emplace_back(entry);
    return true;
  });
  return entries;
}

void AppendEntry(std::string& text, std::string_view entry) {
  text.append(entry);
  text.append("\r\n");
}

std::string WriteEntries(const std::vector<std::string>& entries) {
  std::size_t size = 0;
  for (const std::string& entry : entries) size += entry.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& entry : entries) AppendEntry(text, entry);
  return text;
}

std::wstring CommandFilePath(std::wstring_view modulePath) {
  std::wstring_view dir;
  const std::size_t slash = modulePath.rfind(L'\\');
  if (slash != std::wstring_view::npos) {
    // "C:\app.exe": cutting before the backslash would leave "C:", which names the drive's
    // current directory rather than its root, so the root keeps its backslash.
    const bool driveRoot = slash > 0 && modulePath[slash - 1] == L':';
    dir = modulePath.substr(0, driveRoot ? slash + 1 : slash);
  }
  std::wstring path;
  path.reserve(dir.size() + 13);
  path.append(dir);
  path.append(L"\\commands.txt");
  return path;
}

}  // namespace orvelle::commands
