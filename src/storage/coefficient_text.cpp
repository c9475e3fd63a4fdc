#include "storage/coefficient_text.h"

#include "numbers/characters.h"
#include "numbers/number_checks.h"

namespace halden {

std::string SplitCoefText(std::string_view text, std::string_view separator, int part) {
    const auto at = separator.empty() ? std::string_view::npos : text.find(separator);
    if (at == std::string_view::npos) {
        return part == 1 ? std::string(text) : std::string();
    }
    if (part == 1) {
        return std::string(text.substr(0, at));
    }
    return std::string(TrimBlanks(text.substr(at + separator.size())));
}

std::string CoefText(std::string_view factorText, std::string_view offsetText) {
    std::string text(TrimBlanks(factorText));
    const std::string_view offset = TrimBlanks(offsetText);
    if (!offset.empty()) {
        text += kCoefSeparator;
        text += offset;
    }
    return text;
}

CoefChangeResult CoefChange(std::string_view boxText, std::string_view lastFactorText, std::string_view lastOffsetText,
                            MessageSink& sink) {
    const std::string factor(TrimBlanks(SplitCoefText(boxText, kCoefSeparator, 1)));
    const std::string offset = SplitCoefText(boxText, kCoefSeparator, 2);
    const bool rejected = NonNumCheck(factor, sink) > 0 || NonNumCheck(offset, sink) > 0;
    // A box that still shows the row's texts leaves them as they were, blanks and all, so that a
    // group only looked at is saved back as it was read.
    if (rejected || boxText == CoefText(lastFactorText, lastOffsetText)) {
        return {!rejected, std::string(lastFactorText), std::string(lastOffsetText)};
    }
    return {true, factor, offset};
}

}  // namespace halden
