// The controls of TForm1 and their places. Coordinates are in pixels of the client area, or of
// the panel that holds the control; the window is fixed in size, so nothing is laid out at run
// time except the labels, which size themselves to their captions.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

#include "app/main_window.h"
#include "app/widgets.h"

namespace rakewright {

namespace {

const QColor kInfoBackground(0xFF, 0xFF, 0xE1);  // the system's tool-tip colour
const QColor kLightGreen(0xC0, 0xDC, 0xC0);

template <typename Widget>
Widget* place(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

QLabel* label(QWidget* parent, const char* name, int left, int top, const QString& caption) {
  auto* control = new QLabel(parent);
  control->setObjectName(QLatin1String(name));
  control->setTextFormat(Qt::PlainText);  // names from data files are never markup
  control->move(left, top);
  setCaption(control, caption);
  return control;
}

QLabel* label(QWidget* parent, const char* name, int left, int top, const QString& caption,
              const QFont& font) {
  QLabel* control = label(parent, name, left, top, QString());
  control->setFont(font);
  setCaption(control, caption);
  return control;
}

void setBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  widget->setPalette(palette);
}

QPushButton* button(QWidget* parent, const char* name, int left, int top, int width, int height,
                    const QString& caption, const QFont& font) {
  auto* control = place<QPushButton>(parent, name, left, top, width, height);
  control->setText(caption);
  control->setFont(font);
  control->setAutoDefault(false);
  return control;
}

// An editable drop-down list: the typed text stays typed (Enter adds no item), and at start no
// item is selected while the box shows `text`.
QComboBox* comboBox(QWidget* parent, const char* name, int left, int top, int width,
                    const QStringList& items, const QString& text, const QColor& background) {
  auto* control = place<QComboBox>(parent, name, left, top, width, 21);
  control->setEditable(true);
  control->setInsertPolicy(QComboBox::NoInsert);
  control->addItems(items);
  control->setCurrentIndex(-1);
  control->setEditText(text);
  setBackground(control, background);
  return control;
}

// An edit field with its caption just above it, as a labelled edit shows it.
QLineEdit* labelledEdit(QWidget* parent, const char* name, int left, int top, int width,
                        const QString& caption, QLabel*& captionLabel) {
  auto* edit = place<QLineEdit>(parent, name, left, top, width, 21);
  captionLabel = label(parent, (std::string(name) + "Label").c_str(), left, 0, caption);
  constexpr int kSpacing = 3;
  captionLabel->move(left, std::max(0, top - captionLabel->height() - kSpacing));
  return edit;
}

QListWidget* listBox(QWidget* parent, const char* name, int left, int top, int width, int height) {
  return place<ListBox>(parent, name, left, top, width, height);
}

}  // namespace

void TForm1::buildControls() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Rakewright 2.1"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);
  setFont(uiFont(11));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  setPalette(palette);
  setAutoFillBackground(true);

  buildTopRow();
  buildCentre();
  buildTotals();
  buildStrip();
  buildBottomRow();
}

void TForm1::buildTopRow() {
  Label7 = label(this, "Label7", 8, 2, QStringLiteral("Фильтр ПС из файла traffic.ref"));
  ComboBox1 =
      comboBox(this, "ComboBox1", 8, 16, 266,
               {QStringLiteral("Весь подвижной состав"), QStringLiteral("Пассажирские вагоны"),
                QStringLiteral("Грузовые вагоны"), QStringLiteral("Локомотивы"),
                QStringLiteral("МВПС"), QStringLiteral("Спец. техника и восстановительный поезд")},
               QStringLiteral("Весь подвижной состав"), kInfoBackground);

  AmountEdit =
      labelledEdit(this, "AmountEdit", 8, 15, 41, QStringLiteral("Amount"), AmountEditLabel);
  AmountEdit->setText(QStringLiteral("1"));
  AmountEdit->hide();
  AmountEditLabel->hide();

  NameEdit = labelledEdit(this, "NameEdit", 280, 16, 228, QStringLiteral("Name"), NameEditLabel);
  NameEdit->setReadOnly(true);
  setBackground(NameEdit, kInfoBackground);

  LengthEdit =
      labelledEdit(this, "LengthEdit", 514, 16, 49, QStringLiteral("Length"), LengthEditLabel);
  LengthEdit->setText(QStringLiteral("0"));
  setBackground(LengthEdit, kInfoBackground);

  Label8 = label(this, "Label8", 569, 1, QStringLiteral("Вес"));
  Edit1 = place<QLineEdit>(this, "Edit1", 569, 16, 52, 21);
  Edit1->setText(QStringLiteral("0"));
  setBackground(Edit1, kInfoBackground);

  AddButton = button(this, "AddButton", 631, 12, 51, 25, QStringLiteral("+"), uiFont(20, true));
  DeleteButton =
      button(this, "DeleteButton", 688, 12, 54, 25, QStringLiteral("-"), uiFont(25, true));

  Label10 = label(this, "Label10", 748, 0,
                  QStringLiteral("Фильтр ПС из папок: Pass_wags и Freight_wags"));
  ComboBox2 =
      comboBox(this, "ComboBox2", 748, 16, 266,
               {QStringLiteral("Все вагоны из папок"), QStringLiteral("Вагоны из папки: Pass_wags"),
                QStringLiteral("Вагоны из папки: Freight_wags")},
               QStringLiteral("Все вагоны из папок"), kInfoBackground);
}

void TForm1::buildCentre() {
  ListBox1 = listBox(this, "ListBox1", 8, 44, 266, 311);
  ListBox2 = listBox(this, "ListBox2", 8, 44, 266, 311);
  ListBox2->hide();
  ListBox3 = listBox(this, "ListBox3", 748, 43, 266, 313);
  ListBox4 = listBox(this, "ListBox4", 748, 43, 266, 314);
  ListBox4->hide();

  PreviewImage = place<PictureBox>(this, "PreviewImage", 280, 43, 462, 157);

  ConsistsMemo = place<QPlainTextEdit>(this, "ConsistsMemo", 560, 240, 182, 105);
  ConsistsMemo->setReadOnly(true);
  ConsistsMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  ConsistsMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ConsistsMemo->setFont(uiFont(9));
  ConsistsMemo->hide();
}

void TForm1::buildTotals() {
  Panel2 = place<QFrame>(this, "Panel2", 280, 206, 462, 149);
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  QFont heading = typewriterFont(19, true);
  heading.setUnderline(true);
  const QFont caption = uiFont(18, true);
  const QFont number = uiFont(25, true);
  const QFont unit = uiFont(17, true);

  Label11 = label(Panel2, "Label11", 6, 1, QStringLiteral("Данные о составе"), heading);
  Label5 = label(Panel2, "Label5", 6, 29, QStringLiteral("Всего вагонов в составе: "), caption);
  Wag_Num = label(Panel2, "Wag_Num", 248, 25, QStringLiteral("0"), number);
  Label2 = label(Panel2, "Label2", 6, 57, QStringLiteral("Общая длина состава: "), caption);
  ConsistLength = label(Panel2, "ConsistLength", 220, 53, QStringLiteral("0"), number);
  Label4 = label(Panel2, "Label4", 242, 61, QStringLiteral("м"), unit);
  Label3 = label(Panel2, "Label3", 6, 85, QStringLiteral("Общий вес состава:"), caption);
  Con_Weight = label(Panel2, "Con_Weight", 200, 85, QStringLiteral("0"), number);
  Label9 = label(Panel2, "Label9", 222, 95, QStringLiteral("т."), unit);
  Label1 = label(Panel2, "Label1", 6, 113, QStringLiteral("Количество осей:"), caption);
  Num_Osey = label(Panel2, "Num_Osey", 180, 109, QStringLiteral("0"), number);
}

void TForm1::buildStrip() {
  Panel1 = place<QFrame>(this, "Panel1", 0, 388, 1020, 101);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);
  Panel1->setAutoFillBackground(true);

  struct Slot {
    const char* picture;
    const char* name;
    const char* number;
    int pictureLeft, nameLeft, numberLeft;
  };
  static constexpr std::array<Slot, kSlots> kSlotPlaces = {{
      {"PrvImg1", "WagName1", "WagNum1", 5, 56, 68},
      {"PrvImg2", "WagName2", "WagNum2", 173, 224, 236},
      {"PrvImg3", "WagName3", "WagNum3", 341, 396, 396},
      {"PrvImg4", "WagName4", "WagNum4", 509, 559, 559},
      {"PrvImg5", "WagName5", "WagNum5", 677, 736, 736},
      {"PrvImg6", "WagName6", "WagNum6", 845, 903, 903},
  }};
  const QFont nameFont = uiFont(11, true);
  for (std::size_t i = 0; i < kSlotPlaces.size(); ++i) {
    const Slot& slot = kSlotPlaces[i];
    slotPictures_[i] = place<PictureBox>(Panel1, slot.picture, slot.pictureLeft, 20, 167, 60);
    slotNames_[i] =
        label(Panel1, slot.name, slot.nameLeft, 0, QStringLiteral("Нет вагона!"), nameFont);
    slotNumbers_[i] = label(Panel1, slot.number, slot.numberLeft, 83, QString());
  }
  PrvImg1 = slotPictures_[0];
  PrvImg2 = slotPictures_[1];
  PrvImg3 = slotPictures_[2];
  PrvImg4 = slotPictures_[3];
  PrvImg5 = slotPictures_[4];
  PrvImg6 = slotPictures_[5];
  WagName1 = slotNames_[0];
  WagName2 = slotNames_[1];
  WagName3 = slotNames_[2];
  WagName4 = slotNames_[3];
  WagName5 = slotNames_[4];
  WagName6 = slotNames_[5];
  WagNum1 = slotNumbers_[0];
  WagNum2 = slotNumbers_[1];
  WagNum3 = slotNumbers_[2];
  WagNum4 = slotNumbers_[3];
  WagNum5 = slotNumbers_[4];
  WagNum6 = slotNumbers_[5];
}

void TForm1::buildBottomRow() {
  ConsistsComboBox = comboBox(this, "ConsistsComboBox", 8, 361, 266, {}, QString(), kLightGreen);
  const QFont rowFont = uiFont(11, true);
  LoadButton = button(this, "LoadButton", 280, 361, 34, 21, QStringLiteral("Load"), rowFont);
  SaveButton = button(this, "SaveButton", 320, 361, 33, 21, QStringLiteral("Save"), rowFont);
  ClearButton = button(this, "ClearButton", 359, 361, 202, 21,
                       QStringLiteral("Удалить все вагоны из состава"), rowFont);

  const QFont small = uiFont(16);
  const QFont large = uiFont(25);
  Button5 = button(this, "Button5", 208, 502, 94, 38, QStringLiteral("В начало"), small);
  Button3 = button(this, "Button3", 308, 502, 94, 38, QStringLiteral("<< - -"), large);
  PrevPageBtn = button(this, "PrevPageBtn", 408, 502, 94, 38, QStringLiteral("<-"), large);
  NextPageBtn = button(this, "NextPageBtn", 508, 502, 94, 38, QStringLiteral("->"), large);
  Button4 = button(this, "Button4", 608, 502, 94, 38, QStringLiteral("-->>"), large);
  Button6 = button(this, "Button6", 708, 502, 94, 38, QStringLiteral("В конец"), small);

  Button1 = button(this, "Button1", 8, 510, 194, 25, QStringLiteral("Авторы"), uiFont(15));

  StatusBar1 = new StatusBar({50, 250, 500, 50}, this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setGeometry(0, 549, 1022, 19);
}

}  // namespace rakewright
