// The main window as it opens: its controls where the form puts them, the start-up sequence in
// complete and in damaged simulator folders, and the authors window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <cerrno>
#include <filesystem>

#include "app/common/qt_text.h"
#include "app/common/widgets.h"
#include "app/main_window/authors_window.h"
#include "app/support/app_test_support.h"
#include "platform/file_error.h"

namespace rakewright::testing {
namespace {

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsStandWhereTheyAreClicked_data();
  void controlsStandWhereTheyAreClicked();
  void captionsFitTheirControls();
  void startsWithEmptyConsistAndUnfilteredLists();
  void reportsBothCatalogues();
  void startsWithoutLogo();
  void startsWithoutTrafficList();
  void startsWithoutNoWagonPicture();
  void authorsWindowComesAndGoes();
};

void StartupTest::controlsStandWhereTheyAreClicked_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");  // in client coordinates of the window
  const auto row = [](const char* name, int left, int top, int width, int height) {
    QTest::newRow(name) << QString::fromLatin1(name) << QRect(left, top, width, height);
  };
  row("NameEdit", 280, 16, 228, 21);
  row("LengthEdit", 514, 16, 49, 21);
  row("AddButton", 631, 12, 51, 25);
  row("DeleteButton", 688, 12, 54, 25);
  row("ListBox1", 8, 44, 266, 311);
  row("ListBox3", 748, 43, 266, 313);
  row("ConsistsComboBox", 8, 361, 266, 21);
  row("LoadButton", 280, 361, 34, 21);
  row("SaveButton", 320, 361, 33, 21);
  row("ClearButton", 359, 361, 202, 21);
  row("PrvImg1", 5, 408, 167, 60);
  row("PrvImg6", 845, 408, 167, 60);
  row("Button5", 208, 502, 94, 38);
  row("Button3", 308, 502, 94, 38);
  row("PrevPageBtn", 408, 502, 94, 38);
  row("NextPageBtn", 508, 502, 94, 38);
  row("Button4", 608, 502, 94, 38);
  row("Button6", 708, 502, 94, 38);
  row("Button1", 8, 510, 194, 25);
  row("StatusBar1", 0, 549, 1022, 19);
}

void StartupTest::controlsStandWhereTheyAreClicked() {
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  StartedWindow started;
  Window* const window = started.window.get();

  QCOMPARE(window->mainWindow->size(), QSize(1022, 568));
  QCOMPARE(window->mainWindow->minimumSize(), window->mainWindow->maximumSize());
  QVERIFY(!(window->mainWindow->windowFlags() & Qt::WindowMaximizeButtonHint));
  QCOMPARE(window->mainWindow->windowTitle(), QStringLiteral("Rakewright 2.1"));

  const auto* control = window->mainWindow->findChild<QWidget*>(name);
  QVERIFY(control != nullptr);
  const QPoint topLeft = control->mapTo(window->mainWindow, QPoint(0, 0));
  QCOMPARE(QRect(topLeft, control->size()), geometry);
  // A click in the middle of the place reaches this control (or a part of it), nothing above it.
  const QWidget* hit = window->mainWindow->childAt(geometry.center());
  while (hit != nullptr && hit != control) {
    hit = hit->parentWidget();
  }
  QCOMPARE(hit, control);
}

void StartupTest::captionsFitTheirControls() {
  StartedWindow started;
  Window* const window = started.window.get();

  for (const QPushButton* button : window->mainWindow->findChildren<QPushButton*>()) {
    const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
    QVERIFY2(textWidth <= button->width() - 4, qPrintable(button->objectName()));
  }
  // Labels size themselves to their captions and stay inside their parents.
  for (const QLabel* label : window->mainWindow->findChildren<QLabel*>()) {
    if (label->text().isEmpty() || !label->isVisibleTo(window->mainWindow)) {
      continue;
    }
    QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    QVERIFY2(label->parentWidget()->rect().contains(label->geometry()),
             qPrintable(label->objectName()));
  }
  // Each edit's caption stands just above it.
  for (const QLineEdit* edit : {window->nameField, window->lengthField}) {
    const auto* caption = window->mainWindow->findChild<QLabel*>(edit->objectName() + "Label");
    QVERIFY(caption != nullptr);
    QCOMPARE(caption->x(), edit->x());
    QVERIFY(caption->geometry().bottom() < edit->y());
  }
  // The window is drawn in the faces compiled into the program, bold captions in a real bold face.
  QCOMPARE(QFontInfo(window->mainWindow->font()).family(), QStringLiteral("Liberation Sans"));
  QVERIFY(QFontInfo(window->addButton->font()).bold());
  QCOMPARE(QFontInfo(window->addButton->font()).styleName(), QStringLiteral("Bold"));
}

void StartupTest::startsWithEmptyConsistAndUnfilteredLists() {
  StartedWindow started;
  Window* const window = started.window.get();

  QVERIFY(started.messages.errors.isEmpty());
  for (const QLabel* total :
       {window->wagonTotal, window->lengthTotal, window->weightTotal, window->axlesTotal}) {
    QCOMPARE(total->text(), QStringLiteral("0"));
  }
  QCOMPARE(slotNames(*window), QStringList(6, QString()));
  const QList<QLabel*> numbers = {window->slotNumber1, window->slotNumber2, window->slotNumber3,
                                  window->slotNumber4, window->slotNumber5, window->slotNumber6};
  const QList<PictureBox*> pictures = {window->slotPicture1, window->slotPicture2,
                                       window->slotPicture3, window->slotPicture4,
                                       window->slotPicture5, window->slotPicture6};
  for (int slot = 0; slot < 6; ++slot) {
    QCOMPARE(numbers[slot]->text(), QString::number(slot + 1));
    QVERIFY(nearlyEqual(centreColour(pictures[slot]), kNoWagonColour));
  }
  QVERIFY(nearlyEqual(centreColour(window->preview), kLogoColour));

  QVERIFY(window->trafficList->isVisible() && window->folderList->isVisible());
  QVERIFY(!window->trafficFiltered->isVisible() && !window->folderFiltered->isVisible());
  QVERIFY(!window->amountField->isVisible() && !window->consistLines->isVisible());
  QCOMPARE(window->trafficFilter->currentIndex(), -1);
  QCOMPARE(window->trafficFilter->currentText(), QStringLiteral("Весь подвижной состав"));
  QCOMPARE(window->folderFilter->currentIndex(), -1);
  QCOMPARE(window->folderFilter->currentText(), QStringLiteral("Все вагоны из папок"));
}

void StartupTest::reportsBothCatalogues() {
  TempFolder root;
  // A traffic list in Windows-1251, with a comment line that is no entry.
  writeSimulatorRoot(root, "; comment\r\nTank\tx\r\n\xD2\xE5\xEF\xEB\xEE\xE2\xEE\xE7\r\nLoco\r\n");
  root.write("data/consists/second.con", ";0\t0\t0\r\n");
  root.write("data/consists/first.con", ";0\t0\t0\r\n");
  RecordingMessages messages;
  const auto window = openWindow(root, messages);

  QVERIFY(messages.errors.isEmpty());
  QCOMPARE(rowTexts(window->trafficList).size(), 3);
  QCOMPARE(rowTexts(window->trafficList)[0], QStringLiteral("Tank"));
  QCOMPARE(rowTexts(window->trafficList)[1], QStringLiteral("Тепловоз"));
  QCOMPARE(rowTexts(window->folderList).size(), 3);
  QCOMPARE(rowTexts(window->folderList)[0], QStringLiteral("Hopper"));
  QCOMPARE(rowTexts(window->folderList)[1], QStringLiteral("Sleeper-cup"));
  QCOMPARE(window->statusBar->panelText(2), QStringLiteral("6 поездных едениц загружено. (3 + 3)"));
  QCOMPARE(window->statusBar->panelText(0), QString());
  QCOMPARE(window->fileBox->count(), 2);
  QCOMPARE(window->fileBox->itemText(0), QStringLiteral("first.con"));
  QCOMPARE(window->fileBox->currentText(), QString());
  QVERIFY(root.exists("data/traffic/consists.ref"));
}

void StartupTest::startsWithoutLogo() {
  TempFolder root;
  writeSimulatorRoot(root);
  root.write("data/consists/Preview/Logo.jpg", "not a picture");
  RecordingMessages messages;
  const auto window = openWindow(root, messages);

  QVERIFY(messages.errors.isEmpty());
  QCOMPARE(window->preview->image().size(), QSize(462, 157));
  QCOMPARE(centreColour(window->preview), QColor(Qt::white));
  QCOMPARE(window->trafficList->model()->rowCount(), 2);
}

void StartupTest::startsWithoutTrafficList() {
  TempFolder root;
  writeSimulatorRoot(root);
  std::filesystem::remove(root / "data/traffic/traffic.ref");
  root.write("data/consists/one.con", ";0\t0\t0\r\n");
  RecordingMessages messages;
  const auto window = openWindow(root, messages);

  QCOMPARE(messages.errors, QStringList{QStringLiteral("File not found.")});
  QCOMPARE(window->trafficList->model()->rowCount(), 0);
  QCOMPARE(window->folderList->model()->rowCount(), 0);
  QCOMPARE(window->fileBox->count(), 0);
  QCOMPARE(window->statusBar->panelText(2), QString());
  // The steps before the failure are done: the strip is drawn.
  QVERIFY(nearlyEqual(centreColour(window->slotPicture6), kNoWagonColour));
}

void StartupTest::startsWithoutNoWagonPicture() {
  TempFolder root;
  writeSimulatorRoot(root);
  std::filesystem::remove(root / "data/consists/Preview/Not_Wagon.jpg");
  RecordingMessages messages;
  const auto window = openWindow(root, messages);

  QCOMPARE(
      messages.errors,
      QStringList{QStringLiteral("Cannot open file \"data/consists/Preview/Not_Wagon.jpg\". ") +
                  fromCp1251(reasonOf(fileErrorFromErrno(ENOENT))) + QStringLiteral(".")});
  QCOMPARE(window->trafficList->model()->rowCount(), 0);
  QCOMPARE(window->folderList->model()->rowCount(), 0);
  QCOMPARE(window->statusBar->panelText(2), QString());
  QVERIFY(window->slotPicture1->image().isNull());
  QCOMPARE(window->slotNumber6->text(), QStringLiteral("6"));
  // The window works on: a wagon whose preview is missing still goes into the consist.
  select(*window, QStringLiteral("Tank"), QStringLiteral("12.5"), QStringLiteral("58.5"));
  window->addButton->click();
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("1"));
}

void StartupTest::authorsWindowComesAndGoes() {
  StartedWindow started;
  Window* const window = started.window.get();
  AuthorsWindow& authors = window->program->authorsWindow();
  QVERIFY(!authors.isVisible());

  window->authorsButton->click();
  QVERIFY(authors.isVisible());
  QVERIFY(!authors.isModal());
  QVERIFY(!authors.picture()->image().isNull());
  for (const QLabel* label : authors.findChildren<QLabel*>()) {
    QVERIFY2(authors.rect().contains(label->geometry()), qPrintable(label->objectName()));
  }
  // The main window stays usable while it is open.
  window->lastPageButton->click();
  QVERIFY(started.messages.errors.isEmpty());

  authors.close();
  QVERIFY(!authors.isVisible());
  window->mainWindow->move(40, 30);
  window->authorsButton->click();
  QVERIFY(authors.isVisible());
  // Over the middle of the main window, wherever that stands; Esc closes it.
  QVERIFY((authors.geometry().center() - window->mainWindow->frameGeometry().center())
              .manhattanLength() < 8);
  QTest::keyClick(&authors, Qt::Key_Escape);
  QVERIFY(!authors.isVisible());
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::StartupTest)
#include "startup_test.moc"
