#include "support/jpeg.h"

#include <turbojpeg.h>

#include <stdexcept>
#include <vector>

namespace rakewright::testing {

std::string jpegBytes(int width, int height, std::array<std::uint8_t, 3> colour) {
  std::vector<unsigned char> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (int i = 0; i < width * height; ++i) {
    pixels.insert(pixels.end(), colour.begin(), colour.end());
  }
  tjhandle handle = tjInitCompress();
  if (handle == nullptr) {
    throw std::runtime_error("TurboJPEG cannot start");
  }
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  const int result = tjCompress2(handle, pixels.data(), width, width * 3, height, TJPF_RGB, &jpeg,
                                 &size, TJSAMP_444, 95, 0);
  std::string bytes;
  if (result == 0) {
    bytes.assign(reinterpret_cast<const char*>(jpeg), size);
  }
  tjFree(jpeg);
  tjDestroy(handle);
  if (result != 0) {
    throw std::runtime_error("cannot make a JPEG");
  }
  return bytes;
}

}  // namespace rakewright::testing
