#include "gui/profile/ProfileChart.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QGraphicsItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "runtime/text.h"
#include "gui/language.h"
#include "gui/profile/Callout.h"
#include "gui/style.h"
#include "report/shoreline_table.h"
#include "shore/reference.h"

namespace saiha::profile {

namespace palette = gui::palette;

namespace {

// A curve with nothing to draw.
const std::vector<shore::Station> kNoStations;

QString metres(float value) { return QString::fromStdString(rt::formatResult(value)); }

// "h = 2.07 m, H = 1.71 m": a marked point's depth and height as the sheet
// writes them.
QString depthAndHeight(const shore::State& state) {
  return QStringLiteral("h = %1 m, H = %2 m").arg(metres(state.h), metres(state.H));
}

void hideFromLegend(QChart* chart, QAbstractSeries* series) {
  for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

// Round axis ends and tick count for the values lo..hi, found on a detached
// axis so that the chart's own axis changes once (each change lays out its
// labels and every series on it again).
struct NiceRange {
  double min, max;
  int ticks;
  double step() const { return (max - min) / std::max(1, ticks - 1); }
};
NiceRange niceRange(double lo, double hi, int ticks) {
  QValueAxis scratch;
  scratch.setRange(lo, hi);
  scratch.setTickCount(ticks);
  scratch.applyNiceNumbers();
  return {scratch.min(), scratch.max(), scratch.tickCount()};
}

void setNiceRange(QValueAxis* axis, const NiceRange& range) {
  if (axis->tickCount() != range.ticks) axis->setTickCount(range.ticks);
  axis->setRange(range.min, range.max);
}

// The seabed takes the lower part of the plot: its depth axis runs from
// above the water (hidden by leaving those values unlabelled) down to the
// deepest station, so that still water lies this far down the plot.
constexpr double kSurfaceAt = 0.62;

}  // namespace

ProfileChart::ProfileChart(QWidget* parent) : QChartView(parent) {
  setObjectName(QStringLiteral("profileChart"));
  setRenderHint(QPainter::Antialiasing);
  setMouseTracking(true);
  auto* chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->setFont(gui::sheetFont(12, false));
  chart->setTitleFont(gui::sheetFont(13, true));
  chart->legend()->setAlignment(Qt::AlignBottom);
  // Each entry drawn as its series is: a line in its pen (dashes and dots
  // tell the shoaling rules apart), a marker in its shape.
  chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  chart->legend()->setFont(gui::sheetFont(12, false));
  chart->setMargins(QMargins(6, 6, 6, 6));
  setChart(chart);

  const auto styled = [](QAbstractAxis* axis, const QString& title) {
    axis->setTitleText(title);
    axis->setTitleFont(gui::sheetFont(12, true));
    axis->setLabelsFont(gui::sheetFont(11, false));
  };
  xAxis_ = new QValueAxis;
  xAxis_->setReverse(true);  // x grows seaward: sea on the left, shore on the right
  xAxis_->setLabelFormat(QStringLiteral("%.0f"));
  xAxis_->setTickType(QValueAxis::TicksDynamic);
  xAxis_->setTickAnchor(0);
  styled(xAxis_, tr("沖 ←　汀線からの距離 x (m)　→ 岸"));
  heightAxis_ = new QValueAxis;
  styled(heightAxis_, tr("波高 H (m)"));
  depthAxis_ = new QCategoryAxis;
  depthAxis_->setReverse(true);  // depth grows downward
  depthAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  depthAxis_->setGridLineVisible(false);
  depthAxis_->setLineVisible(false);
  styled(depthAxis_, QString());
  secondaryAxis_ = new QValueAxis;
  secondaryAxis_->setGridLineVisible(false);
  styled(secondaryAxis_, QString());
  secondaryAxis_->setTitleBrush(palette::kSecondary.darker(120));
  secondaryAxis_->setLabelsColor(palette::kSecondary.darker(120));
  chart->addAxis(xAxis_, Qt::AlignBottom);
  chart->addAxis(heightAxis_, Qt::AlignLeft);
  chart->addAxis(depthAxis_, Qt::AlignLeft);
  chart->addAxis(secondaryAxis_, Qt::AlignRight);

  // Back to front: water and seabed, then the lines and markers.
  surface_ = new QLineSeries(this);
  seabed_ = new QLineSeries(this);
  auto* waterBottom = new QLineSeries(this);
  water_ = new QAreaSeries(surface_, waterBottom);
  water_->setName(tr("水"));
  water_->setBrush(palette::kWater);
  water_->setPen(QPen(QColor(0x5d, 0x9c, 0xd6), 1));
  axisBottom_ = new QLineSeries(this);
  sand_ = new QAreaSeries(seabed_, axisBottom_);
  sand_->setName(tr("海底"));
  sand_->setBrush(palette::kSand);
  sand_->setPen(QPen(palette::kSandEdge, 1.5));
  for (QAreaSeries* area : {water_, sand_}) {
    chart->addSeries(area);
    area->attachAxis(xAxis_);
    area->attachAxis(depthAxis_);
  }
  hideFromLegend(chart, water_);
  // The water's lower edge follows the seabed, up to the still-water
  // shoreline: the beach above it is dry.
  connect(seabed_, &QXYSeries::pointsReplaced, waterBottom, [this, waterBottom] {
    QList<QPointF> wet = seabed_->points();
    wet.removeIf([](const QPointF& p) { return p.x() < 0; });
    waterBottom->replace(wet);
  });

  QPen guide(QColor(0x80, 0x80, 0x80), 1, Qt::DashLine);
  onsetLine_ = newLine(QString(), guide, false);
  breakingLine_ = newLine(QString(), guide, false);
  chosenLine_ = newLine(QString(), QPen(palette::kChosen, 1.5, Qt::DashDotLine), true);
  meanLevel_ = newLine(tr("平均水位（ウェーブセットアップ）"), QPen(palette::kMeanLevel, 2), true);
  limit_ = newLine(tr("砕波限界波高"), QPen(palette::kLimit, 1.5, Qt::DashLine), false);
  ursell_ =
      newLine(tr("アーセル数 50 の波高"), QPen(palette::kUrsell, 1.5, Qt::DotLine), false);
  secondary_ = new QLineSeries(this);
  secondary_->setPen(QPen(palette::kSecondary, 1.5));
  chart->addSeries(secondary_);
  secondary_->attachAxis(xAxis_);
  secondary_->attachAxis(secondaryAxis_);

  addHeightCurve(tr("波高 H"), palette::kHeight);
  onset_ = newMarker(tr("非線形浅水変形の開始点"), palette::kOnset,
                     QScatterSeries::MarkerShapeTriangle, false);
  chosen_ = newMarker(tr("指定水深"), palette::kChosen,
                      QScatterSeries::MarkerShapeRotatedRectangle, true);
  failed_ = newMarker(tr("計算できない地点"), QColor(Qt::red),
                      QScatterSeries::MarkerShapeRectangle, true);
  meanShore_ = newMarker(tr("平均汀線"), palette::kMeanLevel,
                         QScatterSeries::MarkerShapeCircle, true);
  meanShore_->setMarkerSize(8);
  runup_ = newMarker(tr("遡上高 R2%"), palette::kRunup,
                     QScatterSeries::MarkerShapeTriangle, true);
  hover_ = newMarker(QString(), QColor(Qt::black), QScatterSeries::MarkerShapeCircle, false);
  hover_->setMarkerSize(7);
  hover_->setBrush(Qt::NoBrush);
  hover_->setPen(QPen(Qt::black, 1.5));
  for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*>{
           onsetLine_, breakingLine_, chosenLine_, onset_, chosen_, hover_, meanShore_, runup_}) {
    hideFromLegend(chart, series);
  }

  onsetLabel_ = new Callout(chart, onset_, palette::kOnset, Callout::Side::Below);
  chosenLabel_ = new Callout(chart, chosen_, palette::kChosen, Callout::Side::Below);
  meanShoreLabel_ = new Callout(chart, meanShore_, palette::kMeanLevel, Callout::Side::Above);
  runupLabel_ = new Callout(chart, runup_, palette::kRunup, Callout::Side::Above);
  connect(chart, &QChart::plotAreaChanged, this, [this] {
    setXTicks(xAxis_->max());
    placeLabels();
  });

  setQuantity(quantity_);
  clearProfile();
}

void ProfileChart::placeLabels() {
  // The onset and the chosen depth keep their places; the breaking points'
  // labels, the wave of the calculation window first, step aside.
  std::vector<QRectF> taken;
  for (Callout* label : {onsetLabel_, chosenLabel_, runupLabel_, meanShoreLabel_}) {
    label->place();
    label->settle(taken);
  }
  for (const HeightCurve& curve : curves_) {
    curve.label->place();
    curve.label->settle(taken);
  }
}

QLineSeries* ProfileChart::newLine(const QString& name, const QPen& pen, bool onDepthAxis) {
  auto* line = new QLineSeries(this);
  line->setName(name);
  line->setPen(pen);
  chart()->addSeries(line);
  line->attachAxis(xAxis_);
  line->attachAxis(onDepthAxis ? static_cast<QAbstractAxis*>(depthAxis_) : heightAxis_);
  return line;
}

QScatterSeries* ProfileChart::newMarker(const QString& name, const QColor& color,
                                        QScatterSeries::MarkerShape shape, bool onDepthAxis) {
  auto* marker = new QScatterSeries(this);
  marker->setName(name);
  marker->setMarkerShape(shape);
  marker->setMarkerSize(11);
  marker->setColor(color);
  marker->setBorderColor(color.darker(140));
  chart()->addSeries(marker);
  marker->attachAxis(xAxis_);
  marker->attachAxis(onDepthAxis ? static_cast<QAbstractAxis*>(depthAxis_) : heightAxis_);
  return marker;
}

int ProfileChart::addHeightCurve(const QString& name, const QColor& color, Qt::PenStyle style,
                                 QScatterSeries::MarkerShape shape) {
  HeightCurve curve;
  curve.name = name;
  curve.color = color;
  curve.style = style;
  curve.segments.push_back(newLine(name, QPen(color, 2.5, style), false));
  curve.breaking =
      newMarker(curves_.empty() ? tr("砕波点") : tr("%1 の砕波点").arg(name),
                color, shape, false);
  if (shape != QScatterSeries::MarkerShapeCircle) curve.breaking->setMarkerSize(10);
  hideFromLegend(chart(), curve.breaking);
  curve.label = new Callout(chart(), curve.breaking, color, Callout::Side::Above, style);
  curves_.push_back(curve);
  if (curves_.size() > 1) raiseWave();
  return static_cast<int>(curves_.size()) - 1;
}

// Series are drawn in the order they were added.  The calculation window's
// wave is added again after a new curve, so that where the curves coincide
// (seaward of breaking, under the same shoaling) it is the one seen; the
// markers go on top of every line.  Their legend entries move to the end.
void ProfileChart::raiseWave() {
  const auto raise = [this](QAbstractSeries* series, bool inLegend) {
    chart()->removeSeries(series);
    chart()->addSeries(series);
    series->attachAxis(xAxis_);
    series->attachAxis(heightAxis_);
    if (!inLegend) hideFromLegend(chart(), series);
  };
  HeightCurve& wave = curves_.front();
  for (std::size_t i = 0; i < wave.segments.size(); ++i) {
    raise(wave.segments[i], i == 0 && wave.inLegend);
  }
  for (std::size_t i = curves_.size(); i-- > 0;) raise(curves_[i].breaking, false);
  raise(onset_, false);
  raise(hover_, false);
}

void ProfileChart::setHeightCurveName(int index, const QString& name) {
  HeightCurve& curve = curves_.at(std::size_t(index));
  if (curve.name == name) return;
  curve.name = name;
  for (QLineSeries* segment : curve.segments) segment->setName(name);
}

void ProfileChart::setHeightCurveHidden(int index, bool hidden) {
  curves_.at(std::size_t(index)).hidden = hidden;
}

// Each change of an axis lays out its labels again, the costliest part of a
// redraw: the series are filled first and the axes set once, in rescale.
void ProfileChart::fillHeightCurve(int index, const std::vector<shore::Station>& given) {
  HeightCurve& curve = curves_.at(std::size_t(index));
  const std::vector<shore::Station>& stations = curve.hidden ? kNoStations : given;
  // Runs of computed stations; a station without a height breaks the line.
  std::vector<QList<QPointF>> runs(1);
  const shore::Station* breaking = nullptr;
  for (const shore::Station& station : stations) {
    if (std::isfinite(station.state.H)) {
      runs.back().append(QPointF(station.x, station.state.H));
    } else if (!runs.back().isEmpty()) {
      runs.emplace_back();
    }
    if (station.mark == shore::Mark::Breaking && std::isfinite(station.state.H))
      breaking = &station;
  }
  while (curve.segments.size() < runs.size()) {
    QPen pen(curve.color, 2.5, curve.style);
    auto* segment = newLine(curve.name, pen, false);
    if (!curve.segments.empty()) hideFromLegend(chart(), segment);
    curve.segments.push_back(segment);
  }
  for (std::size_t i = 0; i < curve.segments.size(); ++i) {
    curve.segments[i]->replace(i < runs.size() ? runs[i] : QList<QPointF>());
  }
  // The legend names only the curves drawn; each change lays it out again.
  // (A marker's own isVisible() also reads false while the legend is being
  // rebuilt, so the state is kept here.)
  const bool drawn = !runs.front().isEmpty();
  if (curve.inLegend != drawn) {
    curve.inLegend = drawn;
    for (QLegendMarker* marker : chart()->legend()->markers(curve.segments.front())) {
      marker->setVisible(drawn);
    }
  }
  if (breaking) {
    // Further curves are told apart by colour: their labels give the values
    // alone, short enough to stand beside each other.
    const QString text = index == 0 ? tr("砕波点  ") + depthAndHeight(breaking->state) +
                                          breakingNote_
                                    : depthAndHeight(breaking->state);
    const QPointF point(breaking->x, breaking->state.H);
    curve.breaking->replace({point});
    curve.label->show(text, point);
  } else {
    curve.breaking->clear();
    curve.label->dismiss();
  }
  if (index == 0) breakingDepth_ = breaking ? breaking->state.h : shore::kNotReached;
}

void ProfileChart::clearProfile() {
  clearSeries();
  rescale();
}

void ProfileChart::clearSeries() {
  profile_ = {};
  for (std::size_t i = 0; i < curves_.size(); ++i) fillHeightCurve(int(i), kNoStations);
  for (QXYSeries* series : std::initializer_list<QXYSeries*>{
           limit_, ursell_, secondary_, surface_, axisBottom_, onset_, onsetLine_, breakingLine_,
           chosen_, chosenLine_, failed_, hover_, meanLevel_, meanShore_, runup_}) {
    series->clear();
  }
  breakingNote_.clear();
  meanShoreLabel_->dismiss();
  runupLabel_->dismiss();
  // Replaced rather than cleared, so that the water's lower edge follows.
  seabed_->replace(QList<QPointF>());
  onsetLabel_->dismiss();
  chosenLabel_->dismiss();
  onsetDepth_ = breakingDepth_ = shore::kNotReached;
  setHovered(-1);
}

void ProfileChart::showProfile(const shore::Profile& profile, std::optional<double> chosenDepth,
                               std::span<const CurveStations> others,
                               const shore::Shoreline* shoreline) {
  if (!profile.ok() || profile.stations.empty()) {
    clearProfile();
    return;
  }
  // Every series is filled anew, without clearing first: each change of a
  // series costs its geometry once more.
  profile_ = profile;
  setHovered(-1);
  for (std::size_t i = 1; i < curves_.size(); ++i) {
    const auto given = std::find_if(others.begin(), others.end(),
                                    [i](const CurveStations& c) { return c.curve == int(i); });
    fillHeightCurve(int(i),
                    given != others.end() && given->stations ? *given->stations : kNoStations);
  }
  onsetDepth_ = shore::kNotReached;
  const shore::Breaking& b = profile.breaking;

  QList<QPointF> limit, ursell, seabed, failed;
  const shore::Station* onset = nullptr;
  for (const shore::Station& station : profile.stations) {
    const shore::ReferenceHeights reference = shore::referenceHeights(b, station.state.h);
    if (std::isfinite(reference.limit)) limit.append(QPointF(station.x, reference.limit));
    if (std::isfinite(reference.ursell50)) ursell.append(QPointF(station.x, reference.ursell50));
    seabed.append(QPointF(station.x, station.state.h));
    if (!station.state.ok()) failed.append(QPointF(station.x, station.state.h));
    if (station.mark == shore::Mark::Onset && std::isfinite(station.state.H)) onset = &station;
  }
  // The seabed runs on to the shoreline itself, and the beach on to the
  // farther of the mean shoreline and the runup mark, both on it.
  seabed.append(QPointF(0, 0));
  // Levels above still water stand on the depth axis as negative depths.
  QList<QPointF> level, meanShore, runup;
  if (shoreline && shoreline->setup.ok()) {
    const shore::Setup& s = shoreline->setup;
    level = {QPointF(s.xBreaker, -s.etaB), QPointF(s.xMeanShoreline, -s.etaMax)};
    meanShore = {level.back()};
    meanShoreLabel_->show(tr("平均汀線  Δx = %1 m, η = %2 m")
                              .arg(metres(s.shoreShift), metres(s.etaMax)),
                          meanShore.front());
  } else {
    meanShoreLabel_->dismiss();
  }
  if (shoreline && shoreline->runup.ok()) {
    runup = {QPointF(shoreline->runup.xOnBeach, -shoreline->runup.R2)};
    runupLabel_->show(tr("遡上高 R2% = %1 m").arg(metres(shoreline->runup.R2)),
                      runup.front());
  } else {
    runupLabel_->dismiss();
  }
  for (const QList<QPointF>* mark : {&meanShore, &runup}) {
    if (!mark->isEmpty() && mark->front().x() < seabed.back().x()) seabed.append(mark->front());
  }
  // A quarter further along the same straight beach, so that the marks stand
  // clear of the plot's edge.
  if (seabed.back().x() < 0) seabed.append(seabed.back() * 1.25);
  meanLevel_->replace(level);
  meanShore_->replace(meanShore);
  runup_->replace(runup);
  breakingNote_.clear();
  if (shoreline && shoreline->surf.type) {
    breakingNote_ = QStringLiteral("　ξ0 = %1 %2").arg(
        metres(shoreline->surf.xi0),
        QString::fromUtf8(report::breakerTypeDisplayName(*shoreline->surf.type, gui::language()).data()));
  }
  limit_->replace(limit);
  ursell_->replace(ursell);
  failed_->replace(failed);
  if (failedInLegend_ != !failed.isEmpty()) {
    failedInLegend_ = !failed.isEmpty();
    for (QLegendMarker* marker : chart()->legend()->markers(failed_)) {
      marker->setVisible(failedInLegend_);
    }
  }
  seabed_->replace(seabed);
  surface_->replace({QPointF(seabed.front().x(), 0), QPointF(0, 0)});

  if (onset) {
    const QPointF point(onset->x, onset->state.H);
    onset_->replace({point});
    onsetLabel_->show(tr("非線形浅水変形の開始点  ") + depthAndHeight(onset->state),
                      point);
    onsetDepth_ = onset->state.h;
  } else {
    onset_->clear();
    onsetLabel_->dismiss();
  }
  const float chosenX = chosenDepth ? shore::shoreDistance(b, *chosenDepth) : shore::kNotReached;
  if (std::isfinite(chosenX)) {
    const float h = static_cast<float>(*chosenDepth);
    chosen_->replace({QPointF(chosenX, h)});
    chosenLabel_->show(tr("指定水深 %1 m").arg(metres(h)), QPointF(chosenX, h));
    chosenLine_->replace({QPointF(chosenX, 0), QPointF(chosenX, h)});
  } else {
    chosen_->clear();
    chosenLine_->clear();
    chosenLabel_->dismiss();
  }

  fillHeightCurve(0, profile.stations);
  drawSecondary();
}

void ProfileChart::setQuantity(Quantity quantity) {
  quantity_ = quantity;
  // Names and titles only change with the choice: each change lays out the
  // legend and the axis again.
  const QuantityInfo& info = kQuantities[std::size_t(quantity_)];
  secondary_->setName(tr(info.name));
  secondaryAxis_->setTitleText(tr(info.axisTitle));
  drawSecondary();
}

void ProfileChart::drawSecondary() {
  const QuantityInfo& info = kQuantities[std::size_t(quantity_)];
  QList<QPointF> points;
  for (const shore::Station& station : profile_.stations) {
    const float value = station.state.*info.member;
    if (std::isfinite(value)) points.append(QPointF(station.x, value));
  }
  secondary_->replace(points);
  rescale();
}

void ProfileChart::rescale() {
  if (!xAxis_ || !secondary_) return;  // still being built
  // Distances: the whole profile, seaward end on the left, to the landward
  // end of the beach.
  double xMax = 1, xMin = 0;
  if (!profile_.stations.empty()) xMax = std::max(xMax, double(profile_.stations.front().x));
  for (const QPointF& p : seabed_->points()) xMin = std::min(xMin, p.x());
  // Round distances from the shoreline, whatever the seaward end.  The
  // interval is set before the range, so that no range is ever drawn with
  // the ticks of a much smaller one.
  setXTicks(xMax);
  xAxis_->setRange(xMin, xMax);
  // An empty chart (no profile, or one that failed) has no scale to read.
  const bool empty = profile_.stations.empty();
  for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{
           xAxis_, heightAxis_, depthAxis_, secondaryAxis_}) {
    if (axis->labelsVisible() == empty) axis->setLabelsVisible(!empty);
  }
  for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{xAxis_, heightAxis_}) {
    if (axis->isGridLineVisible() == empty) axis->setGridLineVisible(!empty);
  }

  // Heights: every curve and the markers on it, with room above for labels.
  double hMax = 0;
  for (const HeightCurve& curve : curves_) {
    for (QLineSeries* segment : curve.segments) {
      for (const QPointF& p : segment->points()) hMax = std::max(hMax, p.y());
    }
  }
  setNiceRange(heightAxis_, niceRange(0, hMax > 0 ? hMax * 1.3 : 1, 6));
  const double top = heightAxis_->max();
  const auto vertical = [top](QLineSeries* line, const QScatterSeries* marker) {
    if (marker->count() == 0) {
      line->clear();
    } else {
      const double x = marker->at(0).x();
      line->replace({QPointF(x, 0), QPointF(x, top)});
    }
  };
  vertical(onsetLine_, onset_);
  vertical(breakingLine_, curves_.front().breaking);

  // Depths: still water kSurfaceAt down the plot, the deepest station at
  // the bottom; labels only from the surface down.
  double deepest = 1;
  for (const QPointF& p : seabed_->points()) deepest = std::max(deepest, p.y());
  const double above = deepest * kSurfaceAt / (1 - kSurfaceAt);
  depthAxis_->setRange(-above, deepest);
  axisBottom_->replace({QPointF(xMax, deepest), QPointF(xMin, deepest)});
  if (deepest != depthLabelsFor_) {
    depthLabelsFor_ = deepest;
    for (const QString& label : depthAxis_->categoriesLabels()) depthAxis_->remove(label);
    depthAxis_->setStartValue(-above);
    const double step = niceRange(0, deepest, 5).step();
    // The axis is labelled only alongside the water: its name just above the
    // still-water level, then the depths.
    depthAxis_->append(tr("水深 (m)"), -0.8 * step);
    for (int i = 0; step > 0 && i * step <= deepest * (1 + 1e-9); ++i) {
      depthAxis_->append(QString::number(i * step, 'g', 6), i * step);
    }
  }

  // The second quantity: its own range, never empty.
  double lo = 0, hi = 0;
  bool first = true;
  for (const QPointF& p : secondary_->points()) {
    lo = first ? p.y() : std::min(lo, p.y());
    hi = first ? p.y() : std::max(hi, p.y());
    first = false;
  }
  if (!(hi > lo)) {
    lo -= 1;
    hi += 1;
  }
  setNiceRange(secondaryAxis_, niceRange(std::min(lo, 0.0), hi, 6));
  placeLegend();
  placeLabels();
}

void ProfileChart::setXTicks(double xMax) {
  // About one labelled distance per 60 pixels of plot, at least three, at
  // a round step of 1, 2 or 5 times a power of ten.
  const int ticks = std::clamp(int(chart()->plotArea().width() / 60), 3, 12);
  const double raw = xMax / (ticks - 1);
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  const double unit = raw / decade;
  const double step = (unit <= 1 ? 1 : unit <= 2 ? 2 : unit <= 5 ? 5 : 10) * decade;
  if (xAxis_->tickInterval() != step) xAxis_->setTickInterval(step);
}

void ProfileChart::placeLegend() {
  // The entries as fillHeightCurve and showProfile leave them; each takes
  // its text, its colour square and the space around them.
  QStringList names = {sand_->name(), limit_->name(), ursell_->name(), secondary_->name(),
                       meanLevel_->name()};
  if (failedInLegend_) names.append(failed_->name());
  for (const HeightCurve& curve : curves_) {
    if (curve.inLegend) names.append(curve.name);
  }
  QLegend* legend = chart()->legend();
  const QFontMetricsF metrics(legend->font());
  double width = 0;
  for (const QString& name : names) width += metrics.horizontalAdvance(name) + 36;
  const Qt::Alignment side = width <= chart()->size().width() - 24 ? Qt::AlignBottom : Qt::AlignRight;
  if (legend->alignment() != side) legend->setAlignment(side);
}

void ProfileChart::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  placeLegend();
}

QList<QPointF> ProfileChart::meanLevel() const { return meanLevel_->points(); }
QList<QPointF> ProfileChart::runupMark() const { return runup_->points(); }
QString ProfileChart::breakingLabel() const {
  const Callout* label = curves_.front().label;
  return label->wanted() ? label->text() : QString();
}

void ProfileChart::hoverAt(double x) {
  int nearest = -1;
  double best = 0;
  for (std::size_t i = 0; i < profile_.stations.size(); ++i) {
    const double distance = std::fabs(double(profile_.stations[i].x) - x);
    if (nearest < 0 || distance < best) {
      nearest = int(i);
      best = distance;
    }
  }
  setHovered(nearest);
}

void ProfileChart::setHovered(int station) {
  if (station == hovered_) return;
  hovered_ = station;
  if (station >= 0 && std::isfinite(profile_.stations[std::size_t(station)].state.H)) {
    const shore::Station& s = profile_.stations[std::size_t(station)];
    hover_->replace({QPointF(s.x, s.state.H)});
  } else {
    hover_->clear();
  }
  emit stationHovered(station);
}

void ProfileChart::mouseMoveEvent(QMouseEvent* event) {
  const QPointF scene = mapToScene(event->position().toPoint());
  const QPointF inChart = chart()->mapFromScene(scene);
  if (profile_.stations.empty() || !chart()->plotArea().contains(inChart)) {
    setHovered(-1);
  } else {
    hoverAt(chart()->mapToValue(inChart, hover_).x());
  }
  QChartView::mouseMoveEvent(event);
}

void ProfileChart::leaveEvent(QEvent* event) {
  setHovered(-1);
  QChartView::leaveEvent(event);
}

}  // namespace saiha::profile
