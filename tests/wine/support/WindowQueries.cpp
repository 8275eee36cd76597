#include "support/WindowQueries.h"

#include <cstdio>

namespace orvelle::test {

std::wstring ClassNameOf(HWND hwnd) {
  wchar_t name[256] = {};
  const int n = ::GetClassNameW(hwnd, name, 256);
  return std::wstring(name, static_cast<std::size_t>(n > 0 ? n : 0));
}

std::wstring TextOf(HWND hwnd) {
  // InternalGetWindowText reads the stored title directly: it neither sends WM_GETTEXT (which
  // would wait on a window whose thread is busy, e.g. in a modal loop) nor is it limited to
  // the caller's process.
  std::wstring text(1024, L'\0');
  for (;;) {
    const int n = ::InternalGetWindowText(hwnd, text.data(), static_cast<int>(text.size()));
    if (n < static_cast<int>(text.size()) - 1) {
      text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
      return text;
    }
    text.resize(text.size() * 4);
  }
}

WindowBounds BoundsInParent(HWND hwnd) {
  RECT rc{};
  ::GetWindowRect(hwnd, &rc);
  HWND parent = (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hwnd) : nullptr;
  if (parent) ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

SIZE ClientSize(HWND hwnd) {
  RECT rc{};
  ::GetClientRect(hwnd, &rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

POINT ClientToScreenPoint(HWND hwnd, POINT client) {
  ::ClientToScreen(hwnd, &client);
  return client;
}

POINT ScreenCenterOf(HWND hwnd) {
  const SIZE size = ClientSize(hwnd);
  return ClientToScreenPoint(hwnd, {size.cx / 2, size.cy / 2});
}

bool HasStyle(HWND hwnd, LONG_PTR bits) { return (::GetWindowLongPtrW(hwnd, GWL_STYLE) & bits) == bits; }

bool HasExStyle(HWND hwnd, LONG_PTR bits) { return (::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & bits) == bits; }

bool VerticalScrollBarVisible(HWND hwnd) {
  if (!HasStyle(hwnd, WS_VSCROLL)) return false;
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetScrollBarInfo(hwnd, OBJID_VSCROLL, &info)) return true;
  return (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) == 0;
}

namespace {
struct TopLevelSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TopLevelSearch*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->processId) search->found.push_back(hwnd);
  return TRUE;
}

void CollectChildren(HWND parent, std::vector<HWND>& out) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    out.push_back(child);
    CollectChildren(child, out);
  }
}
}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  TopLevelSearch search{processId, {}};
  ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& match) {
  for (HWND hwnd : TopLevelWindowsOf(processId))
    if (match(hwnd)) return hwnd;
  return nullptr;
}

std::vector<HWND> DescendantsOf(HWND hwnd) {
  std::vector<HWND> out;
  CollectChildren(hwnd, out);
  return out;
}

HWND FindDescendantById(HWND hwnd, int id) {
  for (HWND child : DescendantsOf(hwnd))
    if (::GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

std::wstring Describe(HWND hwnd) {
  wchar_t handle[32];
  std::swprintf(handle, 32, L"0x%llX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));
  if (!hwnd) return handle;
  return std::wstring(handle) + L" \"" + TextOf(hwnd) + L"\" (" + ClassNameOf(hwnd) + L")";
}

}  // namespace orvelle::test
