// The command file, commands.txt beside the exe: where it lives and its byte format.
// Portable: no <windows.h>. The Win32 load and save that use it are in CommandFileIo.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvelle::commands {

// Splits the file's bytes into entries, calling onEntry(std::string_view) for each in file
// order. A line ends at CR, LF or CR LF; a 0x00 byte ends the data; a break at the very end
// adds no empty entry. onEntry returns false to stop early (the control refused an entry).
// Entries never hold NUL, CR or LF; bytes are passed through unchanged (no trimming, a BOM
// stays part of the first entry).
template <typename OnEntry>
void ForEachEntry(std::string_view bytes, OnEntry&& onEntry);

// The same split, collected into a vector (tests, tools).
std::vector<std::string> ReadEntries(std::string_view bytes);

// Written form: each entry followed by CR LF; an empty list is an empty text.
void AppendEntry(std::string& text, std::string_view entry);
std::string WriteEntries(const std::vector<std::string>& entries);

// The path rule: the exe's full module path cut before its last backslash, plus
// "\commands.txt". A drive root ("C:\app.exe") keeps its backslash, giving "C:\\commands.txt".
std::wstring CommandFilePath(std::wstring_view modulePath);

}  // namespace orvelle::commands

#include "commands/CommandFile.inl"
