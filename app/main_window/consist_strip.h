// ConsistStrip, the strip panel (Panel1) across the lower part of the main window: six slots, slot
// N showing position (page start)+N-1 of the consist with its name above the picture (WagName1..6)
// and its position number below (WagNum1..6). The strip owns its slots and draws a consist it is
// given; it keeps no consist of its own.
//
// The redraw is showLabels (labels) followed by showPictures (pictures). A wagon shows its
// preview picture, else its alternative picture (the remembered folder bitmap), else the
// no-preview picture; a position without a wagon shows the no-wagon picture. The last picture of
// each chain is required: when it fails, the redraw stops at that slot with a PictureError and
// the slots from there on stay empty.
//
// A left click on a picture that shows a wagon is reported as removeRequested(index of the
// wagon); the document removes it. Paging is the document's: it sets the page start and the strip
// is drawn again; the strip asks for a step with pageRequested (a notch of the mouse wheel, or a drag held near
// either end of the strip).
//
// The strip takes drops: a catalogue item (catalogueItemDropped) and one of its own wagons, whose
// picture is dragged onto another slot (wagonDropped, a copy with Ctrl held). While something is
// dragged over it, the slot where the wagon would land (landingIndex of consist/paging.h) is
// marked; the strip reports the position of the slot under the drop, and the window applies the
// same rule.
//
// The strip takes the keyboard focus with Tab and then frames a current wagon: Left, Right, Home
// and End move it (asking the window to page, showRequested, so that it stays in view), Delete
// removes it, Ctrl+Left and Ctrl+Right move it one place, Insert inserts the selection before it.
// The current wagon is always one the strip shows: when a redraw (after an undo, a removal or
// paging) leaves it out of view, the nearest wagon in view takes its place.
// Each picture's tool tip names its wagon with its figures and where they came from.
#pragma once

#include <QFrame>
#include <QTimer>

#include <array>
#include <optional>
#include <string>

#include "consist/consist_model.h"
#include "consist/paging.h"

class QLabel;
class QMimeData;

namespace rakewright {

class PictureBox;

class ConsistStrip : public QFrame {
  Q_OBJECT
 public:
  // Pictures are found below `dataRoot`.
  explicit ConsistStrip(std::string dataRoot, QWidget* parent = nullptr);

  // Writes the slots' labels: the positions page start.. and their names; empties the pictures.
  void showLabels(const ConsistModel& model);
  // The wagon the keyboard works on, while the strip has the focus: its position, 0 for none.
  int currentWagon() const { return hasFocus() ? current_ : 0; }
  // Loads the six pictures. Throws PictureError when a required picture fails.
  void showPictures(const ConsistModel& model);

 signals:
  // A left click on the picture of a slot that shows a wagon: `index` is the wagon's consist line.
  void removeRequested(int index);
  // A catalogue item dropped on the slot that shows `position`.
  void catalogueItemDropped(const QMimeData& data, int position);
  // The wagon of consist line `from` dropped on the slot that shows `position`; `copy` when Ctrl
  // was held.
  void wagonDropped(int from, int position, bool copy);
  // A step of paging: Back or Forward.
  void pageRequested(rakewright::PageStep step);
  // Keyboard editing: move the wagon of line `from` to line `to`; insert the selection at line
  // `index`; page so that `position` shows.
  void moveRequested(int from, int to);
  void insertRequested(int index);
  void showRequested(int position);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // A mouse button released over the picture of `slot` (0-based).
  void pictureReleased(int slot, Qt::MouseButton button);
  // The picture of `slot` dragged: its wagon goes with the drag.
  void dragWagon(int slot);
  // The slot under a point of the strip; nullopt between and beside the slots.
  std::optional<int> slotAt(const QPoint& point) const;
  // What is dragged over the strip, and where.
  struct Dragged {
    bool wagon = false;  // one of the strip's wagons (else a catalogue item)
    bool copy = false;   // a wagon copied with Ctrl
    QPoint at;
  };
  static std::optional<Dragged> draggedBy(const QDropEvent& event);
  // The slot where what is dragged would land, when it is shown.
  std::optional<int> landingSlot(const Dragged& dragged) const;
  // Marks the landing slot and pages while the drag is held near an end.
  void followDrag(const Dragged& dragged);
  void endDrag();
  // Makes `position` the current wagon (kept within the consist) and asks to show it.
  void setCurrent(int position);
  // Frames the current wagon's slot while the strip has the focus.
  void showCurrent();

  std::string dataRoot_;
  // What the last redraw showed.
  int pageStart_ = 1;
  int wagonCount_ = 0;
  // The wagon the keyboard works on (a position; 0 in an empty consist).
  int current_ = 0;
  QFrame* dropMarker_ = nullptr;
  QFrame* focusMarker_ = nullptr;
  QTimer dragPager_;
  std::optional<Dragged> dragged_;
  int wheelAngle_ = 0;
  std::array<PictureBox*, kStripSlots> pictures_{};
  std::array<QLabel*, kStripSlots> names_{};
  std::array<QLabel*, kStripSlots> numbers_{};
};

}  // namespace rakewright
