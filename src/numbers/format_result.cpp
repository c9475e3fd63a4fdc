#include "numbers/format_result.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace halden {
namespace {

// Digit counts beyond this are not asked for by any option; they only make texts absurdly long.
constexpr int kMaxFigures = 32767;
constexpr int kSignificant = 15;

// A finite value written with 15 significant digits: value = ±d0.d1d2…d14 × 10^exponent.
struct Digits {
    bool negative = false;
    char digits[kSignificant] = {};
    int exponent = 0;
};

std::optional<Digits> FifteenDigits(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    char buffer[48];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific,
                                   kSignificant - 1);
    if (ec != std::errc{}) {
        return std::nullopt;
    }
    // The text is "d.ddddddddddddddde±XX".
    Digits d;
    d.negative = std::signbit(value);
    d.digits[0] = buffer[0];
    for (int i = 1; i < kSignificant; ++i) {
        d.digits[i] = buffer[i + 1];
    }
    const char* exp = buffer + kSignificant + 2;  // just past the 'e'
    bool expNegative = *exp == '-';
    ++exp;
    int e = 0;
    std::from_chars(exp, end, e);
    d.exponent = expNegative ? -e : e;
    return d;
}

// The first `keep` digits of d, rounded half away from zero at the next digit. The result may be
// one digit longer than `keep` when the rounding carries (999 → 1000); an empty text stands for 0.
std::string RoundedDigits(const Digits& d, long keep) {
    if (keep < 0) {
        return {};
    }
    std::string kept;
    kept.reserve(static_cast<std::size_t>(keep) + 1);
    for (long i = 0; i < keep; ++i) {
        kept.push_back(i < kSignificant ? d.digits[i] : '0');
    }
    if (keep < kSignificant && d.digits[keep] >= '5') {
        long i = keep - 1;
        for (; i >= 0 && kept[i] == '9'; --i) {
            kept[i] = '0';
        }
        if (i >= 0) {
            ++kept[i];
        } else {
            kept.insert(kept.begin(), '1');
        }
    }
    return kept;
}

bool AllZero(const std::string& digits) { return digits.find_first_not_of('0') == std::string::npos; }

// The fixed pattern "0." followed by k zeros: the integer part with at least one digit, the
// separator, exactly k decimals.
std::optional<std::string> WriteFixed(double value, int decimals) {
    auto d = FifteenDigits(value);
    if (!d) {
        return std::nullopt;
    }
    std::string scaled = RoundedDigits(*d, static_cast<long>(d->exponent) + decimals + 1);
    const bool zero = AllZero(scaled);
    if (scaled.size() < static_cast<std::size_t>(decimals) + 1) {
        scaled.insert(0, static_cast<std::size_t>(decimals) + 1 - scaled.size(), '0');
    }
    // Leading zeros of the integer part beyond the first digit cannot occur: the kept digits
    // start with the value's first significant digit.
    std::string text;
    text.reserve(scaled.size() + 2);
    if (d->negative && !zero) {
        text.push_back('-');
    }
    text.append(scaled, 0, scaled.size() - static_cast<std::size_t>(decimals));
    text.push_back('.');
    text.append(scaled, scaled.size() - static_cast<std::size_t>(decimals), std::string::npos);
    return text;
}

struct Mantissa {
    std::string digits;  // one digit before the point, then the decimals
    int exponent = 0;
    bool negative = false;
};

// The value rounded to `significant` digits in exponent form; a carry to 10 becomes 1 and raises
// the exponent.
std::optional<Mantissa> RoundToSignificant(double value, int significant) {
    auto d = FifteenDigits(value);
    if (!d) {
        return std::nullopt;
    }
    Mantissa m;
    m.digits = RoundedDigits(*d, significant);
    m.exponent = d->exponent;
    if (m.digits.size() > static_cast<std::size_t>(significant)) {
        m.digits.pop_back();
        ++m.exponent;
    }
    if (AllZero(m.digits)) {
        m.exponent = 0;
    } else {
        m.negative = d->negative;
    }
    return m;
}

void AppendExponent(std::string& text, int exponent, int minDigits) {
    text.push_back('E');
    text.push_back(exponent < 0 ? '-' : '+');
    char buffer[16];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::abs(exponent));
    (void)ec;
    const int length = static_cast<int>(end - buffer);
    if (length < minDigits) {
        text.append(static_cast<std::size_t>(minDigits - length), '0');
    }
    text.append(buffer, end);
}

// The exponent pattern "0." followed by d zeros and "E+00".
std::optional<std::string> WriteExponent(double value, int decimals) {
    auto m = RoundToSignificant(value, decimals + 1);
    if (!m) {
        return std::nullopt;
    }
    std::string text;
    text.reserve(m->digits.size() + 8);
    if (m->negative) {
        text.push_back('-');
    }
    text.push_back(m->digits[0]);
    text.push_back('.');
    text.append(m->digits, 1, std::string::npos);
    AppendExponent(text, m->exponent, 2);
    return text;
}

// The probe pattern "#.##E+000": only its exponent is used, the value's decimal exponent after
// rounding to three significant digits (0 for the value 0).
std::optional<int> ProbeExponent(double value) {
    auto m = RoundToSignificant(value, 3);
    if (!m) {
        return std::nullopt;
    }
    return m->exponent;
}

void DropTrailingSeparator(std::string& text) {
    if (!text.empty() && (text.back() == '.' || text.back() == ',')) {
        text.pop_back();
    }
}

// Option values a menu offers, or another digit count an edited configuration file can hold
// (one digit, so "Figure=12" reads as 1); only 0 and values no file can hold, which have no digit
// to show, are taken as 6.
int UsableFigure(int pnFigure) {
    switch (pnFigure) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9:
            return pnFigure;
        default:
            return 6;
    }
}

constexpr int kIntegerFigure = 7;

}  // namespace

std::string DotDecimal(std::string_view text) {
    std::string result(text);
    if (auto comma = result.find(','); comma != std::string::npos) {
        result[comma] = '.';
    }
    return result;
}

std::optional<std::string> ExpressAsExp(double dInput, int nFigure) {
    if (nFigure < 1 || nFigure > kMaxFigures) {
        return std::nullopt;
    }
    auto text = WriteExponent(dInput, nFigure - 1);
    if (!text) {
        return std::nullopt;
    }
    return DotDecimal(*text);
}

std::optional<std::string> TrimFigures(double dInput, int nFigure) {
    if (nFigure < 1 || nFigure > kMaxFigures) {
        return std::nullopt;
    }
    auto nExp = ProbeExponent(dInput);
    if (!nExp) {
        return std::nullopt;
    }
    if (nFigure < *nExp + 1) {
        return ExpressAsExp(dInput, nFigure);
    }
    auto text = WriteFixed(dInput, nFigure - *nExp - 1);
    if (!text) {
        return std::nullopt;
    }
    std::string result = DotDecimal(*text);
    DropTrailingSeparator(result);
    return result;
}

std::optional<std::string> T_Fix(double dInput) {
    auto text = WriteFixed(dInput, 0);
    if (!text) {
        return std::nullopt;
    }
    text->pop_back();
    return text;
}

std::optional<std::string> FormatResult(double value, bool calculator, int pnFigure, int pnFormFlag) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const int figure = UsableFigure(pnFigure);
    const double magnitude = std::fabs(value);
    if (magnitude >= 1E-6 && magnitude <= 1E6) {
        if (figure == kIntegerFigure) {
            return T_Fix(value);
        }
        if (pnFormFlag == 0) {
            auto text = TrimFigures(value, figure);
            // The calculator's result box is narrow: long plain texts go to exponent notation.
            if (calculator && text && text->size() >= 15) {
                return ExpressAsExp(value, figure);
            }
            return text;
        }
        return ExpressAsExp(value, figure);
    }
    return ExpressAsExp(value, figure);
}

}  // namespace halden
