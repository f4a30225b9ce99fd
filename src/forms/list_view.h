#pragma once
// A read-only list of rows under column headings (a report view): the program fills it, the user
// reads and scrolls it.

#include <string>
#include <vector>

#include "forms/control.h"

namespace rvm46::forms {

class ListView : public Control {
  public:
    explicit ListView(const ControlInit& init) : Control(init, kColorWhite) {}
    const char* TypeName() const override { return "ListView"; }

    const std::vector<std::string>& Columns() const { return p_.columns; }
    const std::vector<std::vector<std::string>>& Rows() const { return p_.rows; }
    // Replaces the headings, or every row; a row has one text per column (missing texts are
    // empty, texts beyond the last column are not shown).
    void SetColumns(std::vector<std::string> columns);
    void SetRows(std::vector<std::vector<std::string>> rows);

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
    struct Props {
        std::vector<std::string> columns;
        std::vector<std::vector<std::string>> rows;
    };
    Props p_;
    Props design_;
};

}  // namespace rvm46::forms
