#include "qt/help_window.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringList>

#include "qt/window_geometry.h"

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

}  // namespace

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

  addHeading(this, "Label6", twips(120, 45, 2415, 300), "FICHERO DE LOTE");
  addTextBlock(this, "Label4", twips(420, 450, 5145, 675),
               "El LOTE de Muestras es  el fichero EXCEL con la relación de muestras a las que "
               "se han añadido los pesos parciales de gravas y conchas guardado en formatos "
               "CSV.  ");
  addLine(this, 120, 5684, 1185);
  addHeading(this, "Label5", twips(150, 1275, 2355, 300), "FICHERO EXPORT");
  addTextBlock(this, "Label3", twips(510, 1770, 4650, 195),
               QString::fromUtf8("El fichero EXPORT se genera con \"EXPORT CONFIG\""), false);
  addLine(this, 150, 5714, 2085);
  addHeading(this, "Label1", twips(210, 2160, 2895, 300), "FORMATO DE EXPORT");
  addTextBlock(this, "lblDescription", twips(450, 2745, 5070, 2115), exportLayoutText(), false);
  addLine(this, 210, 5774, 5145);
  addHeading(this, "Label2", twips(135, 5250, 2715, 300), "FICHERO DE SALIDA");
  addTextBlock(this, "Label12", twips(165, 5670, 5025, 1065),
               "El fichero de salida contiene los datos necesarios para la base de datos, los "
               "parametros granulometricos calculados y los datos suficientes para generar un "
               "informe multimuestra con Gradistat ");
  addLine(this, 210, 5774, 6765);
  addTextBlock(this, "Label7", twips(210, 6990, 4980, 960),
               "Se ignorarán aquellas muestras que aunque se encuentren el el fichero Export su "
               "nombre y numero no aparece o no coincide en el lote a procesar. Tampoco se "
               "aceptara un fichero export que corresponda a otro nombre de Lote. ");
  QLabel* title =
      addLabel(this, "lblTitle", twips(240, 8025, 2385, 630),
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
}

}  // namespace granomet
