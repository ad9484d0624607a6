// The whole-train window and the consist library as the main window offers them: a button for
// each in free space of the window ("Весь состав" right of "В конец", "Составы" right of the
// clearing button), Ctrl+T and Ctrl+O, and what the two windows ask of the main window.
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

#include "app/consist_library_window.h"
#include "app/main_window.h"
#include "app/train_window.h"
#include "app/user_messages.h"
#include "app/widgets.h"

namespace rakewright {

namespace {

// Places a window that is shown for the first time beside `owner`: below it where the screen has
// room, else over its lower part, always on the screen.
void placeBelow(QWidget& window, const QWidget& owner) {
  const QScreen* screen =
      owner.screen() != nullptr ? owner.screen() : QGuiApplication::primaryScreen();
  QPoint at(owner.frameGeometry().left(), owner.frameGeometry().bottom() + 1);
  if (screen != nullptr) {
    const QRect available = screen->availableGeometry();
    at.setY(std::min(at.y(), available.bottom() - window.height()));
    at.setX(std::clamp(at.x(), available.left(),
                       std::max(available.left(), available.right() - window.width())));
    at.setY(std::max(at.y(), available.top()));
  }
  window.move(at);
}

}  // namespace

void TForm1::buildWindowButtons() {
  TrainButton = placed<QPushButton>(this, "TrainButton", 808, 502, 110, 38);
  TrainButton->setText(QStringLiteral("Весь состав"));
  TrainButton->setFont(uiFont(16));
  TrainButton->setAutoDefault(false);
  TrainButton->setToolTip(
      QStringLiteral("Весь состав в одном окне: выбор и правка блоков вагонов (Ctrl+T)"));
  TrainButton->setAccessibleName(QStringLiteral("Весь состав"));

  LibraryButton = placed<QPushButton>(this, "LibraryButton", 567, 361, 80, 21);
  LibraryButton->setText(QStringLiteral("Составы"));
  LibraryButton->setFont(uiFont(11, true));
  LibraryButton->setAutoDefault(false);
  LibraryButton->setToolTip(
      QStringLiteral("Все файлы составов папки data\\consists с их проверкой (Ctrl+O)"));
  LibraryButton->setAccessibleName(QStringLiteral("Составы"));

  // Last in the tab order, so that the order of the older controls stays as it is.
  setTabOrder(Button1, TrainButton);
  setTabOrder(TrainButton, LibraryButton);

  const auto open = [this](void (TForm1::*show)()) {
    return [this, show] { guarded(messages_, [&] { (this->*show)(); }); };
  };
  connect(TrainButton, &QPushButton::clicked, this, open(&TForm1::showTrainWindow));
  connect(LibraryButton, &QPushButton::clicked, this, open(&TForm1::showLibraryWindow));
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this), &QShortcut::activated, this,
          open(&TForm1::showTrainWindow));
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this), &QShortcut::activated, this,
          open(&TForm1::showLibraryWindow));
}

void TForm1::showTrainWindow() {
  if (trainWindow_ == nullptr) {
    trainWindow_ = new TrainWindow(*this);
    placeBelow(*trainWindow_, *this);
  }
  trainWindow_->show();
  trainWindow_->raise();
  trainWindow_->activateWindow();
}

void TForm1::showLibraryWindow() {
  if (libraryWindow_ == nullptr) {
    libraryWindow_ = new ConsistLibraryWindow(*this);
    libraryWindow_->move(frameGeometry().center() - libraryWindow_->rect().center());
  }
  libraryWindow_->show();
  libraryWindow_->raise();
  libraryWindow_->activateWindow();
}

QString TForm1::consistFileName() const {
  return ConsistsComboBox->currentText();
}

void TForm1::openConsistFile(const QString& name) {
  ConsistsComboBox->setEditText(name);
  guarded(messages_, [this] { LoadButtonClick(); });
  raise();
  activateWindow();
}

void TForm1::showInStrip(int position) {
  guarded(messages_, [&] { showPosition(position); });
}

}  // namespace rakewright
