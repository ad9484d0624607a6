#include "app/catalogue/name_suggestions.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>

#include <algorithm>

namespace rakewright {

namespace {

constexpr int kMostRows = 8;

}  // namespace

NameSuggestions::NameSuggestions(QComboBox* box) : QObject(box), box_(box) {
  box_->setCompleter(nullptr);

  // A window of its own that never takes the focus, the mouse or the keyboard.
  list_ = new QListWidget;
  list_->setObjectName(box_->objectName() + QStringLiteral("Suggestions"));
  list_->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
  list_->setAttribute(Qt::WA_ShowWithoutActivating);
  list_->setFocusPolicy(Qt::NoFocus);
  list_->setFont(box_->font());
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setAccessibleName(QStringLiteral("Имена файлов, подходящие к введённому"));

  connect(list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { pick(list_->row(item)); });
  connect(box_->lineEdit(), &QLineEdit::textEdited, this, &NameSuggestions::offer);
  // Keys reach the box first (it would step through its items on Down and Up), then its field.
  box_->installEventFilter(this);
  box_->lineEdit()->installEventFilter(this);
  box_->window()->installEventFilter(this);
}

NameSuggestions::~NameSuggestions() {
  if (list_ != nullptr) {
    qApp->removeEventFilter(this);
    delete list_;
  }
}

void NameSuggestions::offer(const QString& typed) {
  QStringList names;
  if (!typed.isEmpty()) {
    for (int i = 0; i < box_->count(); ++i) {
      const QString name = box_->itemText(i);
      if (name.startsWith(typed, Qt::CaseInsensitive)) {
        names.append(name);
      }
    }
  }
  // Nothing to offer, or only what is already typed.
  if (names.isEmpty() || (names.size() == 1 && names.front() == typed)) {
    close();
    return;
  }
  list_->clear();
  list_->addItems(names);
  list_->setCurrentRow(-1);

  const int rows = std::min(static_cast<int>(names.size()), kMostRows);
  const int height = rows * list_->sizeHintForRow(0) + 2 * list_->frameWidth();
  QPoint below = box_->mapToGlobal(QPoint(0, box_->height()));
  // Above the box when the screen ends below it.
  if (const QScreen* screen = box_->screen();
      screen != nullptr && below.y() + height > screen->availableGeometry().bottom()) {
    below.setY(box_->mapToGlobal(QPoint(0, 0)).y() - height);
  }
  list_->setGeometry(QRect(below, QSize(box_->width(), height)));
  if (!list_->isVisible()) {
    list_->show();
    // Any press outside the list closes it on its way to where it was aimed.
    qApp->installEventFilter(this);
  }
}

void NameSuggestions::pick(int row) {
  if (row < 0 || row >= list_->count()) {
    return;
  }
  const QString name = list_->item(row)->text();
  close();
  box_->setEditText(name);
  box_->lineEdit()->setFocus();
}

void NameSuggestions::close() {
  if (list_->isVisible()) {
    list_->hide();
    qApp->removeEventFilter(this);
  }
}

void NameSuggestions::mark(int step) {
  const int count = list_->count();
  int row = list_->currentRow() + step;
  if (row < 0) {
    row = count - 1;
  } else if (row >= count) {
    row = 0;
  }
  list_->setCurrentRow(row);
}

bool NameSuggestions::eventFilter(QObject* watched, QEvent* event) {
  if (!list_->isVisible()) {
    return false;
  }
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      // Presses on the list pick; every other press closes it and goes on to its widget.
      const auto* widget = qobject_cast<QWidget*>(watched);
      if (widget != nullptr && widget->window() != list_) {
        close();
      }
      return false;
    }
    case QEvent::KeyPress:
      if (watched == box_ || watched == box_->lineEdit()) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
          case Qt::Key_Down:
            mark(1);
            return true;
          case Qt::Key_Up:
            mark(-1);
            return true;
          case Qt::Key_Return:
          case Qt::Key_Enter:
            if (list_->currentRow() >= 0) {
              pick(list_->currentRow());
              return true;
            }
            close();
            return false;
          case Qt::Key_Escape:
            close();
            return true;
          default:
            return false;
        }
      }
      return false;
    case QEvent::FocusOut:
      if (watched == box_ || watched == box_->lineEdit()) {
        close();
      }
      return false;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
      if (watched == box_->window()) {
        close();
      }
      return false;
    default:
      return false;
  }
}

}  // namespace rakewright
