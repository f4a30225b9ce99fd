#pragma once
// One handler per event, as a window wires its procedures: `cmdOK.Click = [this] { ... };`.

#include <functional>
#include <utility>

namespace rvm46::forms {

template <class... Args>
class Event {
  public:
    using Handler = std::function<void(Args...)>;

    Event() = default;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    Event& operator=(Handler handler) {
        handler_ = std::move(handler);
        return *this;
    }
    explicit operator bool() const { return static_cast<bool>(handler_); }

    // Calls the handler, if any. A copy is called so that a handler may replace itself.
    void Raise(Args... args) const {
        if (handler_) {
            Handler h = handler_;
            h(std::forward<Args>(args)...);
        }
    }

  private:
    Handler handler_;
};

}  // namespace rvm46::forms
