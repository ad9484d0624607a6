#include "app/common/actions.h"

#include <QAbstractButton>
#include <QWidget>

#include <utility>

#include "app/common/user_messages.h"

namespace rakewright {

QAction* makeAction(QObject* parent, const QString& text, const QString& tip,
                    UserMessages& messages, std::function<void()> handler,
                    const QList<QKeySequence>& keys) {
  auto* action = new QAction(text, parent);
  action->setToolTip(tip);
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(action, &QAction::triggered, action,
                   [&messages, handler = std::move(handler)] { guarded(messages, handler); });
  return action;
}

void triggerOnClick(QAbstractButton* button, QAction* action) {
  button->setToolTip(action->toolTip());
  button->setAccessibleName(action->text());
  QObject::connect(button, &QAbstractButton::clicked, action, [action] { action->trigger(); });
}

void showAndActivate(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace rakewright
