// Commands as the windows offer them: each one a QAction, made once with its text, keys, tool tip
// and handler, the handler run through guarded() so that its error reaches the error box. A
// button triggers its action and takes the action's tool tip and name for screen readers, so a
// command is written in one place. Also the one way a window is brought to the user.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

class QAbstractButton;
class QWidget;

namespace rakewright {

class UserMessages;

// An action named `text` for screen readers, with `tip` as its tool tip and `keys` as its
// shortcuts (active in every window the action is added to), whose trigger runs `handler` guarded.
QAction* makeAction(QObject* parent, const QString& text, const QString& tip,
                    UserMessages& messages, std::function<void()> handler,
                    const QList<QKeySequence>& keys = {});

// A click on `button` triggers `action`; the button shows the action's tool tip and carries its
// text as the name screen readers read.
void triggerOnClick(QAbstractButton* button, QAction* action);

// Shows `window`, raises it over the others and gives it the keyboard.
void showAndActivate(QWidget* window);

}  // namespace rakewright
