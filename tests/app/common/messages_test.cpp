// The texts between the core and the window: the error box's text for an exception message, and
// typed text that Windows-1251 cannot hold.
#include <QtTest>

#include "app/common/qt_text.h"
#include "app/common/user_messages.h"
#include "app/support/app_test_support.h"

namespace rakewright::testing {
namespace {

class MessagesTest : public QObject {
  Q_OBJECT

 private slots:
  void errorBoxEndsSentences();
  void refusesInputThatTheCodePageCannotHold();
};

void MessagesTest::errorBoxEndsSentences() {
  QCOMPARE(errorBoxText("File not found"), QStringLiteral("File not found."));
  QCOMPARE(errorBoxText("I/O error 5"), QStringLiteral("I/O error 5."));
  QCOMPARE(errorBoxText("Done."), QStringLiteral("Done."));
  // Characters that sort before "." by code get nothing appended.
  QCOMPARE(errorBoxText("(none)"), QStringLiteral("(none)"));
  QCOMPARE(errorBoxText(""), QString());
  QCOMPARE(errorBoxText("a/"), QStringLiteral("a/."));
  // Windows-1251 letters sort after "." as well.
  QCOMPARE(errorBoxText("\xCE\xF8\xE8\xE1\xEA\xE0"), QStringLiteral("Ошибка."));
}

void MessagesTest::refusesInputThatTheCodePageCannotHold() {
  QCOMPARE(inputText(QStringLiteral("поезд-1.con"), QStringLiteral("Файл")),
           std::string("\xEF\xEE\xE5\xE7\xE4-1.con"));
  QCOMPARE(toCp1251(QStringLiteral("€ – «»")), std::optional<std::string>("\x88 \x96 \xAB\xBB"));
  for (const QString& text :
       {QStringLiteral("snow\u2603"), QStringLiteral("\u4E2D"), QStringLiteral("e\u0301")}) {
    QVERIFY(!toCp1251(text));
    try {
      inputText(text, QStringLiteral("Length"));
      QFAIL("accepted a character outside Windows-1251");
    } catch (const std::runtime_error& error) {
      QVERIFY(errorBoxText(error.what()).contains(QStringLiteral("«Length»")));
    }
  }
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::MessagesTest)
#include "messages_test.moc"
