#include "app/common/status_bar.h"

#include <QLabel>

#include <algorithm>

namespace rakewright {

namespace {
constexpr int kPanelGap = 2;  // between status panels, and above them
}  // namespace

StatusBar::StatusBar(std::initializer_list<int> widths, QWidget* parent) : QWidget(parent) {
  int left = 0;
  for (const int width : widths) {
    auto* panel = new QLabel(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(3);
    panel->setTextFormat(Qt::PlainText);
    panel->setObjectName(QStringLiteral("Panel%1").arg(panels_.size()));
    panel->setGeometry(left, kPanelGap, width - kPanelGap, 0);
    panels_.push_back(panel);
    left += width;
  }
}

QString StatusBar::panelText(int panel) const {
  return panels_.at(static_cast<std::size_t>(panel))->text();
}

void StatusBar::setPanelText(int panel, const QString& text) {
  panels_.at(static_cast<std::size_t>(panel))->setText(text);
}

void StatusBar::resizeEvent(QResizeEvent* /*event*/) {
  for (QLabel* panel : panels_) {
    panel->resize(panel->width(), height() - kPanelGap);
  }
  if (!panels_.empty()) {
    QLabel* last = panels_.back();
    last->resize(std::max(last->width(), width() - last->x()), last->height());
  }
}

}  // namespace rakewright
