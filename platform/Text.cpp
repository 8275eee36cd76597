#include "platform/Text.h"

#include <windows.h>

namespace orvelle::platform {

void AnsiToWide(std::string_view bytes, std::wstring& out) {
  out.clear();
  if (bytes.empty()) return;
  const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  out.resize(static_cast<std::size_t>(n));
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
}

std::wstring AnsiToWide(std::string_view bytes) {
  std::wstring out;
  AnsiToWide(bytes, out);
  return out;
}

std::string WideToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace orvelle::platform
