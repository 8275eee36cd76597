#include "ui/skin/SkinManager.h"

#include <algorithm>

#include "ui/FormLayout.h"
#include "ui/skin/CalciumSkin.h"
#include "ui/skin/SkinPaint.h"

namespace orvelle::ui::skin {

namespace {
Face ToFace(platform::ButtonLook look) {
  switch (look) {
    case platform::ButtonLook::Hot: return Face::Hot;
    case platform::ButtonLook::Pressed: return Face::Pressed;
    default: return Face::Normal;
  }
}

void Line(HDC hdc, int left, int top, int right, int bottom, Rgb color) {
  FillSolid(hdc, RECT{left, top, right, bottom}, color);
}
}  // namespace

extern const bool kBuiltInSkin;  // BuiltInSkin.cpp

SkinManager::SkinManager() : skinName_(kSkinName), skinDirectory_(L"c:\\Skins"), active_(kBuiltInSkin) {}

COLORREF SkinManager::BackgroundColor() const { return Ref(kWindowBackground); }
COLORREF SkinManager::FontColor() const { return Ref(kFontColor); }

void SkinManager::PaintPanel(HDC hdc, const RECT& rc, platform::PanelLook look) {
  if (look == platform::PanelLook::Transparent) return;
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  const int c = ScaleForDpi(kPanelCornerCut, dpi_);
  if (w <= 2 * c || h <= 2 * c) {
    FillSolid(hdc, rc, kPanelFill);
    return;
  }
  const int x = rc.left;
  const int y = rc.top;
  // Body: the box minus its cut corners.
  FillSolid(hdc, RECT{x + c, y + 1, x + w - c, y + h - 1}, kPanelFill);
  FillSolid(hdc, RECT{x + 1, y + c, x + w - 1, y + h - c}, kPanelFill);
  for (int i = 1; i < c; ++i) {
    Line(hdc, x + c - i, y + i, x + w - c + i, y + i + 1, kPanelFill);
    Line(hdc, x + c - i, y + h - 1 - i, x + w - c + i, y + h - i, kPanelFill);
  }
  // Raised edge: light top, darker bottom, mid-grey sides.
  FillHorizontal(hdc, RECT{x + c, y, x + w - c, y + 1}, kPanelTopEdge);
  FillHorizontal(hdc, RECT{x + c, y + h - 1, x + w - c, y + h}, kPanelBottomEdge);
  FillVertical(hdc, RECT{x, y + c, x + 1, y + h - c}, kPanelSideEdge);
  FillVertical(hdc, RECT{x + w - 1, y + c, x + w, y + h - c}, kPanelSideEdge);
  // The diagonal cuts.
  for (int i = 1; i < c; ++i) {
    SetPixelRgb(hdc, x + c - i, y + i, kPanelTopEdge.from);
    SetPixelRgb(hdc, x + w - 1 - c + i, y + i, kPanelTopEdge.to);
    SetPixelRgb(hdc, x + c - i, y + h - 1 - i, kPanelBottomEdge.from);
    SetPixelRgb(hdc, x + w - 1 - c + i, y + h - 1 - i, kPanelBottomEdge.to);
  }
}

const std::array<platform::AlphaBitmap, 3>& SkinManager::FacesFor(int width, int height) {
  auto it = faces_.find({width, height});
  if (it != faces_.end()) return it->second;
  const int radius = ScaleForDpi(kButtonCornerRadius, dpi_);
  std::array<platform::AlphaBitmap, 3> faces = {
      RenderButtonFace(width, height, radius, {kButtonNormal, kButtonNormalOutline, false}),
      RenderButtonFace(width, height, radius, {kButtonHot, kButtonHotOutline, false}),
      RenderButtonFace(width, height, radius, {kButtonPressed, kButtonPressedShadow, true})};
  return faces_.emplace(std::make_pair(width, height), std::move(faces)).first->second;
}

FadeFrame SkinManager::ButtonFrame(HWND button, std::uint32_t nowMs) const {
  auto it = fades_.find(button);
  return it == fades_.end() ? FadeFrame{} : it->second.Frame(nowMs);
}

bool SkinManager::PaintButton(HDC hdc, const RECT& rc, HWND button, platform::ButtonLook look,
                               std::uint32_t nowMs) {
  auto [it, created] = fades_.try_emplace(button);
  ButtonFade& fade = it->second;
  if (created) {
    // A button's first face appears as it is, without fading in.
    fade.SetTarget(ToFace(look), nowMs - 1000);
  } else {
    fade.SetTarget(ToFace(look), nowMs);
  }
  const FadeFrame frame = fade.Frame(nowMs);
  const auto& faces = FacesFor(rc.right - rc.left, rc.bottom - rc.top);
  BlendImage(hdc, faces[static_cast<std::size_t>(frame.from)], rc.left, rc.top, 255);
  if (frame.to != frame.from) BlendImage(hdc, faces[static_cast<std::size_t>(frame.to)], rc.left, rc.top, frame.alpha);
  return !frame.done;
}

COLORREF SkinManager::PaintListRow(HDC hdc, const RECT& rc, bool selected, bool listFocused) {
  FillSolid(hdc, rc, kFieldFill);
  if (selected) {
    RECT box{rc.left + 1, rc.top, rc.right - 1, rc.bottom};
    if (listFocused) {
      FillVertical(hdc, box, kSelectionFocused);
      Line(hdc, box.left, box.top, box.right, box.top + 1, kSelectionFrame);
      Line(hdc, box.left, box.bottom - 1, box.right, box.bottom, kSelectionFrame);
      Line(hdc, box.left, box.top, box.left + 1, box.bottom, kSelectionFrame);
      Line(hdc, box.right - 1, box.top, box.right, box.bottom, kSelectionFrame);
    } else {
      FillSolid(hdc, box, kSelectionUnfocused);
    }
  }
  return Ref(selected ? kSelectionText : kFieldText);
}

void SkinManager::PaintFieldFrame(HWND field) {
  RECT window;
  ::GetWindowRect(field, &window);
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  HDC hdc = ::GetWindowDC(field);
  if (!hdc) return;
  // The two-pixel border keeps its size: a thin grey frame outside, white inside it.
  Line(hdc, 1, 0, w - 1, 1, kFieldFrameTop);
  Line(hdc, 0, 1, 1, h - 1, kFieldFrameSides);
  Line(hdc, w - 1, 1, w, h - 1, kFieldFrameSides);
  Line(hdc, 1, h - 1, w - 1, h, kFieldFrameSides);
  // One-pixel cut corners show the panel below.
  for (POINT p : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}}) SetPixelRgb(hdc, p.x, p.y, kPanelFill);
  Line(hdc, 1, 1, w - 1, 2, kFieldFill);
  Line(hdc, 1, h - 2, w - 1, h - 1, kFieldFill);
  Line(hdc, 1, 1, 2, h - 1, kFieldFill);
  Line(hdc, w - 2, 1, w - 1, h - 1, kFieldFill);
  if (::GetWindowLongW(field, GWL_STYLE) & WS_VSCROLL) PaintScrollBar(field, hdc, window);
  ::ReleaseDC(field, hdc);
}

void SkinManager::PaintScrollBar(HWND list, HDC hdc, const RECT& window) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetScrollBarInfo(list, OBJID_VSCROLL, &info)) return;
  if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) return;
  RECT bar = info.rcScrollBar;
  ::OffsetRect(&bar, -window.left, -window.top);
  if (bar.right <= bar.left || bar.bottom <= bar.top) return;
  FillHorizontal(hdc, bar, kScrollTrack);

  // The arrow buttons are square, as wide as the bar (Wine's dxyLineButton is not their size).
  const int arrow = bar.right - bar.left;
  const int cx = (bar.left + bar.right) / 2;
  // Small triangles in the arrow buttons.
  for (int row = 0; row < 4; ++row) {
    const int top = bar.top + (arrow - 4) / 2 + row;
    Line(hdc, cx - row, top, cx + row + 1, top + 1, kScrollArrow);
    const int bottom = bar.bottom - (arrow - 4) / 2 - 1 - row;
    Line(hdc, cx - row, bottom, cx + row + 1, bottom + 1, kScrollArrow);
  }
  // The thumb: a rounded light-grey bar.
  if (info.xyThumbBottom > info.xyThumbTop) {
    RECT thumb{bar.left + 2, bar.top + info.xyThumbTop + 1, bar.right - 2, bar.top + info.xyThumbBottom - 1};
    if (thumb.bottom - thumb.top > 4) {
      platform::AlphaBitmap image =
          RenderButtonFace(thumb.right - thumb.left, thumb.bottom - thumb.top, 3, {kScrollThumb, kScrollThumbEdge, false});
      BlendImage(hdc, image, thumb.left, thumb.top, 255);
    }
  }
}

}  // namespace orvelle::ui::skin
