// The window: control lookup, life cycle, modal showing, observers; and the scripted platform
// the window tests run on, which fails loudly on anything its script did not foresee.

#include <gtest/gtest.h>

#include <filesystem>

#include "forms/test_form.h"

namespace rvm46::forms::testing {
namespace {

using FormsWindow = LoadedTestForm;

TEST_F(FormsWindow, LookupByNameAndArrayIndexAndArrayHandlers) {
    EXPECT_EQ(form.Find("txtA"), &form.txtA);
    EXPECT_EQ(form.Find("txtCell", 1003), &form.txtCell(1003));
    EXPECT_EQ(form.Find("txtCell", 3), nullptr);
    EXPECT_EQ(form.Find("txtCell"), nullptr);  // an array is not a single control
    EXPECT_EQ(form.Find("nothing"), nullptr);
    ASSERT_NE(form.FindArray("txtCell"), nullptr);
    EXPECT_EQ(form.FindArray("txtCell")->Indexes(), (std::vector<int>{0, 1, 2, 1003}));
    EXPECT_THROW(form.Add<Label>("txtA"), std::logic_error);
    EXPECT_THROW(form.txtCell.Add(1003), std::logic_error);

    // Every control is enumerable, array members included.
    int cells = 0;
    for (Control* control : form.Controls()) cells += control->Name() == "txtCell";
    EXPECT_EQ(cells, 4);

    // An array's handlers reach members added later.
    std::vector<int> clicks;
    form.txtCell.On(&TextBox::Click, [&](int index) { clicks.push_back(index); });
    form.txtCell.Add(2005);
    EXPECT_TRUE(form.txtCell(1).UserClick());
    EXPECT_TRUE(form.txtCell(2005).UserClick());
    EXPECT_EQ(clicks, (std::vector<int>{1, 2005}));
}

TEST_F(FormsWindow, ModalDialogRunsInsideTheCallerAndQueryUnloadCanCancel) {
    TestForm dialog(platform, "frmDialog");
    form.Show();
    dialog.FormLoad = [&] { dialog.log.push_back("load"); };
    dialog.cmdOK.Click = [&] {
        dialog.log.push_back("ok");
        dialog.Unload();
    };
    platform.QueueModal([&](Form& shown) {
        EXPECT_EQ(&shown, &dialog);
        EXPECT_TRUE(shown.Modal());
        EXPECT_TRUE(dialog.cmdOK.UserClick());
    });
    dialog.ShowModal(&form);
    dialog.log.push_back("returned");
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"load", "ok", "returned"}));
    ASSERT_EQ(platform.Modals().size(), 1u);
    EXPECT_EQ(platform.Modals()[0].form, "frmDialog");
    EXPECT_EQ(platform.Modals()[0].owner, "frmTest");
    EXPECT_FALSE(dialog.Loaded());

    // QueryUnload can cancel the closing and hears how the window is closed.
    std::vector<UnloadMode> modes;
    bool keep = true;
    form.FormQueryUnload = [&](bool& cancel, UnloadMode mode) {
        modes.push_back(mode);
        cancel = keep;
    };
    EXPECT_FALSE(form.UserClose());
    EXPECT_TRUE(form.Loaded());
    keep = false;
    EXPECT_TRUE(form.Unload());
    EXPECT_FALSE(form.Loaded());
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(modes, (std::vector<UnloadMode>{UnloadMode::FormControlMenu, UnloadMode::FormCode}));
    EXPECT_EQ(platform.ClosedForms(), (std::vector<std::string>{"frmDialog", "frmTest"}));
    EXPECT_FALSE(form.cmdOK.UserClick());  // unloaded: no input
}

TEST_F(FormsWindow, EachRealPropertyChangeOfAControlOrTheWindowIsReportedBeforeTheEvent) {
    std::vector<std::string> seen;
    form.txtA.Subscribe([&](const PropertyChange& change) {
        if (change.property == Property::Text) seen.push_back("text " + form.txtA.Text());
        if (change.property == Property::ForeColor) seen.push_back("fore");
    });
    form.txtA.Change = [&] { seen.push_back("change"); };
    form.txtA.SetText("1");
    form.txtA.SetText("1");
    form.txtA.SetForeColor(0x0000FF);
    form.txtA.SetForeColor(0x0000FF);
    EXPECT_EQ(seen, (std::vector<std::string>{"text 1", "change", "fore"}));

    // A status panel's notification carries the panel's number.
    std::vector<std::pair<Property, int>> panels;
    form.sbrStatus.Subscribe(
        [&](const PropertyChange& change) { panels.emplace_back(change.property, change.index); });
    form.sbrStatus.SetPanelText(2, "COM3");
    form.sbrStatus.SetPanelText(2, "COM3");
    form.sbrStatus.SetPanelToolTip(1, "Status");
    EXPECT_EQ(panels, (std::vector<std::pair<Property, int>>{{Property::PanelText, 2},
                                                             {Property::PanelToolTip, 1}}));

    // The window reports the focus, its frame and its life cycle.
    std::vector<Property> changes;
    form.Subscribe([&](const PropertyChange& change) { changes.push_back(change.property); });
    form.txtA.SetFocus();
    form.SetBorderless(true);
    form.SetBorderless(true);
    form.Unload();
    EXPECT_EQ(changes, (std::vector<Property>{Property::ActiveControl, Property::Borderless,
                                              Property::Visible, Property::Loaded}));
}

TEST_F(FormsWindow, RendererEchoDuringNotificationRaisesNothing) {
    // A renderer that pushes the value into its widget receives the widget's own signal and
    // hands it back as a user action; that echo must not re-run the list's Click.
    int clicks = 0;
    form.cboList.Click = [&] { ++clicks; };
    int id = form.cboList.Subscribe([&](const PropertyChange& change) {
        if (change.property == Property::ListIndex) {
            EXPECT_FALSE(form.cboList.UserSelect(form.cboList.ListIndex()));
            EXPECT_FALSE(form.txtA.UserReplace("echo"));
            EXPECT_FALSE(form.UserClose());
        }
    });
    form.cboList.SetListIndex(2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.txtA.Text(), "");
    EXPECT_TRUE(form.Loaded());

    form.cboList.Unsubscribe(id);
    EXPECT_TRUE(form.cboList.UserSelect(0));
    EXPECT_EQ(clicks, 2);
}

using ScriptedPlatformTest = LoadedTestForm;

TEST_F(ScriptedPlatformTest, UnscriptedDialogsFailLoudlyAndUnscriptedModalWindowsAreClosed) {
    // Not a RunTimeError, so an error exit around the handler cannot hide it.
    form.cmdOK.Click = [&] {
        RunToErrorExit([&] {
            platform.MsgBox("Are you sure want to exit?", MsgButtons::YesNo, MsgIcon::Question,
                            "Notice");
        });
    };
    EXPECT_THROW(form.cmdOK.UserClick(), ScriptExhausted);
    EXPECT_TRUE(platform.Messages().empty());
    FileDialog dialog;
    EXPECT_THROW(platform.ShowOpenDialog(dialog), ScriptExhausted);

    // A modal window its script left open fails; one without a script is closed as by the user.
    TestForm left(platform, "frmDialog");
    platform.QueueModal([](Form&) {});
    EXPECT_THROW(left.ShowModal(nullptr), ScriptExhausted);

    TestForm other(platform, "frmOther");
    UnloadMode mode = UnloadMode::FormCode;
    other.FormQueryUnload = [&](bool&, UnloadMode m) { mode = m; };
    other.ShowModal(nullptr);
    EXPECT_FALSE(other.Loaded());
    EXPECT_EQ(mode, UnloadMode::FormControlMenu);
}

}  // namespace
}  // namespace rvm46::forms::testing
