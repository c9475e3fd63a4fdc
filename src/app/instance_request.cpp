#include "app/instance_request.h"

#include "storage/cp932_text.h"

namespace halden {
namespace {

constexpr std::string_view kRaiseWord = "raise";
constexpr std::string_view kShowWord = "show ";
constexpr std::string_view kFindWord = "find ";
// The longest question handed over, in bytes of UTF-8.
constexpr std::size_t kLongestQuestion = 1000;
static_assert(kShowWord.size() + kLongestQuestion <= kLongestInstanceRequest);

bool QuestionTravels(std::string_view question) {
    return !question.empty() && question.size() <= kLongestQuestion &&
           question.find_first_of("\r\n") == std::string_view::npos && IsValidUtf8(question);
}

}  // namespace

std::optional<InstanceRequest> ReadInstanceRequest(std::string_view line) {
    if (line.size() > kLongestInstanceRequest) {
        return std::nullopt;
    }
    if (line == kRaiseWord) {
        return InstanceRequest{};
    }
    InstanceRequest request;
    if (line.starts_with(kShowWord)) {
        request.kind = InstanceRequestKind::Show;
    } else if (line.starts_with(kFindWord)) {
        request.kind = InstanceRequestKind::Find;
    } else {
        return std::nullopt;
    }
    const std::string_view question = line.substr(kShowWord.size());
    if (!QuestionTravels(question)) {
        return std::nullopt;
    }
    request.question = question;
    return request;
}

std::optional<std::string> InstanceRequestLine(const InstanceRequest& request) {
    switch (request.kind) {
        case InstanceRequestKind::Raise:
            return std::string(kRaiseWord);
        case InstanceRequestKind::Show:
        case InstanceRequestKind::Find:
            break;
    }
    if (!QuestionTravels(request.question)) {
        return std::nullopt;
    }
    const std::string_view word = request.kind == InstanceRequestKind::Find ? kFindWord : kShowWord;
    return std::string(word) + request.question;
}

}  // namespace halden
