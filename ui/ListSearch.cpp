#include "ui/ListSearch.h"

namespace orvelle::ui {

ListSearch::Action ListSearch::OnChar(wchar_t ch, std::uint32_t nowMs) {
  constexpr wchar_t kBackspace = 8;
  constexpr wchar_t kEnter = 13;
  constexpr wchar_t kEscape = 27;

  // Enter and Escape belong to the dialog, not the search: they neither edit the text nor
  // count as typing, so they do not keep a search alive or let it expire.
  if (ch == kEnter || ch == kEscape) return Action::None;

  // Unsigned subtraction gives the right gap across the tick counter's wrap to zero.
  if (typedBefore_ && static_cast<std::uint32_t>(nowMs - lastMs_) >= kResetMs) text_.clear();
  lastMs_ = nowMs;
  typedBefore_ = true;

  if (ch == kBackspace) {
    if (!text_.empty()) text_.pop_back();
    return text_.empty() ? Action::SelectFirst : Action::FindPrefix;
  }
  text_.push_back(ch);
  return Action::FindPrefix;
}

}  // namespace orvelle::ui
