// Option groups, spinner, timer, menus, toolbar and the drop-down list.

#include <gtest/gtest.h>

#include "forms/test_form.h"

namespace rvm46::forms::testing {
namespace {

using FormsControls = LoadedTestForm;

TEST_F(FormsControls, OptionButtonsAreExclusiveWithinTheirContainerOnly) {
    std::vector<int> clicks;
    form.optGroup.On(&OptionButton::Click, [&](int index) { clicks.push_back(index); });
    form.optOther.SetValue(true);
    form.optGroup(1).SetValue(true);
    EXPECT_FALSE(form.optGroup(0).Value());
    EXPECT_TRUE(form.optGroup(1).Value());
    EXPECT_TRUE(form.optOther.Value());  // another container

    form.optGroup(1).SetValue(true);   // already selected: Click again
    form.optGroup(1).SetValue(false);  // clearing raises nothing
    EXPECT_TRUE(form.optGroup(2).UserClick());
    EXPECT_EQ(clicks, (std::vector<int>{1, 1, 2}));
    EXPECT_FALSE(form.optGroup(1).Value());
}

TEST_F(FormsControls, ScrollBarChangeOnRealChangesArrowsStopAtTheEndsOrWrapFromTheHandler) {
    std::vector<int> seen;
    form.vsbSpin.Change = [&] {
        seen.push_back(form.vsbSpin.Value());
        // 0 and 17 wrap to 16 and 1, as the channel spinner does.
        if (form.vsbSpin.Value() == 0) form.vsbSpin.SetValue(16);
        if (form.vsbSpin.Value() == 17) form.vsbSpin.SetValue(1);
    };
    form.vsbSpin.SetMax(2);
    EXPECT_TRUE(form.vsbSpin.UserArrowUp());  // already at Min: no Change
    form.vsbSpin.SetValue(2);
    form.vsbSpin.SetMax(1);  // pulls the value along
    EXPECT_EQ(form.vsbSpin.Value(), 1);
    form.vsbSpin.SetMax(17);
    form.vsbSpin.SetValue(1);  // unchanged
    EXPECT_TRUE(form.vsbSpin.UserArrowUp());
    EXPECT_EQ(form.vsbSpin.Value(), 16);
    EXPECT_TRUE(form.vsbSpin.UserArrowDown());
    EXPECT_EQ(form.vsbSpin.Value(), 1);
    EXPECT_EQ(seen, (std::vector<int>{2, 1, 0, 16, 17, 1}));
    EXPECT_THROW(form.vsbSpin.SetValue(18), ControlError);
    form.prgBar.SetMax(122);
    form.prgBar.SetValue(122);
    EXPECT_THROW(form.prgBar.SetValue(123), ControlError);
    EXPECT_THROW(form.prgBar.SetMax(0), ControlError);
    form.prgBar.SetMax(50);  // a progress bar's value is pulled along too
    EXPECT_EQ(form.prgBar.Value(), 50);
}

TEST_F(FormsControls, TimerTicksOnlyWhenEnabledWithInterval) {
    int ticks = 0;
    form.tmrTick.TimerEvent = [&] { ++ticks; };
    EXPECT_FALSE(form.tmrTick.Tick());  // interval 0
    form.tmrTick.SetInterval(3000);
    EXPECT_TRUE(form.tmrTick.Tick());
    form.tmrTick.SetEnabled(false);
    EXPECT_FALSE(form.tmrTick.Tick());
    form.tmrTick.SetEnabled(true);
    EXPECT_TRUE(form.tmrTick.Tick());
    form.Unload();
    EXPECT_FALSE(form.tmrTick.Tick());
    EXPECT_EQ(ticks, 2);
}

TEST_F(FormsControls, MenuTreeSeparatorsClicksAndPopupOfAHiddenMenu) {
    form.mnuSep.SetCaption("-");
    form.mnuRecent.AddRange(0, 1);
    form.mnuRecent(1).SetVisible(false);
    std::vector<std::string> clicks;
    form.mnuFileNew.Click = [&] { clicks.push_back("new"); };
    form.mnuRecent.On(&MenuItem::Click,
                      [&](int index) { clicks.push_back("recent " + std::to_string(index)); });

    std::vector<std::string> names;
    for (MenuItem* item : form.mnuFile.Children()) names.push_back(item->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"mnuFileNew", "mnuSep", "mnuRecent", "mnuRecent"}));
    ASSERT_EQ(form.MenuBar().size(), 2u);
    EXPECT_EQ(form.MenuBar()[1], &form.mnuPopup);

    EXPECT_TRUE(form.mnuFileNew.UserClick());
    EXPECT_FALSE(form.mnuSep.UserClick());
    EXPECT_TRUE(form.mnuRecent(0).UserClick());
    EXPECT_FALSE(form.mnuRecent(1).UserClick());  // hidden
    form.mnuFileNew.SetEnabled(false);
    EXPECT_FALSE(form.mnuFileNew.UserClick());

    // A hidden menu shown as a pop-up lets its item be chosen.
    form.mnuPopup.SetVisible(false);
    form.mnuPopupItem.Click = [&] { clicks.push_back("pop-up item"); };
    platform.QueuePopup(
        [](Form&, MenuItem& menu) { EXPECT_TRUE(menu.Children()[0]->UserClick()); });
    form.PopupMenu(form.mnuPopup);
    ASSERT_EQ(platform.Popups().size(), 1u);
    EXPECT_EQ(platform.Popups()[0].menu, "mnuPopup");
    EXPECT_EQ(clicks, (std::vector<std::string>{"new", "recent 0", "pop-up item"}));
}

TEST_F(FormsControls, ToolbarButtonsByKeyAndNumber) {
    form.tlbMain.AddSeparator();
    int file_new = form.tlbMain.AddButton("FileNew", "New File");
    form.tlbMain.AddSeparator();
    form.tlbMain.AddButton("Exit");
    EXPECT_EQ(file_new, 2);
    EXPECT_EQ(form.tlbMain.ButtonNumber("Exit"), 4);
    EXPECT_EQ(form.tlbMain.ButtonNumber("Nope"), 0);
    EXPECT_THROW(form.tlbMain.SetButtonToolTip(5, "x"), ControlError);

    std::vector<std::string> keys;
    form.tlbMain.ButtonClick = [&](const std::string& key) { keys.push_back(key); };
    EXPECT_TRUE(form.tlbMain.UserClickButton("FileNew"));
    EXPECT_TRUE(form.tlbMain.UserClickButton(4));
    EXPECT_FALSE(form.tlbMain.UserClickButton(1));  // separator
    EXPECT_FALSE(form.tlbMain.UserClickButton("Nope"));
    form.tlbMain.SetButtonEnabled(2, false);
    EXPECT_FALSE(form.tlbMain.UserClickButton("FileNew"));
    form.tlbMain.SetButtonVisible(4, false);
    EXPECT_FALSE(form.tlbMain.UserClickButton("Exit"));
    EXPECT_EQ(keys, (std::vector<std::string>{"FileNew", "Exit"}));
}

// The list's Click records the selection it saw.
class FormsCombo : public LoadedTestForm {
  protected:
    FormsCombo() {
        form.cboList.Click = [this] { clicks.push_back(form.cboList.ListIndex()); };
    }
    std::vector<int> clicks;
};

TEST_F(FormsCombo, ClickOnEveryValidSetOrChoiceIncludingTheSameOneButNotOnMinusOneOrBadOnes) {
    form.cboList.SetListIndex(0);
    form.cboList.SetListIndex(0);
    form.cboList.SetListIndex(-1);
    form.cboList.SetListIndex(-1);
    form.cboList.SetListIndex(2);
    EXPECT_EQ(form.cboList.Text(), "three");
    form.cboList.SetText("two");
    form.cboList.SetText("two");
    // Out of range, or no such item: a run-time error, the selection kept.
    EXPECT_THROW(form.cboList.SetListIndex(3), ControlError);
    EXPECT_THROW(form.cboList.SetListIndex(-2), ControlError);
    EXPECT_THROW(form.cboList.SetText("four"), ControlError);
    EXPECT_EQ(form.cboList.ListIndex(), 1);
    // The user's choice raises Click for the current item too, and only when the list is enabled.
    EXPECT_TRUE(form.cboList.UserSelect(0));
    EXPECT_TRUE(form.cboList.UserSelect(0));
    EXPECT_TRUE(form.cboList.HasFocus());
    EXPECT_FALSE(form.cboList.UserSelect(5));
    form.cboList.SetEnabled(false);
    EXPECT_FALSE(form.cboList.UserSelect(1));
    EXPECT_EQ(clicks, (std::vector<int>{0, 0, 2, 1, 1, 0, 0}));
}

TEST_F(FormsCombo, RemovingAndAddingItemsMovesSelectionWithoutClick) {
    form.cboList.SetListIndex(2);
    clicks.clear();
    // The selected place and item.
    auto selected = [this] { return std::pair{form.cboList.ListIndex(), form.cboList.Text()}; };
    form.cboList.RemoveItem(0);  // above the selection
    EXPECT_EQ(selected(), std::pair(1, std::string("three")));
    form.cboList.AddItem("zero", 0);  // above again
    EXPECT_EQ(selected(), std::pair(2, std::string("three")));
    form.cboList.AddItem("between", 2);  // at the selected place: the selection moves on with it
    EXPECT_EQ(selected(), std::pair(3, std::string("three")));
    form.cboList.AddItem("end");  // below
    EXPECT_EQ(selected(), std::pair(3, std::string("three")));
    form.cboList.RemoveItem(3);  // the selected item
    EXPECT_EQ(selected(), std::pair(-1, std::string()));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(form.cboList.List(0), "zero");
    EXPECT_EQ(form.cboList.List(9), "");
    EXPECT_THROW(form.cboList.RemoveItem(9), ControlError);
    EXPECT_THROW(form.cboList.AddItem("x", 9), ControlError);
}

}  // namespace
}  // namespace rvm46::forms::testing
