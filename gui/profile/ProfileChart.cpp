#include "gui/profile/ProfileChart.h"

#include <QAreaSeries>
#include <QCursor>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "runtime/text.h"
#include "gui/language.h"
#include "gui/profile/Callout.h"
#include "gui/profile/ChartLegend.h"
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
using NiceRange = ProfileChart::Range;
NiceRange niceRange(double lo, double hi, int ticks) {
  QValueAxis scratch;
  scratch.setRange(lo, hi);
  scratch.setTickCount(ticks);
  scratch.applyNiceNumbers();
  return {scratch.min(), scratch.max(),
          (scratch.max() - scratch.min()) / std::max(1, scratch.tickCount() - 1)};
}

// Decimals enough to tell the ticks of `step` apart.
QString labelFormat(double step) {
  const int decimals = step > 0 ? std::clamp(int(std::ceil(-std::log10(step) - 1e-9)), 0, 4) : 1;
  return QStringLiteral("%.%1f").arg(decimals);
}

// A vertical axis's title in a narrow strip: the symbol and unit that end
// the full title ("波向 θ (°)" → "θ (°)"), the name being in the legend.
QString shortTitle(const QString& title) {
  const QStringList words = title.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  return words.size() > 2 ? words.mid(words.size() - 2).join(QLatin1Char(' ')) : title;
}

// Shares of the height the plots take, and the least each is given, so
// that its axis labels and title fit.
constexpr double kHeightsShare = 0.46, kQuantityShare = 0.20, kBeachShare = 0.34;
constexpr double kHeightsMin = 130, kQuantityMin = 70, kBeachMin = 100;
// The height of plot each vertical axis label needs, in label heights.
constexpr double kLabelSpacing = 1.9;

}  // namespace

ProfileChart::ProfileChart(QWidget* parent) : QChartView(parent) {
  setObjectName(QStringLiteral("profileChart"));
  setRenderHint(QPainter::Antialiasing);
  setMouseTracking(true);
  setMinimumHeight(kMinimumHeight);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* chart = new QChart;
  setChart(chart);
  quantityChart_ = new QChart;
  beachChart_ = new QChart;
  scene()->addItem(quantityChart_);
  scene()->addItem(beachChart_);
  for (QChart* c : {chart, quantityChart_, beachChart_}) {
    c->setAnimationOptions(QChart::NoAnimation);
    c->setFont(gui::sheetFont(12, false));
    c->setTitleFont(gui::sheetFont(13, true));
    // One legend for the three plots, below them: ChartLegend.  The series'
    // own markers still say which are named (hideFromLegend).
    c->legend()->hide();
    c->setMargins(QMargins(0, 0, 0, 0));
    // One white ground under the whole stack (the scene's), and the title
    // drawn by the stack above the first plot.
    c->setBackgroundVisible(false);
    c->setTitleBrush(QBrush(Qt::transparent));
  }
  scene()->setBackgroundBrush(Qt::white);
  setBackgroundBrush(Qt::white);
  legend_ = new ChartLegend;
  scene()->addItem(legend_);
  title_ = new QGraphicsSimpleTextItem;
  title_->setFont(chart->titleFont());
  scene()->addItem(title_);

  const auto styled = [](QAbstractAxis* axis, const QString& title) {
    axis->setTitleText(title);
    axis->setTitleFont(gui::sheetFont(12, true));
    axis->setLabelsFont(gui::sheetFont(11, false));
  };
  const auto distance = [&styled](QChart* on, bool labelled) {
    auto* axis = new QValueAxis;
    axis->setReverse(true);  // x grows seaward: sea on the left, shore on the right
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    styled(axis, tr("沖 ←　汀線からの距離 x (m)　→ 岸"));
    // The plots above share the beach's labelled distances.
    axis->setTitleVisible(labelled);
    if (!labelled) axis->setLabelsVisible(false);
    on->addAxis(axis, Qt::AlignBottom);
    return axis;
  };
  xAxis_ = distance(chart, false);
  quantityX_ = distance(quantityChart_, false);
  beachX_ = distance(beachChart_, true);
  heightAxis_ = new QValueAxis;
  styled(heightAxis_, tr("波高 H (m)"));
  chart->addAxis(heightAxis_, Qt::AlignLeft);
  depthAxis_ = new QValueAxis;
  depthAxis_->setReverse(true);  // depth grows downward; a level above still water is negative
  styled(depthAxis_, tr("水深 (m)"));
  beachChart_->addAxis(depthAxis_, Qt::AlignLeft);
  secondaryAxis_ = new QValueAxis;
  styled(secondaryAxis_, QString());
  secondaryAxis_->setTitleBrush(palette::kSecondary.darker(120));
  secondaryAxis_->setLabelsColor(palette::kSecondary.darker(120));
  quantityChart_->addAxis(secondaryAxis_, Qt::AlignLeft);

  // The beach, back to front: water and seabed, then the lines and markers.
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
    beachChart_->addSeries(area);
    area->attachAxis(beachX_);
    area->attachAxis(depthAxis_);
  }
  hideFromLegend(beachChart_, water_);
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
  quantityChart_->addSeries(secondary_);
  secondary_->attachAxis(quantityX_);
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
    hideFromLegend(series->chart(), series);
  }

  onsetLabel_ = new Callout(chart, onset_, palette::kOnset, Callout::Side::Below);
  chosenLabel_ = new Callout(beachChart_, chosen_, palette::kChosen, Callout::Side::Below);
  meanShoreLabel_ = new Callout(beachChart_, meanShore_, palette::kMeanLevel, Callout::Side::Above);
  runupLabel_ = new Callout(beachChart_, runup_, palette::kRunup, Callout::Side::Above);

  setQuantity(quantity_);
  clearProfile();
}

std::array<QChart*, 3> ProfileChart::charts() const {
  return {chart(), quantityChart_, beachChart_};
}

void ProfileChart::placeLabels() {
  // Each plot's labels keep clear of each other: on the heights, the
  // onset keeps its place and the breaking point's label steps aside; on
  // the beach, the chosen depth, the runup and the mean shoreline in turn.
  std::vector<QRectF> heights, beach;
  onsetLabel_->place();
  onsetLabel_->settle(heights);
  for (const HeightCurve& curve : curves_) {
    curve.label->place();
    curve.label->settle(heights);
  }
  for (Callout* label : {chosenLabel_, runupLabel_, meanShoreLabel_}) {
    label->place();
    label->settle(beach);
  }
}

QLineSeries* ProfileChart::newLine(const QString& name, const QPen& pen, bool onDepthAxis) {
  auto* line = new QLineSeries(this);
  line->setName(name);
  line->setPen(pen);
  QChart* on = onDepthAxis ? beachChart_ : chart();
  on->addSeries(line);
  line->attachAxis(onDepthAxis ? beachX_ : xAxis_);
  line->attachAxis(onDepthAxis ? depthAxis_ : heightAxis_);
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
  QChart* on = onDepthAxis ? beachChart_ : chart();
  on->addSeries(marker);
  marker->attachAxis(onDepthAxis ? beachX_ : xAxis_);
  marker->attachAxis(onDepthAxis ? depthAxis_ : heightAxis_);
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
  const int index = static_cast<int>(curves_.size());
  // The other models' breaking points give their values on hover.
  connect(curve.breaking, &QScatterSeries::hovered, this, [this, index](const QPointF&, bool on) {
    const HeightCurve& c = curves_.at(std::size_t(index));
    if (on && !c.tip.isEmpty()) {
      QToolTip::showText(QCursor::pos(), c.name + QLatin1Char('\n') + c.tip, this);
    } else {
      QToolTip::hideText();
    }
  });
  curves_.push_back(curve);
  if (curves_.size() > 1) raiseWave();
  return index;
}

// Series are drawn in the order they were added.  The calculation window's
// wave is added again after a new curve, so that where the curves coincide
// (seaward of breaking, under the same shoaling) it is the one seen; the
// markers go on top of every line.
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
    // Only the calculation window's wave is labelled on the plot: the other
    // models' values, side by side, would pile up over the curves; their
    // markers give them on hover, and the comparison table lists them.
    curve.tip = depthAndHeight(breaking->state);
    const QPointF point(breaking->x, breaking->state.H);
    curve.breaking->replace({point});
    if (index == 0) {
      curve.label->show(tr("砕波点  ") + curve.tip + breakingNote_, point);
    } else {
      curve.label->dismiss();
    }
  } else {
    curve.tip.clear();
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
  secondaryAxis_->setTitleText(shortTitle(tr(info.axisTitle)));
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
  for (QValueAxis* axis : {xAxis_, quantityX_, beachX_}) axis->setRange(xMin, xMax);
  // An empty chart (no profile, or one that failed) has no scale to read.
  const bool empty = profile_.stations.empty();
  for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{
           beachX_, heightAxis_, depthAxis_, secondaryAxis_}) {
    if (axis->labelsVisible() == empty) axis->setLabelsVisible(!empty);
  }
  for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{
           xAxis_, quantityX_, beachX_, heightAxis_, secondaryAxis_, depthAxis_}) {
    if (axis->isGridLineVisible() == empty) axis->setGridLineVisible(!empty);
  }

  // Heights: every curve and the markers on it, with room above for labels.
  double hMax = 0;
  for (const HeightCurve& curve : curves_) {
    for (QLineSeries* segment : curve.segments) {
      for (const QPointF& p : segment->points()) hMax = std::max(hMax, p.y());
    }
  }
  ranges_[0] = niceRange(0, hMax > 0 ? hMax * 1.3 : 1, 5);
  const double top = ranges_[0].max;
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

  // Depths: from a little above the highest level on the beach (the runup,
  // the mean shoreline; negative depths) down to the deepest station.
  double deepest = 1, highest = 0;
  for (const QPointF& p : seabed_->points()) deepest = std::max(deepest, p.y());
  for (const QXYSeries* level : std::initializer_list<const QXYSeries*>{meanLevel_, runup_}) {
    for (const QPointF& p : level->points()) highest = std::max(highest, -p.y());
  }
  // The labelled depths run from still water down; the levels above it
  // stand on the beach's plot unlabelled.
  NiceRange depths = niceRange(0, deepest, 5);
  depths.min = -std::max(0.15 * deepest, 1.6 * highest);
  ranges_[2] = depths;
  axisBottom_->replace({QPointF(xMax, depths.max), QPointF(xMin, depths.max)});

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
  ranges_[1] = niceRange(std::min(lo, 0.0), hi, 3);
  updateLegend();
  laidOutFor_ = {};  // the left axes' labels may have widened
  layoutCharts(viewport()->size());
}

void ProfileChart::setXTicks(double xMax) {
  // About one labelled distance per 70 pixels of plot, at least three, at
  // a round step of 1, 2 or 5 times a power of ten.
  const int ticks = std::clamp(int(beachChart_->plotArea().width() / 70), 3, 12);
  const double raw = xMax / (ticks - 1);
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  const double unit = raw / decade;
  const double step = (unit <= 1 ? 1 : unit <= 2 ? 2 : unit <= 5 ? 5 : 10) * decade;
  for (QValueAxis* axis : {xAxis_, quantityX_, beachX_}) {
    if (axis->tickInterval() != step) axis->setTickInterval(step);
  }
}

void ProfileChart::updateLegend() {
  // The entries as fillHeightCurve and showProfile leave them: the curves
  // drawn, each with its breaking point's marker, then the references, the
  // second quantity and the beach.
  std::vector<ChartLegend::Entry> entries;
  for (const HeightCurve& curve : curves_) {
    if (!curve.inLegend) continue;
    entries.push_back({curve.name, curve.segments.front()->pen(), Qt::NoBrush,
                       curve.breaking->markerShape()});
  }
  for (QLineSeries* line : {limit_, ursell_, secondary_}) {
    entries.push_back({line->name(), line->pen(), Qt::NoBrush, std::nullopt});
  }
  entries.push_back({sand_->name(), sand_->pen(), sand_->brush(), std::nullopt});
  entries.push_back({meanLevel_->name(), meanLevel_->pen(), Qt::NoBrush, std::nullopt});
  if (failedInLegend_) {
    entries.push_back({failed_->name(), QPen(failed_->color(), 0), Qt::NoBrush,
                       failed_->markerShape()});
  }
  const bool changed =
      entries.size() != legend_->entries().size() ||
      !std::equal(entries.begin(), entries.end(), legend_->entries().begin(),
                  [](const ChartLegend::Entry& a, const ChartLegend::Entry& b) {
                    return a.name == b.name && a.pen == b.pen && a.fill == b.fill &&
                           a.marker == b.marker;
                  });
  if (changed) {
    legend_->setEntries(std::move(entries));
    laidOutFor_ = {};
  }
}

QStringList ProfileChart::legendNames() const {
  QStringList names;
  for (const ChartLegend::Entry& entry : legend_->entries()) names.append(entry.name);
  return names;
}

QString ProfileChart::breakingText(int curve) const { return curves_.at(std::size_t(curve)).tip; }

void ProfileChart::layoutCharts(QSizeF size) {
  if (size == laidOutFor_ || size.isEmpty()) return;
  laidOutFor_ = size;
  constexpr double margin = 6;
  const double width = size.width() - 2 * margin;
  legend_->setWidth(width);
  // The plots' left edge leaves room for the widest labels of the three
  // vertical axes and their titles, the same for all so that one distance
  // stands at one place down the stack.
  const QFontMetricsF labels(heightAxis_->labelsFont());
  const QFontMetricsF titles(heightAxis_->titleFont());
  double labelWidth = 0;
  for (const NiceRange& range : ranges_) {
    const QByteArray format = labelFormat(range.step).toLatin1();
    for (double value : {range.min, range.max}) {
      labelWidth = std::max(labelWidth, labels.horizontalAdvance(
                                            QString::asprintf(format.constData(), value)));
    }
  }
  const double left = margin + titles.height() + labelWidth + 16;
  // The last distance's label stands half out of the plot, on the right.
  const double right = margin + labels.horizontalAdvance(QStringLiteral("-0000")) / 2 + 6;
  title_->setText(chart()->title());
  const double title = chart()->title().isEmpty()
                           ? margin
                           : QFontMetricsF(title_->font()).height() + 2 * margin;
  title_->setPos(std::max(margin, (size.width() - title_->boundingRect().width()) / 2), margin);
  const double axisBelow = labels.height() + titles.height() + 18;  // the beach's distances
  const double gap = 10;
  const double legendHeight = legend_->heightFor(width);
  const double plots =
      std::max(0.0, size.height() - title - axisBelow - 2 * gap - legendHeight - 2 * margin);
  // Below the least heights (a window made very small) the plots shrink
  // alike rather than push the legend out of the picture.
  const double least = kHeightsMin + kQuantityMin + kBeachMin;
  const double shrink = plots < least ? plots / least : 1.0;
  double heights = std::max(kHeightsMin * shrink, plots * kHeightsShare);
  const double quantity = std::max(kQuantityMin * shrink, plots * kQuantityShare);
  const double beach = std::max(kBeachMin * shrink, plots * kBeachShare);
  const double spare = plots - heights - quantity - beach;
  if (spare > 0) heights += spare;  // rounding of the shares

  const double plotWidth = std::max(10.0, size.width() - left - right);
  double y = 0;
  // Each vertical axis reaches half a label beyond its first and last
  // ticks, so that their labels stand whole beside the plot.
  const double halfLabel = labels.height() / 2 + 4;
  const std::array<QValueAxis*, 3> verticals = {heightAxis_, secondaryAxis_, depthAxis_};
  std::size_t k = 0;
  const auto place = [&](QChart* c, double above, double plot, double below) {
    const NiceRange& range = ranges_[k];
    QValueAxis* axis = verticals[k++];
    const double span = range.max - range.min;
    const double pad = plot > 4 * halfLabel ? span * halfLabel / (plot - 2 * halfLabel) : 0;
    const QString format = labelFormat(range.step);
    if (axis->labelFormat() != format) axis->setLabelFormat(format);
    if (axis->tickType() != QValueAxis::TicksDynamic) {
      axis->setTickType(QValueAxis::TicksDynamic);
      axis->setTickAnchor(0);
    }
    // A plot too short for a label at every tick (a small window, a legend
    // of many rows) labels every second, fourth… tick instead: Qt elides
    // every label of an axis that gives each label less than about two
    // label heights (1.9 measured under X11 and offscreen alike).
    double step = range.step;
    while (step < span && plot * step / (span + step) < labels.height() * kLabelSpacing) step *= 2;
    if (axis->tickInterval() != step) axis->setTickInterval(step);
    // The beach's top is not a tick: the levels above still water.
    const double lowest = axis == depthAxis_ ? range.min : range.min - pad;
    axis->setRange(lowest, range.max + pad);
    c->setGeometry(QRectF(0, y, size.width(), above + plot + below));
    c->setPlotArea(QRectF(left, above, plotWidth, plot));
    if (c->layout()) c->layout()->activate();
    y += above + plot + below;
  };
  place(chart(), title, heights, gap / 2);
  place(quantityChart_, gap / 2, quantity, gap / 2);
  place(beachChart_, gap / 2, beach, axisBelow);
  legend_->setPos(margin, y + margin);
  placeLabels();
}

ProfileChart::Drawn ProfileChart::renderAt(QPainter* painter, QSizeF size,
                                           const std::function<void(const QRectF&)>& between) {
  const QRectF picture(QPointF(0, 0), size);
  const QRectF screen = scene()->sceneRect();
  scene()->setSceneRect(picture);
  laidOutFor_ = {};
  layoutCharts(size);
  setXTicks(xAxis_->max());
  Drawn drawn;
  const QRectF legendBox = legend_->mapRectToScene(legend_->boundingRect());
  for (const QRectF& box : legend_->entryBoxes()) {
    ++drawn.entries;
    const QRectF placed = legend_->mapRectToScene(box);
    if (picture.contains(placed) && legendBox.contains(placed)) ++drawn.entriesInside;
  }
  if (between) between(picture);
  scene()->render(painter, picture, picture);
  scene()->setSceneRect(screen);
  laidOutFor_ = {};
  layoutCharts(viewport()->size());
  setXTicks(xAxis_->max());
  return drawn;
}

void ProfileChart::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  // The view sets its chart to the whole viewport: the stack takes it over.
  scene()->setSceneRect(QRectF(QPointF(0, 0), viewport()->size()));
  laidOutFor_ = {};
  layoutCharts(viewport()->size());
  const double before = xAxis_->tickInterval();
  setXTicks(xAxis_->max());
  if (xAxis_->tickInterval() != before) placeLabels();
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
  // Any of the three plots: they share their distances.
  const QPointF scene = mapToScene(event->position().toPoint());
  const std::array<std::pair<QChart*, QAbstractSeries*>, 3> plots = {
      {{chart(), hover_}, {quantityChart_, secondary_}, {beachChart_, seabed_}}};
  int station = -1;
  for (const auto& [plot, series] : plots) {
    const QPointF inChart = plot->mapFromScene(scene);
    if (!profile_.stations.empty() && plot->plotArea().contains(inChart)) {
      hoverAt(plot->mapToValue(inChart, series).x());
      station = hovered_;
      break;
    }
  }
  if (station < 0) setHovered(-1);
  QChartView::mouseMoveEvent(event);
}

void ProfileChart::leaveEvent(QEvent* event) {
  setHovered(-1);
  QChartView::leaveEvent(event);
}

}  // namespace saiha::profile
