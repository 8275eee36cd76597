// The send button with a real console: Wine's cmd.exe in its own console window (class
// WineConsoleClass, hosted by conhost.exe). Such a window ignores character messages, so the
// line has to reach cmd as console input; the proof is a file that cmd writes.
#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "blackbox/ProgramTest.h"
#include "support/Paths.h"

namespace orvelle::blackbox {
namespace {

// Each console's cmd gets this variable with a value of its own, so a command that echoes it
// tells which console ran it.
constexpr const wchar_t* kTagVariable = L"ORVELLE_CONSOLE_TAG";
// How long a console that must get nothing is watched.
constexpr DWORD kNothingArrivesMs = 3000;

constexpr const wchar_t* kListConsoleProcesses = L"--list-console-processes";

// Started as "blackbox_tests.exe --list-console-processes <pid> <file>", this executable only
// attaches to the console of process <pid>, writes the ids of the processes attached to it
// to the file (nothing when it cannot attach) and ends. Only a process outside the program
// under test can see whether the program stayed attached to cmd's console.
[[maybe_unused]] const bool gListedConsoleProcesses = [] {
  const std::vector<std::wstring> args = CommandLineArguments();
  if (args.size() != 4 || args[1] != kListConsoleProcesses) return false;
  ::FreeConsole();
  std::string report;
  if (::AttachConsole(static_cast<DWORD>(std::stoul(args[2])))) {
    DWORD pids[256] = {};
    const DWORD n = ::GetConsoleProcessList(pids, 256);
    for (DWORD i = 0; i < n && i < 256; ++i) report += std::to_string(pids[i]) + " ";
    ::FreeConsole();
  }
  WriteFileBytes(args[3], report + "\n");
  ::ExitProcess(0);
  return true;
}();

// The processes attached to the console of process pid; nothing when that cannot be told.
std::optional<std::vector<DWORD>> ProcessesOnConsoleOf(DWORD pid, const std::wstring& reportFile) {
  ::DeleteFileW(reportFile.c_str());
  const std::wstring exe = test::ModulePath();
  std::wstring commandLine =
      L"\"" + exe + L"\" " + kListConsoleProcesses + L" " + std::to_wstring(pid) + L" \"" + reportFile + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  // Detached: it must have no console of its own to attach to another.
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &startup, &info))
    return std::nullopt;
  ::CloseHandle(info.hThread);
  const bool ended = ::WaitForSingleObject(info.hProcess, kStartTimeoutMs) == WAIT_OBJECT_0;
  if (!ended) ::TerminateProcess(info.hProcess, 1);
  ::CloseHandle(info.hProcess);
  const std::optional<std::string> report = ReadFileBytes(reportFile);
  if (!ended || !report || report->size() < 2) return std::nullopt;
  std::vector<DWORD> pids;
  std::size_t at = 0;
  while (at < report->size() && (*report)[at] != '\n') {
    std::size_t used = 0;
    pids.push_back(static_cast<DWORD>(std::stoul(report->substr(at), &used)));
    at += used + 1;
  }
  return pids;
}

struct ProcessEntry {
  DWORD pid = 0;
  DWORD parent = 0;
  std::wstring exe;
};

std::vector<ProcessEntry> Processes() {
  std::vector<ProcessEntry> processes;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry))
    processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
  ::CloseHandle(snapshot);
  return processes;
}

std::wstring ClassName(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring Title(HWND hwnd) {
  wchar_t text[512] = {};
  const int n = ::GetWindowTextW(hwnd, text, 512);
  return std::wstring(text, static_cast<std::size_t>(n > 0 ? n : 0));
}

// Every console window on the desktop (whoever hosts it).
std::set<HWND> ConsoleWindows() {
  std::set<HWND> windows;
  ::EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        if (ClassName(hwnd) == L"WineConsoleClass" && ::IsWindowVisible(hwnd))
          reinterpret_cast<std::set<HWND>*>(param)->insert(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  const UINT n = ::GetSystemDirectoryW(path, MAX_PATH);
  return std::wstring(path, n);
}

// This process's environment plus the tag, as a CreateProcessW block.
std::wstring EnvironmentWithTag(const std::wstring& tag) {
  std::wstring block;
  if (wchar_t* strings = ::GetEnvironmentStringsW()) {
    for (const wchar_t* p = strings; *p; p += ::lstrlenW(p) + 1) {
      const std::wstring entry = p;
      if (entry.rfind(std::wstring(kTagVariable) + L"=", 0) != 0) block.append(entry).push_back(L'\0');
    }
    ::FreeEnvironmentStringsW(strings);
  }
  block.append(std::wstring(kTagVariable) + L"=" + tag).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

// cmd.exe in a console window of its own, as a user opens a command prompt. Its console host
// (conhost.exe, a child of cmd under Wine) owns the window.
class CmdConsole {
public:
  CmdConsole(const std::wstring& tag, const std::wstring& arguments = {}) {
    const std::wstring exe = SystemFolder() + L"\\cmd.exe";
    std::wstring commandLine = L"cmd.exe" + (arguments.empty() ? L"" : L" " + arguments);
    std::wstring environment = EnvironmentWithTag(tag);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup,
                          &info))
      return;
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
  }
  ~CmdConsole() { Close(); }
  CmdConsole(const CmdConsole&) = delete;
  CmdConsole& operator=(const CmdConsole&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Pid() const { return pid_; }

  // The console window once it shows this title (letter case ignored); null on timeout.
  HWND WaitForWindow(const std::wstring& title) {
    WaitUntil(
        [&] {
          window_ = nullptr;
          for (HWND hwnd : ConsoleWindows())
            if (HostedByUs(hwnd) && ::lstrcmpiW(Title(hwnd).c_str(), title.c_str()) == 0) window_ = hwnd;
          return window_ != nullptr;
        },
        kStartTimeoutMs);
    return window_;
  }

  // Ends cmd and its console host; waits until the window is gone.
  void Close() {
    if (!process_) return;
    for (const ProcessEntry& p : Processes()) {
      if (p.parent != pid_) continue;
      if (HANDLE child = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, p.pid)) {
        ::TerminateProcess(child, 1);
        ::WaitForSingleObject(child, kTimeoutMs);
        ::CloseHandle(child);
      }
    }
    ::TerminateProcess(process_, 1);
    ::WaitForSingleObject(process_, kTimeoutMs);
    ::CloseHandle(process_);
    process_ = nullptr;
    if (window_) WaitUntil([&] { return !::IsWindow(window_) || !::IsWindowVisible(window_); });
  }

private:
  bool HostedByUs(HWND hwnd) const {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner == pid_) return true;
    const std::vector<ProcessEntry> all = Processes();
    return std::any_of(all.begin(), all.end(),
                       [&](const ProcessEntry& p) { return p.pid == owner && p.parent == pid_; });
  }

  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
};

// The line as cmd runs it: the Windows path quoted, the tag expanded by cmd.
std::wstring EchoLine(const std::wstring& word, const wchar_t* redirect, const std::wstring& file) {
  return L"echo " + word + L" %" + kTagVariable + L"%" + redirect + L" \"" + file + L"\"";
}

class WineConsoleTest : public ProgramTest {
protected:
  // Waits until the file holds exactly these bytes; the last bytes read through `last`.
  static bool WaitForContent(const std::wstring& path, const std::string& bytes, std::string& last) {
    return WaitUntil([&] {
      last = ReadFileBytes(path).value_or("<no file>");
      return last == bytes;
    });
  }

  // The send must leave the program as it was: no box, the main window still in front, and
  // the focus on the send button, where the click put it.
  void ExpectUndisturbed() {
    ASSERT_TRUE(program().Flush());
    const auto box = program().FindMessageBox();
    EXPECT_FALSE(box) << "unexpected box: " << (box ? box->text : L"");
    EXPECT_EQ(::GetForegroundWindow(), program().Form()) << "the main window lost the foreground";
    EXPECT_EQ(program().Focus(), program().Control(kSendButton)) << "the send moved the focus";
  }

  // No console host was started for the program: it must not get a console window of its
  // own by attaching to cmd's.
  ::testing::AssertionResult HasNoConsoleOfItsOwn() {
    for (const ProcessEntry& p : Processes())
      if (p.parent == program().Pid() && ::lstrcmpiW(p.exe.c_str(), L"conhost.exe") == 0)
        return ::testing::AssertionFailure() << "conhost.exe (pid " << p.pid << ") runs for the program";
    return ::testing::AssertionSuccess();
  }

  // Once the line is written the program lets go of cmd's console: staying attached would
  // tie it to that console (a closed prompt would take it along).
  ::testing::AssertionResult LeftTheConsoleOf(const CmdConsole& cmd) {
    const std::optional<std::vector<DWORD>> attached =
        ProcessesOnConsoleOf(cmd.Pid(), Folder().File(L"console processes.txt"));
    if (!attached) return ::testing::AssertionFailure() << "cannot list the processes on cmd's console";
    auto on = [&](DWORD pid) { return std::find(attached->begin(), attached->end(), pid) != attached->end(); };
    if (!on(cmd.Pid())) return ::testing::AssertionFailure() << "the list of cmd's console lacks cmd itself";
    if (on(program().Pid())) return ::testing::AssertionFailure() << "the program is still attached to cmd's console";
    return ::testing::AssertionSuccess();
  }
};

TEST_F(WineConsoleTest, SendRunsTheLineInCmdOfTheWindowWithTheExactTitle) {
  // A prompt whose title only starts like the one sought: it must never get the line. Started
  // first, its cmd is also the first one a search that ignored the window would come to.
  CmdConsole other(L"other", std::wstring(L"/k title ") + kConsoleTitle + L" - x");
  ASSERT_TRUE(other.Started()) << "cannot start cmd.exe (error " << ::GetLastError() << ")";
  ASSERT_TRUE(other.WaitForWindow(std::wstring(kConsoleTitle) + L" - x")) << "no console window with the suffix";
  CmdConsole cmd(L"exact");
  ASSERT_TRUE(cmd.Started());
  // Wine names the window after cmd's image, in its own letter case.
  HWND cmdWindow = cmd.WaitForWindow(kConsoleTitle);
  ASSERT_TRUE(cmdWindow) << "no console window titled " << ::testing::PrintToString(std::wstring(kConsoleTitle));
  const std::set<HWND> consolesBefore = ConsoleWindows();

  ASSERT_NO_FATAL_FAILURE(WriteCommands(""));
  ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow());
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == program().Form(); }))
      << "the main window never came to the front over the consoles";

  const std::wstring out = Folder().File(L"from cmd.txt");
  struct Step {
    std::wstring line;
    std::string fileAfter;
  };
  const Step steps[] = {
      {EchoLine(L"first", L">", out), "first exact\r\n"},
      // Sent again, the line reaches the same prompt again (the title did not change).
      {EchoLine(L"second", L">>", out), "first exact\r\nsecond exact\r\n"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(::testing::PrintToString(step.line));
    ASSERT_TRUE(program().SetText(kCommandLine, step.line));
    program().Click(kSendButton);
    std::string last;
    EXPECT_TRUE(WaitForContent(out, step.fileAfter, last)) << "cmd.exe wrote " << ::testing::PrintToString(last);
    ASSERT_NO_FATAL_FAILURE(ExpectUndisturbed());
    EXPECT_EQ(program().Text(kCommandLine), step.line) << "sending changed the command line";
    EXPECT_TRUE(HasNoConsoleOfItsOwn());
    EXPECT_TRUE(LeftTheConsoleOf(cmd));
    EXPECT_EQ(ConsoleWindows(), consolesBefore) << "a console window came or went";
  }

  // Without the exact title on screen nothing is typed anywhere, and nothing is reported.
  cmd.Close();
  const std::wstring nowhere = Folder().File(L"nowhere.txt");
  ASSERT_TRUE(program().SetText(kCommandLine, EchoLine(L"third", L">", nowhere)));
  program().Click(kSendButton);
  ASSERT_TRUE(program().Flush());
  EXPECT_FALSE(WaitUntil([&] { return FileExists(nowhere); }, kNothingArrivesMs))
      << "a console without the exact title ran the line";
  ASSERT_NO_FATAL_FAILURE(ExpectUndisturbed());
  EXPECT_TRUE(HasNoConsoleOfItsOwn());

  CloseByTitleBar();
}

}  // namespace
}  // namespace orvelle::blackbox
