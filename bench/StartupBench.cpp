// Start-up with a large command file, measured from outside as a user sees it: from
// CreateProcess to the main window shown with its program waiting for input. The program
// (OrvelleCommandsHelper.exe) and the yardstick (BareListBox.exe) lie in this exe's folder
// beside one commands.txt; they are started in turn, and each is closed with WM_CLOSE.
//
//   startup_bench.exe [runs]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "Launch.h"

namespace {

using bench::Subject;

double StartAndMeasure(const Subject& subject, const std::wstring& folder) {
  bench::Launch launch(subject, folder);
  const double elapsed = launch.UpMs();
  launch.Close();
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = bench::RunsFromArgs(argc, argv);
  const std::wstring folder = bench::ExeFolder();
  const Subject program{folder + L"\\OrvelleCommandsHelper.exe", L"Commands Helper"};
  const Subject baseline{folder + L"\\BareListBox.exe", L"Bare List Box"};

  // One untimed start of each first: the file and both exes come into the cache, and Wine
  // loads the DLLs they need once.
  StartAndMeasure(program, folder);
  StartAndMeasure(baseline, folder);

  std::vector<double> programMs;
  std::vector<double> baselineMs;
  for (int i = 0; i < runs; ++i) {
    programMs.push_back(StartAndMeasure(program, folder));
    baselineMs.push_back(StartAndMeasure(baseline, folder));
  }
  bench::PrintRow("load: start to window shown and idle", programMs, baselineMs, "1.5");

  // The skin's cost at start: the program with and without it, from a folder of their own
  // with a 100-entry list, so that drawing, not loading, is what differs.
  const std::wstring small = folder + L"\\small";
  const Subject skinned{small + L"\\OrvelleCommandsHelper.exe", L"Commands Helper"};
  const Subject plain{small + L"\\OrvelleNoSkin.exe", L"Commands Helper"};
  if (::GetFileAttributesW(plain.exe.c_str()) != INVALID_FILE_ATTRIBUTES) {
    StartAndMeasure(skinned, small);
    StartAndMeasure(plain, small);
    std::vector<double> skinnedMs, plainMs;
    for (int i = 0; i < runs * 2; ++i) {
      skinnedMs.push_back(StartAndMeasure(skinned, small));
      plainMs.push_back(StartAndMeasure(plain, small));
    }
    bench::PrintRow("skin: start to window shown, skin on vs off (100 entries)", skinnedMs, plainMs, "1.2");
  }
  return 0;
}
