// Conversions between text in the ANSI code page (entries, the command line, narrow error
// texts) and the wide text of the windows. The controls are Unicode windows: converting here,
// with the code page the system itself would use, avoids the A messages, which some systems
// copy through a fixed-size buffer.
#pragma once

#include <string>
#include <string_view>

namespace orvelle::platform {

void AnsiToWide(std::string_view bytes, std::wstring& out);
std::wstring AnsiToWide(std::string_view bytes);
std::string WideToAnsi(std::wstring_view text);

}  // namespace orvelle::platform
