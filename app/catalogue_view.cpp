#include "app/catalogue_view.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QSignalBlocker>

#include <array>
#include <memory>

#include "app/catalogue_search.h"
#include "app/drag_payloads.h"
#include "app/picture_loader.h"
#include "app/qt_text.h"
#include "app/user_messages.h"
#include "app/widgets.h"
#include "reference/catalogue_filters.h"
#include "reference/data_paths.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {

namespace {

const QString kLengthMissing = QStringLiteral("Не найдена длина вагона в базе");
const QString kPreviewMissing =
    QStringLiteral("Ну удалось загрузить предпросмотр для этого вагона!");

constexpr int kEnter = 13;

// The traffic filter's entries 1 to 5, in the order of ComboBox1's items.
constexpr std::array<std::string_view, 5> kTrafficKeywords = {
    sections::kPass, sections::kFreight, sections::kLocos, sections::kMvps, sections::kSpec};

// The position in its catalogue of the entry a list item shows.
constexpr int kEntryRole = kCatalogueEntryRole;

// What an item of one side carries when it is dragged out of its list: "traffic:N" or "folder:N".
ListBox::DragData dragDataOf(const char* side) {
  return [side](const QListWidgetItem& item) {
    auto data = std::make_unique<QMimeData>();
    data->setData(QLatin1String(drag::kCatalogueItem),
                  QByteArray(side) + ':' + QByteArray::number(item.data(kEntryRole).toULongLong()));
    return data;
  };
}

// How each side's controls introduce themselves.
const QString kTrafficListTip = QStringLiteral(
    "Подвижной состав из traffic.ref.\n"
    "Двойной щелчок или Enter — добавить в состав.\n"
    "Перетащите на ленту состава, чтобы вставить в нужное место.\n"
    "Ctrl+F или просто начните печатать — поиск в списке.");
const QString kFolderListTip = QStringLiteral(
    "Вагоны из папок Pass_wags и Freight_wags.\n"
    "Двойной щелчок или Enter — добавить в состав.\n"
    "Перетащите на ленту состава, чтобы вставить в нужное место.\n"
    "Ctrl+F или просто начните печатать — поиск в списке.");
const QString kSearchTip = QStringLiteral(
    "Поиск в списке без учёта регистра (Ctrl+F).\n"
    "Enter — добавить выбранный в состав, стрелка вниз — перейти в список,\n"
    "Esc или пустое поле — закрыть поиск.");

bool isEnter(const QKeyEvent* event) {
  return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace

CatalogueView::CatalogueView(QWidget& form, RollingStockBase& base, std::string dataRoot,
                             UserMessages& messages, QSize previewSize)
    : QObject(&form),
      base_(base),
      dataRoot_(std::move(dataRoot)),
      previewSize_(previewSize),
      messages_(messages) {
  setObjectName(QStringLiteral("CatalogueView"));
  buildControls(form);
  connectSignals();
}

void CatalogueView::buildControls(QWidget& form) {
  form_ = &form;
  Label7 = placedLabel(&form, "Label7", 8, 2, QStringLiteral("Фильтр ПС из файла traffic.ref"));
  ComboBox1 = dropDownBox(
      &form, "ComboBox1", 8, 16, 266,
      {QStringLiteral("Весь подвижной состав"), QStringLiteral("Пассажирские вагоны"),
       QStringLiteral("Грузовые вагоны"), QStringLiteral("Локомотивы"), QStringLiteral("МВПС"),
       QStringLiteral("Спец. техника и восстановительный поезд")},
      QStringLiteral("Весь подвижной состав"), kInfoBackground);
  Label10 = placedLabel(&form, "Label10", 748, 0,
                        QStringLiteral("Фильтр ПС из папок: Pass_wags и Freight_wags"));
  ComboBox2 = dropDownBox(
      &form, "ComboBox2", 748, 16, 266,
      {QStringLiteral("Все вагоны из папок"), QStringLiteral("Вагоны из папки: Pass_wags"),
       QStringLiteral("Вагоны из папки: Freight_wags")},
      QStringLiteral("Все вагоны из папок"), kInfoBackground);

  ListBox1 = placed<ListBox>(&form, "ListBox1", 8, 44, 266, 311);
  ListBox2 = placed<ListBox>(&form, "ListBox2", 8, 44, 266, 311);
  ListBox2->hide();
  ListBox3 = placed<ListBox>(&form, "ListBox3", 748, 43, 266, 313);
  ListBox4 = placed<ListBox>(&form, "ListBox4", 748, 43, 266, 314);
  ListBox4->hide();
  for (ListBox* list : {ListBox1, ListBox2}) {
    list->setDragData(dragDataOf(drag::kTrafficSide));
  }
  for (ListBox* list : {ListBox3, ListBox4}) {
    list->setDragData(dragDataOf(drag::kFolderSide));
  }

  trafficSearch_ =
      new CatalogueSearch(form, "TrafficSearch", traffic_, ListBox1, ListBox2, ComboBox1, this);
  folderSearch_ =
      new CatalogueSearch(form, "FolderSearch", folder_, ListBox3, ListBox4, ComboBox2, this);
  describeControls();
}

void CatalogueView::describeControls() {
  Label7->setBuddy(ComboBox1);
  Label10->setBuddy(ComboBox2);
  ComboBox1->setToolTip(
      QStringLiteral("Фильтр подвижного состава из traffic.ref по категориям.\n"
                     "Ctrl+F — поиск в списке."));
  ComboBox1->setAccessibleName(QStringLiteral("Фильтр подвижного состава из traffic.ref"));
  ComboBox2->setToolTip(
      QStringLiteral("Фильтр вагонов из папок Pass_wags и Freight_wags.\n"
                     "Ctrl+F — поиск в списке."));
  ComboBox2->setAccessibleName(QStringLiteral("Фильтр вагонов из папок"));

  ListBox1->setToolTip(kTrafficListTip);
  ListBox1->setAccessibleName(QStringLiteral("Подвижной состав из traffic.ref"));
  ListBox2->setToolTip(kTrafficListTip);
  ListBox2->setAccessibleName(QStringLiteral("Подвижной состав из traffic.ref по фильтру"));
  ListBox3->setToolTip(kFolderListTip);
  ListBox3->setAccessibleName(QStringLiteral("Вагоны из папок"));
  ListBox4->setToolTip(kFolderListTip);
  ListBox4->setAccessibleName(QStringLiteral("Вагоны из папок по фильтру"));

  trafficSearch_->field()->setToolTip(kSearchTip);
  trafficSearch_->field()->setAccessibleName(
      QStringLiteral("Поиск в подвижном составе из traffic.ref"));
  folderSearch_->field()->setToolTip(kSearchTip);
  folderSearch_->field()->setAccessibleName(QStringLiteral("Поиск в вагонах из папок"));
}

void CatalogueView::connectSignals() {
  const auto guardedCall = [this](void (CatalogueView::*handler)()) {
    return [this, handler] { guarded(messages_, [&] { (this->*handler)(); }); };
  };
  // A selection change (mouse or keyboard) and a click on an item, also one already selected,
  // fill the selection fields; a double-click adds.
  for (ListBox* list : {ListBox1, ListBox2}) {
    connect(list, &QListWidget::itemSelectionChanged, this,
            guardedCall(&CatalogueView::ListBox1Click));
    connect(list, &QListWidget::itemClicked, this, guardedCall(&CatalogueView::ListBox1Click));
    connect(list, &ListBox::listDoubleClicked, this, guardedCall(&CatalogueView::ListBox1DblClick));
    list->installEventFilter(this);
  }
  for (ListBox* list : {ListBox3, ListBox4}) {
    connect(list, &QListWidget::itemSelectionChanged, this,
            guardedCall(&CatalogueView::ListBox3Click));
    connect(list, &QListWidget::itemClicked, this, guardedCall(&CatalogueView::ListBox3Click));
    connect(list, &ListBox::listDoubleClicked, this, guardedCall(&CatalogueView::ListBox3DblClick));
    list->installEventFilter(this);
  }
  // Picking an entry, also the one already chosen, re-applies the filters.
  for (QComboBox* box : {ComboBox1, ComboBox2}) {
    connect(box, &QComboBox::activated, this, guardedCall(&CatalogueView::ComboBox1Change));
  }
  // Enter in a search field is Enter in the list it searches.
  for (CatalogueSearch* search : {trafficSearch_, folderSearch_}) {
    connect(search, &CatalogueSearch::enterPressed, this, [this, search] {
      enterIn(search == trafficSearch_ ? activeTrafficList() : activeFolderList());
    });
  }
}

void CatalogueView::setCatalogues(Catalogue traffic, Catalogue folder) {
  traffic_ = std::move(traffic);
  folder_ = std::move(folder);
  fill(ListBox1, traffic_, nullptr);
  fill(ListBox3, folder_, nullptr);
  trafficSearch_->catalogueChanged();
  folderSearch_->catalogueChanged();
}

void CatalogueView::fill(QListWidget* list, const Catalogue& catalogue,
                         const std::vector<std::size_t>* positions) {
  // Rebuilding a list is no selection by the user.
  const QSignalBlocker blocker(list);
  list->clear();
  const std::size_t count = positions != nullptr ? positions->size() : catalogue.size();
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = positions != nullptr ? (*positions)[i] : i;
    // A row shows a long name cut short; the entry keeps it whole.
    auto* item = new QListWidgetItem(displayText(catalogue[entry]));
    item->setData(kEntryRole, QVariant::fromValue(static_cast<qulonglong>(entry)));
    list->addItem(item);
  }
}

bool CatalogueView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event)) &&
      enterIn(watched)) {
    return true;
  }
  return QObject::eventFilter(watched, event);
}

bool CatalogueView::enterIn(const QObject* list) {
  if (list == ListBox1 || list == ListBox2) {
    guarded(messages_, [this] { ListBox1KeyPress(kEnter); });
    return true;
  }
  if (list == ListBox3 || list == ListBox4) {
    guarded(messages_, [this] { ListBox3KeyDown(kEnter); });
    if (list == ListBox4) {
      ListBox4KeyPress(kEnter);
    }
    return true;
  }
  return false;
}

CatalogueSearch* CatalogueView::searchOf(const QListWidget* list) const {
  return list == ListBox1 || list == ListBox2 ? trafficSearch_ : folderSearch_;
}

QList<QWidget*> CatalogueView::trafficFocusChain() const {
  return {ComboBox1};
}

QList<QWidget*> CatalogueView::folderFocusChain() const {
  // A search field, while it is open, follows the lists it searches.
  return {ComboBox2,
          ListBox1,
          ListBox2,
          trafficSearch_->field(),
          ListBox3,
          ListBox4,
          folderSearch_->field()};
}

QListWidget* CatalogueView::activeTrafficList() const {
  return ListBox1->isVisibleTo(form_) ? ListBox1 : ListBox2;
}

QListWidget* CatalogueView::activeFolderList() const {
  return ListBox3->isVisibleTo(form_) ? ListBox3 : ListBox4;
}

std::optional<std::string> CatalogueView::selectedEntry(const QListWidget* list,
                                                        const Catalogue& catalogue) const {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  if (selected.isEmpty()) {
    return std::nullopt;
  }
  const auto entry = static_cast<std::size_t>(selected.front()->data(kEntryRole).toULongLong());
  return CopyUntil(catalogue.at(entry), '\t', 1);
}

std::optional<QImage> CatalogueView::picture(std::string_view path) const {
  try {
    return loadPicture(dataRoot_, path, previewSize_ * form_->devicePixelRatioF());
  } catch (const PictureError&) {
    return std::nullopt;
  }
}

CatalogueView::Looked CatalogueView::lookUp(std::string name, CatalogueSide side) const {
  Looked looked;
  CatalogueSelection& selection = looked.selection;
  OfferedFigures offered = offeredFigures(base_.open(), name, side);
  looked.lengthGuessed = offered.lengthGuessed();
  selection.length = std::move(offered.length);
  selection.weight = std::move(offered.weight);
  selection.lengthSource = offered.lengthSource;
  selection.weightSource = offered.weightSource;
  selection.name = std::move(name);
  return looked;
}

CatalogueView::Looked CatalogueView::trafficSelection(std::string name) const {
  Looked looked = lookUp(std::move(name), CatalogueSide::Traffic);
  CatalogueSelection& selection = looked.selection;
  // A traffic wagon never takes over the bitmap that a folder selection remembered for the next
  // position: the strip would show another wagon's picture for it (wagonPicture stays empty).
  selection.preview = picture(paths::previewPicture(selection.name));
  if (!selection.preview) {
    selection.preview = picture(paths::kNoPreviewPicture);
  }
  return looked;
}

CatalogueView::Looked CatalogueView::folderSelection(std::string name) const {
  // The folder side guesses a missing length without a notice.
  Looked looked = lookUp(std::move(name), CatalogueSide::Folder);
  CatalogueSelection& selection = looked.selection;
  // The folder wagon bitmap comes first, and is remembered for the position the next added wagon
  // takes, as its alternative picture in the strip.
  const std::string bitmap = folderWagonBitmapOf(selection.name);
  selection.preview = picture(bitmap);
  if (selection.preview) {
    selection.wagonPicture = bitmap;
    return looked;
  }
  selection.preview = picture(paths::previewPicture(selection.name));
  if (!selection.preview) {
    selection.preview = picture(paths::kNoPreviewPicture);
    looked.previewMissing = true;
  }
  return looked;
}

void CatalogueView::ListBox1Click() {
  std::optional<std::string> name = selectedEntry(activeTrafficList(), traffic_);
  if (!name) {
    return;
  }
  const Looked looked = trafficSelection(std::move(*name));
  emit lengthNotice(looked.lengthGuessed ? kLengthMissing : QString());
  emit selected(looked.selection);
}

void CatalogueView::ListBox3Click() {
  emit previewNotice(QString());
  std::optional<std::string> name = selectedEntry(activeFolderList(), folder_);
  if (!name) {
    return;
  }
  const Looked looked = folderSelection(std::move(*name));
  emit lengthNotice(QString());
  if (looked.previewMissing) {
    emit previewNotice(kPreviewMissing);
  }
  emit selected(looked.selection);
}

std::optional<CatalogueSelection> CatalogueView::draggedItem(const QMimeData& data) const {
  const QList<QByteArray> parts = data.data(QLatin1String(drag::kCatalogueItem)).split(':');
  if (parts.size() != 2) {
    return std::nullopt;
  }
  bool isNumber = false;
  const qulonglong entry = parts[1].toULongLong(&isNumber);
  const bool traffic = parts[0] == drag::kTrafficSide;
  const Catalogue& catalogue = traffic ? traffic_ : folder_;
  if (!isNumber || (!traffic && parts[0] != drag::kFolderSide) || entry >= catalogue.size()) {
    return std::nullopt;
  }
  std::string name = CopyUntil(catalogue[static_cast<std::size_t>(entry)], '\t', 1);
  return traffic ? trafficSelection(std::move(name)).selection
                 : folderSelection(std::move(name)).selection;
}

void CatalogueView::ListBox1DblClick() {
  emit addRequested();
}

void CatalogueView::ListBox1KeyPress(int character) {
  if (character == kEnter) {
    emit addRequested();
  }
}

void CatalogueView::ListBox3DblClick() {
  emit addRequested();
}

void CatalogueView::ListBox3KeyDown(int key) {
  if (key == kEnter) {
    emit addRequested();
  }
}

void CatalogueView::ListBox4KeyPress(int /*character*/) {}

void CatalogueView::ComboBox1Change() {
  const int traffic = ComboBox1->currentIndex();
  if (traffic == 0) {
    showFull(ListBox1, ListBox2);
  } else if (traffic >= 1 && traffic <= static_cast<int>(kTrafficKeywords.size())) {
    Filter(kTrafficKeywords[static_cast<std::size_t>(traffic - 1)]);
  }

  const int folders = ComboBox2->currentIndex();
  if (folders == 0) {
    showFull(ListBox3, ListBox4);
  } else if (folders == 1) {
    Filter(filters::kPassWags);
  } else if (folders == 2) {
    Filter(filters::kFreightWags);
  }
}

void CatalogueView::Filter(std::string_view keyword) {
  if (isFolderKeyword(keyword)) {
    showFiltered(ListBox3, ListBox4, folder_, folderCategory(folder_, keyword));
  } else {
    showFiltered(ListBox1, ListBox2, traffic_, trafficCategory(traffic_, keyword, base_));
  }
}

void CatalogueView::showFiltered(QListWidget* full, QListWidget* filtered,
                                 const Catalogue& catalogue,
                                 const std::vector<std::size_t>& positions) {
  full->hide();
  filtered->show();
  fill(filtered, catalogue, &positions);
  // An open search narrows the rebuilt list too.
  searchOf(full)->reapply();
}

void CatalogueView::showFull(QListWidget* full, QListWidget* filtered) {
  full->show();
  filtered->hide();
  searchOf(full)->reapply();
}

}  // namespace rakewright
