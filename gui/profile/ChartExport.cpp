#include "gui/profile/ChartExport.h"

#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QBuffer>
#include <QChart>
#include <QGraphicsScene>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <vector>

#include "gui/profile/Callout.h"
#include "gui/profile/ChartLegend.h"
#include "gui/profile/ProfileChart.h"

namespace saiha::profile {

namespace {

// The largest picture accepted: 20 000 px a side, 200 megapixels.
constexpr int kMaxSide = 20000;
constexpr qint64 kMaxPixels = 200'000'000;

ExportDrawn drawnOf(const ProfileChart::Drawn& drawn) {
  return {true, drawn.entries, drawn.entriesInside};
}

// The SVG of one drawing of the charts at `size` (nothing but what is
// visible now); `between` runs once they are laid out at that size.
QByteArray drawSvg(ProfileChart& chart, const ExportText& text, const ExportSize& size,
                   ProfileChart::Drawn* drawn = nullptr,
                   const std::function<void(const QRectF&)>& between = {}) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size.pixels);
  svg.setViewBox(QRect(QPoint(0, 0), size.pixels));
  svg.setResolution(size.dpi);
  svg.setTitle(text.title);
  svg.setDescription(text.description);
  QPainter painter;
  if (!painter.begin(&svg)) return {};
  painter.scale(size.scale(), size.scale());
  const ProfileChart::Drawn d = chart.renderAt(&painter, size.layout(), between);
  if (drawn) *drawn = d;
  if (!painter.end()) return {};
  return buffer.data();
}

// What lies between the opening <svg ...> tag (and its title and
// description) and the closing </svg>.
QByteArray svgBody(const QByteArray& svg) {
  qsizetype start = svg.indexOf("<svg");
  start = start < 0 ? -1 : svg.indexOf('>', start);
  const qsizetype desc = svg.indexOf("</desc>");
  if (desc > start) start = desc + qsizetype(sizeof("</desc>")) - 2;
  const qsizetype end = svg.lastIndexOf("</svg>");
  if (start < 0 || end <= start) return {};
  return svg.mid(start + 1, end - start - 1);
}

QByteArray number(double value) { return QByteArray::number(value, 'f', 2); }

}  // namespace

bool ExportSize::valid() const {
  return dpi >= 24 && dpi <= 2400 && pixels.width() >= 100 && pixels.height() >= 100 &&
         pixels.width() <= kMaxSide && pixels.height() <= kMaxSide &&
         qint64(pixels.width()) * pixels.height() <= kMaxPixels;
}

ExportDrawn writePng(ProfileChart& chart, const ExportText& text, const ExportSize& size,
                     QIODevice& out) {
  if (!size.valid()) return {};
  QImage image(size.pixels, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return {};
  image.fill(Qt::white);
  // Dots per metre: the density a report's program places the picture at.
  const int dotsPerMetre = int(std::lround(size.dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  ProfileChart::Drawn drawn;
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size.scale(), size.scale());
    drawn = chart.renderAt(&painter, size.layout());
  }
  image.setText(QStringLiteral("Title"), text.title);
  image.setText(QStringLiteral("Description"), text.description);
  image.setText(QStringLiteral("Software"), QStringLiteral("saiha"));
  if (!image.save(&out, "PNG")) return {};
  return drawnOf(drawn);
}

ExportDrawn writeSvg(ProfileChart& chart, const ExportText& text, const ExportSize& size,
                     QIODevice& out) {
  if (!size.valid()) return {};
  const std::array<QChart*, 3> charts = chart.charts();
  std::vector<QAbstractSeries*> series;
  std::vector<qreal> opacity;
  for (QChart* c : charts) {
    for (QAbstractSeries* s : c->series()) {
      series.push_back(s);
      opacity.push_back(s->opacity());
    }
  }
  const auto restoreOpacity = [&] {
    for (std::size_t i = 0; i < series.size(); ++i) series[i]->setOpacity(opacity[i]);
  };
  // The labels of the points are drawn last, over the curves as on the
  // screen and not clipped: they stand beside the plot's edge at times.
  // Which are shown is only known once laid out at the picture's size.
  std::vector<Callout*> labels;
  const auto findLabels = [&](const QRectF&) {
    labels.clear();
    for (QGraphicsItem* item : chart.scene()->items()) {
      if (auto* label = dynamic_cast<Callout*>(item); label && label->isVisible()) {
        labels.push_back(label);
      }
    }
    for (Callout* label : labels) label->setVisible(false);
  };

  // Everything but the series: transparent, they are not drawn, while the
  // legend still shows their entries.
  for (QAbstractSeries* s : series) s->setOpacity(0);
  ProfileChart::Drawn drawn;
  const QByteArray frame = drawSvg(chart, text, size, &drawn, findLabels);
  for (Callout* label : labels) label->setVisible(true);

  // Then each plot's series alone, on a transparent ground, and the plot
  // area it is clipped to (in the picture's pixels).
  // The title is drawn in no colour rather than taken away: its space keeps
  // the first plot where it is.
  std::vector<QBrush> titles;
  std::vector<bool> backgrounds, axes;
  for (QChart* c : charts) {
    titles.push_back(c->titleBrush());
    backgrounds.push_back(c->isBackgroundVisible());
    c->setTitleBrush(QBrush(Qt::transparent));
    c->setBackgroundVisible(false);
    for (QAbstractAxis* axis : c->axes()) {
      axes.push_back(axis->isVisible());
      axis->setVisible(false);
    }
  }
  chart.legend().setVisible(false);
  QByteArray clipped;
  for (std::size_t k = 0; k < charts.size(); ++k) {
    QRectF plot;
    const auto only = [&](const QRectF&) {
      for (QChart* c : charts) {
        for (QAbstractSeries* s : c->series()) s->setOpacity(0);
      }
      for (QAbstractSeries* s : charts[k]->series()) {
        s->setOpacity(opacity[std::size_t(std::find(series.begin(), series.end(), s) - series.begin())]);
      }
      for (QGraphicsItem* item : chart.scene()->items()) {
        if (auto* label = dynamic_cast<Callout*>(item)) label->setVisible(false);
      }
      plot = charts[k]->mapRectToScene(charts[k]->plotArea());
    };
    const QByteArray curves = svgBody(drawSvg(chart, {}, size, nullptr, only));
    const QRectF clip(plot.topLeft() * size.scale(), plot.size() * size.scale());
    const QByteArray id = k == 0 ? QByteArray("plotArea") : "plotArea" + QByteArray::number(k + 1);
    clipped += "<clipPath id=\"" + id + "\"><rect x=\"" + number(clip.x()) + "\" y=\"" +
               number(clip.y()) + "\" width=\"" + number(clip.width()) + "\" height=\"" +
               number(clip.height()) + "\"/></clipPath>\n<g clip-path=\"url(#" + id + ")\">" +
               curves + "</g>\n";
  }
  // The labels alone.
  for (QAbstractSeries* s : series) s->setOpacity(0);
  const auto labelsOnly = [&](const QRectF&) {
    for (QGraphicsItem* item : chart.scene()->items()) {
      if (auto* label = dynamic_cast<Callout*>(item)) {
        label->setVisible(std::find(labels.begin(), labels.end(), label) != labels.end());
      }
    }
  };
  const QByteArray callouts =
      labels.empty() ? QByteArray() : svgBody(drawSvg(chart, {}, size, nullptr, labelsOnly));

  restoreOpacity();
  std::size_t a = 0;
  for (std::size_t k = 0; k < charts.size(); ++k) {
    charts[k]->setTitleBrush(titles[k]);
    charts[k]->setBackgroundVisible(backgrounds[k]);
    for (QAbstractAxis* axis : charts[k]->axes()) axis->setVisible(axes[a++]);
  }
  chart.legend().setVisible(true);

  const qsizetype end = frame.lastIndexOf("</svg>");
  if (end < 0 || clipped.isEmpty()) return {};
  const QByteArray document = frame.left(end) + clipped + callouts + frame.mid(end);
  if (out.write(document) != document.size()) return {};
  return drawnOf(drawn);
}

ExportDrawn writePdf(ProfileChart& chart, const ExportText& text, const ExportSize& size,
                     QIODevice& out) {
  if (!size.valid()) return {};
  QPdfWriter pdf(&out);
  pdf.setResolution(size.dpi);
  pdf.setTitle(text.title + QStringLiteral(" — ") + text.description.section(QLatin1Char('\n'), 0, 0));
  pdf.setCreator(QStringLiteral("saiha"));
  const QSizeF inches = QSizeF(size.pixels) / double(size.dpi);
  pdf.setPageSize(QPageSize(inches * 72.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter;
  if (!painter.begin(&pdf)) return {};
  // The page in the writer's dots, at size.dpi.
  const double scale = pdf.width() / size.layout().width();
  painter.scale(scale, scale);
  const ProfileChart::Drawn drawn = chart.renderAt(&painter, size.layout());
  if (!painter.end()) return {};
  return drawnOf(drawn);
}

}  // namespace saiha::profile
