// The structure functions of saiha._saiha (python/structure.cpp).
#pragma once

#include <pybind11/pybind11.h>

namespace saiha::python {

// Adds caisson, design_wave, overtopping, runup, armour and
// overtopping_chain, and the names they use, to the module.
void addStructure(pybind11::module_& m);

}  // namespace saiha::python
