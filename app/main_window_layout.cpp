// The controls of TForm1 and their places. Coordinates are in pixels of the client area, or of
// the panel that holds the control; the window is fixed in size, so nothing is laid out at run
// time except the labels, which size themselves to their captions. The catalogue panes
// (catalogue_sides.cpp) and the strip place their own controls.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

#include "app/catalogue_lookup.h"
#include "app/catalogue_pane.h"
#include "app/catalogue_sides.h"
#include "app/consist_strip.h"
#include "app/main_window.h"
#include "app/name_suggestions.h"
#include "app/picture_box.h"
#include "app/status_bar.h"
#include "app/user_messages.h"
#include "app/version.h"
#include "app/widgets.h"

namespace rakewright {

namespace {

const QColor kLightGreen(0xC0, 0xDC, 0xC0);
constexpr QSize kPreviewSize(462, 157);

QPushButton* button(QWidget* parent, const char* name, int left, int top, int width, int height,
                    const QString& caption, const QFont& font) {
  auto* control = placed<QPushButton>(parent, name, left, top, width, height);
  control->setText(caption);
  control->setFont(font);
  control->setAutoDefault(false);
  return control;
}

// An edit field with its caption just above it, as a labelled edit shows it.
QLineEdit* labelledEdit(QWidget* parent, const char* name, int left, int top, int width,
                        const QString& caption, QLabel*& captionLabel) {
  auto* edit = placed<QLineEdit>(parent, name, left, top, width, 21);
  captionLabel = placedLabel(parent, (std::string(name) + "Label").c_str(), left, 0, caption);
  constexpr int kSpacing = 3;
  captionLabel->move(left, std::max(0, top - captionLabel->height() - kSpacing));
  return edit;
}

}  // namespace

void TForm1::buildControls() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(
      QStringLiteral("%1 %2").arg(QLatin1String(kApplicationTitle), QLatin1String(kVersion)));
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
  // The catalogue sides, left and right, each a pane with its caption, filter box and lists.
  lookup_ = std::make_unique<CatalogueLookup>(base_, anchors_.dataRoot, *PreviewImage);
  trafficPane_ = new CataloguePane(trafficSide(), *lookup_, messages_, this);
  folderPane_ = new CataloguePane(folderSide(), *lookup_, messages_, this);
  buildTotals();
  Panel1 = new ConsistStrip(anchors_.dataRoot, this);
  Panel1->setGeometry(0, 388, 1020, 101);
  buildBottomRow();

  // Tab goes through the window from the left: the traffic pane, the selection, the folder pane,
  // then row by row below them.
  QList<QWidget*> tabChain = trafficPane_->focusChain();
  tabChain << NameEdit << LengthEdit << Edit1 << AddButton << DeleteButton;
  tabChain << folderPane_->focusChain();
  tabChain << ConsistsComboBox << LoadButton << SaveButton << ClearButton << Panel1 << Button5
           << Button3 << PrevPageBtn << NextPageBtn << Button4 << Button6 << Button1;
  for (qsizetype i = 0; i + 1 < tabChain.size(); ++i) {
    setTabOrder(tabChain[i], tabChain[i + 1]);
  }
}

void TForm1::buildTopRow() {
  AmountEdit =
      labelledEdit(this, "AmountEdit", 8, 15, 41, QStringLiteral("Amount"), AmountEditLabel);
  AmountEdit->setText(QStringLiteral("1"));
  AmountEdit->hide();
  AmountEditLabel->hide();

  NameEdit = labelledEdit(this, "NameEdit", 280, 16, 228, QStringLiteral("Name"), NameEditLabel);
  NameEdit->setReadOnly(true);
  setBaseColour(NameEdit, kInfoBackground);

  LengthEdit =
      labelledEdit(this, "LengthEdit", 514, 16, 49, QStringLiteral("Length"), LengthEditLabel);
  LengthEdit->setText(QStringLiteral("0"));
  setBaseColour(LengthEdit, kInfoBackground);

  Label8 = placedLabel(this, "Label8", 569, 1, QStringLiteral("Вес"));
  Edit1 = placed<QLineEdit>(this, "Edit1", 569, 16, 52, 21);
  Edit1->setText(QStringLiteral("0"));
  setBaseColour(Edit1, kInfoBackground);

  AddButton = button(this, "AddButton", 631, 12, 51, 25, QStringLiteral("+"), uiFont(20, true));
  DeleteButton =
      button(this, "DeleteButton", 688, 12, 54, 25, QStringLiteral("-"), uiFont(25, true));
}

void TForm1::buildCentre() {
  PreviewImage = placed<PictureBox>(this, "PreviewImage", 280, 43, kPreviewSize.width(),
                                    kPreviewSize.height());

  ConsistsMemo = placed<QPlainTextEdit>(this, "ConsistsMemo", 560, 240, 182, 105);
  ConsistsMemo->setReadOnly(true);
  ConsistsMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  ConsistsMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ConsistsMemo->setFont(uiFont(9));
  ConsistsMemo->hide();
}

void TForm1::buildTotals() {
  Panel2 = placed<QFrame>(this, "Panel2", 280, 206, 462, 149);
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  QFont heading = typewriterFont(19, true);
  heading.setUnderline(true);
  const QFont caption = uiFont(18, true);
  const QFont number = uiFont(25, true);
  const QFont unit = uiFont(17, true);

  Label11 = placedLabel(Panel2, "Label11", 6, 1, QStringLiteral("Данные о составе"), &heading);
  Label5 =
      placedLabel(Panel2, "Label5", 6, 29, QStringLiteral("Всего вагонов в составе: "), &caption);
  Wag_Num = placedLabel(Panel2, "Wag_Num", 248, 25, QStringLiteral("0"), &number);
  Label2 = placedLabel(Panel2, "Label2", 6, 57, QStringLiteral("Общая длина состава: "), &caption);
  ConsistLength = placedLabel(Panel2, "ConsistLength", 220, 53, QStringLiteral("0"), &number);
  Label4 = placedLabel(Panel2, "Label4", 242, 61, QStringLiteral("м"), &unit);
  Label3 = placedLabel(Panel2, "Label3", 6, 85, QStringLiteral("Общий вес состава:"), &caption);
  Con_Weight = placedLabel(Panel2, "Con_Weight", 200, 85, QStringLiteral("0"), &number);
  Label9 = placedLabel(Panel2, "Label9", 222, 95, QStringLiteral("т."), &unit);
  Label1 = placedLabel(Panel2, "Label1", 6, 113, QStringLiteral("Количество осей:"), &caption);
  Num_Osey = placedLabel(Panel2, "Num_Osey", 180, 109, QStringLiteral("0"), &number);
}

void TForm1::buildBottomRow() {
  ConsistsComboBox = dropDownBox(this, "ConsistsComboBox", 8, 361, 266, {}, QString(), kLightGreen);
  // Names that fit what is typed are offered in a list below the box, never written into it: the
  // text is only what the user typed or picked, so a quick "Save" cannot hit another file.
  new NameSuggestions(ConsistsComboBox);
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

void TForm1::describeControls() {
  struct Description {
    QWidget* control;
    const char* name;  // for screen readers
    const char* tip;
  };
  const Description descriptions[] = {
      {NameEdit, "Название", "Название выбранного подвижного состава"},
      {LengthEdit, "Длина", "Длина выбранного вагона в метрах; можно исправить перед добавлением"},
      {Edit1, "Вес", "Вес выбранного вагона в тоннах; можно исправить перед добавлением"},
      {AddButton, "Добавить",
       "Добавить выбранный вагон в конец состава (в списке: Enter или двойной щелчок)"},
      {DeleteButton, "Удалить последний", "Удалить последний вагон состава (отменяется: Ctrl+Z)"},
      {PreviewImage, "Изображение выбранного вагона", "Изображение выбранного вагона"},
      {ConsistsComboBox, "Файл состава", "Имя файла состава в папке data\\consists"},
      {LoadButton, "Загрузить", "Загрузить состав из файла (отменяется: Ctrl+Z)"},
      {SaveButton, "Сохранить", "Сохранить состав в файл (Ctrl+S)"},
      {ClearButton, "Удалить все вагоны", "Удалить все вагоны из состава (отменяется: Ctrl+Z)"},
      {Panel1, "Состав",
       "Щелчок по вагону удаляет его; перетаскивание переставляет, с Ctrl копирует; "
       "колесо мыши листает. Отменить: Ctrl+Z, повторить: Ctrl+Y"},
      {Button5, "В начало", "Показать начало состава"},
      {Button3, "Назад на шесть", "Назад на шесть вагонов"},
      {PrevPageBtn, "Назад на один", "Назад на один вагон (колесо мыши: вверх)"},
      {NextPageBtn, "Вперёд на один", "Вперёд на один вагон (колесо мыши: вниз)"},
      {Button4, "Вперёд на шесть", "Вперёд на шесть вагонов"},
      {Button6, "В конец", "Показать конец состава"},
      {Button1, "Авторы", "Кто сделал программу"},
  };
  for (const Description& description : descriptions) {
    description.control->setAccessibleName(QString::fromUtf8(description.name));
    description.control->setToolTip(QString::fromUtf8(description.tip));
  }
  NameEditLabel->setBuddy(NameEdit);
  LengthEditLabel->setBuddy(LengthEdit);
  Label8->setBuddy(Edit1);
}

}  // namespace rakewright
