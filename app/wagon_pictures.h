// WagonPictures, the pictures of the whole-train window: each wagon's picture by the strip's chain
// (its preview picture, else its alternative picture, else the no-preview picture), each file
// loaded once at the size the window draws it. A wagon for which no picture of the chain loads
// gets a null image, which the window draws as an empty frame: a picture missing from the data
// folder must not stop the window the way it stops the strip.
#pragma once

#include <QImage>
#include <QSize>

#include <optional>
#include <string>
#include <unordered_map>

namespace rakewright {

class ConsistModel;

class WagonPictures {
 public:
  // Pictures are found below `dataRoot` and decoded for boxes of `box` (device pixels).
  WagonPictures(std::string dataRoot, QSize box);

  QImage forPosition(const ConsistModel& model, int position);

  // Forgets what was loaded, so that pictures changed on disk are read again.
  void clear() { loaded_.clear(); }

 private:
  std::optional<QImage> tryLoad(const std::string& path);

  std::string dataRoot_;
  QSize box_;
  std::unordered_map<std::string, std::optional<QImage>> loaded_;
};

}  // namespace rakewright
