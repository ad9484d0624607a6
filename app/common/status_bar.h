// StatusBar, a status bar of sunken text panels of fixed widths, from the left; the last one
// reaches the right edge, as in a classic status bar.
#pragma once

#include <QString>
#include <QWidget>

#include <initializer_list>
#include <vector>

class QLabel;
class QResizeEvent;

namespace rakewright {

class StatusBar : public QWidget {
  Q_OBJECT
 public:
  StatusBar(std::initializer_list<int> widths, QWidget* parent = nullptr);

  QString panelText(int panel) const;
  void setPanelText(int panel, const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<QLabel*> panels_;
};

}  // namespace rakewright
