// commands.txt: read when the window is first shown, written back by the exit button, byte
// for byte, and never damaged by a save that cannot be done.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Files.h"
#include "support/FormFixture.h"
#include "support/WindowQueries.h"
#include "ui/Unit1.h"

namespace orvelle::test {
namespace {

using Entries = std::vector<std::string>;
using namespace std::string_literals;

class LoadSaveTest : public FormTest {
protected:
  HWND ExitButton() const { return Form().sBitBtn3.Handle(); }

  // Clicks the exit button and pumps until the window is gone (or the time is up).
  bool ExitAndWaitForClose() {
    Click(ExitButton());
    return PumpUntil([&] { return !FormAlive(); }, 5000);
  }

  // commands.txt as it is on disk now, printable.
  static std::string OnDisk() { return Escaped(CommandFileBytes().value_or("<missing>")); }

  void AddLine(std::wstring_view text) {
    Click(Form().sEdit1.Handle());
    Type(text);
    Click(Form().sBitBtn1.Handle());
  }
};

struct RoundTripCase {
  const char* name;
  std::string file;      // on disk before the first show
  Entries entries;       // what the list shows
  std::string written;   // on disk after the exit button
};

std::ostream& operator<<(std::ostream& os, const RoundTripCase& c) { return os << c.name; }

const RoundTripCase kRoundTrips[] = {
    {"CrLf", "dir\r\ncls\r\n", {"dir", "cls"}, "dir\r\ncls\r\n"},
    {"LfOnly", "dir\ncls\n", {"dir", "cls"}, "dir\r\ncls\r\n"},
    {"CrOnly", "dir\rcls\r", {"dir", "cls"}, "dir\r\ncls\r\n"},
    {"NoFinalBreak", "dir\r\ncls", {"dir", "cls"}, "dir\r\ncls\r\n"},
    {"EmptyLinesKept", "a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}, "a\r\n\r\n\r\nb\r\n"},
    {"OnlyABreak", "\r\n", {""}, "\r\n"},
    {"SpacesKept", "  ping  \t\r\n", {"  ping  \t"}, "  ping  \t\r\n"},
    {"NulEndsTheData", "one\r\ntwo\0three\r\nfour\r\n"s, {"one", "two"}, "one\r\ntwo\r\n"},
    {"NulFirst", "\0one\r\n"s, {}, ""},
    {"EmptyFile", "", {}, ""},
};

class RoundTripTest : public LoadSaveTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(RoundTripTest, FirstShowLoadsAndExitWritesTheWrittenFormThenCloses) {
  const RoundTripCase& c = GetParam();
  WriteCommandFile(c.file);
  ShowForm();
  EXPECT_EQ(ListEntries(), c.entries) << FormatEntries(ListEntries());
  EXPECT_EQ(ListSelection(), -1);
  // Loading alone never writes.
  EXPECT_EQ(OnDisk(), Escaped(c.file));

  ASSERT_TRUE(ExitAndWaitForClose()) << "the window is still there";
  EXPECT_TRUE(QuitPosted()) << "closing the window ends the program";
  EXPECT_EQ(OnDisk(), Escaped(c.written));
  EXPECT_FALSE(FileExists(SavingFilePath()));
}

INSTANTIATE_TEST_SUITE_P(Files, RoundTripTest, ::testing::ValuesIn(kRoundTrips),
                         [](const ::testing::TestParamInfo<RoundTripCase>& param) { return std::string(param.param.name); });

TEST_F(LoadSaveTest, ExitSavesTheListAsEditedNotAsLoaded) {
  WriteCommandFile("one\r\nold\r\n");
  ShowForm();
  ClickListRow(1);
  Click(Form().sBitBtn2.Handle());  // delete "old"
  AddLine(L"two");
  ASSERT_EQ(ListEntries(), (Entries{"one", "two", ""}));

  ASSERT_TRUE(ExitAndWaitForClose());
  EXPECT_EQ(OnDisk(), Escaped("one\r\ntwo\r\n\r\n"));
}

TEST_F(LoadSaveTest, ExitWithAnEmptiedListLeavesAnEmptyFile) {
  WriteCommandFile("only\r\n");
  ShowForm();
  ClickListRow(0);
  Click(Form().sBitBtn2.Handle());
  ASSERT_TRUE(ListEntries().empty());

  ASSERT_TRUE(ExitAndWaitForClose());
  const std::optional<std::string> bytes = CommandFileBytes();
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->size(), 0u);
}

TEST_F(LoadSaveTest, ExitCreatesTheFileWhenThereWasNone) {
  RemoveCommandFile();
  ShowForm();
  const std::vector<MessageBoxInfo> boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(IsProgramErrorBox(boxes[0], FileErrorText(L"open", CommandFilePath(), ERROR_FILE_NOT_FOUND)));
  AddLine(L"new");

  ASSERT_TRUE(ExitAndWaitForClose());
  EXPECT_EQ(OnDisk(), Escaped("new\r\n\r\n"));
  EXPECT_FALSE(FileExists(SavingFilePath()));
}

TEST_F(LoadSaveTest, LoadKeepsBytesOfTheAnsiCodePage) {
  // Bytes above 127 that the ANSI code page maps to a character come back unchanged.
  std::string high;
  for (int b = 0xA0; b <= 0xFF; ++b) {
    const char c = static_cast<char>(b);
    wchar_t wide = 0;
    if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &c, 1, &wide, 1) != 1) continue;
    char back = 0;
    BOOL lossy = FALSE;
    if (::WideCharToMultiByte(CP_ACP, 0, &wide, 1, &back, 1, nullptr, &lossy) == 1 && !lossy && back == c) high += c;
  }
  if (high.empty()) GTEST_SKIP() << "the ANSI code page " << ::GetACP() << " maps no single byte above 127";
  const std::string file = "caf" + high.substr(0, 1) + "\r\n" + high + "\r\n";
  WriteCommandFile(file);
  ShowForm();
  EXPECT_EQ(ListEntries(), (Entries{"caf" + high.substr(0, 1), high}));
  ASSERT_TRUE(ExitAndWaitForClose());
  EXPECT_EQ(OnDisk(), Escaped(file));
}

TEST_F(LoadSaveTest, ClosingByTheTitleBarDoesNotSave) {
  WriteCommandFile("keep\r\n");
  ShowForm();
  AddLine(L"lost");
  ::SendMessageW(FormWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !FormAlive(); }, 5000));
  EXPECT_EQ(OnDisk(), Escaped("keep\r\n"));
}

// ---- A save that cannot be done ------------------------------------------------------

struct BlockCase {
  const char* name;
  DWORD error;  // what the system reports for it
};

std::ostream& operator<<(std::ostream& os, const BlockCase& c) { return os << c.name; }

class BlockedSaveTest : public LoadSaveTest, public ::testing::WithParamInterface<BlockCase> {
protected:
  void TearDown() override {
    Unblock();
    LoadSaveTest::TearDown();
  }

  // Skips the test when the block does not hold here; check IsSkipped() afterwards.
  void Block() {
    if (GetParam().error == ERROR_ACCESS_DENIED) {
      ASSERT_TRUE(SetReadOnly(CommandFilePath(), true)) << "cannot make commands.txt read-only";
      if (CanOpenForWriting(CommandFilePath()))
        GTEST_SKIP() << "the read-only attribute does not stop writes here (Wine running as root): run the "
                        "tests as an unprivileged user, as scripts/test.sh does";
      return;
    }
    // Another program holds the file open and shares it with nobody.
    holder_ = ::CreateFileW(CommandFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder_, INVALID_HANDLE_VALUE) << "cannot open commands.txt unshared";
  }

  void Unblock() {
    if (holder_ != INVALID_HANDLE_VALUE) ::CloseHandle(holder_);
    holder_ = INVALID_HANDLE_VALUE;
    SetReadOnly(CommandFilePath(), false);
  }

private:
  HANDLE holder_ = INVALID_HANDLE_VALUE;
};

TEST_P(BlockedSaveTest, ExitReportsItKeepsTheFileAndTheWindowAndSucceedsOnceFreed) {
  const std::string original = "a\r\nb\r\n";
  WriteCommandFile(original);
  ShowForm();
  AddLine(L"c");
  ASSERT_EQ(ListEntries(), (Entries{"a", "b", "c", ""}));
  Block();
  if (HasFatalFailure() || IsSkipped()) return;

  Click(ExitButton());
  PumpFor(200);  // a close that should not come

  const std::vector<MessageBoxInfo> boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(IsProgramErrorBox(boxes[0], FileErrorText(L"create", CommandFilePath(), GetParam().error)));
  ASSERT_TRUE(FormAlive()) << "the window closed without saving";
  EXPECT_TRUE(::IsWindowVisible(FormWindow()));
  EXPECT_TRUE(::IsWindowEnabled(FormWindow()));
  EXPECT_FALSE(QuitPosted());
  EXPECT_EQ(ListEntries(), (Entries{"a", "b", "c", ""}));
  EXPECT_FALSE(FileExists(SavingFilePath())) << "a half-done save was left behind";

  Unblock();  // (an unshared holder keeps us from reading it too)
  EXPECT_EQ(OnDisk(), Escaped(original));
  ASSERT_TRUE(ExitAndWaitForClose());
  EXPECT_TRUE(TakeBoxes().empty());
  EXPECT_EQ(OnDisk(), Escaped("a\r\nb\r\nc\r\n\r\n"));
  EXPECT_FALSE(FileExists(SavingFilePath()));
}

INSTANTIATE_TEST_SUITE_P(Blocks, BlockedSaveTest,
                         ::testing::Values(BlockCase{"ReadOnlyFile", ERROR_ACCESS_DENIED},
                                           BlockCase{"OpenElsewhereUnshared", ERROR_SHARING_VIOLATION}),
                         [](const ::testing::TestParamInfo<BlockCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace orvelle::test
