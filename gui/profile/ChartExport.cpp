#include "gui/profile/ChartExport.h"

#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLegend>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <vector>

#include "gui/profile/Callout.h"

namespace saiha::profile {

namespace {

// The SVG of one drawing of `view` (nothing but what is visible now).
QByteArray drawSvg(QChartView& view, const ExportText& text) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(view.size());
  svg.setViewBox(QRect(QPoint(0, 0), view.size()));
  svg.setTitle(text.title);
  svg.setDescription(text.description);
  QPainter painter;
  if (!painter.begin(&svg)) return {};
  view.render(&painter, QRectF(), view.viewport()->rect());
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

bool writePng(QChartView& view, const ExportText& text, QIODevice& out) {
  QImage image = view.grab().toImage();
  image.setText(QStringLiteral("Title"), text.title);
  image.setText(QStringLiteral("Description"), text.description);
  image.setText(QStringLiteral("Software"), QStringLiteral("saiha"));
  return image.save(&out, "PNG");
}

bool writeSvg(QChartView& view, const ExportText& text, QIODevice& out) {
  QChart* chart = view.chart();
  // Both drawings keep the plot where it is now, whatever is hidden.
  const QRectF plot = chart->plotArea();
  chart->setPlotArea(plot);
  const QList<QAbstractSeries*> series = chart->series();
  std::vector<qreal> opacity;
  for (QAbstractSeries* s : series) opacity.push_back(s->opacity());

  // The labels of the points are drawn last, over the curves as on the
  // screen and not clipped: they stand beside the plot's edge at times.
  std::vector<Callout*> labels;
  for (QGraphicsItem* item : view.scene()->items()) {
    if (auto* label = dynamic_cast<Callout*>(item); label && label->isVisible()) {
      labels.push_back(label);
    }
  }

  // Everything but the series: transparent, they are not drawn, while the
  // legend still shows their entries (a hidden series loses its entry).
  for (QAbstractSeries* s : series) s->setOpacity(0);
  for (Callout* label : labels) label->setVisible(false);
  const QByteArray frame = drawSvg(view, text);

  // The series alone, on a transparent ground; then the labels alone.
  for (std::size_t i = 0; i < opacity.size(); ++i) series[qsizetype(i)]->setOpacity(opacity[i]);
  const QString title = chart->title();
  const bool background = chart->isBackgroundVisible();
  const bool legend = chart->legend()->isVisible();
  std::vector<bool> axes;
  for (QAbstractAxis* axis : chart->axes()) {
    axes.push_back(axis->isVisible());
    axis->setVisible(false);
  }
  chart->setTitle(QString());
  chart->setBackgroundVisible(false);
  chart->legend()->setVisible(false);
  const QByteArray curves = svgBody(drawSvg(view, {}));
  for (QAbstractSeries* s : series) s->setOpacity(0);
  for (Callout* label : labels) label->setVisible(true);
  const QByteArray callouts = labels.empty() ? QByteArray() : svgBody(drawSvg(view, {}));
  for (std::size_t i = 0; i < opacity.size(); ++i) series[qsizetype(i)]->setOpacity(opacity[i]);

  chart->setTitle(title);
  chart->setBackgroundVisible(background);
  chart->legend()->setVisible(legend);
  std::size_t a = 0;
  for (QAbstractAxis* axis : chart->axes()) axis->setVisible(axes[a++]);
  chart->setPlotArea(QRectF());  // back to the chart's own layout

  const qsizetype end = frame.lastIndexOf("</svg>");
  if (end < 0 || curves.isEmpty()) return false;
  // The plot area in the view's coordinates (the chart may sit off its
  // origin in the scene).
  const QRectF clip = view.mapFromScene(chart->mapToScene(plot)).boundingRect();
  const QByteArray clipped =
      "<clipPath id=\"plotArea\"><rect x=\"" + number(clip.x()) + "\" y=\"" + number(clip.y()) +
      "\" width=\"" + number(clip.width()) + "\" height=\"" + number(clip.height()) +
      "\"/></clipPath>\n<g clip-path=\"url(#plotArea)\">" + curves + "</g>\n" + callouts;
  const QByteArray document = frame.left(end) + clipped + frame.mid(end);
  return out.write(document) == document.size();
}

}  // namespace saiha::profile
