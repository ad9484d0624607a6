// JPEG pictures of one colour, made with TurboJPEG, for the tests' and the benchmarks' simulator
// folders.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace rakewright::testing {

// The bytes of a `width` x `height` JPEG file filled with `colour` (red, green, blue), with no
// chroma subsampling and quality 95, so that a decoded pixel is within a few steps of `colour`.
std::string jpegBytes(int width, int height, std::array<std::uint8_t, 3> colour);

}  // namespace rakewright::testing
