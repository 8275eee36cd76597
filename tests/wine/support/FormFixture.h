// The real main window (TForm1) in the test process, driven as a user drives it.
//
// ProgramEnvironment does once what the program does at start-up; register it in the test
// executable, after EnsureUnmanagedWindows (Wine.h) so that closing windows costs no time:
//   const bool kUnmanaged = (orvelle::test::EnsureUnmanagedWindows(), true);
//   const auto* const kProgram = ::testing::AddGlobalTestEnvironment(new orvelle::test::ProgramEnvironment);
// FormTest gives each test a fresh command file and window, a message-box watcher that
// answers every error box (and fails the test for any box it did not take), and input
// helpers that pump the window's messages until the input has taken effect.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/MessageBoxWatcher.h"
#include "support/ProgramFacts.h"
#include "support/Pump.h"

namespace orvelle::ui {
class TForm1;
}

namespace orvelle::test {

// The application window with its title (shown as the program shows it: zero-sized, not
// activated) and the error box as the error handler.
class ProgramEnvironment : public ::testing::Environment {
public:
  ProgramEnvironment();
  ~ProgramEnvironment() override;
  void SetUp() override;
  void TearDown() override;
  static bool Started();
};

class FormTest : public ::testing::Test {
protected:
  FormTest();
  ~FormTest() override;
  void SetUp() override;
  void TearDown() override;

  // ---- The command file beside the test exe --------------------------------------------
  static std::wstring CommandFilePath();
  static std::wstring SavingFilePath();  // where a save writes before replacing the file
  static void WriteCommandFile(std::string_view bytes);
  static void RemoveCommandFile();
  static std::optional<std::string> CommandFileBytes();

  // ---- The window ----------------------------------------------------------------------
  // Creates the window (no handler runs yet).
  void CreateForm();
  // Creates it if needed and shows it as the program does (its first show loads the list),
  // pumping until it is up, foreground and idle.
  void ShowForm();
  ui::TForm1& Form() const { return *form_; }
  // Whether the last ShowForm found the window foreground by the program's own doing, before
  // the fixture asked for it.
  bool ShownInForeground() const { return shownInForeground_; }
  HWND FormWindow() const;
  bool FormAlive() const;  // the window still exists
  // Destroys the window if it is still there and takes the WM_QUIT its end posts.
  void DestroyForm();

  // ---- Messages ------------------------------------------------------------------------
  // The program's own pump (Tab and Enter handling included); false once WM_QUIT came.
  bool Pump();
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kDefaultTimeoutMs);
  void PumpFor(DWORD ms);
  void Settle();  // until the queue stays empty for a moment
  bool QuitPosted() const { return quit_; }

  // ---- What the user sees --------------------------------------------------------------
  std::vector<std::string> ListEntries() const;  // the list's rows, as ANSI bytes
  int ListSelection() const;                     // -1 when none
  std::string CommandLine() const;               // the edit's text, as ANSI bytes
  void SetCommandLine(const std::string& text) const;  // as a paste would leave it

  // ---- A user's input (real input; each pumps until it took effect) --------------------
  void Click(HWND control);
  void ClickListRow(int row);
  void Tap(WORD vk, std::initializer_list<WORD> modifiers = {});
  void Type(std::wstring_view text);

  // ---- Error boxes ---------------------------------------------------------------------
  // The boxes shown since the last call; each test must take every box it causes.
  std::vector<MessageBoxInfo> TakeBoxes();

private:
  std::unique_ptr<MessageBoxWatcher> watcher_;
  std::unique_ptr<ui::TForm1> form_;
  bool quit_ = false;
  bool shownInForeground_ = false;
};

// A printable form of entries for failure messages: ["a", "", "b"].
std::string FormatEntries(const std::vector<std::string>& entries);

}  // namespace orvelle::test
