// The consist strip: paging with its six buttons, removing a wagon by a click on its picture,
// the picture each slot shows, and a redraw that fails.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <cerrno>
#include <filesystem>

#include "app/common/qt_text.h"
#include "app/common/widgets.h"
#include "app/main_window/consist_strip.h"
#include "app/support/app_test_support.h"
#include "platform/file_error.h"

namespace rakewright::testing {
namespace {

class ConsistStripTest : public QObject {
  Q_OBJECT

 private slots:
  void pagingAnEmptyConsistStaysAtOne();
  void pagesBySixAndToTheEnds();
  void pagesByOne();
  void leftClickRemovesThatWagon();
  void slotsShowTheirPictureChains();
  void failedRedrawLeavesConsistentConsist();
};

int pageStart(const Window& window) {
  return window.model().pageStart();
}

void ConsistStripTest::pagingAnEmptyConsistStaysAtOne() {
  StartedWindow started;
  Window* const window = started.window.get();

  for (QPushButton* button :
       {window->forwardButton, window->nextPageButton, window->lastPageButton,
        window->backPageButton, window->backButton, window->firstPageButton}) {
    button->click();
    QCOMPARE(pageStart(*window), 1);
    QCOMPARE(window->slotNumber1->text(), QStringLiteral("1"));
    QCOMPARE(window->slotNumber6->text(), QStringLiteral("6"));
  }
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistStripTest::pagesBySixAndToTheEnds() {
  StartedWindow started;
  Window* const window = started.window.get();
  addWagons(*window, 7);
  window->firstPageButton->click();
  QCOMPARE(pageStart(*window), 1);

  window->nextPageButton->click();
  QCOMPARE(pageStart(*window), 7);
  QCOMPARE(slotNames(*window), (QStringList{QStringLiteral("W7"), {}, {}, {}, {}, {}}));
  QCOMPARE(window->slotNumber6->text(), QStringLiteral("12"));
  QVERIFY(nearlyEqual(centreColour(window->slotPicture2), kNoWagonColour));
  window->nextPageButton->click();
  QCOMPARE(pageStart(*window), 7);
  window->backPageButton->click();
  QCOMPARE(pageStart(*window), 1);
  QCOMPARE(window->slotName1->text(), QStringLiteral("W1"));
  window->lastPageButton->click();
  QCOMPARE(pageStart(*window), 7);
  window->firstPageButton->click();
  QCOMPARE(pageStart(*window), 1);

  // Ten wagons from 3: back a page stops at 1.
  addWagons(*window, 3, QStringLiteral("X"));
  pageTo(*window, 3);
  window->backPageButton->click();
  QCOMPARE(pageStart(*window), 1);
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistStripTest::pagesByOne() {
  StartedWindow started;
  Window* const window = started.window.get();
  addWagons(*window, 10);
  pageTo(*window, 3);

  for (int expected = 4; expected <= 10; ++expected) {
    window->forwardButton->click();
    QCOMPARE(pageStart(*window), expected);
    QCOMPARE(window->slotName1->text(), QStringLiteral("W%1").arg(expected));
  }
  // At the last wagon "->" does nothing, not even the redraw: with the picture of an empty slot
  // gone, a redraw would fail.
  std::filesystem::remove(started.root / "data/consists/Preview/Not_Wagon.jpg");
  window->forwardButton->click();
  QCOMPARE(pageStart(*window), 10);
  QVERIFY(started.messages.errors.isEmpty());
  started.root.write("data/consists/Preview/Not_Wagon.jpg", jpegBytes(kNoWagonColour));

  window->firstPageButton->click();
  // "<-" at 1 stays there but redraws: a picture that appeared since shows.
  const QColor preview(0x80, 0x40, 0xA0);
  started.root.write("data/consists/Preview/W1.jpg", jpegBytes(preview));
  QVERIFY(nearlyEqual(centreColour(window->slotPicture1), kNoPreviewColour));
  window->backButton->click();
  QCOMPARE(pageStart(*window), 1);
  QVERIFY(nearlyEqual(centreColour(window->slotPicture1), preview));
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistStripTest::leftClickRemovesThatWagon() {
  StartedWindow started;
  Window* const window = started.window.get();
  addWagons(*window, 10);
  pageTo(*window, 4);
  window->backButton->click();  // shows 3 to 8
  QCOMPARE(window->slotName2->text(), QStringLiteral("W4"));

  QTest::mouseClick(window->slotPicture2, Qt::RightButton);
  QTest::mouseClick(window->slotPicture2, Qt::MiddleButton);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("10"));

  QTest::mouseClick(window->slotPicture2, Qt::LeftButton);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("9"));
  QCOMPARE(slotNames(*window),
           (QStringList{QStringLiteral("W3"), QStringLiteral("W5"), QStringLiteral("W6"),
                        QStringLiteral("W7"), QStringLiteral("W8"), QStringLiteral("W9")}));
  QCOMPARE(window->model().wagonName(4), std::string("W5"));
  QCOMPARE(window->lengthField->text(), QStringLiteral("10"));

  // A click on a slot without a wagon does nothing.
  window->lastPageButton->click();
  QTest::mouseClick(window->slotPicture2, Qt::LeftButton);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("9"));
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistStripTest::slotsShowTheirPictureChains() {
  // The strip draws the consist it is given.
  TempFolder root;
  writeSimulatorRoot(root);
  const QColor preview(0x10, 0x10, 0x90);
  const QColor bitmap(0xE0, 0xC0, 0x20);
  root.write("data/consists/Preview/Tank.jpg", jpegBytes(preview));
  root.write("data/pass_wags/Sleeper/cup_wagon.bmp", bmpBytes(bitmap));
  RollingStockBase base(root.path());
  ConsistModel model(base);
  ConsistStrip strip(root.path());
  const auto picture = [&strip](const char* name) { return control<PictureBox>(strip, name); };

  // A preview picture comes before the remembered bitmap.
  model.setWagonPicture(1, "data/pass_wags/Sleeper/cup_wagon.bmp");
  model.add("Tank", "12.5", "58.5");
  // Without a preview picture the remembered bitmap shows.
  model.setWagonPicture(2, "data/pass_wags/Sleeper/cup_wagon.bmp");
  model.add("Sleeper-cup", "24.5", "60");
  // Without either, the no-preview picture.
  model.setWagonPicture(3, "data/pass_wags/Nowhere/cup_wagon.bmp");
  model.add("Sleeper-plac", "24.5", "60");
  model.add("Hopper", "14", "60");
  strip.showLabels(model);
  strip.showPictures(model);

  QVERIFY(nearlyEqual(centreColour(picture("PrvImg1")), preview));
  QVERIFY(nearlyEqual(centreColour(picture("PrvImg2")), bitmap));
  QVERIFY(nearlyEqual(centreColour(picture("PrvImg3")), kNoPreviewColour));
  QVERIFY(nearlyEqual(centreColour(picture("PrvImg4")), kNoPreviewColour));
  QVERIFY(nearlyEqual(centreColour(picture("PrvImg5")), kNoWagonColour));
  QCOMPARE(control<QLabel>(strip, "WagName2")->text(), QStringLiteral("Sleeper-cup"));
  QCOMPARE(control<QLabel>(strip, "WagNum6")->text(), QStringLiteral("6"));

  // A left click on a picture is reported with the wagon's consist line; another button, or a
  // slot without a wagon, is not.
  QSignalSpy removals(&strip, &ConsistStrip::removeRequested);
  QTest::mouseClick(picture("PrvImg3"), Qt::RightButton);
  QTest::mouseClick(picture("PrvImg5"), Qt::LeftButton);
  QTest::mouseClick(picture("PrvImg3"), Qt::LeftButton);
  QCOMPARE(removals.size(), 1);
  QCOMPARE(removals.front().front().toInt(), 2);
}

void ConsistStripTest::failedRedrawLeavesConsistentConsist() {
  StartedWindow started;
  Window* const window = started.window.get();
  addWagons(*window, 2);
  std::filesystem::remove(started.root / "data/consists/Preview/Not_Wag_Img.jpg");

  select(*window, QStringLiteral("Tank"), QStringLiteral("12.5"), QStringLiteral("58.5"));
  window->addButton->click();
  QCOMPARE(
      started.messages.errors,
      QStringList{QStringLiteral("Cannot open file \"data/consists/Preview/Not_Wag_Img.jpg\". ") +
                  fromCp1251(reasonOf(fileErrorFromErrno(ENOENT))) + QStringLiteral(".")});
  // The wagon is in, the labels are written, the slots from the failing one on stay empty.
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("3"));
  QCOMPARE(window->lengthTotal->text(), QStringLiteral("32.5"));
  QCOMPARE(window->slotName3->text(), QStringLiteral("Tank"));
  QVERIFY(window->slotPicture1->image().isNull());
  QVERIFY(window->slotPicture6->image().isNull());

  started.root.write("data/consists/Preview/Not_Wag_Img.jpg", jpegBytes(kNoPreviewColour));
  window->removeButton->click();
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("2"));
  QVERIFY(nearlyEqual(centreColour(window->slotPicture3), kNoWagonColour));
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::ConsistStripTest)
#include "consist_strip_test.moc"
