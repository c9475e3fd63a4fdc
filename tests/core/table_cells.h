// Filling the catalogue's and the user tables' text cells in tests.
#pragma once

#include <string>

namespace core_test {

/// Copies a whole text into a table cell (assigning string literals directly trips a false
/// overlap warning of GCC 12 at -O3).
inline void Put(std::string& cell, const std::string& text) { cell = text; }

}  // namespace core_test
