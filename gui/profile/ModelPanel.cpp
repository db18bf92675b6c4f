#include "gui/profile/ModelPanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

#include "runtime/text.h"
#include "gui/language.h"
#include "gui/style.h"
#include "report/messages.h"
#include "report/compare_table.h"

namespace saiha::profile {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Keyboard access to each box (Alt + the letter).
constexpr std::array<char, shore::kBreakerLimits.size()> kBreakerKeys = {'G', 'O', 'M', 'K', 'I'};
constexpr std::array<char, shore::kShoalings.size()> kShoalingKeys = {'W', 'S'};

// Japanese marks the key after the name, "合田 (1970)(&G)"; English
// underlines a letter of the name itself: the key where the name has it,
// "&Goda (1970)", else its first letter that no other box and none of the
// window's menus (File, Edit, View, Help) or its second axis use,
// "G&oda (2010)".
QString withKey(std::string_view name, char key) {
  QString label = text(name);
  if (gui::language() != report::Language::English) {
    return label + QStringLiteral("(&") + QLatin1Char(key) + QLatin1Char(')');
  }
  qsizetype at = label.indexOf(QLatin1Char(key), 0, Qt::CaseInsensitive);
  if (at < 0) {
    QString taken = QStringLiteral("FEVHA");
    for (char k : kBreakerKeys) taken += QLatin1Char(k);
    for (char k : kShoalingKeys) taken += QLatin1Char(k);
    for (qsizetype i = 0; i < label.size() && at < 0; ++i) {
      if (label[i].isLetter() && !taken.contains(label[i].toUpper())) at = i;
    }
  }
  return at >= 0 ? label.insert(at, QLatin1Char('&')) : label;
}

// The parameters' defaults as the boxes first show them.
QString shortest(double value) {
  return QString::fromStdString(rt::formatShortest(static_cast<float>(value)));
}

}  // namespace

QString rejectedText(const QString& symbol, const QString& typed) {
  return typed.trimmed().isEmpty() ? ModelPanel::tr("入力値: %1 が空です").arg(symbol)
                                   : ModelPanel::tr("入力値: %1 = %2").arg(symbol, typed);
}

ModelPanel::ModelPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("modelPanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);

  // A group of check boxes, one per value, named by the value's stable name
  // and checked for the calculation window's model.
  const auto checkGroup = [this](const QString& title, const auto& values, const auto& keys,
                                 auto displayName, auto stableName, const QString& prefix,
                                 auto checked, auto& boxes) {
    auto* group = new QGroupBox(title);
    auto* groupLayout = new QVBoxLayout(group);
    for (const auto value : values) {
      const auto i = std::size_t(value);
      auto* box = new QCheckBox(withKey(displayName(value), keys[i]));
      box->setObjectName(prefix + text(stableName(value)));
      box->setChecked(value == checked);
      connect(box, &QCheckBox::toggled, this, &ModelPanel::modelsChanged);
      groupLayout->addWidget(box);
      boxes[i] = box;
    }
    return group;
  };
  const shore::Model model;
  const report::Language language = gui::language();
  QGroupBox* breakers = checkGroup(
      tr("砕波限界"), shore::kBreakerLimits, kBreakerKeys,
      [language](shore::BreakerLimit b) { return report::breakerDisplayName(b, language); },
      shore::breakerName, QStringLiteral("breaker-"), model.breaker, breakers_);
  QGroupBox* shoalings = checkGroup(
      tr("浅水変形"), shore::kShoalings, kShoalingKeys,
      [language](shore::Shoaling s) { return report::shoalingDisplayName(s, language); },
      shore::shoalingName, QStringLiteral("shoaling-"), model.shoaling, shoalings_);
  // The two shoaling rules stay at the top, level with the first limits.
  qobject_cast<QBoxLayout*>(shoalings->layout())->addStretch();
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(breakers);
  boxes->addWidget(shoalings);
  layout->addLayout(boxes);
  auto* key = new QLabel(tr("線の色は砕波限界，線の種類と砕波点の形は浅水変形を表します．"));
  key->setWordWrap(true);
  layout->addWidget(key);

  auto* transport = new QGroupBox(tr("沿岸漂砂量 (CERC 公式)"));
  auto* form = new QFormLayout(transport);
  const shore::TransportParams defaults;
  const std::array<double, 4> values = {defaults.K, defaults.rho, defaults.rhoS, defaults.porosity};
  const std::array<const char*, 4> names = {"K", "rho", "rho-s", "porosity"};
  for (std::size_t i = 0; i < params_.size(); ++i) {
    auto* box = new QLineEdit(shortest(values[i]));
    box->setObjectName(QStringLiteral("transport-") + QLatin1String(names[i]));
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    connect(box, &QLineEdit::textChanged, this, [this] {
      checkParams();
      emit paramsChanged();
    });
    form->addRow(text(report::kTransportLabels[i].in(language)), box);
    params_[i] = box;
  }
  error_ = new QLabel;
  error_->setObjectName(QStringLiteral("transportError"));
  error_->setWordWrap(true);
  error_->setStyleSheet(gui::errorStyle());
  error_->hide();
  form->addRow(error_);
  auto* note = new QLabel(text(report::kTransportNote.in(language)));
  note->setObjectName(QStringLiteral("transportNote"));
  note->setWordWrap(true);
  note->setStyleSheet(gui::noteStyle());
  form->addRow(note);
  layout->addWidget(transport);
  layout->addStretch();
}

std::vector<shore::Model> ModelPanel::checkedModels() const {
  std::vector<shore::Model> models;
  for (shore::BreakerLimit breaker : shore::kBreakerLimits) {
    if (!breakerBox(breaker)->isChecked()) continue;
    for (shore::Shoaling shoaling : shore::kShoalings) {
      if (shoalingBox(shoaling)->isChecked()) models.push_back({breaker, shoaling});
    }
  }
  return models;
}

shore::TransportParams ModelPanel::params() const {
  const auto read = [this](std::size_t i) {
    return rt::leadingNumber(params_[i]->text().toStdString()).value_or(std::nan(""));
  };
  shore::TransportParams p;
  p.K = read(0);
  p.rho = read(1);
  p.rhoS = read(2);
  p.porosity = read(3);
  return p;
}

void ModelPanel::checkParams() {
  paramsError_ = shore::checkTransport(params());
  const bool bad = paramsError_ != shore::Error::None;
  QString message;
  if (bad) {
    // The box that failed and what it holds; for ρs, the ρ it is held to.
    const std::size_t box = std::size_t(paramsError_ == shore::Error::InvalidTransportCoefficient ? 0
                                        : paramsError_ == shore::Error::InvalidWaterDensity   ? 1
                                        : paramsError_ == shore::Error::InvalidSedimentDensity ? 2
                                                                                               : 3);
    static constexpr std::array<const char*, 4> symbols = {"K", "ρ", "ρs", "p"};
    message = QString::fromStdString(report::errorText(paramsError_, gui::language())) +
              QLatin1Char('\n') +
              (box == 2 ? tr("入力値: ρs = %1，ρ = %2").arg(params_[2]->text(), params_[1]->text())
                        : rejectedText(QString::fromUtf8(symbols[box]), params_[box]->text()));
  }
  error_->setText(message);
  error_->setVisible(bad);
}

}  // namespace saiha::profile
