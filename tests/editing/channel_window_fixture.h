#pragma once
// The main window started on the delivered configuration with a chosen model, language and the
// two frequency check settings, and small helpers to edit channels as the user does.

#include <string>

#include "ui/main_window_fixture.h"

namespace rvm46::testing {

// Models of the delivered configuration.
inline constexpr int kModel400To470 = 0;
inline constexpr int kModel446 = 1;

inline constexpr forms::Color kHint = 0x0000FF;
inline constexpr forms::Color kBlack = 0x000000;

class ChannelWindowTest : public MainWindowTest {
  protected:
    ui::FrmMain& StartWith(int model, int language = 2, bool valLegal = true,
                           const char* overFreFont = "True") {
        InstallDeliveredFiles();
        SetConfig("Setting", "Language", std::to_string(language));
        SetConfig("Setting", "Model", std::to_string(model));
        SetConfig("Setting", "ValLegal", valLegal ? "True" : "False");
        SetConfig("Setting", "OverFreFont", overFreFont);
        SetConfig("Setting", "FreEqual", "0");
        return Start();
    }

    ui::FrmMain& W() { return *window_; }

    // Replaces a box's text as the user would (select all, type) and leaves it for `next`.
    void Enter(forms::TextBox& box, const std::string& text, forms::Control& next) {
        box.UserReplace("");
        box.UserType(text);
        next.UserFocus();
    }

    std::string Cell(int column, int channelIndex) {
        return W().txtChannel(ui::CellIndex(column, channelIndex)).Text();
    }
    std::vector<std::string> Row(int channelIndex) {
        std::vector<std::string> row;
        for (int c = 1; c <= 6; ++c) row.push_back(Cell(c, channelIndex));
        return row;
    }

    // Picks channel k (0-based) in the list, types the frequencies and accepts.
    void AcceptChannel(int k, const std::string& rx, const std::string& tx) {
        W().cboChSel.UserSelect(k);
        Enter(W().txtReceFre, rx, W().txtTransFre);
        Enter(W().txtTransFre, tx, W().cmdConfirm);
        W().cmdConfirm.UserClick();
    }

    std::size_t MessageCount() const { return platform_->Messages().size(); }
};

}  // namespace rvm46::testing
