#include "commands/CommandFile.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace orvelle::commands {
namespace {

using namespace std::string_view_literals;
using Entries = std::vector<std::string>;

// ---------------------------------------------------------------------------------------
// Reading

struct ReadCase {
  const char* name;
  std::string_view bytes;  // string_view literals, so embedded NULs survive
  Entries expected;
};

class ReadEntriesTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadEntriesTest, SplitsIntoEntries) {
  EXPECT_EQ(ReadEntries(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    LineBreaks, ReadEntriesTest,
    testing::Values(
        ReadCase{"SingleLineNoBreak", "a"sv, {"a"}},
        ReadCase{"FinalCrLfAddsNothing", "a\r\n"sv, {"a"}},
        ReadCase{"BlankLineBeforeEnd", "a\r\n\r\n"sv, {"a", ""}},
        ReadCase{"OnlyCrLf", "\r\n"sv, {""}},
        ReadCase{"LfBetween", "a\nb"sv, {"a", "b"}},
        ReadCase{"CrBetween", "a\rb"sv, {"a", "b"}},
        ReadCase{"LfCrIsTwoBreaks", "a\n\rb"sv, {"a", "", "b"}},
        ReadCase{"CrCrIsTwoBreaks", "a\r\rb"sv, {"a", "", "b"}},
        ReadCase{"LfLfIsTwoBreaks", "a\n\nb"sv, {"a", "", "b"}},
        ReadCase{"CrLfCrLfBetween", "a\r\n\r\nb"sv, {"a", "", "b"}},
        ReadCase{"NulEndsData", "a\0b\r\nc"sv, {"a"}},
        ReadCase{"NulAtStart", "\0a\r\nb"sv, {}},
        ReadCase{"NulRightAfterBreak", "a\r\n\0b"sv, {"a"}},
        ReadCase{"NulBetweenCrAndLf", "a\r\0\nb"sv, {"a"}},
        ReadCase{"Empty", ""sv, {}},
        ReadCase{"NoFinalBreak", "one\r\ntwo\r\nthree"sv, {"one", "two", "three"}},
        ReadCase{"OnlyBreaks", "\r\n\n\r\r\n"sv, {"", "", "", ""}},
        ReadCase{"LeadingEmptyLines", "\n\nx"sv, {"", "", "x"}},
        ReadCase{"MixedBreakStyles", "a\r\nb\nc\rd"sv, {"a", "b", "c", "d"}},
        ReadCase{"Utf8BomKeptInFirstEntry", "\xEF\xBB\xBFgit status\r\nls"sv,
                 {"\xEF\xBB\xBFgit status", "ls"}},
        ReadCase{"HighBytesUnchanged", "caf\xC3\xA9\r\n\x80\xFF\xFE"sv,
                 {"caf\xC3\xA9", "\x80\xFF\xFE"}},
        ReadCase{"SpacesAndTabsNotTrimmed", "  a \t\r\n\tb  "sv, {"  a \t", "\tb  "}}),
    [](const testing::TestParamInfo<ReadCase>& caseInfo) { return std::string(caseInfo.param.name); });

TEST(ForEachEntryTest, StopsWhenCallbackReturnsFalse) {
  std::vector<std::string_view> seen;
  ForEachEntry("a\r\nb\r\nc\r\n"sv, [&seen](std::string_view entry) {
    seen.push_back(entry);
    return seen.size() < 2;
  });
  EXPECT_EQ(seen, (std::vector<std::string_view>{"a", "b"}));
}

TEST(ForEachEntryTest, StopOnFirstEntryCallsOnce) {
  int calls = 0;
  ForEachEntry("a\nb"sv, [&calls](std::string_view) {
    ++calls;
    return false;
  });
  EXPECT_EQ(calls, 1);
}

TEST(ForEachEntryTest, EntriesViewTheInputWithoutCopying) {
  const std::string bytes = "first\r\nsecond\nthird";
  std::vector<std::string_view> seen;
  ForEachEntry(bytes, [&seen](std::string_view entry) {
    seen.push_back(entry);
    return true;
  });
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].data(), bytes.data());
  EXPECT_EQ(seen[1].data(), bytes.data() + 7);
  EXPECT_EQ(seen[2].data(), bytes.data() + 14);
}

TEST(ForEachEntryTest, DefaultViewGivesNoEntries) {
  int calls = 0;
  ForEachEntry(std::string_view{}, [&calls](std::string_view) {
    ++calls;
    return true;
  });
  EXPECT_EQ(calls, 0);
}

// A full-size list (1,000,000 entries, about 20 MB) in each break style. A CR-only or
// LF-only file is where a scan that looks for the missing break byte again on every line
// turns quadratic; this test would then run for hours instead of a second.
class LargeFileTest : public testing::TestWithParam<std::string_view> {};

TEST_P(LargeFileTest, ReadsEveryEntry) {
  constexpr std::size_t kCount = 1'000'000;
  const std::string_view lineBreak = GetParam();
  std::string bytes;
  bytes.reserve(kCount * (18 + lineBreak.size()));
  for (std::size_t i = 0; i < kCount; ++i) {
    bytes.append("command-");
    bytes.append(std::to_string(1'000'000'000 + i));
    bytes.append(lineBreak);
  }

  std::size_t count = 0;
  bool allMatch = true;
  ForEachEntry(bytes, [&](std::string_view entry) {
    allMatch = allMatch && entry == "command-" + std::to_string(1'000'000'000 + count);
    ++count;
    return true;
  });
  EXPECT_EQ(count, kCount);
  EXPECT_TRUE(allMatch);
}

INSTANTIATE_TEST_SUITE_P(BreakStyles, LargeFileTest, testing::Values("\r\n"sv, "\n"sv, "\r"sv),
                         [](const testing::TestParamInfo<std::string_view>& caseInfo) {
                           return caseInfo.param == "\r\n" ? std::string("CrLf")
                                  : caseInfo.param == "\n" ? std::string("Lf")
                                                       : std::string("Cr");
                         });

// ---------------------------------------------------------------------------------------
// Writing

struct WriteCase {
  const char* name;
  Entries entries;
  std::string_view expected;
};

class WriteEntriesTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteEntriesTest, EachEntryEndsWithCrLf) {
  EXPECT_EQ(WriteEntries(GetParam().entries), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, WriteEntriesTest,
    testing::Values(WriteCase{"EmptyList", {}, ""sv},
                    WriteCase{"OneEntry", {"dir"}, "dir\r\n"sv},
                    WriteCase{"TrailingEmptyEntryKept", {"cmd", ""}, "cmd\r\n\r\n"sv},
                    WriteCase{"OnlyEmptyEntry", {""}, "\r\n"sv},
                    WriteCase{"SeveralEntries", {"a", "", "b"}, "a\r\n\r\nb\r\n"sv},
                    WriteCase{"BytesUnchanged",
                              {"\xEF\xBB\xBF x \t", "\x80\xFF"},
                              "\xEF\xBB\xBF x \t\r\n\x80\xFF\r\n"sv}),
    [](const testing::TestParamInfo<WriteCase>& caseInfo) { return std::string(caseInfo.param.name); });

TEST(AppendEntryTest, AppendsAfterExistingText) {
  std::string text = "a\r\n";
  AppendEntry(text, "b");
  AppendEntry(text, "");
  EXPECT_EQ(text, "a\r\nb\r\n\r\n");
}

// ---------------------------------------------------------------------------------------
// Properties over random data

// The read rule done the slow, obvious way, one byte at a time, to check the fast scanner
// against on inputs nobody would think to write by hand.
Entries ReadOneByteAtATime(std::string_view bytes) {
  Entries entries;
  std::size_t i = 0;
  while (i < bytes.size() && bytes[i] != '\0') {
    std::string entry;
    while (i < bytes.size() && bytes[i] != '\0' && bytes[i] != '\r' && bytes[i] != '\n') {
      entry.push_back(bytes[i++]);
    }
    entries.push_back(entry);
    if (i < bytes.size() && bytes[i] == '\r') ++i;
    if (i < bytes.size() && bytes[i] == '\n') ++i;
  }
  return entries;
}

class RandomDataTest : public testing::Test {
protected:
  std::mt19937 rng_{20240607u};

  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }
  char AnyByte() { return static_cast<char>(Below(256)); }

  // Any byte but the three that cannot appear inside an entry.
  char EntryByte() {
    for (;;) {
      const char c = AnyByte();
      if (c != '\0' && c != '\r' && c != '\n') return c;
    }
  }

  // Arbitrary bytes, with CR, LF and NUL made common enough that runs like CR CR LF and
  // breaks next to the end show up often. NUL is rarer so most inputs have several lines.
  std::string ArbitraryBytes() {
    std::string bytes(Below(64), '\0');
    for (char& c : bytes) {
      const std::size_t pick = Below(20);
      c = pick < 4 ? '\r' : pick < 8 ? '\n' : pick < 9 ? '\0' : AnyByte();
    }
    return bytes;
  }
};

TEST_F(RandomDataTest, WriteThenReadGivesSameEntries) {
  for (int iteration = 0; iteration < 5000; ++iteration) {
    Entries entries(Below(12));
    for (std::string& entry : entries) {
      // About a quarter empty, the rest up to 20 bytes from the whole byte range.
      const std::size_t length = Below(4) == 0 ? 0 : Below(21);
      for (std::size_t i = 0; i < length; ++i) entry.push_back(EntryByte());
    }
    ASSERT_EQ(ReadEntries(WriteEntries(entries)), entries) << "iteration " << iteration;
  }
}

TEST_F(RandomDataTest, ArbitraryBytesReadConsistently) {
  for (int iteration = 0; iteration < 5000; ++iteration) {
    const std::string bytes = ArbitraryBytes();
    SCOPED_TRACE(testing::Message() << "iteration " << iteration << ", " << bytes.size()
                                    << " bytes");
    const Entries entries = ReadEntries(bytes);

    for (const std::string& entry : entries) {
      ASSERT_EQ(entry.find_first_of("\r\n"sv), std::string::npos);
      ASSERT_EQ(entry.find('\0'), std::string::npos);
    }
    ASSERT_EQ(entries, ReadOneByteAtATime(bytes));
    // Saving what was loaded and loading it again must not change the list.
    ASSERT_EQ(ReadEntries(WriteEntries(entries)), entries);
  }
}

// ---------------------------------------------------------------------------------------
// Where the file lives

struct PathCase {
  const char* name;
  std::wstring modulePath;
  std::wstring expected;
};

class CommandFilePathTest : public testing::TestWithParam<PathCase> {};

TEST_P(CommandFilePathTest, BesideTheExe) {
  EXPECT_EQ(CommandFilePath(GetParam().modulePath), GetParam().expected);
}

std::wstring LongFolder() {
  // 307 characters before the file name, past MAX_PATH (260): nothing here may rely on a
  // fixed-size buffer.
  std::wstring folder = L"C:\\";
  for (int i = 0; i < 30; ++i) folder += L"folder" + std::to_wstring(100 + i) + L"\\";
  return folder + L"last";
}

INSTANTIATE_TEST_SUITE_P(
    ModulePaths, CommandFilePathTest,
    testing::Values(
        PathCase{"Folder", L"C:\\Tools\\Orvelle\\app.exe", L"C:\\Tools\\Orvelle\\commands.txt"},
        PathCase{"DriveRootKeepsBackslash", L"C:\\app.exe", L"C:\\\\commands.txt"},
        PathCase{"NetworkShare", L"\\\\server\\share\\app.exe",
                 L"\\\\server\\share\\commands.txt"},
        PathCase{"LongPathPrefix", L"\\\\?\\C:\\Tools\\app.exe", L"\\\\?\\C:\\Tools\\commands.txt"},
        PathCase{"LongPathPrefixDriveRoot", L"\\\\?\\C:\\app.exe", L"\\\\?\\C:\\\\commands.txt"},
        PathCase{"NoBackslash", L"app.exe", L"\\commands.txt"},
        PathCase{"Empty", L"", L"\\commands.txt"},
        PathCase{"ForwardSlashNotASeparator", L"C:\\Tools\\sub/app.exe", L"C:\\Tools\\commands.txt"},
        PathCase{"ColonNotBeforeLastBackslash", L"C:\\Tools\\app:alt.exe", L"C:\\Tools\\commands.txt"},
        PathCase{"NonAsciiFolder", L"D:\\\u00DCbung\\\u0416\u6587\u4EF6\\app.exe",
                 L"D:\\\u00DCbung\\\u0416\u6587\u4EF6\\commands.txt"},
        PathCase{"LongerThanMaxPath", LongFolder() + L"\\app.exe", LongFolder() + L"\\commands.txt"}),
    [](const testing::TestParamInfo<PathCase>& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace orvelle::commands
