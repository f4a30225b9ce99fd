#include "forms/observable.h"

#include <algorithm>

namespace rvm46::forms {

namespace {
int notification_depth = 0;

struct NotificationScope {
    NotificationScope() { ++notification_depth; }
    ~NotificationScope() { --notification_depth; }
    NotificationScope(const NotificationScope&) = delete;
    NotificationScope& operator=(const NotificationScope&) = delete;
};
}  // namespace

bool NotificationInProgress() {
    return notification_depth > 0;
}

int Observable::Subscribe(Observer observer) {
    int id = next_id_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void Observable::Unsubscribe(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Observable::Notify(Property property, int index) const {
    if (observers_.empty()) return;
    // A copy, so an observer may unsubscribe while being notified.
    auto observers = observers_;
    NotificationScope scope;
    PropertyChange change{property, index};
    for (const auto& entry : observers) entry.second(change);
}

}  // namespace rvm46::forms
