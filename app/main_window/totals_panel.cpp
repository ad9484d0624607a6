#include "app/main_window/totals_panel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>

#include "app/common/qt_text.h"
#include "app/common/widgets.h"
#include "consist/consist_model.h"

namespace rakewright {

namespace {

// The space between a total and its unit label.
constexpr int kUnitGap = 5;

void follow(QLabel* unit, const QLabel* number) {
  unit->move(number->x() + number->width() + kUnitGap, unit->y());
}

}  // namespace

TotalsPanel::TotalsPanel(QWidget* window) : QFrame(window) {
  setObjectName(QStringLiteral("Panel2"));
  setGeometry(280, 206, 462, 149);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);

  QFont heading = typewriterFont(19, true);
  heading.setUnderline(true);
  const QFont caption = uiFont(18, true);
  const QFont number = uiFont(25, true);
  const QFont unit = uiFont(17, true);

  placedLabel(this, "Label11", 6, 1, QStringLiteral("Данные о составе"), &heading);
  placedLabel(this, "Label5", 6, 29, QStringLiteral("Всего вагонов в составе: "), &caption);
  count_ = placedLabel(this, "Wag_Num", 248, 25, QStringLiteral("0"), &number);
  placedLabel(this, "Label2", 6, 57, QStringLiteral("Общая длина состава: "), &caption);
  length_ = placedLabel(this, "ConsistLength", 220, 53, QStringLiteral("0"), &number);
  lengthUnit_ = placedLabel(this, "Label4", 242, 61, QStringLiteral("м"), &unit);
  placedLabel(this, "Label3", 6, 85, QStringLiteral("Общий вес состава:"), &caption);
  weight_ = placedLabel(this, "Con_Weight", 200, 85, QStringLiteral("0"), &number);
  weightUnit_ = placedLabel(this, "Label9", 222, 95, QStringLiteral("т."), &unit);
  placedLabel(this, "Label1", 6, 113, QStringLiteral("Количество осей:"), &caption);
  axles_ = placedLabel(this, "Num_Osey", 180, 109, QStringLiteral("0"), &number);

  // Hidden: the consist lines, in the window at (560, 240).
  lines_ = placed<QPlainTextEdit>(this, "ConsistsMemo", 560 - 280, 240 - 206, 182, 105);
  lines_->setReadOnly(true);
  lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
  lines_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  lines_->setFont(uiFont(9));
  lines_->hide();
}

void TotalsPanel::showTotals(const ConsistModel& model) {
  QStringList lines;
  lines.reserve(model.wagonCount());
  for (const ConsistModel::Wagon& wagon : model.wagons()) {
    // A long line is shown cut short, as every text from a data file is.
    lines.append(displayText(wagon.line));
  }
  lines_->setPlainText(lines.join(QLatin1Char('\n')));

  setCaption(count_, fromCp1251(model.wagonCountText()));
  setCaption(length_, fromCp1251(model.lengthText()));
  setCaption(weight_, fromCp1251(model.weightText()));
  setCaption(axles_, fromCp1251(model.axlesText()));
  follow(lengthUnit_, length_);
  follow(weightUnit_, weight_);
}

void TotalsPanel::clearLines() {
  lines_->clear();
}

}  // namespace rakewright
