#include "forms/status_bar.h"

#include <utility>

#include "forms/errors.h"

namespace rvm46::forms {

StatusBar::StatusBar(const ControlInit& init, int panel_count)
    : Control(init, kColorButtonFace),
      panels_(static_cast<std::size_t>(panel_count)),
      panels_design_(panels_) {}

const StatusBar::Panel& StatusBar::At(int panel) const {
    if (panel < 1 || panel > PanelCount()) {
        throw ControlError(ErrorNumber::IndexOutOfBounds,
                           Name() + ": no panel " + std::to_string(panel));
    }
    return panels_[static_cast<std::size_t>(panel - 1)];
}

const std::string& StatusBar::PanelText(int panel) const {
    return At(panel).text;
}
const std::string& StatusBar::PanelToolTip(int panel) const {
    return At(panel).tool_tip;
}

void StatusBar::SetPanelText(int panel, std::string text) {
    auto& target = const_cast<Panel&>(At(panel));
    if (target.text == text) return;
    target.text = std::move(text);
    Notify(Property::PanelText, panel);
}

void StatusBar::SetPanelToolTip(int panel, std::string tool_tip) {
    auto& target = const_cast<Panel&>(At(panel));
    if (target.tool_tip == tool_tip) return;
    target.tool_tip = std::move(tool_tip);
    Notify(Property::PanelToolTip, panel);
}

}  // namespace rvm46::forms
