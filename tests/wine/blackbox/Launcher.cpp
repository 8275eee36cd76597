#include "blackbox/Launcher.h"

#include <algorithm>
#include <atomic>
#include <sstream>

#include "support/Paths.h"

namespace orvelle::blackbox {

namespace {

constexpr DWORD kSendTimeoutMs = 5000;

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring WindowText(HWND hwnd) {
  // For a window of another process this reads the stored text without sending a message,
  // so it cannot block on a busy program.
  wchar_t buffer[1024] = {};
  const int n = ::GetWindowTextW(hwnd, buffer, 1024);
  return std::wstring(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
}

bool Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  DWORD_PTR out = 0;
  if (!::SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &out)) return false;
  result = static_cast<LRESULT>(out);
  return true;
}

LRESULT SendOr(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT fallback) {
  LRESULT result = 0;
  return Send(hwnd, msg, wParam, lParam, result) ? result : fallback;
}

// Quoted so that the Microsoft command-line rules give the argument back unchanged.
std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  for (std::size_t i = 0;; ++i) {
    std::size_t backslashes = 0;
    while (i < arg.size() && arg[i] == L'\\') {
      ++i;
      ++backslashes;
    }
    if (i == arg.size()) {
      out.append(backslashes * 2, L'\\');
      break;
    }
    if (arg[i] == L'"') {
      out.append(backslashes * 2 + 1, L'\\');
    } else {
      out.append(backslashes, L'\\');
    }
    out += arg[i];
  }
  out += L'"';
  return out;
}

std::wstring ProcessImage(DWORD pid) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  wchar_t path[MAX_PATH * 2] = {};
  DWORD size = MAX_PATH * 2;
  std::wstring image;
  if (::QueryFullProcessImageNameW(process, 0, path, &size)) image.assign(path, size);
  ::CloseHandle(process);
  return image;
}

struct FindTopLevel {
  DWORD pid;
  const wchar_t* className;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK FindTopLevelProc(HWND hwnd, LPARAM param) {
  auto* find = reinterpret_cast<FindTopLevel*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != find->pid || ClassOf(hwnd) != find->className) return TRUE;
  if (find->visibleOnly && !::IsWindowVisible(hwnd)) return TRUE;
  find->found = hwnd;
  return FALSE;
}

HWND TopLevelOf(DWORD pid, const wchar_t* className, bool visibleOnly) {
  FindTopLevel find{pid, className, visibleOnly, nullptr};
  ::EnumWindows(&FindTopLevelProc, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

}  // namespace

std::vector<std::wstring> CommandLineArguments() {
  // shell32 is not among the libraries this test links, and this is its only use.
  using SplitFn = LPWSTR*(WINAPI*)(LPCWSTR, int*);
  std::vector<std::wstring> args;
  HMODULE shell32 = ::LoadLibraryW(L"shell32.dll");
  if (!shell32) return args;
  auto split = reinterpret_cast<SplitFn>(reinterpret_cast<void*>(::GetProcAddress(shell32, "CommandLineToArgvW")));
  int argc = 0;
  if (LPWSTR* argv = split ? split(::GetCommandLineW(), &argc) : nullptr) {
    for (int i = 0; i < argc; ++i) args.emplace_back(argv[i]);
    ::LocalFree(argv);
  }
  return args;
}

const Arguments& TestArguments() {
  static const Arguments arguments = [] {
    Arguments parsed;
    std::vector<std::wstring> plain;
    const std::vector<std::wstring> all = CommandLineArguments();
    for (std::size_t i = 1; i < all.size(); ++i)
      if (all[i].rfind(L"--", 0) != 0) plain.push_back(all[i]);
    if (!plain.empty()) parsed.programExe = WindowsPathOf(plain[0]);
    if (plain.size() > 1) parsed.probeExe = WindowsPathOf(plain[1]);
    return parsed;
  }();
  return arguments;
}

std::wstring WindowsPathOf(std::wstring_view linuxPath) {
  if (linuxPath.empty() || linuxPath.front() != L'/') return std::wstring(linuxPath);  // already Windows
  std::wstring path = L"Z:";
  for (wchar_t c : linuxPath) path += c == L'/' ? L'\\' : c;
  return path;
}

std::string LinuxPathOf(const std::wstring& windowsPath) {
  // Wine's own export; it does not exist on Windows, where nothing here needs it.
  using ToUnixFn = char*(CDECL*)(LPCWSTR);
  auto toUnix = reinterpret_cast<ToUnixFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return {};
  char* unixPath = toUnix(windowsPath.c_str());
  if (!unixPath) return {};
  std::string path = unixPath;
  ::HeapFree(::GetProcessHeap(), 0, unixPath);
  return path;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = bytes.empty() || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                                nullptr) &&
                                    written == bytes.size());
  ::CloseHandle(file);
  return ok;
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= deadline) return false;
    ::Sleep(pollMs);
  }
}

// ---- TempFolder -------------------------------------------------------------------------

TempFolder::TempFolder(const std::wstring& base) {
  static std::atomic<unsigned> counter{0};
  std::wstring parent = base;
  if (parent.empty()) {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    parent.assign(temp, n);
  }
  while (!parent.empty() && parent.back() == L'\\') parent.pop_back();
  for (int attempt = 0; attempt < 100 && !created_; ++attempt) {
    path_ = parent + L"\\orvelle-bb-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter++) + L"-" + std::to_wstring(::GetTickCount());
    created_ = ::CreateDirectoryW(path_.c_str(), nullptr) != FALSE;
  }
}

TempFolder::~TempFolder() {
  if (created_) test::RemoveFolderTree(path_);
}

// ---- Linux programs ---------------------------------------------------------------------

bool StartLinuxProgram(const std::vector<std::wstring>& argv, const std::vector<std::wstring>& extraEnvironment) {
  if (argv.empty()) return false;
  std::wstring commandLine;
  for (const std::wstring& arg : argv) {
    if (!commandLine.empty()) commandLine += L' ';
    commandLine += QuoteArgument(arg);
  }
  // Wine builds the Linux environment of such a program from this block.
  std::wstring environment;
  if (wchar_t* block = ::GetEnvironmentStringsW()) {
    for (const wchar_t* p = block; *p; p += ::lstrlenW(p) + 1) {
      const std::wstring entry = p;
      const std::wstring name = entry.substr(0, entry.find(L'=', 1));
      const bool replaced = std::any_of(extraEnvironment.begin(), extraEnvironment.end(),
                                        [&](const std::wstring& extra) { return extra.rfind(name + L"=", 0) == 0; });
      if (!replaced) environment.append(entry).push_back(L'\0');
    }
    ::FreeEnvironmentStringsW(block);
  }
  for (const std::wstring& extra : extraEnvironment) environment.append(extra).push_back(L'\0');
  environment.push_back(L'\0');

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const std::wstring image = WindowsPathOf(argv[0]);
  if (!::CreateProcessW(image.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.data(), nullptr, &startup, &info))
    return false;
  if (info.hThread) ::CloseHandle(info.hThread);
  if (info.hProcess) ::CloseHandle(info.hProcess);
  return true;
}

// ---- Probe ------------------------------------------------------------------------------

Probe::Probe(const std::wstring& logPath, ProbeBehaviour behaviour) : logPath_(logPath), behaviour_(behaviour) {
  const std::wstring& exe = TestArguments().probeExe;
  std::wstring commandLine =
      QuoteArgument(exe) + L" " + QuoteArgument(kConsoleTitle) + L" " + QuoteArgument(logPath);
  if (behaviour_.delayMs != 0 || behaviour_.hang) commandLine += L" " + std::to_wstring(behaviour_.delayMs);
  if (behaviour_.hang) commandLine += L" hang";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &startup, &process_))
    return;
  ::CloseHandle(process_.hThread);
  process_.hThread = nullptr;
  WaitUntil(
      [&] {
        hwnd_ = TopLevelOf(process_.dwProcessId, L"OrvelleProbeWindow", true);
        return hwnd_ != nullptr;
      },
      kStartTimeoutMs);
}

Probe::~Probe() {
  if (!process_.hProcess) return;
  // A hung probe would not take its WM_CLOSE for a minute.
  if (hwnd_ && !behaviour_.hang) ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  if (behaviour_.hang || ::WaitForSingleObject(process_.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process_.hProcess, 1);
    ::WaitForSingleObject(process_.hProcess, kTimeoutMs);
  }
  ::CloseHandle(process_.hProcess);
}

std::vector<ProbeLine> Probe::Lines() const {
  std::vector<ProbeLine> lines;
  const std::optional<std::string> log = ReadFileBytes(logPath_);
  if (!log) return lines;
  std::istringstream in(*log);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    ProbeLine parsed;
    if (fields >> parsed.code >> parsed.lParam) lines.push_back(parsed);
  }
  return lines;
}

bool Probe::WaitForLines(std::size_t count) const {
  return WaitUntil([&] { return Lines().size() >= count; });
}

// ---- Program ----------------------------------------------------------------------------

std::unique_ptr<Program> Program::Start(const std::wstring& exe, int showCommand, const std::wstring& workingFolder) {
  std::unique_ptr<Program> program(new Program());
  std::wstring commandLine = QuoteArgument(exe);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION info{};
  // Detached, as the desktop starts it: a GUI program started by a console program would
  // otherwise share that console.
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info))
    return nullptr;
  ::CloseHandle(info.hThread);
  program->Adopt(info.hProcess, info.dwProcessId);
  return program;
}

std::unique_ptr<Program> Program::StartInLocale(const std::wstring& exe, const std::wstring& locale) {
  // Wine's loader picks the ANSI code page from the locale variables it starts with; a
  // Windows process started by CreateProcess keeps its parent's, whatever its environment
  // block says. So a fresh loader is started from a Linux shell with the variables set.
  if (!StartLinuxProgram({L"/bin/sh", L"-c", L"exec wine \"$0\" >/dev/null 2>&1", exe},
                         {L"LC_ALL=" + locale}))
    return nullptr;
  DWORD pid = 0;
  struct Search {
    const std::wstring* exe;
    DWORD pid;
  };
  const bool found = WaitUntil(
      [&] {
        Search search{&exe, 0};
        ::EnumWindows(
            [](HWND hwnd, LPARAM param) -> BOOL {
              auto* s = reinterpret_cast<Search*>(param);
              if (ClassOf(hwnd) != L"OrvelleApplication") return TRUE;
              DWORD windowPid = 0;
              ::GetWindowThreadProcessId(hwnd, &windowPid);
              if (::lstrcmpiW(ProcessImage(windowPid).c_str(), s->exe->c_str()) != 0) return TRUE;
              s->pid = windowPid;
              return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        pid = search.pid;
        return pid != 0;
      },
      kStartTimeoutMs);
  if (!found) return nullptr;
  HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
  if (!process) return nullptr;
  std::unique_ptr<Program> program(new Program());
  program->Adopt(process, pid);
  return program;
}

void Program::Adopt(HANDLE process, DWORD pid) {
  process_ = process;
  pid_ = pid;
}

Program::~Program() {
  if (!process_) return;
  if (IsRunning()) Terminate();
  ::CloseHandle(process_);
}

bool Program::IsRunning() const { return ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs) const {
  if (::WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  if (!::GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

void Program::Terminate() const {
  ::TerminateProcess(process_, 99);
  ::WaitForSingleObject(process_, kTimeoutMs);
}

HWND Program::AppWindow() const {
  if (!app_ || !::IsWindow(app_)) app_ = TopLevelOf(pid_, L"OrvelleApplication", false);
  return app_;
}

HWND Program::Form() const {
  if (!form_ || !::IsWindow(form_)) form_ = TopLevelOf(pid_, L"OrvelleForm", false);
  return form_;
}

HWND Program::WaitForAppWindow() const {
  WaitUntil([&] { return AppWindow() != nullptr || !IsRunning(); }, kStartTimeoutMs);
  return AppWindow();
}

HWND Program::WaitForForm() const {
  WaitUntil([&] { return Form() != nullptr || !IsRunning(); }, kStartTimeoutMs);
  return Form();
}

bool Program::WaitForFormVisible() const {
  return WaitUntil([&] { return (Form() && ::IsWindowVisible(Form())) || !IsRunning(); }, kStartTimeoutMs) &&
         IsRunning();
}

HWND Program::Control(int id) const {
  struct Find {
    int id;
    HWND found;
  } find{id, nullptr};
  HWND form = Form();
  if (!form) return nullptr;
  // The controls sit on panels, so GetDlgItem on the form would not reach them.
  ::EnumChildWindows(
      form,
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* f = reinterpret_cast<Find*>(param);
        if (::GetDlgCtrlID(hwnd) != f->id) return TRUE;
        f->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}

std::optional<MessageBoxInfo> Program::FindMessageBox() const {
  HWND hwnd = TopLevelOf(pid_, L"#32770", true);
  if (!hwnd) return std::nullopt;
  MessageBoxInfo box;
  box.hwnd = hwnd;
  box.caption = WindowText(hwnd);
  // 0xFFFF is the ID of a message box's text.
  if (HWND text = ::GetDlgItem(hwnd, 0xFFFF)) box.text = WindowText(text);
  box.owner = ::GetWindow(hwnd, GW_OWNER);
  ::EnumChildWindows(
      hwnd,
      [](HWND child, LPARAM param) -> BOOL {
        if (::lstrcmpiW(ClassOf(child).c_str(), L"Button") == 0 && ::IsWindowVisible(child))
          reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(WindowText(child));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&box.buttons));
  return box;
}

std::optional<MessageBoxInfo> Program::WaitForMessageBox(DWORD timeoutMs) const {
  std::optional<MessageBoxInfo> box;
  WaitUntil(
      [&] {
        box = FindMessageBox();
        // The text control is filled in while the box is built; wait for a complete box.
        return (box && !box->text.empty()) || !IsRunning();
      },
      timeoutMs);
  return box;
}

bool Program::PressOk(const MessageBoxInfo& box) const {
  HWND ok = ::GetDlgItem(box.hwnd, IDOK);
  if (!ok) return false;
  ::PostMessageW(ok, BM_CLICK, 0, 0);
  return WaitUntil([&] { return !::IsWindow(box.hwnd) || !::IsWindowVisible(box.hwnd); });
}

bool Program::Flush() const {
  // Posted messages of one thread are handled in order, so once a marker posted now has
  // been handled, so has everything posted before it. The marker is the list's horizontal
  // extent, which does nothing in a list without a horizontal scroll bar.
  HWND list = Control(kCommandList);
  if (!list) return false;
  const WPARAM marker = 1000 + (++flushMarker_ % 1000);
  if (!::PostMessageW(list, LB_SETHORIZONTALEXTENT, marker, 0)) return false;
  return WaitUntil([&] {
    return !IsRunning() || SendOr(list, LB_GETHORIZONTALEXTENT, 0, 0, -1) == static_cast<LRESULT>(marker);
  });
}

bool Program::Ping() const {
  LRESULT result = 0;
  return AppWindow() && Send(AppWindow(), WM_NULL, 0, 0, result);
}

void Program::Click(int id) const {
  // Posted: the click may open a modal box, and a sent click would wait for it.
  if (HWND button = Control(id)) ::PostMessageW(button, BM_CLICK, 0, 0);
}

bool Program::SetText(int id, const std::wstring& text) const {
  HWND hwnd = Control(id);
  LRESULT result = 0;
  return hwnd && Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), result) && result;
}

std::wstring Program::Text(int id) const {
  HWND hwnd = Control(id);
  if (!hwnd) return L"<no control>";
  const LRESULT length = SendOr(hwnd, WM_GETTEXTLENGTH, 0, 0, -1);
  if (length < 0) return L"<no answer>";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendOr(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), 0);
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

int Program::ListCount() const {
  HWND list = Control(kCommandList);
  return list ? static_cast<int>(SendOr(list, LB_GETCOUNT, 0, 0, -1)) : -1;
}

std::wstring Program::ListEntry(int index) const {
  HWND list = Control(kCommandList);
  if (!list) return L"<no list>";
  const LRESULT length = SendOr(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0, LB_ERR);
  if (length == LB_ERR) return L"<no entry>";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendOr(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()), LB_ERR);
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

bool Program::ClickListEntry(int index) const {
  HWND list = Control(kCommandList);
  RECT item{};
  LRESULT result = 0;
  if (!list || !Send(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item), result) ||
      result == LB_ERR)
    return false;
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(list, WM_LBUTTONUP, 0, at);
  return Flush();
}

HWND Program::Focus() const {
  HWND form = Form();
  if (!form) return nullptr;
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(form, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void Program::SysCommandToForm(WPARAM command) const { ::PostMessageW(Form(), WM_SYSCOMMAND, command, 0); }

void Program::SysCommandToApp(WPARAM command) const { ::PostMessageW(AppWindow(), WM_SYSCOMMAND, command, 0); }

}  // namespace orvelle::blackbox
