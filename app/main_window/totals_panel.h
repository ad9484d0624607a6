// TotalsPanel, the sunken panel Panel2 under the preview: the heading "Данные о составе" and the
// four totals of the consist (wagons, length in metres, weight in tonnes, axles), each number
// sized to its text with its unit label following it. Also the hidden ConsistsMemo, which holds
// the consist lines.
#pragma once

#include <QFrame>

class QLabel;
class QPlainTextEdit;

namespace rakewright {

class ConsistModel;

class TotalsPanel : public QFrame {
  Q_OBJECT
 public:
  explicit TotalsPanel(QWidget* window);

  // Shows the consist's lines and totals.
  void showTotals(const ConsistModel& model);
  // Empties the consist lines (start-up).
  void clearLines();

 private:
  QLabel* count_ = nullptr;
  QLabel* length_ = nullptr;
  QLabel* lengthUnit_ = nullptr;
  QLabel* weight_ = nullptr;
  QLabel* weightUnit_ = nullptr;
  QLabel* axles_ = nullptr;
  QPlainTextEdit* lines_ = nullptr;
};

}  // namespace rakewright
