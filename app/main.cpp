// The program: its windows on the working folder (the simulator's root folder), and the event
// loop until the main window is closed. Closing the window with a consist that was changed since it
// was last loaded or saved asks whether to save it first. Given --check, --help or --version, it
// runs the command line instead (consist/check_command.h), before any window exists, so that it
// needs no display.
#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

#include "app/common/application.h"
#include "app/common/qt_text.h"
#include "app/common/user_messages.h"
#include "app/main_window/main_window.h"
#include "app/program.h"
#include "consist/check_command.h"
#include "platform/paths.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments = rakewright::commandLineArguments(argc, argv);
  if (rakewright::isCommandLine(arguments)) {
    return rakewright::runCommandLine(arguments, rakewright::programFolder(), std::cout, std::cerr);
  }
  QApplication application(argc, argv);
  rakewright::prepareApplication();

  // The simulator's root is the working folder at the start, taken as an absolute path once, so
  // that a later change of the working folder (a file dialog may make one) moves nothing the
  // program reads or writes. Qt names files in UTF-8: a root it could not name (raw Windows-1251
  // bytes on Linux) stays the working folder itself, as relative paths.
  std::string dataRoot = rakewright::workingFolder();
  if (rakewright::toDiskPath(rakewright::fromDiskPath(dataRoot)) != dataRoot) {
    dataRoot.clear();
  }
  rakewright::MessageBoxes messages;
  rakewright::Program program(rakewright::Anchors{dataRoot, rakewright::programFolder()}, messages);
  program.mainWindow().centreOnScreen();
  program.mainWindow().show();
  return QApplication::exec();
}
