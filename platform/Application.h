// The application object: the hidden application window that carries the title, owns the
// error boxes and gives the task-bar button its label; the main form; the message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/Window.h"

namespace orvelle::platform {

class Form;

class Application : public Window {
public:
  static Application& Instance();

  // Creates the hidden application window.
  void Initialize();
  void SetTitle(const std::wstring& title);
  // The title as the application window holds it (at most 255 characters).
  std::wstring Title() const;
  HICON Icon() const { return icon_; }
  HICON SmallIcon() const { return smallIcon_; }

  void SetMainForm(Form* form) { mainForm_ = form; }
  Form* MainForm() const { return mainForm_; }

  // Shows the main form as the show command asks and runs the message loop until the main
  // form is closed. 3 opens it maximised; 7 starts minimised to the task-bar button without
  // activation, and the form's first show waits until the user restores it.
  void Run(int showCommand);

  // Handles the messages already waiting in this thread's queue, as the loop would; false
  // once WM_QUIT is among them. For code that must keep the window alive while it waits.
  bool ProcessPendingMessages();

  // Minimising the main form minimises the application window, which holds the task-bar
  // button; restoring that button shows the form again.
  void Minimize();
  void Restore();

  // Where a caught error goes (the error box); set once at start-up.
  using ErrorHandler = std::function<void(const std::wstring& message)>;
  void SetErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }
  void ShowCaughtError(const std::wstring& message);

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  Application() = default;
  bool PreTranslate(MSG& msg);
  void Dispatch(MSG& msg);

  Form* mainForm_ = nullptr;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  ErrorHandler errorHandler_;
};

}  // namespace orvelle::platform
