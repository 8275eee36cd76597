// The fixture of the black-box cases: a fresh folder holding a copy of the program (and,
// when the case writes one, its commands.txt), the running copy, and checks of what the
// user sees in the error box.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "blackbox/Launcher.h"

namespace orvelle::blackbox {

// A check of an error box's text.
using TextCheck = std::function<::testing::AssertionResult(const std::wstring&)>;

class ProgramTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // The folder is made on first use, under base when set before that (the small disk).
  void UseFolderUnder(const std::wstring& base) { folderBase_ = base; }
  TempFolder& Folder();
  std::wstring CommandsPath() { return Folder().File(L"commands.txt"); }
  // The program writes its new list here before putting it in place.
  std::wstring SavingPath() { return Folder().File(L"commands.txt.saving"); }
  std::wstring ExePath() { return Folder().File(L"OrvelleCommandsHelper.exe"); }

  void WriteCommands(std::string_view bytes);
  // Copies the program into the folder (once) and starts it. Use with ASSERT_NO_FATAL_FAILURE.
  void Launch(int showCommand = SW_SHOWNORMAL);
  // Launch, for a case whose commands.txt loads without an error box: waits for the window.
  void LaunchAndWaitForWindow(int showCommand = SW_SHOWNORMAL);
  bool CopyProgram();
  Program& program() { return *program_; }
  bool Adopt(std::unique_ptr<Program> program) {
    program_ = std::move(program);
    return program_ != nullptr;
  }

  // Types text into the command line and clicks add; waits until the click was handled.
  void AddEntry(const std::wstring& text);
  // Ends by the title bar's close, which must end the process with 0 and no error box.
  void CloseByTitleBar();
  // Clicks exit; the save must succeed and the process end with 0.
  void ExitByButton();
  // Clicks exit while something stops the save: an error box with the program's caption and
  // the expected text; after its OK the program runs on with its window shown. Use with
  // ASSERT_NO_FATAL_FAILURE.
  void ExpectExitRefused(const TextCheck& isExpectedText);

private:
  std::wstring folderBase_;
  std::unique_ptr<TempFolder> folder_;
  std::unique_ptr<Program> program_;
};

// The system's own description of an error code (what the error box quotes).
std::wstring SystemDescription(DWORD code);

// text is `Cannot <verb> file "<path>". <description>.`, where the description is the
// start of the system's text for code, with its own trailing full stop dropped so that the
// sentence ends in exactly one.
::testing::AssertionResult IsFileMessage(const std::wstring& text, std::wstring_view verb, const std::wstring& path,
                                         DWORD code);

// The text of bytes in the given code page, as a window shows it.
std::wstring Decode(std::string_view bytes, UINT codePage);

}  // namespace orvelle::blackbox
