// The consist's invariants under thousands of random operations, made through the main window as
// a player makes them: clicks in the catalogue lists, "+", Enter and double-click in a list, drops
// on the strip (a catalogue item inserted, a wagon moved, a copy with Ctrl), clicks on strip
// pictures, "-", clearing, paging, the filter boxes, Save and Load, Ctrl+Z and Ctrl+Y, the strip's
// keys, typed and emptied selection fields. Each operation's effect is predicted from what the
// player sees (the selection fields, the strip, the framed wagon); afterwards the test checks that
// the consist is what was predicted (an operation that must be refused changes nothing), that the
// wagon count, the consist lines, the table of names, the strip and the totals agree, that the
// totals are the exact sums over the wagons, and that a save and a load give back the same consist
// and the same bytes. Each round runs in a fresh window with fewer operations than the undo history
// keeps, and ends by undoing every step back to the empty consist and redoing them all.
//
// Every figure is a multiple of 0.25 below 1000, so the sums are exact in binary and any drift
// shows; the test sums them itself, in quarters. The weights added are always the base's (or its
// default), so that loading a saved consist counts the same weights again.
//
// The seed is fixed; RAKEWRIGHT_SEED replaces it and RAKEWRIGHT_OPERATIONS the number of
// operations. A failure names the seed and the last operations.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/catalogue/catalogue_list_model.h"
#include "app/catalogue/catalogue_pane.h"
#include "app/catalogue/drag_payloads.h"
#include "app/main_window/consist_strip.h"
#include "app/support/app_test_support.h"
#include "consist/consist_file.h"

namespace rakewright::testing {
namespace {

constexpr unsigned kDefaultSeed = 20240614;
// Under AddressSanitizer every operation costs several times as much; the build with it runs the
// first two thirds of the same operations, to stay as quick.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kDefaultOperations = 1600;
#else
constexpr int kDefaultOperations = 2400;
#endif
// Operations per round: fewer than the hundred steps that the undo history keeps.
constexpr int kRoundOperations = 80;

const QString kLimitWarning = QStringLiteral("Нельзя добавлять больше 100 вагонов!");
const QString kBlankWarning =
    QStringLiteral("Нельзя использовать пробел в названии файла! Переименуйте!!!!");

// What selecting a name offers (the base's figures, or the length guess and the defaults) and
// the axles the base gives; -1 where the base holds no whole number, so that adding fails.
struct Figures {
  std::string length, weight;
  int axles;
};
const std::map<std::string, Figures> kStock = {
    {"Tank", {"12.25", "58.5", 4}},         {"Box_Red", {"13.75", "22.75", 4}},
    {"Loco_VL", {"32.5", "184", 8}},        {"Loco_Heavy", {"35.25", "999.75", 12}},
    {"Passenger_K", {"24.5", "52.25", 4}},  {"Flat_Long", {"19.75", "21.5", 6}},
    {"Unknown_Wag", {"15", "50", 4}},       {"Broken", {"10", "30", -1}},
    {"Gondola", {"13.25", "21.75", 4}},     {"Hopper", {"14", "23.25", 6}},
    {"Sleeper-cup", {"24.75", "60.25", 4}}, {"Sleeper-plac", {"25.25", "50", 4}}};

// Consist files there from the start, and the lines that loading them gives: amounts expanded,
// a length kept as written on a line of its own, over.con cut at 100 wagons with the warning.
struct Prewritten {
  std::string name, text;
  std::vector<std::pair<int, std::string>> runs;
};
const std::vector<Prewritten> kPrewritten = {
    {"long.con",
     "49\tTank\t12.25\r\n49\tHopper\t14\r\n;0\t0\t0\r\n",
     {{49, "1\tTank\t12.25"}, {49, "1\tHopper\t14"}}},
    {"over.con",
     "60\tLoco_Heavy\t35.25\r\n1\tBox_Red\t13.750\r\n45\tGondola\t13.25\r\n;1\t1\t1",
     {{60, "1\tLoco_Heavy\t35.25"}, {1, "1\tBox_Red\t13.750"}, {39, "1\tGondola\t13.25"}}},
    {"short.con",
     "1\tFlat_Long\t019.75\r\n\r\n2\tTank\t12.250\n;x\r\n",
     {{1, "1\tFlat_Long\t019.75"}, {2, "1\tTank\t12.25"}}}};

void writeRoot(const TempFolder& root) {
  writeSimulatorRoot(root,
                     "Tank\r\nBox_Red\r\nLoco_VL\r\nLoco_Heavy\r\nPassenger_K\r\nFlat_Long\r\n"
                     "Unknown_Wag\r\nBroken\r\n");
  root.write("data/freight_wags/Gondola/gondola.dmd", "model");
  root.write("data/pass_wags/Sleeper/cup_wagon.bmp", bmpBytes(QColor(0xE0, 0xC0, 0x20)));
  root.write("data/consists/base.ini",
             "[PASS]\r\nPassenger_K=24.5\r\nSleeper-cup=24.75\r\nSleeper-plac=25.25\r\n"
             "[FREIGHT]\r\nTank=12.25\r\nBox_Red=13.75\r\nFlat_Long=19.75\r\nHopper=14\r\n"
             "Gondola=13.25\r\nBroken=10\r\n"
             "[LOCOS]\r\nLoco_VL=32.5\r\nLoco_Heavy=35.25\r\n"
             "[WEIGHTS]\r\nTank=58.5\r\nBox_Red=22.75\r\nLoco_VL=184\r\nLoco_Heavy=999.75\r\n"
             "Passenger_K=52.25\r\nFlat_Long=21.5\r\nHopper=23.25\r\nGondola=21.75\r\n"
             "Sleeper-cup=60.25\r\nBroken=30\r\n"
             "[OSI]\r\nTank=4\r\nBox_Red=4\r\nLoco_VL=8\r\nLoco_Heavy=12\r\nPassenger_K=4\r\n"
             "Flat_Long=6\r\nHopper=6\r\nBroken=four\r\n");
  for (const Prewritten& file : kPrewritten) {
    root.write("data/consists/" + file.name, file.text);
  }
}

// --- Failures ----------------------------------------------------------------------------------
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void require(bool condition, const std::string& what) {
  if (!condition) {
    throw Failure(what);
  }
}
void requireEqual(const std::string& actual, const std::string& expected, const std::string& what) {
  require(actual == expected, what + ": got " + actual + ", expected " + expected);
}
std::string utf8(const QString& text) {
  return text.toStdString();
}
// Lines are shown with their count, from the first that differs.
void requireEqual(const std::vector<std::string>& actual, const std::vector<std::string>& expected,
                  const std::string& what) {
  const auto differs =
      std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  const auto shown = [](const std::vector<std::string>& lines, auto from) {
    std::string shown = std::to_string(lines.size()) + " lines";
    for (auto line = from; line != lines.end() && line != from + 3; ++line) {
      shown += " [" + *line + "]";
    }
    return shown;
  };
  require(actual == expected,
          what + " from line " + std::to_string(differs.first - actual.begin() + 1) + ": got " +
              shown(actual, differs.first) + ", expected " + shown(expected, differs.second));
}

// --- Figures and lines, as the test reads them itself ------------------------------------------
bool isNumber(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::int64_t quarters(const std::string& text) {
  require(isNumber(text), "not a number: " + text);
  const double value = std::stod(text) * 4;
  require(value == std::floor(value), "not whole quarters: " + text);
  return static_cast<std::int64_t>(value);
}

std::string quarterText(std::int64_t value) {
  static const char* const kFractions[] = {"", ".25", ".5", ".75"};
  return std::to_string(value / 4) + kFractions[value % 4];
}

const Figures& figuresOf(const std::string& name) {
  static const Figures kUnknown{"", "50", 4};  // the base's defaults
  const auto known = kStock.find(name);
  return known != kStock.end() ? known->second : kUnknown;
}

std::string nameOf(const std::string& line) {
  const std::size_t first = line.find('\t');
  return line.substr(first + 1, line.find('\t', first + 1) - first - 1);
}

// The selection fields: name, length, weight.
struct Offer {
  std::string name, length, weight;
  bool operator==(const Offer&) const = default;
  std::string text() const { return name + " / " + length + " / " + weight; }
};
Offer offerOf(const std::string& name) {
  return {name, figuresOf(name).length, figuresOf(name).weight};
}

// The consist as undo puts it back (page start aside: paging is no step).
struct Snapshot {
  std::vector<ConsistModel::Wagon> wagons;  // with their pictures
  std::string offeredPicture;
  bool operator==(const Snapshot&) const = default;
  std::vector<std::string> lines() const {
    std::vector<std::string> lines;
    for (const ConsistModel::Wagon& wagon : wagons) {
      lines.push_back(wagon.line);
    }
    return lines;
  }
};
Snapshot snapshotOf(const ConsistModel::State& state) {
  return {state.wagons, state.offeredPicture};
}

// What an operation must leave behind.
struct Outcome {
  std::vector<std::string> lines;
  Offer offer;
  QStringList warnings;
  int errors = 0;
  bool edit = false;  // a change of the consist, a step of undo unless it changed nothing
  int history = 0;    // -1 for an undo, +1 for a redo
  std::optional<int> pageStart;
  std::optional<int> current;  // the framed wagon, after a key of the strip
};

// Something dropped on strip slot `slot`, as the platform delivers a drag that ends there.
void dropOn(QWidget* strip, const char* format, const QByteArray& payload, int slot,
            Qt::KeyboardModifiers modifiers) {
  const QPoint at(control<QWidget>(*strip, qPrintable(QStringLiteral("PrvImg%1").arg(slot + 1)))
                      ->geometry()
                      .center());
  QMimeData data;
  data.setData(QLatin1String(format), payload);
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(strip, &enter);
  QDragMoveEvent move(at, actions, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(strip, &move);
  QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(strip, &drop);
}

// One window, one stretch of random operations, and the walk back and forth through the history.
// Each operation sets what it expects in next_ (which starts as "nothing changes") and acts.
class Round {
 public:
  Round(std::mt19937& random, std::deque<std::string>& log) : random_(random), log_(log) {
    for (const Prewritten& file : kPrewritten) {
      for (const auto& [count, line] : file.runs) {
        files_[file.name].insert(files_[file.name].end(), static_cast<std::size_t>(count), line);
      }
    }
    next_ = unchanged();
    check();
  }

  void run(int operations) {
    using Operation = void (*)(Round&);
    static const std::pair<int, Operation> kOperations[] = {
        {30, [](Round& r) { r.catalogueItem(); }},
        {17, [](Round& r) { r.add(); }},
        {10, [](Round& r) { r.dropWagon(false); }},
        {4, [](Round& r) { r.dropWagon(true); }},
        {7, [](Round& r) { r.clickPicture(); }},
        {5, [](Round& r) { r.minus(); }},
        {1, [](Round& r) { r.clear(); }},
        {8, [](Round& r) { r.page(); }},
        {3, [](Round& r) { r.filter(); }},
        {6, [](Round& r) { r.typeFigure(); }},
        {3, [](Round& r) { r.save(); }},
        {2, [](Round& r) { r.load({}); }},
        {5, [](Round& r) { r.history(-1); }},
        {3, [](Round& r) { r.history(1); }},
        {16, [](Round& r) { r.stripKey(); }}};
    int total = 0;
    for (const auto& [weight, operation] : kOperations) {
      total += weight;
    }
    // A third of the rounds start near the limit of 100 wagons.
    if (pick(3) == 0) {
      next_ = unchanged();
      load(pick(2) == 0 ? "long" : "over.con");
    }
    for (int i = 0; i < operations; ++i) {
      int roll = pick(total);
      const auto* chosen = std::begin(kOperations);
      for (; roll >= chosen->first; ++chosen) {
        roll -= chosen->first;
      }
      next_ = unchanged();
      chosen->second(*this);
    }
    walkTheHistory();
  }

 private:
  Window& w() const { return *started_.window; }
  const ConsistModel& model() const { return w().model(); }
  int count() const { return static_cast<int>(expected_.size()); }
  int steps() const { return static_cast<int>(timeline_.size()); }
  int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  template <typename Control>
  Control* slotControl(const char* kind, int slot) const {
    return control<Control>(*w().strip,
                            qPrintable(QLatin1String(kind) + QString::number(slot + 1)));
  }

  Offer offerNow() const {
    return {w().nameField->text().toStdString(), w().lengthField->text().toStdString(),
            w().weightField->text().toStdString()};
  }
  Outcome unchanged() const {
    Outcome outcome;
    outcome.lines = expected_;
    outcome.offer = offerNow();
    return outcome;
  }

  // The wagon the strip frames (0 for none), as the player sees it.
  int framed() const {
    const auto* marker = control<QWidget>(*w().strip, "CurrentWagonMarker");
    for (int slot = 0; slot < kStripSlots && marker->isVisible(); ++slot) {
      if (marker->geometry().contains(slotControl<QWidget>("PrvImg", slot)->geometry().center())) {
        return model().pageStart() + slot;
      }
    }
    require(!marker->isVisible(), "the frame of the current wagon is on no slot");
    return 0;
  }

  // What adding `offer` at line `index` gives, as "+" after its own test, Enter, a double-click,
  // Insert and a drop all do: the limit, nothing for an empty name, an error for a figure that is
  // no number, else the line.
  void predictAdd(const Offer& offer, int index) {
    next_.edit = true;
    if (count() >= ConsistModel::kMaxWagons) {
      next_.warnings.append(kLimitWarning);
    } else if (offer.name.empty()) {
    } else if (!isNumber(offer.length) || !isNumber(offer.weight) ||
               figuresOf(offer.name).axles < 0) {
      next_.errors = 1;
    } else {
      next_.lines.insert(next_.lines.begin() + index, "1\t" + offer.name + "\t" + offer.length);
    }
  }
  // A removal offers the removed wagon back with its own figures.
  void predictRemoval(int index) {
    next_.edit = true;
    const std::string& line = expected_[static_cast<std::size_t>(index)];
    next_.offer = offerOf(nameOf(line));
    next_.offer.length = line.substr(line.rfind('\t') + 1);
    next_.lines.erase(next_.lines.begin() + index);
  }
  // Where something dropped on `slot` lands: on a wagon, its line; on a free slot, the end.
  int landing(int slot, bool moved) const {
    const int position = model().pageStart() + slot;
    return position <= count() ? position - 1 : count() - (moved ? 1 : 0);
  }
  CataloguePane* anyPane() { return pick(2) == 0 ? w().trafficPane : w().folderPane; }

  // --- The operations --------------------------------------------------------------------------
  // An item of a visible catalogue list clicked, double-clicked, or dropped on the strip.
  void catalogueItem() {
    CataloguePane* pane = anyPane();
    ListBox* list = pane->activeList();
    const int rows = list->model()->rowCount();
    if (rows == 0) {
      return;
    }
    const QModelIndex row = list->model()->index(pick(rows), 0);
    QWidget* view = list->viewport();
    const QPoint at = list->visualRect(row).center();
    const Offer offer = offerOf(row.data().toString().toStdString());
    const std::string what = offer.name + " in " + list->objectName().toStdString();
    switch (pick(3)) {
      case 0:
        next_.offer = offer;
        return act("click " + what, [&] { QTest::mouseClick(view, Qt::LeftButton, {}, at); });
      case 1:
        next_.offer = offer;
        predictAdd(offer, count());
        // As the platform delivers it: a click, then the double-click and its release (Qt Test's
        // double-click alone has no click before it).
        return act("double-click " + what, [&] {
          QTest::mouseClick(view, Qt::LeftButton, {}, at);
          QTest::mouseDClick(view, Qt::LeftButton, {}, at);
          QTest::mouseRelease(view, Qt::LeftButton, {}, at);
        });
      default:
        const int slot = pick(kStripSlots);
        predictAdd(offer, landing(slot, false));
        const bool traffic = pane == w().trafficPane;
        const QByteArray payload =
            QByteArray(traffic ? drag::kTrafficSide : drag::kFolderSide) + ':' +
            QByteArray::number(static_cast<qulonglong>(pane->modelOf(list).entryAt(row.row())));
        return act("drop " + what + " on slot " + std::to_string(slot + 1),
                   [&] { dropOn(w().strip, drag::kCatalogueItem, payload, slot, {}); });
    }
  }

  // "+" (only with a name and a length) or Enter in a list, adding what the fields show.
  void add() {
    const bool plus = pick(2) == 0;
    ListBox* list = anyPane()->activeList();
    const Offer offer = offerNow();
    if (!plus || (!offer.name.empty() && !offer.length.empty())) {
      predictAdd(offer, count());
    }
    act((plus ? "+ " : "Enter in " + list->objectName().toStdString() + " ") + offer.text(), [&] {
      if (plus) {
        QTest::mouseClick(w().addButton, Qt::LeftButton);
      } else {
        list->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(list, Qt::Key_Return);
      }
    });
  }

  // A wagon the strip shows dragged onto a slot: moved there, or copied with Ctrl.
  void dropWagon(bool copy) {
    const int showing = std::min(kStripSlots, count() - model().pageStart() + 1);
    if (showing <= 0) {
      return;
    }
    const int from = model().pageStart() + pick(showing) - 1;
    const int slot = pick(kStripSlots);
    const std::string line = expected_[static_cast<std::size_t>(from)];
    next_.edit = true;
    if (copy && count() >= ConsistModel::kMaxWagons) {
      next_.warnings.append(kLimitWarning);
    } else {
      if (!copy) {
        next_.lines.erase(next_.lines.begin() + from);
      }
      next_.lines.insert(next_.lines.begin() + landing(slot, !copy), line);
    }
    act((copy ? "Ctrl-drop wagon " : "drop wagon ") + std::to_string(from + 1) + " on slot " +
            std::to_string(slot + 1),
        [&] {
          dropOn(w().strip, drag::kStripWagon, QByteArray::number(from), slot,
                 copy ? Qt::ControlModifier : Qt::NoModifier);
        });
  }

  // Mostly the left button, which removes a wagon shown there; the others remove nothing.
  void clickPicture() {
    const int roll = pick(6);
    const Qt::MouseButton button =
        roll == 0 ? Qt::RightButton : (roll == 1 ? Qt::MiddleButton : Qt::LeftButton);
    const int slot = pick(kStripSlots);
    if (button == Qt::LeftButton && model().pageStart() + slot <= count()) {
      predictRemoval(model().pageStart() + slot - 1);
    }
    act("click picture " + std::to_string(slot + 1) + " with button " + std::to_string(button),
        [&] { QTest::mouseClick(slotControl<QWidget>("PrvImg", slot), button); });
  }

  void minus() {
    if (count() > 0) {
      predictRemoval(count() - 1);
    }
    act("-", [&] { QTest::mouseClick(w().removeButton, Qt::LeftButton); });
  }

  void clear() {
    next_.lines.clear();
    next_.edit = true;
    next_.pageStart = 1;
    act("clear", [&] { QTest::mouseClick(w().clearButton, Qt::LeftButton); });
  }

  void page() {
    QPushButton* const buttons[] = {w().firstPageButton, w().backPageButton, w().backButton,
                                    w().forwardButton,   w().nextPageButton, w().lastPageButton};
    QPushButton* button = buttons[pick(6)];
    act("page " + utf8(button->objectName()), [&] { QTest::mouseClick(button, Qt::LeftButton); });
  }

  void filter() {
    QComboBox* box = pick(2) == 0 ? w().trafficFilter : w().folderFilter;
    const int entry = pick(box->count());
    act("filter " + box->objectName().toStdString() + " entry " + std::to_string(entry),
        [&] { chooseEntry(box, entry); });
  }

  // The player types into the selection fields: a length of their own (as they may write it)
  // with the base's weight, an emptied field, or a figure that is no number.
  void typeFigure() {
    Offer& offer = next_.offer;
    const int choice = pick(6);
    if (choice < 4 && !offer.name.empty()) {
      const std::string length = quarterText(1 + pick(3999));
      const bool point = length.find('.') != std::string::npos;
      const std::string forms[] = {length, "0" + length, length + (point ? "0" : ".0")};
      offer.length = forms[choice % 3];
      offer.weight = figuresOf(offer.name).weight;
    } else if (choice == 4) {
      (pick(2) == 0 ? offer.length : offer.weight).clear();
    } else {
      (pick(2) == 0 ? offer.length : offer.weight) = pick(2) == 0 ? "12,5" : "abc";
    }
    const auto retype = [](QLineEdit* field, const std::string& text) {
      field->setFocus(Qt::MouseFocusReason);
      QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(field, Qt::Key_Delete);
      QTest::keyClicks(field, QString::fromStdString(text));
    };
    act("type " + offer.text(), [&] {
      retype(w().lengthField, offer.length);
      retype(w().weightField, offer.weight);
    });
  }

  // A file name typed into the file box, and Save or Load clicked.
  void fileButton(QPushButton* button, const std::string& name) {
    QComboBox* box = w().fileBox;
    act(button->objectName().toStdString() + " " + name, [&] {
      box->setFocus(Qt::MouseFocusReason);
      box->setEditText(QString());
      QTest::keyClicks(box->lineEdit(), QString::fromStdString(name));
      QTest::mouseClick(button, Qt::LeftButton);
    });
  }

  // The consist file that saving gives, built from the predicted lines and the test's own sums.
  std::string fileText() const {
    std::int64_t weight = 0;
    int axles = 0;
    std::string text;
    for (const std::string& line : expected_) {
      text += line + "\r\n";
      weight += quarters(figuresOf(nameOf(line)).weight);
      axles += figuresOf(nameOf(line)).axles;
    }
    return text + ";" + quarterText(weight) + "\t" + std::to_string(axles) + "\t" +
           std::to_string(count()) + "\r\n";
  }

  void save() {
    static const char* const kNames[] = {"r1", "r2.con", "Mix", "two words"};
    const std::string name = kNames[pick(4)];
    const std::string file = name.find(".con") == std::string::npos ? name + ".con" : name;
    const bool blank = name.find(' ') != std::string::npos;
    if (blank) {
      next_.warnings.append(kBlankWarning);
    }
    fileButton(w().saveButton, name);
    requireEqual(utf8(w().fileBox->currentText()), file, "the file name after Save");
    require(blank != started_.root.exists("data/consists/" + file), "a file written or not");
    if (!blank) {
      requireEqual(started_.root.read("data/consists/" + file), fileText(), "the file saved");
      files_[file] = expected_;
    }
  }

  // Loads `name`, or one picked at random: a file saved or written before (by its name, or
  // without ".con"), a file that is not there, or no name, which empties the consist.
  void load(std::optional<std::string> name) {
    if (!name) {
      std::vector<std::string> names = {"missing.con", ""};
      for (const auto& [file, lines] : files_) {
        names.push_back(file);
        names.push_back(file.substr(0, file.size() - 4));
      }
      name = names[static_cast<std::size_t>(pick(static_cast<int>(names.size())))];
    }
    const std::string file = files_.count(*name) != 0 ? *name : *name + ".con";
    if (name->empty() || files_.count(file) != 0) {
      next_.lines = name->empty() ? std::vector<std::string>() : files_[file];
      next_.edit = true;
      next_.pageStart = 1;
      if (file == "over.con") {
        next_.warnings.append(kLimitWarning);
      }
    } else {
      next_.errors = 1;
    }
    fileButton(w().loadButton, *name);
  }

  // Ctrl+Z (-1) or Ctrl+Y (+1) where the player is, but not in a field or a box with text, where
  // the keys edit the text.
  void history(int direction) {
    next_.history = direction;
    if (step_ + direction >= 0 && step_ + direction < steps()) {
      next_.lines = timeline_[static_cast<std::size_t>(step_ + direction)].lines();
    }
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || qobject_cast<QLineEdit*>(target) != nullptr ||
        qobject_cast<QComboBox*>(target) != nullptr) {
      target = w().folderPane->activeList();
      target->setFocus(Qt::MouseFocusReason);
    }
    act(direction < 0 ? "Ctrl+Z" : "Ctrl+Y", [&] {
      QTest::keyClick(target, direction < 0 ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
    });
  }

  // A key on the strip, which Tab gave the focus if it had not got it.
  void stripKey() {
    ConsistStrip* strip = w().strip;
    if (!strip->hasFocus()) {
      strip->setFocus(Qt::TabFocusReason);
    }
    const int current = framed();
    require(count() == 0 || current >= 1, "the strip took the focus and frames no wagon");
    const int last = count();
    const int first = std::min(last, 1);
    const Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right, Qt::Key_Home,  Qt::Key_End,
                            Qt::Key_Delete, Qt::Key_Left,  Qt::Key_Right, Qt::Key_Insert};
    const int currents[] = {std::max(current - 1, first),
                            std::min(current + 1, last),
                            first,
                            last,
                            std::max(std::min(current, last - 1), 0),
                            std::max(current - 1, first),
                            std::min(current + 1, last),
                            std::min(std::max(current, 1), last + 1)};
    const int key = pick(8);
    const bool ctrl = key == 5 || key == 6;
    if (key == 4 && current >= 1) {
      predictRemoval(current - 1);
    } else if (ctrl) {
      next_.edit = true;
      const int other = key == 5 ? current - 1 : current + 1;
      if (current >= 1 && other >= 1 && other <= last) {
        std::swap(next_.lines[static_cast<std::size_t>(current - 1)],
                  next_.lines[static_cast<std::size_t>(other - 1)]);
      }
    } else if (key == 7) {
      predictAdd(next_.offer, std::max(current, 1) - 1);
    }
    next_.current = std::min(currents[key], static_cast<int>(next_.lines.size()));
    act((ctrl ? "Ctrl+" : "") + QKeySequence(keys[key]).toString().toStdString() +
            " on the strip at " + std::to_string(current),
        [&] { QTest::keyClick(strip, keys[key], ctrl ? Qt::ControlModifier : Qt::NoModifier); });
  }

  // Back to the empty consist one undo at a time, forward again to where the round ended, and on
  // to the last step recorded.
  void walkTheHistory() {
    const Snapshot end = snapshotOf(model().state());
    const int endStep = step_;
    const auto step = [this](int direction) {
      next_ = unchanged();
      history(direction);
    };
    while (step_ > 0) {
      step(-1);
    }
    require(count() == 0 && w().weightTotal->text() == QStringLiteral("0"),
            "undoing every step left wagons");
    step(-1);
    while (step_ < endStep) {
      step(1);
    }
    require(snapshotOf(model().state()) == end, "redo did not give back the round's last state");
    while (step_ + 1 < steps()) {
      step(1);
    }
    step(1);
  }

  // --- Running and checking an operation -------------------------------------------------------
  template <typename Act>
  void act(const std::string& what, Act&& action) {
    log_.push_back(what);
    if (log_.size() > 16) {
      log_.pop_front();
    }
    const RecordingMessages& messages = started_.messages;
    const qsizetype warnings = messages.warnings.size();
    const qsizetype errors = messages.errors.size();
    const ConsistModel::State before = model().state();
    action();
    requireEqual(utf8(messages.warnings.mid(warnings).join('|')), utf8(next_.warnings.join('|')),
                 "the warnings");
    requireEqual(std::to_string(messages.errors.size() - errors), std::to_string(next_.errors),
                 "the error boxes");

    // A change is a step when it changed the consist; paging after it (the strip's keys) is no
    // part of it, but page start set by clearing or loading is.
    const Snapshot after = snapshotOf(model().state());
    const bool changed = !(after == snapshotOf(before)) ||
                         (next_.pageStart && before.pageStart != model().pageStart());
    if (next_.edit && changed) {
      timeline_.resize(static_cast<std::size_t>(++step_));
      timeline_.push_back(after);
    } else {
      step_ = std::clamp(step_ + next_.history, 0, steps() - 1);
    }
    const Snapshot& recorded = timeline_[static_cast<std::size_t>(step_)];
    requireEqual(after.lines(), recorded.lines(), "the consist of the undo step");
    require(after == recorded, "the figures or pictures of the undo step");
    check();
  }

  void check() {
    requireEqual(model().lines(), next_.lines, "the consist lines");
    expected_ = next_.lines;
    requireEqual(offerNow().text(), next_.offer.text(), "the selection fields");
    if (next_.pageStart) {
      requireEqual(std::to_string(model().pageStart()), std::to_string(*next_.pageStart),
                   "page start");
    }
    if (next_.current) {
      requireEqual(std::to_string(framed()), std::to_string(*next_.current), "the framed wagon");
    }

    // The count, the lines, the table of names and the strip agree.
    const std::string count = std::to_string(this->count());
    requireEqual(std::to_string(model().wagonCount()), count, "WagonCount");
    requireEqual(utf8(w().wagonTotal->text()), count, "Wag_Num");
    QStringList memo;
    for (const std::string& line : expected_) {
      memo.append(QString::fromStdString(line));
    }
    requireEqual(utf8(w().consistLines->toPlainText()), utf8(memo.join('\n')), "ConsistsMemo");
    for (int position = 1; position <= ConsistModel::kPositions; ++position) {
      requireEqual(model().wagonName(position),
                   position <= this->count() ? nameOf(expected_[std::size_t(position) - 1]) : "",
                   "WagonNames at " + std::to_string(position));
    }
    const int pageStart = model().pageStart();
    require(pageStart >= 1 && pageStart <= std::max(this->count(), 1), "page start out of range");
    for (int slot = 0; slot < kStripSlots; ++slot) {
      requireEqual(utf8(slotControl<QLabel>("WagNum", slot)->text()),
                   std::to_string(pageStart + slot), "a slot's number");
      requireEqual(utf8(slotControl<QLabel>("WagName", slot)->text()),
                   model().wagonName(pageStart + slot), "a slot's name");
    }
    require(!w().strip->hasFocus() || this->count() == 0 || framed() >= 1,
            "the strip has the focus but frames no wagon");

    // The totals are the exact sums over the wagons.
    std::int64_t length = 0;
    for (const std::string& line : expected_) {
      length += quarters(line.substr(line.rfind('\t') + 1));
    }
    const std::string file = fileText();
    const QString summary = QString::fromStdString(file.substr(file.rfind(';') + 1));
    requireEqual(utf8(w().lengthTotal->text()), quarterText(length), "ConsistLength");
    requireEqual(utf8(w().weightTotal->text()), utf8(summary.section('\t', 0, 0)), "Con_Weight");
    requireEqual(utf8(w().axlesTotal->text()), utf8(summary.section('\t', 1, 1)), "Num_Osey");

    // Saved and loaded again, the consist gives the same lines, totals and bytes (the same
    // consist as at the last check gives what it gave then).
    requireEqual(consistFileText(model()), file, "the consist file");
    if (file == checkedFile_) {
      return;
    }
    checkedFile_ = file;
    loadConsistText(file, scratch_);
    requireEqual(scratch_.lines(), expected_, "the lines saved and loaded");
    requireEqual(scratch_.lengthText(), model().lengthText(), "the length loaded");
    requireEqual(consistFileText(scratch_), file, "the file saved again after loading");
  }

  std::mt19937& random_;
  std::deque<std::string>& log_;
  StartedWindow started_{&writeRoot};
  RollingStockBase scratchBase_{started_.root.path()};
  ConsistModel scratch_{scratchBase_};
  std::vector<std::string> expected_;  // the consist lines as predicted
  std::string checkedFile_;            // the consist file that was last saved and loaded
  Outcome next_;                       // what the running operation must leave behind
  // The consist after each step of the history since the window opened, and where undo stands.
  std::vector<Snapshot> timeline_{Snapshot{}};
  int step_ = 0;
  // The round's consist files and the lines that loading them gives.
  std::map<std::string, std::vector<std::string>> files_;
};

class ConsistInvariantsTest : public QObject {
  Q_OBJECT

 private slots:
  void randomOperationsKeepTheConsistWhole();
};

void ConsistInvariantsTest::randomOperationsKeepTheConsistWhole() {
  const unsigned seed = qEnvironmentVariableIsSet("RAKEWRIGHT_SEED")
                            ? qEnvironmentVariable("RAKEWRIGHT_SEED").toUInt()
                            : kDefaultSeed;
  const int operations = qEnvironmentVariableIsSet("RAKEWRIGHT_OPERATIONS")
                             ? qEnvironmentVariableIntValue("RAKEWRIGHT_OPERATIONS")
                             : kDefaultOperations;
  std::mt19937 random(seed);
  std::deque<std::string> log;
  int round = 0;
  try {
    for (int done = 0; done < operations; done += kRoundOperations) {
      ++round;
      Round(random, log).run(std::min(kRoundOperations, operations - done));
    }
  } catch (const std::exception& failure) {
    std::string report = std::string(failure.what()) + "\nseed " + std::to_string(seed) +
                         " (RAKEWRIGHT_SEED), round " + std::to_string(round) +
                         ", the last operations:";
    for (const std::string& operation : log) {
      report += "\n  " + operation;
    }
    QFAIL(report.c_str());
  }
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::ConsistInvariantsTest)
#include "consist_invariants_test.moc"
