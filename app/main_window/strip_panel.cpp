#include "app/main_window/strip_panel.h"

#include <QPushButton>

#include "app/common/actions.h"
#include "app/common/user_messages.h"
#include "app/common/widgets.h"
#include "app/document/consist_document.h"
#include "app/main_window/consist_strip.h"

namespace rakewright {

namespace {

// The panel's place in the window: the strip and, under it, the paging row.
constexpr QRect kPlace(0, 388, 1020, 152);

struct PagingButton {
  const char* name;
  int left;
  const char* caption;
  int fontSize;
  PageStep step;
  const char* text;  // for screen readers
  const char* tip;
};

constexpr PagingButton kPagingButtons[] = {
    {"Button5", 208, "В начало", 16, PageStep::First, "В начало", "Показать начало состава"},
    {"Button3", 308, "<< - -", 25, PageStep::BackPage, "Назад на шесть", "Назад на шесть вагонов"},
    {"PrevPageBtn", 408, "<-", 25, PageStep::Back, "Назад на один",
     "Назад на один вагон (колесо мыши: вверх)"},
    {"NextPageBtn", 508, "->", 25, PageStep::Forward, "Вперёд на один",
     "Вперёд на один вагон (колесо мыши: вниз)"},
    {"Button4", 608, "-->>", 25, PageStep::NextPage, "Вперёд на шесть", "Вперёд на шесть вагонов"},
    {"Button6", 708, "В конец", 16, PageStep::Last, "В конец", "Показать конец состава"},
};

}  // namespace

StripPanel::StripPanel(ConsistDocument& document, QWidget* window)
    : QWidget(window), document_(document) {
  setObjectName(QStringLiteral("StripPanel"));
  setGeometry(kPlace);
  UserMessages& messages = document_.messages();

  strip_ = new ConsistStrip(document_.anchors().dataRoot, this);
  strip_->setGeometry(0, 0, 1020, 101);
  strip_->setAccessibleName(QStringLiteral("Состав"));
  strip_->setToolTip(
      QStringLiteral("Щелчок по вагону удаляет его; перетаскивание переставляет, с Ctrl копирует; "
                     "колесо мыши листает. Отменить: Ctrl+Z, повторить: Ctrl+Y"));

  for (std::size_t i = 0; i < pagingButtons_.size(); ++i) {
    const PagingButton& paging = kPagingButtons[i];
    auto* button = placed<QPushButton>(this, paging.name, paging.left, 502 - kPlace.top(), 94, 38);
    button->setText(QString::fromUtf8(paging.caption));
    button->setFont(uiFont(paging.fontSize));
    button->setAutoDefault(false);
    const PageStep step = paging.step;
    triggerOnClick(button, makeAction(this, QString::fromUtf8(paging.text),
                                      QString::fromUtf8(paging.tip), messages,
                                      [this, step] { document_.page(step); }));
    pagingButtons_[i] = button;
  }

  const auto redrawn = guardedSlot(messages, [this] { redraw(); });
  connect(&document_, &ConsistDocument::changed, this, redrawn);
  connect(&document_, &ConsistDocument::paged, this, redrawn);
  connect(strip_, &ConsistStrip::pageRequested, this,
          guardedSlot(messages, [this](PageStep step) { document_.page(step); }));
  connect(strip_, &ConsistStrip::showRequested, this,
          guardedSlot(messages, [this](int position) { document_.showPosition(position); }));
  connect(strip_, &ConsistStrip::removeRequested, this,
          guardedSlot(messages, [this](int index) { document_.remove(index); }));
  connect(strip_, &ConsistStrip::moveRequested, this,
          guardedSlot(messages, [this](int from, int to) { document_.move(from, to); }));
}

void StripPanel::redraw() {
  strip_->showLabels(document_.model());
  strip_->showPictures(document_.model());
}

QList<QWidget*> StripPanel::focusChain() const {
  QList<QWidget*> chain{strip_};
  for (QPushButton* button : pagingButtons_) {
    chain.append(button);
  }
  return chain;
}

}  // namespace rakewright
