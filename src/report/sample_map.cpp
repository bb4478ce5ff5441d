#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "report/lot_charts.h"
#include "report/report_style.h"
#include "report/view_legend.h"
#include "report/view_text.h"
#include "statistics/map_projection.h"

namespace granomet::report {
namespace {

const QColor kLand(236, 236, 236);
const QColor kShore(175, 175, 175);
const QColor kHalo(255, 255, 255, 210);

// A dot's radius and the room between things, in lines of the smallest text.
constexpr double kDotRadius = 0.4;
constexpr double kGapLines = 0.6;
constexpr double kHighlightScale = 1.6;
constexpr double kRingScale = 1.45;

struct Station {
  QPointF at;
  QColor colour;
  QString label;
  QRectF labelBox;
  std::vector<int> samples;
};

QString replaced(const std::string& words, const QString& value) {
  return fromProgramText(words).replace("%1", value);
}

}  // namespace

struct SampleMap::Layout {
  Layout(const LotView& view, const std::vector<GeoPath>& background, MapColouring colouring,
         const LotViewWords& words, const QRectF& area, double textPoints, char decimalMark);

  void layOutList(const LotView& view, const LotViewWords& words);
  void layOutBackground(const std::vector<GeoPath>& background);
  void layOutStations(const LotView& view, MapColouring colouring, const LotViewWords& words);
  void placeLabels();
  double radius() const { return text.units() * kDotRadius * 1.4; }
  // The dot's reach with its ring, where a station stands for several samples.
  double outerRadius(const Station& station, bool highlighted) const {
    return radius() * (highlighted ? kHighlightScale : 1) *
           (station.samples.size() > 1 ? kRingScale : 1);
  }
  QPointF pointOf(GeoPoint place) const {
    const PlanePoint at = projection.planeOf(place);
    return frame.topLeft() + QPointF(at.x, at.y);
  }

  void drawBackground(QPainter& painter) const;
  void drawGraticule(QPainter& painter) const;
  void drawDot(QPainter& painter, const Station& station, bool highlighted) const;
  void drawLabel(QPainter& painter, const Station& station, bool highlighted) const;
  void drawScaleAndNorth(QPainter& painter) const;
  void drawList(QPainter& painter) const;

  ViewText text;
  QFont font;
  QFont boldFont;
  QFontMetricsF metrics;
  QRectF area;
  QRectF frame;
  MapProjection projection;
  Graticule graticule;
  ScaleBar scaleBar;
  QString northLetter;
  QPainterPath land;
  std::vector<QPolygonF> lines;
  std::vector<Station> stations;
  std::vector<int> stationOf;  // by sample, -1 without position
  ViewLegend legend;
  QPointF legendAt;
  QString listHeading;
  QStringList listLines;
  double listTop = 0;
};

SampleMap::Layout::Layout(const LotView& view, const std::vector<GeoPath>& background,
                          MapColouring colouring, const LotViewWords& words, const QRectF& area_,
                          double textPoints, char decimalMark)
    : text(textPoints),
      font(text.font()),
      boldFont(text.font(1, true)),
      metrics(text.metrics(font)),
      area(area_),
      northLetter(fromProgramText(words.northArrow)),
      legend(view, colouring, words, text) {
  const double line = metrics.lineSpacing();
  const double gap = line * kGapLines;
  layOutList(view, words);
  if (view.stations.empty()) {
    // Nothing to place: no map of nowhere, the list alone at the top.
    listTop = area.top();
    stationOf.assign(view.samples.size(), -1);
    return;
  }
  const HemisphereLetters letters{words.north, words.south, words.east, words.west};
  // The parallels' labels at the left, the meridians' under the frame, the legend at the right.
  double labelWidth = 0;
  for (const std::string& letter : {words.north, words.south}) {
    labelWidth =
        std::max(labelWidth, metrics.horizontalAdvance(fromProgramText(
                                 degreesLabel(-88.5 - 0.15, letter, letter) + std::string("00"))));
  }
  const double right = legend.size().width() + gap;
  frame = QRectF(area.left() + labelWidth + gap / 2, area.top() + line / 2,
                 area.width() - labelWidth - gap / 2 - right,
                 listTop - gap - line - area.top() - line / 2);
  frame.setWidth(std::max(frame.width(), 0.0));
  frame.setHeight(std::max(frame.height(), 0.0));
  legendAt = QPointF(frame.right() + gap, frame.top());

  std::vector<GeoPoint> places;
  for (const MapStation& station : view.stations) {
    places.push_back(station.position);
  }
  const double margin = std::max(3 * line, 0.05 * std::min(frame.width(), frame.height()));
  projection = MapProjection::fitted(places, frame.width(), frame.height(), margin);
  graticule = graticuleOf(projection, letters);
  scaleBar = scaleBarOf(projection.unitsPerMetre(), frame.width() / 4, decimalMark, words.metres,
                        words.kilometres);
  layOutBackground(background);
  layOutStations(view, colouring, words);
  placeLabels();
}

void SampleMap::Layout::layOutList(const LotView& view, const LotViewWords& words) {
  listTop = area.bottom();
  if (view.withoutPosition.empty()) {
    return;
  }
  listHeading = fromProgramText(words.withoutPosition);
  QStringList entries;
  for (const int index : view.withoutPosition) {
    const LotViewSample& sample = view.samples[static_cast<std::size_t>(index)];
    entries << fromProgramText(sample.label) + QChar(' ') + fromProgramText(sample.name);
  }
  // Each sample whole on one line where it fits ("19 M-19" is not broken at its hyphen);
  // a name wider than the line wrapped as the report wraps every text.
  const auto fits = [this](const QString& text) {
    return metrics.horizontalAdvance(text + ';') <= area.width();
  };
  QString current;
  for (const QString& entry : entries) {
    if (!current.isEmpty() && fits(current + "; " + entry)) {
      current += "; " + entry;
      continue;
    }
    if (!current.isEmpty()) {
      listLines << current + ';';
    }
    QStringList parts =
        fits(entry) ? QStringList{entry} : wrappedLines(metrics, entry, area.width());
    current = parts.takeLast();
    listLines << parts;
  }
  listLines << current;
  const double line = metrics.lineSpacing();
  // The list takes the room it needs, up to the whole area: nothing is left out.
  listTop = std::max(area.top(), area.bottom() - static_cast<double>(listLines.size() + 1) * line);
}

void SampleMap::Layout::layOutBackground(const std::vector<GeoPath>& background) {
  const double west = projection.west(), east = projection.east();
  const double south = projection.south(), north = projection.north();
  land.setFillRule(Qt::OddEvenFill);
  for (const GeoPath& path : background) {
    if (path.points.size() < 2) {
      continue;
    }
    double w = path.points.front().longitude, e = w;
    double s = path.points.front().latitude, n = s;
    for (const GeoPoint& point : path.points) {
      w = std::min(w, point.longitude);
      e = std::max(e, point.longitude);
      s = std::min(s, point.latitude);
      n = std::max(n, point.latitude);
    }
    if (e < west || w > east || n < south || s > north) {
      continue;
    }
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(path.points.size()));
    for (const GeoPoint& point : path.points) {
      polygon << pointOf(point);
    }
    if (path.closed) {
      land.addPolygon(polygon);
      land.closeSubpath();
    } else {
      lines.push_back(std::move(polygon));
    }
  }
}

void SampleMap::Layout::layOutStations(const LotView& view, MapColouring colouring,
                                       const LotViewWords& words) {
  stationOf.assign(view.samples.size(), -1);
  for (const MapStation& mapStation : view.stations) {
    if (mapStation.samples.empty()) {
      continue;
    }
    const LotViewSample& first = view.samples[static_cast<std::size_t>(mapStation.samples[0])];
    Station station{pointOf(mapStation.position), colourOf(first, colouring),
                    fromProgramText(first.label), QRectF(), mapStation.samples};
    if (mapStation.samples.size() > 1) {
      station.label +=
          QChar(' ') + replaced(words.stationCount, QString::number(mapStation.samples.size()));
    }
    for (const int sample : mapStation.samples) {
      stationOf[static_cast<std::size_t>(sample)] = static_cast<int>(stations.size());
    }
    stations.push_back(std::move(station));
  }
}

// Each label at the first place beside its dot that covers no dot and no label placed
// before it, and stays inside the frame; at its right where there is none.
void SampleMap::Layout::placeLabels() {
  std::vector<QRectF> taken;
  taken.reserve(stations.size() * 2);
  for (const Station& station : stations) {
    const double r = outerRadius(station, false) + radius() * 0.2;
    taken.emplace_back(station.at.x() - r, station.at.y() - r, 2 * r, 2 * r);
  }
  for (std::size_t index = 0; index < stations.size(); ++index) {
    Station& station = stations[index];
    const double r = outerRadius(station, false) + radius() * 0.2;
    const QSizeF size(metrics.horizontalAdvance(station.label), metrics.height());
    const QPointF at = station.at;
    const double h = size.height(), w = size.width();
    const std::array<QPointF, 8> corners{QPointF(at.x() + r, at.y() - h / 2),
                                         QPointF(at.x() - r - w, at.y() - h / 2),
                                         QPointF(at.x() - w / 2, at.y() - r - h),
                                         QPointF(at.x() - w / 2, at.y() + r),
                                         QPointF(at.x() + r * 0.7, at.y() - r * 0.7 - h),
                                         QPointF(at.x() + r * 0.7, at.y() + r * 0.7),
                                         QPointF(at.x() - r * 0.7 - w, at.y() - r * 0.7 - h),
                                         QPointF(at.x() - r * 0.7 - w, at.y() + r * 0.7)};
    station.labelBox = QRectF(corners[0], size);
    for (const QPointF& corner : corners) {
      const QRectF box(corner, size);
      if (!frame.contains(box)) {
        continue;
      }
      // Its own dot is round: the boxes beside it clear it.
      bool free = true;
      for (std::size_t other = 0; other < taken.size() && free; ++other) {
        free = other == index || !taken[other].intersects(box);
      }
      if (free) {
        station.labelBox = box;
        break;
      }
    }
    taken.push_back(station.labelBox);
  }
}

SampleMap::SampleMap(const LotView& view, const std::vector<GeoPath>& background,
                     MapColouring colouring, const LotViewWords& words, const QRectF& area,
                     double textPoints, char decimalMark)
    : layout_(std::make_shared<Layout>(view, background, colouring, words, area, textPoints,
                                       decimalMark)) {}

QRectF SampleMap::frame() const {
  return layout_->frame;
}

std::optional<QPointF> SampleMap::placeOf(GeoPoint position) const {
  const QPointF at = layout_->pointOf(position);
  if (!layout_->frame.contains(at)) {
    return std::nullopt;
  }
  return at;
}

int SampleMap::sampleAt(QPointF position) const {
  const double reach = layout_->radius() * 1.8;
  int found = -1;
  double nearest = reach * reach;
  for (const Station& station : layout_->stations) {
    const QPointF d = station.at - position;
    const double distance = QPointF::dotProduct(d, d);
    if (distance <= nearest) {
      nearest = distance;
      found = station.samples.front();
    }
  }
  return found;
}

void SampleMap::Layout::drawBackground(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (!land.isEmpty()) {
    painter.setPen(QPen(kShore, 0));
    painter.setBrush(kLand);
    painter.drawPath(land);
    painter.setBrush(Qt::NoBrush);
  }
  painter.setPen(QPen(kShore, 0));
  for (const QPolygonF& line : lines) {
    painter.drawPolyline(line);
  }
  painter.setRenderHint(QPainter::Antialiasing, true);
}

void SampleMap::Layout::drawGraticule(QPainter& painter) const {
  const double line = metrics.lineSpacing();
  painter.save();
  painter.setClipRect(frame);
  painter.setPen(QPen(kLightRule, 0));
  for (const GraticuleLine& meridian : graticule.meridians) {
    const double x = pointOf({meridian.degrees, 0}).x();
    painter.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
  }
  for (const GraticuleLine& parallel : graticule.parallels) {
    const double y = pointOf({0, parallel.degrees}).y();
    painter.drawLine(QPointF(frame.left(), y), QPointF(frame.right(), y));
  }
  painter.restore();
  painter.setPen(kGreyInk);
  ViewText::use(painter, font);
  // A label that would overlap the one before it is left out.
  double freeFrom = -1e300;
  for (const GraticuleLine& meridian : graticule.meridians) {
    const QString label = fromProgramText(meridian.label);
    const double x = pointOf({meridian.degrees, 0}).x();
    const double width = metrics.horizontalAdvance(label);
    if (x - width / 2 < freeFrom || x + width / 2 > frame.right() + width / 2) {
      continue;
    }
    drawTextLine(painter, QRectF(x - width / 2, frame.bottom() + line * 0.2, width, line),
                 Qt::AlignLeft, label);
    freeFrom = x + width / 2 + line / 2;
  }
  double freeAbove = 1e300;
  for (const GraticuleLine& parallel : graticule.parallels) {
    const double y = pointOf({0, parallel.degrees}).y();
    if (y + line / 2 > freeAbove) {
      continue;
    }
    drawTextLine(painter,
                 QRectF(area.left(), y - metrics.height() / 2,
                        frame.left() - area.left() - line * 0.2, line),
                 Qt::AlignRight, fromProgramText(parallel.label));
    freeAbove = y - line / 2;
  }
}

void SampleMap::Layout::drawDot(QPainter& painter, const Station& station, bool highlighted) const {
  const double r = radius() * (highlighted ? kHighlightScale : 1);
  painter.setPen(QPen(kInk, highlighted ? r / 4 : r / 6));
  painter.setBrush(station.colour);
  painter.drawEllipse(station.at, r, r);
  if (station.samples.size() > 1) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kInk, r / 6));
    painter.drawEllipse(station.at, r * kRingScale, r * kRingScale);
  }
  painter.setBrush(Qt::NoBrush);
}

void SampleMap::Layout::drawLabel(QPainter& painter, const Station& station,
                                  bool highlighted) const {
  ViewText::use(painter, highlighted ? boldFont : font);
  painter.setPen(kInk);
  // The larger dot pushes its label out, away from the dot's centre.
  QRectF box = station.labelBox;
  if (highlighted) {
    const QPointF away = box.center() - station.at;
    const double length = std::hypot(away.x(), away.y());
    if (length > 0) {
      box.translate(away * (outerRadius(station, true) - outerRadius(station, false)) / length);
    }
  }
  drawTextLine(painter, box, Qt::AlignLeft, station.label);
}

void SampleMap::Layout::drawScaleAndNorth(QPainter& painter) const {
  const double line = metrics.lineSpacing();
  ViewText::use(painter, font);
  if (scaleBar.length > 0) {
    const QPointF start(frame.left() + line, frame.bottom() - line * 0.8);
    const double tick = line * 0.3;
    const double labelWidth = metrics.horizontalAdvance(fromProgramText(scaleBar.label));
    painter.fillRect(
        QRectF(start.x() - line * 0.4, start.y() - line * 1.3 - tick,
               std::max(scaleBar.length, labelWidth) + line * 0.8, line * 1.3 + tick * 2),
        kHalo);
    painter.setPen(QPen(kInk, line * 0.08));
    painter.drawLine(start, start + QPointF(scaleBar.length, 0));
    painter.drawLine(start + QPointF(0, -tick), start + QPointF(0, tick));
    painter.drawLine(start + QPointF(scaleBar.length, -tick),
                     start + QPointF(scaleBar.length, tick));
    drawTextLine(painter, QRectF(start.x(), start.y() - line * 1.2, scaleBar.length, line),
                 scaleBar.length >= labelWidth ? Qt::AlignHCenter : Qt::AlignLeft,
                 fromProgramText(scaleBar.label));
  }
  // The north arrow: a half-filled spike under its letter, at the top right.
  const double height = line * 2;
  const QPointF tip(frame.right() - line * 1.2, frame.top() + line * 1.4);
  QPolygonF left, right;
  left << tip << tip + QPointF(-height / 3, height) << tip + QPointF(0, height * 0.75);
  right << tip << tip + QPointF(height / 3, height) << tip + QPointF(0, height * 0.75);
  painter.setPen(QPen(kInk, line * 0.06));
  painter.setBrush(kInk);
  painter.drawPolygon(left);
  painter.setBrush(Qt::white);
  painter.drawPolygon(right);
  painter.setBrush(Qt::NoBrush);
  ViewText::use(painter, boldFont);
  drawTextLine(painter, QRectF(tip.x() - line, tip.y() - line * 1.2, 2 * line, line),
               Qt::AlignHCenter, northLetter);
}

void SampleMap::Layout::drawList(QPainter& painter) const {
  if (listLines.isEmpty()) {
    return;
  }
  const double line = metrics.lineSpacing();
  painter.setPen(kInk);
  ViewText::use(painter, boldFont);
  drawTextLine(painter, QRectF(area.left(), listTop, area.width(), line), Qt::AlignLeft,
               listHeading);
  ViewText::use(painter, font);
  double y = listTop + line;
  for (const QString& text : listLines) {
    drawTextLine(painter, QRectF(area.left(), y, area.width(), line), Qt::AlignLeft, text);
    y += line;
  }
}

void SampleMap::draw(QPainter& painter, int highlighted) const {
  const Layout& layout = *layout_;
  painter.save();
  if (layout.frame.height() > 0 && layout.frame.width() > 0) {
    painter.fillRect(layout.frame, Qt::white);
    painter.save();
    painter.setClipRect(layout.frame);
    layout.drawBackground(painter);
    painter.restore();
    layout.drawGraticule(painter);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const int special =
        highlighted >= 0 && static_cast<std::size_t>(highlighted) < layout.stationOf.size()
            ? layout.stationOf[static_cast<std::size_t>(highlighted)]
            : -1;
    // The labels under the dots: where a label could not help covering a dot, the dot
    // stays whole. The highlighted station over everything.
    for (std::size_t i = 0; i < layout.stations.size(); ++i) {
      if (static_cast<int>(i) != special) {
        layout.drawLabel(painter, layout.stations[i], false);
      }
    }
    for (std::size_t i = 0; i < layout.stations.size(); ++i) {
      if (static_cast<int>(i) != special) {
        layout.drawDot(painter, layout.stations[i], false);
      }
    }
    if (special >= 0) {
      const Station& station = layout.stations[static_cast<std::size_t>(special)];
      layout.drawDot(painter, station, true);
      layout.drawLabel(painter, station, true);
    }
    layout.drawScaleAndNorth(painter);
    painter.setPen(QPen(kInk, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(layout.frame);
    layout.legend.draw(painter, layout.legendAt);
  }
  layout.drawList(painter);
  painter.restore();
}

}  // namespace granomet::report
