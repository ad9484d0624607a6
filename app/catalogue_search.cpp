#include "app/catalogue_search.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

#include "app/qt_text.h"
#include "app/widgets.h"
#include "platform/cp1251.h"

namespace rakewright {

namespace {

bool isFind(const QKeyEvent* key) {
  return key->key() == Qt::Key_F && key->modifiers() == Qt::ControlModifier;
}

// A character the user types into a list to start searching: printable, no space (Space keeps its
// meaning in the list), without Ctrl, Alt or Meta (those are commands).
bool startsSearch(const QKeyEvent* key) {
  const QString text = key->text();
  if (text.isEmpty() ||
      (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
    return false;
  }
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint() && !c.isSpace(); });
}

std::optional<qulonglong> selectedEntry(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  if (selected.isEmpty()) {
    return std::nullopt;
  }
  return selected.front()->data(kCatalogueEntryRole).toULongLong();
}

}  // namespace

CatalogueSearch::CatalogueSearch(QWidget& form, const char* name, const Catalogue& catalogue,
                                 ListBox* full, ListBox* filtered, QComboBox* filterBox,
                                 QObject* parent)
    : QObject(parent),
      form_(form),
      catalogue_(catalogue),
      full_(full),
      filtered_(filtered),
      filterBox_(filterBox),
      field_(new QLineEdit(&form)) {
  field_->setObjectName(QLatin1String(name));
  field_->setPlaceholderText(QStringLiteral("Поиск"));
  field_->setClearButtonEnabled(true);
  field_->hide();
  connect(field_, &QLineEdit::textChanged, this, &CatalogueSearch::textChanged);
  for (QObject* watched : {static_cast<QObject*>(full_), static_cast<QObject*>(filtered_),
                           static_cast<QObject*>(filterBox_), static_cast<QObject*>(field_)}) {
    watched->installEventFilter(this);
  }
  if (filterBox_->lineEdit() != nullptr) {
    filterBox_->lineEdit()->installEventFilter(this);
  }
}

ListBox* CatalogueSearch::activeList() const {
  return full_->isVisibleTo(&form_) ? full_ : filtered_;
}

void CatalogueSearch::place(ListBox* list) {
  const QRect area = list->geometry();
  field_->setGeometry(area.left(), area.bottom() + 1 - kFieldHeight, area.width(), kFieldHeight);
  field_->raise();
  // The field covers the list's lower border and the rows above it; those rows move out from
  // under it, so the last match can still be scrolled into view.
  list->setBottomReserve(kFieldHeight - ListBox::kBorder);
}

void CatalogueSearch::open(const QString& typed) {
  if (open_) {
    field_->setFocus(Qt::OtherFocusReason);
    if (typed.isEmpty()) {
      field_->selectAll();
    } else {
      field_->end(false);
      field_->insert(typed);
    }
    return;
  }
  ListBox* list = activeList();
  selectedAtOpen_ = selectedEntry(list);
  open_ = true;
  {
    const QSignalBlocker blocker(field_);
    field_->setText(typed);
  }
  place(list);
  field_->show();
  // Not as a shortcut focus, which would select the text: the next key goes after what was typed.
  field_->setFocus(Qt::OtherFocusReason);
  narrow();
}

void CatalogueSearch::close() {
  if (!open_) {
    return;
  }
  open_ = false;
  ListBox* list = activeList();
  // The focus goes to the list before the field hides, so it never wanders elsewhere.
  list->setFocus(Qt::OtherFocusReason);
  field_->hide();
  {
    const QSignalBlocker blocker(field_);
    field_->clear();
  }
  for (ListBox* each : {full_, filtered_}) {
    showAllRows(each);
    each->setBottomReserve(0);
  }
  narrowed_ = nullptr;
  restoreSelection(list);
}

void CatalogueSearch::catalogueChanged() {
  upperReady_ = false;
  upper_.clear();
  reapply();
}

void CatalogueSearch::reapply() {
  if (open_) {
    narrow();
  }
}

void CatalogueSearch::textChanged(const QString& text) {
  if (!open_) {
    return;
  }
  if (text.isEmpty()) {
    close();
  } else {
    narrow();
  }
}

const std::vector<std::string>& CatalogueSearch::upperCatalogue() {
  if (!upperReady_) {
    upper_.clear();
    upper_.reserve(catalogue_.size());
    for (const std::string& entry : catalogue_) {
      upper_.push_back(cp1251UpperCase(entry));
    }
    upperReady_ = true;
  }
  return upper_;
}

void CatalogueSearch::narrow() {
  ListBox* list = activeList();
  if (narrowed_ != nullptr && narrowed_ != list) {
    showAllRows(narrowed_);
    narrowed_->setBottomReserve(0);
  }
  narrowed_ = list;
  place(list);

  // A character that Windows-1251 cannot hold is in no name.
  const std::optional<std::string> typed = toCp1251(field_->text());
  const std::string needle = typed ? cp1251UpperCase(*typed) : std::string();
  const std::vector<std::string>& upper = upperCatalogue();
  int firstMatch = -1;
  // One repaint for the whole pass instead of one per row.
  list->setUpdatesEnabled(false);
  for (int row = 0, count = list->count(); row < count; ++row) {
    const auto entry =
        static_cast<std::size_t>(list->item(row)->data(kCatalogueEntryRole).toULongLong());
    const bool match =
        typed && entry < upper.size() && upper[entry].find(needle) != std::string::npos;
    if (list->isRowHidden(row) == match) {
      list->setRowHidden(row, !match);
    }
    if (match && firstMatch < 0) {
      firstMatch = row;
    }
  }
  list->setUpdatesEnabled(true);

  const QList<QListWidgetItem*> selected = list->selectedItems();
  if (!selected.isEmpty() && selected.front()->isHidden() && firstMatch >= 0) {
    list->setCurrentRow(firstMatch);
  }
  QListWidgetItem* current = list->currentItem();
  if (current != nullptr && !current->isHidden()) {
    list->scrollToItem(current);
  } else {
    list->scrollToTop();
  }
}

void CatalogueSearch::showAllRows(ListBox* list) {
  list->setUpdatesEnabled(false);
  for (int row = 0, count = list->count(); row < count; ++row) {
    if (list->isRowHidden(row)) {
      list->setRowHidden(row, false);
    }
  }
  list->setUpdatesEnabled(true);
}

void CatalogueSearch::restoreSelection(QListWidget* list) const {
  if (selectedAtOpen_) {
    for (int row = 0, count = list->count(); row < count; ++row) {
      if (list->item(row)->data(kCatalogueEntryRole).toULongLong() == *selectedAtOpen_) {
        if (!list->item(row)->isSelected()) {
          list->setCurrentRow(row);
        }
        break;
      }
    }
  }
  if (list->currentItem() != nullptr) {
    list->scrollToItem(list->currentItem());
  }
}

void CatalogueSearch::downIntoList() {
  ListBox* list = activeList();
  list->setFocus(Qt::OtherFocusReason);
  const QList<QListWidgetItem*> selected = list->selectedItems();
  int row = -1;
  if (!selected.isEmpty() && !selected.front()->isHidden()) {
    row = list->row(selected.front());
  }
  for (int next = row + 1, count = list->count(); next < count; ++next) {
    if (!list->isRowHidden(next)) {
      list->setCurrentRow(next);
      list->scrollToItem(list->item(next));
      return;
    }
  }
}

bool CatalogueSearch::fieldKey(QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit enterPressed();
      return true;
    case Qt::Key_Escape:
      close();
      return true;
    case Qt::Key_Down:
      downIntoList();
      return true;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      ListBox* list = activeList();
      list->setFocus(Qt::OtherFocusReason);
      QKeyEvent inList(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                       static_cast<ushort>(key->count()));
      QCoreApplication::sendEvent(list, &inList);
      return true;
    }
    default:
      return false;
  }
}

bool CatalogueSearch::listKey(QKeyEvent* key) {
  if (key->key() == Qt::Key_Escape && open_) {
    close();
    return true;
  }
  if (startsSearch(key)) {
    open(key->text());
    return true;
  }
  return false;
}

bool CatalogueSearch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
    return QObject::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  if (event->type() == QEvent::ShortcutOverride) {
    // Ctrl+F, and Esc while the search is open, belong to this side, whatever shortcut the
    // window may have on them: accepted here, they come back as a key press.
    if (isFind(key) || (open_ && key->key() == Qt::Key_Escape)) {
      event->accept();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
  if (isFind(key)) {
    open();
    return true;
  }
  if (watched == field_) {
    return fieldKey(key);
  }
  if (watched == full_ || watched == filtered_) {
    return listKey(key);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace rakewright
