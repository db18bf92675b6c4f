// Rock armour (not yet computed).
#include "structure/armour.h"

namespace saiha::structure {

ArmourResult armour(const ArmourInput&) noexcept {
  ArmourResult r;
  r.error = Error::InvalidStructureOption;
  return r;
}

}  // namespace saiha::structure
