#include "app/picture_loader.h"

#include <turbojpeg.h>

#include <QByteArray>
#include <QtEndian>

#include <memory>
#include <string>

#include "platform/cp1251.h"
#include "platform/file_error.h"
#include "platform/text_file.h"

namespace rakewright {

namespace {

// Larger pictures are refused rather than risking an allocation of gigabytes for a damaged or
// hostile header; the largest picture the program shows is a few hundred pixels wide.
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

[[noreturn]] void fail(std::string_view path, std::string_view reason) {
  std::string message = "Cannot open file \"";
  message.append(path).append("\". ").append(reason);
  throw PictureError(message);
}

struct TurboJpegDeleter {
  void operator()(void* handle) const { tjDestroy(handle); }
};
using TurboJpegHandle = std::unique_ptr<void, TurboJpegDeleter>;

// The extension of the last path component, lower-cased ("" when there is none).
std::string extensionOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  const std::string_view leaf = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = leaf.rfind('.');
  if (dot == std::string_view::npos) {
    return {};
  }
  return asciiLowerCase(leaf.substr(dot));
}

}  // namespace

QImage decodeJpeg(std::string_view bytes, std::string_view path) {
  TurboJpegHandle handle(tjInitDecompress());
  if (!handle) {
    fail(path, tjGetErrorStr2(nullptr));
  }
  // The API takes a non-const pointer, but does not write through it.
  auto* source = reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data()));
  const auto size = static_cast<unsigned long>(bytes.size());
  int width = 0;
  int height = 0;
  int subsampling = 0;
  int colorspace = 0;
  if (tjDecompressHeader3(handle.get(), source, size, &width, &height, &subsampling, &colorspace) !=
      0) {
    fail(path, tjGetErrorStr2(handle.get()));
  }
  if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels) {
    fail(path, "Picture too large");
  }
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) {
    fail(path, "Out of memory");
  }
  // Format_RGB32 keeps each pixel as the 32-bit value 0xffRRGGBB in native byte order.
  constexpr int kPixelFormat =
      Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? static_cast<int>(TJPF_BGRX) : static_cast<int>(TJPF_XRGB);
  if (tjDecompress2(handle.get(), source, size, image.bits(), width,
                    static_cast<int>(image.bytesPerLine()), height, kPixelFormat, 0) != 0) {
    // A warning (a truncated or slightly damaged file) still leaves a usable picture, as the
    // viewers of such files show it; only a fatal error refuses it.
    if (tjGetErrorCode(handle.get()) != TJERR_WARNING) {
      fail(path, tjGetErrorStr2(handle.get()));
    }
  }
  return image;
}

QImage decodeBmp(std::string_view bytes, std::string_view path) {
  const QByteArray data =
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  // The reader decodes into a picture of its own, so the bytes need not outlive the call.
  QImage image = QImage::fromData(data, "BMP");
  if (image.isNull()) {
    fail(path, "Invalid bitmap");
  }
  return image;
}

QImage loadPicture(std::string_view anchor, std::string_view path) {
  const std::string extension = extensionOf(path);
  if (extension != ".jpg" && extension != ".bmp") {
    fail(path, "Unknown picture file extension (" + extension + ")");
  }
  std::string bytes;
  try {
    bytes = readWholeFile(anchor, path);
  } catch (const FileError& error) {
    fail(path,
         error.systemError() != 0 ? systemReason(error.systemError()) : std::string(error.what()));
  }
  return extension == ".jpg" ? decodeJpeg(bytes, path) : decodeBmp(bytes, path);
}

}  // namespace rakewright
