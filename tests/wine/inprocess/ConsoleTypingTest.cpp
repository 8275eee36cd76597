// The send button types the command line into the console window, found by its title, one
// character message per byte and then Enter. A stand-in window (probe_window.exe, the first
// argument of this test exe) records what arrives.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/Files.h"
#include "support/FormFixture.h"
#include "support/Paths.h"
#include "support/WindowQueries.h"
#include "ui/Unit1.h"

namespace orvelle::test {
namespace {

using Chars = std::vector<ReceivedChar>;

// The characters of a line as the console receives them: each byte, then a carriage return,
// all with a second parameter of 0.
Chars Typed(const std::string& line) {
  Chars out;
  for (char c : line) out.push_back({static_cast<unsigned char>(c), 0});
  out.push_back({13, 0});
  return out;
}

std::string Format(const Chars& chars) {
  std::string out;
  for (const ReceivedChar& c : chars) out += std::to_string(c.code) + "/" + std::to_string(c.lParam) + " ";
  return out;
}

class ConsoleTypingTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    probeExe_ = TestArgumentPath(0);
    ASSERT_FALSE(probeExe_.empty()) << "pass the path of probe_window.exe as the first argument";
    ASSERT_TRUE(FileExists(probeExe_)) << "no probe at " << Utf8(probeExe_);
    ASSERT_EQ(::FindWindowW(nullptr, kConsoleTitle), nullptr)
        << "a window titled like the console is already open: " << Utf8(Describe(::FindWindowW(nullptr, kConsoleTitle)));
    WriteCommandFile("dir\r\n");
    ShowForm();
  }

  void TearDown() override {
    probe_.reset();
    FormTest::TearDown();
  }

  // Starts the stand-in with this title and waits until its window is up.
  ProbeWindow& StartProbe(const std::wstring& title) {
    probe_ = std::make_unique<ProbeWindow>(probeExe_, title, folder_.File(L"probe.log"));
    EXPECT_TRUE(probe_->Started()) << "cannot start " << Utf8(probeExe_);
    HWND window = probe_->WaitUntilShown();
    EXPECT_NE(window, nullptr) << "the probe window did not appear";
    // Out of the way of the clicks on our window, wherever that stands.
    RECT rc{};
    ::GetWindowRect(window, &rc);
    ::SetWindowPos(window, HWND_BOTTOM,
                   ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN) - (rc.right - rc.left),
                   ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN) - (rc.bottom - rc.top),
                   0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    return *probe_;
  }

  void ClickSend() { Click(Form().sBitBtn4.Handle()); }

  // What the probe has received once it has at least count characters (or the time is up).
  Chars ReceivedAtLeast(std::size_t count) {
    WaitUntil([&] { return probe_->Received().size() >= count; }, 5000);
    return probe_->Received();
  }

private:
  std::wstring probeExe_;
  ScopedTempFolder folder_;
  std::unique_ptr<ProbeWindow> probe_;
};

TEST_F(ConsoleTypingTest, SendTypesTheLineThenEnterAndChangesNothingHere) {
  StartProbe(kConsoleTitle);
  Click(Form().sEdit1.Handle());
  Type(L"say hi");
  ASSERT_EQ(CommandLine(), "say hi");

  ClickSend();

  const Chars expected{{115, 0}, {97, 0}, {121, 0}, {32, 0}, {104, 0}, {105, 0}, {13, 0}};
  const Chars received = ReceivedAtLeast(expected.size());
  EXPECT_EQ(received, expected) << Format(received);
  EXPECT_EQ(CommandLine(), "say hi");
  EXPECT_EQ(ListEntries(), (std::vector<std::string>{"dir"}));
  EXPECT_EQ(::GetForegroundWindow(), FormWindow()) << "the console took the foreground";
  EXPECT_EQ(::GetFocus(), Form().sBitBtn4.Handle()) << "focus on " << Utf8(Describe(::GetFocus()));
}

TEST_F(ConsoleTypingTest, EmptyLineSendsOnlyEnter) {
  StartProbe(kConsoleTitle);
  ASSERT_EQ(CommandLine(), "");
  ClickSend();
  const Chars received = ReceivedAtLeast(1);
  EXPECT_EQ(received, Typed("")) << Format(received);
}

TEST_F(ConsoleTypingTest, EverySendTypesTheLineAgain) {
  StartProbe(kConsoleTitle);
  SetCommandLine("ver");
  ClickSend();
  ClickSend();
  Chars expected = Typed("ver");
  const Chars again = Typed("ver");
  expected.insert(expected.end(), again.begin(), again.end());
  const Chars received = ReceivedAtLeast(expected.size());
  EXPECT_EQ(received, expected) << Format(received);
}

TEST_F(ConsoleTypingTest, SendTakesTheLineAsItIsNowNotAsItWas) {
  StartProbe(kConsoleTitle);
  ClickListRow(0);  // "dir"
  ClickSend();
  SetCommandLine("cls");
  ClickSend();
  Chars expected = Typed("dir");
  const Chars second = Typed("cls");
  expected.insert(expected.end(), second.begin(), second.end());
  const Chars received = ReceivedAtLeast(expected.size());
  EXPECT_EQ(received, expected) << Format(received);
}

struct TitleCase {
  const char* name;
  const wchar_t* title;
  bool receives;
};

std::ostream& operator<<(std::ostream& os, const TitleCase& c) { return os << c.name; }

class ConsoleTitleTest : public ConsoleTypingTest, public ::testing::WithParamInterface<TitleCase> {};

// The console is the top-level window with exactly that title, letter case aside.
TEST_P(ConsoleTitleTest, OnlyAWindowWithTheConsoleTitleReceives) {
  StartProbe(GetParam().title);
  SetCommandLine("echo");
  ClickSend();
  if (GetParam().receives) {
    const Chars received = ReceivedAtLeast(5);
    EXPECT_EQ(received, Typed("echo")) << Format(received);
  } else {
    PumpFor(300);  // room for anything sent late to arrive
    const Chars received = ReceivedAtLeast(0);
    EXPECT_TRUE(received.empty()) << Format(received);
  }
  EXPECT_EQ(CommandLine(), "echo");
}

INSTANTIATE_TEST_SUITE_P(
    Titles, ConsoleTitleTest,
    ::testing::Values(TitleCase{"Exact", L"c:\\windows\\system32\\cmd.exe", true},
                      TitleCase{"Capitalised", L"C:\\Windows\\System32\\cmd.exe", true},
                      TitleCase{"AllUpperCase", L"C:\\WINDOWS\\SYSTEM32\\CMD.EXE", true},
                      TitleCase{"WithASuffix", L"c:\\windows\\system32\\cmd.exe - ping", false},
                      TitleCase{"WithAPrefix", L"Administrator: c:\\windows\\system32\\cmd.exe", false},
                      TitleCase{"ExeNameOnly", L"cmd.exe", false}),
    [](const ::testing::TestParamInfo<TitleCase>& param) { return std::string(param.param.name); });

TEST_F(ConsoleTypingTest, WithoutAConsoleSendDoesNothingAndSaysNothing) {
  SetCommandLine("say hi");
  ClickSend();
  ClickSend();
  EXPECT_EQ(CommandLine(), "say hi");
  EXPECT_EQ(ListEntries(), (std::vector<std::string>{"dir"}));
  EXPECT_TRUE(FormAlive());
  EXPECT_EQ(::GetForegroundWindow(), FormWindow());
  // The fixture fails the test on any message box.
}

}  // namespace
}  // namespace orvelle::test
