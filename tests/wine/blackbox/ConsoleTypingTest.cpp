// The send button types the command line into the window titled like the command prompt:
// one character message per byte, then carriage return. probe_window.exe stands in for the
// console, since Wine's own console window ignores character messages.
#include <gtest/gtest.h>

#include <vector>

#include "blackbox/ProgramTest.h"

namespace orvelle::blackbox {
namespace {

std::vector<ProbeLine> Typed(std::initializer_list<unsigned long long> codes) {
  std::vector<ProbeLine> lines;
  for (unsigned long long code : codes) lines.push_back({code, 0});
  return lines;
}

class ConsoleTypingTest : public ProgramTest {};

TEST_F(ConsoleTypingTest, SendTypesTheCommandLineAndKeepsIt) {
  ASSERT_NO_FATAL_FAILURE(WriteCommands(""));
  ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow());

  // No console window yet: sending goes nowhere, silently.
  ASSERT_TRUE(program().SetText(kCommandLine, L"dir"));
  program().Click(kSendButton);
  ASSERT_TRUE(program().Flush());
  EXPECT_FALSE(program().FindMessageBox());
  EXPECT_EQ(program().Text(kCommandLine), L"dir");

  Probe probe(Folder().File(L"probe.log"));
  ASSERT_TRUE(probe.Ok()) << "probe_window.exe did not start";

  struct Case {
    const wchar_t* line;
    std::vector<ProbeLine> typed;
  };
  const Case cases[] = {
      {L"say hi", Typed({115, 97, 121, 32, 104, 105, 13})},
      // An empty line still presses Enter.
      {L"", Typed({13})},
      // Sent again, the same line is typed again.
      {L"say hi", Typed({115, 97, 121, 32, 104, 105, 13})},
  };
  std::size_t before = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.line)));
    ASSERT_TRUE(program().SetText(kCommandLine, c.line));
    program().Click(kSendButton);
    ASSERT_TRUE(probe.WaitForLines(before + c.typed.size())) << "the probe got too few characters";
    // Every character is sent and handled before the click handler returns.
    ASSERT_TRUE(program().Flush());
    const std::vector<ProbeLine> lines = probe.Lines();
    EXPECT_EQ(std::vector<ProbeLine>(lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end()), c.typed);
    before = lines.size();
    EXPECT_EQ(program().Text(kCommandLine), c.line) << "sending changed the command line";
    EXPECT_EQ(program().ListCount(), 0) << "sending changed the list";
  }

  CloseByTitleBar();
}

}  // namespace
}  // namespace orvelle::blackbox
