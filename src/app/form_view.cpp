// The generic renderer of forms: the window itself, its life cycle, focus and the properties
// every control shares. The bindings of each kind of control live in form_view_*.cpp.
#include "app/form_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <set>
#include <string_view>

#include "app/form_view_support.h"
#include "app/icons.h"
#include "app/layouts.h"

namespace rvm46::app {

using namespace forms;
using detail::Q;

namespace {

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

// The client area of a window whose table grows: it asks for the whole table (so the window's
// size hint holds all of it) and scrolls when the window is made smaller.
class ClientScroll : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const QWidget* client = widget();
        return client == nullptr
                   ? QScrollArea::sizeHint()
                   : client->minimumSize() + QSize(2 * frameWidth(), 2 * frameWidth());
    }
};

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
        const WindowLayout* table = LayoutFor(form_.Name());
        if (table != nullptr && table->grows) {
            // Smaller than its table, the window scrolls; larger, the table grows.
            auto* scroll = new ClientScroll(shell);
            scroll->setFrameShape(QFrame::NoFrame);
            scroll->setWidgetResizable(true);
            scroll->setWidget(client_);
            shell->setCentralWidget(scroll);
        } else {
            shell->setCentralWidget(client_);
        }
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
    // The program sets its icon for every window; drawn again only where it has not (tests).
    if (QApplication::windowIcon().isNull()) window_->setWindowIcon(ApplicationIcon());
    client_->setAutoFillBackground(true);
    // The window's colour and font before its controls: they inherit them instead of each
    // receiving the change.
    SyncForm(Property::All);

    const WindowLayout* layout = LayoutFor(form_.Name());
    if (layout == nullptr) new QVBoxLayout(client_);
    // Controls the layout keeps out of sight (and what they hold) get no widget at all.
    std::set<std::string> offstage;
    for (Control* control : form_.Controls()) {
        if (Is(*control, "MenuItem")) continue;
        QWidget* parent = client_;
        bool shown = true;
        if (!control->Container().empty()) {
            shown = offstage.count(control->Container()) == 0;
            if (Control* container = form_.Find(control->Container())) {
                if (QWidget* w = WidgetFor(*container)) parent = w;
            }
        }
        if (layout != nullptr && !Is(*control, "Toolbar") && !Is(*control, "StatusBar") &&
            dynamic_cast<Timer*>(control) == nullptr) {
            const Placement* place = layout->Find(control->Name(), control->Index());
            shown = shown && place != nullptr && place->shown;
        }
        if (!shown && control->Index() < 0) offstage.insert(control->Name());
        if (QWidget* widget = shown ? CreateWidget(*control, parent) : nullptr) {
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

    SyncTimers();
    for (Control* control : form_.Controls()) SyncControl(*control, Property::All);
    NameControls();
    if (layout_ != nullptr && layout_->grows) InitialSize();
}

void FormView::Place(const WindowLayout* layout) {
    if (layout == nullptr) {
        client_->setMinimumWidth(280);
        return;
    }
    layout_ = layout;
    for (auto& [control, widget] : widgets_) {
        if (Is(*control, "Toolbar") || Is(*control, "StatusBar")) continue;
        const Placement* place = layout->Find(control->Name(), control->Index());
        if (place == nullptr) continue;
        widget->setGeometry(place->x, place->y, place->width, place->height);
        // A label given room for several lines wraps its text.
        if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && place->height > 32) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && place->headline) {
            label->setAlignment(Qt::AlignCenter);
            label->setProperty("rvm46_headline", true);
            QFont font = label->font();
            font.setPointSizeF(font.pointSizeF() * 2);
            label->setFont(font);
        }
        if (place->display_only) {
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setReadOnly(true);
            widget->setFocusPolicy(Qt::ClickFocus);
        }
    }
    if (!layout->marker_list.empty()) {
        if (Control* list = form_.Find(layout->marker_list)) {
            subscriptions_.emplace_back(list, list->Subscribe([this](const PropertyChange&) {
                if (!detached_) MarkRow();
            }));
            MarkRow();
        }
    }
    if (!layout->grows) {
        client_->setFixedSize(layout->width, layout->height);
        return;
    }
    client_->setMinimumSize(layout->width, layout->height);
    client_->installEventFilter(new detail::ResizeFilter(client_, [this] { Relayout(); }));
}

void FormView::Relayout() {
    if (layout_ == nullptr) return;
    const int extra_w = std::max(0, client_->width() - layout_->width);
    const int extra_h = std::max(0, client_->height() - layout_->height);
    // Containers come before what they hold, so a scaled control sees its container's new size.
    for (Control* control : form_.Controls()) {
        QWidget* widget = WidgetFor(*control);
        const Placement* place =
            widget == nullptr ? nullptr : layout_->Find(control->Name(), control->Index());
        if (place == nullptr || !place->shown || place->grow == Placement::Grow::kNone) continue;
        QRect r(place->x, place->y, place->width, place->height);
        if (place->grow == Placement::Grow::kFill) {
            r.setSize(r.size() + QSize(extra_w, extra_h));
        } else if (Control* container = form_.Find(control->Container())) {
            const Placement* outer = layout_->Find(container->Name(), container->Index());
            const QWidget* parent = WidgetFor(*container);
            if (outer == nullptr || parent == nullptr || outer->width <= 0 || outer->height <= 0)
                continue;
            const double fx = static_cast<double>(parent->width()) / outer->width;
            const double fy = static_cast<double>(parent->height()) / outer->height;
            const int left = qRound(r.left() * fx), top = qRound(r.top() * fy);
            r = QRect(left, top, qRound((place->x + place->width) * fx) - left,
                      qRound((place->y + place->height) * fy) - top);
        }
        widget->setGeometry(r);
    }
}

void FormView::InitialSize() {
    auto* shell = qobject_cast<QMainWindow*>(window_.data());
    if (shell == nullptr) return;
    shell->layout()->activate();
    QSize size = shell->sizeHint();
    // A menu bar not yet shown hints no height for its menus.
    const int menu_height = shell->menuBar()->fontMetrics().height() + 8;
    size.rheight() += std::max(0, menu_height - shell->menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Leave room for the window frame and title bar.
        size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 40));
    }
    shell->resize(size);
}

QWidget* FormView::CreateWidget(Control& control, QWidget* parent) {
    if (auto* timer = dynamic_cast<Timer*>(&control)) {
        auto* qtimer = new QTimer(window_);
        QObject::connect(qtimer, &QTimer::timeout, qtimer, [this, timer] {
            if (!detached_) timer->Tick();
        });
        timers_[timer] = qtimer;
        return nullptr;
    }
    if (QWidget* widget = CreateTextWidget(control, parent)) return widget;
    if (QWidget* widget = CreateSimpleWidget(control, parent)) return widget;
    return CreateFurnitureWidget(control);
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
    if (property == Property::All || property == Property::Borderless) {
        // Changing window flags hides a shown window; show it again.
        const bool frameless = window_->windowFlags().testFlag(Qt::FramelessWindowHint);
        if (frameless != form_.Borderless()) {
            const bool shown = window_->isVisible();
            window_->setWindowFlag(Qt::FramelessWindowHint, form_.Borderless());
            if (shown) window_->show();
        }
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
        // Which controls keep a font of their own depends on the window's.
        if (property == Property::FontName) {
            for (auto& [control, widget] : widgets_) SyncFont(*control, widget);
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

void FormView::MarkRow() {
    const auto* list = dynamic_cast<const ComboBox*>(form_.Find(layout_->marker_list));
    if (list == nullptr) return;
    for (Control* control : form_.Controls()) {
        if (control->Name() != layout_->marked_array) continue;
        auto* label = qobject_cast<QLabel*>(WidgetFor(*control));
        if (label == nullptr) continue;
        const bool marked = control->Index() == list->ListIndex();
        if (label->property("rvm46_marked").toBool() == marked) continue;
        label->setProperty("rvm46_marked", marked);
        label->setFrameShape(marked ? QFrame::Panel : QFrame::NoFrame);
        label->setFrameShadow(QFrame::Sunken);
        QFont font = label->font();
        font.setBold(marked);
        label->setFont(font);
    }
}

void FormView::OnFocusChanged(QWidget* now) {
    if (detached_ || syncing_ > 0 || now == nullptr || now->window() != window_) return;
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
    if (widget != window_) widget->setHidden(!control.Visible());
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
    // Setting an unchanged palette still makes Qt propagate it to the children and lay them out
    // again; start-up repeats it for every control. Only one set here before is skipped: an
    // inherited one would follow later changes of the window's.
    if (!widget->testAttribute(Qt::WA_SetPalette) || palette != widget->palette()) {
        widget->setPalette(palette);
    }

    SyncFont(control, widget);

    // A control disabled and enabled again while it has the form's focus (a right-click on a
    // grid cell) gets back the focus Qt passed on.
    if (control.Enabled() && form_.ActiveControl() == &control && !widget->hasFocus() &&
        widget->isVisible() && widget->focusPolicy() != Qt::NoFocus) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void FormView::SyncFont(const Control& control, QWidget* widget) {
    // A control in its window's font inherits it: an explicit font costs a change event for the
    // widget and its children (a combo list builds its drop-down list for it). Bold ones, and
    // those in a font of their own, get theirs.
    const bool bold =
        widget->property("rvm46_marked").toBool() || widget->property("rvm46_headline").toBool();
    if (!bold && (control.FontName().empty() || control.FontName() == form_.FontName())) {
        if (widget->testAttribute(Qt::WA_SetFont)) widget->setFont(QFont());
        return;
    }
    QFont font = widget->font();
    if (!control.FontName().empty()) font.setFamilies({Q(control.FontName())});
    font.setBold(bold);
    if (!widget->testAttribute(Qt::WA_SetFont) || font != widget->font()) widget->setFont(font);
}

void FormView::SyncControl(Control& control, Property property) {
    if (dynamic_cast<Timer*>(&control) != nullptr) {
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
    ++syncing_;
    struct Done {
        int& count;
        ~Done() { --count; }
    } done{syncing_};
    if (property == Property::All || property == Property::Enabled ||
        property == Property::Visible || property == Property::ForeColor ||
        property == Property::BackColor || property == Property::FontName ||
        property == Property::ToolTipText) {
        if (SyncFurniture(control, widget)) return;
        SyncCommon(control, widget);
    }
    if (!SyncTextWidget(control, widget, property)) SyncSimpleWidget(control, widget);
    if (property == Property::Caption || property == Property::ToolTipText ||
        property == Property::Visible) {
        ScheduleNaming();
    }
}

}  // namespace rvm46::app
