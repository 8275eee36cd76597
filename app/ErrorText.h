// Text rules of the error boxes. Portable: no <windows.h>.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvelle::app {

// The error box's text: the message, with one "." appended when the message is not empty
// and its last character's code is above that of "." (so ")" , "!", quotes and "." itself
// get none, while letters, digits, ":" and every non-ASCII character do).
std::wstring BoxText(std::wstring_view message);

// The system's description of an error code as it goes into a message: trailing spaces,
// control characters (the CR LF FormatMessage ends with) and full stops removed, so that
// the box's own "." ends the sentence.
std::wstring CleanSystemText(std::wstring_view text);

// The fatal box's text for an error that escaped before the message loop:
// "Exception <class> in module <module> at <offset, 8 upper-case hex digits>.\r\n<message>[.]\r\n"
std::wstring FatalText(std::wstring_view className, std::wstring_view moduleName,
                       std::uint32_t offset, std::wstring_view message);

}  // namespace orvelle::app
