#pragma once
// Property-change notifications for renderers. A notification only tells an observer which
// property changed; the observer reads the new value from the object. While any notification is
// being delivered, user actions on every control are refused, so a renderer that updates its
// widget (and so receives that widget's own change signal) cannot raise a control event.

#include <functional>
#include <utility>
#include <vector>

namespace rvm46::forms {

enum class Property {
    All,  // everything may have changed (design values restored on load)
    Text,
    Caption,
    ForeColor,
    BackColor,
    Enabled,
    Visible,
    FontName,
    ToolTipText,
    Value,
    Min,
    Max,
    ListItems,  // items added or removed
    ListIndex,
    Interval,
    Checked,
    Shortcut,
    Picture,
    Borderless,
    Buttons,       // toolbar button `index` (1-based) changed, or 0 when buttons were added
    PanelText,     // status panel `index` (1-based)
    PanelToolTip,  // status panel `index` (1-based)
    ActiveControl,
    Loaded,
};

struct PropertyChange {
    Property property;
    int index = 0;  // toolbar button or status panel number where it applies
};

class Observable {
  public:
    using Observer = std::function<void(const PropertyChange&)>;

    Observable() = default;
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;
    virtual ~Observable() = default;

    // Returns an id for Unsubscribe.
    int Subscribe(Observer observer);
    void Unsubscribe(int id);

  protected:
    void Notify(Property property, int index = 0) const;

  private:
    std::vector<std::pair<int, Observer>> observers_;
    int next_id_ = 1;
};

// True while an observer is being notified (on the one interface thread).
bool NotificationInProgress();

}  // namespace rvm46::forms
