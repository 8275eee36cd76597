// Shared by the benchmarks that look at a program from outside: start it detached in a
// folder, wait until its window is shown and its GUI thread is idle, close it.
#pragma once

#include <windows.h>

#include <string>

#include "BenchCommon.h"

namespace bench {

inline constexpr DWORD kLaunchTimeoutMs = 600000;

struct Subject {
  std::wstring exe;
  const wchar_t* title;
};

namespace detail {

struct WindowSearch {
  DWORD pid;
  const wchar_t* title;
  HWND found;
};

inline BOOL CALLBACK MatchShownWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid || !::IsWindowVisible(hwnd)) return TRUE;
  wchar_t text[64] = {};
  ::GetWindowTextW(hwnd, text, 64);
  if (::lstrcmpW(text, search->title) != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace detail

// The visible top-level window of process pid with this title, or nullptr.
inline HWND FindShownWindow(DWORD pid, const wchar_t* title) {
  detail::WindowSearch search{pid, title, nullptr};
  ::EnumWindows(&detail::MatchShownWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// One run of a GUI program, from CreateProcess to its window shown and idle.
class Launch {
public:
  // Starts the subject in folder and returns once it is up (see Up()); ends the benchmark
  // with a message if it never gets there.
  Launch(const Subject& subject, const std::wstring& folder) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    std::wstring commandLine = L"\"" + subject.exe + L"\"";

    const double start = NowMs();
    // Detached: a GUI program started by a console program would otherwise share its console.
    if (!::CreateProcessW(subject.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                          folder.c_str(), &si, &pi_))
      Fail("CreateProcess failed");
    // Idle comes first, when the program waits for messages after its load; the window is
    // then looked for every few milliseconds (seldom enough not to load Wine's server, which
    // the program under test needs).
    ::WaitForInputIdle(pi_.hProcess, kLaunchTimeoutMs);
    while (!(window_ = FindShownWindow(pi_.dwProcessId, subject.title))) {
      if (::WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0) GiveUp("the program ended before showing its window");
      if (NowMs() - start > kLaunchTimeoutMs) GiveUp("the window did not show");
      ::Sleep(2);
    }
    DWORD_PTR ignored = 0;
    if (!::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kLaunchTimeoutMs, &ignored))
      GiveUp("the window does not answer");
    upMs_ = NowMs() - start;
  }

  ~Launch() {
    if (pi_.hProcess) {
      ::TerminateProcess(pi_.hProcess, 1);
      ::CloseHandle(pi_.hThread);
      ::CloseHandle(pi_.hProcess);
    }
  }
  Launch(const Launch&) = delete;
  Launch& operator=(const Launch&) = delete;

  // Milliseconds from CreateProcess to: input idle, the titled window visible, and a sent
  // message answered (the program is in its message loop).
  double UpMs() const { return upMs_; }
  HWND Window() const { return window_; }
  HANDLE Process() const { return pi_.hProcess; }

  // Closes the window as the title bar's close button would and waits for a clean end.
  void Close() {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi_.hProcess, kLaunchTimeoutMs) != WAIT_OBJECT_0) GiveUp("the program did not end on WM_CLOSE");
    DWORD exitCode = 1;
    ::GetExitCodeProcess(pi_.hProcess, &exitCode);
    ::CloseHandle(pi_.hThread);
    ::CloseHandle(pi_.hProcess);
    pi_ = {};
    if (exitCode != 0) Fail("the program ended with a non-zero code");
  }

  [[noreturn]] void GiveUp(const char* why) {
    ::TerminateProcess(pi_.hProcess, 1);
    Fail(why);
  }

private:
  PROCESS_INFORMATION pi_{};
  HWND window_ = nullptr;
  double upMs_ = 0.0;
};

}  // namespace bench
