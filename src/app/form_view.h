#pragma once
// Renders any headless Form as Qt widgets, with one binding per control kind:
// - Changes of the form and its controls (observer notifications) update the widgets with their
//   signals blocked.
// - What the user does to a widget calls the control's User* method; the control may refuse
//   (while a notification is being delivered, or when disabled), and the widget is then put
//   back to the control's state.
// A form with menus, a toolbar or a status bar becomes a main window; any other a dialog.
// Controls are placed by the window's layout table when it has one, otherwise stacked.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/forms.h"

class QAction;
class QMenu;
class QTimer;

namespace rvm46::app {

struct WindowLayout;

class FormView {
  public:
    // Builds the window for `form` (its current values) and keeps it up to date.
    explicit FormView(forms::Form& form);
    ~FormView();
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;

    forms::Form& GetForm() const { return form_; }
    // The top-level window (a QMainWindow or a QDialog).
    QWidget* Window() const { return window_; }
    // nullptr for controls without widget (menu items, timers).
    QWidget* WidgetFor(const forms::Control& control) const;
    // Shortcut to a control's widget by name, e.g. Widget<QLineEdit>("txtReceFre").
    template <class W>
    W* Widget(const std::string& name, int index = -1) const {
        const forms::Control* control = index < 0 ? form_.Find(name) : form_.Find(name, index);
        return control == nullptr ? nullptr : qobject_cast<W*>(WidgetFor(*control));
    }
    QAction* ActionFor(const forms::MenuItem& item) const;
    // The pop-up menu of a menu item's children.
    QMenu* MenuFor(const forms::MenuItem& item);

    // Stops following the form: no more updates, and widget signals no longer reach it. Called
    // when the form is unloaded, before it may be destroyed.
    void Detach();
    bool Detached() const { return detached_; }

  private:
    // The window (form_view.cpp).
    void Build();
    // The widget of any control; nullptr for controls without one (timers, menu items).
    QWidget* CreateWidget(forms::Control& control, QWidget* parent);
    void Place(const WindowLayout* layout);
    // Follows the client area's size: the placements that grow take the room beyond the table.
    void Relayout();
    // A main window's first size: the whole table where the screen has room for it.
    void InitialSize();
    void SyncForm(forms::Property property);
    void SyncCommon(forms::Control& control, QWidget* widget);
    void SyncFont(const forms::Control& control, QWidget* widget);
    void SyncControl(forms::Control& control, forms::Property property);
    void SyncTimers();

    // Per-kind bindings. Create* return nullptr and Sync* false (or nothing) for controls of
    // other kinds.
    // Text boxes and combo lists (form_view_text.cpp).
    QWidget* CreateTextWidget(forms::Control& control, QWidget* parent);
    bool SyncTextWidget(forms::Control& control, QWidget* widget, forms::Property property);
    // Check boxes, buttons, labels, frames, pictures, spinners, progress bars
    // (form_view_simple.cpp).
    QWidget* CreateSimpleWidget(forms::Control& control, QWidget* parent);
    void SyncSimpleWidget(forms::Control& control, QWidget* widget);
    // Menus, toolbar and status bar (form_view_furniture.cpp).
    QWidget* CreateFurnitureWidget(forms::Control& control);
    // The shared properties of the toolbar and the status bar.
    bool SyncFurniture(forms::Control& control, QWidget* widget);
    void BuildMenus();
    QMenu* BuildMenu(forms::MenuItem& item, QWidget* parent);
    QAction* BuildAction(forms::MenuItem& item);
    void SyncMenuItem(forms::MenuItem& item);
    void SyncToolbar(forms::Toolbar& toolbar);
    void SyncStatusBar(forms::StatusBar& status);

    // Accessible names and descriptions from captions, labels and tool tips
    // (form_view_accessible.cpp); after the window is built, again soon after a text changed.
    void NameControls();
    void ScheduleNaming();

    void OnFocusChanged(QWidget* now);
    // Marks the member of the layout's marked array that the marker list selects.
    void MarkRow();
    // Runs a user action unless detached, then brings `control`'s widget back to its state.
    void UserAction(forms::Control& control, const std::function<void()>& action);

    forms::Form& form_;
    QPointer<QWidget> window_;
    QWidget* client_ = nullptr;
    const WindowLayout* layout_ = nullptr;
    bool detached_ = false;
    // While the widgets follow the form, focus moves that Qt makes on its own (a focused widget
    // being disabled passes its focus on) are not the user's and do not reach the form.
    int syncing_ = 0;
    bool main_window_ = false;
    bool named_ = false;
    bool naming_pending_ = false;
    std::map<const forms::Control*, QWidget*> widgets_;
    std::map<const QWidget*, forms::Control*> controls_;
    std::map<const forms::MenuItem*, QAction*> actions_;
    std::map<const forms::MenuItem*, QMenu*> menus_;
    std::map<const forms::Timer*, QTimer*> timers_;
    std::vector<QAction*> toolbar_actions_;
    std::vector<std::pair<forms::Observable*, int>> subscriptions_;
    std::vector<QMetaObject::Connection> app_connections_;
};

// "&File" -> "File" for widgets that show captions as plain text ("&&" is a literal "&").
QString PlainCaption(const std::string& caption);
// Colours are 0xBBGGRR.
QColor ToQColor(forms::Color color);

}  // namespace rvm46::app
