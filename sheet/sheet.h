// The calculation sheet: seventeen texts, one per text box, addressed by the
// box's control name.  Five are inputs, twelve are results.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace saiha::sheet {

// The boxes by what they hold, in the order of their control names: Box::Period
// is the control Text1, Box::Depth Text2 … Box::Direction Text17 (boxName).
enum class Box : std::uint8_t {
  Period,            // Text1: T (s), input
  Depth,             // Text2: chosen depth h (m), input; empty for the breaking depth
  BreakerHeight,     // Text3: Hb (m)
  BreakingDepth,     // Text4: hb (m)
  Height,            // Text5: deep-water height Ho (m), input
  BottomAmplitude,   // Text6: orbit semi-amplitude at the bottom (m)
  BottomSpeed,       // Text7: maximum orbital speed at the bottom (m/s)
  SurfaceAmplitude,  // Text8: orbit semi-amplitude at the surface (m)
  SurfaceSpeed,      // Text9: maximum orbital speed at the surface (m/s)
  Celerity,          // Text10: C (m/s)
  Angle,             // Text11: αo (degrees), input
  Slope,             // Text12: slope denominator n, input
  Wavelength,        // Text13: L (m)
  BreakerIndex,      // Text14: γ = Hb/hb
  WaveHeight,        // Text15: H at the chosen depth (m)
  BreakingAngle,     // Text16: θb (degrees)
  Direction,         // Text17: θ at the chosen depth (degrees)
};
inline constexpr std::size_t kBoxCount = 17;

constexpr std::size_t index(Box box) { return static_cast<std::size_t>(box); }

// The control name, "Text1" … "Text17".
std::string_view boxName(Box box);

// Inputs: Ho (m), T (s), αo (degrees), slope denominator n, chosen depth h (m;
// empty for the breaking depth).
inline constexpr Box kHeightBox = Box::Height;
inline constexpr Box kPeriodBox = Box::Period;
inline constexpr Box kAngleBox = Box::Angle;
inline constexpr Box kSlopeBox = Box::Slope;
inline constexpr Box kDepthBox = Box::Depth;
inline constexpr std::array<Box, 5> kInputBoxes = {kHeightBox, kPeriodBox, kAngleBox, kSlopeBox,
                                                   kDepthBox};

// Results, in the order a calculation writes them: at the breaking point the
// breaker height Hb (m), breaking depth hb (m), γ = Hb/hb and direction θb
// (degrees); at the chosen depth the wavelength L (m), direction θ (degrees),
// celerity C (m/s), height H (m), the orbit's semi-amplitude (m) and maximum
// speed (m/s) at the bottom, then at the surface.
inline constexpr std::array<Box, 12> kResultBoxes = {
    Box::BreakerHeight,   Box::BreakingDepth, Box::BreakerIndex,     Box::BreakingAngle,
    Box::Wavelength,      Box::Direction,     Box::Celerity,         Box::WaveHeight,
    Box::BottomAmplitude, Box::BottomSpeed,   Box::SurfaceAmplitude, Box::SurfaceSpeed,
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
