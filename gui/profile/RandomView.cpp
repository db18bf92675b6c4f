#include "gui/profile/RandomView.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "gui/language.h"
#include "gui/profile/ModelPanel.h"
#include "wave/formulas.h"
#include "gui/style.h"
#include "report/case.h"
#include "report/messages.h"
#include "report/random_table.h"
#include "runtime/text.h"

namespace saiha::profile {

namespace {
QString shortest(double value) {
  return QString::fromStdString(rt::formatShortest(static_cast<float>(value)));
}
// Two decimals, or a dash for a value not reached (Ks where Shuto's law
// cannot be formed).
QString twoDecimals(float value) {
  return std::isnan(value) ? QStringLiteral("–") : QString::fromStdString(rt::formatResult(value));
}
// A ratio to three decimals: the steepness against its limit 0.142.
QString threeDecimals(double value) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
  return QString::fromLatin1(text, end.ptr - text);
}
QString termText(const std::optional<shore::RandomTerm>& term, bool maximum) {
  return term ? QString::fromStdString(report::randomTermDisplayName(*term, maximum, gui::language()))
              : QString();
}
}  // namespace

RandomView::RandomView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("randomView"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  auto* boxes = new QHBoxLayout;
  const auto addBox = [&](const QString& label, const QString& name) {
    auto* text = new QLabel(label);
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000.000")) + 16);
    text->setBuddy(box);
    boxes->addWidget(text);
    boxes->addWidget(box);
    connect(box, &QLineEdit::textEdited, this, [this] {
      typed_ = true;
      redraw();
    });
    return box;
  };
  height_ = addBox(tr("換算沖波波高 H0′ (m)(&0):"), QStringLiteral("H0p"));
  period_ = addBox(tr("有義波周期 T1/3 (s)(&T):"), QStringLiteral("T13"));
  boxes->addStretch();
  layout->addLayout(boxes);
  message_ = new QLabel;
  message_->setObjectName(QStringLiteral("randomMessage"));
  message_->setWordWrap(true);
  message_->setStyleSheet(gui::noteStyle());
  layout->addWidget(message_);

  auto* chart = new QChart;
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->setFont(gui::sheetFont(12, false));
  chart->legend()->setFont(gui::sheetFont(12, false));
  chart->legend()->setAlignment(Qt::AlignBottom);
  significant_ = new QLineSeries;
  significant_->setName(tr("有義波高 H1/3"));
  maximum_ = new QLineSeries;
  maximum_->setName(tr("最高波高 Hmax"));
  edge_ = new QLineSeries;
  edge_->setName(tr("砕波帯の沖側端"));
  QPen edgePen(Qt::gray);
  edgePen.setStyle(Qt::DashLine);
  edge_->setPen(edgePen);
  xAxis_ = new QValueAxis;
  xAxis_->setTitleText(tr("汀線からの距離 x (m)"));
  xAxis_->setReverse(true);  // sea on the left, shore on the right
  yAxis_ = new QValueAxis;
  yAxis_->setTitleText(tr("波高 (m)"));
  for (QValueAxis* axis : {xAxis_, yAxis_}) {
    axis->setTitleFont(gui::sheetFont(12, true));
    axis->setLabelsFont(gui::sheetFont(11, false));
  }
  chart->addAxis(xAxis_, Qt::AlignBottom);
  chart->addAxis(yAxis_, Qt::AlignLeft);
  for (QLineSeries* series : {significant_, maximum_, edge_}) {
    chart->addSeries(series);
    series->attachAxis(xAxis_);
    series->attachAxis(yAxis_);
  }
  for (QLineSeries* series : {significant_, maximum_}) {
    connect(series, &QLineSeries::hovered, this, [this](const QPointF& point, bool state) {
      if (state) showStation(point.x());
    });
  }
  view_ = new QChartView(chart);
  view_->setObjectName(QStringLiteral("randomChart"));
  view_->setRenderHint(QPainter::Antialiasing);
  // Tall enough for the height axis's labels and title and the legend.
  view_->setMinimumHeight(kChartMinimumHeight);
  layout->addWidget(view_, 1);
  hover_ = new QLabel;
  hover_->setObjectName(QStringLiteral("randomHover"));
  hover_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  hover_->setMinimumHeight(hover_->fontMetrics().height());
  hover_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  layout->addWidget(hover_);
}

void RandomView::setBeach(double n, double Ho, double T) {
  n_ = n;
  if (!typed_) {
    height_->setText(shortest(Ho));
    period_->setText(shortest(T));
  }
  redraw();
}

QString RandomView::heightText() const { return height_->text(); }
QString RandomView::periodText() const { return period_->text(); }

void RandomView::setInputs(const QString& height, const QString& period, bool typed) {
  typed_ = typed;
  height_->setText(height);
  period_->setText(period);
  redraw();
}

QString RandomView::hoverText() const { return hover_->text(); }

void RandomView::redraw() {
  const double H0p = report::inputNumber(height_->text().toStdString());
  const double T13 = report::inputNumber(period_->text().toStdString());
  profile_ = shore::randomProfile(H0p, T13, n_);
  emit seaChanged();
  QList<QPointF> significant, maximum;
  float highest = 0;
  for (const shore::RandomStation& station : profile_.stations) {
    if (!station.state.ok()) continue;
    significant.append(QPointF(station.x, station.state.H13));
    maximum.append(QPointF(station.x, station.state.Hmax));
    highest = std::max(highest, station.state.Hmax);
  }
  significant_->replace(significant);
  maximum_->replace(maximum);
  hover_->clear();
  if (!profile_.ok()) {
    edge_->clear();
    QString text = QString::fromStdString(report::errorText(profile_.error, gui::language()));
    // The value refused, and for the steepness the limit it passed.
    if (profile_.error == shore::Error::InvalidHeight) {
      text += QLatin1Char('\n') + rejectedText(QStringLiteral("H0′"), height_->text());
    } else if (profile_.error == shore::Error::InvalidPeriod) {
      text += QLatin1Char('\n') + rejectedText(QStringLiteral("T1/3"), period_->text());
    } else if (profile_.error == shore::Error::SteepnessLimit) {
      // L0 = gT²/(2π), as the engine forms it, for the message only.
      const double L0 = wave::kGravity / 2 / wave::kPi * T13 * T13;
      text += QLatin1Char('\n') + tr("H0′/L0 = %1（上限 %2）")
                                      .arg(threeDecimals(H0p / L0),
                                           threeDecimals(shore::kMaxDeepWaterSteepness));
    }
    message_->setText(text);
    message_->setStyleSheet(gui::errorStyle());
    return;
  }
  message_->setStyleSheet(gui::noteStyle());
  QString note = tr("合田 (1975) の不規則波の砕波変形：砕波帯の沖側端 h = %1 m で H1/3 = %2 m．"
                    "H0′ は屈折・回折を考慮した換算沖波波高です（規則波の Ho とは異なります）．")
                     .arg(twoDecimals(profile_.edge.h), twoDecimals(profile_.edge.H13));
  // The sea's warnings and every station's (heights above the depth, the
  // shallow end of Goda's diagrams, Ks not formed), each said once.
  shore::Warnings all = profile_.edge.warnings;
  for (const shore::RandomStation& station : profile_.stations) all.add(station.state.warnings);
  const std::string warnings = report::warningText(all, gui::language());
  if (!warnings.empty()) note += QStringLiteral("\n") + QString::fromStdString(warnings);
  message_->setText(note);
  const double edgeX = n_ * double(profile_.edge.h);
  edge_->replace({QPointF(edgeX, 0), QPointF(edgeX, double(highest) * 1.1)});
  xAxis_->setRange(0, double(profile_.stations.front().x));
  xAxis_->applyNiceNumbers();
  yAxis_->setRange(0, double(highest) * 1.1);
  yAxis_->applyNiceNumbers();
}

void RandomView::showStation(double x) {
  const auto& stations = profile_.stations;
  if (stations.empty()) return;
  const auto nearest = std::min_element(stations.begin(), stations.end(), [x](const auto& a, const auto& b) {
    return std::abs(double(a.x) - x) < std::abs(double(b.x) - x);
  });
  const shore::RandomState& s = nearest->state;
  hover_->setText(tr("x = %1 m　h = %2 m　Ks = %3　H1/3 = %4 m（%5）　Hmax = %6 m（%7）")
                      .arg(twoDecimals(nearest->x), twoDecimals(s.h), twoDecimals(s.Ks),
                           twoDecimals(s.H13), termText(s.H13Term, false), twoDecimals(s.Hmax),
                           termText(s.HmaxTerm, true)));
}

}  // namespace saiha::profile
