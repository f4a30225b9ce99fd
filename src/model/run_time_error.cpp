#include "model/run_time_error.h"

#include <utility>

namespace rvm46 {

namespace {

SwallowedErrorObserver& Observer() {
    static SwallowedErrorObserver observer;
    return observer;
}

}  // namespace

void SetSwallowedErrorObserver(SwallowedErrorObserver observer) {
    Observer() = std::move(observer);
}

void ReportSwallowedError(const SourceLocation& where, const RunTimeError& error) {
    if (Observer()) Observer()(ProcedureName(where.function_name()), error.what());
}

void ReportSwallowedError(std::string_view procedure, std::string_view reason) {
    if (Observer()) Observer()(procedure, reason);
}

std::string ProcedureName(std::string_view signature) {
    // The name ends at the first parenthesis (a lambda's own signature comes after it) and
    // starts after the last space or scope separator before it.
    const std::size_t open = signature.find('(');
    std::string_view head = signature.substr(0, open);
    const std::size_t start = head.find_last_of(": *&");
    if (start != std::string_view::npos) head.remove_prefix(start + 1);
    return std::string(head.empty() ? signature : head);
}

}  // namespace rvm46
