// AuthorsWindow, the authors window: a picture, who made the program and thanks. It is created
// hidden at start, shown (not modal) by the main window's "Авторы" button, and hidden again on
// closing, so that it comes back unchanged.
#pragma once

#include <QWidget>

class QKeyEvent;
class QLabel;

namespace rakewright {

class PictureBox;

class AuthorsWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 459;
  static constexpr int kClientHeight = 253;

  explicit AuthorsWindow(QWidget* parent = nullptr);

  // The picture at the top.
  const PictureBox* picture() const { return picture_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  PictureBox* picture_ = nullptr;
};

}  // namespace rakewright
