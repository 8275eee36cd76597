#include "support/ChildProcess.h"

#include <cstdlib>
#include <sstream>
#include <utility>

#include "support/Files.h"
#include "support/Pump.h"
#include "support/WindowQueries.h"

namespace orvelle::test {

std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled; the quote itself is escaped.
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  out += L'"';
  return out;
}

ChildProcess::ChildProcess(const std::wstring& exe, const std::vector<std::wstring>& args, DWORD creationFlags,
                           const std::wstring& workingFolder) {
  std::wstring commandLine = QuoteArgument(exe);
  for (const std::wstring& arg : args) commandLine += L" " + QuoteArgument(arg);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &si, &pi)) {
    error_ = ::GetLastError();
    return;
  }
  ::CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  id_ = pi.dwProcessId;
}

ChildProcess::~ChildProcess() { Stop(); }

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(other.id_), error_(other.error_) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Stop();
    process_ = std::exchange(other.process_, nullptr);
    id_ = other.id_;
    error_ = other.error_;
  }
  return *this;
}

bool ChildProcess::Running() const { return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD* code) const {
  if (!process_) return false;
  if (::WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  if (code) ::GetExitCodeProcess(process_, code);
  return true;
}

HWND ChildProcess::WaitForWindow(const std::wstring& title, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindTopLevelWindow(
            id_, [&](HWND hwnd) { return ::IsWindowVisible(hwnd) && (title.empty() || TextOf(hwnd) == title); });
        return found != nullptr || !Running();
      },
      timeoutMs);
  return found;
}

void ChildProcess::Stop(DWORD timeoutMs) {
  if (!process_) return;
  if (Running()) {
    for (HWND hwnd : TopLevelWindowsOf(id_)) ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    if (!WaitForExit(timeoutMs)) {
      ::TerminateProcess(process_, 1);
      ::WaitForSingleObject(process_, 5000);
    }
  }
  ::CloseHandle(process_);
  process_ = nullptr;
}

void ChildProcess::Kill() {
  if (!process_) return;
  if (Running()) {
    ::TerminateProcess(process_, 1);
    ::WaitForSingleObject(process_, 5000);
  }
  ::CloseHandle(process_);
  process_ = nullptr;
}

ProbeWindow::ProbeWindow(const std::wstring& probeExe, const std::wstring& title, const std::wstring& logPath,
                         DWORD delayMs)
    : process_(probeExe, delayMs ? std::vector<std::wstring>{title, logPath, std::to_wstring(delayMs)}
                                 : std::vector<std::wstring>{title, logPath}),
      title_(title),
      logPath_(logPath) {}

HWND ProbeWindow::WaitUntilShown(DWORD timeoutMs) {
  if (!window_) window_ = process_.WaitForWindow(title_, timeoutMs);
  return window_;
}

std::vector<ReceivedChar> ProbeWindow::Received() const {
  std::vector<ReceivedChar> out;
  const std::optional<std::string> log = ReadFileBytes(logPath_);
  if (!log) return out;
  std::istringstream lines(*log);
  ReceivedChar entry;
  while (lines >> entry.code >> entry.lParam) out.push_back(entry);
  return out;
}

void ProbeWindow::Close() {
  process_.Kill();
  window_ = nullptr;
}

}  // namespace orvelle::test
