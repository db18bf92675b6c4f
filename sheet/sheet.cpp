#include "sheet/sheet.h"

namespace saiha::sheet {

std::string_view boxName(Box box) {
  static constexpr std::array<std::string_view, kBoxCount> kNames = {
      "Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text7",  "Text8",  "Text9",
      "Text10", "Text11", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17",
  };
  return kNames[index(box)];
}

void loadDefaults(SheetAccess& sheet) {
  sheet.setText(kHeightBox, "1");
  sheet.setText(kPeriodBox, "10");
  sheet.setText(kAngleBox, "30");
  sheet.setText(kSlopeBox, "60");
  sheet.setText(kDepthBox, "");
  for (Box box : {Box::BreakerHeight, Box::BreakingDepth, Box::BottomAmplitude, Box::BottomSpeed,
                  Box::SurfaceAmplitude, Box::SurfaceSpeed, Box::Celerity, Box::Wavelength,
                  Box::BreakerIndex, Box::WaveHeight, Box::BreakingAngle, Box::Direction}) {
    sheet.setText(box, std::string(kNoResult));
  }
}

}  // namespace saiha::sheet
