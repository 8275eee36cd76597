// How the program opens for the show command a shortcut gives it, and that closing it by the
// title bar leaves commands.txt alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "blackbox/ProgramTest.h"

namespace orvelle::blackbox {
namespace {

// A write time far in the past: a program that rewrote the file, even with the same bytes,
// would change it.
constexpr FILETIME kOldWriteTime{0x2A5F8000u, 0x01C0B0C4u};

FILETIME WriteTimeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

bool SetWriteTime(const std::wstring& path, const FILETIME& time) {
  HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool ok = ::SetFileTime(file, nullptr, nullptr, &time) != FALSE;
  ::CloseHandle(file);
  return ok;
}

struct ShowCase {
  const char* name;
  int showCommand;
  bool maximized;
};
void PrintTo(const ShowCase& row, std::ostream* os) { *os << row.name; }

class ShowCommandTest : public ProgramTest, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(ShowCommandTest, OpensAsAskedAndTitleBarCloseLeavesTheFile) {
  const std::string original = "dir\r\n\r\ncls";
  ASSERT_NO_FATAL_FAILURE(WriteCommands(original));
  ASSERT_TRUE(SetWriteTime(CommandsPath(), kOldWriteTime));

  ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow(GetParam().showCommand));
  HWND form = program().Form();
  wchar_t caption[64] = {};
  ::GetWindowTextW(form, caption, 64);
  EXPECT_STREQ(caption, kFormCaption);
  EXPECT_EQ(::GetWindow(form, GW_OWNER), program().AppWindow());
  EXPECT_FALSE(::IsIconic(form));
  // The window has no maximise box, yet show command 3 opens it maximised.
  EXPECT_EQ(::IsZoomed(form) != FALSE, GetParam().maximized);
  if (!GetParam().maximized) {
    RECT rc{};
    ::GetWindowRect(form, &rc);
    const int vx = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int vy = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int left = vx + (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - (rc.right - rc.left)) / 2;
    const int top = vy + (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - (rc.bottom - rc.top)) / 2;
    EXPECT_EQ(rc.left, std::max(vx, left));
    EXPECT_EQ(rc.top, std::max(vy, top));
  }
  // Loaded at the first show: "dir", an empty entry, and "cls" without a final line break.
  ASSERT_EQ(program().ListCount(), 3);
  EXPECT_EQ(program().ListEntry(0), L"dir");
  EXPECT_EQ(program().ListEntry(1), L"");
  EXPECT_EQ(program().ListEntry(2), L"cls");
  EXPECT_EQ(program().Focus(), program().Control(kExitButton));

  CloseByTitleBar();
  EXPECT_EQ(ReadFileBytes(CommandsPath()), original);
  const FILETIME written = WriteTimeOf(CommandsPath());
  EXPECT_EQ(::CompareFileTime(&written, &kOldWriteTime), 0) << "commands.txt was written again";
  EXPECT_FALSE(FileExists(SavingPath()));
}

INSTANTIATE_TEST_SUITE_P(Shortcut, ShowCommandTest,
                         ::testing::Values(ShowCase{"Normal", SW_SHOWNORMAL, false},
                                           ShowCase{"Maximized", SW_SHOWMAXIMIZED, true}),
                         [](const ::testing::TestParamInfo<ShowCase>& row) { return row.param.name; });

// Show command 7 starts with only the task-bar button; the window's first show, and with it
// the load of commands.txt, waits until the user restores it, and happens only once.
class MinimizedStartTest : public ProgramTest {};

TEST_F(MinimizedStartTest, LoadsAtTheFirstRestoreOnly) {
  ASSERT_NO_FATAL_FAILURE(Launch(SW_SHOWMINNOACTIVE));
  HWND app = program().WaitForAppWindow();
  ASSERT_TRUE(app);
  ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(app) != FALSE; })) << "the task-bar button is not minimised";
  // Once the program answers a sent message its message loop runs; a load that had run
  // already would have put its error box up before that.
  ASSERT_TRUE(program().Ping());
  EXPECT_FALSE(program().FindMessageBox()) << "commands.txt was loaded before the first restore";
  HWND form = program().WaitForForm();
  ASSERT_TRUE(form);
  EXPECT_FALSE(::IsWindowVisible(form));

  program().SysCommandToApp(SC_RESTORE);
  const auto box = program().WaitForMessageBox();
  ASSERT_TRUE(box) << "no error box for the missing commands.txt at the first restore";
  EXPECT_FALSE(::IsWindowVisible(form)) << "the window appeared before its load";
  EXPECT_TRUE(IsFileMessage(box->text, L"open", CommandsPath(), ERROR_FILE_NOT_FOUND));
  ASSERT_TRUE(program().PressOk(*box));
  ASSERT_TRUE(program().WaitForFormVisible());
  EXPECT_FALSE(::IsIconic(app));
  EXPECT_FALSE(::IsIconic(form));

  program().SysCommandToForm(SC_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(form) && ::IsIconic(app); }))
      << "minimising the window did not minimise to the task-bar button";
  program().SysCommandToApp(SC_RESTORE);
  // A second load would put its box up before the window shows again.
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(form) || program().FindMessageBox(); }));
  EXPECT_FALSE(program().FindMessageBox()) << "restoring again loaded commands.txt again";
  EXPECT_TRUE(::IsWindowVisible(form));

  CloseByTitleBar();
  EXPECT_FALSE(FileExists(CommandsPath()));
  EXPECT_FALSE(FileExists(SavingPath()));
}

}  // namespace
}  // namespace orvelle::blackbox
