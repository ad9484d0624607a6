#include "app/catalogue_view.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <array>
#include <optional>

#include "app/main_window.h"
#include "app/picture_loader.h"
#include "app/qt_text.h"
#include "app/widgets.h"
#include "reference/catalogues.h"
#include "reference/data_paths.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {

namespace {

const QString kLengthMissing = QStringLiteral("Не найдена длина вагона в базе");
const QString kPreviewMissing =
    QStringLiteral("Ну удалось загрузить предпросмотр для этого вагона!");

// Status panels, counted from 0.
constexpr int kLengthPanel = 1;
constexpr int kPreviewPanel = 2;

constexpr int kEnter = 13;

// The traffic filter's entries 1 to 5, in the order of ComboBox1's items.
constexpr std::array<std::string_view, 5> kTrafficKeywords = {
    sections::kPass, sections::kFreight, sections::kLocos, sections::kMvps, sections::kSpec};

// The passenger folder suffixes and the picture kind each stands for.
constexpr std::string_view kCupSuffix = "-cup";
constexpr std::string_view kPlacSuffix = "-plac";

// Removes every occurrence of `what` in one pass from the left; true when anything was removed.
bool removeAll(std::string& text, std::string_view what) {
  std::string result;
  bool removed = false;
  std::size_t from = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, from)) {
    result.append(text, from, at - from);
    from = at + what.size();
    removed = true;
  }
  if (removed) {
    result.append(text, from, std::string::npos);
    text = std::move(result);
  }
  return removed;
}

bool isEnter(const QKeyEvent* event) {
  return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// The folder side counts an item as a passenger wagon when its text holds "cup" or "plac".
bool isPassengerItem(const QString& text) {
  return text.contains(QLatin1String("cup")) || text.contains(QLatin1String("plac"));
}

}  // namespace

CatalogueView::CatalogueView(TForm1& form) : QObject(&form), form_(form) {
  // A text typed into a filter box never becomes an entry of its own.
  form_.ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  form_.ComboBox2->setInsertPolicy(QComboBox::NoInsert);
  connectSignals();
}

void CatalogueView::connectSignals() {
  const auto guardedCall = [this](void (CatalogueView::*handler)()) {
    return [this, handler] { form_.guarded([&] { (this->*handler)(); }); };
  };
  // A selection change (mouse or keyboard) and a click on an item, also one already selected,
  // fill the selection fields; a double-click adds.
  for (QListWidget* list : {form_.ListBox1, form_.ListBox2}) {
    connect(list, &QListWidget::itemSelectionChanged, this,
            guardedCall(&CatalogueView::ListBox1Click));
    connect(list, &QListWidget::itemClicked, this, guardedCall(&CatalogueView::ListBox1Click));
    connect(list, &QListWidget::itemDoubleClicked, this,
            guardedCall(&CatalogueView::ListBox1DblClick));
    list->installEventFilter(this);
  }
  for (QListWidget* list : {form_.ListBox3, form_.ListBox4}) {
    connect(list, &QListWidget::itemSelectionChanged, this,
            guardedCall(&CatalogueView::ListBox3Click));
    connect(list, &QListWidget::itemClicked, this, guardedCall(&CatalogueView::ListBox3Click));
    connect(list, &QListWidget::itemDoubleClicked, this,
            guardedCall(&CatalogueView::ListBox3DblClick));
    list->installEventFilter(this);
  }
  // Picking an entry, also the one already chosen, re-applies the filters.
  for (QComboBox* box : {form_.ComboBox1, form_.ComboBox2}) {
    connect(box, &QComboBox::activated, this, guardedCall(&CatalogueView::ComboBox1Change));
  }
}

bool CatalogueView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent*>(event))) {
    return QObject::eventFilter(watched, event);
  }
  if (watched == form_.ListBox1 || watched == form_.ListBox2) {
    form_.guarded([this] { ListBox1KeyPress(kEnter); });
    return true;
  }
  if (watched == form_.ListBox3 || watched == form_.ListBox4) {
    form_.guarded([this] { ListBox3KeyDown(kEnter); });
    if (watched == form_.ListBox4) {
      ListBox4KeyPress(kEnter);
    }
    return true;
  }
  return QObject::eventFilter(watched, event);
}

QListWidget* CatalogueView::activeTrafficList() const {
  return form_.ListBox1->isVisibleTo(&form_) ? form_.ListBox1 : form_.ListBox2;
}

QListWidget* CatalogueView::activeFolderList() const {
  return form_.ListBox3->isVisibleTo(&form_) ? form_.ListBox3 : form_.ListBox4;
}

std::string CatalogueView::selectedName(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  if (selected.isEmpty()) {
    return {};
  }
  // The items came from Windows-1251 text, so they always convert back.
  return CopyUntil(toCp1251(selected.front()->text()).value_or(std::string()), '\t', 1);
}

bool CatalogueView::showPreview(std::string_view path) {
  try {
    form_.PreviewImage->setImage(loadPicture(form_.anchors().dataRoot, path));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::optional<std::string> CatalogueView::takeSelection(
    const QListWidget* list, std::string (*lengthGuess)(std::string_view), bool& lengthGuessed) {
  if (list->selectedItems().isEmpty()) {
    return std::nullopt;
  }
  const std::string name = selectedName(list);
  form_.NameEdit->setText(fromCp1251(name));

  const RollingStockBase::View base = form_.base().open();
  std::string length = base.length(name, kNoLength);
  form_.Edit1->setText(fromCp1251(base.weight(name)));
  form_.StatusBar1->setPanelText(kLengthPanel, QString());
  lengthGuessed = length == kNoLength;
  if (lengthGuessed) {
    length = lengthGuess(name);
  }
  form_.LengthEdit->setText(fromCp1251(length));
  return name;
}

void CatalogueView::ListBox1Click() {
  bool lengthGuessed = false;
  const std::optional<std::string> name =
      takeSelection(activeTrafficList(), &trafficLengthGuess, lengthGuessed);
  if (!name) {
    return;
  }
  if (lengthGuessed) {
    form_.StatusBar1->setPanelText(kLengthPanel, kLengthMissing);
  }

  // A traffic wagon never takes over the bitmap that a folder selection remembered for the next
  // position: the strip would show another wagon's picture for it.
  ConsistModel& model = form_.model();
  model.setWagonImage(model.WagonCount() + 1, std::string());

  if (!showPreview(paths::previewPicture(*name))) {
    showPreview(paths::kNoPreviewPicture);
  }
}

void CatalogueView::ListBox3Click() {
  form_.StatusBar1->setPanelText(kPreviewPanel, QString());
  // The folder side guesses a missing length without a notice.
  bool lengthGuessed = false;
  const std::optional<std::string> selected =
      takeSelection(activeFolderList(), &folderLengthGuess, lengthGuessed);
  if (!selected) {
    return;
  }
  const std::string& name = *selected;

  // "X-cup" and "X-plac" are the two sets of the passenger folder X; anything else is taken as a
  // folder of its own with no set.
  std::string folder = name;
  std::string_view kind;
  if (removeAll(folder, kCupSuffix)) {
    kind = kCupSuffix.substr(1);
  } else if (removeAll(folder, kPlacSuffix)) {
    kind = kPlacSuffix.substr(1);
  }
  const std::string bitmap = paths::folderWagonBitmap(folder, kind);

  // The bitmap is remembered for the position the next added wagon takes, as its alternative
  // picture in the strip.
  ConsistModel& model = form_.model();
  const int nextPosition = model.WagonCount() + 1;
  if (showPreview(bitmap)) {
    model.setWagonImage(nextPosition, bitmap);
    return;
  }
  model.setWagonImage(nextPosition, std::string());
  if (showPreview(paths::previewPicture(name))) {
    return;
  }
  showPreview(paths::kNoPreviewPicture);
  form_.StatusBar1->setPanelText(kPreviewPanel, kPreviewMissing);
}

void CatalogueView::ListBox1DblClick() {
  form_.addPS();
}

void CatalogueView::ListBox1KeyPress(int character) {
  if (character == kEnter) {
    form_.addPS();
  }
}

void CatalogueView::ListBox3DblClick() {
  form_.addPS();
}

void CatalogueView::ListBox3KeyDown(int key) {
  if (key == kEnter) {
    form_.addPS();
  }
}

void CatalogueView::ListBox4KeyPress(int /*character*/) {}

void CatalogueView::ComboBox1Change() {
  const int traffic = form_.ComboBox1->currentIndex();
  if (traffic == 0) {
    form_.ListBox1->show();
    form_.ListBox2->hide();
  } else if (traffic >= 1 && traffic <= static_cast<int>(kTrafficKeywords.size())) {
    Filter(kTrafficKeywords[static_cast<std::size_t>(traffic - 1)]);
  }

  const int folders = form_.ComboBox2->currentIndex();
  if (folders == 0) {
    form_.ListBox3->show();
    form_.ListBox4->hide();
  } else if (folders == 1) {
    Filter(kPassWags);
  } else if (folders == 2) {
    Filter(kFreightWags);
  }
}

void CatalogueView::Filter(std::string_view keyword) {
  if (keyword == kPassWags || keyword == kFreightWags) {
    filterFolders(keyword);
  } else {
    filterTraffic(keyword);
  }
}

void CatalogueView::filterTraffic(std::string_view section) {
  QListWidget* full = form_.ListBox1;
  QListWidget* filtered = form_.ListBox2;
  full->hide();
  filtered->show();
  // Rebuilding the list is no selection by the user.
  const QSignalBlocker blocker(filtered);
  filtered->clear();
  QStringList members;
  for (int i = 0; i < full->count(); ++i) {
    const QString text = full->item(i)->text();
    // Each item sees the base as it is at that moment.
    if (form_.base().open().isMember(section, toCp1251(text).value_or(std::string()))) {
      members.append(text);
    }
  }
  filtered->addItems(members);
}

void CatalogueView::filterFolders(std::string_view keyword) {
  QListWidget* full = form_.ListBox3;
  QListWidget* filtered = form_.ListBox4;
  full->hide();
  filtered->show();
  const QSignalBlocker blocker(filtered);
  filtered->clear();
  const bool wantPassenger = keyword == kPassWags;
  QStringList items;
  for (int i = 0; i < full->count(); ++i) {
    const QString text = full->item(i)->text();
    if (isPassengerItem(text) == wantPassenger) {
      items.append(text);
    }
  }
  filtered->addItems(items);
}

}  // namespace rakewright
