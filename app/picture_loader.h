// Pictures by file extension, the way every picture box of the program loads them: ".jpg" decoded
// by libjpeg-turbo (its TurboJPEG API, called directly, so no Qt image plugin is needed), ".bmp"
// by Qt's built-in bitmap reader, any other extension refused. The file is read whole through the
// platform layer, so paths are found ignoring letter case like every other path of the program.
#pragma once

#include <QImage>

#include <stdexcept>
#include <string_view>

namespace rakewright {

// A picture that could not be loaded: `Cannot open file "PATH". REASON`, PATH as the program
// formed it, REASON the system's reason or the decoder's message (Windows-1251).
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Loads the picture at `path` (Windows-1251, "\" or "/" separators) relative to the folder
// `anchor`. Throws PictureError.
QImage loadPicture(std::string_view anchor, std::string_view path);

// Decodes JPEG bytes; `path` only names the picture in the error. Throws PictureError.
QImage decodeJpeg(std::string_view bytes, std::string_view path);

// Decodes Windows bitmap bytes; `path` only names the picture in the error. Throws PictureError.
QImage decodeBmp(std::string_view bytes, std::string_view path);

}  // namespace rakewright
