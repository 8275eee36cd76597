#include "platform/Application.h"

#include <exception>

#include "platform/Error.h"
#include "platform/Form.h"
#include "platform/Text.h"

namespace orvelle::platform {

namespace {
// Resource ID of the program icon (resources/resources.rc).
constexpr int kProgramIconId = 1;

}  // namespace

void ReportCaughtError() noexcept {
  std::wstring message;
  try {
    throw;
  } catch (const Error& e) {
    message = e.Message();
  } catch (const std::exception& e) {
    message = AnsiToWide(e.what());
  } catch (...) {
    message = L"Unknown error";
  }
  try {
    Application::Instance().ShowCaughtError(message);
  } catch (...) {
    // Reporting must never take the program down with it.
  }
}

Application& Application::Instance() {
  static Application instance;
  return instance;
}

void Application::Initialize() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  icon_ = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                                          ::GetSystemMetrics(SM_CXICON),
                                          ::GetSystemMetrics(SM_CYICON), LR_SHARED));
  smallIcon_ = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  // A zero-sized window at the screen's centre: invisible, yet it holds the task-bar button
  // and, as the owner of the main form and of every error box, keeps them together.
  const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
  const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
  CreateWindowOf(L"OrvelleApplication", 0, L"",
                 WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                 nullptr, 0, nullptr, icon_, smallIcon_);
}

void Application::SetTitle(const std::wstring& title) { ::SetWindowTextW(Handle(), title.c_str()); }

std::wstring Application::Title() const {
  wchar_t buffer[256] = {};
  const int n = ::GetWindowTextW(Handle(), buffer, 256);
  return std::wstring(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
}

void Application::ShowCaughtError(const std::wstring& message) {
  if (errorHandler_) errorHandler_(message);
}

void Application::Run(int showCommand) {
  if (showCommand == SW_SHOWMINNOACTIVE) {
    // Only the task-bar button; the form's first show waits for the user's restore.
    ::ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
  } else {
    ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    if (mainForm_) mainForm_->Show(showCommand == SW_SHOWMAXIMIZED);
  }

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
}

bool Application::ProcessPendingMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    Dispatch(msg);
  }
  return true;
}

void Application::Dispatch(MSG& msg) {
  if (PreTranslate(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

bool Application::PreTranslate(MSG& msg) {
  bool handled = false;
  RunGuarded([&] { handled = mainForm_ && mainForm_->PreTranslateKey(msg); });
  return handled;
}

void Application::Minimize() {
  if (mainForm_) mainForm_->MinimizeToTaskBar();
  ::ShowWindow(Handle(), SW_MINIMIZE);
}

void Application::Restore() {
  if (::IsIconic(Handle())) ::ShowWindow(Handle(), SW_RESTORE);
  if (mainForm_) mainForm_->RestoreFromTaskBar();
}

LRESULT Application::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_RESTORE && ::IsIconic(Handle())) {
        Restore();
        return 0;
      }
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        Minimize();
        return 0;
      }
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        // The task-bar button's Close closes the main form, as its own close box would.
        if (mainForm_ && mainForm_->Handle()) ::PostMessageW(mainForm_->Handle(), WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // Activation that lands on the invisible window belongs to the form.
      if (LOWORD(wParam) != WA_INACTIVE && mainForm_ && mainForm_->Handle() &&
          ::IsWindowVisible(mainForm_->Handle()) && ::IsWindowEnabled(mainForm_->Handle())) {
        ::SetActiveWindow(mainForm_->Handle());
        return 0;
      }
      break;
    case WM_CLOSE:
      if (mainForm_ && mainForm_->Handle()) ::PostMessageW(mainForm_->Handle(), WM_CLOSE, 0, 0);
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace orvelle::platform
