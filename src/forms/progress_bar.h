#pragma once
// Progress bar (Min, Max, Value).

#include "forms/control.h"

namespace rvm46::forms {

class ProgressBar : public Control {
  public:
    explicit ProgressBar(const ControlInit& init) : Control(init, kColorButtonFace) {}
    const char* TypeName() const override { return "ProgressBar"; }

    int Min() const { return p_.min; }
    int Max() const { return p_.max; }
    int Value() const { return p_.value; }
    // Min must stay below Max (a run-time error otherwise); a Value left outside the new range
    // is moved to its nearest end.
    void SetMin(int min);
    void SetMax(int max);
    // A value outside Min..Max is a run-time error.
    void SetValue(int value);

  protected:
    void SaveDesign() override {
        Control::SaveDesign();
        design_ = p_;
    }
    void RestoreDesign() override {
        Control::RestoreDesign();
        p_ = design_;
    }

  private:
    void SetRange(int min, int max);

    struct Props {
        int min = 0;
        int max = 100;
        int value = 0;
    };
    Props p_;
    Props design_;
};

}  // namespace rvm46::forms
