// Loading pictures by extension: JPEG through TurboJPEG, bitmaps through Qt, paths found ignoring
// letter case, and the error texts for files that are missing, damaged or of another kind.
#include <QtTest>

#include <cerrno>

#include "app/common/qt_text.h"
#include "app/pictures/picture_loader.h"
#include "app/support/app_test_support.h"
#include "platform/file_error.h"

namespace rakewright::testing {
namespace {

class PictureLoaderTest : public QObject {
  Q_OBJECT

 private slots:
  void loadsByExtensionIgnoringCase();
  void namesTheFileAndTheReasonOnFailure();
  void showsTruncatedJpegAsFarAsItGoes();
};

QString errorOf(const TempFolder& root, std::string_view path) {
  try {
    loadPicture(root.path(), path);
  } catch (const PictureError& error) {
    return QString::fromStdString(error.what());
  }
  return {};
}

void PictureLoaderTest::loadsByExtensionIgnoringCase() {
  TempFolder root;
  const QColor blue(0x20, 0x40, 0xD0);
  const QColor yellow(0xF0, 0xE0, 0x10);
  root.write("data/consists/Preview/Wagon.JPG", jpegBytes(blue, 40, 20));
  root.write("data/pass_wags/Sleeper/cup_wagon.bmp", bmpBytes(yellow, 7, 3));

  const QImage jpeg = loadPicture(root.path(), "data\\consists\\preview\\wagon.jpg");
  QCOMPARE(jpeg.size(), QSize(40, 20));
  QVERIFY(nearlyEqual(jpeg.pixelColor(39, 19), blue));
  QVERIFY(nearlyEqual(loadPicture(root.path(), "data/consists/Preview/Wagon.JPG").pixelColor(0, 0),
                      blue));

  const QImage bmp = loadPicture(root.path(), "data/PASS_WAGS/sleeper/CUP_WAGON.BMP");
  QCOMPARE(bmp.size(), QSize(7, 3));
  QCOMPARE(bmp.pixelColor(6, 2), yellow);
}

void PictureLoaderTest::namesTheFileAndTheReasonOnFailure() {
  TempFolder root;
  root.write("data/wagon.png", jpegBytes(Qt::red));
  root.write("data/noise.jpg", "BM this is no JPEG");
  root.write("data/noise.bmp", jpegBytes(Qt::red));
  root.mkdir("data/folder.jpg");

  QCOMPARE(errorOf(root, "data/consists/Preview/Not_Wagon.jpg"),
           QStringLiteral("Cannot open file \"data/consists/Preview/Not_Wagon.jpg\". ") +
               fromCp1251(reasonOf(FileError(FileError::kPathNotFound, ENOENT))));
  QCOMPARE(errorOf(root, "data\\wagon.png"),
           QStringLiteral("Cannot open file \"data\\wagon.png\". Unknown picture file extension "
                          "(.png)"));
  QCOMPARE(errorOf(root, "data/noextension"),
           QStringLiteral("Cannot open file \"data/noextension\". Unknown picture file extension "
                          "()"));
  QCOMPARE(errorOf(root, "data/noise.bmp"),
           QStringLiteral("Cannot open file \"data/noise.bmp\". Invalid bitmap"));
  QCOMPARE(errorOf(root, "data/folder.jpg"),
           QStringLiteral("Cannot open file \"data/folder.jpg\". ") +
               fromCp1251(reasonOf(fileErrorFromErrno(EISDIR))));
  // The decoder's own message follows the path.
  const QString noise = errorOf(root, "data/noise.jpg");
  QVERIFY2(noise.startsWith(QStringLiteral("Cannot open file \"data/noise.jpg\". ")) &&
               noise.size() > 40,
           qPrintable(noise));
  QVERIFY(errorOf(root, "").startsWith(QStringLiteral("Cannot open file \"\". ")));
}

void PictureLoaderTest::showsTruncatedJpegAsFarAsItGoes() {
  TempFolder root;
  const std::string whole = jpegBytes(QColor(0x40, 0x90, 0x40), 256, 256);
  // Cut inside the compressed picture data, which follows the start-of-scan marker.
  const std::size_t scan = whole.find("\xFF\xDA");
  QVERIFY(scan != std::string::npos);
  root.write("data/cut.jpg", whole.substr(0, scan + (whole.size() - scan) / 2));
  root.write("data/header.jpg", whole.substr(0, 20));

  const QImage cut = loadPicture(root.path(), "data/cut.jpg");
  QCOMPARE(cut.size(), QSize(256, 256));
  QVERIFY(nearlyEqual(cut.pixelColor(0, 0), QColor(0x40, 0x90, 0x40)));
  // A file that ends inside its header is no picture at all.
  QVERIFY(errorOf(root, "data/header.jpg").startsWith(QStringLiteral("Cannot open file")));
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::PictureLoaderTest)
#include "picture_loader_test.moc"
