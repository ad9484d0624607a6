// ConsistStrip, the strip panel (Panel1) across the lower part of the main window: six slots, slot
// N showing position PageStart+N-1 of the consist with its name above the picture (WagName1..6)
// and its position number below (WagNum1..6). The strip owns its slots and draws a consist it is
// given; it keeps no consist of its own.
//
// The redraw is ClearImages (labels) followed by RefreshConsistImage (pictures). A wagon shows its
// preview picture, else its alternative picture (the remembered folder bitmap), else the
// no-preview picture; a position without a wagon shows the no-wagon picture. The last picture of
// each chain is required: when it fails, the redraw stops at that slot with a PictureError and
// the slots from there on stay empty.
//
// A left click on a picture that shows a wagon is reported as removeRequested(index of the
// wagon); the window removes it. Paging is the window's: it sets PageStart and asks for a redraw.
#pragma once

#include <QFrame>

#include <array>
#include <string>

#include "consist/consist_model.h"
#include "consist/paging.h"

class QLabel;

namespace rakewright {

class PictureBox;

class ConsistStrip : public QFrame {
  Q_OBJECT
 public:
  // Pictures are found below `dataRoot`.
  explicit ConsistStrip(std::string dataRoot, QWidget* parent = nullptr);

  // Writes the slots' labels: the positions PageStart.. and their names; empties the pictures.
  void ClearImages(const ConsistModel& model);
  // Loads the six pictures. Throws PictureError when a required picture fails.
  void RefreshConsistImage(const ConsistModel& model);

 signals:
  // A left click on the picture of a slot that shows a wagon: `index` is the wagon's consist line.
  void removeRequested(int index);

 private:
  // A mouse button released over the picture of `slot` (0-based).
  void PrvImgMouseUp(int slot, Qt::MouseButton button);

  std::string dataRoot_;
  std::array<PictureBox*, kStripSlots> pictures_{};
  std::array<QLabel*, kStripSlots> names_{};
  std::array<QLabel*, kStripSlots> numbers_{};
};

}  // namespace rakewright
