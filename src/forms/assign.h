#pragma once
// Property setters notify observers only when a value really changes.

#include <utility>

namespace rvm46::forms {

// Stores value in field; true when it differed.
template <class T>
bool Assign(T& field, T value) {
    if (field == value) return false;
    field = std::move(value);
    return true;
}

}  // namespace rvm46::forms
