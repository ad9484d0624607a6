// StripPanel, the lower part of the main window: the consist strip Panel1 (ConsistStrip) and the
// six paging buttons under it, "В начало", "<< - -", "<-", "->", "-->>" and "В конец", each the
// trigger of a paging action. The panel draws the document's consist whenever it changes or is
// paged, and passes on to the document what the strip asks of it that needs nothing else of the
// window: a page step, showing a position, removing, moving.
#pragma once

#include <QList>
#include <QWidget>

#include <array>

class QPushButton;

namespace rakewright {

class ConsistDocument;
class ConsistStrip;

class StripPanel : public QWidget {
  Q_OBJECT
 public:
  StripPanel(ConsistDocument& document, QWidget* window);

  // Draws the consist: labels first, then the pictures. Throws PictureError when a picture the
  // strip requires does not load (the slots from there on stay empty).
  void redraw();

  ConsistStrip* strip() const { return strip_; }
  QList<QWidget*> focusChain() const;

 private:
  ConsistDocument& document_;
  ConsistStrip* strip_ = nullptr;
  std::array<QPushButton*, 6> pagingButtons_{};
};

}  // namespace rakewright
