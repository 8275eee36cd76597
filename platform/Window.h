// Base of every window class of our own: registers the class once, routes messages to a
// C++ object, and is the message boundary where raised errors are caught and reported.
#pragma once

#include <windows.h>

namespace orvelle::platform {

// Reports an error caught at a message boundary. Set by the application (the error box).
void ReportCaughtError() noexcept;

// Runs fn(), reporting any error it raises; true when it finished without one.
template <typename Fn>
bool RunGuarded(Fn&& fn) noexcept {
  try {
    fn();
    return true;
  } catch (...) {
    ReportCaughtError();
    return false;
  }
}

class Window {
public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }

protected:
  // Creates the window of a class registered on first use for this object type.
  void CreateWindowOf(const wchar_t* className, DWORD exStyle, const wchar_t* title, DWORD style,
                      int x, int y, int width, int height, HWND parent, int id,
                      HBRUSH background = nullptr, HICON icon = nullptr, HICON smallIcon = nullptr);

  // One message; the default is DefWindowProc. Errors it raises are reported by the caller.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // The window is gone (WM_NCDESTROY): Handle() is null from here on.
  virtual void OnDestroyed() {}

private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

  HWND hwnd_ = nullptr;
};

// Control notifications (WM_COMMAND, WM_DRAWITEM, WM_CTLCOLOR*) that a parent bounces back
// to the control that sent them, so that each control handles its own.
inline constexpr UINT kReflectBase = WM_APP + 0x100;
// Forwards a notification to the child it came from; returns false when it is not one.
bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace orvelle::platform
