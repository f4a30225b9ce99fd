// Focus moves: order of LostFocus and GotFocus, refusal, and focus taken back by a handler.

#include <gtest/gtest.h>

#include "forms/test_form.h"

namespace rvm46::forms::testing {
namespace {

class FormsFocus : public LoadedTestForm {
  protected:
    FormsFocus() {
        auto watch = [this](Control& c) {
            c.GotFocus = [this, &c] { form.log.push_back("got " + c.Name()); };
            c.LostFocus = [this, &c] {
                form.log.push_back("lost " + c.Name() + ", active " + form.ActiveControl()->Name());
            };
        };
        watch(form.txtA);
        watch(form.txtB);
        watch(form.cmdOK);
    }
};

TEST_F(FormsFocus, LostFocusBeforeGotFocusUnfocusableControlsRefusedAndRightButtonFocusing) {
    form.txtA.SetFocus();
    form.txtB.SetFocus();
    form.txtB.SetFocus();  // already there: nothing
    // Disabled, hidden or never focusable: a run-time error, the focus stays.
    form.txtA.SetEnabled(false);
    EXPECT_THROW(form.txtA.SetFocus(), ControlError);
    form.txtA.SetEnabled(true);
    form.txtA.SetVisible(false);
    EXPECT_THROW(form.txtA.SetFocus(), ControlError);
    EXPECT_THROW(form.lblA.SetFocus(), ControlError);
    EXPECT_EQ(form.ActiveControl(), &form.txtB);

    // A right button on a cell gives it the focus, then raises MouseDown with its index.
    form.txtCell.On(&TextBox::GotFocus,
                    [&](int index) { form.log.push_back("got " + std::to_string(index)); });
    form.txtCell.On(&TextBox::MouseDown, [&](int index, int button, int shift, float x, float) {
        form.log.push_back("down " + std::to_string(index) + " " + std::to_string(button) + " " +
                           std::to_string(shift) + " " + std::to_string(static_cast<int>(x)));
    });
    EXPECT_TRUE(form.txtCell(1003).UserMouseDown(kRightButton, kShiftMask, 12.0f, 3.0f));
    EXPECT_EQ(form.log, (std::vector<std::string>{"got txtA", "lost txtA, active txtB", "got txtB",
                                                  "lost txtB, active txtCell", "got 1003",
                                                  "down 1003 2 1 12"}));
}

TEST_F(FormsFocus, UserClickOnButtonRunsLostFocusOfTheBoxFirstWhichMayTakeTheFocusBack) {
    form.cmdOK.Click = [this] { form.log.push_back("click"); };
    EXPECT_TRUE(form.txtA.UserType("1"));
    EXPECT_TRUE(form.cmdOK.UserClick());
    // A refused entry puts the focus back into its box; the button that was clicked gets
    // neither the focus nor the click.
    form.txtB.LostFocus = [this] {
        form.log.push_back("lost txtB");
        form.txtB.SetFocus();
    };
    form.txtB.SetFocus();
    EXPECT_FALSE(form.cmdOK.UserClick());
    EXPECT_EQ(form.ActiveControl(), &form.txtB);
    EXPECT_EQ(form.log, (std::vector<std::string>{"got txtA", "lost txtA, active cmdOK",
                                                  "got cmdOK", "click", "lost cmdOK, active txtB",
                                                  "got txtB", "lost txtB", "got txtB"}));
}

TEST_F(FormsFocus, UserActionsRefusedOnDisabledOrHiddenControls) {
    int clicks = 0;
    form.cmdOK.Click = [&] { ++clicks; };
    form.lblA.Click = [&] { ++clicks; };
    form.cmdOK.SetEnabled(false);
    form.lblA.SetVisible(false);
    form.txtA.SetEnabled(false);
    EXPECT_FALSE(form.cmdOK.UserClick());
    EXPECT_FALSE(form.lblA.UserClick());
    EXPECT_FALSE(form.txtA.UserType("x"));
    EXPECT_FALSE(form.txtA.UserFocus());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form.txtA.Text(), "");
    EXPECT_EQ(form.ActiveControl(), nullptr);
}

}  // namespace
}  // namespace rvm46::forms::testing
