// What the window tests and the window benchmarks share: a recorder in place of the message boxes,
// controls found by their names as a user finds them by their places, and main() on the offscreen
// platform with the application prepared as the program prepares it.
#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <stdexcept>
#include <string>

#include "app/common/application.h"
#include "app/common/user_messages.h"

namespace rakewright::testing {

// Records the boxes instead of showing them; the questions take the answers set beforehand.
class RecordingMessages final : public UserMessages {
 public:
  void error(const QString& text) override { errors.append(recorded(text)); }
  void warning(const QString& text) override { warnings.append(recorded(text)); }
  SaveAnswer askToSave(const QString& text) override {
    questions.append(recorded(text));
    return answer;
  }
  bool confirm(const QString& text) override {
    questions.append(recorded(text));
    return confirmAnswer;
  }
  std::optional<QString> askText(const QString& prompt, const QString& text) override {
    questions.append(recorded(prompt));
    offeredTexts.append(text);
    return textAnswers.isEmpty() ? std::nullopt : std::optional<QString>(textAnswers.takeFirst());
  }
  std::optional<int> askNumber(const QString& prompt, int, int, int) override {
    questions.append(recorded(prompt));
    return numberAnswer;
  }
  std::optional<QString> askSaveFile(const QString& caption, const QString&,
                                     const QString&) override {
    questions.append(recorded(caption));
    return saveFileAnswer;
  }

  // How many boxes were shown, and the text of the last one.
  int count() const { return shown_; }
  const QString& last() const { return last_; }

  QStringList errors;
  QStringList warnings;
  QStringList questions;
  SaveAnswer answer = SaveAnswer::Cancel;  // what the question is answered with
  // The answers to the other questions; a text question takes the first of textAnswers, or is
  // cancelled when there is none.
  bool confirmAnswer = false;
  QStringList textAnswers;
  QStringList offeredTexts;  // what the text questions started with
  std::optional<int> numberAnswer;
  std::optional<QString> saveFileAnswer;

 private:
  const QString& recorded(const QString& text) {
    ++shown_;
    last_ = text;
    return text;
  }
  int shown_ = 0;
  QString last_;
};

// The control of `window` named `name`; std::logic_error when there is none.
template <typename Control>
Control* control(const QWidget& window, const char* name) {
  auto* found = window.findChild<Control*>(QLatin1String(name));
  if (found == nullptr) {
    throw std::logic_error(std::string("no control named ") + name);
  }
  return found;
}

// The offscreen platform unless another was asked for (QT_QPA_PLATFORM); before the application.
inline void useOffscreenUnlessAsked() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
}

}  // namespace rakewright::testing

// main() for a Qt Test class.
#define RAKEWRIGHT_QTEST_MAIN(TestClass)            \
  int main(int argc, char* argv[]) {                \
    rakewright::testing::useOffscreenUnlessAsked(); \
    QApplication application(argc, argv);           \
    rakewright::prepareApplication();               \
    TestClass test;                                 \
    return QTest::qExec(&test, argc, argv);         \
  }

// main() for the window benchmarks of a program.
#define RAKEWRIGHT_WINDOW_BENCHMARK_MAIN()          \
  int main(int argc, char* argv[]) {                \
    rakewright::testing::useOffscreenUnlessAsked(); \
    QApplication application(argc, argv);           \
    rakewright::prepareApplication();               \
    benchmark::Initialize(&argc, argv);             \
    benchmark::RunSpecifiedBenchmarks();            \
    benchmark::Shutdown();                          \
    return 0;                                       \
  }
