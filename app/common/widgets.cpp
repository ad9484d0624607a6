#include "app/common/widgets.h"

#include <QComboBox>
#include <QFont>

namespace rakewright {

namespace {

// The families are compiled into the program (see prepareApplication), with real bold faces.
// Hinting is fixed to the vertical direction only: the advance widths then stay those of the
// font's design, whatever hint style the machine's fontconfig asks for, so a caption is as wide on
// every machine as on the one where the layout was checked.
QFont fontOf(const QString& family, QFont::StyleHint hint, int pixelSize, bool bold) {
  QFont font(family);
  font.setStyleHint(hint);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferVerticalHinting);
  return font;
}

}  // namespace

QFont uiFont(int pixelSize, bool bold) {
  return fontOf(QStringLiteral("Liberation Sans"), QFont::SansSerif, pixelSize, bold);
}

QFont typewriterFont(int pixelSize, bool bold) {
  return fontOf(QStringLiteral("Liberation Mono"), QFont::TypeWriter, pixelSize, bold);
}

void setCaption(QLabel* label, const QString& caption) {
  label->setText(caption);
  label->adjustSize();
}

QLabel* placedLabel(QWidget* parent, const char* name, int left, int top, const QString& caption,
                    const QFont* font) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);  // names from data files are never markup
  if (font != nullptr) {
    label->setFont(*font);
  }
  label->move(left, top);
  setCaption(label, caption);
  return label;
}

void setBaseColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  widget->setPalette(palette);
}

QComboBox* dropDownBox(QWidget* parent, const char* name, int left, int top, int width,
                       const QStringList& items, const QString& text, const QColor& background) {
  auto* box = placed<QComboBox>(parent, name, left, top, width, 21);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->addItems(items);
  box->setCurrentIndex(-1);
  box->setEditText(text);
  setBaseColour(box, background);
  return box;
}

}  // namespace rakewright
