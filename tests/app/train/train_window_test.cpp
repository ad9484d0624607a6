// The whole-train window: selecting in either view, block editing as single steps of the main
// window's undo history with its 100-wagon warning, the clipboard across loads, paging the strip
// by a double-click, and the exported picture.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "app/support/app_test_support.h"
#include "app/train/train_picture_view.h"
#include "app/train/train_window.h"

namespace rakewright::testing {
namespace {

const QString kLimitWarning = QStringLiteral("Нельзя добавлять больше 100 вагонов!");

// The main window with its whole-train window open.
struct Opened : StartedWindow {
  explicit Opened(void (*prepare)(const TempFolder&) = nullptr) : StartedWindow(prepare) {
    window->mainWindow->findChild<QPushButton*>(QStringLiteral("TrainButton"))->click();
    train = window->mainWindow->findChild<TrainWindow*>();
    picture = train->findChild<TrainPictureView*>(QStringLiteral("TrainPicture"));
    activate(train);
  }
  // Keys reach the shortcuts of the active window only.
  static void activate(QWidget* window) {
    window->activateWindow();
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == window, 2000);
  }
  void click(int index, Qt::KeyboardModifiers keys = {}) const {
    QTest::mouseClick(picture->viewport(), Qt::LeftButton, keys,
                      picture->wagonRect(index).center());
  }
  void press(const char* button) const {
    train->findChild<QToolButton*>(QLatin1String(button))->click();
  }
  void keys(QKeyCombination keys) const {
    QTest::keyClick(picture, keys.key(), keys.keyboardModifiers());
  }
  // The names of the consist, in order.
  QStringList names() const {
    QStringList names;
    for (int p = 1; p <= window->model().wagonCount(); ++p) {
      names.append(QString::fromStdString(window->model().wagonName(p)));
    }
    return names;
  }
  TrainWindow* train = nullptr;
  TrainPictureView* picture = nullptr;
};

QStringList wagons(const QString& spaced) {
  return spaced.split(QLatin1Char(' '));
}

// Sends a mouse event as the platform does, the left button held while it moves.
void mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

class TrainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void selectsAndEditsBlocksAsSingleUndoSteps();
  void repeatingAndPastingKeepTheLimitWhole();
  void clipboardOutlivesALoadAndDoubleClickPagesTheStrip();
  void tableShowsSourcesAndSharesTheSelection();
  void exportsTheWholeTrain();
};

void TrainWindowTest::selectsAndEditsBlocksAsSingleUndoSteps() {
  Opened o;
  addWagons(*o.window, 6);
  const QString start = o.window->consistLines->toPlainText();
  QCOMPARE(o.train->findChild<QLabel*>(QStringLiteral("TrainTotals"))->text(),
           QStringLiteral("Вагонов: 6    Длина: 60 м    Вес: 300 т    Осей: 24"));

  // Click, Shift+click a range, Ctrl+click one more, Ctrl+click one less.
  o.click(1);
  o.click(3, Qt::ShiftModifier);
  o.click(5, Qt::ControlModifier);
  o.click(2, Qt::ControlModifier);
  QCOMPARE(o.train->selectedLines(), (std::vector<int>{1, 3, 5}));

  // Reversed among their places, as one step that Ctrl+Z in this window takes back.
  o.press("ReverseButton");
  QCOMPARE(o.names(), wagons("W1 W6 W3 W4 W5 W2"));
  QCOMPARE(o.window->slotName4->text(), QStringLiteral("W2"));  // the strip shows 3 to 8
  o.keys(Qt::CTRL | Qt::Key_Z);
  QCOMPARE(o.window->consistLines->toPlainText(), start);

  // A drag of a selected wagon moves the whole selection; the moved block stays selected.
  o.click(0);
  o.click(1, Qt::ShiftModifier);
  QWidget* view = o.picture->viewport();
  const QPoint from = o.picture->wagonRect(1).center();
  const QPoint to = o.picture->wagonRect(4).topRight() + QPoint(-2, 5);
  mouse(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
  mouse(view, QEvent::MouseMove, from + QPoint(20, 0), Qt::LeftButton);
  mouse(view, QEvent::MouseMove, to, Qt::LeftButton);
  mouse(view, QEvent::MouseButtonRelease, to, Qt::NoButton);
  QCOMPARE(o.names(), wagons("W3 W4 W5 W1 W2 W6"));
  QCOMPARE(o.train->selectedLines(), (std::vector<int>{3, 4}));

  // Delete removes the block; the main window's Ctrl+Z puts it back, then undoes the move.
  o.keys(Qt::Key_Delete);
  QCOMPARE(o.names(), wagons("W3 W4 W5 W6"));
  QCOMPARE(o.window->wagonTotal->text(), QStringLiteral("4"));
  Opened::activate(o.window->mainWindow);
  o.window->trafficList->setFocus();
  QTest::keyClick(o.window->trafficList, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(o.names(), wagons("W3 W4 W5 W1 W2 W6"));
  QTest::keyClick(o.window->trafficList, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(o.window->consistLines->toPlainText(), start);

  // A change made in the main window clears the selection, which may name other wagons now.
  o.click(2);
  o.window->removeButton->click();
  QVERIFY(o.train->selectedLines().empty());
  QVERIFY(o.messages.errors.isEmpty());
  QVERIFY(o.messages.warnings.isEmpty());
}

void TrainWindowTest::repeatingAndPastingKeepTheLimitWhole() {
  Opened o;
  addWagons(*o.window, 4);
  o.click(1);
  o.click(2, Qt::ShiftModifier);
  o.messages.numberAnswer = 3;
  o.press("RepeatButton");
  QCOMPARE(o.names(), wagons("W1 W2 W3 W2 W3 W2 W3 W4"));
  QCOMPARE(o.window->lengthTotal->text(), QStringLiteral("80"));

  // 96 wagons: a block of two repeated three times would make 100 and is done; once more it
  // would make 102 and nothing is done at all.
  addWagons(*o.window, 90, QStringLiteral("X"));
  QCOMPARE(o.window->wagonTotal->text(), QStringLiteral("98"));
  o.window->removeButton->click();
  o.window->removeButton->click();
  o.click(0);
  o.click(1, Qt::ShiftModifier);
  o.press("RepeatButton");
  QCOMPARE(o.window->wagonTotal->text(), QStringLiteral("100"));
  o.window->removeButton->click();
  const QString before = o.window->consistLines->toPlainText();
  o.click(0);
  o.click(1, Qt::ShiftModifier);
  o.keys(Qt::CTRL | Qt::Key_C);
  o.keys(Qt::CTRL | Qt::Key_V);
  QCOMPARE(o.messages.warnings, QStringList{kLimitWarning});
  QCOMPARE(o.window->consistLines->toPlainText(), before);
  QCOMPARE(o.window->wagonTotal->text(), QStringLiteral("99"));
  QVERIFY(o.messages.errors.isEmpty());
}

const QColor kCupBitmapColour(0xE0, 0xC0, 0x20);

// A consist file of one Tank, and a bitmap for the passenger wagon Sleeper-cup, which has no
// preview picture.
void writeClipboardRoot(const TempFolder& root) {
  writeSimulatorRoot(root);
  root.write("data/consists/tank.con", "1\tTank\t12.5\r\n;58.5\t4\t1\r\n");
  root.write("data/pass_wags/Sleeper/cup_wagon.bmp", bmpBytes(kCupBitmapColour));
}

void TrainWindowTest::clipboardOutlivesALoadAndDoubleClickPagesTheStrip() {
  Opened o(&writeClipboardRoot);
  addWagons(*o.window, 1);
  selectRow(o.window->folderList, 1);  // Sleeper-cup
  o.window->addButton->click();
  o.click(0);
  o.click(1, Qt::ShiftModifier);
  o.keys(Qt::CTRL | Qt::Key_C);

  o.window->fileBox->setEditText(QStringLiteral("tank.con"));
  o.window->loadButton->click();
  QCOMPARE(o.names(), wagons("Tank"));
  // A click beside the train puts the current place after the last wagon.
  QTest::mouseClick(
      o.picture->viewport(), Qt::LeftButton, {},
      QPoint(o.picture->viewport()->width() - 3, o.picture->wagonRect(0).center().y()));
  o.keys(Qt::CTRL | Qt::Key_V);
  QCOMPARE(o.names(), wagons("Tank W1 Sleeper-cup"));
  // Pasted wagons keep their counted figures and their pictures.
  QCOMPARE(o.window->lengthTotal->text(), QStringLiteral("47"));
  QCOMPARE(o.window->weightTotal->text(), QStringLiteral("168.5"));
  QVERIFY(nearlyEqual(centreColour(o.window->slotPicture3), kCupBitmapColour));

  // A double-click on a wagon the strip does not show pages the strip to it.
  addWagons(*o.window, 9, QStringLiteral("X"));
  pageTo(*o.window, 1);
  QTest::mouseDClick(o.picture->viewport(), Qt::LeftButton, {}, o.picture->wagonRect(10).center());
  QVERIFY(slotNames(*o.window).contains(QStringLiteral("X8")));
  QVERIFY(o.messages.errors.isEmpty());
}

void TrainWindowTest::tableShowsSourcesAndSharesTheSelection() {
  Opened o;
  selectRow(o.window->trafficList, 0);  // Tank: length and weight from the base
  o.window->addButton->click();
  select(*o.window, QStringLiteral("Odd"), QStringLiteral("9"), QStringLiteral("5"));
  o.window->addButton->click();
  addWagons(*o.window, 2);

  o.press("TableToggle");
  auto* table = o.train->findChild<QTableView*>(QStringLiteral("TrainTable"));
  QVERIFY(table->isVisible());
  QAbstractItemModel* rows = table->model();
  QCOMPARE(rows->rowCount(), 4);
  const auto cell = [&](int row, int column) { return rows->index(row, column).data().toString(); };
  QCOMPARE(cell(0, 1), QStringLiteral("Tank"));
  QCOMPARE(cell(0, 3), QStringLiteral("из базы"));
  QCOMPARE(cell(1, 3), QStringLiteral("введено вручную"));
  QCOMPARE(cell(1, 7), QStringLiteral("по умолчанию"));

  // Rows chosen in the table are the selection the picture view and Delete act on.
  const auto rowCentre = [&](int row) { return table->visualRect(rows->index(row, 1)).center(); };
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowCentre(1));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(3));
  QCOMPARE(o.train->selectedLines(), (std::vector<int>{1, 3}));
  QTest::keyClick(table, Qt::Key_Delete);
  QCOMPARE(o.names(), wagons("Tank W1"));
  QCOMPARE(rows->rowCount(), 2);
  QCOMPARE(o.window->axlesTotal->text(), QStringLiteral("8"));
}

void TrainWindowTest::exportsTheWholeTrain() {
  Opened o;
  addWagons(*o.window, 30);
  o.messages.saveFileAnswer = QString::fromStdString(o.root / "train.png");
  o.press("ExportButton");
  QImage picture(*o.messages.saveFileAnswer);
  QVERIFY(!picture.isNull());
  // 300 m at a readable scale does not fit one row: it is wrapped, not squeezed.
  QVERIFY(picture.width() <= 1700);
  QVERIFY(picture.height() > 3 * 60);
  // The wagons without a preview show the no-preview picture.
  bool noPreviewShown = false;
  for (int y = 0; y < picture.height() && !noPreviewShown; y += 2) {
    noPreviewShown = nearlyEqual(picture.pixelColor(100, y), kNoPreviewColour);
  }
  QVERIFY(noPreviewShown);

  // A file that cannot be written is an error, not silence.
  o.messages.saveFileAnswer = QString::fromStdString(o.root / "no/such/folder/train.png");
  o.press("ExportButton");
  QCOMPARE(o.messages.errors.size(), 1);
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::TrainWindowTest)
#include "train_window_test.moc"
