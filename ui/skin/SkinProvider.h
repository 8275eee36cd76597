// sSkinProvider1: draws the main window's frame and title bar with the skin ("FORM"), keeps
// the system's caption height and frame widths, cuts the window to rounded corners, offers
// only the minimise and close buttons, and animates minimising and restoring.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/Handles.h"
#include "platform/Skin.h"
#include "ui/skin/WindowAnimation.h"

namespace orvelle::ui::skin {

class SkinProvider final : public platform::FrameSkin {
public:
  SkinProvider() = default;
  ~SkinProvider() override = default;
  SkinProvider(const SkinProvider&) = delete;
  SkinProvider& operator=(const SkinProvider&) = delete;

  // Takes over the frame of a created window.
  void Attach(HWND form);
  void SetDpi(int dpi) { dpi_ = dpi; }

  bool HandleFrameMessage(HWND form, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void AnimateMinimize(HWND form) override;
  void AnimateRestore(HWND form) override;

  // What the last animation showed, frame by frame, with the time each appeared (ms after
  // its start); for tests.
  struct ShownFrame {
    AnimationFrame frame;
    std::uint32_t shownAtMs;
  };
  const std::vector<ShownFrame>& LastAnimation() const { return lastAnimation_; }

  enum class TitleButton { None, Minimize, Close };
  struct Geometry {
    RECT window;      // in window coordinates (0, 0 at the top-left corner)
    int frame;        // side and bottom frame width
    int captionTop;   // where the caption strip starts
    int captionBottom;  // where the client area starts
    RECT icon;
    RECT minimize;
    RECT close;
  };
  static Geometry Measure(HWND form);

private:
  void PaintFrame(HWND form);
  void UpdateShape(HWND form);
  TitleButton HitButton(HWND form, POINT screen) const;
  void Play(HWND form, const std::vector<AnimationFrame>& frames, bool restoring);
  static RECT TaskBarButtonRect(HWND form);

  int dpi_ = 96;
  bool active_ = true;
  TitleButton hot_ = TitleButton::None;
  TitleButton pressed_ = TitleButton::None;
  bool pressedInside_ = false;
  SIZE shapedFor_{0, 0};
  platform::UniqueHfont captionFont_;
  std::vector<ShownFrame> lastAnimation_;
  platform::UniqueHbitmap lastImage_;
  SIZE lastImageSize_{0, 0};
};

}  // namespace orvelle::ui::skin
