#include "app/pictures/picture_loader.h"

#include <turbojpeg.h>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QtEndian>

#include <memory>
#include <string>

#include "platform/cp1251.h"
#include "platform/file_error.h"
#include "platform/text_file.h"

namespace rakewright {

namespace {

// Larger pictures are refused rather than risking an allocation of gigabytes for a damaged or
// hostile header; the largest picture the program shows is a few hundred pixels wide. A picture
// decoded for a box may claim more, as it is scaled while it is decoded, but what is decoded is
// held to the smaller bound.
constexpr long long kMaxPixels = 64LL * 1024 * 1024;
constexpr long long kMaxBoxDecodedPixels = 16LL * 1024 * 1024;

bool fitsPixels(long long width, long long height, long long bound) {
  return width > 0 && height > 0 && width * height <= bound;
}

// A picture larger than the box in either direction is scaled down to it; the box stretches what
// it shows anyway.
QImage fittedTo(QImage image, QSize box) {
  if (!box.isValid() || box.isEmpty() ||
      (image.width() <= box.width() && image.height() <= box.height())) {
    return image;
  }
  return image.scaled(box.boundedTo(image.size()).expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio,
                      Qt::SmoothTransformation);
}

// The smallest scaling that TurboJPEG decodes with that still covers the box, or 1/1.
tjscalingfactor scalingFor(int width, int height, QSize box) {
  tjscalingfactor best{1, 1};
  if (!box.isValid() || box.isEmpty()) {
    return best;
  }
  int count = 0;
  const tjscalingfactor* factors = tjGetScalingFactors(&count);
  for (int i = 0; factors != nullptr && i < count; ++i) {
    const tjscalingfactor f = factors[i];
    const bool covers = TJSCALED(width, f) >= box.width() && TJSCALED(height, f) >= box.height();
    const bool smaller = f.num * best.denom < best.num * f.denom;
    if (covers && smaller) {
      best = f;
    }
  }
  return best;
}

[[noreturn]] void fail(std::string_view path, std::string_view reason) {
  throw PictureError(cannotMessage("open", path, reason));
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

QImage decodeJpeg(std::string_view bytes, std::string_view path, QSize box) {
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
  const tjscalingfactor scaling = scalingFor(width, height, box);
  const bool forBox = box.isValid() && !box.isEmpty();
  const int decodedWidth = TJSCALED(width, scaling);
  const int decodedHeight = TJSCALED(height, scaling);
  if (forBox ? !fitsPixels(decodedWidth, decodedHeight, kMaxBoxDecodedPixels)
             : !fitsPixels(width, height, kMaxPixels)) {
    fail(path, "Picture too large");
  }
  QImage image(decodedWidth, decodedHeight, QImage::Format_RGB32);
  if (image.isNull()) {
    fail(path, "Out of memory");
  }
  // Format_RGB32 keeps each pixel as the 32-bit value 0xffRRGGBB in native byte order.
  constexpr int kPixelFormat =
      Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? static_cast<int>(TJPF_BGRX) : static_cast<int>(TJPF_XRGB);
  if (tjDecompress2(handle.get(), source, size, image.bits(), decodedWidth,
                    static_cast<int>(image.bytesPerLine()), decodedHeight, kPixelFormat, 0) != 0) {
    // A warning (a truncated or slightly damaged file) still leaves a usable picture, as the
    // viewers of such files show it; only a fatal error refuses it.
    if (tjGetErrorCode(handle.get()) != TJERR_WARNING) {
      fail(path, tjGetErrorStr2(handle.get()));
    }
  }
  return fittedTo(std::move(image), box);
}

QImage decodeBmp(std::string_view bytes, std::string_view path, QSize box) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "BMP");
  // The header tells the size; a compressed bitmap can claim far more than its file holds.
  const QSize claimed = reader.size();
  if (!claimed.isValid()) {
    fail(path, "Invalid bitmap");
  }
  if (!fitsPixels(claimed.width(), claimed.height(), kMaxPixels)) {
    fail(path, "Picture too large");
  }
  // The reader decodes into a picture of its own, so the bytes need not outlive the call.
  QImage image = reader.read();
  if (image.isNull()) {
    fail(path, "Invalid bitmap");
  }
  return fittedTo(std::move(image), box);
}

QImage loadPicture(std::string_view anchor, std::string_view path, QSize box) {
  const std::string extension = extensionOf(path);
  if (extension != ".jpg" && extension != ".bmp") {
    fail(path, "Unknown picture file extension (" + extension + ")");
  }
  std::string bytes;
  try {
    bytes = readWholeFile(anchor, path, kPictureFileLimit);
  } catch (const FileError& error) {
    fail(path, reasonOf(error));
  }
  return extension == ".jpg" ? decodeJpeg(bytes, path, box) : decodeBmp(bytes, path, box);
}

}  // namespace rakewright
