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

namespace {

constexpr DWORD kTimeoutMs = 600000;

struct Subject {
  std::wstring exe;
  const wchar_t* title;
};

struct Search {
  DWORD pid;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid || !::IsWindowVisible(hwnd)) return TRUE;
  wchar_t text[64] = {};
  ::GetWindowTextW(hwnd, text, 64);
  if (::lstrcmpW(text, search->title) != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND FindShownWindow(DWORD pid, const wchar_t* title) {
  Search search{pid, title, nullptr};
  ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Milliseconds from CreateProcess to: input idle, the titled window visible, and a sent
// message answered (the program is in its message loop).
double StartAndMeasure(const Subject& subject, const std::wstring& folder) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  std::wstring commandLine = L"\"" + subject.exe + L"\"";

  const double start = bench::NowMs();
  // Detached: a GUI program started by a console program would otherwise share its console.
  if (!::CreateProcessW(subject.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                        nullptr, folder.c_str(), &si, &pi))
    bench::Fail("CreateProcess failed");
  auto giveUp = [&pi](const char* why) {
    ::TerminateProcess(pi.hProcess, 1);
    bench::Fail(why);
  };
  // Idle comes first, when the program waits for messages after its load; the window is then
  // looked for every few milliseconds (seldom enough not to load Wine's server, which the
  // program under test needs).
  ::WaitForInputIdle(pi.hProcess, kTimeoutMs);
  HWND window = nullptr;
  while (!(window = FindShownWindow(pi.dwProcessId, subject.title))) {
    if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) giveUp("the program ended before showing its window");
    if (bench::NowMs() - start > kTimeoutMs) giveUp("the window did not show");
    ::Sleep(2);
  }
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored))
    giveUp("the window does not answer");
  const double elapsed = bench::NowMs() - start;

  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(pi.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(pi.hProcess, 1);
    bench::Fail("the program did not end on WM_CLOSE");
  }
  DWORD exitCode = 1;
  ::GetExitCodeProcess(pi.hProcess, &exitCode);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  if (exitCode != 0) bench::Fail("the program ended with a non-zero code");
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
  const std::wstring small = folder + L"\\skin";
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
