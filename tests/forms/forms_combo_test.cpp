// Drop-down list selection and item maintenance.

#include <gtest/gtest.h>

#include "forms/test_form.h"

namespace rvm46::forms::testing {
namespace {

class FormsCombo : public ::testing::Test {
  protected:
    FormsCombo() {
        form.Load();
        form.cboList.Click = [this] { clicks.push_back(form.cboList.ListIndex()); };
    }
    ScriptedPlatform platform;
    TestForm form{platform};
    std::vector<int> clicks;
};

TEST_F(FormsCombo, ClickOnEveryValidSetIncludingSameIndexButNotOnMinusOne) {
    form.cboList.SetListIndex(0);
    form.cboList.SetListIndex(0);
    form.cboList.SetListIndex(-1);
    form.cboList.SetListIndex(-1);
    form.cboList.SetListIndex(2);
    EXPECT_EQ(clicks, (std::vector<int>{0, 0, 2}));
    EXPECT_EQ(form.cboList.Text(), "three");
}

TEST_F(FormsCombo, OutOfRangeListIndexIsRunTimeErrorAndKeepsSelection) {
    form.cboList.SetListIndex(1);
    EXPECT_THROW(form.cboList.SetListIndex(3), ControlError);
    EXPECT_THROW(form.cboList.SetListIndex(-2), ControlError);
    EXPECT_EQ(form.cboList.ListIndex(), 1);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(FormsCombo, RemovingAndAddingItemsMovesSelectionWithoutClick) {
    form.cboList.SetListIndex(2);
    clicks.clear();
    form.cboList.RemoveItem(0);  // above the selection
    EXPECT_EQ(form.cboList.ListIndex(), 1);
    EXPECT_EQ(form.cboList.Text(), "three");
    form.cboList.AddItem("zero", 0);  // above again
    EXPECT_EQ(form.cboList.ListIndex(), 2);
    form.cboList.AddItem("end");  // below
    EXPECT_EQ(form.cboList.ListIndex(), 2);
    form.cboList.RemoveItem(2);  // the selected item
    EXPECT_EQ(form.cboList.ListIndex(), -1);
    EXPECT_EQ(form.cboList.Text(), "");
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(form.cboList.List(0), "zero");
    EXPECT_EQ(form.cboList.List(9), "");
    EXPECT_THROW(form.cboList.RemoveItem(9), ControlError);
    EXPECT_THROW(form.cboList.AddItem("x", 9), ControlError);
}

TEST_F(FormsCombo, SetTextSelectsMatchingItemOrFails) {
    form.cboList.SetText("two");
    form.cboList.SetText("two");
    EXPECT_EQ(clicks, (std::vector<int>{1, 1}));
    EXPECT_THROW(form.cboList.SetText("four"), ControlError);
    EXPECT_EQ(form.cboList.ListIndex(), 1);
}

TEST_F(FormsCombo, UserSelectRespectsEnabledAndRaisesClickForCurrentItem) {
    EXPECT_TRUE(form.cboList.UserSelect(1));
    EXPECT_TRUE(form.cboList.UserSelect(1));
    EXPECT_TRUE(form.cboList.HasFocus());
    EXPECT_FALSE(form.cboList.UserSelect(5));
    form.cboList.SetEnabled(false);
    EXPECT_FALSE(form.cboList.UserSelect(0));
    EXPECT_EQ(clicks, (std::vector<int>{1, 1}));
}

}  // namespace
}  // namespace rvm46::forms::testing
