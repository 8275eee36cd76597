// The main window's stored layout (96-DPI pixels) and the geometry rules that place it.
// Portable: no <windows.h>; Unit1.cpp creates the controls from this table.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace orvelle::ui {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};
struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

enum class Kind { Panel, Label, BitButton, ListBox, Edit, Image };

enum ControlFlag : unsigned {
  kNone = 0,
  kRaisedBevel = 1u << 0,  // panel with a raised outer bevel
  kCentered = 1u << 1,     // label text centred line by line
  kBold = 1u << 2,         // label font bold
};

// Indices into kControls; also the controls' window IDs (offset by kFirstControlId).
enum ControlIndex : int {
  kPanel1, kLabel1, kBitBtn3, kEdit1, kBitBtn4, kBitBtn5,
  kPanel2, kListBox1, kBitBtn1, kBitBtn2,
  kPanel3, kImage1, kLabel2, kLabel3,
  kControlCount
};
inline constexpr int kFirstControlId = 100;
inline constexpr int kNoParent = -1;  // child of the window itself
inline constexpr int kNoTab = -1;     // not a tab stop
inline constexpr int kNoIcon = -1;

struct ControlDef {
  const char* name;
  Kind kind;
  int parent;  // ControlIndex of the parent panel, or kNoParent
  Bounds bounds;
  int tabOrder;  // within the parent; panels order their children
  const wchar_t* text;
  int icon;  // index into the button icon list
  unsigned flags;
};

inline constexpr const wchar_t* kCaption = L"Commands Helper";
inline constexpr Size kClientSize{521, 313};
inline constexpr int kFontHeight = -11;  // "MS Sans Serif" 8 pt at 96 DPI
inline constexpr const wchar_t* kFontName = L"MS Sans Serif";
inline constexpr std::uint32_t kLabelColor = 0x212121;  // RGB
inline constexpr int kListRowHeight = 16;
inline constexpr int kIconSize = 16;
inline constexpr int kIconCaptionGap = 4;

extern const wchar_t* const kHelpText;
extern const std::array<ControlDef, kControlCount> kControls;

// The controls that take the focus by Tab, in the order Tab visits them (panels in their
// tab order, each panel's children in theirs).
std::vector<int> TabStops();

// Where the window's outer rectangle goes when first shown: centred on the virtual screen
// (all monitors), rounded down, never left of or above the virtual screen's origin.
Point CenterOnVirtualScreen(Bounds virtualScreen, Size window);

// Placement of a bitmap button's icon and caption: one group, the icon left of the caption
// with a 4-pixel gap (none without a caption), centred; one pixel right and down while pressed.
struct ButtonFace {
  Point icon;
  Point caption;
};
// At a larger display scale the icon is larger (iconSize) and the gap scales with it.
ButtonFace LayOutButtonFace(Size button, Size caption, bool pressed, int iconSize = kIconSize);

// Display scaling: the layout is stored for 96 pixels per inch.
inline constexpr int kBaseDpi = 96;
int ScaleForDpi(int pixels, int dpi);
Bounds ScaleForDpi(Bounds bounds, int dpi);
// Which of the prepared image sets suits a DPI: 0 for 100 %, 1 for 125 %, 2 for 150 %,
// 3 for 200 % (the largest not above the display's scale, never below 100 %).
int ImageScaleIndex(int dpi);

}  // namespace orvelle::ui
