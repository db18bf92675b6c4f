// The chart as a file: PNG at the screen's density and SVG as vectors, each
// carrying a title and a description of what it shows, every series cut at
// the edges of the plot in both.
#pragma once

#include <QString>

class QChartView;
class QIODevice;

namespace saiha::profile {

// What an exported picture says about itself: its title (<title> in SVG,
// the "Title" text chunk in PNG) and a description of the inputs and models
// (<desc>, "Description").
struct ExportText {
  QString title;
  QString description;
};

// Writes the chart of `view` as it is drawn on the screen.  False when the
// device refuses the data.
bool writePng(QChartView& view, const ExportText& text, QIODevice& out);

// Writes the chart of `view` as SVG.  Qt's SVG writer keeps no clipping, so
// the chart is drawn three times into one document: first without its
// series (background, axes, grid, title, legend), then the series alone
// inside a clip path of the plot area, then the labels of its points.
bool writeSvg(QChartView& view, const ExportText& text, QIODevice& out);

}  // namespace saiha::profile
