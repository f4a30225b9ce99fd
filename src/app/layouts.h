#pragma once
// Where each control of a window sits: per-window tables of pixel geometry relative to the
// control's container. Windows without a table are stacked by FormView.

#include <string>
#include <string_view>
#include <vector>

namespace rvm46::app {

struct Placement {
    std::string name;
    int index = -1;  // array member index; -1 for a single control
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool shown = true;  // false: the control exists but lies outside the visible area
    // How the control follows a window made larger than its table: kFill takes the extra width
    // and height of the window; kScale keeps its place and size in proportion to its container.
    enum class Grow { kNone, kFill, kScale };
    Grow grow = Grow::kNone;
    // A text box that only shows: read-only to the user and out of the Tab order (clicks still
    // reach it).
    bool display_only = false;
    // A label shown large, bold and centred (a status line to be read from a distance).
    bool headline = false;
};

struct WindowLayout {
    int width = 0;       // client area below the menu bar and toolbar (its smallest size when
    int height = 0;      // nothing grows; a window that can grow scrolls when made smaller)
    bool grows = false;  // some placements grow with the window
    // The row mark: the member of `marked_array` whose index is the ListIndex of `marker_list`
    // is shown marked (the grid row of the channel in the edit panel).
    std::string marker_list;
    std::string marked_array;
    std::vector<Placement> places;

    const Placement* Find(std::string_view name, int index) const;
};

// nullptr for a window without a table.
const WindowLayout* LayoutFor(std::string_view form_name);

}  // namespace rvm46::app
