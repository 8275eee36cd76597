#include "console/TypingSequence.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orvelle::console {
namespace {

// Records what typing asks of the window manager; can be told to fail one character.
class RecordingPort final : public ConsolePort {
public:
  explicit RecordingPort(std::uintptr_t target, std::string windowClass = "OrvelleProbeWindow")
      : target_(target), class_(std::move(windowClass)) {}
  std::uintptr_t FindTarget(const char* title) override {
    lookups.emplace_back(title);
    return target_;
  }
  std::string ClassOf(std::uintptr_t) override { return class_; }
  bool SendChar(std::uintptr_t target, unsigned code) override {
    if (failAt && codes.size() == *failAt) return false;
    targets.push_back(target);
    codes.push_back(code);
    return true;
  }
  bool WriteConsoleLine(std::uintptr_t, std::string_view line) override {
    consoleLines.emplace_back(line);
    return consoleWorks;
  }

  std::vector<std::string> lookups;
  std::vector<std::uintptr_t> targets;
  std::vector<unsigned> codes;
  std::vector<std::string> consoleLines;
  std::optional<std::size_t> failAt;
  bool consoleWorks = true;

private:
  std::uintptr_t target_;
  std::string class_;
};

TEST(TypeCommandLine, SendsEachByteInOrderThenCarriageReturn) {
  RecordingPort port(0x1234);
  const TypingResult result = TypeCommandLine("say hi", port);
  EXPECT_EQ(port.codes, (std::vector<unsigned>{115, 97, 121, 32, 104, 105, 13}));
  EXPECT_EQ(port.targets, std::vector<std::uintptr_t>(7, 0x1234));
  EXPECT_EQ(port.lookups, std::vector<std::string>{"c:\\windows\\system32\\cmd.exe"});
  EXPECT_TRUE(result.complete);
  EXPECT_EQ(result.typed, 6u);
}

TEST(TypeCommandLine, EmptyLineSendsOnlyCarriageReturn) {
  RecordingPort port(1);
  EXPECT_TRUE(TypeCommandLine("", port).complete);
  EXPECT_EQ(port.codes, std::vector<unsigned>{13});
}

TEST(TypeCommandLine, BytesAboveAsciiGoOutAsUnsignedCodes) {
  RecordingPort port(1);
  // Cyrillic "Да" in Windows-1251, then 0xFF, 0x80 and 0xC8 (200).
  TypeCommandLine(std::string("\xC4\xE0\xFF\x80\xC8", 5), port);
  EXPECT_EQ(port.codes, (std::vector<unsigned>{196, 224, 255, 128, 200, 13}));
}

TEST(TypeCommandLine, LooksTheWindowUpAgainAtEverySendAndTypesNothingWithoutOne) {
  RecordingPort port(0);
  const TypingResult first = TypeCommandLine("a", port);
  TypeCommandLine("a", port);
  EXPECT_EQ(port.lookups.size(), 2u);
  EXPECT_TRUE(port.codes.empty());
  // No window is not a failure: nothing is reported.
  EXPECT_TRUE(first.complete);
}

TEST(TypeCommandLine, StopsAtTheFirstFailedCharacterAndNeverPressesEnter) {
  for (std::size_t failAt : {0u, 1u, 3u}) {
    RecordingPort port(7);
    port.failAt = failAt;
    const TypingResult result = TypeCommandLine("dir /w", port);
    EXPECT_FALSE(result.complete) << failAt;
    EXPECT_EQ(result.typed, failAt);
    EXPECT_EQ(port.codes.size(), failAt);
    for (unsigned code : port.codes) EXPECT_NE(code, 13u) << failAt;
  }
}

TEST(TypeCommandLine, AFailedCarriageReturnIsReported) {
  RecordingPort port(7);
  port.failAt = 3;  // "abc" goes through, Enter does not
  const TypingResult result = TypeCommandLine("abc", port);
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(result.typed, 3u);
}

TEST(TypeCommandLine, HostsThatIgnoreCharacterMessagesGetTheLineAsConsoleInput) {
  for (const char* cls : {"CASCADIA_HOSTING_WINDOW_CLASS", "WineConsoleClass"}) {
    RecordingPort port(9, cls);
    EXPECT_TRUE(TypeCommandLine("echo hi", port).complete) << cls;
    EXPECT_EQ(port.consoleLines, std::vector<std::string>{"echo hi"}) << cls;
    EXPECT_TRUE(port.codes.empty()) << cls;
  }
  RecordingPort unreachable(9, "WineConsoleClass");
  unreachable.consoleWorks = false;
  EXPECT_FALSE(TypeCommandLine("echo hi", unreachable).complete);
}

struct DeliveryCase {
  const char* windowClass;
  Delivery delivery;
};

class DeliveryForClassTest : public ::testing::TestWithParam<DeliveryCase> {};

TEST_P(DeliveryForClassTest, ChoosesByTheWindowClass) {
  EXPECT_EQ(DeliveryForClass(GetParam().windowClass), GetParam().delivery);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, DeliveryForClassTest,
    ::testing::Values(DeliveryCase{"ConsoleWindowClass", Delivery::WindowMessages},
                      DeliveryCase{"CASCADIA_HOSTING_WINDOW_CLASS", Delivery::ConsoleInput},
                      DeliveryCase{"cascadia_hosting_window_class", Delivery::ConsoleInput},
                      DeliveryCase{"WineConsoleClass", Delivery::ConsoleInput},
                      DeliveryCase{"OrvelleProbeWindow", Delivery::WindowMessages},
                      DeliveryCase{"", Delivery::WindowMessages},
                      DeliveryCase{"WineConsoleClassX", Delivery::WindowMessages}));

}  // namespace
}  // namespace orvelle::console
