// Entries are bytes in the ANSI code page: they must come back from a load and a save byte
// for byte, show as their characters in that code page, and be typed as those characters.
// Run twice: as the program is usually started here, and in code page 1251 (Cyrillic), which
// Wine gives a process whose loader starts with LC_ALL=ru_RU.CP1251.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "blackbox/ProgramTest.h"
#include "support/Paths.h"

namespace orvelle::blackbox {
namespace {

constexpr const wchar_t* kReportCodePage = L"--report-acp";

// Started as "blackbox_tests.exe --report-acp <file>", this executable only writes its ANSI
// code page to the file and ends. That tells whether a process started in a locale really
// gets its code page, without relying on the program under test.
[[maybe_unused]] const bool gReportedCodePage = [] {
  const std::vector<std::wstring> args = CommandLineArguments();
  if (args.size() != 3 || args[1] != kReportCodePage) return false;
  WriteFileBytes(args[2], std::to_string(::GetACP()) + "\n");
  ::ExitProcess(0);
  return true;
}();

std::optional<UINT> CodePageOfAProcessStartedIn(const std::wstring& locale, const std::wstring& reportFile) {
  if (!StartLinuxProgram({L"/bin/sh", L"-c", L"exec wine \"$0\" \"$1\" \"$2\" >/dev/null 2>&1", test::ModulePath(),
                          kReportCodePage, reportFile},
                         {L"LC_ALL=" + locale}))
    return std::nullopt;
  std::optional<std::string> report;
  if (!WaitUntil(
          [&] {
            report = ReadFileBytes(reportFile);
            return report && !report->empty() && report->back() == '\n';
          },
          kStartTimeoutMs))
    return std::nullopt;
  return static_cast<UINT>(std::stoul(*report));
}

// Cyrillic words in Windows-1251, a lone 0xC8 (И), and every byte an entry can hold.
std::vector<std::string> Entries() {
  std::string everyByte;
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n') everyByte += static_cast<char>(b);
  return {
      "\xE4\xE8\xF0",                                    // дир
      "\xFD\xF5\xEE \xEF\xF0\xE8\xE2\xE5\xF2",           // эхо привет
      "\xC8",                                            // И
      everyByte,
  };
}

struct CodePageCase {
  const char* name;
  const wchar_t* locale;  // nullptr: started as usual, in this process's code page
};
void PrintTo(const CodePageCase& row, std::ostream* os) { *os << row.name; }

class CodePageTest : public ProgramTest, public ::testing::WithParamInterface<CodePageCase> {};

TEST_P(CodePageTest, EntriesKeepTheirBytesAndAreTypedAsTheirCharacters) {
  UINT codePage = ::GetACP();
  if (const wchar_t* locale = GetParam().locale) {
    const std::optional<UINT> started = CodePageOfAProcessStartedIn(locale, Folder().File(L"acp.txt"));
    if (!started)
      GTEST_SKIP() << "cannot start a Wine process in another locale here (no /bin/sh, or no 'wine' on PATH)";
    if (*started != 1251) GTEST_SKIP() << "Wine gave code page " << *started << ", not 1251, for LC_ALL=ru_RU.CP1251";
    codePage = *started;
  }
  const std::vector<std::string> entries = Entries();
  std::string file;
  for (const std::string& entry : entries) file += entry + "\r\n";
  ASSERT_NO_FATAL_FAILURE(WriteCommands(file));
  Probe probe(Folder().File(L"probe.log"));
  ASSERT_TRUE(probe.Ok()) << "probe_window.exe did not start";

  if (GetParam().locale) {
    ASSERT_TRUE(CopyProgram());
    ASSERT_TRUE(Adopt(Program::StartInLocale(ExePath(), GetParam().locale))) << "the program did not start";
    ASSERT_TRUE(program().WaitForFormVisible()) << "the main window did not appear";
    if (const auto box = program().FindMessageBox()) FAIL() << "unexpected error box: " << box->text;
  } else {
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow());
  }

  // The program reads the bytes in its code page: the list shows their characters.
  ASSERT_EQ(program().ListCount(), static_cast<int>(entries.size()));
  for (std::size_t i = 0; i < entries.size(); ++i)
    EXPECT_EQ(program().ListEntry(static_cast<int>(i)), Decode(entries[i], codePage)) << "entry " << i;

  // Clicking an entry takes it into the command line; send types each byte as its own
  // character message, which reaches the (Unicode) console as that byte's character.
  std::size_t before = 0;
  for (int index : {0, 1, 2}) {
    const std::string& entry = entries[static_cast<std::size_t>(index)];
    SCOPED_TRACE("entry " + std::to_string(index));
    ASSERT_TRUE(program().ClickListEntry(index));
    EXPECT_EQ(program().Text(kCommandLine), Decode(entry, codePage));
    program().Click(kSendButton);
    std::vector<ProbeLine> expected;
    for (char byte : entry)
      expected.push_back({static_cast<unsigned long long>(Decode(std::string(1, byte), codePage).at(0)), 0});
    expected.push_back({13, 0});
    ASSERT_TRUE(probe.WaitForLines(before + expected.size()));
    ASSERT_TRUE(program().Flush());
    const std::vector<ProbeLine> lines = probe.Lines();
    EXPECT_EQ(std::vector<ProbeLine>(lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end()), expected);
    before = lines.size();
  }

  ExitByButton();
  EXPECT_EQ(ReadFileBytes(CommandsPath()), file) << "a load and a save changed the bytes";
}

INSTANTIATE_TEST_SUITE_P(AnsiCodePage, CodePageTest,
                         ::testing::Values(CodePageCase{"AsStarted", nullptr},
                                           CodePageCase{"Cyrillic1251", L"ru_RU.CP1251"}),
                         [](const ::testing::TestParamInfo<CodePageCase>& row) { return row.param.name; });

}  // namespace
}  // namespace orvelle::blackbox
