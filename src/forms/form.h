#pragma once
// A window: its own properties, the registry of its controls, its life cycle and its focus.
//
// A window derives from Form and declares its controls as members, in the order they appear
// (menus in menu order), then wires handlers in its constructor:
//
//     class FrmToolCom : public forms::Form {
//     public:
//         explicit FrmToolCom(forms::Platform& platform) : Form(platform, "frmToolCom") {
//             COM1.AddRange(0, 15);
//             cmdOK.SetCaption("OK");                       // a design value
//             FormLoad = [this] { Form_Load(); };
//             cmdOK.Click = [this] { cmdOK_Click(); };
//             COM1.On(&forms::OptionButton::Click, [this](int index) { COM1_Click(index); });
//         }
//         forms::Frame& fraToolCom = Add<forms::Frame>("fraToolCom");
//         forms::ControlArray<forms::OptionButton>& COM1 =
//             AddArray<forms::OptionButton>("COM1", "fraToolCom");
//         forms::CommandButton& cmdOK = Add<forms::CommandButton>("cmdOK");
//     };
//
// Property values set before the first Load are the design values: every Load restores them
// (an unloaded and reloaded dialog starts afresh), then raises FormLoad. Controls raise events
// only while their form is loaded.

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "forms/control.h"
#include "forms/control_array.h"
#include "forms/menu.h"
#include "forms/platform.h"

namespace rvm46::forms {

// Why a form is being unloaded, as FormQueryUnload receives it.
enum class UnloadMode {
    FormControlMenu = 0,  // the user closes the window by its frame or system menu
    FormCode = 1,         // Unload from code
};

class Form : public Observable {
  public:
    Form(Platform& platform, std::string name);
    ~Form() override;

    const std::string& Name() const { return name_; }
    Platform& Host() const { return platform_; }

    const std::string& Caption() const { return p_.caption; }
    void SetCaption(std::string caption);
    Color BackColor() const { return p_.back; }
    void SetBackColor(Color color);
    const std::string& FontName() const { return p_.font; }
    void SetFontName(std::string font);
    // A window without border and title bar (it cannot be moved or closed by its frame).
    bool Borderless() const { return p_.borderless; }
    void SetBorderless(bool borderless);

    // Declaring controls. `container` names the frame or picture holding the control (option
    // buttons of one container form a group) or, for a menu item, its parent item. A duplicate
    // name is a programming fault (std::logic_error).
    template <class T>
    T& Add(std::string name, std::string container = {}) {
        CheckNewName(name);
        T& control = Create<T>(name, -1, std::move(container));
        singles_[name] = &control;
        return control;
    }
    template <class T>
    ControlArray<T>& AddArray(std::string name, std::string container = {}) {
        CheckNewName(name);
        auto array = std::make_unique<ControlArray<T>>(*this, name, std::move(container));
        auto& ref = *array;
        arrays_[name] = std::move(array);
        return ref;
    }

    // Every control, array members included, in the order created.
    const std::vector<Control*>& Controls() const { return order_; }
    // A control that is not an array member; nullptr when none.
    Control* Find(std::string_view name) const;
    // An array member, e.g. Find("txtChannel", 1003); nullptr when none.
    Control* Find(std::string_view name, int index) const;
    ControlArrayBase* FindArray(std::string_view name) const;
    // Top-level menu items (those without container), in order.
    std::vector<MenuItem*> MenuBar() const;

    // Life cycle.
    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    bool Modal() const { return modal_; }
    Form* Owner() const { return owner_; }
    // Restores the design values and raises FormLoad; nothing when already loaded.
    void Load();
    // Loads when needed and makes the window visible (modeless).
    void Show();
    // Loads when needed, shows the window above `owner` and returns once the platform's modal
    // loop ends (the form hidden or unloaded).
    void ShowModal(Form* owner);
    void Hide();
    // FormQueryUnload(cancel, FormCode), then FormUnload(cancel); unloads unless a handler set
    // cancel. Returns whether the form is unloaded afterwards.
    bool Unload();
    // The user closes the window: as Unload, with UnloadMode::FormControlMenu.
    bool UserClose();

    // Shows a menu item's children as a pop-up menu (through the platform).
    void PopupMenu(MenuItem& menu);

    // Focus. ActiveControl is already the new control while the old one's LostFocus runs.
    Control* ActiveControl() const { return active_; }
    void SetFocus(Control& control);

    Event<> FormLoad;
    Event<bool&, UnloadMode> FormQueryUnload;  // set the flag to keep the form
    Event<bool&> FormUnload;

  private:
    template <class T>
    friend class ControlArray;

    template <class T>
    T& Create(const std::string& name, int index, std::string container) {
        auto control = std::make_unique<T>(ControlInit{this, name, index, std::move(container)});
        T& ref = *control;
        Adopt(std::move(control));
        return ref;
    }
    void Adopt(std::unique_ptr<Control> control);
    void CheckNewName(const std::string& name) const;
    bool DoUnload(UnloadMode mode);

    struct Props {
        std::string caption;
        Color back = kColorButtonFace;
        std::string font;
        bool borderless = false;
    };

    Platform& platform_;
    std::string name_;
    Props p_;
    Props design_;
    bool design_taken_ = false;
    bool loaded_ = false;
    bool visible_ = false;
    bool modal_ = false;
    Form* owner_ = nullptr;
    Control* active_ = nullptr;
    Control* focus_holder_ = nullptr;  // has had GotFocus and not yet LostFocus
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<Control*> order_;
    std::map<std::string, Control*, std::less<>> singles_;
    std::map<std::string, std::unique_ptr<ControlArrayBase>, std::less<>> arrays_;
};

template <class T>
T& ControlArray<T>::Add(int index) {
    if (index < 0 || Exists(index)) {
        throw std::logic_error(Name() + ": bad or duplicate index " + std::to_string(index));
    }
    T& member = form_.Create<T>(Name(), index, Container());
    members_[index] = &member;
    for (auto& binder : binders_) binder(member);
    return member;
}

}  // namespace rvm46::forms
