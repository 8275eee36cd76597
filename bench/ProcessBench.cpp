// The program as a process, seen from outside, against the bare minimum of its kind:
//   start-up - CreateProcess to the main window shown and idle, with a 100-entry list, vs
//              BareWindow.exe (one plain window of the same size and style), and both vs
//              PlainForm.exe (the program's window tree in plain system controls);
//   memory   - working set and private bytes once the window is up and has settled, same pair;
//   typing   - how fast the send button types a long command line into a console stand-in
//              (BenchProbe.exe) vs BareSender.exe (FindWindowA and a plain SendMessageA loop);
//              the program is started once and its send button pressed once per run, each
//              figure is the time from the first character to the carriage return.
// Laid out by run.sh: BareWindow.exe, BareSender.exe and BenchProbe.exe beside this exe, and
// the program with its commands.txt in the subfolder "small". Program and yardstick runs
// alternate; each figure is the median of its runs.
//
//   process_bench.exe [runs] [characters typed] [typing runs]     (typing runs: 3 x runs)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "Launch.h"
#include "Probe.h"

namespace {

using bench::Launch;
using bench::Subject;

// Control IDs of the program's main window: the command line and the send button.
constexpr int kCommandLineId = 103;
constexpr int kSendButtonId = 104;

// Time the program gets after its window is up before its memory is read: what it does
// right after showing (the first paint, deferred work) counts, as a user would see it.
constexpr DWORD kSettleMs = 300;

struct Memory {
  double workingSetKb = 0;
  double privateKb = 0;
};

// Working set as the system counts it; private bytes as the committed memory of the process's
// own (MEM_PRIVATE) regions, walked with VirtualQueryEx, because Wine leaves the private
// usage of GetProcessMemoryInfo at 0.
Memory MeasureMemory(DWORD pid) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) bench::Fail("cannot open the process to read its memory");
  Memory memory;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!::GetProcessMemoryInfo(process, &counters, sizeof(counters))) bench::Fail("GetProcessMemoryInfo failed");
  memory.workingSetKb = static_cast<double>(counters.WorkingSetSize) / 1024.0;

  SYSTEM_INFO system{};
  ::GetSystemInfo(&system);
  auto* address = static_cast<const char*>(system.lpMinimumApplicationAddress);
  const auto* end = static_cast<const char*>(system.lpMaximumApplicationAddress);
  unsigned long long privateBytes = 0;
  MEMORY_BASIC_INFORMATION region{};
  while (address < end && ::VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region)) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) privateBytes += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  memory.privateKb = static_cast<double>(privateBytes) / 1024.0;
  ::CloseHandle(process);
  if (memory.workingSetKb <= 0 || memory.privateKb <= 0) bench::Fail("the process's memory reads as zero");
  return memory;
}

struct StartSample {
  double upMs;
  Memory memory;
};

StartSample StartAndLook(const Subject& subject, const std::wstring& folder) {
  Launch launch(subject, folder);
  StartSample sample{launch.UpMs(), {}};
  ::Sleep(kSettleMs);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(launch.Window(), &pid);
  sample.memory = MeasureMemory(pid);
  launch.Close();
  return sample;
}

// --- typing ---

HWND FindControl(HWND form, int id) {
  struct Find {
    int id;
    HWND found;
  } find{id, nullptr};
  // The controls sit on panels: GetDlgItem on the form would not reach them.
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

LRESULT Ask(HWND window, UINT query) {
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(window, query, 0, 0, SMTO_NORMAL, bench::kLaunchTimeoutMs, &answer))
    bench::Fail("the probe does not answer");
  return static_cast<LRESULT>(answer);
}

class ProbeProcess {
public:
  explicit ProbeProcess(const std::wstring& exe) {
    done_ = ::CreateEventW(nullptr, TRUE, FALSE, bench::probe::kDoneEventName);
    if (!done_) bench::Fail("cannot create the probe's event");
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                          &si, &pi_))
      bench::Fail("cannot start the probe");
    ::WaitForInputIdle(pi_.hProcess, bench::kLaunchTimeoutMs);
    const double start = bench::NowMs();
    while (!(window_ = ::FindWindowA(nullptr, bench::probe::kTitle))) {
      if (bench::NowMs() - start > bench::kLaunchTimeoutMs) bench::Fail("the probe's window did not show");
      ::Sleep(5);
    }
  }
  ~ProbeProcess() {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi_.hProcess, 1);
    ::CloseHandle(pi_.hThread);
    ::CloseHandle(pi_.hProcess);
    ::CloseHandle(done_);
  }
  ProbeProcess(const ProbeProcess&) = delete;
  ProbeProcess& operator=(const ProbeProcess&) = delete;

  void Reset() const {
    if (Ask(window_, bench::probe::kReset) != 1) bench::Fail("the probe did not reset");
  }

  // Waits for the 13, checks that exactly the text and the 13 arrived, and gives the
  // milliseconds per 1000 characters from the first character to the 13.
  double MsPer1000(const std::string& text, HANDLE sender) const {
    const HANDLE waits[2] = {done_, sender};
    if (::WaitForMultipleObjects(2, waits, FALSE, bench::kLaunchTimeoutMs) != WAIT_OBJECT_0) {
      // The sender ended (or time ran out) without the 13 having arrived.
      if (::WaitForSingleObject(done_, 0) != WAIT_OBJECT_0) bench::Fail("the carriage return never arrived");
    }
    long long sum = 13;
    for (char c : text) sum += static_cast<unsigned char>(c);
    const LRESULT count = Ask(window_, bench::probe::kCount);
    if (count != static_cast<LRESULT>(text.size() + 1)) {
      std::fprintf(stderr, "bench: the probe got %lld characters, %zu expected\n", static_cast<long long>(count),
                   text.size() + 1);
      bench::Fail("wrong number of characters typed");
    }
    if (Ask(window_, bench::probe::kCodeSum) != sum) bench::Fail("other characters than the text arrived");
    const LONGLONG first = Ask(window_, bench::probe::kFirstTicks);
    const LONGLONG last = Ask(window_, bench::probe::kReturnTicks);
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    const double ms = static_cast<double>(last - first) * 1000.0 / static_cast<double>(frequency.QuadPart);
    return ms * 1000.0 / static_cast<double>(text.size());
  }

private:
  PROCESS_INFORMATION pi_{};
  HWND window_ = nullptr;
  HANDLE done_ = nullptr;
};

// Printable ASCII in a fixed cycle (spaces included, no line breaks).
std::string TypingText(int length) {
  std::string text(static_cast<std::size_t>(length), ' ');
  for (int i = 0; i < length; ++i) text[static_cast<std::size_t>(i)] = static_cast<char>(32 + i % 95);
  return text;
}

// The program, started once with the text in its command line; each Type() is one press of
// its send button (the text stays in the command line after a send).
class ProgramTyping {
public:
  ProgramTyping(const Subject& program, const std::wstring& folder, const std::string& text)
      : launch_(program, folder), text_(text) {
    HWND edit = FindControl(launch_.Window(), kCommandLineId);
    send_ = FindControl(launch_.Window(), kSendButtonId);
    if (!edit || !send_) launch_.GiveUp("the command line or the send button is missing");
    // The command line is a Unicode edit: the ASCII text, widened.
    const std::wstring wide(text.begin(), text.end());
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL,
                               bench::kLaunchTimeoutMs, &result) ||
        !result)
      launch_.GiveUp("the command line did not take the text");
    if (!::SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, bench::kLaunchTimeoutMs, &result) ||
        result != wide.size())
      launch_.GiveUp("the command line holds another length than was set");
  }
  ProgramTyping(const ProgramTyping&) = delete;
  ProgramTyping& operator=(const ProgramTyping&) = delete;

  double Type(const ProbeProcess& probe) {
    probe.Reset();
    // Posted, as a click comes in: the send runs in the program's own time.
    ::PostMessageW(send_, BM_CLICK, 0, 0);
    return probe.MsPer1000(text_, launch_.Process());
  }

  void Close() { launch_.Close(); }

private:
  Launch launch_;
  const std::string& text_;
  HWND send_ = nullptr;
};

double TypeWithBareSender(const std::wstring& exe, const std::wstring& textFile, const ProbeProcess& probe,
                          const std::string& text) {
  probe.Reset();
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring commandLine = L"\"" + exe + L"\" \"" + textFile + L"\"";
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                        &si, &pi))
    bench::Fail("cannot start BareSender");
  const double ms = probe.MsPer1000(text, pi.hProcess);
  DWORD exitCode = 1;
  if (::WaitForSingleObject(pi.hProcess, bench::kLaunchTimeoutMs) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(pi.hProcess, &exitCode) || exitCode != 0)
    bench::Fail("BareSender did not end cleanly");
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = bench::RunsFromArgs(argc, argv);
  const int characters = argc > 2 && std::atoi(argv[2]) > 0 ? std::atoi(argv[2]) : 20000;
  // A short run's speed swings with whatever else the machine does meanwhile: short texts
  // want more runs than long ones.
  const int typingRuns = argc > 3 && std::atoi(argv[3]) > 0 ? std::atoi(argv[3]) : runs * 3;
  const std::wstring folder = bench::ExeFolder();
  const std::wstring small = folder + L"\\small";
  const Subject program{small + L"\\OrvelleCommandsHelper.exe", L"Commands Helper"};
  const Subject bare{folder + L"\\BareWindow.exe", L"Bare Window"};
  const Subject plain{small + L"\\PlainForm.exe", L"Plain Form"};

  // Start-up and memory, from the same starts. Start-up is short and noisy: more runs than
  // the load, after one untimed start of each (exes into the cache, Wine's DLLs loaded).
  StartAndLook(program, small);
  StartAndLook(bare, folder);
  StartAndLook(plain, small);
  std::vector<double> programMs, bareMs, plainMs, programWs, bareWs, programPrivate, barePrivate;
  for (int i = 0; i < runs * 3; ++i) {
    const StartSample p = StartAndLook(program, small);
    const StartSample b = StartAndLook(bare, folder);
    plainMs.push_back(StartAndLook(plain, small).upMs);
    programMs.push_back(p.upMs);
    bareMs.push_back(b.upMs);
    programWs.push_back(p.memory.workingSetKb);
    bareWs.push_back(b.memory.workingSetKb);
    programPrivate.push_back(p.memory.privateKb);
    barePrivate.push_back(b.memory.privateKb);
  }
  bench::PrintRow("start-up: to window shown and idle vs a bare window", programMs, bareMs, "1.15");
  // Where the difference lies: the window tree the program's design asks for (an owner
  // window, fourteen controls, a filled list) in plain system controls, against the bare
  // window; and the program against that plain tree (its own code and its skin).
  bench::PrintRow("start-up: plain window with the same controls vs a bare window", plainMs, bareMs, "-");
  bench::PrintRow("start-up: to window shown and idle vs that plain window", programMs, plainMs, "-");
  bench::PrintRow("memory: working set after start-up, KB", programWs, bareWs, "1.3", "KB");
  bench::PrintRow("memory: private bytes after start-up, KB", programPrivate, barePrivate, "1.3", "KB");

  // Typing: the program's send button vs the plain loop, the same text into the same probe.
  const std::string text = TypingText(characters);
  const std::wstring textFile = folder + L"\\typing.txt";
  bench::WriteWholeFile(textFile, text);
  const ProbeProcess probe(folder + L"\\BenchProbe.exe");
  ProgramTyping typist(program, small, text);
  const std::wstring bareSender = folder + L"\\BareSender.exe";
  // One untimed send of each first, as for start-up.
  typist.Type(probe);
  TypeWithBareSender(bareSender, textFile, probe, text);
  std::vector<double> programTyping, bareTyping;
  for (int i = 0; i < typingRuns; ++i) {
    programTyping.push_back(typist.Type(probe));
    bareTyping.push_back(TypeWithBareSender(bareSender, textFile, probe, text));
  }
  typist.Close();
  std::printf("(typing: %d characters and a carriage return per run, %d runs each)\n", characters, typingRuns);
  // At least 0.9 times the plain loop's speed: at most 1/0.9 of its time per character.
  bench::PrintRow("typing: ms per 1000 chars into a probe (>=0.9x speed)", programTyping, bareTyping, "1.11");
  return 0;
}
