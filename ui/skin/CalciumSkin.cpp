#include "ui/skin/CalciumSkin.h"

namespace orvelle::ui::skin {

const wchar_t* SectionName(Section section) {
  switch (section) {
    case Section::Form: return L"FORM";
    case Section::Panel: return L"PANEL";
    case Section::CheckBox: return L"CHECKBOX";
    case Section::Edit: return L"EDIT";
    case Section::Button: return L"BUTTON";
    case Section::Selection: return L"SELECTION";
  }
  return L"";
}

}  // namespace orvelle::ui::skin
