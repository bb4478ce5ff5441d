// Pictures of the lot's views drawn from a made-up lot, as the window draws them (pixels) and as
// the report does (an A4 page in points): granomet-lot-pictures DIR.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <string>

#include "offscreen_arguments.h"
#include "report/lot_charts.h"
#include "report/lot_pages.h"
#include "report/report_style.h"
#include "samplegen/synthetic_lot.h"

using namespace granomet;

namespace {

bool save(QImage& image, const std::string& folder, const char* name) {
  const std::string path = folder + "/" + name + ".png";
  if (!image.save(QString::fromStdString(path))) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

QImage blank(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  tools::OffscreenArguments arguments(argc, argv);
  QGuiApplication application(arguments.count(), arguments.values());
  if (argc != 2) {
    std::fprintf(stderr, "usage: granomet-lot-pictures DIR\n");
    return 2;
  }
  const std::string folder = argv[1];
  const LotView view = tools::syntheticLotView({});
  const auto coastline = tools::syntheticCoastline(3000, 100);
  const LotViewWords words = lotViewWords();
  bool saved = true;
  const QRectF area(10, 10, 980, 680);
  const std::pair<MapColouring, const char*> colourings[]{{MapColouring::Shepard, "mapa_shepard"},
                                                          {MapColouring::Folk, "mapa_folk"},
                                                          {MapColouring::Mean, "mapa_media"}};
  for (const auto& [colouring, name] : colourings) {
    QImage image = blank(1000, 700);
    QPainter painter(&image);
    report::SampleMap(view, coastline, colouring, words, area, 12, ',').draw(painter, 5);
    painter.end();
    saved = save(image, folder, name) && saved;
  }
  {
    QImage image = blank(1000, 1100);
    QPainter painter(&image);
    report::BivariatePlot(view, report::BivariateKind::MeanSorting, MapColouring::Shepard, words,
                          QRectF(10, 10, 980, 530), 12, ',')
        .draw(painter, 5);
    report::BivariatePlot(view, report::BivariateKind::SortingSkewness, MapColouring::Shepard,
                          words, QRectF(10, 560, 980, 530), 12, ',')
        .draw(painter, 5);
    painter.end();
    saved = save(image, folder, "bivariantes") && saved;
  }
  for (std::size_t i = 0; i < view.cores.size(); ++i) {
    QImage image = blank(1000, 700);
    QPainter painter(&image);
    report::DepthProfile(view, view.cores[i], words, area, 12, ',')
        .draw(painter, view.cores[i].levels[1].sample);
    painter.end();
    saved = save(image, folder, ("perfil_" + std::to_string(i + 1)).c_str()) && saved;
  }
  // The report's pages of the lot, on A4 as the report draws them.
  {
    Report content;
    content.decimalMark = ',';
    content.lot = view;
    content.lotWords = words;
    content.mapBackground = coastline;
    ReportTable table{"Medidas de Folk y Ward", {"N\xBA", "Muestra", "Media", "Selecci\xF3n"}, {}};
    for (const LotViewSample& sample : view.samples) {
      table.rows.push_back({sample.label, sample.name, std::to_string(*sample.meanPhi),
                            std::to_string(*sample.sortingPhi)});
    }
    content.lotSummary = {table, table};
    const std::string path = folder + "/lote.pdf";
    QPdfWriter writer(QString::fromStdString(path));
    std::printf("%d pages in %s\n", report::drawLotPagesAlone(content, writer), path.c_str());
  }
  return saved ? 0 : 1;
}
