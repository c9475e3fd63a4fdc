// golden-check DRIVER FILE.jsonl...: feeds the requests of every case to the driver and
// compares each reply with the expected one, field by field. Only the fields the golden file
// names are compared; doubles (given as texts) are compared as doubles, bit for bit.
// Prints every case that differs; exits 1 if any did.

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using json = nlohmann::json;

namespace {

const std::set<std::string> kDoubleFields = {"value",  "factor",     "TempScale",  "TempOffset", "WarpSpeed",
                                             "result", "UserFactor", "UserOffset", "dInput"};

bool SameDouble(const std::string& a, const std::string& b) {
    double x = 0, y = 0;
    auto ra = std::from_chars(a.data(), a.data() + a.size(), x);
    auto rb = std::from_chars(b.data(), b.data() + b.size(), y);
    if (ra.ec != std::errc{} || rb.ec != std::errc{} || ra.ptr != a.data() + a.size() ||
        rb.ptr != b.data() + b.size()) {
        return a == b;
    }
    return std::memcmp(&x, &y, sizeof x) == 0;
}

void Compare(const json& expected, const json& actual, const std::string& path, bool isDouble,
             std::vector<std::string>& diffs) {
    if (expected.is_object()) {
        if (!actual.is_object()) {
            diffs.push_back(path + ": expected an object, got " + actual.dump());
            return;
        }
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            auto found = actual.find(it.key());
            if (found == actual.end()) {
                diffs.push_back(path + "." + it.key() + ": missing (expected " + it.value().dump() + ")");
                continue;
            }
            Compare(it.value(), *found, path + "." + it.key(), kDoubleFields.count(it.key()) > 0, diffs);
        }
        return;
    }
    if (expected.is_array()) {
        if (!actual.is_array() || actual.size() != expected.size()) {
            diffs.push_back(path + ": expected " + expected.dump() + ", got " + actual.dump());
            return;
        }
        for (std::size_t i = 0; i < expected.size(); ++i) {
            Compare(expected[i], actual[i], path + "[" + std::to_string(i) + "]", isDouble, diffs);
        }
        return;
    }
    bool same = isDouble && expected.is_string() && actual.is_string()
                    ? SameDouble(expected.get<std::string>(), actual.get<std::string>())
                    : expected == actual;
    if (!same) diffs.push_back(path + ": expected " + expected.dump() + ", got " + actual.dump());
}

int CheckFile(const std::string& driver, const std::string& file) {
    std::ifstream in(file);
    std::vector<json> cases;
    std::string line;
    int lineNo = 0;
    int failures = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        try {
            json c = json::parse(line);
            if (!c.contains("request") || !c.contains("reply")) throw std::runtime_error("needs request and reply");
            cases.push_back(std::move(c));
        } catch (const std::exception& e) {
            std::cout << file << ":" << lineNo << ": unreadable case: " << e.what() << "\n";
            ++failures;
        }
    }
    auto tmp = std::filesystem::temp_directory_path() / ("golden-" + std::to_string(::getpid()));
    std::filesystem::create_directories(tmp);
    {
        std::ofstream req(tmp / "requests.jsonl");
        for (const auto& c : cases) req << c["request"].dump() << "\n";
    }
    std::string command = "\"" + driver + "\" < \"" + (tmp / "requests.jsonl").string() + "\" > \"" +
                          (tmp / "replies.jsonl").string() + "\"";
    if (std::system(command.c_str()) != 0) {
        std::cout << file << ": the driver did not exit 0\n";
        ++failures;
    }
    std::ifstream replies(tmp / "replies.jsonl");
    for (const auto& c : cases) {
        std::string name = c.value("name", std::string("(unnamed)"));
        std::string replyLine;
        if (!std::getline(replies, replyLine)) {
            std::cout << file << ": " << name << ": no reply\n";
            ++failures;
            continue;
        }
        std::vector<std::string> diffs;
        try {
            Compare(c["reply"], json::parse(replyLine), "reply", false, diffs);
        } catch (const std::exception& e) {
            diffs.push_back(std::string("unreadable reply: ") + e.what() + ": " + replyLine);
        }
        if (!diffs.empty()) {
            ++failures;
            std::cout << file << ": " << name << "\n";
            for (const auto& d : diffs) std::cout << "    " << d << "\n";
        }
    }
    std::filesystem::remove_all(tmp);
    std::cout << file << ": " << cases.size() << " cases, " << failures << " differ\n";
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: golden-check DRIVER FILE.jsonl...\n";
        return 2;
    }
    int failures = 0;
    for (int i = 2; i < argc; ++i) failures += CheckFile(argv[1], argv[i]);
    return failures == 0 ? 0 : 1;
}
