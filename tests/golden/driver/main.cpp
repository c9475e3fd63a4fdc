// halden-golden: reads JSON Lines requests on standard input and answers each on one line.

#include "golden_driver.h"

#include <iostream>
#include <string>

int main() {
    std::ios::sync_with_stdio(false);
    const golden::Registry& registry = golden::Requests();

    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        golden::json reply;
        try {
            golden::json request = golden::json::parse(line);
            if (!request.is_object()) throw golden::DriverError("request is not a JSON object");
            auto fn = request.find("fn");
            if (fn == request.end() || !fn->is_string()) throw golden::DriverError("request has no \"fn\" text");
            auto handler = registry.find(fn->get<std::string>());
            if (handler == registry.end()) throw golden::DriverError("unknown fn: " + fn->get<std::string>());
            reply = handler->second(request);
        } catch (const std::exception& e) {
            reply = golden::json{{"error", e.what()}};
        }
        std::cout << reply.dump(-1, ' ', false, golden::json::error_handler_t::replace) << '\n' << std::flush;
    }
    return 0;
}
