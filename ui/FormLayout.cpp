#include "ui/FormLayout.h"

#include <algorithm>

namespace orvelle::ui {

// Nine centred lines; lines 5 to 8 end in a space.
const wchar_t* const kHelpText =
    L"Чтобы добавить команду - введите\r\n"
    L"команду в строку - \"команда\" и нажмите\r\n"
    L"на кнопку с изображением - \"+\" (плюс)\r\n"
    L"Чтобы удалить команду - выделите\r\n"
    L"команду в списке команд и нажмите на \r\n"
    L"кнопку - \"-\" (минус). Чтобы использовать \r\n"
    L"команду - выделите команду и нажмите \r\n"
    L"на кнопку с изображением галочки. \r\n"
    L"Для отмены нажмите на крест.";

// Order matters: each parent comes before its children, and siblings stand in tab order so
// that the z-order of the created windows matches it too.
const std::array<ControlDef, kControlCount> kControls = {{
    {"sPanel1", Kind::Panel, kNoParent, {8, 264, 505, 41}, 0, nullptr, kNoIcon, kRaisedBevel},
    {"sLabel1", Kind::Label, kPanel1, {8, 14, 48, 13}, kNoTab, L"Команда:", kNoIcon, kNone},
    {"sBitBtn3", Kind::BitButton, kPanel1, {408, 8, 91, 25}, 0, L"Выход", 3, kNone},
    {"sEdit1", Kind::Edit, kPanel1, {59, 10, 254, 21}, 1, L"", kNoIcon, kNone},
    {"sBitBtn4", Kind::BitButton, kPanel1, {320, 8, 33, 25}, 2, L"", 1, kNone},
    {"sBitBtn5", Kind::BitButton, kPanel1, {360, 8, 33, 25}, 3, L"", 2, kNone},
    {"sPanel2", Kind::Panel, kNoParent, {8, 8, 289, 249}, 1, nullptr, kNoIcon, kRaisedBevel},
    {"sListBox1", Kind::ListBox, kPanel2, {8, 8, 273, 209}, 0, nullptr, kNoIcon, kNone},
    {"sBitBtn1", Kind::BitButton, kPanel2, {8, 221, 137, 21}, 1, L"", 0, kNone},
    {"sBitBtn2", Kind::BitButton, kPanel2, {144, 221, 137, 21}, 2, L"", 4, kNone},
    {"sPanel3", Kind::Panel, kNoParent, {299, 8, 214, 249}, 2, nullptr, kNoIcon, kNone},
    {"Image1", Kind::Image, kPanel3, {55, 0, 100, 100}, kNoTab, nullptr, kNoIcon, kNone},
    {"sLabel2", Kind::Label, kPanel3, {1, 112, 213, 117}, kNoTab, kHelpText, kNoIcon, kCentered},
    {"sLabel3", Kind::Label, kPanel3, {56, 232, 93, 13}, kNoTab, L"Автор: Orvelle", kNoIcon, kBold},
}};

namespace {
bool IsTabStop(const ControlDef& def) {
  return def.tabOrder != kNoTab && def.kind != Kind::Panel && def.kind != Kind::Label &&
         def.kind != Kind::Image;
}

void CollectTabStops(int parent, std::vector<int>& out) {
  std::vector<int> children;
  for (int i = 0; i < kControlCount; ++i)
    if (kControls[i].parent == parent && kControls[i].tabOrder != kNoTab) children.push_back(i);
  std::stable_sort(children.begin(), children.end(),
                   [](int a, int b) { return kControls[a].tabOrder < kControls[b].tabOrder; });
  for (int i : children) {
    if (kControls[i].kind == Kind::Panel)
      CollectTabStops(i, out);
    else if (IsTabStop(kControls[i]))
      out.push_back(i);
  }
}
}  // namespace

std::vector<int> TabStops() {
  std::vector<int> order;
  CollectTabStops(kNoParent, order);
  return order;
}

Point CenterOnVirtualScreen(Bounds virtualScreen, Size window) {
  // Floor division: a window wider than the screen must not round towards the far edge.
  auto half = [](int space) { return space >= 0 ? space / 2 : -((-space + 1) / 2); };
  return {virtualScreen.left + std::max(0, half(virtualScreen.width - window.cx)),
          virtualScreen.top + std::max(0, half(virtualScreen.height - window.cy))};
}

ButtonFace LayOutButtonFace(Size button, Size caption, bool pressed, int iconSize) {
  const int gap = kIconCaptionGap * iconSize / kIconSize;
  const int groupWidth = iconSize + (caption.cx > 0 ? gap + caption.cx : 0);
  const int left = (button.cx - groupWidth + 1) / 2;
  const int shift = pressed ? 1 : 0;
  ButtonFace face;
  face.icon = {left + shift, (button.cy - iconSize + 1) / 2 + shift};
  face.caption = {left + iconSize + gap + shift, (button.cy + 1 - caption.cy) / 2 + shift};
  return face;
}

int ScaleForDpi(int pixels, int dpi) {
  // Rounded to the nearest pixel, halves away from zero, as MulDiv does.
  const long long scaled = static_cast<long long>(pixels) * dpi;
  const long long half = kBaseDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kBaseDpi : -((-scaled + half) / kBaseDpi));
}

Bounds ScaleForDpi(Bounds bounds, int dpi) {
  // Scale the edges, not the sizes, so that neighbours that touch at 96 DPI still touch.
  const int left = ScaleForDpi(bounds.left, dpi);
  const int top = ScaleForDpi(bounds.top, dpi);
  return {left, top, ScaleForDpi(bounds.left + bounds.width, dpi) - left,
          ScaleForDpi(bounds.top + bounds.height, dpi) - top};
}

int ImageScaleIndex(int dpi) {
  if (dpi >= 192) return 3;
  if (dpi >= 144) return 2;
  if (dpi >= 120) return 1;
  return 0;
}

}  // namespace orvelle::ui
