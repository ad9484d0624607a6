// Picking rolling stock: what a selection in either catalogue puts into the selection fields, the
// preview and the status bar, the bitmap remembered for the next wagon, adding with double-click
// and Enter, the two filter boxes, and dragging items out of the lists.
#include <QComboBox>
#include <QDrag>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <optional>

#include "app/catalogue/catalogue_pane.h"
#include "app/catalogue/drag_payloads.h"
#include "app/common/qt_text.h"
#include "app/support/app_test_support.h"

namespace rakewright::testing {
namespace {

const QColor kCupBitmapColour(0xE0, 0xC0, 0x20);
const QColor kOtherBitmapColour(0x80, 0x20, 0xA0);
const QColor kPreviewColour(0x10, 0xD0, 0xD0);

const QString kLengthMissing = QStringLiteral("Не найдена длина вагона в базе");
const QString kPreviewMissing =
    QStringLiteral("Ну удалось загрузить предпросмотр для этого вагона!");

// Traffic list: Cyrillic "Вагон_ЦМВ" (in the base as a locomotive) and names the base knows
// in each category, plus two it does not.
void writeCatalogueRoot(const TempFolder& root) {
  writeSimulatorRoot(root,
                     "Tank\r\nBIG_FLATCAR\r\n\xC2\xE0\xE3\xEE\xED_\xD6\xCC\xC2\r\nEmu3\r\n"
                     "Crane\r\nSleeper-cup\r\nunknown_box\r\n");
  root.write("data/consists/base.ini",
             "[PASS]\r\nSleeper-cup=24.5\r\nBlue-cup=26\r\n"
             "[FREIGHT]\r\nTank=12.5\r\nHopper=14\r\n"
             "[LOCOS]\r\n\xE2\xE0\xE3\xEE\xED_\xF6\xEC\xE2=21\r\n"
             "[MVPS]\r\nEmu3=20.2\r\n"
             "[SPEC]\r\nCrane=16\r\n"
             "[WEIGHTS]\r\nTank=58.5\r\nSleeper-cup=60\r\n"
             "[OSI]\r\nTank=4\r\nHopper=6\r\n");
  // Passenger folders: Blue with its cup bitmap, Grey without bitmaps but with a preview of its
  // cup wagon, A and A-plac with cup bitmaps of different colours, A-cup without files.
  root.write("data/pass_wags/Blue/cup_wagon.bmp", bmpBytes(kCupBitmapColour));
  root.write("data/pass_wags/Grey/plac_wagon.dmd", "model");
  root.write("data/consists/Preview/Grey-cup.jpg", jpegBytes(kPreviewColour));
  root.write("data/pass_wags/A/cup_wagon.bmp", bmpBytes(kCupBitmapColour));
  root.write("data/pass_wags/A-plac/cup_wagon.bmp", bmpBytes(kOtherBitmapColour));
  root.write("data/pass_wags/A-cup/readme.txt", "");
  // A freight folder with the bitmap that its folder-catalogue name leads to.
  root.write("data/freight_wags/Boxcar/box.dmd", "model");
  root.write("data/pass_wags/Boxcar/_wagon.bmp", bmpBytes(kOtherBitmapColour));
}

// The main window started on the catalogue folder.
struct Started : StartedWindow {
  Started() : StartedWindow(&writeCatalogueRoot) {}
};

QString selection(const Window& window) {
  return QStringList{window.nameField->text(), window.lengthField->text(),
                     window.weightField->text()}
      .join(QLatin1Char('|'));
}

// The drags a list starts, recorded instead of run through the platform's drag loop, with what
// the catalogue side reads from each.
struct DragRecord {
  QByteArray payload;
  Qt::DropActions actions;
  std::optional<CatalogueSelection> item;
};

bool recordDrags(ListBox* list, const Window& window, QList<DragRecord>& records) {
  list->setDragExec([&window, &records](QDrag& drag, Qt::DropActions actions) {
    std::optional<CatalogueSelection> item = window.trafficPane->draggedItem(*drag.mimeData());
    if (!item) {
      item = window.folderPane->draggedItem(*drag.mimeData());
    }
    records.append(
        {drag.mimeData()->data(QLatin1String(drag::kCatalogueItem)), actions, std::move(item)});
  });
  return true;
}

// The left button pressed on the row of `index`, the mouse moved `rows` rows down (13 pixels each,
// past the drag distance) and the button released there.
void dragRow(ListBox* list, const QModelIndex& index, int rows = 3) {
  const QPoint from = list->visualRect(index).center();
  const QPoint to = from + QPoint(0, ListBox::kRowHeight * rows);
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, from);
  QTest::mouseMove(list->viewport(), from + QPoint(0, 2));
  QTest::mouseMove(list->viewport(), to);
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, to);
}

class CataloguePaneTest : public QObject {
  Q_OBJECT

 private slots:
  void trafficSelectionFillsFieldsAndNotice();
  void folderSelectionTriesBitmapPreviewNoPreview();
  void passengerSuffixesAreRemovedEverywhere();
  void trafficSelectionForgetsFolderBitmap();
  void filtersEachSide();
  void filterBoxChangeRebuildsOtherSide();
  void enterAddsOnceInEveryList();
  void doubleClickSelectsThenAdds();
  void doubleClickBelowTheLastRowAddsTheSelection();
  void arrowKeysSelect();
  void rowsSitWhereAClassicListBoxHasThem();
  void selectionToSavedFile();
  void dragCarriesTheItemAndKeepsTheSelection();
  void pressWithoutDragSelectsOnRelease();
  void draggedItemGivesWhatSelectingGives();
  void dragThroughThePlatformLeavesTheListUsable();
};

void CataloguePaneTest::trafficSelectionFillsFieldsAndNotice() {
  Started started;
  Window* const window = started.window.get();

  // Unknown to the base: the guess from "flat" in the folded name, the default weight, the notice.
  selectRow(window->trafficList, QStringLiteral("BIG_FLATCAR"));
  QCOMPARE(selection(*window), QStringLiteral("BIG_FLATCAR|14.5|50"));
  QCOMPARE(window->statusBar->panelText(1), kLengthMissing);
  QVERIFY(nearlyEqual(centreColour(window->preview), kNoPreviewColour));

  // Known: the notice goes.
  selectRow(window->trafficList, QStringLiteral("Tank"));
  QCOMPARE(selection(*window), QStringLiteral("Tank|12.5|58.5"));
  QCOMPARE(window->statusBar->panelText(1), QString());

  // Found through a Cyrillic key in another letter case.
  selectRow(window->trafficList, QStringLiteral("Вагон_ЦМВ"));
  QCOMPARE(selection(*window), QStringLiteral("Вагон_ЦМВ|21|50"));

  // An edit to the base shows at the next selection, without a restart.
  started.root.write("data/consists/base.ini",
                     "[FREIGHT]\r\nTank=13.75\r\n[WEIGHTS]\r\nTank=61\r\n");
  selectRow(window->trafficList, QStringLiteral("Crane"));
  selectRow(window->trafficList, QStringLiteral("Tank"));
  QCOMPARE(selection(*window), QStringLiteral("Tank|13.75|61"));
  QVERIFY(started.messages.errors.isEmpty());
}

void CataloguePaneTest::folderSelectionTriesBitmapPreviewNoPreview() {
  Started started;
  Window* const window = started.window.get();

  // The folder wagon bitmap: shown, and remembered for the next position.
  selectRow(window->folderList, QStringLiteral("Blue-cup"));
  QCOMPARE(selection(*window), QStringLiteral("Blue-cup|26|50"));
  QVERIFY(nearlyEqual(centreColour(window->preview), kCupBitmapColour));
  QCOMPARE(window->statusBar->panelText(2), QString());  // the count message is gone
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture,
           std::string("data/pass_wags/Blue/cup_wagon.bmp"));
  // Added, the wagon has no preview of its own, so the strip shows the bitmap.
  window->addButton->click();
  QCOMPARE(window->slotName1->text(), QStringLiteral("Blue-cup"));
  QVERIFY(nearlyEqual(centreColour(window->slotPicture1), kCupBitmapColour));

  // No bitmap but a preview: the preview, and nothing remembered for position 2 (where the
  // bitmap of the same selection again would stand).
  window->folderList->clearSelection();
  selectRow(window->folderList, QStringLiteral("Blue-cup"));
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture,
           std::string("data/pass_wags/Blue/cup_wagon.bmp"));
  selectRow(window->folderList, QStringLiteral("Grey-cup"));
  QCOMPARE(selection(*window), QStringLiteral("Grey-cup|25|50"));  // folder guess for "cup"
  QVERIFY(nearlyEqual(centreColour(window->preview), kPreviewColour));
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture, std::string());
  QCOMPARE(window->statusBar->panelText(2), QString());

  // Neither: the no-preview picture and the notice.
  selectRow(window->folderList, QStringLiteral("Grey-plac"));
  QVERIFY(nearlyEqual(centreColour(window->preview), kNoPreviewColour));
  QCOMPARE(window->statusBar->panelText(2), kPreviewMissing);
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture, std::string());

  // A freight folder leads to "_wagon.bmp" in the passenger folder of its name; its length is
  // the base's.
  selectRow(window->folderList, QStringLiteral("Boxcar"));
  QCOMPARE(selection(*window), QStringLiteral("Boxcar|14|50"));
  QVERIFY(nearlyEqual(centreColour(window->preview), kOtherBitmapColour));
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture,
           std::string("data/pass_wags/Boxcar/_wagon.bmp"));
  QCOMPARE(window->statusBar->panelText(2), QString());
  QVERIFY(started.messages.errors.isEmpty());
}

void CataloguePaneTest::passengerSuffixesAreRemovedEverywhere() {
  Started started;
  Window* const window = started.window.get();

  // "A-plac-cup": only "-cup" is removed, the folder is "A-plac".
  selectRow(window->folderList, QStringLiteral("A-plac-cup"));
  QVERIFY(nearlyEqual(centreColour(window->preview), kOtherBitmapColour));
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture,
           std::string("data/pass_wags/A-plac/cup_wagon.bmp"));

  // "A-cup-cup": every "-cup" goes, the folder is "A".
  selectRow(window->folderList, QStringLiteral("A-cup-cup"));
  QVERIFY(nearlyEqual(centreColour(window->preview), kCupBitmapColour));
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture,
           std::string("data/pass_wags/A/cup_wagon.bmp"));

  // "A-cup-plac": "-cup" is removed first, so the kind is "cup" and the folder "A-plac".
  selectRow(window->folderList, QStringLiteral("A-cup-plac"));
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture,
           std::string("data/pass_wags/A-plac/cup_wagon.bmp"));
}

void CataloguePaneTest::trafficSelectionForgetsFolderBitmap() {
  Started started;
  Window* const window = started.window.get();

  selectRow(window->folderList, QStringLiteral("Blue-cup"));
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture,
           std::string("data/pass_wags/Blue/cup_wagon.bmp"));
  selectRow(window->trafficList, QStringLiteral("Tank"));
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture, std::string());
  window->addButton->click();
  // Tank has no preview and no bitmap of its own: the no-preview picture, not the coach.
  QVERIFY(nearlyEqual(centreColour(window->slotPicture1), kNoPreviewColour));
}

void CataloguePaneTest::filtersEachSide() {
  Started started;
  Window* const window = started.window.get();
  QVERIFY(window->trafficList->isVisible());
  QVERIFY(!window->trafficFiltered->isVisible());

  selectRow(window->trafficList, QStringLiteral("Emu3"));
  const QList<QPair<int, QStringList>> traffic = {
      {1, {QStringLiteral("Sleeper-cup")}}, {2, {QStringLiteral("Tank")}},
      {3, {QStringLiteral("Вагон_ЦМВ")}},   {4, {QStringLiteral("Emu3")}},
      {5, {QStringLiteral("Crane")}},
  };
  for (const auto& [entry, expected] : traffic) {
    chooseEntry(window->trafficFilter, entry);
    QVERIFY(!window->trafficList->isVisible());
    QVERIFY(window->trafficFiltered->isVisible());
    QCOMPARE(rowTexts(window->trafficFiltered), expected);
    QCOMPARE(window->trafficPane->activeList(), window->trafficFiltered);
  }
  // A selection in the filtered list works like one in the full list.
  selectRow(window->trafficFiltered, QStringLiteral("Crane"));
  QCOMPARE(selection(*window), QStringLiteral("Crane|16|50"));

  // Back to the whole list, with its earlier selection; the filtered list keeps its items.
  chooseEntry(window->trafficFilter, 0);
  QVERIFY(window->trafficList->isVisible());
  QVERIFY(!window->trafficFiltered->isVisible());
  QCOMPARE(currentText(window->trafficList), QStringLiteral("Emu3"));
  QCOMPARE(rowTexts(window->trafficFiltered), QStringList{QStringLiteral("Crane")});

  // The folder side: passenger items hold "cup" or "plac" anywhere.
  chooseEntry(window->folderFilter, 1);
  QVERIFY(!window->folderList->isVisible());
  QVERIFY(window->folderFiltered->isVisible());
  QVERIFY(rowTexts(window->folderFiltered).contains(QStringLiteral("A-cup-plac")));
  QVERIFY(!rowTexts(window->folderFiltered).contains(QStringLiteral("Hopper")));
  QCOMPARE(rowTexts(window->folderFiltered).size(),
           14);  // seven passenger folders, two entries each
  chooseEntry(window->folderFilter, 2);
  QCOMPARE(rowTexts(window->folderFiltered),
           (QStringList{QStringLiteral("Boxcar"), QStringLiteral("Hopper")}));
  chooseEntry(window->folderFilter, 0);
  QVERIFY(window->folderList->isVisible());
  QVERIFY(!window->folderFiltered->isVisible());

  // Without a base no traffic item belongs to any category.
  QFile::remove(QString::fromStdString(started.root / "data/consists/base.ini"));
  chooseEntry(window->trafficFilter, 2);
  QCOMPARE(window->trafficFiltered->model()->rowCount(), 0);
  QVERIFY(started.messages.errors.isEmpty());
}

void CataloguePaneTest::filterBoxChangeRebuildsOtherSide() {
  Started started;
  Window* const window = started.window.get();

  chooseEntry(window->trafficFilter, 3);  // locomotives
  selectRow(window->trafficFiltered, QStringLiteral("Вагон_ЦМВ"));
  QCOMPARE(selectedCount(window->trafficFiltered), 1);

  // A choice in the folder box re-runs the traffic filter too: rebuilt, without a selection, and
  // the selection fields stay as they were.
  window->folderFilter->setCurrentIndex(2);
  emit window->folderFilter->activated(2);
  QCOMPARE(rowTexts(window->trafficFiltered), QStringList{QStringLiteral("Вагон_ЦМВ")});
  QCOMPARE(selectedCount(window->trafficFiltered), 0);
  QCOMPARE(selection(*window), QStringLiteral("Вагон_ЦМВ|21|50"));
  QVERIFY(window->folderFiltered->isVisible());

  // Typing into a filter box and pressing Enter adds no entry of its own.
  window->trafficFilter->setFocus();
  window->trafficFilter->setEditText(QStringLiteral("xyz"));
  QTest::keyClick(window->trafficFilter, Qt::Key_Return);
  QCOMPARE(window->trafficFilter->count(), 6);
}

void CataloguePaneTest::enterAddsOnceInEveryList() {
  Started started;
  Window* const window = started.window.get();

  selectRow(window->trafficList, QStringLiteral("Tank"));
  QTest::keyClick(window->trafficList, Qt::Key_Return);
  QCOMPARE(window->model().wagonCount(), 1);
  QTest::keyClick(window->trafficList, Qt::Key_Enter);  // the keypad's Enter too
  QCOMPARE(window->model().wagonCount(), 2);

  chooseEntry(window->trafficFilter, 2);
  selectRow(window->trafficFiltered, QStringLiteral("Tank"));
  QTest::keyClick(window->trafficFiltered, Qt::Key_Return);
  QCOMPARE(window->model().wagonCount(), 3);

  selectRow(window->folderList, QStringLiteral("Hopper"));
  QTest::keyClick(window->folderList, Qt::Key_Return);
  QCOMPARE(window->model().wagonCount(), 4);

  chooseEntry(window->folderFilter, 1);
  selectRow(window->folderFiltered, QStringLiteral("Blue-cup"));
  QTest::keyClick(window->folderFiltered, Qt::Key_Return);
  QCOMPARE(window->model().wagonCount(), 5);
  QCOMPARE(window->consistLines->toPlainText(),
           QStringLiteral("1\tTank\t12.5\n1\tTank\t12.5\n1\tTank\t12.5\n1\tHopper\t14\n"
                          "1\tBlue-cup\t26"));

  // Other keys add nothing.
  QTest::keyClick(window->folderFiltered, Qt::Key_A);
  QTest::keyClick(window->trafficList, Qt::Key_Space);
  QCOMPARE(window->model().wagonCount(), 5);
}

void CataloguePaneTest::doubleClickSelectsThenAdds() {
  Started started;
  Window* const window = started.window.get();

  ListBox* list = window->folderList;
  const QPoint centre = rowCentre(list, QStringLiteral("Hopper"));
  // What a real double-click delivers: a click, then the double-click.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
  QCOMPARE(currentText(list), QStringLiteral("Hopper"));
  QCOMPARE(selection(*window), QStringLiteral("Hopper|14|50"));
  QCOMPARE(window->consistLines->toPlainText(), QStringLiteral("1\tHopper\t14"));
  QCOMPARE(window->axlesTotal->text(), QStringLiteral("6"));
}

void CataloguePaneTest::doubleClickBelowTheLastRowAddsTheSelection() {
  Started started;
  Window* const window = started.window.get();

  // With nothing selected, the empty name is refused silently.
  ListBox* list = window->trafficList;
  const QPoint belowLastRow(60, list->viewport()->height() - 5);
  QVERIFY(!list->indexAt(belowLastRow).isValid());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, belowLastRow);
  QCOMPARE(window->model().wagonCount(), 0);
  QVERIFY(started.messages.errors.isEmpty());

  // The selected item is added, once per double-click, on either side.
  selectRow(list, QStringLiteral("Tank"));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, belowLastRow);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, belowLastRow);
  QCOMPARE(window->consistLines->toPlainText(), QStringLiteral("1\tTank\t12.5"));
  selectRow(window->folderList, QStringLiteral("Hopper"));
  QTest::mouseDClick(window->folderList->viewport(), Qt::LeftButton, {},
                     QPoint(60, window->folderList->viewport()->height() - 5));
  QCOMPARE(window->consistLines->toPlainText(), QStringLiteral("1\tTank\t12.5\n1\tHopper\t14"));
  // Another button adds nothing.
  QTest::mouseDClick(list->viewport(), Qt::RightButton, {}, belowLastRow);
  QCOMPARE(window->model().wagonCount(), 2);
  QVERIFY(started.messages.errors.isEmpty());
}

void CataloguePaneTest::arrowKeysSelect() {
  Started started;
  Window* const window = started.window.get();

  selectRow(window->trafficList, QStringLiteral("Tank"));
  QTest::keyClick(window->trafficList, Qt::Key_Down);
  QCOMPARE(selection(*window), QStringLiteral("BIG_FLATCAR|14.5|50"));
  QCOMPARE(window->statusBar->panelText(1), kLengthMissing);
  QTest::keyClick(window->trafficList, Qt::Key_Up);
  QCOMPARE(selection(*window), QStringLiteral("Tank|12.5|58.5"));
  QCOMPARE(window->statusBar->panelText(1), QString());
}

void CataloguePaneTest::rowsSitWhereAClassicListBoxHasThem() {
  Started started;
  Window* const window = started.window.get();

  // Row k of ListBox1 (Top 44) is at window y 44 + 2 + 13k; clicked there, it is selected.
  ListBox* list = window->trafficList;
  for (int row : {0, 3, 6}) {
    const QPoint inWindow(60, 44 + 2 + 13 * row + 6);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->viewport()->mapFrom(window->mainWindow, inWindow));
    QCOMPARE(list->currentIndex().row(), row);
    QCOMPARE(window->nameField->text(), rowTexts(list)[row]);
  }
  // A click below the last row keeps the selection.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(60, 13 * 10));
  QCOMPARE(selectedCount(list), 1);
  QCOMPARE(list->currentIndex().row(), 6);
}

void CataloguePaneTest::selectionToSavedFile() {
  Started started;
  Window* const window = started.window.get();

  selectRow(window->trafficList, QStringLiteral("Вагон_ЦМВ"));
  QTest::keyClick(window->trafficList, Qt::Key_Return);
  selectRow(window->folderList, QStringLiteral("Sleeper-cup"));
  QTest::keyClick(window->folderList, Qt::Key_Return);
  selectRow(window->trafficList, QStringLiteral("unknown_box"));
  window->weightField->setText(QStringLiteral("22.5"));  // a weight typed over the base's
  window->addButton->click();

  window->fileBox->setEditText(QStringLiteral("Поезд_1"));
  window->saveButton->click();
  QVERIFY(started.messages.errors.isEmpty());
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("Поезд_1.con"));
  QCOMPARE(started.root.read("data/consists/Поезд_1.con"),
           std::string("1\t\xC2\xE0\xE3\xEE\xED_\xD6\xCC\xC2\t21\r\n"
                       "1\tSleeper-cup\t24.5\r\n"
                       "1\tunknown_box\t14.5\r\n"
                       ";132.5\t12\t3\r\n"));
}

void CataloguePaneTest::dragCarriesTheItemAndKeepsTheSelection() {
  Started started;
  Window* const window = started.window.get();
  QList<DragRecord> drags;
  for (ListBox* list :
       {window->trafficList, window->trafficFiltered, window->folderList, window->folderFiltered}) {
    QVERIFY(recordDrags(list, *window, drags));
  }

  // The full traffic list: item 2 is entry 2. Crane stays selected, and so do the fields.
  selectRow(window->trafficList, QStringLiteral("Crane"));
  QSignalSpy clicks(window->trafficList, &QAbstractItemView::clicked);
  dragRow(window->trafficList, rowNamed(window->trafficList, QStringLiteral("Вагон_ЦМВ")));
  QCOMPARE(drags.size(), 1);
  QCOMPARE(drags[0].payload, QByteArray("traffic:2"));
  QCOMPARE(drags[0].actions, Qt::DropActions(Qt::CopyAction));
  QCOMPARE(currentText(window->trafficList), QStringLiteral("Crane"));
  QCOMPARE(selectedCount(window->trafficList), 1);
  QCOMPARE(selection(*window), QStringLiteral("Crane|16|50"));
  QCOMPARE(clicks.size(), 0);

  // The selected item drags as well, and the release after the drag is no click.
  dragRow(window->trafficList, window->trafficList->currentIndex(), -2);
  QCOMPARE(drags.size(), 2);
  QCOMPARE(drags[1].payload, QByteArray("traffic:4"));
  QCOMPARE(currentText(window->trafficList), QStringLiteral("Crane"));
  QCOMPARE(clicks.size(), 0);

  // A filtered list carries the catalogue entry, not the row.
  chooseEntry(window->trafficFilter, 5);  // special equipment: Crane alone
  dragRow(window->trafficFiltered, window->trafficFiltered->model()->index(0, 0), 1);
  QCOMPARE(drags.size(), 3);
  QCOMPARE(drags[2].payload, QByteArray("traffic:4"));
  QCOMPARE(selectedCount(window->trafficFiltered), 0);

  // The folder side: in the full list the row is the entry; in the filtered one it is not.
  selectRow(window->folderList, QStringLiteral("Blue-cup"));
  const int hopper = rowNamed(window->folderList, QStringLiteral("Hopper")).row();
  dragRow(window->folderList, window->folderList->model()->index(hopper, 0), -3);
  QCOMPARE(drags.size(), 4);
  QCOMPARE(drags[3].payload, QByteArray("folder:") + QByteArray::number(hopper));
  QCOMPARE(currentText(window->folderList), QStringLiteral("Blue-cup"));
  QCOMPARE(selection(*window), QStringLiteral("Blue-cup|26|50"));
  chooseEntry(window->folderFilter, 2);  // freight folders: Boxcar, Hopper
  dragRow(window->folderFiltered, rowNamed(window->folderFiltered, QStringLiteral("Hopper")), -1);
  QCOMPARE(drags.size(), 5);
  QCOMPARE(drags[4].payload, QByteArray("folder:") + QByteArray::number(hopper));
  QCOMPARE(selectedCount(window->folderFiltered), 0);
  QCOMPARE(window->model().wagonCount(), 0);
  QVERIFY(started.messages.errors.isEmpty());
}

void CataloguePaneTest::pressWithoutDragSelectsOnRelease() {
  Started started;
  Window* const window = started.window.get();
  QList<DragRecord> drags;
  ListBox* list = window->trafficList;
  QVERIFY(recordDrags(list, *window, drags));
  QSignalSpy clicks(list, &QAbstractItemView::clicked);
  QSignalSpy selections(list->selectionModel(), &QItemSelectionModel::selectionChanged);

  // Held: nothing selected yet. Released after a move shorter than the drag distance: a click.
  const QPoint centre = rowCentre(list, QStringLiteral("Tank"));
  const QString before = selection(*window);
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centre);
  QCOMPARE(selectedCount(list), 0);
  QCOMPARE(selection(*window), before);
  QTest::mouseMove(list->viewport(), centre + QPoint(2, 1));
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre + QPoint(2, 1));
  QCOMPARE(currentText(list), QStringLiteral("Tank"));
  QCOMPARE(clicks.size(), 1);
  QCOMPARE(selections.size(), 1);
  QCOMPARE(selection(*window), QStringLiteral("Tank|12.5|58.5"));
  QVERIFY(drags.isEmpty());

  // Another button selects at the press, as before.
  const QPoint crane = rowCentre(list, QStringLiteral("Crane"));
  QTest::mousePress(list->viewport(), Qt::RightButton, {}, crane);
  QCOMPARE(currentText(list), QStringLiteral("Crane"));
  QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, crane);
  QVERIFY(drags.isEmpty());

  // A list rebuilt under the held button: the release selects nothing rather than the item that
  // now stands there.
  chooseEntry(window->folderFilter, 2);  // Boxcar, Hopper
  ListBox* folders = window->folderFiltered;
  const QPoint second = folders->visualRect(folders->model()->index(1, 0)).center();
  QTest::mousePress(folders->viewport(), Qt::LeftButton, {}, second);
  chooseEntry(window->folderFilter, 1);
  QTest::mouseRelease(folders->viewport(), Qt::LeftButton, {}, second);
  QCOMPARE(selectedCount(folders), 0);
  QCOMPARE(selection(*window), QStringLiteral("Crane|16|50"));

  // Rows shown again under the held button (the search closed): the item held moved away and
  // another one stands at the press.
  ListBox* traffic = window->trafficList;
  traffic->clearSelection();
  QTest::keyClick(traffic, Qt::Key_N);  // Tank, Crane, unknown_box
  const QPoint third = rowCentre(traffic, QStringLiteral("unknown_box"));
  QTest::mousePress(traffic->viewport(), Qt::LeftButton, {}, third);
  QTest::keyClick(control<QLineEdit>(*window->mainWindow, "TrafficSearch"), Qt::Key_Escape);
  QCOMPARE(traffic->indexAt(third).data().toString(), QStringLiteral("Вагон_ЦМВ"));
  QTest::mouseRelease(traffic->viewport(), Qt::LeftButton, {}, third);
  QCOMPARE(selectedCount(traffic), 0);
  QVERIFY(started.messages.errors.isEmpty());
}

void CataloguePaneTest::draggedItemGivesWhatSelectingGives() {
  Started started;
  Window* const window = started.window.get();
  QList<DragRecord> drags;
  QVERIFY(recordDrags(window->trafficList, *window, drags));
  QVERIFY(recordDrags(window->folderList, *window, drags));

  // A traffic item unknown to the base: the guess, no remembered picture, the no-preview picture.
  dragRow(window->trafficList, rowNamed(window->trafficList, QStringLiteral("BIG_FLATCAR")));
  // A folder item with its cup bitmap, which is remembered for the next position.
  dragRow(window->folderList, rowNamed(window->folderList, QStringLiteral("Blue-cup")));
  QCOMPARE(drags.size(), 2);
  QCOMPARE(window->mainWindow->selectionPanel().offeredWagon().picture,
           std::string());  // dragging remembered nothing

  const QList<QPair<ListBox*, QString>> dragged = {
      {window->trafficList, QStringLiteral("BIG_FLATCAR")},
      {window->folderList, QStringLiteral("Blue-cup")}};
  for (qsizetype i = 0; i < dragged.size(); ++i) {
    QVERIFY(drags[i].item.has_value());
    const CatalogueSelection& item = *drags[i].item;
    selectRow(dragged[i].first, dragged[i].second);
    QCOMPARE(QStringList({fromCp1251(item.name), fromCp1251(item.length), fromCp1251(item.weight)})
                 .join(QLatin1Char('|')),
             selection(*window));
    QCOMPARE(item.wagonPicture, window->mainWindow->selectionPanel().offeredWagon().picture);
    QVERIFY(item.preview.has_value());
    QVERIFY(
        nearlyEqual(item.preview->pixelColor(item.preview->width() / 2, item.preview->height() / 2),
                    centreColour(window->preview)));
  }
  QCOMPARE(drags[1].item->wagonPicture, std::string("data/pass_wags/Blue/cup_wagon.bmp"));
}

void CataloguePaneTest::dragThroughThePlatformLeavesTheListUsable() {
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
    QSKIP("a real platform's drag loop waits for a drop");
  }
  Started started;
  Window* const window = started.window.get();

  // Without a recorder the drag goes through QDrag::exec, which the offscreen platform ends at
  // once; the list then clicks and adds as usual.
  ListBox* list = window->folderList;
  dragRow(list, rowNamed(list, QStringLiteral("Hopper")));
  QCOMPARE(selectedCount(list), 0);
  const QPoint centre = rowCentre(list, QStringLiteral("Hopper"));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
  QCOMPARE(currentText(list), QStringLiteral("Hopper"));
  QCOMPARE(window->consistLines->toPlainText(), QStringLiteral("1\tHopper\t14"));
  QVERIFY(started.messages.errors.isEmpty());
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::CataloguePaneTest)
#include "catalogue_pane_test.moc"
