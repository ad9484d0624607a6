#include "app/application.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QIcon>
#include <QString>

#include "app/user_messages.h"

// Q_INIT_RESOURCE has to be used outside any namespace. The pictures are compiled into the gui
// library, which is static: without this reference the linker would leave them out.
static void initResources() {
  Q_INIT_RESOURCE(resources);
}

namespace rakewright {

namespace {

// Tahoma as the Debian package fonts-wine installs it: a free font with Cyrillic letters, drawn to
// the metrics the window's layout was made for. Only the regular face is registered: the package's
// bold face is barely heavier than the regular one, while the bold that Qt draws from the regular
// face reads as bold and keeps the widths close.
constexpr const char* kFontFiles[] = {"/usr/share/wine/fonts/tahoma.ttf"};

}  // namespace

void prepareApplication() {
  initResources();
  for (const char* file : kFontFiles) {
    const QString path = QString::fromLatin1(file);
    if (QFile::exists(path)) {
      QFontDatabase::addApplicationFont(path);
    }
  }
  QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/rakewright.png")));
}

}  // namespace rakewright
