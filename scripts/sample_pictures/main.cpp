// Writes the sample simulator folder (sample-data/) and the program's own pictures
// (app/resources/) of a Rakewright checkout: every picture is drawn here, every text file is made
// from the tables of sample_world.cpp. Running it again gives the same files.
//
//   sample_pictures <checkout> [--look <folder>]
//
// With --look, <folder>/sheet.png shows every picture written, and a PNG copy of each lies beside
// it, for looking at them.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "drawings.h"
#include "icon_file.h"
#include "sample_world.h"
#include "text_files.h"

namespace {

QString fromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), text.size());
}

class Writer {
 public:
  Writer(QString checkout, QString look) : checkout_(std::move(checkout)), look_(std::move(look)) {}

  void bytes(const QString& relative, const std::string& content) {
    QFile file(prepare(relative));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content.data(), static_cast<qint64>(content.size())) !=
            static_cast<qint64>(content.size()) ||
        !file.flush()) {
      throw std::runtime_error("cannot write " + relative.toStdString());
    }
    total_ += static_cast<qint64>(content.size());
  }

  void picture(const QString& relative, const QImage& image) {
    const QString path = prepare(relative);
    const QString suffix = QFileInfo(relative).suffix().toLower();
    bool saved = false;
    if (suffix == "jpg") {
      saved = image.convertToFormat(QImage::Format_RGB32).save(path, "JPEG", 75);
    } else if (suffix == "bmp") {
      // RGB32 without alpha is written as a 24-bit bitmap
      saved = image.convertToFormat(QImage::Format_RGB32).save(path, "BMP");
    } else {
      saved = image.save(path, "PNG");
    }
    if (!saved) {
      throw std::runtime_error("cannot save " + relative.toStdString());
    }
    const qint64 size = QFileInfo(path).size();
    total_ += size;
    if (suffix == "jpg" && size > 15 * 1024) {
      std::fprintf(stderr, "warning: %s is %lld bytes\n", qPrintable(relative), size);
    }
    if (!look_.isEmpty()) {
      // what was written, as a viewer will decode it
      looked_.push_back({relative, QImage(path)});
    }
  }

  // A Windows icon of several sizes; each size is shown on the contact sheet.
  void icon(const QString& relative, const std::vector<QImage>& sizes) {
    bytes(relative, sample::iconFile(sizes));
    if (!look_.isEmpty()) {
      for (const QImage& image : sizes) {
        looked_.push_back({QString("%1 %2").arg(relative).arg(image.width()), image});
      }
    }
  }

  // One PNG with every picture written, in rows, each under its path.
  void writeContactSheet() const {
    if (look_.isEmpty() || looked_.empty()) {
      return;
    }
    const int cellWidth = 520;
    const int cellHeight = 200;
    const int columns = 3;
    const int rows = static_cast<int>((looked_.size() + columns - 1) / columns);
    QImage sheet(columns * cellWidth, rows * cellHeight, QImage::Format_RGB32);
    sheet.fill(QColor(200, 200, 200));
    QPainter painter(&sheet);
    for (std::size_t i = 0; i < looked_.size(); ++i) {
      const int x = static_cast<int>(i % columns) * cellWidth;
      const int y = static_cast<int>(i / columns) * cellHeight;
      painter.setPen(Qt::black);
      painter.drawText(QRect(x + 4, y + 2, cellWidth - 8, 16), Qt::AlignLeft,
                       looked_[i].first.section('/', -2));
      painter.drawImage(QPoint(x + 4, y + 20), looked_[i].second);
    }
    painter.end();
    QDir().mkpath(look_);
    sheet.save(look_ + "/sheet.png", "PNG");
    for (std::size_t i = 0; i < looked_.size(); ++i) {
      const QString name = looked_[i].first.section('/', -2).replace('/', '_');
      looked_[i].second.save(
          QString("%1/%2_%3.png").arg(look_).arg(i, 2, 10, QChar('0')).arg(name));
    }
  }

  qint64 total() const { return total_; }

 private:
  QString prepare(const QString& relative) {
    const QString path = checkout_ + "/" + relative;
    if (!QDir().mkpath(QFileInfo(path).path())) {
      throw std::runtime_error("cannot create the folder of " + relative.toStdString());
    }
    return path;
  }

  QString checkout_;
  QString look_;
  qint64 total_ = 0;
  std::vector<std::pair<QString, QImage>> looked_;
};

void writeSampleData(Writer& out) {
  using namespace sample;
  const QString data = "sample-data/data/";
  const std::vector<Stock> stock = rollingStock();

  out.bytes(data + "traffic/traffic.ref", trafficList(stock));
  out.bytes(data + "consists/base.ini", rollingStockBase(stock));
  for (const ConsistDefinition& consist : consistFiles()) {
    out.bytes(data + "consists/" + fromUtf8(consist.file), consistFile(consist, stock));
  }

  const QString preview = data + "consists/Preview/";
  out.picture(preview + "Logo.jpg", logoPicture());
  out.picture(preview + "Not_Wag_Img.jpg", noPreviewPicture());
  out.picture(preview + "Not_Wagon.jpg", noWagonPicture());
  for (const Stock& s : stock) {
    if (s.preview) {
      out.picture(preview + fromUtf8(s.name) + ".jpg", vehiclePicture(*s.preview, kPreviewSize));
    }
  }

  for (const auto& [folder, kind] : {std::pair{freightFolders(), "freight_wags/"},
                                     std::pair{passengerFolders(), "pass_wags/"}}) {
    for (const WagonFolder& wagon : folder) {
      const QString base = data + kind + fromUtf8(wagon.name) + "/";
      for (const FolderFile& f : wagon.files) {
        if (f.bitmap) {
          out.picture(base + fromUtf8(f.name), vehiclePicture(*f.bitmap, kWagonBitmapSize));
        } else {
          out.bytes(base + fromUtf8(f.name), placeholder(wagon.name, f.name));
        }
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--look")) {
    std::fprintf(stderr, "usage: sample_pictures <checkout> [--look <folder>]\n");
    return 2;
  }
  const QString checkout = QDir(args[1]).absolutePath();
  if (!QFileInfo::exists(checkout + "/CMakeLists.txt") || !QFileInfo(checkout + "/app").isDir()) {
    std::fprintf(stderr, "%s is not a Rakewright checkout\n", qPrintable(checkout));
    return 2;
  }
  try {
    // The data folder is ours alone: start from nothing so that no stale file stays behind.
    QDir(checkout + "/sample-data/data").removeRecursively();
    Writer out(checkout, args.size() == 4 ? args[3] : QString());
    writeSampleData(out);
    const qint64 sampleBytes = out.total();
    out.picture("app/resources/authors.jpg", sample::authorsPicture());
    out.picture("app/resources/rakewright.png", sample::applicationIcon());
    std::vector<QImage> iconSizes;
    for (const int size : sample::kIconSizes) {
      iconSizes.push_back(sample::applicationIcon(size));
    }
    out.icon("app/resources/rakewright.ico", iconSizes);
    out.writeContactSheet();
    std::printf("sample-data: %lld bytes; with the program's pictures: %lld bytes\n", sampleBytes,
                out.total());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sample_pictures: %s\n", error.what());
    return 1;
  }
  return 0;
}
