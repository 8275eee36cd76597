// The send button against consoles that misbehave (hung, slow) and command lines that are
// awkward (very long, pasted with line breaks), seen from outside through probe_window.exe.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "blackbox/ProgramTest.h"

namespace orvelle::blackbox {
namespace {

constexpr unsigned kEnter = 13;
// The program waits this long for a console to take one character before giving up on it,
// plus what a loaded machine may add.
constexpr DWORD kGiveUpMs = 5000 + kTimeoutMs;

std::vector<ProbeLine> Typed(std::string_view line, int times = 1) {
  std::vector<ProbeLine> typed;
  for (int i = 0; i < times; ++i) {
    for (char c : line) typed.push_back({static_cast<unsigned char>(c), 0});
    typed.push_back({kEnter, 0});
  }
  return typed;
}

// How many typed characters a log holds and where it first differs from the expected one,
// instead of printing two logs of a hundred thousand lines.
::testing::AssertionResult SameLog(const std::vector<ProbeLine>& actual, const std::vector<ProbeLine>& expected) {
  const std::size_t common = std::min(actual.size(), expected.size());
  for (std::size_t i = 0; i < common; ++i)
    if (!(actual[i] == expected[i]))
      return ::testing::AssertionFailure() << "line " << i << " is " << ::testing::PrintToString(actual[i])
                                           << ", expected " << ::testing::PrintToString(expected[i]);
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure() << actual.size() << " lines, expected " << expected.size();
  return ::testing::AssertionSuccess();
}

LRESULT SendTo(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool* answered = nullptr) {
  DWORD_PTR result = 0;
  const bool ok = ::SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result) != 0;
  if (answered) *answered = ok;
  return static_cast<LRESULT>(result);
}

class TypingRobustnessTest : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_NO_FATAL_FAILURE(WriteCommands(initialCommands_));
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow());
  }

  std::string initialCommands_;

  std::wstring LogPath() { return Folder().File(L"probe.log"); }

  void ExpectNoBox() {
    const auto box = program().FindMessageBox();
    EXPECT_FALSE(box) << "unexpected box: " << (box ? box->text : L"");
  }
};

// ---- A hung console ---------------------------------------------------------------------

TEST_F(TypingRobustnessTest, HungConsoleIsGivenUpOnWithoutEnterAndTheProgramStaysUsable) {
  Probe probe(LogPath(), {.delayMs = 0, .hang = true});
  ASSERT_TRUE(probe.Ok()) << "probe_window.exe did not start";
  ASSERT_TRUE(program().SetText(kCommandLine, L"dir"));
  const std::vector<ProbeLine> hungOn{{'d', 0}};

  // The first send finds the window answering, then waits on the character it hangs on; the
  // second finds it hung already.
  for (int send = 1; send <= 2; ++send) {
    SCOPED_TRACE("send " + std::to_string(send));
    program().Click(kSendButton);
    const auto box = program().WaitForMessageBox(kGiveUpMs);
    ASSERT_TRUE(box) << "no error box: the send did not give up on the hung window";
    // The window's own title, as the user sees it; the box adds no full stop after a quote.
    EXPECT_EQ(box->text, L"Cannot type into window \"c:\\windows\\system32\\cmd.exe\"");
    EXPECT_EQ(box->caption, kApplicationTitle);
    EXPECT_EQ(box->owner, program().AppWindow());
    EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
    ASSERT_TRUE(program().PressOk(*box));

    // Only the character it hung on got there; Enter never follows a cut-off line.
    EXPECT_EQ(probe.Lines(), hungOn);
    ASSERT_TRUE(program().Ping()) << "the program stopped answering";
    EXPECT_EQ(program().Text(kCommandLine), L"dir") << "the failed send changed the command line";
  }

  // Still usable: the clear button works.
  program().Click(kClearButton);
  ASSERT_TRUE(program().Flush());
  EXPECT_EQ(program().Text(kCommandLine), L"");
  ExpectNoBox();
  EXPECT_EQ(probe.Lines(), hungOn);
  CloseByTitleBar();
}

// ---- A very long command line -----------------------------------------------------------

TEST_F(TypingRobustnessTest, HundredThousandCharactersAreTypedWholeAndInOrder) {
  static constexpr char kPattern[] = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string line;
  for (std::size_t i = 0; i < 100000; ++i) line += kPattern[i % (sizeof(kPattern) - 1)];
  ASSERT_TRUE(program().SetText(kCommandLine, std::wstring(line.begin(), line.end())));
  ASSERT_EQ(program().Text(kCommandLine).size(), line.size()) << "the edit cut the line short";

  Probe probe(LogPath());
  ASSERT_TRUE(probe.Ok());
  program().Click(kSendButton);
  // One round trip per character: give it time (up to ten minutes on a slow machine), and
  // look seldom, so as not to slow both sides down. Parsing a log of this size over and over
  // would too, so its size is watched until it can hold every line (at least "<code> 0" and
  // a line break each), and only then is it read, now and then.
  const std::vector<ProbeLine> expected = Typed(line);
  ULONGLONG leastSize = 0;
  for (const ProbeLine& typed : expected) leastSize += std::to_string(typed.code).size() + 3;
  ULONGLONG lastRead = 0;
  EXPECT_TRUE(WaitUntil(
      [&] {
        if (program().FindMessageBox() || !program().IsRunning()) return true;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(LogPath().c_str(), GetFileExInfoStandard, &data) ||
            (ULONGLONG{data.nFileSizeHigh} << 32 | data.nFileSizeLow) < leastSize ||
            ::GetTickCount64() - lastRead < 500)
          return false;
        lastRead = ::GetTickCount64();
        return probe.Lines().size() >= expected.size();
      },
      600000, 200))
      << "the probe got " << probe.Lines().size() << " of " << expected.size() << " characters";
  ASSERT_TRUE(program().IsRunning()) << "the program ended (exit code " << program().WaitForExit(0).value_or(0)
                                     << ") after " << probe.Lines().size() << " characters";
  ExpectNoBox();
  ASSERT_TRUE(program().Flush());
  EXPECT_TRUE(SameLog(probe.Lines(), expected));
  CloseByTitleBar();
}

// ---- Text with line breaks --------------------------------------------------------------

bool PutOnClipboard(const std::wstring& text) {
  if (!::OpenClipboard(nullptr)) return false;
  ::EmptyClipboard();
  bool ok = false;
  if (HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
    if (void* p = ::GlobalLock(data)) {
      std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(p));
      ::GlobalUnlock(data);
      ok = ::SetClipboardData(CF_UNICODETEXT, data) != nullptr;
    }
    if (!ok) ::GlobalFree(data);
  }
  ::CloseClipboard();
  return ok;
}

enum class Arrival { Paste, SetText, ReplaceSelection };

struct LineBreakCase {
  const char* name;
  Arrival arrival;
  const wchar_t* text;
  const wchar_t* kept;
};
void PrintTo(const LineBreakCase& row, std::ostream* os) { *os << row.name; }

class LineBreakTest : public TypingRobustnessTest, public ::testing::WithParamInterface<LineBreakCase> {
protected:
  static constexpr const char* kOldEntries = "dir\r\n\r\ncls";
  LineBreakTest() { initialCommands_ = kOldEntries; }
};

// However a text with line breaks arrives in the command line, only its first line stays:
// a command is one line, and no CR or LF may reach an entry or the file.
TEST_P(LineBreakTest, OnlyTheFirstLineStaysAndIsSavedAsOneEntry) {
  const LineBreakCase& c = GetParam();
  HWND edit = program().Control(kCommandLine);
  ASSERT_TRUE(edit);
  switch (c.arrival) {
    case Arrival::Paste:
      ASSERT_TRUE(PutOnClipboard(c.text)) << "cannot put the text on the clipboard";
      SendTo(edit, WM_PASTE, 0, 0);
      break;
    case Arrival::SetText:
      SendTo(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text));
      break;
    case Arrival::ReplaceSelection:
      SendTo(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.text));
      break;
  }
  ASSERT_EQ(program().Text(kCommandLine), c.kept);

  program().Click(kAddButton);
  ASSERT_TRUE(program().Flush());
  ExitByButton();
  const std::wstring kept = c.kept;
  EXPECT_EQ(ReadFileBytes(CommandsPath()), "dir\r\n\r\ncls\r\n" + std::string(kept.begin(), kept.end()) + "\r\n\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Arrivals, LineBreakTest,
    ::testing::Values(LineBreakCase{"PastedCrLf", Arrival::Paste, L"first line\r\nsecond line", L"first line"},
                      LineBreakCase{"PastedLf", Arrival::Paste, L"one\ntwo\nthree", L"one"},
                      LineBreakCase{"PastedLeadingBreak", Arrival::Paste, L"\r\nsecond", L""},
                      LineBreakCase{"SetCrLf", Arrival::SetText, L"a\r\nb", L"a"},
                      LineBreakCase{"SetLoneCr", Arrival::SetText, L"a\rb", L"a"},
                      LineBreakCase{"ReplacedLf", Arrival::ReplaceSelection, L"x\ny", L"x"}),
    [](const ::testing::TestParamInfo<LineBreakCase>& row) { return row.param.name; });

// ---- Clicks faster than the console -----------------------------------------------------

void PostChars(HWND hwnd, std::string_view text) {
  for (char c : text) ::PostMessageW(hwnd, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Clicks queued while a slow console takes the line are handled one after another: each
// send types the whole line and Enter before anything else happens.
TEST_F(TypingRobustnessTest, QueuedClicksOnASlowConsoleTypeWholeLinesInOrder) {
  Probe probe(LogPath(), {.delayMs = 30});
  ASSERT_TRUE(probe.Ok());
  ASSERT_TRUE(program().SetText(kCommandLine, L"abc"));
  HWND send = program().Control(kSendButton);
  HWND add = program().Control(kAddButton);
  HWND edit = program().Control(kCommandLine);
  // Add clears the line, so each add is followed by typing the line again.
  for (int i = 0; i < 5; ++i) {
    ::PostMessageW(send, BM_CLICK, 0, 0);
    if (i == 4) break;
    ::PostMessageW(add, BM_CLICK, 0, 0);
    PostChars(edit, "abc");
  }
  const std::vector<ProbeLine> expected = Typed("abc", 5);
  EXPECT_TRUE(WaitUntil([&] { return probe.Lines().size() >= expected.size() || !program().IsRunning(); }, 30000));
  ASSERT_TRUE(program().Flush());
  EXPECT_TRUE(SameLog(probe.Lines(), expected));
  ExpectNoBox();
  ASSERT_EQ(program().ListCount(), 8) << "the adds did not all get through";
  for (int i = 0; i < 8; ++i) EXPECT_EQ(program().ListEntry(i), i % 2 == 0 ? L"abc" : L"") << "entry " << i;
  EXPECT_EQ(program().Text(kCommandLine), L"abc");
  CloseByTitleBar();
}

// A click that reaches the program while it still waits on the console (a sent message is
// handled inside that wait) must not start a second send in the middle of the first.
TEST_F(TypingRobustnessTest, ClicksArrivingDuringASendWaitForItsEnd) {
  const std::string line = "abcdefghijklmnopqrst";
  Probe probe(LogPath(), {.delayMs = 50});
  ASSERT_TRUE(probe.Ok());
  ASSERT_TRUE(program().SetText(kCommandLine, std::wstring(line.begin(), line.end())));
  HWND send = program().Control(kSendButton);
  program().Click(kSendButton);
  ASSERT_TRUE(probe.WaitForLines(1)) << "the first send did not start";
  const bool duringFirstSend = probe.Lines().size() < line.size() + 1;

  bool allAnswered = true;
  for (int i = 0; i < 4; ++i) {
    bool answered = false;
    SendTo(send, BM_CLICK, 0, 0, &answered);
    allAnswered = allAnswered && answered;
  }
  EXPECT_TRUE(allAnswered) << "a click sent during the send was not answered: the program is blocked";

  const std::vector<ProbeLine> expected = Typed(line, 5);
  EXPECT_TRUE(WaitUntil([&] { return probe.Lines().size() >= expected.size() || !program().IsRunning(); }, 60000));
  ASSERT_TRUE(program().Flush());
  EXPECT_TRUE(SameLog(probe.Lines(), expected));
  ExpectNoBox();
  EXPECT_TRUE(duringFirstSend) << "the clicks came after the first send ended, so they tested nothing: slow "
                                  "the probe down further";
  CloseByTitleBar();
}

}  // namespace
}  // namespace orvelle::blackbox
