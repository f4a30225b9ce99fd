#pragma once
// A small window used by the control-layer tests, and a fixture holding it loaded.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "support/scripted_platform.h"

namespace rvm46::forms::testing {

class TestForm : public Form {
  public:
    explicit TestForm(Platform& platform, std::string name = "frmTest")
        : Form(platform, std::move(name)) {
        for (const char* item : {"one", "two", "three"}) cboList.AddItem(item);
        txtCell.AddRange(0, 2);
        txtCell.Add(1003);
        optGroup.AddRange(0, 2);
        optGroup(0).SetValue(true);
    }

    TextBox& txtA = Add<TextBox>("txtA");
    TextBox& txtB = Add<TextBox>("txtB");
    ComboBox& cboList = Add<ComboBox>("cboList");
    CheckBox& chkA = Add<CheckBox>("chkA");
    CommandButton& cmdOK = Add<CommandButton>("cmdOK");
    Label& lblA = Add<Label>("lblA");
    Frame& fraGroup = Add<Frame>("fraGroup");
    ControlArray<OptionButton>& optGroup = AddArray<OptionButton>("optGroup", "fraGroup");
    OptionButton& optOther = Add<OptionButton>("optOther");
    ControlArray<TextBox>& txtCell = AddArray<TextBox>("txtCell");
    ScrollBar& vsbSpin = Add<ScrollBar>("vsbSpin");
    Timer& tmrTick = Add<Timer>("tmrTick");
    MenuItem& mnuFile = Add<MenuItem>("mnuFile");
    MenuItem& mnuFileNew = Add<MenuItem>("mnuFileNew", "mnuFile");
    MenuItem& mnuSep = Add<MenuItem>("mnuSep", "mnuFile");
    ControlArray<MenuItem>& mnuRecent = AddArray<MenuItem>("mnuRecent", "mnuFile");
    MenuItem& mnuPopup = Add<MenuItem>("mnuPopup");
    MenuItem& mnuPopupItem = Add<MenuItem>("mnuPopupItem", "mnuPopup");
    Toolbar& tlbMain = Add<Toolbar>("tlbMain");
    StatusBar& sbrStatus = Add<StatusBar>("sbrStatus");
    ProgressBar& prgBar = Add<ProgressBar>("prgBar");
    Picture& imgLogo = Add<Picture>("imgLogo");

    // What the handlers saw, in order.
    std::vector<std::string> log;
};

class LoadedTestForm : public ::testing::Test {
  protected:
    LoadedTestForm() { form.Load(); }
    ScriptedPlatform platform;
    TestForm form{platform};
};

}  // namespace rvm46::forms::testing
