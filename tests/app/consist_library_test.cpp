// The consist library: the files listed with what loading them gives and their problems, the
// folder followed while the window is open, and the actions on a file: open as "Load", copy and
// rename by Save's rules without overwriting, delete into the trash after a confirmation.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

#include "app/library/consist_library_window.h"
#include "app/support/app_test_support.h"

namespace rakewright::testing {
namespace {

const QString kBlankWarning =
    QStringLiteral("Нельзя использовать пробел в названии файла! Переименуйте!!!!");

// Two consist files: a.con, which is sound, and b.con, with a line that cannot be read and a
// wagon that neither catalogue knows.
void writeLibraryRoot(const TempFolder& root) {
  writeSimulatorRoot(root);
  root.write("data/consists/Preview/Tank.jpg", jpegBytes(Qt::gray));
  root.write("data/consists/a.con", "2\tTank\t12.5\r\n;117\t8\t2\r\n");
  root.write("data/consists/b.con", "1\tTank\t12.5\r\n1\tTank\t12,5\r\n1\tGhost\t15\r\n");
}

struct Opened : StartedWindow {
  Opened() : StartedWindow(&writeLibraryRoot) {
    window->mainWindow->findChild<QPushButton*>(QStringLiteral("LibraryButton"))->click();
    library = window->mainWindow->findChild<ConsistLibraryWindow*>();
    table = library->findChild<QTableView*>(QStringLiteral("LibraryTable"));
    status = library->findChild<QLabel*>(QStringLiteral("LibraryStatus"));
    listed = std::make_unique<QSignalSpy>(library, &ConsistLibraryWindow::listed);
    waitForList();
  }
  // Waits for the next pass of the check to be shown.
  void waitForList() {
    QVERIFY(listed->count() > 0 || listed->wait(5000));
    listed->clear();
  }
  QStringList column(int column) const {
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row) {
      texts.append(table->model()->index(row, column).data().toString());
    }
    return texts;
  }
  void selectFile(const QString& name) {
    const int row = static_cast<int>(column(0).indexOf(name));
    QVERIFY2(row >= 0, qPrintable(name));
    table->selectRow(row);
  }
  void press(const char* button) const {
    library->findChild<QPushButton*>(QLatin1String(button))->click();
  }
  ConsistLibraryWindow* library = nullptr;
  QTableView* table = nullptr;
  QLabel* status = nullptr;
  std::unique_ptr<QSignalSpy> listed;
};

class ConsistLibraryTest : public QObject {
  Q_OBJECT

 private slots:
  void listsChecksAndFollowsTheFolder();
  void opensCopiesAndRenamesByTheRulesOfSave();
  void deletesIntoTheTrashOnlyWhenConfirmed();
};

void ConsistLibraryTest::listsChecksAndFollowsTheFolder() {
  Opened o;
  QCOMPARE(o.column(0), (QStringList{"a.con", "b.con"}));
  // As loading computes them: the amount expanded, weight and axles from the base.
  QCOMPARE(o.column(1), (QStringList{"2", "2"}));
  QCOMPARE(o.column(2), (QStringList{"25", "27.5"}));
  QCOMPARE(o.column(3), (QStringList{"117", "108.5"}));
  QVERIFY(o.status->text().startsWith(QStringLiteral("1 из 2 составов с ошибками")));

  // The problems of the selected file, by line.
  o.selectFile(QStringLiteral("b.con"));
  auto* problems = o.library->findChild<QListWidget*>(QStringLiteral("LibraryProblems"));
  QStringList texts;
  for (int i = 0; i < problems->count(); ++i) {
    texts.append(problems->item(i)->text());
  }
  QCOMPARE(texts.mid(0, 2),
           (QStringList{QStringLiteral("Строка 2: не читается и в состав не войдёт"),
                        QStringLiteral("Строка 3: «Ghost» нет ни в одном каталоге")}));

  // A file written by another program appears checked; one rewritten is checked again.
  o.root.write("data/consists/c.con", "1\tGhost\t15\r\n");
  o.root.write("data/consists/a.con", "1\tTank\t12.5\r\n1\tTank\t12.5\r\n1\tTank\t12.5\r\n");
  QTRY_COMPARE_WITH_TIMEOUT(o.column(0).size(), 3, 5000);
  QTRY_COMPARE_WITH_TIMEOUT(o.column(1).first(), QStringLiteral("3"), 5000);
  QTRY_VERIFY(o.status->text().startsWith(QStringLiteral("2 из 3 составов с ошибками")));

  // Sorted by a column as numbers; narrowed by a name inside the files.
  o.table->sortByColumn(1, Qt::DescendingOrder);
  QCOMPARE(o.column(0), (QStringList{"a.con", "b.con", "c.con"}));
  o.library->findChild<QLineEdit*>(QStringLiteral("LibraryFilter"))
      ->setText(QStringLiteral("ghost"));
  QCOMPARE(o.column(0), (QStringList{"b.con", "c.con"}));
  QVERIFY(o.messages.errors.isEmpty());
}

void ConsistLibraryTest::opensCopiesAndRenamesByTheRulesOfSave() {
  Opened o;
  // Open is the main window's Load, one step of its history.
  o.selectFile(QStringLiteral("a.con"));
  o.press("OpenButton");
  QCOMPARE(o.window->ConsistsComboBox->currentText(), QStringLiteral("a.con"));
  QCOMPARE(o.window->Wag_Num->text(), QStringLiteral("2"));
  o.window->document().undo();
  QCOMPARE(o.window->Wag_Num->text(), QStringLiteral("0"));

  // A copy: an existing name (in any letter case) and a blank are refused, ".con" is appended.
  const std::string original = o.root.read("data/consists/a.con");
  o.messages.textAnswers = {QStringLiteral("B.con"), QStringLiteral("my copy"),
                            QStringLiteral("копия")};
  o.press("CopyFileButton");
  o.press("CopyFileButton");
  o.press("CopyFileButton");
  QCOMPARE(o.messages.warnings.size(), 2);
  QVERIFY(o.messages.warnings[0].contains(QStringLiteral("B.con")));
  QCOMPARE(o.messages.warnings[1], kBlankWarning);
  QCOMPARE(o.root.read("data/consists/копия.con"), original);
  QCOMPARE(o.root.read("data/consists/b.con").substr(0, 5), std::string("1\tTan"));
  QTRY_COMPARE_WITH_TIMEOUT(o.column(0), (QStringList{"a.con", "b.con", "копия.con"}), 5000);

  // Renamed, never over another file; a separator is an error.
  o.selectFile(QStringLiteral("a.con"));
  o.messages.textAnswers = {QStringLiteral("b"), QStringLiteral("x/y"), QStringLiteral("new")};
  o.press("RenameButton");
  o.press("RenameButton");
  o.press("RenameButton");
  QCOMPARE(o.messages.warnings.size(), 3);
  QCOMPARE(o.messages.errors.size(), 1);
  QVERIFY(!o.root.exists("data/consists/a.con"));
  QCOMPARE(o.root.read("data/consists/new.con"), original);
  QTRY_COMPARE_WITH_TIMEOUT(o.column(0), (QStringList{"b.con", "new.con", "копия.con"}), 5000);
}

void ConsistLibraryTest::deletesIntoTheTrashOnlyWhenConfirmed() {
  Opened o;
  // The trash of a home of the test's own.
  const QString home = QString::fromStdString(o.root / "home");
  const QString data = home + QStringLiteral("/.local/share");
  QDir().mkpath(data);
  qputenv("HOME", home.toUtf8());
  qputenv("XDG_DATA_HOME", data.toUtf8());

  o.selectFile(QStringLiteral("b.con"));
  o.messages.confirmAnswer = false;
  o.press("DeleteFileButton");
  QVERIFY(o.root.exists("data/consists/b.con"));
  QVERIFY(o.messages.questions.last().contains(QStringLiteral("b.con")));

  o.messages.confirmAnswer = true;
  o.press("DeleteFileButton");
  QVERIFY(!o.root.exists("data/consists/b.con"));
  QVERIFY(o.root.exists("home/.local/share/Trash/files/b.con"));
  QTRY_COMPARE_WITH_TIMEOUT(o.column(0), (QStringList{"a.con"}), 5000);

  // Where no trash folder can be made (the data folder is a file) the file stays where it is,
  // and the user is told.
  o.root.write("home/not a folder", "");
  qputenv("XDG_DATA_HOME", (home + QStringLiteral("/not a folder")).toUtf8());
  o.selectFile(QStringLiteral("a.con"));
  o.press("DeleteFileButton");
  QVERIFY(o.root.exists("data/consists/a.con"));
  QVERIFY(!QFileInfo::exists(QStringLiteral("files")));
  QVERIFY(!QFileInfo::exists(QStringLiteral("info")));
  QCOMPARE(o.messages.warnings.size(), 1);
  QVERIFY(o.messages.errors.isEmpty());
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::ConsistLibraryTest)
#include "consist_library_test.moc"
