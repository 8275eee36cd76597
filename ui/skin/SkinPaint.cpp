#include "ui/skin/SkinPaint.h"

#include "ui/skin/Raster.h"

namespace orvelle::ui::skin {

void FillSolid(HDC hdc, const RECT& rc, Rgb color) {
  // SetBkColor + ExtTextOut fills without creating a brush: cheap for thin lines.
  const COLORREF old = ::SetBkColor(hdc, Ref(color));
  ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  ::SetBkColor(hdc, old);
}

namespace {
void FillGradient(HDC hdc, const RECT& rc, Gradient g, ULONG mode) {
  if (rc.right <= rc.left || rc.bottom <= rc.top) return;
  TRIVERTEX v[2] = {
      {rc.left, rc.top, static_cast<COLOR16>(g.from.r << 8), static_cast<COLOR16>(g.from.g << 8),
       static_cast<COLOR16>(g.from.b << 8), 0xFF00},
      {rc.right, rc.bottom, static_cast<COLOR16>(g.to.r << 8), static_cast<COLOR16>(g.to.g << 8),
       static_cast<COLOR16>(g.to.b << 8), 0xFF00}};
  GRADIENT_RECT gr{0, 1};
  ::GradientFill(hdc, v, 2, &gr, 1, mode);
}
}  // namespace

void FillVertical(HDC hdc, const RECT& rc, Gradient g) { FillGradient(hdc, rc, g, GRADIENT_FILL_RECT_V); }
void FillHorizontal(HDC hdc, const RECT& rc, Gradient g) { FillGradient(hdc, rc, g, GRADIENT_FILL_RECT_H); }

void SetPixelRgb(HDC hdc, int x, int y, Rgb color) { ::SetPixelV(hdc, x, y, Ref(color)); }

void BlendImage(HDC hdc, const platform::AlphaBitmap& image, int x, int y, int opacity) {
  HDC source = opacity > 0 ? image.Source() : nullptr;
  if (!source) return;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(opacity > 255 ? 255 : opacity), AC_SRC_ALPHA};
  ::AlphaBlend(hdc, x, y, image.width, image.height, source, 0, 0, image.width, image.height, blend);
}

platform::AlphaBitmap ToAlphaBitmap(const Canvas& canvas) {
  if (canvas.Width() <= 0 || canvas.Height() <= 0) return {};
  return platform::AlphaBitmapFromRows(canvas.Pixels().data(), canvas.Width() * 4, canvas.Width(), canvas.Height());
}

platform::AlphaBitmap RenderButtonFace(int width, int height, int radius, ButtonFaceStyle style) {
  if (width <= 0 || height <= 0) return {};
  Canvas canvas(width, height);
  const float w = static_cast<float>(width), r = static_cast<float>(radius);
  // The outline runs through the middle of the outermost pixels.
  const Box shape{0.5f, 0.5f, w - 0.5f, static_cast<float>(height) - 0.5f};
  canvas.FillRoundedRect(shape, r, {style.fill, style.fill});
  if (style.innerShadow) {
    // A dark shadow just inside the top edge, fading down over a few pixels.
    for (int i = 0; i < 3; ++i) {
      const float row = 1.0f + static_cast<float>(i);
      canvas.FillBandInside({1.0f, row, w - 1.0f, row + 1.0f}, shape, r, style.outline, 150 - i * 50);
    }
  } else {
    // A faint highlight along the top gives the face a little relief.
    canvas.FillBandInside({2.0f, 1.0f, w - 2.0f, 2.0f}, shape, r, Rgb{0xFF, 0xFF, 0xFF}, 70);
  }
  canvas.StrokeRoundedRect(shape, r, 1.0f, style.outline);
  return ToAlphaBitmap(canvas);
}

platform::AlphaBitmap RenderRoundedGradient(int width, int height, int radius, Gradient fill) {
  if (width <= 0 || height <= 0) return {};
  Canvas canvas(width, height);
  canvas.FillRoundedRect({0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height)},
                         static_cast<float>(radius), fill);
  return ToAlphaBitmap(canvas);
}

void StrokeRoundedRect(HDC hdc, const RECT& rc, int radius, Rgb color) {
  // GDI's own rounded rectangle: the same shape as CreateRoundRectRgn gives the window, so
  // the outline follows the cut edge pixel for pixel.
  platform::UniqueHpen pen(::CreatePen(PS_SOLID, 1, Ref(color)));
  platform::SelectObjectScope selectPen(hdc, pen.Get());
  platform::SelectObjectScope selectBrush(hdc, ::GetStockObject(NULL_BRUSH));
  ::RoundRect(hdc, rc.left, rc.top, rc.right, rc.bottom, 2 * radius, 2 * radius);
}

}  // namespace orvelle::ui::skin
