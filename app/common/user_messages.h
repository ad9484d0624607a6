// What the window tells the user in a box: the error box, which ends a handler that failed, and
// the warnings with a fixed text, and the guard that turns a handler's exception into the error
// box. The window only talks to UserMessages, so tests can record the
// boxes instead of blocking on a modal dialog.
#pragma once

#include <QString>

#include <exception>
#include <optional>
#include <string_view>
#include <utility>

class QWidget;

namespace rakewright {

// The caption of every box.
inline constexpr char kApplicationTitle[] = "Rakewright";

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  // The error box: error icon, OK button.
  virtual void error(const QString& text) = 0;
  // A warning with a fixed text: OK button.
  virtual void warning(const QString& text) = 0;
  // The question whether to save changes: "Сохранить", "Не сохранять", "Отмена".
  enum class SaveAnswer { Save, Discard, Cancel };
  virtual SaveAnswer askToSave(const QString& text) = 0;

  // The questions of the whole-train window and the consist library.
  // A question answered "Да" (true) or "Нет".
  virtual bool confirm(const QString& text) = 0;
  // A line of text, starting as `text`; nullopt when cancelled.
  virtual std::optional<QString> askText(const QString& prompt, const QString& text) = 0;
  // A whole number from `minimum` to `maximum`, starting at `value`; nullopt when cancelled.
  virtual std::optional<int> askNumber(const QString& prompt, int value, int minimum,
                                       int maximum) = 0;
  // A file to write, chosen in the file dialog starting at `path`; nullopt when cancelled.
  virtual std::optional<QString> askSaveFile(const QString& caption, const QString& path,
                                             const QString& filter) = 0;
};

// Modal message boxes over the active window.
class MessageBoxes final : public UserMessages {
 public:
  void error(const QString& text) override;
  void warning(const QString& text) override;
  SaveAnswer askToSave(const QString& text) override;
  bool confirm(const QString& text) override;
  std::optional<QString> askText(const QString& prompt, const QString& text) override;
  std::optional<int> askNumber(const QString& prompt, int value, int minimum, int maximum) override;
  std::optional<QString> askSaveFile(const QString& caption, const QString& path,
                                     const QString& filter) override;
};

// Shows an exception in the error box: its message as errorBoxText() gives it.
void showException(UserMessages& messages, const std::exception_ptr& error);

// Runs a handler; an exception it lets out is shown in the error box and ends the handler. Every
// handler of a window runs through it, so no exception crosses a Qt slot.
template <typename Handler>
void guarded(UserMessages& messages, Handler&& handler) {
  try {
    handler();
  } catch (...) {
    showException(messages, std::current_exception());
  }
}

// A slot that runs `handler` with the signal's arguments through guarded().
template <typename Handler>
auto guardedSlot(UserMessages& messages, Handler handler) {
  return [&messages, handler = std::move(handler)](auto&&... arguments) {
    guarded(messages, [&] { handler(arguments...); });
  };
}

// The error box's text for an exception message (Windows-1251): the message, with "." appended
// when its last character sorts after "." by character code, so "File not found" reads
// "File not found." while a message that ends in "." or ")" stays as it is.
QString errorBoxText(std::string_view message);

}  // namespace rakewright
