// The program's images are PNG resources made by resources/make_images.py. They are decoded
// here, by our own small decoder, instead of through GDI+ or WIC: loading the system's image
// codecs cost more start-up time than everything else the window does. Portable code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvelle::platform {

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;  // top-down rows, premultiplied blue, green, red, alpha
};

// Inflates a raw DEFLATE stream into `out` (appending). Fails on malformed data and when the
// output would grow past `limit` bytes. `consumed` receives the number of input bytes used,
// counting the last partly used byte.
bool Inflate(const std::uint8_t* data, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out,
             std::size_t& consumed);

// Inflates a zlib stream (header, DEFLATE data, Adler-32 of the output, which is checked).
bool ZlibDecompress(const std::uint8_t* data, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out);

// Decodes a PNG of 8-bit RGBA or RGB samples, not interlaced, the kinds the image generator
// writes. Anything else, damaged or truncated data included, gives false and no image.
bool DecodePng(const std::uint8_t* data, std::size_t size, DecodedImage& image);

}  // namespace orvelle::platform
