// The whole train as a PNG picture to share ("Сохранить картинку…"): the file is chosen in the
// file dialog, offered in the user's pictures folder under the consist file's name, and the
// picture (train_drawing) carries the file name and the totals on top.
#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "app/train/train_drawing.h"

namespace rakewright {

class UserMessages;

// Asks for the file and writes the picture of `items` with `caption` on top; the file written, or
// nullopt when the user cancelled or the file could not be written (told in the error box).
// `consistName` is the consist file's name ("" for none).
std::optional<QString> exportTrainPicture(const std::vector<TrainItem>& items,
                                          const QString& consistName, const QString& totals,
                                          UserMessages& messages);

}  // namespace rakewright
