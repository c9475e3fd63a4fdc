#include "golden_driver.h"

#include <charconv>
#include <climits>
#include <limits>
#include <string>

namespace golden {

std::string DoubleText(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, end);
}

static const json& Field(const json& request, const char* field) {
    auto it = request.find(field);
    if (it == request.end()) throw DriverError(std::string("missing field \"") + field + "\"");
    return *it;
}

double ReadDouble(const json& request, const char* field) {
    const json& v = Field(request, field);
    if (v.is_number()) return v.get<double>();
    if (!v.is_string()) throw DriverError(std::string("field \"") + field + "\" is not a double text");
    const std::string text = v.get<std::string>();
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        if (text == "inf" || text == "-inf" || text == "nan")
            throw DriverError("non-finite double in \"" + std::string(field) + "\"");
        throw DriverError(std::string("field \"") + field + "\" is not a double text: " + text);
    }
    return value;
}

long long ReadInt(const json& request, const char* field) {
    const json& v = Field(request, field);
    if (!v.is_number_integer()) throw DriverError(std::string("field \"") + field + "\" is not an integer");
    // An unsigned number above the signed range would otherwise wrap round to a small negative one.
    if (v.is_number_unsigned() && v.get<unsigned long long>() > static_cast<unsigned long long>(LLONG_MAX)) {
        throw DriverError(std::string("field \"") + field + "\" is outside the integer range");
    }
    return v.get<long long>();
}

std::int16_t ReadInt16(const json& request, const char* field) {
    const long long value = ReadInt(request, field);
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
        throw DriverError(std::string("field \"") + field + "\" is outside the 16-bit range");
    }
    return static_cast<std::int16_t>(value);
}

int ReadIndex(const json& request, const char* field) {
    const long long value = ReadInt(request, field);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        throw DriverError(std::string("field \"") + field + "\" is outside the int range");
    }
    return static_cast<int>(value);
}

std::string ReadText(const json& request, const char* field) {
    const json& v = Field(request, field);
    if (!v.is_string()) throw DriverError(std::string("field \"") + field + "\" is not a text");
    return v.get<std::string>();
}

bool ReadBool(const json& request, const char* field, bool fallback) {
    auto it = request.find(field);
    if (it == request.end()) return fallback;
    if (!it->is_boolean()) throw DriverError(std::string("field \"") + field + "\" is not a boolean");
    return it->get<bool>();
}

}  // namespace golden

namespace golden {

Registry& Requests() {
    static Registry registry;
    return registry;
}

RequestRegistrar::RequestRegistrar(std::initializer_list<std::pair<const char*, Handler>> handlers) {
    for (const auto& [name, handler] : handlers) {
        Requests()[name] = handler;
    }
}

}  // namespace golden
