#include "app/common/application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QString>
#include <QTranslator>
#include <QtGlobal>

#include "app/common/user_messages.h"

// Q_INIT_RESOURCE has to be used outside any namespace. The pictures and fonts are compiled into
// the gui library, which is static: without these references the linker would leave them out.
static void initResources() {
  Q_INIT_RESOURCE(resources);
  Q_INIT_RESOURCE(fonts);
  Q_INIT_RESOURCE(translations);
}

namespace rakewright {

namespace {

// The faces the windows are drawn in (see uiFont and its neighbours in app/widgets.h), compiled
// into the program from Debian's fonts-liberation2, so that no caption depends on the fonts a
// machine happens to have. Each style has its own face: no bold is drawn from a regular face.
constexpr const char* kFontResources[] = {
    ":/fonts/LiberationSans-Regular.ttf",
    ":/fonts/LiberationSans-Bold.ttf",
    ":/fonts/LiberationMono-Regular.ttf",
    ":/fonts/LiberationMono-Bold.ttf",
};

// A face that cannot be registered leaves its captions in a fallback font: worth a warning on
// standard error, not worth refusing to start.
void registerBundledFonts() {
  for (const char* resource : kFontResources) {
    if (QFontDatabase::addApplicationFont(QString::fromLatin1(resource)) < 0) {
      qWarning("Rakewright: the compiled-in font %s could not be registered", resource);
    }
  }
}

// Qt's own texts in Russian, as the program's: the buttons of its dialogs, the file dialog.
void loadQtTranslation() {
  auto* translator = new QTranslator(qApp);
  if (translator->load(QStringLiteral(":/translations/qtbase_ru.qm"))) {
    QCoreApplication::installTranslator(translator);
  } else {
    qWarning("Rakewright: Qt's compiled-in Russian translation could not be loaded");
    delete translator;
  }
}

}  // namespace

void prepareApplication() {
  initResources();
  registerBundledFonts();
  loadQtTranslation();
  QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/rakewright.png")));
}

}  // namespace rakewright
