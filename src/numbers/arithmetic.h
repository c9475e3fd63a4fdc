// Arithmetic rules shared by the conversions, the unit tables and the calculator.
#pragma once

#include <cmath>
#include <optional>

namespace halden {

/// value, or std::nullopt when it is infinite or not a number (an overflow or a domain error).
inline std::optional<double> Finite(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

/// Pi as the unit tables and the calculator compute it, 4 * atan(1), to the last bit.
inline double Pi() { return 4.0 * std::atan(1.0); }

}  // namespace halden
