// 32-bit images with alpha: PNG resources decoded once (PngDecode.h) into premultiplied DIBs, and
// drawn blended over whatever is below them.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/Handles.h"

namespace orvelle::platform {

struct AlphaBitmap {
  UniqueHbitmap bitmap;  // top-down, premultiplied BGRA
  int width = 0;
  int height = 0;
  // A memory DC with the bitmap selected, made at the first draw and kept: the button faces
  // are drawn a hundred times a second while they fade, and a DC per draw showed in that.
  // Declared after the bitmap, so it goes first.
  mutable UniqueHdc source;

  AlphaBitmap() = default;
  AlphaBitmap(AlphaBitmap&&) noexcept = default;
  // The old DC lets go of the old bitmap before that is deleted.
  AlphaBitmap& operator=(AlphaBitmap&& other) noexcept {
    source.Reset();
    bitmap = std::move(other.bitmap);
    width = other.width;
    height = other.height;
    source = std::move(other.source);
    return *this;
  }

  HDC Source() const;
};

// A top-down 32-bit DIB section and its pixels.
UniqueHbitmap CreateDib32(int width, int height, void** pixels);

// Copies premultiplied BGRA rows into a bitmap AlphaBlend can use.
AlphaBitmap AlphaBitmapFromRows(const void* rows, int stride, int width, int height);

// Decodes the PNG stored as an RCDATA resource; an empty bitmap if it cannot.
AlphaBitmap LoadPngResource(int resourceId);

// Blends the image at its natural size with its top-left corner at (x, y).
void DrawAlphaBitmap(HDC hdc, const AlphaBitmap& image, int x, int y);

}  // namespace orvelle::platform
