// Every message the user can see, in one place for every front end.
#include "report/messages.h"

namespace saiha::report {

namespace {
std::string faultText(std::string_view fault) {
  return "計算中に数値演算エラー（" + std::string(fault) +
         "）が発生しました．入力値を確認してください．";
}
}  // namespace

std::string errorText(shore::Error code) {
  using shore::Error;
  switch (code) {
    case Error::None: return std::string();
    case Error::InvalidHeight: return "波高Ho には 0 より大きい数値を入力してください．";
    case Error::InvalidPeriod: return "周期T には 0 より大きい数値を入力してください．";
    case Error::InvalidAngle:
      return "波向αo には -90 より大きく 90 より小さい数値を入力してください．";
    case Error::InvalidSlope: return "海底勾配の分母には 0 より大きい数値を入力してください．";
    case Error::InvalidDepth:
      return "水深には 0 より大きい数値を入力するか，空欄にしてください．";
    case Error::OnsetNotFound:
      return "非線形浅水変形の始まる水深が，水深と沖波波長の比 0.001～1 "
             "の範囲に見つかりません．入力値を確認してください．";
    case Error::BreakingNotFound:
      return "砕波点が，水深と沖波波長の比 0.001～1 の範囲に見つかりません．"
             "入力値を確認してください．";
    case Error::NonlinearShoalingLimit:
      return "非線形浅水変形の計算が収束しませんでした．沖波の波形勾配 Ho/Lo "
             "が大きすぎる可能性があります．";
    case Error::CoefficientDivisor:
      return "屈折係数または浅水係数を計算できませんでした．入力値を確認してください．";
    case Error::WaveLengthLimit:
      return "波長の計算が収束しませんでした．入力値を確認してください．";
    case Error::BreakingDepthTooSmall:
      return "砕波水深が小さすぎるため，砕波水深での値を計算できません．"
             "水深を入力してください．";
    case Error::IntermediateEndNotFound:
      return "首藤の浅水変形で H·h^(2/7) 一定の領域が Ursell 数 50 に達する水深が，"
             "水深と沖波波長の比 0.001～1 の範囲に見つかりません．入力値を確認してください．";
    case Error::EmpiricalNotSettled:
      return "経験式による砕波波高が，砕波点の屈折係数との繰り返し計算で収束しませんでした．"
             "入力値を確認してください．";
    case Error::WeggelIndexNotPositive:
      return "Weggel の砕波指標が 0 以下になり，砕波水深を求められません．"
             "沖波の波形勾配または海底勾配が大きすぎます．";
    case Error::InvalidTransportCoefficient:
      return "漂砂量係数 K には 0 より大きい数値を入力してください．";
    case Error::InvalidWaterDensity:
      return "海水の密度 ρ には 0 より大きい数値を入力してください．";
    case Error::InvalidSedimentDensity:
      return "底質の密度 ρs には海水の密度 ρ より大きい数値を入力してください．";
    case Error::InvalidPorosity:
      return "空隙率 p には 0 以上 1 未満の数値を入力してください．";
    case Error::InvalidBreakingPoint:
      return "砕波波高 Hb と砕波水深 hb には 0 より大きい数値を，砕波波向 θb には "
             "-90 より大きく 90 より小さい数値を入力してください．";
    case Error::DivisionByZero: return faultText("0 による除算");
    case Error::InvalidOperation: return faultText("無効な演算");
    case Error::Overflow: return faultText("オーバーフロー");
  }
  return "計算中にエラーが発生しました．";
}

std::string depthTooLargeText() {
  return "水深が大きすぎます．3.4e38 より小さい数値を入力するか，空欄にしてください．";
}

std::string fieldCountText(std::size_t fields, std::size_t width) {
  return "列の数が見出し行と合いません（この行 " + std::to_string(fields) + " 列，見出し行 " +
         std::to_string(width) +
         " 列）．小数点にはピリオドを使い，カンマを含むセルは二重引用符で囲んでください．";
}

std::string_view breakerDisplayName(shore::BreakerLimit breaker) {
  switch (breaker) {
    case shore::BreakerLimit::Goda1970: return "合田 (1970)";
    case shore::BreakerLimit::Goda2010: return "合田 (2010)";
    case shore::BreakerLimit::McCowan: return "McCowan";
    case shore::BreakerLimit::Kamphuis: return "Kamphuis (1991)";
    case shore::BreakerLimit::Miche: return "Miche";
  }
  return "";
}

std::string_view shoalingDisplayName(shore::Shoaling shoaling) {
  switch (shoaling) {
    case shore::Shoaling::TwoRegime: return "2 領域";
    case shore::Shoaling::Shuto: return "首藤 (1974)";
  }
  return "";
}

std::string rowDisplayName(const shore::ComparisonRow& row) {
  if (!row.model) return "Komar・Gaughan／Weggel";
  return std::string(breakerDisplayName(row.model->breaker)) + "・" +
         std::string(shoalingDisplayName(row.model->shoaling));
}

}  // namespace saiha::report
