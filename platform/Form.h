// The main form: a fixed-size top-level window owned by the application window, holding
// panels and controls, with keyboard navigation between its tab stops.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "platform/Skin.h"
#include "platform/Window.h"

namespace orvelle::platform {

class Form : public Window {
public:
  // Creates the window (hidden) with a fixed single border, system menu and minimise button.
  void Create(const wchar_t* caption, SIZE clientSize);

  // Pixels per inch of the screen the program was started on (the program is DPI aware:
  // it lays itself out for this instead of being stretched by the system).
  static int SystemDpi();

  // Tab visits these windows in this order; the first takes the focus when the form is first
  // activated.
  void SetTabStops(std::vector<HWND> tabStops) { tabStops_ = std::move(tabStops); }

  // Makes the form visible. The first time, the show handler runs before the form appears
  // (an error it raises is reported and the show goes on), and the form is centred on the
  // virtual screen. Later calls only show it again.
  void Show(bool maximized = false);
  void Hide();
  // Minimising and restoring through the task-bar button (animated by a frame skin).
  void MinimizeToTaskBar();
  void RestoreFromTaskBar();

  // The skin that draws the controls' surfaces and the one that draws the window frame.
  void UseSkins(ControlSkin* controls, FrameSkin* frame) {
    controlSkin_ = controls;
    frameSkin_ = frame;
  }
  bool WasShown() const { return shown_; }
  // Asks the form to close once the current message is done (it ends the program).
  void Close();
  // Runs fn once the current message and those already queued are done (errors it raises
  // are reported like any handler's).
  void Defer(std::function<void()> fn);

  // Tab, Shift+Tab and Enter on a button, before the message reaches the focused control.
  bool PreTranslateKey(const MSG& msg);

protected:
  virtual void OnShow() {}
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void FocusNextTabStop(bool backwards);
  HWND FirstTabStop() const;

  void PaintBackground(HDC hdc) const;

  ControlSkin* controlSkin_ = nullptr;
  FrameSkin* frameSkin_ = nullptr;
  std::vector<HWND> tabStops_;
  std::deque<std::function<void()>> deferred_;
  HWND savedFocus_ = nullptr;
  bool shown_ = false;
};

}  // namespace orvelle::platform
