// Requests of the reference windows' pure parts: the constants window's Copy.

#include "golden_driver.h"
#include "reference/constants_table.h"

#include <climits>

namespace golden {
namespace {

json ConstantsCopyRequest(const json& request) {
    const int page = ReadIndex(request, "page");
    if (page != halden::kConstantsFirstPage && page != halden::kConstantsSecondPage) {
        throw DriverError("field \"page\" is neither -1 nor 1");
    }
    return json{
        {"clipboard", halden::ConstantsCopy(page, ReadIndex(request, "quantity_index"),
                                            ReadIndex(request, "unit_index"), ReadIndex(request, "value_index"))}};
}

json RemoveBlanksRequest(const json& request) {
    return json{{"text", halden::RemoveBlanks(ReadText(request, "text"))}};
}

const RequestRegistrar kReference{{"ConstantsCopy", &ConstantsCopyRequest}, {"RemoveBlanks", &RemoveBlanksRequest}};

}  // namespace
}  // namespace golden
