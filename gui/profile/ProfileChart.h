// The profile drawn with Qt Charts as three plots stacked over one distance
// from the shoreline (sea on the left, shore on the right), each with its
// own vertical axis: the wave heights with the two reference heights and the
// onset and breaking points above; one more quantity of the user's choice in
// a strip; below, the seabed, still water, the chosen depth and, at the
// shore, the mean water level across the surf zone, the mean shoreline and
// the runup level on the beach.  One legend under the plots names every
// curve, in as many rows as it needs.
//
// Wave-height curves are kept as a list, each with its own breaking marker:
// the wave of the calculation window is curve 0, and another height model
// adds its own with addHeightCurve and passes its stations to showProfile.
#pragma once

#include <QChartView>
#include <QScatterSeries>
#include <array>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "shore/engine.h"
#include "shore/shoreline.h"

class QAreaSeries;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QPainter;
class QValueAxis;

namespace saiha::profile {

class Callout;
class ChartLegend;

// The quantities the secondary axis can show, with their names and units.
enum class Quantity {
  Direction,
  WaveLength,
  Celerity,
  SpeedBottom,
  AmplitudeBottom,
  SpeedSurface,
  AmplitudeSurface
};
struct QuantityInfo {
  Quantity quantity;
  const char* name;       // for the choice, e.g. "波向 θ"
  const char* axisTitle;  // with the unit, e.g. "波向 θ (°)"
  float shore::State::*member;
};
inline constexpr std::array<QuantityInfo, 7> kQuantities = {{
    {Quantity::Direction, QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "波向 θ"), QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "波向 θ (°)"), &shore::State::theta},
    {Quantity::WaveLength, QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "波長 L"), QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "波長 L (m)"), &shore::State::L},
    {Quantity::Celerity, QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "波速 C"), QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "波速 C (m/s)"), &shore::State::C},
    {Quantity::SpeedBottom, QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "底面の最大流速 u"), QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "底面の最大流速 u (m/s)"), &shore::State::uBottom},
    {Quantity::AmplitudeBottom, QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "底面の軌道片振幅 a"), QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "底面の軌道片振幅 a (m)"),
     &shore::State::aBottom},
    {Quantity::SpeedSurface, QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "表面の最大流速 u"), QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "表面の最大流速 u (m/s)"), &shore::State::uSurface},
    {Quantity::AmplitudeSurface, QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "表面の軌道片振幅 a"), QT_TRANSLATE_NOOP("saiha::profile::ProfileChart", "表面の軌道片振幅 a (m)"),
     &shore::State::aSurface},
}};

class ProfileChart final : public QChartView {
  Q_OBJECT

 public:
  explicit ProfileChart(QWidget* parent = nullptr);

  // The stations of one further height curve, for showProfile.
  struct CurveStations {
    int curve = 0;  // as returned by addHeightCurve, ≥ 1
    const std::vector<shore::Station>* stations = nullptr;
  };

  // Draws the profile of the calculation window's wave as curve 0, with its
  // reference heights, seabed and onset point; `chosenDepth` (m) is marked
  // on the seabed when set.  Further curves take the stations given in
  // `others` (on the same beach, within the profile's range); those not
  // listed are emptied.  With `shoreline` (the same wave under the same
  // model), the mean water level runs from the breaker line to the mean
  // shoreline, the runup level is marked where it meets the beach, the beach
  // runs on landward to the farther of the two, and the breaking point's
  // label gives ξ0 and the breaker type.  The axes are set once, after every
  // curve.  A failed profile clears everything.
  void showProfile(const shore::Profile& profile, std::optional<double> chosenDepth,
                   std::span<const CurveStations> others = {},
                   const shore::Shoreline* shoreline = nullptr);
  // Removes every curve and marker (a calculation that failed).
  void clearProfile();
  void setQuantity(Quantity quantity);
  Quantity quantity() const { return quantity_; }

  // A further wave-height curve with its own breaking marker, drawn in
  // `color` and `style` with a `shape` at its breaking point, and named
  // `name` in the legend; returns its number.  Curve 0 is the calculation
  // window's wave.  A curve without stations has no legend entry.  Only
  // curve 0 labels its breaking point on the plot; the others' breaking
  // points give their values in a tooltip.
  int addHeightCurve(const QString& name, const QColor& color, Qt::PenStyle style = Qt::SolidLine,
                     QScatterSeries::MarkerShape shape = QScatterSeries::MarkerShapeCircle);
  // Renames a curve in the legend.
  void setHeightCurveName(int curve, const QString& name);
  // A hidden curve is drawn with no stations, whatever it is given, until
  // shown again (takes effect at the next drawing of the curve).
  void setHeightCurveHidden(int curve, bool hidden);
  bool isHeightCurveShown(int curve) const { return !curves_.at(std::size_t(curve)).hidden; }

  // Where the markers stand, for checks and the hover text: the depths (m)
  // of the onset and breaking markers of curve 0, NaN when not shown.
  float onsetMarkerDepth() const { return onsetDepth_; }
  float breakingMarkerDepth() const { return breakingDepth_; }
  // The mean water level's line and the runup mark as drawn, in x (m) and
  // depth (m; a level above still water is negative); empty when not shown.
  QList<QPointF> meanLevel() const;
  QList<QPointF> runupMark() const;
  // The text of the breaking point's label of curve 0; empty when none.
  QString breakingLabel() const;
  // The breaking point's text of a curve (its tooltip for curves ≥ 1);
  // empty when it has none.
  QString breakingText(int curve) const;
  // The names in the legend, in its order.
  QStringList legendNames() const;
  ChartLegend& legend() const { return *legend_; }
  // The three plots, top to bottom: heights, the second quantity, the beach.
  std::array<QChart*, 3> charts() const;

  // Draws the charts and their legend into `painter` as laid out for a
  // picture of `size` (in the chart's own units, before the painter's
  // scale), whatever the size on the screen, then lays them out for the
  // screen again.  `between` runs after the layout and before the drawing
  // (an export that draws in passes does so there).  Returns how many
  // legend entries there are and how many lie whole inside the picture.
  struct Drawn {
    int entries = 0;
    int entriesInside = 0;
  };
  Drawn renderAt(QPainter* painter, QSizeF size,
                 const std::function<void(const QRectF& picture)>& between = {});
  // The height the charts need so that no axis label is cut off.
  static constexpr int kMinimumHeight = 380;

  // The station nearest to the cursor, or -1 (off the plot or no profile).
  int hoveredStation() const { return hovered_; }
  // Moves the hover to the station nearest to `x` (m), as the mouse does.
  void hoverAt(double x);

 signals:
  // The cursor moved to another station (index in the profile), or off (-1).
  void stationHovered(int station);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 public:
  // A round range of an axis and the step of its ticks.
  struct Range {
    double min = 0, max = 1, step = 1;
  };

 private:
  struct HeightCurve {
    QString name;
    QColor color;
    Qt::PenStyle style = Qt::SolidLine;
    bool hidden = false;
    bool inLegend = true;  // a new series has its legend entry
    std::vector<QLineSeries*> segments;  // runs of computed stations
    QScatterSeries* breaking = nullptr;
    Callout* label = nullptr;  // the breaking point's depth and height
    QString tip;               // the same for the tooltip of its marker
  };

  QLineSeries* newLine(const QString& name, const QPen& pen, bool onDepthAxis);
  QScatterSeries* newMarker(const QString& name, const QColor& color,
                            QScatterSeries::MarkerShape shape, bool onDepthAxis);
  void fillHeightCurve(int curve, const std::vector<shore::Station>& stations);
  void clearSeries();
  void drawSecondary();
  void rescale();
  void setHovered(int station);
  void placeLabels();
  // Round distances for the x axes up to `xMax` (m), as many as the width holds.
  void setXTicks(double xMax);
  // The legend's entries as the series stand.
  void updateLegend();
  // Places the three plots and the legend in a picture of `size`, the
  // plots' left and right edges aligned.
  void layoutCharts(QSizeF size);
  void raiseWave();

  QChart* quantityChart_ = nullptr;
  QChart* beachChart_ = nullptr;
  ChartLegend* legend_ = nullptr;
  // The same distances on each plot; only the beach's are labelled.
  QValueAxis* xAxis_ = nullptr;
  QValueAxis* quantityX_ = nullptr;
  QValueAxis* beachX_ = nullptr;
  QValueAxis* heightAxis_ = nullptr;
  QValueAxis* depthAxis_ = nullptr;
  QValueAxis* secondaryAxis_ = nullptr;

  std::vector<HeightCurve> curves_;
  QLineSeries* limit_ = nullptr;
  QLineSeries* ursell_ = nullptr;
  QLineSeries* secondary_ = nullptr;
  QLineSeries* seabed_ = nullptr;
  QLineSeries* surface_ = nullptr;
  QLineSeries* axisBottom_ = nullptr;  // the lower edge of the seabed fill
  QAreaSeries* sand_ = nullptr;
  QAreaSeries* water_ = nullptr;
  QScatterSeries* onset_ = nullptr;
  QLineSeries* onsetLine_ = nullptr;
  QLineSeries* breakingLine_ = nullptr;
  QScatterSeries* chosen_ = nullptr;
  QLineSeries* chosenLine_ = nullptr;
  QScatterSeries* failed_ = nullptr;
  QScatterSeries* hover_ = nullptr;
  QLineSeries* meanLevel_ = nullptr;
  QScatterSeries* meanShore_ = nullptr;
  QScatterSeries* runup_ = nullptr;
  Callout* onsetLabel_ = nullptr;
  Callout* chosenLabel_ = nullptr;
  Callout* meanShoreLabel_ = nullptr;
  Callout* runupLabel_ = nullptr;
  // ξ0 and the breaker type, added to the breaking point's label of curve 0.
  QString breakingNote_;

  shore::Profile profile_;
  Quantity quantity_ = Quantity::Direction;
  float onsetDepth_ = shore::kNotReached;
  float breakingDepth_ = shore::kNotReached;
  int hovered_ = -1;
  bool failedInLegend_ = true;
  QSizeF laidOutFor_;
  // The vertical axes' round ranges and ticks (heights, second quantity,
  // depths), each set with room for its end labels once laid out.
  std::array<Range, 3> ranges_{};
  QGraphicsSimpleTextItem* title_ = nullptr;
};

}  // namespace saiha::profile
