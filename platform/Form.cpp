#include "platform/Form.h"

#include <algorithm>

#include "platform/Application.h"
#include "platform/Error.h"
#include "ui/FormLayout.h"

namespace orvelle::platform {

namespace {
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

bool IsFocusable(HWND hwnd) { return ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd); }

bool IsButton(HWND hwnd) {
  wchar_t cls[16] = {};
  ::GetClassNameW(hwnd, cls, 16);
  return ::lstrcmpiW(cls, L"Button") == 0;
}
}  // namespace

void Form::Create(const wchar_t* caption, SIZE clientSize) {
  RECT rc{0, 0, clientSize.cx, clientSize.cy};
  ::AdjustWindowRectEx(&rc, kFormStyle, FALSE, kFormExStyle);
  Application& app = Application::Instance();
  CreateWindowOf(L"OrvelleForm", kFormExStyle, caption, kFormStyle, 0, 0, rc.right - rc.left,
                 rc.bottom - rc.top, app.Handle(), 0, ::GetSysColorBrush(COLOR_BTNFACE), app.Icon(),
                 app.SmallIcon());
}

int Form::SystemDpi() {
  WindowDc screen(nullptr);
  const int dpi = screen.Get() ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

void Form::Show(bool maximized) {
  HWND hwnd = Handle();
  if (!shown_) {
    shown_ = true;
    // The show handler runs before the window appears; its error is reported, not fatal.
    RunGuarded([this] { OnShow(); });
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    const ui::Point at = ui::CenterOnVirtualScreen(
        {::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
         ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)},
        {rc.right - rc.left, rc.bottom - rc.top});
    ::SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::ShowWindow(hwnd, maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
  ::SetForegroundWindow(hwnd);
  ::SetActiveWindow(hwnd);
  if (!savedFocus_ || !::IsChild(hwnd, ::GetFocus())) {
    HWND target = savedFocus_ && ::IsWindow(savedFocus_) ? savedFocus_ : FirstTabStop();
    if (target) ::SetFocus(target);
  }
}

void Form::Hide() {
  HWND focus = ::GetFocus();
  if (focus && ::IsChild(Handle(), focus)) savedFocus_ = focus;
  ::ShowWindow(Handle(), SW_HIDE);
}

void Form::Close() { ::PostMessageW(Handle(), WM_CLOSE, 0, 0); }

namespace {
constexpr UINT kRunDeferred = WM_APP + 1;
}

void Form::Defer(std::function<void()> fn) {
  deferred_.push_back(std::move(fn));
  ::PostMessageW(Handle(), kRunDeferred, 0, 0);
}

void Form::MinimizeToTaskBar() {
  HWND focus = ::GetFocus();
  if (focus && ::IsChild(Handle(), focus)) savedFocus_ = focus;
  if (frameSkin_ && ::IsWindowVisible(Handle())) frameSkin_->AnimateMinimize(Handle());
  Hide();
}

void Form::RestoreFromTaskBar() {
  if (frameSkin_ && shown_ && !::IsWindowVisible(Handle())) frameSkin_->AnimateRestore(Handle());
  Show();
}

void Form::PaintBackground(HDC hdc) const {
  RECT rc;
  ::GetClientRect(Handle(), &rc);
  if (controlSkin_) {
    UniqueHbrush brush(::CreateSolidBrush(controlSkin_->BackgroundColor()));
    ::FillRect(hdc, &rc, brush.Get());
  } else {
    ::FillRect(hdc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
  }
}

HWND Form::FirstTabStop() const {
  for (HWND h : tabStops_)
    if (IsFocusable(h)) return h;
  return nullptr;
}

void Form::FocusNextTabStop(bool backwards) {
  if (tabStops_.empty()) return;
  const auto count = static_cast<std::ptrdiff_t>(tabStops_.size());
  HWND focus = ::GetFocus();
  auto it = std::find(tabStops_.begin(), tabStops_.end(), focus);
  std::ptrdiff_t index = it == tabStops_.end() ? (backwards ? 0 : -1) : it - tabStops_.begin();
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    index = (index + (backwards ? count - 1 : 1)) % count;
    HWND candidate = tabStops_[static_cast<std::size_t>(index)];
    if (IsFocusable(candidate)) {
      ::SetFocus(candidate);
      return;
    }
  }
}

bool Form::PreTranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !Handle() || !::IsChild(Handle(), msg.hwnd)) return false;
  const bool ctrlOrAlt = (::GetKeyState(VK_CONTROL) < 0) || (::GetKeyState(VK_MENU) < 0);
  if (msg.wParam == VK_TAB && !ctrlOrAlt) {
    FocusNextTabStop(::GetKeyState(VK_SHIFT) < 0);
    return true;
  }
  if (msg.wParam == VK_RETURN && IsButton(msg.hwnd)) {
    // Enter presses the focused button, as Space does.
    ::SendMessageW(::GetParent(msg.hwnd), WM_COMMAND,
                   MAKEWPARAM(::GetDlgCtrlID(msg.hwnd), BN_CLICKED),
                   reinterpret_cast<LPARAM>(msg.hwnd));
    return true;
  }
  return false;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToChild(msg, wParam, lParam, reflected)) return reflected;
  LRESULT framed = 0;
  if (frameSkin_ && frameSkin_->HandleFrameMessage(Handle(), msg, wParam, lParam, framed)) return framed;
  switch (msg) {
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PRINTCLIENT:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(Handle(), focus)) savedFocus_ = focus;
      } else if (!::IsIconic(Handle())) {
        HWND target = savedFocus_ && ::IsWindow(savedFocus_) && IsFocusable(savedFocus_)
                          ? savedFocus_
                          : FirstTabStop();
        if (target) ::SetFocus(target);
      }
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        Application::Instance().Minimize();
        return 0;
      }
      break;
    case kRunDeferred:
      if (!deferred_.empty()) {
        std::function<void()> fn = std::move(deferred_.front());
        deferred_.pop_front();
        fn();
      }
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace orvelle::platform
