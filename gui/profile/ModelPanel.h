// The model panel of the profile window: a check box per breaker limit and
// per shoaling rule (every checked limit is drawn with every checked rule),
// and the parameters of the longshore transport, read as the calculation
// reads its boxes and checked by the engine.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "shore/engine.h"
#include "shore/model_choice.h"
#include "shore/comparison.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace saiha::profile {

// "入力値: K = 0": the symbol of a box the calculation refused and the text
// it holds, said after the message that gives the limit.
QString rejectedText(const QString& symbol, const QString& typed);

class ModelPanel final : public QWidget {
  Q_OBJECT

 public:
  // The calculation window's model checked, the default parameters.
  explicit ModelPanel(QWidget* parent = nullptr);

  // Every checked breaker limit with every checked shoaling rule, in the
  // order of shore::kBreakerLimits and, within each, shore::kShoalings.
  std::vector<shore::Model> checkedModels() const;

  // The parameters as typed: the number at the start of each box, NaN where
  // a box has none (which shore::checkTransport refuses).
  shore::TransportParams params() const;
  // The first parameter that fails its check (shown under the boxes), or None.
  shore::Error paramsError() const { return paramsError_; }

  QCheckBox* breakerBox(shore::BreakerLimit breaker) const {
    return breakers_[std::size_t(breaker)];
  }
  QCheckBox* shoalingBox(shore::Shoaling shoaling) const {
    return shoalings_[std::size_t(shoaling)];
  }
  // The box of K, ρ, ρs or p (0..3).
  QLineEdit* paramBox(int i) const { return params_.at(std::size_t(i)); }

 signals:
  void modelsChanged();
  void paramsChanged();

 private:
  void checkParams();

  std::array<QCheckBox*, shore::kBreakerLimits.size()> breakers_{};
  std::array<QCheckBox*, shore::kShoalings.size()> shoalings_{};
  std::array<QLineEdit*, 4> params_{};
  QLabel* error_ = nullptr;
  shore::Error paramsError_ = shore::Error::None;
};

}  // namespace saiha::profile
