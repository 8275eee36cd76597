// The program's built-in skin, "Calcium (internal)": a light, almost monochrome grey look.
// Its colours, shapes and timings as data; the painting is in SkinPainter.cpp.
// Portable: no <windows.h>.
#pragma once

#include <cstdint>

namespace orvelle::ui::skin {

inline constexpr const wchar_t* kSkinName = L"Calcium (internal)";
inline constexpr const wchar_t* kSkinVersion = L"7.1";

// Sections of the skin and what each draws.
enum class Section { Form, Panel, CheckBox, Edit, Button, Selection };
const wchar_t* SectionName(Section section);

struct Rgb {
  std::uint8_t r, g, b;
  constexpr std::uint32_t Value() const { return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b; }
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};
struct Gradient {
  Rgb from, to;  // top to bottom, or left to right
};

// "FORM": window and title bar.
inline constexpr Rgb kWindowBackground{0xE8, 0xE8, 0xE8};
inline constexpr Rgb kOutlineSide{0x41, 0x41, 0x41};
inline constexpr Rgb kOutlineTop{0x5B, 0x5B, 0x5B};
inline constexpr Rgb kOutlineBottom{0x36, 0x36, 0x36};
inline constexpr int kShadeWidth = 5;  // soft shading inside the outline, sides and bottom
inline constexpr int kWindowCornerRadius = 8;
inline constexpr Gradient kTitleActive{{0xFF, 0xFF, 0xFF}, {0xF2, 0xF2, 0xF2}};
inline constexpr Gradient kTitleInactive{{0xF5, 0xF5, 0xF5}, {0xE8, 0xE8, 0xE8}};
inline constexpr Rgb kCaptionActive{0x00, 0x00, 0x00};
inline constexpr Rgb kCaptionInactive{0x80, 0x80, 0x80};
inline constexpr Rgb kTitleGlyph{0x5A, 0x5A, 0x5A};
inline constexpr Rgb kTitleGlyphInactive{0x9A, 0x9A, 0x9A};
inline constexpr Gradient kTitleButtonHot{{0xB4, 0xB4, 0xB4}, {0x96, 0x96, 0x96}};
inline constexpr Gradient kTitleButtonPressed{{0x8C, 0x8C, 0x8C}, {0x74, 0x74, 0x74}};
inline constexpr Gradient kCloseHot{{0xF0, 0x6A, 0x5A}, {0xC8, 0x2A, 0x1E}};
inline constexpr Gradient kClosePressed{{0xC0, 0x3A, 0x2E}, {0x96, 0x1C, 0x12}};

// "PANEL": raised boxes with cut corners.
inline constexpr Rgb kPanelFill{0xE7, 0xE7, 0xE7};
inline constexpr Gradient kPanelTopEdge{{0xF1, 0xF1, 0xF1}, {0xFF, 0xFF, 0xFF}};
inline constexpr Gradient kPanelBottomEdge{{0xC9, 0xC9, 0xC9}, {0xD9, 0xD9, 0xD9}};
inline constexpr Gradient kPanelSideEdge{{0xD0, 0xD0, 0xD0}, {0xE5, 0xE5, 0xE5}};
inline constexpr int kPanelCornerCut = 3;

// "EDIT": white fields with a thin frame.
inline constexpr Rgb kFieldFill{0xFF, 0xFF, 0xFF};
inline constexpr Rgb kFieldText{0x00, 0x00, 0x00};
inline constexpr Rgb kFieldFrameTop{0xB1, 0xB1, 0xB1};
inline constexpr Rgb kFieldFrameSides{0xDC, 0xDC, 0xDC};
inline constexpr Rgb kFieldFrameInner{0xF0, 0xF0, 0xF0};

// "SELECTION": the selected list row.
inline constexpr Rgb kSelectionUnfocused{0xCE, 0xCE, 0xCE};
inline constexpr Gradient kSelectionFocused{{0xF1, 0xF1, 0xF1}, {0xD4, 0xD4, 0xD4}};
inline constexpr Rgb kSelectionFrame{0x91, 0x93, 0x93};
inline constexpr Rgb kSelectionText{0x00, 0x00, 0x00};

// The list's scroll bar.
inline constexpr Gradient kScrollTrack{{0xFF, 0xFF, 0xFF}, {0xE8, 0xE8, 0xE8}};  // left to right
inline constexpr Rgb kScrollThumb{0xD2, 0xD2, 0xD2};
inline constexpr Rgb kScrollThumbEdge{0xA8, 0xA8, 0xA8};
inline constexpr Rgb kScrollArrow{0x60, 0x60, 0x60};

// "BUTTON": grey rounded push buttons.
inline constexpr int kButtonCornerRadius = 5;
inline constexpr Rgb kButtonNormal{0xBE, 0xBE, 0xBE};
inline constexpr Rgb kButtonNormalOutline{0x96, 0x96, 0x96};
inline constexpr Rgb kButtonHot{0x9A, 0x9A, 0x9A};
inline constexpr Rgb kButtonHotOutline{0x7D, 0x7D, 0x7D};
inline constexpr Rgb kButtonPressed{0x9A, 0x9A, 0x9A};
inline constexpr Rgb kButtonPressedOutline{0x6E, 0x6E, 0x6E};
inline constexpr Rgb kButtonPressedShadow{0x5E, 0x5E, 0x5E};
inline constexpr Rgb kButtonCaption{0x00, 0x00, 0x00};

// Labels: transparent, in the skin's font colour.
inline constexpr Rgb kFontColor{0x21, 0x21, 0x21};

}  // namespace orvelle::ui::skin
