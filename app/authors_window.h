// TForm2, the authors window: a picture, who made the program and thanks. It is created hidden at
// start, shown (not modal) by the main window's "Авторы" button, and hidden again on closing, so
// that it comes back unchanged.
#pragma once

#include <QWidget>

class QKeyEvent;
class QLabel;

namespace rakewright {

class PictureBox;

class TForm2 : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 459;
  static constexpr int kClientHeight = 253;

  explicit TForm2(QWidget* parent = nullptr);

  PictureBox* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label7 = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace rakewright
