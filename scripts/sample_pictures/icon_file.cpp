// Writes .ico files: a directory of entries, then each picture as a device-independent bitmap
// (BGRA rows from the bottom up, the colour rows followed by a 1-bit mask that marks the fully
// transparent pixels for programs that ignore the alpha channel, the bitmap's height counting
// both) or as a PNG file.
#include "icon_file.h"

#include <QBuffer>

#include <cstdint>
#include <stdexcept>

namespace sample {

namespace {

void put16(std::string& out, unsigned value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

std::string bitmapEntry(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  const int size = image.width();
  const int maskRow = ((size + 31) / 32) * 4;
  std::string out;
  put32(out, 40);  // BITMAPINFOHEADER
  put32(out, static_cast<std::uint32_t>(size));
  put32(out, static_cast<std::uint32_t>(2 * size));  // colours and mask
  put16(out, 1);                                     // planes
  put16(out, 32);                                    // bits per pixel
  put32(out, 0);                                     // BI_RGB
  put32(out, static_cast<std::uint32_t>(size * size * 4 + maskRow * size));
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < size; ++x) {
      out.push_back(static_cast<char>(qBlue(line[x])));
      out.push_back(static_cast<char>(qGreen(line[x])));
      out.push_back(static_cast<char>(qRed(line[x])));
      out.push_back(static_cast<char>(qAlpha(line[x])));
    }
  }
  for (int y = size - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    std::string row(static_cast<std::size_t>(maskRow), '\0');
    for (int x = 0; x < size; ++x) {
      if (qAlpha(line[x]) == 0) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
      }
    }
    out += row;
  }
  return out;
}

std::string pngEntry(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
    throw std::runtime_error("cannot write an icon's PNG entry");
  }
  return bytes.toStdString();
}

}  // namespace

std::string iconFile(const std::vector<QImage>& images) {
  std::vector<std::string> entries;
  for (const QImage& image : images) {
    if (image.width() != image.height() || image.width() < 1 || image.width() > 256) {
      throw std::runtime_error("an icon picture must be square, 1 to 256 pixels");
    }
    entries.push_back(image.width() > 128 ? pngEntry(image) : bitmapEntry(image));
  }
  std::string out;
  put16(out, 0);  // reserved
  put16(out, 1);  // an icon, not a cursor
  put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].width();
    out.push_back(static_cast<char>(size == 256 ? 0 : size));  // width, 0 for 256
    out.push_back(static_cast<char>(size == 256 ? 0 : size));  // height
    out.push_back(0);                                          // no palette
    out.push_back(0);
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, static_cast<std::uint32_t>(entries[i].size()));
    put32(out, offset);
    offset += static_cast<std::uint32_t>(entries[i].size());
  }
  for (const std::string& entry : entries) {
    out += entry;
  }
  return out;
}

}  // namespace sample
