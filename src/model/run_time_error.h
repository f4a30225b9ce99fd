#pragma once
// The program's one error exit. Every procedure that can fail ends silently at the point reached
// when a run-time error occurs: nothing resumes after the failing statement. Procedures signal such
// an error by throwing RunTimeError (or a type derived from it), and a procedure with an error exit
// wraps its body in RunToErrorExit.

#include <stdexcept>
#include <string>

namespace rvm46 {

class RunTimeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Runs body; a RunTimeError ends it where it stands. Returns true when the body ran to its end,
// false when it was ended by a run-time error. Any other exception is a programming fault and
// is not swallowed.
template <class Body>
bool RunToErrorExit(Body&& body) {
    try {
        body();
        return true;
    } catch (const RunTimeError&) {
        return false;
    }
}

}  // namespace rvm46
