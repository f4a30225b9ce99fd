// The generic renderer of forms.
#include "app/form_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <string_view>

#include "app/icons.h"
#include "app/layouts.h"

namespace rvm46::app {

using namespace forms;

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

bool Is(const Control& control, std::string_view type) {
    return control.TypeName() == type;
}

// The window frame: closing it asks the form (UserClose) instead of closing the widget.
class MainShell : public QMainWindow {
  public:
    std::function<void()> close_request;

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (close_request) close_request();
    }
};

class DialogShell : public QDialog {
  public:
    explicit DialogShell(QWidget* parent) : QDialog(parent) {}
    std::function<void()> close_request;

    void reject() override {  // Esc
        if (close_request) close_request();
    }

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (close_request) close_request();
    }
};

// Forwards mouse presses and releases on a widget.
class MouseFilter : public QObject {
  public:
    MouseFilter(QObject* parent, std::function<void(QMouseEvent*, bool pressed)> on_mouse)
        : QObject(parent), on_mouse_(std::move(on_mouse)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonRelease) {
            on_mouse_(static_cast<QMouseEvent*>(event), event->type() == QEvent::MouseButtonPress);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void(QMouseEvent*, bool)> on_mouse_;
};

int ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return kMiddleButton;
        default:
            return kLeftButton;
    }
}

int ShiftOf(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? kShiftMask : 0) |
           (modifiers & Qt::ControlModifier ? kCtrlMask : 0) |
           (modifiers & Qt::AltModifier ? kAltMask : 0);
}

// The small up/down spinner drawn for a vertical scroll bar.
QWidget* MakeSpinner(QWidget* parent, QToolButton*& up, QToolButton*& down) {
    auto* widget = new QWidget(parent);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up = new QToolButton(widget);
    down = new QToolButton(widget);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up, down}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    widget->setFocusPolicy(Qt::ClickFocus);
    return widget;
}

}  // namespace

QString PlainCaption(const std::string& caption) {
    QString out;
    const QString in = Q(caption);
    for (int i = 0; i < in.size(); ++i) {
        if (in[i] == '&' && i + 1 < in.size()) ++i;
        out += in[i];
    }
    return out;
}

QColor ToQColor(Color color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

FormView::FormView(Form& form) : form_(form) {
    Build();
}

FormView::~FormView() {
    Detach();
    delete window_.data();
}

void FormView::Detach() {
    if (detached_) return;
    detached_ = true;
    for (auto& [observable, id] : subscriptions_) observable->Unsubscribe(id);
    subscriptions_.clear();
    for (auto& connection : app_connections_) QObject::disconnect(connection);
    app_connections_.clear();
    for (auto& [timer, qtimer] : timers_) qtimer->stop();
}

QWidget* FormView::WidgetFor(const Control& control) const {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

QAction* FormView::ActionFor(const MenuItem& item) const {
    auto it = actions_.find(&item);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* FormView::MenuFor(const MenuItem& item) {
    auto it = menus_.find(&item);
    if (it != menus_.end()) return it->second;
    return BuildMenu(const_cast<MenuItem&>(item), window_);
}

void FormView::UserAction(Control& control, const std::function<void()>& action) {
    if (detached_) return;
    action();
    if (!detached_) SyncControl(control, Property::All);
}

void FormView::Build() {
    bool furniture = false;
    for (Control* control : form_.Controls()) {
        furniture = furniture || Is(*control, "MenuItem") || Is(*control, "Toolbar") ||
                    Is(*control, "StatusBar");
    }
    main_window_ = furniture;
    if (main_window_) {
        auto* shell = new MainShell;
        shell->close_request = [this] {
            if (!detached_) form_.UserClose();
        };
        client_ = new QWidget(shell);
        shell->setCentralWidget(client_);
        window_ = shell;
    } else {
        auto* shell = new DialogShell(nullptr);
        shell->close_request = [this] {
            if (!detached_) form_.UserClose();
        };
        shell->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
        client_ = shell;
        window_ = shell;
    }
    window_->setWindowIcon(ApplicationIcon());
    client_->setAutoFillBackground(true);

    const WindowLayout* layout = LayoutFor(form_.Name());
    if (layout == nullptr) new QVBoxLayout(client_);
    for (Control* control : form_.Controls()) {
        if (Is(*control, "MenuItem")) continue;
        QWidget* parent = client_;
        if (!control->Container().empty()) {
            if (Control* container = form_.Find(control->Container())) {
                if (QWidget* w = WidgetFor(*container)) parent = w;
            }
        }
        if (QWidget* widget = CreateWidget(*control, parent)) {
            widgets_[control] = widget;
            controls_[widget] = control;
            if (layout == nullptr && parent->layout() != nullptr)
                parent->layout()->addWidget(widget);
        }
        subscriptions_.emplace_back(
            control, control->Subscribe([this, control](const PropertyChange& change) {
                if (detached_) return;
                if (change.property == Property::Buttons ||
                    change.property == Property::PanelText ||
                    change.property == Property::PanelToolTip) {
                    if (auto* toolbar = dynamic_cast<Toolbar*>(control)) SyncToolbar(*toolbar);
                    if (auto* status = dynamic_cast<StatusBar*>(control)) SyncStatusBar(*status);
                    return;
                }
                SyncControl(*control, change.property);
            }));
    }
    if (main_window_) BuildMenus();
    Place(layout);
    subscriptions_.emplace_back(&form_, form_.Subscribe([this](const PropertyChange& change) {
        if (!detached_) SyncForm(change.property);
    }));

    app_connections_.push_back(
        QObject::connect(qApp, &QApplication::focusChanged, window_,
                         [this](QWidget*, QWidget* now) { OnFocusChanged(now); }));

    SyncForm(Property::All);
    for (Control* control : form_.Controls()) SyncControl(*control, Property::All);
}

void FormView::Place(const WindowLayout* layout) {
    if (layout == nullptr) {
        client_->setMinimumWidth(280);
        return;
    }
    for (auto& [control, widget] : widgets_) {
        if (Is(*control, "Toolbar") || Is(*control, "StatusBar")) continue;
        const Placement* place = layout->Find(control->Name(), control->Index());
        if (place == nullptr || !place->shown) {
            widget->setProperty("rvm46_offstage", true);
            widget->hide();
            continue;
        }
        widget->setGeometry(place->x, place->y, place->width, place->height);
    }
    client_->setFixedSize(layout->width, layout->height);
}

QWidget* FormView::CreateWidget(Control& control, QWidget* parent) {
    if (auto* box = dynamic_cast<TextBox*>(&control)) {
        auto* edit = new QLineEdit(parent);
        QObject::connect(edit, &QLineEdit::textEdited, edit,
                         [this, box, edit](const QString& text) {
                             if (detached_) return;
                             if (!box->UserReplace(text.toStdString()) || detached_) {
                                 if (!detached_ && Q(box->Text()) != edit->text()) {
                                     QSignalBlocker block(edit);
                                     edit->setText(Q(box->Text()));
                                 }
                             }
                         });
        if (box->MouseDown) edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->installEventFilter(
            new MouseFilter(edit, [this, box](QMouseEvent* event, bool pressed) {
                if (detached_) return;
                if (pressed) {
                    const QPointF at = event->position();
                    box->UserMouseDown(ButtonOf(event->button()), ShiftOf(event->modifiers()),
                                       static_cast<float>(at.x() * 15),
                                       static_cast<float>(at.y() * 15));
                } else if (event->button() == Qt::LeftButton) {
                    box->UserClick();
                }
            }));
        return edit;
    }
    if (auto* list = dynamic_cast<ComboBox*>(&control)) {
        auto* combo = new QComboBox(parent);
        combo->setMaxVisibleItems(16);
        QObject::connect(combo, qOverload<int>(&QComboBox::activated), combo,
                         [this, list](int index) {
                             UserAction(*list, [list, index] { list->UserSelect(index); });
                         });
        return combo;
    }
    if (auto* check = dynamic_cast<CheckBox*>(&control)) {
        auto* box = new QCheckBox(parent);
        box->setTristate(true);
        QObject::connect(box, &QCheckBox::clicked, box,
                         [this, check] { UserAction(*check, [check] { check->UserClick(); }); });
        return box;
    }
    if (auto* option = dynamic_cast<OptionButton*>(&control)) {
        auto* radio = new QRadioButton(parent);
        radio->setAutoExclusive(false);  // the control layer groups them
        QObject::connect(radio, &QRadioButton::clicked, radio, [this, option] {
            UserAction(*option, [option] { option->UserClick(); });
        });
        return radio;
    }
    if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        auto* push = new QPushButton(parent);
        QObject::connect(push, &QPushButton::clicked, push, [this, button] {
            UserAction(*button, [button] { button->UserClick(); });
        });
        return push;
    }
    if (auto* label = dynamic_cast<Label*>(&control)) {
        auto* widget = new QLabel(parent);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        widget->installEventFilter(
            new MouseFilter(widget, [this, label](QMouseEvent* event, bool pressed) {
                if (!pressed && event->button() == Qt::LeftButton) {
                    UserAction(*label, [label] { label->UserClick(); });
                }
            }));
        return widget;
    }
    if (auto* frame = dynamic_cast<Frame*>(&control)) {
        auto* group = new QGroupBox(parent);
        if (LayoutFor(form_.Name()) == nullptr) new QVBoxLayout(group);
        (void)frame;
        return group;
    }
    if (auto* picture = dynamic_cast<Picture*>(&control)) {
        auto* widget = new QLabel(parent);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        widget->setWordWrap(true);
        if (LayoutFor(form_.Name()) == nullptr && !control.Container().empty()) {
            // Stacked pictures that hold controls get a layout of their own.
            bool holds = false;
            for (Control* other : form_.Controls())
                holds = holds || other->Container() == control.Name();
            if (holds) new QVBoxLayout(widget);
        }
        widget->installEventFilter(
            new MouseFilter(widget, [this, picture](QMouseEvent* event, bool pressed) {
                if (!pressed && event->button() == Qt::LeftButton) {
                    UserAction(*picture, [picture] { picture->UserClick(); });
                }
            }));
        return widget;
    }
    if (auto* bar = dynamic_cast<ScrollBar*>(&control)) {
        QToolButton* up = nullptr;
        QToolButton* down = nullptr;
        QWidget* spinner = MakeSpinner(parent, up, down);
        QObject::connect(up, &QToolButton::clicked, up,
                         [this, bar] { UserAction(*bar, [bar] { bar->UserArrowUp(); }); });
        QObject::connect(down, &QToolButton::clicked, down,
                         [this, bar] { UserAction(*bar, [bar] { bar->UserArrowDown(); }); });
        return spinner;
    }
    if (dynamic_cast<ProgressBar*>(&control) != nullptr) {
        auto* progress = new QProgressBar(parent);
        progress->setTextVisible(false);
        return progress;
    }
    if (auto* timer = dynamic_cast<Timer*>(&control)) {
        auto* qtimer = new QTimer(window_);
        QObject::connect(qtimer, &QTimer::timeout, qtimer, [this, timer] {
            if (!detached_) timer->Tick();
        });
        timers_[timer] = qtimer;
        return nullptr;
    }
    if (auto* toolbar = dynamic_cast<Toolbar*>(&control)) {
        if (auto* shell = qobject_cast<QMainWindow*>(window_.data())) {
            auto* bar = new QToolBar(shell);
            bar->setMovable(false);
            bar->setFloatable(false);
            bar->setIconSize(QSize(24, 24));
            bar->setContextMenuPolicy(Qt::PreventContextMenu);
            bar->toggleViewAction()->setVisible(false);
            shell->addToolBar(bar);
            (void)toolbar;
            return bar;
        }
        return nullptr;
    }
    if (auto* status = dynamic_cast<StatusBar*>(&control)) {
        if (auto* shell = qobject_cast<QMainWindow*>(window_.data())) {
            auto* bar = new QStatusBar(shell);
            bar->setSizeGripEnabled(false);
            for (int panel = 1; panel <= status->PanelCount(); ++panel) {
                auto* label = new QLabel(bar);
                label->setObjectName(QString("panel%1").arg(panel));
                label->setFrameShape(QFrame::StyledPanel);
                label->setFrameShadow(QFrame::Sunken);
                label->setMinimumWidth(panel == 1 ? 160 : 90);
                if (panel == 1) {
                    bar->addWidget(label, 1);
                } else {
                    bar->addPermanentWidget(label, panel == status->PanelCount() ? 3 : 0);
                }
            }
            shell->setStatusBar(bar);
            return bar;
        }
        return nullptr;
    }
    return nullptr;
}

void FormView::BuildMenus() {
    auto* shell = qobject_cast<QMainWindow*>(window_.data());
    QMenuBar* bar = shell->menuBar();
    for (MenuItem* item : form_.MenuBar()) {
        QMenu* menu = BuildMenu(*item, bar);
        QAction* action = menu->menuAction();
        actions_[item] = action;
        // A hidden top-level item is only ever shown as a pop-up menu.
        if (item->Visible()) bar->addAction(action);
    }
}

QMenu* FormView::BuildMenu(MenuItem& item, QWidget* parent) {
    auto it = menus_.find(&item);
    if (it != menus_.end()) return it->second;
    auto* menu = new QMenu(parent);
    menus_[&item] = menu;
    actions_[&item] = menu->menuAction();
    subscriptions_.emplace_back(&item, item.Subscribe([this, &item](const PropertyChange&) {
        if (!detached_) SyncMenuItem(item);
    }));
    for (MenuItem* child : item.Children()) {
        if (child->Children().empty()) {
            menu->addAction(BuildAction(*child));
        } else {
            menu->addMenu(BuildMenu(*child, menu));
        }
    }
    for (MenuItem* child : item.Children()) SyncMenuItem(*child);
    SyncMenuItem(item);
    return menu;
}

QAction* FormView::BuildAction(MenuItem& item) {
    auto* action = new QAction(window_);
    actions_[&item] = action;
    if (item.IsSeparator()) {
        action->setSeparator(true);
    } else {
        QObject::connect(action, &QAction::triggered, action,
                         [this, &item] { UserAction(item, [&item] { item.UserClick(); }); });
    }
    subscriptions_.emplace_back(&item, item.Subscribe([this, &item](const PropertyChange&) {
        if (!detached_) SyncMenuItem(item);
    }));
    return action;
}

void FormView::SyncMenuItem(MenuItem& item) {
    QAction* action = ActionFor(item);
    if (action == nullptr) return;
    QSignalBlocker block(action);
    if (item.IsSeparator()) {
        action->setSeparator(true);
    } else {
        action->setText(Q(item.Caption()));
        action->setCheckable(item.Checked());
        action->setChecked(item.Checked());
        action->setShortcut(QKeySequence(Q(item.Shortcut())));
    }
    action->setEnabled(item.Enabled());
    const bool top = item.Container().empty();
    action->setVisible(top ? true : item.Visible());
    if (top && main_window_) {
        auto* shell = qobject_cast<QMainWindow*>(window_.data());
        const bool in_bar = shell->menuBar()->actions().contains(action);
        if (item.Visible() && !in_bar) shell->menuBar()->addAction(action);
        if (!item.Visible() && in_bar) shell->menuBar()->removeAction(action);
    }
}

void FormView::SyncToolbar(Toolbar& toolbar) {
    auto* bar = qobject_cast<QToolBar*>(WidgetFor(toolbar));
    if (bar == nullptr) return;
    if (static_cast<int>(toolbar_actions_.size()) != toolbar.ButtonCount()) {
        bar->clear();
        toolbar_actions_.clear();
        for (int number = 1; number <= toolbar.ButtonCount(); ++number) {
            const ToolbarButton& button = toolbar.Button(number);
            QAction* action = button.separator ? bar->addSeparator() : bar->addAction(QString());
            if (!button.separator) {
                action->setIcon(ToolbarIcon(button.image));
                const std::string key = button.key;
                QObject::connect(action, &QAction::triggered, action, [this, &toolbar, key] {
                    UserAction(toolbar, [&toolbar, key] { toolbar.UserClickButton(key); });
                });
            }
            toolbar_actions_.push_back(action);
        }
    }
    bool captions = false;
    for (int number = 1; number <= toolbar.ButtonCount(); ++number) {
        captions = captions || !toolbar.Button(number).caption.empty();
    }
    bar->setToolButtonStyle(captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    for (int number = 1; number <= toolbar.ButtonCount(); ++number) {
        const ToolbarButton& button = toolbar.Button(number);
        QAction* action = toolbar_actions_[static_cast<std::size_t>(number - 1)];
        QSignalBlocker block(action);
        if (!button.separator) {
            action->setText(Q(button.caption.empty() ? button.tool_tip : button.caption));
            action->setToolTip(Q(button.tool_tip));
            action->setObjectName(Q(button.key));
        }
        action->setEnabled(button.enabled && toolbar.Enabled());
        action->setVisible(button.visible);
    }
}

void FormView::SyncStatusBar(StatusBar& status) {
    QWidget* bar = WidgetFor(status);
    if (bar == nullptr) return;
    for (int panel = 1; panel <= status.PanelCount(); ++panel) {
        if (auto* label = bar->findChild<QLabel*>(QString("panel%1").arg(panel))) {
            label->setText(Q(status.PanelText(panel)));
            label->setToolTip(Q(status.PanelToolTip(panel)));
        }
    }
}

void FormView::SyncTimers() {
    for (auto& [timer, qtimer] : timers_) {
        if (timer->Running()) {
            if (!qtimer->isActive() || qtimer->interval() != timer->Interval())
                qtimer->start(timer->Interval());
        } else {
            qtimer->stop();
        }
    }
}

void FormView::SyncForm(Property property) {
    if (property == Property::All || property == Property::Caption) {
        window_->setWindowTitle(Q(form_.Caption()));
    }
    if (property == Property::All || property == Property::BackColor) {
        QPalette palette = client_->palette();
        palette.setColor(QPalette::Window, ToQColor(form_.BackColor()));
        client_->setPalette(palette);
    }
    if (property == Property::All || property == Property::FontName) {
        if (!form_.FontName().empty()) {
            QFont font = window_->font();
            font.setFamilies({Q(form_.FontName())});
            window_->setFont(font);
        }
    }
    if (property == Property::All || property == Property::Visible ||
        property == Property::Loaded) {
        if (!form_.Visible() || !form_.Loaded()) window_->hide();
        SyncTimers();
    }
    if (property == Property::ActiveControl && form_.ActiveControl() != nullptr) {
        if (QWidget* widget = WidgetFor(*form_.ActiveControl())) {
            if (!widget->hasFocus() && widget->isVisible()) widget->setFocus(Qt::OtherFocusReason);
        }
    }
}

void FormView::OnFocusChanged(QWidget* now) {
    if (detached_ || now == nullptr || now->window() != window_) return;
    for (QWidget* w = now; w != nullptr && w != window_; w = w->parentWidget()) {
        auto it = controls_.find(w);
        if (it == controls_.end()) continue;
        Control* control = it->second;
        if (control->CanFocus() && form_.ActiveControl() != control) control->UserFocus();
        return;
    }
}

void FormView::SyncCommon(Control& control, QWidget* widget) {
    widget->setEnabled(control.Enabled());
    const bool offstage = widget->property("rvm46_offstage").toBool();
    if (!offstage && widget != window_) widget->setHidden(!control.Visible());
    widget->setToolTip(Q(control.ToolTipText()));

    QPalette palette = widget->palette();
    const QColor fore = ToQColor(control.ForeColor());
    const QColor back = ToQColor(control.BackColor());
    palette.setColor(QPalette::WindowText, fore);
    palette.setColor(QPalette::Text, fore);
    palette.setColor(QPalette::ButtonText, fore);
    if (qobject_cast<QLineEdit*>(widget) != nullptr ||
        qobject_cast<QComboBox*>(widget) != nullptr) {
        palette.setColor(QPalette::Base, back);
    } else {
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::Button, back);
        widget->setAutoFillBackground(qobject_cast<QLabel*>(widget) != nullptr);
    }
    widget->setPalette(palette);

    QFont font = widget->font();
    if (!control.FontName().empty()) font.setFamilies({Q(control.FontName())});
    widget->setFont(font);
}

void FormView::SyncControl(Control& control, Property property) {
    if (auto* timer = dynamic_cast<Timer*>(&control)) {
        (void)timer;
        SyncTimers();
        return;
    }
    if (auto* item = dynamic_cast<MenuItem*>(&control)) {
        SyncMenuItem(*item);
        return;
    }
    QWidget* widget = WidgetFor(control);
    if (widget == nullptr) return;
    QSignalBlocker block(widget);
    if (property == Property::All || property == Property::Enabled ||
        property == Property::Visible || property == Property::ForeColor ||
        property == Property::BackColor || property == Property::FontName ||
        property == Property::ToolTipText) {
        if (auto* toolbar = dynamic_cast<Toolbar*>(&control)) {
            widget->setHidden(!control.Visible());
            SyncToolbar(*toolbar);
            return;
        }
        if (auto* status = dynamic_cast<StatusBar*>(&control)) {
            widget->setHidden(!control.Visible());
            for (QLabel* label : widget->findChildren<QLabel*>()) {
                QFont font = label->font();
                if (!control.FontName().empty()) font.setFamilies({Q(control.FontName())});
                label->setFont(font);
            }
            SyncStatusBar(*status);
            return;
        }
        SyncCommon(control, widget);
    }
    if (auto* box = dynamic_cast<TextBox*>(&control)) {
        auto* edit = static_cast<QLineEdit*>(widget);
        if (edit->text() != Q(box->Text())) edit->setText(Q(box->Text()));
    } else if (auto* list = dynamic_cast<ComboBox*>(&control)) {
        auto* combo = static_cast<QComboBox*>(widget);
        if (property == Property::All || property == Property::ListItems) {
            QStringList items;
            for (int i = 0; i < list->ListCount(); ++i) items << Q(list->List(i));
            bool same = combo->count() == items.size();
            for (int i = 0; same && i < items.size(); ++i) same = combo->itemText(i) == items[i];
            if (!same) {
                combo->clear();
                combo->addItems(items);
            }
        }
        combo->setCurrentIndex(list->ListIndex());
    } else if (auto* check = dynamic_cast<CheckBox*>(&control)) {
        auto* box = static_cast<QCheckBox*>(widget);
        box->setText(Q(check->Caption()));
        box->setCheckState(check->Value() == kChecked  ? Qt::Checked
                           : check->Value() == kGrayed ? Qt::PartiallyChecked
                                                       : Qt::Unchecked);
    } else if (auto* option = dynamic_cast<OptionButton*>(&control)) {
        auto* radio = static_cast<QRadioButton*>(widget);
        radio->setText(Q(option->Caption()));
        radio->setChecked(option->Value());
    } else if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        static_cast<QPushButton*>(widget)->setText(Q(button->Caption()));
    } else if (auto* label = dynamic_cast<Label*>(&control)) {
        static_cast<QLabel*>(widget)->setText(PlainCaption(label->Caption()));
    } else if (auto* frame = dynamic_cast<Frame*>(&control)) {
        static_cast<QGroupBox*>(widget)->setTitle(Q(frame->Caption()));
    } else if (auto* picture = dynamic_cast<Picture*>(&control)) {
        // A picture names its image; where no such image exists the name is its words.
        auto* label = static_cast<QLabel*>(widget);
        const QIcon icon = QIcon::fromTheme(Q(picture->PictureName()));
        if (!picture->PictureName().empty() && !icon.isNull()) {
            label->setPixmap(icon.pixmap(label->size()));
        } else {
            label->setText(Q(picture->PictureName()));
        }
    } else if (auto* bar = dynamic_cast<ScrollBar*>(&control)) {
        (void)bar;
    } else if (auto* progress = dynamic_cast<ProgressBar*>(&control)) {
        auto* widget_bar = static_cast<QProgressBar*>(widget);
        widget_bar->setRange(progress->Min(), progress->Max());
        widget_bar->setValue(progress->Value());
    }
}

}  // namespace rvm46::app
