// MainWindow, the program's main window: the traffic catalogue on the left and the folder
// catalogue on the right (two CataloguePanes), the offered wagon and its preview in the centre
// (SelectionPanel), the totals under it (TotalsPanel), the consist-file row (ConsistFilePanel),
// the consist strip with its paging buttons (StripPanel), the buttons that open the other windows
// and the status bar. The window builds the panels, wires them to the consist document and runs
// the start-up sequence; what each part does lives in its panel and in the document.
//
// Closing the window with a consist that differs from what was last loaded or saved asks whether
// to save it.
#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "reference/catalogue.h"

class QCloseEvent;
class QMimeData;
class QPushButton;

namespace rakewright {

class CatalogueLookup;
class CataloguePane;
class ConsistDocument;
class ConsistFilePanel;
class SelectionPanel;
class StatusBar;
class StripPanel;
class TotalsPanel;
struct SharedActions;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 1022;
  static constexpr int kClientHeight = 568;

  // Builds the window on `document` and runs the start-up sequence; its errors go to the
  // document's messages.
  MainWindow(ConsistDocument& document, const SharedActions& actions, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Puts the window in the middle of its screen.
  void centreOnScreen();

  SelectionPanel& selectionPanel() const { return *selection_; }
  // The catalogues the start-up built: the traffic list's and the wagon folders'.
  const Catalogue& trafficCatalogue() const;
  const Catalogue& folderCatalogue() const;
  // The rolling-stock name the window points at: the strip's current wagon while the strip has
  // the keyboard, else the wagon the selection offers ("" for none).
  std::string wagonInView() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls(const SharedActions& actions);
  void makeActions();
  void connectSignals();
  void setTabChain();
  // The start-up sequence: the empty strip, the catalogues, the consist files, the count message.
  void start();
  // Refills the consist files' list, keeping the typed text.
  void listConsistFiles();
  // Something dropped on the strip slot showing `position`: a catalogue item is inserted there.
  void insertDropped(const QMimeData& data, int position);
  // One of the strip's wagons dropped there: moved, or a copy inserted with Ctrl held.
  void moveDropped(int from, int position, bool copy);

  ConsistDocument& document_;
  // What the panes ask of the reference data; made with the preview box it decodes pictures for.
  std::unique_ptr<CatalogueLookup> lookup_;
  CataloguePane* trafficPane_ = nullptr;
  CataloguePane* folderPane_ = nullptr;
  SelectionPanel* selection_ = nullptr;
  TotalsPanel* totals_ = nullptr;
  ConsistFilePanel* files_ = nullptr;
  StripPanel* strip_ = nullptr;
  QPushButton* authorsButton_ = nullptr;
  QPushButton* trainButton_ = nullptr;
  QPushButton* libraryButton_ = nullptr;
  StatusBar* status_ = nullptr;
};

}  // namespace rakewright
