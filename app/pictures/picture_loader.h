// Pictures by file extension, the way every picture box of the program loads them: ".jpg" decoded
// by libjpeg-turbo (its TurboJPEG API, called directly, so no Qt image plugin is needed), ".bmp"
// by Qt's built-in bitmap reader, any other extension refused. The file is read whole through the
// platform layer, so paths are found ignoring letter case like every other path of the program,
// and no file of more than kPictureFileLimit bytes is read.
//
// A picture for a box is decoded straight to about the box's size (TurboJPEG scales while it
// decodes) and then scaled to fit it, so a small file that claims an enormous picture costs no
// more memory than the box shows.
#pragma once

#include <QImage>
#include <QSize>

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
// `anchor`. With a valid `box` (in device pixels) the picture is at most that large: a larger one
// is scaled down to it. Throws PictureError.
QImage loadPicture(std::string_view anchor, std::string_view path, QSize box = {});

// Decodes JPEG bytes, for a box as loadPicture() does; `path` only names the picture in the error.
// Throws PictureError.
QImage decodeJpeg(std::string_view bytes, std::string_view path, QSize box = {});

// Decodes Windows bitmap bytes, for a box as loadPicture() does; `path` only names the picture in
// the error. Throws PictureError.
QImage decodeBmp(std::string_view bytes, std::string_view path, QSize box = {});

}  // namespace rakewright
