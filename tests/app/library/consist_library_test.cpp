// The consist library: the files listed with what loading them gives and their problems, the
// folder followed while the window is open, and the actions on a file: open as "Load", copy and
// rename by Save's rules without overwriting, delete into the trash after a confirmation; all of
// them on Cyrillic names in a Cyrillic folder, also after the working folder moved.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <filesystem>

#include "app/common/qt_text.h"
#include "app/library/consist_library_window.h"
#include "app/support/app_test_support.h"
#include "app/train/train_window.h"
#include "platform/paths.h"
#include "platform/trash_calls.h"
#ifdef _WIN32
#include "platform/win32.h"
#endif

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

// The library window of a main window, opened by its button.
struct Library {
  explicit Library(QWidget& form) {
    form.findChild<QPushButton*>(QStringLiteral("LibraryButton"))->click();
    library = form.findChild<ConsistLibraryWindow*>();
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

struct Opened : StartedWindow, Library {
  Opened() : StartedWindow(&writeLibraryRoot), Library(*window->mainWindow) {}
};

// The trash of a home of the test's own.
void useTrashBelow(const std::string& diskFolder) {
  const QString home = fromDiskPath(diskFolder);
  const QString data = home + QStringLiteral("/.local/share");
  QDir().mkpath(data);
  qputenv("HOME", home.toUtf8());
  qputenv("XDG_DATA_HOME", data.toUtf8());
}

class ConsistLibraryTest : public QObject {
  Q_OBJECT

 private slots:
  void listsChecksAndFollowsTheFolder();
  void opensCopiesAndRenamesByTheRulesOfSave();
  void deletesIntoTheTrashOnlyWhenConfirmed();
  void worksOnCyrillicNamesWhereverTheWorkingFolderMoves();
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
  QCOMPARE(o.window->fileBox->currentText(), QStringLiteral("a.con"));
  QCOMPARE(o.window->wagonTotal->text(), QStringLiteral("2"));
  o.window->document().undo();
  QCOMPARE(o.window->wagonTotal->text(), QStringLiteral("0"));

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

#ifdef _WIN32
// The shell as a Recycle Bin of the test's own: the drive has one unless told otherwise, and a
// delete moves the file into `folder`.
class TestRecycleBin {
 public:
  static inline std::wstring folder;
  static inline bool present = true;

  TestRecycleBin() {
    present = true;
    trash_calls::queryRecycleBin = &query;
    trash_calls::fileOperation = &recycle;
  }
  ~TestRecycleBin() {
    trash_calls::queryRecycleBin = query_;
    trash_calls::fileOperation = recycle_;
  }
  TestRecycleBin(const TestRecycleBin&) = delete;
  TestRecycleBin& operator=(const TestRecycleBin&) = delete;

 private:
  static HRESULT query(const wchar_t*, SHQUERYRBINFO*) { return present ? S_OK : E_FAIL; }
  static int recycle(SHFILEOPSTRUCTW* operation) {
    const std::wstring from = operation->pFrom;
    const std::wstring target = folder + from.substr(from.find_last_of(L'\\') + 1);
    return MoveFileW(from.c_str(), target.c_str()) ? 0 : static_cast<int>(GetLastError());
  }

  decltype(trash_calls::queryRecycleBin) query_ = trash_calls::queryRecycleBin;
  decltype(trash_calls::fileOperation) recycle_ = trash_calls::fileOperation;
};
#endif

void ConsistLibraryTest::deletesIntoTheTrashOnlyWhenConfirmed() {
  Opened o;
#ifdef _WIN32
  o.root.mkdir("recycled");
  TestRecycleBin::folder = win32Path(o.root / "recycled") + L"\\";
  const TestRecycleBin recycleBin;
  const char* const trashed = "recycled/b.con";
#else
  // The trash of a home of the test's own.
  const QString home = QString::fromStdString(o.root / "home");
  const QString data = home + QStringLiteral("/.local/share");
  QDir().mkpath(data);
  qputenv("HOME", home.toUtf8());
  qputenv("XDG_DATA_HOME", data.toUtf8());
  const char* const trashed = "home/.local/share/Trash/files/b.con";
#endif

  o.selectFile(QStringLiteral("b.con"));
  o.messages.confirmAnswer = false;
  o.press("DeleteFileButton");
  QVERIFY(o.root.exists("data/consists/b.con"));
  QVERIFY(o.messages.questions.last().contains(QStringLiteral("b.con")));

  o.messages.confirmAnswer = true;
  o.press("DeleteFileButton");
  QVERIFY(!o.root.exists("data/consists/b.con"));
  QVERIFY(o.root.exists(trashed));
  QTRY_COMPARE_WITH_TIMEOUT(o.column(0), (QStringList{"a.con"}), 5000);

  // Where no trash can take the file (a drive without a Recycle Bin; a data folder that is a
  // file) it stays where it is, and the user is told.
#ifdef _WIN32
  TestRecycleBin::present = false;
#else
  o.root.write("home/not a folder", "");
  qputenv("XDG_DATA_HOME", (home + QStringLiteral("/not a folder")).toUtf8());
#endif
  o.selectFile(QStringLiteral("a.con"));
  o.press("DeleteFileButton");
  QVERIFY(o.root.exists("data/consists/a.con"));
  QVERIFY(!QFileInfo::exists(QStringLiteral("files")));
  QVERIFY(!QFileInfo::exists(QStringLiteral("info")));
  QCOMPARE(o.messages.warnings.size(), 1);
  QVERIFY(o.messages.errors.isEmpty());
}

void ConsistLibraryTest::worksOnCyrillicNamesWhereverTheWorkingFolderMoves() {
  // The simulator in a folder "Симулятор", with "Грузовой состав.con".
  TempFolder parent;
  writeLibraryRoot(parent);
  parent.write("data/consists/Грузовой состав.con", parent.read("data/consists/a.con"));
  parent.mkdir("Симулятор");
  std::filesystem::rename(fsPath(parent / "data"), fsPath(parent / "Симулятор/data"));
  parent.mkdir("Картинки");
  useTrashBelow(parent / "home");
  const QString started = QDir::currentPath();
  struct BackWhereItStarted {
    QString folder;
    ~BackWhereItStarted() { QDir::setCurrent(folder); }
  } back{started};

  // Started in it as main() starts, its root taken then; the working folder moves afterwards,
  // as the file dialog of "Сохранить картинку…" may move it.
  QVERIFY(QDir::setCurrent(fromDiskPath(parent / "Симулятор")));
  const std::string root = workingFolder();
  RecordingMessages messages;
  Window window(std::make_unique<Program>(Anchors{root, root}, messages));
  window.mainWindow->show();
  Library o(*window.mainWindow);
  messages.saveFileAnswer = fromDiskPath(parent / "Картинки/состав.png");
  window.mainWindow->findChild<QPushButton*>(QStringLiteral("TrainButton"))->click();
  window.mainWindow->findChild<TrainWindow*>()
      ->findChild<QToolButton*>(QStringLiteral("ExportButton"))
      ->click();
  QVERIFY(QDir::setCurrent(fromDiskPath(parent / "Картинки")));

  // Listed and checked as any file: read, with its figures.
  QTRY_COMPARE_WITH_TIMEOUT(o.column(0), (QStringList{"a.con", "b.con", "Грузовой состав.con"}),
                            5000);
  QCOMPARE(o.column(1).last(), QStringLiteral("2"));
  const std::string original = parent.read("Симулятор/data/consists/Грузовой состав.con");

  // Copied, renamed and deleted in the simulator's folder.
  o.selectFile(QStringLiteral("Грузовой состав.con"));
  messages.textAnswers = {QStringLiteral("Копия")};
  o.press("CopyFileButton");
  QCOMPARE(parent.read("Симулятор/data/consists/Копия.con"), original);
  QTRY_VERIFY_WITH_TIMEOUT(o.column(0).contains(QStringLiteral("Копия.con")), 5000);
  o.selectFile(QStringLiteral("Грузовой состав.con"));
  messages.textAnswers = {QStringLiteral("Грузовой")};
  o.press("RenameButton");
  QCOMPARE(parent.read("Симулятор/data/consists/Грузовой.con"), original);
  QVERIFY(!parent.exists("Симулятор/data/consists/Грузовой состав.con"));
  QTRY_COMPARE_WITH_TIMEOUT(o.column(0),
                            (QStringList{"a.con", "b.con", "Грузовой.con", "Копия.con"}), 5000);
  o.selectFile(QStringLiteral("Копия.con"));
  messages.confirmAnswer = true;
  o.press("DeleteFileButton");
  QVERIFY(!parent.exists("Симулятор/data/consists/Копия.con"));
  QVERIFY(messages.errors.isEmpty() && messages.warnings.isEmpty());

  // Save lands in the simulator's consist folder.
  window.mainWindow->findChild<QComboBox*>(QStringLiteral("ConsistsComboBox"))
      ->setEditText(QStringLiteral("Новый"));
  window.mainWindow->findChild<QPushButton*>(QStringLiteral("SaveButton"))->click();
  QVERIFY(parent.exists("Симулятор/data/consists/Новый.con"));
  QVERIFY(!parent.exists("Картинки/data"));

  // A message names the file from the simulator's folder on, as it always did.
  o.selectFile(QStringLiteral("b.con"));
  std::filesystem::remove(fsPath(parent / "Симулятор/data/consists/b.con"));
  messages.textAnswers = {QStringLiteral("c")};
  o.press("RenameButton");
  QCOMPARE(messages.errors.size(), 1);
#ifdef _WIN32
  const QString shown = QStringLiteral("«data/consists\\b.con»");
#else
  const QString shown = QStringLiteral("«data/consists/b.con»");
#endif
  QVERIFY2(messages.errors[0].startsWith(QStringLiteral("Не удалось переименовать файл ") + shown),
           qPrintable(messages.errors[0]));
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::ConsistLibraryTest)
#include "consist_library_test.moc"
