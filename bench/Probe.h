// The console stand-in of the typing benchmark (BenchProbe.exe) and how the benchmark talks
// to it: messages sent to its window, answered with what it has received since the last reset.
#pragma once

#include <windows.h>

namespace bench::probe {

inline constexpr const char* kTitle = "c:\\windows\\system32\\cmd.exe";
inline constexpr const wchar_t* kClass = L"OrvelleBenchProbe";

// A manual-reset event the probe sets when a carriage return (13) arrives.
inline constexpr const wchar_t* kDoneEventName = L"OrvelleBenchProbeDone";

enum Query : UINT {
  kReset = WM_APP,         // forget everything received; answers 1
  kCount,                  // characters received, the 13 included
  kCodeSum,                // sum of their codes, to check that the right text arrived
  kFirstTicks,             // performance counter when the first character arrived
  kReturnTicks,            // performance counter when the 13 arrived (0: not yet)
};

}  // namespace bench::probe
