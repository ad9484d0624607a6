// What every window uses to build its fixed layout: the fonts with their heights in pixels, a
// control created at its place under its name, the label that sizes itself to its caption, the
// editable drop-down box and the background colour of the selection's fields. The small widget
// classes have files of their own: PictureBox (picture_box.h), ListBox (list_box.h) and StatusBar
// (status_bar.h).
#pragma once

#include <QColor>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QFont;

namespace rakewright {

// The fonts of the windows, each with a height in pixels: the face of every control (Tahoma's
// role) and the typewriter face of the totals' heading and the authors' alias (Unispace's role).
QFont uiFont(int pixelSize, bool bold = false);
QFont typewriterFont(int pixelSize, bool bold = false);

// Sets a label's caption and sizes the label to it, keeping its top-left corner.
void setCaption(QLabel* label, const QString& caption);

// The background of the fields and drop-down boxes that show the selection: the tool-tip colour.
inline const QColor kInfoBackground{0xFF, 0xFF, 0xE1};

// A control named `name` (objectName) at its fixed place in `parent`.
template <typename Widget>
Widget* placed(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

// A plain-text label whose top-left corner is at (left, top), sized to its caption; in `font`
// when one is given, else in its parent's.
QLabel* placedLabel(QWidget* parent, const char* name, int left, int top, const QString& caption,
                    const QFont* font = nullptr);

// The colour behind the text of an edit field, a list or a combo box.
void setBaseColour(QWidget* widget, const QColor& colour);

// An editable drop-down list 21 pixels high: the typed text stays typed (Enter adds no item), and
// at start no item is selected while the box shows `text`.
QComboBox* dropDownBox(QWidget* parent, const char* name, int left, int top, int width,
                       const QStringList& items, const QString& text, const QColor& background);

}  // namespace rakewright
