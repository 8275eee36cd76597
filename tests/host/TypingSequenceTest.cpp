#include "console/TypingSequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvelle::console {
namespace {

// Records what typing asks of the window manager.
class RecordingPort final : public ConsolePort {
public:
  explicit RecordingPort(std::uintptr_t target) : target_(target) {}
  std::uintptr_t FindTarget(const char* title) override {
    lookups.emplace_back(title);
    return target_;
  }
  void SendChar(std::uintptr_t target, unsigned code) override {
    targets.push_back(target);
    codes.push_back(code);
  }
  std::vector<std::string> lookups;
  std::vector<std::uintptr_t> targets;
  std::vector<unsigned> codes;

private:
  std::uintptr_t target_;
};

TEST(TypeCommandLine, SendsEachByteInOrderThenCarriageReturn) {
  RecordingPort port(0x1234);
  TypeCommandLine("say hi", port);
  EXPECT_EQ(port.codes, (std::vector<unsigned>{115, 97, 121, 32, 104, 105, 13}));
  EXPECT_EQ(port.targets, std::vector<std::uintptr_t>(7, 0x1234));
  EXPECT_EQ(port.lookups, std::vector<std::string>{"c:\\windows\\system32\\cmd.exe"});
}

TEST(TypeCommandLine, EmptyLineSendsOnlyCarriageReturn) {
  RecordingPort port(1);
  TypeCommandLine("", port);
  EXPECT_EQ(port.codes, std::vector<unsigned>{13});
}

TEST(TypeCommandLine, BytesAboveAsciiGoOutAsUnsignedCodes) {
  RecordingPort port(1);
  // Cyrillic "Да" in Windows-1251, then 0xFF and 0x80.
  TypeCommandLine(std::string("\xC4\xE0\xFF\x80", 4), port);
  EXPECT_EQ(port.codes, (std::vector<unsigned>{196, 224, 255, 128, 13}));
}

TEST(TypeCommandLine, LooksTheWindowUpAgainAtEverySend) {
  RecordingPort port(0);
  TypeCommandLine("a", port);
  TypeCommandLine("a", port);
  EXPECT_EQ(port.lookups.size(), 2u);
  // With no window the sends still go out, to window 0, where they do nothing.
  EXPECT_EQ(port.targets, std::vector<std::uintptr_t>(4, 0));
}

}  // namespace
}  // namespace orvelle::console
