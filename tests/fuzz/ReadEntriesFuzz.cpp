// libFuzzer target for the command file reader. Build and run from the repo root:
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//       commands/CommandFile.cpp tests/fuzz/ReadEntriesFuzz.cpp -o build/fuzz/ReadEntriesFuzz
//   build/fuzz/ReadEntriesFuzz -max_total_time=3600 build/fuzz/ReadEntriesFuzz-corpus
//
// commands.txt is whatever the user (or another tool) left beside the exe, so the reader
// must hold up on any bytes, not just on files this program wrote.

#include "commands/CommandFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> entries = orvelle::commands::ReadEntries(bytes);

  std::size_t total = 0;
  for (const std::string& entry : entries) {
    if (entry.find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos) std::abort();
    total += entry.size();
  }
  // Entries are pieces of the input, never more than it holds.
  if (total > size) std::abort();

  // Saving the list and loading it again must give the same list, and the saved text must
  // be exactly what saving that list again produces.
  const std::string written = orvelle::commands::WriteEntries(entries);
  const std::vector<std::string> reread = orvelle::commands::ReadEntries(written);
  if (reread != entries) std::abort();
  if (orvelle::commands::WriteEntries(reread) != written) std::abort();
  return 0;
}
