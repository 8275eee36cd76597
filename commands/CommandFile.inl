// Template part of CommandFile.h: the read loop, kept inline so the list loader can feed
// each entry straight into the control without building a vector of a million strings.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace orvelle::commands {

namespace detail {

// memchr over [p, end), returning end when the byte is absent.
inline const char* FindOrEnd(const char* p, const char* end, char c) {
  const void* hit = std::memchr(p, c, static_cast<std::size_t>(end - p));
  return hit ? static_cast<const char*>(hit) : end;
}

}  // namespace detail

template <typename OnEntry>
void ForEachEntry(std::string_view bytes, OnEntry&& onEntry) {
  // An empty view may carry a null data(), which memchr must not see.
  if (bytes.empty()) return;
  const char* p = bytes.data();
  // Nothing after the first NUL counts, so cut the data there once.
  const char* const end = detail::FindOrEnd(p, p + bytes.size(), '\0');

  // Next CR and next LF, found with memchr and kept until the scan passes them. Looking
  // them up afresh for every line would rescan the rest of the file per line when one of
  // the two never occurs (a CR-only file), which is quadratic on a 20 MB list.
  const char* nextCr = detail::FindOrEnd(p, end, '\r');
  const char* nextLf = detail::FindOrEnd(p, end, '\n');

  while (p != end) {
    if (nextCr < p) nextCr = detail::FindOrEnd(p, end, '\r');
    if (nextLf < p) nextLf = detail::FindOrEnd(p, end, '\n');
    const char* stop = nextCr < nextLf ? nextCr : nextLf;
    if (!onEntry(std::string_view(p, static_cast<std::size_t>(stop - p)))) return;
    p = stop;
    if (p != end && *p == '\r') ++p;
    if (p != end && *p == '\n') ++p;
  }
}

}  // namespace orvelle::commands
