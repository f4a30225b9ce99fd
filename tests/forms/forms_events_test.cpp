// Event raising from code: synchronous nesting, real changes only, run-time errors.

#include <gtest/gtest.h>

#include "forms/test_form.h"

namespace rvm46::forms::testing {
namespace {

using FormsEvents = LoadedTestForm;

TEST_F(FormsEvents, HandlerSettingAnotherControlRunsItsHandlerInside) {
    form.txtA.Change = [this] {
        form.log.push_back("A begin " + form.txtA.Text());
        form.txtB.SetText("from A");
        form.log.push_back("A end, B=" + form.txtB.Text());
    };
    form.txtB.Change = [this] {
        form.log.push_back("B " + form.txtB.Text());
        form.cboList.SetListIndex(1);
    };
    form.cboList.Click = [this] { form.log.push_back("list " + form.cboList.Text()); };

    form.txtA.SetText("x");
    form.log.push_back("after");

    EXPECT_EQ(form.log, (std::vector<std::string>{"A begin x", "B from A", "list two",
                                                  "A end, B=from A", "after"}));
}

TEST_F(FormsEvents, TextChangeOnRealChangesOnlyPerTypedCharacterAndReentrant) {
    std::vector<std::string> seen;
    form.txtA.Change = [&] {
        seen.push_back(form.txtA.Text());
        if (form.txtA.Text() == "a") form.txtA.SetText("");  // a handler emptying its own box
    };
    form.txtA.SetText("446");
    form.txtA.SetText("446");
    form.txtA.SetText("");
    form.txtA.SetText("");
    form.txtA.SetText("a");
    EXPECT_EQ(form.txtA.Text(), "");
    EXPECT_TRUE(form.txtA.UserType("4éअ6"));
    EXPECT_TRUE(form.txtA.UserReplace("446.1"));
    EXPECT_EQ(seen,
              (std::vector<std::string>{"446", "", "a", "", "4", "4é", "4éअ", "4éअ6", "446.1"}));
}

TEST_F(FormsEvents, InvalidValuesAreRunTimeErrorsAndCheckBoxClickOnChangeOnly) {
    EXPECT_THROW(form.chkA.SetValue(3), ControlError);
    EXPECT_THROW(form.chkA.SetValue(-1), RunTimeError);
    EXPECT_THROW(form.vsbSpin.SetValue(-1), ControlError);
    EXPECT_THROW(form.tmrTick.SetInterval(-5), ControlError);
    EXPECT_THROW(form.sbrStatus.SetPanelText(4, "x"), ControlError);
    EXPECT_THROW(form.sbrStatus.PanelText(0), ControlError);
    EXPECT_THROW(form.txtCell(7), ControlError);
    EXPECT_EQ(form.chkA.Value(), kUnchecked);

    std::vector<int> seen;
    form.chkA.Click = [&] { seen.push_back(form.chkA.Value()); };
    form.chkA.SetValue(kChecked);
    form.chkA.SetValue(kChecked);
    form.chkA.SetValue(kGrayed);
    EXPECT_TRUE(form.chkA.UserClick());  // greyed becomes ticked
    EXPECT_TRUE(form.chkA.UserClick());  // ticked becomes cleared
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 1, 0}));
}

// A named procedure with an error exit, as the windows' handlers are.
void txtA_Change(TestForm& form) {
    RunToErrorExit([&] {
        form.log.push_back("before");
        form.cboList.SetListIndex(7);
        form.log.push_back("after");
    });
}

TEST_F(FormsEvents, ErrorExitEndsHandlerAtFailingStatementWithoutOneTheErrorPropagates) {
    // The handler's error exit ends it at the bad ListIndex; nothing after it runs, the code
    // that set the text carries on, and the observer hears which procedure ended and why.
    std::vector<std::string> swallowed;
    SetSwallowedErrorObserver([&](std::string_view procedure, std::string_view reason) {
        swallowed.push_back(std::string(procedure) + ": " + std::string(reason));
    });
    form.txtA.Change = [this] { txtA_Change(form); };
    form.txtA.SetText("x");
    form.log.push_back("caller continues");
    SetSwallowedErrorObserver(nullptr);
    EXPECT_EQ(form.log, (std::vector<std::string>{"before", "caller continues"}));
    ASSERT_EQ(swallowed.size(), 1u);
    EXPECT_TRUE(swallowed[0].starts_with("txtA_Change: ")) << swallowed[0];
    EXPECT_GT(swallowed[0].size(), std::string("txtA_Change: ").size());
    EXPECT_EQ(ProcedureName("void rvm46::ui::FrmMain::Form_Load()::<lambda()>"), "Form_Load");

    // A handler without an error exit of its own passes the error out through the setter, up to
    // the caller's error exit.
    form.log.clear();
    form.txtB.Change = [this] { form.chkA.SetValue(9); };
    EXPECT_FALSE(RunToErrorExit([this] {
        form.txtB.SetText("x");
        form.log.push_back("not reached");
    }));
    EXPECT_TRUE(form.log.empty());
    EXPECT_EQ(form.txtB.Text(), "x");
}

TEST(FormsLifecycle, NoEventsBeforeLoadAndDesignValuesRestoredOnReload) {
    ScriptedPlatform platform;
    TestForm form(platform);
    int changes = 0;
    form.txtA.Change = [&] { ++changes; };
    form.txtA.SetText("design");
    form.chkA.SetCaption("Caption");
    form.imgLogo.SetPictureName("logo");
    form.imgLogo.SetCaption("Words");
    form.SetBorderless(true);
    EXPECT_EQ(changes, 0);

    int loads = 0;
    form.FormLoad = [&] { ++loads; };
    form.Load();
    form.txtA.SetText("typed");
    form.chkA.SetValue(kChecked);
    form.optGroup(2).SetValue(true);
    form.cboList.RemoveItem(0);
    form.imgLogo.SetPictureName("other");
    form.imgLogo.SetCaption("Other words");
    form.SetBorderless(false);
    EXPECT_EQ(changes, 1);

    ASSERT_TRUE(form.Unload());
    form.Load();
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(form.txtA.Text(), "design");
    EXPECT_EQ(form.chkA.Value(), kUnchecked);
    EXPECT_EQ(form.chkA.Caption(), "Caption");
    EXPECT_TRUE(form.optGroup(0).Value());
    EXPECT_FALSE(form.optGroup(2).Value());
    EXPECT_EQ(form.cboList.ListCount(), 3);
    EXPECT_EQ(form.imgLogo.PictureName(), "logo");
    EXPECT_EQ(form.imgLogo.Caption(), "Words");
    EXPECT_TRUE(form.Borderless());
    EXPECT_EQ(changes, 1);  // restoring raises nothing
}

}  // namespace
}  // namespace rvm46::forms::testing
