#include "console/ConsoleTyping.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/TypingSequence.h"
#include "platform/Error.h"
#include "platform/Handles.h"

namespace orvelle::console {

namespace {

// Long enough for any console that is merely busy; a hung one is given up on at once.
constexpr UINT kCharTimeoutMs = 5000;

// Attached to another process's console for as long as it lives; never left attached.
class AttachedConsole {
public:
  explicit AttachedConsole(DWORD pid) : attached_(::AttachConsole(pid) != FALSE) {}
  ~AttachedConsole() {
    if (attached_) ::FreeConsole();
  }
  AttachedConsole(const AttachedConsole&) = delete;
  AttachedConsole& operator=(const AttachedConsole&) = delete;
  bool Attached() const { return attached_; }

private:
  bool attached_;
};

void AddKey(std::vector<INPUT_RECORD>& records, wchar_t ch, WORD virtualKey) {
  for (BOOL down : {TRUE, FALSE}) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = down;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = virtualKey;
    record.Event.KeyEvent.wVirtualScanCode = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    record.Event.KeyEvent.uChar.UnicodeChar = ch;
    records.push_back(record);
  }
}

// Key events for the line's bytes, each as the character the ANSI code page maps it to,
// then Enter.
std::vector<INPUT_RECORD> KeyEventsFor(std::string_view line) {
  std::vector<INPUT_RECORD> records;
  records.reserve(line.size() * 2 + 2);
  for (char byte : line) {
    wchar_t ch = 0;
    if (::MultiByteToWideChar(CP_ACP, 0, &byte, 1, &ch, 1) != 1) ch = static_cast<unsigned char>(byte);
    const SHORT scan = ::VkKeyScanW(ch);
    AddKey(records, ch, scan == -1 ? 0 : static_cast<WORD>(scan & 0xFF));
  }
  AddKey(records, L'\r', VK_RETURN);
  return records;
}

bool WriteToAttachedConsole(const std::vector<INPUT_RECORD>& records) {
  platform::UniqueFile input(::CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!input) return false;
  std::size_t done = 0;
  while (done < records.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(records.size() - done, 4096));
    if (!::WriteConsoleInputW(input.Get(), records.data() + done, chunk, &written) || written == 0) return false;
    done += written;
  }
  return true;
}

bool ConsoleTitleIs(const char* title) {
  char buffer[512] = {};
  const DWORD n = ::GetConsoleTitleA(buffer, sizeof(buffer));
  return n > 0 && ::lstrcmpiA(buffer, title) == 0;
}

// Processes to try, console shells first: the console sought is usually cmd.exe's.
std::vector<DWORD> CandidateProcesses() {
  std::vector<DWORD> shells, others;
  platform::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return {};
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  const DWORD self = ::GetCurrentProcessId();
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
    if (entry.th32ProcessID == self || entry.th32ProcessID == 0) continue;
    (::lstrcmpiW(entry.szExeFile, L"cmd.exe") == 0 ? shells : others).push_back(entry.th32ProcessID);
  }
  shells.insert(shells.end(), others.begin(), others.end());
  return shells;
}

// Writes the line to the console that `window` shows: the console whose window it is (the
// classic host, Wine), or for a terminal window, the console bearing the target title.
bool WriteToConsoleOf(HWND window, bool byTitle, std::string_view line) {
  const std::vector<INPUT_RECORD> records = KeyEventsFor(line);
  // A console inherited from whoever started us would stand in the way of attaching.
  ::FreeConsole();
  for (DWORD pid : CandidateProcesses()) {
    AttachedConsole console(pid);
    if (!console.Attached()) continue;
    const bool match = byTitle ? ConsoleTitleIs(kTargetTitle) : ::GetConsoleWindow() == window;
    if (match) return WriteToAttachedConsole(records);
  }
  return false;
}

class WindowManagerPort final : public ConsolePort {
public:
  std::uintptr_t FindTarget(const char* title) override {
    // No class: any top-level window with this title, letter case ignored.
    target_ = ::FindWindowA(nullptr, title);
    // A window that has already stopped answering gets nothing: the send fails at once.
    hung_ = target_ && ::IsHungAppWindow(target_);
    return reinterpret_cast<std::uintptr_t>(target_);
  }
  std::string ClassOf(std::uintptr_t target) override {
    char name[256] = {};
    const int n = ::GetClassNameA(reinterpret_cast<HWND>(target), name, sizeof(name));
    return std::string(name, static_cast<std::size_t>(n > 0 ? n : 0));
  }
  bool SendChar(std::uintptr_t target, unsigned code) override {
    // Waits until the character is processed, but gives up on a window that hangs. Checked
    // once per send (above), not per character: asking for SMTO_ABORTIFHUNG on every
    // character made typing measurably slower, and the timeout ends a hang all the same.
    if (hung_) return false;
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(reinterpret_cast<HWND>(target), WM_CHAR, code, 0, SMTO_NORMAL, kCharTimeoutMs,
                                 &ignored) != 0;
  }
  bool WriteConsoleLine(std::uintptr_t target, std::string_view line) override {
    const HWND window = reinterpret_cast<HWND>(target);
    return WriteToConsoleOf(window, ClassOf(target) == "CASCADIA_HOSTING_WINDOW_CLASS", line);
  }
  HWND Target() const { return target_; }

private:
  HWND target_ = nullptr;
  bool hung_ = false;
};

}  // namespace

void SendToConsole(std::string_view commandLine) {
  WindowManagerPort port;
  if (TypeCommandLine(commandLine, port).complete) return;
  wchar_t title[256] = {};
  if (!port.Target() || ::GetWindowTextW(port.Target(), title, 256) <= 0)
    ::MultiByteToWideChar(CP_ACP, 0, kTargetTitle, -1, title, 256);
  throw platform::ConsoleTypingError(std::wstring(L"Cannot type into window \"") + title + L"\"");
}

}  // namespace orvelle::console
