#include "ui/skin/SkinPaint.h"

#include <objidl.h>
#include <gdiplus.h>


namespace orvelle::ui::skin {

namespace {
Gdiplus::Color Color(Rgb c, BYTE alpha = 255) { return Gdiplus::Color(alpha, c.r, c.g, c.b); }

void AddRoundedRect(Gdiplus::GraphicsPath& path, Gdiplus::RectF r, float radius) {
  const float d = radius * 2;
  path.AddArc(r.X, r.Y, d, d, 180, 90);
  path.AddArc(r.X + r.Width - d, r.Y, d, d, 270, 90);
  path.AddArc(r.X + r.Width - d, r.Y + r.Height - d, d, d, 0, 90);
  path.AddArc(r.X, r.Y + r.Height - d, d, d, 90, 90);
  path.CloseFigure();
}

// A GDI+ bitmap (premultiplied ARGB) as a DIB section that AlphaBlend can use.
platform::AlphaBitmap ToAlphaBitmap(Gdiplus::Bitmap& source, int width, int height) {
  platform::AlphaBitmap result;
  Gdiplus::Rect all(0, 0, width, height);
  Gdiplus::BitmapData bits{};
  if (source.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &bits) != Gdiplus::Ok) return result;
  result = platform::AlphaBitmapFromRows(bits.Scan0, bits.Stride, width, height);
  source.UnlockBits(&bits);
  return result;
}
}  // namespace

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
  if (!image.bitmap || opacity <= 0) return;
  platform::UniqueHdc memory(::CreateCompatibleDC(hdc));
  platform::SelectObjectScope select(memory.Get(), image.bitmap.Get());
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(opacity > 255 ? 255 : opacity), AC_SRC_ALPHA};
  ::AlphaBlend(hdc, x, y, image.width, image.height, memory.Get(), 0, 0, image.width, image.height, blend);
}

platform::AlphaBitmap RenderButtonFace(int width, int height, int radius, ButtonFaceStyle style) {
  if (width <= 0 || height <= 0) return {};
  Gdiplus::Bitmap canvas(width, height, PixelFormat32bppPARGB);
  {
    Gdiplus::Graphics g(&canvas);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::GraphicsPath shape;
    AddRoundedRect(shape, Gdiplus::RectF(0.5f, 0.5f, static_cast<float>(width) - 1.0f, static_cast<float>(height) - 1.0f),
                   static_cast<float>(radius));
    Gdiplus::SolidBrush fill(Color(style.fill));
    g.FillPath(&fill, &shape);
    if (style.innerShadow) {
      // A dark shadow just inside the top edge, fading down over a few pixels.
      g.SetClip(&shape);
      for (int i = 0; i < 3; ++i) {
        Gdiplus::Pen line(Color(style.outline, static_cast<BYTE>(150 - i * 50)), 1.0f);
        g.DrawLine(&line, 1.0f, 1.5f + static_cast<float>(i), static_cast<float>(width) - 1.0f,
                   1.5f + static_cast<float>(i));
      }
      g.ResetClip();
    } else {
      // A faint highlight along the top gives the face a little relief.
      g.SetClip(&shape);
      Gdiplus::Pen light(Gdiplus::Color(70, 255, 255, 255), 1.0f);
      g.DrawLine(&light, 2.0f, 1.5f, static_cast<float>(width) - 2.0f, 1.5f);
      g.ResetClip();
    }
    Gdiplus::Pen outline(Color(style.outline), 1.0f);
    g.DrawPath(&outline, &shape);
  }
  return ToAlphaBitmap(canvas, width, height);
}

platform::AlphaBitmap RenderRoundedGradient(int width, int height, int radius, Gradient fill) {
  if (width <= 0 || height <= 0) return {};
  Gdiplus::Bitmap canvas(width, height, PixelFormat32bppPARGB);
  {
    Gdiplus::Graphics g(&canvas);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::GraphicsPath shape;
    AddRoundedRect(shape, Gdiplus::RectF(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height)),
                   static_cast<float>(radius));
    Gdiplus::LinearGradientBrush brush(Gdiplus::PointF(0, 0), Gdiplus::PointF(0, static_cast<float>(height)),
                                       Color(fill.from), Color(fill.to));
    g.FillPath(&brush, &shape);
  }
  return ToAlphaBitmap(canvas, width, height);
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
