// sSkinManager1: chooses the skin at start and draws the controls with it.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <unordered_map>

#include "platform/Png.h"
#include "platform/Skin.h"
#include "ui/skin/ButtonFade.h"

namespace orvelle::ui::skin {

class SkinManager final : public platform::ControlSkin {
public:
  // The skin of this name is the built-in one; the skin directory is not consulted (a
  // packed or unpacked skin found there could not be read by this program anyway).
  SkinManager();

  // Sizes of the skin's shapes (corner radii, cut corners) follow the display scale.
  void SetDpi(int dpi) { dpi_ = dpi; }

  const std::wstring& SkinName() const { return skinName_; }
  const std::wstring& SkinDirectory() const { return skinDirectory_; }
  // Null when no skin could be found: the controls then draw in the system's own style.
  platform::ControlSkin* Active() { return active_ ? this : nullptr; }

  COLORREF BackgroundColor() const override;
  COLORREF FontColor() const override;
  void PaintPanel(HDC hdc, const RECT& rc, platform::PanelLook look) override;
  bool PaintButton(HDC hdc, const RECT& rc, HWND button, platform::ButtonLook look, std::uint32_t nowMs) override;
  UINT ButtonFrameMs() const override { return ButtonFade::kIntervalMs; }
  void ForgetButton(HWND button) override { fades_.erase(button); }
  COLORREF PaintListRow(HDC hdc, const RECT& rc, bool selected, bool listFocused) override;
  void PaintFieldFrame(HWND field) override;

  // The face a button shows at nowMs (for tests of the fade).
  FadeFrame ButtonFrame(HWND button, std::uint32_t nowMs) const;

private:
  const std::array<platform::AlphaBitmap, 3>& FacesFor(int width, int height);
  void PaintScrollBar(HWND list, HDC windowDc, const RECT& windowRect);

  std::wstring skinName_;
  std::wstring skinDirectory_;
  bool active_ = false;
  int dpi_ = 96;
  std::unordered_map<HWND, ButtonFade> fades_;
  std::map<std::pair<int, int>, std::array<platform::AlphaBitmap, 3>> faces_;
};

}  // namespace orvelle::ui::skin
