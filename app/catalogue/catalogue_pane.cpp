#include "app/catalogue/catalogue_pane.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalBlocker>

#include <memory>

#include "app/catalogue/catalogue_list_model.h"
#include "app/catalogue/catalogue_search.h"
#include "app/catalogue/drag_payloads.h"
#include "app/catalogue/list_box.h"
#include "app/common/user_messages.h"
#include "app/common/widgets.h"
#include "reference/catalogues.h"

namespace rakewright {

namespace {

const QString kLengthMissing = QStringLiteral("Не найдена длина вагона в базе");
const QString kPreviewMissing =
    QStringLiteral("Ну удалось загрузить предпросмотр для этого вагона!");

bool isEnter(const QKeyEvent* event) {
  return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// `place` (in the window) within the pane whose top-left corner is at `origin`.
QRect within(const QRect& place, const QPoint& origin) {
  return place.translated(-origin);
}

}  // namespace

CataloguePane::CataloguePane(Description description, const CatalogueLookup& lookup,
                             UserMessages& messages, QWidget* window)
    : QWidget(window), description_(std::move(description)), lookup_(lookup), messages_(messages) {
  setObjectName(QLatin1String(description_.name));
  buildControls();
  connectSignals();
}

CataloguePane::~CataloguePane() = default;

void CataloguePane::buildControls() {
  const Description& d = description_;
  // The caption sizes itself to its text (in the window's font) before the pane's area is known.
  caption_ = new QLabel(this);
  caption_->setObjectName(QLatin1String(d.captionName));
  caption_->setTextFormat(Qt::PlainText);
  setCaption(caption_, d.caption);
  const QRect area = QRect(d.captionAt, caption_->size())
                         .united(d.filterBoxPlace)
                         .united(d.fullListPlace)
                         .united(d.filteredListPlace);
  setGeometry(area);
  const QPoint origin = area.topLeft();
  caption_->move(d.captionAt - origin);

  const QRect box = within(d.filterBoxPlace, origin);
  filterBox_ = dropDownBox(this, d.filterBoxName, box.left(), box.top(), box.width(),
                           d.filterEntries, d.filterEntries.value(0), kInfoBackground);
  filterBox_->setToolTip(d.filterTip);
  filterBox_->setAccessibleName(d.filterAccessibleName);
  caption_->setBuddy(filterBox_);

  const struct {
    const char* name;
    QRect place;
    QString accessibleName;
  } lists[] = {{d.fullListName, d.fullListPlace, d.fullListAccessibleName},
               {d.filteredListName, d.filteredListPlace, d.filteredListAccessibleName}};
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    const QRect place = within(lists[i].place, origin);
    List& list = lists_[i];
    list.view = placed<ListBox>(this, lists[i].name, place.left(), place.top(), place.width(),
                                place.height());
    list.model = new CatalogueListModel(catalogue_, list.view);
    list.view->setModel(list.model);
    list.view->setToolTip(d.listTip);
    list.view->setAccessibleName(lists[i].accessibleName);
    // A dragged row carries the catalogue position of its entry, not its row.
    list.view->setDragData([this, &list](const QModelIndex& index) {
      auto data = std::make_unique<QMimeData>();
      data->setData(
          QLatin1String(drag::kCatalogueItem),
          QByteArray(description_.dragSide) + ':' +
              QByteArray::number(static_cast<qulonglong>(list.model->entryAt(index.row()))));
      return data;
    });
  }
  filteredList()->hide();

  search_ = new CatalogueSearch(*this, d.searchName);
  search_->field()->setAccessibleName(d.searchAccessibleName);
}

void CataloguePane::connectSignals() {
  const auto guardedCall = [this](void (CataloguePane::*handler)()) {
    return [this, handler] { guarded(messages_, [&] { (this->*handler)(); }); };
  };
  for (List& list : lists_) {
    // A selection change (mouse or keyboard) and a click on a row, also the selected one, offer
    // the selected entry; a double-click adds.
    connect(list.view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            guardedCall(&CataloguePane::selectionChanged));
    connect(list.view, &QAbstractItemView::clicked, this,
            guardedCall(&CataloguePane::selectionChanged));
    connect(list.view, &ListBox::listDoubleClicked, this, &CataloguePane::addRequested);
    list.view->installEventFilter(this);
  }
  // Picking an entry, also the one already chosen, re-applies the filters.
  connect(filterBox_, &QComboBox::activated, this, &CataloguePane::filterChosen);
  // Enter in the search field is Enter in the list it searches.
  connect(search_, &CatalogueSearch::enterPressed, this, &CataloguePane::addRequested);
}

QList<QWidget*> CataloguePane::focusChain() const {
  return {filterBox_, fullList(), filteredList(), search_->field()};
}

void CataloguePane::setCatalogue(Catalogue catalogue) {
  catalogue_ = std::move(catalogue);
  finder_.reset();
  for (List& list : lists_) {
    list.heldEntry.reset();
    list.model->catalogueReplaced();
  }
  // Until a filter fills it, the filtered list is empty.
  lists_[1].model->setMembers(std::vector<std::size_t>());
  search_->reapply();
}

const CatalogueFinder& CataloguePane::finder() {
  if (!finder_) {
    finder_.emplace(catalogue_);
  }
  return *finder_;
}

ListBox* CataloguePane::activeList() const {
  return fullList()->isVisibleTo(this) ? fullList() : filteredList();
}

CataloguePane::List& CataloguePane::listOf(const ListBox* view) {
  return view == fullList() ? lists_[0] : lists_[1];
}

const CataloguePane::List& CataloguePane::listOf(const ListBox* view) const {
  return view == fullList() ? lists_[0] : lists_[1];
}

CatalogueListModel& CataloguePane::modelOf(const ListBox* list) const {
  return *listOf(list).model;
}

std::optional<std::size_t> CataloguePane::selectedEntry(const ListBox* list) const {
  const QModelIndexList selected = list->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    return std::nullopt;
  }
  return listOf(list).model->entryAt(selected.front().row());
}

bool CataloguePane::showRows(ListBox* view, std::optional<std::vector<std::size_t>> shown) {
  List& list = listOf(view);
  std::optional<std::size_t> selected = selectedEntry(view);
  if (!selected) {
    selected = list.heldEntry;
  }
  list.model->setShown(std::move(shown));
  list.heldEntry.reset();
  if (!selected) {
    return false;
  }
  const std::optional<int> row = list.model->rowOf(*selected);
  if (!row) {
    list.heldEntry = selected;
    return true;
  }
  // The same entry stays selected: no selection change for the user.
  const QSignalBlocker blocker(view->selectionModel());
  view->setCurrentIndex(list.model->index(*row));
  return false;
}

void CataloguePane::selectRow(ListBox* list, int row) {
  list->setCurrentIndex(listOf(list).model->index(row));
}

void CataloguePane::selectionChanged() {
  if (description_.noticesMissingPreview) {
    emit previewNotice(QString());
  }
  ListBox* list = activeList();
  const std::optional<std::size_t> entry = selectedEntry(list);
  if (!entry) {
    return;
  }
  listOf(list).heldEntry.reset();
  const CatalogueSelection selection =
      lookup_.select(CopyUntil(catalogue_[*entry], '\t', 1), description_.side);
  emit lengthNotice(description_.noticesGuessedLength && selection.lengthGuessed() ? kLengthMissing
                                                                                   : QString());
  if (description_.noticesMissingPreview && selection.previewMissing) {
    emit previewNotice(kPreviewMissing);
  }
  emit selected(selection);
}

bool CataloguePane::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event)) &&
      (watched == fullList() || watched == filteredList())) {
    emit addRequested();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void CataloguePane::applyFilterChoice() {
  const int entry = filterBox_->currentIndex();
  if (entry == 0) {
    showList(false);
  } else if (entry >= 1 && entry <= static_cast<int>(description_.keywords.size())) {
    filterBy(description_.keywords[static_cast<std::size_t>(entry - 1)]);
  }
}

void CataloguePane::filterBy(std::string_view keyword) {
  List& filtered = lists_[1];
  // The rebuilt list has no selection; a selection change it would report is none of the user's.
  {
    const QSignalBlocker blocker(filtered.view->selectionModel());
    filtered.heldEntry.reset();
    filtered.model->setMembers(lookup_.category(catalogue_, keyword));
  }
  showList(true);
}

void CataloguePane::showList(bool filtered) {
  fullList()->setVisible(!filtered);
  filteredList()->setVisible(filtered);
  // An open search narrows the list shown too.
  search_->reapply();
}

std::optional<CatalogueSelection> CataloguePane::draggedItem(const QMimeData& data) const {
  const QList<QByteArray> parts = data.data(QLatin1String(drag::kCatalogueItem)).split(':');
  if (parts.size() != 2 || parts[0] != description_.dragSide) {
    return std::nullopt;
  }
  bool isNumber = false;
  const qulonglong entry = parts[1].toULongLong(&isNumber);
  if (!isNumber || entry >= catalogue_.size()) {
    return std::nullopt;
  }
  return lookup_.select(CopyUntil(catalogue_[static_cast<std::size_t>(entry)], '\t', 1),
                        description_.side);
}

}  // namespace rakewright
