// Keyboard search in the command list: the text typed while the list has the focus.
// Portable: the caller passes the time, so the 500 ms rule is testable without a clock.
#pragma once

#include <cstdint>
#include <string>

namespace orvelle::ui {

class ListSearch {
public:
  static constexpr std::uint32_t kResetMs = 500;

  enum class Action {
    None,        // the key serves nothing (Enter, Escape)
    FindPrefix,  // select the first entry from the top that begins with Text(), case ignored
    SelectFirst  // Backspace emptied the text: select the first entry
  };

  // One character typed in the list (as WM_CHAR gives it), at nowMs (a millisecond tick
  // counter that may wrap). Backspace is 8, Enter 13, Escape 27.
  Action OnChar(wchar_t ch, std::uint32_t nowMs);

  const std::wstring& Text() const { return text_; }

private:
  std::wstring text_;
  std::uint32_t lastMs_ = 0;
  bool typedBefore_ = false;
};

}  // namespace orvelle::ui
