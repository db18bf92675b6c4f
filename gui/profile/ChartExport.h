// The profile chart as a file for a report: PNG, SVG or PDF at a size and
// density of the user's choice, drawn off the screen whatever the window's
// size, each carrying a title and a description of what it shows, every
// series cut at the edges of its plot.
#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>

class QIODevice;

namespace saiha::profile {

class ProfileChart;

// What an exported picture says about itself: its title (<title> in SVG,
// the "Title" text chunk in PNG, the PDF's title) and a description of the
// inputs and models (<desc>, "Description", the PDF's subject).
struct ExportText {
  QString title;
  QString description;
};

// The picture's size in pixels and its density.  The chart is laid out at
// the size the picture has at 96 dpi, so that text keeps its size on paper
// (at 300 dpi a picture of 2480 px is laid out on 794 and drawn 3.125
// times as large).
struct ExportSize {
  QSize pixels{1600, 1000};
  int dpi = 96;
  double scale() const { return dpi > 0 ? dpi / 96.0 : 1.0; }
  QSizeF layout() const { return QSizeF(pixels) / scale(); }
  bool valid() const;
};

// What was drawn: the legend's entries and how many of them lie whole in
// the picture.
struct ExportDrawn {
  bool ok = false;
  int legendEntries = 0;
  int legendEntriesInside = 0;
};

// PNG of exactly size.pixels, its density recorded.
ExportDrawn writePng(ProfileChart& chart, const ExportText& text, const ExportSize& size,
                     QIODevice& out);

// SVG of size.pixels.  Qt's SVG writer keeps no clipping, so the charts are
// drawn in passes into one document: first without their series
// (background, axes, grid, title, legend), then each plot's series alone
// inside a clip path of its plot area, then the labels of their points.
ExportDrawn writeSvg(ProfileChart& chart, const ExportText& text, const ExportSize& size,
                     QIODevice& out);

// PDF, one page of size.pixels at size.dpi.
ExportDrawn writePdf(ProfileChart& chart, const ExportText& text, const ExportSize& size,
                     QIODevice& out);

}  // namespace saiha::profile
