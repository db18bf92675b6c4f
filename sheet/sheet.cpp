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
  for (Box box : {Box::Text3, Box::Text4, Box::Text6, Box::Text7, Box::Text8, Box::Text9,
                  Box::Text10, Box::Text13, Box::Text14, Box::Text15, Box::Text16, Box::Text17}) {
    sheet.setText(box, std::string(kNoResult));
  }
}

}  // namespace saiha::sheet
