// libFuzzer target for the image decoder. Build and run from the repo root:
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//       platform/PngDecode.cpp tests/fuzz/PngDecodeFuzz.cpp -o build/fuzz/PngDecodeFuzz
//   build/fuzz/PngDecodeFuzz -max_total_time=3600 -max_len=8192 build/fuzz/PngDecodeFuzz-corpus resources
//
// The images are our own resources, but the decoder is the one piece of the program that
// parses a compressed format: it must stay inside its buffers on any bytes. Seeding the
// corpus with resources/*.png lets the fuzzer start from real images.

#include "platform/PngDecode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvelle::platform::DecodedImage image;
  if (orvelle::platform::DecodePng(data, size, image)) {
    // A decoded image has the size it says, premultiplied.
    if (image.width <= 0 || image.height <= 0 ||
        image.bgra.size() != static_cast<std::size_t>(image.width) * image.height * 4)
      std::abort();
    for (std::size_t i = 0; i < image.bgra.size(); i += 4)
      if (image.bgra[i] > image.bgra[i + 3] || image.bgra[i + 1] > image.bgra[i + 3] ||
          image.bgra[i + 2] > image.bgra[i + 3])
        std::abort();
  } else if (!image.bgra.empty()) {
    std::abort();  // a refused image leaves nothing behind
  }
  // The raw inflater on its own, with a small limit.
  std::vector<std::uint8_t> out;
  std::size_t used = 0;
  if (orvelle::platform::Inflate(data, size, 4096, out, used) && (out.size() > 4096 || used > size)) std::abort();
  return 0;
}
