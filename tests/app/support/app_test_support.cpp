#include "app/support/app_test_support.h"

#include <QBuffer>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <stdexcept>
#include <vector>

#include "app/catalogue/catalogue_pane.h"
#include "app/catalogue/list_box.h"
#include "app/common/status_bar.h"
#include "app/main_window/consist_strip.h"
#include "app/pictures/picture_box.h"
#include "support/jpeg.h"

namespace rakewright::testing {

std::string jpegBytes(const QColor& colour, int width, int height) {
  return jpegBytes(
      width, height,
      {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
       static_cast<std::uint8_t>(colour.blue())});
}

std::string bmpBytes(const QColor& colour, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) {
    throw std::runtime_error("cannot make a bitmap");
  }
  return bytes.toStdString();
}

void writeSimulatorRoot(const TempFolder& root, std::string_view trafficList) {
  root.write("data/consists/Preview/Logo.jpg", jpegBytes(kLogoColour));
  root.write("data/consists/Preview/Not_Wagon.jpg", jpegBytes(kNoWagonColour));
  root.write("data/consists/Preview/Not_Wag_Img.jpg", jpegBytes(kNoPreviewColour));
  root.write("data/traffic/traffic.ref", trafficList);
  root.write("data/freight_wags/Hopper/hopper.dmd", "model");
  root.write("data/pass_wags/Sleeper/cup_wagon.dmd", "model");
  root.write("data/consists/base.ini",
             "[PASS]\r\nSleeper-cup=24.5\r\n"
             "[FREIGHT]\r\nTank=12.5\r\nHopper=14\r\n"
             "[WEIGHTS]\r\nTank=58.5\r\nSleeper-cup=60\r\n"
             "[OSI]\r\nTank=4\r\nHopper=6\r\nBroken=four\r\n");
}

#define RAKEWRIGHT_FIND(type, member, name) member(control<type>(*mainWindow, #name))

Window::Window(std::unique_ptr<Program> started)
    : program(std::move(started)),
      mainWindow(&program->mainWindow()),
      RAKEWRIGHT_FIND(CataloguePane, trafficPane, TrafficPane),
      RAKEWRIGHT_FIND(CataloguePane, folderPane, FolderPane),
      RAKEWRIGHT_FIND(QComboBox, trafficFilter, ComboBox1),
      RAKEWRIGHT_FIND(QComboBox, folderFilter, ComboBox2),
      RAKEWRIGHT_FIND(ListBox, trafficList, ListBox1),
      RAKEWRIGHT_FIND(ListBox, trafficFiltered, ListBox2),
      RAKEWRIGHT_FIND(ListBox, folderList, ListBox3),
      RAKEWRIGHT_FIND(ListBox, folderFiltered, ListBox4),
      RAKEWRIGHT_FIND(QLineEdit, amountField, AmountEdit),
      RAKEWRIGHT_FIND(QLineEdit, nameField, NameEdit),
      RAKEWRIGHT_FIND(QLineEdit, lengthField, LengthEdit),
      RAKEWRIGHT_FIND(QLineEdit, weightField, Edit1),
      RAKEWRIGHT_FIND(QPushButton, addButton, AddButton),
      RAKEWRIGHT_FIND(QPushButton, removeButton, DeleteButton),
      RAKEWRIGHT_FIND(PictureBox, preview, PreviewImage),
      RAKEWRIGHT_FIND(QPlainTextEdit, consistLines, ConsistsMemo),
      RAKEWRIGHT_FIND(QLabel, wagonTotal, Wag_Num),
      RAKEWRIGHT_FIND(QLabel, lengthTotal, ConsistLength),
      RAKEWRIGHT_FIND(QLabel, lengthUnit, Label4),
      RAKEWRIGHT_FIND(QLabel, weightTotal, Con_Weight),
      RAKEWRIGHT_FIND(QLabel, weightUnit, Label9),
      RAKEWRIGHT_FIND(QLabel, axlesTotal, Num_Osey),
      RAKEWRIGHT_FIND(QComboBox, fileBox, ConsistsComboBox),
      RAKEWRIGHT_FIND(QPushButton, loadButton, LoadButton),
      RAKEWRIGHT_FIND(QPushButton, saveButton, SaveButton),
      RAKEWRIGHT_FIND(QPushButton, clearButton, ClearButton),
      RAKEWRIGHT_FIND(ConsistStrip, strip, Panel1),
      RAKEWRIGHT_FIND(PictureBox, slotPicture1, PrvImg1),
      RAKEWRIGHT_FIND(PictureBox, slotPicture2, PrvImg2),
      RAKEWRIGHT_FIND(PictureBox, slotPicture3, PrvImg3),
      RAKEWRIGHT_FIND(PictureBox, slotPicture4, PrvImg4),
      RAKEWRIGHT_FIND(PictureBox, slotPicture5, PrvImg5),
      RAKEWRIGHT_FIND(PictureBox, slotPicture6, PrvImg6),
      RAKEWRIGHT_FIND(QLabel, slotName1, WagName1),
      RAKEWRIGHT_FIND(QLabel, slotName2, WagName2),
      RAKEWRIGHT_FIND(QLabel, slotName3, WagName3),
      RAKEWRIGHT_FIND(QLabel, slotName4, WagName4),
      RAKEWRIGHT_FIND(QLabel, slotName5, WagName5),
      RAKEWRIGHT_FIND(QLabel, slotName6, WagName6),
      RAKEWRIGHT_FIND(QLabel, slotNumber1, WagNum1),
      RAKEWRIGHT_FIND(QLabel, slotNumber2, WagNum2),
      RAKEWRIGHT_FIND(QLabel, slotNumber3, WagNum3),
      RAKEWRIGHT_FIND(QLabel, slotNumber4, WagNum4),
      RAKEWRIGHT_FIND(QLabel, slotNumber5, WagNum5),
      RAKEWRIGHT_FIND(QLabel, slotNumber6, WagNum6),
      RAKEWRIGHT_FIND(QPushButton, firstPageButton, Button5),
      RAKEWRIGHT_FIND(QPushButton, backPageButton, Button3),
      RAKEWRIGHT_FIND(QPushButton, backButton, PrevPageBtn),
      RAKEWRIGHT_FIND(QPushButton, forwardButton, NextPageBtn),
      RAKEWRIGHT_FIND(QPushButton, nextPageButton, Button4),
      RAKEWRIGHT_FIND(QPushButton, lastPageButton, Button6),
      RAKEWRIGHT_FIND(QPushButton, authorsButton, Button1),
      RAKEWRIGHT_FIND(StatusBar, statusBar, StatusBar1) {}

#undef RAKEWRIGHT_FIND

Window::~Window() = default;

std::unique_ptr<Window> openWindow(const TempFolder& root, UserMessages& messages) {
  auto window = std::make_unique<Window>(
      std::make_unique<Program>(Anchors{root.path(), root.path()}, messages));
  window->mainWindow->show();
  // Keys of the whole window (shortcuts) reach only the active window.
  window->mainWindow->activateWindow();
  if (!QTest::qWaitForWindowActive(window->mainWindow)) {
    throw std::logic_error("the window did not become active");
  }
  return window;
}

StartedWindow::StartedWindow(void (*prepare)(const TempFolder&)) {
  if (prepare != nullptr) {
    prepare(root);
  } else {
    writeSimulatorRoot(root);
  }
  window = openWindow(root, messages);
}

QColor centreColour(const PictureBox* box) {
  const QImage& image = box->image();
  if (image.isNull()) {
    return {};
  }
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

bool nearlyEqual(const QColor& a, const QColor& b) {
  constexpr int kTolerance = 6;
  return a.isValid() && b.isValid() && std::abs(a.red() - b.red()) <= kTolerance &&
         std::abs(a.green() - b.green()) <= kTolerance &&
         std::abs(a.blue() - b.blue()) <= kTolerance;
}

void select(const Window& window, const QString& name, const QString& length,
            const QString& weight) {
  window.nameField->setText(name);
  window.lengthField->setText(length);
  window.weightField->setText(weight);
}

void addWagons(const Window& window, int count, const QString& prefix) {
  for (int i = 1; i <= count; ++i) {
    select(window, prefix + QString::number(i), QStringLiteral("10"), QStringLiteral("50"));
    window.addButton->click();
  }
}

QStringList rowTexts(const QAbstractItemView* list) {
  QStringList texts;
  const QAbstractItemModel* model = list->model();
  for (int row = 0; row < model->rowCount(); ++row) {
    texts.append(model->index(row, 0).data().toString());
  }
  return texts;
}

QModelIndex rowNamed(const QAbstractItemView* list, const QString& text) {
  const QModelIndexList found =
      list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly);
  return found.isEmpty() ? QModelIndex() : found.front();
}

void selectRow(QAbstractItemView* list, const QString& text) {
  const QModelIndex row = rowNamed(list, text);
  if (!row.isValid()) {
    throw std::logic_error("no row " + text.toStdString());
  }
  list->setCurrentIndex(row);
}

void selectRow(QAbstractItemView* list, int row) {
  list->setCurrentIndex(list->model()->index(row, 0));
}

QString currentText(const QAbstractItemView* list) {
  return list->currentIndex().data().toString();
}

int selectedCount(const QAbstractItemView* list) {
  return static_cast<int>(list->selectionModel()->selectedIndexes().size());
}

QPoint rowCentre(const QAbstractItemView* list, const QString& text) {
  return list->visualRect(rowNamed(list, text)).center();
}

void chooseEntry(QComboBox* box, int entry) {
  box->setCurrentIndex(entry);
  emit box->activated(entry);
}

void pageTo(const Window& window, int pageStart) {
  window.firstPageButton->click();
  while (window.model().pageStart() < pageStart) {
    const int before = window.model().pageStart();
    window.forwardButton->click();
    if (window.model().pageStart() == before) {
      throw std::logic_error("cannot page that far");
    }
  }
}

QStringList slotNames(const Window& window) {
  return {window.slotName1->text(), window.slotName2->text(), window.slotName3->text(),
          window.slotName4->text(), window.slotName5->text(), window.slotName6->text()};
}

void typeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(c.toUpper().unicode()),
                        QString(c), Qt::NoModifier);
  }
}

}  // namespace rakewright::testing
