// Which pictures selecting a catalogue entry tries for the preview, in order; the first one that
// loads is shown. The traffic side has the entry's preview picture, then the no-preview picture.
// The folder side puts the folder wagon bitmap first, which goes with the wagon into the strip
// when it loads, then the preview picture and the no-preview picture. Selecting an entry and
// dragging it out of its list try the same pictures.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reference/offered_figures.h"

namespace rakewright {

struct OfferedPicture {
  std::string path;  // relative to the data root
  // Shown, this picture goes with the wagon into the strip as its alternative picture.
  bool goesWithWagon = false;
  // A picture of the entry itself, not the picture that stands in for a missing one.
  bool ownPicture = true;
};

std::vector<OfferedPicture> offeredPictures(std::string_view name, CatalogueSide side);

}  // namespace rakewright
