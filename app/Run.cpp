#include "app/Run.h"

#include <windows.h>

#include <exception>
#include <memory>
#include <string>

#include "app/ErrorBox.h"
#include "console/TypingSequence.h"
#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/Text.h"
#include "ui/Unit1.h"

namespace orvelle::app {

namespace {
constexpr const wchar_t* kApplicationTitle = L"Orvelle commands helper";
}  // namespace

int RunProgram(int showCommand) {
  std::unique_ptr<ui::TForm1> form;
  platform::Application& app = platform::Application::Instance();
  try {
    app.Initialize();
    app.SetTitle(kApplicationTitle);
    app.SetErrorHandler(&ShowErrorBox);
    form = std::make_unique<ui::TForm1>();
    ui::Form1 = form.get();
    app.SetMainForm(form.get());
    app.Run(showCommand);
  } catch (const platform::Error& e) {
    ShowFatalBox(platform::AnsiToWide(e.ClassName()), e.Address(), e.Message());
    return 1;
  } catch (const std::exception& e) {
    ShowFatalBox(L"std::exception", reinterpret_cast<const void*>(&RunProgram), platform::AnsiToWide(e.what()));
    return 1;
  }
  app.SetMainForm(nullptr);
  ui::Form1 = nullptr;
  form.reset();
  console::ReleaseTypingState();
  return 0;
}

}  // namespace orvelle::app
