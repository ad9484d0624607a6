#include "app/catalogue/catalogue_search.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <string>
#include <vector>

#include "app/catalogue/catalogue_list_model.h"
#include "app/catalogue/catalogue_pane.h"
#include "app/catalogue/list_box.h"
#include "app/common/qt_text.h"

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

}  // namespace

CatalogueSearch::CatalogueSearch(CataloguePane& pane, const char* name)
    : QObject(&pane), pane_(pane), field_(new QLineEdit(&pane)) {
  field_->setObjectName(QLatin1String(name));
  field_->setPlaceholderText(QStringLiteral("Поиск"));
  field_->setClearButtonEnabled(true);
  field_->setToolTip(
      QStringLiteral("Поиск в списке без учёта регистра (Ctrl+F).\n"
                     "Enter — добавить выбранный в состав, стрелка вниз — перейти в список,\n"
                     "Esc или пустое поле — закрыть поиск."));
  field_->hide();
  connect(field_, &QLineEdit::textChanged, this, &CatalogueSearch::textChanged);
  for (QObject* watched :
       {static_cast<QObject*>(pane_.fullList()), static_cast<QObject*>(pane_.filteredList()),
        static_cast<QObject*>(pane_.filterBox()), static_cast<QObject*>(field_)}) {
    watched->installEventFilter(this);
  }
  if (pane_.filterBox()->lineEdit() != nullptr) {
    pane_.filterBox()->lineEdit()->installEventFilter(this);
  }
}

void CatalogueSearch::place(ListBox* list) {
  const QRect area = list->geometry();
  field_->setGeometry(area.left(), area.bottom() + 1 - kFieldHeight, area.width(), kFieldHeight);
  field_->raise();
  // The field covers the list's lower border and the rows above it; those rows move out from
  // under it, so the last match can still be scrolled into view.
  list->setBottomReserve(kFieldHeight - ListBox::kBorder);
}

void CatalogueSearch::release(ListBox* list) {
  pane_.showRows(list, std::nullopt);
  list->setBottomReserve(0);
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
  ListBox* list = pane_.activeList();
  selectedAtOpen_ = pane_.selectedEntry(list);
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
  ListBox* list = pane_.activeList();
  // The focus goes to the list before the field hides, so it never wanders elsewhere.
  list->setFocus(Qt::OtherFocusReason);
  field_->hide();
  {
    const QSignalBlocker blocker(field_);
    field_->clear();
  }
  if (narrowed_ != nullptr) {
    release(narrowed_);
    narrowed_ = nullptr;
  }
  const CatalogueListModel& model = pane_.modelOf(list);
  if (selectedAtOpen_ && pane_.selectedEntry(list) != selectedAtOpen_) {
    if (const std::optional<int> row = model.rowOf(*selectedAtOpen_)) {
      pane_.selectRow(list, *row);
    }
  }
  if (list->currentIndex().isValid()) {
    list->scrollTo(list->currentIndex());
  }
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

void CatalogueSearch::narrow() {
  ListBox* list = pane_.activeList();
  if (narrowed_ != nullptr && narrowed_ != list) {
    release(narrowed_);
  }
  narrowed_ = list;
  place(list);

  // A character that Windows-1251 cannot hold is in no name.
  const std::optional<std::string> typed = toCp1251(field_->text());
  const CatalogueListModel& model = pane_.modelOf(list);
  std::vector<std::size_t> matches;
  if (typed) {
    const std::optional<std::vector<std::size_t>>& members = model.members();
    matches = pane_.finder().find(*typed, members ? &*members : nullptr);
  }
  const bool anyMatch = !matches.empty();
  // When the selected entry is left out, the first match becomes the selection.
  if (pane_.showRows(list, std::move(matches)) && anyMatch) {
    pane_.selectRow(list, 0);
  }
  if (list->currentIndex().isValid()) {
    list->scrollTo(list->currentIndex());
  } else {
    list->scrollToTop();
  }
}

void CatalogueSearch::downIntoList() {
  ListBox* list = pane_.activeList();
  list->setFocus(Qt::OtherFocusReason);
  const std::optional<std::size_t> selected = pane_.selectedEntry(list);
  const CatalogueListModel& model = pane_.modelOf(list);
  const int next = selected ? model.rowOf(*selected).value_or(-1) + 1 : 0;
  if (next < model.rowCount()) {
    pane_.selectRow(list, next);
    list->scrollTo(list->currentIndex());
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
      ListBox* list = pane_.activeList();
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
  if (watched == pane_.fullList() || watched == pane_.filteredList()) {
    return listKey(key);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace rakewright
