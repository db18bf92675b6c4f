#include "gui/profile/MeasuredProfileView.h"

#include <QAreaSeries>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QSettings>
#include <QSignalBlocker>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "gui/profile/StripChart.h"
#include "gui/style.h"

namespace saiha::profile {

namespace {

const QString kFolderKey = QStringLiteral("profile/measuredFolder");
const QColor kStillWater(0x3b, 0x7d, 0xd8);

QLineSeries* line(const QString& name, const QColor& colour, Qt::PenStyle style = Qt::SolidLine,
                  qreal width = 2) {
  auto* series = new QLineSeries;
  series->setName(name);
  QPen pen(colour);
  pen.setWidthF(width);
  pen.setStyle(style);
  series->setPen(pen);
  return series;
}

QValueAxis* axis(const QString& title, const QColor& colour = Qt::black) {
  auto* a = new QValueAxis;
  a->setTitleText(title);
  a->setTitleBrush(colour);
  a->setLabelFormat(QStringLiteral("%.4g"));
  // A strip is low: its few labels have room, though Qt would elide them.
  a->setTruncateLabels(false);
  return a;
}

// A y range with a margin, never empty.
void fit(QValueAxis* axis, double low, double high, bool fromZero = false) {
  if (!std::isfinite(low) || !std::isfinite(high)) {
    low = 0;
    high = 1;
  }
  if (fromZero) low = std::min(low, 0.0);
  const double span = std::max(high - low, 1e-3);
  axis->setRange(fromZero && low >= 0 ? low : low - 0.08 * span, high + 0.08 * span);
  axis->applyNiceNumbers();
}

// The round step (1, 2 or 5 times a power of ten) at or above `rough`.
double niceStep(double rough) {
  if (!(rough > 0) || !std::isfinite(rough)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double m : {1.0, 2.0, 5.0}) {
    if (m * power >= rough) return m * power;
  }
  return 10 * power;
}

}  // namespace

MeasuredProfileView::MeasuredProfileView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("measuredView"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);

  // The file and what the sea does at the shoreline.
  auto* top = new QHBoxLayout;
  file_ = new QLabel;
  file_->setObjectName(QStringLiteral("measuredFile"));
  file_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary_ = new QLabel;
  summary_->setObjectName(QStringLiteral("measuredSummary"));
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary_->setToolTip(
      tr("砕波開始: Qb が 0.01 以上になる最初の断面点．ηmax: 水のある点での平均水位の最大．\n"
         "平均汀線: 汀線での平均水位が海底と交わる点．R2%: Stockdon et al. (2006)，静水位から"));
  top->addWidget(file_);
  top->addStretch();
  top->addWidget(summary_);
  layout->addLayout(top);

  // The sea at the offshore boundary, then the model, each on a line of its
  // own: together they would not fit beside the model panel.
  auto* boxes = new QHBoxLayout;
  const auto addBox = [&](const QString& label, const QString& name, const QString& tip) {
    auto* text = new QLabel(label);
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setToolTip(tip);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000.000")) + 16);
    text->setBuddy(box);
    boxes->addWidget(text);
    boxes->addWidget(box);
    connect(box, &QLineEdit::textEdited, this, [this] {
      typed_ = true;
      showSeaOrigin();
      recompute();
    });
    return box;
  };
  // Mnemonics apart from the window's menus (the model panel is hidden on
  // this page).
  height_ = addBox(tr("Hrms0 (m)(&R):"), QStringLiteral("Hrms0"),
                   tr("沖側境界の自乗平均平方根波高．既定は計算ウィンドウの Ho を有義波高 Hm0 "
                      "とみなした Ho/√2"));
  period_ = addBox(tr("Tp (s)(&P):"), QStringLiteral("Tp"), tr("ピーク周期．既定は T"));
  angle_ = addBox(tr("θ0 (°)(&D):"), QStringLiteral("theta0"),
                  tr("沖側境界での波向（汀線の法線から）．既定は αo"));
  tide_ = addBox(tr("潮位 (m)(&T):"), QStringLiteral("tide"),
                 tr("基準面からの静水位．静水深 h = 潮位 − z"));
  boxes->addStretch();
  layout->addLayout(boxes);
  // Where the boxes' values come from: the calculation window's wave, until
  // one is typed.
  seaOrigin_ = new QLabel;
  seaOrigin_->setObjectName(QStringLiteral("measuredSeaOrigin"));
  seaOrigin_->setWordWrap(true);
  seaOrigin_->setStyleSheet(gui::noteStyle());
  layout->addWidget(seaOrigin_);
  showSeaOrigin();
  auto* models = new QHBoxLayout;
  const auto addCombo = [&](const QString& label, const QString& name) {
    auto* text = new QLabel(label);
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    text->setBuddy(combo);
    models->addWidget(text);
    models->addWidget(combo);
    models->addSpacing(12);
    return combo;
  };
  dissipation_ = addCombo(tr("砕波減衰(&B):"), QStringLiteral("dissipation"));
  for (std::size_t i = 0; i < MeasuredProfileModel::kDissipations.size(); ++i) {
    dissipation_->addItem(MeasuredProfileModel::dissipationDisplayName(i));
  }
  gamma_ = addCombo(tr("砕波パラメータ γ(&A):"), QStringLiteral("gammaRule"));
  for (std::size_t i = 0; i < MeasuredProfileModel::kGammaRules.size(); ++i) {
    gamma_->addItem(MeasuredProfileModel::gammaDisplayName(i));
  }
  // The current's bed roughness on the boxes' row, where there is room: the
  // models' row is as wide as the page already.
  {
    auto* text = new QLabel(tr("底面粗度 ka(&U):"));
    roughness_ = new QComboBox;
    roughness_->setObjectName(QStringLiteral("roughness"));
    roughness_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    text->setBuddy(roughness_);
    boxes->insertSpacing(boxes->count() - 1, 12);
    boxes->insertWidget(boxes->count() - 1, text);
    boxes->insertWidget(boxes->count() - 1, roughness_);
  }
  for (std::size_t i = 0; i < MeasuredProfileModel::kRoughnesses.size(); ++i) {
    roughness_->addItem(MeasuredProfileModel::roughnessDisplayName(i));
  }
  roughness_->setToolTip(tr("沿岸流の底面摩擦の見かけの粗度．Ruessink ほか (2001) が Duck と Egmond で求めた値"));
  for (QComboBox* combo : {dissipation_, gamma_, roughness_}) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
  }
  models->addStretch();
  layout->addLayout(models);

  error_ = new QLabel;
  error_->setObjectName(QStringLiteral("measuredError"));
  error_->setWordWrap(true);
  error_->setStyleSheet(gui::errorStyle());
  error_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  error_->hide();
  note_ = new QLabel;
  note_->setObjectName(QStringLiteral("measuredNote"));
  note_->setWordWrap(true);
  note_->setStyleSheet(gui::noteStyle());
  note_->hide();
  layout->addWidget(error_);
  layout->addWidget(note_);

  // The curves, strip by strip.
  series_[Hrms] = line(tr("Hrms"), gui::palette::kHeight);
  series_[H13] = line(tr("H1/3"), gui::palette::kHeight.darker(140), Qt::DashLine);
  series_[Eta] = line(tr("平均水位 η"), gui::palette::kMeanLevel);
  series_[Qb] = line(tr("砕波率 Qb"), gui::palette::kOnset);
  series_[V] = line(tr("沿岸流速 V"), gui::palette::kSecondary);
  series_[StillWater] = line(tr("静水位"), kStillWater, Qt::DashLine, 1.5);
  series_[MeanWater] = line(tr("平均水位"), gui::palette::kMeanLevel);
  auto* bedTop = new QLineSeries;
  bedBase_ = new QLineSeries;
  series_[Bed] = bedTop;
  auto* bed = new QAreaSeries(bedTop, bedBase_);
  bed->setName(tr("海底"));
  bed->setBrush(gui::palette::kSand);
  bed->setPen(QPen(gui::palette::kSandEdge, 1.5));
  onset_ = line(tr("砕波開始"), gui::palette::kOnset, Qt::DotLine, 1.5);

  heightAxis_ = axis(tr("波高 (m)"), gui::palette::kHeight);
  etaAxis_ = axis(tr("η (m)"), gui::palette::kMeanLevel);
  qbAxis_ = axis(tr("Qb"), gui::palette::kOnset);
  currentAxis_ = axis(tr("V (m/s)"), gui::palette::kSecondary);
  elevationAxis_ = axis(tr("標高 z (m)"), gui::palette::kSandEdge);
  struct StripPlan {
    std::vector<QAbstractSeries*> left, right;
    QValueAxis* leftAxis;
    QValueAxis* rightAxis;
    int stretch;
  };
  const std::array<StripPlan, 4> plans = {{
      {{series_[Hrms], series_[H13], onset_}, {}, heightAxis_, nullptr, 3},
      {{series_[Eta]}, {}, etaAxis_, nullptr, 2},
      {{series_[Qb]}, {series_[V]}, qbAxis_, currentAxis_, 2},
      {{bed, series_[StillWater], series_[MeanWater]}, {}, elevationAxis_, nullptr, 3},
  }};
  for (std::size_t i = 0; i < plans.size(); ++i) {
    const StripPlan& plan = plans[i];
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignTop);
    const bool last = i + 1 == plans.size();
    xAxes_[i] = new QValueAxis;
    xAxes_[i]->setLabelFormat(QStringLiteral("%.0f"));
    if (last) {
      xAxes_[i]->setTitleText(tr("岸向きの距離 x (m)"));
    } else {
      xAxes_[i]->setLabelsVisible(false);
    }
    chart->addAxis(xAxes_[i], Qt::AlignBottom);
    chart->addAxis(plan.leftAxis, Qt::AlignLeft);
    if (plan.rightAxis) chart->addAxis(plan.rightAxis, Qt::AlignRight);
    for (QAbstractSeries* s : plan.left) {
      chart->addSeries(s);
      s->attachAxis(xAxes_[i]);
      s->attachAxis(plan.leftAxis);
    }
    for (QAbstractSeries* s : plan.right) {
      chart->addSeries(s);
      s->attachAxis(xAxes_[i]);
      s->attachAxis(plan.rightAxis);
    }
    strips_[i] = new StripChart(chart);
    strips_[i]->setObjectName(QStringLiteral("strip%1").arg(i));
    layout->addWidget(strips_[i], plan.stretch);
    connect(strips_[i], &StripChart::hovered, this, &MeasuredProfileView::showPointAt);
    connect(strips_[i], &StripChart::left, this, [this] { hover_->clear(); });
    // Queued: not from inside the chart's own layout.
    connect(strips_[i], &StripChart::plotMoved, this, &MeasuredProfileView::alignStrips,
            Qt::QueuedConnection);
  }
  // The onset's mark says itself in the summary; the legend keeps to curves.
  for (QLegendMarker* marker : strips_[0]->chart()->legend()->markers(onset_)) marker->setVisible(false);

  hover_ = new QLabel;
  hover_->setObjectName(QStringLiteral("measuredHover"));
  hover_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  hover_->setMinimumHeight(hover_->fontMetrics().height());
  hover_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  layout->addWidget(hover_);
  redraw();
}

bool MeasuredProfileView::openProfile(const QString& path) {
  const bool read = model_.open(QFileInfo(path).absoluteFilePath());
  if (read) QSettings().setValue(kFolderKey, QFileInfo(path).absolutePath());
  recompute();
  emit profileOpened();
  return read;
}

bool MeasuredProfileView::askOpenProfile() {
  QFileDialog dialog(window(), tr("実測断面を開く"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({tr("断面 CSV（列 x, z）(*.csv *.txt)"), tr("すべてのファイル (*)")});
  const QString folder = QSettings().value(kFolderKey).toString();
  if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  return openProfile(dialog.selectedFiles().constFirst());
}

void MeasuredProfileView::setWave(double Ho, double T, double alpha0) {
  const std::optional<SeaTexts> sea = MeasuredProfileModel::seaFromWave(Ho, T, alpha0);
  if (!sea) return;
  waveSea_ = *sea;
  if (typed_) return;
  setSeaTexts(*sea);
  recompute();
}

void MeasuredProfileView::showSeaOrigin() {
  seaOrigin_->setText(
      typed_ ? tr("沖側境界の波は入力した値です．")
             : tr("沖側境界の波は計算ウィンドウの波から: Hrms0 = Ho/√2（Ho を有義波高 Hm0 とみなす），"
                  "Tp = T，θ0 = αo，潮位 0．値を入力するとその値で計算します．"));
}

void MeasuredProfileView::setSeaTexts(const SeaTexts& sea) {
  height_->setText(sea.Hrms0);
  period_->setText(sea.Tp);
  angle_->setText(sea.theta0);
  tide_->setText(sea.tide);
}

MeasuredChoices MeasuredProfileView::choices() const {
  MeasuredChoices c;
  c.path = model_.path();
  // Boxes that follow the calculation window are no choice of the user's.
  if (typed_) {
    c.Hrms0 = height_->text();
    c.Tp = period_->text();
    c.theta0 = angle_->text();
    c.tide = tide_->text();
  }
  c.typed = typed_;
  const auto name = [](std::string_view n) { return QString::fromLatin1(n.data(), qsizetype(n.size())); };
  c.dissipation =
      name(MeasuredProfileModel::kDissipations[std::size_t(dissipation_->currentIndex())].name);
  c.gamma = name(MeasuredProfileModel::kGammaRules[std::size_t(gamma_->currentIndex())].name);
  c.roughness =
      name(MeasuredProfileModel::kRoughnesses[std::size_t(roughness_->currentIndex())].name);
  return c;
}

void MeasuredProfileView::setChoices(const MeasuredChoices& c) {
  typed_ = c.typed;
  showSeaOrigin();
  if (typed_) {
    setSeaTexts({c.Hrms0, c.Tp, c.theta0, c.tide});
  } else if (waveSea_) {
    setSeaTexts(*waveSea_);
  }
  {
    const QSignalBlocker quietDissipation(dissipation_), quietGamma(gamma_),
        quietRoughness(roughness_);
    roughness_->setCurrentIndex(std::max(0, MeasuredProfileModel::roughnessIndex(c.roughness)));
    dissipation_->setCurrentIndex(std::max(0, MeasuredProfileModel::dissipationIndex(c.dissipation)));
    gamma_->setCurrentIndex(std::max(0, MeasuredProfileModel::gammaIndex(c.gamma)));
  }
  // Read again even when it is the file shown: it may have changed or gone.
  if (c.path.isEmpty()) {
    model_.clear();
  } else {
    model_.open(c.path);
  }
  recompute();
}

QString MeasuredProfileView::errorText() const {
  return error_->isVisible() ? error_->text() : QString();
}
QString MeasuredProfileView::noteText() const { return note_->isVisible() ? note_->text() : QString(); }
QString MeasuredProfileView::summaryText() const { return summary_->text(); }
QString MeasuredProfileView::hoverText() const { return hover_->text(); }

void MeasuredProfileView::showPointAt(double x) {
  hover_->setText(model_.pointText(model_.nearest(x)));
}

void MeasuredProfileView::recompute() {
  model_.compute({height_->text(), period_->text(), angle_->text(), tide_->text()},
                 std::size_t(std::max(0, dissipation_->currentIndex())),
                 std::size_t(std::max(0, gamma_->currentIndex())),
                 std::size_t(std::max(0, roughness_->currentIndex())));
  redraw();
}

void MeasuredProfileView::alignStrips() {
  // Every plot as far from the left and right as the widest axes need.
  int left = 0, right = 0;
  for (const StripChart* strip : strips_) {
    left = std::max(left, strip->axesLeft());
    right = std::max(right, strip->axesRight());
  }
  for (StripChart* strip : strips_) strip->alignPlot(left + 4, right + 4);
}

void MeasuredProfileView::clearCurves() {
  for (QXYSeries* s : series_) s->clear();
  bedBase_->clear();
  onset_->clear();
}

void MeasuredProfileView::redraw() {
  hover_->clear();
  const QString path = model_.path();
  if (path.isEmpty()) {
    file_->setText(tr("断面: なし（ファイル → 実測断面を開く… で x, z の CSV を読み込みます）"));
    file_->setToolTip(QString());
  } else {
    file_->setText(tr("断面: %1").arg(QFileInfo(path).fileName()));
    file_->setToolTip(path);
  }
  const QString error = model_.errorText();
  // A file that cannot be read, or a sea the engine refuses on a profile read.
  const QString lead = model_.hasBed() ? tr("計算できません: ") : tr("断面を読めません: ");
  error_->setText(error.isEmpty() ? QString() : lead + error);
  error_->setVisible(!error.isEmpty());
  const QString warnings = model_.errorText().isEmpty() ? model_.warningText() : QString();
  note_->setText(warnings);
  note_->setVisible(!warnings.isEmpty());
  summary_->setText(model_.summaryText());

  clearCurves();
  const MeasuredBed& bed = model_.bed();
  if (bed.x.empty()) return;
  const shore::TransformResult& r = model_.result();
  const double tide = model_.condition().tide;
  const double xLow = bed.x.front(), xHigh = bed.x.back();
  // The profile's own extent, with ticks at round distances from x = 0.
  const double step = niceStep((xHigh - xLow) / 8);
  for (QValueAxis* x : xAxes_) {
    x->setRange(xLow, xHigh);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(step);
  }
  // The bed filled down to the elevation axis's floor.
  const auto [zLow, zHigh] = std::minmax_element(bed.z.begin(), bed.z.end());
  const bool levels = std::isfinite(tide);
  fit(elevationAxis_, *zLow, std::max(*zHigh, levels ? tide : *zHigh));
  QList<QPointF> top, base;
  for (std::size_t i = 0; i < bed.x.size(); ++i) {
    top.append(QPointF(bed.x[i], bed.z[i]));
    base.append(QPointF(bed.x[i], elevationAxis_->min()));
  }
  series_[Bed]->replace(top);
  bedBase_->replace(base);
  if (levels) series_[StillWater]->replace({QPointF(xLow, tide), QPointF(xHigh, tide)});

  const int wet = model_.wetCount();
  QList<QPointF> hrms, h13, eta, mean, qb, v;
  double highest = 0, etaLow = 0, etaHigh = 0, vLow = 0, vHigh = 0;
  for (int k = 0; k < wet; ++k) {
    const std::size_t i = std::size_t(k);
    const double x = bed.x[i];
    hrms.append(QPointF(x, r.Hrms[i]));
    h13.append(QPointF(x, r.H13[i]));
    eta.append(QPointF(x, r.eta[i]));
    mean.append(QPointF(x, tide + double(r.eta[i])));
    qb.append(QPointF(x, r.Qb[i]));
    v.append(QPointF(x, r.V[i]));
    highest = std::max({highest, double(r.Hrms[i]), double(r.H13[i])});
    etaLow = std::min(etaLow, double(r.eta[i]));
    etaHigh = std::max(etaHigh, double(r.eta[i]));
    vLow = std::min(vLow, double(r.V[i]));
    vHigh = std::max(vHigh, double(r.V[i]));
  }
  series_[Hrms]->replace(hrms);
  series_[H13]->replace(h13);
  series_[Eta]->replace(eta);
  series_[MeanWater]->replace(mean);
  series_[Qb]->replace(qb);
  series_[V]->replace(v);
  fit(heightAxis_, 0, highest, true);
  fit(etaAxis_, etaLow, etaHigh);
  qbAxis_->setRange(0, 1);
  fit(currentAxis_, vLow, vHigh);
  if (wet > 0 && std::isfinite(r.xBreaking)) {
    onset_->replace({QPointF(r.xBreaking, heightAxis_->min()), QPointF(r.xBreaking, heightAxis_->max())});
  }
}

}  // namespace saiha::profile
