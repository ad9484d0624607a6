// Start-up as the user waits for it, measured from outside the process (scripts/bench-startup):
// the program's main window, or a bare Qt window of the same size, created on a simulator folder,
// shown, and the process ended as soon as the window has been painted once. Prints the peak
// memory of the process on standard output. Built for Windows too, where it runs under Wine.
//   startup_probe window FOLDER    the main window, started in FOLDER
//   startup_probe bare             an empty window of the main window's size
// Qt's -platform NAME may come first.
#ifdef _WIN32
#include <windows.h>
#endif

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/common/application.h"
#include "app/main_window/main_window.h"
#include "app/program.h"
#include "bench/peak_memory.h"
#include "support/window_support.h"

namespace {

// Ends the event loop once the window it watches has been painted.
class FirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool painted_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  // Qt's own options (-platform NAME, which Wine lets through where it drops QT_QPA_PLATFORM)
  // are taken out of the arguments first.
  QApplication application(argc, argv);
  const bool window = argc == 3 && std::strcmp(argv[1], "window") == 0;
  const bool bare = argc == 2 && std::strcmp(argv[1], "bare") == 0;
  if (!window && !bare) {
    std::fprintf(stderr, "usage: %s [-platform NAME] window FOLDER | bare\n", argv[0]);
    return 2;
  }
  FirstPaint firstPaint;
  rakewright::testing::RecordingMessages messages;
  std::unique_ptr<rakewright::Program> program;
  std::unique_ptr<QWidget> bareWindow;
  QWidget* shown = nullptr;
  if (window) {
    rakewright::prepareApplication();
    std::string root = argv[2];
    if (root.back() != '/' && root.back() != '\\') {
      root += '/';
    }
    program = std::make_unique<rakewright::Program>(rakewright::Anchors{root, root}, messages);
    shown = &program->mainWindow();
  } else {
    bareWindow = std::make_unique<QWidget>();
    bareWindow->setFixedSize(rakewright::MainWindow::kClientWidth,
                             rakewright::MainWindow::kClientHeight);
    shown = bareWindow.get();
  }
  shown->installEventFilter(&firstPaint);
  shown->show();
  QApplication::exec();
  std::printf("%.1f\n", rakewright::bench::peakMiB());
  if (messages.count() != 0) {
    std::fprintf(stderr, "the window reported: %s\n", qPrintable(messages.last()));
    return 1;
  }
#ifdef _WIN32
  // Ends without taking the shown window down (not even in the libraries' own exit code): under
  // Wine without a window manager (Xvfb), a shown window is withdrawn only after two seconds of
  // waiting for one, which no player waits.
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 0);
#endif
  return 0;
}
