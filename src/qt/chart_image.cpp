#include "qt/chart_image.h"

#include <QBuffer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
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
#include "qt/window_geometry.h"
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
// The caption's text in pixels before the magnification, its margins and the stroke
// of a curve's colour in the legend.
constexpr int kCaptionPixels = 12;
constexpr double kCaptionMargin = 6;
constexpr double kSwatch = 16;

const char* suffixOf(ChartImageKind kind) {
  return kind == ChartImageKind::Svg ? "svg" : "png";
}

// Lays the chart out at the size of `target` over the magnification, paints it
// there and puts it back as the window shows it.
void paintChart(QChart& chart, QPainter& painter, const QRectF& target, double scale) {
  const QRectF shown = chart.geometry();
  QGraphicsScene& scene = *chart.scene();
  const QRectF shownScene = scene.sceneRect();
  const QRectF laidOut(shown.topLeft(), target.size() / scale);
  scene.setSceneRect(laidOut);
  chart.setGeometry(laidOut);
  chart.layout()->activate();

  scene.render(&painter, target, laidOut, Qt::IgnoreAspectRatio);

  chart.setGeometry(shown);
  chart.layout()->activate();
  scene.setSceneRect(shownScene);
}

// The title and the highlighted sample above the graph, the legend on its right
// (or, for more curves than it could name legibly, a note below), in the window's
// font, all magnified as the graph is.
void paintPicture(QChart& chart, const ChartCaption& caption, QPainter& painter, QSize size) {
  const double scale =
      std::max(1.0, std::min(size.width() / kLayoutWidth, size.height() / kLayoutHeight));
  const QRectF page(0, 0, size.width() / scale, size.height() / scale);
  const QFont titleFont = windowFont(FontFace::Arial, kCaptionPixels + 2, true);
  const QFont font = windowFont(FontFace::Arial, kCaptionPixels, false);
  const QFontMetricsF titleMetrics(titleFont);
  const QFontMetricsF metrics(font);
  const double line = metrics.lineSpacing();

  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.save();
  painter.scale(scale, scale);
  double top = kCaptionMargin;
  painter.setPen(Qt::black);
  painter.setFont(titleFont);
  const double textWidth = page.width() - 2 * kCaptionMargin;
  painter.drawText(QRectF(kCaptionMargin, top, textWidth, titleMetrics.lineSpacing()),
                   Qt::AlignHCenter | Qt::AlignTop,
                   titleMetrics.elidedText(caption.title, Qt::ElideMiddle, textWidth));
  top += titleMetrics.lineSpacing();
  painter.setFont(font);
  if (caption.highlighted) {
    painter.setPen(caption.highlighted->colour);
    painter.drawText(
        QRectF(kCaptionMargin, top, textWidth, line), Qt::AlignHCenter | Qt::AlignTop,
        metrics.elidedText(
            toQString(messages::chartImageHighlighted(toProgramText(caption.highlighted->name))),
            Qt::ElideMiddle, textWidth));
    top += line;
  }

  const int curves = static_cast<int>(caption.curves.size());
  const bool legend = curves <= kMostLegendCurves;
  double legendWidth = 0;
  double bottom = page.height();
  if (legend) {
    for (const CaptionedCurve& curve : caption.curves) {
      legendWidth = std::max(legendWidth, metrics.horizontalAdvance(curve.name));
    }
    legendWidth = std::min(kSwatch + 4 + legendWidth + kCaptionMargin, page.width() / 4);
  } else {
    const QString note = toQString(messages::chartImageNoLegend(curves));
    const QRectF box(kCaptionMargin, 0, textWidth, page.height());
    const double height =
        metrics.boundingRect(box, Qt::AlignHCenter | Qt::TextWordWrap, note).height();
    bottom -= height + kCaptionMargin;
    painter.setPen(Qt::black);
    painter.drawText(QRectF(kCaptionMargin, bottom, textWidth, height),
                     Qt::AlignHCenter | Qt::TextWordWrap, note);
  }
  const QRectF graph(0, top, page.width() - legendWidth, bottom - top);
  if (legend) {
    double y = graph.top() + kCaptionMargin;
    const double left = graph.right();
    for (const CaptionedCurve& curve : caption.curves) {
      painter.setPen(QPen(curve.colour, 2));
      painter.drawLine(QPointF(left, y + line / 2), QPointF(left + kSwatch, y + line / 2));
      painter.setPen(Qt::black);
      const double room = page.width() - kCaptionMargin - left - kSwatch - 4;
      painter.drawText(QRectF(left + kSwatch + 4, y, room, line), Qt::AlignLeft | Qt::AlignTop,
                       metrics.elidedText(curve.name, Qt::ElideRight, room));
      y += line;
    }
  }
  painter.restore();
  paintChart(chart, painter, QRectF(graph.topLeft() * scale, graph.size() * scale).toAlignedRect(),
             scale);
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

std::optional<std::string> writePicture(const PictureDrawing& draw, const QString& title,
                                        const QString& file, QSize size, ChartImageKind kind) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (kind == ChartImageKind::Svg) {
    QSvgGenerator picture;
    picture.setOutputDevice(&buffer);
    picture.setSize(size);
    picture.setViewBox(QRect(QPoint(0, 0), size));
    picture.setTitle(title);
    {
      QPainter painter(&picture);
      draw(painter, size);
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
      draw(painter, size);
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

void savePicture(QWidget* parent, const PictureDrawing& draw, const QString& title,
                 const std::filesystem::path& proposed, QSize& size) {
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
  if (const auto failure = writePicture(draw, title, chosen.file, size, chosen.kind)) {
    showMessageBox(parent, messages::chartImageUnwritable(name, *failure));
  }
}

std::optional<std::string> writeChartImage(QChart& chart, const ChartCaption& caption,
                                           const QString& file, QSize size, ChartImageKind kind) {
  return writePicture(
      [&](QPainter& painter, QSize drawn) { paintPicture(chart, caption, painter, drawn); },
      caption.title, file, size, kind);
}

void saveChartImage(QWidget* parent, QChart& chart, const ChartCaption& caption,
                    const std::filesystem::path& proposed, QSize& size) {
  savePicture(
      parent, [&](QPainter& painter, QSize drawn) { paintPicture(chart, caption, painter, drawn); },
      caption.title, proposed, size);
}

}  // namespace granomet
