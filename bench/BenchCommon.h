// Shared by the benchmark programs: a high-resolution stopwatch, medians, the result lines
// that run.sh turns into its table, and small file helpers.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {

// Milliseconds on the performance counter.
inline double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

inline double Median(std::vector<double> samples) {
  if (samples.empty()) return 0.0;
  std::sort(samples.begin(), samples.end());
  const std::size_t mid = samples.size() / 2;
  return samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2.0;
}

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "bench: %s (error %lu)\n", what, ::GetLastError());
  std::fflush(stderr);
  std::exit(2);
}

inline void PrintSamples(const char* label, const std::vector<double>& samples, const char* unit = "ms") {
  std::printf("  %-10s", label);
  for (double s : samples) std::printf(" %9.2f", s);
  std::printf("  %s\n", unit);
}

// One row of the table. The line starting with "ROW|" is read by run.sh; target is the
// highest acceptable program/baseline ratio, or "-" for a row that only informs. Figures are
// milliseconds unless unit says otherwise (then the row's name says so too).
inline void PrintRow(const char* name, const std::vector<double>& program, const std::vector<double>& baseline,
                     const char* target, const char* unit = "ms") {
  std::printf("%s\n", name);
  PrintSamples("program", program, unit);
  PrintSamples("baseline", baseline, unit);
  std::printf("ROW|%s|%.3f|%.3f|%s\n", name, Median(program), Median(baseline), target);
  std::fflush(stdout);
}

// The folder of the running exe, without a trailing backslash.
inline std::wstring ExeFolder() {
  std::wstring path(32768, L'\0');
  const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n);
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

inline std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("cannot open the command file");
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size)) Fail("cannot size the command file");
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    if (!::ReadFile(file, bytes.data() + done, chunk, &got, nullptr) || got == 0) Fail("cannot read the command file");
    done += got;
  }
  ::CloseHandle(file);
  return bytes;
}

// One WriteFile of the whole text to a fresh file, flushed to disk, as a save should.
inline void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file =
      ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("cannot create the baseline file");
  DWORD written = 0;
  if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    Fail("cannot write the baseline file");
  if (!::FlushFileBuffers(file)) Fail("cannot flush the baseline file");
  ::CloseHandle(file);
}

inline int RunsFromArgs(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  return runs > 0 ? runs : 5;
}

}  // namespace bench
