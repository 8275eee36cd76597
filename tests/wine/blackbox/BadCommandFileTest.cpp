// commands.txt as it may be found beside the exe after another tool or the user had it:
// odd bytes, huge sizes, a folder or a link in its place, and its folder gone while the
// program runs. The program must neither crash nor show a wrong box, and the exit button
// must write back exactly the list on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "blackbox/ProgramTest.h"

namespace orvelle::blackbox {
namespace {

std::string Encode(const std::wstring& text, UINT codePage) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

std::wstring Widen(const std::string& utf8) { return Decode(utf8, CP_UTF8); }

// Short for failure messages: a file of megabytes is not printed whole.
std::string Describe(const std::optional<std::string>& bytes) {
  if (!bytes) return "<no file>";
  if (bytes->size() <= 200) return ::testing::PrintToString(*bytes);
  return std::to_string(bytes->size()) + " bytes starting " + ::testing::PrintToString(bytes->substr(0, 60));
}

::testing::AssertionResult SameBytes(const std::optional<std::string>& actual, const std::string& expected) {
  if (actual && *actual == expected) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "file holds " << Describe(actual) << ", expected "
                                               << Describe(expected);
  if (actual) {
    std::size_t i = 0;
    while (i < actual->size() && i < expected.size() && (*actual)[i] == expected[i]) ++i;
    failure << " (first difference at byte " << i << ")";
  }
  return failure;
}

class BadCommandFileTest : public ProgramTest {
protected:
  // What the list shows, as the bytes a save of it must write.
  std::string ListAsFile() {
    std::string text;
    const int count = program().ListCount();
    for (int i = 0; i < count; ++i) text += Encode(program().ListEntry(i), CP_ACP) + "\r\n";
    return text;
  }

  // Starts the program on a file that takes long to load; the window shows when the load is
  // done.
  void LaunchAndWaitLong(DWORD timeoutMs) {
    ASSERT_NO_FATAL_FAILURE(Launch());
    std::optional<MessageBoxInfo> box;
    WaitUntil(
        [&] {
          box = program().FindMessageBox();
          return box || !program().IsRunning() || (program().Form() && ::IsWindowVisible(program().Form()));
        },
        timeoutMs);
    if (box) FAIL() << "unexpected error box: " << box->text;
    ASSERT_TRUE(program().IsRunning()) << "the program ended while loading (exit code "
                                       << program().WaitForExit(0).value_or(0) << ")";
    ASSERT_TRUE(::IsWindowVisible(program().Form())) << "the load did not finish in time";
  }

  // Clicks exit and waits for the end (the save of a large list takes a while).
  void ExitWithin(DWORD timeoutMs) {
    program().Click(kExitButton);
    std::optional<MessageBoxInfo> box;
    WaitUntil(
        [&] {
          box = program().FindMessageBox();
          return box || !program().IsRunning();
        },
        timeoutMs);
    if (box) {
      ADD_FAILURE() << "the save failed: " << box->text;
      program().PressOk(*box);
      return;
    }
    EXPECT_EQ(program().WaitForExit(0), std::optional<DWORD>(0)) << "the program did not end after the exit button";
  }

  // Exit is refused with a box naming commands.txt; the window stays.
  void ExpectFileExitRefused(std::wstring_view verb, DWORD code) {
    const std::wstring path = CommandsPath();
    ExpectExitRefused([&](const std::wstring& text) { return IsFileMessage(text, verb, path, code); });
  }
};

// ---- Odd bytes --------------------------------------------------------------------------

struct ContentCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> entries;  // as bytes in the ANSI code page
  std::string saved;
};
void PrintTo(const ContentCase& row, std::ostream* os) { *os << row.name; }

class OddContentTest : public BadCommandFileTest, public ::testing::WithParamInterface<ContentCase> {};

TEST_P(OddContentTest, LoadsByTheReadRuleAndExitWritesTheListShown) {
  const ContentCase& c = GetParam();
  ASSERT_NO_FATAL_FAILURE(WriteCommands(c.bytes));
  ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow());

  ASSERT_EQ(program().ListCount(), static_cast<int>(c.entries.size()));
  for (std::size_t i = 0; i < c.entries.size(); ++i)
    EXPECT_EQ(program().ListEntry(static_cast<int>(i)), Decode(c.entries[i], CP_ACP)) << "entry " << i;
  const std::string shown = ListAsFile();

  ExitByButton();
  const std::optional<std::string> written = ReadFileBytes(CommandsPath());
  EXPECT_TRUE(SameBytes(written, c.saved));
  EXPECT_TRUE(SameBytes(written, shown)) << "the file differs from the list on screen";
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Files, OddContentTest,
    ::testing::Values(
        ContentCase{"Empty", "", {}, ""},
        // Nothing after the first NUL counts, even whole lines.
        ContentCase{"NulInsideAnEntry", "a\r\nb\0c\r\nd\r\n"s, {"a", "b"}, "a\r\nb\r\n"},
        ContentCase{"NulFirst", "\0dir\r\n"s, {}, ""},
        // CR LF, CR LF, LF: three breaks, each ending an empty entry.
        ContentCase{"OnlyLineBreaks", "\r\n\r\n\n", {"", "", ""}, "\r\n\r\n\r\n"},
        // LF CR is two breaks, not one; a lone CR is a break of its own.
        ContentCase{"MixedBreaks", "a\rb\n\rc\r\rd", {"a", "b", "", "c", "", "d"}, "a\r\nb\r\n\r\nc\r\n\r\nd\r\n"},
        // A UTF-8 byte order mark is three bytes of the first entry, and is written back.
        ContentCase{"Utf8Bom", "\xEF\xBB\xBF" "dir\r\ncls\r\n", {"\xEF\xBB\xBF" "dir", "cls"},
                    "\xEF\xBB\xBF" "dir\r\ncls\r\n"},
        // A UTF-16 file (as Notepad may save one) ends at its first zero byte.
        ContentCase{"Utf16", "\xFF\xFE" "d\0i\0r\0\r\0\n\0"s, {"\xFF\xFE" "d"}, "\xFF\xFE" "d\r\n"}),
    [](const ::testing::TestParamInfo<ContentCase>& row) { return row.param.name; });

// ---- Huge files -------------------------------------------------------------------------

// Numbered entries of a given length, so that a lost, doubled or reordered one changes the
// bytes: "echo 00000042 " and then letters up to the length.
std::string NumberedEntry(std::size_t number, std::size_t length) {
  char head[32];
  const int n = std::snprintf(head, sizeof(head), "echo %08zu ", number);
  std::string entry(head, static_cast<std::size_t>(n));
  for (std::size_t i = entry.size(); i < length; ++i) entry += static_cast<char>('a' + i % 26);
  return entry;
}

std::string NumberedEntries(std::size_t count, std::size_t length) {
  std::string text;
  text.reserve(count * (length + 2));
  const std::string filler = NumberedEntry(0, length);
  char head[32];
  for (std::size_t i = 0; i < count; ++i) {
    const int n = std::snprintf(head, sizeof(head), "echo %08zu ", i);
    text.append(head, static_cast<std::size_t>(n)).append(filler, static_cast<std::size_t>(n)).append("\r\n");
  }
  return text;
}

struct HugeCase {
  const char* name;
  std::size_t entries;
  std::size_t entryLength;
};
void PrintTo(const HugeCase& row, std::ostream* os) { *os << row.name; }

class HugeFileTest : public BadCommandFileTest, public ::testing::WithParamInterface<HugeCase> {};

// Under Wine every message to the list costs the program a few server round trips, so the
// time goes with the number of entries far more than with the bytes.
constexpr DWORD kHugeStepMs = 300000;

TEST_P(HugeFileTest, LoadsWholeAndIsWrittenBackUnchanged) {
  const HugeCase& c = GetParam();
  const std::string original = NumberedEntries(c.entries, c.entryLength);
  ASSERT_NO_FATAL_FAILURE(WriteCommands(original));
  ASSERT_NO_FATAL_FAILURE(LaunchAndWaitLong(kHugeStepMs));
  // The window may show before the program is ready to answer.
  ASSERT_TRUE(WaitUntil([&] { return program().ListCount() >= 0; }, kHugeStepMs)) << "the program stopped answering";

  ASSERT_EQ(program().ListCount(), static_cast<int>(c.entries));
  for (std::size_t i : {std::size_t{0}, c.entries / 2, c.entries - 1})
    EXPECT_EQ(program().ListEntry(static_cast<int>(i)), Widen(NumberedEntry(i, c.entryLength))) << "entry " << i;
  ASSERT_NO_FATAL_FAILURE(ExitWithin(kHugeStepMs));
  EXPECT_TRUE(SameBytes(ReadFileBytes(CommandsPath()), original));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, HugeFileTest,
    ::testing::Values(
        // 200 MB in twenty thousand entries of ten thousand bytes.
        HugeCase{"FewLongEntries200MB", 20'000, 9'998},
        // Short entries: as many as load in seconds here. Ten million of them (200 MB) take
        // many minutes under Wine, whose list box grows its storage a few entries at a time.
        HugeCase{"ManyShortEntries", 100'000, 18}),
    [](const ::testing::TestParamInfo<HugeCase>& row) { return row.param.name; });

TEST_F(BadCommandFileTest, FiftyMegabyteLineIsOneEntryAndIsWrittenBack) {
  constexpr std::size_t kLength = 50'000'000;
  std::string line(kLength, '\0');
  for (std::size_t i = 0; i < kLength; ++i) line[i] = static_cast<char>('a' + i % 26);
  ASSERT_NO_FATAL_FAILURE(WriteCommands(line));
  ASSERT_NO_FATAL_FAILURE(LaunchAndWaitLong(120000));

  ASSERT_EQ(program().ListCount(), 1);
  HWND list = program().Control(kCommandList);
  DWORD_PTR length = 0;
  ASSERT_TRUE(::SendMessageTimeoutW(list, LB_GETTEXTLEN, 0, 0, SMTO_NORMAL, kTimeoutMs, &length));
  EXPECT_EQ(length, kLength);
  ASSERT_NO_FATAL_FAILURE(ExitWithin(120000));
  // The last line had no break; the save ends every entry with one.
  EXPECT_TRUE(SameBytes(ReadFileBytes(CommandsPath()), line + "\r\n"));
}

// ---- Changed by someone else while the program reads it -----------------------------------

// Another program rewrites the file over and over, a line longer, then as it was, from
// before the program starts until its window is up. The program must read one whole version
// of the file (it holds the file against writers while it reads), or, when it comes to open
// the file while the other program holds it, report that; and the exit button must write
// back exactly the list shown. Which of these happens depends on timing; what is checked
// does not.
TEST_F(BadCommandFileTest, FileChangedAroundTheLoadIsReadAsOneVersionAndWrittenBackAsShown) {
  // Long entries: a few megabytes to read, few entries to show.
  const std::string original = NumberedEntries(500, 8'000);
  ASSERT_NO_FATAL_FAILURE(WriteCommands(original));

  // Every version the file had: its size and a hash of its bytes.
  struct Version {
    std::size_t size;
    std::size_t hash;
  };
  std::vector<Version> versions{{original.size(), std::hash<std::string>{}(original)}};
  std::atomic<bool> stop{false};
  int refused = 0;
  std::thread writer([&] {
    for (int round = 0; !stop && round < 400; ++round) {
      const std::string next = round % 2 == 0 ? original + "echo grown " + std::to_string(round) + "\r\n" : original;
      // No sharing asked for and none given to others: this fails while the program reads.
      HANDLE file = ::CreateFileW(CommandsPath().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file == INVALID_HANDLE_VALUE) {
        ++refused;
      } else {
        DWORD written = 0;
        const bool ok = ::WriteFile(file, next.data(), static_cast<DWORD>(next.size()), &written, nullptr) &&
                        written == next.size() && ::SetEndOfFile(file);
        ::CloseHandle(file);
        if (ok) versions.push_back({next.size(), std::hash<std::string>{}(next)});
      }
      ::Sleep(5);
    }
  });
  struct Join {
    std::atomic<bool>& stop;
    std::thread& thread;
    ~Join() {
      stop = true;
      if (thread.joinable()) thread.join();
    }
  } join{stop, writer};

  ASSERT_NO_FATAL_FAILURE(Launch());
  std::optional<MessageBoxInfo> box;
  ASSERT_TRUE(WaitUntil(
      [&] {
        box = program().FindMessageBox();
        return box || !program().IsRunning() || (program().Form() && ::IsWindowVisible(program().Form()));
      },
      120000));
  stop = true;
  writer.join();
  ASSERT_TRUE(program().IsRunning()) << "the program ended (exit code " << program().WaitForExit(0).value_or(0) << ")";
  if (box) {
    // It came to open the file while the other program was writing it.
    EXPECT_TRUE(IsFileMessage(box->text, L"open", CommandsPath(), ERROR_SHARING_VIOLATION));
    ASSERT_TRUE(program().PressOk(*box));
    CloseByTitleBar();
    return;
  }
  const std::string shown = ListAsFile();
  const Version seen{shown.size(), std::hash<std::string>{}(shown)};
  EXPECT_TRUE(std::any_of(versions.begin(), versions.end(),
                          [&](const Version& v) { return v.size == seen.size && v.hash == seen.hash; }))
      << "the list (" << shown.size() << " bytes) is none of the file's " << versions.size()
      << " versions; the writer was refused " << refused << " times";
  ASSERT_NO_FATAL_FAILURE(ExitWithin(120000));
  EXPECT_TRUE(SameBytes(ReadFileBytes(CommandsPath()), shown));
}

// ---- Something else in the file's place --------------------------------------------------

TEST_F(BadCommandFileTest, FolderNamedLikeTheFileIsReportedAndLeftAlone) {
  ASSERT_TRUE(Folder().Created());
  ASSERT_TRUE(::CreateDirectoryW(CommandsPath().c_str(), nullptr));
  const std::wstring inside = CommandsPath() + L"\\inside.txt";
  ASSERT_TRUE(WriteFileBytes(inside, "keep"));

  ASSERT_NO_FATAL_FAILURE(Launch());
  const auto box = program().WaitForMessageBox(kStartTimeoutMs);
  ASSERT_TRUE(box) << "no error box for a folder in the file's place";
  EXPECT_EQ(box->caption, kApplicationTitle);
  EXPECT_TRUE(IsFileMessage(box->text, L"open", CommandsPath(), ERROR_ACCESS_DENIED));
  ASSERT_TRUE(program().PressOk(*box));
  ASSERT_TRUE(program().WaitForFormVisible());
  EXPECT_EQ(program().ListCount(), 0);

  ASSERT_NO_FATAL_FAILURE(AddEntry(L"dir"));
  ASSERT_NO_FATAL_FAILURE(ExpectFileExitRefused(L"create", ERROR_ACCESS_DENIED));
  EXPECT_EQ(program().ListCount(), 2) << "the failed save changed the list";
  CloseByTitleBar();

  const DWORD attributes = ::GetFileAttributesW(CommandsPath().c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      << "the folder is gone";
  EXPECT_EQ(ReadFileBytes(inside), std::string("keep"));
  EXPECT_FALSE(FileExists(SavingPath()));
}

// Whether a Unix path is a symbolic link, asked of /bin/sh (Wine shows a link to a file as
// that file). Nothing when the shell cannot be started.
std::optional<bool> IsUnixSymlink(const std::wstring& path, const std::wstring& answerFile) {
  const std::string unixPath = LinuxPathOf(path);
  const std::string unixAnswer = LinuxPathOf(answerFile);
  if (unixPath.empty() || unixAnswer.empty()) return std::nullopt;
  if (!StartLinuxProgram({L"/bin/sh", L"-c", L"if test -L \"$0\"; then echo yes; else echo no; fi > \"$1\"",
                          Widen(unixPath), Widen(unixAnswer)}))
    return std::nullopt;
  std::optional<std::string> answer;
  if (!WaitUntil([&] {
        answer = ReadFileBytes(answerFile);
        return answer && !answer->empty() && answer->back() == '\n';
      }))
    return std::nullopt;
  ::DeleteFileW(answerFile.c_str());
  return *answer == "yes\n";
}

TEST_F(BadCommandFileTest, SymbolicLinkIsReadAndItsTargetUpdated) {
  TempFolder elsewhere;
  ASSERT_TRUE(elsewhere.Created());
  const std::wstring target = elsewhere.File(L"real commands.txt");
  ASSERT_TRUE(WriteFileBytes(target, "dir\r\n"));
  ASSERT_TRUE(Folder().Created());
  const std::string unixTarget = LinuxPathOf(target);
  const std::string unixLink = LinuxPathOf(CommandsPath());
  if (unixTarget.empty() || unixLink.empty()) GTEST_SKIP() << "no Linux paths here (not Wine)";
  if (!StartLinuxProgram({L"/bin/ln", L"-s", Widen(unixTarget), Widen(unixLink)}) ||
      !WaitUntil([&] { return FileExists(CommandsPath()); }))
    GTEST_SKIP() << "cannot make a symbolic link with /bin/ln here";
  const std::wstring answer = Folder().File(L"is-link.txt");
  ASSERT_EQ(IsUnixSymlink(CommandsPath(), answer), std::optional<bool>(true));

  ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow());
  ASSERT_EQ(program().ListCount(), 1);
  EXPECT_EQ(program().ListEntry(0), L"dir");
  ASSERT_NO_FATAL_FAILURE(AddEntry(L"cls"));
  ExitByButton();

  EXPECT_TRUE(SameBytes(ReadFileBytes(target), "dir\r\ncls\r\n\r\n")) << "the link's target was not updated";
  EXPECT_EQ(IsUnixSymlink(CommandsPath(), answer), std::optional<bool>(true)) << "the link was replaced";
  EXPECT_TRUE(SameBytes(ReadFileBytes(CommandsPath()), "dir\r\ncls\r\n\r\n"));
  EXPECT_FALSE(FileExists(SavingPath()));
  EXPECT_FALSE(FileExists(target + L".saving"));
}

// ---- The exe's folder gone ---------------------------------------------------------------

TEST_F(BadCommandFileTest, ExeFolderGoneRefusesTheSaveUntilItIsBack) {
  ASSERT_NO_FATAL_FAILURE(WriteCommands("dir\r\n"));
  ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow());
  ASSERT_NO_FATAL_FAILURE(AddEntry(L"cls"));

  // Wine lets a running exe's file go (Windows would not): delete the folder if it can be,
  // else move it away.
  const std::wstring folder = Folder().Path();
  const std::wstring movedTo = folder + L"-moved";
  struct MovedAway {
    std::wstring path;
    bool moved = false;
    ~MovedAway() {
      if (!moved) return;
      ::DeleteFileW((path + L"\\OrvelleCommandsHelper.exe").c_str());
      ::RemoveDirectoryW(path.c_str());
    }
  } movedAway{movedTo};
  ::DeleteFileW(CommandsPath().c_str());
  ::DeleteFileW(ExePath().c_str());
  if (!::RemoveDirectoryW(folder.c_str())) {
    ASSERT_TRUE(::MoveFileW(folder.c_str(), movedTo.c_str())) << "cannot delete or move the exe's folder";
    movedAway.moved = true;
  }
  RecordProperty("exe_folder", movedAway.moved ? "moved away" : "deleted");
  ASSERT_FALSE(FileExists(folder));

  ASSERT_NO_FATAL_FAILURE(ExpectFileExitRefused(L"create", ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(program().ListCount(), 3);

  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  ExitByButton();
  EXPECT_TRUE(SameBytes(ReadFileBytes(CommandsPath()), "dir\r\ncls\r\n\r\n"));
}

}  // namespace
}  // namespace orvelle::blackbox
