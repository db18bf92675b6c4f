// EurOtop's runup and overtopping (not yet computed).
#include "structure/overtopping.h"

namespace saiha::structure {

OvertoppingResult overtopping(const OvertoppingInput&) noexcept {
  OvertoppingResult r;
  r.error = Error::InvalidStructureOption;
  return r;
}

RunupResult runup(const RunupInput&) noexcept {
  RunupResult r;
  r.error = Error::InvalidStructureOption;
  return r;
}

}  // namespace saiha::structure
