// The golden-file driver: JSON requests in, one JSON reply per request out.
//
// Each area of the core registers its requests by name. A handler receives the whole request
// object and returns the reply object; it throws DriverError (or any std::exception) for a
// request it cannot answer, which the driver turns into {"error": ...}.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <utility>

namespace golden {

using json = nlohmann::json;
using Handler = std::function<json(const json& request)>;
using Registry = std::map<std::string, Handler, std::less<>>;

struct DriverError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// A double as the protocol writes it: the shortest text that reads back to exactly it.
std::string DoubleText(double value);
/// Reads a double field given as such a text (a JSON number is accepted too).
double ReadDouble(const json& request, const char* field);
/// Reads an integer field; throws DriverError when it is missing or not an integer.
long long ReadInt(const json& request, const char* field);
/// Reads an integer field that the program keeps in 16 bits; throws DriverError when it is
/// missing, not an integer or outside -32768..32767.
std::int16_t ReadInt16(const json& request, const char* field);
/// Reads an integer field as an int; a larger number is refused rather than cut to its low bits.
int ReadIndex(const json& request, const char* field);
/// Reads a text field; throws DriverError when it is missing or not a string.
std::string ReadText(const json& request, const char* field);
/// Reads an optional boolean field.
bool ReadBool(const json& request, const char* field, bool fallback);

/// Every request the driver answers, by fn name.
Registry& Requests();

/// Registers handlers at start-up: each area's file defines one static RequestRegistrar,
/// so a new area adds a file and touches nothing else.
struct RequestRegistrar {
    RequestRegistrar(std::initializer_list<std::pair<const char*, Handler>> handlers);
};

}  // namespace golden
