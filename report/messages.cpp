// Every message the user can see, in one place for every front end: one
// line per text, Japanese then English.
#include "report/messages.h"

#include <algorithm>
#include <cstring>

namespace saiha::report {

namespace {

using shore::Error;

struct Message {
  Error code;
  Text text;
};

// clang-format off
constexpr Message kMessages[] = {
    {Error::InvalidHeight, {"波高Ho には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the deep-water wave height Ho."}},
    {Error::InvalidPeriod, {"周期T には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the wave period T."}},
    {Error::InvalidAngle, {"波向αo には -90 より大きく 90 より小さい数値を入力してください．", "Enter a number greater than -90 and less than 90 for the deep-water wave angle αo."}},
    {Error::InvalidSlope, {"海底勾配の分母には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the slope denominator n (bottom slope 1/n)."}},
    {Error::InvalidDepth, {"水深には 0 より大きい数値を入力するか，空欄にしてください．", "Enter a number greater than 0 for the depth, or leave it empty."}},
    {Error::OnsetNotFound, {"非線形浅水変形の始まる水深が，水深と沖波波長の比 0.001～1 の範囲に見つかりません．入力値を確認してください．", "No onset of nonlinear shoaling was found for relative depths h/Lo from 0.001 to 1. Check the inputs."}},
    {Error::BreakingNotFound, {"砕波点が，水深と沖波波長の比 0.00001～1 の範囲に見つかりません．入力値を確認してください．", "No breaking point was found for relative depths h/Lo from 0.00001 to 1. Check the inputs."}},
    {Error::NonlinearShoalingLimit, {"非線形浅水変形の計算が収束しませんでした．沖波の波形勾配 Ho/Lo が大きすぎる可能性があります．", "The nonlinear shoaling calculation did not converge. The deep-water wave steepness Ho/Lo may be too large."}},
    {Error::CoefficientDivisor, {"屈折係数または浅水係数を計算できませんでした．入力値を確認してください．", "The refraction or shoaling coefficient could not be computed. Check the inputs."}},
    {Error::WaveLengthLimit, {"波長の計算が収束しませんでした．入力値を確認してください．", "The wavelength calculation did not converge. Check the inputs."}},
    {Error::DivisionByZero, {"計算中に数値演算エラー（0 による除算）が発生しました．入力値を確認してください．", "An arithmetic fault (division by zero) occurred in the calculation. Check the inputs."}},
    {Error::InvalidOperation, {"計算中に数値演算エラー（無効な演算）が発生しました．入力値を確認してください．", "An arithmetic fault (invalid operation) occurred in the calculation. Check the inputs."}},
    {Error::Overflow, {"計算中に数値演算エラー（オーバーフロー）が発生しました．入力値を確認してください．", "An arithmetic fault (overflow) occurred in the calculation. Check the inputs."}},
    {Error::BreakingDepthTooSmall, {"砕波水深が小さすぎるため，砕波水深での値を計算できません．水深を入力してください．", "The breaking depth is too small for the values at the breaking depth to be computed. Enter a depth."}},
    {Error::IntermediateEndNotFound, {"首藤の浅水変形で H·h^(2/7) 一定の領域が Ursell 数 50 に達する水深が，水深と沖波波長の比 0.001～1 の範囲に見つかりません．入力値を確認してください．", "In Shuto's shoaling, no depth where the H·h^(2/7) = const regime reaches an Ursell number of 50 was found for relative depths h/Lo from 0.001 to 1. Check the inputs."}},
    {Error::EmpiricalNotSettled, {"経験式による砕波波高が，砕波点の屈折係数との繰り返し計算で収束しませんでした．入力値を確認してください．", "The empirical breaker height did not converge in the iteration with the refraction coefficient at the breaking point. Check the inputs."}},
    {Error::WeggelIndexNotPositive, {"Weggel の砕波指標が 0 以下になり，砕波水深を求められません．沖波の波形勾配または海底勾配が大きすぎます．", "Weggel's breaker index is 0 or less, so the breaking depth cannot be found. The deep-water wave steepness or the bottom slope is too large."}},
    {Error::InvalidTransportCoefficient, {"漂砂量係数 K には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the transport coefficient K."}},
    {Error::InvalidWaterDensity, {"海水の密度 ρ には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the seawater density ρ."}},
    {Error::InvalidSedimentDensity, {"底質の密度 ρs には海水の密度 ρ より大きい数値を入力してください．", "Enter a sediment density ρs greater than the seawater density ρ."}},
    {Error::InvalidPorosity, {"空隙率 p には 0 以上 1 未満の数値を入力してください．", "Enter a number from 0 up to but not including 1 for the porosity p."}},
    {Error::SteepnessLimit, {"沖波波形勾配 Ho/L0 が 0.142 を超えています．波高Ho または周期T を確認してください．", "The deep-water wave steepness Ho/L0 exceeds 0.142. Check the wave height Ho or the period T."}},
    {Error::InvalidRunupHeight, {"遡上高の沖波有義波高 H0 には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the runup's deep-water significant wave height H0."}},
    {Error::InvalidRunupPeriod, {"遡上高のピーク周期 Tp には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the runup's peak period Tp."}},
    {Error::InvalidForeshoreSlope, {"前浜勾配 βf には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the foreshore slope βf."}},
    {Error::NegativeSetup, {"砕波点での wave setdown が砕波帯での水位上昇を上回り，静水汀線での wave setup が負になります（砕波指標 γ が √(40/3) ≈ 3.65 を超えています）．静水汀線での wave setup，汀線の移動量と最大 wave setup は求められません．", "The setdown at breaking outweighs the rise across the surf zone, so the setup at the still-water shoreline would be negative (the breaker index γ exceeds √(40/3) ≈ 3.65). The setup at the shoreline, the shoreline shift and the maximum setup are not given."}},
    {Error::ProfileLengthMismatch, {"断面の x と z の個数が一致しません．", "The profile's x and z columns differ in length."}},
    {Error::ProfileTooShort, {"断面には 2 点以上が必要です．", "The profile needs at least two points."}},
    {Error::ProfileNotFinite, {"断面の x または z に数値でない値（NaN または無限大）があります．", "The profile holds an x or z that is not a finite number (NaN or infinity)."}},
    {Error::ProfileNotIncreasing, {"断面の x は岸向きに単調に増加していなければなりません．", "The profile's x must increase strictly onshore."}},
    {Error::InvalidTransformOption, {"波浪変形モデルのパラメータ（γ，α，B，β，粗度，乾燥水深，刻み幅）には 0 より大きい数値を入力してください．", "Enter numbers greater than 0 for the transformation model's parameters (γ, α, B, β, roughness, dry depth, step)."}},
    {Error::InvalidTide, {"潮位と風の応力には数値を入力してください．", "Enter numbers for the tide and the wind stress."}},
    {Error::BoundaryTooShallow, {"沖側境界の水深が与えた波に対して浅すぎます（境界が干出しているか，波高がすでに砕波波高に達しています）．", "The offshore boundary is too shallow for the wave given (it is dry, or the wave is already at its breaking height there)."}},
    {Error::TooFewWetPoints, {"沖側境界から続く水のある断面点が 2 点未満です．", "Fewer than two profile points from the offshore boundary are under water."}},
    {Error::MicheLimitAtBoundary, {"沖側境界で波高 Hm0 が Miche の限界 0.142·L·tanh(kh) を超えています．", "At the offshore boundary the wave height Hm0 exceeds Miche's limit 0.142·L·tanh(kh)."}},
    {Error::TransformNotSettled, {"平均水位の計算が収束しないか，結果が数値になりませんでした．入力値を確認してください．", "The mean water level did not settle, or a result is not a finite number. Check the inputs."}},
    {Error::ProfileOutOfRange, {"断面が地球上の範囲を超えています（地盤高は基準面から ±11,000 m 以内，断面の長さは 1,000 km 以内，x は ±10,000 km 以内）．", "The profile lies outside anything on Earth (bed elevations within 11,000 m of the datum, a span of at most 1,000 km, x within 10,000 km of 0)."}},
    {Error::TransformStepLimit, {"この断面とこの刻み幅では積分の刻み数が上限（200 万）を超えます．刻み幅を大きくするか断面を短くしてください．", "This profile at this step needs more integration steps than the limit (2 million). Use a larger step or a shorter profile."}},
    {Error::PeriodOutOfRange, {"ピーク周期 Tp は 60 s 以下にしてください（風波とうねりの範囲．砕波減衰・ローラー・遡上高の式はこの範囲で求められています）．", "Enter a peak period Tp of at most 60 s (wind seas and swell, the waves the dissipation, roller and runup formulas were fitted on)."}},
    {Error::TideOutOfRange, {"潮位は基準面から ±30 m 以内にしてください．", "Enter a tide within 30 m of the datum."}},
    {Error::WindStressOutOfRange, {"沿岸方向の風の応力は ±20 N/m² 以内にしてください（最も強い暴風でも約 10 N/m² です）．", "Enter an alongshore wind stress within 20 N/m² (the strongest storms give about 10 N/m²)."}},
    {Error::InvalidBreakingPoint, {"砕波波高 Hb と砕波水深 hb には 0 より大きい数値を，砕波波向 θb には -90 より大きく 90 より小さい数値を入力してください．", "Enter numbers greater than 0 for the breaker height Hb and the breaking depth hb, and a number greater than -90 and less than 90 for the breaker angle θb."}},
    {Error::InvalidDesignHeight, {"設計波高（Hmax，H1/3，Hm0，Hs，H2%）には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the design wave height (Hmax, H1/3, Hm0, Hs, H2%)."}},
    {Error::InvalidDesignPeriod, {"設計周期（T1/3，Tm-1,0，Tm）には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the design wave period (T1/3, Tm-1,0, Tm)."}},
    {Error::InvalidStructureDepth, {"構造物の水深（h，h′，d，マウンド天端）には 0 より大きい数値を入力してください．", "Enter numbers greater than 0 for the structure's depths (h, h′, d, the mound top)."}},
    {Error::DepthOrder, {"水深は d ≤ h′ ≤ h としてください（マウンド上の水深 d はケーソン底面の水深 h′ 以下，h′ は設置水深 h 以下）．", "The depths must satisfy d ≤ h′ ≤ h: the depth over the mound d at most the depth of the caisson's base h′, and h′ at most the depth at the site h."}},
    {Error::InvalidCrestHeight, {"天端高（hc，天端標高，余裕高 Rc）には数値を入力してください．hc は 0 以上です．", "Enter numbers for the crest (hc, the crest level, the freeboard Rc); hc must be 0 or more."}},
    {Error::NegativeFreeboard, {"水位が天端より高くなっています（余裕高 Rc < 0）．越流となり，越波流量の式は使えません．", "The water level is above the crest (freeboard Rc < 0): the water overflows, and the overtopping formulas do not apply."}},
    {Error::InvalidStructureWidth, {"ケーソン幅 B には 0 より大きい数値を，バーム幅と天端幅には 0 以上の数値を入力してください．", "Enter a number greater than 0 for the caisson width B, and numbers of 0 or more for the berm and crest widths."}},
    {Error::InvalidAttackAngle, {"波の入射角 β には -90 より大きく 90 より小さい数値を入力してください．", "Enter a number greater than -90 and less than 90 for the angle of wave attack β."}},
    {Error::InvalidPressureFactor, {"波圧の補正係数 λ1，λ2，λ3 には 0 以上の数値を入力してください．", "Enter numbers of 0 or more for the pressure modification factors λ1, λ2 and λ3."}},
    {Error::InvalidCaissonWeight, {"ケーソンの平均密度または単位長さ当たりの重量には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the caisson's mean density or its weight per metre."}},
    {Error::InvalidFriction, {"摩擦係数 μ には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the friction coefficient μ."}},
    {Error::InvalidStructureSlope, {"構造物の法勾配 cot α には 0 より大きい数値を入力してください．", "Enter a number greater than 0 for the structure slope cot α."}},
    {Error::InvalidInfluenceFactor, {"影響係数 γf，γb，γv には 0 より大きく 1 以下の数値を入力してください．", "Enter numbers greater than 0 and at most 1 for the influence factors γf, γb and γv."}},
    {Error::InvalidArmourParameter, {"透水係数 P は 0 より大きく 0.6 以下，被害度 S は 0 より大きく，波数 N は 1 以上，安定係数 KD は 0 より大きい数値を入力してください．", "Enter a notional permeability P greater than 0 and at most 0.6, a damage level S greater than 0, a number of waves N of 1 or more and a stability coefficient KD greater than 0."}},
    {Error::InvalidRockDensity, {"石材の密度 ρs には水の密度 ρ より大きい数値を入力してください．", "Enter a rock density ρs greater than the water density ρ."}},
    {Error::HeightOrder, {"波高の大小関係が正しくありません（H1/3 ≤ Hmax，H2% ≥ Hs としてください）．", "The wave heights are out of order: H1/3 must not exceed Hmax, and H2% must not be below Hs."}},
    {Error::HeightAboveDepthLimit, {"設計波高 Hmax が設置水深 h の 2 倍を超えています．このような波は砕波せずに構造物に達しません．", "The design wave height Hmax exceeds twice the depth at the site h: no such wave reaches the structure unbroken."}},
    {Error::InvalidToe, {"構造物の法先の位置は断面の範囲内の数値としてください．", "Enter a position for the structure's toe within the profile."}},
    {Error::ToeNotReached, {"汀線が構造物の法先より沖側にあり，法先に波が届きません．", "The wet/dry edge lies seaward of the structure's toe: no wave reaches the toe."}},
    {Error::InvalidStructureOption, {"構造物の計算の設定値（周期比 Tp/Tm-1,0，必要安全率，越波流量の限界値，構造形式）が範囲外です．", "A setting of the structure calculation (the period ratio Tp/Tm-1,0, the required safety factor, an overtopping limit, the structure kind) is outside its range."}},
};
// clang-format on

// A code without a line above (never the case for the engine's codes).
constexpr Text kUnknownError = {"計算中にエラーが発生しました．",
                                "An error occurred in the calculation."};

// What each warning bit says, in the order the bits run.
struct WarningLine {
  shore::Warning bit;
  Text text;
};
// clang-format off
constexpr WarningLine kWarningLines[] = {
    {shore::Warning::SteepSlope, {"海底勾配が 1/10 より急です．合田の砕波限界，Weggel の砕波指標，合田の不規則波の式は 1/10～1/100 程度の勾配で求められています．", "The bottom slope is steeper than 1/10. Goda's breaker limit, Weggel's breaker index and Goda's random-wave formulas were fitted on slopes of about 1/10 to 1/100."}},
    {shore::Warning::IrregularWaveIndex, {"Kamphuis の砕波指標は不規則波（有義波高）で求められた式です．ここでは規則波に用いています．", "Kamphuis's breaker index was fitted to irregular waves (the significant wave height); it is applied here to a regular wave."}},
    {shore::Warning::GentleSlope, {"海底勾配が式の求められた範囲より緩やかです（合田の不規則波の式は 1/100 まで）．", "The bottom slope is gentler than the range the formula was fitted on (Goda's random-wave formulas: down to 1/100)."}},
    {shore::Warning::HeightAboveDepth, {"波高が静水深を超えています（H/h > 1）．式の値ですが，砕波で許される範囲を超えている可能性があります．", "The wave height exceeds the still-water depth (H/h > 1). It is the formula's value, but it may lie beyond what breaking allows."}},
    {shore::Warning::RunupBelowSetup, {"2% 遡上高がウェーブセットアップより低くなっています．", "The 2 % runup is below the wave setup."}},
    {shore::Warning::StockdonBranchChange, {"Stockdon の遡上高の式は ξ0 = 0.3 で式が切り替わり，その前後で値が不連続です．", "Stockdon's runup changes formula at ξ0 = 0.3 and jumps there; this wave lies close to the change."}},
    {shore::Warning::ShallowForRandomWaves, {"相対水深 h/H0′ が合田の不規則波の算定図の範囲より小さくなっています．", "The relative depth h/H0′ is below the range of Goda's random-wave diagrams."}},
    {shore::Warning::LowSteepness, {"沖波波形勾配 Ho/Lo が Komar・Gaughan の砕波波高の式の求められた範囲より小さくなっています．", "The deep-water steepness Ho/Lo is below the range Komar and Gaughan's breaker height was fitted on."}},
    {shore::Warning::BelowSearchFloor, {"砕波点が水深と沖波波長の比 0.001 より浅い所にあります．砕波限界の式はそこでは確かめられていません．", "The breaking point lies shallower than h/Lo = 0.001, where the breaker limits were never measured."}},
    {shore::Warning::ShoalingNotFormed, {"この水深では首藤の浅水係数を求められないため，不規則波の波高は他の項で決めています．", "Shuto's shoaling coefficient cannot be formed at this depth; the random-wave height was decided by the other terms."}},
    {shore::Warning::BreakerIndexAboveSetupRange, {"砕波指標 γ = Hb/hb が砕波で現れる最大値 1.56（最も急な勾配での Weggel の砕波指標）を超えています．wave setup の理論はそのような砕波の砕波帯を仮定していません．", "The breaker index γ = Hb/hb exceeds the largest a breaker reaches, 1.56 (Weggel's index on the steepest slopes); the setup theory assumes no surf zone of such breakers."}},
    {shore::Warning::GammaFitRange, {"砕波パラメータ γ の式が，その式を求めたデータの範囲外で使われています．", "The breaker parameter γ's fit is used outside the data it was fitted on."}},
    {shore::Warning::ShorelineNotReached, {"断面が水中で終わっているか，平均水位より高い前浜がないため，汀線と遡上高は求められません．", "The profile ends under water, or no foreshore rises above the mean water level: no shoreline and no runup."}},
    {shore::Warning::DryBarCrest, {"平均水位より高い断面点の岸側に再び水があります（水面上のバー頂部または構造物）．計算は最初の干出点で終わります．", "Water lies again shoreward of a profile point above the mean water level (a bar crest or structure above water); the calculation ends at the first dry point."}},
    {shore::Warning::SlidingBelowRequired, {"滑動に対する安全率が必要安全率（1.2）を下回っています．", "The safety factor against sliding is below the one required (1.2)."}},
    {shore::Warning::OverturningBelowRequired, {"転倒に対する安全率が必要安全率（1.2）を下回っています．", "The safety factor against overturning is below the one required (1.2)."}},
    {shore::Warning::SteepnessOutsideRange, {"波形勾配が式の求められたデータの範囲外です．", "The wave steepness lies outside the data the formula was fitted on."}},
    {shore::Warning::StructureSlopeOutsideRange, {"構造物の法勾配が式の求められたデータの範囲外です．", "The structure slope lies outside the data the formula was fitted on."}},
    {shore::Warning::FreeboardOutsideRange, {"相対余裕高 Rc/Hm0 が越波流量の式の求められたデータの範囲外です．", "The relative freeboard Rc/Hm0 lies outside the data the overtopping formula was fitted on."}},
    {shore::Warning::NegligibleOvertopping, {"越波流量が 0.001 l/s/m（1e-6 m³/s/m）未満で，式の精度の範囲外です．越波はほとんどありません．", "The overtopping discharge is below 0.001 l/s per m (1e-6 m³/s per m), beyond what the formulas can tell: overtopping is negligible."}},
    {shore::Warning::ArmourOutsideRange, {"被覆材の計算条件（P，S，N，Δ，安定数 Hs/ΔDn50）が式の求められたデータの範囲外です．", "An armour parameter (P, S, N, Δ or the stability number Hs/ΔDn50) lies outside the data the formula was fitted on."}},
    {shore::Warning::ToeDepthOutsideRange, {"法先水深が式の求められた範囲外です（深海の式を浅海で用いているなど）．", "The depth at the toe lies outside the formula's range (a deep-water formula in shallow water, or a relative depth beyond the data)."}},
    {shore::Warning::ObliqueOutsideRange, {"波の入射角がデータの範囲を超えています．斜め入射の影響係数は範囲の端の値としています．", "The angle of wave attack lies beyond the obliquity of the data; the obliquity factor is held at its value at the data's limit."}},
    {shore::Warning::BreakerParameterOutsideRange, {"砕波帯相似パラメータ ξ が式の求められたデータの範囲外です．", "The breaker parameter ξ lies outside the data the formula was fitted on."}},
    {shore::Warning::HrmsAboveMeanDepth, {"波高 Hrms が平均水深 h + η を超える断面点があります．モデルの値ですが，その水深にそのような波は立ちません（急勾配の海浜ではモデルの適用範囲外です）．", "Hrms exceeds the mean depth h + η at a profile point: it is the model's number, but no such sea stands in water that shallow (steep beaches lie outside the model's range)."}},
    {shore::Warning::CurrentAboveFittedRange, {"沿岸流速が 2 m/s を超えています．底面摩擦の式を求めた観測（最大約 1.5 m/s）の範囲外です．", "The longshore current exceeds 2 m/s, beyond the currents the bed friction was fitted on (up to about 1.5 m/s)."}},
    {shore::Warning::BoundaryInSurfZone, {"沖側境界ですでに砕波しています（Qb ≥ 0.01）．砕波帯は断面より沖から始まり，ローラー・セットアップ・沿岸流は境界で 0 から始まります．", "The sea is already breaking at the offshore boundary (Qb ≥ 0.01): the surf zone began seaward of the profile, and the roller, setup and current start from nothing there."}},
};
// clang-format on

}  // namespace

std::string errorText(shore::Error code, Language language) {
  if (code == Error::None) return std::string();
  const auto* found = std::find_if(std::begin(kMessages), std::end(kMessages),
                                   [code](const Message& m) { return m.code == code; });
  return std::string((found != std::end(kMessages) ? found->text : kUnknownError).in(language));
}

std::string depthTooLargeText(Language language) {
  return std::string(Text{"水深が大きすぎます．3.4e38 より小さい数値を入力するか，空欄にしてください．",
                          "The depth is too large. Enter a number less than 3.4e38, or leave the "
                          "depth empty."}
                         .in(language));
}

std::string beyondSingleText(std::string_view column, Language language) {
  const std::string name(column);
  if (language == Language::English) {
    return "The value of " + name + " lies beyond single precision (its size above about "
           "3.4e38, or an infinity): enter a finite number of the size a wave or beach has.";
  }
  return name + " の値が単精度の範囲（大きさ約 3.4e38 まで）を超えているか，無限大です．波や海浜にありうる大きさの有限の数値を入力してください．";
}

namespace {
struct UsageLine {
  Usage usage;
  Text text;
};
// clang-format off
constexpr UsageLine kUsageLines[] = {
    {Usage::SeeHelp, {"（%1 --help を参照）", " (see %1 --help)"}},
    {Usage::NotANumber, {"%1 %2 は数値ではありません", "%1 %2 is not a number"}},
    {Usage::TooLarge, {"%1 %2 が大きすぎます（単精度の範囲，約 3.4e38 を超えています）", "%1 %2 is too large (beyond single precision, about 3.4e38)"}},
    {Usage::TooSmall, {"%1 %2 は 0 と区別できないほど小さい数値です", "%1 %2 is too small to be told from 0"}},
    {Usage::Threads, {"-j/--jobs %1：計算スレッドの数を 1 以上の整数で指定してください（省略時はすべてのコア）", "-j/--jobs %1: give the number of calculation threads as a whole number from 1 (default: every core)"}},
    {Usage::PrecisionChoice, {"--precision %1：shown（小数 2 桁）または full を指定してください", "--precision %1: shown (two decimals) or full"}},
    {Usage::UnknownLanguage, {"%1：言語 %2 はありません．ja または en を指定してください", "%1: unknown language %2; ja or en"}},
    {Usage::DelimiterChoice, {"--delimiter %1：',' ';' または tab を指定してください", "--delimiter %1: one of ',', ';' or tab"}},
    {Usage::UnknownBreaker, {"砕波限界 %1 はありません．次のいずれかです：%2", "unknown breaker limit %1; one of %2"}},
    {Usage::UnknownShoaling, {"浅水変形の式 %1 はありません．次のいずれかです：%2", "unknown shoaling rule %1; one of %2"}},
    {Usage::Required, {"%1 が必要です", "%1 is required"}},
    {Usage::BeforeSubcommand, {"%1 は %2 のオプションです．サブコマンド名の後に書いてください（saiha-calc %2 %1 …）", "%1 is an option of %2: give it after the subcommand (saiha-calc %2 %1 ...)"}},
    {Usage::MissingValue, {"%1 に値がありません", "%1 lacks its value"}},
    {Usage::ValueIsSubcommand, {"%1 に値がありません（%2 はサブコマンドで，%1 の値ではありません）", "%1 lacks its value (%2 is the subcommand, not a value of %1)"}},
    {Usage::Unexpected, {"余分な引数があります：%1", "unexpected arguments: %1"}},
    {Usage::Excludes, {"%1 と %2 は同時に指定できません", "%1 does not go with %2: give one of them"}},
    {Usage::GivenTwice, {"%1 が 2 回以上指定されています", "%1 is given more than once"}},
    {Usage::NotAChoice, {"%1 %2：次のいずれかを指定してください：%3", "%1 %2: one of %3"}},
    {Usage::OutOfRange, {"%1 %2：%3 から %4 までの整数を指定してください", "%1 %2: a whole number from %3 to %4"}},
    {Usage::FlagValue, {"%1 は値をとりません（%2）", "%1 takes no value (%2)"}},
    {Usage::DoesNotGoWith, {"%1 は %2 には使えません：%3", "%1 does not go with %2: %3"}},
    {Usage::FileBeforeSubcommand, {"'%1' の前の FILE は読まれません：%2", "a FILE before '%1' is not read: %2"}},
    {Usage::GiveFileAfter, {"サブコマンド名の後に書いてください", "give it after the subcommand"}},
    {Usage::OneWaveOptions, {"%1 はオプションで与えた 1 つの波を計算します", "%1 computes one wave from its options"}},
    {Usage::WhyOneWaveThreads, {"1 つの波（または 1 つの海象）を 1 つのスレッドで計算します", "it computes one wave (or one sea) at once, on one thread"}},
    {Usage::WhyOneWaveProgress, {"1 つの波（または 1 つの海象）を一度に計算するため，進行状況はありません", "it computes one wave (or one sea) at once, with no progress to show"}},
    {Usage::WhyEveryModel, {"すべての砕波限界と浅水変形の式を並べて示します", "it shows every breaker limit and shoaling rule"}},
    {Usage::WhyGodaModel, {"合田の不規則波の波高は独自の砕波を持ち，規則波の砕波限界や浅水変形の式は使いません", "Goda's random-wave heights have their own breaking, not a regular wave's breaker limit or shoaling rule"}},
    {Usage::WhyOwnUnits, {"各行の単位は unit 列にあります", "each of its rows gives its quantity's unit in the column 'unit'"}},
    {Usage::WhyStructureModel, {"構造物の式は波を与えられたまま使い，砕波限界や浅水変形の式は使いません", "the structure formulas take their waves as given, with no breaker limit or shoaling rule"}},
    {Usage::CompareInputs, {"compare には --Ho，--T，--alpha0，--n の 4 つか，波の FILE のどちらかを与えてください", "compare takes either --Ho, --T, --alpha0 and --n, or a FILE of waves"}},
    {Usage::GoesWithProfile, {"%1 は --profile とともに使います", "%1 goes with --profile"}},
    {Usage::FileWithProfile, {"FILE は --profile とともには使えません", "FILE does not go with --profile"}},
    {Usage::ProfileNeeds, {"--profile には --H0p，--T13，--n が必要です", "--profile needs --H0p, --T13 and --n"}},
    {Usage::FromDepth, {"--from には 0 より大きい水深 (m) を指定してください", "--from must be a depth > 0 (m)"}},
    {Usage::SpacingDistance, {"--spacing には 0 より大きい距離 (m) を指定してください", "--spacing must be a distance > 0 (m)"}},
    {Usage::EmpiricalShoaling, {"--shoaling %1 は --breaker %2 には使えません：経験式の砕波点に浅水変形の式はありません（砕波指標は %3）", "--shoaling %1 does not go with --breaker %2: the empirical breaking point has no shoaling rule (its breaker index is %3)"}},
    {Usage::DecimalCommaNeedsDelimiter, {"--decimal-comma には --delimiter ';' または --delimiter tab が必要です（カンマを区切りと小数点の両方には使えません）", "--decimal-comma needs --delimiter ';' or --delimiter tab (a comma cannot both separate the fields and mark the decimals)"}},
    {Usage::NoStations, {"沖側の水深または間隔では，測点がないか，%1 を超えるか，x = n*h が単精度の範囲を超えます", "the seaward depth or the spacing gives no stations, more than %1, or an x = n*h beyond single precision"}},
    {Usage::CannotOpen, {"%1 を開けません：%2", "cannot open %1: %2"}},
    {Usage::OutOfMemory, {"%1 の処理中にメモリが不足しました", "out of memory while processing %1"}},
    {Usage::OutOfMemoryAfterRows, {"%1 行を読んだところでメモリが不足しました．1 行にこれほどは要りません：入力を確かめてください", "out of memory after %1 rows; no row needs that much: check the input"}},
    {Usage::RowsFailed, {"%2 行中 %1 行が計算できませんでした（最初：%3）", "%1 of %2 rows failed (first: %3)"}},
    {Usage::RowsWarned, {"%2 行中 %1 行に警告があります（最初：%3）", "%1 of %2 rows carry warnings (first: %3)"}},
    {Usage::WarningsHint, {"；--warnings で警告ビットの列を加えます", "; --warnings adds the column of their bits"}},
    {Usage::Interrupted, {"中断しました；%1 行を書き出しました", "interrupted; %1 rows written"}},
    {Usage::AtLine, {"%1 行目: ", "line %1: "}},
    {Usage::LineNumber, {"%1 行目", "line %1"}},
    {Usage::StandardInput, {"標準入力", "standard input"}},
    {Usage::StandardOutput, {"標準出力", "standard output"}},
    {Usage::NulByte, {"入力に NUL 文字があります．CSV のテキストファイルではありません", "the input contains a NUL byte; it is not a CSV text file"}},
    {Usage::Utf16, {"入力は UTF-16 のテキストです．UTF-8 の CSV として保存してください", "the input is UTF-16 text; save it as UTF-8 CSV"}},
    {Usage::NotUtf8, {"入力が UTF-8 のテキストではありません（UTF-8 でないバイトがあります）．UTF-8 の CSV として保存してください", "the input is not UTF-8 text (a byte that is not UTF-8); save it as UTF-8 CSV"}},
    {Usage::QuoteNotClosed, {"CSV の形式が正しくありません：引用符で囲んだフィールドが入力の終わりまでに閉じていません", "malformed CSV: a quoted field is not closed before the end of the input"}},
    {Usage::MalformedQuote, {"CSV の形式が正しくありません：二重引用符は引用符で囲んだフィールドの中に 2 つ重ねてだけ書けます．引用符で囲んだフィールドは区切り文字か行末で終わります", "malformed CSV: a double quote may only stand inside a quoted field, doubled, and a quoted field must end at a comma or a line end"}},
    {Usage::RecordTooLong, {"%1 MiB を超えるレコードがあります（どのケースにもそれほどの長さは要りません）", "a record longer than %1 MiB; no case needs one"}},
    {Usage::UnnamedColumn, {"見出しの %1 列目に名前がありません．見出しには %2 が必要です", "column %1 of the header has no name; the header must name %2"}},
    {Usage::UnknownColumn, {"見出しの列 %1 は入力の列ではありません．見出しには %2 をそれぞれ 1 回ずつ書いてください", "unknown column %1 in the header; the header must name %2, each once"}},
    {Usage::SeparatedBy, {"（フィールドは%1で区切ってください）", " (fields must be separated by %1)"}},
    {Usage::Commas, {"カンマ", "commas"}},
    {Usage::Semicolons, {"セミコロン", "semicolons"}},
    {Usage::Tabs, {"タブ", "tabs"}},
    {Usage::ColumnTwice, {"見出しに列 %1 が 2 回あります", "column %1 appears twice in the header"}},
    {Usage::LacksColumn, {"見出しに列 %1 がありません．見出しには %2 が必要です", "the header lacks column %1; it must name %2"}},
    {Usage::OutputColumnName, {"列 %1 は出力の列と同じ名前です．名前を変えてください", "column %1 has the name of an output column; rename it"}},
    {Usage::EmptyInput, {"入力が空です．1 行目に列の見出し %1 が必要です", "the input is empty; its first row must name the columns %1"}},
    {Usage::HeightTwice, {"見出しに 'Hrms0' と 'Hm0' の両方があります．波高はどちらか一方で与えてください", "the header names both 'Hrms0' and 'Hm0'; give the height once"}},
    {Usage::LacksHeight, {"見出しに列 'Hrms0'（または 'Hm0'）がありません．見出しには %1 が必要です", "the header lacks column 'Hrms0' (or 'Hm0'); it must name %1"}},
    {Usage::WindTwice, {"見出しに 'wind_stress' があり，--wind-stress もすべての条件に風の応力を与えています．風の応力はどちらか一方で与えてください", "the header names 'wind_stress' and --wind-stress gives one for every condition; give the wind stress once"}},
    {Usage::SettingTwice, {"列 '%1' とオプション %2 の両方が %1 を与えています．どちらか一方で与えてください", "the column '%1' and the option %2 both give %1; give it once"}},
    {Usage::SettingMissing, {"列 '%1' もオプション %2 もありません．%1 をどちらかで与えてください", "no column '%1' and no option %2: give %1 one way or the other"}},
    {Usage::StationAt, {"h=%1 の測点: ", "station at h=%1: "}},
    {Usage::SummaryInterrupted, {"中断しました．要約は書き出していません", "interrupted; no summary written"}},
    {Usage::ConditionsFailed, {"%2 件の条件のうち %1 件が計算できませんでした（最初：%3）", "%1 of %2 conditions failed (first: %3)"}},
    {Usage::NoConditions, {"海象条件がありません", "no conditions"}},
    {Usage::ColumnsCalc, {"Ho，T，alpha0，n（h は省略可）", "Ho, T, alpha0, n and optionally h"}},
    {Usage::ColumnsCompare, {"Ho，T，alpha0，n", "Ho, T, alpha0 and n"}},
    {Usage::ColumnsRandom, {"H0p，T13，n，h", "H0p, T13, n and h"}},
    {Usage::ColumnsTransform, {"Hrms0（または Hm0），Tp，theta0（tide と wind_stress は省略可）", "Hrms0 (or Hm0), Tp, theta0 and optionally tide and wind_stress"}},
    {Usage::ColumnsCaisson, {"Hmax，H13，T，h，h_prime，d，hc，B", "Hmax, H13, T, h, h_prime, d, hc and B"}},
    {Usage::ColumnsOvertopping, {"Hm0，Tm10，Rc", "Hm0, Tm10 and Rc"}},
    {Usage::ColumnsArmour, {"Hs，T，cot_alpha", "Hs, T and cot_alpha"}},
    {Usage::CannotRead, {"読めません：%1", "cannot be read: %1"}},
    {Usage::CannotReadConditions, {"海象条件を読めません：%1", "cannot read the conditions: %1"}},
    {Usage::CannotWriteResults, {"結果を %1 に書き出せません：%2", "cannot write the results to %1: %2"}},
    {Usage::CannotWrite, {"'%1' に書き込めません：%2", "cannot write '%1': %2"}},
    {Usage::ChangedWhileOpened, {"開いている間に別のものに変わりました", "it changed while it was opened"}},
    {Usage::NotWritableKind, {"通常のファイル，キャラクタデバイス，FIFO のいずれでもありません", "not a regular file, a character device or a FIFO"}},
    {Usage::LinksNotFound, {"リンクの指すファイルが見つかりません", "the file its links name cannot be found"}},
    {Usage::ReadOnly, {"読み取り専用です（モード 0%1）．置き換えるには書き込みを許可するか，削除してください", "it is read-only (mode 0%1); make it writable or remove it to replace it"}},
    {Usage::NotAFileName, {"ファイル名ではありません", "not a file name"}},
    {Usage::OneWaveCompare, {"1 つの波の compare", "compare of one wave"}},
    {Usage::OneConditionTransform, {"1 つの条件の transform", "one condition of transform"}},
    {Usage::TransformNeedsProfile, {"transform には --profile FILE（列 x と z）が必要です", "transform needs --profile FILE (the columns x and z)"}},
    {Usage::UnknownDissipation, {"砕波減衰のモデル %1 はありません．次のいずれかです：%2", "unknown dissipation %1; one of %2"}},
    {Usage::GammaChoice, {"--gamma %1：ruessink2003，battjes-stive1985 または 0 より大きい数値を指定してください", "--gamma %1: ruessink2003, battjes-stive1985 or a number > 0"}},
    {Usage::MixingChoice, {"--mixing %1：none，battjes1975 または 0 以上の渦動粘性係数 (m2/s) を指定してください", "--mixing %1: none, battjes1975 or an eddy viscosity >= 0 (m2/s)"}},
    {Usage::MixingCoefficient, {"--mixing-M は --mixing battjes1975 とともに使います", "--mixing-M goes with --mixing battjes1975"}},
    {Usage::AtOutside, {"--at %1：断面の外です（x は %2 から %3 まで）", "--at %1: outside the profile, x from %2 to %3"}},
    {Usage::GoesWithChain, {"%1 は --profile（波浪変形から構造物までの連結計算）とともに使います", "%1 goes with --profile (the chain)"}},
    {Usage::ChainDepth, {"--h と --d は --profile には使えません：連結計算では法先の水深を波浪変形から（d を --mound-top から）求めます", "--h and --d do not go with --profile: the chain takes the depth at the toe from the transform (and d from --mound-top)"}},
    {Usage::ChainToeCrest, {"連結計算には --toe X と --crest Z が必要です", "the chain needs --toe X and --crest Z"}},
    {Usage::ChainSlope, {"斜面への連結計算には --cot-alpha が必要です", "the chain at a slope needs --cot-alpha"}},
    {Usage::ChainComposite, {"混成堤への連結計算には --mound-top が必要です", "the chain at a composite wall needs --mound-top"}},
    {Usage::LimitsWithSummary, {"--limits は --summary とともに使います", "--limits goes with --summary"}},
    {Usage::DischargeLimit, {"--limits %1：0 以上の越波流量 (m3/s/m) を指定してください", "--limits %1: a discharge >= 0 (m3/s per m)"}},
};
// clang-format on
}  // namespace

std::string usageText(Usage usage, std::initializer_list<std::string_view> details,
                      Language language) {
  const auto* found = std::find_if(std::begin(kUsageLines), std::end(kUsageLines),
                                   [usage](const UsageLine& l) { return l.usage == usage; });
  if (found == std::end(kUsageLines)) return {};
  const std::string_view text = found->text.in(language);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '0') : 0;
    if (text[i] == '%' && n >= 1 && n <= details.size()) {
      out.append(*(details.begin() + (n - 1)));
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string transportOverflowText(std::string_view names, Language language) {
  const std::string given(names);
  if (language == Language::English) {
    return given + " give a yearly transport beyond single precision for every breaker of 1 cm "
                   "or more: check them";
  }
  return given + " では，1 cm 以上のどの砕波波高でも年間漂砂量が単精度の範囲を超えます．値を確認してください．";
}

std::string warningText(shore::Warnings warnings, Language language) {
  std::string text;
  for (const WarningLine& line : kWarningLines) {
    if (!warnings.has(line.bit)) continue;
    if (!text.empty()) text += "\n";
    text += line.text.in(language);
  }
  return text;
}

std::string bedProfileFaultText(const BedFault& fault, std::string_view source,
                                Language language) {
  const bool en = language == Language::English;
  const std::string file(source);
  const std::string where = en ? "profile " + file + ": " : "断面ファイル " + file + ": ";
  const std::string line = std::to_string(fault.line);
  const std::string at = where + (en ? "line " + line + ": " : line + " 行目: ");
  const std::string points = std::to_string(kMaxBedProfilePoints);
  const std::string count = std::to_string(fault.count), expected = std::to_string(fault.expected);
  const std::string value = "'" + fault.value + "'";
  switch (fault.kind) {
    case BedFaultKind::None: return {};
    case BedFaultKind::CannotOpen:
      return (en ? "cannot open profile " + file : "断面ファイル " + file + " を開けません") + ": " +
             std::strerror(fault.error);
    case BedFaultKind::NotRegularFile:
      return en ? "profile " + file + " is not a regular file (a FIFO, a device or a directory); it is not read"
                : "断面ファイル " + file + " は通常のファイルではありません（FIFO，デバイスまたはディレクトリ）．読み込みません．";
    case BedFaultKind::TooLarge:
      return en ? "profile " + file + " is larger than 64 MiB: not a profile of at most " + points + " points"
                : "断面ファイル " + file + " が 64 MiB を超えています（断面は " + points + " 点まで）．";
    case BedFaultKind::CannotRead:
      return (en ? "cannot read profile " + file : "断面ファイル " + file + " を読めません") + ": " +
             std::strerror(fault.error);
    case BedFaultKind::Empty:
      return where + (en ? "the file is empty; its first row must name the columns x and z"
                         : "ファイルが空です．1 行目に列の見出し x と z が必要です．");
    case BedFaultKind::BadText:
      return at + (en ? "not CSV text (a NUL byte, a quote left open or text after a closing quote)"
                      : "CSV のテキストではありません（NUL 文字，閉じていない引用符，または閉じた引用符の後の文字）．");
    case BedFaultKind::MissingColumn:
      return at + (en ? "the header lacks column '" + fault.column + "'; it must name x and z"
                      : "見出しに列 '" + fault.column + "' がありません（x と z が必要です）．");
    case BedFaultKind::DuplicateColumn:
      return at + (en ? "the header names column '" + fault.column + "' twice"
                      : "見出しに列 '" + fault.column + "' が 2 回あります．");
    case BedFaultKind::FieldCount:
      return at + (en ? count + " fields where the header has " + expected
                      : "列が " + count + " 個あります（見出しは " + expected + " 個）．");
    case BedFaultKind::NotANumber:
      return at + (en ? fault.column + " " + value + " is not a finite number"
                      : fault.column + " = " + value + " は有限の数値ではありません．");
    case BedFaultKind::NotIncreasing:
      return at + (en ? "x = " + fault.value + " does not exceed the x before it (" + fault.at +
                            "); x must increase strictly onshore"
                      : "x = " + fault.value + " が前の点の x = " + fault.at +
                            " より大きくありません（x は岸向きに単調に増加していなければなりません）．");
    case BedFaultKind::TooManyPoints:
      return at + (en ? "more than " + points + " profile points"
                      : "断面点が " + points + " 点を超えています．");
    case BedFaultKind::TooFewPoints:
      return where + (en ? "the profile needs at least two points (it has " + count + ")"
                         : "断面には 2 点以上が必要です（読めた点: " + count + " 点）．");
    case BedFaultKind::DryBoundary:
      return where + (en ? "the offshore boundary (the first point, x = " + fault.at + ") lies at z = " +
                               fault.value + ", not below the still-water datum: no water at the boundary"
                         : "沖側境界（最初の点，x = " + fault.at + "）の z = " + fault.value +
                               " が静水面の基準より下にありません．境界に水がありません．");
  }
  return where;
}

std::string fieldCountText(std::size_t fields, std::size_t width, Language language) {
  const std::string f = std::to_string(fields), w = std::to_string(width);
  if (fields == 1) {
    // A line of blanks, or of "", or whose fields were split by another
    // separator than the header's.
    if (language == Language::English) {
      return "This line holds one field where the header has " + w +
             " (a line of only blanks or \"\", or fields not separated as the header's are). "
             "Remove the line or give it every column.";
    }
    return "この行は 1 列だけです（見出し行は " + w +
           " 列）．空白または \"\" だけの行か，見出し行と異なる区切り文字の行です．行を削除するか，すべての列を入力してください．";
  }
  if (language == Language::English) {
    return "The number of fields does not match the header (this row " + f + ", header " + w +
           "). Use a point as the decimal separator and put cells that contain a comma in double "
           "quotes.";
  }
  return "列の数が見出し行と合いません（この行 " + f + " 列，見出し行 " + w +
         " 列）．小数点にはピリオドを使い，カンマを含むセルは二重引用符で囲んでください．";
}

std::string trailingTextText(std::string_view column, bool decimalComma, Language language) {
  const std::string name(column);
  if (language == Language::English) {
    return "The cell of " + name + " holds text after its number. Enter the number alone, " +
           (decimalComma ? "with a comma" : "with a point") + " as the decimal separator and "
           "without a unit (an exponent with e: 1e-1, not Fortran's 1d-1).";
  }
  return name + " のセルの数値の後に文字があります．単位を付けず，小数点には" +
         (decimalComma ? "カンマ" : "ピリオド") +
         "を使って数値だけを入力してください（指数は e で：1d-1 ではなく 1e-1）．";
}

std::string randomDepthText(Language language) {
  return std::string(Text{"水深 h には 0 より大きい数値を入力してください．不規則波の波高は与えた水深で求めます．",
                          "Enter a number greater than 0 for the depth h. Goda's random-wave "
                          "heights are found at a given depth, which cannot be left empty."}
                         .in(language));
}

std::string randomShoalingText(Language language) {
  return std::string(Text{"この水深では首藤の非線形浅水変形の計算が収束せず，浅水係数 Ks を求められません．浅水変形の項が有義波高または最大波高を決める可能性があるため，波高を求められません．",
                          "Shuto's nonlinear shoaling does not converge at this depth, so the "
                          "shoaling coefficient Ks cannot be formed, and the shoaling term may "
                          "still decide H1/3 or Hmax here: no height can be given."}
                         .in(language));
}

std::string randomTermDisplayName(shore::RandomTerm term, bool maximum, Language language) {
  switch (term) {
    case shore::RandomTerm::Shoaling:
      return std::string(Text{"浅水変形", "shoaling"}.in(language)) +
             (maximum ? " 1.8·Ks·H0′" : " Ks·H0′");
    case shore::RandomTerm::Breaking:
      return std::string(Text{"砕波減衰", "breaking decay"}.in(language)) +
             (maximum ? " β0*·H0′ + β1*·h" : " β0·H0′ + β1·h");
    case shore::RandomTerm::Cap:
      return std::string(Text{"上限", "cap"}.in(language)) +
             (maximum ? " βmax*·H0′" : " βmax·H0′");
  }
  return "";
}

std::string_view breakerDisplayName(shore::BreakerLimit breaker, Language language) {
  switch (breaker) {
    case shore::BreakerLimit::Goda1970: return Text{"合田 (1970)", "Goda (1970)"}.in(language);
    case shore::BreakerLimit::Goda2010: return Text{"合田 (2010)", "Goda (2010)"}.in(language);
    case shore::BreakerLimit::McCowan: return "McCowan";
    case shore::BreakerLimit::Kamphuis: return "Kamphuis (1991)";
    case shore::BreakerLimit::Miche: return "Miche";
  }
  return "";
}

std::string_view shoalingDisplayName(shore::Shoaling shoaling, Language language) {
  switch (shoaling) {
    case shore::Shoaling::TwoRegime: return Text{"2 領域", "two regimes"}.in(language);
    case shore::Shoaling::Shuto: return Text{"首藤 (1974)", "Shuto (1974)"}.in(language);
  }
  return "";
}

std::string rowDisplayName(const shore::ComparisonRow& row, Language language) {
  if (!row.model) {
    return std::string(Text{"Komar・Gaughan／Weggel", "Komar–Gaughan / Weggel"}.in(language));
  }
  return std::string(breakerDisplayName(row.model->breaker, language)) +
         std::string(Text{"・", ", "}.in(language)) +
         std::string(shoalingDisplayName(row.model->shoaling, language));
}

}  // namespace saiha::report
