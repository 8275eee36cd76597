#include "app/ErrorBox.h"

#include <windows.h>

#include <vector>

#include "app/ErrorText.h"
#include "platform/Application.h"

namespace orvelle::app {

namespace {

struct DisabledWindows {
  HWND keep;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM param) {
  auto* state = reinterpret_cast<DisabledWindows*>(param);
  if (hwnd != state->keep && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) {
    ::EnableWindow(hwnd, FALSE);
    state->windows.push_back(hwnd);
  }
  return TRUE;
}

// The box appears over its owner's monitor; move the (invisible) owner to the monitor of the
// window the user works in when that is another one. Returns where the owner was.
bool MoveOwnerToMonitorOf(HWND owner, HWND active, RECT& previous) {
  if (!active) return false;
  HMONITOR target = ::MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
  if (target == ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)) return false;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(target, &info)) return false;
  ::GetWindowRect(owner, &previous);
  const RECT& work = info.rcWork;
  ::SetWindowPos(owner, nullptr, (work.left + work.right) / 2, (work.top + work.bottom) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

}  // namespace

void ShowErrorBox(const std::wstring& message) {
  if (HWND capture = ::GetCapture()) {
    ::SendMessageW(capture, WM_CANCELMODE, 0, 0);
    if (::GetCapture()) ::ReleaseCapture();
  }
  platform::Application& app = platform::Application::Instance();
  HWND owner = app.Handle();
  const std::wstring caption = app.Title();
  const std::wstring text = BoxText(message);

  HWND active = ::GetActiveWindow();
  HWND focus = ::GetFocus();
  DisabledWindows disabled{owner, {}};
  ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&disabled));
  RECT ownerRect{};
  const bool moved = MoveOwnerToMonitorOf(owner, active, ownerRect);

  ::MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);

  if (moved)
    ::SetWindowPos(owner, nullptr, ownerRect.left, ownerRect.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (HWND hwnd : disabled.windows)
    if (::IsWindow(hwnd)) ::EnableWindow(hwnd, TRUE);
  if (active && ::IsWindow(active)) ::SetActiveWindow(active);
  if (focus && ::IsWindow(focus)) ::SetFocus(focus);
}

void ShowFatalBox(const std::wstring& className, const void* address, const std::wstring& message) {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCWSTR>(address), &module);
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(module, path, MAX_PATH);
  const wchar_t* name = path;
  for (const wchar_t* p = path; *p; ++p)
    if (*p == L'\\' || *p == L'/') name = p + 1;
  const auto offset = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(address) -
                                                 reinterpret_cast<std::uintptr_t>(module));
  const std::wstring text = FatalText(className, name, module ? offset : 0, message);
  ::MessageBoxW(nullptr, text.c_str(), L"Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

}  // namespace orvelle::app
