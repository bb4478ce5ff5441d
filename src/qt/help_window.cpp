#include "qt/help_window.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/qt_text.h"
#include "qt/window_geometry.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

constexpr int kHeadingPixels = 16;  // 12 pt
constexpr int kTextPixels = 11;     // 8.25 pt

// The export record's fields by position, as the analyser's export configuration
// writes them: a field's name, the blanks that line its number up in the designed
// font, its number and what is said of it.
struct LayoutLine {
  const char* head;
  int blanks;
  const char* tail;
};

constexpr LayoutLine kExportLayout[] = {
    {"Formato fichero Export LA-950", 0, ""},
    {"nada", 16, "'1 a 23no se utilizan pero deben estar"},
    {"RESULT FILE NAME", 8, "'24"},
    {"SAMPLE NAME", 15, "'25"},
    {"LOTE", 29, "'26"},
    {"NUMERO LOTE", 14, "'27"},
    {"IP", 33, "'28"},
    {"SURVEY", 23, "'29"},
    {"Vacio", 16, "'30no se utilizan pero deben estar"},
    {"D,Q,Acum", 13, "'31 a 228"},
    {"'", 0, ""},
};

QString exportLayoutText() {
  QStringList lines;
  for (const LayoutLine& line : kExportLayout) {
    lines.push_back(QString::fromUtf8(line.head) + QString(line.blanks, ' ') +
                    QString::fromUtf8(line.tail));
  }
  return lines.join('\n');
}

QLabel* addLabel(QWidget* parent, const char* name, const QRect& place, const QString& text,
                 const QFont& font) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(place);
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QLabel* addHeading(QWidget* parent, const char* name, const QRect& place, const char* text) {
  return addLabel(parent, name, place, QString::fromUtf8(text),
                  windowFont(FontFace::MsSansSerif, kHeadingPixels, true));
}

// Text blocks stand out white against the window's menu colour.
QLabel* addTextBlock(QWidget* parent, const char* name, const QRect& place, const QString& text,
                     bool wrapped) {
  QLabel* label =
      addLabel(parent, name, place, text, windowFont(FontFace::MsSansSerif, kTextPixels, true));
  label->setWordWrap(wrapped);
  label->setAutoFillBackground(true);
  QPalette colors = label->palette();
  colors.setColor(QPalette::Window, Qt::white);
  label->setPalette(colors);
  return label;
}

QLabel* addTextBlock(QWidget* parent, const char* name, const QRect& place, const char* text) {
  return addTextBlock(parent, name, place, QString::fromUtf8(text), true);
}

// A thin grey rule from left to right (twips) at the given height.
void addLine(QWidget* parent, int left, int right, int height) {
  auto* line = new QFrame(parent);
  line->setObjectName("Line1");
  line->setFrameShape(QFrame::NoFrame);
  line->setAutoFillBackground(true);
  QPalette colors = line->palette();
  colors.setColor(QPalette::Window, QColor(128, 128, 128));
  line->setPalette(colors);
  line->setGeometry(left / kTwipsPerPixel, height / kTwipsPerPixel, (right - left) / kTwipsPerPixel,
                    1);
}

// The second page's sections, each a heading over a white block, as on the first.
void fillSecondPage(QWidget& page) {
  auto* column = new QVBoxLayout(&page);
  column->setContentsMargins(8, 3, 10, 0);
  column->setSpacing(2);
  int number = 0;
  for (const messages::HelpSection& section : messages::helpMoreSections()) {
    const QString name = QString::number(++number);
    QLabel* heading =
        addLabel(&page, qPrintable("moreHeading" + name), {}, toQString(section.heading),
                 windowFont(FontFace::MsSansSerif, kHeadingPixels, true));
    QLabel* text =
        addTextBlock(&page, qPrintable("moreText" + name), {}, toQString(section.text), true);
    text->setMargin(2);
    column->addWidget(heading);
    column->addWidget(text);
    column->addSpacing(4);
  }
  column->addStretch();
}

}  // namespace

QPoint helpWindowPlace(const QRect& mainFrame, const QRect& buttons, QSize size,
                       const QRect& room) {
  const int roomRight = room.left() + room.width();
  int left = 0;
  if (mainFrame.left() + mainFrame.width() + size.width() <= roomRight) {
    left = mainFrame.left() + mainFrame.width();
  } else if (mainFrame.left() - size.width() >= room.left()) {
    left = mainFrame.left() - size.width();
  } else {
    const auto covered = [&](int at) {
      const int from = std::max(at, buttons.left());
      const int to = std::min(at + size.width(), buttons.left() + buttons.width());
      return std::max(0, to - from);
    };
    const int atRight = std::max(room.left(), roomRight - size.width());
    left = covered(room.left()) < covered(atRight) ? room.left() : atRight;
  }
  const int lowestTop = room.top() + room.height() - size.height();
  return {left, std::max(room.top(), std::min(mainFrame.top(), lowestTop))};
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle("GRANOMET HELP");
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  setFixedSize(6165 / kTwipsPerPixel, 8925 / kTwipsPerPixel);
  QPalette colors = palette();
  colors.setColor(QPalette::Window, colors.color(QPalette::Button));
  setPalette(colors);
  setAutoFillBackground(true);

  // Both pages cover the window; its buttons stand over them.
  first_ = new QWidget(this);
  first_->setObjectName("firstPage");
  first_->setGeometry(rect());
  second_ = new QWidget(this);
  second_->setObjectName("secondPage");
  second_->setGeometry(0, 0, width(), 8000 / kTwipsPerPixel);
  second_->hide();
  fillSecondPage(*second_);

  QWidget* const page = first_;
  addHeading(page, "Label6", twips(120, 45, 2415, 300), "FICHERO DE LOTE");
  addTextBlock(page, "Label4", twips(420, 450, 5145, 675),
               "El LOTE de Muestras es  el fichero EXCEL con la relación de muestras a las que "
               "se han añadido los pesos parciales de gravas y conchas guardado en formatos "
               "CSV.  ");
  addLine(page, 120, 5684, 1185);
  addHeading(page, "Label5", twips(150, 1275, 2355, 300), "FICHERO EXPORT");
  addTextBlock(page, "Label3", twips(510, 1770, 4650, 195),
               QString::fromUtf8("El fichero EXPORT se genera con \"EXPORT CONFIG\""), false);
  addLine(page, 150, 5714, 2085);
  addHeading(page, "Label1", twips(210, 2160, 2895, 300), "FORMATO DE EXPORT");
  addTextBlock(page, "lblDescription", twips(450, 2745, 5070, 2115), exportLayoutText(), false);
  addLine(page, 210, 5774, 5145);
  addHeading(page, "Label2", twips(135, 5250, 2715, 300), "FICHERO DE SALIDA");
  addTextBlock(page, "Label12", twips(165, 5670, 5025, 1065),
               "El fichero de salida contiene los datos necesarios para la base de datos, los "
               "parametros granulometricos calculados y los datos suficientes para generar un "
               "informe multimuestra con Gradistat ");
  addLine(page, 210, 5774, 6765);
  addTextBlock(page, "Label7", twips(210, 6990, 4980, 960),
               "Se ignorarán aquellas muestras que aunque se encuentren el el fichero Export su "
               "nombre y numero no aparece o no coincide en el lote a procesar. Tampoco se "
               "aceptara un fichero export que corresponda a otro nombre de Lote. ");
  QLabel* title =
      addLabel(page, "lblTitle", twips(240, 8025, 2385, 630),
               QString::fromUtf8(
                   "Granomet2013 sin graficos para para permitir compatibilidad con windows 7/8"),
               windowFont(FontFace::MsSansSerif, kTextPixels, false));
  title->setWordWrap(true);

  cmdOK_ = new QPushButton(QString::fromUtf8("Aceptar y cerrar"), this);
  cmdOK_->setObjectName("cmdOK");
  cmdOK_->setGeometry(twips(3105, 8400, 2910, 345));
  cmdOK_->setFont(windowFont(FontFace::MsSansSerif, kTextPixels, true));
  cmdOK_->setDefault(true);
  cmdOK_->setAutoDefault(true);
  // Esc rejects a dialog, which closes it like the button does.
  connect(cmdOK_, &QPushButton::clicked, this, &QDialog::close);

  // In the room between the last text and the designed button.
  more_ = new QPushButton(toQString(messages::helpMoreButton()), this);
  more_->setObjectName("moreButton");
  more_->setGeometry(twips(3105, 8000, 2910, 345));
  more_->setFont(cmdOK_->font());
  more_->setAutoDefault(false);
  connect(more_, &QPushButton::clicked, this, &frmAbout::turnPage);
}

void frmAbout::turnPage() {
  const bool toSecond = !first_->isHidden();
  first_->setVisible(!toSecond);
  second_->setVisible(toSecond);
  more_->setText(toQString(toSecond ? messages::helpBackButton() : messages::helpMoreButton()));
}

}  // namespace granomet
