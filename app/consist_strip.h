// The consist strip: six slots across the window, slot N showing position PageStart+N-1 of the
// consist with its name above the picture and its position number below. Six paging buttons move
// PageStart; a left click on a wagon's picture removes that wagon.
//
// The rules live here as functions of the model, so they hold apart from any control; the
// handlers of TForm1 that apply them to the slots are in consist_strip.cpp.
#pragma once

#include <QImage>

#include <optional>

#include "consist/consist_model.h"
#include "reference/data_paths.h"

namespace rakewright {

// The six paging buttons.
enum class PageStep {
  First,     // "В начало"
  BackPage,  // "<< - -"
  Back,      // "<-"
  Forward,   // "->"
  NextPage,  // "-->>"
  Last,      // "В конец"
};

// The new PageStart for a paging button, or nullopt when the button does nothing at all, not even
// the redraw ("->" at the last wagon). The backward buttons stop at 1, the forward ones at the last
// wagon, alone in slot 1; an empty consist keeps 1.
std::optional<int> pagedStart(PageStep step, int pageStart, int wagonCount);

// The picture of a slot showing `position`. A wagon shows its preview picture, else its
// alternative picture (the remembered folder bitmap), else the no-preview picture; a position
// without a wagon shows the no-wagon picture. The last picture of each chain is required: its
// failure is thrown (PictureError).
QImage slotPicture(const Anchors& anchors, const ConsistModel& model, int position);

}  // namespace rakewright
