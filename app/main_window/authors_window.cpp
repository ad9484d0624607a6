#include "app/main_window/authors_window.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

#include "app/common/version.h"
#include "app/common/widgets.h"
#include "app/pictures/picture_box.h"
#include "app/pictures/picture_loader.h"

namespace rakewright {

namespace {

QLabel* label(QWidget* parent, const char* name, int left, int top, const QString& caption,
              const QColor& colour = QColor()) {
  auto* control = new QLabel(parent);
  control->setObjectName(QLatin1String(name));
  control->setTextFormat(Qt::PlainText);
  if (colour.isValid()) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    control->setPalette(palette);
  }
  control->move(left, top);
  setCaption(control, caption);
  return control;
}

// The picture compiled into the program; the window does without it if it cannot be decoded.
QImage authorsPicture() {
  QFile file(QStringLiteral(":/authors.jpg"));
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  const QByteArray bytes = file.readAll();
  try {
    return decodeJpeg(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                      "authors.jpg");
  } catch (const PictureError&) {
    return {};
  }
}

// Places `label` right of `before`: at `left`, or further right where `before`'s caption reaches
// beyond it.
void follow(QLabel* label, const QLabel* before, int left, int gap = 4) {
  label->move(std::max(left, before->x() + before->width() + gap), label->y());
}

}  // namespace

AuthorsWindow::AuthorsWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("АВТОРЫ"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);
  // Closing the main window ends the program even while this one is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(uiFont(11));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::HighlightedText));
  setPalette(palette);
  setAutoFillBackground(true);

  picture_ = new PictureBox(this);
  picture_->setObjectName(QStringLiteral("Image1"));
  picture_->setGeometry(8, 5, 442, 134);
  picture_->setImage(authorsPicture());

  QLabel* heading = label(this, "Label1", 8, 145, QString(), palette.color(QPalette::Highlight));
  heading->setFont(uiFont(20, true));
  setCaption(heading, QStringLiteral("АВТОРЫ"));

  const QColor red(Qt::red);
  QLabel* firstVersions =
      label(this, "Label2", 8, 174, QStringLiteral("Версию 1.0 и 1.1 разработали:"));
  QLabel* firstAuthors = label(this, "Label6", 171, 174, QStringLiteral("Rakewright"), red);
  follow(firstAuthors, firstVersions, 171);

  QLabel* thisVersion = label(this, "Label3", 8, 193,
                              QStringLiteral("Версию %1 Разработал:").arg(QLatin1String(kVersion)));
  QLabel* thisAuthor =
      label(this, "Label5", 145, 193, QStringLiteral("Команда Rakewright (a.k.a "), red);
  follow(thisAuthor, thisVersion, 145);
  QFont aliasFont = typewriterFont(11, true);
  aliasFont.setUnderline(true);
  QLabel* alias = label(this, "Label8", 280, 193, QString(), red);
  alias->setFont(aliasFont);
  setCaption(alias, QStringLiteral("RW"));
  follow(alias, thisAuthor, 280);
  // The closing bracket hugs the alias, whatever its length.
  QLabel* aliasEnd = label(this, "Label9", 320, 193, QStringLiteral(")"), red);
  follow(aliasEnd, alias, 0, 1);

  label(this, "Label4", 9, 212,
        QStringLiteral("Спасибо тестировщикам за тестирование и новые идеи!"));
  label(this, "Label7", 8, 231,
        QStringLiteral("и Разработчикам симулятора, без них ничего бы не вышло!"));
}

void AuthorsWindow::keyPressEvent(QKeyEvent* event) {
  // Esc closes it, as it closes a dialog.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace rakewright
