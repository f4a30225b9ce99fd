#pragma once
// The comparison window: the window's codeplug beside another one (the radio's, a data file's),
// one row per difference grouped by channel then radio-wide, in the language active when it is
// shown. It can be closed, or asked to open the other side in the main window.

#include <string>
#include <vector>

#include "forms/forms.h"
#include "ui/codeplug_words.h"

namespace rvm46::ui {

class FrmCompare : public forms::Form {
  public:
    struct Sides {
        std::string thisName;   // "this window's codeplug (C:\...\a.Dat)"
        std::string otherName;  // "radio on COM3", "b.Dat"
    };
    FrmCompare(forms::Platform& platform, int language, const std::string& font, forms::Color back,
               const Sides& sides, const std::vector<CompareRow>& rows);

    forms::Label& lblSides = Add<forms::Label>("lblSides");
    forms::Label& lblSummary = Add<forms::Label>("lblSummary");
    forms::ListView& lvwDifferences = Add<forms::ListView>("lvwDifferences");
    forms::CommandButton& cmdOpenOther = Add<forms::CommandButton>("cmdOpenOther");
    forms::CommandButton& cmdClose = Add<forms::CommandButton>("cmdClose");

    // True once the user chose "Open the other side" (the window has then closed).
    bool OpenOtherChosen() const { return openOther_; }

  private:
    bool openOther_ = false;
};

}  // namespace rvm46::ui
