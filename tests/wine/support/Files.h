// Whole-file reads and writes for checking what a program left on disk, byte for byte.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace orvelle::test {

// The file's bytes; nothing when it cannot be opened. Opens with full sharing, so it works
// while another program still has the file open.
std::optional<std::string> ReadFileBytes(const std::wstring& path);

// Creates or truncates the file and writes exactly these bytes; false on any failure (the
// read-only attribute of an existing file is cleared first).
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);

bool FileExists(const std::wstring& path);

// Deletes the file if it is there (read-only or not); false when it is still there.
bool RemoveFile(const std::wstring& path);

// Sets or clears FILE_ATTRIBUTE_READONLY and nothing else.
bool SetReadOnly(const std::wstring& path, bool readOnly);

// Whether this process can open the file for writing right now. A read-only file that still
// opens means the attribute protects nothing here (Wine running as root).
bool CanOpenForWriting(const std::wstring& path);

// The system's description of an error code as FormatMessage gives it, without trailing
// spaces, line breaks or full stops ("File not found").
std::wstring SystemMessage(DWORD code);

// UTF-8 for failure messages.
std::string Utf8(std::wstring_view text);

// Printable form of a byte string for failure messages: "a\r\n\x00" style.
std::string Escaped(std::string_view bytes);

}  // namespace orvelle::test
