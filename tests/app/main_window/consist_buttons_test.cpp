// The consist through the window's buttons: "+", "-", clearing, the 100-wagon limit, and saving
// and loading consist files, with the totals and the consist lines the window shows.
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
#include "app/support/app_test_support.h"
#include "platform/file_error.h"

namespace rakewright::testing {
namespace {

class ConsistButtonsTest : public QObject {
  Q_OBJECT

 private slots:
  void addsAndRemovesWithTotals();
  void refusesIncompleteOrUnreadableSelection();
  void stopsAtHundredWagons();
  void savesAndLoadsThroughTheButtons();
  void namesTheSavedFileAndFollowsTheFolder();
  void refusesBlankInFileName();
  void reportsFilesThatCannotBeOpenedOrWritten();
  void reportsSkippedLinesAndCutFiles();
};

void checkUnitLabels(const Window& window) {
  QCOMPARE(window.lengthUnit->x(), window.lengthTotal->x() + window.lengthTotal->width() + 5);
  QCOMPARE(window.weightUnit->x(), window.weightTotal->x() + window.weightTotal->width() + 5);
  QVERIFY(window.lengthTotal->width() >= window.lengthTotal->sizeHint().width());
}

QString totals(const Window& window) {
  return QStringList{window.wagonTotal->text(), window.lengthTotal->text(),
                     window.weightTotal->text(), window.axlesTotal->text()}
      .join(QLatin1Char('|'));
}

void ConsistButtonsTest::addsAndRemovesWithTotals() {
  StartedWindow started;
  Window* const window = started.window.get();

  select(*window, QStringLiteral("Tank"), QStringLiteral("25"), QStringLiteral("58.5"));
  window->addButton->click();
  // Unknown to the base: 4 axles, and the weight as typed.
  select(*window, QStringLiteral("Flatcar"), QStringLiteral("24.5"), QStringLiteral("50"));
  window->addButton->click();
  QCOMPARE(totals(*window), QStringLiteral("2|49.5|108.5|8"));
  QCOMPARE(window->consistLines->toPlainText(), QStringLiteral("1\tTank\t25\n1\tFlatcar\t24.5"));
  QCOMPARE(slotNames(*window).mid(0, 3),
           (QStringList{QStringLiteral("Tank"), QStringLiteral("Flatcar"), QString()}));
  checkUnitLabels(*window);

  // Hopper has 6 axles in the base; a long length moves the unit label further right.
  select(*window, QStringLiteral("Hopper"), QStringLiteral("1000.25"), QStringLiteral("20"));
  window->addButton->click();
  QCOMPARE(totals(*window), QStringLiteral("3|1049.75|128.5|14"));
  checkUnitLabels(*window);

  window->removeButton->click();
  QCOMPARE(window->lengthField->text(), QStringLiteral("1000.25"));
  QCOMPARE(window->weightField->text(), QStringLiteral("20"));
  QCOMPARE(totals(*window), QStringLiteral("2|49.5|108.5|8"));
  window->removeButton->click();
  QCOMPARE(window->lengthField->text(), QStringLiteral("24.5"));
  QCOMPARE(totals(*window), QStringLiteral("1|25|58.5|4"));
  checkUnitLabels(*window);

  // The fields name the removed wagon, so "+" puts it back with its own figures, never the last
  // selection with another wagon's figures.
  QCOMPARE(window->nameField->text(), QStringLiteral("Flatcar"));
  window->addButton->click();
  QCOMPARE(window->consistLines->toPlainText(), QStringLiteral("1\tTank\t25\n1\tFlatcar\t24.5"));
  QCOMPARE(totals(*window), QStringLiteral("2|49.5|108.5|8"));

  window->clearButton->click();
  QCOMPARE(totals(*window), QStringLiteral("0|0|0|0"));
  QCOMPARE(window->consistLines->toPlainText(), QString());
  QCOMPARE(slotNames(*window), QStringList(6, QString()));
  checkUnitLabels(*window);

  // "-" on an empty consist does nothing.
  window->removeButton->click();
  QCOMPARE(totals(*window), QStringLiteral("0|0|0|0"));
  QVERIFY(started.messages.errors.isEmpty());
  QVERIFY(started.messages.warnings.isEmpty());
}

void ConsistButtonsTest::refusesIncompleteOrUnreadableSelection() {
  StartedWindow started;
  Window* const window = started.window.get();

  // "+" with an empty name, length or amount does nothing and says nothing.
  select(*window, QString(), QStringLiteral("10"), QStringLiteral("50"));
  window->addButton->click();
  select(*window, QStringLiteral("Tank"), QString(), QStringLiteral("50"));
  window->addButton->click();
  window->lengthField->setText(QStringLiteral("10"));
  window->amountField->clear();
  window->addButton->click();
  QVERIFY(started.messages.errors.isEmpty());
  window->amountField->setText(QStringLiteral("1"));

  select(*window, QStringLiteral("Tank"), QStringLiteral("24,5"), QStringLiteral("50"));
  window->addButton->click();
  select(*window, QStringLiteral("Tank"), QStringLiteral("24"), QString());
  window->addButton->click();
  // The base gives Broken the axle count "four".
  select(*window, QStringLiteral("Broken"), QStringLiteral("24"), QStringLiteral("50"));
  window->addButton->click();
  // A character that Windows-1251 cannot hold is refused, not replaced.
  select(*window, QStringLiteral("Tank"), QStringLiteral("2\u2074"), QStringLiteral("50"));
  window->addButton->click();

  QCOMPARE(started.messages.errors.size(), 4);
  QCOMPARE(started.messages.errors[0],
           QStringLiteral("'24,5' is not a valid floating point value."));
  QCOMPARE(started.messages.errors[1], QStringLiteral("'' is not a valid floating point value."));
  QCOMPARE(started.messages.errors[2], QStringLiteral("'four' is not a valid integer value."));
  QVERIFY(started.messages.errors[3].contains(QStringLiteral("Length")));
  QCOMPARE(totals(*window), QStringLiteral("0|0|0|0"));
  QCOMPARE(window->consistLines->toPlainText(), QString());
}

void ConsistButtonsTest::stopsAtHundredWagons() {
  StartedWindow started;
  Window* const window = started.window.get();

  addWagons(*window, 99);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("99"));
  select(*window, QStringLiteral("Last"), QStringLiteral("10"), QStringLiteral("50"));
  window->addButton->click();
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("100"));
  QVERIFY(started.messages.warnings.isEmpty());

  window->addButton->click();
  QCOMPARE(started.messages.warnings,
           QStringList{QStringLiteral("Нельзя добавлять больше 100 вагонов!")});
  QCOMPARE(totals(*window), QStringLiteral("100|1000|5000|400"));
  QCOMPARE(window->model().pageStart(), 97);
  QCOMPARE(window->slotName4->text(), QStringLiteral("Last"));
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistButtonsTest::savesAndLoadsThroughTheButtons() {
  TempFolder root;
  writeSimulatorRoot(root);
  root.mkdir("data/consists");
  RecordingMessages messages;
  const auto window = openWindow(root, messages);

  select(*window, QStringLiteral("Tank"), QStringLiteral("12.5"), QStringLiteral("58.5"));
  window->addButton->click();
  select(*window, QStringLiteral("Вагон"), QStringLiteral("16"), QStringLiteral("50"));
  window->addButton->click();
  window->fileBox->setEditText(QStringLiteral("train1"));
  window->saveButton->click();

  QVERIFY(messages.errors.isEmpty());
  QCOMPARE(root.read("data/consists/train1.con"),
           std::string("1\tTank\t12.5\r\n1\t\xC2\xE0\xE3\xEE\xED\t16\r\n;108.5\t8\t2\r\n"));
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("train1.con"));
  QCOMPARE(window->fileBox->count(), 1);
  QCOMPARE(window->fileBox->itemText(0), QStringLiteral("train1.con"));
  // Saving leaves the consist as it was.
  QCOMPARE(window->consistLines->toPlainText(), QStringLiteral("1\tTank\t12.5\n1\tВагон\t16"));

  window->clearButton->click();
  root.write("data/consists/other.con", "3\tTank\t12.50\r\n1\tHopper\t016\r\n;0\t0\t0\r\n");
  window->fileBox->setEditText(QStringLiteral("other.con"));
  window->loadButton->click();
  QVERIFY(messages.errors.isEmpty());
  QCOMPARE(window->consistLines->toPlainText(),
           QStringLiteral("1\tTank\t12.5\n1\tTank\t12.5\n1\tTank\t12.5\n1\tHopper\t016"));
  QCOMPARE(totals(*window), QStringLiteral("4|53.5|225.5|18"));
  QCOMPARE(window->model().pageStart(), 1);
  QCOMPARE(slotNames(*window).mid(2, 3),
           (QStringList{QStringLiteral("Tank"), QStringLiteral("Hopper"), QString()}));
  checkUnitLabels(*window);

  // The saved file comes back as it was saved, the weights from the base; a name typed without
  // ".con" finds it as saving it would have named it.
  window->fileBox->setEditText(QStringLiteral("train1"));
  window->loadButton->click();
  QCOMPARE(totals(*window), QStringLiteral("2|28.5|108.5|8"));
  QCOMPARE(window->slotName2->text(), QStringLiteral("Вагон"));
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("train1"));
}

void ConsistButtonsTest::namesTheSavedFileAndFollowsTheFolder() {
  StartedWindow started;
  Window* const window = started.window.get();
  started.root.mkdir("data/consists");
  addWagons(*window, 2);
  window->fileBox->setEditText(QStringLiteral("mine"));
  window->saveButton->click();
  QCOMPARE(window->statusBar->panelText(3), QStringLiteral("Сохранено: mine.con"));
  // A change of the consist makes the notice stale.
  window->removeButton->click();
  QCOMPARE(window->statusBar->panelText(3), QString());

  // A file another program writes or removes shows in the list within a second; what the user is
  // typing stays as it is.
  window->fileBox->setEditText(QStringLiteral("half-typ"));
  started.root.write("data/consists/theirs.con", ";0\t0\t0\r\n");
  QTRY_COMPARE_WITH_TIMEOUT(window->fileBox->count(), 2, 1500);
  QCOMPARE(window->fileBox->itemText(1), QStringLiteral("theirs.con"));
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("half-typ"));
  std::filesystem::remove(started.root.path() + "/data/consists/mine.con");
  QTRY_COMPARE_WITH_TIMEOUT(window->fileBox->count(), 1, 1500);
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("half-typ"));
}

void ConsistButtonsTest::refusesBlankInFileName() {
  TempFolder root;
  writeSimulatorRoot(root);
  root.mkdir("data/consists");
  RecordingMessages messages;
  const auto window = openWindow(root, messages);

  window->fileBox->setEditText(QStringLiteral("my train"));
  window->saveButton->click();
  QCOMPARE(
      messages.warnings,
      QStringList{QStringLiteral("Нельзя использовать пробел в названии файла! Переименуйте!!!!")});
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("my train.con"));
  QVERIFY(!root.exists("data/consists/my train.con"));
  QVERIFY(messages.errors.isEmpty());
}

void ConsistButtonsTest::reportsFilesThatCannotBeOpenedOrWritten() {
  StartedWindow started;
  Window* const window = started.window.get();
  addWagons(*window, 2);

  window->fileBox->setEditText(QStringLiteral("missing.con"));
  window->loadButton->click();
  // The system's reason for a missing file, as this system words it.
  QCOMPARE(started.messages.errors,
           QStringList{QStringLiteral("Cannot open file \"data\\consists\\missing.con\". ") +
                       fromCp1251(reasonOf(fileErrorFromErrno(ENOENT))) + QStringLiteral(".")});
  // A file that cannot be read does not cost the consist being edited.
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("2"));

  // A name that Windows-1251 cannot hold is refused before anything is written.
  window->fileBox->setEditText(QStringLiteral("train\u2603"));
  window->saveButton->click();
  QCOMPARE(started.messages.errors.size(), 2);
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("train\u2603"));
  for (const auto& entry : std::filesystem::directory_iterator(started.root / "data/consists")) {
    QVERIFY(!entry.path().filename().string().starts_with("train"));
  }

  // A file that cannot be created: a folder stands in its place.
  started.root.mkdir("data/consists/dir.con");
  window->fileBox->setEditText(QStringLiteral("dir.con"));
  window->saveButton->click();
  QCOMPARE(started.messages.errors.size(), 3);
  QVERIFY2(started.messages.errors[2].startsWith(
               QStringLiteral("Cannot create file \"data\\consists\\dir.con\". ")),
           qPrintable(started.messages.errors[2]));
  QCOMPARE(window->fileBox->count(), 0);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("2"));
  QCOMPARE(window->consistLines->toPlainText().count(QLatin1Char('\n')), 1);
}

void ConsistButtonsTest::reportsSkippedLinesAndCutFiles() {
  TempFolder root;
  writeSimulatorRoot(root);
  root.write("data/consists/bad.con", "1\tTank\t12.5\r\nnonsense\r\n1\tTank\tlong\r\n;0\t0\t0\r\n");
  root.write("data/consists/long.con", "150\tTank\t12.5\r\n");
  RecordingMessages messages;
  const auto window = openWindow(root, messages);

  window->fileBox->setEditText(QStringLiteral("bad.con"));
  window->loadButton->click();
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("1"));
  QCOMPARE(window->statusBar->panelText(1), QStringLiteral("Пропущено нечитаемых строк: 2"));
  QVERIFY(messages.warnings.isEmpty());

  window->fileBox->setEditText(QStringLiteral("long.con"));
  window->loadButton->click();
  QCOMPARE(messages.warnings, QStringList{QStringLiteral("Нельзя добавлять больше 100 вагонов!")});
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("100"));
  QCOMPARE(window->statusBar->panelText(1), QString());
  QVERIFY(messages.errors.isEmpty());
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::ConsistButtonsTest)
#include "consist_buttons_test.moc"
