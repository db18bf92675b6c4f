// The calculation sheet: seventeen texts, one per text box, addressed by the
// box's control name.  Five are inputs, twelve are results.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace saiha::sheet {

enum class Box : std::uint8_t {
  Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9,
  Text10, Text11, Text12, Text13, Text14, Text15, Text16, Text17,
};
inline constexpr std::size_t kBoxCount = 17;

constexpr std::size_t index(Box box) { return static_cast<std::size_t>(box); }

// The control name, "Text1" … "Text17".
std::string_view boxName(Box box);

// Inputs: Ho (m), T (s), αo (degrees), slope denominator n, chosen depth h (m;
// empty for the breaking depth).
inline constexpr Box kHeightBox = Box::Text5;
inline constexpr Box kPeriodBox = Box::Text1;
inline constexpr Box kAngleBox = Box::Text11;
inline constexpr Box kSlopeBox = Box::Text12;
inline constexpr Box kDepthBox = Box::Text2;
inline constexpr std::array<Box, 5> kInputBoxes = {kHeightBox, kPeriodBox, kAngleBox, kSlopeBox,
                                                   kDepthBox};

// Results, in the order a calculation writes them: at the breaking point the
// breaker height Hb (m), breaking depth hb (m), γ = Hb/hb and direction θb
// (degrees); at the chosen depth the wavelength L (m), direction θ (degrees),
// celerity C (m/s), height H (m), the orbit's semi-amplitude (m) and maximum
// speed (m/s) at the bottom, then at the surface.
inline constexpr std::array<Box, 12> kResultBoxes = {
    Box::Text3,  Box::Text4,  Box::Text14, Box::Text16, Box::Text13, Box::Text17,
    Box::Text10, Box::Text15, Box::Text6,  Box::Text7,  Box::Text8,  Box::Text9,
};

// The text a result box shows before any calculation reached it.
inline constexpr std::string_view kNoResult = "????";

// Read and write access to the texts of a sheet's boxes.  The window gives
// its text boxes through it; Sheet below is a plain record of texts.
class SheetAccess {
 public:
  virtual ~SheetAccess() = default;
  virtual std::string text(Box box) const = 0;
  virtual void setText(Box box, const std::string& text) = 0;
};

class Sheet final : public SheetAccess {
 public:
  std::string text(Box box) const override { return texts_[index(box)]; }
  void setText(Box box, const std::string& text) override { texts_[index(box)] = text; }

 private:
  std::array<std::string, kBoxCount> texts_;
};

// The texts a new sheet starts with: Ho "1", T "10", αo "30", n "60", the
// depth box empty and "????" in every result box.
void loadDefaults(SheetAccess& sheet);

}  // namespace saiha::sheet
