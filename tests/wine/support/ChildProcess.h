// Starting other programs for a test and making sure none outlives it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orvelle::test {

// One argument quoted for CommandLineToArgvW / the C runtime (spaces, quotes, backslashes).
std::wstring QuoteArgument(const std::wstring& arg);

class ChildProcess {
public:
  ChildProcess() = default;
  // Starts the exe with these arguments. DETACHED_PROCESS by default: under Wine a GUI
  // program started from a console test would otherwise share (and hold) its console.
  // Check Started(); LastError() says why it did not.
  ChildProcess(const std::wstring& exe, const std::vector<std::wstring>& args, DWORD creationFlags = DETACHED_PROCESS,
               const std::wstring& workingFolder = L"");
  ~ChildProcess();  // Stop()
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD LastError() const { return error_; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  bool Running() const;

  // Waits for the process to end; its exit code through code.
  bool WaitForExit(DWORD timeoutMs, DWORD* code = nullptr) const;

  // The process's first visible top-level window with this title (exactly; empty: any
  // title); null after timeoutMs.
  HWND WaitForWindow(const std::wstring& title, DWORD timeoutMs) const;

  // Asks every top-level window of the process to close (WM_CLOSE), waits up to timeoutMs
  // for the process to end, then kills it. Safe to call more than once.
  void Stop(DWORD timeoutMs = 3000);
  // Ends the process at once.
  void Kill();

private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  DWORD error_ = 0;
};

// probe_window.exe: a top-level window with a given title that logs every WM_CHAR it gets.
// Used as the console window the program types into.
struct ReceivedChar {
  unsigned long long code = 0;
  long long lParam = 0;
  friend bool operator==(const ReceivedChar&, const ReceivedChar&) = default;
};

class ProbeWindow {
public:
  // Starts the probe with its log in logPath; WaitUntilShown() waits for its window.
  ProbeWindow(const std::wstring& probeExe, const std::wstring& title, const std::wstring& logPath,
              DWORD delayMs = 0);
  ~ProbeWindow() { Close(); }
  ProbeWindow(const ProbeWindow&) = delete;
  ProbeWindow& operator=(const ProbeWindow&) = delete;

  bool Started() const { return process_.Started(); }
  // The probe's window once it is up; null after timeoutMs.
  HWND WaitUntilShown(DWORD timeoutMs = 10000);
  HWND Window() const { return window_; }

  // Every WM_CHAR received so far, in order.
  std::vector<ReceivedChar> Received() const;

  // Ends the probe. It is killed outright: its log is complete after every character, and
  // closing its window would cost seconds under Wine without a window manager.
  void Close();

private:
  ChildProcess process_;
  std::wstring title_;
  std::wstring logPath_;
  HWND window_ = nullptr;
};

}  // namespace orvelle::test
