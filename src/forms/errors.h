#pragma once
// Run-time errors raised by the control layer. They derive from RunTimeError, so a procedure's
// error exit (RunToErrorExit) ends it at the failing statement exactly as for any other error.

#include <string>

#include "model/run_time_error.h"

namespace rvm46::forms {

// The error numbers the windowing runtime uses for these faults; kept so a message or a log can
// tell them apart.
enum class ErrorNumber {
    InvalidProcedureCall = 5,    // bad argument, focus on a disabled or hidden control
    PathFileAccess = 75,         // folder cannot be created
    ElementDoesNotExist = 340,   // control array index without a member
    InvalidPropertyValue = 380,  // value outside the property's range
    PropertyReadOnly = 383,      // text of a list that matches none of its items
    IndexOutOfBounds = 35600,    // toolbar button or status panel that does not exist
};

class ControlError : public RunTimeError {
  public:
    ControlError(ErrorNumber number, const std::string& what)
        : RunTimeError(what), number_(number) {}
    ErrorNumber Number() const { return number_; }

  private:
    ErrorNumber number_;
};

}  // namespace rvm46::forms
