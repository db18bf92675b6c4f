// Every message the user can see, in one place for every front end.
#include "sheet/calc.h"

namespace saiha::sheet {

namespace {
std::string inputMessage(Box box) {
  switch (box) {
    case kHeightBox: return "波高Ho には 0 より大きい数値を入力してください．";
    case kPeriodBox: return "周期T には 0 より大きい数値を入力してください．";
    case kAngleBox: return "波向αo には -90 より大きく 90 より小さい数値を入力してください．";
    case kSlopeBox: return "海底勾配の分母には 0 より大きい数値を入力してください．";
    default: return "水深には 0 より大きい数値を入力するか，空欄にしてください．";
  }
}

std::string faultName(rt::Fault fault) {
  switch (fault) {
    case rt::Fault::DivisionByZero: return "0 による除算";
    case rt::Fault::InvalidOperation: return "無効な演算";
    case rt::Fault::Overflow: return "オーバーフロー";
  }
  return "無効な演算";
}
}  // namespace

std::string errorText(const CalcError& error) {
  switch (error.kind) {
    case ErrorKind::InvalidInput: return inputMessage(error.box.value_or(kDepthBox));
    case ErrorKind::OnsetNotFound:
      return "非線形浅水変形の始まる水深が，水深と沖波波長の比 0.001～1 "
             "の範囲に見つかりません．入力値を確認してください．";
    case ErrorKind::BreakingNotFound:
      return "砕波点が，水深と沖波波長の比 0.001～1 の範囲に見つかりません．"
             "入力値を確認してください．";
    case ErrorKind::NonlinearShoalingLimit:
      return "非線形浅水変形の計算が収束しませんでした．沖波の波形勾配 Ho/Lo "
             "が大きすぎる可能性があります．";
    case ErrorKind::CoefficientDivisor:
      return "屈折係数または浅水係数を計算できませんでした．入力値を確認してください．";
    case ErrorKind::WaveLengthLimit:
      return "波長の計算が収束しませんでした．入力値を確認してください．";
    case ErrorKind::BreakingDepthTooSmall:
      return "砕波水深が小さすぎるため，砕波水深での値を計算できません．"
             "水深を入力してください．";
    case ErrorKind::IntermediateEndNotFound:
      return "首藤の浅水変形で H·h^(2/7) 一定の領域が Ursell 数 50 に達する水深が，"
             "水深と沖波波長の比 0.001～1 の範囲に見つかりません．入力値を確認してください．";
    case ErrorKind::EmpiricalNotSettled:
      return "経験式による砕波波高が，砕波点の屈折係数との繰り返し計算で収束しませんでした．"
             "入力値を確認してください．";
    case ErrorKind::WeggelIndexNotPositive:
      return "Weggel の砕波指標が 0 以下になり，砕波水深を求められません．"
             "沖波の波形勾配または海底勾配が大きすぎます．";
    case ErrorKind::InvalidTransportCoefficient:
      return "漂砂量係数 K には 0 より大きい数値を入力してください．";
    case ErrorKind::InvalidWaterDensity:
      return "海水の密度 ρ には 0 より大きい数値を入力してください．";
    case ErrorKind::InvalidSedimentDensity:
      return "底質の密度 ρs には海水の密度 ρ より大きい数値を入力してください．";
    case ErrorKind::InvalidPorosity:
      return "空隙率 p には 0 以上 1 未満の数値を入力してください．";
    case ErrorKind::InvalidBreakingPoint:
      return "砕波波高 Hb と砕波水深 hb には 0 より大きい数値を，砕波波向 θb には "
             "-90 より大きく 90 より小さい数値を入力してください．";
    case ErrorKind::InvalidRunupHeight:
      return "遡上高の沖波有義波高 H0 には 0 より大きい数値を入力してください．";
    case ErrorKind::InvalidRunupPeriod:
      return "遡上高のピーク周期 Tp には 0 より大きい数値を入力してください．";
    case ErrorKind::InvalidForeshoreSlope:
      return "前浜勾配 βf には 0 より大きい数値を入力してください．";
    case ErrorKind::ArithmeticFault:
      return "計算中に数値演算エラー（" + faultName(error.fault) +
             "）が発生しました．入力値を確認してください．";
  }
  return "計算中にエラーが発生しました．";
}

}  // namespace saiha::sheet
