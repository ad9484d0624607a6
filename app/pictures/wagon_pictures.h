// WagonPictures, the pictures of the wagons of a consist by their chain (the wagon's preview
// picture, else its alternative picture, else the no-preview picture), each file loaded once at
// the size it is drawn. The strip requires the last picture of its chains (ownPicture, required);
// the whole-train window does not (forPosition): a wagon for which no picture of the chain loads
// gets a null image there, drawn as an empty frame, so a picture missing from the data folder does
// not stop that window the way it stops the strip.
#pragma once

#include <QImage>
#include <QSize>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace rakewright {

class ConsistModel;

class WagonPictures {
 public:
  // Pictures are found below `dataRoot` and decoded for boxes of `box` (device pixels).
  WagonPictures(std::string dataRoot, QSize box);

  QImage forPosition(const ConsistModel& model, int position);

  // The wagon's own pictures: its preview picture, else its alternative picture; nullopt when
  // neither loads, or when no wagon stands at `position`.
  std::optional<QImage> ownPicture(const ConsistModel& model, int position);
  // A picture that ends a chain: throws PictureError when it does not load.
  QImage required(std::string_view path);

  // Forgets what was loaded, so that pictures changed on disk are read again.
  void clear() { loaded_.clear(); }

 private:
  std::optional<QImage> tryLoad(const std::string& path);

  std::string dataRoot_;
  QSize box_;
  std::unordered_map<std::string, std::optional<QImage>> loaded_;
};

}  // namespace rakewright
