// A Windows icon file (.ico) holding several sizes of one picture, for the resources of the
// Windows program.
#pragma once

#include <QImage>

#include <string>
#include <vector>

namespace sample {

// The .ico file of `images` (square, 1 to 256 pixels), in their order: each up to 128 pixels as a
// 32-bit bitmap with its transparency mask, larger ones as PNG, as Windows takes them.
std::string iconFile(const std::vector<QImage>& images);

}  // namespace sample
