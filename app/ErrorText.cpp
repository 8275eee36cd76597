#include "app/ErrorText.h"

#include <cstdio>

namespace orvelle::app {

std::wstring BoxText(std::wstring_view message) {
  std::wstring text(message);
  // Compare as unsigned: every character past 0x7F counts as above ".".
  if (!text.empty() && static_cast<std::uint32_t>(text.back()) > static_cast<std::uint32_t>(L'.'))
    text += L'.';
  return text;
}

std::wstring CleanSystemText(std::wstring_view text) {
  std::size_t end = text.size();
  while (end > 0) {
    const wchar_t c = text[end - 1];
    if (c != L' ' && c != L'.' && static_cast<std::uint32_t>(c) >= 0x20) break;
    --end;
  }
  return std::wstring(text.substr(0, end));
}

std::wstring FatalText(std::wstring_view className, std::wstring_view moduleName,
                       std::uint32_t offset, std::wstring_view message) {
  wchar_t address[9];
  std::swprintf(address, 9, L"%08X", static_cast<unsigned>(offset));
  std::wstring text = L"Exception ";
  text.append(className).append(L" in module ").append(moduleName);
  text.append(L" at ").append(address).append(L".\r\n");
  text.append(message);
  if (!message.empty() && message.back() != L'.') text += L'.';
  text.append(L"\r\n");
  return text;
}

}  // namespace orvelle::app
