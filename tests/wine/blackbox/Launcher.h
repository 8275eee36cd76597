// Helpers for the black-box tests: they start a copy of the built program in a folder of its
// own, as a user would, and look at it only from outside: its windows, its message boxes, the
// files beside it and its exit code.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orvelle::blackbox {

// Control IDs of the main window (100 + the control's place in the stored layout).
enum ControlId : int {
  kExitButton = 102,
  kCommandLine = 103,
  kSendButton = 104,
  kClearButton = 105,
  kCommandList = 107,
  kAddButton = 108,
  kDeleteButton = 109,
};

inline constexpr const wchar_t* kApplicationTitle = L"Orvelle commands helper";
inline constexpr const wchar_t* kFormCaption = L"Commands Helper";
inline constexpr const wchar_t* kConsoleTitle = L"c:\\windows\\system32\\cmd.exe";

// Long enough for a Wine process to start on a loaded machine; every wait is bounded by one
// of these so that a hung program fails the case instead of the whole run.
inline constexpr DWORD kStartTimeoutMs = 30000;
inline constexpr DWORD kTimeoutMs = 10000;
inline constexpr DWORD kPollMs = 20;

// The two paths the test executable is given (Linux paths), as Windows paths.
struct Arguments {
  std::wstring programExe;
  std::wstring probeExe;
};
const Arguments& TestArguments();
// This process's command line, split as the C runtime splits it.
std::vector<std::wstring> CommandLineArguments();

// "/a/b" -> "Z:\a\b": Wine's Z: drive is the Linux root.
std::wstring WindowsPathOf(std::wstring_view linuxPath);
// The Linux path Wine gives a Windows path; empty when that cannot be had.
std::string LinuxPathOf(const std::wstring& windowsPath);

std::optional<std::string> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
bool FileExists(const std::wstring& path);

// Polls until the condition holds; false when the time runs out first.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kTimeoutMs, DWORD pollMs = kPollMs);

// A fresh folder (under the temporary folder, or under base when given), removed with all it
// holds at the end.
class TempFolder {
public:
  explicit TempFolder(const std::wstring& base = {});
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool Created() const { return created_; }
  const std::wstring& Path() const { return path_; }
  std::wstring File(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }

private:
  std::wstring path_;
  bool created_ = false;
};

// Runs a Linux program through Wine's launcher for Unix executables (CreateProcess on a file
// that is not a Windows image). Wine gives no handle for such a process, so callers check
// for its effect. False when it could not be started.
bool StartLinuxProgram(const std::vector<std::wstring>& argv, const std::vector<std::wstring>& extraEnvironment = {});

// A message box of the program, as the user sees it.
struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::wstring caption;
  std::wstring text;
  HWND owner = nullptr;
  std::vector<std::wstring> buttons;
};

struct ProbeLine {
  unsigned long long code = 0;
  long long lParam = 0;
  friend bool operator==(const ProbeLine&, const ProbeLine&) = default;
};
inline void PrintTo(const ProbeLine& line, std::ostream* os) { *os << "{" << line.code << ", " << line.lParam << "}"; }

// How the console stand-in behaves: slow (it sleeps this long per character), or hung (it
// stops answering once it has logged its first character).
struct ProbeBehaviour {
  DWORD delayMs = 0;
  bool hang = false;
};

// The console stand-in: probe_window.exe, a window titled like the console that logs every
// WM_CHAR it receives.
class Probe {
public:
  // Starts it and waits for its window; Ok() tells whether that worked.
  explicit Probe(const std::wstring& logPath, ProbeBehaviour behaviour = {});
  ~Probe();
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

  bool Ok() const { return hwnd_ != nullptr; }
  std::vector<ProbeLine> Lines() const;
  // Waits until the log holds at least count lines.
  bool WaitForLines(std::size_t count) const;

private:
  std::wstring logPath_;
  ProbeBehaviour behaviour_;
  PROCESS_INFORMATION process_{};
  HWND hwnd_ = nullptr;
};

// One run of the program under test.
class Program {
public:
  // Starts exe detached, with the show command as a desktop shortcut passes it. The working
  // folder is deliberately not the exe's folder: the program must find its file by its
  // module path.
  static std::unique_ptr<Program> Start(const std::wstring& exe, int showCommand,
                                        const std::wstring& workingFolder);
  // Starts exe through a fresh Wine loader whose locale variables are set, the way Wine
  // picks a process's ANSI code page; nullptr when that route is not available.
  static std::unique_ptr<Program> StartInLocale(const std::wstring& exe, const std::wstring& locale);

  // Ends the process if the case left it running.
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD Pid() const { return pid_; }
  bool IsRunning() const;
  // Waits for the end and gives the exit code; nullopt on timeout.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs = kTimeoutMs) const;
  void Terminate() const;

  // The hidden application window and the main window, once they exist (nullptr otherwise).
  HWND AppWindow() const;
  HWND Form() const;
  HWND WaitForAppWindow() const;
  HWND WaitForForm() const;
  bool WaitForFormVisible() const;
  HWND Control(int id) const;

  // The program's message box, if one is up.
  std::optional<MessageBoxInfo> FindMessageBox() const;
  std::optional<MessageBoxInfo> WaitForMessageBox(DWORD timeoutMs = kTimeoutMs) const;
  // Presses the box's OK button and waits until the box is gone.
  bool PressOk(const MessageBoxInfo& box) const;

  // Returns once the program's GUI thread has handled everything posted to it before.
  bool Flush() const;
  // Returns once the GUI thread answers a sent message: it runs a message loop (its own or
  // a modal one).
  bool Ping() const;

  // User actions and what the user sees, all across the process boundary.
  void Click(int id) const;
  bool SetText(int id, const std::wstring& text) const;
  std::wstring Text(int id) const;
  int ListCount() const;
  std::wstring ListEntry(int index) const;
  // Clicks the list entry with the mouse, as the user would.
  bool ClickListEntry(int index) const;
  HWND Focus() const;
  // Title-bar commands (WM_SYSCOMMAND) to the main window or the task-bar button.
  void SysCommandToForm(WPARAM command) const;
  void SysCommandToApp(WPARAM command) const;

private:
  Program() = default;
  void Adopt(HANDLE process, DWORD pid);

  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  mutable HWND app_ = nullptr;
  mutable HWND form_ = nullptr;
  mutable WPARAM flushMarker_ = 0;
};

}  // namespace orvelle::blackbox
