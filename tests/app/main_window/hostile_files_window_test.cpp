// The window on files that other programs and people left in a simulator folder: FIFOs and links
// to devices in place of consist files, the traffic list and pictures, a protected consist file,
// leftovers of killed saves, names of megabytes and pictures that claim to be enormous. Each gets
// its message or its quiet fallback, the consist being edited stays, and no control is handed
// more than it can show.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include "app/common/qt_text.h"
#include "app/common/widgets.h"
#include "app/support/app_test_support.h"
#include "platform/file_error.h"
#include "platform/hostile_file_support.h"

namespace rakewright::testing {
namespace {

// Opens a FIFO for writing after a while, unless stopped first: a reader that waits on the FIFO
// is released, so a reader that blocks fails its test instead of hanging it.
class FifoWatchdog {
 public:
  explicit FifoWatchdog(std::string fifo)
      : thread_([this, fifo = std::move(fifo)] {
          std::unique_lock lock(mutex_);
          if (!stopped_.wait_for(lock, kPatience, [this] { return stop_; })) {
            const int writer = open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
            if (writer >= 0) {
              close(writer);
            }
          }
        }) {}
  ~FifoWatchdog() {
    {
      const std::lock_guard lock(mutex_);
      stop_ = true;
    }
    stopped_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable stopped_;
  bool stop_ = false;
  std::thread thread_;
};

// A small JPEG whose header claims `width` x `height` pixels: its data ends long before.
std::string jpegClaiming(int width, int height) {
  std::string bytes = jpegBytes(QColor(0x90, 0x30, 0x90), 16, 16);
  const std::size_t frame = bytes.find("\xFF\xC0");
  if (frame == std::string::npos) {
    throw std::logic_error("no frame header");
  }
  // FF C0, length (2), precision (1), height (2), width (2).
  bytes[frame + 5] = static_cast<char>(height >> 8);
  bytes[frame + 6] = static_cast<char>(height & 0xFF);
  bytes[frame + 7] = static_cast<char>(width >> 8);
  bytes[frame + 8] = static_cast<char>(width & 0xFF);
  return bytes;
}

QString shown(const Window& window) {
  return window.consistLines->toPlainText();
}

class HostileFilesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void loadRefusesWhatIsNoFileAndKeepsTheConsist();
  void startsWithATrafficListOrLogoThatIsNoFile();
  void previewThatIsNoFileFallsBackQuietly();
  void saveLeavesAProtectedFileAlone();
  void startUpRemovesOnlyLeftoversOfKilledSaves();
  void longNamesAreKeptWholeButShownShort();
  void enormousPicturesAreDecodedToTheirBox();
};

void HostileFilesWindowTest::loadRefusesWhatIsNoFileAndKeepsTheConsist() {
  StartedWindow started;
  Window* const window = started.window.get();
  addWagons(*window, 2);
  const QString consist = shown(*window);
  makeFifo(started.root / "data/consists/x.con");
  makeSymlink("/dev/zero", started.root / "data/consists/z.con");

  for (const char* name : {"x.con", "z.con"}) {
    const FifoWatchdog watchdog(started.root / "data/consists/x.con");
    window->fileBox->setEditText(QString::fromLatin1(name));
    window->loadButton->click();
    QCOMPARE(started.messages.errors.last(),
             QStringLiteral("Cannot open file \"data\\consists\\%1\". Not a regular file.")
                 .arg(QString::fromLatin1(name)));
    QCOMPARE(shown(*window), consist);
  }
  QCOMPARE(started.messages.errors.size(), 2);
}

void HostileFilesWindowTest::startsWithATrafficListOrLogoThatIsNoFile() {
  {
    TempFolder root;
    writeSimulatorRoot(root);
    std::filesystem::remove(root / "data/traffic/traffic.ref");
    makeFifo(root / "data/traffic/traffic.ref");
    std::filesystem::remove(root / "data/consists/Preview/Logo.jpg");
    makeFifo(root / "data/consists/Preview/Logo.jpg");
    const FifoWatchdog watchdog(root / "data/traffic/traffic.ref");
    RecordingMessages messages;
    const auto window = openWindow(root, messages);
    QCOMPARE(messages.errors, QStringList{QStringLiteral("Not a regular file.")});
    QCOMPARE(window->trafficList->model()->rowCount(), 0);
    // Without its logo the window shows its blank preview, without a word.
    QCOMPARE(centreColour(window->preview), QColor(Qt::white));
    // The strip was drawn before the catalogues.
    QVERIFY(nearlyEqual(centreColour(window->slotPicture1), kNoWagonColour));
  }
  {
    TempFolder root;
    writeSimulatorRoot(root);
    std::filesystem::remove(root / "data/traffic/traffic.ref");
    makeSymlink("/dev/zero", root / "data/traffic/traffic.ref");
    RecordingMessages messages;
    const auto window = openWindow(root, messages);
    QCOMPARE(messages.errors, QStringList{QStringLiteral("Not a regular file.")});
    // The folder index was not written anew.
    QVERIFY(!root.exists("data/traffic/consists.ref"));
  }
}

void HostileFilesWindowTest::previewThatIsNoFileFallsBackQuietly() {
  StartedWindow started;
  Window* const window = started.window.get();
  makeSymlink("/dev/zero", started.root / "data/consists/Preview/Tank.jpg");
  makeFifo(started.root / "data/consists/Preview/Loco.jpg");
  const FifoWatchdog watchdog(started.root / "data/consists/Preview/Loco.jpg");

  selectRow(window->trafficList, 0);  // Tank
  QVERIFY(nearlyEqual(centreColour(window->preview), kNoPreviewColour));
  window->addButton->click();
  selectRow(window->trafficList, 1);  // Loco
  window->addButton->click();
  QVERIFY(nearlyEqual(centreColour(window->slotPicture1), kNoPreviewColour));
  QVERIFY(nearlyEqual(centreColour(window->slotPicture2), kNoPreviewColour));
  QVERIFY(started.messages.errors.isEmpty());
}

void HostileFilesWindowTest::saveLeavesAProtectedFileAlone() {
  StartedWindow started;
  Window* const window = started.window.get();
  const std::string kept = "1\tOld\t10\r\n;50\t4\t1\r\n";
  started.root.write("data/consists/keep.con", kept);
  chmod((started.root / "data/consists/keep.con").c_str(), 0444);

  addWagons(*window, 1);
  window->fileBox->setEditText(QStringLiteral("keep"));
  window->saveButton->click();
  QCOMPARE(started.messages.errors,
           QStringList{QStringLiteral("Cannot create file \"data\\consists\\keep.con\". ") +
                       fromCp1251(reasonOf(fileErrorFromErrno(EACCES))) + QStringLiteral(".")});
  QCOMPARE(started.root.read("data/consists/keep.con"), kept);
  // The consist is as it was, and the longest names a folder allows are saved.
  QCOMPARE(shown(*window), QStringLiteral("1\tW1\t10"));
  const QString longest = QString(251, QLatin1Char('n'));
  window->fileBox->setEditText(longest);
  window->saveButton->click();
  QCOMPARE(started.messages.errors.size(), 1);
  QVERIFY(started.root.exists("data/consists/" + longest.toStdString() + ".con"));
  window->clearButton->click();
  window->loadButton->click();
  QCOMPARE(shown(*window), QStringLiteral("1\tW1\t10"));
}

void HostileFilesWindowTest::startUpRemovesOnlyLeftoversOfKilledSaves() {
  TempFolder root;
  writeSimulatorRoot(root);
  const auto leftover = [&](const std::string& path) {
    root.write(path, "half a consist");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(root / path, old);
  };
  leftover("data/consists/.rakewright-Ab12Cd");
  leftover("data/traffic/.rakewright-9zZ0aa");
  leftover("data/consists/.rakewright-short");
  leftover("data/consists/.train.con.Ab12Cd");
  leftover("data/consists/notes.txt");
  root.write("data/consists/.rakewright-Fresh1", "a save going on right now");

  RecordingMessages messages;
  const auto window = openWindow(root, messages);
  QVERIFY(messages.errors.isEmpty());
  QVERIFY(!root.exists("data/consists/.rakewright-Ab12Cd"));
  QVERIFY(!root.exists("data/traffic/.rakewright-9zZ0aa"));
  QVERIFY(root.exists("data/consists/.rakewright-short"));
  QVERIFY(root.exists("data/consists/.train.con.Ab12Cd"));
  QVERIFY(root.exists("data/consists/notes.txt"));
  QVERIFY(root.exists("data/consists/.rakewright-Fresh1"));
}

void HostileFilesWindowTest::longNamesAreKeptWholeButShownShort() {
  TempFolder root;
  const std::string longName = "Long" + std::string(2'000'000, 'x');
  writeSimulatorRoot(root, longName + "\r\nTank\r\n");
  root.write("data/consists/long.con", "1\t" + longName + "\t25\r\n;50\t4\t1\r\n");
  RecordingMessages messages;
  const auto window = openWindow(root, messages);
  const int shortest = static_cast<int>(kShownCharacters) + 1;  // with the ellipsis

  QCOMPARE(rowTexts(window->trafficList)[0].size(), shortest);
  selectRow(window->trafficList, 0);
  QCOMPARE(window->nameField->text().size(), shortest);
  QVERIFY(window->nameField->text().startsWith(QStringLiteral("Longxxx")));
  window->addButton->click();
  QCOMPARE(window->slotName1->text().size(), shortest);
  QVERIFY(shown(*window).size() < shortest + 10);

  // Filtering finds it by its whole name, and what is saved holds it whole.
  root.write("data/consists/base.ini", "[LOCOS]\r\n" + longName + "=21\r\n");
  chooseEntry(window->trafficFilter, 3);
  QCOMPARE(window->trafficFiltered->model()->rowCount(), 1);
  window->fileBox->setEditText(QStringLiteral("saved"));
  window->saveButton->click();
  QCOMPARE(root.read("data/consists/saved.con"), "1\t" + longName + "\t15\r\n;50\t4\t1\r\n");

  window->fileBox->setEditText(QStringLiteral("long.con"));
  window->loadButton->click();
  QCOMPARE(window->model().wagonName(1), longName);
  QCOMPARE(window->slotName1->text().size(), shortest);
  QVERIFY(messages.errors.isEmpty());
}

void HostileFilesWindowTest::enormousPicturesAreDecodedToTheirBox() {
  StartedWindow started;
  Window* const window = started.window.get();
  // A file of a kilobyte whose header claims 8192 x 8192 pixels.
  const std::string big = jpegClaiming(8192, 8192);
  QVERIFY(big.size() < 2048);
  started.root.write("data/consists/Preview/Tank.jpg", big);

  selectRow(window->trafficList, 0);  // Tank
  QVERIFY(window->preview->image().width() <= window->preview->pixelSize().width());
  QVERIFY(window->preview->image().height() <= window->preview->pixelSize().height());
  for (int i = 0; i < 6; ++i) {
    window->addButton->click();
  }
  for (const PictureBox* slot : {window->slotPicture1, window->slotPicture6}) {
    QVERIFY(slot->image().width() <= slot->pixelSize().width());
    QVERIFY(slot->image().height() <= slot->pixelSize().height());
    QVERIFY(!slot->image().isNull());
  }
  QVERIFY(started.messages.errors.isEmpty());
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::HostileFilesWindowTest)
#include "hostile_files_window_test.moc"
