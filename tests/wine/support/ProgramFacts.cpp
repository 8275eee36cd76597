#include "support/ProgramFacts.h"

#include "support/Files.h"

namespace orvelle::test {

std::wstring FileErrorText(std::wstring_view verb, const std::wstring& path, DWORD code) {
  std::wstring text = L"Cannot ";
  text += verb;
  text += L" file \"" + path + L"\". " + SystemMessage(code) + L".";
  return text;
}

::testing::AssertionResult IsProgramErrorBox(const MessageBoxInfo& box, std::wstring_view text) {
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  bool ok = true;
  if (box.text != text) {
    ok = false;
    failure << "\n  text:    \"" << Utf8(box.text) << "\"\n  wanted:  \"" << Utf8(text) << "\"";
  }
  if (box.caption != kProgramTitle) {
    ok = false;
    failure << "\n  caption: \"" << Utf8(box.caption) << "\"";
  }
  if (box.ownerClass != kApplicationWindowClass || box.ownerText != kProgramTitle) {
    ok = false;
    failure << "\n  owner:   \"" << Utf8(box.ownerText) << "\" (" << Utf8(box.ownerClass) << ")";
  }
  if (box.icon != BoxIcon::Stop) {
    ok = false;
    failure << "\n  icon:    " << ToString(box.icon);
  }
  if (box.buttons != std::vector<std::wstring>{L"OK"}) {
    ok = false;
    failure << "\n  buttons:";
    for (const std::wstring& b : box.buttons) failure << " \"" << Utf8(b) << "\"";
  }
  if (ok) return ::testing::AssertionSuccess();
  return failure;
}

}  // namespace orvelle::test
