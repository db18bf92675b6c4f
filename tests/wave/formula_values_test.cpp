// Every wave formula against values computed independently from the same
// definitions (another language, its own emulation of single precision), to
// the last bit of the double result.  A changed evaluation order, a missing
// or extra narrowing, or a different constant shows here even where the two
// decimals on the sheet would hide it.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "wave/formulas.h"

namespace {

using namespace saiha::wave;
using Args = std::array<float, 5>;

double waveLengthOf(Args a) { return waveLength(a[0], a[1]); }
double waveCosechOf(Args a) { return waveCosech(a[0]); }
double waveCothOf(Args a) { return waveCoth(a[0]); }
double waveSinhOf(Args a) { return waveSinh(a[0]); }
double refractedAngleOf(Args a) { return refractedAngle(a[0], a[1], a[2]); }
double refractionCoefOf(Args a) { return refractionCoef(a[0], a[1]); }
double groupRatioOf(Args a) { return groupRatio(a[0], a[1]); }
double shoalingCoefOf(Args a) { return shoalingCoef(a[0], a[1], a[2]); }
double ursell50HeightOf(Args a) { return ursell50Height(a[0]); }
double linearHeightRatioOf(Args a) { return linearHeightRatio(a[0], a[1], a[2], a[3], a[4]); }
double ursellRootOf(Args a) { return ursellRoot(a[0], a[1]); }
double nonlinearHeightRatioOf(Args a) { return nonlinearHeightRatio(a[0], a[1], a[2]); }
double breakingHeightRatioOf(Args a) { return breakingHeightRatio(a[0], a[1]); }

struct ValueRow {
  const char* name;
  double (*formula)(Args);
  Args args;  // single-precision arguments, written exactly in hexadecimal
  double expected;

  friend void PrintTo(const ValueRow& row, std::ostream* os) { *os << row.name; }
};

const ValueRow kValues[] = {
    {"WaveLength0", &waveLengthOf, {0x1.2f58300000000p+2f, 0x1.9d4e600000000p+1f}, 0x1.817ec7767f559p+4},
    {"WaveLength1", &waveLengthOf, {0x1.b8b3960000000p+3f, 0x1.f4fed00000000p+5f}, 0x1.0ab0637c2707dp+8},
    {"WaveLength2", &waveLengthOf, {0x1.1714da0000000p+2f, 0x1.4640bc0000000p-2f}, 0x1.e7db728326decp+2},
    {"WaveLength3", &waveLengthOf, {0x1.fa5bca0000000p+3f, 0x1.43869c0000000p+2f}, 0x1.b7b175bb1d440p+6},
    {"WaveLength4", &waveLengthOf, {0x1.40480a0000000p+4f, 0x1.2ce26a0000000p+2f}, 0x1.0dbe9ddb34d34p+7},
    {"WaveLength5", &waveLengthOf, {0x1.2cd69e0000000p+4f, 0x1.d39d2c0000000p+4f}, 0x1.2ca7358d435ccp+8},
    {"WaveLength6", &waveLengthOf, {0x1.3460a80000000p+4f, 0x1.9ecb740000000p+2f}, 0x1.2fc5dc739a475p+7},
    {"WaveLength7", &waveLengthOf, {0x1.e12ed60000000p+2f, 0x1.04ed900000000p+3f}, 0x1.e5b10905d28aap+5},
    {"Cosech0", &waveCosechOf, {0x1.7c288c0000000p-6f}, 0x1.58c06da36d241p+5},
    {"Coth0", &waveCothOf, {0x1.7c288c0000000p-6f}, 0x1.58d82fe651c7bp+5},
    {"Sinh0", &waveSinhOf, {0x1.7c288c0000000p-6f}, 0x1.7c314799c14a0p-6},
    {"Cosech1", &waveCosechOf, {0x1.3dee7e0000000p+2f}, 0x1.c81abf6ce4987p-7},
    {"Coth1", &waveCothOf, {0x1.3dee7e0000000p+2f}, 0x1.0006592a72f8cp+0},
    {"Sinh1", &waveSinhOf, {0x1.3dee7e0000000p+2f}, 0x1.1f5f6c96c222cp+6},
    {"Cosech2", &waveCosechOf, {0x1.3856620000000p-2f}, 0x1.9d362cb16640fp+1},
    {"Coth2", &waveCothOf, {0x1.3856620000000p-2f}, 0x1.b0952f9fa54bdp+1},
    {"Sinh2", &waveSinhOf, {0x1.3856620000000p-2f}, 0x1.3d33fd4e9c596p-2},
    {"Cosech3", &waveCosechOf, {0x1.3923600000000p+2f}, 0x1.eb94c62487e82p-7},
    {"Coth3", &waveCothOf, {0x1.3923600000000p+2f}, 0x1.00075fccdc84cp+0},
    {"Sinh3", &waveSinhOf, {0x1.3923600000000p+2f}, 0x1.0aa22cc56a4d5p+6},
    {"Cosech4", &waveCosechOf, {0x1.d3c5620000000p+0f}, 0x1.5230596461609p-2},
    {"Coth4", &waveCothOf, {0x1.d3c5620000000p+0f}, 0x1.0d99a2519a9b0p+0},
    {"Sinh4", &waveSinhOf, {0x1.d3c5620000000p+0f}, 0x1.8392070849df7p+1},
    {"RefractedAngle0", &refractedAngleOf, {0x1.32f9ce0000000p+7f, 0x1.3353fe0000000p+9f, -0x1.7dad060000000p-1f}, -0x1.5c93d00a67000p-3},
    {"RefractionCoef0", &refractionCoefOf, {-0x1.5c93d00000000p-3f, -0x1.7dad060000000p-1f}, 0x1.ba164fdfafce2p-1},
    {"RefractedAngle1", &refractedAngleOf, {0x1.9b71c40000000p+9f, 0x1.b90f9e0000000p+9f, 0x1.d4b0520000000p-1f}, 0x1.aa35696fac76fp-1},
    {"RefractionCoef1", &refractionCoefOf, {0x1.aa356a0000000p-1f, 0x1.d4b0520000000p-1f}, 0x1.e7350eb2ce8f0p-1},
    {"RefractedAngle2", &refractedAngleOf, {0x1.e3f3e60000000p+8f, 0x1.c1d8d40000000p+9f, -0x1.4562e60000000p+0f}, -0x1.145a321035a23p-1},
    {"RefractionCoef2", &refractionCoefOf, {-0x1.145a320000000p-1f, -0x1.4562e60000000p+0f}, 0x1.2c649da7ca259p-1},
    {"RefractedAngle3", &refractedAngleOf, {0x1.6ac25e0000000p+7f, 0x1.38f3800000000p+8f, -0x1.3f4d020000000p-1f}, -0x1.619315a7a9397p-2},
    {"RefractionCoef3", &refractionCoefOf, {-0x1.6193160000000p-2f, -0x1.3f4d020000000p-1f}, 0x1.db8c4c0a49f3ap-1},
    {"RefractedAngle4", &refractedAngleOf, {0x1.702dd00000000p+8f, 0x1.a120e80000000p+8f, 0x1.394e720000000p-1f}, 0x1.10406469f2bacp-1},
    {"RefractionCoef4", &refractionCoefOf, {0x1.1040640000000p-1f, 0x1.394e720000000p-1f}, 0x1.f2f2d6a20b2cdp-1},
    {"RefractedAngle5", &refractedAngleOf, {0x1.3411260000000p+5f, 0x1.05f4120000000p+9f, 0x1.43e2720000000p-1f}, 0x1.641cadaacea3ep-5},
    {"RefractionCoef5", &refractionCoefOf, {0x1.641cae0000000p-5f, 0x1.43e2720000000p-1f}, 0x1.cc05597a4b39dp-1},
    {"GroupRatio0", &groupRatioOf, {0x1.a8ae4e0000000p+0f, 0x1.4aef800000000p+5f}, 0x1.f57a2a4f5a2adp-1},
    {"ShoalingCoef0", &shoalingCoefOf, {0x1.4aef800000000p+5f, 0x1.4f3eac0000000p+7f, 0x1.f57a2a0000000p-1f}, 0x1.70310137a0802p+0},
    {"LinearHeight0", &linearHeightRatioOf, {0x1.a8ae4e0000000p+0f, 0x1.4aef800000000p+5f, 0x1.dac73e0000000p+1f, 0x1.4f3eac0000000p+7f, 0x1.a551fa0000000p-3f}, 0x1.021e9b798e2ffp-5},
    {"GroupRatio1", &groupRatioOf, {0x1.0d00060000000p-3f, 0x1.e8d99a0000000p+3f}, 0x1.ff80aa04e636ep-1},
    {"ShoalingCoef1", &shoalingCoefOf, {0x1.e8d99a0000000p+3f, 0x1.1b0d880000000p+8f, 0x1.ff80aa0000000p-1f}, 0x1.85c96303dc3e5p+1},
    {"LinearHeight1", &linearHeightRatioOf, {0x1.0d00060000000p-3f, 0x1.e8d99a0000000p+3f, 0x1.29fb340000000p+2f, 0x1.1b0d880000000p+8f, 0x1.3361600000000p-1f}, 0x1.74d4ccf93c2fdp-5},
    {"GroupRatio2", &groupRatioOf, {0x1.77c0ae0000000p+1f, 0x1.508f600000000p+6f}, 0x1.f7fa97dc2710ap-1},
    {"ShoalingCoef2", &shoalingCoefOf, {0x1.508f600000000p+6f, 0x1.85f3fa0000000p+8f, 0x1.f7fa980000000p-1f}, 0x1.88c9d3b1a2c06p+0},
    {"LinearHeight2", &linearHeightRatioOf, {0x1.77c0ae0000000p+1f, 0x1.508f600000000p+6f, 0x1.088ee00000000p+3f, 0x1.85f3fa0000000p+8f, -0x1.2894360000000p-1f}, 0x1.e9460c4e8706fp-6},
    {"GroupRatio3", &groupRatioOf, {0x1.b1e33c0000000p+6f, 0x1.a721900000000p+7f}, 0x1.05403a16add41p-1},
    {"ShoalingCoef3", &shoalingCoefOf, {0x1.a721900000000p+7f, 0x1.a87b280000000p+7f, 0x1.05403a0000000p-1f}, 0x1.fba2eacc89df8p-1},
    {"LinearHeight3", &linearHeightRatioOf, {0x1.b1e33c0000000p+6f, 0x1.a721900000000p+7f, 0x1.1aae060000000p+2f, 0x1.a87b280000000p+7f, 0x1.61a4b80000000p-5f}, 0x1.520e2e3b78878p-6},
    {"GroupRatio4", &groupRatioOf, {0x1.49a05c0000000p-2f, 0x1.1c50840000000p+2f}, 0x1.dfc51581e16c6p-1},
    {"ShoalingCoef4", &shoalingCoefOf, {0x1.1c50840000000p+2f, 0x1.4d822e0000000p+3f, 0x1.dfc5160000000p-1f}, 0x1.1e6d0d1a536c5p+0},
    {"LinearHeight4", &linearHeightRatioOf, {0x1.49a05c0000000p-2f, 0x1.1c50840000000p+2f, 0x1.55cf020000000p+0f, 0x1.4d822e0000000p+3f, -0x1.1529d40000000p+0f}, 0x1.a1b87579dca21p-4},
    {"GroupRatio5", &groupRatioOf, {0x1.38ea1a0000000p+6f, 0x1.a88eb80000000p+8f}, 0x1.762fac76ab259p-1},
    {"ShoalingCoef5", &shoalingCoefOf, {0x1.a88eb80000000p+8f, 0x1.02ca3e0000000p+9f, 0x1.762fac0000000p-1f}, 0x1.d39768074c0dep-1},
    {"LinearHeight5", &linearHeightRatioOf, {0x1.38ea1a0000000p+6f, 0x1.a88eb80000000p+8f, 0x1.1a48b80000000p+0f, 0x1.02ca3e0000000p+9f, 0x1.2c969c0000000p-2f}, 0x1.fa4caa70d6969p-10},
    {"Ursell50Height0", &ursell50HeightOf, {0x1.a540400000000p-6f}, 0x1.58c1981f37ac6p-8},
    {"UrsellRoot0", &ursellRootOf, {0x1.6e4f780000000p-9f, 0x1.a540400000000p-6f}, 0x1.49da0098ce076p+2},
    {"Ursell50Height1", &ursell50HeightOf, {0x1.3e9c9a0000000p-8f}, 0x1.8a714c5ddfcd8p-13},
    {"UrsellRoot1", &ursellRootOf, {0x1.7485fe0000000p-5f, 0x1.3e9c9a0000000p-8f}, 0x1.b7cb694f19732p+6},
    {"Ursell50Height2", &ursell50HeightOf, {0x1.36b8bc0000000p-4f}, 0x1.772604268b2ebp-5},
    {"UrsellRoot2", &ursellRootOf, {0x1.3389c20000000p-9f, 0x1.36b8bc0000000p-4f}, 0x1.99be85ac76be2p+0},
    {"Ursell50Height3", &ursell50HeightOf, {0x1.a368c80000000p-6f}, 0x1.55bf92398a7fep-8},
    {"UrsellRoot3", &ursellRootOf, {0x1.f740120000000p-5f, 0x1.a368c80000000p-6f}, 0x1.8451b2d0d5006p+4},
    {"Ursell50Height4", &ursell50HeightOf, {0x1.d4c1880000000p-1f}, 0x1.aae5d6a5d9ceep+2},
    {"UrsellRoot4", &ursellRootOf, {0x1.1c09c60000000p-8f, 0x1.d4c1880000000p-1f}, 0x1.7123e5d15e3b2p-3},
    {"NonlinearHeight0", &nonlinearHeightRatioOf, {0x1.25bbc80000000p-5f, 0x1.12f20c0000000p-4f, 0x1.c307aa0000000p-5f}, 0x1.3cc4b921fc6ffp-5},
    {"NonlinearHeight1", &nonlinearHeightRatioOf, {0x1.a6be080000000p-8f, 0x1.d2780c0000000p-6f, 0x1.c45e600000000p-6f}, 0x1.aa8bd13c9c926p-8},
    {"NonlinearHeight2", &nonlinearHeightRatioOf, {0x1.8c39f00000000p-6f, 0x1.c39a4a0000000p-5f, 0x1.0f4a340000000p-5f}, 0x1.00f6b87b88324p-5},
    {"NonlinearHeight3", &nonlinearHeightRatioOf, {0x1.4e2c140000000p-2f, 0x1.9ebbfe0000000p-3f, 0x1.c692340000000p-4f}, 0x1.ceac638e21d0cp-2},
    {"NonlinearHeight4", &nonlinearHeightRatioOf, {0x1.824c5a0000000p-8f, 0x1.bde8b40000000p-6f, 0x1.4082fc0000000p-7f}, 0x1.776e1870e1e9ap-7},
    {"NonlinearHeight5", &nonlinearHeightRatioOf, {0x1.054d560000000p-10f, 0x1.6ebd040000000p-7f, 0x1.26da880000000p-7f}, 0x1.1c8d9c19b9c33p-10},
    {"NonlinearHeight6", &nonlinearHeightRatioOf, {0x1.7b06e60000000p-5f, 0x1.3852dc0000000p-4f, 0x1.6865c40000000p-5f}, 0x1.f9b7753410ac0p-5},
    {"NonlinearHeight7", &nonlinearHeightRatioOf, {0x1.c909400000000p-6f, 0x1.e505420000000p-5f, 0x1.294a7e0000000p-5f}, 0x1.2461d684c4710p-5},
    {"BreakingHeight0", &breakingHeightRatioOf, {0x1.29b6c20000000p-1f, 0x1.e9f8b80000000p-8f}, 0x1.46fe2aa24c363p-3},
    {"BreakingHeight1", &breakingHeightRatioOf, {0x1.d4f36c0000000p-6f, 0x1.fbe11c0000000p-9f}, 0x1.6270af93e3f77p-6},
    {"BreakingHeight2", &breakingHeightRatioOf, {0x1.3430fe0000000p-2f, 0x1.43aec20000000p-9f}, 0x1.0874d4ffe81c6p-3},
    {"BreakingHeight3", &breakingHeightRatioOf, {0x1.8248140000000p-5f, 0x1.20a4b00000000p-9f}, 0x1.168c06e98895bp-5},
    {"BreakingHeight4", &breakingHeightRatioOf, {0x1.3f87220000000p-2f, 0x1.952e2a0000000p-8f}, 0x1.0e1f7199b70afp-3},
};

class FormulaValue : public testing::TestWithParam<ValueRow> {};

TEST_P(FormulaValue, MatchesToTheLastBit) {
  EXPECT_EQ(GetParam().formula(GetParam().args), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Formulas, FormulaValue, testing::ValuesIn(kValues),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
