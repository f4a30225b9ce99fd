#pragma once
// Base of every control: identity on its form (name, array index, container), the properties
// all visible controls share, focus, and the rules for raising events.
//
// Event rules kept by every control:
// - A property set from code raises the matching event inside the setter, before it returns,
//   so handlers nest exactly as the windows expect.
// - Events are raised only while the control's form is loaded; setting properties before the
//   form loads (in the window's constructor) defines the design values, which every Load
//   restores.
// - User* methods act as the user would. They return false and do nothing when the control (or
//   its form) cannot take user input: form not loaded, control disabled or hidden, or an
//   observer notification in progress (a renderer echoing its own update).
// - A RunTimeError escaping a handler propagates out of the setter or User* call that raised it.

#include <cstdint>
#include <string>
#include <utility>

#include "forms/event.h"
#include "forms/observable.h"

namespace rvm46::forms {

// Colours are 0xBBGGRR.
using Color = std::uint32_t;
inline constexpr Color kColorBlack = 0x000000;
inline constexpr Color kColorWhite = 0xFFFFFF;
inline constexpr Color kColorButtonFace = 0xF0F0F0;

// Mouse buttons and shift state as passed to MouseDown.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

class Form;

// What Form hands a control it creates.
struct ControlInit {
    Form* form;
    std::string name;
    int index;              // -1 outside a control array
    std::string container;  // name of the frame, picture or parent menu; empty = the form
};

class Control : public Observable {
  public:
    ~Control() override = default;

    // "TextBox", "ComboBox", ... for generic drivers and renderers.
    virtual const char* TypeName() const = 0;

    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    bool IsArrayMember() const { return index_ >= 0; }
    const std::string& Container() const { return container_; }
    Form& Parent() const { return *form_; }

    bool Enabled() const { return c_.enabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return c_.visible; }
    void SetVisible(bool visible);
    Color ForeColor() const { return c_.fore; }
    void SetForeColor(Color color);
    Color BackColor() const { return c_.back; }
    void SetBackColor(Color color);
    // Empty = the toolkit's default font.
    const std::string& FontName() const { return c_.font; }
    void SetFontName(std::string font);
    const std::string& ToolTipText() const { return c_.tip; }
    void SetToolTipText(std::string tip);

    // Focus. Only controls that CanFocus raise GotFocus and LostFocus.
    virtual bool CanFocus() const { return false; }
    // From code: a run-time error when the control cannot take the focus (not focusable,
    // disabled or hidden). The previous holder gets LostFocus, then this control GotFocus.
    void SetFocus();
    bool HasFocus() const;
    // The user moves the focus here (Tab key or pointer).
    bool UserFocus();

    Event<> GotFocus;
    Event<> LostFocus;

  protected:
    Control(const ControlInit& init, Color back_color);

    bool EventsLive() const;
    bool UserMayAct() const;
    // Moves the focus here first, as pressing the pointer on the control does; false when the
    // focus ended elsewhere (a LostFocus handler took it back), so the action is dropped.
    bool TakeFocusForUser();

    template <class... Args, class... Params>
    void Raise(const Event<Args...>& event, Params&&... params) const {
        if (EventsLive()) event.Raise(std::forward<Params>(params)...);
    }

    // Design values: taken when the form first loads, restored on each later load.
    virtual void SaveDesign() { c_design_ = c_; }
    virtual void RestoreDesign() { c_ = c_design_; }

  private:
    friend class Form;
    void NotifyAll() const { Notify(Property::All); }

    struct Common {
        bool enabled = true;
        bool visible = true;
        Color fore = kColorBlack;
        Color back = kColorButtonFace;
        std::string font;
        std::string tip;
    };

    Form* form_;
    std::string name_;
    int index_;
    std::string container_;
    Common c_;
    Common c_design_;
};

// Controls with a Caption (labels, buttons, check and option boxes, frames, menu items).
class CaptionedControl : public Control {
  public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

  protected:
    using Control::Control;
    void SaveDesign() override;
    void RestoreDesign() override;

  private:
    std::string caption_;
    std::string caption_design_;
};

}  // namespace rvm46::forms
