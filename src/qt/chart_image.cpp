#include "qt/chart_image.h"

#include <QBuffer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSvgGenerator>
#include <algorithm>

#include "data/file_names.h"
#include "qt/message_box.h"
#include "qt/qt_file_dialog.h"
#include "qt/qt_text.h"
#include "results/results_file.h"
#include "results/whole_file.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

// Beyond 4000 pixels a side a picture outgrows what a report or a slide needs, and
// its 64 MB in memory is as much as a lab PC should be asked for.
constexpr int kSmallestSide = 100;
constexpr int kLargestSide = 4000;
// The window's graph is about this big: larger pictures draw it magnified, so that
// the labels and lines keep their size against the curves.
constexpr double kLayoutWidth = 800;
constexpr double kLayoutHeight = 500;

const char* suffixOf(ChartImageKind kind) {
  return kind == ChartImageKind::Svg ? "svg" : "png";
}

// Lays the chart out at the picture's size over the magnification, paints it and
// puts it back as the window shows it.
void paintChart(QChart& chart, QPainter& painter, QSize size) {
  const double scale =
      std::max(1.0, std::min(size.width() / kLayoutWidth, size.height() / kLayoutHeight));
  const QRectF shown = chart.geometry();
  QGraphicsScene& scene = *chart.scene();
  const QRectF shownScene = scene.sceneRect();
  const QRectF laidOut(shown.topLeft(), QSizeF(size) / scale);
  scene.setSceneRect(laidOut);
  chart.setGeometry(laidOut);
  chart.layout()->activate();

  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), laidOut, Qt::IgnoreAspectRatio);

  chart.setGeometry(shown);
  chart.layout()->activate();
  scene.setSceneRect(shownScene);
}

// Width and height in pixels (the labels name the unit), each spin box named for the tests that
// fill them in.
class ChartSizeDialog final : public QDialog {
 public:
  ChartSizeDialog(QWidget* parent, QSize size) : QDialog(parent) {
    setObjectName("chartSizeDialog");
    setWindowTitle(toQString(messages::chartSizeTitle()));
    setWindowModality(Qt::ApplicationModal);
    auto* form = new QFormLayout(this);
    width_ = addSide(form, "width", messages::chartWidthLabel(), size.width());
    height_ = addSide(form, "height", messages::chartHeightLabel(), size.height());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    // The title bar holds the window's icon and close button beside the title:
    // the dialog its fields alone would size cuts the title off.
    QFont title = font();
    title.setBold(true);
    constexpr int kTitleBarButtons = 160;
    setMinimumWidth(
        std::max(minimumSizeHint().width(),
                 QFontMetrics(title).horizontalAdvance(windowTitle()) + kTitleBarButtons));
  }

  QSize chosen() const { return {width_->value(), height_->value()}; }

 private:
  QSpinBox* addSide(QFormLayout* form, const char* name, const std::string& label, int value) {
    auto* side = new QSpinBox(this);
    side->setObjectName(name);
    side->setRange(kSmallestSide, kLargestSide);
    side->setValue(value);
    form->addRow(toQString(label), side);
    return side;
  }

  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
};

// The file chosen in a save dialog, or empty; its kind is its suffix's, or the
// chosen file kind's, whose suffix is then added.
struct ChosenImage {
  QString file;
  ChartImageKind kind = ChartImageKind::Png;
};

ChosenImage askForFile(QWidget* parent, const std::filesystem::path& proposed) {
  QFileDialog dialog(parent, toQString(messages::saveChartTitle()));
  prepareSaveDialog(dialog, "saveChartDialog", toQString(messages::chartImageFilter()), proposed);
  const QStringList filters = dialog.nameFilters();
  const auto kindOfFilter = [&filters](const QString& filter) {
    return filters.indexOf(filter) == 1 ? ChartImageKind::Svg : ChartImageKind::Png;
  };
  // Choosing the other file kind changes the suffix of the name shown.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    const QString suffix = name == nullptr ? QString() : QFileInfo(name->text()).suffix().toLower();
    if (suffix == "png" || suffix == "svg") {
      name->setText(name->text().chopped(3) + suffixOf(kindOfFilter(filter)));
    }
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  ChosenImage chosen{dialog.selectedFiles().front(), kindOfFilter(dialog.selectedNameFilter())};
  const QString suffix = QFileInfo(chosen.file).suffix().toLower();
  if (suffix == "svg") {
    chosen.kind = ChartImageKind::Svg;
  } else if (suffix == "png") {
    chosen.kind = ChartImageKind::Png;
  } else {
    chosen.file += QString(".") + suffixOf(chosen.kind);
  }
  return chosen;
}

}  // namespace

std::filesystem::path proposedChartImage(const std::filesystem::path& results) {
  std::filesystem::path stem = results.stem();
  if (stem.empty()) {
    stem = "resultados";
  }
  stem += "_grafico.png";
  return results.parent_path() / stem;
}

std::optional<std::string> writeChartImage(QChart& chart, const QString& file, QSize size,
                                           ChartImageKind kind) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (kind == ChartImageKind::Svg) {
    QSvgGenerator picture;
    picture.setOutputDevice(&buffer);
    picture.setSize(size);
    picture.setViewBox(QRect(QPoint(0, 0), size));
    picture.setTitle(chart.title());
    {
      QPainter painter(&picture);
      paintChart(chart, painter, size);
    }
    // The generator gives the size in millimetres at its resolution, which programs
    // read back at 90 or 96 dots per inch: given in pixels, it is the chosen size everywhere.
    const qsizetype header = bytes.indexOf("<svg");
    const qsizetype headerEnd = bytes.indexOf('>', header);
    if (header >= 0 && headerEnd > header) {
      QString opening = QString::fromUtf8(bytes.mid(header, headerEnd - header));
      opening.replace(QRegularExpression(R"((\s)width="[^"]*")"),
                      QString(R"(\1width="%1")").arg(size.width()));
      opening.replace(QRegularExpression(R"((\s)height="[^"]*")"),
                      QString(R"(\1height="%1")").arg(size.height()));
      bytes.replace(header, headerEnd - header, opening.toUtf8());
    }
  } else {
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) {
      return messages::chartImageTooLarge();
    }
    picture.fill(Qt::white);
    {
      QPainter painter(&picture);
      paintChart(chart, painter, size);
    }
    if (!picture.save(&buffer, "PNG")) {
      return toProgramText(buffer.errorString());
    }
  }

  // As the table and the report: the old file's protection kept, a read-only one refused.
  try {
    writeWholeFile(systemPath(file),
                   std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  } catch (const ResultsFileError& error) {
    return messages::fileFailureCause(error);
  }
  return std::nullopt;
}

void saveChartImage(QWidget* parent, QChart& chart, const std::filesystem::path& proposed,
                    QSize& size) {
  const ChosenImage chosen = askForFile(parent, proposed);
  if (chosen.file.isEmpty()) {
    return;
  }
  const std::string name = pathText(systemPath(chosen.file));
  // Said before asking to replace a file that could not be replaced.
  if (const std::optional<ResultsFileError> refusal = refusalToWrite(systemPath(chosen.file))) {
    showMessageBox(parent,
                   messages::chartImageUnwritable(name, messages::fileFailureCause(*refusal)));
    return;
  }
  if (QFileInfo::exists(chosen.file) &&
      showMessageBox(parent, messages::replaceChartImage(name)) != MessageAnswer::Yes) {
    return;
  }
  ChartSizeDialog sizes(parent, size);
  if (sizes.exec() != QDialog::Accepted) {
    return;
  }
  size = sizes.chosen();
  if (const auto failure = writeChartImage(chart, chosen.file, size, chosen.kind)) {
    showMessageBox(parent, messages::chartImageUnwritable(name, *failure));
  }
}

}  // namespace granomet
