#include "gui/profile/StructureView.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "gui/language.h"
#include "gui/profile/CaissonDiagram.h"
#include "gui/style.h"
#include "runtime/text.h"

namespace saiha::profile {

namespace {

const QString kSettings = QStringLiteral("structure/");

QString shortest(double value) {
  return QString::fromStdString(rt::formatShortest(static_cast<float>(value)));
}

QString escaped(const QString& text) {
  return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

QLabel* resultLabel(const QString& name) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QLabel* messageLabel(const QString& name, const QString& style) {
  auto* label = resultLabel(name);
  label->setStyleSheet(style);
  label->hide();
  return label;
}

void showMessage(QLabel* label, const QString& text) {
  label->setText(text);
  label->setVisible(!text.isEmpty());
}

// A form of label–box pairs, two pairs a row.
QGridLayout* boxGrid() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  grid->setColumnMinimumWidth(2, 10);
  grid->setColumnMinimumWidth(5, 10);
  grid->setColumnStretch(8, 1);
  return grid;
}

}  // namespace

StructureView::StructureView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("structureView"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);

  // The site and its design wave, shared by both sections.
  auto* site = new QHBoxLayout;
  follow_ = new QCheckBox(tr("計算ウィンドウと不規則波（合田）のページに従う"));
  follow_->setObjectName(QStringLiteral("follow"));
  follow_->setChecked(true);
  follow_->setToolTip(tr("海底勾配は計算ウィンドウの 1/n から，設計波は「不規則波（合田）」の H0′ と T1/3 "
                         "から水深 h で求めます．波の欄か勾配に入力すると外れます"));
  connect(follow_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) setBeach(n_);
    recompute();
  });
  const auto siteBox = [&](const QString& label, const QString& name, const QString& tip) {
    auto* text = new QLabel(label);
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setToolTip(tip);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000.000")) + 16);
    text->setBuddy(box);
    site->addWidget(text);
    site->addWidget(box);
    site->addSpacing(8);
    connect(box, &QLineEdit::textEdited, this, &StructureView::typed);
    return box;
  };
  h_ = siteBox(tr("水深 h (m)(&D):"), QStringLiteral("site-h"),
               tr("構造物の位置の水深（ケーソンのマウンド前面，斜面・護岸の前面）．設計波はこの水深で"
                  "求めます"));
  disconnect(h_, &QLineEdit::textEdited, this, &StructureView::typed);
  connect(h_, &QLineEdit::textEdited, this, &StructureView::recompute);
  n_box_ = siteBox(tr("海底勾配 1/n(&N):"), QStringLiteral("site-n"), tr("構造物の前面の海底勾配 1/n の n"));
  site->addWidget(follow_);
  site->addStretch();
  layout->addLayout(site);
  design_ = resultLabel(QStringLiteral("designWave"));
  layout->addWidget(design_);

  sections_ = new QTabWidget;
  sections_->setObjectName(QStringLiteral("structureSections"));
  sections_->addTab(buildCaisson(), tr("直立堤（ケーソン）"));
  sections_->addTab(buildSlope(), tr("斜面・護岸：越波と被覆石"));
  layout->addWidget(sections_, 1);

  restoreSettings();
  recompute();
}

StructureView::~StructureView() { saveSettings(); }

QLineEdit* StructureView::addBox(QGridLayout* grid, int row, int column, const QString& label,
                                 const QString& name, const QString& tip, bool follows) {
  auto* text = new QLabel(label);
  auto* box = new QLineEdit;
  box->setObjectName(name);
  box->setToolTip(tip);
  box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000.00")) + 12);
  text->setBuddy(box);
  text->setToolTip(tip);
  grid->addWidget(text, row, column * 3);
  grid->addWidget(box, row, column * 3 + 1);
  connect(box, &QLineEdit::textEdited, this, follows ? &StructureView::typed : &StructureView::recompute);
  return box;
}

QWidget* StructureView::buildCaisson() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("caissonPage"));
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(4, 4, 4, 4);
  auto* row = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  auto* grid = boxGrid();
  Hmax_ = addBox(grid, 0, 0, tr("最高波高 Hmax (m)(&X):"), QStringLiteral("Hmax"),
                 tr("設計波高：合田の最高波高 Hmax"), true);
  H13_ = addBox(grid, 0, 1, tr("有義波高 H1/3 (m)(&3):"), QStringLiteral("H13"),
                tr("hb = h + 5H1/3/n を定める有義波高"), true);
  T_ = addBox(grid, 0, 2, tr("周期 T1/3 (s)(&T):"), QStringLiteral("T13"),
              tr("設計の周期：有義波周期 T1/3．波長 L は水深 h での微小振幅波の値"), true);
  hPrime_ = addBox(grid, 1, 0, tr("底面水深 h′ (m)(&P):"), QStringLiteral("hPrime"),
                   tr("ケーソン底面の静水面からの深さ（d ≤ h′ ≤ h）"), false);
  d_ = addBox(grid, 1, 1, tr("マウンド上水深 d (m)(&U):"), QStringLiteral("d"),
              tr("マウンドの被覆（根固め）の上の水深"), false);
  hc_ = addBox(grid, 1, 2, tr("天端高 hc (m)(&C):"), QStringLiteral("hc"),
               tr("静水面からケーソン天端までの高さ"), false);
  B_ = addBox(grid, 2, 0, tr("堤体幅 B (m)(&B):"), QStringLiteral("B"), tr("ケーソンの幅"), false);
  berm_ = addBox(grid, 2, 1, tr("バーム幅 BM (m)(&R):"), QStringLiteral("berm"),
                 tr("ケーソン前面のマウンドの肩幅（高橋の衝撃砕波圧係数 αI に用いる）"), false);
  beta_ = addBox(grid, 2, 2, tr("入射角 β (°)(&L):"), QStringLiteral("beta"),
                 tr("堤の法線からの波向．15° まで法線側に回して用います"), false);
  mu_ = addBox(grid, 3, 0, tr("摩擦係数 μ:"), QStringLiteral("mu"),
               tr("ケーソンとマウンドの間の摩擦係数"), false);
  rho_ = addBox(grid, 3, 1, tr("海水の密度 ρ (kg/m³):"), QStringLiteral("rho"), QString(), false);
  density_ = addBox(grid, 3, 2, tr("堤体の平均密度 (kg/m³):"), QStringLiteral("density"),
                    tr("中詰めを含むケーソンの平均密度．水中重量 W = (ρc(h′ + hc) − ρh′)gB"), false);
  impulsive_ = new QCheckBox(tr("高橋の衝撃砕波圧 αI を含める(&A)"));
  impulsive_->setObjectName(QStringLiteral("impulsive"));
  impulsive_->setToolTip(tr("α2 の代わりに max(α2, αI) を用います（高橋・谷本・下迫 1994）．"
                            "外すと合田の原式"));
  connect(impulsive_, &QCheckBox::toggled, this, &StructureView::recompute);
  grid->addWidget(impulsive_, 4, 0, 1, 8);
  column->addLayout(grid);
  column->addLayout(row, 1);

  caissonError_ = messageLabel(QStringLiteral("caissonError"), gui::errorStyle());
  caissonNote_ = messageLabel(QStringLiteral("caissonNote"), gui::noteStyle());
  left->addWidget(caissonError_);
  left->addWidget(caissonNote_);
  // The results: the pressures in one line, then forces and stability.
  static constexpr std::array<const char*, StructureModel::CaissonLineCount> kNames = {
      "etaStar", "p1", "p2", "p3", "p4", "pu", "P", "U", "Mp", "Mu", "W", "sliding", "overturning",
      "heel", "coefficients"};
  for (std::size_t i = 0; i < caissonLines_.size(); ++i) {
    caissonLines_[i] = resultLabel(QStringLiteral("caisson-") + QLatin1String(kNames[i]));
  }
  auto* pressures = new QGridLayout;
  pressures->setHorizontalSpacing(14);
  for (int i = 0; i < 6; ++i) pressures->addWidget(caissonLines_[std::size_t(i)], i / 3, i % 3);
  left->addLayout(pressures);
  for (std::size_t i = StructureModel::Force; i < caissonLines_.size(); ++i) {
    left->addWidget(caissonLines_[i]);
  }
  left->addStretch();
  row->addLayout(left, 2);
  diagram_ = new CaissonDiagram;
  row->addWidget(diagram_, 3);
  return page;
}

QWidget* StructureView::buildSlope() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("slopePage"));
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(4, 4, 4, 4);
  auto* row = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  auto* grid = boxGrid();
  auto* kindLabel = new QLabel(tr("構造形式(&Y):"));
  kind_ = new QComboBox;
  kind_->setObjectName(QStringLiteral("slope-kind"));
  for (std::size_t i = 0; i < StructureModel::kKinds.size(); ++i) kind_->addItem(StructureModel::kindName(i));
  kindLabel->setBuddy(kind_);
  grid->addWidget(kindLabel, 0, 0);
  grid->addWidget(kind_, 0, 1, 1, 4);
  auto* approachLabel = new QLabel(tr("係数(&P):"));
  approach_ = new QComboBox;
  approach_->setObjectName(QStringLiteral("slope-approach"));
  for (std::size_t i = 0; i < StructureModel::kApproaches.size(); ++i) {
    approach_->addItem(StructureModel::approachName(i));
  }
  approach_->setToolTip(tr("EurOtop (2018) の設計・照査用の係数（平均値 + 約 1 標準偏差：確定的な設計に"
                           "推奨）と平均値の係数"));
  approachLabel->setBuddy(approach_);
  grid->addWidget(approachLabel, 0, 6);
  grid->addWidget(approach_, 0, 7);
  Hm0_ = addBox(grid, 1, 0, tr("有義波高 Hm0 (m)(&0):"), QStringLiteral("slope-Hm0"),
                tr("前面でのスペクトル有義波高．既定は水深 h での合田の H1/3"), true);
  Tm10_ = addBox(grid, 1, 1, tr("周期 Tm−1,0 (s)(&T):"), QStringLiteral("slope-Tm10"),
                 tr("スペクトル周期 Tm−1,0．既定は T1/3 をピーク周期とみなした T1/3/1.1"), true);
  Rc_ = addBox(grid, 1, 2, tr("余裕高 Rc (m)(&R):"), QStringLiteral("slope-Rc"),
               tr("静水面から天端までの高さ（グラフに印）"), false);
  cotAlpha_ = addBox(grid, 2, 0, tr("勾配 cot α(&C):"), QStringLiteral("slope-cotAlpha"),
                     tr("斜面の勾配 1:cot α"), false);
  gammaF_ = addBox(grid, 2, 1, tr("粗度 γf(&U):"), QStringLiteral("slope-gammaF"),
                   tr("粗度の影響係数：滑らかな斜面 1，捨石 2 層（透水性の心材）0.4"), false);
  gammaB_ = addBox(grid, 2, 2, tr("小段 γb(&B):"), QStringLiteral("slope-gammaB"),
                   tr("小段（バーム）の影響係数"), false);
  gammaV_ = addBox(grid, 3, 0, tr("パラペット γv:"), QStringLiteral("slope-gammaV"),
                   tr("斜面上の直立壁の影響係数"), false);
  slopeBeta_ = addBox(grid, 3, 1, tr("入射角 β (°)(&L):"), QStringLiteral("slope-beta"),
                      tr("構造物の法線からの波向"), false);
  moundD_ = addBox(grid, 3, 2, tr("マウンド上水深 d (m):"), QStringLiteral("slope-d"),
                   tr("混成堤：マウンド上の水深（d ≤ h）"), false);
  column->addLayout(grid);

  auto* armourGrid = boxGrid();
  auto* armourLabel = new QLabel(tr("被覆石の式(&Z):"));
  armour_ = new QComboBox;
  armour_->setObjectName(QStringLiteral("slope-armour"));
  for (std::size_t i = 0; i < StructureModel::kArmours.size(); ++i) {
    armour_->addItem(StructureModel::armourName(i));
  }
  armourLabel->setBuddy(armour_);
  armourGrid->addWidget(armourLabel, 0, 0);
  armourGrid->addWidget(armour_, 0, 1, 1, 4);
  armourT_ = addBox(armourGrid, 0, 2, tr("周期 (s):"), QStringLiteral("slope-armourT"),
                    tr("Van Gent ほか：Tm−1,0（既定は上の Tm−1,0）．Van der Meer (1988)：平均周期 Tm"),
                    true);
  armourTLabel_ = qobject_cast<QLabel*>(armourGrid->itemAtPosition(0, 6)->widget());
  rhoS_ = addBox(armourGrid, 1, 0, tr("石の密度 ρs (kg/m³):"), QStringLiteral("slope-rhoS"), QString(), false);
  P_ = addBox(armourGrid, 1, 1, tr("透水係数 P:"), QStringLiteral("slope-P"),
              tr("Van der Meer の透水係数：不透過の心材 0.1，フィルター上 2 層 0.4，透水性の心材 0.5"),
              false);
  S_ = addBox(armourGrid, 1, 2, tr("被害度 S:"), QStringLiteral("slope-S"), tr("2：被害の始まり"), false);
  N_ = addBox(armourGrid, 2, 0, tr("波数 N:"), QStringLiteral("slope-N"), tr("暴浪中の波の数"), false);
  KD_ = addBox(armourGrid, 2, 1, tr("Hudson の K_D:"), QStringLiteral("slope-KD"), QString(), false);
  column->addLayout(armourGrid);
  column->addLayout(row, 1);
  for (QComboBox* combo : {kind_, approach_, armour_}) {
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(combo == approach_ ? 20 : 16);
    connect(combo, &QComboBox::currentIndexChanged, this, &StructureView::recompute);
  }

  slopeError_ = messageLabel(QStringLiteral("slopeError"), gui::errorStyle());
  slopeNote_ = messageLabel(QStringLiteral("slopeNote"), gui::noteStyle());
  left->addWidget(slopeError_);
  left->addWidget(slopeNote_);
  static constexpr std::array<const char*, StructureModel::SlopeLineCount> kSlopeNames = {
      "runup", "q", "regime", "approach"};
  for (std::size_t i = 0; i < slopeLines_.size(); ++i) {
    slopeLines_[i] = resultLabel(QStringLiteral("slope-") + QLatin1String(kSlopeNames[i]));
    left->addWidget(slopeLines_[i]);
  }
  static constexpr std::array<const char*, StructureModel::ArmourLineCount> kArmourNames = {
      "Dn50", "M50", "stability"};
  for (std::size_t i = 0; i < armourLines_.size(); ++i) {
    armourLines_[i] = resultLabel(QStringLiteral("armour-") + QLatin1String(kArmourNames[i]));
    left->addWidget(armourLines_[i]);
  }
  left->addStretch();
  row->addLayout(left, 2);

  // q against the freeboard, the crest chosen marked.
  auto* chart = new QChart;
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->setFont(gui::sheetFont(12, false));
  chart->legend()->setFont(gui::sheetFont(12, false));
  chart->legend()->setAlignment(Qt::AlignBottom);
  curve_ = new QLineSeries;
  curve_->setName(tr("平均越波流量 q"));
  curve_->setPen(QPen(gui::palette::kHeight, 2));
  crestLine_ = new QLineSeries;
  crestLine_->setName(tr("選んだ天端"));
  crestLine_->setPen(QPen(gui::palette::kChosen, 1.4, Qt::DashLine));
  crest_ = new QScatterSeries;
  crest_->setName(tr("選んだ天端での q"));
  crest_->setColor(gui::palette::kLimit);
  crest_->setMarkerSize(10);
  rcAxis_ = new QValueAxis;
  rcAxis_->setTitleText(tr("余裕高 Rc (m)"));
  rcAxis_->setLabelFormat(QStringLiteral("%.1f"));
  qAxis_ = new QLogValueAxis;
  qAxis_->setBase(10);
  qAxis_->setTitleText(tr("q (l/s/m)"));
  qAxis_->setLabelFormat(QStringLiteral("%g"));
  for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{rcAxis_, qAxis_}) {
    axis->setTitleFont(gui::sheetFont(12, true));
    axis->setLabelsFont(gui::sheetFont(11, false));
  }
  chart->addAxis(rcAxis_, Qt::AlignBottom);
  chart->addAxis(qAxis_, Qt::AlignLeft);
  for (QXYSeries* series : std::initializer_list<QXYSeries*>{curve_, crestLine_, crest_}) {
    chart->addSeries(series);
    series->attachAxis(rcAxis_);
    series->attachAxis(qAxis_);
  }
  chart_ = new QChartView(chart);
  chart_->setObjectName(QStringLiteral("dischargeChart"));
  chart_->setRenderHint(QPainter::Antialiasing);
  chart_->setMinimumSize(300, 260);
  row->addWidget(chart_, 3);
  return page;
}

void StructureView::setSea(const QString& H0p, const QString& T13) {
  if (H0p == H0p_ && T13 == T13_) return;
  H0p_ = H0p;
  T13_ = T13;
  recompute();
}

void StructureView::setBeach(double n) {
  n_ = n;
  if (following() && std::isfinite(n)) {
    quiet_ = true;
    n_box_->setText(shortest(n));
    quiet_ = false;
  }
  recompute();
}

bool StructureView::following() const { return follow_->isChecked(); }
void StructureView::setFollowing(bool follow) { follow_->setChecked(follow); }

void StructureView::typed() {
  if (quiet_) return;
  // A box typed in no longer follows; the others keep their texts.
  if (follow_->isChecked()) {
    const QSignalBlocker quiet(follow_);
    follow_->setChecked(false);
  }
  recompute();
}

SiteTexts StructureView::siteTexts() const { return {H0p_, T13_, n_box_->text(), h_->text()}; }

CaissonTexts StructureView::caissonTexts() const {
  CaissonTexts t;
  t.Hmax = Hmax_->text();
  t.H13 = H13_->text();
  t.T = T_->text();
  t.hPrime = hPrime_->text();
  t.d = d_->text();
  t.hc = hc_->text();
  t.B = B_->text();
  t.beta = beta_->text();
  t.berm = berm_->text();
  t.rho = rho_->text();
  t.density = density_->text();
  t.mu = mu_->text();
  t.impulsive = impulsive_->isChecked();
  return t;
}

void StructureView::setCaissonTexts(const CaissonTexts& t) {
  const QSignalBlocker quiet(impulsive_);
  Hmax_->setText(t.Hmax);
  H13_->setText(t.H13);
  T_->setText(t.T);
  hPrime_->setText(t.hPrime);
  d_->setText(t.d);
  hc_->setText(t.hc);
  B_->setText(t.B);
  beta_->setText(t.beta);
  berm_->setText(t.berm);
  rho_->setText(t.rho);
  density_->setText(t.density);
  mu_->setText(t.mu);
  impulsive_->setChecked(t.impulsive);
}

SlopeTexts StructureView::slopeTexts() const {
  SlopeTexts t;
  t.Hm0 = Hm0_->text();
  t.Tm10 = Tm10_->text();
  t.Rc = Rc_->text();
  t.cotAlpha = cotAlpha_->text();
  t.gammaF = gammaF_->text();
  t.gammaB = gammaB_->text();
  t.gammaV = gammaV_->text();
  t.beta = slopeBeta_->text();
  t.d = moundD_->text();
  t.kind = kind_->currentIndex();
  t.approach = approach_->currentIndex();
  t.armour = armour_->currentIndex();
  t.armourT = armourT_->text();
  t.rhoS = rhoS_->text();
  t.P = P_->text();
  t.S = S_->text();
  t.N = N_->text();
  t.KD = KD_->text();
  return t;
}

void StructureView::setSlopeTexts(const SlopeTexts& t) {
  const QSignalBlocker quietKind(kind_), quietApproach(approach_), quietArmour(armour_);
  Hm0_->setText(t.Hm0);
  Tm10_->setText(t.Tm10);
  Rc_->setText(t.Rc);
  cotAlpha_->setText(t.cotAlpha);
  gammaF_->setText(t.gammaF);
  gammaB_->setText(t.gammaB);
  gammaV_->setText(t.gammaV);
  slopeBeta_->setText(t.beta);
  moundD_->setText(t.d);
  kind_->setCurrentIndex(std::clamp(t.kind, 0, kind_->count() - 1));
  approach_->setCurrentIndex(std::clamp(t.approach, 0, approach_->count() - 1));
  armour_->setCurrentIndex(std::clamp(t.armour, 0, armour_->count() - 1));
  armourT_->setText(t.armourT);
  rhoS_->setText(t.rhoS);
  P_->setText(t.P);
  S_->setText(t.S);
  N_->setText(t.N);
  KD_->setText(t.KD);
}

void StructureView::recompute() {
  const SiteTexts site = siteTexts();
  model_.computeSite(site);
  if (following()) {
    CaissonTexts caisson = caissonTexts();
    SlopeTexts slope = slopeTexts();
    if (model_.followCaisson(caisson)) setCaissonTexts(caisson);
    if (model_.followSlope(slope)) setSlopeTexts(slope);
  }
  // Boxes typed over keep their own wave: the line says so.
  design_->setText(model_.designText() +
                   (following() || model_.designFailed() ? QString() : tr("（波の欄は入力値のまま）")));
  design_->setStyleSheet(model_.designFailed() ? gui::errorStyle() : QString());
  model_.computeCaisson(site, caissonTexts());
  model_.computeSlope(site, slopeTexts());
  showCaisson();
  showSlope();
}

void StructureView::showCaisson() {
  showMessage(caissonError_, model_.caissonError().isEmpty()
                                 ? QString()
                                 : tr("計算できません: ") + model_.caissonError());
  showMessage(caissonNote_, model_.caissonWarnings());
  for (std::size_t i = 0; i < caissonLines_.size(); ++i) {
    const auto line = StructureModel::CaissonLine(i);
    caissonLines_[i]->setText(model_.caissonText(line));
    const bool shortOf = (line == StructureModel::Sliding && model_.slidingShort()) ||
                         (line == StructureModel::Overturning && model_.overturningShort());
    caissonLines_[i]->setStyleSheet(shortOf ? gui::errorStyle() : QString());
    caissonLines_[i]->setProperty("flagged", shortOf);
  }
  if (!model_.caisson().ok()) {
    diagram_->clear();
    return;
  }
  std::array<QString, CaissonDiagram::PressureCount> labels;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    labels[i] = model_.caissonText(StructureModel::CaissonLine(StructureModel::EtaStar + int(i)));
  }
  diagram_->setSection(model_.caissonInput(), model_.caisson(), labels);
}

void StructureView::showSlope() {
  const structure::Structure kind = model_.overtoppingInput().structure;
  const bool slope = kind == structure::Structure::Slope;
  for (QLineEdit* box : {cotAlpha_, gammaF_, gammaB_, gammaV_}) box->setEnabled(slope);
  moundD_->setEnabled(kind == structure::Structure::Composite);
  const structure::ArmourMethod method = model_.armourInput().method;
  armourT_->setEnabled(method != structure::ArmourMethod::Hudson);
  armourTLabel_->setText(method == structure::ArmourMethod::VanDerMeer1988 ? tr("平均周期 Tm (s):")
                                                                            : tr("周期 Tm−1,0 (s):"));
  P_->setEnabled(method != structure::ArmourMethod::Hudson);
  S_->setEnabled(method != structure::ArmourMethod::Hudson);
  N_->setEnabled(method != structure::ArmourMethod::Hudson);
  KD_->setEnabled(method == structure::ArmourMethod::Hudson);

  QStringList errors;
  if (!model_.slopeError().isEmpty()) errors << tr("計算できません: ") + model_.slopeError();
  if (!model_.armourError().isEmpty()) errors << tr("被覆石を計算できません: ") + model_.armourError();
  showMessage(slopeError_, errors.join(QLatin1Char('\n')));
  QStringList notes;
  if (!model_.slopeWarnings().isEmpty()) notes << model_.slopeWarnings();
  if (!model_.armourWarnings().isEmpty()) notes << tr("被覆石: ") + model_.armourWarnings();
  showMessage(slopeNote_, notes.join(QLatin1Char('\n')));
  for (std::size_t i = 0; i < slopeLines_.size(); ++i) {
    slopeLines_[i]->setText(model_.slopeText(StructureModel::SlopeLine(i)));
  }
  for (std::size_t i = 0; i < armourLines_.size(); ++i) {
    armourLines_[i]->setText(model_.armourText(StructureModel::ArmourLine(i)));
  }

  const QList<QPointF>& points = model_.dischargeCurve();
  curve_->replace(points);
  crest_->clear();
  crestLine_->clear();
  const structure::OvertoppingResult& o = model_.overtopping();
  if (!o.ok() || points.isEmpty()) {
    rcAxis_->setRange(0, 1);
    qAxis_->setRange(1e-3, 1);
    return;
  }
  double high = 1e-3;
  for (const QPointF& p : points) high = std::max(high, p.y());
  // Whole decades from the negligible discharge up.
  const double top = std::pow(10.0, std::ceil(std::log10(high)));
  qAxis_->setRange(1e-3, std::max(top, 1e-2));
  // The freeboards computed, ticked at round steps from 0.
  const double end = model_.curveEnd();
  rcAxis_->setRange(0, end);
  const double rough = end / 6, power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = 10 * power;
  for (const double m : {5.0, 2.0, 1.0}) {
    if (m * power >= rough) step = m * power;
  }
  rcAxis_->setTickType(QValueAxis::TicksDynamic);
  rcAxis_->setTickAnchor(0);
  rcAxis_->setTickInterval(step);
  const double rc = model_.overtoppingInput().Rc;
  crestLine_->replace({QPointF(rc, 1e-3), QPointF(rc, qAxis_->max())});
  if (!o.warnings.has(shore::Warning::NegligibleOvertopping)) crest_->append(rc, double(o.q) * 1000);
}

QLineEdit* StructureView::box(const QString& name) const { return findChild<QLineEdit*>(name); }
QString StructureView::designText() const { return design_->text(); }
QString StructureView::caissonText(StructureModel::CaissonLine line) const {
  return caissonLines_[std::size_t(line)]->text();
}
QString StructureView::caissonError() const {
  return caissonError_->isHidden() ? QString() : caissonError_->text();
}
QString StructureView::caissonNote() const {
  return caissonNote_->isHidden() ? QString() : caissonNote_->text();
}
QString StructureView::slopeText(StructureModel::SlopeLine line) const {
  return slopeLines_[std::size_t(line)]->text();
}
QString StructureView::armourText(StructureModel::ArmourLine line) const {
  return armourLines_[std::size_t(line)]->text();
}
QString StructureView::slopeError() const { return slopeError_->isHidden() ? QString() : slopeError_->text(); }
QString StructureView::slopeNote() const { return slopeNote_->isHidden() ? QString() : slopeNote_->text(); }
bool StructureView::flagged(StructureModel::CaissonLine line) const {
  return caissonLines_[std::size_t(line)]->property("flagged").toBool();
}

void StructureView::saveSettings() const {
  QSettings settings;
  settings.setValue(kSettings + QStringLiteral("follow"), following());
  settings.setValue(kSettings + QStringLiteral("section"), sections_->currentIndex());
  for (const QLineEdit* b : findChildren<QLineEdit*>()) {
    settings.setValue(kSettings + QStringLiteral("box/") + b->objectName(), b->text());
  }
  settings.setValue(kSettings + QStringLiteral("impulsive"), impulsive_->isChecked());
  settings.setValue(kSettings + QStringLiteral("kind"), kind_->currentIndex());
  settings.setValue(kSettings + QStringLiteral("approach"), approach_->currentIndex());
  settings.setValue(kSettings + QStringLiteral("armour"), armour_->currentIndex());
}

void StructureView::restoreSettings() {
  quiet_ = true;
  const QSignalBlocker quietFollow(follow_);
  setCaissonTexts(StructureModel::defaultCaisson());
  setSlopeTexts(StructureModel::defaultSlope());
  h_->setText(QStringLiteral("16"));
  n_box_->setText(QStringLiteral("50"));
  const QSettings settings;
  follow_->setChecked(settings.value(kSettings + QStringLiteral("follow"), true).toBool());
  for (QLineEdit* b : findChildren<QLineEdit*>()) {
    const QString key = kSettings + QStringLiteral("box/") + b->objectName();
    if (settings.contains(key)) b->setText(settings.value(key).toString());
  }
  {
    const QSignalBlocker quietImpulsive(impulsive_), quietKind(kind_), quietApproach(approach_),
        quietArmour(armour_);
    impulsive_->setChecked(settings.value(kSettings + QStringLiteral("impulsive"), true).toBool());
    kind_->setCurrentIndex(std::clamp(settings.value(kSettings + QStringLiteral("kind"), 0).toInt(), 0,
                                      kind_->count() - 1));
    approach_->setCurrentIndex(std::clamp(
        settings.value(kSettings + QStringLiteral("approach"), 0).toInt(), 0, approach_->count() - 1));
    armour_->setCurrentIndex(std::clamp(settings.value(kSettings + QStringLiteral("armour"), 0).toInt(),
                                        0, armour_->count() - 1));
  }
  sections_->setCurrentIndex(std::clamp(settings.value(kSettings + QStringLiteral("section"), 0).toInt(),
                                        0, sections_->count() - 1));
  quiet_ = false;
}

QImage StructureView::diagramImage() const {
  // At a fixed size whatever the page's, twice its pixels for print.
  const QSize size(760, 520);
  QImage image(size * 2, QImage::Format_ARGB32);
  image.setDevicePixelRatio(2);
  image.fill(Qt::white);
  QPainter painter(&image);
  diagram_->paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return image;
}

QImage StructureView::chartImage() const {
  QImage image(chart_->size() * 2, QImage::Format_ARGB32);
  image.setDevicePixelRatio(2);
  image.fill(Qt::white);
  QPainter painter(&image);
  chart_->render(&painter);
  return image;
}

QString StructureView::reportHtml(const QString& diagramUrl, const QString& chartUrl) const {
  const auto table = [](const QList<std::pair<QString, QString>>& rows) {
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">");
    for (const auto& [name, value] : rows) {
      html += QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
                  .arg(escaped(name), escaped(value));
    }
    return html + QStringLiteral("</table>");
  };
  // A label's text without its access key and colon: "水深 h (m)".
  const auto name = [this](const QLineEdit* box) {
    for (const QLabel* label : findChildren<QLabel*>()) {
      if (label->buddy() == box) {
        QString text = label->text();
        text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
        text.remove(QLatin1Char('&'));
        if (text.endsWith(QLatin1Char(':'))) text.chop(1);
        return text;
      }
    }
    return box->objectName();
  };
  const auto lines = [](const QList<QLabel*>& labels) {
    QString html = QStringLiteral("<ul>");
    for (const QLabel* label : labels) {
      if (!label->text().isEmpty()) html += QStringLiteral("<li>%1</li>").arg(escaped(label->text()));
    }
    return html + QStringLiteral("</ul>");
  };
  QString html = QStringLiteral("<h2 style=\"page-break-before: always\">%1</h2>").arg(escaped(tr("構造物")));
  html += QStringLiteral("<p>%1</p>").arg(escaped(
      QStringLiteral("H0′ = %1 m, T1/3 = %2 s: ").arg(H0p_, T13_) + design_->text()));

  html += QStringLiteral("<h3>%1</h3>").arg(escaped(sections_->tabText(0)));
  QList<std::pair<QString, QString>> inputs = {{name(h_), h_->text()}, {name(n_box_), n_box_->text()}};
  for (const QLineEdit* b : {Hmax_, H13_, T_, hPrime_, d_, hc_, B_, berm_, beta_, mu_, rho_, density_}) {
    inputs.append({name(b), b->text()});
  }
  inputs.append({impulsive_->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)"))).remove(QLatin1Char('&')),
                 impulsive_->isChecked() ? tr("含める") : tr("含めない")});
  html += table(inputs);
  QList<QLabel*> results(caissonLines_.begin(), caissonLines_.end());
  if (!caissonError_->isHidden()) results.prepend(caissonError_);
  if (!caissonNote_->isHidden()) results.append(caissonNote_);
  html += lines(results);
  if (model_.caisson().ok()) {
    html += QStringLiteral("<p><img src=\"%1\" width=\"520\"></p>").arg(diagramUrl);
  }

  html += QStringLiteral("<h3>%1</h3>").arg(escaped(sections_->tabText(1)));
  QList<std::pair<QString, QString>> slope = {{tr("構造形式"), kind_->currentText()},
                                              {tr("係数"), approach_->currentText()}};
  for (const QLineEdit* b : {Hm0_, Tm10_, Rc_, cotAlpha_, gammaF_, gammaB_, gammaV_, slopeBeta_, moundD_}) {
    if (b->isEnabled()) slope.append({name(b), b->text()});
  }
  slope.append({tr("被覆石の式"), armour_->currentText()});
  for (const QLineEdit* b : {armourT_, rhoS_, P_, S_, N_, KD_}) {
    if (b->isEnabled()) slope.append({name(b), b->text()});
  }
  html += table(slope);
  QList<QLabel*> slopeResults(slopeLines_.begin(), slopeLines_.end());
  slopeResults.append(QList<QLabel*>(armourLines_.begin(), armourLines_.end()));
  if (!slopeError_->isHidden()) slopeResults.prepend(slopeError_);
  if (!slopeNote_->isHidden()) slopeResults.append(slopeNote_);
  html += lines(slopeResults);
  if (model_.overtopping().ok()) html += QStringLiteral("<p><img src=\"%1\" width=\"520\"></p>").arg(chartUrl);
  return html;
}

}  // namespace saiha::profile
