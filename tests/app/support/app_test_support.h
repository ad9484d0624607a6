// What the window tests share beyond support/window_support.h (the recorder of the boxes, the
// control lookup, main()): small pictures of known colours, a simulator root folder to start the
// program in, the main window with its controls by role, and ways to drive them as a user does.
#pragma once

#include <QColor>
#include <QImage>
#include <QModelIndex>
#include <QPoint>
#include <QStringList>
#include <QTest>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/catalogue/list_box.h"
#include "app/common/application.h"
#include "app/common/status_bar.h"
#include "app/common/user_messages.h"
#include "app/document/consist_document.h"
#include "app/main_window/main_window.h"
#include "app/main_window/selection_panel.h"
#include "app/pictures/picture_box.h"
#include "app/program.h"
#include "support/temp_folder.h"
#include "support/window_support.h"

class QAbstractItemView;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace rakewright {
class CataloguePane;
class ConsistStrip;
}  // namespace rakewright

namespace rakewright::testing {

// The colours of the pictures that writeSimulatorRoot() writes.
inline const QColor kLogoColour(0x20, 0x60, 0xC0);
inline const QColor kNoWagonColour(0x30, 0xA0, 0x30);
inline const QColor kNoPreviewColour(0xC0, 0x30, 0x30);

// A JPEG (made with TurboJPEG) or a Windows bitmap of one colour.
std::string jpegBytes(const QColor& colour, int width = 24, int height = 12);
std::string bmpBytes(const QColor& colour, int width = 24, int height = 12);

// A simulator root: the logo, the no-wagon and no-preview pictures, a traffic list with the
// entries given, one freight wagon folder "Hopper", one passenger folder "Sleeper" and a
// rolling-stock base with
//   PASS:    Sleeper-cup=24.5
//   FREIGHT: Tank=12.5, Hopper=14
//   WEIGHTS: Tank=58.5, Sleeper-cup=60
//   OSI:     Tank=4, Hopper=6, Broken=four
void writeSimulatorRoot(const TempFolder& root, std::string_view trafficList = "Tank\r\nLoco\r\n");

// The main window and its controls, found by their names as a user finds them by their places.
struct Window {
  explicit Window(std::unique_ptr<Program> started);
  ~Window();

  ConsistDocument& document() const { return program->document(); }
  const ConsistModel& model() const { return program->document().model(); }

  std::unique_ptr<Program> program;
  MainWindow* mainWindow;
  CataloguePane* trafficPane;
  CataloguePane* folderPane;
  QComboBox* trafficFilter;
  QComboBox* folderFilter;
  ListBox* trafficList;
  ListBox* trafficFiltered;
  ListBox* folderList;
  ListBox* folderFiltered;
  QLineEdit* amountField;
  QLineEdit* nameField;
  QLineEdit* lengthField;
  QLineEdit* weightField;
  QPushButton* addButton;
  QPushButton* removeButton;
  PictureBox* preview;
  QPlainTextEdit* consistLines;
  QLabel* wagonTotal;
  QLabel* lengthTotal;
  QLabel* lengthUnit;
  QLabel* weightTotal;
  QLabel* weightUnit;
  QLabel* axlesTotal;
  QComboBox* fileBox;
  QPushButton* loadButton;
  QPushButton* saveButton;
  QPushButton* clearButton;
  ConsistStrip* strip;
  PictureBox* slotPicture1;
  PictureBox* slotPicture2;
  PictureBox* slotPicture3;
  PictureBox* slotPicture4;
  PictureBox* slotPicture5;
  PictureBox* slotPicture6;
  QLabel* slotName1;
  QLabel* slotName2;
  QLabel* slotName3;
  QLabel* slotName4;
  QLabel* slotName5;
  QLabel* slotName6;
  QLabel* slotNumber1;
  QLabel* slotNumber2;
  QLabel* slotNumber3;
  QLabel* slotNumber4;
  QLabel* slotNumber5;
  QLabel* slotNumber6;
  QPushButton* firstPageButton;
  QPushButton* backPageButton;
  QPushButton* backButton;
  QPushButton* forwardButton;
  QPushButton* nextPageButton;
  QPushButton* lastPageButton;
  QPushButton* authorsButton;
  StatusBar* statusBar;
};

// The main window started in `root` (data root and program folder alike), shown offscreen.
std::unique_ptr<Window> openWindow(const TempFolder& root, UserMessages& messages);

// The main window started on a simulator root that `prepare` wrote (writeSimulatorRoot() with its
// defaults when none is given), with its boxes recorded.
struct StartedWindow {
  explicit StartedWindow(void (*prepare)(const TempFolder&) = nullptr);
  TempFolder root;
  RecordingMessages messages;
  std::unique_ptr<Window> window;
};

// The colour in the middle of a picture box's picture; invalid when the box is empty.
QColor centreColour(const PictureBox* box);
// Whether two colours are equal within the small error of JPEG compression.
bool nearlyEqual(const QColor& a, const QColor& b);

// Puts a selection into the selection fields, as a catalogue selection would.
void select(const Window& window, const QString& name, const QString& length,
            const QString& weight);
// Adds `count` wagons named prefix1, prefix2, ... of length 10 through "+".
void addWagons(const Window& window, int count, const QString& prefix = QStringLiteral("W"));

// The captions of the six name labels of the strip, left to right.
QStringList slotNames(const Window& window);

// The rows of a catalogue list as it shows them, top to bottom.
QStringList rowTexts(const QAbstractItemView* list);
// The first row showing `text`; invalid when none does.
QModelIndex rowNamed(const QAbstractItemView* list, const QString& text);
// Selects the first row showing `text`, as choosing it with the keyboard does; fails the test
// (std::logic_error) when there is none.
void selectRow(QAbstractItemView* list, const QString& text);
// Selects `row` as choosing it with the keyboard does.
void selectRow(QAbstractItemView* list, int row);
// The text of the current row; "" when there is none.
QString currentText(const QAbstractItemView* list);
// How many rows are selected.
int selectedCount(const QAbstractItemView* list);
// The centre of the row showing `text`, in the list's viewport.
QPoint rowCentre(const QAbstractItemView* list, const QString& text);

// Chooses entry `entry` of a filter box as the user does.
void chooseEntry(QComboBox* box, int entry);

// Puts PageStart at `pageStart` with the paging buttons: "В начало", then "->".
void pageTo(const Window& window, int pageStart);

// Types `text` into `widget` one key press per character, Cyrillic included (QTest::keyClicks
// types Latin-1 only).
void typeText(QWidget* widget, const QString& text);

}  // namespace rakewright::testing
