// One row of saiha-calc: the texts of the five input columns computed as one
// case, as the window computes its boxes, and written as one CSV line.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/csv_reader.h"
#include "shore/model_choice.h"

namespace saiha::cli {

// The output header: the five inputs, the twelve results in the order the
// calculation writes them, and the error text.
inline constexpr std::array<std::string_view, 18> kOutputHeader = {
    "Ho",       "T",        "alpha0",    "n",         "h",         "Hb",
    "hb",       "gamma",    "theta_b",   "L",         "theta",     "C",
    "H",        "a_bottom", "u_bottom",  "a_surface", "u_surface", "error"};
// The output header of rows of `layout`: the header's columns in their
// places (see Layout::slots), then the results and the error text; for the
// five input columns alone, kOutputHeader.
std::vector<std::string> outputHeader(const Layout& layout);

// How results are written: `Shown` as the window shows them (two decimals),
// `Full` as the shortest text that reads back as the same single.
enum class Precision { Shown, Full };

// The output cells of one record appended to `out` as one CSV line, under
// `model` (the default one gives the window's results): the inputs, with h
// as the depth box reads after the calculation (an absent h column is an
// empty depth box); each result the calculation reached, empty for those it
// did not reach; and the error text, empty when every result was reached.
// Each cell is read as the window reads its box; the other columns of the
// record are copied in their places.  Returns whether the row computed, and
// when it did not, its error text in `*error` (if given).
//
// A record whose field count differs from the header's is not computed: its
// fields may have shifted (an unquoted "1,5"), so it fails with its own error
// text and its inputs are echoed by position as far as they go.
bool appendRow(const Layout& layout, std::span<const std::string_view> fields,
               Precision precision, std::string& out, const shore::Model& model = {},
               std::string* error = nullptr);

}  // namespace saiha::cli
