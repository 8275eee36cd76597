#include "support/Wine.h"

#include <windows.h>

#include <string>

#include "support/Paths.h"

namespace orvelle::test {

namespace {
constexpr wchar_t kRestartedVariable[] = L"ORVELLE_TEST_UNMANAGED_RESTART";

std::wstring SettingsKey() {
  std::wstring name = ModulePath();
  name = name.substr(name.find_last_of(L"\\/") + 1);
  return L"Software\\Wine\\AppDefaults\\" + name + L"\\X11 Driver";
}

bool UnmanagedIsSet(const std::wstring& key) {
  wchar_t value[8] = {};
  DWORD size = sizeof(value);
  if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Managed", RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return false;
  return value[0] == L'N' || value[0] == L'n';
}

bool StoreUnmanaged(const std::wstring& key) {
  HKEY hkey = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey, nullptr) !=
      ERROR_SUCCESS)
    return false;
  static const wchar_t kNo[] = L"N";
  const bool ok =
      ::RegSetValueExW(hkey, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNo), sizeof(kNo)) == ERROR_SUCCESS;
  ::RegCloseKey(hkey);
  return ok;
}
}  // namespace

bool RunningUnderWine() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void EnsureUnmanagedWindows() {
  if (!RunningUnderWine()) return;
  const std::wstring key = SettingsKey();
  if (UnmanagedIsSet(key)) return;
  // Once only: if the setting did not take, run slowly rather than restart forever.
  if (::GetEnvironmentVariableW(kRestartedVariable, nullptr, 0) != 0) return;
  if (!StoreUnmanaged(key)) return;
  ::SetEnvironmentVariableW(kRestartedVariable, L"1");

  const std::wstring module = ModulePath();
  std::wstring commandLine = ::GetCommandLineW();
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  // The run ends with this process: a runner that kills this one on a timeout kills both.
  HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
  if (job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
  }
  if (!::CreateProcessW(module.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return;
  if (job) ::AssignProcessToJobObject(job, pi.hProcess);
  ::CloseHandle(pi.hThread);
  ::WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(pi.hProcess, &code);
  ::ExitProcess(code);
}

}  // namespace orvelle::test
