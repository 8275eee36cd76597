#include "platform/Png.h"

#include <cstring>

#include "platform/PngDecode.h"

namespace orvelle::platform {

UniqueHbitmap CreateDib32(int width, int height, void** pixels) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  *pixels = nullptr;
  return UniqueHbitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, pixels, nullptr, 0));
}

AlphaBitmap AlphaBitmapFromRows(const void* rows, int stride, int width, int height) {
  AlphaBitmap result;
  void* pixels = nullptr;
  UniqueHbitmap dib = CreateDib32(width, height, &pixels);
  if (!dib || !pixels) return result;
  for (int row = 0; row < height; ++row)
    std::memcpy(static_cast<BYTE*>(pixels) + static_cast<std::size_t>(row) * width * 4,
                static_cast<const BYTE*>(rows) + static_cast<std::ptrdiff_t>(row) * stride,
                static_cast<std::size_t>(width) * 4);
  result.bitmap = std::move(dib);
  result.width = width;
  result.height = height;
  return result;
}

AlphaBitmap LoadPngResource(int resourceId) {
  AlphaBitmap result;
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10) /*RT_RCDATA*/);
  if (!info) return result;
  HGLOBAL loaded = ::LoadResource(module, info);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  const DWORD size = ::SizeofResource(module, info);
  if (!data || size == 0) return result;

  DecodedImage image;
  if (!DecodePng(static_cast<const std::uint8_t*>(data), size, image)) return result;
  return AlphaBitmapFromRows(image.bgra.data(), image.width * 4, image.width, image.height);
}

HDC AlphaBitmap::Source() const {
  if (!source && bitmap) {
    source.Reset(::CreateCompatibleDC(nullptr));
    if (source) ::SelectObject(source.Get(), bitmap.Get());
  }
  return source.Get();
}

void DrawAlphaBitmap(HDC hdc, const AlphaBitmap& image, int x, int y) {
  HDC source = image.Source();
  if (!source) return;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(hdc, x, y, image.width, image.height, source, 0, 0, image.width, image.height, blend);
}

}  // namespace orvelle::platform
