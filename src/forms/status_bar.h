#pragma once
// Status bar with a fixed number of panels, numbered from 1.

#include <string>
#include <vector>

#include "forms/control.h"

namespace rvm46::forms {

class StatusBar : public Control {
  public:
    explicit StatusBar(const ControlInit& init, int panel_count = 3);
    const char* TypeName() const override { return "StatusBar"; }

    int PanelCount() const { return static_cast<int>(panels_.size()); }
    // A panel number outside 1..PanelCount is a run-time error.
    const std::string& PanelText(int panel) const;
    void SetPanelText(int panel, std::string text);
    const std::string& PanelToolTip(int panel) const;
    void SetPanelToolTip(int panel, std::string tool_tip);

  protected:
    void SaveDesign() override {
        Control::SaveDesign();
        panels_design_ = panels_;
    }
    void RestoreDesign() override {
        Control::RestoreDesign();
        panels_ = panels_design_;
    }

  private:
    struct Panel {
        std::string text;
        std::string tool_tip;
    };
    const Panel& At(int panel) const;

    std::vector<Panel> panels_;
    std::vector<Panel> panels_design_;
};

}  // namespace rvm46::forms
