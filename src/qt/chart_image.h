// Saving the graph as a PNG or SVG picture of a size the user chooses.
#pragma once

#include <QChart>
#include <QColor>
#include <QPainter>
#include <QSize>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace granomet {

enum class ChartImageKind { Png, Svg };

inline constexpr QSize kDefaultChartImageSize{1600, 1000};

// A curve's sample as the picture's legend gives it.
struct CaptionedCurve {
  QString name;
  QColor colour;
};

// What the picture says beside the graph, which has no words of its own for it: its
// title (the lot, the results file), the sample drawn wider, if any, and each
// curve's sample, in the order drawn.
struct ChartCaption {
  QString title;
  std::optional<CaptionedCurve> highlighted;
  std::vector<CaptionedCurve> curves;
};

// Up to so many curves the picture has a legend; beyond, their names could not be
// read, and a note says how many curves it holds instead.
inline constexpr int kMostLegendCurves = 20;

// The picture's proposed name: beside the results file, its stem and "_grafico.png".
std::filesystem::path proposedChartImage(const std::filesystem::path& results);

// What a saved picture shows, drawn by the painter at `size` pixels (a PNG's ground is white).
using PictureDrawing = std::function<void(QPainter& painter, QSize size)>;

// Draws the picture at `size` pixels into the file (an SVG titled `title`), written whole
// as writeWholeFile writes it: a failure leaves any earlier file as it was, a replaced
// file keeps its protection and a read-only one is refused. Returns nullopt when
// written, else the cause in the program's 8-bit text.
std::optional<std::string> writePicture(const PictureDrawing& draw, const QString& title,
                                        const QString& file, QSize size, ChartImageKind kind);

// Asks for the file (PNG or SVG, proposed: the given name), whether to replace an
// existing one (No is the default) and the size, starting from `size`, which keeps
// the size chosen for the next time; then writes the picture and reports a failure.
void savePicture(QWidget* parent, const PictureDrawing& draw, const QString& title,
                 const std::filesystem::path& proposed, QSize& size);

// Draws the chart with its caption at `size` pixels into the file, written whole as writeWholeFile
// writes it: a failure leaves any earlier file as it was, a replaced file keeps its
// protection and a read-only one is refused.
// Returns nullopt when written, else the cause in the program's 8-bit text.
std::optional<std::string> writeChartImage(QChart& chart, const ChartCaption& caption,
                                           const QString& file, QSize size, ChartImageKind kind);

// Asks for the file (PNG or SVG, proposed: the given name), whether to replace an
// existing one (No is the default) and the size, starting from `size`, which keeps
// the size chosen for the next time; then writes the picture and reports a failure.
void saveChartImage(QWidget* parent, QChart& chart, const ChartCaption& caption,
                    const std::filesystem::path& proposed, QSize& size);

}  // namespace granomet
