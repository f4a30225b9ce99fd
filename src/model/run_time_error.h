#pragma once
// The program's one error exit. Every procedure that can fail ends silently at the point reached
// when a run-time error occurs: nothing resumes after the failing statement. Procedures signal such
// an error by throwing RunTimeError (or a type derived from it), and a procedure with an error exit
// wraps its body in RunToErrorExit.

#include <functional>
#include <source_location>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rvm46 {

#if defined(__cpp_lib_source_location)
using SourceLocation = std::source_location;
#else
// A library without std::source_location (clang 14 over libstdc++ 12, which builds the fuzz
// targets): the procedure is named by its plain name.
struct SourceLocation {
    static constexpr SourceLocation current(const char* function = __builtin_FUNCTION()) {
        return SourceLocation{function};
    }
    constexpr const char* function_name() const { return function; }
    const char* function = "";
};
#endif

class RunTimeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Told of every run-time error that an error exit swallows, with the procedure it ended and the
// reason, so that a silent end can be told from a normal one: the scripted driver shows them in
// its dump, the desktop program logs them on standard error. One per process; none by default.
using SwallowedErrorObserver =
    std::function<void(std::string_view procedure, std::string_view reason)>;
void SetSwallowedErrorObserver(SwallowedErrorObserver observer);
void ReportSwallowedError(const SourceLocation& where, const RunTimeError& error);
// The same for an error caught where no procedure's name is known (where the toolkit calls in).
void ReportSwallowedError(std::string_view procedure, std::string_view reason);

// The procedure's own name in a compiler's function signature:
// "void rvm46::ui::FrmMain::cmdConfirm_Click()" and its lambdas give "cmdConfirm_Click".
std::string ProcedureName(std::string_view signature);

// Runs body; a RunTimeError ends it where it stands (and is reported to the observer). Returns
// true when the body ran to its end, false when it was ended by a run-time error. Any other
// exception is a programming fault and is not swallowed.
template <class Body>
bool RunToErrorExit(Body&& body, const SourceLocation where = SourceLocation::current()) {
    try {
        body();
        return true;
    } catch (const RunTimeError& error) {
        ReportSwallowedError(where, error);
        return false;
    }
}

}  // namespace rvm46
