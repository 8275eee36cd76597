#include "platform/Window.h"

#include "platform/Error.h"

namespace orvelle::platform {

Window::~Window() {
  // An object that dies before its window must not be reached through the thunk again.
  if (hwnd_) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

void Window::CreateWindowOf(const wchar_t* className, DWORD exStyle, const wchar_t* title,
                            DWORD style, int x, int y, int width, int height, HWND parent, int id,
                            HBRUSH background, HICON icon, HICON smallIcon) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!::GetClassInfoExW(instance, className, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Window::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.lpszClassName = className;
    if (!::RegisterClassExW(&wc)) throw WindowError(L"Cannot register window class");
  }
  HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
  if (!::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                         instance, this))
    throw WindowError(L"Error creating window");
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);

  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    const LRESULT result = ::DefWindowProcW(hwnd, msg, wParam, lParam);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
    return result;
  }
  // An error skips the rest of the action: no default processing either.
  LRESULT result = 0;
  if (!RunGuarded([&] { result = self->HandleMessage(msg, wParam, lParam); })) result = 0;
  return result;
}

bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(lParam);
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      child = reinterpret_cast<HWND>(lParam);
      break;
    default:
      return false;
  }
  if (!child) return false;
  result = ::SendMessageW(child, kReflectBase + msg, wParam, lParam);
  return true;
}

}  // namespace orvelle::platform
