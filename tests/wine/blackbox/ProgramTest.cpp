#include "blackbox/ProgramTest.h"

namespace orvelle::blackbox {

namespace {
bool IsTrailingJunk(wchar_t c) { return c == L' ' || c == L'.' || c < 0x20; }
}  // namespace

void ProgramTest::SetUp() {
  ASSERT_FALSE(TestArguments().programExe.empty())
      << "usage: blackbox_tests <OrvelleCommandsHelper.exe> <probe_window.exe> (Linux paths)";
  ASSERT_TRUE(FileExists(TestArguments().programExe)) << "no program at " << TestArguments().programExe;
}

void ProgramTest::TearDown() {
  // The process goes first: Windows keeps a running exe's file from being deleted.
  program_.reset();
  folder_.reset();
}

TempFolder& ProgramTest::Folder() {
  if (!folder_) folder_ = std::make_unique<TempFolder>(folderBase_);
  return *folder_;
}

void ProgramTest::WriteCommands(std::string_view bytes) {
  ASSERT_TRUE(Folder().Created());
  ASSERT_TRUE(WriteFileBytes(CommandsPath(), bytes));
}

bool ProgramTest::CopyProgram() {
  if (!Folder().Created()) return false;
  return FileExists(ExePath()) || ::CopyFileW(TestArguments().programExe.c_str(), ExePath().c_str(), TRUE);
}

void ProgramTest::Launch(int showCommand) {
  ASSERT_TRUE(CopyProgram()) << "cannot copy the program into " << Folder().Path();
  // Started from the folder above its own, so a program that looked for its file in the
  // working folder instead of beside itself would be caught.
  const std::wstring& folder = Folder().Path();
  program_ = Program::Start(ExePath(), showCommand, folder.substr(0, folder.rfind(L'\\')));
  ASSERT_TRUE(program_) << "cannot start " << ExePath() << " (error " << ::GetLastError() << ")";
}

void ProgramTest::LaunchAndWaitForWindow(int showCommand) {
  ASSERT_NO_FATAL_FAILURE(Launch(showCommand));
  // A box would hold the window back, so stop waiting as soon as one shows.
  std::optional<MessageBoxInfo> box;
  WaitUntil(
      [&] {
        box = program_->FindMessageBox();
        return box || !program_->IsRunning() || (program_->Form() && ::IsWindowVisible(program_->Form()));
      },
      kStartTimeoutMs);
  if (box) FAIL() << "unexpected error box: " << box->text;
  ASSERT_TRUE(program_->IsRunning()) << "the program ended at start-up";
  ASSERT_TRUE(::IsWindowVisible(program_->Form())) << "the main window did not appear";
}

void ProgramTest::AddEntry(const std::wstring& text) {
  ASSERT_TRUE(program_->SetText(kCommandLine, text));
  program_->Click(kAddButton);
  ASSERT_TRUE(program_->Flush());
}

void ProgramTest::CloseByTitleBar() {
  program_->SysCommandToForm(SC_CLOSE);
  EXPECT_EQ(program_->WaitForExit(), std::optional<DWORD>(0));
}

void ProgramTest::ExpectExitRefused(const TextCheck& isExpectedText) {
  program_->Click(kExitButton);
  const auto box = program_->WaitForMessageBox();
  if (!box && !program_->IsRunning())
    FAIL() << "the program ended (exit code " << program_->WaitForExit().value_or(0) << ") instead of reporting";
  ASSERT_TRUE(box) << "no error box";
  EXPECT_EQ(box->caption, kApplicationTitle);
  EXPECT_TRUE(isExpectedText(box->text));
  ASSERT_TRUE(program_->PressOk(*box));
  ASSERT_TRUE(program_->Flush());
  EXPECT_TRUE(program_->IsRunning());
  EXPECT_TRUE(::IsWindow(program_->Form()) && ::IsWindowVisible(program_->Form())) << "the window closed";
}

void ProgramTest::ExitByButton() {
  program_->Click(kExitButton);
  // Wait for the end or for a box that would say why the save failed.
  std::optional<MessageBoxInfo> box;
  WaitUntil([&] {
    box = program_->FindMessageBox();
    return box || !program_->IsRunning();
  });
  if (box) {
    ADD_FAILURE() << "the save failed: " << box->text;
    program_->PressOk(*box);
    return;
  }
  EXPECT_EQ(program_->WaitForExit(), std::optional<DWORD>(0)) << "exit code after the exit button";
}

std::wstring SystemDescription(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
  if (buffer) ::LocalFree(buffer);
  return text;
}

::testing::AssertionResult IsFileMessage(const std::wstring& text, std::wstring_view verb, const std::wstring& path,
                                         DWORD code) {
  const std::wstring prefix = L"Cannot " + std::wstring(verb) + L" file \"" + path + L"\". ";
  auto failure = [&](const char* why) {
    return ::testing::AssertionFailure() << why << "\n  text:     " << ::testing::PrintToString(text)
                                         << "\n  expected: " << ::testing::PrintToString(prefix)
                                         << " + system text for error " << code << " ("
                                         << ::testing::PrintToString(SystemDescription(code)) << ") + \".\"";
  };
  if (text.rfind(prefix, 0) != 0) return failure("does not start with the verb and the full path");
  if (text.size() < prefix.size() + 2 || text.back() != L'.') return failure("does not end in a full stop");
  const std::wstring description = text.substr(prefix.size(), text.size() - prefix.size() - 1);
  if (IsTrailingJunk(description.back())) return failure("the description keeps a trailing full stop or space");
  const std::wstring system = SystemDescription(code);
  if (system.rfind(description, 0) != 0) return failure("the description is not the system's text for the error");
  for (std::size_t i = description.size(); i < system.size(); ++i)
    if (!IsTrailingJunk(system[i])) return failure("the description is cut short");
  return ::testing::AssertionSuccess();
}

std::wstring Decode(std::string_view bytes, UINT codePage) {
  if (bytes.empty()) return {};
  const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

}  // namespace orvelle::blackbox
