// Goda's pressures on an upright breakwater (not yet computed).
#include "structure/caisson.h"

namespace saiha::structure {

CaissonResult caisson(const CaissonInput&) noexcept {
  CaissonResult r;
  r.error = Error::InvalidStructureOption;
  return r;
}

DesignWave designWave(double, double, double, double) noexcept {
  DesignWave r;
  r.error = Error::InvalidStructureOption;
  return r;
}

}  // namespace saiha::structure
